#include "tests/imagewnd/image_test_files.h"

#include "platform/base/byte_io.h"

namespace imagewnd_test {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v);
  put16(out, v >> 16);
}

std::vector<uint8_t> file_header_and_info(int width, int height, int bpp, uint32_t compression, uint32_t colours,
                                          uint32_t bits_size) {
  std::vector<uint8_t> f = {'B', 'M'};
  const uint32_t offset = 54 + 4 * colours;
  put32(f, offset + bits_size);
  put32(f, 0);
  put32(f, offset);
  put32(f, 40);
  put32(f, uint32_t(width));
  put32(f, uint32_t(height));
  put16(f, 1);
  put16(f, uint32_t(bpp));
  put32(f, compression);
  put32(f, bits_size);
  put32(f, 0);
  put32(f, 0);
  put32(f, colours);
  put32(f, 0);
  return f;
}

}  // namespace

std::vector<uint8_t> BitmapFile(int width, int height, uint32_t colour, int64_t top_colour) {
  const uint32_t row = (uint32_t(width) * 3 + 3) / 4 * 4;
  std::vector<uint8_t> f = file_header_and_info(width, height, 24, 0, 0, row * uint32_t(height));
  for (int y = 0; y < height; ++y) {  // bottom-up
    const uint32_t c = top_colour >= 0 && y >= height / 2 ? uint32_t(top_colour) : colour;
    for (int x = 0; x < width; ++x) f.insert(f.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
    for (uint32_t pad = uint32_t(width) * 3; pad < row; ++pad) f.push_back(0);
  }
  return f;
}

std::vector<uint8_t> Rle8File(int width, int height) {
  std::vector<uint8_t> bits;
  for (int y = 0; y < height; ++y) {
    for (int left = width; left > 0; left -= 255) bits.insert(bits.end(), {uint8_t(std::min(left, 255)), 1});
    bits.insert(bits.end(), {0, 0});
  }
  bits.insert(bits.end(), {0, 1});
  std::vector<uint8_t> f = file_header_and_info(width, height, 8, 1, 2, uint32_t(bits.size()));
  put32(f, 0x00FFFFFF);  // index 0 white
  put32(f, 0x00FF0000);  // index 1 red
  f.insert(f.end(), bits.begin(), bits.end());
  return f;
}

std::vector<uint8_t> Ply2File(int width, int height, uint16_t highest, const std::vector<Ply2Record>& records,
                              int extra_levels) {
  std::vector<uint8_t> f = {'P', 'L', 'Y', '2'};
  put16(f, 2);
  put16(f, 0);
  put16(f, uint32_t(records.size()));
  put16(f, highest);
  put32(f, uint32_t(width));
  put32(f, uint32_t(height));
  put32(f, 0);
  put16(f, uint32_t(extra_levels));
  f.resize(34, 0);
  const std::string name = "rys";
  put32(f, uint32_t(name.size()));
  f.resize(46, 0);
  f.insert(f.end(), name.begin(), name.end());
  for (const Ply2Record& r : records) {
    for (int v : {int(r.shape), int(r.level), int(r.number), int(r.left), int(r.top), int(r.right), int(r.bottom)})
      put16(f, uint32_t(v));
    put16(f, 2);
    f.insert(f.end(), {0xAA, 0xBB});
    put16(f, uint32_t(r.text.size()));
    f.insert(f.end(), r.text.begin(), r.text.end());
    for (int16_t v : r.shapeData) put16(f, uint16_t(v));
  }
  return f;
}

std::vector<uint8_t> SegmentedFile(const std::vector<uint8_t>& stored) {
  std::vector<uint8_t> f = {'l', 'p'};
  put16(f, 1);
  put32(f, 8);
  f.insert(f.end(), stored.begin(), stored.end());
  return f;
}

}  // namespace imagewnd_test
