// Window hooks: sent messages pass the call-window hooks before and after the procedure, chains
// run newest first and only as far as each hook passes them on, hooks may leave mid-chain, and
// modal loops offer their messages to the message-filter hooks.
#include "platform/win/hooks.h"

#include <string>
#include <vector>

#include "platform/win/window_api.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {
namespace {

std::vector<std::string> calls;
HHOOK first = nullptr, second = nullptr, after = nullptr, filter = nullptr;
bool second_passes_on = true;
bool second_leaves = false;

LRESULT answer_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    calls.push_back("procedure");
    return 42;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

LRESULT CALLBACK_first(int code, WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<CWPSTRUCT*>(lParam)->message == WM_APP) calls.push_back("first");
  return CallNextHookEx(first, code, wParam, lParam);
}

LRESULT CALLBACK_second(int code, WPARAM wParam, LPARAM lParam) {
  auto* cwp = reinterpret_cast<CWPSTRUCT*>(lParam);
  if (cwp->message == WM_APP) calls.push_back("second " + std::to_string(cwp->wParam));
  if (second_leaves) UnhookWindowsHookEx(second);
  return second_passes_on ? CallNextHookEx(second, code, wParam, lParam) : 0;
}

LRESULT CALLBACK_after(int code, WPARAM wParam, LPARAM lParam) {
  auto* ret = reinterpret_cast<CWPRETSTRUCT*>(lParam);
  if (ret->message == WM_APP) calls.push_back("after " + std::to_string(ret->lResult));
  return CallNextHookEx(after, code, wParam, lParam);
}

LRESULT CALLBACK_filter(int code, WPARAM, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  calls.push_back("filter " + std::to_string(code));
  return msg->message == WM_KEYDOWN;
}

class HooksTest : public GuiTest {
 protected:
  HWND window = nullptr;
  void SetUp() override {
    GuiTest::SetUp();
    calls.clear();
    second_passes_on = true;
    second_leaves = false;
    window = CreateWindowEx(0, test_window_class("HookedWnd", answer_proc), "", WS_POPUP, 0, 0, 10, 10, nullptr,
                            nullptr, nullptr);
    ASSERT_TRUE(window);
  }
  void TearDown() override {
    for (HHOOK* h : {&first, &second, &after, &filter}) {
      if (*h) UnhookWindowsHookEx(*h);
      *h = nullptr;
    }
    DestroyWindow(window);
    GuiTest::TearDown();
  }
};

TEST_F(HooksTest, SentMessagesPassTheHooksNewestFirstThenTheProcedureThenTheReturnHooks) {
  first = SetWindowsHookEx(WH_CALLWNDPROC, CALLBACK_first, nullptr, 0);
  second = SetWindowsHookEx(WH_CALLWNDPROC, CALLBACK_second, nullptr, 0);
  after = SetWindowsHookEx(WH_CALLWNDPROCRET, CALLBACK_after, nullptr, 0);
  ASSERT_TRUE(first && second && after);
  EXPECT_EQ(SendMessage(window, WM_APP, 7, 0), 42);
  EXPECT_EQ(calls, (std::vector<std::string>{"second 7", "first", "procedure", "after 42"}));

  // A hook that does not pass the call on ends the chain; the procedure still runs.
  calls.clear();
  second_passes_on = false;
  SendMessage(window, WM_APP, 1, 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"second 1", "procedure", "after 42"}));

  // Posted messages reach the procedure without the hooks.
  calls.clear();
  PostMessage(window, WM_APP, 0, 0);
  pump();
  EXPECT_EQ(calls, std::vector<std::string>{"procedure"});
}

TEST_F(HooksTest, AHookMayLeaveWhileItsChainRuns) {
  first = SetWindowsHookEx(WH_CALLWNDPROC, CALLBACK_first, nullptr, 0);
  second = SetWindowsHookEx(WH_CALLWNDPROC, CALLBACK_second, nullptr, 0);
  second_leaves = true;
  SendMessage(window, WM_APP, 3, 0);
  // It passed the call on after leaving, and is gone for the next message.
  EXPECT_EQ(calls, (std::vector<std::string>{"second 3", "first", "procedure"}));
  EXPECT_FALSE(UnhookWindowsHookEx(second));
  second = nullptr;
  calls.clear();
  SendMessage(window, WM_APP, 4, 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "procedure"}));
}

TEST_F(HooksTest, MessageFiltersSeeWhatModalLoopsOfferAndUnknownKindsAreRefused) {
  EXPECT_EQ(SetWindowsHookEx(7, CALLBACK_filter, nullptr, 0), nullptr);
  EXPECT_EQ(SetWindowsHookEx(WH_MSGFILTER, nullptr, nullptr, 0), nullptr);
  MSG key{window, WM_KEYDOWN, 0x41, 0};
  EXPECT_FALSE(CallMsgFilter(&key, 2));
  filter = SetWindowsHookEx(WH_MSGFILTER, CALLBACK_filter, nullptr, 0);
  EXPECT_TRUE(CallMsgFilter(&key, 2));
  MSG other{window, WM_MOUSEMOVE, 0, 0};
  EXPECT_FALSE(CallMsgFilter(&other, 0));
  EXPECT_EQ(calls, (std::vector<std::string>{"filter 2", "filter 0"}));
  EXPECT_FALSE(CallMsgFilter(nullptr, 0));
}

}  // namespace
}  // namespace lumo::test
