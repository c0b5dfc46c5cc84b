#include "platform/win/surface_dc.h"

#include <map>

#include <QPainter>

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/win/window_internal.h"
#include "platform/win/window_surface.h"

namespace win {
namespace {

struct OpenDc {
  HWND window;
  QRect area;  // the surface part the context reaches (window coordinates)
};

std::map<HDC, OpenDc>& open_dcs() {
  static std::map<HDC, OpenDc> m;
  return m;
}

gdi::Region region_of(const QRegion& area) {
  gdi::Region out;
  for (const QRect& r : area) out.unite(gdi::Region(to_rect(r)));
  return out;
}

}  // namespace

HDC make_surface_dc(Window& w, bool whole_window, const QRegion& paint_area) {
  QRect area = whole_window ? QRect(QPoint(0, 0), w.window_rect.size()) : w.client_rect;
  QImage& surface = current_surface(w);
  area &= surface.rect();
  gdi::PixelBuffer pixels;
  if (!area.isEmpty()) {
    pixels.bits = reinterpret_cast<uint32_t*>(surface.scanLine(area.top())) + area.left();
    pixels.width = area.width();
    pixels.height = area.height();
    pixels.stride = int(surface.bytesPerLine() / 4);
  }
  // Memory contexts made from the screen draw text with the same fonts as windows do.
  static const bool installed = (gdi::install_qt_devices(), true);
  (void)installed;
  HDC dc = gdi::create_context(std::make_unique<gdi::QtRasterDevice>(pixels, 96));
  if (!dc) return nullptr;
  if (!paint_area.isEmpty()) gdi::context_of(dc)->set_system_clip(region_of(paint_area));
  ++w.open_dcs;
  open_dcs()[dc] = OpenDc{w.handle, area};
  return dc;
}

void release_surface_dc(HWND, HDC dc) {
  auto it = open_dcs().find(dc);
  if (it == open_dcs().end()) return;
  OpenDc open = it->second;
  open_dcs().erase(it);
  DeleteDC(dc);
  Window* w = find_record(open.window);
  if (!w) return;
  --w->open_dcs;
  if (w->dead) {
    release_if_unused(open.window);
    return;
  }
  surface_changed(*w, open.area);
  if (w->open_dcs == 0 && w->surface_stale) sync_widget(*w);
}

QImage window_surface(HWND h, bool whole_window) {
  Window* w = find_window(h);
  if (!w) return QImage();
  const QImage& surface = current_surface(*w);
  if (whole_window) return surface.copy(QRect(QPoint(0, 0), w->window_rect.size()));
  return surface.copy(w->client_rect);
}

namespace {

// Lays the visible children of `w` over `image`, whose origin is `origin` in w's window coordinates.
void lay_children(const Window& w, QImage& image, QPoint origin) {
  if (image.isNull() || w.children.empty()) return;
  QPainter painter(&image);
  for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
    Window* c = find_window(*it);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    if (c->window_rect.isEmpty()) continue;
    QImage child = current_surface(*c).copy(QRect(QPoint(0, 0), c->window_rect.size()));
    lay_children(*c, child, QPoint(0, 0));
    QPoint at = w.client_rect.topLeft() + c->window_rect.topLeft() - origin;
    painter.setClipping(!c->shape.isEmpty());
    if (!c->shape.isEmpty()) painter.setClipRegion(c->shape.translated(at));
    painter.drawImage(at, child);
  }
}

}  // namespace

QImage window_picture(HWND h, bool whole_window) {
  Window* w = find_window(h);
  if (!w) return QImage();
  QImage image = window_surface(h, whole_window);
  lay_children(*w, image, whole_window ? QPoint(0, 0) : w->client_rect.topLeft());
  return image;
}

}  // namespace win
