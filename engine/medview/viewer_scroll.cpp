#include "engine/medview/viewer_scroll.h"

#include <algorithm>

#include "engine/frame/scrolling.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/viewer_scope.h"

namespace medview {

uint64_t MvGetScrollRanges(ViewerHandle viewer) {
  if (!viewer) return 0;
  uint64_t h = viewer->canScrollH ? kThumbEnd : 0;
  uint64_t v = viewer->canScrollV ? kThumbEnd : 0;
  return h | v << 32;
}

int32_t MvGetVerticalThumb(ViewerHandle viewer) {
  if (!viewer || !MvLaidOut(*viewer)) return -1;
  Viewer& v = *viewer;
  if (!v.canScrollV || frame::FrTopShown(v)) return 0;
  if (frame::FrEndShown(v)) return kThumbEnd;
  int32_t start = 0, end = 0;
  frame::FrShownRegion(v, start, end);
  frame::RegionEstimate e = frame::FrEstimateShown(v);
  const frame::LayoutFrame& head = v.frames.front();
  int64_t above = std::max<int64_t>(-int64_t(head.y), 0);
  int64_t h = int64_t(head.storedSize) * above / std::max(head.height, 1);
  int32_t inBlock = head.position & 0x3FFF;
  if (e.bytesPerBlock > 0 && h + inBlock > e.bytesPerBlock) h = e.bytesPerBlock - inBlock;
  int64_t distance = h + inBlock - (start & 0x3FFF) +
                     int64_t(e.bytesPerBlock) * ((head.position >> 14) - (start >> 14));
  return frame::FrThumbFromDistance(distance, e.regionBytes);
}

int32_t MvGetHorizontalThumb(ViewerHandle viewer) {
  if (!viewer || !MvLaidOut(*viewer)) return -1;
  const Viewer& v = *viewer;
  if (v.layoutWidth <= v.layoutRect.right - v.layoutRect.left) return 0;
  if (v.hOffset > v.hExtent) return kThumbEnd;
  if (v.hExtent <= 0) return 0;
  return int32_t(int64_t(v.hOffset) * kThumbEnd / v.hExtent);
}

void MvSetEdgeLineReport(ViewerHandle viewer, BOOL on) {
  if (!viewer) return;
  if (on) {
    viewer->flags |= kViewReportCutLines;
  } else {
    viewer->flags &= uint16_t(~kViewReportCutLines);
  }
}

int32_t MvScrollVertical(ViewerHandle viewer, POINT* move, int32_t* topCut, int32_t* bottomCut, int32_t code,
                         int32_t thumb, TitleErrorCode* error) {
  if (move) *move = POINT{0, 0};
  SetErrorCode(error, kViewOk);
  if (!viewer || !MvLaidOut(*viewer)) {
    SetErrorCode(error, kViewNoLayout);
    return -1;
  }
  Viewer& v = *viewer;
  bool report = (v.flags & kViewReportCutLines) && topCut && bottomCut;
  if (report) *topCut = *bottomCut = 0;
  if (!v.canScrollV) {
    SetErrorCode(error, kViewCannotScroll);
    return -1;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return -1;
  HeldDC dc(v);
  v.pendingCode = 0;
  TitleErrorCode result = 0;
  POINT applied{0, 0};
  int32_t height = v.layoutRect.bottom - v.layoutRect.top;
  if (code == kScrollThumb || code == kScrollTop || code == kScrollBottom) {
    int32_t to = code == kScrollThumb ? thumb : code == kScrollTop ? 0 : kThumbEnd;
    int32_t before = v.frames.empty() ? 0 : v.frames.front().y;
    bool changed = frame::FrSetThumb(v, to, true, &result);
    if (!changed && result == 0) result = kViewCannotScroll;
    applied.y = v.frames.empty() ? 0 : v.frames.front().y - before;
  } else {
    int32_t dy = 0;
    switch (code) {
      case kScrollLineUp: dy = 16; break;
      case kScrollLineDown: dy = -16; break;
      case kScrollPageUp: dy = frame::FrPageStep(height - (report ? *bottomCut : 0)); break;
      case kScrollPageDown: dy = -frame::FrPageStep(height - (report ? *topCut : 0)); break;
      default:
        SetErrorCode(error, kViewBadArgument);
        return -1;
    }
    frame::FrScrollBy(v, 0, dy, &applied, &result);
    if (applied.x == 0 && applied.y == 0 && result == 0) result = kViewCannotScroll;
  }
  if (report) {
    *topCut = applied.y != 0 ? frame::FrTopCut(v) : 0;
    *bottomCut = applied.y != 0 ? frame::FrBottomCut(v) : 0;
  }
  if (move) *move = applied;
  if (result == 0) result = v.pendingCode;
  SetErrorCode(error, result);
  if (result == 0 || result == kViewLayoutStopped || result == kViewCannotScroll) return MvGetVerticalThumb(viewer);
  return -1;
}

int32_t MvScrollHorizontal(ViewerHandle viewer, POINT* move, int32_t code, int32_t thumb, TitleErrorCode* error) {
  if (move) *move = POINT{0, 0};
  SetErrorCode(error, kViewOk);
  if (!viewer || !MvLaidOut(*viewer)) {
    SetErrorCode(error, kViewNoLayout);
    return -1;
  }
  Viewer& v = *viewer;
  if (!v.canScrollH) {
    SetErrorCode(error, kViewCannotScroll);
    return -1;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return -1;
  TitleErrorCode result = 0;
  POINT applied{0, 0};
  int32_t page = frame::FrPageStep(v.layoutRect.right - v.layoutRect.left);
  switch (code) {
    case kScrollLineUp: frame::FrScrollBy(v, 16, 0, &applied, &result); break;
    case kScrollLineDown: frame::FrScrollBy(v, -16, 0, &applied, &result); break;
    case kScrollPageUp: frame::FrScrollBy(v, page, 0, &applied, &result); break;
    case kScrollPageDown: frame::FrScrollBy(v, -page, 0, &applied, &result); break;
    case kScrollThumb:
    case kScrollTop:
    case kScrollBottom: {
      int32_t before = v.hOffset;
      frame::FrSetThumb(v, code == kScrollThumb ? thumb : code == kScrollTop ? 0 : kThumbEnd, false, &result);
      applied.x = before - v.hOffset;
      break;
    }
    default:
      SetErrorCode(error, kViewBadArgument);
      return -1;
  }
  if (applied.x == 0 && applied.y == 0 && result == 0) result = kViewCannotScroll;
  if (move) *move = applied;
  SetErrorCode(error, result);
  if (result == 0 || result == kViewLayoutStopped || result == kViewCannotScroll) return MvGetHorizontalThumb(viewer);
  return -1;
}

BOOL MvScrollToPosition(ViewerHandle viewer, int32_t address, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  Viewer& v = *viewer;
  v.pendingCode = 0;
  if (!v.canScrollH && !v.canScrollV) return TRUE;
  if (v.layoutRect.right <= v.layoutRect.left || v.layoutRect.bottom <= v.layoutRect.top || !MvLaidOut(v)) {
    SetErrorCode(error, kViewNoWindowArea);
    return FALSE;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return FALSE;
  HeldDC dc(v);
  POINT point{};
  // Addresses outside the shown region's blocks are not searched for.
  int32_t start = 0, end = 0;
  frame::FrShownRegion(v, start, end);
  int32_t block = int32_t(uint32_t(address) >> 15);
  bool inBlocks = block >= (start >> 14) && block <= (end >> 14);
  auto shown = [&] { return frame::FrAddressToPoint(v, address, &point); };
  if (!inBlocks || !frame::FrScrollTowards(v, uint32_t(address), shown)) {
    SetErrorCode(error, kViewAddressNotShown);
    return FALSE;
  }
  int32_t dx = v.canScrollH && point.x >= v.layoutRect.right ? -(point.x - v.layoutRect.left) : 0;
  int32_t dy = v.canScrollV ? -(point.y - v.layoutRect.top) : 0;
  POINT applied{};
  TitleErrorCode code = 0;
  frame::FrScrollBy(v, dx, dy, &applied, &code);
  SetErrorCode(error, code);
  return TRUE;
}

}  // namespace medview
