// The frame's context-help mode: a click names the window whose help is asked for.
#include "platform/framework/frame_wnd.h"

#include <vector>

#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

LRESULT answer = 0;
LRESULT field_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HELPHITTEST) return answer;
  return DefWindowProc(h, message, wParam, lParam);
}

class HelpFrame : public CFrameWnd {
 public:
  std::vector<LPARAM> asked;
  afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM lParam) {
    asked.push_back(lParam);
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpFrame, CFrameWnd)
  ON_MESSAGE(WM_COMMANDHELP, &HelpFrame::OnCommandHelp)
END_MESSAGE_MAP()

class ContextHelpModeTest : public FrameworkTest {
 protected:
  HelpFrame* frame = nullptr;
  HWND field = nullptr;
  void SetUp() override {
    FrameworkTest::SetUp();
    frame = new HelpFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Pomoc", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    field = CreateWindowEx(0, test_window_class("HelpModeField", field_proc), "", WS_CHILD | WS_VISIBLE, 10, 10,
                           80, 20, frame->m_hWnd, reinterpret_cast<HMENU>(std::uintptr_t(1090)), nullptr);
    ASSERT_TRUE(field);
    pump();
  }
  void TearDown() override {
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    pump();
    FrameworkTest::TearDown();
  }
  void help_then(std::function<void()> input) {
    frame->PostMessage(WM_COMMAND, ID_CONTEXT_HELP);
    when_captured(std::move(input));
    pump();
  }
};

TEST_F(ContextHelpModeTest, AClickAsksForTheHelpOfTheWindowUnderIt) {
  answer = 0x8000044C;
  help_then([&] { mouse_down(screen_point(field, POINT{5, 5})); });
  EXPECT_EQ(frame->asked, std::vector<LPARAM>{LPARAM(0x8000044C)});
  EXPECT_FALSE(frame->m_bHelpMode);
  EXPECT_EQ(GetCapture(), nullptr);
  mouse_up(screen_point(field, POINT{5, 5}));

  // A window that shows its own help answers -2: nothing more is asked.
  answer = -2;
  help_then([&] { mouse_down(screen_point(field, POINT{5, 5})); });
  EXPECT_EQ(frame->asked.size(), 1u);
  mouse_up(screen_point(field, POINT{5, 5}));

  // Nobody answers: the frame's own help id.
  answer = 0;
  frame->m_nIDHelp = 128;
  help_then([&] { mouse_down(screen_point(field, POINT{5, 5})); });
  ASSERT_EQ(frame->asked.size(), 2u);
  EXPECT_EQ(frame->asked[1], LPARAM(0x20000 + 128));
  mouse_up(screen_point(field, POINT{5, 5}));
  pump();
}

TEST_F(ContextHelpModeTest, EscapeAndTheRightButtonLeaveWithoutHelp) {
  answer = 7;
  help_then([] { press_key(VK_ESCAPE); });
  help_then([&] { mouse_down(screen_point(field, POINT{5, 5}), win::MouseButton::right); });
  EXPECT_TRUE(frame->asked.empty());
  EXPECT_EQ(GetCapture(), nullptr);
  mouse_up(screen_point(field, POINT{5, 5}), win::MouseButton::right);
  pump();
}

}  // namespace
}  // namespace lumo::test
