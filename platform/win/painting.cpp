// Invalid areas, WM_PAINT, paint and window device contexts over the retained surface, and
// scrolling of a window's pixels.
#include <QPainter>

#include "platform/gdi/core/object_api.h"

#include "platform/win/message_queue.h"
#include "platform/win/surface_dc.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

QRect client_area(const Window& w) { return QRect(QPoint(0, 0), w.client_rect.size()); }

bool has_work(const Window& w) {
  return !w.update_region.isEmpty() || w.frame_pending;
}

}  // namespace

void invalidate(Window& w, const QRegion& area, bool erase, bool frame) {
  QRegion clipped = area & client_area(w);
  w.update_region += clipped;
  if (erase && !clipped.isEmpty()) w.erase_pending = true;
  if (frame && w.client_rect != QRect(QPoint(0, 0), w.window_rect.size())) w.frame_pending = true;
}

HWND window_needing_paint(HWND filter) {
  for (HWND h : live_windows()) {
    Window* w = find_window(h);
    if (!has_work(*w) || !w->redraw_enabled || !IsWindowVisible(h)) continue;
    if (filter && h != filter && !IsChild(filter, h)) continue;
    return h;
  }
  return nullptr;
}

}  // namespace win

using win::find_window;
using win::Window;

BOOL InvalidateRect(HWND h, const RECT* rect, BOOL erase) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  QRegion area = rect ? QRegion(win::to_qrect(*rect)) : QRegion(QRect(QPoint(0, 0), w->client_rect.size()));
  win::invalidate(*w, area, erase, false);
  return TRUE;
}

BOOL ValidateRect(HWND h, const RECT* rect) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  if (rect) {
    w->update_region -= win::to_qrect(*rect);
  } else {
    w->update_region = QRegion();
    w->frame_pending = false;
  }
  if (w->update_region.isEmpty()) w->erase_pending = false;
  return TRUE;
}

BOOL GetUpdateRect(HWND h, RECT* out, BOOL erase) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  QRect bounds = w->update_region.boundingRect();
  if (out) *out = bounds.isEmpty() ? RECT{0, 0, 0, 0} : win::to_rect(bounds);
  if (erase && w->erase_pending && !bounds.isEmpty()) {
    w->erase_pending = false;
    if (HDC dc = GetDC(h)) {
      SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      ReleaseDC(h, dc);
    }
  }
  return !bounds.isEmpty();
}

BOOL UpdateWindow(HWND h) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  if ((w->update_region.isEmpty() && !w->frame_pending) || !IsWindowVisible(h)) return TRUE;
  SendMessage(h, WM_PAINT, 0, 0);
  if ((w = find_window(h))) ValidateRect(h, nullptr);
  return TRUE;
}

BOOL RedrawWindow(HWND h, const RECT* rect, HRGN region, UINT flags) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  RECT box;
  if (region && GetRgnBox(region, &box)) rect = &box;
  if (flags & RDW_INVALIDATE) {
    QRegion area = rect ? QRegion(win::to_qrect(*rect)) : QRegion(QRect(QPoint(0, 0), w->client_rect.size()));
    win::invalidate(*w, area, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0);
    if (flags & RDW_ALLCHILDREN) {
      for (HWND child : w->children) RedrawWindow(child, nullptr, nullptr, flags & ~RDW_UPDATENOW);
    }
  }
  if (flags & RDW_VALIDATE) ValidateRect(h, rect);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    UpdateWindow(h);
    if ((flags & RDW_ALLCHILDREN) && (w = find_window(h))) {
      std::vector<HWND> children = w->children;
      for (HWND child : children) UpdateWindow(child);
    }
  }
  return TRUE;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* ps) {
  Window* w = find_window(h);
  if (!w || !ps) return nullptr;
  if (w->frame_pending) {
    w->frame_pending = false;
    SendMessage(h, WM_NCPAINT, 1, 0);
    if (!(w = find_window(h))) return nullptr;
  }
  QRegion area = w->update_region;
  bool erase = w->erase_pending;
  w->update_region = QRegion();
  w->erase_pending = false;
  w->paint_area = area;
  HDC dc = win::make_surface_dc(*w, false, area);
  if (erase && dc) erase = SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
  ps->hdc = dc;
  ps->fErase = erase ? TRUE : FALSE;
  ps->rcPaint = area.isEmpty() ? RECT{0, 0, 0, 0} : win::to_rect(area.boundingRect());
  return dc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  if (Window* w = find_window(h)) w->paint_area = QRegion();
  return ReleaseDC(h, ps->hdc);
}

HDC GetDC(HWND h) {
  Window* w = find_window(h);
  return w ? win::make_surface_dc(*w, false, QRegion()) : nullptr;
}

HDC GetWindowDC(HWND h) {
  Window* w = find_window(h);
  return w ? win::make_surface_dc(*w, true, QRegion()) : nullptr;
}

int ReleaseDC(HWND h, HDC dc) {
  win::release_surface_dc(h, dc);
  return 1;
}

BOOL ScrollWindow(HWND h, int dx, int dy, const RECT* rect, const RECT* clip) {
  Window* w = find_window(h);
  if (!w) return FALSE;
  QRect client(QPoint(0, 0), w->client_rect.size());
  QRect area = rect ? win::to_qrect(*rect) & client : client;
  QRect limit = clip ? win::to_qrect(*clip) & client : client;
  QRect source = area & limit;
  QRect moved = source.translated(dx, dy) & area & limit;
  // Pixels move on the surface; what they leave uncovered needs painting.
  QPoint origin = w->client_rect.topLeft();
  QImage& surface = win::current_surface(*w);
  QImage copy = surface.copy(source.translated(origin));
  {
    QPainter painter(&surface);
    painter.setClipRect(moved.translated(origin));
    painter.drawImage(source.topLeft() + QPoint(dx, dy) + origin, copy);
  }
  QRegion exposed = QRegion(area & limit) - moved;
  // The invalid area moves with the pixels.
  QRegion pending = w->update_region & source;
  w->update_region -= source;
  w->update_region += pending.translated(dx, dy) & area & limit;
  win::invalidate(*w, exposed, true, false);
  win::surface_changed(*w, (area & limit).translated(origin));
  if (!rect) {
    for (HWND child : w->children) {
      Window* c = find_window(child);
      if (!c) continue;
      c->window_rect.translate(dx, dy);
      win::sync_widget(*c);
    }
  }
  return TRUE;
}

BOOL LockWindowUpdate(HWND h) {
  static HWND locked = nullptr;
  if (Window* old = find_window(locked)) old->redraw_enabled = true;
  locked = h;
  if (Window* w = find_window(h)) w->redraw_enabled = false;
  return TRUE;
}
