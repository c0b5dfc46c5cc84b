// A device over 32-bit pixels: memory bitmaps and, through the Qt layer, window surfaces.
//
// Every primitive is rasterised here, exactly and without smoothing, so that raster operations
// (exclusive-or, inversion and the rest) give the same pixels as on the platform: shapes are
// turned into coverage (pen pixels, gap pixels of styled lines, filled interiors) and then
// combined with the destination pixel by pixel. Lines leave out their last point; polygons fill
// the pixels whose centres lie inside (alternate or winding); patterns and hatches are tiled
// from the brush origin. Monochrome targets keep only black and white: a colour becomes white
// when it is light; a colour source becomes white where it equals the background colour; a
// monochrome source becomes the text colour for black and the background colour for white.
//
// Text needs fonts, which this layer does not have: the base class measures with the recording
// device's fixed metrics and draws each glyph as a box of its advance by the ascent. The Qt layer
// overrides both.
#pragma once

#include <memory>

#include "platform/gdi/core/device.h"

namespace gdi {

class RasterDevice : public Device {
 public:
  // A device over pixels owned elsewhere (a window surface).
  RasterDevice(PixelBuffer target, int dpi);
  // A memory device: draws into whatever bitmap its context selects.
  explicit RasterDevice(int dpi);

  int caps(int index) const override;
  PixelBuffer* pixels() override { return &target_; }
  std::unique_ptr<Device> create_compatible() const override;
  bool select_bitmap(std::shared_ptr<Bitmap> bitmap) override;
  std::shared_ptr<const FontMetrics> realize_font(const LOGFONT& device_font) override;

  void fill(const RECT& r, DWORD rop3, const DrawState& s) override;
  void polyline(std::span<const POINT> points, const DrawState& s) override;
  void polygons(std::span<const std::vector<POINT>> polys, const DrawState& s) override;
  void glyphs(POINT origin, std::string_view text, std::span<const int> advances,
              const FontMetrics& font, const DrawState& s, const RECT* clip) override;
  void transfer(const RECT& dst, const PixelBuffer* src, const RECT& src_rect, DWORD rop3,
                const DrawState& s) override;
  void set_pixel(POINT p, COLORREF c, const DrawState& s) override;
  COLORREF get_pixel(POINT p) override;
  bool flood_fill(POINT p, COLORREF colour, UINT type, const DrawState& s) override;

  // The parts of `r` that drawing may touch: within the target and the clip.
  Region visible(const RECT& r, const DrawState& s) const;
  int dpi() const { return dpi_; }
  bool memory() const { return memory_; }

 protected:
  // Writes a colour result to a target pixel (made black or white on monochrome targets).
  void store(uint32_t& d, uint32_t value) const;

 private:
  PixelBuffer target_;
  std::shared_ptr<Bitmap> bitmap_;  // the selected bitmap of a memory device
  int dpi_;
  bool memory_;
};

// The ternary raster operation `code` (the truth table byte of a ROP) on 24-bit colours; the
// result is opaque.
uint32_t apply_rop3(unsigned code, uint32_t pattern, uint32_t source, uint32_t dest);
// The brush's colour at device pixel (x, y), or false where a hatch brush leaves the pixel to
// the background and the background mode is transparent.
bool brush_pixel(const BrushSpec& brush, const DrawState& s, int x, int y, uint32_t& out);

}  // namespace gdi
