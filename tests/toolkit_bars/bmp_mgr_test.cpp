// The bitmap manager: command ids to cells of hand-made toolbar strips, small and large strips,
// and the recolouring of palette strips to the 3-D colours.
#include <cstdint>
#include <vector>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "tests/framework/framework_fixture.h"
#include "toolkit/frame/bmp_mgr.h"
#include "toolkit/frame/toolkit_globals.h"

namespace lumo::test {
namespace {

constexpr UINT kStripA = 9601, kStripB = 9602, kLarge = 9603, kTrueColour = 9604, kMissing = 9699;
constexpr UINT kCmd1 = 500, kCmd2 = 501, kCmd3 = 502, kCmd4 = 503;

void put16(std::vector<uint8_t>& out, unsigned v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

// An 8-bit packed DIB whose colour table holds only the colours used (`palette`, 0x00RRGGBB);
// `pixels` are indices, top row first.
std::vector<uint8_t> palette_dib(int width, int height, const std::vector<uint32_t>& palette,
                                 const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> out;
  put32(out, 40);
  put32(out, uint32_t(width));
  put32(out, uint32_t(height));
  put16(out, 1);
  put16(out, 8);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  put32(out, uint32_t(palette.size()));
  put32(out, 0);
  for (uint32_t c : palette) put32(out, c);
  const int stride = (width + 3) & ~3;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < stride; ++x) out.push_back(x < width ? pixels[size_t(y * width + x)] : 0);
  }
  return out;
}

// A 24-bit packed DIB of one colour.
std::vector<uint8_t> true_colour_dib(int width, int height, uint32_t rgb) {
  std::vector<uint8_t> out;
  for (uint32_t v : {40u, uint32_t(width), uint32_t(height)}) put32(out, v);
  put16(out, 1);
  put16(out, 24);
  for (int i = 0; i < 6; ++i) put32(out, 0);
  const int stride = (width * 3 + 3) & ~3;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < stride; ++x) {
      const int channel = x % 3;
      out.push_back(x < width * 3 ? uint8_t(rgb >> (8 * channel)) : 0);
    }
  }
  return out;
}

// Strip A: three 2x2 cells of grey, red and white; strip B: two cells of black and dark grey.
const std::vector<uint8_t>& strip_a() {
  static const auto bytes = palette_dib(6, 2, {0xC0C0C0, 0xFF0000, 0xFFFFFF},
                                        {0, 0, 1, 1, 2, 2, 0, 0, 1, 1, 2, 2});
  return bytes;
}
const std::vector<uint8_t>& strip_b() {
  static const auto bytes = palette_dib(4, 2, {0x000000, 0x808080}, {0, 0, 1, 1, 0, 0, 1, 1});
  return bytes;
}
const std::vector<uint8_t>& large_strip() {
  static const auto bytes = true_colour_dib(12, 5, 0x00FF00);
  return bytes;
}
const std::vector<uint8_t>& true_colour() {
  static const auto bytes = true_colour_dib(2, 2, 0xC0C0C0);
  return bytes;
}

const UINT kCommandsA[] = {kCmd1, 0, kCmd2, kCmd3};
const UINT kCommandsB[] = {kCmd3, kCmd4};
const UINT kCommandsLarge[] = {kCmd1, kCmd2};

class BmpMgrTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    // Memory contexts draw like the screen once a window has drawn; these tests draw no window.
    gdi::install_qt_devices();
    static bool added = false;
    if (!added) {
      added = true;
      res::add_binary({res::BinaryKind::bitmap, kStripA, nullptr, strip_a()});
      res::add_binary({res::BinaryKind::bitmap, kStripB, nullptr, strip_b()});
      res::add_binary({res::BinaryKind::bitmap, kLarge, nullptr, large_strip()});
      res::add_binary({res::BinaryKind::bitmap, kTrueColour, nullptr, true_colour()});
      res::add_toolbar({kStripA, 2, 2, kCommandsA});
      res::add_toolbar({kStripB, 2, 2, kCommandsB});
      res::add_toolbar({kLarge, 6, 5, kCommandsLarge});
    }
    mgr = SECBmpMgr::CreateShared();
  }
  void TearDown() override {
    mgr->Release();
    FrameworkTest::TearDown();
  }

  // The colour (0x00BBGGRR) of a pixel of a bitmap.
  static COLORREF pixel(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
  }
  static CSize size_of(HBITMAP bitmap) {
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
  }
  struct Image {
    HBITMAP bitmap = nullptr;
    int index = -1;
  };
  Image image(UINT id, BOOL small) {
    Image i;
    EXPECT_TRUE(mgr->GetImage(id, i.bitmap, i.index, small));
    return i;
  }

  SECBmpMgr* mgr = nullptr;
};

TEST_F(BmpMgrTest, SeparatorsTakeNoCellAndTheFirstResourceWins) {
  ASSERT_TRUE(mgr->AddToolBarResource(kStripA, 0, TRUE));
  ASSERT_TRUE(mgr->AddToolBarResource(kStripB, 0, TRUE));
  EXPECT_EQ(mgr->GetSmallImageSize(), CSize(2, 2));
  const struct {
    UINT id;
    int index;
    UINT strip_width;
  } cases[] = {{kCmd1, 0, 6}, {kCmd2, 1, 6}, {kCmd3, 2, 6}, {kCmd4, 1, 4}};
  for (const auto& c : cases) {
    Image i = image(c.id, FALSE);
    EXPECT_EQ(i.index, c.index) << c.id;
    EXPECT_EQ(size_of(i.bitmap).cx, int(c.strip_width)) << c.id;
  }
  HBITMAP untouched = reinterpret_cast<HBITMAP>(1);
  int index = 77;
  EXPECT_FALSE(mgr->GetImage(999, untouched, index, TRUE));
  EXPECT_EQ(index, 77);
}

TEST_F(BmpMgrTest, MissingResourcesAddNothing) {
  EXPECT_FALSE(mgr->AddToolBarResource(kMissing, 0, TRUE));
  EXPECT_FALSE(mgr->AddToolBarResource(kStripA, kMissing, TRUE));
  HBITMAP bitmap = nullptr;
  int index = 0;
  EXPECT_FALSE(mgr->GetImage(kCmd1, bitmap, index, TRUE));
}

TEST_F(BmpMgrTest, SmallImagesOnlyGivesTheSmallStripToEveryone) {
  ASSERT_TRUE(mgr->AddToolBarResource(kStripA, 0, FALSE));
  Image toolbar = image(kCmd2, FALSE), menu = image(kCmd2, TRUE);
  EXPECT_NE(toolbar.bitmap, nullptr);
  EXPECT_EQ(toolbar.bitmap, menu.bitmap);
}

TEST_F(BmpMgrTest, LargeImagesAreTheSmallOnesStretchedWithoutALargeStrip) {
  ASSERT_TRUE(mgr->AddToolBarResource(kStripA, 0, FALSE));
  mgr->SetSmallImagesOnly(FALSE);
  Image large = image(kCmd2, FALSE);
  ASSERT_NE(large.bitmap, nullptr);
  EXPECT_EQ(size_of(large.bitmap), CSize(22 * 3, 24));
  // Cell 1 (red) fills x 22..43 of the stretched strip.
  EXPECT_EQ(pixel(large.bitmap, 22, 0), RGB(255, 0, 0));
  EXPECT_EQ(pixel(large.bitmap, 43, 23), RGB(255, 0, 0));
  EXPECT_EQ(pixel(large.bitmap, 44, 0), RGB(255, 255, 255));
  // Without keep-small-images only the large strip is left; the menus get a null strip.
  HBITMAP small = reinterpret_cast<HBITMAP>(1);
  int index = 0;
  EXPECT_TRUE(mgr->GetImage(kCmd2, small, index, TRUE));
  EXPECT_EQ(small, nullptr);
}

TEST_F(BmpMgrTest, KeepSmallImagesKeepsBothStrips) {
  ASSERT_TRUE(mgr->AddToolBarResource(kStripA, 0, FALSE));
  mgr->SetKeepSmallImages(TRUE);
  mgr->SetSmallImagesOnly(FALSE);
  Image toolbar = image(kCmd1, FALSE), menu = image(kCmd1, TRUE);
  ASSERT_NE(toolbar.bitmap, nullptr);
  ASSERT_NE(menu.bitmap, nullptr);
  EXPECT_EQ(size_of(toolbar.bitmap), CSize(66, 24));
  EXPECT_EQ(size_of(menu.bitmap), CSize(6, 2));
}

TEST_F(BmpMgrTest, ALargeResourceGivesTheLargeSize) {
  ASSERT_TRUE(mgr->AddToolBarResource(kStripA, kLarge, FALSE));
  EXPECT_EQ(mgr->GetLargeImageSize(), CSize(6, 5));
  mgr->SetSmallImagesOnly(FALSE);
  Image large = image(kCmd1, FALSE);
  EXPECT_EQ(size_of(large.bitmap), CSize(12, 5));
  EXPECT_EQ(pixel(large.bitmap, 0, 0), RGB(0, 255, 0));
}

TEST_F(BmpMgrTest, SystemColourStripsTakeTheButtonColours) {
  ASSERT_TRUE(mgr->AddToolBarResource(kStripA, 0, TRUE));
  ASSERT_TRUE(mgr->AddToolBarResource(kStripB, 0, TRUE));
  Image a = image(kCmd1, TRUE), b = image(kCmd4, TRUE);
  const struct {
    HBITMAP bitmap;
    int x;
    COLORREF expected;
  } cases[] = {
      {a.bitmap, 0, GetSysColor(COLOR_BTNFACE)},       {a.bitmap, 2, RGB(255, 0, 0)},
      {a.bitmap, 4, GetSysColor(COLOR_BTNHIGHLIGHT)},  {b.bitmap, 0, GetSysColor(COLOR_BTNTEXT)},
      {b.bitmap, 2, GetSysColor(COLOR_BTNSHADOW)},
  };
  for (const auto& c : cases) EXPECT_EQ(pixel(c.bitmap, c.x, 1), c.expected) << c.x;
}

TEST_F(BmpMgrTest, TrueColourBitmapsLoadUnchanged) {
  CBitmap bitmap;
  ASSERT_TRUE(SECLoadSysColorBitmap(bitmap, kTrueColour));
  EXPECT_EQ(pixel(bitmap, 1, 1), RGB(0xC0, 0xC0, 0xC0));
  EXPECT_FALSE(SECLoadSysColorBitmap(bitmap, kMissing));
}

TEST_F(BmpMgrTest, TheLastReleaseDeletesAShared) {
  SECBmpMgr* shared = SECBmpMgr::CreateShared();
  shared->AddRef();
  EXPECT_EQ(shared->GetRefCount(), 2);
  shared->Release();
  EXPECT_EQ(shared->GetRefCount(), 1);
  shared->Release();  // deleted here; the sanitizer reports a leak otherwise
}

TEST(ToolkitGlobals, ColoursBordersAndCursors) {
  SECToolkitGlobals& g = secData();
  EXPECT_EQ(g.cxBorder, 2);
  EXPECT_EQ(g.cyBorder, 2);
  EXPECT_TRUE(g.bWin4);
  EXPECT_EQ(g.clrBtnFace, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(g.clrHighlightText, GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_NE(g.hcurArrow, nullptr);
}

}  // namespace
}  // namespace lumo::test
