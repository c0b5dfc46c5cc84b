// Focus, activation, mouse capture, the keyboard state and the cursor position.
#include <QWidget>

#include <algorithm>
#include <array>
#include <deque>

#include "platform/win/message_queue.h"
#include "platform/win/platform_widget.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

struct InputState {
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  std::array<BYTE, 256> keys{};         // as input arrives; bit 7 down, bit 0 toggled
  std::array<BYTE, 256> retrieved_keys{};  // as of the last input message retrieved
  std::deque<std::pair<UINT, std::array<BYTE, 256>>> snapshots;
  UINT next_serial = 1;
  QPoint cursor;
};

InputState& state() {
  static InputState s;
  return s;
}

bool in_subtree(HWND root, HWND h) { return h && (h == root || IsChild(root, h)); }

}  // namespace

void set_key_state(int virtual_key, bool down) {
  BYTE& k = state().keys[size_t(virtual_key & 0xFF)];
  if (down && !(k & 0x80)) k ^= 0x01;
  k = BYTE(down ? (k | 0x80) : (k & ~0x80));
}

void set_key_toggled(int virtual_key, bool on) {
  InputState& s = state();
  size_t key = size_t(virtual_key & 0xFF);
  auto put = [&](std::array<BYTE, 256>& keys) { keys[key] = BYTE(on ? (keys[key] | 0x01) : (keys[key] & ~0x01)); };
  put(s.keys);
  put(s.retrieved_keys);
  for (auto& snapshot : s.snapshots) put(snapshot.second);
}

bool key_toggled_now(int virtual_key) { return (state().keys[size_t(virtual_key & 0xFF)] & 0x01) != 0; }

UINT take_key_snapshot() {
  InputState& s = state();
  UINT serial = s.next_serial++;
  if (s.next_serial == 0) s.next_serial = 1;
  s.snapshots.emplace_back(serial, s.keys);
  // Snapshots of messages that were dropped are never asked for; keep the list short.
  if (s.snapshots.size() > 4096) s.snapshots.pop_front();
  return serial;
}

void apply_key_snapshot(UINT serial) {
  InputState& s = state();
  while (!s.snapshots.empty()) {
    auto [number, keys] = s.snapshots.front();
    s.snapshots.pop_front();
    if (number == serial) {
      s.retrieved_keys = keys;
      return;
    }
  }
}

void set_cursor_pos(QPoint screen) { state().cursor = screen; }
QPoint cursor_pos() { return state().cursor; }

void forget_window(HWND h) {
  forget_mouse_tracking(h);
  InputState& s = state();
  if (in_subtree(h, s.capture)) ReleaseCapture();
  if (in_subtree(h, s.focus)) {
    Window* w = find_window(h);
    HWND to = w && (w->style & WS_CHILD) ? w->parent : nullptr;
    // A parent that is going too cannot take the focus.
    Window* target = find_window(to);
    SetFocus(target && !target->destroying ? to : nullptr);
  }
  if (s.active == h) {
    SetActiveWindow(nullptr);
    s.active = nullptr;
  }
}

}  // namespace win

using win::find_window;

HWND SetFocus(HWND h) {
  auto& s = win::state();
  if (h && !IsWindow(h)) return nullptr;
  HWND old = s.focus;
  if (old == h) return old;
  if (h) {
    HWND top = GetAncestorTopLevel(h);
    if (top != s.active) SetActiveWindow(top);
    // Activation may already have moved the focus here.
    if (s.focus == h) return old;
  }
  HWND previous = s.focus;
  s.focus = h;
  if (IsWindow(previous)) SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
  if (s.focus == h && IsWindow(h)) {
    if (auto* w = find_window(h); w && w->widget) w->widget->setFocus(Qt::OtherFocusReason);
    SendMessage(h, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  }
  return IsWindow(old) ? old : nullptr;
}

HWND GetFocus() { return IsWindow(win::state().focus) ? win::state().focus : nullptr; }

HWND SetActiveWindow(HWND h) {
  auto& s = win::state();
  HWND top = h ? GetAncestorTopLevel(h) : nullptr;
  if (h && !top) return nullptr;
  HWND old = s.active;
  if (old == top) return old;
  s.active = top;
  if (IsWindow(old)) {
    SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(top));
  }
  if (top && s.active == top && IsWindow(top)) {
    win::Window* w = find_window(top);
    auto& order = win::top_level_order();
    std::erase(order, top);
    order.insert(order.begin(), top);
    // The windows it owns (floating frames, tool windows) stay above it.
    auto owned_by_top = [top](HWND other) {
      win::Window* o = find_window(other);
      return o && o->owner == top;
    };
    std::stable_partition(order.begin(), order.end(), owned_by_top);
    if (w->widget && w->widget->isVisible() && win::desktop_manages_windows()) {
      w->widget->raise();
      for (auto it = order.rbegin(); it != order.rend(); ++it) {
        win::Window* o = owned_by_top(*it) ? find_window(*it) : nullptr;
        if (o && o->widget && o->widget->isVisible()) o->widget->raise();
      }
      w->widget->activateWindow();
    }
    SendMessage(top, WM_NCACTIVATE, TRUE, 0);
    SendMessage(top, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(top) ? 1 : 0),
                reinterpret_cast<LPARAM>(old));
  }
  return IsWindow(old) ? old : nullptr;
}

HWND GetActiveWindow() { return IsWindow(win::state().active) ? win::state().active : nullptr; }
BOOL SetForegroundWindow(HWND h) { return SetActiveWindow(h) != nullptr || GetActiveWindow() == h; }
HWND GetForegroundWindow() { return GetActiveWindow(); }

HWND SetCapture(HWND h) {
  auto& s = win::state();
  if (h && !IsWindow(h)) return nullptr;
  HWND old = s.capture;
  if (old == h) return old;
  s.capture = h;
  bool grabs = win::desktop_manages_windows();
  if (win::Window* o = find_window(old); o && o->widget && grabs) o->widget->releaseMouse();
  if (win::Window* w = find_window(h); w && w->widget && w->widget->isVisible() && grabs) {
    w->widget->grabMouse();
  }
  if (IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(h));
  return IsWindow(old) ? old : nullptr;
}

BOOL ReleaseCapture() {
  auto& s = win::state();
  HWND old = s.capture;
  if (!old) return TRUE;
  s.capture = nullptr;
  if (win::Window* o = find_window(old); o && o->widget && win::desktop_manages_windows()) {
    o->widget->releaseMouse();
  }
  if (IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return IsWindow(win::state().capture) ? win::state().capture : nullptr; }

short GetKeyState(int virtual_key) {
  BYTE k = win::state().retrieved_keys[size_t(virtual_key & 0xFF)];
  return short(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

short GetAsyncKeyState(int virtual_key) {
  return (win::state().keys[size_t(virtual_key & 0xFF)] & 0x80) ? short(0x8000) : short(0);
}

BOOL GetCursorPos(POINT* out) {
  if (!out) return FALSE;
  QPoint p = win::cursor_pos();
  *out = POINT{p.x(), p.y()};
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  win::set_cursor_pos(QPoint(x, y));
  return TRUE;
}
