#include "tests/smoke/xwd_image.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace lumo::test {
namespace {

constexpr size_t kHeaderFields = 25;
constexpr size_t kColourEntrySize = 12;
constexpr uint32_t kZPixmap = 2;
constexpr uint32_t kLsbFirst = 0;

uint32_t big_endian(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
         uint32_t(bytes[at + 3]);
}

QImage fail(std::string* error, const char* why) {
  if (error) *error = why;
  return QImage();
}

}  // namespace

QImage read_xwd_screen(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(error, "the screen file cannot be opened");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < kHeaderFields * 4) return fail(error, "the screen file is shorter than its header");
  uint32_t field[kHeaderFields];
  for (size_t i = 0; i < kHeaderFields; ++i) field[i] = big_endian(bytes, i * 4);
  const uint32_t header_size = field[0], format = field[2], width = field[4], height = field[5];
  const uint32_t byte_order = field[7], bits_per_pixel = field[11], bytes_per_line = field[12];
  const uint32_t red_mask = field[14], green_mask = field[15], blue_mask = field[16];
  const uint32_t colours = field[19];
  if (format != kZPixmap || bits_per_pixel != 32 || red_mask != 0xFF0000 || green_mask != 0xFF00 ||
      blue_mask != 0xFF) {
    return fail(error, "the screen is not in 32-bit true colour");
  }
  if (width == 0 || height == 0 || width > 16384 || height > 16384 || bytes_per_line < width * 4) {
    return fail(error, "the screen's size is out of range");
  }
  const uint64_t rows_at = uint64_t(header_size) + uint64_t(colours) * kColourEntrySize;
  if (rows_at + uint64_t(bytes_per_line) * height > bytes.size()) {
    return fail(error, "the screen file is shorter than its rows");
  }
  QImage image(int(width), int(height), QImage::Format_RGB32);
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = bytes.data() + rows_at + uint64_t(y) * bytes_per_line;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* p = row + x * 4;
      uint32_t pixel = byte_order == kLsbFirst
                           ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24
                           : uint32_t(p[3]) | uint32_t(p[2]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[0]) << 24;
      out[x] = qRgb(int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF));
    }
  }
  return image;
}

}  // namespace lumo::test
