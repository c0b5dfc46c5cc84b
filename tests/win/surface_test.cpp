// Window surfaces: painting through paint and window contexts, drawing outside painting,
// scrolling that moves pixels, the classic non-client look, and saving a surface as PNG.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>

#include "platform/base/temp_folder.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "resources/program_resources.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/surface_png.h"

namespace {

using lumo::test::GuiTest;
using lumo::test::surface_pixel;

constexpr COLORREF kFace = 0xC0C0C0;
constexpr COLORREF kRed = 0x0000FF;

// Paints a red block at (10, 10)-(30, 20) of its client area.
LRESULT block_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT block{10, 10, 30, 20};
    FillRect(dc, &block, red);
    DeleteObject(red);
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

class Surface : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    const char* cls = lumo::test::test_window_class("BlockWnd", block_proc, CS_DBLCLKS,
                                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    top = CreateWindowEx(0, cls, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr);
    view = CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 60, 40, top,
                          nullptr, nullptr);
    pump();
  }
  HWND top = nullptr;
  HWND view = nullptr;
};

TEST_F(Surface, PaintingErasesWithTheClassBackgroundAndDrawsTheBlock) {
  EXPECT_EQ(surface_pixel(view, 0, 0), kFace);
  EXPECT_EQ(surface_pixel(view, 10, 10), kRed);
  EXPECT_EQ(surface_pixel(view, 29, 19), kRed);
  EXPECT_EQ(surface_pixel(view, 30, 19), kFace);
  // The one-pixel border lies around the client area.
  EXPECT_EQ(surface_pixel(view, 0, 0, true), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(surface_pixel(view, 11, 11, true), kRed);
}

TEST_F(Surface, DrawingOutsidePaintingStaysAndInvertsExactly) {
  HDC dc = GetDC(view);
  ASSERT_NE(dc, nullptr);
  PatBlt(dc, 0, 0, 12, 12, DSTINVERT);
  EXPECT_EQ(surface_pixel(view, 5, 5), 0x3F3F3Fu);
  EXPECT_EQ(surface_pixel(view, 11, 11), 0xFFFF00u);  // inverted red
  PatBlt(dc, 0, 0, 12, 12, DSTINVERT);
  ReleaseDC(view, dc);
  EXPECT_EQ(surface_pixel(view, 5, 5), kFace);
  EXPECT_EQ(surface_pixel(view, 11, 11), kRed);
  // Nothing was invalidated by it.
  EXPECT_FALSE(GetUpdateRect(view, nullptr, FALSE));
}

TEST_F(Surface, ScrollingMovesPixelsAndInvalidatesTheUncoveredStrip) {
  ScrollWindow(view, 0, -5, nullptr, nullptr);
  EXPECT_EQ(surface_pixel(view, 15, 5), kRed);
  EXPECT_EQ(surface_pixel(view, 15, 14), kRed);
  EXPECT_EQ(surface_pixel(view, 15, 15), kFace);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(view, &update, FALSE));
  RECT client;
  GetClientRect(view, &client);
  EXPECT_EQ(CRect(update), CRect(0, client.bottom - 5, client.right, client.bottom));
}

// The caption is a gradient from its colour on the left: its first pixels are nearly that colour.
bool near_colour(COLORREF a, COLORREF b) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 8) return false;
  }
  return true;
}

TEST_F(Surface, ResizingKeepsTheSharedPixelsAndStartsTheNewPartsWhite) {
  constexpr COLORREF kWhite = 0xFFFFFF;
  // Before the next paint: the block stays where it was, what the window gains is white.
  MoveWindow(view, 20, 20, 120, 70, FALSE);
  EXPECT_EQ(surface_pixel(view, 10, 10), kRed);
  EXPECT_EQ(surface_pixel(view, 5, 5), kFace);
  EXPECT_EQ(surface_pixel(view, 100, 10), kWhite);
  EXPECT_EQ(surface_pixel(view, 10, 60), kWhite);
  EXPECT_EQ(surface_pixel(view, 100, 60), kWhite);
  // Narrower, then wide again: the part cut off comes back white, not as it was.
  MoveWindow(view, 20, 20, 20, 70, FALSE);
  MoveWindow(view, 20, 20, 120, 70, FALSE);
  EXPECT_EQ(surface_pixel(view, 10, 10), kRed);
  EXPECT_EQ(surface_pixel(view, 25, 15), kWhite);
  InvalidateRect(view, nullptr, TRUE);
  pump();
  EXPECT_EQ(surface_pixel(view, 100, 60), kFace);
  EXPECT_EQ(surface_pixel(view, 25, 15), kRed);
}

TEST_F(Surface, FramesShowActiveAndInactiveCaptions) {
  HWND frame = CreateWindowEx(0, "BlockWnd", "Akt", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME,
                              0, 0, 120, 80, top, nullptr, nullptr);
  pump();
  int at = GetSystemMetrics(SM_CXFRAME) + 1;
  EXPECT_TRUE(near_colour(surface_pixel(frame, at, at, true), GetSysColor(COLOR_INACTIVECAPTION)));
  SendMessage(frame, WM_NCACTIVATE, TRUE, 0);
  EXPECT_TRUE(near_colour(surface_pixel(frame, at, at, true), GetSysColor(COLOR_ACTIVECAPTION)));
}

TEST_F(Surface, ProgramCursorsLoadFromTheResourceStore) {
  resources::register_program_resources();
  HCURSOR split = LoadCursor(nullptr, MAKEINTRESOURCE(30980));
  ASSERT_NE(split, nullptr);
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(30980)), split);  // loaded once
  EXPECT_NE(LoadCursor(nullptr, MAKEINTRESOURCE(143)), split);
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
  EXPECT_NE(LoadCursor(nullptr, IDC_ARROW), nullptr);
  SetCursor(split);
  EXPECT_EQ(GetCursor(), split);
}

TEST_F(Surface, SavedPngHoldsTheSurface) {
  std::string path = base::temp_folder() + "/surface_test.png";
  ASSERT_TRUE(lumo::test::save_surface_png(view, path));
  QImage saved(QString::fromStdString(path));
  RECT client;
  GetClientRect(view, &client);
  ASSERT_EQ(saved.size(), QSize(client.right, client.bottom));
  EXPECT_EQ(saved.pixel(15, 15), qRgb(255, 0, 0));
  EXPECT_EQ(saved.pixel(2, 2), qRgb(0xC0, 0xC0, 0xC0));
  EXPECT_FALSE(lumo::test::save_surface_png(reinterpret_cast<HWND>(999999), path));
}

// A framework window painting through CPaintDC, erasing itself, and a child control that picks
// its own colours when the parent is asked for them.
class PaintedView : public CWnd {
 public:
  int erased = 0;

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* dc) {
    ++erased;
    CRect client;
    GetClientRect(client);
    dc->FillSolidRect(client, 0x00FF00);
    return TRUE;
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    dc.FillSolidRect(CRect(0, 0, 4, 4), kRed);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PaintedView, CWnd)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

class ColouredControl : public CWnd {
 public:
  HBRUSH brush = GetSysColorBrush(COLOR_INFOBK);
  UINT asked_kind = 99;

 protected:
  afx_msg HBRUSH CtlColor(CDC*, UINT kind) {
    asked_kind = kind;
    return kind == CTLCOLOR_STATIC ? brush : nullptr;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ColouredControl, CWnd)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class ColourParent : public CWnd {
 public:
  UINT asked_kind = 99;

 protected:
  afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT kind) {
    asked_kind = kind;
    return GetSysColorBrush(COLOR_WINDOW);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ColourParent, CWnd)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(GuiTest, FrameworkWindowsEraseAndPaintThroughTheirContexts) {
  PaintedView view;
  ASSERT_TRUE(view.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 20), nullptr, 0));
  pump();
  EXPECT_EQ(view.erased, 1);
  EXPECT_EQ(surface_pixel(view.m_hWnd, 2, 2), kRed);
  EXPECT_EQ(surface_pixel(view.m_hWnd, 20, 10), 0x00FF00u);
  view.InvalidateRect(CRect(10, 10, 12, 12), FALSE);
  pump();
  EXPECT_EQ(view.erased, 1);  // no erase asked for
}

TEST_F(GuiTest, ColourRequestsGoToTheControlFirstThenTheParent) {
  ColourParent parent;
  ColouredControl control;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 30, 20), nullptr, 0));
  ASSERT_TRUE(control.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &parent, 3));
  CClientDC dc(&control);
  auto control_param = reinterpret_cast<LPARAM>(control.m_hWnd);
  auto dc_param = reinterpret_cast<WPARAM>(dc.GetSafeHdc());
  EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, dc_param, control_param),
            reinterpret_cast<LRESULT>(control.brush));
  EXPECT_EQ(parent.asked_kind, 99u);
  EXPECT_EQ(parent.SendMessage(WM_CTLCOLOREDIT, dc_param, control_param),
            reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(control.asked_kind, CTLCOLOR_EDIT);
  EXPECT_EQ(parent.asked_kind, CTLCOLOR_EDIT);
}

}  // namespace
