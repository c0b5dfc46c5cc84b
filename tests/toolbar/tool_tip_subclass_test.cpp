// Tools added with TTF_SUBCLASS: the mouse messages of their window reach the tool-tip control
// without RelayEvent, before the window's own handling; the window gets its procedure back when
// no tool needs it, and a window that goes takes its tools with it.
#include "platform/framework/tip_window.h"
#include "platform/framework/tool_tips.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// A window that counts the mouse moves it gets.
class Counting : public CWnd {
 public:
  int moves = 0;

 protected:
  afx_msg void OnMouseMove(UINT, CPoint) { ++moves; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Counting, CWnd)
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

class ToolTipSubclassTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(60, 50, 460, 250), nullptr, 0));
    ASSERT_TRUE(button.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(200, 20, 260, 50), &owner, 100));
    tips = std::make_unique<CToolTipCtrl>();
    ASSERT_TRUE(tips->Create(&owner));
    pump();
  }
  void TearDown() override {
    tips.reset();
    if (owner.m_hWnd) owner.DestroyWindow();
    FrameworkTest::TearDown();
  }

  TOOLINFO window_tool(UINT flags) const {
    TOOLINFO info;
    info.uFlags = TTF_IDISHWND | flags;
    info.hwnd = owner.m_hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(button.m_hWnd);
    info.lpszText = const_cast<char*>(text.GetString());
    return info;
  }
  void move_to(const CWnd& wnd, POINT client) {
    mouse_move(screen_point(wnd.m_hWnd, client));
    pump();
  }
  bool tip_shows() {
    if (!tips->GetTipWnd()) return false;
    ::SendMessage(tips->GetTipWnd(), WM_TIMER, framework::TipWindow::kShowTimer, 0);
    return tips->IsTipShown();
  }
  WNDPROC proc_of(const CWnd& wnd) const {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtr(wnd.m_hWnd, GWL_WNDPROC));
  }

  CString text = cp("Zmień");
  Counting owner;
  Counting button;
  std::unique_ptr<CToolTipCtrl> tips;
};

TEST_F(ToolTipSubclassTest, WindowToolRelaysItsMouseMessagesItself) {
  WNDPROC own = proc_of(button);
  ASSERT_TRUE(tips->AddTool(window_tool(TTF_SUBCLASS)));
  EXPECT_NE(proc_of(button), own);
  move_to(button, POINT{10, 10});
  // The window still gets its messages.
  EXPECT_EQ(button.moves, 1);
  ASSERT_TRUE(tip_shows());
  char shown[40] = {};
  ::GetWindowText(tips->GetTipWnd(), shown, sizeof shown);
  EXPECT_EQ(utf8(CString(shown)), "Zmień");
  // A click hides it; leaving the tool too.
  click(button.m_hWnd, POINT{10, 10});
  pump();
  EXPECT_FALSE(tips->IsTipShown());
  // Deleting the tool gives the window its procedure back.
  tips->DelTool(&owner, reinterpret_cast<UINT_PTR>(button.m_hWnd));
  EXPECT_EQ(proc_of(button), own);
}

TEST_F(ToolTipSubclassTest, WithoutTheFlagNothingIsRelayed) {
  ASSERT_TRUE(tips->AddTool(window_tool(0)));
  move_to(button, POINT{10, 10});
  EXPECT_EQ(button.moves, 1);
  EXPECT_EQ(tips->GetTipWnd(), nullptr);
}

TEST_F(ToolTipSubclassTest, RectangleToolOfTheOwner) {
  WNDPROC own = proc_of(owner);
  TOOLINFO info;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = owner.m_hWnd;
  info.uId = 7;
  info.rect = CRect(0, 0, 100, 100);
  info.lpszText = const_cast<char*>("Pierwszy");
  ASSERT_TRUE(tips->AddTool(info));
  move_to(owner, POINT{150, 150});
  EXPECT_EQ(tips->GetTipWnd(), nullptr);
  move_to(owner, POINT{20, 20});
  EXPECT_TRUE(tip_shows());
  EXPECT_EQ(owner.moves, 2);
  // The control ending first gives the window its procedure back.
  tips.reset();
  EXPECT_EQ(proc_of(owner), own);
  tips = std::make_unique<CToolTipCtrl>();
}

TEST_F(ToolTipSubclassTest, WindowGoingTakesItsToolsAndTwoControlsShareAWindow) {
  CToolTipCtrl second;
  ASSERT_TRUE(second.Create(&owner));
  ASSERT_TRUE(tips->AddTool(window_tool(TTF_SUBCLASS)));
  ASSERT_TRUE(second.AddTool(window_tool(TTF_SUBCLASS)));
  move_to(button, POINT{5, 5});
  EXPECT_TRUE(tip_shows());
  EXPECT_NE(second.GetTipWnd(), nullptr);
  // One control letting go leaves the other watching.
  tips->DelTool(&owner, reinterpret_cast<UINT_PTR>(button.m_hWnd));
  second.Pop();
  move_to(button, POINT{30, 5});
  move_to(owner, POINT{5, 5});
  move_to(button, POINT{6, 6});
  ::SendMessage(second.GetTipWnd(), WM_TIMER, framework::TipWindow::kShowTimer, 0);
  EXPECT_TRUE(second.IsTipShown());
  button.DestroyWindow();
  pump();
  EXPECT_EQ(second.GetToolCount(), 0);
  EXPECT_FALSE(second.IsTipShown());
}

}  // namespace
}  // namespace lumo::test
