// Drawing services over windows: state drawing (plain and disabled) and window contexts with
// options.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/gdi/system/draw_state.h"
#include "platform/gdi/system/window_dc_ex.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"
#include "tests/platform_services/face_canvas.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/surface_png.h"

namespace {

using lumo::test::FaceCanvas;
using lumo::test::GuiTest;
using lumo::test::kFace;
using lumo::test::PixelIs;

// A 4 x 4 bitmap: a black 2 x 2 square in the middle of white.
HBITMAP square_bitmap() {
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 4, 4, WHITENESS);
  PatBlt(dc, 1, 1, 2, 2, BLACKNESS);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

class DrawingServicesTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    gdi::install_qt_devices();  // memory contexts with pixels, as once the first window is made
  }
};

TEST_F(DrawingServicesTest, BitmapsDrawPlainOrEmbossedWhenDisabled) {
  HBITMAP square = square_bitmap();
  {
    FaceCanvas canvas(12, 12);
    ASSERT_TRUE(DrawState(canvas.dc(), nullptr, nullptr, LPARAM(square), 0, 2, 2, 0, 0, DST_BITMAP | DSS_NORMAL));
    EXPECT_EQ(canvas.at(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(3, 3), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(6, 6), kFace);
  }
  FaceCanvas canvas(12, 12);
  ASSERT_TRUE(DrawState(canvas.dc(), nullptr, nullptr, LPARAM(square), 0, 2, 2, 0, 0, DST_BITMAP | DSS_DISABLED));
  const COLORREF light = GetSysColor(COLOR_3DHILIGHT), dark = GetSysColor(COLOR_3DSHADOW);
  // The square covers (3, 3)..(4, 4): shadow there, highlight where the copy one pixel down and
  // right shows past it, the face everywhere else (white pixels of the bitmap are not drawn).
  lumo::test::expect_pixels(canvas, {PixelIs{3, 3, dark}, PixelIs{4, 4, dark}, PixelIs{5, 5, light},
                                     PixelIs{5, 4, light}, PixelIs{4, 5, light}, PixelIs{2, 2, kFace},
                                     PixelIs{5, 3, kFace}, PixelIs{6, 6, kFace}, PixelIs{0, 0, kFace}});
  DeleteObject(square);
}

TEST_F(DrawingServicesTest, DisabledTextIsEmbossedInTheThreeDColours) {
  HWND window = CreateWindowEx(0, lumo::test::test_window_class("DrawStateWnd", DefWindowProc), "",
                               WS_POPUP | WS_VISIBLE, 0, 0, 120, 40, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  HDC dc = GetDC(window);
  RECT all{0, 0, 120, 40};
  HBRUSH face = CreateSolidBrush(kFace);
  FillRect(dc, &all, face);
  DeleteObject(face);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, RGB(0, 0, 0));
  const char* text = "Zapisz &jako";
  ASSERT_TRUE(DrawState(dc, nullptr, nullptr, LPARAM(text), 0, 4, 4, 0, 0, DST_PREFIXTEXT | DSS_NORMAL));
  ASSERT_TRUE(DrawState(dc, nullptr, nullptr, LPARAM(text), 0, 4, 20, 0, 0, DST_PREFIXTEXT | DSS_DISABLED));
  ReleaseDC(window, dc);
  lumo::test::save_surface_png(window, ::testing::TempDir() + "draw_state_text.png");

  const COLORREF light = GetSysColor(COLOR_3DHILIGHT), dark = GetSysColor(COLOR_3DSHADOW);
  int normal_ink = 0, shadow = 0, highlight = 0, other = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      COLORREF c = lumo::test::surface_pixel(window, x, y);
      if (c == kFace) continue;
      if (y < 18) {
        ++normal_ink;
      } else if (c == dark) {
        ++shadow;
      } else if (c == light) {
        ++highlight;
      } else {
        ++other;
      }
    }
  }
  EXPECT_GT(normal_ink, 20);
  EXPECT_GT(shadow, 20);
  EXPECT_GT(highlight, 5);
  // Only the two 3-D colours: no black ink and no blend in the disabled line.
  EXPECT_EQ(other, 0);
  DestroyWindow(window);
}

TEST_F(DrawingServicesTest, RefusesWhatItCannotDraw) {
  FaceCanvas canvas(8, 8);
  HBITMAP square = square_bitmap();
  EXPECT_FALSE(DrawState(canvas.dc(), nullptr, nullptr, LPARAM(square), 0, 0, 0, 0, 0, DST_ICON));
  EXPECT_FALSE(DrawState(canvas.dc(), nullptr, nullptr, LPARAM(square), 0, 0, 0, 4, 4, DST_COMPLEX));
  EXPECT_FALSE(DrawState(canvas.dc(), nullptr, nullptr, LPARAM(square), 0, 0, 0, 0, 0, DST_BITMAP | DSS_UNION));
  EXPECT_FALSE(DrawState(nullptr, nullptr, nullptr, LPARAM(square), 0, 0, 0, 0, 0, DST_BITMAP));
  DeleteObject(square);
  // A deleted bitmap has no size and draws nothing.
  EXPECT_FALSE(DrawState(canvas.dc(), nullptr, nullptr, LPARAM(square), 0, 0, 0, 0, 0, DST_BITMAP | DSS_DISABLED));
  EXPECT_EQ(canvas.at(1, 1), kFace);
}

TEST_F(DrawingServicesTest, WindowContextsWithOptions) {
  HWND window = CreateWindowEx(0, lumo::test::test_window_class("GetDCExWnd", DefWindowProc), "",
                               WS_POPUP | WS_VISIBLE | WS_BORDER, 30, 40, 60, 50, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  RECT window_rect, client;
  GetWindowRect(window, &window_rect);
  POINT client_origin{0, 0};
  ClientToScreen(window, &client_origin);

  // The whole window: (0, 0) is the window's corner.
  HDC whole = GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS);
  ASSERT_NE(whole, nullptr);
  SetPixel(whole, 0, 0, RGB(255, 0, 0));
  ReleaseDC(window, whole);
  EXPECT_EQ(lumo::test::surface_pixel(window, 0, 0, true), RGB(255, 0, 0));

  // The client area, limited to a screen rectangle.
  HRGN clip = CreateRectRgn(client_origin.x + 10, client_origin.y + 10, client_origin.x + 20, client_origin.y + 20);
  HDC dc = GetDCEx(window, clip, DCX_INTERSECTRGN);
  ASSERT_NE(dc, nullptr);
  GetClientRect(window, &client);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(dc, &client, blue);
  ReleaseDC(window, dc);
  EXPECT_EQ(lumo::test::surface_pixel(window, 15, 15), RGB(0, 0, 255));
  EXPECT_NE(lumo::test::surface_pixel(window, 5, 5), RGB(0, 0, 255));
  EXPECT_NE(lumo::test::surface_pixel(window, 25, 15), RGB(0, 0, 255));

  // The same region cut out instead; it stays the caller's.
  dc = GetDCEx(window, clip, DCX_EXCLUDERGN);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(dc, &client, green);
  ReleaseDC(window, dc);
  EXPECT_EQ(lumo::test::surface_pixel(window, 15, 15), RGB(0, 0, 255));
  EXPECT_EQ(lumo::test::surface_pixel(window, 5, 5), RGB(0, 255, 0));
  EXPECT_EQ(GetObjectType(clip), OBJ_REGION);
  DeleteObject(clip);
  DeleteObject(blue);
  DeleteObject(green);

  // No window: the desktop's context.
  HDC desktop = GetDCEx(nullptr, nullptr, DCX_CACHE);
  EXPECT_NE(desktop, nullptr);
  ReleaseDC(GetDesktopWindow(), desktop);
  DestroyWindow(window);
}

}  // namespace
