// Dragging docked and floating bars with the mouse: where they dock or float on release, what
// the outline shows on the way, what Ctrl, Escape and the right button do, where a dropped bar
// lands in its row, and the double click that switches a bar between docked and floating.
#include "platform/framework/drag_outline.h"
#include "platform/win/virtual_keys.h"

#include "tests/docking/docking_fixture.h"

namespace lumo::test {
namespace {

class DragTest : public DockingTest {
 protected:
  void SetUp() override {
    DockingTest::SetUp();
    make(bar, AFX_IDW_TOOLBAR, 120, 20);
    frame->GetClientRect(&client);
  }
  // A point on the bar's gripper, in screen coordinates.
  POINT gripper() const { return screen_point(bar.m_hWnd, {3, 8}); }

  LongBar bar;
  CRect client;
};

TEST_F(DragTest, GripperDraggedToAnEdgeDocksTheBarThere) {
  // To the left edge: the bar stands upright in the left dock bar.
  drag(gripper(), {frame_point(100, 200)}, frame_point(2, 250));
  EXPECT_TRUE(bar.IsVertDocked());
  EXPECT_EQ(bar.m_pDockBar, dock(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(dock(AFX_IDW_DOCKBAR_TOP)->GetDockedCount(), 0);
  EXPECT_EQ(placed(bar).Size(), CSize(20, 120));
  EXPECT_EQ(placed(bar).left, 0);
  EXPECT_EQ(bar.m_pDockContext->m_uMRUDockID, AFX_IDW_DOCKBAR_LEFT);
  EXPECT_EQ(GetCapture(), nullptr);

  // To the bottom edge: lying again, along the frame's bottom.
  POINT from = screen_point(bar.m_hWnd, {10, 3});
  drag(from, {frame_point(300, 300)}, frame_point(300, client.bottom - 3));
  EXPECT_TRUE(bar.IsHorzDocked());
  EXPECT_EQ(bar.m_pDockBar, dock(AFX_IDW_DOCKBAR_BOTTOM));
  EXPECT_EQ(placed(bar).bottom, client.bottom);
  EXPECT_EQ(placed(bar).Size(), CSize(120, 20));
  EXPECT_TRUE(frame->FloatingWindows().empty());
  EXPECT_FALSE(bar.m_pDockContext->m_outline.visible());
}

TEST_F(DragTest, DroppedAwayFromTheEdgesTheBarFloatsUnderThePointer) {
  POINT from = gripper();
  POINT to = frame_point(400, 300);
  drag(from, {frame_point(300, 200)}, to);
  ASSERT_TRUE(bar.IsFloating());
  CMiniDockFrameWnd* floating = floating_frame(bar);
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsWindowVisible());
  // The bar moved with the pointer; its frame stands around it.
  CRect moved;
  bar.GetWindowRect(&moved);
  EXPECT_EQ(moved.TopLeft(), CPoint(to.x - 3, to.y - 8));
  CRect window;
  floating->GetWindowRect(&window);
  CRect expected(moved);
  CMiniFrameWnd::CalcBorders(&expected);
  EXPECT_EQ(window, expected);
  EXPECT_EQ(bar.m_pDockContext->m_ptMRUFloatPos, window.TopLeft());
  // The frame the bar left remembers where it was docked.
  EXPECT_EQ(bar.m_pDockContext->m_uMRUDockID, AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ(bar.m_pDockContext->m_rectMRUDockPos, CRect(0, 0, 120, 20));
  EXPECT_EQ(placed(*dock(AFX_IDW_DOCKBAR_TOP)).Height(), 0);
}

TEST_F(DragTest, CtrlKeepsTheBarFromDocking) {
  win::KeyModifiers ctrl;
  ctrl.control = true;
  drag(gripper(), {frame_point(100, 200)}, frame_point(2, 250), ctrl);
  EXPECT_TRUE(bar.IsFloating());
  EXPECT_EQ(dock(AFX_IDW_DOCKBAR_LEFT)->GetDockedCount(), 0);
}

TEST_F(DragTest, ShiftFloatsTheBarTurnedUpright) {
  win::KeyModifiers shift;
  shift.shift = true;
  drag(gripper(), {frame_point(300, 200)}, frame_point(400, 300), shift);
  ASSERT_TRUE(bar.IsFloating());
  EXPECT_NE(bar.GetBarStyle() & CBRS_ALIGN_LEFT, 0u);
  CMiniDockFrameWnd* floating = floating_frame(bar);
  ASSERT_NE(floating, nullptr);
  CRect client;
  floating->GetClientRect(&client);
  EXPECT_EQ(client.Size(), CSize(20, 120));
  EXPECT_EQ(bar.m_pDockContext->m_dwMRUFloatStyle & CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT);
}

TEST_F(DragTest, EscapeOrTheRightButtonLeavesTheBarWhereItWas) {
  const struct {
    const char* name;
    std::function<void(POINT)> cancel;
  } cancels[] = {
      {"escape", [](POINT) { press_key(VK_ESCAPE); }},
      {"right button", [](POINT at) { mouse_down(at, win::MouseButton::right); }},
  };
  for (const auto& c : cancels) {
    SCOPED_TRACE(c.name);
    POINT to = frame_point(4, 250);
    mouse_down(gripper());
    when_captured([&] {
      mouse_move(to);
      c.cancel(to);
    });
    pump();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(bar.IsHorzDocked());
    EXPECT_EQ(bar.m_pDockBar, dock(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(placed(bar), CRect(0, 0, 120, 20));
    EXPECT_FALSE(bar.m_pDockContext->m_outline.visible());
    mouse_up(to);
    pump();
  }
}

TEST_F(DragTest, OutlineShowsTheDockedShapeOverADockBarAndTheFrameElsewhere) {
  struct Seen {
    CRect rect;
    CSize size;
    bool halftone = false;
    bool shown = false;
  };
  Seen over_left, in_middle, ctrl_over_left;
  CDockContext& context = *bar.m_pDockContext;
  auto look = [&](Seen& seen) {
    return [&context, &seen] {
      seen = {context.m_outline.rect(), context.m_outline.size(), context.m_outline.halftone(),
              context.m_outline.visible()};
    };
  };
  int pictures_saved = 0;
  // The frame with the outline over it.
  auto save_outline = [&](const std::string& name) {
    std::vector<HWND> windows{frame->m_hWnd};
    for (HWND edge : context.m_outline.edges()) windows.push_back(edge);
    CRect area;
    frame->GetWindowRect(&area);
    if (save(picture(windows, area), name)) ++pictures_saved;
  };
  win::KeyModifiers ctrl;
  ctrl.control = true;
  mouse_down(gripper());
  when_captured([&] {
    mouse_move(frame_point(2, 250));
    probe(look(over_left));
    probe([&] { save_outline("drag_outline_docking.png"); });
    mouse_move(frame_point(300, 250));
    probe(look(in_middle));
    probe([&] { save_outline("drag_outline_floating.png"); });
    mouse_move(frame_point(2, 250), ctrl);
    probe(look(ctrl_over_left));
    press_key(VK_ESCAPE);
  });
  pump();

  // Over the left dock bar: a thin outline of the bar standing upright.
  EXPECT_TRUE(over_left.shown);
  EXPECT_FALSE(over_left.halftone);
  EXPECT_EQ(over_left.size, CSize(1, 1));
  EXPECT_GT(over_left.rect.Height(), over_left.rect.Width());
  // Elsewhere: the thick halftone outline of the floating frame, the pointer inside.
  EXPECT_TRUE(in_middle.halftone);
  EXPECT_EQ(in_middle.size, CSize(GetSystemMetrics(SM_CXFRAME) - 1, GetSystemMetrics(SM_CYFRAME) - 1));
  CRect frame_shape(0, 0, 120, 20);
  CMiniFrameWnd::CalcBorders(&frame_shape);
  EXPECT_EQ(in_middle.rect.Size(), frame_shape.Size());
  EXPECT_TRUE(in_middle.rect.PtInRect(frame_point(300, 250)));
  // Ctrl over the dock bar: still the floating frame.
  EXPECT_TRUE(ctrl_over_left.halftone);
  EXPECT_EQ(pictures_saved, 2);
  // Erased at the end, the windows gone.
  EXPECT_FALSE(context.m_outline.visible());
  for (HWND edge : context.m_outline.edges()) EXPECT_EQ(edge, nullptr);
  mouse_up(frame_point(2, 250));
  pump();
}

TEST_F(DragTest, DropPicksTheRowAndThePlaceInIt) {
  LongBar second, third;
  make(second, AFX_IDW_TOOLBAR + 1, 80, 20);
  make(third, AFX_IDW_TOOLBAR + 2, 60, 30);
  CDockBar* top = dock(AFX_IDW_DOCKBAR_TOP);
  CRect top_rect;
  top->GetWindowRect(&top_rect);
  auto at = [&](int x, int y, int cx, int cy) { return CRect(top_rect.left + x, top_rect.top + y, top_rect.left + x + cx, top_rect.top + y + cy); };
  // Into the first row, behind the bar, at x 300: it keeps that place.
  frame->DockControlBar(&second, top, at(300, 0, 80, 20));
  ASSERT_EQ(top->Rows().size(), 2u);
  EXPECT_EQ(top->Rows()[0], (std::vector<CControlBar*>{&bar, &second}));
  EXPECT_EQ(placed(second), CRect(300, 0, 380, 20));
  // Between them at x 50: after the first bar (which ends at 120), before the second.
  frame->DockControlBar(&third, top, at(50, 0, 60, 30));
  ASSERT_EQ(top->Rows().size(), 1u);
  EXPECT_EQ(top->Rows()[0], (std::vector<CControlBar*>{&bar, &third, &second}));
  EXPECT_EQ(placed(third), CRect(120, 0, 180, 30));
  EXPECT_EQ(placed(second).left, 300);
  // A middle below the row makes a new last row; above the dock bar, a new first row.
  frame->DockControlBar(&third, top, at(10, 30, 60, 30));
  ASSERT_EQ(top->Rows().size(), 2u);
  EXPECT_EQ(top->Rows()[1], std::vector<CControlBar*>{&third});
  EXPECT_EQ(placed(third), CRect(10, 20, 70, 50));
  frame->DockControlBar(&second, top, at(0, -15, 80, 20));
  ASSERT_EQ(top->Rows().size(), 3u);
  EXPECT_EQ(top->Rows()[0], std::vector<CControlBar*>{&second});
  EXPECT_EQ(placed(bar).top, 20);
  // A bar alone in its row dropped on its own place stays in its row.
  CRect own;
  third.GetWindowRect(&own);
  frame->DockControlBar(&third, top, own);
  EXPECT_EQ(top->Rows().size(), 3u);
  EXPECT_EQ(top->Rows()[2], std::vector<CControlBar*>{&third});

  // Past the frame's width, bars move back as far as the bars before them leave room.
  frame->DockControlBar(&second, top, at(client.Width() - 30, 0, 80, 20));
  EXPECT_EQ(placed(second).right, client.Width());
  EXPECT_EQ(placed(second).top, 0);
}

TEST_F(DragTest, UprightBarsGoIntoTheirColumnByTheirTop) {
  LongBar second;
  make(second, AFX_IDW_TOOLBAR + 1, 80, 20);
  CDockBar* left = dock(AFX_IDW_DOCKBAR_LEFT);
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
  CRect column;
  left->GetWindowRect(&column);
  frame->DockControlBar(&second, left, CRect(column.left, column.top + 200, column.left + 20, column.top + 280));
  ASSERT_EQ(left->Rows().size(), 1u);
  EXPECT_EQ(left->Rows()[0], (std::vector<CControlBar*>{&bar, &second}));
  CRect placed_second;
  second.GetWindowRect(&placed_second);
  left->ScreenToClient(&placed_second);
  EXPECT_EQ(placed_second, CRect(0, 200, 20, 280));
}

TEST_F(DragTest, PressOnAnItemOfTheBarDoesNotDragIt) {
  // A bar whose first 30 pixels hold an item (a button, say).
  class ItemBar : public LongBar {
   public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO*) const override { return point.x < 30 ? 1 : -1; }
  };
  ItemBar items;
  make(items, AFX_IDW_TOOLBAR + 1, 120, 20);
  mouse_down(screen_point(items.m_hWnd, {10, 8}));
  pump();
  EXPECT_EQ(GetCapture(), nullptr);
  mouse_up(screen_point(items.m_hWnd, {10, 8}));
  pump();
  // Away from the item the press drags.
  drag(screen_point(items.m_hWnd, {60, 8}), {frame_point(300, 300)}, frame_point(400, 300));
  EXPECT_TRUE(items.IsFloating());
}

TEST_F(DragTest, DraggedIntoARowTheBarGoesWhereItWasDropped) {
  LongBar second;
  make(second, AFX_IDW_TOOLBAR + 1, 80, 20);
  // The second bar's gripper, dragged up into the first row at x 400.
  POINT from = screen_point(second.m_hWnd, {3, 8});
  drag(from, {frame_point(300, 10)}, frame_point(403, 8));
  CDockBar* top = dock(AFX_IDW_DOCKBAR_TOP);
  ASSERT_EQ(top->Rows().size(), 1u);
  EXPECT_EQ(top->Rows()[0], (std::vector<CControlBar*>{&bar, &second}));
  EXPECT_EQ(placed(second), CRect(400, 0, 480, 20));
}

TEST_F(DragTest, DoubleClickFloatsTheBarAndDocksItBackWhereItWas) {
  LongBar second;
  make(second, AFX_IDW_TOOLBAR + 1, 80, 20);
  CDockBar* top = dock(AFX_IDW_DOCKBAR_TOP);
  frame->DockControlBar(&second, top, [&] {
    CRect r;
    top->GetWindowRect(&r);
    return CRect(r.left + 200, r.top, r.left + 280, r.top + 20);
  }());
  CRect docked = placed(second);
  ASSERT_EQ(docked, CRect(200, 0, 280, 20));

  auto double_click = [](POINT at, bool first_press_drags) {
    mouse_down(at);
    if (first_press_drags) when_captured([at] { mouse_up(at); });
    pump();
    if (!first_press_drags) mouse_up(at);
    win::mouse_input(win::MouseAction::double_click, win::MouseButton::left, QPoint(at.x, at.y), {});
    mouse_up(at);
    pump();
  };
  // On the bar: the first press is a drag that ends where it began, the second floats the bar
  // with its frame around it, the bar staying in place.
  CRect before;
  second.GetWindowRect(&before);
  double_click(screen_point(second.m_hWnd, {3, 8}), true);
  ASSERT_TRUE(second.IsFloating());
  CRect after;
  second.GetWindowRect(&after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(top->Rows()[0], std::vector<CControlBar*>{&bar});

  // On the floating frame's caption: docked again in its row, at its place.
  CMiniDockFrameWnd* floating = floating_frame(second);
  ASSERT_NE(floating, nullptr);
  CRect window;
  floating->GetWindowRect(&window);
  CRect caption = floating->GetCaptionRect();
  double_click(POINT{window.left + caption.left + 20, window.top + caption.top + 6}, true);
  EXPECT_FALSE(second.IsFloating());
  EXPECT_EQ(second.m_pDockBar, top);
  EXPECT_EQ(top->Rows()[0], (std::vector<CControlBar*>{&bar, &second}));
  EXPECT_EQ(placed(second), docked);
  EXPECT_TRUE(frame->FloatingWindows().empty());
}

TEST_F(DockingTest, BarEndedDuringItsDragEndsTheDragCleanly) {
  // A bar that ends itself with its window, floating; its frame's caption starts the drag.
  LongBar* doomed = std::make_unique<LongBar>().release();
  doomed->m_bAutoDelete = TRUE;
  make(*doomed, AFX_IDW_TOOLBAR, 120, 20);
  frame->FloatControlBar(doomed, CPoint(300, 200), CBRS_ALIGN_TOP);
  pump();
  CMiniDockFrameWnd* floating = floating_frame(*doomed);
  ASSERT_NE(floating, nullptr);
  CRect window;
  floating->GetWindowRect(&window);
  POINT caption{window.left + 20, window.top + GetSystemMetrics(SM_CYFRAME) + 4};
  mouse_down(caption);
  when_captured([&] {
    mouse_move(POINT{caption.x + 50, caption.y + 50});
    probe([&] { doomed->DestroyWindow(); });
    mouse_move(POINT{caption.x + 80, caption.y + 60});
    mouse_up(POINT{caption.x + 80, caption.y + 60});
  });
  pump();
  EXPECT_EQ(GetCapture(), nullptr);
  // No outline is left on the screen.
  char name[64];
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
    GetClassName(top, name, int(sizeof(name)));
    EXPECT_STRNE(name, "LumoDragOutline");
  }
}

}  // namespace
}  // namespace lumo::test
