#include <gtest/gtest.h>

#include "platform/framework/menu.h"
#include "tests/support/gui_fixture.h"
#include "toolkit/widgets/user_tool.h"

namespace lumo::test {
namespace {

constexpr UINT kFirstTool = 40100;

std::vector<std::string> items(CMenu& menu) {
  std::vector<std::string> out;
  for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
    if (menu.GetMenuState(i, MF_BYPOSITION) & MF_SEPARATOR) {
      out.push_back("-");
      continue;
    }
    CString text;
    menu.GetMenuString(i, text, MF_BYPOSITION);
    out.push_back(std::string(text.GetString()) + "=" + std::to_string(menu.GetMenuItemID(i)));
  }
  return out;
}

SECUserToolList tools(int n) {
  SECUserToolList list;
  for (int i = 0; i < n; ++i) {
    auto t = std::make_unique<SECUserTool>();
    t->m_strMenuText = ("Narz\xEA" "dzie " + std::to_string(i + 1)).c_str();
    list.push_back(std::move(t));
  }
  return list;
}

using ToolsMenuTest = GuiTest;

TEST_F(ToolsMenuTest, RebuildsTheToolItemsAfterASeparator) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 100, "Dostosuj...");
  ASSERT_TRUE(UpdateToolsMenu(&menu, kFirstTool, tools(2)));
  EXPECT_EQ(items(menu), (std::vector<std::string>{"Dostosuj...=100", "-", "Narz\xEA" "dzie 1=40100",
                                                   "Narz\xEA" "dzie 2=40101"}));
  // Rebuilding replaces the old tool items and keeps the one separator.
  ASSERT_TRUE(UpdateToolsMenu(&menu, kFirstTool, tools(1)));
  EXPECT_EQ(items(menu), (std::vector<std::string>{"Dostosuj...=100", "-", "Narz\xEA" "dzie 1=40100"}));
  // Without tools the separator goes too.
  ASSERT_TRUE(UpdateToolsMenu(&menu, kFirstTool, tools(0)));
  EXPECT_EQ(items(menu), (std::vector<std::string>{"Dostosuj...=100"}));
  EXPECT_FALSE(UpdateToolsMenu(nullptr, kFirstTool, tools(1)));
  EXPECT_FALSE(UpdateToolsMenu(&menu, 0, tools(1)));
}

TEST_F(ToolsMenuTest, NeverGivesMoreThanNineCommandIds) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  EXPECT_FALSE(UpdateToolsMenu(&menu, kFirstTool, tools(11)));
  const std::vector<std::string> got = items(menu);
  ASSERT_EQ(got.size(), 10u);
  EXPECT_EQ(got.back(), "Narz\xEA" "dzie 9=40108");
}

}  // namespace
}  // namespace lumo::test
