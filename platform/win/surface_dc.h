// Device contexts over a window's retained surface.
//
// A client context has its origin at the client area's corner and is clipped to the client area
// (and to `paint_area` when painting); a window context covers the whole window. When a context
// is released, the part of the surface it could reach is shown on screen again.
#pragma once

#include <QRegion>

#include "platform/win/window_api.h"
#include "platform/win/window_table.h"

namespace win {

// `paint_area` is in client coordinates; empty means no further limit.
HDC make_surface_dc(Window& w, bool whole_window, const QRegion& paint_area);
void release_surface_dc(HWND h, HDC dc);

}  // namespace win
