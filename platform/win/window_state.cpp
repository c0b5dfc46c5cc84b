// Window relations, visibility, enabled state, text, ids and window longs.
#include <QApplication>

#include <algorithm>
#include <cstring>

#include "platform/base/cp1250.h"
#include "platform/win/message_queue.h"
#include "platform/win/platform_widget.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_class.h"
#include "platform/win/window_internal.h"

using win::find_window;
using win::Window;

namespace win {

void sync_widget_title(Window& w) {
  if (!w.widget || (w.style & WS_CHILD)) return;
  QString title = QString::fromStdString(base::cp1250::to_utf8(w.text));
  if (w.widget->windowTitle() != title) w.widget->setWindowTitle(title);
}

}  // namespace win

HWND GetParent(HWND h) {
  Window* w = find_window(h);
  if (!w) return nullptr;
  return (w->style & WS_CHILD) ? w->parent : w->owner;
}

HWND SetParent(HWND h, HWND new_parent) {
  Window* w = find_window(h);
  if (!w || (new_parent && !IsWindow(new_parent)) || new_parent == h || IsChild(h, new_parent)) {
    return nullptr;
  }
  HWND old = w->parent;
  std::erase(win::sibling_list(*w), h);
  w->parent = new_parent;
  if (new_parent) {
    w->style = (w->style & ~WS_POPUP) | WS_CHILD;
  } else {
    w->style &= ~WS_CHILD;
  }
  auto& siblings = win::sibling_list(*w);
  siblings.insert(siblings.begin(), h);
  if (w->widget) {
    bool visible = (w->style & WS_VISIBLE) != 0;
    QWidget* parent_widget = new_parent ? find_window(new_parent)->widget.get() : nullptr;
    w->widget->setParent(parent_widget, parent_widget ? Qt::Widget : Qt::Window | Qt::FramelessWindowHint);
    win::sync_widget(*w);
    win::sync_widget_title(*w);
    w->widget->setVisible(visible);
  }
  return old;
}

HWND GetWindow(HWND h, UINT relation) {
  Window* w = find_window(h);
  if (!w) return nullptr;
  if (relation == GW_OWNER) return (w->style & WS_CHILD) ? nullptr : w->owner;
  if (relation == GW_CHILD && h == GetDesktopWindow()) return GetTopWindow(nullptr);
  if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (h == GetDesktopWindow()) return nullptr;
  const auto& siblings = win::sibling_list(*w);
  auto it = std::find(siblings.begin(), siblings.end(), h);
  switch (relation) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return it + 1 < siblings.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return it > siblings.begin() ? *(it - 1) : nullptr;
    default: return nullptr;
  }
}

HWND GetTopWindow(HWND h) {
  if (!h || h == GetDesktopWindow()) return win::top_level_order().empty() ? nullptr : win::top_level_order().front();
  return GetWindow(h, GW_CHILD);
}

// The desktop is a window record of its own covering the screen, without a widget; top-level
// windows are not its children (their parent stays null) but it lists them as such.
HWND GetDesktopWindow() {
  static HWND desktop = nullptr;
  if (win::find_window(desktop)) return desktop;
  WNDCLASS wc;
  if (!GetClassInfo("LumoDesktop", &wc)) {
    wc.lpfnWndProc = ::DefWindowProc;
    wc.lpszClassName = "LumoDesktop";
    RegisterClass(&wc);
  }
  Window& w = win::add_window();
  w.window_class = win::find_class("LumoDesktop");
  w.proc = ::DefWindowProc;
  w.style = WS_VISIBLE | WS_CLIPCHILDREN;
  w.window_rect = QRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  w.client_rect = QRect(QPoint(0, 0), w.window_rect.size());
  w.surface = QImage(1, 1, QImage::Format_RGB32);
  desktop = w.handle;
  return desktop;
}

BOOL IsChild(HWND parent, HWND h) {
  Window* w = find_window(h);
  while (w && (w->style & WS_CHILD)) {
    if (w->parent == parent) return TRUE;
    w = find_window(w->parent);
  }
  return FALSE;
}

HWND GetDlgItem(HWND parent, int id) {
  Window* w = find_window(parent);
  if (!w) return nullptr;
  for (HWND child : w->children) {
    Window* c = find_window(child);
    if (c && int(c->id) == id) return child;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND h) {
  Window* w = find_window(h);
  return w && (w->style & WS_CHILD) ? int(w->id) : 0;
}

HWND GetAncestorTopLevel(HWND h) {
  Window* w = find_window(h);
  while (w && (w->style & WS_CHILD)) {
    Window* parent = find_window(w->parent);
    if (!parent) break;
    w = parent;
  }
  return w ? w->handle : nullptr;
}

namespace {

// Maximising fills the parent's client area (the screen for a top-level window) and restoring
// goes back to the normal rectangle; the desktop does both for a window with its own frame.
void place_for_show_state(HWND h, int cmd, bool was_sized) {
  Window* w = find_window(h);
  bool native = win::has_native_frame(*w);
  bool minimize = cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE;
  bool restore = (cmd == SW_RESTORE || cmd == SW_SHOWNORMAL) && was_sized;
  if (native && w->widget) {
    if (cmd == SW_MAXIMIZE) w->widget->showMaximized();
    if (minimize) w->widget->showMinimized();
    if (restore) w->widget->showNormal();
    return;
  }
  QRect target;
  if (cmd == SW_MAXIMIZE) {
    target = (w->style & WS_CHILD) ? QRect(QPoint(0, 0), find_window(w->parent)->client_rect.size())
                                   : QRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  } else if (restore) {
    target = w->normal_rect;
  } else {
    return;
  }
  SetWindowPos(h, nullptr, target.x(), target.y(), target.width(), target.height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

BOOL ShowWindow(HWND h, int cmd) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  bool was_visible = (w->style & WS_VISIBLE) != 0;
  bool was_sized = (w->style & (WS_MAXIMIZE | WS_MINIMIZE)) != 0;
  bool show = cmd != SW_HIDE;
  if (cmd == SW_MAXIMIZE || cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED ||
      cmd == SW_SHOWMINNOACTIVE || cmd == SW_RESTORE || cmd == SW_SHOWNORMAL) {
    w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
    if (cmd == SW_MAXIMIZE) w->style |= WS_MAXIMIZE;
    if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE) {
      w->style |= WS_MINIMIZE;
    }
  }
  if (show != was_visible) {
    SendMessage(h, WM_SHOWWINDOW, show, 0);
    if (!(w = find_window(h))) return was_visible;
    WINDOWPOS pos{h, nullptr, w->window_rect.x(), w->window_rect.y(), w->window_rect.width(),
                  w->window_rect.height(),
                  SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW)};
    SendMessage(h, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = find_window(h))) return was_visible;
    if (show) {
      w->style |= WS_VISIBLE;
      win::sync_widget(*w);
      win::invalidate(*w, QRect(QPoint(0, 0), w->client_rect.size()), true, true);
    } else {
      w->style &= ~WS_VISIBLE;
      win::forget_window(h);
      if (!(w = find_window(h))) return was_visible;
    }
    if (w->widget) w->widget->setVisible(show);
    SendMessage(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = find_window(h))) return was_visible;
  }
  if (show) place_for_show_state(h, cmd, was_sized);
  if (!(w = find_window(h))) return was_visible;
  bool activate = show && !(w->style & WS_CHILD) && cmd != SW_SHOWNA &&
                  cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE;
  if (activate) SetActiveWindow(h);
  return was_visible;
}

BOOL IsWindowVisible(HWND h) {
  Window* w = find_window(h);
  while (w) {
    if (!(w->style & WS_VISIBLE)) return FALSE;
    if (!(w->style & WS_CHILD)) return TRUE;
    w = find_window(w->parent);
  }
  return FALSE;
}

BOOL EnableWindow(HWND h, BOOL enable) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  bool was_disabled = (w->style & WS_DISABLED) != 0;
  if (was_disabled == !enable) return was_disabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    // A window losing its input first gives up any mode it is in (tracking, capture).
    SendMessage(h, WM_CANCELMODE, 0, 0);
    if (!(w = find_window(h))) return was_disabled;
    w->style |= WS_DISABLED;
    win::forget_window(h);
  }
  SendMessage(h, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return was_disabled;
}

BOOL IsWindowEnabled(HWND h) {
  Window* w = find_window(h);
  return w && !(w->style & WS_DISABLED);
}

BOOL IsIconic(HWND h) {
  Window* w = find_window(h);
  return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND h) {
  Window* w = find_window(h);
  return w && (w->style & WS_MAXIMIZE);
}

BOOL SetWindowText(HWND h, const char* text) {
  return IsWindow(h) && SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

int GetWindowText(HWND h, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  return int(SendMessage(h, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND h) { return int(SendMessage(h, WM_GETTEXTLENGTH, 0, 0)); }

std::string GetWindowTextString(HWND h) {
  std::string text(size_t(std::max(GetWindowTextLength(h), 0)) + 1, '\0');
  text.resize(size_t(GetWindowText(h, text.data(), int(text.size()))));
  return text;
}

LONG_PTR GetWindowLongPtr(HWND h, int index) {
  Window* w = find_window(h);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE: return LONG_PTR(w->style);
    case GWL_EXSTYLE: return LONG_PTR(w->ex_style);
    case GWL_ID: return LONG_PTR(w->id);
    case GWL_USERDATA: return w->user_data;
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    default: return 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value) {
  Window* w = find_window(h);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtr(h, index);
  switch (index) {
    case GWL_STYLE: {
      // Visibility changes go through ShowWindow; the bit itself follows the window's state.
      DWORD visible = w->style & WS_VISIBLE;
      w->style = (DWORD(value) & ~WS_VISIBLE) | visible;
      break;
    }
    case GWL_EXSTYLE: w->ex_style = DWORD(value); break;
    case GWL_ID: w->id = UINT(value); break;
    case GWL_USERDATA: w->user_data = value; break;
    case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
    default: return 0;
  }
  return old;
}

LONG GetWindowLong(HWND h, int index) { return LONG(GetWindowLongPtr(h, index)); }
LONG SetWindowLong(HWND h, int index, LONG value) {
  LONG_PTR v = index == GWL_STYLE || index == GWL_EXSTYLE ? LONG_PTR(DWORD(value)) : LONG_PTR(value);
  return LONG(SetWindowLongPtr(h, index, v));
}

HMENU GetMenu(HWND h) {
  Window* w = find_window(h);
  return w && !(w->style & WS_CHILD) ? w->menu : nullptr;
}

BOOL SetMenu(HWND h, HMENU menu) {
  Window* w = find_window(h);
  if (!w || (w->style & WS_CHILD)) return FALSE;
  w->menu = menu;
  return TRUE;
}

BOOL MessageBeep(UINT) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return FALSE;
  QApplication::beep();
  return TRUE;
}
