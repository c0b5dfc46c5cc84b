#include "platform/gdi/core/icon_image.h"

#include <cstring>

#include "platform/base/byte_io.h"
#include "platform/gdi/core/dib.h"

namespace gdi {
namespace {

size_t mask_row_bytes(int width) { return size_t((width + 31) / 32) * 4; }

}  // namespace

bool decode_icon_image(std::span<const uint8_t> bytes, IconImage& out) {
  base::ByteReader header(bytes);
  uint32_t header_size = header.u32();
  header.skip(4);  // the width, read with the rest of the header below
  int32_t double_height = header.i32();
  if (!header.ok() || header_size < sizeof(BITMAPINFOHEADER) || double_height <= 0 || double_height % 2 != 0) {
    return false;
  }
  // The DIB reader sees the colour part alone: the same header with the icon's own height.
  std::vector<uint8_t> info_bytes(bytes.begin(), bytes.end());
  base::store_le32(info_bytes.data() + 8, uint32_t(double_height / 2));
  DibInfo info;
  if (!read_dib_info(info_bytes, DIB_RGB_COLORS, {}, info) || info.header.biCompression != BI_RGB) return false;
  size_t colour_size = dib_bits_size(info.header);
  if (colour_size == 0 || info.info_size > bytes.size()) return false;

  base::ByteReader rest(bytes.subspan(info.info_size));
  std::span<const uint8_t> colour_bits, mask_bits;
  const size_t row = mask_row_bytes(info.width);
  if (!rest.view(colour_size, colour_bits) || !rest.view(row * size_t(info.height), mask_bits)) return false;
  auto colour = decode_dib(info, colour_bits);
  auto mask = Bitmap::create(info.width, info.height, true);
  if (!colour || !mask) return false;
  for (int y = 0; y < info.height; ++y) {
    const uint8_t* bits = mask_bits.data() + size_t(info.height - 1 - y) * row;
    for (int x = 0; x < info.width; ++x) {
      bool transparent = (bits[x / 8] >> (7 - x % 8)) & 1;
      mask->at(x, y) = transparent ? kWhitePixel : kBlackPixel;
    }
  }
  out = {std::move(colour), std::move(mask)};
  return true;
}

std::vector<uint8_t> encode_icon_image(const Bitmap& colour, const Bitmap& mask) {
  BITMAPINFOHEADER header{};
  std::vector<RGBQUAD> table;
  std::vector<uint8_t> rows;
  if (!encode_dib(colour, 24, header, table, rows)) return {};
  std::vector<uint8_t> bytes;
  base::ByteWriter out(bytes);
  out.u32(sizeof(BITMAPINFOHEADER));
  out.i32(header.biWidth);
  out.i32(header.biHeight * 2);
  out.u16(1);
  out.u16(24);
  out.u32(BI_RGB);
  out.u32(0);
  out.i32(0);
  out.i32(0);
  out.u32(0);
  out.u32(0);
  out.bytes(rows.data(), rows.size());
  const size_t row = mask_row_bytes(colour.width());
  for (int y = colour.height() - 1; y >= 0; --y) {
    std::vector<uint8_t> bits(row, 0);
    for (int x = 0; x < colour.width() && x < mask.width() && y < mask.height(); ++x) {
      if (mask.at(x, y) == kWhitePixel) bits[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    }
    out.bytes(bits.data(), bits.size());
  }
  return bytes;
}

}  // namespace gdi
