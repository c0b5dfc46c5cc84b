// Object handles and selection rules.
#include <gtest/gtest.h>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/recording_device.h"

namespace {

class Objects : public ::testing::Test {
 protected:
  void SetUp() override { dc_ = gdi::create_recording_dc(log_); }
  void TearDown() override { DeleteDC(dc_); }
  std::shared_ptr<gdi::RecordingLog> log_ = std::make_shared<gdi::RecordingLog>();
  HDC dc_ = nullptr;
};

TEST_F(Objects, SelectReturnsThePreviousObjectOfThatKind) {
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  HGDIOBJ first_pen = SelectObject(dc_, red);
  EXPECT_EQ(first_pen, GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc_, blue), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc_, first_pen), red);
  EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), blue);
  EXPECT_EQ(GetObjectType(red), OBJ_PEN);
  EXPECT_EQ(GetObjectType(dc_), OBJ_DC);
  EXPECT_TRUE(DeleteObject(red));
  SelectObject(dc_, GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(blue));
}

TEST_F(Objects, DeletingASelectedObjectWaitsUntilItIsDeselected) {
  HFONT font = CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0, 0, "Arial CE");
  HGDIOBJ old = SelectObject(dc_, font);
  EXPECT_TRUE(DeleteObject(font));
  // Still usable while selected.
  EXPECT_EQ(GetObjectType(font), OBJ_FONT);
  TEXTMETRIC tm{};
  ASSERT_TRUE(GetTextMetrics(dc_, &tm));
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  SelectObject(dc_, old);
  EXPECT_EQ(GetObjectType(font), 0u);
  EXPECT_EQ(SelectObject(dc_, font), nullptr);
}

TEST_F(Objects, SavedStatesKeepTheirObjectsAlive) {
  HPEN pen = CreatePen(PS_DOT, 1, RGB(1, 2, 3));
  HGDIOBJ old = SelectObject(dc_, pen);
  int level = SaveDC(dc_);
  SelectObject(dc_, old);
  DeleteObject(pen);
  EXPECT_EQ(GetObjectType(pen), OBJ_PEN);  // the saved state still has it
  ASSERT_TRUE(RestoreDC(dc_, level));
  EXPECT_EQ(GetCurrentObject(dc_, OBJ_PEN), pen);
  SelectObject(dc_, old);
  EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST_F(Objects, StaleAndWrongHandlesFailCleanly) {
  HBRUSH brush = CreateSolidBrush(0);
  DeleteObject(brush);
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_EQ(SelectObject(dc_, brush), nullptr);
  RECT r{0, 0, 5, 5};
  EXPECT_FALSE(FillRect(dc_, &r, brush));
  // A small number (a colour index, say) is never a handle.
  EXPECT_FALSE(FillRect(dc_, &r, reinterpret_cast<HBRUSH>(6)));
  EXPECT_EQ(SetTextColor(reinterpret_cast<HDC>(brush), 0), CLR_INVALID);
  EXPECT_TRUE(log_->empty());
  HDC gone = gdi::create_recording_dc(log_);
  DeleteDC(gone);
  EXPECT_FALSE(DeleteDC(gone));
  EXPECT_EQ(GetDeviceCaps(gone, LOGPIXELSX), 0);
  // Stock objects survive deletion.
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), OBJ_PEN);
  EXPECT_EQ(GetStockObject(9), nullptr);
}

TEST_F(Objects, SaveAndRestoreBringBackTheWholeState) {
  SetTextColor(dc_, RGB(1, 1, 1));
  SetMapMode(dc_, MM_TWIPS);
  IntersectClipRect(dc_, 0, 0, 1440, -1440);
  int first = SaveDC(dc_);
  SetTextColor(dc_, RGB(2, 2, 2));
  SetMapMode(dc_, MM_TEXT);
  SelectClipRgn(dc_, nullptr);
  int second = SaveDC(dc_);
  EXPECT_EQ(second, first + 1);
  SetBkMode(dc_, TRANSPARENT);
  EXPECT_TRUE(RestoreDC(dc_, -1));
  EXPECT_EQ(GetBkMode(dc_), OPAQUE);
  EXPECT_TRUE(RestoreDC(dc_, first));
  EXPECT_EQ(GetTextColor(dc_), RGB(1, 1, 1));
  EXPECT_EQ(GetMapMode(dc_), MM_TWIPS);
  RECT box{};
  EXPECT_EQ(GetClipBox(dc_, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 1440);
  // Restoring to the first level dropped the second.
  EXPECT_FALSE(RestoreDC(dc_, second));
  EXPECT_FALSE(RestoreDC(dc_, 0));
}

TEST_F(Objects, MemoryContextsHoldBitmapsOfTheirKind) {
  HDC mem = CreateCompatibleDC(dc_);
  ASSERT_NE(mem, nullptr);
  EXPECT_EQ(GetObjectType(mem), OBJ_MEMDC);
  // A new memory context holds a 1 x 1 monochrome bitmap, so compatible bitmaps are monochrome.
  BITMAP bm{};
  HBITMAP mono = CreateCompatibleBitmap(mem, 8, 8);
  GetObject(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HBITMAP colour = CreateCompatibleBitmap(dc_, 8, 8);
  GetObject(colour, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 24);
  EXPECT_EQ(bm.bmWidthBytes, 24);
  HGDIOBJ old = SelectObject(mem, colour);
  EXPECT_EQ(GetObjectType(old), OBJ_BITMAP);
  EXPECT_EQ(GetDeviceCaps(mem, BITSPIXEL), 24);
  // Only memory contexts take bitmaps.
  EXPECT_EQ(SelectObject(dc_, mono), nullptr);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(mono);
  DeleteObject(colour);
}

TEST_F(Objects, FrameworkClassesOwnTheirHandles) {
  HGDIOBJ handle;
  {
    CPen pen(PS_SOLID, 2, RGB(0, 128, 0));
    handle = pen.GetSafeHandle();
    CDC* dc = CDC::FromHandle(dc_);
    CPen* old = dc->SelectObject(&pen);
    EXPECT_EQ(old->GetSafeHandle(), GetStockObject(BLACK_PEN));
    dc->SelectObject(old);
    LOGPEN lp{};
    EXPECT_EQ(pen.GetObject(sizeof lp, &lp), int(sizeof lp));
    EXPECT_EQ(lp.lopnWidth.x, 2);
  }
  EXPECT_EQ(GetObjectType(handle), 0u);
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  // Temporary wrappers own nothing.
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), OBJ_PEN);
  EXPECT_EQ(GetObjectType(dc_), OBJ_DC);
}

}  // namespace
