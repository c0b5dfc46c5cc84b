#include "engine/medview/viewer_hits.h"

#include <algorithm>

#include "engine/datapres/embedded_window.h"
#include "engine/frame/hit_marks.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/viewer_embeds.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"

namespace medview {

namespace {

// Draws the marks of every laid-out frame on the viewer's own context.
void DrawAllMarks(Viewer& viewer) {
  if (!MvLaidOut(viewer) || MvAcquireDC(&viewer) != 0) return;
  frame::FrDrawMarks(viewer);
  MvReleaseDC(&viewer);
}

bool HitRect(Viewer& viewer, int32_t n, RECT* rect) {
  for (size_t f = viewer.frames.size(); f-- > 0;) {
    const frame::LayoutFrame& fr = viewer.frames[f];
    for (const frame::HitMark& mark : frame::FrMapHitsOnFrame(viewer, fr)) {
      if (mark.hit != n) continue;
      int32_t x = viewer.layoutRect.left - viewer.hOffset + fr.x, y = viewer.layoutRect.top + fr.y;
      *rect = RECT{x + mark.rect.left, y + mark.rect.top, x + mark.rect.right, y + mark.rect.bottom};
      return true;
    }
  }
  return false;
}

}  // namespace

const fts::TopicHitList* MvSetHitList(ViewerHandle viewer, const fts::TopicHitList* list, BOOL draw,
                                      TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return nullptr;
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return nullptr;
  ViewMarks& marks = MvMarks(*viewer);
  if (marks.hitList == list) return nullptr;
  const fts::TopicHitList* old = marks.hitList;
  // The old marks are drawn once more, which erases exclusive-or marks as they were painted.
  if (old && draw) DrawAllMarks(*viewer);
  frame::FrRemoveHits(*viewer);
  marks.hitList = list;
  if (list && draw) DrawAllMarks(*viewer);
  return old;
}

HBRUSH MvSetHitMarkMode(ViewerHandle viewer, HBRUSH brush, int32_t rop, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return nullptr;
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return nullptr;
  ViewMarks& marks = MvMarks(*viewer);
  if (marks.markBrush == brush && marks.markRop == rop) return nullptr;
  HBRUSH old = marks.markBrush;
  if (marks.hitList) DrawAllMarks(*viewer);
  marks.markBrush = brush;
  marks.markRop = rop;
  if (marks.hitList) DrawAllMarks(*viewer);
  return old;
}

const fts::TopicHitList* MvGetHitList(ViewerHandle viewer) {
  return viewer && viewer->marks ? viewer->marks->hitList : nullptr;
}

int32_t MvGetHitCount(const fts::TopicHitList* list) { return list ? int32_t(list->entries.size()) : 0; }

int64_t MvGetHitPosition(const fts::TopicHitList* list, int32_t n) {
  if (!list || n < 0 || size_t(n) >= list->entries.size()) return -1;
  return list->entries[size_t(n)].address;
}

BOOL MvGetHitRect(ViewerHandle viewer, int32_t n, RECT* rect) {
  *rect = RECT{};
  if (!viewer || !MvLaidOut(*viewer) || n < 0 || n >= MvGetHitCount(MvGetHitList(viewer))) return FALSE;
  return HitRect(*viewer, n, rect) ? TRUE : FALSE;
}

BOOL MvScrollToHit(ViewerHandle viewer, int32_t n, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  if (!viewer->canScrollH && !viewer->canScrollV) return TRUE;
  if (!MvLaidOut(*viewer)) {
    SetErrorCode(error, kViewNoLayout);
    return FALSE;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return FALSE;
  const fts::TopicHitList* list = MvGetHitList(viewer);
  RECT r{};
  if (n < 0 || n >= MvGetHitCount(list)) {
    SetErrorCode(error, kViewHitNotFound);
    return FALSE;
  }
  if (MvAcquireDC(viewer) != 0) {
    SetErrorCode(error, kViewNoDC);
    return FALSE;
  }
  // Records above or below are laid out until the hit is found or the region ends.
  auto shown = [&] { return HitRect(*viewer, n, &r); };
  bool found = frame::FrScrollTowards(*viewer, list->entries[size_t(n)].address, shown);
  if (!found) {
    MvReleaseDC(viewer);
    SetErrorCode(error, kViewHitNotFound);
    return FALSE;
  }
  const RECT& view = viewer->layoutRect;
  int32_t dx = (view.right + r.left - view.left - r.right) / 2 - r.left;
  int32_t dy = (view.bottom + r.top - view.top - r.bottom) / 2 - r.top;
  POINT applied{};
  frame::FrScrollBy(*viewer, viewer->canScrollH ? dx : 0, viewer->canScrollV ? dy : 0, &applied, nullptr);
  MvReleaseDC(viewer);
  return TRUE;
}

}  // namespace medview
