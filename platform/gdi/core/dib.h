// Device-independent bitmaps (DIBs) and device-dependent bitmap bits: the one reader and writer
// of these pixel formats.
//
// A DIB is a BITMAPINFOHEADER (40 bytes, little-endian; larger headers are accepted and their
// extra fields skipped), then the colour table, then the rows:
//   - colour table: biClrUsed entries (0 means 1 << bit count for 1, 4 and 8 bits per pixel, none
//     above), each an RGBQUAD (blue, green, red, 0) with DIB_RGB_COLORS or a 16-bit index into
//     the context's palette with DIB_PAL_COLORS; with BI_BITFIELDS (16 and 32 bits) three 32-bit
//     masks red, green, blue come first instead.
//   - rows: each padded to a multiple of 4 bytes, bottom-up when biHeight > 0, top-down when < 0;
//     1, 4 and 8 bits are colour-table indices (high bits first), 16 bits are 5-5-5 (or the masks),
//     24 bits blue-green-red, 32 bits blue-green-red-unused (or the masks).
//   - BI_RLE8 / BI_RLE4 (8 and 4 bits, bottom-up): pairs (count, index) repeat an index (RLE4: two
//     alternating nibbles); (0, 0) ends a row, (0, 1) the bitmap, (0, 2, dx, dy) moves the pen,
//     (0, n >= 3) is n literal indices padded to a 16-bit boundary.
// Device-dependent bits (CreateBitmap, SetBitmapBits) are top-down rows padded to 16 bits; with
// several planes each row holds one run per plane and a pixel's value takes bit i from plane i.
// Values of 4 and 8 bits index the standard 16- and 256-colour palettes; 1 bit is black (0) and
// white (1).
//
// Every size is checked against the data given; pictures above 16,384 pixels a side or 256 MB
// are refused.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/gdi/core/bitmap.h"
#include "platform/gdi/core/gdi_types.h"

namespace gdi {

struct DibInfo {
  BITMAPINFOHEADER header{};
  int width = 0;
  int height = 0;  // always positive
  bool top_down = false;
  std::vector<uint32_t> colours;  // pixels (0xFFRRGGBB) of the colour table
  uint32_t masks[3] = {0, 0, 0};  // BI_BITFIELDS red, green, blue
  size_t info_size = 0;           // bytes of header and colour table
};

// Reads the header and colour table. `palette` resolves DIB_PAL_COLORS indices (null: the
// default palette). False when the header is malformed, unsupported or too large.
bool read_dib_info(std::span<const uint8_t> info, UINT usage, std::span<const PALETTEENTRY> palette,
                   DibInfo& out);
// Bytes of uncompressed rows for a header (0 when too large); compressed bits use biSizeImage.
size_t dib_bits_size(const BITMAPINFOHEADER& h);
// Decodes rows into a new 32-bit bitmap (top row first). Null when the bits are too short or
// malformed.
std::shared_ptr<Bitmap> decode_dib(const DibInfo& info, std::span<const uint8_t> bits);
// Run-length bits (BI_RLE8, or BI_RLE4 with `four`) into one colour-table index per pixel, rows
// bottom-up, width x height bytes; pixels the runs skip stay 0 and runs past a row's end or the
// last row are dropped. False when a run is cut short.
bool decode_rle_indices(std::span<const uint8_t> bits, int width, int height, bool four,
                        std::vector<uint8_t>& indices);
// A packed DIB: header, colour table and bits in one block (clipboard DIBs, metafile records).
std::shared_ptr<Bitmap> decode_packed_dib(std::span<const uint8_t> packed);

// Encodes rows of a bitmap as an uncompressed DIB of 1, 24 or 32 bits per pixel: fills the
// header (and, for 1 bit, a black-and-white colour table) and returns the rows bottom-up.
bool encode_dib(const Bitmap& bitmap, int bits_pixel, BITMAPINFOHEADER& header,
                std::vector<RGBQUAD>& colours, std::vector<uint8_t>& rows);
// A packed DIB of the bitmap in 24 bits per pixel.
std::vector<uint8_t> encode_packed_dib(const Bitmap& bitmap);

// Device-dependent bits as described above; null when the format is unsupported or `bits` is
// shorter than the size needs.
std::shared_ptr<Bitmap> decode_device_bits(int width, int height, int planes, int bits_pixel,
                                           std::span<const uint8_t> bits);
// Bytes of device-dependent bits for that size (0 when too large).
size_t device_bits_size(int width, int height, int planes, int bits_pixel);

// The standard palettes device-dependent 4- and 8-bit values index.
const std::vector<uint32_t>& standard_palette(int bits_pixel);

}  // namespace gdi
