// Keyboard input, characters, system keys and timers through the queue.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "platform/win/virtual_keys.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/message_log.h"
#include "tests/support/synthetic_input.h"

namespace {

using lumo::test::GuiTest;

LRESULT plain_proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class Input : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    top = CreateWindowEx(0, lumo::test::test_window_class("InputWnd", plain_proc), "", WS_POPUP | WS_VISIBLE,
                         0, 0, 200, 100, nullptr, nullptr, nullptr);
    edit = CreateWindowEx(0, "InputWnd", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top, nullptr, nullptr);
    SetFocus(edit);
    pump();
  }
  HWND top = nullptr;
  HWND edit = nullptr;
};

TEST_F(Input, KeysGoToTheFocusWindowWithTheirCharacters) {
  lumo::test::MessageLog log({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR});
  lumo::test::press_key('A', 0xB9);  // the key typing "ą" (CP1250 0xB9)
  lumo::test::press_key(VK_LEFT);
  lumo::test::press_key('F', 'f', win::KeyModifiers{false, false, true});
  lumo::test::press_key('L', 0xB3, win::KeyModifiers{false, true, true});  // AltGr: "ł"
  pump();
  std::vector<std::pair<UINT, WPARAM>> seen;
  for (const auto& e : log.entries()) {
    EXPECT_EQ(e.hwnd, edit);
    seen.emplace_back(e.message, e.wParam);
  }
  EXPECT_EQ(seen, (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, 'A'},
                                                        {WM_CHAR, 0xB9},
                                                        {WM_KEYUP, 'A'},
                                                        {WM_KEYDOWN, VK_LEFT},
                                                        {WM_KEYUP, VK_LEFT},
                                                        {WM_SYSKEYDOWN, 'F'},
                                                        {WM_SYSCHAR, 'f'},
                                                        {WM_SYSKEYUP, 'F'},
                                                        {WM_KEYDOWN, 'L'},
                                                        {WM_CHAR, 0xB3},
                                                        {WM_KEYUP, 'L'}}));
  // Alt is flagged in the key data; key-up has the transition bits.
  EXPECT_NE(log.entries()[5].lParam & (LPARAM(1) << 29), 0);
  EXPECT_NE(log.entries()[2].lParam & (LPARAM(1) << 31), 0);
}

TEST_F(Input, AltKeysAskForTheMenuAndAltF4Closes) {
  lumo::test::MessageLog log({WM_SYSCOMMAND});
  win::KeyModifiers alt{false, false, true};
  win::key_input(true, VK_MENU, 0, alt);
  win::key_input(false, VK_MENU, 0, {});  // alone: menu access without a character
  win::key_input(true, VK_MENU, 0, alt);
  lumo::test::press_key('P', 'p', alt);      // with a character
  win::key_input(false, VK_MENU, 0, {});
  pump();
  std::vector<std::pair<HWND, WPARAM>> seen;
  std::vector<LPARAM> chars;
  for (const auto& e : log.entries()) seen.emplace_back(e.hwnd, e.wParam), chars.push_back(e.lParam);
  EXPECT_EQ(seen, (std::vector<std::pair<HWND, WPARAM>>{{top, SC_KEYMENU}, {top, SC_KEYMENU}}));
  EXPECT_EQ(chars, (std::vector<LPARAM>{0, 'p'}));
  win::key_input(true, VK_MENU, 0, alt);
  lumo::test::press_key(VK_F4, 0, alt);
  win::key_input(false, VK_MENU, 0, {});
  pump();
  EXPECT_FALSE(IsWindow(top));
}

// Handlers see the keyboard as it was when their message's event happened, even when later
// input has already arrived.
short g_control_during_tab = 0;
LRESULT key_state_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN && w == WPARAM(VK_TAB)) g_control_during_tab = GetKeyState(VK_CONTROL);
  return DefWindowProc(h, m, w, l);
}

TEST_F(Input, KeyStateIsThatOfTheMessageBeingHandled) {
  HWND field = CreateWindowEx(0, lumo::test::test_window_class("KeyStateWnd", key_state_proc), "",
                              WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, nullptr, nullptr);
  SetFocus(field);
  win::KeyModifiers control{false, true, false};
  win::key_input(true, VK_CONTROL, 0, control);
  lumo::test::press_key(VK_TAB, 0, control);
  win::key_input(false, VK_CONTROL, 0, {});
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), 0);  // already released
  pump();
  EXPECT_NE(g_control_during_tab & 0x8000, 0);
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
}

HWND g_help_asked_by = nullptr;
int g_help_control = -1;
LRESULT help_parent_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_HELP) {
    auto* info = reinterpret_cast<HELPINFO*>(l);
    g_help_asked_by = info->hItemHandle;
    g_help_control = info->iCtrlId;
    return TRUE;
  }
  return DefWindowProc(h, m, w, l);
}

TEST_F(Input, F1AsksForHelpAboutTheFocusControlThroughItsParents) {
  HWND dialog = CreateWindowEx(0, lumo::test::test_window_class("HelpParent", help_parent_proc), "",
                               WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr);
  HWND control = CreateWindowEx(0, "InputWnd", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, dialog,
                                reinterpret_cast<HMENU>(1011), nullptr);
  SetFocus(control);
  lumo::test::press_key(VK_F1);
  pump();
  EXPECT_EQ(g_help_asked_by, control);
  EXPECT_EQ(g_help_control, 1011);
}

TEST_F(Input, RightClicksAndTheMenuKeyAskForContextMenus) {
  lumo::test::MessageLog log({WM_CONTEXTMENU});
  lumo::test::click(edit, POINT{4, 5}, win::MouseButton::right);
  lumo::test::press_key(VK_APPS);
  lumo::test::press_key(VK_F10, 0, win::KeyModifiers{true, false, false});
  pump();
  ASSERT_EQ(log.entries().size(), 6u);  // each asked of the control, then passed to its parent
  POINT at = lumo::test::screen_point(edit, POINT{4, 5});
  EXPECT_EQ(log.entries()[0].hwnd, edit);
  EXPECT_EQ(log.entries()[0].lParam, MAKE_POINT_LPARAM(at.x, at.y));
  EXPECT_EQ(log.entries()[1].hwnd, top);
  EXPECT_EQ(log.entries()[1].wParam, reinterpret_cast<WPARAM>(edit));
  EXPECT_EQ(log.entries()[2].lParam, LPARAM(-1));
  EXPECT_EQ(log.entries()[4].lParam, LPARAM(-1));
}

TEST_F(Input, DisablingAWindowEndsItsCapture) {
  SetCapture(edit);
  EnableWindow(edit, FALSE);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(edit));
}

TEST_F(Input, TimersArriveOnceDueAndStopWhenKilled) {
  lumo::test::MessageLog log({WM_TIMER});
  ASSERT_EQ(SetTimer(edit, 57346, 20, nullptr), 57346u);
  QElapsedTimer clock;
  clock.start();
  MSG msg;
  while (log.entries().size() < 2 && clock.elapsed() < 2000) {
    if (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
  }
  ASSERT_EQ(log.entries().size(), 2u);
  EXPECT_EQ(log.entries()[0].wParam, 57346u);
  EXPECT_GE(clock.elapsed(), 30);
  EXPECT_TRUE(KillTimer(edit, 57346));
  EXPECT_FALSE(KillTimer(edit, 57346));
  log.clear();
  QElapsedTimer wait;
  wait.start();
  while (wait.elapsed() < 60) pump();
  EXPECT_TRUE(log.entries().empty());
}

TEST_F(Input, QuitEndsGetMessageAfterWaitingMessages) {
  PostMessage(edit, WM_USER, 0, 0);
  PostQuitMessage(3);
  MSG msg;
  ASSERT_GT(GetMessage(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Input, IdlePassRunsWhenTheQueueDrains) {
  int idle_calls = 0;
  win::set_idle_handler([&](long count) {
    ++idle_calls;
    return count < 2;  // three calls, then stop
  });
  PostMessage(edit, WM_USER, 0, 0);
  EXPECT_EQ(pump(), 1);
  EXPECT_EQ(idle_calls, 3);
}

int g_timer_calls = 0;
void count_timer_calls(HWND, UINT message, UINT_PTR id, DWORD) {
  if (message == WM_TIMER && id != 0) ++g_timer_calls;
}

TEST_F(Input, TimerProceduresAreCalledInsteadOfTheWindow) {
  lumo::test::MessageLog log({WM_TIMER});
  g_timer_calls = 0;
  UINT_PTR id = SetTimer(nullptr, 0, 5, &count_timer_calls);
  ASSERT_NE(id, 0u);
  QElapsedTimer clock;
  clock.start();
  MSG msg;
  while (g_timer_calls == 0 && clock.elapsed() < 2000) {
    if (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
  }
  KillTimer(nullptr, id);
  EXPECT_EQ(g_timer_calls, 1);
  EXPECT_TRUE(log.entries().empty());  // no window procedure saw it
}

TEST_F(Input, CaretFollowsItsOwner) {
  EXPECT_FALSE(SetCaretPos(1, 1));  // no caret yet
  ASSERT_TRUE(CreateCaret(edit, nullptr, 2, 14));
  EXPECT_FALSE(HideCaret(top));  // not its owner
  EXPECT_TRUE(ShowCaret(edit));
  EXPECT_TRUE(SetCaretPos(7, 3));
  POINT p;
  ASSERT_TRUE(GetCaretPos(&p));
  EXPECT_EQ(CPoint(p), CPoint(7, 3));
  EXPECT_TRUE(DestroyCaret());
  EXPECT_FALSE(GetCaretPos(&p));
}

}  // namespace
