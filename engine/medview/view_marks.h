// What a viewer shows over its laid-out text: the selection and the search-hit marks. Both are kept
// as state (character positions and the installed hit list), never as pixels, so every paint and
// every new layout shows them again.
#pragma once

#include <cstdint>

#include "engine/fts/search/hit_highlight.h"
#include "engine/medview/viewer.h"

namespace medview {

// A point of text: the record's TextPosition and a character number inside the record.
struct TextPoint {
  int32_t position = -1;
  int32_t offset = 0;
};

inline bool operator<(const TextPoint& a, const TextPoint& b) {
  return a.position != b.position ? a.position < b.position : a.offset < b.offset;
}
inline bool operator==(const TextPoint& a, const TextPoint& b) {
  return a.position == b.position && a.offset == b.offset;
}

// The selection. The anchor has a near and a far offset because a word, sentence or paragraph can be
// the anchor: when the moving end lies before the anchor the far offset bounds the range, else the
// near one.
struct SelectionRange {
  int32_t anchorPosition = -1;
  int32_t movingPosition = -1;
  int32_t anchorNear = 1;
  int32_t anchorFar = 1;
  int32_t movingOffset = 1;
  int16_t side = 0;

  TextPoint moving() const { return {movingPosition, movingOffset}; }
  // The range's two ends in text order.
  void ordered(TextPoint& first, TextPoint& last) const;
  bool empty() const;
};

struct ViewMarks {
  SelectionRange selection;
  bool hasSelection = false;
  const fts::TopicHitList* hitList = nullptr;  // owned by the caller
  HBRUSH markBrush = nullptr;
  int32_t markRop = 7;
};

// The viewer's marks, made on first use.
ViewMarks& MvMarks(Viewer& viewer);

}  // namespace medview
