#include "pictures/imagewnd/packed_dib.h"

#include <algorithm>
#include <cstring>

#include "platform/base/byte_io.h"
#include "platform/gdi/core/dib.h"

namespace imagewnd {
namespace {

constexpr int32_t kMaxSide = 16384;
constexpr size_t kFileHeader = 14;
constexpr size_t kSmallPicture = 65536;
// The most an expanded run-length picture may take, as for the engine's stored pictures.
constexpr size_t kMaxExpanded = size_t(256) << 20;

size_t row_bytes(int32_t width, int bits) { return (size_t(width) * size_t(bits) + 31) / 32 * 4; }

// Expanded run-length rows: one index per pixel packed into rows of 8 or 4 bits.
std::optional<std::vector<uint8_t>> expand_rle(std::span<const uint8_t> stored, int32_t width, int32_t height,
                                               bool four, size_t expanded_size) {
  std::vector<uint8_t> indices;
  if (!gdi::decode_rle_indices(stored, width, height, four, indices)) return std::nullopt;
  std::vector<uint8_t> rows(expanded_size, 0);
  const size_t stride = expanded_size / size_t(height);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src = indices.data() + size_t(y) * size_t(width);
    uint8_t* out = rows.data() + size_t(y) * stride;
    if (!four) {
      std::memcpy(out, src, size_t(width));
      continue;
    }
    for (int32_t x = 0; x < width; ++x) out[x / 2] |= uint8_t((src[x] & 0x0F) << ((x & 1) ? 0 : 4));
  }
  return rows;
}

}  // namespace

std::optional<PackedDib> MakePackedDib(std::span<const uint8_t> info, std::span<const uint8_t> bits,
                                       bool large_bitmaps) {
  if (info.size() < sizeof(BITMAPINFOHEADER)) return std::nullopt;
  BITMAPINFOHEADER h;
  std::memcpy(&h, info.data(), sizeof h);
  if (h.biSize < sizeof h || h.biSize > info.size()) return std::nullopt;
  if (h.biWidth < 1 || h.biWidth > kMaxSide || h.biHeight == 0 || h.biHeight < -kMaxSide || h.biHeight > kMaxSide)
    return std::nullopt;
  const int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
  const bool rle8 = h.biCompression == BI_RLE8, rle4 = h.biCompression == BI_RLE4;
  if (h.biCompression != BI_RGB && !rle8 && !rle4) return std::nullopt;
  if ((rle8 && bpp != 8) || (rle4 && bpp != 4) || ((rle8 || rle4) && h.biHeight < 0)) return std::nullopt;

  uint32_t colours = h.biClrUsed;
  if (colours == 0 && bpp <= 8) colours = 1u << bpp;
  if (bpp <= 8 && colours > (1u << bpp)) return std::nullopt;
  const size_t table_end = size_t(h.biSize) + size_t(colours) * 4;
  if (table_end > info.size()) return std::nullopt;
  h.biClrUsed = colours;

  const int32_t height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  std::vector<uint8_t> rows;
  if (rle8 || rle4) {
    const size_t stored = h.biSizeImage ? h.biSizeImage : bits.size();
    if (stored > bits.size()) return std::nullopt;
    const size_t expanded = rle8 ? (size_t(h.biWidth) + 3) / 4 * 4 * size_t(height)
                                 : (size_t(h.biWidth) + 7) / 8 * 8 * size_t(height) / 2;
    if (expanded > kMaxExpanded) return std::nullopt;
    if (table_end + expanded < kSmallPicture || large_bitmaps) {
      auto out = expand_rle(bits.first(stored), h.biWidth, height, rle4, expanded);
      if (!out) return std::nullopt;
      rows = std::move(*out);
      h.biCompression = BI_RGB;
      h.biSizeImage = DWORD(expanded);
    } else {
      rows.assign(bits.begin(), bits.begin() + ptrdiff_t(stored));
      h.biSizeImage = DWORD(stored);
    }
  } else {
    const size_t size = row_bytes(h.biWidth, bpp) * size_t(height);
    if (size > bits.size()) return std::nullopt;
    rows.assign(bits.begin(), bits.begin() + ptrdiff_t(size));
    h.biSizeImage = DWORD(size);
  }

  PackedDib dib;
  dib.width = h.biWidth;
  dib.height = height;
  dib.colours = colours;
  dib.bitsOffset = table_end;
  dib.bytes.reserve(table_end + rows.size());
  dib.bytes.assign(info.begin(), info.begin() + ptrdiff_t(table_end));
  std::memcpy(dib.bytes.data(), &h, sizeof h);
  dib.bytes.insert(dib.bytes.end(), rows.begin(), rows.end());
  return dib;
}

std::optional<PackedDib> PackedDibFromFile(std::span<const uint8_t> file, bool large_bitmaps) {
  if (file.size() < kFileHeader + sizeof(BITMAPINFOHEADER) || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  const uint32_t bits_at = base::load_le32(file.data() + 10);
  if (bits_at < kFileHeader + sizeof(BITMAPINFOHEADER) || bits_at > file.size()) return std::nullopt;
  return MakePackedDib(file.subspan(kFileHeader, bits_at - kFileHeader), file.subspan(bits_at), large_bitmaps);
}

std::vector<uint8_t> BitmapFileFromPacked(std::span<const uint8_t> packed) {
  std::vector<uint8_t> file(kFileHeader, 0);
  file.insert(file.end(), packed.begin(), packed.end());
  if (packed.size() < sizeof(BITMAPINFOHEADER)) return file;
  uint8_t* h = file.data() + kFileHeader;
  uint32_t colours = base::load_le32(h + 32);
  const uint16_t bpp = base::load_le16(h + 14);
  if (colours == 0 && bpp <= 8) {
    colours = 1u << bpp;
    base::store_le32(h + 32, colours);
  }
  file[0] = 'B';
  file[1] = 'M';
  base::store_le32(file.data() + 2, uint32_t(packed.size() + kFileHeader));
  base::store_le32(file.data() + 10, uint32_t(54 + 4 * uint64_t(std::min<uint32_t>(colours, 0x3FFFFFFF))));
  return file;
}

SIZE ScaleToDevice(int32_t width, int32_t height, int dpi_x, int dpi_y) {
  const auto scale = [](int32_t v, int d) -> int32_t {
    if (d <= 0) return v;
    return d >= 96 ? int32_t(int64_t(v) * (d / 96)) : v / (96 / d);
  };
  return {scale(width, dpi_x), scale(height, dpi_y)};
}

}  // namespace imagewnd
