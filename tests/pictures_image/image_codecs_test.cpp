// The image object and its codecs: exact pixels of small hand-made files in every format and
// depth, round trips of what the codecs write, malformed files, and the decoded colours checked
// against Qt's own image reader on the same files.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <string>
#include <vector>

#include "pictures/image/image_file.h"
#include "tests/pictures_image/picture_makers.h"

using namespace picture_test;

namespace {

// The picture's colours, rows top down.
std::vector<Rgb> Colours(const CImageFile& image) {
  std::vector<Rgb> out;
  for (int y = image.GetHeight() - 1; y >= 0; --y)
    for (int x = 0; x < image.GetWidth(); ++x) {
      Rgb c{};
      EXPECT_TRUE(image.GetRGB(x, y, &c.r, &c.g, &c.b)) << x << "," << y;
      out.push_back(c);
    }
  return out;
}

std::vector<Rgb> QtColours(const std::string& path) {
  QImage image(QString::fromStdString(path));
  std::vector<Rgb> out;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      QRgb p = image.pixel(x, y);
      out.push_back(Rgb{uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p))});
    }
  return out;
}

std::vector<Rgb> FromIndices(const std::vector<uint32_t>& values, const std::vector<Rgb>& table) {
  std::vector<Rgb> out;
  for (uint32_t v : values) out.push_back(table[v]);
  return out;
}

const std::vector<Rgb> kFour = {{0, 0, 0}, {255, 0, 0}, {0, 200, 0}, {20, 40, 255}};

std::vector<uint32_t> Pattern(int width, int height, int modulo) {
  std::vector<uint32_t> v;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) v.push_back(uint32_t((x * 3 + y * 5 + x * y) % modulo));
  return v;
}

}  // namespace

TEST(ImageTypeTest, ExtensionChoosesTheCodec) {
  struct Case {
    const char* name;
    ImageType type;
  } cases[] = {{"a.PNG", IMAGE_PNG}, {"a.png", IMAGE_PNG}, {"dir.x/a.Png", IMAGE_PNG},
               {"a.bmp", IMAGE_BMP}, {"a.gif", IMAGE_GIF}, {"a.jpg", IMAGE_JPG},
               {"a.jpeg", IMAGE_NONE}, {"a.xpm", IMAGE_XPM}, {"a", IMAGE_NONE}, {"a.", IMAGE_NONE},
               {"a.png.tif", IMAGE_NONE}, {"", IMAGE_NONE}};
  for (const Case& c : cases) EXPECT_EQ(ImageTypeFromFileName(c.name), c.type) << c.name;

  CImageFile xpm(TempPath("missing.xpm").c_str());
  EXPECT_EQ(xpm.GetType(), IMAGE_XPM);
  EXPECT_FALSE(xpm.IsValid());
  EXPECT_EQ(xpm.GetImpl(), nullptr);
  EXPECT_EQ(xpm.GetWidth(), 0);
  EXPECT_EQ(xpm.GetIndex(0, 0), -1);
  CImageFile missing(TempPath("missing.png").c_str());
  EXPECT_NE(missing.GetImpl(), nullptr);
  EXPECT_EQ(missing.GetWidth(), 0);
}

TEST(ImageImplTest, CreateSizesRowsByTheirRealBytesAndRefusesHugePictures) {
  struct Case {
    int width, height, bpp, rowBytes;
  } cases[] = {{7, 3, 1, 4}, {33, 2, 1, 8}, {5, 5, 4, 4}, {9, 1, 8, 12}, {3, 2, 24, 12},
               {16385, 1, 8, 0}, {1, 16385, 8, 0}, {0, 5, 8, 0}, {5, 5, 2, 0}, {16384, 16384, 32, 0}};
  for (const Case& c : cases) {
    CImageImpl image;
    EXPECT_EQ(image.Create(c.width, c.height, c.bpp, -1), c.rowBytes) << c.width << "x" << c.height;
    if (c.rowBytes == 0) continue;
    EXPECT_EQ(image.colorType, c.bpp <= 8 ? 0 : 2);
    EXPECT_EQ(GlobalSize(image.dib), size_t(c.rowBytes) * size_t(c.height) + kImageInfoBytes);
    // The last pixel of the top row is inside the block.
    EXPECT_TRUE(image.SetIndex(c.width - 1, c.height - 1, 1) || c.bpp > 8);
  }
  CImageImpl vga;
  vga.Create(2, 2, 8, -1);
  BYTE r, g, b;
  vga.SetIndex(0, 0, 9 + 16);
  ASSERT_TRUE(vga.GetRGB(0, 0, &r, &g, &b));
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{255, 0, 0}));
  EXPECT_FALSE(vga.SetRGB(0, 0, 1, 2, 3));  // 8 bits without a palette hold no colours
}

TEST(ImageImplTest, IndexAccessorsAddressWholeBytes) {
  CImageImpl image;
  ASSERT_GT(image.Create(9, 2, 1, -1), 0);
  image.bits[0] = 0xA5;
  EXPECT_EQ(image.GetIndex(3, 0), 0xA5);
  EXPECT_EQ(image.PixelIndex(0, 0), 1);
  EXPECT_EQ(image.PixelIndex(1, 0), 0);
  EXPECT_EQ(image.GetIndex(9, 0), -1);
  CImageImpl deep;
  deep.Create(2, 2, 24, -1);
  EXPECT_EQ(deep.GetIndex(0, 0), -1);
  EXPECT_TRUE(deep.SetRGB(1, 1, 10, 20, 30));
  EXPECT_EQ(deep.bits[deep.rowBytes + 3], 30);  // stored blue first
}

TEST(BmpCodecTest, ReadsEveryDepthExactly) {
  struct Case {
    int width, height, bpp;
    std::vector<Rgb> table;
  } cases[] = {{7, 3, 1, {{0, 0, 0}, {250, 240, 230}}},
               {13, 4, 4, kFour},
               {5, -3, 8, kFour},
               {6, 2, 24, {}}};
  for (const Case& c : cases) {
    int rows = c.height < 0 ? -c.height : c.height;
    std::vector<uint32_t> values = Pattern(c.width, rows, c.bpp == 24 ? 1 << 24 : int(c.table.size()));
    if (c.bpp == 24)
      for (uint32_t& v : values) v = v * 0x10203 + 0x405060;
    std::string path = TempPath("depth" + std::to_string(c.bpp) + ".bmp");
    ASSERT_TRUE(WriteBytes(path, MakeBmp(c.width, c.height, c.bpp, values, c.table)));
    CImageFile image(path.c_str());
    ASSERT_EQ(image.GetWidth(), c.width);
    ASSERT_EQ(image.GetHeight(), rows);
    EXPECT_EQ(image.GetBitsPerPixel(), c.bpp);
    std::vector<Rgb> expected;
    if (c.bpp == 24) {
      for (uint32_t v : values) expected.push_back(Rgb{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
    } else {
      expected = FromIndices(values, c.table);
      EXPECT_EQ(image.GetColorType(), 3);
    }
    EXPECT_EQ(Colours(image), expected) << c.bpp;
    EXPECT_EQ(Colours(image), QtColours(path)) << c.bpp;

    // What the codec writes reads back the same.
    std::string copy = TempPath("copy" + std::to_string(c.bpp) + ".bmp");
    ASSERT_TRUE(image.Write(copy.c_str()));
    CImageFile again(copy.c_str());
    EXPECT_EQ(Colours(again), expected) << c.bpp;
    EXPECT_EQ(QtColours(copy), expected) << c.bpp;
  }
}

TEST(BmpCodecTest, RefusesMalformedHeaders) {
  std::vector<uint8_t> good = MakeBmp(4, 4, 8, Pattern(4, 4, 4), kFour);
  struct Patch {
    size_t offset;
    std::vector<uint8_t> bytes;
    const char* what;
  } patches[] = {
      {14, {41, 0, 0, 0}, "header size"},     {14, {200, 0, 0, 0}, "header size"},
      {18, {0, 0, 0, 0}, "zero width"},       {18, {0xFF, 0xFF, 0xFF, 0xFF}, "negative width"},
      {18, {0, 0x50, 0, 0}, "huge width"},    {22, {0, 0, 0, 0}, "zero height"},
      {22, {0, 0, 0, 0x80}, "lowest height"}, {26, {2, 0}, "planes"},
      {28, {7, 0}, "bit count"},              {30, {1, 0, 0, 0}, "run-length compression"},
      {30, {3, 0, 0, 0}, "masks on 8 bits"},  {46, {0, 1, 0, 0}, "colours used"},
      {10, {0xF0, 0xFF, 0, 0}, "offset past the end"}, {10, {20, 0, 0, 0}, "offset inside header"},
  };
  for (const Patch& p : patches) {
    std::vector<uint8_t> bad = good;
    std::copy(p.bytes.begin(), p.bytes.end(), bad.begin() + long(p.offset));
    std::string path = TempPath("bad.bmp");
    ASSERT_TRUE(WriteBytes(path, bad));
    CImageFile image(path.c_str());
    EXPECT_EQ(image.GetWidth(), 0) << p.what;
  }
  for (size_t length = 0; length < good.size(); length += 7) {
    std::string path = TempPath("short.bmp");
    ASSERT_TRUE(WriteBytes(path, std::vector<uint8_t>(good.begin(), good.begin() + long(length))));
    CImageFile image(path.c_str());
    EXPECT_EQ(image.GetWidth(), 0) << length;
  }
}

TEST(PngCodecTest, ReadsEveryColourTypeAndDepth) {
  std::vector<Rgb> pal16;
  for (int i = 0; i < 16; ++i) pal16.push_back(Rgb{uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 5)});
  struct Case {
    const char* name;
    int width, height, colorType, depth, bpp;
    std::vector<Rgb> palette;
    bool interlaced;
  } cases[] = {
      {"pal1", 13, 3, 3, 1, 1, {{10, 20, 30}, {250, 200, 100}}, false},
      {"pal2", 7, 3, 3, 2, 8, kFour, false},
      {"pal4", 11, 5, 3, 4, 4, pal16, false},
      {"pal8", 9, 9, 3, 8, 8, pal16, true},
      {"grey1", 9, 2, 0, 1, 1, {}, false},
      {"grey2", 5, 2, 0, 2, 8, {}, false},
      {"grey4", 6, 3, 0, 4, 4, {}, false},
      {"grey8", 5, 4, 0, 8, 8, {}, false},
      {"grey16", 3, 3, 0, 16, 8, {}, false},
      {"rgb8", 5, 3, 2, 8, 24, {}, false},
      {"rgb8i", 19, 17, 2, 8, 24, {}, true},
      {"rgb16", 4, 2, 2, 16, 24, {}, false},
  };
  for (const Case& c : cases) {
    int channels = c.colorType == 2 ? 3 : 1;
    int most = c.colorType == 3 ? int(c.palette.size()) : 1 << c.depth;
    std::vector<uint16_t> samples;
    for (int i = 0; i < c.width * c.height * channels; ++i)
      samples.push_back(uint16_t((i * 7919 + i / 3) % most));
    std::string path = TempPath(std::string(c.name) + ".png");
    ASSERT_TRUE(WritePng(path, c.width, c.height, c.colorType, c.depth, samples, c.palette, c.interlaced));
    CImageFile image(path.c_str(), IMAGE_PNG);
    ASSERT_EQ(image.GetWidth(), c.width) << c.name;
    ASSERT_EQ(image.GetHeight(), c.height) << c.name;
    EXPECT_EQ(image.GetBitsPerPixel(), c.bpp) << c.name;
    std::vector<Rgb> expected;
    for (int p = 0; p < c.width * c.height; ++p) {
      if (c.colorType == 3) {
        expected.push_back(c.palette[samples[size_t(p)]]);
      } else if (c.colorType == 0) {
        int max = (1 << c.depth) - 1;
        uint8_t level = uint8_t(c.depth == 16 ? samples[size_t(p)] >> 8 : samples[size_t(p)] * 255 / max);
        expected.push_back(Rgb{level, level, level});
      } else {
        auto eight = [&](int i) { return uint8_t(c.depth == 16 ? samples[size_t(i)] >> 8 : samples[size_t(i)]); };
        expected.push_back(Rgb{eight(3 * p), eight(3 * p + 1), eight(3 * p + 2)});
      }
    }
    EXPECT_EQ(Colours(image), expected) << c.name;
    // Qt rounds 16-bit samples where the codec strips the low byte.
    std::vector<Rgb> ours = Colours(image), qt = QtColours(path);
    ASSERT_EQ(ours.size(), qt.size());
    for (size_t i = 0; i < ours.size(); ++i) {
      int slack = c.depth == 16 ? 1 : 0;
      EXPECT_NEAR(ours[i].r, qt[i].r, slack) << c.name << " " << i;
      EXPECT_NEAR(ours[i].g, qt[i].g, slack) << c.name << " " << i;
      EXPECT_NEAR(ours[i].b, qt[i].b, slack) << c.name << " " << i;
    }
  }
}

TEST(PngCodecTest, ComposesAlphaOnTheBackground) {
  // Grey with alpha (8 bits) and RGBA of 16 bits a channel: opaque, clear and half-covered pixels.
  std::string grey = TempPath("greyalpha.png");
  ASSERT_TRUE(WritePng(grey, 3, 1, 4, 8, {200, 255, 200, 0, 100, 128}));
  CImageFile ga(grey.c_str());
  ASSERT_EQ(ga.GetBitsPerPixel(), 8);
  std::vector<Rgb> got = Colours(ga);
  EXPECT_EQ(got[0], (Rgb{200, 200, 200}));
  EXPECT_EQ(got[1], (Rgb{0, 0, 0}));
  EXPECT_NEAR(got[2].r, 50, 1);

  std::string rgba = TempPath("rgba16.png");
  ASSERT_TRUE(WritePng(rgba, 2, 1, 6, 16, {0xFFFF, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0}));
  CImageFile image(rgba.c_str());
  ASSERT_EQ(image.GetBitsPerPixel(), 24);
  EXPECT_EQ(Colours(image), (std::vector<Rgb>{{255, 0, 0}, {31, 127, 255}}));
}

TEST(PngCodecTest, TransparentColoursShowTheBackground) {
  // A palette whose entry 1 is clear and entry 2 half covered; a grey file whose level 3 is clear.
  std::string pal = TempPath("paltrns.png");
  ASSERT_TRUE(WritePng(pal, 3, 1, 3, 8, {0, 1, 2}, {{200, 10, 10}, {0, 255, 0}, {255, 255, 255}}, false,
                       {255, 0, 128}));
  CImageFile image(pal.c_str());
  ASSERT_EQ(image.GetWidth(), 3);
  std::vector<Rgb> got = Colours(image);
  EXPECT_EQ(got[0], (Rgb{200, 10, 10}));
  EXPECT_EQ(got[1], (Rgb{31, 127, 255}));
  EXPECT_NEAR(got[2].r, 143, 1);
  EXPECT_NEAR(got[2].g, 191, 1);

  std::string grey = TempPath("greytrns.png");
  ASSERT_TRUE(WritePng(grey, 2, 1, 0, 4, {3, 9}, {}, false, {3}));
  CImageFile greyImage(grey.c_str());
  ASSERT_EQ(greyImage.GetWidth(), 2);
  got = Colours(greyImage);
  EXPECT_EQ(got[0], (Rgb{0, 0, 0}));  // the grey background level
  EXPECT_EQ(got[1], (Rgb{153, 153, 153}));
}

TEST(PngCodecTest, RoundTripsWhatItWrites) {
  for (int bpp : {1, 4, 8, 24}) {
    CImageFile image;
    ASSERT_GT(image.Create(11, 6, bpp, -1), 0);
    if (bpp <= 8) {
      BYTE red[16], green[16], blue[16];
      for (int i = 0; i < 16; ++i) red[i] = BYTE(i * 17), green[i] = BYTE(255 - i * 3), blue[i] = BYTE(i * 9);
      ASSERT_TRUE(image.SetPalette(bpp == 1 ? 2 : 16, red, green, blue));
    }
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 11; ++x) {
        if (bpp <= 8) {
          int i = (x + 2 * y) % (bpp == 1 ? 2 : 16);
          PALETTEENTRY e{};
          image.GetPalette()->GetPaletteEntries(UINT(i), 1, &e);
          ASSERT_TRUE(image.SetRGB(x, y, e.peRed, e.peGreen, e.peBlue));
        } else {
          ASSERT_TRUE(image.SetRGB(x, y, BYTE(x * 20), BYTE(y * 40), BYTE(255 - x)));
        }
      }
    std::vector<Rgb> expected = Colours(image);
    for (const char* ext : {".png", ".bmp"}) {
      std::string path = TempPath("round" + std::to_string(bpp) + ext);
      CImageFile writer(path.c_str());
      ASSERT_GT(writer.Create(11, 6, bpp, -1), 0);
      // Same pixels through the codec of the extension.
      std::copy(image.GetBits(), image.GetBits() + image.GetRowBytes() * 6, writer.GetBits());
      if (bpp <= 8) {
        std::vector<PaletteTriplet> rgb;
        int count = image.GetPalette()->GetEntryCount();
        std::vector<PALETTEENTRY> entries(static_cast<size_t>(count));
        image.GetPalette()->GetPaletteEntries(0, UINT(count), entries.data());
        for (const PALETTEENTRY& e : entries) rgb.push_back({e.peRed, e.peGreen, e.peBlue});
        ASSERT_TRUE(writer.SetPalette(count, rgb.data()));
      }
      ASSERT_TRUE(writer.Write()) << path;
      CImageFile reader(path.c_str());
      EXPECT_EQ(reader.GetBitsPerPixel(), bpp) << path;
      EXPECT_EQ(Colours(reader), expected) << path;
      EXPECT_EQ(QtColours(path), expected) << path;
    }
  }
}

TEST(PngCodecTest, RefusesMalformedFiles) {
  std::string path = TempPath("good.png");
  std::vector<uint16_t> samples(8 * 8 * 3, 77);
  ASSERT_TRUE(WritePng(path, 8, 8, 2, 8, samples));
  std::vector<uint8_t> good = ReadBytes(path);
  for (size_t length = 0; length < good.size(); length += 5) {
    ASSERT_TRUE(WriteBytes(path, std::vector<uint8_t>(good.begin(), good.begin() + long(length))));
    CImageFile image(path.c_str());  // no crash, no picture or a partial one
    EXPECT_LE(image.GetWidth(), 8);
  }
  // A header that claims a picture above the size cap.
  std::vector<uint8_t> huge = good;
  huge[16] = 0;
  huge[17] = 1;  // width 65,536 + 8
  ASSERT_TRUE(WriteBytes(path, huge));
  CImageFile image(path.c_str());
  EXPECT_EQ(image.GetWidth(), 0);
}

TEST(GifCodecTest, ReadsPlainAndInterlacedPicturesExactly) {
  std::vector<Rgb> table;
  for (int i = 0; i < 8; ++i) table.push_back(Rgb{uint8_t(i * 30), uint8_t(100 + i), uint8_t(255 - i * 20)});
  for (bool interlaced : {false, true}) {
    int width = 23, height = 10;
    std::vector<uint8_t> indices;
    for (int i = 0; i < width * height; ++i) indices.push_back(uint8_t((i / 3 + i / 29) % 8));
    std::string path = TempPath(interlaced ? "inter.gif" : "plain.gif");
    ASSERT_TRUE(WriteBytes(path, MakeGif(width, height, indices, table, -1, interlaced)));
    CImageFile image(path.c_str());
    ASSERT_EQ(image.GetWidth(), width);
    ASSERT_EQ(image.GetHeight(), height);
    ASSERT_EQ(image.GetBitsPerPixel(), 8);
    std::vector<Rgb> expected;
    for (uint8_t i : indices) expected.push_back(table[i]);
    EXPECT_EQ(Colours(image), expected);
    EXPECT_EQ(Colours(image), QtColours(path));
  }
}

TEST(GifCodecTest, LongRunsExerciseTheWholeCodeTable) {
  std::vector<Rgb> table;
  for (int i = 0; i < 256; ++i) table.push_back(Rgb{uint8_t(i), uint8_t(i ^ 0x55), uint8_t(255 - i)});
  int width = 301, height = 97;
  std::vector<uint8_t> indices;
  uint32_t seed = 12345;
  for (int i = 0; i < width * height; ++i) {
    seed = seed * 1103515245u + 12345u;
    indices.push_back(uint8_t(i % 7 == 0 ? (seed >> 16) : i / 50));
  }
  std::string path = TempPath("long.gif");
  ASSERT_TRUE(WriteBytes(path, MakeGif(width, height, indices, table)));
  CImageFile image(path.c_str());
  ASSERT_EQ(image.GetWidth(), width);
  std::vector<Rgb> expected;
  for (uint8_t i : indices) expected.push_back(table[i]);
  EXPECT_EQ(Colours(image), expected);
}

TEST(GifCodecTest, TransparentColourFillsTheWholePalette) {
  std::vector<Rgb> table;
  for (int i = 0; i < 16; ++i) table.push_back(Rgb{uint8_t(i * 10), uint8_t(i * 10), uint8_t(i)});
  std::vector<uint8_t> indices(4 * 4, 5);
  indices[0] = 3;
  std::string path = TempPath("clear.gif");
  ASSERT_TRUE(WriteBytes(path, MakeGif(4, 4, indices, table, 3)));
  CImageFile image(path.c_str());
  ASSERT_EQ(image.GetWidth(), 4);
  EXPECT_EQ(image.GetImpl()->transparentIndex, 3);
  ASSERT_NE(image.GetPalette(), nullptr);
  ASSERT_EQ(image.GetPalette()->GetEntryCount(), 256);
  std::vector<PALETTEENTRY> e(256);
  image.GetPalette()->GetPaletteEntries(0, 256, e.data());
  EXPECT_EQ((Rgb{e[3].peRed, e[3].peGreen, e[3].peBlue}), (Rgb{0, 0, 0}));
  EXPECT_EQ((Rgb{e[5].peRed, e[5].peGreen, e[5].peBlue}), (Rgb{50, 50, 5}));
  for (int i = 16; i < 256; ++i) EXPECT_EQ((Rgb{e[size_t(i)].peRed, e[size_t(i)].peGreen, e[size_t(i)].peBlue}), (Rgb{255, 255, 255}));

  // Drawn stretched, the transparent pixel leaves the background as it was.
  Canvas canvas(16, 16, 0xFF204060);
  ASSERT_TRUE(image.Stretch(canvas.dc(), 0, 0, 16, 16));
  canvas.Save("gif_transparent.png");
  EXPECT_EQ(canvas.At(1, 1), (Rgb{0x20, 0x40, 0x60}));
  EXPECT_EQ(canvas.At(10, 10), (Rgb{50, 50, 5}));
  EXPECT_EQ(image.GetIndex(0, 3), 3);  // the pixels are as they were
}

TEST(GifCodecTest, BadCodeSizesDecodeNothing) {
  std::vector<uint8_t> indices(5 * 5, 1);
  for (int size : {1, 9, 10}) {
    std::string path = TempPath("size.gif");
    ASSERT_TRUE(WriteBytes(path, MakeGif(5, 5, indices, kFour, -1, false, size)));
    CImageFile image(path.c_str());
    ASSERT_EQ(image.GetWidth(), 5) << size;
    EXPECT_EQ(image.GetBitsPerPixel(), 8);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(image.GetIndex(x, y), 0);
  }
}

TEST(GifCodecTest, TruncatedAndMalformedFilesDoNotCrash) {
  std::vector<uint8_t> indices(40 * 30);
  for (size_t i = 0; i < indices.size(); ++i) indices[i] = uint8_t(i % 4);
  std::vector<uint8_t> good = MakeGif(40, 30, indices, kFour, -1, true);
  std::string path = TempPath("cut.gif");
  for (size_t length = 0; length < good.size(); length += 3) {
    ASSERT_TRUE(WriteBytes(path, std::vector<uint8_t>(good.begin(), good.begin() + long(length))));
    CImageFile image(path.c_str());
    EXPECT_LE(image.GetWidth(), 40);
  }
  std::vector<uint8_t> wide = good;
  wide[6] = 0xFF;
  size_t descriptor = 13 + 12 + 5;
  wide[descriptor] = 0xFF, wide[descriptor + 1] = 0xFF;  // image width 65,535
  ASSERT_TRUE(WriteBytes(path, wide));
  CImageFile image(path.c_str());
  EXPECT_EQ(image.GetWidth(), 0);
  ASSERT_TRUE(WriteBytes(path, {'G', 'I', 'F', '7'}));
  EXPECT_FALSE(CImageFile(path.c_str()).IsValid());
}

// An image the file's data could never fill is damaged and its size is not allocated (a small file
// declaring 16,384 x 16,384 pixels used to make a 256 MB picture); a picture of one colour, the
// best case of the code, is read whole.
TEST(GifCodecTest, ImagesLargerThanTheirDataCanFillAreRefused) {
  const int width = 2000, height = 1000;
  std::vector<uint8_t> solid = MakeGif(width, height, std::vector<uint8_t>(size_t(width) * height, 2), kFour);
  std::string path = TempPath("solid.gif");
  ASSERT_TRUE(WriteBytes(path, solid));
  {
    CImageFile image(path.c_str());
    ASSERT_EQ(image.GetWidth(), width);
    EXPECT_EQ(image.GetIndex(width - 1, height - 1), 2);
  }
  const size_t descriptor = 13 + 12 + 5;
  std::vector<uint8_t> large = solid;
  large[descriptor] = large[descriptor + 2] = 0x00;
  large[descriptor + 1] = large[descriptor + 3] = 0x40;  // 16,384 x 16,384
  ASSERT_TRUE(WriteBytes(path, large));
  EXPECT_EQ(CImageFile(path.c_str()).GetWidth(), 0);
  ASSERT_TRUE(WriteBytes(path, std::vector<uint8_t>(large.begin(), large.begin() + long(descriptor + 8))));
  EXPECT_EQ(CImageFile(path.c_str()).GetWidth(), 0);
}

TEST(JpegCodecTest, ColourPicturesAreQuantisedGreyOnesGetAGreyPalette) {
  int width = 24, height = 16;
  std::vector<uint8_t> rgb;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bool left = x < 12, top = y < 8;
      Rgb c = left ? (top ? Rgb{220, 30, 30} : Rgb{30, 30, 220}) : (top ? Rgb{30, 200, 30} : Rgb{240, 240, 240});
      rgb.insert(rgb.end(), {c.r, c.g, c.b});
    }
  std::string path = TempPath("colour.jpg");
  ASSERT_TRUE(WriteJpeg(path, width, height, 3, rgb));
  CImageFile image(path.c_str());
  ASSERT_EQ(image.GetWidth(), width);
  EXPECT_EQ(image.GetBitsPerPixel(), 8);
  ASSERT_NE(image.GetPalette(), nullptr);
  EXPECT_LE(image.GetPalette()->GetEntryCount(), 150);
  std::vector<Rgb> ours = Colours(image), qt = QtColours(path);
  ASSERT_EQ(ours.size(), qt.size());
  for (size_t i = 0; i < ours.size(); ++i) {
    EXPECT_NEAR(ours[i].r, qt[i].r, 40) << i;
    EXPECT_NEAR(ours[i].g, qt[i].g, 40) << i;
    EXPECT_NEAR(ours[i].b, qt[i].b, 40) << i;
  }
  // Away from the block edges the colours are the blocks' own.
  EXPECT_NEAR(ours[size_t(2 * width + 2)].r, 220, 24);
  EXPECT_NEAR(ours[size_t(13 * width + 3)].b, 220, 24);

  std::vector<uint8_t> grey;
  for (int i = 0; i < width * height; ++i) grey.push_back(uint8_t(i % width * 10));
  std::string greyPath = TempPath("grey.jpg");
  ASSERT_TRUE(WriteJpeg(greyPath, width, height, 1, grey, 100));
  CImageFile greyImage(greyPath.c_str());
  ASSERT_EQ(greyImage.GetBitsPerPixel(), 8);
  ASSERT_EQ(greyImage.GetPalette()->GetEntryCount(), 256);
  std::vector<Rgb> levels = Colours(greyImage), qtLevels = QtColours(greyPath);
  for (size_t i = 0; i < levels.size(); ++i) EXPECT_EQ(levels[i], qtLevels[i]) << i;
}

TEST(JpegCodecTest, WritesRedAsRedAndRefusesCmyk) {
  CImageFile image;
  ASSERT_GT(image.Create(16, 16, 24, -1), 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) image.SetRGB(x, y, x < 8 ? 230 : 20, 20, x < 8 ? 20 : 230);
  std::string path = TempPath("written.jpg");
  CImageFile writer(path.c_str());
  ASSERT_NE(writer.GetImpl(), nullptr);
  ASSERT_GT(writer.Create(16, 16, 24, -1), 0);
  std::copy(image.GetBits(), image.GetBits() + image.GetRowBytes() * 16, writer.GetBits());
  static_cast<CImageCodecJPG*>(writer.GetImpl())->quality = 90;
  ASSERT_TRUE(writer.Write());
  std::vector<Rgb> qt = QtColours(path);
  ASSERT_EQ(qt.size(), 256u);
  EXPECT_GT(qt[16 * 4 + 2].r, 180);
  EXPECT_LT(qt[16 * 4 + 2].b, 80);
  EXPECT_GT(qt[16 * 4 + 13].b, 180);

  std::string cmyk = TempPath("cmyk.jpg");
  ASSERT_TRUE(WriteJpeg(cmyk, 8, 8, 4, std::vector<uint8_t>(8 * 8 * 4, 100)));
  CImageFile refused(cmyk.c_str());
  EXPECT_EQ(refused.GetWidth(), 0);

  std::vector<uint8_t> good = ReadBytes(path);
  for (size_t length = 0; length < good.size(); length += 11) {
    ASSERT_TRUE(WriteBytes(cmyk, std::vector<uint8_t>(good.begin(), good.begin() + long(length))));
    CImageFile cut(cmyk.c_str());
    EXPECT_LE(cut.GetWidth(), 16);
  }
}

TEST(ImageDrawingTest, DrawsPicturesUnscaledAndStretched) {
  std::vector<Rgb> table = {{255, 255, 255}, {200, 30, 40}, {20, 90, 200}, {250, 200, 0}};
  int width = 20, height = 12;
  std::vector<uint32_t> values;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) values.push_back(uint32_t(x < 5 ? 1 : y < 6 ? 2 : x % 3 == 0 ? 3 : 0));
  std::string path = TempPath("draw.bmp");
  ASSERT_TRUE(WriteBytes(path, MakeBmp(width, height, 4, values, table)));
  CImageFile image(path.c_str());
  ASSERT_EQ(image.GetWidth(), width);
  Canvas canvas(100, 40, 0xFF000000);
  ASSERT_TRUE(image.Draw(canvas.dc(), 2, 3));
  ASSERT_TRUE(image.Stretch(canvas.dc(), 30, 0, 60, 36));
  canvas.Save("draw_bmp.png");
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(canvas.At(2 + x, 3 + y), table[values[size_t(y * width + x)]]) << x << "," << y;
  EXPECT_EQ(canvas.At(30 + 3 * 2, 3 * 10), table[1]);
  EXPECT_EQ(canvas.At(30 + 3 * 12, 3 * 2), table[2]);
  EXPECT_EQ(canvas.At(1, 1), (Rgb{0, 0, 0}));
  CImageFile empty;
  EXPECT_FALSE(empty.Draw(canvas.dc(), 0, 0));

  // A PNG and a JPEG of the same gradient, drawn side by side to compare.
  std::vector<uint16_t> rgb16;
  std::vector<uint8_t> rgb8;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 48; ++x) {
      uint8_t c[3] = {uint8_t(x * 5), uint8_t(y * 8), uint8_t(255 - x * 5)};
      rgb16.insert(rgb16.end(), {c[0], c[1], c[2]});
      rgb8.insert(rgb8.end(), {c[0], c[1], c[2]});
    }
  std::string png = TempPath("gradient.png"), jpg = TempPath("gradient.jpg");
  ASSERT_TRUE(WritePng(png, 48, 32, 2, 8, rgb16, {}, true));
  ASSERT_TRUE(WriteJpeg(jpg, 48, 32, 3, rgb8));
  CImageFile pngImage(png.c_str()), jpgImage(jpg.c_str());
  Canvas pair(100, 32, 0xFFFFFFFF);
  ASSERT_TRUE(pngImage.Draw(pair.dc(), 0, 0));
  ASSERT_TRUE(jpgImage.Draw(pair.dc(), 52, 0));
  pair.Save("gradient_png_jpeg.png");
  EXPECT_EQ(pair.At(47, 31), (Rgb{235, 248, 20}));
  Rgb quantised = pair.At(52 + 47, 31);
  EXPECT_NEAR(quantised.r, 235, 40);
  EXPECT_NEAR(quantised.b, 20, 40);
  EXPECT_TRUE(image.Draw(nullptr, 0, 0));
}
