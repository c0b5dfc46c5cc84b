#include "engine/medview/viewer_paint.h"

#include "engine/frame/hit_marks.h"
#include "engine/frame/painting.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/view_marks.h"

namespace medview {

BOOL MvPaint(ViewerHandle viewer, HDC hdc, const RECT* clip, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  if (!(viewer->layoutState & kLayoutExists) || viewer->frames.empty()) {
    SetErrorCode(error, kViewNoLayout);
    return FALSE;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return FALSE;
  HDC previous = MvUseCallerDC(viewer, hdc);
  frame::FrPaintFrames(*viewer, clip);
  if (MvHasSelection(viewer)) {
    TextPoint first, last;
    viewer->marks->selection.ordered(first, last);
    frame::FrInvertRange(*viewer, first, last, true);
  }
  MvRestoreCallerDC(viewer, previous);
  return TRUE;
}

}  // namespace medview
