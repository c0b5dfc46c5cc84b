// The image of an icon as icon resources store it: one reader and one writer.
//
// Bytes (little-endian):
//   - BITMAPINFOHEADER (biSize >= 40) whose biHeight is twice the icon's height (positive: both
//     parts below are bottom-up); biCompression BI_RGB; 1, 4, 8, 24 or 32 bits per pixel;
//   - the colour table, as in a DIB (dib.h);
//   - the colour part: `height` rows of the DIB's depth, each padded to 4 bytes;
//   - the mask: `height` rows of 1 bit per pixel (high bit first), each padded to 4 bytes; a set
//     bit leaves the screen as it is (transparent), a clear bit shows the colour part.
// Drawing an icon ANDs the mask onto the screen, then XORs the colour part, so the colour part is
// black wherever the mask is set.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/gdi/core/bitmap.h"

namespace gdi {

struct IconImage {
  std::shared_ptr<Bitmap> colour;  // colour pixels
  std::shared_ptr<Bitmap> mask;    // monochrome: white transparent, black opaque
};

// False when the bytes are short, malformed or too large.
bool decode_icon_image(std::span<const uint8_t> bytes, IconImage& out);
// The bytes of an icon in 24 bits per pixel; `mask` has the size of `colour`.
std::vector<uint8_t> encode_icon_image(const Bitmap& colour, const Bitmap& mask);

}  // namespace gdi
