#include "toolkit/widgets/dib_file.h"

#include <algorithm>

namespace bmp_file {
namespace {

constexpr size_t kMaxHeaderSize = 124;

uint16_t u16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
uint32_t u32(std::span<const uint8_t> b, size_t at) {
  return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, static_cast<uint16_t>(v));
  put16(out, static_cast<uint16_t>(v >> 16));
}

// The info header at offset 14, checked. `stored_colours` is how many table entries the file
// holds.
bool read_header(std::span<const uint8_t> file, BITMAPINFOHEADER& h, size_t& header_size, size_t& stored_colours) {
  if (file.size() < kFileHeaderSize + kInfoHeaderSize) return false;
  if (u16(file, 0) != kType) return false;
  const size_t at = kFileHeaderSize;
  header_size = u32(file, at);
  if (header_size < kInfoHeaderSize || header_size > kMaxHeaderSize) return false;
  h.biSize = static_cast<DWORD>(kInfoHeaderSize);
  h.biWidth = static_cast<LONG>(u32(file, at + 4));
  h.biHeight = static_cast<LONG>(u32(file, at + 8));
  h.biPlanes = u16(file, at + 12);
  h.biBitCount = u16(file, at + 14);
  h.biCompression = u32(file, at + 16);
  h.biSizeImage = u32(file, at + 20);
  h.biXPelsPerMeter = static_cast<LONG>(u32(file, at + 24));
  h.biYPelsPerMeter = static_cast<LONG>(u32(file, at + 28));
  h.biClrUsed = u32(file, at + 32);
  h.biClrImportant = u32(file, at + 36);
  if (h.biPlanes != 1 || h.biCompression != 0) return false;
  if (h.biBitCount != 1 && h.biBitCount != 4 && h.biBitCount != 8 && h.biBitCount != 24) return false;
  if (h.biWidth < 1 || h.biWidth > kMaxSide || h.biHeight < 1 || h.biHeight > kMaxSide) return false;
  const int colours = ColourCount(h.biBitCount);
  if (colours == 0) {
    stored_colours = 0;
  } else {
    if (h.biClrUsed > static_cast<DWORD>(colours)) return false;
    stored_colours = h.biClrUsed ? h.biClrUsed : static_cast<size_t>(colours);
  }
  return true;
}

}  // namespace

int ColourCount(int bit_count) {
  switch (bit_count) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

size_t RowBytes(int width, int bit_count) {
  return ((static_cast<size_t>(width) * static_cast<size_t>(bit_count) + 31) / 32) * 4;
}

bool ReadPrefix(std::span<const uint8_t> prefix, size_t& pixel_offset, size_t& needed) {
  BITMAPINFOHEADER h{};
  size_t header_size = 0;
  size_t stored_colours = 0;
  if (!read_header(prefix, h, header_size, stored_colours)) return false;
  pixel_offset = u32(prefix, 10);
  if (pixel_offset < kFileHeaderSize + header_size + 4 * stored_colours) return false;
  needed = pixel_offset + RowBytes(h.biWidth, h.biBitCount) * static_cast<size_t>(h.biHeight);
  return true;
}

bool Decode(std::span<const uint8_t> file, Image& out) {
  BITMAPINFOHEADER h{};
  size_t header_size = 0;
  size_t stored_colours = 0;
  size_t offset = 0;
  size_t needed = 0;
  if (!read_header(file, h, header_size, stored_colours) || !ReadPrefix(file, offset, needed)) return false;
  if (needed > file.size()) return false;
  Image image;
  image.header = h;
  image.colours.assign(static_cast<size_t>(ColourCount(h.biBitCount)), RGBQUAD{0, 0, 0, 0});
  const size_t table = kFileHeaderSize + header_size;
  for (size_t i = 0; i < stored_colours; ++i) {
    const size_t at = table + 4 * i;
    image.colours[i] = RGBQUAD{file[at], file[at + 1], file[at + 2], 0};
  }
  image.bits.assign(file.begin() + static_cast<std::ptrdiff_t>(offset),
                    file.begin() + static_cast<std::ptrdiff_t>(needed));
  out = std::move(image);
  return true;
}

std::vector<uint8_t> Encode(const Image& image) {
  const BITMAPINFOHEADER& h = image.header;
  const size_t colours = static_cast<size_t>(ColourCount(h.biBitCount));
  const size_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
  const size_t rows = RowBytes(h.biWidth, h.biBitCount) * static_cast<size_t>(h.biHeight > 0 ? h.biHeight : 0);
  std::vector<uint8_t> out;
  out.reserve(offset + rows);
  put16(out, kType);
  put32(out, static_cast<uint32_t>(offset + rows));
  put16(out, 0);
  put16(out, 0);
  put32(out, static_cast<uint32_t>(offset));
  put32(out, static_cast<uint32_t>(kInfoHeaderSize));
  put32(out, static_cast<uint32_t>(h.biWidth));
  put32(out, static_cast<uint32_t>(h.biHeight));
  put16(out, 1);
  put16(out, h.biBitCount);
  put32(out, 0);  // no compression
  put32(out, 0);  // image size
  put32(out, static_cast<uint32_t>(h.biXPelsPerMeter));
  put32(out, static_cast<uint32_t>(h.biYPelsPerMeter));
  put32(out, h.biClrUsed);
  put32(out, h.biClrImportant);
  for (size_t i = 0; i < colours; ++i) {
    const RGBQUAD c = i < image.colours.size() ? image.colours[i] : RGBQUAD{0, 0, 0, 0};
    out.insert(out.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed, 0});
  }
  out.insert(out.end(), image.bits.begin(), image.bits.begin() + static_cast<std::ptrdiff_t>(std::min(rows, image.bits.size())));
  out.resize(offset + rows, 0);
  return out;
}

}  // namespace bmp_file
