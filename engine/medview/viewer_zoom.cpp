#include "engine/medview/viewer.h"

#include <algorithm>

#include "engine/adt/topic_record_header.h"
#include "engine/bitmap/picture.h"
#include "engine/frame/layout_shape.h"
#include "engine/frame/record_layout.h"
#include "engine/frame/topic_layout.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/viewer_embeds.h"
#include "engine/medview/viewer_fonts.h"

namespace medview {

BOOL MvSetZoom(ViewerHandle viewer, int32_t percent, TitleErrorCode* error) {
  if (!viewer || percent < kZoomMin || percent > kZoomMax) {
    SetErrorCode(error, kViewBadArgument);
    return FALSE;
  }
  if (percent == viewer->zoom) {
    SetErrorCode(error, kViewUnchanged);
    return FALSE;
  }
  // Held for the whole call: a destruction requested meanwhile happens after the context is
  // released.
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return FALSE;
  viewer->zoom = percent;
  if (TitleErrorCode code = MvAcquireDC(viewer)) {
    // Without a context nothing can be measured: the layout no longer matches the zoom.
    MvDropFonts(viewer);
    viewer->layoutState &= ~kLayoutExists;
    SetErrorCode(error, code);
    return FALSE;
  }
  MvDropFonts(viewer);
  BOOL result = TRUE;
  SetErrorCode(error, kViewOk);
  if (viewer->target >= 0 && (viewer->layoutState & kLayoutExists)) {
    viewer->hOffset = 0;
    if (TitleErrorCode code = frame::FrLayoutTarget(*viewer, false)) {
      viewer->layoutState &= ~kLayoutExists;
      SetErrorCode(error, code);
      result = FALSE;
    }
  }
  MvReleaseDC(viewer);
  return result;
}

}  // namespace medview
