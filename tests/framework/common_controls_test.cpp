// Registering the common controls by group before a dialog names their classes.
#include "platform/controls/common_controls.h"

#include "platform/controls/list_ctrl.h"
#include "platform/controls/status_bar_ctrl.h"
#include "platform/win/window_api.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {
namespace {

class CommonControlsTest : public GuiTest {};

TEST_F(CommonControlsTest, GroupsRegisterTheirClassesAndGroupsNotOfferedAreReported) {
  INITCOMMONCONTROLSEX icc;
  icc.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS;
  EXPECT_TRUE(InitCommonControlsEx(&icc));
  HWND top = CreateWindowEx(0, test_window_class("IccTop", DefWindowProc), "", WS_POPUP, 0, 0, 100, 100, nullptr,
                            nullptr, nullptr);
  for (const char* name : {WC_LISTVIEW, STATUSCLASSNAME, "SysHeader32", "SysTabControl32", "msctls_progress32"}) {
    HWND h = CreateWindowEx(0, name, "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr);
    EXPECT_TRUE(h != nullptr) << name;
  }
  // A group the layer lacks is reported, and the others asked for are still registered.
  icc.dwICC = ICC_WIN95_CLASSES;
  EXPECT_FALSE(InitCommonControlsEx(&icc));
  EXPECT_TRUE(CreateWindowEx(0, "msctls_updown32", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr));
  INITCOMMONCONTROLSEX wrong_size;
  wrong_size.dwSize = 4;
  EXPECT_FALSE(InitCommonControlsEx(&wrong_size));
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
  InitCommonControls();
  EXPECT_TRUE(CreateWindowEx(0, "SysMonthCal32", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr));
  DestroyWindow(top);
}

}  // namespace
}  // namespace lumo::test
