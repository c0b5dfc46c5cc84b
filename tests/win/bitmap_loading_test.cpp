// Bitmaps from resources: plain loading, the 3-D grey mapping, colour maps and scaling, and
// resources that are missing or not bitmaps.
#include "platform/win/bitmap_loading.h"

#include <cstring>
#include <vector>

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {
namespace {

constexpr UINT IDB_TEST_GREYS = 9601;
constexpr UINT IDB_TEST_BROKEN = 9602;

// A 4 x 1 picture of 24 bits: black, grey 128, grey 192, white.
std::vector<uint8_t> greys_dib() {
  std::vector<uint8_t> dib(40 + 12, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&dib[at], &v, 4); };
  put32(0, 40);
  put32(4, 4);
  put32(8, 1);
  dib[12] = 1;
  dib[14] = 24;
  const uint8_t row[12] = {0, 0, 0, 128, 128, 128, 192, 192, 192, 255, 255, 255};
  std::memcpy(&dib[40], row, 12);
  return dib;
}

// The colours of a bitmap's pixels, left to right along its first row.
std::vector<COLORREF> first_row(HBITMAP bitmap, int width) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> pixels(size_t(width), 0xDEADBEEF);
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDIBits(memory, bitmap, 0, 1, pixels.data(), &info, DIB_RGB_COLORS), 1);
  DeleteDC(memory);
  std::vector<COLORREF> out;
  for (uint32_t p : pixels) out.push_back(RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p)));
  return out;
}

class BitmapLoadingTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    static bool added = [] {
      static const std::vector<uint8_t> greys = greys_dib();
      static const uint8_t broken[] = {40, 0, 0};
      res::add_binary({res::BinaryKind::bitmap, IDB_TEST_GREYS, nullptr, greys});
      res::add_binary({res::BinaryKind::bitmap, IDB_TEST_BROKEN, nullptr, broken});
      return true;
    }();
    (void)added;
  }
};

TEST_F(BitmapLoadingTest, BitmapsComeAsStoredOrWithTheirGreysMapped) {
  HBITMAP plain = LoadBitmap(nullptr, MAKEINTRESOURCE(IDB_TEST_GREYS));
  ASSERT_NE(plain, nullptr);
  BITMAP info{};
  GetObject(plain, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 4);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(first_row(plain, 4), (std::vector<COLORREF>{RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192),
                                                          RGB(255, 255, 255)}));
  DeleteObject(plain);

  HBITMAP themed = HBITMAP(LoadImage(nullptr, MAKEINTRESOURCE(IDB_TEST_GREYS), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  ASSERT_NE(themed, nullptr);
  EXPECT_EQ(first_row(themed, 4), (std::vector<COLORREF>{RGB(0, 0, 0), GetSysColor(COLOR_3DSHADOW),
                                                           GetSysColor(COLOR_3DFACE), RGB(255, 255, 255)}));
  DeleteObject(themed);

  // Scaled to twice the width, each pixel is doubled.
  HBITMAP wide = HBITMAP(LoadImage(nullptr, MAKEINTRESOURCE(IDB_TEST_GREYS), IMAGE_BITMAP, 8, 1, 0));
  ASSERT_NE(wide, nullptr);
  std::vector<COLORREF> row = first_row(wide, 8);
  EXPECT_EQ(row[2], RGB(128, 128, 128));
  EXPECT_EQ(row[3], RGB(128, 128, 128));
  DeleteObject(wide);
}

TEST_F(BitmapLoadingTest, ColourMapsReplaceExactColoursOnly) {
  const COLORMAP map[] = {{RGB(192, 192, 192), RGB(10, 20, 30)}};
  HBITMAP mapped = CreateMappedBitmap(nullptr, IDB_TEST_GREYS, 0, map, 1);
  ASSERT_NE(mapped, nullptr);
  EXPECT_EQ(first_row(mapped, 4), (std::vector<COLORREF>{RGB(0, 0, 0), RGB(128, 128, 128), RGB(10, 20, 30),
                                                            RGB(255, 255, 255)}));
  DeleteObject(mapped);
  HBITMAP standard = CreateMappedBitmap(nullptr, IDB_TEST_GREYS, 0, nullptr, 0);
  ASSERT_NE(standard, nullptr);
  EXPECT_EQ(first_row(standard, 4), (std::vector<COLORREF>{GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNSHADOW),
                                                             GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT)}));
  DeleteObject(standard);
}

TEST_F(BitmapLoadingTest, MissingOrDamagedResourcesGiveNoBitmap) {
  EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(9699)), nullptr);
  EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(IDB_TEST_BROKEN)), nullptr);
  EXPECT_EQ(LoadBitmap(nullptr, "BRAK"), nullptr);
  EXPECT_EQ(LoadImage(nullptr, MAKEINTRESOURCE(IDB_TEST_GREYS), IMAGE_ICON, 0, 0, 0), nullptr);
  EXPECT_EQ(CreateMappedBitmap(nullptr, IDB_TEST_BROKEN, 0, nullptr, 0), nullptr);
}

}  // namespace
}  // namespace lumo::test
