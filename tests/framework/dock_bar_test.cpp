// Docking in the frame: the four dock bars, bars docked in rows, the rows taking their strips
// along the frame's edges in the layout, hidden or destroyed bars giving their room back, and
// bars floating in frames of their own that go when the bar docks again, and dragging with the
// mouse that floats or docks on release and changes nothing on Escape.
#include "platform/framework/dock_bar.h"
#include "platform/framework/dock_context.h"
#include "platform/framework/mini_dock_frame.h"
#include "platform/win/virtual_keys.h"

#include "tests/framework/dock_frame_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class DockBarTest : public DockFrameTest {};

TEST_F(DockBarTest, EnableDockingMakesOneDockBarPerSide) {
  const std::pair<UINT, DWORD> sides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
                                          {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
                                          {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
                                          {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT}};
  for (const auto& [id, align] : sides) {
    CDockBar* bar = dock(id);
    ASSERT_NE(bar, nullptr) << id;
    EXPECT_EQ(bar->GetBarStyle() & CBRS_ALIGN_ANY, align);
    EXPECT_EQ(bar->GetDockedCount(), 0);
  }
  // Enabling again makes no second set.
  size_t bars = frame->m_listControlBars.size();
  frame->EnableDocking(CBRS_ALIGN_ANY);
  EXPECT_EQ(frame->m_listControlBars.size(), bars);
}

TEST_F(DockBarTest, BarsDockInRowsAlongTheEdges) {
  LongBar a, b, c, side;
  make(a, AFX_IDW_TOOLBAR, 120, 20);
  make(b, AFX_IDW_TOOLBAR + 10, 80, 30);
  make(c, AFX_IDW_TOOLBAR + 11, 60, 24);
  make(side, AFX_IDW_TOOLBAR + 12, 150, 40);
  frame->DockControlBar(&a);
  // Into the first row: a rectangle starting over its middle.
  CRect over;
  a.GetWindowRect(&over);
  over.OffsetRect(60, 0);
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP, &over);
  frame->DockControlBar(&c, AFX_IDW_DOCKBAR_TOP);
  frame->DockControlBar(&side, AFX_IDW_DOCKBAR_LEFT);

  CDockBar* top = dock(AFX_IDW_DOCKBAR_TOP);
  ASSERT_EQ(top->Rows().size(), 2u);
  EXPECT_EQ(top->Rows()[0], (std::vector<CControlBar*>{&a, &b}));
  EXPECT_EQ(a.m_pDockBar, top);
  EXPECT_TRUE(a.IsHorzDocked());
  EXPECT_TRUE(side.IsVertDocked());

  CRect client;
  frame->GetClientRect(&client);
  CRect top_rect = placed(*top);
  EXPECT_EQ(top_rect.top, 0);
  EXPECT_EQ(top_rect.Height(), 30 + 24);  // the deepest bar of each row
  EXPECT_EQ(top_rect.Width(), client.Width());
  EXPECT_EQ(placed(a), CRect(0, 0, 120, 20));
  EXPECT_EQ(placed(b), CRect(120, 0, 200, 30));
  EXPECT_EQ(placed(c), CRect(0, 30, 60, 54));
  EXPECT_EQ(placed(side), CRect(0, 54, 40, 204));
  EXPECT_EQ(placed(*dock(AFX_IDW_DOCKBAR_BOTTOM)).Height(), 0);

  // Moving a bar to another side empties its row there.
  frame->DockControlBar(&c, AFX_IDW_DOCKBAR_BOTTOM);
  EXPECT_EQ(top->Rows().size(), 1u);
  EXPECT_EQ(placed(*top).Height(), 30);
  EXPECT_EQ(placed(c).bottom, client.bottom);
}

TEST_F(DockBarTest, HiddenAndDestroyedBarsGiveTheirRoomBack) {
  LongBar a, b;
  make(a, AFX_IDW_TOOLBAR, 120, 20);
  make(b, AFX_IDW_TOOLBAR + 10, 80, 30);
  frame->DockControlBar(&a);
  frame->DockControlBar(&b);
  CDockBar* top = dock(AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ(placed(*top).Height(), 50);

  frame->ShowControlBar(&b, FALSE, FALSE);
  EXPECT_EQ(placed(*top).Height(), 20);
  // A delayed show takes effect with the next layout.
  frame->ShowControlBar(&b, TRUE, TRUE);
  frame->RecalcLayout();
  EXPECT_TRUE(b.IsWindowVisible());
  EXPECT_EQ(placed(*top).Height(), 50);

  a.DestroyWindow();
  EXPECT_EQ(top->GetDockedCount(), 1);
  EXPECT_EQ(a.m_pDockBar, nullptr);
  frame->RecalcLayout();
  EXPECT_EQ(placed(*top).Height(), 30);
  EXPECT_EQ(placed(b).top, 0);
}

TEST_F(DockBarTest, FloatingBarGetsAFrameThatGoesWhenItDocksAgain) {
  LongBar a;
  make(a, AFX_IDW_TOOLBAR, 120, 20);
  frame->DockControlBar(&a);
  frame->FloatControlBar(&a, CPoint(300, 200), CBRS_ALIGN_TOP);
  pump();

  EXPECT_TRUE(a.IsFloating());
  EXPECT_EQ(dock(AFX_IDW_DOCKBAR_TOP)->GetDockedCount(), 0);
  EXPECT_EQ(placed(*dock(AFX_IDW_DOCKBAR_TOP)).Height(), 0);
  ASSERT_NE(a.m_pDockBar, nullptr);
  EXPECT_EQ(a.m_pDockBar->GetDlgCtrlID(), int(AFX_IDW_DOCKBAR_FLOAT));
  auto* floating = dynamic_cast<CMiniDockFrameWnd*>(a.m_pDockBar->GetParent());
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(frame->FloatingWindows(), std::vector<HWND>{floating->m_hWnd});
  CRect window;
  floating->GetWindowRect(&window);
  EXPECT_EQ(window.TopLeft(), CPoint(300, 200));
  CRect client;
  floating->GetClientRect(&client);
  EXPECT_EQ(client.Size(), CSize(120, 20));
  CRect bar;
  a.GetWindowRect(&bar);
  floating->ScreenToClient(&bar);
  EXPECT_EQ(bar, CRect(0, 0, 120, 20));

  // Floating again only moves the frame.
  frame->FloatControlBar(&a, CPoint(350, 220), CBRS_ALIGN_TOP);
  EXPECT_EQ(a.m_pDockBar->GetParent(), floating);
  floating->GetWindowRect(&window);
  EXPECT_EQ(window.TopLeft(), CPoint(350, 220));

  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
  pump();
  EXPECT_FALSE(a.IsFloating());
  EXPECT_TRUE(frame->FloatingWindows().empty());
  EXPECT_EQ(placed(a), CRect(0, 0, 20, 120));
}

TEST_F(DockBarTest, DragFloatsOrDocksOnReleaseAndEscapeKeepsThePlace) {
  LongBar a;
  make(a, AFX_IDW_TOOLBAR, 120, 20);
  frame->DockControlBar(&a);
  CDockContext drag(&a);
  POINT start = screen_point(a.m_hWnd, {5, 5});

  // Escape: the bar stays docked where it was.
  when_captured([&] {
    mouse_move({start.x + 200, start.y + 200});
    press_key(VK_ESCAPE);
  });
  drag.StartDrag(start);
  EXPECT_FALSE(a.IsFloating());
  EXPECT_EQ(placed(a), CRect(0, 0, 120, 20));

  // Released in the middle of the frame: it floats there.
  when_captured([&] {
    mouse_move({start.x + 100, start.y + 150});
    mouse_up({start.x + 200, start.y + 250});
  });
  drag.StartDrag(start);
  pump();
  ASSERT_TRUE(a.IsFloating());
  // The bar moved with the pointer: its corner was 5,5 left and up of it.
  CRect moved;
  a.GetWindowRect(&moved);
  EXPECT_EQ(moved.TopLeft(), CPoint(start.x + 195, start.y + 245));

  // Dragged against the frame's left edge: it docks there, upright.
  CRect client;
  frame->GetClientRect(&client);
  POINT from = screen_point(a.m_hWnd, {5, 5});
  POINT to = screen_point(frame->m_hWnd, {5, client.Height() / 2});
  when_captured([&] { mouse_up(to); });
  drag.StartDrag(from);
  pump();
  EXPECT_FALSE(a.IsFloating());
  EXPECT_TRUE(a.IsVertDocked());
  EXPECT_TRUE(frame->FloatingWindows().empty());
}

}  // namespace
}  // namespace lumo::test
