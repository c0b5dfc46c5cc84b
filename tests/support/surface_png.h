// Saving a window's retained surface as PNG, for the pixel checks that need a picture to look at.
#pragma once

#include <string>

#include <QImage>

#include "platform/base/win_types.h"

namespace lumo::test {

// Saves the client area (or the whole window) to `path`; false when the handle is stale or the
// file cannot be written.
bool save_surface_png(HWND h, const std::string& path, bool whole_window = false);
// The colour of one surface pixel as 0x00BBGGRR (the platform's colour order), client
// coordinates; 0xFFFFFFFF outside the surface.
DWORD surface_pixel(HWND h, int x, int y, bool whole_window = false);
// Saves what the screen shows of the window: its surface with its child windows over it.
bool save_window_png(HWND h, const std::string& path, bool whole_window = false);

}  // namespace lumo::test
