// Window and client rectangles, moving and sizing, Z order and coordinate mapping.
#include <QGuiApplication>

#include <algorithm>

#include "platform/gdi/core/gdi_objects.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/message_queue.h"
#include "platform/win/platform_widget.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_class.h"
#include "platform/win/window_internal.h"

namespace win {

bool native_frame_style(DWORD style) {
  return !(style & (WS_CHILD | WS_POPUP)) && (style & WS_CAPTION) == WS_CAPTION;
}

bool has_native_frame(const Window& w) { return native_frame_style(w.style); }

bool desktop_manages_windows() {
  static const bool manages = QGuiApplication::platformName() != "offscreen" &&
                              QGuiApplication::platformName() != "minimal";
  return manages;
}

QPoint window_origin_on_screen(const Window& w) {
  Window* parent = w.parent ? find_record(w.parent) : nullptr;
  if (!parent) return w.window_rect.topLeft();
  return client_origin_on_screen(*parent) + w.window_rect.topLeft();
}

QPoint client_origin_on_screen(const Window& w) {
  return window_origin_on_screen(w) + w.client_rect.topLeft();
}

void recompute_client_area(Window& w) {
  HWND h = w.handle;
  RECT r = to_rect(w.window_rect);
  SendMessage(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  Window* live = find_window(h);
  if (!live) return;
  QRect client(r.left - live->window_rect.left(), r.top - live->window_rect.top(),
               std::max(0, r.right - r.left), std::max(0, r.bottom - r.top));
  live->client_rect = client & QRect(QPoint(0, 0), live->window_rect.size());
  if (live->client_rect.isEmpty()) live->client_rect = QRect(client.topLeft(), QSize(0, 0));
}

namespace {

// Gives the surface the window's size: the pixels inside `kept` stay, the rest starts white, and
// each pixel is written once.
void resize_surface(Window& w, QSize kept) {
  QImage grown(w.window_rect.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  kept = kept.boundedTo(grown.size()).boundedTo(w.surface.size());
  constexpr QRgb kWhite = 0xFFFFFFFFu;
  for (int y = 0; y < grown.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(grown.scanLine(y));
    const int width = y < kept.height() ? kept.width() : 0;
    if (width > 0) std::copy_n(reinterpret_cast<const QRgb*>(w.surface.constScanLine(y)), width, row);
    std::fill(row + width, row + grown.width(), kWhite);
  }
  w.surface = std::move(grown);
}

}  // namespace

QImage& current_surface(Window& w) {
  if (w.surface_pending && w.open_dcs == 0) {
    w.surface_pending = false;
    resize_surface(w, w.surface_kept);
  }
  return w.surface;
}

void sync_widget(Window& w) {
  const QSize size = w.window_rect.size().expandedTo(QSize(1, 1));
  // Open device contexts point into the pixels: the surface changes size once they are released.
  w.surface_stale = w.open_dcs > 0 && w.surface.size() != size;
  if (!w.surface_stale && (w.surface_pending || w.surface.size() != size)) {
    // A frame sizes its windows many times while it lays itself out: the surface follows at its
    // next use, keeping what every size in between kept.
    if (!w.surface_pending) w.surface_kept = w.surface.size();
    w.surface_kept = w.surface_kept.boundedTo(size);
    w.surface_pending = w.surface_kept != w.surface.size() || size != w.surface.size();
  }
  if (!w.widget) return;
  QRect geometry = w.window_rect;
  if (Window* parent = w.parent ? find_record(w.parent) : nullptr) {
    geometry.translate(parent->client_rect.topLeft());
  }
  if (w.widget->geometry() != geometry) w.widget->setGeometry(geometry);
}

void surface_changed(Window& w, const QRect& area) {
  if (w.widget) w.widget->update(area);
}

}  // namespace win

using win::find_window;
using win::Window;

BOOL GetWindowRect(HWND h, RECT* out) {
  Window* w = find_window(h);
  if (!w || !out) return FALSE;
  *out = win::to_rect(QRect(win::window_origin_on_screen(*w), w->window_rect.size()));
  return TRUE;
}

BOOL GetClientRect(HWND h, RECT* out) {
  Window* w = find_window(h);
  if (!w || !out) return FALSE;
  *out = RECT{0, 0, w->client_rect.width(), w->client_rect.height()};
  return TRUE;
}

BOOL MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL repaint) {
  return SetWindowPos(h, nullptr, x, y, cx, cy,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

namespace {

void restack(Window& w, HWND insert_after) {
  auto& siblings = win::sibling_list(w);
  std::erase(siblings, w.handle);
  auto at = siblings.begin();
  if (insert_after == HWND_BOTTOM) {
    at = siblings.end();
  } else if (insert_after != HWND_TOP && insert_after != HWND_TOPMOST &&
             insert_after != HWND_NOTOPMOST) {
    auto found = std::find(siblings.begin(), siblings.end(), insert_after);
    at = found == siblings.end() ? siblings.begin() : found + 1;
  }
  siblings.insert(at, w.handle);
  if (!w.widget || (!(w.style & WS_CHILD) && !win::desktop_manages_windows())) return;
  // Qt stacks later siblings above earlier ones: restack from the bottom up.
  for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
    if (Window* s = find_window(*it); s && s->widget && (s->style & WS_CHILD)) s->widget->raise();
  }
  if (!(w.style & WS_CHILD) && at == siblings.begin()) w.widget->raise();
}

// HWND_TOPMOST and HWND_NOTOPMOST put a top-level window into or out of the topmost band: its
// WS_EX_TOPMOST bit and the desktop's stay-on-top hint follow.
void set_topmost(Window& w, bool topmost) {
  const DWORD ex_style = topmost ? (w.ex_style | WS_EX_TOPMOST) : (w.ex_style & ~DWORD(WS_EX_TOPMOST));
  if (ex_style == w.ex_style) return;
  w.ex_style = ex_style;
  if (!w.widget) return;
  const bool visible = w.widget->isVisible();
  w.widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  if (visible) w.widget->show();
}

// Lets a resizable top-level window limit its tracking size.
QSize clamp_to_min_max(HWND h, QSize size) {
  MINMAXINFO info{};
  info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXSCREEN) * 2, GetSystemMetrics(SM_CYSCREEN) * 2};
  SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return size.expandedTo(QSize(info.ptMinTrackSize.x, info.ptMinTrackSize.y))
      .boundedTo(QSize(std::max(info.ptMaxTrackSize.x, 0), std::max(info.ptMaxTrackSize.y, 0)));
}

}  // namespace

BOOL SetWindowPos(HWND h, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  QRect old = w->window_rect;
  WINDOWPOS pos{h, insert_after, x, y, std::max(cx, 0), std::max(cy, 0), flags};
  if (flags & SWP_NOMOVE) pos.x = old.x(), pos.y = old.y();
  if (flags & SWP_NOSIZE) pos.cx = old.width(), pos.cy = old.height();
  if (!(w->style & WS_CHILD) && (w->style & WS_THICKFRAME) && !(flags & SWP_NOSIZE)) {
    QSize clamped = clamp_to_min_max(h, QSize(pos.cx, pos.cy));
    pos.cx = clamped.width(), pos.cy = clamped.height();
  }
  SendMessage(h, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  if (!(w = find_window(h))) return FALSE;

  QRect now(pos.x, pos.y, std::max(pos.cx, 0), std::max(pos.cy, 0));
  bool moved = now.topLeft() != old.topLeft();
  bool sized = now.size() != old.size();
  w->window_rect = now;
  if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) w->normal_rect = now;
  if (!(pos.flags & SWP_NOZORDER)) {
    restack(*w, pos.hwndInsertAfter);
    if (!(w->style & WS_CHILD) && (pos.hwndInsertAfter == HWND_TOPMOST || pos.hwndInsertAfter == HWND_NOTOPMOST)) {
      set_topmost(*w, pos.hwndInsertAfter == HWND_TOPMOST);
    }
  }
  QRect old_client = w->client_rect;
  if (sized || (pos.flags & SWP_FRAMECHANGED)) win::recompute_client_area(*w);
  if (!(w = find_window(h))) return FALSE;
  win::sync_widget(*w);
  for (HWND child : w->children) {
    if (Window* c = find_window(child)) win::sync_widget(*c);
  }
  if (!(pos.flags & SWP_NOREDRAW) && (sized || (pos.flags & SWP_FRAMECHANGED))) {
    UINT class_style = w->window_class->style;
    bool redraw_all = (class_style & (CS_HREDRAW | CS_VREDRAW)) || (pos.flags & SWP_FRAMECHANGED) ||
                      old_client.topLeft() != w->client_rect.topLeft();
    QRegion area(QRect(QPoint(0, 0), w->client_rect.size()));
    if (!redraw_all) area -= QRect(QPoint(0, 0), old_client.size());
    win::invalidate(*w, area, true, true);
  }
  if (pos.flags & SWP_SHOWWINDOW) ShowWindow(h, SW_SHOWNA);
  if (pos.flags & SWP_HIDEWINDOW) ShowWindow(h, SW_HIDE);
  if (!IsWindow(h)) return TRUE;

  WINDOWPOS changed = pos;
  if (!moved && !(pos.flags & SWP_FRAMECHANGED)) changed.flags |= SWP_NOMOVE;
  if (!sized && !(pos.flags & SWP_FRAMECHANGED)) changed.flags |= SWP_NOSIZE;
  SendMessage(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
  return TRUE;
}

BOOL GetWindowPlacement(HWND h, WINDOWPLACEMENT* placement) {
  Window* w = find_window(h);
  if (!w || !placement) return FALSE;
  placement->flags = 0;
  placement->showCmd = (w->style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                       : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                       : (w->style & WS_VISIBLE)  ? SW_SHOWNORMAL
                                                  : SW_HIDE;
  placement->ptMinPosition = POINT{-1, -1};
  placement->ptMaxPosition = POINT{-1, -1};
  placement->rcNormalPosition = win::to_rect(w->normal_rect.isNull() ? w->window_rect : w->normal_rect);
  return TRUE;
}

BOOL SetWindowPlacement(HWND h, const WINDOWPLACEMENT* placement) {
  Window* w = find_window(h);
  if (!w || !placement) return FALSE;
  const RECT& r = placement->rcNormalPosition;
  w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
  SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (IsWindow(h)) ShowWindow(h, int(placement->showCmd));
  return TRUE;
}

BOOL BringWindowToTop(HWND h) {
  return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ClientToScreen(HWND h, POINT* p) {
  Window* w = find_window(h);
  if (!w || !p) return FALSE;
  QPoint origin = win::client_origin_on_screen(*w);
  p->x += origin.x(), p->y += origin.y();
  return TRUE;
}

BOOL ScreenToClient(HWND h, POINT* p) {
  Window* w = find_window(h);
  if (!w || !p) return FALSE;
  QPoint origin = win::client_origin_on_screen(*w);
  p->x -= origin.x(), p->y -= origin.y();
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  QPoint offset;
  if (from) {
    Window* w = find_window(from);
    if (!w) return 0;
    offset += win::client_origin_on_screen(*w);
  }
  if (to) {
    Window* w = find_window(to);
    if (!w) return 0;
    offset -= win::client_origin_on_screen(*w);
  }
  for (UINT i = 0; points && i < count; ++i) points[i].x += offset.x(), points[i].y += offset.y();
  return MAKELONG(WORD(short(offset.x())), WORD(short(offset.y())));
}

namespace {

bool shown(const Window& w) { return (w.style & WS_VISIBLE) != 0; }

// The deepest visible, enabled descendant of `w` under the screen point (or `w` itself).
HWND deepest_at(HWND h, QPoint screen) {
  Window* w = find_window(h);
  QPoint client = screen - win::client_origin_on_screen(*w);
  if (!w->client_rect.translated(-w->client_rect.topLeft()).contains(client)) return h;
  for (HWND child : w->children) {
    Window* c = find_window(child);
    if (c && shown(*c) && !(c->style & WS_DISABLED) && c->window_rect.contains(client) &&
        (c->shape.isEmpty() || c->shape.contains(client - c->window_rect.topLeft()))) {
      return deepest_at(child, screen);
    }
  }
  return h;
}

}  // namespace

HWND WindowFromPoint(POINT screen) {
  QPoint p(screen.x, screen.y);
  for (HWND top : win::top_level_order()) {
    Window* w = find_window(top);
    if (w && shown(*w) && !(w->style & WS_DISABLED) && w->window_rect.contains(p) &&
        (w->shape.isEmpty() || w->shape.contains(p - w->window_rect.topLeft()))) {
      return deepest_at(top, p);
    }
  }
  // Nothing of the program's there: the screen itself.
  return GetDesktopWindow();
}

HWND ChildWindowFromPoint(HWND parent, POINT client) {
  Window* w = find_window(parent);
  if (!w) return nullptr;
  QPoint p(client.x, client.y);
  if (!QRect(QPoint(0, 0), w->client_rect.size()).contains(p)) return nullptr;
  for (HWND child : w->children) {
    Window* c = find_window(child);
    if (c && c->window_rect.contains(p)) return child;
  }
  return parent;
}

BOOL SetWindowRgn(HWND h, HRGN region, BOOL redraw) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  QRegion shape;
  if (const auto* r = gdi::object_as<gdi::RegionObject>(region)) {
    for (const RECT& part : r->region.rects()) shape += win::to_qrect(part);
  }
  if (region) DeleteObject(region);
  w->shape = shape;
  if (w->widget) w->widget->setMask(shape);
  if (redraw && w->widget) w->widget->update();
  return TRUE;
}
