// Image lists: strips cut into images, the mask colour made transparent, and the drawing styles.
#include <gtest/gtest.h>

#include "platform/base/archive.h"
#include "platform/controls/image_list.h"
#include "platform/gdi/core/icons.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/win/system_metrics.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"

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
  // A strip resource that does not exist makes no list.
  CImageList missing;
  EXPECT_FALSE(missing.Create(UINT(65000), 16, 1, kMagenta));
  EXPECT_FALSE(missing.IsCreated());
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


TEST_F(ImageListTest, ListsAreSharedThroughHandles) {
  HIMAGELIST h = list.GetSafeHandle();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(CImageList::FromHandle(h), &list);
  {
    // A second object on the same list sees its images; detached, it leaves the list alive.
    CImageList other;
    ASSERT_TRUE(other.Attach(h));
    EXPECT_EQ(other.GetImageCount(), 2);
    EXPECT_FALSE(other.Attach(h));  // already holds one
    EXPECT_EQ(other.Detach(), h);
  }
  EXPECT_EQ(list.GetImageCount(), 2);
  // Detached, the handle has no holder: FromHandle makes a wrapper that does not own it.
  EXPECT_EQ(list.Detach(), h);
  CImageList* wrapper = CImageList::FromHandle(h);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_NE(wrapper, &list);
  EXPECT_EQ(wrapper->GetImageCount(), 2);
  // Destroyed through the handle, every object refuses the stale list.
  ASSERT_TRUE(list.Attach(h));
  EXPECT_TRUE(ImageList_Destroy(h));
  EXPECT_FALSE(ImageList_Destroy(h));
  EXPECT_FALSE(list.IsCreated());
  EXPECT_EQ(list.GetImageCount(), 0);
  EXPECT_EQ(wrapper->GetSafeHandle(), nullptr);
  EXPECT_EQ(CImageList::FromHandle(h), nullptr);
  Canvas target(4, 4, kGreen);
  EXPECT_FALSE(list.Draw(&target.dc, 0, CPoint(0, 0), ILD_NORMAL));
  EXPECT_FALSE(list.Attach(h));
}

TEST_F(ImageListTest, IconsGoInAndComeOutWithTheirMask) {
  // Image 0 back as an icon: the magenta corner is its transparent part.
  HICON icon = list.ExtractIcon(0);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(list.ExtractIcon(9), nullptr);
  Canvas drawn(4, 4, kGreen);
  ASSERT_TRUE(DrawIconEx(drawn.dc.GetSafeHdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(drawn.dc.GetPixel(0, 0), kGreen);
  EXPECT_EQ(drawn.dc.GetPixel(3, 3), kRed);
  // In again as a new image and over the blue one; -1 appends, a bad index is refused.
  EXPECT_EQ(list.Add(icon), 2);
  EXPECT_EQ(list.Replace(1, icon), 1);
  EXPECT_EQ(list.Replace(7, icon), -1);
  EXPECT_EQ(list.Add(HICON(nullptr)), -1);
  for (int image : {1, 2}) {
    Canvas target(4, 4, kGreen);
    ASSERT_TRUE(list.Draw(&target.dc, image, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(target.dc.GetPixel(0, 0), kGreen);
    EXPECT_EQ(target.dc.GetPixel(3, 3), kRed);
  }
  DestroyIcon(icon);
  // A larger icon is scaled to the list's size.
  CImageList big;
  ASSERT_TRUE(big.Create(8, 8, ILC_COLOR24 | ILC_MASK, 1, 1));
  big.Add(icon = list.ExtractIcon(0));
  DestroyIcon(icon);
  Canvas target(8, 8, kGreen);
  ASSERT_TRUE(big.Draw(&target.dc, 0, CPoint(0, 0), ILD_TRANSPARENT));
  EXPECT_EQ(target.dc.GetPixel(3, 3), kGreen);
  EXPECT_EQ(target.dc.GetPixel(4, 4), kRed);
}

TEST_F(ImageListTest, CopySwapAndReplaceByBitmap) {
  struct Case {
    UINT flags;
    COLORREF first;  // at (3, 3) of images 0 and 1 afterwards
    COLORREF second;
  } cases[] = {{ILCF_MOVE, kBlue, kBlue}, {ILCF_SWAP, kBlue, kRed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    CImageList copy;
    ASSERT_TRUE(copy.Create(&list));
    ASSERT_TRUE(copy.Copy(0, 1, c.flags));
    Canvas target(8, 4, kGreen);
    copy.Draw(&target.dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
    copy.Draw(&target.dc, 1, CPoint(4, 0), ILD_TRANSPARENT);
    EXPECT_EQ(target.dc.GetPixel(3, 3), c.first);
    EXPECT_EQ(target.dc.GetPixel(7, 3), c.second);
  }
  // The copy is a list of its own: the original is unchanged.
  Canvas original(4, 4, kGreen);
  list.Draw(&original.dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
  EXPECT_EQ(original.dc.GetPixel(3, 3), kRed);
  // Between lists of one size only; a bad index is refused.
  CImageList other;
  ASSERT_TRUE(other.Create(5, 5, ILC_MASK, 1, 1));
  EXPECT_FALSE(other.SetImageCount(1) && other.Copy(0, &list, 0));
  EXPECT_FALSE(list.Copy(0, 5));
  // Replacing by a bitmap takes its first image.
  Canvas green(8, 4, kGreen);
  ASSERT_TRUE(list.Replace(1, green.done(), nullptr));
  EXPECT_FALSE(list.Replace(2, green.done(), nullptr));
  Canvas target(4, 4, kBlue);
  list.Draw(&target.dc, 1, CPoint(0, 0), ILD_NORMAL);
  EXPECT_EQ(target.dc.GetPixel(0, 0), kGreen);
}

TEST_F(ImageListTest, MergePlacesTheSecondImageOverTheFirst) {
  // The blue image 6 pixels right of the red one: 10 by 4, transparent only where both are.
  CImageList merged;
  ASSERT_TRUE(merged.Create(&list, 0, &list, 1, 6, 0));
  int cx = 0, cy = 0;
  ASSERT_TRUE(merged.GetIconSize(cx, cy));
  EXPECT_EQ(cx, 10);
  EXPECT_EQ(cy, 4);
  EXPECT_EQ(merged.GetImageCount(), 1);
  Canvas target(10, 4, kGreen);
  ASSERT_TRUE(merged.Draw(&target.dc, 0, CPoint(0, 0), ILD_TRANSPARENT));
  EXPECT_EQ(target.dc.GetPixel(0, 0), kGreen);  // the red image's transparent corner
  EXPECT_EQ(target.dc.GetPixel(3, 3), kRed);
  EXPECT_EQ(target.dc.GetPixel(4, 3), kGreen);  // the gap
  EXPECT_EQ(target.dc.GetPixel(9, 0), kBlue);
  // Overlapping with a negative offset: the second image drawn over the first.
  ASSERT_TRUE(merged.Create(&list, 0, &list, 1, -2, 0));
  ASSERT_TRUE(merged.GetIconSize(cx, cy));
  EXPECT_EQ(cx, 6);
  Canvas over(6, 4, kGreen);
  merged.Draw(&over.dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
  EXPECT_EQ(over.dc.GetPixel(3, 3), kBlue);
  EXPECT_EQ(over.dc.GetPixel(5, 3), kRed);
  EXPECT_FALSE(merged.Create(&list, 0, &list, 9, 0, 0));
}

TEST_F(ImageListTest, IndirectDrawingTakesPartsAndBlendColours) {
  struct Case {
    SIZE size;
    POINT origin;
    UINT style;
    COLORREF fore;
    COLORREF at_1_1;  // target pixels after drawing at (1, 1)
    COLORREF at_2_2;
    COLORREF at_3_3;
  } cases[] = {
      // The image's bottom-right 2 by 2 quarter only.
      {{2, 2}, {2, 2}, ILD_TRANSPARENT, CLR_DEFAULT, kRed, kRed, kGreen},
      // Half blended with white.
      {{0, 0}, {0, 0}, ILD_TRANSPARENT | ILD_BLEND50, RGB(255, 255, 255), kGreen, kGreen, RGB(255, 127, 127)},
      // Blended with what lies under it.
      {{0, 0}, {0, 0}, ILD_TRANSPARENT | ILD_BLEND50, CLR_NONE, kGreen, kGreen, RGB(127, 127, 0)},
  };
  for (const Case& c : cases) {
    Canvas target(6, 6, kGreen);
    ASSERT_TRUE(list.DrawIndirect(&target.dc, 0, CPoint(1, 1), c.size, c.origin, c.style, SRCCOPY, CLR_DEFAULT, c.fore));
    EXPECT_EQ(target.dc.GetPixel(1, 1), c.at_1_1);
    EXPECT_EQ(target.dc.GetPixel(2, 2), c.at_2_2);
    EXPECT_EQ(target.dc.GetPixel(3, 3), c.at_3_3);
  }
  // With ILD_ROP the whole image is transferred with the operation: red OR blue is magenta.
  Canvas target(4, 4, kBlue);
  IMAGELISTDRAWPARAMS p;
  p.himl = list;
  p.hdcDst = target.dc.GetSafeHdc();
  p.fStyle = ILD_ROP;
  p.dwRop = SRCPAINT;
  p.rgbBk = RGB(0, 0, 0);
  ASSERT_TRUE(ImageList_DrawIndirect(&p));
  EXPECT_EQ(target.dc.GetPixel(3, 3), kMagenta);
  EXPECT_EQ(target.dc.GetPixel(0, 0), kBlue);
}

TEST_F(ImageListTest, ArchiveKeepsImagesOverlaysAndBackground) {
  list.SetBkColor(kGreen);
  ASSERT_TRUE(list.SetOverlayImage(1, 3));
  CArchive out;
  ASSERT_TRUE(list.Write(&out));
  CArchive in(out.GetBytes());
  CImageList copy;
  ASSERT_TRUE(copy.Read(&in));
  EXPECT_EQ(copy.GetImageCount(), 2);
  EXPECT_EQ(copy.GetBkColor(), kGreen);
  Canvas target(4, 4, kBlue);
  ASSERT_TRUE(copy.Draw(&target.dc, 0, CPoint(0, 0), ILD_NORMAL | INDEXTOOVERLAYMASK(3)));
  EXPECT_EQ(target.dc.GetPixel(3, 3), kBlue);  // the overlay's blue over the red
  // Cut short anywhere, or with an impossible size, the archive is refused and nothing is held.
  const std::vector<uint8_t>& bytes = out.GetBytes();
  for (size_t n : {size_t(0), size_t(5), size_t(17), bytes.size() - 1}) {
    SCOPED_TRACE(n);
    CArchive cut(std::span<const uint8_t>(bytes.data(), n));
    EXPECT_THROW(copy.Read(&cut), CArchiveException);
    EXPECT_FALSE(copy.IsCreated());
  }
  std::vector<uint8_t> huge = bytes;
  huge[2] = 0xFF;  // cx far beyond the limit
  huge[3] = 0x7F;
  CArchive bad(huge);
  EXPECT_THROW(copy.Read(&bad), CArchiveException);
}

// A plain child window whose surface is white.
LRESULT white_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT r;
    GetClientRect(h, &r);
    CDC::FromHandle(dc)->FillSolidRect(&r, RGB(255, 255, 255));
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

TEST_F(ImageListTest, DragImageIsDrawnOverTheWindowAndTakenAway) {
  HWND h = CreateWindowEx(0, test_window_class("ImageListDragTarget", white_proc), "", WS_POPUP | WS_VISIBLE, 0, 0, 40,
                          30, nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  UpdateWindow(h);
  EXPECT_FALSE(CImageList::DragEnter(CWnd::FromHandle(h), CPoint(5, 5)));  // no drag yet
  ASSERT_TRUE(list.BeginDrag(0, CPoint(1, 1)));
  ASSERT_TRUE(CImageList::DragEnter(CWnd::FromHandle(h), CPoint(10, 10)));
  // The hot spot at (10, 10): the image covers (9, 9) to (12, 12), its corner transparent.
  EXPECT_EQ(surface_pixel(h, 12, 12, true), kRed);
  EXPECT_EQ(surface_pixel(h, 9, 9, true), RGB(255, 255, 255));
  CPoint at, hot;
  ASSERT_NE(CImageList::GetDragImage(&at, &hot), nullptr);
  EXPECT_EQ(at, CPoint(10, 10));
  EXPECT_EQ(hot, CPoint(1, 1));
  ASSERT_TRUE(CImageList::DragMove(CPoint(30, 20)));
  EXPECT_EQ(surface_pixel(h, 12, 12, true), RGB(255, 255, 255));
  EXPECT_EQ(surface_pixel(h, 32, 22, true), kRed);
  save_surface_png(h, "image_list_drag.png", true);
  ASSERT_TRUE(CImageList::DragShowNolock(FALSE));
  EXPECT_EQ(surface_pixel(h, 32, 22, true), RGB(255, 255, 255));
  ASSERT_TRUE(CImageList::DragShowNolock(TRUE));
  EXPECT_EQ(surface_pixel(h, 32, 22, true), kRed);
  ASSERT_TRUE(CImageList::DragLeave(CWnd::FromHandle(h)));
  EXPECT_EQ(surface_pixel(h, 32, 22, true), RGB(255, 255, 255));
  CImageList::EndDrag();
  EXPECT_EQ(CImageList::GetDragImage(nullptr, nullptr), nullptr);
  EXPECT_FALSE(CImageList::DragMove(CPoint(1, 1)));
  DestroyWindow(h);
}

}  // namespace
}  // namespace lumo::test
