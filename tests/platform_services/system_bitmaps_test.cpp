// The system's own bitmaps by their ids: drawn check mark and submenu arrow, and a program's own
// bitmap of the same id in their place.
#include "platform/res/system_bitmaps.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/dib.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/res/resource_store.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/window_api.h"
#include "tests/support/gui_fixture.h"

namespace {

class SystemBitmapsTest : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    gdi::install_qt_devices();
  }

  // The bitmap's pixels as rows of '#' (black) and '.' (white).
  static std::string drawing(HBITMAP bitmap) {
    BITMAP bm{};
    GetObject(bitmap, sizeof bm, &bm);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::string rows;
    for (int y = 0; y < bm.bmHeight; ++y) {
      for (int x = 0; x < bm.bmWidth; ++x) rows += GetPixel(dc, x, y) == RGB(0, 0, 0) ? '#' : '.';
      rows += '\n';
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return rows;
  }
};

TEST_F(SystemBitmapsTest, CheckMarkAndMenuArrowLoadWithoutAModule) {
  HBITMAP check = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECK));
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(drawing(check),
            ".............\n"
            ".............\n"
            ".............\n"
            ".........#...\n"
            "........##...\n"
            "...#...###...\n"
            "...##.###....\n"
            "...#####.....\n"
            "....###......\n"
            ".....#.......\n"
            ".............\n"
            ".............\n"
            ".............\n");
  HBITMAP arrow = static_cast<HBITMAP>(LoadImage(nullptr, MAKEINTRESOURCE(OBM_MNARROW), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(arrow, nullptr);
  std::string rows = drawing(arrow);
  EXPECT_EQ(rows.substr(14 * 6, 14), ".....####....\n");
  DeleteObject(check);
  DeleteObject(arrow);
  EXPECT_TRUE(res::system_bitmap(32000).empty());
}

TEST_F(SystemBitmapsTest, AProgramsOwnBitmapOfTheIdComesFirst) {
  auto own = gdi::Bitmap::create(2, 3, false);
  static const std::vector<uint8_t> bytes = gdi::encode_packed_dib(*own);
  res::add_binary({res::BinaryKind::bitmap, OBM_CHECK, nullptr, bytes});
  HBITMAP check = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECK));
  BITMAP bm{};
  GetObject(check, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 2);
  EXPECT_EQ(bm.bmHeight, 3);
  DeleteObject(check);
}

}  // namespace
