// Moving and sizing a window with the mouse: a nested message loop that follows the mouse until
// the button is released (or Escape is pressed, which puts the window back).
#pragma once

#include <QPoint>

#include "platform/base/win_types.h"

namespace win {

// `edge` 0 moves the window; 1..8 size it by the left, right, top, top-left, top-right, bottom,
// bottom-left or bottom-right edge. `start` is the screen point the drag began at.
void track_move_size(HWND h, int edge, QPoint start);

}  // namespace win
