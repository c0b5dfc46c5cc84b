// Commands from menus and accelerators reach the active view; update-UI runs on idle and before
// menus open; control bars take their strips in Z order; floating windows follow their frame.
#include "platform/framework/menu.h"
#include "platform/framework/mini_frame.h"
#include "platform/framework/splitter.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class RoutingTest : public FrameworkTest {
 protected:
  CMDIFrameWnd* frame = nullptr;
  void SetUp() override {
    FrameworkTest::SetUp();
    frame = make_main_frame();
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    pump();
  }
  TestView* active_view() {
    CMDIChildWnd* child = frame->MDIGetActive();
    return child ? static_cast<TestView*>(child->GetActiveView()) : nullptr;
  }
};

TEST_F(RoutingTest, MenuAndAcceleratorCommandsReachTheActiveView) {
  ASSERT_NE(active_view(), nullptr);
  // A menu command arrives at the main frame as WM_COMMAND.
  frame->PostMessage(WM_COMMAND, ID_TEST_ACTION);
  pump();
  EXPECT_EQ(TestView::actions, 1);
  // Ctrl+K typed in the view goes through the frame's accelerators.
  app->m_pMainWnd = frame;
  win::set_pre_translate_handler([this](MSG& m) { return app->PreTranslateMessage(&m) != FALSE; });
  active_view()->SetFocus();
  press_key('K', 0, win::KeyModifiers{.control = true});
  pump();
  EXPECT_EQ(TestView::actions, 2);
  // A command whose update handler disables it is not run, from a menu or a key.
  frame->SendMessage(WM_COMMAND, ID_TEST_DISABLED);
  press_key('D', 0, win::KeyModifiers{.control = true});
  pump();
  EXPECT_EQ(TestView::disabled_runs, 0);
}

TEST_F(RoutingTest, CommandsGoToTheViewOfTheActiveChild) {
  TestView* first = active_view();
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  TestView* second = active_view();
  ASSERT_NE(first, second);
  // Handlers are asked in route order: the active view first, the application last.
  AFX_CMDHANDLERINFO info{nullptr, nullptr};
  EXPECT_TRUE(frame->OnCmdMsg(ID_TEST_ACTION, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, second);
  EXPECT_TRUE(frame->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, app.get());
  EXPECT_FALSE(frame->OnCmdMsg(ID_TEST_NOHANDLER, CN_COMMAND, nullptr, &info));
  frame->MDIActivate(first->GetParentFrame());
  EXPECT_TRUE(frame->OnCmdMsg(ID_TEST_ACTION, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, first);
}

TEST_F(RoutingTest, MenuItemsAreUpdatedBeforeTheyOpen) {
  HMENU edit = GetSubMenu(::GetMenu(frame->m_hWnd), 1);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_EQ(GetMenuState(edit, ID_TEST_ACTION, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_NE(GetMenuState(edit, ID_TEST_DISABLED, MF_BYCOMMAND) & MF_GRAYED, 0u);  // handler disables
  EXPECT_NE(GetMenuState(edit, ID_TEST_NOHANDLER, MF_BYCOMMAND) & MF_GRAYED, 0u);  // no handler
  // Without a document the view's commands have no handler.
  prompter.answers = {IDNO};
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  pump();
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_NE(GetMenuState(edit, ID_TEST_ACTION, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(RoutingTest, BarsUpdateOnIdleAndTakeTheirStripsInZOrder) {
  // Bars are laid out from the top of the Z order, where each new window goes: the top bar made
  // last takes the whole width, the left one made first what the others leave.
  TestBar top, bottom, left;
  left.height = 30;
  ASSERT_TRUE(left.Create(frame, CBRS_LEFT, AFX_IDW_CONTROLBAR_FIRST + 5));
  bottom.height = 18;
  bottom.command = ID_TEST_NOHANDLER;
  ASSERT_TRUE(bottom.Create(frame, CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
  top.height = 24;
  ASSERT_TRUE(top.Create(frame, CBRS_TOP, AFX_IDW_TOOLBAR));
  EXPECT_EQ(frame->m_listControlBars.size(), 3u);
  frame->RecalcLayout();
  CRect client, r;
  frame->GetClientRect(&client);
  top.GetWindowRect(&r);
  frame->ScreenToClient(&r);
  EXPECT_TRUE(r == CRect(0, 0, client.right, 24)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  bottom.GetWindowRect(&r);
  frame->ScreenToClient(&r);
  EXPECT_TRUE(r == CRect(0, client.bottom - 18, client.right, client.bottom)) << r.top;
  left.GetWindowRect(&r);
  frame->ScreenToClient(&r);
  EXPECT_TRUE(r == CRect(0, 24, 30, client.bottom - 18)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  ::GetWindowRect(frame->m_hWndMDIClient, &r);
  frame->ScreenToClient(&r);
  EXPECT_TRUE(r == CRect(30, 24, client.right, client.bottom - 18)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  // A query moves nothing and tells what is left.
  CRect rest;
  top.height = 40;
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rest);
  EXPECT_EQ(rest.top, 40);
  top.GetWindowRect(&r);
  EXPECT_EQ(r.Height(), 24);
  // A hidden bar gives its strip back.
  frame->ShowControlBar(&bottom, FALSE, FALSE);
  ::GetWindowRect(frame->m_hWndMDIClient, &r);
  frame->ScreenToClient(&r);
  EXPECT_EQ(r.bottom, client.bottom);

  // On idle the bars ask the frame about their commands.
  win::set_idle_handler([this](long count) { return app->OnIdle(LONG(count)) != FALSE; });
  pump();
  EXPECT_GT(top.updates, 0);
  EXPECT_TRUE(top.enabled);
  EXPECT_EQ(bottom.updates, 0);  // hidden bars are not updated
  frame->ShowControlBar(&bottom, TRUE, FALSE);
  pump();
  EXPECT_GT(bottom.updates, 0);
  EXPECT_FALSE(bottom.enabled);
  top.DestroyWindow();
  bottom.DestroyWindow();
  left.DestroyWindow();
}

TEST_F(RoutingTest, ToolHitTestFindsChildControlsOfBarsWithTips) {
  TestBar bar;
  ASSERT_TRUE(bar.Create(frame, CBRS_TOP, AFX_IDW_TOOLBAR));
  frame->RecalcLayout();
  CWnd button;
  ASSERT_TRUE(button.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 2, 30, 18), &bar, 4711));
  TOOLINFO info;
  EXPECT_EQ(bar.OnToolHitTest(CPoint(15, 5), &info), -1);  // no CBRS_TOOLTIPS
  bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS);
  EXPECT_EQ(bar.OnToolHitTest(CPoint(15, 5), &info), 4711);
  EXPECT_EQ(info.uId, reinterpret_cast<UINT_PTR>(button.m_hWnd));
  EXPECT_NE(info.uFlags & TTF_IDISHWND, 0u);
  EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACK);
  EXPECT_EQ(bar.OnToolHitTest(CPoint(100, 5), nullptr), -1);

  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(frame));
  CRect area(0, 0, 50, 20);
  tips.AddTool(&bar, "Pasek", &area, 1);
  tips.AddTool(&bar, LPSTR_TEXTCALLBACK, CRect(50, 0, 90, 20), 2);
  ASSERT_NE(tips.ToolAt(&bar, CPoint(60, 5)), nullptr);
  EXPECT_TRUE(tips.ToolAt(&bar, CPoint(60, 5))->callback);
  tips.UpdateTipText("Zamknij", &bar, 2);
  EXPECT_EQ(tips.ToolAt(&bar, CPoint(60, 5))->text.str(), "Zamknij");
  tips.DelTool(&bar, 1);
  EXPECT_EQ(tips.GetToolCount(), 1);
  tips.Activate(FALSE);
  EXPECT_EQ(tips.ToolAt(&bar, CPoint(60, 5)), nullptr);
  button.DestroyWindow();
  bar.DestroyWindow();
}

TEST_F(RoutingTest, SplitterPanesFollowTheDraggedBar) {
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(0, 0, 406, 200), nullptr, 0));
  CSplitterWnd splitter;
  ASSERT_TRUE(splitter.CreateStatic(&host, 1, 2));
  ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(TestView), CSize(150, 0), nullptr));
  ASSERT_TRUE(splitter.CreateView(0, 1, RUNTIME_CLASS(TestView), CSize(0, 0), nullptr));
  EXPECT_FALSE(splitter.CreateView(0, 1, RUNTIME_CLASS(TestView), CSize(0, 0), nullptr));  // taken
  splitter.SetColumnInfo(0, 150, 40);
  splitter.RecalcLayout();
  CRect left, right;
  splitter.GetPane(0, 0)->GetWindowRect(&left);
  splitter.GetPane(0, 1)->GetWindowRect(&right);
  EXPECT_EQ(left.Width(), 150);
  EXPECT_EQ(right.Width(), 406 - 150 - CSplitterWnd::kBarWidth);
  // Dragging the bar 50 pixels right widens the left pane; far left stops at its minimum.
  mouse_down(screen_point(splitter.m_hWnd, POINT{152, 50}));
  when_captured([&] {
    mouse_move(screen_point(splitter.m_hWnd, POINT{202, 50}));
    mouse_up(screen_point(splitter.m_hWnd, POINT{202, 50}));
  });
  pump();
  int cur = 0, min = 0;
  splitter.GetColumnInfo(0, cur, min);
  EXPECT_EQ(cur, 200);
  mouse_down(screen_point(splitter.m_hWnd, POINT{202, 50}));
  when_captured([&] { mouse_up(screen_point(splitter.m_hWnd, POINT{0, 50})); });
  pump();
  splitter.GetColumnInfo(0, cur, min);
  EXPECT_EQ(cur, 40);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(RoutingTest, FloatingWindowsFollowTheirFrame) {
  // A mini frame owns itself and ends with its window.
  auto* mini = std::make_unique<CMiniFrameWnd>().release();
  ASSERT_TRUE(mini->Create(nullptr, "Pasek", WS_CAPTION | WS_VISIBLE | MFS_THICKFRAME, CRect(10, 10, 200, 100), frame));
  CWnd& floating = *mini;
  EXPECT_NE(floating.GetStyle() & WS_THICKFRAME, 0u);
  ASSERT_EQ(frame->FloatingWindows().size(), 1u);
  // A modal dialog disables the frame: the floating window goes with it.
  frame->EnableWindow(FALSE);
  EXPECT_FALSE(floating.IsWindowEnabled());
  frame->EnableWindow(TRUE);
  EXPECT_TRUE(floating.IsWindowEnabled());
  // Minimised, the frame hides it; restored, it comes back.
  frame->SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_FALSE(floating.IsWindowVisible());
  frame->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
  EXPECT_TRUE(floating.IsWindowVisible());
  floating.DestroyWindow();
}

}  // namespace
}  // namespace lumo::test
