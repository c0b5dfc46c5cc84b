#include "platform/gdi/core/bitmap.h"

namespace gdi {

bool bitmap_size_allowed(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
         uint64_t(width) * uint64_t(height) * 4 <= kMaxBitmapBytes;
}

Bitmap::Bitmap(Key, int width, int height, bool monochrome, uint32_t fill)
    : width_(width), height_(height), monochrome_(monochrome), pixels_(size_t(width) * size_t(height), fill) {}

std::shared_ptr<Bitmap> Bitmap::create(int width, int height, bool monochrome, uint32_t fill) {
  if (!bitmap_size_allowed(width, height)) return nullptr;
  return std::make_shared<Bitmap>(Key{}, width, height, monochrome, fill);
}

}  // namespace gdi
