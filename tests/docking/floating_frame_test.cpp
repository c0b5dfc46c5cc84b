// Floating frames: their own small caption and borders, what the non-client hit test answers
// for each mini-frame style, the close button that hides the bar, the caption colours following
// the main frame's activation, the bar's name as the title, sizing a bar that sizes itself by
// its frame's edge, and the frame following the main window (minimised, disabled).
#include "tests/docking/docking_fixture.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

class FloatingFrameTest : public DockingTest {
 protected:
  void SetUp() override {
    DockingTest::SetUp();
    make(bar, AFX_IDW_TOOLBAR, 120, 20);
    bar.SetWindowText(cp("Narzędzia"));
    frame->FloatControlBar(&bar, CPoint(300, 200), CBRS_ALIGN_TOP);
    pump();
    floating = floating_frame(bar);
    ASSERT_NE(floating, nullptr);
    floating->GetWindowRect(&window);
  }
  // The hit code of a point of the floating frame (window coordinates).
  static LRESULT hit(CWnd& wnd, int x, int y) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    return wnd.SendMessage(WM_NCHITTEST, 0, MAKE_POINT_LPARAM(rect.left + x, rect.top + y));
  }
  POINT on_window(int x, int y) const { return POINT{window.left + x, window.top + y}; }

  LongBar bar;
  CMiniDockFrameWnd* floating = nullptr;
  CRect window;
};

TEST_F(FloatingFrameTest, FrameHasASmallCaptionAboveTheBarAndItsTitle) {
  const int border = GetSystemMetrics(SM_CXFRAME);
  const int caption = GetSystemMetrics(SM_CYSMCAPTION);
  EXPECT_EQ(window.TopLeft(), CPoint(300, 200));
  EXPECT_EQ(window.Size(), CSize(120 + 2 * border, 20 + 2 * border + caption));
  CRect client;
  floating->GetClientRect(&client);
  floating->ClientToScreen(&client);
  EXPECT_EQ(client.TopLeft(), CPoint(300 + border, 200 + border + caption));
  EXPECT_EQ(floating->GetCaptionRect(), CRect(border, border, window.Width() - border, border + caption));
  CString title;
  floating->GetWindowText(title);
  EXPECT_EQ(utf8(title), "Narzędzia");
  // A fixed-size bar's frame is not sized: its edges move it like the caption.
  EXPECT_NE(floating->GetStyle() & MFS_MOVEFRAME, 0u);
  EXPECT_NE(floating->GetStyle() & MFS_SYNCACTIVE, 0u);
  EXPECT_NE(floating->GetExStyle() & WS_EX_TOOLWINDOW, 0u);
  EXPECT_TRUE(save(picture({floating->m_hWnd}, window), "floating_frame.png"));
}

TEST_F(FloatingFrameTest, HitTestAnswersForEachPartAndStyle) {
  const int border = GetSystemMetrics(SM_CXFRAME);
  CRect close = floating->GetCloseButtonRect();
  ASSERT_FALSE(close.IsRectEmpty());
  const int w = window.Width(), h = window.Height();
  // The docking frame: caption, close button, client, and edges that move it.
  const struct {
    int x, y;
    LRESULT expected;
  } dock_frame[] = {{20, border + 5, HTCAPTION},
                    {close.CenterPoint().x, close.CenterPoint().y, HTCLOSE},
                    {w / 2, h - border - 5, HTCLIENT},
                    {1, h / 2, HTCAPTION},
                    {w - 1, h - 1, HTCAPTION},
                    {w, h / 2, HTNOWHERE}};
  for (const auto& c : dock_frame) {
    EXPECT_EQ(hit(*floating, c.x, c.y), c.expected) << c.x << "," << c.y;
  }

  // Plain mini frames by style: edges and corners, edges only, a thin border.
  const struct {
    DWORD style;
    int x, y;
    LRESULT expected;
  } styles[] = {
      {MFS_THICKFRAME, 1, 60, HTLEFT},          {MFS_THICKFRAME, 199, 99, HTBOTTOMRIGHT},
      {MFS_THICKFRAME, 100, 1, HTTOP},          {MFS_4THICKFRAME, 199, 99, HTRIGHT},
      {MFS_4THICKFRAME, 190, 99, HTBOTTOM},     {MFS_4THICKFRAME, 1, 1, HTLEFT},
      {WS_BORDER, 0, 50, HTBORDER},             {MFS_MOVEFRAME | MFS_THICKFRAME, 199, 99, HTCAPTION},
  };
  for (const auto& c : styles) {
    CMiniFrameWnd* mini = std::make_unique<CMiniFrameWnd>().release();
    ASSERT_TRUE(mini->Create(nullptr, "Okno", WS_CAPTION | c.style, CRect(10, 10, 210, 110), frame));
    EXPECT_EQ(hit(*mini, c.x, c.y), c.expected) << std::hex << c.style << std::dec << " " << c.x << "," << c.y;
    mini->DestroyWindow();
  }
}

TEST_F(FloatingFrameTest, CloseButtonHidesTheBarAndShowingTheBarBringsTheFrameBack) {
  CRect close = floating->GetCloseButtonRect();
  POINT on_close = on_window(close.CenterPoint().x, close.CenterPoint().y);
  // Pressed, but released away from the button: nothing happens.
  mouse_down(on_close);
  when_captured([&] { mouse_up(on_window(20, 2)); });
  pump();
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_TRUE(floating->IsWindowVisible());
  // Pressed and released on it: the bar is hidden and its frame with it.
  mouse_down(on_close);
  when_captured([&] { mouse_up(on_close); });
  pump();
  EXPECT_FALSE(bar.IsWindowVisible());
  EXPECT_FALSE(floating->IsWindowVisible());
  EXPECT_EQ(floating_frame(bar), floating);
  frame->ShowControlBar(&bar, TRUE, FALSE);
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_TRUE(floating->IsWindowVisible());
  // Hidden through the frame, the floating frame goes out of sight too, also when the hiding
  // waits for the next layout; showing it at once brings both back.
  frame->ShowControlBar(&bar, FALSE, FALSE);
  EXPECT_FALSE(floating->IsWindowVisible());
  frame->ShowControlBar(&bar, TRUE, FALSE);
  frame->ShowControlBar(&bar, FALSE, TRUE);
  EXPECT_FALSE(floating->IsWindowVisible());
  frame->ShowControlBar(&bar, TRUE, FALSE);
  EXPECT_TRUE(bar.IsVisible());
  EXPECT_TRUE(floating->IsWindowVisible());
}

TEST_F(FloatingFrameTest, CaptionColoursFollowTheMainFrame) {
  CRect caption = floating->GetCaptionRect();
  auto caption_colour = [&] { return surface_pixel(floating->m_hWnd, caption.left + 2, caption.top + 2, true); };
  frame->SetActiveWindow();
  pump();
  EXPECT_EQ(caption_colour(), GetSysColor(COLOR_ACTIVECAPTION));
  // Another window of the program taking the activation leaves the caption inactive.
  CFrameWnd* other = std::make_unique<CFrameWnd>().release();
  ASSERT_TRUE(other->Create(nullptr, "Inne", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(600, 400, 700, 500)));
  other->SetActiveWindow();
  pump();
  EXPECT_EQ(caption_colour(), GetSysColor(COLOR_INACTIVECAPTION));
  frame->SetActiveWindow();
  pump();
  EXPECT_EQ(caption_colour(), GetSysColor(COLOR_ACTIVECAPTION));
  other->DestroyWindow();
}

TEST_F(FloatingFrameTest, FrameStaysAboveTheMainWindowWhenThatIsActivated) {
  POINT on_caption = on_window(20, GetSystemMetrics(SM_CYFRAME) + 4);
  floating->SetActiveWindow();
  frame->SetActiveWindow();
  EXPECT_EQ(WindowFromPoint(on_caption), floating->m_hWnd);
  // Clicking the main window keeps the floating frame reachable.
  floating->SetActiveWindow();
  click(frame->m_hWnd, {100, 300});
  pump();
  EXPECT_EQ(GetActiveWindow(), frame->m_hWnd);
  EXPECT_EQ(WindowFromPoint(on_caption), floating->m_hWnd);
}

TEST_F(FloatingFrameTest, FrameFollowsTheMainWindow) {
  frame->SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_FALSE(floating->IsWindowVisible());
  frame->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
  EXPECT_TRUE(floating->IsWindowVisible());
  // A modal dialog disables the main window and its floating frames with it.
  frame->EnableWindow(FALSE);
  EXPECT_FALSE(floating->IsWindowEnabled());
  frame->EnableWindow(TRUE);
  EXPECT_TRUE(floating->IsWindowEnabled());
}

TEST_F(DockingTest, BarThatSizesItselfIsSizedByItsFrameEdge) {
  WrapBar bar;
  ASSERT_TRUE(bar.Create(frame, CBRS_TOP | CBRS_SIZE_DYNAMIC, AFX_IDW_TOOLBAR));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->FloatControlBar(&bar, CPoint(200, 150), CBRS_ALIGN_TOP);
  pump();
  CMiniDockFrameWnd* floating = floating_frame(bar);
  ASSERT_NE(floating, nullptr);
  // Its frame sizes by the four edges.
  EXPECT_EQ(floating->GetStyle() & MFS_MOVEFRAME, 0u);
  CRect window;
  floating->GetWindowRect(&window);
  CRect client;
  floating->GetClientRect(&client);
  EXPECT_EQ(client.Size(), CSize(120, 20));
  POINT edge{window.right - 2, window.top + window.Height() / 2};
  ASSERT_EQ(floating->SendMessage(WM_NCHITTEST, 0, MAKE_POINT_LPARAM(edge.x, edge.y)), HTRIGHT);
  // The right edge dragged 40 pixels to the right: the bar wraps to 160 pixels.
  drag(edge, {POINT{edge.x + 20, edge.y}}, POINT{edge.x + 40, edge.y});
  EXPECT_EQ(bar.width, 160);
  ASSERT_EQ(floating_frame(bar), floating);
  floating->GetClientRect(&client);
  EXPECT_EQ(client.Size(), CSize(160, 15));
  CRect moved;
  floating->GetWindowRect(&moved);
  EXPECT_EQ(moved.TopLeft(), window.TopLeft());
  EXPECT_FALSE(bar.m_pDockContext->m_outline.visible());
}

// A floating frame of the program's own kind.
class OwnFloatingFrame : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(OwnFloatingFrame)
};
IMPLEMENT_DYNCREATE(OwnFloatingFrame, CMiniDockFrameWnd)

TEST_F(DockingTest, BarsFloatInFramesOfTheClassTheFrameNames) {
  EXPECT_EQ(frame->m_pFloatingFrameClass, RUNTIME_CLASS(CMiniDockFrameWnd));
  frame->m_pFloatingFrameClass = RUNTIME_CLASS(OwnFloatingFrame);
  LongBar bar;
  make(bar, AFX_IDW_TOOLBAR, 120, 20);
  frame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
  EXPECT_NE(dynamic_cast<OwnFloatingFrame*>(floating_frame(bar)), nullptr);
  // A class that is no floating frame floats nothing.
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  frame->m_pFloatingFrameClass = RUNTIME_CLASS(CFrameWnd);
  frame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
  EXPECT_FALSE(bar.IsFloating());
  EXPECT_EQ(bar.m_pDockBar, dock(AFX_IDW_DOCKBAR_TOP));
}

}  // namespace
}  // namespace lumo::test
