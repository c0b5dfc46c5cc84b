// What docking adds to the bars and dock bars: the flat bars' inside rectangle, painting the
// non-client area, the spacing of flat toolbar rows, the frame holding a bar inside the main
// window and the record of its dock bar.
#include "platform/framework/dock_state.h"
#include "toolkit/frame/dock_geometry.h"
#include "tests/toolkit_docking/toolkit_docking_fixture.h"

namespace lumo::test {
namespace {

constexpr DWORD kToolbarEx = BAREX_FIXED_SIZE | BAREX_FLAT;

class CountingBar : public ActsBar {
 public:
  int erased = 0;

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
    ++erased;
    return SECControlBar::OnEraseBkgnd(pDC);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CountingBar, ActsBar)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

using BarLayoutTest = ToolkitDockingTest;

TEST_F(BarLayoutTest, FlatBarsInsideRectangleLeavesOnePixelPerBorderAndTheGripper) {
  CountingBar bar;
  make(bar, 100, "Pasek", (kAppBarStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP, BAREX_FLAT | BAREX_GRIPPER);
  mdi->DockControlBarAt(&bar, AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f, 50);
  ASSERT_TRUE(bar.IsDocked());
  ASSERT_EQ(bar.m_dwStyle & CBRS_BORDER_ANY, CBRS_BORDER_ANY);
  const int grip = bar.m_metrics.GetHorzExtent();
  CRect rect(0, 0, 200, 50);
  bar.CalcInsideRect(rect, TRUE);
  EXPECT_EQ(rect, CRect(1 + grip, 1 + bar.m_cyTopBorder, 199 - bar.m_cxRightBorder, 49 - bar.m_cyBottomBorder));
  // Upright, the gripper takes the top only when asked.
  rect = CRect(0, 0, 50, 200);
  bar.CalcInsideRect(rect, FALSE, TRUE);
  EXPECT_EQ(rect.top, 1 + bar.m_metrics.GetVertExtent());
  rect = CRect(0, 0, 50, 200);
  bar.CalcInsideRect(rect, FALSE, FALSE);
  EXPECT_EQ(rect.top, 1 + bar.m_cxLeftBorder);
  // Without the flat style: the framework's inside rectangle.
  bar.ModifyExStyle(BAREX_FLAT, 0, FALSE);
  rect = CRect(0, 0, 200, 50);
  CRect framework(rect);
  bar.CControlBar::CalcInsideRect(framework, TRUE);
  bar.CalcInsideRect(rect, TRUE);
  EXPECT_EQ(rect, framework);
  // Painting the non-client area erases the background through the bar's own handler.
  const int before = bar.erased;
  bar.EraseNonClient();
  EXPECT_EQ(bar.erased, before + 1);
}

TEST_F(BarLayoutTest, FlatToolbarsStartOnePixelOutAndTouchTheirNeighbours) {
  ActsBar flat[2], plain[2];
  for (int i = 0; i < 2; ++i) {
    make(flat[i], UINT(100 + i), "Płaski", (kAppBarStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP, kToolbarEx);
    make(plain[i], UINT(110 + i), "Zwykły", (kAppBarStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP, BAREX_FIXED_SIZE);
    flat[i].m_szHorzDock = plain[i].m_szHorzDock = CSize(120, 26);
  }
  SECDockBar* top = sec_dock(AFX_IDW_DOCKBAR_TOP);
  SECDockBar* bottom = sec_dock(AFX_IDW_DOCKBAR_BOTTOM);
  top->AttachBar(&flat[0], 0, 0);
  top->AttachBar(&flat[1], 1, 0);
  bottom->AttachBar(&plain[0], 0, 0);
  bottom->AttachBar(&plain[1], 1, 0);
  mdi->RecalcLayout();
  pump();
  auto in = [](SECDockBar* dock, const CWnd& bar) {
    CRect r;
    bar.GetWindowRect(&r);
    dock->ScreenToClient(&r);
    return r;
  };
  EXPECT_EQ(in(top, flat[0]).TopLeft(), CPoint(-1, -1));
  EXPECT_EQ(in(top, flat[1]).left, -1 + 120);
  EXPECT_EQ(in(bottom, plain[0]).TopLeft(), CPoint(-2, -2));
  EXPECT_EQ(in(bottom, plain[1]).left, -2 + 120 - 2);
}

TEST_F(BarLayoutTest, BarInsideTheMainWindowKnowsItsFrameAndItsDockBarRecordsThePlacement) {
  ActsBar bar;
  make(bar, 100, "Historia");
  EXPECT_EQ(bar.GetMDIChildFrame(), nullptr);
  mdi->FloatControlBarInMDIChild(&bar, -1, -1, CBRS_ALIGN_TOP);
  CWnd* host = bar.GetMDIChildFrame();
  ASSERT_NE(host, nullptr);
  auto* dock = dynamic_cast<SECDockBar*>(bar.m_pDockBar);
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->GetParent(), host);
  CControlBarInfo info;
  dock->GetBarInfo(&info);
  EXPECT_EQ(info.m_pointPos, CPoint(0, 0));
  WINDOWPLACEMENT placement;
  ASSERT_TRUE(dock->GetMDIChildPlacement(placement));
  EXPECT_EQ(placement.rcNormalPosition.left, 30);
  EXPECT_EQ(placement.rcNormalPosition.top, 30);
  // A frame dock bar has no such frame.
  WINDOWPLACEMENT none;
  EXPECT_FALSE(sec_dock(AFX_IDW_DOCKBAR_TOP)->GetMDIChildPlacement(none));
}

TEST(DockBarMoves, SizeParentFlagsByWhatStays) {
  const CRect from(0, 0, 400, 30);
  struct Case {
    CRect to;
    bool horizontal, noRedraw;
    UINT flags;
  } cases[] = {
      {CRect(0, 10, 400, 40), true, true, SWP_NOCOPYBITS},  // moved only
      {CRect(0, 0, 400, 60), true, true, SWP_NOREDRAW},     // deeper, same length
      {CRect(0, 0, 500, 30), true, true, 0},                // longer
      {CRect(0, 0, 400, 60), false, true, 0},               // upright: its length is the height
      {CRect(0, 10, 400, 40), true, false, 0},              // redrawing not held back
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dock::SizeParentMoveFlags(from, c.to, c.horizontal, c.noRedraw), c.flags) << c.to.top << " " << c.to.right;
  }
}

TEST_F(BarLayoutTest, MoveBarWindowLeavesQueriesAndUnchangedPlacesAlone) {
  SECDockBar* top = sec_dock(AFX_IDW_DOCKBAR_TOP);
  ASSERT_NE(top, nullptr);
  CRect before;
  top->GetWindowRect(&before);
  frame->ScreenToClient(&before);
  AFX_SIZEPARENTPARAMS query{};
  SECDockBar::MoveBarWindow(&query, top, CRect(5, 5, 300, 40), 0);
  SECDockBar::MoveBarWindow(nullptr, top, CRect(5, 5, 300, 40), 0);
  CRect now;
  top->GetWindowRect(&now);
  frame->ScreenToClient(&now);
  EXPECT_EQ(now, before);
  AFX_SIZEPARENTPARAMS pass{};
  pass.hDWP = frame;
  SECDockBar::MoveBarWindow(&pass, top, CRect(5, 5, 300, 40), SWP_NOREDRAW);
  top->GetWindowRect(&now);
  frame->ScreenToClient(&now);
  EXPECT_EQ(now, CRect(5, 5, 300, 40));
  // The frame's layout puts it back.
  mdi->RecalcLayout();
  top->GetWindowRect(&now);
  frame->ScreenToClient(&now);
  EXPECT_EQ(now, before);
}

}  // namespace
}  // namespace lumo::test
