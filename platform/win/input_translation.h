// Turns input (from Qt, or made up by tests) into the layer's queued messages.
//
// A mouse event goes to the capture window when there is one, as a client message in its client
// coordinates. Otherwise the window under the point is asked WM_NCHITTEST: HTCLIENT gives a client
// message, any other code the non-client twin with the code in wParam and the screen point in
// lParam. Key events go to the focus window (the active window when nothing has the focus) as
// WM_KEYDOWN/WM_KEYUP with the virtual-key code, or as the system keys while Alt (without Ctrl) is
// held or for F10; the character a key types travels with its key-down and TranslateMessage posts
// it.
#pragma once

#include <QPoint>

#include "platform/base/win_types.h"

namespace win {

enum class MouseButton { none, left, right, middle };
enum class MouseAction { move, press, release, double_click };

struct KeyModifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
};

void mouse_input(MouseAction action, MouseButton button, QPoint screen, KeyModifiers modifiers);
// The mouse left every window of the program.
void mouse_leave_input();
// `delta` in the platform's units: 120 per notch, positive away from the user.
void wheel_input(int delta, QPoint screen, KeyModifiers modifiers);
// `character` is the CP1250 byte the key types, 0 for none.
// `scan` and `extended` go into the key message's lParam (bits 16 to 23 and 24).
void key_input(bool down, int virtual_key, BYTE character, KeyModifiers modifiers, UINT scan = 0,
               bool extended = false);

}  // namespace win
