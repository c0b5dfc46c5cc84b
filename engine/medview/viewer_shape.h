// The viewer's layout shape: an outline the text flows inside.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/frame/layout_shape.h"
#include "engine/medview/viewer.h"

namespace medview {

// Replaces the viewer's layout shape; null removes it. A shape of fewer than 3 or of 0x8000 and more
// points is refused with 1025 (the old shape is gone all the same). Takes effect at the next layout.
BOOL MvSetLayoutShape(ViewerHandle viewer, const frame::ShapeOutline* shape, TitleErrorCode* error);
// FrShapeEdge over the viewer's shape; kShapeNone without one.
int32_t MvShapeEdge(ViewerHandle viewer, int side, int32_t y, int32_t height);

}  // namespace medview
