// Owner-drawn rows: the parent's WM_DRAWITEM comes back to the list's own DrawItem, one call per
// visible row with the row's item data and the context the list paints with.
#include "tests/listview/list_parent.h"

namespace lumo::test {
namespace {

class RowDrawingList : public CListCtrl {
 public:
  std::vector<std::pair<int, UINT_PTR>> rows;
  void DrawItem(LPDRAWITEMSTRUCT d) override {
    EXPECT_EQ(d->CtlType, ODT_LISTVIEW);
    EXPECT_NE(d->hDC, nullptr);
    rows.emplace_back(int(d->itemID), d->itemData);
  }
};

class OwnerDrawnRowsTest : public FrameworkTest {
 protected:
  ListParent parent;
  RowDrawingList list;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.Create());
  }
  void TearDown() override {
    list.DestroyWindow();
    parent.DestroyWindow();
    FrameworkTest::TearDown();
  }
};

TEST_F(OwnerDrawnRowsTest, ParentPassesEachVisibleRowBackToTheList) {
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 300, 100), &parent, 72));
  list.InsertColumn(0, "Akt", LVCFMT_LEFT, 120);
  for (int i = 0; i < 8; ++i) list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, "Akt", 0, 0, 0, LPARAM(100 + i));
  list.UpdateWindow();
  // 100 pixels hold the header and four whole rows and part of a fifth.
  std::vector<std::pair<int, UINT_PTR>> expected{{0, 100}, {1, 101}, {2, 102}, {3, 103}, {4, 104}};
  EXPECT_EQ(list.rows, expected);
}

}  // namespace
}  // namespace lumo::test
