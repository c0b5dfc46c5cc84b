// Bitmaps handed over for copying, recorded as metafiles and written into the RTF as pictures.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/datapres/dib_picture.h"
#include "engine/datapres/rtf_writer.h"
#include "platform/base/byte_io.h"
#include "platform/gdi/core/metafile_api.h"

namespace display_test {
namespace {

// A packed bitmap: the 40-byte header, `colours` table entries and `rows` rows of `stride` bytes.
std::vector<uint8_t> Dib(int32_t width, int32_t height, uint16_t bits, uint32_t colours, size_t rowBytes) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.u32(40);
  w.u32(uint32_t(width));
  w.u32(uint32_t(height));
  w.u16(1);
  w.u16(bits);
  w.u32(0);
  w.u32(0);
  w.u32(0);
  w.u32(0);
  w.u32(colours);
  w.u32(0);
  out.resize(out.size() + colours * 4 + rowBytes, 0x5A);
  return out;
}

TEST(DibPicture, BitmapBecomesAMetafileInTwipsAndAnRtfPicture) {
  datapres::DibMetafile picture;
  ASSERT_TRUE(datapres::DpDibToMetafile(Dib(2, 1, 24, 0, 8), picture));
  EXPECT_EQ(picture.width, 2);
  EXPECT_EQ(picture.height, 1);
  HMETAFILE metafile = SetMetaFileBitsEx(UINT(picture.metafile.size()), picture.metafile.data());
  ASSERT_NE(metafile, nullptr);
  DeleteMetaFile(metafile);

  datapres::RtfWriter rtf;
  rtf.picture(picture.width, picture.height, picture.metafile);
  const std::string& body = rtf.body();
  ASSERT_EQ(body.rfind("{\\pict\\wmetafile8\\picw30\\pich15\\picwgoal30\\pichgoal15 ", 0), 0u) << body;
  EXPECT_EQ(body.back(), '}');
  const std::string hex = body.substr(body.find(' ') + 1, body.size() - body.find(' ') - 2);
  EXPECT_EQ(hex.size(), picture.metafile.size() * 2);
  EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
}

TEST(DibPicture, BitmapsThatDoNotFitTheirBlockAreRefused) {
  struct Case {
    const char* what;
    std::vector<uint8_t> dib;
  };
  std::vector<uint8_t> shortHeader = Dib(2, 1, 24, 0, 8);
  shortHeader.resize(30);
  std::vector<uint8_t> hugeHeader = Dib(2, 1, 24, 0, 8);
  hugeHeader[0] = 0xFF;
  hugeHeader[1] = 0xFF;
  const Case cases[] = {
      {"header cut short", shortHeader},
      {"header size past the block", hugeHeader},
      {"rows past the block", Dib(2, 2, 24, 0, 8)},
      {"rows missing after the colour table", Dib(2, 1, 8, 256, 0)},
      {"full colour table past the block", Dib(2, 1, 8, 0, 4)},
      {"no width", Dib(0, 1, 24, 0, 8)},
      {"no rows", Dib(2, 0, 24, 0, 0)},
      {"too wide for twips", Dib(3000, 1, 1, 2, 376)},
      {"unknown depth", Dib(2, 1, 7, 0, 8)},
  };
  for (const Case& c : cases) {
    datapres::DibMetafile picture;
    EXPECT_FALSE(datapres::DpDibToMetafile(c.dib, picture)) << c.what;
  }
  // Rows stored top-down (negative height) are accepted with their count.
  datapres::DibMetafile picture;
  ASSERT_TRUE(datapres::DpDibToMetafile(Dib(1, -2, 8, 2, 8), picture));
  EXPECT_EQ(picture.height, 2);
}

// The functions of a metafile's records, in order.
std::vector<uint16_t> Functions(const std::vector<uint8_t>& metafile) {
  std::vector<uint16_t> out;
  for (size_t at = 18; at + 6 <= metafile.size();) {
    uint32_t words = base::load_le32(metafile.data() + at);
    out.push_back(base::load_le16(metafile.data() + at + 4));
    if (words < 3) break;
    at += size_t(words) * 2;
  }
  return out;
}

TEST(DibPicture, PaletteHandedOverWithTheBitmapIsRealizedBeforeIt) {
  constexpr uint16_t kCreatePalette = 0x00F7, kSelectPalette = 0x0234, kRealizePalette = 0x0035;
  constexpr uint16_t kStretchDib = 0x0F43;
  const std::vector<uint8_t> palette = {0, 3, 2, 0, 10, 20, 30, 0, 200, 100, 50, 0};
  datapres::DibMetafile picture;
  ASSERT_TRUE(datapres::DpDibToMetafile(Dib(2, 1, 8, 2, 4), picture, palette));
  std::vector<uint16_t> functions = Functions(picture.metafile);
  auto create = std::find(functions.begin(), functions.end(), kCreatePalette);
  ASSERT_NE(create, functions.end());
  ASSERT_GE(std::distance(create, functions.end()), 3);
  EXPECT_EQ(*(create + 1), kSelectPalette);
  EXPECT_EQ(*(create + 2), kRealizePalette);
  EXPECT_LT(create - functions.begin(), std::find(functions.begin(), functions.end(), kStretchDib) - functions.begin());
  EXPECT_NE(std::search(picture.metafile.begin(), picture.metafile.end(), palette.begin() + 4, palette.end()),
            picture.metafile.end());
  // Without a palette, or with one whose entries run past its block, the bitmap stands alone.
  for (const std::vector<uint8_t>& none : {std::vector<uint8_t>{}, std::vector<uint8_t>{0, 3, 3, 0, 1, 2, 3, 0}}) {
    datapres::DibMetafile plain;
    ASSERT_TRUE(datapres::DpDibToMetafile(Dib(2, 1, 8, 2, 4), plain, none));
    std::vector<uint16_t> alone = Functions(plain.metafile);
    EXPECT_EQ(std::count(alone.begin(), alone.end(), kCreatePalette), 0);
    EXPECT_EQ(std::count(alone.begin(), alone.end(), kStretchDib), 1);
  }
}

}  // namespace
}  // namespace display_test
