// The help context ids the bases compute, and the help engine's reading of an id table.
#include "controls/base/context_help_request.h"

#include <gtest/gtest.h>

#include "platform/framework/command_ids.h"
#include "tests/dialog_bases/help_fixture.h"

namespace lumo::test {
namespace {

TEST(HelpIds, PageIdsJoinTheControlAndTheTemplateWithBit15) {
  struct Case {
    UINT control;
    UINT template_id;
    DWORD id;
  };
  const Case cases[] = {
      {1009, 1580, 0x862C03F1},   // high word 1580 | 0x8000, low word 1009
      {1, 100, 0x80640001},       // the OK button of template 100
      {UINT(-1), 1580, 0x862CFFFF},  // a static without an id keeps the low word only
      {1009, 0x8123, 0x812303F1},  // a template id with bit 15 already set
  };
  for (const Case& c : cases) {
    EXPECT_EQ(context_help::page_help_id(c.control, c.template_id), c.id) << c.control << " on " << c.template_id;
  }
}

TEST(HelpIds, SheetIdsAddTheSheetsBase) {
  EXPECT_EQ(context_help::sheet_help_id(IDOK), 0x00010001u);
  EXPECT_EQ(context_help::sheet_help_id(IDCANCEL), 0x00010002u);
  EXPECT_EQ(context_help::sheet_help_id(AFX_IDC_TAB_CONTROL), 0x00013020u);
}

class HelpTableTest : public HelpTest {};

// The help engine takes the id table's pair of the owner's own control, else its first pair; an
// empty table (or none) asks for nothing.
TEST_F(HelpTableTest, TheHelpEngineReadsOneEntryOfAZeroEndedTable) {
  HWND top = CreateWindowEx(0, test_window_class("HelpTableTop", DefWindowProc), "", WS_POPUP, 0, 0, 100, 60,
                            nullptr, nullptr, nullptr);
  HWND field = CreateWindowEx(0, test_window_class("HelpTableField", DefWindowProc), "", WS_CHILD, 5, 5, 40, 20,
                              top, reinterpret_cast<HMENU>(std::uintptr_t(1009)), nullptr);
  ASSERT_TRUE(top && field);
  const DWORD two[] = {1008, 0x862C03F0, 1009, 0x862C03F1, 0, 0};
  EXPECT_TRUE(shell::WinHelp(field, "a.hlp", HELP_WM_HELP, reinterpret_cast<UINT_PTR>(two)));
  EXPECT_TRUE(shell::WinHelp(top, "a.hlp", HELP_CONTEXTMENU, reinterpret_cast<UINT_PTR>(two)));
  const DWORD empty[] = {0, 0x862C03F1};
  EXPECT_FALSE(shell::WinHelp(field, "a.hlp", HELP_WM_HELP, reinterpret_cast<UINT_PTR>(empty)));
  EXPECT_FALSE(shell::WinHelp(field, "a.hlp", HELP_WM_HELP, 0));
  EXPECT_TRUE(shell::WinHelp(field, nullptr, HELP_CONTEXTPOPUP, 77));
  EXPECT_EQ(asked(), (std::vector<Asked>{{field, 1009, 0x862C03F1, HELP_WM_HELP, "a.hlp"},
                                         {top, 1008, 0x862C03F0, HELP_CONTEXTMENU, "a.hlp"},
                                         {field, 1009, 77, HELP_CONTEXTPOPUP, ""}}));
  DestroyWindow(top);
}

}  // namespace
}  // namespace lumo::test
