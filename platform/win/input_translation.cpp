#include "platform/win/input_translation.h"

#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_class.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

// Key and button state bits of a mouse message's wParam, as the event happened.
WPARAM mouse_key_state() {
  WPARAM state = 0;
  if (GetAsyncKeyState(VK_LBUTTON)) state |= MK_LBUTTON;
  if (GetAsyncKeyState(VK_RBUTTON)) state |= MK_RBUTTON;
  if (GetAsyncKeyState(VK_MBUTTON)) state |= MK_MBUTTON;
  if (GetAsyncKeyState(VK_SHIFT)) state |= MK_SHIFT;
  if (GetAsyncKeyState(VK_CONTROL)) state |= MK_CONTROL;
  return state;
}

void track_modifiers(KeyModifiers m) {
  set_key_state(VK_SHIFT, m.shift);
  set_key_state(VK_CONTROL, m.control);
  set_key_state(VK_MENU, m.alt);
}

int button_key(MouseButton b) {
  switch (b) {
    case MouseButton::left: return VK_LBUTTON;
    case MouseButton::right: return VK_RBUTTON;
    case MouseButton::middle: return VK_MBUTTON;
    default: return 0;
  }
}

UINT client_message(MouseAction action, MouseButton button) {
  if (action == MouseAction::move || button == MouseButton::none) return WM_MOUSEMOVE;
  UINT base = button == MouseButton::left ? WM_LBUTTONDOWN
              : button == MouseButton::right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
  // Down, up and double-click follow each other for every button.
  switch (action) {
    case MouseAction::press: return base;
    case MouseAction::release: return base + 1;
    default: return base + 2;
  }
}

void post(HWND h, UINT message, WPARAM wParam, LPARAM lParam, DWORD character = 0) {
  post_input(h, message, wParam, lParam, character, take_key_snapshot());
}

bool is_button_down(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN ||
         m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
}

// Activates the top-level window of a clicked window unless it declines; false when the click is
// to be eaten. A child window is asked even when its top-level window is active: views and MDI
// children take the click as their own activation.
bool activate_on_click(HWND target, int hit, UINT message) {
  HWND top = GetAncestorTopLevel(target);
  bool top_active = top == GetActiveWindow();
  if (!top || (top_active && target == top)) return true;
  LRESULT answer = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                               MAKELPARAM(WORD(short(hit)), WORD(message)));
  bool activate = answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT || answer == 0;
  if (activate && !top_active) SetActiveWindow(top);
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

}  // namespace

void mouse_input(MouseAction action, MouseButton button, QPoint screen, KeyModifiers modifiers) {
  set_cursor_pos(screen);
  track_modifiers(modifiers);
  if (int key = button_key(button)) {
    if (action == MouseAction::press || action == MouseAction::double_click) set_key_state(key, true);
    if (action == MouseAction::release) set_key_state(key, false);
  }
  UINT message = client_message(action, button);
  if (HWND capture = GetCapture()) {
    POINT p{screen.x(), screen.y()};
    ScreenToClient(capture, &p);
    post(capture, message, mouse_key_state(), MAKE_POINT_LPARAM(p.x, p.y));
    return;
  }
  HWND target = WindowFromPoint(POINT{screen.x(), screen.y()});
  if (target == GetDesktopWindow()) {
    mouse_tracking_moved(nullptr, HTNOWHERE, screen);
    return;
  }
  LPARAM screen_param = MAKE_POINT_LPARAM(screen.x(), screen.y());
  int hit = HTNOWHERE;
  while (target) {
    hit = int(SendMessage(target, WM_NCHITTEST, 0, screen_param));
    if (hit != HTTRANSPARENT) break;
    target = GetParent(target);
  }
  // A window that asked to hear when the mouse leaves it hears it before the window the mouse
  // is over now hears of the mouse.
  mouse_tracking_moved(IsWindow(target) ? target : nullptr, hit, screen);
  if (!IsWindow(target)) return;
  // A window without double-click class style gets a second press instead.
  if (message >= WM_LBUTTONDOWN && (message - WM_LBUTTONDOWN) % 3 == 2 &&
      !(GetClassStyle(target) & CS_DBLCLKS)) {
    message -= 2;
  }
  SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
              MAKELPARAM(WORD(short(hit)), WORD(message)));
  if (!IsWindow(target)) return;
  if (is_button_down(message) && !activate_on_click(target, hit, message)) return;
  if (!IsWindow(target)) return;
  if (hit == HTCLIENT) {
    POINT p{screen.x(), screen.y()};
    ScreenToClient(target, &p);
    post(target, message, mouse_key_state(), MAKE_POINT_LPARAM(p.x, p.y));
  } else {
    post(target, message - kNcMouseOffset, WPARAM(hit), screen_param);
  }
}

void mouse_leave_input() { mouse_tracking_left(); }

void wheel_input(int delta, QPoint screen, KeyModifiers modifiers) {
  set_cursor_pos(screen);
  track_modifiers(modifiers);
  HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
  if (!target) return;
  post(target, WM_MOUSEWHEEL, MAKEWPARAM(WORD(mouse_key_state()), WORD(short(delta))),
       MAKE_POINT_LPARAM(screen.x(), screen.y()));
}

void key_input(bool down, int virtual_key, BYTE character, KeyModifiers modifiers, UINT scan, bool extended) {
  track_modifiers(modifiers);
  set_key_state(virtual_key, down);
  HWND focus = GetFocus();
  HWND target = focus ? focus : GetActiveWindow();
  if (!target) return;
  // Alt combinations, F10, and any key while no window has the focus are system keys. Alt with
  // Ctrl is the keyboard's third level (AltGr: the Polish letters), which types characters.
  bool system = (modifiers.alt && !modifiers.control) || virtual_key == VK_F10 || !focus;
  if (virtual_key == VK_MENU) system = true;
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM flags = 1;  // repeat count
  flags |= LPARAM(scan & 0xFF) << 16;
  if (extended) flags |= LPARAM(1) << 24;
  if (modifiers.alt) flags |= LPARAM(1) << 29;
  if (!down) flags |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
  post(target, message, WPARAM(virtual_key), flags, down ? character : 0);
}

}  // namespace win
