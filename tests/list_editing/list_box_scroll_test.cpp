// The list box scrolls by whole rows: the first row shown, rows above it out of sight, the row
// at a point, and the selection kept in view.
#include "tests/list_editing/list_editing_fixture.h"

namespace lumo::test {
namespace {

class ListBoxScrollTest : public ListEditingTest {};

TEST_F(ListBoxScrollTest, TopIndexMovesRowsAndPointsFindTheirRow) {
  std::vector<std::string> items;
  for (int i = 0; i < 20; ++i) items.push_back("Wiersz " + std::to_string(i));
  MakeList(items);
  CListBox box;
  box.Attach(::GetDlgItem(host.m_hWnd, IDC_HOST_LIST));
  int height = box.GetItemHeight(0);
  EXPECT_EQ(box.GetTopIndex(), 0);
  EXPECT_EQ(box.SetTopIndex(5), 0);
  EXPECT_EQ(box.GetTopIndex(), 5);
  CRect r;
  box.GetItemRect(5, &r);
  EXPECT_EQ(r.top, 0);
  box.GetItemRect(4, &r);
  EXPECT_EQ(r.top, -height);

  struct Case {
    CPoint point;
    UINT row;
    BOOL outside;
  } cases[] = {
      {CPoint(10, 1), 5, FALSE},
      {CPoint(10, height + 1), 6, FALSE},
      {CPoint(10, -3), 5, TRUE},
      {CPoint(10, 10000), 19, TRUE},
      {CPoint(-5, 1), 5, TRUE},
  };
  for (const Case& c : cases) {
    BOOL outside = FALSE;
    EXPECT_EQ(box.ItemFromPoint(c.point, outside), c.row) << c.point.y;
    EXPECT_EQ(outside, c.outside) << c.point.y;
  }
  EXPECT_EQ(box.SetTopIndex(25), LB_ERR);

  // Selecting a row out of sight scrolls the least that shows it.
  box.SetCurSel(1);
  EXPECT_EQ(box.GetTopIndex(), 1);
  box.SetCurSel(19);
  box.GetItemRect(19, &r);
  CRect client;
  box.GetClientRect(&client);
  EXPECT_LE(r.bottom, client.bottom);
  EXPECT_GT(r.bottom + height, client.bottom);
  // Deleting rows keeps the first row shown within the list.
  while (box.GetCount() > 3) box.DeleteString(UINT(box.GetCount() - 1));
  EXPECT_LT(box.GetTopIndex(), 3);
  box.Detach();
}

}  // namespace
}  // namespace lumo::test
