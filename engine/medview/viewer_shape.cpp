#include "engine/medview/viewer_shape.h"

#include <algorithm>

#include "engine/frame/layout_shape.h"
#include "platform/gdi/core/mul_div.h"

namespace medview {

BOOL MvSetLayoutShape(ViewerHandle viewer, const frame::ShapeOutline* shape, TitleErrorCode* error) {
  if (!viewer) {
    SetErrorCode(error, kViewBadArgument);
    return FALSE;
  }
  viewer->layoutShape.reset();
  SetErrorCode(error, kViewOk);
  if (!shape) return TRUE;
  std::optional<frame::LayoutShape> built = frame::FrBuildLayoutShape(*shape);
  if (!built) {
    SetErrorCode(error, kViewBadShape);
    return FALSE;
  }
  viewer->layoutShape = std::make_shared<const frame::LayoutShape>(std::move(*built));
  return TRUE;
}

int32_t MvShapeEdge(ViewerHandle viewer, int side, int32_t y, int32_t height) {
  if (!viewer || !viewer->layoutShape) return frame::kShapeNone;
  return frame::FrShapeEdge(*viewer->layoutShape, side, y, height);
}

}  // namespace medview
