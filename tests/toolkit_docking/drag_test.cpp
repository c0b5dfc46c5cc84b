// Dragging toolkit bars with the mouse: the 4-pixel rule for floating bars, Ctrl, Escape and a
// lost capture (both restoring the status text and the bar), sizing a floating bar from an edge
// and a corner within its limits, and a floating frame that goes while its own caption drags.
#include "platform/framework/status_bar.h"
#include "platform/win/virtual_keys.h"
#include "tests/toolkit_docking/toolkit_docking_fixture.h"
#include "toolkit/frame/sec_dock_context.h"

namespace lumo::test {
namespace {

constexpr DWORD kTopStyle = (kAppBarStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;

class BarDragTest : public ToolkitDockingTest {
 protected:
  void SetUp() override {
    ToolkitDockingTest::SetUp();
    static const UINT indicators[] = {ID_SEPARATOR};
    ASSERT_TRUE(status.Create(mdi));
    status.SetIndicators(indicators, 1);
    make(docked, 100, "Nawigator", kTopStyle);
    make(floating, 101, "Wyniki wyszukiwania", kTopStyle);
    mdi->DockControlBarAt(&docked, AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f, 120);
    mdi->RecalcLayout();
    pump();
  }
  SECBarDockContext* context(SECControlBar& bar) const {
    return dynamic_cast<SECBarDockContext*>(bar.m_pDockContext.get());
  }
  // Floats `floating` so that its caption lies over the docked bar's row.
  CMiniDockFrameWnd* float_over_row() {
    // Floated once (out of the frame's layout), then moved over the row.
    mdi->FloatControlBar(&floating, CPoint(0, 0), CBRS_ALIGN_TOP);
    mdi->RecalcLayout();
    CRect row;
    docked.GetWindowRect(&row);
    mdi->FloatControlBar(&floating, CPoint(row.left + 300, row.top - 60), CBRS_ALIGN_TOP);
    pump();
    return floating_frame(floating);
  }
  std::string status_text() const { return utf8(status.GetPaneText(0)); }

  CStatusBar status;
  ActsBar docked, floating;
};

TEST_F(BarDragTest, FloatingBarMovedThreePixelsStaysFloatingFivePixelsDocks) {
  CMiniDockFrameWnd* frameWnd = float_over_row();
  ASSERT_NE(frameWnd, nullptr);
  const HWND frameWindow = frameWnd->m_hWnd;
  CRect before;
  frameWnd->GetWindowRect(&before);

  POINT at = caption_point(frameWnd);
  drag(at, {{at.x + 2, at.y}}, {at.x + 3, at.y});
  ASSERT_TRUE(floating.IsFloating());
  CRect after;
  floating_frame(floating)->GetWindowRect(&after);
  EXPECT_EQ(after.TopLeft(), before.TopLeft() + CPoint(3, 0));

  at = caption_point(floating_frame(floating));
  drag(at, {{at.x + 3, at.y}}, {at.x + 5, at.y});
  pump();
  EXPECT_FALSE(floating.IsFloating());
  EXPECT_EQ(floating.m_pDockBar, sec_dock(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_TOP)), "Nawigator Wyniki wyszukiwania |");
  // The floating frame the drag started in went once its handlers had returned.
  EXPECT_FALSE(IsWindow(frameWindow));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(BarDragTest, CtrlFloatsTheBarWhereItWouldHaveDocked) {
  CRect row;
  docked.GetWindowRect(&row);
  const POINT from{row.left + 6, row.top + 60};
  win::KeyModifiers ctrl;
  ctrl.control = true;
  drag(from, {frame_point(4, 300)}, frame_point(4, 320), ctrl);
  EXPECT_TRUE(docked.IsFloating());
  EXPECT_EQ(sec_dock(AFX_IDW_DOCKBAR_LEFT)->GetDockedCount(), 0);
  // Without Ctrl the same drag docks it at the left.
  CMiniDockFrameWnd* frameWnd = floating_frame(docked);
  ASSERT_NE(frameWnd, nullptr);
  const POINT at = caption_point(frameWnd);
  drag(at, {frame_point(4, 300)}, frame_point(4, 320));
  pump();
  EXPECT_TRUE(docked.IsVertDocked());
  EXPECT_EQ(docked.m_pDockBar, sec_dock(AFX_IDW_DOCKBAR_LEFT));
}

TEST_F(BarDragTest, EscapeOrALostCaptureLeavesTheBarAndRestoresTheStatusText) {
  CRect row;
  docked.GetWindowRect(&row);
  const POINT from{row.left + 6, row.top + 60};
  const CRect was = placed(docked);
  struct Cancel {
    const char* name;
    std::function<void()> run;
  };
  const Cancel cancels[] = {
      {"escape", [] { press_key(VK_ESCAPE); }},
      {"right button", [this] { mouse_down(frame_point(400, 400), win::MouseButton::right); }},
      {"capture lost", [this] { ::SetCapture(status.m_hWnd); }},
  };
  for (const Cancel& c : cancels) {
    SCOPED_TRACE(c.name);
    std::string during;
    mouse_down(from);
    when_captured([&] {
      during = status_text();
      mouse_move(frame_point(400, 300));
      c.run();
    });
    pump();
    ::ReleaseCapture();
    mouse_up(frame_point(400, 300));
    pump();
    EXPECT_EQ(during, "Przytrzymaj klawisz Ctrl aby oswobodzić okno");
    EXPECT_EQ(status_text(), " Naciśnij F1, aby uzyskać pomoc.");
    EXPECT_FALSE(docked.IsFloating());
    EXPECT_EQ(placed(docked), was);
    EXPECT_FALSE(docked.m_pDockContext->m_outline.visible());
    EXPECT_TRUE(mdi->FloatingWindows().empty());
  }
}

TEST_F(BarDragTest, FloatingBarSizesFromACornerAndAnEdgeWithinItsLimits) {
  mdi->FloatControlBar(&floating, frame_point(300, 250), CBRS_ALIGN_TOP);
  pump();
  CMiniDockFrameWnd* frameWnd = floating_frame(floating);
  ASSERT_NE(frameWnd, nullptr);
  const CSize start = floating.m_szFloat;
  CRect window;
  frameWnd->GetWindowRect(&window);
  // The bottom-right corner: both sides follow.
  POINT corner{window.right - 2, window.bottom - 2};
  drag(corner, {{corner.x + 20, corner.y + 10}}, {corner.x + 40, corner.y + 30});
  pump();
  EXPECT_EQ(floating.m_szFloat, start + CSize(40, 30));
  frameWnd = floating_frame(floating);
  ASSERT_NE(frameWnd, nullptr);
  CRect barRect;
  floating.GetWindowRect(&barRect);
  EXPECT_EQ(barRect.Size(), floating.m_szFloat);
  // The right edge: only the width; far to the left it stops at the least floating width.
  frameWnd->GetWindowRect(&window);
  POINT edge{window.right - 2, (window.top + window.bottom) / 2};
  drag(edge, {{edge.x - 100, edge.y}}, {window.left - 300, edge.y + 50});
  pump();
  auto* sec = context(floating);
  ASSERT_NE(sec, nullptr);
  EXPECT_EQ(floating.m_szFloat.cy, start.cy + 30);
  EXPECT_GE(floating.m_szFloat.cx, sec->m_nMinFloatWidth);
  EXPECT_LT(floating.m_szFloat.cx, start.cx);
  save_frame_picture("drag_resized.png");
}

}  // namespace
}  // namespace lumo::test
