// The raster device with Qt fonts: window surfaces and memory bitmaps.
//
// Everything but text is drawn by the raster device itself; glyphs are drawn with QPainter into
// a QImage over the same pixels (Format_RGB32), at the advances the context computed, clipped to
// the context's clip. Monochrome targets get unsmoothed glyphs.
#pragma once

#include <QImage>

#include "platform/gdi/core/raster_device.h"
#include "platform/gdi/font_mapping.h"

namespace gdi {

class QtRasterDevice : public RasterDevice {
 public:
  QtRasterDevice(PixelBuffer target, int dpi) : RasterDevice(target, dpi) {}
  explicit QtRasterDevice(int dpi) : RasterDevice(dpi) {}

  std::unique_ptr<Device> create_compatible() const override;
  std::shared_ptr<const FontMetrics> realize_font(const LOGFONT& device_font) override;
  bool find_face(const char* face, LOGFONT& out) override { return find_qt_face(face, out); }
  void glyphs(POINT origin, std::string_view text, std::span<const int> advances,
              const FontMetrics& font, const DrawState& s, const RECT* clip) override;
};

// A context over a window's retained surface. The surface must be QImage::Format_RGB32 and must
// outlive the context (delete the context with DeleteDC before resizing or freeing the image).
HDC create_surface_dc(QImage* surface, int dpi = 96);
// Limits every drawing of a context to `clip` (device coordinates): the part of a window being
// painted. Null removes the limit.
void set_paint_clip(HDC hdc, const Region* clip);
// Makes memory contexts made from no context (CreateCompatibleDC(NULL)) draw with Qt fonts at
// 96 dots per inch. Safe to call more than once.
void install_qt_devices();
// A QImage over a bitmap object's pixels (valid while the bitmap lives), for copying to the
// screen or saving; a null image for a wrong handle.
QImage image_of_bitmap(HBITMAP bitmap);

}  // namespace gdi
