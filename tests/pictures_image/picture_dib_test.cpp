// Device-independent bitmaps and palettes: creating, loading (files, resources, archives),
// saving, pixel access, block copies, colour mapping and drawing.
#include <gtest/gtest.h>

#include "pictures/image/picture_dib.h"
#include "platform/base/cp1250.h"
#include "platform/res/resource_store.h"
#include "tests/pictures_image/picture_makers.h"

using namespace picture_test;

namespace {

const std::vector<Rgb> kTable = {{0, 0, 0}, {230, 30, 40}, {20, 90, 210}, {250, 210, 0}, {255, 255, 255}};

std::vector<uint32_t> Stripes(int width, int height) {
  std::vector<uint32_t> v;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) v.push_back(uint32_t(x * 4 / width + (y < 2 ? 0 : 1)) % 5);
  return v;
}

}  // namespace

TEST(PictureDibTest, NewBitmapIsSixteenSquareGrey) {
  CDIB dib;
  EXPECT_EQ(dib.GetSize(), CSize(16, 16));
  EXPECT_EQ(dib.GetHeader()->biBitCount, 8);
  EXPECT_EQ(dib.GetColorCount(), 256);
  EXPECT_EQ(dib.GetColors()[200].rgbGreen, 200);
  EXPECT_TRUE(dib.ownsBits);
  EXPECT_EQ(*dib.GetPixelAddress(15, 15), 0);
  EXPECT_EQ(dib.GetPixelAddress(16, 0), nullptr);
  EXPECT_EQ(dib.GetRuntimeClass()->m_lpszClassName, std::string("CDIB"));
  EXPECT_FALSE(dib.Create(0, 5));
  EXPECT_FALSE(dib.Create(5, 20000));
  EXPECT_EQ(dib.GetWidth(), 16);  // kept
}

TEST(PictureDibTest, LoadsSavesAndSerialisesBitmapFiles) {
  std::vector<uint32_t> values = Stripes(10, 4);
  std::vector<uint8_t> file = MakeBmp(10, 4, 8, values, kTable);
  CDIB dib;
  ASSERT_TRUE(dib.LoadBytes(file));
  EXPECT_EQ(dib.GetSize(), CSize(10, 4));
  EXPECT_EQ(dib.GetColorCount(), 5);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(*dib.GetPixelAddress(x, y), values[size_t(y * 10 + x)]);

  std::vector<uint8_t> saved = dib.FileBytes();
  EXPECT_EQ(saved.size(), 14 + kDibInfoBytes + 12 * 4);
  CDIB again;
  ASSERT_TRUE(again.LoadBytes(saved));
  EXPECT_EQ(*again.GetPixelAddress(9, 3), values[39]);
  EXPECT_EQ(again.GetColors()[1].rgbRed, 230);

  std::string path = TempPath("dib.bmp");
  ASSERT_TRUE(dib.Save(path.c_str()));
  CDIB fromFile;
  ASSERT_TRUE(fromFile.Load(path.c_str()));
  EXPECT_EQ(fromFile.GetSize(), CSize(10, 4));
  // A compound name whose file has no media I/O procedure reads the plain file of that name; names
  // are code page 1250 like every file name the program holds.
  const std::string title = base::cp1250::from_utf8(TempPath("tytuł.bmp"));
  ASSERT_TRUE(dib.Save((title + "+obraz.bmp").c_str()));
  CDIB element;
  ASSERT_TRUE(element.Load(title.c_str(), "obraz.bmp"));
  EXPECT_EQ(element.GetSize(), CSize(10, 4));
  EXPECT_FALSE(element.Load(title.c_str(), "brak.bmp"));
  EXPECT_EQ(element.GetSize(), CSize(10, 4));  // a failed load keeps the picture

  CArchive store;
  dib.Serialize(store);
  CArchive load(store.GetBytes());
  CDIB loaded;
  loaded.Serialize(load);
  EXPECT_EQ(*loaded.GetPixelAddress(5, 2), values[25]);
}

TEST(PictureDibTest, ReadsTheCoreHeaderForm) {
  // 12-byte header, 3-byte colour entries, 2x2 at 8 bits.
  std::vector<uint8_t> file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 14 + 12 + 6, 0, 0, 0,
                               12, 0, 0, 0, 2, 0, 2, 0, 1, 0, 8, 0};
  file.insert(file.end(), {255, 0, 0, 0, 0, 255});  // blue, then red (blue, green, red order)
  file.insert(file.end(), {0, 1, 0, 0, 1, 0, 0, 0});
  CDIB dib;
  // Colours used is zero, so the table holds 256 entries: this one is too short.
  EXPECT_FALSE(dib.LoadBytes(file));
  EXPECT_EQ(dib.GetWidth(), 16);
  // As a 1-bit picture the table of two entries is complete.
  file[24] = 1;
  file.resize(14 + 12 + 6 + 8);
  ASSERT_TRUE(dib.LoadBytes(file));
  EXPECT_EQ(dib.GetColorCount(), 2);
  EXPECT_EQ(dib.GetColors()[1].rgbRed, 255);
  EXPECT_EQ(dib.GetColors()[0].rgbBlue, 255);
}

TEST(PictureDibTest, RefusesMalformedFilesAndKeepsThePicture) {
  std::vector<uint8_t> good = MakeBmp(6, 3, 8, Stripes(6, 3), kTable);
  struct Patch {
    size_t offset;
    std::vector<uint8_t> bytes;
    const char* what;
  } patches[] = {
      {0, {'B', 'A'}, "signature"},           {14, {13, 0, 0, 0}, "header size"},
      {18, {0, 0, 0, 0}, "width"},            {22, {0xFD, 0xFF, 0xFF, 0xFF}, "negative height"},
      {22, {0, 0, 1, 0}, "huge height"},      {26, {0, 0}, "planes"},
      {28, {16, 0}, "depth"},                 {30, {1, 0, 0, 0}, "compression"},
      {46, {0, 2, 0, 0}, "colours used"},     {10, {0xFF, 0xFF, 0, 0}, "offset"},
      {10, {3, 0, 0, 0}, "offset in header"},
  };
  for (const Patch& p : patches) {
    std::vector<uint8_t> bad = good;
    std::copy(p.bytes.begin(), p.bytes.end(), bad.begin() + long(p.offset));
    CDIB dib;
    EXPECT_FALSE(dib.LoadBytes(bad)) << p.what;
    EXPECT_EQ(dib.GetSize(), CSize(16, 16)) << p.what;
  }
  for (size_t length = 0; length + 1 < good.size(); length += 5) {
    CDIB dib;
    EXPECT_FALSE(dib.LoadBytes(std::span(good).first(length))) << length;
  }
  CDIB dib;
  EXPECT_FALSE(dib.Load(TempPath("no such file.bmp").c_str()));
  EXPECT_FALSE(dib.Load("/nie/ma/a.M14", "picture"));
}

TEST(PictureDibTest, LoadsTheAboutBoxResource) {
  static const std::vector<uint8_t> file = MakeBmp(8, 2, 8, Stripes(8, 2), kTable);
  res::add_binary({res::BinaryKind::data, 207, nullptr, file});
  CDIB dib;
  ASSERT_TRUE(dib.LoadResource(207));
  EXPECT_FALSE(dib.ownsBits);
  EXPECT_EQ(dib.GetSize(), CSize(8, 2));
  EXPECT_EQ(dib.GetColors()[3].rgbGreen, 210);
  CPicturePalette palette;
  ASSERT_TRUE(palette.Create(&dib));
  EXPECT_EQ(palette.GetEntryCount(), 5);
  EXPECT_FALSE(dib.LoadResource(208));
}

TEST(PictureDibTest, CopiesBlocksWithTransparencyAndClipping) {
  CDIB source, target;
  ASSERT_TRUE(source.Create(4, 4));
  ASSERT_TRUE(target.Create(6, 6));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) *source.GetPixelAddress(x, y) = BYTE(x == y ? 9 : 7);
  ASSERT_TRUE(source.CopyBits(&target, 4, 4, 4, 4, 0, 0, 9));  // clipped to 2x2
  EXPECT_EQ(*target.GetPixelAddress(4, 4), 0);  // transparent: left alone
  EXPECT_EQ(*target.GetPixelAddress(5, 4), 7);
  EXPECT_EQ(*target.GetPixelAddress(5, 5), 0);
  ASSERT_TRUE(source.CopyBits(&target, -2, 0, 4, 1, 0, 0));
  EXPECT_EQ(*target.GetPixelAddress(0, 0), 7);
  EXPECT_EQ(*target.GetPixelAddress(1, 0), 7);
  EXPECT_EQ(*target.GetPixelAddress(2, 0), 0);
}

TEST(PictureDibTest, MapsColoursToAPaletteAndDraws) {
  CDIB dib;
  ASSERT_TRUE(dib.LoadBytes(MakeBmp(40, 8, 8, Stripes(40, 8), kTable)));
  // A palette holding the same colours in another order.
  std::vector<uint8_t> block(sizeof(LOGPALETTE) + 4 * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(block.data());
  log->palVersion = 0x300;
  log->palNumEntries = 5;
  for (int i = 0; i < 5; ++i) {
    const Rgb& c = kTable[size_t(4 - i)];
    log->palPalEntry[i] = PALETTEENTRY{c.r, c.g, c.b, 0};
  }
  CPalette palette;
  ASSERT_TRUE(palette.CreatePalette(log));
  ASSERT_TRUE(dib.MapColorsToPalette(&palette));
  EXPECT_EQ(dib.GetHeader()->biClrUsed, 256u);
  EXPECT_EQ(*dib.GetPixelAddress(0, 0), 4);  // colour 0 (black) is the palette's last

  Canvas canvas(100, 30, 0xFF808080);
  ASSERT_TRUE(dib.Draw(canvas.dc(), 2, 2));
  for (int strip = 0; strip < 4; ++strip) ASSERT_TRUE(dib.DrawStrip(canvas.dc(), 2 + strip * 12, 16, strip));
  canvas.Save("dib_draw.png");
  EXPECT_EQ(canvas.At(2, 2), kTable[0]);
  EXPECT_EQ(canvas.At(2 + 12, 2), kTable[1]);
  EXPECT_EQ(canvas.At(2 + 39, 9), kTable[4]);
  EXPECT_EQ(canvas.At(2 + 3 * 12, 16), kTable[3]);  // the fourth strip starts at x = 30
  EXPECT_EQ(canvas.At(2 + 3 * 12 + 10, 16), (Rgb{128, 128, 128}));  // strips are 10 wide
}
