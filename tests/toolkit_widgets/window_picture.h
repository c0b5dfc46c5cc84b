// A window with its children in one picture: each window keeps a surface of its own, so a
// dialog's own surface shows none of its controls.
#pragma once

#include <QImage>

#include "platform/base/win_types.h"

namespace lumo::test {

// The whole window (non-client area included) with its visible children drawn over it.
QImage window_picture(HWND h);

}  // namespace lumo::test
