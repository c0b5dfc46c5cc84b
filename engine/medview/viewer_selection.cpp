#include "engine/medview/viewer_selection.h"

#include <algorithm>
#include <climits>

#include "engine/adt/topic_record_header.h"
#include "engine/datapres/embedded_window.h"
#include "engine/frame/letter_classes.h"
#include "engine/frame/painting.h"
#include "engine/frame/record_layout.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/frame/topic_layout.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"

namespace medview {

namespace {

using frame::LayoutFrame;

void ShowSelection(Viewer& viewer, bool show) {
  ViewMarks& marks = MvMarks(viewer);
  if (!marks.hasSelection) return;
  TextPoint first, last;
  marks.selection.ordered(first, last);
  frame::FrInvertRange(viewer, first, last, show);
}

// The caret place of a text point on the laid-out objects; false when it is not laid out.
bool CaretRect(Viewer& viewer, const TextPoint& point, RECT* out) {
  for (const LayoutFrame& frame : viewer.frames) {
    if (frame.position != point.position) continue;
    int32_t fx = viewer.layoutRect.left - viewer.hOffset + frame.x, fy = viewer.layoutRect.top + frame.y;
    const frame::LayoutObject* last = nullptr;
    for (const frame::LayoutObject& o : frame.objects) {
      if (!o.carries_chars() || frame::IsMarkerKind(o.kind)) continue;
      if (point.offset <= o.lastChar) {
        int32_t x = fx + o.x;
        if (o.kind == frame::kObjText && point.offset > o.anchor) {
          std::vector<RECT> part =
              frame::FrRangeRects(viewer, {point.position, o.anchor}, {point.position, point.offset});
          for (const RECT& r : part) {
            if (r.top == fy + o.y) x = r.right;
          }
        }
        *out = RECT{x, fy + o.y, x, fy + o.bottom()};
        return true;
      }
      last = &o;
    }
    if (last) {
      *out = RECT{fx + last->right(), fy + last->y, fx + last->right(), fy + last->bottom()};
      return true;
    }
  }
  return false;
}

// Character span of the selection mode around the hit character of a frame.
void ModeSpan(const LayoutFrame& frame, int32_t mode, int32_t at, int32_t* first, int32_t* end) {
  std::vector<int> chars = frame::FrFrameChars(frame);
  if (chars.empty()) {
    *first = at;
    *end = at;
  } else if (mode == kSelectWord) {
    frame::FrWordSpan(chars, at, first, end);
  } else if (mode == kSelectSentence) {
    frame::FrSentenceSpan(chars, at, first, end);
  } else {
    frame::FrParagraphSpan(chars, at, first, end);
  }
}

// Replaces the selection, inverting only what changes on screen.
void ChangeSelection(Viewer& viewer, const SelectionRange& range) {
  ViewMarks& marks = MvMarks(viewer);
  HeldDC dc(viewer);
  ShowSelection(viewer, false);
  marks.selection = range;
  marks.hasSelection = true;
  ShowSelection(viewer, true);
}

}  // namespace

void MvSelectAt(ViewerHandle viewer, int32_t mode, int32_t x, int32_t y, BOOL extend, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return SetErrorCode(error, kViewBadArgument);
  ViewerBusy busy(viewer);
  if (!busy.entered()) return SetErrorCode(error, kViewBusy);
  if (!MvLaidOut(*viewer)) return SetErrorCode(error, kViewNoLayout);
  if (mode < kSelectPoint || mode > kSelectAll) return;
  ViewMarks& marks = MvMarks(*viewer);
  SelectionRange range = marks.selection;
  if (mode == kSelectAll) {
    int32_t first = viewer->region == 0 ? viewer->chunk.values[frame::kChunkNonScrollStart]
                                        : viewer->chunk.values[frame::kChunkScrollStart];
    int32_t last = viewer->region == 0 ? viewer->chunk.values[frame::kChunkScrollStart] - 1
                                       : viewer->chunk.values[frame::kChunkTopicEnd];
    range = SelectionRange{first, std::max(first, last), 0, 0, INT32_MAX, 0};
    return ChangeSelection(*viewer, range);
  }
  int32_t at = 0, object = -1;
  int16_t side = 0;
  int32_t f = frame::FrPointToObject(*viewer, x, y, &at, &object, &side);
  if (f < 0) return SetErrorCode(error, kViewEndOfRegion);
  const LayoutFrame& frame = viewer->frames[size_t(f)];
  int32_t first = at, end = at;
  if (mode != kSelectPoint) ModeSpan(frame, mode, at, &first, &end);
  if (!extend || !marks.hasSelection) {
    range = SelectionRange{frame.position, frame.position, first, end, end, side};
  } else {
    bool before = TextPoint{frame.position, at} < TextPoint{range.anchorPosition, range.anchorNear};
    range.movingPosition = frame.position;
    range.movingOffset = before ? first : end;
    range.side = side;
  }
  ChangeSelection(*viewer, range);
}

void MvMoveSelectionByKey(ViewerHandle viewer, int32_t key, BOOL extend, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return SetErrorCode(error, kViewBadArgument);
  ViewerBusy busy(viewer);
  if (!busy.entered()) return SetErrorCode(error, kViewBusy);
  if (!MvLaidOut(*viewer)) return SetErrorCode(error, kViewNoLayout);
  if (viewer->layoutRect.right <= viewer->layoutRect.left || viewer->layoutRect.bottom <= viewer->layoutRect.top) {
    return SetErrorCode(error, kViewNoWindowArea);
  }
  ViewMarks& marks = MvMarks(*viewer);
  if (!marks.hasSelection) {
    const LayoutFrame& head = viewer->frames.front();
    marks.selection = SelectionRange{head.position, head.position, 0, 0, 0, 0};
  }
  SelectionRange range = marks.selection;
  TextPoint moving = range.moving();
  RECT caret{};
  if (!CaretRect(*viewer, moving, &caret)) return SetErrorCode(error, kViewNoFurtherStep);
  TextPoint target = moving;
  if (key == kKeyLeft || key == kKeyRight) {
    // One character, passing positions that no object shows; across into the neighbouring frame.
    size_t f = 0;
    while (f < viewer->frames.size() && viewer->frames[f].position != moving.position) ++f;
    int step = key == kKeyRight ? 1 : -1;
    int32_t offset = moving.offset + step;
    while (true) {
      const LayoutFrame& frame = viewer->frames[f];
      std::vector<int> chars = frame::FrFrameChars(frame);
      int32_t count = int32_t(chars.size());
      while (offset >= 0 && offset < count && chars[size_t(offset)] == frame::kCharNone) offset += step;
      if (offset >= 0 && offset <= count) {
        target = {frame.position, offset};
        break;
      }
      if ((step < 0 && f == 0) || (step > 0 && f + 1 >= viewer->frames.size())) {
        return SetErrorCode(error, kViewNoFurtherStep);
      }
      f += size_t(step);
      offset = step > 0 ? 0 : int32_t(frame::FrFrameChars(viewer->frames[f]).size());
    }
  } else if (key >= kKeyUp && key <= kKeyLineEnd) {
    int32_t x = caret.left, y = (caret.top + caret.bottom) / 2;
    if (key == kKeyUp || key == kKeyDown) {
      y = key == kKeyUp ? caret.top - 1 : caret.bottom;
      int32_t bandTop = viewer->layoutRect.top + viewer->frames.front().y;
      const LayoutFrame& tail = viewer->frames.back();
      int32_t bandBottom = viewer->layoutRect.top + tail.y + tail.height;
      if (y < bandTop || y >= bandBottom) return SetErrorCode(error, kViewNoFurtherStep);
    } else {
      x = key == kKeyLineStart ? -viewer->hOffset : 32000;
    }
    int32_t at = 0, object = -1;
    int16_t side = 0;
    int32_t f = frame::FrPointToObject(*viewer, x, y, &at, &object, &side);
    if (f < 0) return SetErrorCode(error, kViewNoFurtherStep);
    target = {viewer->frames[size_t(f)].position, at};
    if ((key == kKeyUp || key == kKeyDown) && target == moving) return SetErrorCode(error, kViewNoFurtherStep);
  } else {
    return SetErrorCode(error, kViewBadArgument);
  }
  if (extend) {
    range.movingPosition = target.position;
    range.movingOffset = target.offset;
  } else {
    range = SelectionRange{target.position, target.position, target.offset, target.offset, target.offset, 0};
  }
  ChangeSelection(*viewer, range);
}

BOOL MvClearSelection(ViewerHandle viewer, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return FALSE;
  ViewMarks& marks = MvMarks(*viewer);
  if (marks.hasSelection) {
    HeldDC dc(*viewer);
    ShowSelection(*viewer, false);
  }
  marks.selection = SelectionRange{};
  marks.hasSelection = false;
  return TRUE;
}

BOOL MvHasSelection(ViewerHandle viewer) {
  if (!viewer || !viewer->marks) return FALSE;
  return viewer->marks->hasSelection && !viewer->marks->selection.empty();
}

TitleErrorCode MvSetSelection(ViewerHandle viewer, int32_t firstPosition, int32_t firstOffset, int32_t lastPosition,
                              int32_t lastOffset) {
  if (!viewer) return kViewBadArgument;
  ViewMarks& marks = MvMarks(*viewer);
  marks.selection = SelectionRange{firstPosition, lastPosition, firstOffset, firstOffset, lastOffset, 0};
  marks.hasSelection = true;
  return kViewOk;
}

BOOL MvGetSelection(ViewerHandle viewer, int32_t* firstPosition, int32_t* firstOffset, int32_t* lastPosition,
                    int32_t* lastOffset) {
  if (!MvHasSelection(viewer)) return FALSE;
  TextPoint first, last;
  viewer->marks->selection.ordered(first, last);
  *firstPosition = first.position;
  *firstOffset = first.offset;
  *lastPosition = last.position;
  *lastOffset = last.offset;
  return TRUE;
}

void MvGetSelectionRects(ViewerHandle viewer, RECT* start, RECT* end) {
  *start = RECT{};
  *end = RECT{};
  if (!viewer || !MvLaidOut(*viewer) || !MvHasSelection(viewer)) return;
  TextPoint first, last;
  viewer->marks->selection.ordered(first, last);
  int32_t lastLaidOut = viewer->frames.back().position;
  auto place = [&](const TextPoint& point, RECT* out) {
    if (CaretRect(*viewer, point, out)) return;
    int32_t edge = point.position < lastLaidOut ? 10000 : -10000;
    *out = RECT{0, edge, 0, edge};
  };
  place(first, start);
  place(last, end);
}

}  // namespace medview
