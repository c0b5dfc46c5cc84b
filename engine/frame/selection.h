// Selecting text: hit tests of client points, words, sentences and paragraphs of laid-out records,
// and the viewer's selection entry points. The selection is kept as character positions in records
// (engine/frame/view_marks.h) and shown by inverting the objects it covers.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/medview/view_marks.h"
#include "engine/medview/viewer.h"
#include "engine/medview/viewer_selection.h"

namespace frame {

// Codes of a frame's characters in character-number order: text bytes 0..255, markers as
// FrMarkerCode(kind), other objects (pictures, windows) kCharObject, positions that belong to no
// object of their own kCharNone.
inline constexpr int kCharNone = -1;
inline constexpr int kCharObject = -2;
inline constexpr int FrMarkerCode(uint8_t kind) { return -1000 - int(kind); }
std::vector<int> FrFrameChars(const LayoutFrame& frame);

// The text bytes of a frame's record (empty when its header is damaged).
std::span<const uint8_t> FrFrameText(const LayoutFrame& frame);

// Spans [first, end) of character numbers around `at`.
void FrWordSpan(const std::vector<int>& chars, int32_t at, int32_t* first, int32_t* end);
void FrSentenceSpan(const std::vector<int>& chars, int32_t at, int32_t* first, int32_t* end);
void FrParagraphSpan(const std::vector<int>& chars, int32_t at, int32_t* first, int32_t* end);

// The byte of a text object's run whose cell holds `x` (relative to the object's left), measured in
// one pass over the run; with `nearest` the nearer cell edge decides. Returns a byte index from 0 to
// the run's length.
int32_t FrCharAtX(medview::Viewer& viewer, std::span<const uint8_t> text, const LayoutObject& object, int32_t x,
                  bool nearest);

// Hit test of a client point: the frame index (-1 none), the character number at the point, the
// object index and whether the point lay in the right half of an object without text.
int32_t FrPointToObject(medview::Viewer& viewer, int32_t x, int32_t y, int32_t* offset, int32_t* object,
                        int16_t* side);

// Top and bottom of the text line that holds object `index`: the vertical span of the neighbouring
// objects that share the line with it (objects of a line follow one another).
void FrLineSpan(const ObjectList& objects, size_t index, int32_t* top, int32_t* bottom);

// Shows or hides the objects of the range [first, last) that are laid out. Without flag 0x10 the
// parts are inverted, so showing and hiding are the same call; with it a shown part is filled with the
// selection background and its text drawn in the selection text colour, and a hidden one is painted
// again as the layout draws it. With flag 0x20 embedded windows are told by 0x7077 instead.
void FrInvertRange(medview::Viewer& viewer, const medview::TextPoint& first, const medview::TextPoint& last,
                   bool show);
// Client rectangles of the range's parts on every laid-out object it covers.
std::vector<RECT> FrRangeRects(medview::Viewer& viewer, const medview::TextPoint& first,
                               const medview::TextPoint& last);

}  // namespace frame

