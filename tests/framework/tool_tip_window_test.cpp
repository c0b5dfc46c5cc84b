// The tool-tip pop-up: relayed mouse moves start the wait, the tip shows the tool's text below the
// cursor (asking the owner with TTN_NEEDTEXT for a callback tool), and leaving, clicking or
// switching the tips off hides it.
#include <cstring>

#include "platform/framework/tip_window.h"
#include "platform/framework/tool_tips.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

class TipOwner : public CWnd {
 public:
  std::vector<UINT_PTR> asked;
  std::string answer;  // CP1250; empty: no text

  afx_msg void OnNeedText(NMHDR* header, LRESULT*) {
    auto* info = reinterpret_cast<TOOLTIPTEXT*>(header);
    asked.push_back(info->hdr.idFrom);
    std::strncpy(info->szText, answer.c_str(), sizeof info->szText - 1);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TipOwner, CWnd)
  ON_NOTIFY(TTN_NEEDTEXT, 2, &TipOwner::OnNeedText)
END_MESSAGE_MAP()

class ToolTipWindowTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(50, 40, 450, 240), nullptr, 0));
    ASSERT_TRUE(tips.Create(&owner));
    CRect first(0, 0, 100, 100), second(200, 0, 300, 100);
    tips.AddTool(&owner, "Pierwszy", &first, 1);
    tips.AddTool(&owner, LPSTR_TEXTCALLBACK, &second, 2);
    owner.answer = std::string(cp("Zmień"));
    pump();
  }
  void TearDown() override {
    owner.DestroyWindow();
    FrameworkTest::TearDown();
  }

  void relay(UINT message, int x, int y) {
    MSG m{};
    m.hwnd = owner.m_hWnd;
    m.message = message;
    m.lParam = MAKELPARAM(x, y);
    tips.RelayEvent(&m);
  }
  // The wait before showing ends.
  void wait_over() {
    ASSERT_NE(tips.GetTipWnd(), nullptr);
    ::SendMessage(tips.GetTipWnd(), WM_TIMER, framework::TipWindow::kShowTimer, 0);
  }
  std::string tip_text() {
    char text[100] = {};
    ::GetWindowText(tips.GetTipWnd(), text, sizeof text);
    return utf8(CString(text));
  }

  TipOwner owner;
  CToolTipCtrl tips;
};

TEST_F(ToolTipWindowTest, TipShowsAfterTheWaitBelowTheCursorAndHidesOnLeaving) {
  relay(WM_MOUSEMOVE, 10, 20);
  EXPECT_FALSE(tips.IsTipShown());
  wait_over();
  ASSERT_TRUE(tips.IsTipShown());
  EXPECT_EQ(tip_text(), "Pierwszy");
  CRect tip;
  ::GetWindowRect(tips.GetTipWnd(), &tip);
  EXPECT_EQ(tip.left, 50 + 10);
  EXPECT_GT(tip.top, 40 + 20);
  EXPECT_GT(tip.Width(), 10);
  // The tip never takes activation from the owner.
  EXPECT_NE(::GetActiveWindow(), tips.GetTipWnd());
  // Moving within the tool keeps it; leaving every tool hides it.
  relay(WM_MOUSEMOVE, 50, 50);
  EXPECT_TRUE(tips.IsTipShown());
  relay(WM_MOUSEMOVE, 150, 50);
  EXPECT_FALSE(tips.IsTipShown());
}

TEST_F(ToolTipWindowTest, CallbackToolAsksItsOwnerForTheText) {
  relay(WM_MOUSEMOVE, 210, 10);
  wait_over();
  ASSERT_TRUE(tips.IsTipShown());
  EXPECT_EQ(owner.asked, (std::vector<UINT_PTR>{2}));
  EXPECT_EQ(tip_text(), "Zmień");
  // A click hides the tip, and it stays away while the mouse rests on the same tool.
  relay(WM_LBUTTONDOWN, 210, 10);
  EXPECT_FALSE(tips.IsTipShown());
  relay(WM_MOUSEMOVE, 215, 12);
  EXPECT_FALSE(tips.IsTipShown());
  // An owner without an answer gets no tip.
  owner.answer.clear();
  relay(WM_MOUSEMOVE, 150, 10);
  relay(WM_MOUSEMOVE, 210, 10);
  wait_over();
  EXPECT_FALSE(tips.IsTipShown());
}

TEST_F(ToolTipWindowTest, NoWaitAndSwitchingOff) {
  tips.SetDelayTime(TTDT_INITIAL, 0);
  relay(WM_MOUSEMOVE, 10, 10);
  ASSERT_TRUE(tips.IsTipShown());
  tips.Activate(FALSE);
  EXPECT_FALSE(tips.IsTipShown());
  relay(WM_MOUSEMOVE, 150, 10);
  relay(WM_MOUSEMOVE, 10, 10);
  EXPECT_FALSE(tips.IsTipShown());
  tips.Activate(TRUE);
  relay(WM_MOUSEMOVE, 150, 10);
  relay(WM_MOUSEMOVE, 12, 10);
  EXPECT_TRUE(tips.IsTipShown());
}

}  // namespace
}  // namespace lumo::test
