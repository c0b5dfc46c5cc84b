// Device-independent and device-dependent bitmap bits.
#include "platform/gdi/core/dib.h"

#include <gtest/gtest.h>

#include "platform/base/byte_io.h"

namespace {

// A DIB header (and colour table) as stored.
std::vector<uint8_t> header(int width, int height, int bits, uint32_t compression,
                            std::vector<uint32_t> colours = {}, uint32_t size_image = 0) {
  std::vector<uint8_t> out(40 + 4 * colours.size());
  uint8_t* p = out.data();
  base::store_le32(p, 40);
  base::store_le32(p + 4, uint32_t(width));
  base::store_le32(p + 8, uint32_t(height));
  base::store_le16(p + 12, 1);
  base::store_le16(p + 14, uint16_t(bits));
  base::store_le32(p + 16, compression);
  base::store_le32(p + 20, size_image);
  base::store_le32(p + 32, uint32_t(colours.size()));
  for (size_t i = 0; i < colours.size(); ++i) base::store_le32(p + 40 + 4 * i, colours[i]);
  return out;
}

std::shared_ptr<gdi::Bitmap> decode(const std::vector<uint8_t>& info, const std::vector<uint8_t>& bits) {
  gdi::DibInfo dib;
  if (!gdi::read_dib_info(info, DIB_RGB_COLORS, {}, dib)) return nullptr;
  return gdi::decode_dib(dib, bits);
}

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

TEST(Dib, DecodesEachDepthBottomUpAndTopDown) {
  // 1 bit: colour table red, green; two rows of 3 pixels, bottom row first.
  auto one = decode(header(3, 2, 1, BI_RGB, {0x00FF0000, 0x0000FF00}),
                    {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0});
  ASSERT_TRUE(one);
  EXPECT_EQ(one->at(0, 0), kRed);
  EXPECT_EQ(one->at(1, 0), kGreen);
  EXPECT_EQ(one->at(0, 1), kGreen);
  EXPECT_EQ(one->at(2, 1), kGreen);

  auto four = decode(header(2, 1, 4, BI_RGB, {0, 0x00FF0000, 0x000000FF}), {0x12, 0, 0, 0});
  ASSERT_TRUE(four);
  EXPECT_EQ(four->at(0, 0), kRed);
  EXPECT_EQ(four->at(1, 0), kBlue);

  // 24 bits, top-down: blue, green, red bytes.
  auto rgb = decode(header(1, -2, 24, BI_RGB), {0, 0, 255, 0, 0, 255, 0, 0});
  ASSERT_TRUE(rgb);
  EXPECT_EQ(rgb->at(0, 0), kRed);
  EXPECT_EQ(rgb->at(0, 1), kGreen);

  // 16 bits 5-5-5: full red.
  auto sixteen = decode(header(1, 1, 16, BI_RGB), {0x00, 0x7C, 0, 0});
  ASSERT_TRUE(sixteen);
  EXPECT_EQ(sixteen->at(0, 0), kRed);

  auto thirty_two = decode(header(1, 1, 32, BI_RGB), {255, 0, 0, 0});
  ASSERT_TRUE(thirty_two);
  EXPECT_EQ(thirty_two->at(0, 0), kBlue);
}

TEST(Dib, IndexesBeyondTheTableAreBlack) {
  auto b = decode(header(1, 1, 8, BI_RGB, {0x00FF0000}), {7, 0, 0, 0});
  ASSERT_TRUE(b);
  EXPECT_EQ(b->at(0, 0), gdi::kBlackPixel);
}

TEST(Dib, RunLengthEncodedRows) {
  // RLE8, 4 x 2: row 0 = run of 3 of index 1 then a literal 2; end of line; row 1 = delta.
  std::vector<uint8_t> rle = {3, 1, 0, 3, 2, 2, 2, 0, 0, 0, 0, 2, 1, 0, 1, 1, 0, 1};
  auto b = decode(header(4, 2, 8, BI_RLE8, {0, 0x00FF0000, 0x0000FF00}, uint32_t(rle.size())), rle);
  ASSERT_TRUE(b);
  // Bottom row is the last one in the bitmap.
  EXPECT_EQ(b->at(0, 1), kRed);
  EXPECT_EQ(b->at(2, 1), kRed);
  EXPECT_EQ(b->at(3, 1), kGreen);
  EXPECT_EQ(b->at(0, 0), gdi::kBlackPixel);
  EXPECT_EQ(b->at(1, 0), kRed);
  // RLE4: a run of 4 alternating nibbles 1, 2.
  std::vector<uint8_t> rle4 = {4, 0x12, 0, 1};
  auto c = decode(header(4, 1, 4, BI_RLE4, {0, 0x00FF0000, 0x0000FF00}), rle4);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->at(0, 0), kRed);
  EXPECT_EQ(c->at(1, 0), kGreen);
  EXPECT_EQ(c->at(2, 0), kRed);
  // Pixels no run reaches show colour 0 of the table; a run past the row's end is dropped, not
  // carried into the next row.
  std::vector<uint8_t> past = {6, 1, 0, 1};
  auto d = decode(header(4, 2, 8, BI_RLE8, {0x0000FF00, 0x00FF0000}), past);
  ASSERT_TRUE(d);
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(d->at(x, 1), kRed) << x;
    EXPECT_EQ(d->at(x, 0), kGreen) << x;
  }
  // A literal that runs past the data is an error, not a read past the end.
  std::vector<uint8_t> cut = {0, 9, 1, 2};
  EXPECT_FALSE(decode(header(4, 1, 8, BI_RLE8, {0}), cut));
}

TEST(Dib, RefusesMalformedAndOversizedHeaders) {
  gdi::DibInfo dib;
  struct Case {
    const char* name;
    std::vector<uint8_t> info;
  } cases[] = {
      {"short", std::vector<uint8_t>(20)},
      {"zero width", header(0, 1, 8, BI_RGB)},
      {"depth 3", header(1, 1, 3, BI_RGB)},
      {"rle8 at 4 bits", header(1, 1, 4, BI_RLE8)},
      {"rle top-down", header(1, -1, 8, BI_RLE8)},
      {"too wide", header(16385, 1, 24, BI_RGB)},
      {"too many bytes", header(16384, 16384, 24, BI_RGB)},
      {"table past the end", [] {
         auto h = header(1, 1, 8, BI_RGB);
         base::store_le32(h.data() + 32, 200);
         return h;
       }()},
  };
  for (const Case& c : cases) EXPECT_FALSE(gdi::read_dib_info(c.info, DIB_RGB_COLORS, {}, dib)) << c.name;
  // Rows shorter than the header says.
  EXPECT_FALSE(decode(header(4, 4, 24, BI_RGB), std::vector<uint8_t>(47)));
}

TEST(Dib, PaletteIndexColoursComeFromTheContextPalette) {
  std::vector<uint8_t> info = header(1, 1, 8, BI_RGB);
  base::store_le32(info.data() + 32, 1);
  info.push_back(1);  // one 16-bit palette index
  info.push_back(0);
  PALETTEENTRY palette[] = {{0, 0, 0, 0}, {0, 0, 255, 0}};
  gdi::DibInfo dib;
  ASSERT_TRUE(gdi::read_dib_info(info, DIB_PAL_COLORS, palette, dib));
  auto b = gdi::decode_dib(dib, std::vector<uint8_t>{0, 0, 0, 0});
  ASSERT_TRUE(b);
  EXPECT_EQ(b->at(0, 0), kBlue);
}

TEST(Dib, EncodesAndDecodesRoundTrip) {
  auto b = gdi::Bitmap::create(3, 2, false);
  b->at(0, 0) = kRed;
  b->at(2, 1) = kBlue;
  std::vector<uint8_t> packed = gdi::encode_packed_dib(*b);
  auto back = gdi::decode_packed_dib(packed);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->at(0, 0), kRed);
  EXPECT_EQ(back->at(2, 1), kBlue);
  EXPECT_EQ(back->at(1, 1), gdi::kBlackPixel);
}

TEST(DeviceBits, MonochromePlanarAndColour) {
  // Monochrome rows pad to 16 bits: 0b1000... then 0b0100....
  auto mono = gdi::decode_device_bits(2, 2, 1, 1, std::vector<uint8_t>{0x80, 0, 0x40, 0});
  ASSERT_TRUE(mono);
  EXPECT_TRUE(mono->monochrome());
  EXPECT_EQ(mono->at(0, 0), gdi::kWhitePixel);
  EXPECT_EQ(mono->at(1, 0), gdi::kBlackPixel);
  EXPECT_EQ(mono->at(1, 1), gdi::kWhitePixel);
  // Four planes: value 9 (planes 0 and 3) is bright red in the standard 16 colours.
  auto planar = gdi::decode_device_bits(1, 1, 4, 1, std::vector<uint8_t>{0x80, 0, 0, 0, 0, 0, 0x80, 0});
  ASSERT_TRUE(planar);
  EXPECT_EQ(planar->at(0, 0), kRed);
  EXPECT_FALSE(gdi::decode_device_bits(2, 2, 1, 1, std::vector<uint8_t>{0x80, 0, 0x40}));
  EXPECT_FALSE(gdi::decode_device_bits(2, 2, 2, 8, std::vector<uint8_t>(64)));
}

}  // namespace
