// Creating and destroying windows, with the messages the platform sends on the way.
#include <QGuiApplication>

#include <algorithm>
#include <utility>

#include "platform/win/message_queue.h"
#include "platform/win/platform_widget.h"
#include "platform/win/system_metrics.h"
#include "platform/win/timers.h"
#include "platform/win/window_class.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

struct CreationHook {
  void (*hook)(HWND, void*) = nullptr;
  void* context = nullptr;
};

CreationHook& creation_hook() {
  static CreationHook h;
  return h;
}

Qt::WindowFlags widget_flags(const Window& w) {
  if (w.style & WS_CHILD) return Qt::Widget;
  Qt::WindowFlags flags = Qt::Window;
  if (!has_native_frame(w)) flags |= Qt::FramelessWindowHint;
  if (w.ex_style & WS_EX_TOOLWINDOW) flags |= Qt::Tool;
  if (w.ex_style & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  // The desktop shows a window that never takes activation the way it shows a tip.
  if (w.ex_style & WS_EX_NOACTIVATE) flags = (flags & ~Qt::WindowType_Mask) | Qt::ToolTip;
  return flags;
}

// A default position and size for CW_USEDEFAULT: cascaded top-level windows at three quarters of
// the screen.
QRect initial_rect(int x, int y, int cx, int cy, bool child) {
  if (x == CW_USEDEFAULT) x = y = child ? 0 : 32;
  if (cx == CW_USEDEFAULT) {
    cx = child ? 0 : GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
    cy = child ? 0 : GetSystemMetrics(SM_CYSCREEN) * 3 / 4;
  }
  return QRect(x, y, std::max(cx, 0), std::max(cy, 0));
}

void notify_parent(HWND h, UINT event) {
  Window* w = find_window(h);
  if (!w || !(w->style & WS_CHILD) || (w->ex_style & WS_EX_NOPARENTNOTIFY)) return;
  SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WORD(event), WORD(w->id)),
              reinterpret_cast<LPARAM>(h));
}

// Sends WM_DESTROY to the window and then to its descendants, and takes them all out of the live
// set. WM_NCDESTROY follows (children first) once each is no longer busy.
void destroy_tree(HWND h, std::vector<HWND>& order) {
  Window* w = find_window(h);
  if (!w) return;
  w->destroying = true;
  SendMessage(h, WM_DESTROY, 0, 0);
  // The record stays (it is not yet dead), so the children list is still there.
  w = find_record(h);
  std::vector<HWND> children = w->children;
  for (HWND child : children) destroy_tree(child, order);
  w = find_record(h);
  w->dead = true;
  w->style &= ~WS_VISIBLE;
  kill_timers_of(h);
  drop_messages_for(h);
  if (w->widget) {
    w->widget->hide();
    w->widget->setParent(nullptr);
  }
  std::erase(sibling_list(*w), h);
  order.push_back(h);
}

}  // namespace

void set_creation_hook(void (*hook)(HWND, void*), void* context) {
  creation_hook() = CreationHook{hook, context};
}

}  // namespace win

HWND CreateWindowEx(DWORD ex_style, const char* class_name, const char* text, DWORD style, int x,
                    int y, int cx, int cy, HWND parent, HMENU menu_or_id, void* create_params) {
  using namespace win;
  const WindowClass* cls = find_class(class_name);
  if (!cls) return nullptr;
  bool child = (style & WS_CHILD) != 0;
  if (child && !IsWindow(parent)) return nullptr;
  if (!child && parent && !IsWindow(parent)) return nullptr;

  Window& w = add_window();
  HWND h = w.handle;
  w.window_class = cls;
  w.proc = cls->proc;
  w.style = style & ~WS_VISIBLE;
  w.ex_style = ex_style;
  w.text = text ? text : "";
  w.window_rect = initial_rect(x, y, cx, cy, child);
  w.normal_rect = w.window_rect;
  w.client_rect = QRect(QPoint(0, 0), w.window_rect.size());
  if (child) {
    w.parent = parent;
    w.id = UINT(reinterpret_cast<std::uintptr_t>(menu_or_id));
  } else {
    w.owner = parent && parent != GetDesktopWindow() ? GetAncestorTopLevel(parent) : nullptr;
    w.menu = menu_or_id;
  }
  sibling_list(w).insert(sibling_list(w).begin(), h);
  QWidget* parent_widget = child ? find_window(parent)->widget.get() : nullptr;
  w.widget = std::make_unique<PlatformWidget>(h, parent_widget, widget_flags(w));
  sync_widget_title(w);
  w.surface = QImage(w.window_rect.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  w.surface.fill(Qt::white);
  if (CreationHook hook = std::exchange(creation_hook(), CreationHook{}); hook.hook) {
    hook.hook(h, hook.context);
  }

  CREATESTRUCT cs{create_params, menu_or_id, parent,  w.window_rect.height(),
                  w.window_rect.width(), w.window_rect.y(), w.window_rect.x(), LONG(style),
                  text, class_name, ex_style};
  if (!child && (style & WS_THICKFRAME)) {
    MINMAXINFO info{};
    SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    if (!IsWindow(h)) return nullptr;
  }
  if (!SendMessage(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    DestroyWindow(h);
    return nullptr;
  }
  if (Window* live = find_window(h)) {
    recompute_client_area(*live);
    sync_widget(*live);
  }
  if (SendMessage(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || !IsWindow(h)) {
    DestroyWindow(h);
    return nullptr;
  }
  if (Window* live = find_window(h)) {
    QRect client = live->client_rect;
    SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(client.width()), WORD(client.height())));
  }
  if (Window* live = find_window(h)) {
    QPoint origin = live->window_rect.topLeft() + live->client_rect.topLeft();
    SendMessage(h, WM_MOVE, 0, MAKE_POINT_LPARAM(origin.x(), origin.y()));
  }
  notify_parent(h, WM_CREATE);
  if ((style & WS_VISIBLE) && IsWindow(h)) ShowWindow(h, SW_SHOW);
  return IsWindow(h) ? h : nullptr;
}

namespace win {
namespace {
std::vector<void (*)(HWND)>& destroy_observers() {
  static std::vector<void (*)(HWND)> observers;
  return observers;
}
}  // namespace

void add_destroy_observer(void (*observer)(HWND)) {
  if (observer) destroy_observers().push_back(observer);
}
}  // namespace win

BOOL DestroyWindow(HWND h) {
  using namespace win;
  Window* w = find_window(h);
  if (!w || h == GetDesktopWindow()) return FALSE;
  if (w->destroying) return TRUE;
  w->destroying = true;
  // Owned windows go first, as on the platform.
  for (HWND other : live_windows()) {
    Window* o = find_window(other);
    if (o && o->owner == h && !(o->style & WS_CHILD)) DestroyWindow(other);
  }
  for (auto* observer : destroy_observers()) {
    if (IsWindow(h)) observer(h);
  }
  if (!IsWindow(h)) return TRUE;
  notify_parent(h, WM_DESTROY);
  if (Window* live = find_window(h); live && (live->style & WS_VISIBLE)) {
    live->style &= ~WS_VISIBLE;
    if (live->widget) live->widget->hide();
  }
  forget_window(h);
  if (!find_window(h)) return TRUE;
  find_window(h)->destroying = false;  // destroy_tree marks it again as it goes
  std::vector<HWND> order;
  destroy_tree(h, order);
  // Each window was collected after its children: the deepest finish first.
  for (HWND dead : order) finish_destruction(dead);
  return TRUE;
}

BOOL IsWindow(HWND h) { return win::find_window(h) != nullptr; }

BOOL IsWindowBeingDestroyed(HWND h) {
  const win::Window* w = win::find_window(h);
  return w && w->destroying;
}
