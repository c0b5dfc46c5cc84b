// The BMP file as SECDib reads and writes it: the one reader and writer of these bytes in the
// toolkit.
//
// Bytes (little-endian):
//   14  file header: type "BM" (0x4D42), DWORD file size, two WORDs 0, DWORD offset of the pixels
//   40  BITMAPINFOHEADER (a larger header is accepted; its extra fields are skipped)
//       colour table: 4 bytes per entry (blue, green, red, 0); 2, 16 or 256 entries for 1, 4 and
//       8 bits per pixel (biClrUsed, when not 0, says how many are stored), none for 24 bits
//       pixel rows at the offset: bottom-up, each padded to a multiple of 4 bytes
// Written files carry the full colour table, an offset of 14 + 40 + 4 * colours and an image size
// of 0.
//
// What a reader accepts: a header of 40 to 124 bytes, one plane, 1, 4, 8 or 24 bits per pixel,
// no compression, 1 to 16,384 pixels a side, bottom-up rows (a negative height is refused), a
// used-colour count no larger than the depth allows, a colour table and rows that lie wholly
// inside the file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/core/gdi_types.h"

namespace bmp_file {

inline constexpr uint16_t kType = 0x4D42;  // "BM"
inline constexpr size_t kFileHeaderSize = 14;
inline constexpr size_t kInfoHeaderSize = 40;
inline constexpr int kMaxSide = 16384;

struct Image {
  BITMAPINFOHEADER header{};     // biSize 40; biClrUsed as stored
  std::vector<RGBQUAD> colours;  // the depth's colour count (2, 16, 256; none for 24 bits)
  std::vector<uint8_t> bits;     // bottom-up rows of RowBytes each
};

// 2, 16, 256 for 1, 4, 8 bits; 0 otherwise.
int ColourCount(int bit_count);
// Bytes of one row padded to 4 bytes.
size_t RowBytes(int width, int bit_count);

// The bytes before the pixels: file header, header, colour table. `prefix` holds at least the
// file header; `needed` receives how many bytes of the file the reader wants in total (prefix
// and pixels). False when the file header or info header is not acceptable.
bool ReadPrefix(std::span<const uint8_t> prefix, size_t& pixel_offset, size_t& needed);
// False, with `out` untouched, for anything not acceptable (see above).
bool Decode(std::span<const uint8_t> file, Image& out);
std::vector<uint8_t> Encode(const Image& image);

}  // namespace bmp_file
