// Painting a viewer's laid-out topic into a device context.
#pragma once

#include <cstdint>
#include <span>

#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"

namespace medview {

BOOL MvPaint(ViewerHandle viewer, HDC hdc, const RECT* clip, TitleErrorCode* error);

}  // namespace medview
