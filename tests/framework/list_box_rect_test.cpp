// Row rectangles of list boxes: where a row lies is where a click selects it.
#include "platform/controls/standard_controls.h"

#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class ListBoxRectTest : public FrameworkTest {};

TEST_F(ListBoxRectTest, RowsLieOneUnderAnotherAcrossTheBox) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "Lista", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0));
  CListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 160, 150), &parent, 1077));
  for (const char* s : {"Akty", "Indeksy", "Segregatory"}) list.AddString(s);
  CRect first, second, client;
  ASSERT_EQ(list.GetItemRect(0, &first), 0);
  ASSERT_EQ(list.GetItemRect(1, &second), 0);
  list.GetClientRect(&client);
  EXPECT_EQ(first.top, 0);
  EXPECT_EQ(second.top, first.bottom);
  EXPECT_EQ(second.Height(), list.GetItemHeight(1));
  EXPECT_EQ(second.left, client.left);
  EXPECT_EQ(second.right, client.right);
  EXPECT_EQ(list.GetItemRect(3, &second), LB_ERR);
  EXPECT_EQ(list.GetItemRect(-1, &second), LB_ERR);

  pump();
  click(list.m_hWnd, POINT{20, (first.bottom + first.bottom + first.Height()) / 2});
  pump();
  EXPECT_EQ(list.GetCurSel(), 1);
}

}  // namespace
}  // namespace lumo::test
