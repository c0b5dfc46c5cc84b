// The report list's geometry over plain values, without a window: rows below the header, the
// parts of the first column, sub-item rectangles and hit-testing.
#include <gtest/gtest.h>

#include "platform/controls/list_ctrl_geometry.h"

namespace {

using controls::kListRowHeight;
using controls::kListStateWidth;

// 200 x 120 with a 20-pixel header: six rows of 17 fit wholly.
controls::ListLayout Layout(std::vector<int> columns = {80, 60}) {
  controls::ListLayout layout;
  layout.client = CRect(0, 0, 200, 120);
  layout.header_height = 20;
  layout.item_count = 10;
  layout.column_widths = std::move(columns);
  return layout;
}

TEST(ListLayout, RowsScrollByWholeRowsBelowTheHeader) {
  controls::ListLayout layout = Layout();
  EXPECT_EQ(controls::ListRowsPerPage(layout), 5);  // 100 / 17
  EXPECT_EQ(controls::ListMaxTop(layout), 5);
  layout.client = CRect(0, 0, 200, 25);
  EXPECT_EQ(controls::ListRowsPerPage(layout), 1);  // never less than one
  layout = Layout();
  layout.top = 3;
  controls::ListRowParts row = controls::ListRowPartsOf(layout, 4);
  EXPECT_EQ(row.bounds, CRect(0, 20 + kListRowHeight, 140, 20 + 2 * kListRowHeight));
  EXPECT_EQ(controls::ListRowPartsOf(layout, 2).bounds.top, 20 - kListRowHeight);  // above, out of sight
  EXPECT_EQ(controls::ListRowWidth(Layout({})), 200);  // no columns: as wide as the list
}

TEST(ListLayout, FirstColumnHoldsStateImageIconAndLabel) {
  controls::ListLayout layout = Layout();
  layout.state_width = kListStateWidth;
  layout.icon_width = 20;
  layout.indent = [](int item) { return item == 1 ? 2 : 0; };
  controls::ListRowParts row = controls::ListRowPartsOf(layout, 0);
  EXPECT_EQ(row.state, CRect(0, 20, 16, 37));
  EXPECT_EQ(row.icon, CRect(16, 20, 36, 37));
  EXPECT_EQ(row.label, CRect(36, 20, 80, 37));
  // An indent moves the parts by whole icon widths (the larger of the icon and the state image).
  EXPECT_EQ(controls::ListRowPartsOf(layout, 1).state.left, 40);
  // A first column narrower than its images leaves the label empty, never reversed.
  layout.column_widths = {30, 60};
  row = controls::ListRowPartsOf(layout, 0);
  EXPECT_EQ(row.label.left, row.label.right);
}

TEST(ListLayout, SubItemRectangles) {
  controls::ListLayout layout = Layout();
  layout.icon_width = 16;
  RECT r{};
  ASSERT_TRUE(controls::ListSubItemRect(layout, 1, 1, LVIR_BOUNDS, &r));
  EXPECT_EQ(CRect(r), CRect(80, 37, 140, 54));
  ASSERT_TRUE(controls::ListSubItemRect(layout, 1, 1, LVIR_ICON, &r));
  EXPECT_EQ(CRect(r), CRect(80, 37, 80, 54));  // sub-items have no icon
  ASSERT_TRUE(controls::ListSubItemRect(layout, 1, 0, LVIR_SELECTBOUNDS, &r));
  EXPECT_EQ(CRect(r), CRect(0, 37, 80, 54));
  ASSERT_TRUE(controls::ListSubItemRect(layout, 1, 0, LVIR_LABEL, &r));
  EXPECT_EQ(CRect(r), CRect(16, 37, 80, 54));
  EXPECT_FALSE(controls::ListSubItemRect(layout, 10, 0, LVIR_BOUNDS, &r));  // no such item
  EXPECT_FALSE(controls::ListSubItemRect(layout, 1, 2, LVIR_BOUNDS, &r));   // no such column
  EXPECT_FALSE(controls::ListSubItemRect(layout, 1, -1, LVIR_BOUNDS, &r));
  EXPECT_FALSE(controls::ListSubItemRect(layout, 1, 0, 99, &r));
}

TEST(ListLayout, HitTesting) {
  controls::ListLayout layout = Layout();
  layout.state_width = kListStateWidth;
  layout.icon_width = 16;
  layout.top = 2;
  layout.item_count = 6;
  struct Case {
    POINT pt;
    UINT flags;
    int item;
    int sub_item;
  };
  const Case cases[] = {
      {{5, 10}, LVHT_ABOVE, -1, 0},                  // on the header
      {{5, 130}, LVHT_BELOW, -1, 0},
      {{-1, 30}, LVHT_TOLEFT, -1, 0},
      {{250, 30}, LVHT_TORIGHT, -1, 0},
      {{5, 25}, LVHT_ONITEMSTATEICON, 2, 0},         // the first row shown is item 2
      {{20, 25 + kListRowHeight}, LVHT_ONITEMICON, 3, 0},
      {{50, 25}, LVHT_ONITEMLABEL, 2, 0},
      {{100, 25}, LVHT_NOWHERE, -1, 1},              // a sub-item without full-row selection
      {{150, 25}, LVHT_NOWHERE, -1, 0},              // right of the columns
      {{50, 22 + 4 * kListRowHeight}, LVHT_NOWHERE, -1, 0},  // below the last item
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pt.x << "," << c.pt.y);
    LVHITTESTINFO hit = controls::ListHitTest(layout, c.pt);
    EXPECT_EQ(hit.flags, c.flags);
    EXPECT_EQ(hit.iItem, c.item);
    EXPECT_EQ(hit.iSubItem, c.sub_item);
  }
  layout.full_row_select = true;
  LVHITTESTINFO hit = controls::ListHitTest(layout, POINT{100, 25});
  EXPECT_EQ(hit.flags, UINT(LVHT_ONITEMLABEL));
  EXPECT_EQ(hit.iItem, 2);
  EXPECT_EQ(hit.iSubItem, 1);
}

}  // namespace
