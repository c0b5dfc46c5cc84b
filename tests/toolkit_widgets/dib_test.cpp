#include "toolkit/widgets/dib.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/base/archive.h"
#include "platform/win/window_dc.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "toolkit/widgets/dib_file.h"

namespace lumo::test {
namespace {

// A picture of `bits` per pixel whose left half is colour index 1 (red) and right half index 0
// (blue); at 24 bits the same colours directly.
std::vector<uint8_t> two_colour_bmp(int width, int height, int bits) {
  bmp_file::Image im;
  im.header.biSize = 40;
  im.header.biWidth = width;
  im.header.biHeight = height;
  im.header.biPlanes = 1;
  im.header.biBitCount = static_cast<WORD>(bits);
  im.colours.assign(static_cast<size_t>(bmp_file::ColourCount(bits)), RGBQUAD{0, 0, 0, 0});
  if (!im.colours.empty()) {
    im.colours[0] = RGBQUAD{255, 0, 0, 0};
    im.colours[1] = RGBQUAD{0, 0, 255, 0};
  }
  const size_t row = bmp_file::RowBytes(width, bits);
  im.bits.assign(row * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width / 2; ++x) {
      uint8_t* r = im.bits.data() + y * row;
      switch (bits) {
        case 1: r[x / 8] |= uint8_t(0x80 >> (x % 8)); break;
        case 4: r[x / 2] |= uint8_t((x % 2) ? 0x01 : 0x10); break;
        case 8: r[x] = 1; break;
        default: r[3 * x + 2] = 255; break;
      }
    }
    if (bits == 24) {
      for (int x = width / 2; x < width; ++x) im.bits[y * row + 3 * x] = 255;
    }
  }
  return bmp_file::Encode(im);
}

using DibTest = FrameworkTest;

TEST_F(DibTest, ReadsAndWritesEveryDepth) {
  for (int bits : {1, 4, 8, 24}) {
    SECDib dib;
    const std::vector<uint8_t> bytes = two_colour_bmp(33, 4, bits);
    ASSERT_TRUE(dib.Load(bytes)) << bits;
    EXPECT_EQ(dib.GetBitCount(), bits);
    EXPECT_EQ(dib.GetWidth(), 33);
    EXPECT_EQ(dib.RowBytes(), bmp_file::RowBytes(33, bits));
    EXPECT_EQ(dib.GetPalette() != nullptr, bits != 24) << bits;
    EXPECT_TRUE(dib.CreatePalette());
    const std::string path = temp_path("dib" + std::to_string(bits) + ".bmp");
    ASSERT_TRUE(dib.SaveFile(path.c_str()));
    SECDib again;
    ASSERT_TRUE(again.LoadFile(path.c_str()));
    std::vector<uint8_t> out;
    ASSERT_TRUE(again.Save(out));
    EXPECT_EQ(out, bytes) << bits;
  }
  EXPECT_EQ(bmp_file::RowBytes(33, 1), 8u);
}

TEST_F(DibTest, AFailedLoadKeepsThePreviousImage) {
  SECDib dib;
  ASSERT_TRUE(dib.Load(two_colour_bmp(5, 3, 8)));
  std::vector<uint8_t> bad = two_colour_bmp(5, 3, 8);
  bad[22] = 0xFD;  // a top-down height
  bad[23] = bad[24] = bad[25] = 0xFF;
  EXPECT_FALSE(dib.Load(bad));
  EXPECT_FALSE(dib.Load(std::vector<uint8_t>{'P', 'K', 3, 4}));
  EXPECT_FALSE(dib.LoadFile("/nonexistent/obraz.bmp"));
  EXPECT_EQ(dib.GetWidth(), 5);
  EXPECT_EQ(dib.GetHeight(), 3);
  EXPECT_NE(dib.GetPalette(), nullptr);
  EXPECT_EQ(dib.GetInfo()->bmiHeader.biBitCount, 8);
}

TEST_F(DibTest, StoresInAnArchiveAsABmpFile) {
  SECDib dib;
  ASSERT_TRUE(dib.Load(two_colour_bmp(6, 2, 4)));
  CArchive out;
  dib.Serialize(out);
  out << uint8_t{0x5A};  // what follows in the archive stays readable
  std::vector<uint8_t> bytes = out.TakeBytes();
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end() - 1), two_colour_bmp(6, 2, 4));
  CArchive in(bytes);
  SECDib back;
  back.Serialize(in);
  uint8_t tail = 0;
  in >> tail;
  EXPECT_EQ(tail, 0x5A);
  EXPECT_EQ(back.GetBits(), dib.GetBits());
  // A cut archive throws and leaves the image empty.
  CArchive cut(std::span<const uint8_t>(bytes.data(), 60));
  SECDib none;
  EXPECT_THROW(none.Serialize(cut), CArchiveException);
  EXPECT_TRUE(none.IsEmpty());
}

TEST_F(DibTest, TakesADeepBitmapAsTwentyFourBitsAndDrawsIt) {
  CWnd window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, "Obraz", WS_POPUP | WS_VISIBLE, CRect(0, 0, 120, 60), nullptr, 0));
  pump();
  CClientDC dc(&window);
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&dc));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 20, 10));
  CBitmap* old = memory.SelectObject(&bitmap);
  memory.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
  memory.FillSolidRect(10, 0, 10, 10, RGB(0, 0, 255));
  memory.SelectObject(old);

  SECDib dib;
  ASSERT_TRUE(dib.CreateFromBitmap(&memory, &bitmap));
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(dib.GetPalette(), nullptr);
  EXPECT_FALSE(dib.GetHalftone());  // a true-colour screen

  // Drawn twice as large, and an 8-bit picture beside it.
  EXPECT_EQ(dib.Draw(&dc, CRect(0, 0, 40, 20), CRect(0, 0, 20, 10)), 10);
  SECDib indexed;
  ASSERT_TRUE(indexed.Load(two_colour_bmp(20, 10, 8)));
  EXPECT_GT(indexed.Draw(&dc, CRect(50, 0, 70, 10), CRect(0, 0, 20, 10)), 0);
  ASSERT_TRUE(save_surface_png(window.m_hWnd, ::testing::TempDir() + "toolkit_models_dib_draw.png"));
  EXPECT_EQ(surface_pixel(window.m_hWnd, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(surface_pixel(window.m_hWnd, 35, 15), RGB(0, 0, 255));
  EXPECT_EQ(surface_pixel(window.m_hWnd, 52, 5), RGB(255, 0, 0));
  EXPECT_EQ(surface_pixel(window.m_hWnd, 68, 5), RGB(0, 0, 255));
}

}  // namespace
}  // namespace lumo::test
