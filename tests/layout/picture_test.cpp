// Topic pictures: run-length code, variant choice, sizes shown, expansion to exact pixels at every
// depth and coding, hotspot scaling and the picture cache.
#include <gtest/gtest.h>

#include "engine/bitmap/picture.h"
#include "engine/medview/engine_startup.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/compress/zeck_compressor.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/raster_device.h"
#include "tests/layout/record_builder.h"

namespace layout_test {
namespace {

TEST(RunLength, DecodesLiteralAndRepeatGroups) {
  const uint8_t coded[] = {0x83, 'a', 'b', 'c', 0x04, 'x'};
  uint8_t out[16] = {};
  ASSERT_EQ(bitmap::ExpRleDecode(coded, out, sizeof coded, sizeof out), 7u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 7), "abcxxxx");
  // The output bound holds whatever the counts say.
  EXPECT_EQ(bitmap::ExpRleDecode(coded, out, sizeof coded, 5), 5u);
  const uint8_t overlong[] = {0xFF, 'a'};  // 127 literals promised, one present
  EXPECT_EQ(bitmap::ExpRleDecode(overlong, out, sizeof overlong, sizeof out), 1u);
}

TEST(RunLength, EncodesAndDecodesBackAndBackwardInOneBuffer) {
  Bytes plain;
  for (int i = 0; i < 300; ++i) plain.push_back(uint8_t(i < 200 ? 7 : i));
  plain.insert(plain.begin(), {1, 2});
  Bytes coded(bitmap::ExpRleEncodeBound(plain.size()));
  coded.resize(bitmap::ExpRleEncode(plain.data(), coded.data(), plain.size()));
  EXPECT_LT(coded.size(), plain.size());
  Bytes decoded(plain.size());
  ASSERT_EQ(bitmap::ExpRleDecode(coded.data(), decoded.data(), coded.size(), decoded.size()), plain.size());
  EXPECT_EQ(decoded, plain);
  Bytes shared(plain.size());
  std::copy(coded.begin(), coded.end(), shared.begin());
  ASSERT_EQ(bitmap::ExpRleDecodeBackward(shared.data(), shared.data(), coded.size(), shared.size()),
            int64_t(plain.size()));
  EXPECT_EQ(shared, plain);
  Bytes small(plain.size() - 1);
  EXPECT_EQ(bitmap::ExpRleDecodeBackward(coded.data(), small.data(), coded.size(), small.size()), -1);
}

Bytes Bitmap(uint16_t bits, uint16_t planes_bits = 0) {
  StoredBitmap p;
  p.bits_per_pixel = planes_bits ? planes_bits : bits;
  p.width = 2;
  p.height = 2;
  p.bits = Bytes(16, 0);
  return StoredBitmapRecord(p);
}

TEST(Variants, ScoresPreferTheMatchingBitmapThenTheMetafile) {
  Bytes directory = PictureDirectory({Bitmap(24), Bitmap(8), StoredMetafileRecord(8, 100, 100, {})});
  bitmap::DeviceTraits screen{96, 96, 1, 24};
  EXPECT_EQ(bitmap::BmChooseVariant(directory, screen), 0);
  bitmap::DeviceTraits printer{300, 300, 1, 24};
  EXPECT_EQ(bitmap::BmChooseVariant(directory, printer), 2);
  auto spans = bitmap::BmReadDirectory(directory);
  ASSERT_EQ(spans.size(), 3u);
  EXPECT_EQ(bitmap::BmScoreVariant(std::span(directory).subspan(spans[1].offset, spans[1].size), screen), 25);
  EXPECT_EQ(bitmap::BmScoreVariant(std::span(directory).subspan(spans[0].offset, spans[0].size), printer), 100);
  bitmap::DeviceTraits mono{96, 96, 1, 1};
  EXPECT_EQ(bitmap::BmScoreVariant(std::span(directory).subspan(spans[0].offset, spans[0].size), mono), 75);
  Bytes other = Bitmap(8);
  other[0] = 7;
  EXPECT_EQ(bitmap::BmChooseVariant(PictureDirectory({other}), screen), -1);
  Bytes damaged = directory;
  damaged[4] = 0xF0;  // first offset past the end
  EXPECT_EQ(bitmap::BmChooseVariant(damaged, screen), -1);
}

TEST(Expansion, RefusesOtherTypesAndBoundsSizes) {
  int status = 0;
  Bytes record = Bitmap(8);
  record[0] = 7;
  EXPECT_EQ(bitmap::ExpLoadBitmapRecord(record, &status), nullptr);
  EXPECT_EQ(status, bitmap::kNotAPicture);
  StoredBitmap huge;
  huge.width = 16385;
  EXPECT_EQ(bitmap::ExpLoadBitmapRecord(StoredBitmapRecord(huge), &status), nullptr);
  EXPECT_EQ(status, bitmap::kPictureDamaged);
  StoredBitmap big;
  big.width = big.height = 16384;
  big.bits_per_pixel = 32;  // 1 GB of pixels
  EXPECT_EQ(bitmap::ExpLoadBitmapRecord(StoredBitmapRecord(big), &status), nullptr);
  Bytes cut = Bitmap(8);
  cut.resize(cut.size() - 4);  // the bits run past the record
  EXPECT_EQ(bitmap::ExpLoadBitmapRecord(cut, &status), nullptr);
}

TEST(Expansion, SizesTheStoredBitsCannotReachAreRefusedBeforeAllocating) {
  int status = 0;
  // 4096 x 4096 at 8 bits is 16 MB: 64 stored bytes reach it at no code's best ratio.
  StoredBitmap sparse;
  sparse.width = sparse.height = 4096;
  sparse.bits = Bytes(64, 0);
  for (uint8_t compression : {0, 1, 2}) {
    sparse.compression = compression;
    EXPECT_EQ(bitmap::ExpLoadBitmapRecord(StoredBitmapRecord(sparse), &status), nullptr) << int(compression);
    EXPECT_EQ(status, bitmap::kPictureDamaged);
  }
  // Run-length groups that repeat a byte 127 times fill a row of 508 bytes from 8 stored bytes.
  StoredBitmap runs;
  runs.width = 508;
  runs.compression = 1;
  runs.bits = {127, 7, 127, 7, 127, 7, 127, 7};
  bitmap::ExpandedPicturePtr filled = bitmap::ExpLoadBitmapRecord(StoredBitmapRecord(runs), &status);
  ASSERT_NE(filled, nullptr);
  EXPECT_EQ(filled->bits().size(), 508u);
  EXPECT_EQ(filled->bits()[507], 7);

  // Device-dependent rows of several planes pad each plane's run to 16 bits: three planes of 5 pixels
  // take 6 bytes a row, where one padded run of 15 bits would take 2 (the device bitmap reads 6).
  StoredBitmap planar;
  planar.type = 5;
  planar.planes = 3;
  planar.bits_per_pixel = 1;
  planar.width = 5;
  planar.height = 2;
  planar.bits = Bytes(12, 0xF8);
  bitmap::ExpandedPicturePtr rows = bitmap::ExpLoadBitmapRecord(StoredBitmapRecord(planar), &status);
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->bits().size(), 12u);

  // A metafile declaring 200 MB expanded over four plain bytes gets room for the four.
  Bytes metafile = {8, 0, 8 << 1, 100, 0, 100, 0};
  auto put = [&metafile](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) metafile.push_back(uint8_t(value >> (8 * i)));
  };
  const uint32_t declared = 200u << 20;
  put((declared << 1) | 1, 4);  // expanded size, long form
  put(4 << 1, 2);               // stored size of the bits
  put(0, 2);                    // no hotspot data
  put(uint32_t(metafile.size() + 8), 4);
  put(uint32_t(metafile.size() + 4 + 4), 4);
  metafile.insert(metafile.end(), {1, 2, 3, 4});
  bitmap::ExpandedPicturePtr cut = bitmap::ExpLoadBitmapRecord(metafile, &status);
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(cut->bits().size(), 4u);
  EXPECT_LT(cut->metafileBits.capacity(), 1024u);
}

TEST(Expansion, ShownSizesFollowTheDevice) {
  StoredBitmap p;
  p.width = 100;
  p.height = 50;
  p.bits = Bytes(100 * 50, 0);
  int status = 0;
  auto picture = bitmap::ExpLoadBitmapRecord(StoredBitmapRecord(p), &status);
  ASSERT_NE(picture, nullptr);
  SIZE hi = bitmap::BmShownSize(*picture, {192, 192, 1, 24}, nullptr);
  EXPECT_EQ(hi.cx, 200);
  EXPECT_EQ(hi.cy, 100);
  SIZE lo = bitmap::BmShownSize(*picture, {72, 72, 1, 24}, nullptr);
  EXPECT_EQ(lo.cx, 100);
  EXPECT_EQ(lo.cy, 50);
  auto metafile = bitmap::ExpLoadBitmapRecord(StoredMetafileRecord(8, 2540, 1270, {}), &status);
  ASSERT_NE(metafile, nullptr);
  SIZE m = bitmap::BmShownSize(*metafile, {96, 96, 1, 24}, nullptr);
  EXPECT_EQ(m.cx, 96);
  EXPECT_EQ(m.cy, 48);
}

TEST(Expansion, MetafileSizesAreNeverNegative) {
  // Extents whose signs run against the mapping mode's axes (damaged or flipped pictures).
  struct Case {
    int mode, x_extent, y_extent;
  };
  const Case cases[] = {{MM_TEXT, -30, 40}, {MM_TEXT, 30, -40}, {MM_LOMETRIC, 254, 254}, {MM_LOMETRIC, -254, -254},
                        {MM_HIMETRIC, INT32_MIN, INT32_MIN}, {MM_ISOTROPIC, -5, 10}};
  HDC memory = gdi::create_context(std::make_unique<gdi::RasterDevice>(96), true);
  for (const Case& c : cases) {
    for (HDC hdc : {HDC(nullptr), memory}) {
      SIZE size = bitmap::BmMetafileSize(hdc, c.mode, c.x_extent, c.y_extent, 96, 96);
      EXPECT_GE(size.cx, 0) << c.mode << " " << c.x_extent;
      EXPECT_GE(size.cy, 0) << c.mode << " " << c.y_extent;
    }
  }
  DeleteDC(memory);
}

// Rows of a 2 x 2 picture (top row first) coded at a depth, stored bottom-up with 32-bit padding.
struct DepthCase {
  uint16_t bits;
  std::vector<uint32_t> palette;
  Bytes bottom_row, top_row;  // unpadded
  COLORREF expected[2][2];    // [y][x], y from the top
};

Bytes Pad(Bytes row) {
  row.resize((row.size() + 3) / 4 * 4, 0);
  return row;
}

TEST(Expansion, ExactPixelsAtEveryDepthAndCoding) {
  const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255), white = RGB(255, 255, 255),
                 black = RGB(0, 0, 0);
  std::vector<DepthCase> depths = {
      {1, {0x000000, 0xFFFFFF}, {0x40}, {0x80}, {{white, black}, {black, white}}},
      {4, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, {0x23}, {0x01}, {{red, green}, {blue, white}}},
      {8, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, {3, 2}, {1, 0}, {{green, red}, {white, blue}}},
      {24, {}, {0, 0, 255, 255, 0, 0}, {0, 255, 0, 255, 255, 255}, {{green, white}, {red, blue}}},
  };
  HDC hdc = gdi::create_context(std::make_unique<gdi::RasterDevice>(96), true);
  HBITMAP target = CreateBitmap(8, 8, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(hdc, target);
  TestViewer t;
  medview::Viewer& v = t.viewer();
  medview::MvUseCallerDC(&v, hdc);
  for (const auto& d : depths) {
    Bytes plain = Pad(d.bottom_row);
    Bytes top = Pad(d.top_row);
    plain.insert(plain.end(), top.begin(), top.end());
    for (uint8_t coding : {0, 1, 2}) {
      SCOPED_TRACE(testing::Message() << d.bits << " bits, coding " << int(coding));
      StoredBitmap p;
      p.bits_per_pixel = d.bits;
      p.width = p.height = 2;
      p.palette = d.palette;
      p.compression = coding;
      if (coding == 0) {
        p.bits = plain;
      } else if (coding == 1) {
        p.bits.resize(bitmap::ExpRleEncodeBound(plain.size()));
        p.bits.resize(bitmap::ExpRleEncode(plain.data(), p.bits.data(), plain.size()));
      } else {
        p.bits.resize(compress::ZeckMaxCompressedSize(plain.size()));
        int code = 0;
        compress::ZeckCompressor lz;
        p.bits.resize(lz.ZeckCompress(plain.data(), plain.size(), p.bits.data(), p.bits.size(), code));
      }
      Bytes reference = {1, 0};
      Bytes directory = PictureDirectory({StoredBitmapRecord(p)});
      reference.insert(reference.end(), directory.begin(), directory.end());
      bitmap::PictureInfoPtr info = bitmap::BmLoadPicture(v, reference);
      ASSERT_NE(info->bitmap, nullptr);
      EXPECT_EQ(info->width, 2);
      RECT all{0, 0, 8, 8};
      FillRect(hdc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      EXPECT_EQ(bitmap::BmDrawPicture(*info, v, 3, 4, false), 1);
      for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) EXPECT_EQ(GetPixel(hdc, 3 + x, 4 + y), d.expected[y][x]) << x << "," << y;
      }
    }
  }
  medview::MvRestoreCallerDC(&v, nullptr);
  SelectObject(hdc, old);
  DeleteObject(target);
  DeleteDC(hdc);
}

TEST(Hotspots, ScaledToTheSizeShownAndSafeWithZeroStoredWidth) {
  bitmap::PictureInfo info;
  info.width = 200;
  info.height = 100;
  info.storedWidth = 100;
  info.storedHeight = 50;
  info.hotspotData = HotspotData({{0xE3, 10, 5, 20, 10, 42}}, {9, 9});
  auto scaled = bitmap::BmScaleHotspots(info);
  ASSERT_NE(scaled, nullptr);
  ASSERT_EQ(scaled->entries.size(), 1u);
  EXPECT_EQ(scaled->entries[0].x, 20);
  EXPECT_EQ(scaled->entries[0].width, 40);
  EXPECT_EQ(scaled->entries[0].y, 10);
  EXPECT_EQ(scaled->entries[0].data, 42);
  EXPECT_EQ(scaled->extra, (Bytes{9, 9}));
  info.storedWidth = 0;
  ASSERT_NE(bitmap::BmScaleHotspots(info), nullptr);
  info.hotspotData.resize(info.hotspotData.size() - 5);  // entries cut short
  EXPECT_EQ(bitmap::BmScaleHotspots(info), nullptr);
}

TEST(Pictures, UnreadablePictureShowsTheErrorBox) {
  TestViewer t;
  medview::Viewer& v = t.viewer();
  ASSERT_EQ(medview::MvAcquireDC(&v), 0);
  bitmap::PictureInfoPtr missing = bitmap::BmLoadPicture(v, Bytes{0, 0, 5, 0});  // no title to read from
  EXPECT_EQ(missing->bitmap, nullptr);
  EXPECT_EQ(missing->width, bitmap::BmErrorBoxSize(v).cx);
  EXPECT_EQ(bitmap::BmDrawPicture(*missing, v, 0, 0, false), 0);
  Bytes other = Bitmap(8);
  other[0] = 7;
  Bytes reference = {1, 0};
  Bytes directory = PictureDirectory({other});
  reference.insert(reference.end(), directory.begin(), directory.end());
  EXPECT_EQ(bitmap::BmLoadPicture(v, reference)->bitmap, nullptr);
  medview::MvReleaseDC(&v);
}

// The box of a picture that cannot be shown is framed and carries the program's string 1023 in
// font 0, measured so that the text fits; the engine's own copy stands in without the program's.
TEST(Pictures, ErrorBoxShowsTheCannotBeShownText) {
  struct Case {
    datapres::ProgramStringProc strings;
    std::string expected;
  };
  const Case cases[] = {
      {nullptr, "Nie mo\xbfna wy\x9cwietli\xe6"},
      {[](uint32_t id, std::string* text) {
         if (id != 1023) return false;
         *text = "Brak obrazu \xb9\xea";
         return true;
       },
       "Brak obrazu \xb9\xea"},
      {[](uint32_t, std::string*) { return false; }, "Nie mo\xbfna wy\x9cwietli\xe6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    medview::MvSetProgramStrings(c.strings);
    TestViewer t;
    medview::Viewer& v = t.viewer();
    ASSERT_EQ(medview::MvAcquireDC(&v), 0);
    ASSERT_TRUE(medview::MvSelectFont(&v, 4));  // a 20-point font in use: the box is measured in font 0
    bitmap::PictureInfoPtr missing = bitmap::BmLoadPicture(v, Bytes{0, 0, 5, 0});
    EXPECT_EQ(v.currentFont, 4);
    // The recording device's 10-point font 0: 7 pixels a character, 10 the widest; ascent 10, height 13.
    int32_t width = 0;
    for (char ch : c.expected) {
      width += std::string_view(" !'(),.:;I[]fijlrt|").find(ch) != std::string_view::npos ? 3
               : std::string_view("%@MWmw").find(ch) != std::string_view::npos     ? 10
                                                                                    : 7;
    }
    EXPECT_EQ(missing->width, width + 2 * 10);
    EXPECT_EQ(missing->height, 2 * 10 + 13);
    const size_t before = t.log().size();
    EXPECT_EQ(bitmap::BmDrawPicture(*missing, v, 5, 6, false), 0);
    std::vector<std::string> lines(t.log().begin() + std::ptrdiff_t(before), t.log().end());
    bool text = false, crossed = false;
    for (const std::string& line : lines) {
      if (line.rfind("text ", 0) == 0 && line.find('"' + c.expected + '"') != std::string::npos) text = true;
      if (line.rfind("polyline", 0) == 0) crossed = true;  // no diagonal across the box
    }
    EXPECT_TRUE(text);
    EXPECT_FALSE(crossed);
    EXPECT_EQ(v.currentFont, 4);
    medview::MvReleaseDC(&v);
  }
  medview::MvSetProgramStrings(nullptr);
}

}  // namespace
}  // namespace layout_test
