// Image lists: strips cut into images, the mask colour made transparent, and the drawing styles.
#include <gtest/gtest.h>

#include "platform/controls/image_list.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/win/system_metrics.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A memory context over a colour bitmap filled with one colour.
struct Canvas {
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;
  Canvas(int w, int h, COLORREF fill) {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateBitmap(w, h, 1, 24, nullptr);
    old = dc.SelectObject(&bitmap);
    CRect r(0, 0, w, h);
    dc.FillSolidRect(&r, fill);
  }
  // The bitmap, taken out of the context.
  CBitmap* done() {
    if (old) dc.SelectObject(old);
    old = nullptr;
    return &bitmap;
  }
  ~Canvas() { done(); }
};

class ImageListTest : public FrameworkTest {
 protected:
  CImageList list;
  // A strip of two 4 by 4 images: red with a magenta top-left quarter, then blue.
  void SetUp() override {
    FrameworkTest::SetUp();
    gdi::install_qt_devices();  // memory contexts with pixels, as once the first window is made
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24 | ILC_MASK, 2, 2));
    Canvas strip(8, 4, kRed);
    CRect blue(4, 0, 8, 4), corner(0, 0, 2, 2);
    strip.dc.FillSolidRect(&blue, kBlue);
    strip.dc.FillSolidRect(&corner, kMagenta);
    ASSERT_EQ(list.Add(strip.done(), kMagenta), 0);
  }
};

TEST_F(ImageListTest, CutsTheStripAndCountsImages) {
  EXPECT_EQ(list.GetImageCount(), 2);
  int cx = 0, cy = 0;
  ASSERT_TRUE(list.GetIconSize(cx, cy));
  EXPECT_EQ(cx, 4);
  EXPECT_EQ(cy, 4);
  // A strip narrower than one image still makes one; the next index follows.
  Canvas narrow(3, 4, kGreen);
  EXPECT_EQ(list.Add(narrow.done(), kMagenta), 2);
  EXPECT_EQ(list.GetImageCount(), 3);
  EXPECT_TRUE(list.Remove(0));
  EXPECT_EQ(list.GetImageCount(), 2);
  EXPECT_FALSE(list.Remove(5));
  EXPECT_EQ(list.Add(nullptr, kMagenta), -1);
  Canvas target(4, 4, kGreen);
  EXPECT_FALSE(list.Draw(&target.dc, 7, CPoint(0, 0), ILD_NORMAL));
}

TEST_F(ImageListTest, DrawingStylesTreatTheMaskedPixels) {
  COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  COLORREF half_red = RGB((255 + GetRValue(highlight)) / 2, GetGValue(highlight) / 2, GetBValue(highlight) / 2);
  struct Case {
    UINT style;
    COLORREF background;
    COLORREF masked;  // at a masked pixel (0, 0)
    COLORREF solid;   // at an image pixel (3, 3)
  } cases[] = {
      {ILD_TRANSPARENT, RGB(255, 255, 255), kGreen, kRed},
      {ILD_NORMAL, CLR_NONE, kGreen, kRed},
      {ILD_NORMAL, RGB(255, 255, 255), RGB(255, 255, 255), kRed},
      {ILD_TRANSPARENT | ILD_BLEND50, CLR_NONE, kGreen, half_red},
      {ILD_MASK, CLR_NONE, RGB(255, 255, 255), RGB(0, 0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    list.SetBkColor(c.background);
    Canvas target(10, 10, kGreen);
    ASSERT_TRUE(list.Draw(&target.dc, 0, CPoint(2, 2), c.style));
    EXPECT_EQ(target.dc.GetPixel(2, 2), c.masked);
    EXPECT_EQ(target.dc.GetPixel(5, 5), c.solid);
    EXPECT_EQ(target.dc.GetPixel(6, 6), kGreen);  // outside the image
  }
}

TEST_F(ImageListTest, OverlayIsDrawnOverTheImage) {
  // Image 0 as overlay 1 over the blue image: its transparent corner shows the blue beneath.
  ASSERT_TRUE(list.SetOverlayImage(0, 1));
  EXPECT_FALSE(list.SetOverlayImage(0, 16));
  Canvas target(4, 4, kGreen);
  ASSERT_TRUE(list.Draw(&target.dc, 1, CPoint(0, 0), ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1)));
  EXPECT_EQ(target.dc.GetPixel(0, 0), kBlue);
  EXPECT_EQ(target.dc.GetPixel(3, 3), kRed);
  // Removing the overlay's picture drops the overlay.
  ASSERT_TRUE(list.Remove(0));
  Canvas again(4, 4, kGreen);
  ASSERT_TRUE(list.Draw(&again.dc, 0, CPoint(0, 0), ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1)));
  EXPECT_EQ(again.dc.GetPixel(3, 3), kBlue);
}

TEST_F(ImageListTest, MaskBitmapMarksTransparentPixels) {
  // A monochrome mask whose set (white) top-left pixel is transparent; rows padded to 16 bits.
  const BYTE bits[] = {0x80, 0, 0, 0, 0, 0, 0, 0};
  CBitmap mask;
  ASSERT_TRUE(mask.CreateBitmap(4, 4, 1, 1, bits));
  Canvas blue(4, 4, kBlue);
  EXPECT_EQ(list.Add(blue.done(), &mask), 2);
  Canvas target(4, 4, kGreen);
  ASSERT_TRUE(list.Draw(&target.dc, 2, CPoint(0, 0), ILD_TRANSPARENT));
  EXPECT_EQ(target.dc.GetPixel(0, 0), kGreen);
  EXPECT_EQ(target.dc.GetPixel(1, 0), kBlue);
  // A mask of another size is refused.
  Canvas wide(8, 4, kBlue);
  EXPECT_EQ(list.Add(wide.done(), &mask), -1);
}

}  // namespace
}  // namespace lumo::test
