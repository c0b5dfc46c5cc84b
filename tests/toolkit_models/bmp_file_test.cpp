#include "toolkit/widgets/dib_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bmp_file::Image image(int width, int height, int bits) {
  bmp_file::Image im;
  im.header.biSize = 40;
  im.header.biWidth = width;
  im.header.biHeight = height;
  im.header.biPlanes = 1;
  im.header.biBitCount = static_cast<WORD>(bits);
  for (int i = 0; i < bmp_file::ColourCount(bits); ++i) {
    im.colours.push_back(RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), 0});
  }
  const size_t size = bmp_file::RowBytes(width, bits) * height;
  for (size_t i = 0; i < size; ++i) im.bits.push_back(static_cast<uint8_t>(i * 7 + 1));
  return im;
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}

TEST(BmpFile, RoundTripsAtEveryDepth) {
  for (int bits : {1, 4, 8, 24}) {
    const bmp_file::Image im = image(13, 5, bits);
    const std::vector<uint8_t> bytes = bmp_file::Encode(im);
    const size_t colours = bmp_file::ColourCount(bits);
    const size_t offset = 14 + 40 + 4 * colours;
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32(bytes, 2), bytes.size()) << bits;
    EXPECT_EQ(u32(bytes, 10), offset) << bits;
    EXPECT_EQ(u32(bytes, 14 + 20), 0u) << "image size written as 0";
    EXPECT_EQ(bytes.size(), offset + bmp_file::RowBytes(13, bits) * 5) << bits;

    bmp_file::Image back;
    ASSERT_TRUE(bmp_file::Decode(bytes, back)) << bits;
    EXPECT_EQ(back.header.biBitCount, bits);
    EXPECT_EQ(back.header.biWidth, 13);
    EXPECT_EQ(back.header.biHeight, 5);
    EXPECT_EQ(back.bits, im.bits) << bits;
    ASSERT_EQ(back.colours.size(), colours);
    for (size_t i = 0; i < colours; ++i) {
      EXPECT_EQ(back.colours[i].rgbRed, im.colours[i].rgbRed);
      EXPECT_EQ(back.colours[i].rgbBlue, im.colours[i].rgbBlue);
    }
    EXPECT_EQ(bmp_file::Encode(back), bytes) << bits;
  }
}

TEST(BmpFile, OneBitRowsOfWidth33TakeEightBytes) {
  EXPECT_EQ(bmp_file::RowBytes(33, 1), 8u);
  EXPECT_EQ(bmp_file::RowBytes(3, 24), 12u);
  EXPECT_EQ(bmp_file::RowBytes(5, 4), 4u);
}

TEST(BmpFile, AShortColourTableIsFilledWithBlack) {
  bmp_file::Image im = image(4, 2, 8);
  im.header.biClrUsed = 2;
  std::vector<uint8_t> bytes = bmp_file::Encode(im);
  // A file that stores only the two used colours.
  bytes.erase(bytes.begin() + 14 + 40 + 8, bytes.begin() + 14 + 40 + 1024);
  const uint32_t offset = 14 + 40 + 8;
  for (int i = 0; i < 4; ++i) bytes[10 + i] = static_cast<uint8_t>(offset >> (8 * i));
  bmp_file::Image back;
  ASSERT_TRUE(bmp_file::Decode(bytes, back));
  ASSERT_EQ(back.colours.size(), 256u);
  EXPECT_EQ(back.colours[1].rgbGreen, 254);
  EXPECT_EQ(back.colours[2].rgbGreen, 0);
  EXPECT_EQ(back.bits, im.bits);
}

TEST(BmpFile, MalformedFilesAreRefused) {
  const std::vector<uint8_t> good = bmp_file::Encode(image(7, 3, 8));
  struct Case {
    const char* what;
    size_t at;
    std::vector<uint8_t> value;  // little-endian bytes written at `at`; empty: truncate at `at`
  };
  const Case cases[] = {
      {"not BM", 0, {'P', 'K'}},
      {"header size 12", 14, {12, 0, 0, 0}},
      {"header size 4000", 14, {0xA0, 0x0F, 0, 0}},
      {"zero width", 18, {0, 0, 0, 0}},
      {"negative width", 18, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"huge width", 18, {0, 0, 1, 0}},
      {"top-down", 22, {0xFD, 0xFF, 0xFF, 0xFF}},
      {"zero height", 22, {0, 0, 0, 0}},
      {"two planes", 26, {2, 0}},
      {"16 bits", 28, {16, 0}},
      {"32 bits", 28, {32, 0}},
      {"RLE8", 30, {1, 0, 0, 0}},
      {"bit fields", 30, {3, 0, 0, 0}},
      {"too many colours", 46, {1, 1, 0, 0}},
      {"offset inside the colour table", 10, {60, 0, 0, 0}},
      {"offset past the end", 10, {0, 0, 1, 0}},
      {"pixels cut short", 0, {}},
      {"header cut short", 0, {}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    if (std::string(c.what) == "pixels cut short") {
      bytes.resize(bytes.size() - 1);
    } else if (std::string(c.what) == "header cut short") {
      bytes.resize(40);
    } else {
      std::copy(c.value.begin(), c.value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.at));
    }
    bmp_file::Image out = image(1, 1, 24);
    EXPECT_FALSE(bmp_file::Decode(bytes, out)) << c.what;
    EXPECT_EQ(out.header.biWidth, 1) << c.what;
  }
}

TEST(BmpFile, ALargerInfoHeaderIsSkipped) {
  bmp_file::Image im = image(2, 2, 24);
  std::vector<uint8_t> bytes = bmp_file::Encode(im);
  // A 108-byte header: 68 more bytes after the 40, and the offset moved on.
  bytes.insert(bytes.begin() + 54, 68, 0);
  bytes[14] = 108;
  bytes[10] = static_cast<uint8_t>(54 + 68);
  bmp_file::Image back;
  ASSERT_TRUE(bmp_file::Decode(bytes, back));
  EXPECT_EQ(back.bits, im.bits);
}

}  // namespace
