#include "platform/gdi/qt_raster_device.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRegion>

#include "platform/base/cp1250.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/font_mapping.h"

namespace gdi {

namespace {

QImage image_over(const PixelBuffer& b) {
  return QImage(reinterpret_cast<uchar*>(b.bits), b.width, b.height, qsizetype(b.stride) * 4,
                QImage::Format_RGB32);
}

}  // namespace

std::unique_ptr<Device> QtRasterDevice::create_compatible() const {
  return std::make_unique<QtRasterDevice>(dpi());
}

std::shared_ptr<const FontMetrics> QtRasterDevice::realize_font(const LOGFONT& lf) {
  return with_kerning(qt_font(lf, dpi()));
}

void QtRasterDevice::glyphs(POINT origin, std::string_view text, std::span<const int> advances,
                            const FontMetrics& metrics, const DrawState& s, const RECT* clip) {
  PixelBuffer* target = pixels();
  if (!target || !target->bits || text.empty()) return;
  Region area = visible(clip ? *clip : target->bounds(), s);
  if (area.empty()) return;
  std::shared_ptr<QtFont> font = qt_font(metrics.font, dpi());

  // Glyphs are placed on the unturned line from (0, 0), and the painter turns it about the origin.
  const double baseline = metrics.tm.tmAscent;
  int width = 0;
  const QGlyphRun run = glyph_run(*font, text, advances, baseline, width);

  QImage image = image_over(*target);
  QPainter painter(&image);
  QRegion region;
  for (const RECT& r : area.rects()) region += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  painter.setClipRegion(region);
  bool mono = target->monochrome;
  painter.setRenderHint(QPainter::TextAntialiasing, !mono);
  COLORREF c = mono ? (is_light(s.text_color) ? RGB(255, 255, 255) : RGB(0, 0, 0)) : s.text_color;
  QColor colour(GetRValue(c), GetGValue(c), GetBValue(c));
  painter.setPen(colour);
  painter.translate(origin.x, origin.y);
  if (TextTurn turn(metrics.font.lfEscapement); turn.turned()) painter.rotate(-turn.degrees());
  painter.drawGlyphRun(QPointF(0, 0), run);
  // Underline and strike-out span the advances.
  if (metrics.font.lfUnderline || metrics.font.lfStrikeOut) {
    int thickness = std::max(1, int(metrics.tm.tmHeight / 16));
    if (metrics.font.lfUnderline)
      painter.fillRect(QRect(0, int(baseline) + std::max(1, int(metrics.tm.tmDescent / 2)), width, thickness),
                       colour);
    if (metrics.font.lfStrikeOut)
      painter.fillRect(QRect(0, int(baseline) - metrics.tm.tmAscent / 3, width, thickness), colour);
  }
}

namespace {

std::unique_ptr<Device> make_qt_screen() { return std::make_unique<QtRasterDevice>(96); }

}  // namespace

void install_qt_devices() { set_screen_device_factory(make_qt_screen); }

HDC create_surface_dc(QImage* surface, int dpi) {
  if (!surface || surface->format() != QImage::Format_RGB32 || surface->isNull()) return nullptr;
  install_qt_devices();
  PixelBuffer b{reinterpret_cast<uint32_t*>(surface->bits()), surface->width(), surface->height(),
                int(surface->bytesPerLine() / 4), false};
  return create_context(std::make_unique<QtRasterDevice>(b, dpi));
}

void set_paint_clip(HDC hdc, const Region* clip) {
  if (DeviceContext* dc = context_of(hdc))
    dc->set_system_clip(clip ? std::optional<Region>(*clip) : std::nullopt);
}

QImage image_of_bitmap(HBITMAP bitmap) {
  auto* b = object_as<BitmapObject>(bitmap);
  if (!b) return {};
  return image_over(b->bitmap->buffer());
}

}  // namespace gdi
