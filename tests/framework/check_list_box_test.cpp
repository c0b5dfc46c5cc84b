// Check list boxes: marks turned by a click on the box or the space key, each turn told to the parent,
// clicks on the text only selecting, and the marks following their rows.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/controls/check_list_box.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class CommandParent : public CWnd {
 public:
  std::vector<std::pair<int, int>> commands;  // (id, code)
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
};

class CheckListBoxTest : public FrameworkTest {
 protected:
  CommandParent parent;
  CCheckListBox list;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(list.Create(WS_VISIBLE, CRect(0, 0, 150, 100), &parent, 40));
    for (const char* text : {"Ustawy", "Dekrety", "Obwieszczenia"}) list.AddString(text);
  }
  void TearDown() override {
    list.DestroyWindow();
    parent.DestroyWindow();
    FrameworkTest::TearDown();
  }
  int changes() const {
    return int(std::count(parent.commands.begin(), parent.commands.end(), std::make_pair(40, int(CLBN_CHKCHANGE))));
  }
};

TEST_F(CheckListBoxTest, ClickOnTheBoxOrSpaceTurnsTheMark) {
  list.UpdateWindow();  // rows draw themselves without the parent's help
  int row = list.GetItemHeight(0);
  ASSERT_GT(row, 0);
  click(list.m_hWnd, POINT{4, row + 3});
  pump();
  EXPECT_EQ(list.GetCheck(1), BST_CHECKED);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(changes(), 1);

  // A click on the text selects without turning the mark.
  click(list.m_hWnd, POINT{60, 2 * row + 3});
  pump();
  EXPECT_EQ(list.GetCurSel(), 2);
  EXPECT_EQ(list.GetCheck(2), BST_UNCHECKED);
  EXPECT_EQ(changes(), 1);

  list.SetFocus();
  press_key(VK_SPACE, ' ');
  pump();
  EXPECT_EQ(list.GetCheck(2), BST_CHECKED);
  press_key(VK_SPACE, ' ');
  pump();
  EXPECT_EQ(list.GetCheck(2), BST_UNCHECKED);
  EXPECT_EQ(changes(), 3);

  // Below the last row nothing turns.
  click(list.m_hWnd, POINT{4, 3 * row + 5});
  pump();
  EXPECT_EQ(changes(), 3);
}

TEST_F(CheckListBoxTest, MarksFollowTheirRows) {
  list.SetCheck(2, BST_CHECKED);
  EXPECT_EQ(list.GetCheck(2), BST_CHECKED);
  list.InsertString(0, "Nowy");
  EXPECT_EQ(list.GetCheck(3), BST_CHECKED);
  EXPECT_EQ(list.GetCheck(0), BST_UNCHECKED);
  list.DeleteString(3);
  for (int i = 0; i < list.GetCount(); ++i) EXPECT_EQ(list.GetCheck(i), BST_UNCHECKED) << i;
  EXPECT_EQ(list.GetCheck(9), LB_ERR);
  EXPECT_EQ(changes(), 0);  // setting marks from the program is not a user's change
}

}  // namespace
}  // namespace lumo::test
