// Pixels of bitmaps and raster surfaces, and the colour forms they use.
//
// Every raster surface (memory bitmap, window surface) holds 32-bit pixels 0xFFRRGGBB, rows top
// down; the top byte is always 0xFF so the same memory can be shown as an opaque image. A
// monochrome bitmap holds only black and white pixels in the same form and reports one bit per
// pixel; colour conversions into and out of it follow the platform's rules (bit_transfer.h).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/core/gdi_types.h"

namespace gdi {

inline constexpr uint32_t kOpaque = 0xFF000000u;
inline constexpr uint32_t kBlackPixel = kOpaque;
inline constexpr uint32_t kWhitePixel = 0xFFFFFFFFu;

constexpr uint32_t pixel_of(COLORREF c) {
  return kOpaque | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}
constexpr COLORREF colour_of(uint32_t p) {
  return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p));
}
// The platform's choice between black and white for a colour on a monochrome surface.
constexpr bool is_light(COLORREF c) {
  return GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11 >= 128 * 100;
}
constexpr uint32_t mono_pixel_of(COLORREF c) { return is_light(c) ? kWhitePixel : kBlackPixel; }

// A view of pixels owned elsewhere.
struct PixelBuffer {
  uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // pixels per row
  bool monochrome = false;

  uint32_t* row(int y) const { return bits + std::ptrdiff_t(y) * stride; }
  RECT bounds() const { return {0, 0, width, height}; }
};

// The largest bitmap made from stored or caller data: 16,384 pixels a side and 256 MB of pixels.
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr uint64_t kMaxBitmapBytes = 256ull << 20;
bool bitmap_size_allowed(int width, int height);

// The depth colour surfaces report: a true-colour screen of 24 bits per pixel (pictures choose
// their variant by it), though pixels are held in 32 bits.
inline constexpr int kColourDepth = 24;

// A bitmap object's pixels. Device-dependent bitmaps report the depth they were made with (1 for
// monochrome, else the screen's) and planes 1.
class Bitmap {
 public:
  // Null when the size is not allowed. A new bitmap is black, or the colour given.
  static std::shared_ptr<Bitmap> create(int width, int height, bool monochrome, uint32_t fill = kBlackPixel);

  PixelBuffer buffer() { return {pixels_.data(), width_, height_, width_, monochrome_}; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool monochrome() const { return monochrome_; }
  int bits_pixel() const { return monochrome_ ? 1 : kColourDepth; }
  uint32_t* row(int y) { return pixels_.data() + std::ptrdiff_t(y) * width_; }
  const uint32_t* row(int y) const { return pixels_.data() + std::ptrdiff_t(y) * width_; }
  uint32_t& at(int x, int y) { return row(y)[x]; }
  uint32_t at(int x, int y) const { return row(y)[x]; }

 private:
  struct Key {};

 public:
  Bitmap(Key, int width, int height, bool monochrome, uint32_t fill);

 private:
  int width_, height_;
  bool monochrome_;
  std::vector<uint32_t> pixels_;
};

}  // namespace gdi
