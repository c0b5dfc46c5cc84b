// Packs toolbar button images drawn as rows of characters into one device-independent bitmap, as
// a bitmap resource holds it (no file header), the images side by side in button order:
//   BITMAPINFOHEADER  40 bytes: size 40, width (image width * images), height (rows stored
//                     bottom-up), planes 1, 4 bits per pixel, no compression, size of the pixels,
//                     0, 0, 16 colours used, 0
//   colour table      16 entries of blue, green, red, 0
//   pixels            two pixels a byte, the left one in the high nibble; rows padded to 4 bytes
#include "platform/base/byte_io.h"
#include "resources/program_resources.h"

namespace resources {
namespace {

// ' ' is the button face, which the toolbar shows through.
constexpr PaletteEntry kPalette[] = {
    {' ', 0xC0, 0xC0, 0xC0}, {'#', 0x00, 0x00, 0x00}, {'.', 0xFF, 0xFF, 0xFF},
    {'-', 0x80, 0x80, 0x80}, {'b', 0x00, 0x00, 0x80}, {'r', 0xC0, 0x00, 0x00},
    {'y', 0xFF, 0xFF, 0x00}, {'g', 0x00, 0x80, 0x00}, {'c', 0xFF, 0xF8, 0xDC},
};
constexpr size_t kColours = 16;

uint8_t palette_index(char symbol) {
  for (size_t i = 0; i < std::size(kPalette); ++i) {
    if (kPalette[i].symbol == symbol) return static_cast<uint8_t>(i);
  }
  return 0;
}

}  // namespace

std::span<const PaletteEntry> button_palette() { return kPalette; }

std::vector<uint8_t> pack_button_images(std::span<const ButtonImage> images, int width,
                                        int height) {
  const size_t image_width = static_cast<size_t>(width);
  const size_t total_width = image_width * images.size();
  const size_t stride = (total_width * 4 + 31) / 32 * 4;
  std::vector<uint8_t> bytes;
  base::ByteWriter out(bytes);
  out.u32(40);
  out.i32(static_cast<int32_t>(total_width));
  out.i32(height);
  out.u16(1);
  out.u16(4);
  out.u32(0);
  out.u32(static_cast<uint32_t>(stride * static_cast<size_t>(height)));
  out.i32(0);
  out.i32(0);
  out.u32(kColours);
  out.u32(0);
  for (size_t i = 0; i < kColours; ++i) {
    const PaletteEntry entry = i < std::size(kPalette) ? kPalette[i] : PaletteEntry{};
    out.u8(entry.blue);
    out.u8(entry.green);
    out.u8(entry.red);
    out.u8(0);
  }
  auto pixel = [&](size_t x, size_t y) -> uint8_t {
    const ButtonImage& image = images[x / image_width];
    return y < image.rows.size() ? palette_index(image.rows[y][x % image_width]) : 0;
  };
  for (size_t y = static_cast<size_t>(height); y-- > 0;) {
    const size_t row_start = out.pos();
    for (size_t x = 0; x < total_width; x += 2) {
      const uint8_t right = x + 1 < total_width ? pixel(x + 1, y) : 0;
      out.u8(static_cast<uint8_t>(pixel(x, y) << 4 | right));
    }
    out.pad_to(row_start + stride);
  }
  return bytes;
}

}  // namespace resources
