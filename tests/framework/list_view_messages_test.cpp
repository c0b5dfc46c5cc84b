// The list view answers its messages: counts, emptying, owner-data row counts and scrolling by
// whole rows, no further than a full last page.
#include "platform/controls/list_ctrl.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

class ListViewMessagesTest : public FrameworkTest {
 protected:
  CWnd parent;
  CListCtrl list;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  }
  void TearDown() override {
    list.DestroyWindow();
    parent.DestroyWindow();
    FrameworkTest::TearDown();
  }
};

TEST_F(ListViewMessagesTest, RowsAreCountedScrolledAndEmptied) {
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 80), &parent, 50));
  list.InsertColumn(0, "Tytu\xb3");
  for (int i = 0; i < 10; ++i) list.InsertItem(i, "Ustawa");
  EXPECT_EQ(list.SendMessage(LVM_GETITEMCOUNT), 10);
  EXPECT_FALSE(list.SendMessage(LVM_SETITEMCOUNT, 50));  // only owner data takes a count

  struct Case {
    int pixels;
    int top;
  };
  // Whole rows only, never before the first row nor further than a full last page (3 rows).
  for (Case c : {Case{3 * controls::kListRowHeight, 3}, Case{controls::kListRowHeight - 1, 3},
                 Case{-100 * controls::kListRowHeight, 0}, Case{100 * controls::kListRowHeight, 7}}) {
    EXPECT_TRUE(list.Scroll(CSize(0, c.pixels)));
    EXPECT_EQ(list.SendMessage(LVM_GETTOPINDEX), c.top) << c.pixels;
  }
  EXPECT_TRUE(list.SetBkColor(RGB(0, 0, 128)));
  EXPECT_TRUE(list.SetTextColor(RGB(255, 255, 255)));
  EXPECT_TRUE(list.SetTextBkColor(CLR_NONE));
  list.UpdateWindow();

  EXPECT_TRUE(list.SendMessage(LVM_DELETEALLITEMS));
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(list.GetTopIndex(), 0);
}

TEST_F(ListViewMessagesTest, OwnerDataTakesItsRowCount) {
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 200, 80), &parent, 51));
  EXPECT_TRUE(list.SendMessage(LVM_SETITEMCOUNT, 40));
  EXPECT_EQ(list.GetItemCount(), 40);
  list.Scroll(CSize(0, 30 * controls::kListRowHeight));
  list.SetItemCount(5);  // the last page stays full
  EXPECT_EQ(list.GetTopIndex(), 2);
  list.SetItemCount(-3);
  EXPECT_EQ(list.GetItemCount(), 0);
}

}  // namespace
}  // namespace lumo::test
