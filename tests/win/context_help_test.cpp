// Context help ids carried by windows reach the help request that F1 makes.
#include "platform/win/context_help.h"

#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

HELPINFO asked{};
int requests = 0;

LRESULT help_top_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HELP) {
    asked = *reinterpret_cast<HELPINFO*>(lParam);
    ++requests;
    return TRUE;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

class ContextHelpTest : public GuiTest {};

TEST_F(ContextHelpTest, TheFocusWindowsIdGoesWithItsHelpRequest) {
  HWND top = CreateWindowEx(0, test_window_class("HelpTop", help_top_proc), "", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                            100, nullptr, nullptr, nullptr);
  HWND field = CreateWindowEx(0, test_window_class("HelpField", DefWindowProc), "", WS_CHILD | WS_VISIBLE, 5, 5,
                              50, 20, top, reinterpret_cast<HMENU>(std::uintptr_t(1000)), nullptr);
  ASSERT_TRUE(top && field);
  EXPECT_EQ(GetWindowContextHelpId(field), 0u);
  // Pages give their controls the control id in the low word and the template id with bit 15 in
  // the high word.
  const DWORD id = (DWORD(0x8000 | 1580) << 16) | 1000;
  EXPECT_TRUE(SetWindowContextHelpId(field, id));
  EXPECT_EQ(GetWindowContextHelpId(field), id);
  EXPECT_EQ(GetWindowContextHelpId(top), 0u);

  pump();
  SetFocus(field);
  requests = 0;
  press_key(VK_F1);
  pump();
  ASSERT_EQ(requests, 1);
  EXPECT_EQ(asked.iCtrlId, 1000);
  EXPECT_EQ(asked.hItemHandle, field);
  EXPECT_EQ(asked.dwContextId, id);

  // An id of 0 takes it away; windows that are gone carry none and take none.
  EXPECT_TRUE(SetWindowContextHelpId(field, 0));
  EXPECT_EQ(GetWindowContextHelpId(field), 0u);
  SetWindowContextHelpId(field, 5);
  DestroyWindow(top);
  EXPECT_EQ(GetWindowContextHelpId(field), 0u);
  EXPECT_FALSE(SetWindowContextHelpId(field, 7));
  EXPECT_FALSE(SetWindowContextHelpId(nullptr, 7));
}

}  // namespace
}  // namespace lumo::test
