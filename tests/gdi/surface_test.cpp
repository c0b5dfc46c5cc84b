// Pixels on a window surface: inversion, exclusive-or, monochrome bitmaps, the paint clip.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/gdi/core/metafile_format.h"
#include "platform/gdi/core/metafile_player.h"
#include "tests/gdi/gui_app.h"
#include "tests/gdi_core/metafile_builder.h"

namespace {

class Surface : public ::testing::Test {
 protected:
  void SetUp() override {
    gui_app();
    image_ = QImage(40, 30, QImage::Format_RGB32);
    image_.fill(Qt::white);
    dc_ = gdi::create_surface_dc(&image_);
    ASSERT_NE(dc_, nullptr);
  }
  void TearDown() override { DeleteDC(dc_); }
  QRgb at(int x, int y) const { return image_.pixel(x, y) & 0xFFFFFF; }
  QImage image_;
  HDC dc_ = nullptr;
};

TEST_F(Surface, InversionAndExclusiveOrAreExact) {
  RECT r{5, 5, 15, 10};
  InvertRect(dc_, &r);
  EXPECT_EQ(at(5, 5), 0x000000u);
  EXPECT_EQ(at(14, 9), 0x000000u);
  EXPECT_EQ(at(15, 9), 0xFFFFFFu);
  InvertRect(dc_, &r);
  EXPECT_EQ(at(5, 5), 0xFFFFFFu);

  // An exclusive-or pen over a coloured area, twice, restores it exactly.
  HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
  RECT area{0, 0, 40, 30};
  FillRect(dc_, &area, teal);
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 0, 0));
  HGDIOBJ old_pen = SelectObject(dc_, pen);
  SetROP2(dc_, R2_XORPEN);
  for (int i = 0; i < 2; ++i) {
    MoveToEx(dc_, 2, 2, nullptr);
    LineTo(dc_, 37, 25);
    if (i == 0) {
      EXPECT_EQ(at(20, 13), 0xFF8080u) << std::hex << at(20, 13);
    }
  }
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(at(x, y), 0x008080u) << x << "," << y;
  SelectObject(dc_, old_pen);
  DeleteObject(pen);
  DeleteObject(teal);
  // The surface stays opaque for showing.
  EXPECT_EQ(qAlpha(image_.pixel(20, 13)), 255);
}

TEST_F(Surface, MonochromeBitmapTakesTheContextColours) {
  uint8_t bits[] = {0xF0, 0x00, 0x0F, 0x00};  // 8 x 2: left half white on row 0, right on row 1
  HBITMAP mono = CreateBitmap(8, 2, 1, 1, bits);
  HDC mem = CreateCompatibleDC(dc_);
  HGDIOBJ old = SelectObject(mem, mono);
  SetTextColor(dc_, RGB(255, 0, 0));
  SetBkColor(dc_, RGB(0, 0, 255));
  BitBlt(dc_, 10, 10, 8, 2, mem, 0, 0, SRCCOPY);
  EXPECT_EQ(at(10, 10), 0x0000FFu);  // white bits: background colour
  EXPECT_EQ(at(14, 10), 0xFF0000u);  // black bits: text colour
  EXPECT_EQ(at(10, 11), 0xFF0000u);
  // A mask transfer: AND with the mask then OR the picture leaves white bits' pixels alone.
  RECT area{0, 20, 8, 22};
  FillRect(dc_, &area, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  BitBlt(dc_, 0, 20, 8, 2, mem, 0, 0, SRCAND);
  EXPECT_EQ(at(0, 20), 0x808080u);
  EXPECT_EQ(at(4, 20), 0x000000u);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(mono);
}

TEST_F(Surface, PaintClipLimitsDrawing) {
  gdi::Region clip(RECT{0, 0, 10, 10});
  gdi::set_paint_clip(dc_, &clip);
  RECT all{0, 0, 40, 30};
  FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(at(9, 9), 0x000000u);
  EXPECT_EQ(at(10, 9), 0xFFFFFFu);
  // The context's own clip combines with it.
  IntersectClipRect(dc_, 5, 5, 40, 30);
  RECT box{};
  EXPECT_EQ(GetClipBox(dc_, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.right, 10);
  gdi::set_paint_clip(dc_, nullptr);
  GetClipBox(dc_, &box);
  EXPECT_EQ(box.right, 40);
}

TEST_F(Surface, MemoryContextsFromNoContextDrawWithFonts) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(dc_, 60, 20);
  HGDIOBJ old = SelectObject(mem, bm);
  RECT all{0, 0, 60, 20};
  FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT font = CreateFont(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0, 0, "Arial CE");
  SelectObject(mem, font);
  TextOut(mem, 2, 2, "WWW", 3);
  BitBlt(dc_, 0, 0, 60, 20, mem, 0, 0, SRCCOPY);
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) dark += qGray(image_.pixel(x, y)) < 100;
  EXPECT_GT(dark, 30);
  SelectObject(mem, GetStockObject(SYSTEM_FONT));
  SelectObject(mem, old);
  DeleteObject(font);
  DeleteObject(bm);
  DeleteDC(mem);
}

// A picture in anisotropic mapping placed as the display engine places it: viewport origin at
// the position, viewport extent the size shown.
TEST_F(Surface, MetafilePictureIsScaledIntoItsPlace) {
  using namespace gdi::wmf;
  auto bytes = gdi::testing::MetafileBuilder()
                   .add(META_SETMAPMODE, {MM_ANISOTROPIC})
                   .add(META_SETWINDOWEXT, {100, 200})
                   .add(META_CREATEBRUSHINDIRECT, {BS_SOLID, 0x00FF, 0x0000, 0})
                   .add(META_SELECTOBJECT, {0})
                   .add(META_CREATEPENINDIRECT, {PS_NULL, 0, 0, 0, 0})
                   .add(META_SELECTOBJECT, {1})
                   .add(META_RECTANGLE, {50, 100, 0, 0})
                   .bytes();
  SaveDC(dc_);
  SetMapMode(dc_, MM_ANISOTROPIC);
  SetViewportOrgEx(dc_, 10, 5, nullptr);
  SetViewportExtEx(dc_, 20, 10, nullptr);
  ASSERT_TRUE(gdi::play_metafile(dc_, bytes));
  RestoreDC(dc_, -1);
  // The top-left quarter of the picture: 10 x 5 pixels from (10, 5), less the null pen's edge.
  EXPECT_EQ(at(10, 5), 0xFF0000u);
  EXPECT_EQ(at(18, 8), 0xFF0000u);
  EXPECT_EQ(at(19, 8), 0xFFFFFFu);
  EXPECT_EQ(at(9, 5), 0xFFFFFFu);
  EXPECT_EQ(at(10, 4), 0xFFFFFFu);
}

}  // namespace
