// Icons from the resource store: drawn through their mask at their own size or scaled, in the
// disabled state, and gone once destroyed.
#include "platform/gdi/core/icons.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/icon_image.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/gdi/system/draw_state.h"
#include "platform/res/icon_loading.h"
#include "platform/res/resource_store.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"
#include "tests/platform_services/face_canvas.h"
#include "tests/support/gui_fixture.h"

namespace {

constexpr UINT IDI_TEST = 9301;
constexpr UINT IDI_TEST_DAMAGED = 9302;

// A 4 x 4 icon: blue at (0, 0), a red 2 x 2 square at (1, 1), the rest transparent.
void register_icons() {
  static const std::vector<uint8_t> bytes = [] {
    auto colour = gdi::Bitmap::create(4, 4, false);
    auto mask = gdi::Bitmap::create(4, 4, true);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) mask->at(x, y) = gdi::kWhitePixel;
    colour->at(0, 0) = gdi::pixel_of(RGB(0, 0, 255));
    mask->at(0, 0) = gdi::kBlackPixel;
    for (int y = 1; y <= 2; ++y)
      for (int x = 1; x <= 2; ++x) {
        colour->at(x, y) = gdi::pixel_of(RGB(255, 0, 0));
        mask->at(x, y) = gdi::kBlackPixel;
      }
    return gdi::encode_icon_image(*colour, *mask);
  }();
  static const std::vector<uint8_t> damaged(bytes.begin(), bytes.end() - 2);
  res::add_binary({res::BinaryKind::icon, IDI_TEST, nullptr, bytes});
  res::add_binary({res::BinaryKind::icon, IDI_TEST_DAMAGED, nullptr, damaged});
}

using lumo::test::kFace;
using lumo::test::PixelIs;

class Canvas : public lumo::test::FaceCanvas {
 public:
  Canvas(int width, int height) : FaceCanvas(width, height) {
    // Colours a mask must not take on.
    SetTextColor(dc(), RGB(0, 128, 0));
    SetBkColor(dc(), RGB(255, 255, 0));
  }
};

class IconsTest : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    gdi::install_qt_devices();
    register_icons();
  }
};

TEST_F(IconsTest, DrawsThroughTheMaskAtItsSizeOrScaled) {
  HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(IDI_TEST));
  ASSERT_NE(icon, nullptr);
  {
    Canvas canvas(10, 10);
    ASSERT_TRUE(DrawIconEx(canvas.dc(), 2, 2, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.at(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(4, 4), RGB(255, 0, 0));
    for (POINT p : {POINT{3, 2}, POINT{5, 5}, POINT{2, 5}, POINT{1, 1}, POINT{6, 6}}) {
      EXPECT_EQ(canvas.at(p.x, p.y), kFace) << p.x << "," << p.y;
    }
  }
  // Scaled by the loader to 8 x 8: every icon pixel is 2 x 2.
  HICON big = static_cast<HICON>(LoadImage(nullptr, MAKEINTRESOURCE(IDI_TEST), IMAGE_ICON, 8, 8, LR_DEFAULTCOLOR));
  ASSERT_NE(big, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(big, &info));
  BITMAP bm{};
  GetObject(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 8);
  EXPECT_EQ(bm.bmHeight, 8);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  Canvas canvas(10, 10);
  ASSERT_TRUE(DrawIconEx(canvas.dc(), 0, 0, big, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(canvas.at(1, 1), RGB(0, 0, 255));
  EXPECT_EQ(canvas.at(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(canvas.at(6, 6), kFace);
  EXPECT_TRUE(DestroyIcon(big));
  EXPECT_TRUE(DestroyIcon(icon));
}

TEST_F(IconsTest, DisabledIconsAreEmbossed) {
  HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(IDI_TEST));
  Canvas canvas(10, 10);
  ASSERT_TRUE(DrawState(canvas.dc(), nullptr, nullptr, LPARAM(icon), 0, 2, 2, 0, 0, DST_ICON | DSS_DISABLED));
  const COLORREF light = GetSysColor(COLOR_3DHILIGHT), dark = GetSysColor(COLOR_3DSHADOW);
  lumo::test::expect_pixels(canvas, {PixelIs{2, 2, dark}, PixelIs{3, 3, dark}, PixelIs{4, 4, dark},
                                     PixelIs{5, 5, light}, PixelIs{5, 4, light}, PixelIs{4, 5, light},
                                     PixelIs{3, 2, kFace}, PixelIs{2, 3, kFace}, PixelIs{6, 6, kFace}});
  DestroyIcon(icon);
}

TEST_F(IconsTest, MissingDamagedAndDestroyedIconsDrawNothing) {
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(IDI_TEST_DAMAGED)), nullptr);
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(9399)), nullptr);
  HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(IDI_TEST));
  ASSERT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  Canvas canvas(6, 6);
  EXPECT_FALSE(DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_FALSE(DrawState(canvas.dc(), nullptr, nullptr, LPARAM(icon), 0, 0, 0, 0, 0, DST_ICON | DSS_DISABLED));
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(icon, &info));
  EXPECT_EQ(canvas.at(0, 0), kFace);
}

TEST_F(IconsTest, MadeFromBitmapsOfOneSize) {
  HBITMAP mask = CreateBitmap(3, 3, 1, 1, nullptr);
  HBITMAP colour = CreateBitmap(3, 3, 1, 32, nullptr);
  HBITMAP other = CreateBitmap(2, 3, 1, 32, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  EXPECT_NE(icon, nullptr);
  info.hbmColor = other;
  EXPECT_EQ(CreateIconIndirect(&info), nullptr);
  info.hbmColor = nullptr;
  EXPECT_EQ(CreateIconIndirect(&info), nullptr);
  // The icon keeps its own copies.
  DeleteObject(mask);
  DeleteObject(colour);
  DeleteObject(other);
  Canvas canvas(6, 6);
  EXPECT_TRUE(DrawIconEx(canvas.dc(), 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(canvas.at(1, 1), RGB(0, 0, 0));
  DestroyIcon(icon);
}

}  // namespace
