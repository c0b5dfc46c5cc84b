// Read access to a window's retained surface, for tests and for copying a window's pixels.
#pragma once

#include <QImage>

#include "platform/base/win_types.h"

namespace win {

// A copy of the window's pixels: the client area, or the whole window with its non-client area.
// A null image for a stale handle.
QImage window_surface(HWND h, bool whole_window = false);
// What the screen shows of the window: its surface with the surfaces of its visible child windows
// laid over it, lowest first (the client area, or the whole window). A null image for a stale
// handle.
QImage window_picture(HWND h, bool whole_window = false);

}  // namespace win
