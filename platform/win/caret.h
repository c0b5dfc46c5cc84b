// The caret: one per program, owned by one window. It is drawn over the window's surface when the
// widget is shown on screen (inverting the pixels under it), never into the surface itself, so
// drawing code and pixel checks never meet it.
#pragma once

#include <QPainter>

#include "platform/base/win_types.h"

namespace win {

// Inverts the caret's rectangle if `h` owns a visible caret in its blink-on phase; `client_origin`
// is the client area's corner in widget coordinates.
void paint_caret(HWND h, QPainter& painter, QPoint client_origin);

}  // namespace win
