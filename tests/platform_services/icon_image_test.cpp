// Icon images: the colour part and mask read back as written, and damaged bytes refused.
#include "platform/gdi/core/icon_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/byte_io.h"

namespace {

// A 5 x 3 icon: red, green and blue opaque in the top row, the rest transparent.
std::vector<uint8_t> sample(gdi::IconImage& drawn) {
  drawn.colour = gdi::Bitmap::create(5, 3, false);
  drawn.mask = gdi::Bitmap::create(5, 3, true);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) drawn.mask->at(x, y) = gdi::kWhitePixel;
  const uint32_t top[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
  for (int x = 0; x < 3; ++x) {
    drawn.colour->at(x, 0) = top[x];
    drawn.mask->at(x, 0) = gdi::kBlackPixel;
  }
  return gdi::encode_icon_image(*drawn.colour, *drawn.mask);
}

TEST(IconImage, ReadsBackWhatWasWritten) {
  gdi::IconImage drawn, read;
  std::vector<uint8_t> bytes = sample(drawn);
  // Header, 3 rows of 5 x 3 bytes padded to 16, 3 mask rows of 4 bytes.
  EXPECT_EQ(bytes.size(), 40u + 3 * 16 + 3 * 4);
  ASSERT_TRUE(gdi::decode_icon_image(bytes, read));
  ASSERT_EQ(read.colour->width(), 5);
  ASSERT_EQ(read.colour->height(), 3);
  EXPECT_TRUE(read.mask->monochrome());
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(read.colour->at(x, y), drawn.colour->at(x, y)) << x << "," << y;
      EXPECT_EQ(read.mask->at(x, y), drawn.mask->at(x, y)) << x << "," << y;
    }
  }
}

TEST(IconImage, RefusesDamagedBytes) {
  gdi::IconImage drawn, read;
  const std::vector<uint8_t> good = sample(drawn);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  auto with_u32 = [&](size_t at, uint32_t v) {
    std::vector<uint8_t> b = good;
    base::store_le32(b.data() + at, v);
    return b;
  };
  const Case cases[] = {
      {"nothing", {}},
      {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 40)},
      {"mask cut short", std::vector<uint8_t>(good.begin(), good.end() - 1)},
      {"odd double height", with_u32(8, 5)},
      {"zero height", with_u32(8, 0)},
      {"top-down height", with_u32(8, uint32_t(-6))},
      {"compressed", with_u32(16, 1)},
      {"header size too small", with_u32(0, 12)},
      {"huge width", with_u32(4, 0x7FFFFFFF)},
  };
  for (const Case& c : cases) EXPECT_FALSE(gdi::decode_icon_image(c.bytes, read)) << c.what;
}

// The fuzzer's seeds are icons of 1, 8 and 24 bits per pixel that decode.
TEST(IconImage, FuzzSeedsAreValidIcons) {
  const char* source = std::getenv("LUMO_SOURCE_DIR");
  if (!source) GTEST_SKIP() << "LUMO_SOURCE_DIR not set";
  int seen = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(source) + "/fuzz/platform_services/seeds/icon_image")) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    gdi::IconImage image;
    EXPECT_TRUE(gdi::decode_icon_image(bytes, image)) << entry.path();
    ++seen;
  }
  EXPECT_GT(seen, 0);
}

}  // namespace
