// The packed device-independent bitmap an image window draws: the information header, the colour
// table and the bits in one block, made from a bitmap file or from an expanded stored picture.
//
// Every field is checked against the bytes given: a header of at least 40 bytes, sides of 1 to
// 16,384 pixels (a negative height is a top-down picture; run-length pictures must be bottom-up),
// 1, 4, 8, 16, 24 or 32 bits per pixel, a colour table inside the header block, all rows of an
// uncompressed picture present, and run-length input within the stored bits. Bit fields and later
// compressions are refused.
//
// Run-length bits are expanded (to BI_RGB) when the expanded block stays below 64 KB or the device
// takes large bitmaps; otherwise they stay as stored. Expansion writes only inside the expanded
// rows and reads only the stored bits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/gdi/core/gdi_types.h"

namespace imagewnd {

struct PackedDib {
  std::vector<uint8_t> bytes;  // header, colour table, bits
  int32_t width = 0;
  int32_t height = 0;  // positive
  uint32_t colours = 0;

  const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(bytes.data()); }
  const uint8_t* bits() const { return bytes.data() + bitsOffset; }
  size_t bitsOffset = 0;
};

// `info` holds the information header and the colour table (it may run on); `bits` the stored bits.
std::optional<PackedDib> MakePackedDib(std::span<const uint8_t> info, std::span<const uint8_t> bits,
                                       bool large_bitmaps);
// A bitmap file ("BM", file header, information header, colour table, bits from bfOffBits).
std::optional<PackedDib> PackedDibFromFile(std::span<const uint8_t> file, bool large_bitmaps);
// A bitmap file made of a packed DIB (a bitmap resource), its colour count written into the header.
std::vector<uint8_t> BitmapFileFromPacked(std::span<const uint8_t> packed);

// A picture's size on a device of `dpi_x` by `dpi_y` pixels per inch: multiplied by d / 96 when d is
// 96 or more, else divided by 96 / d, in whole numbers.
SIZE ScaleToDevice(int32_t width, int32_t height, int dpi_x, int dpi_y);

}  // namespace imagewnd
