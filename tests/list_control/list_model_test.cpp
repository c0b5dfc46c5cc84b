// The list's data without a window: columns and their sub-item slots, rows, the sorted selection,
// and where caret, anchor and drop highlight go when rows come and go.
#include <gtest/gtest.h>

#include "platform/framework/tool_tips.h"
#include "toolkit/widgets/list_model.h"

namespace {

std::unique_ptr<SECListColumn> column(const char* title, int width = 50, int sub = -1, int format = LVCFMT_LEFT) {
  auto c = std::make_unique<SECListColumn>();
  c->title = title;
  c->width = width;
  c->sub_item = sub;
  c->format = format;
  return c;
}

ListModel rows(int n) {
  ListModel m;
  for (int i = 0; i < n; ++i) m.InsertRow(i, m.MakeRow());
  return m;
}

TEST(ListModel, FirstColumnIsAlwaysLeftAlignedSubItemZero) {
  ListModel m;
  m.InsertColumn(0, column("Akt", 100, 5, LVCFMT_RIGHT));
  EXPECT_EQ(m.Column(0)->sub_item, 0);
  EXPECT_EQ(m.Column(0)->format, LVCFMT_LEFT);
  EXPECT_EQ(m.SubItemCount(), 0);
}

TEST(ListModel, AppendedColumnsTakeNewSlotsInEveryRow) {
  ListModel m = rows(2);
  m.InsertColumn(0, column("Akt"));
  m.InsertColumn(1, column("Rok", -1));
  m.InsertColumn(2, column("Poz", 40));
  EXPECT_EQ(m.SubItemCount(), 2);
  EXPECT_EQ(m.Column(1)->sub_item, 1);
  EXPECT_EQ(m.Column(1)->width, 10);  // -1 asks for the smallest useful width
  EXPECT_EQ(m.Column(2)->sub_item, 2);
  for (int r = 0; r < 2; ++r) {
    ASSERT_EQ(m.Row(r)->sub_items.size(), 2u);
    EXPECT_TRUE(m.Row(r)->sub_items[0].text.IsOnDemand());
  }
  // A row made later carries the same slots.
  m.InsertRow(2, m.MakeRow());
  EXPECT_EQ(m.Row(2)->sub_items.size(), 2u);
}

TEST(ListModel, DeletingAColumnDropsItsSlotRenumbersAndHandsOnItsWidth) {
  struct Case {
    bool keep_width;
    int first_width;
  };
  for (Case c : {Case{false, 140}, Case{true, 100}}) {
    ListModel m = rows(1);
    m.InsertColumn(0, column("Akt", 100));
    m.InsertColumn(1, column("Rok", 40));
    m.InsertColumn(2, column("Poz", 30));
    m.Row(0)->sub_items[0].text = ListText::From("1997");
    m.Row(0)->sub_items[1].text = ListText::From("12");
    ASSERT_TRUE(m.DeleteColumn(1, c.keep_width));
    EXPECT_EQ(m.SubItemCount(), 1);
    EXPECT_EQ(m.Column(1)->sub_item, 1);
    EXPECT_EQ(m.Row(0)->sub_items[0].text.Stored(), "12");
    EXPECT_EQ(m.Column(0)->width, c.first_width);
  }
  ListModel m;
  EXPECT_FALSE(m.DeleteColumn(0, false));
}

TEST(ListModel, DeletingTheFirstColumnLetsTheNextShowTheLabels) {
  ListModel m = rows(1);
  m.InsertColumn(0, column("Akt", 100));
  m.InsertColumn(1, column("Rok", 40, -1, LVCFMT_RIGHT));
  m.Row(0)->text = ListText::From("Ustawa");
  ASSERT_TRUE(m.DeleteColumn(0, true));
  EXPECT_EQ(m.Column(0)->sub_item, 0);
  EXPECT_EQ(m.Column(0)->format, LVCFMT_LEFT);
  EXPECT_EQ(m.SubItemCount(), 0);
  EXPECT_EQ(m.Row(0)->text.Stored(), "Ustawa");
}

TEST(ListModel, TextsFromItemRecords) {
  EXPECT_EQ(ListText::From(nullptr).kind, ListText::Kind::none);
  EXPECT_TRUE(ListText::From(LPSTR_TEXTCALLBACK).IsOnDemand());
  EXPECT_EQ(ListText::From("Dekret").Stored(), "Dekret");
}

TEST(ListModel, FirstRowBecomesCaretAndSelected) {
  ListModel m = rows(3);
  EXPECT_EQ(m.caret, 0);
  EXPECT_EQ(m.Selection(), std::vector<int>{0});
  EXPECT_EQ(m.anchor, -1);
}

TEST(ListModel, InsertingMovesLaterIndicesDown) {
  ListModel m = rows(5);
  m.caret = 3;
  m.anchor = 1;
  m.drop = 4;
  m.ClearSelection();
  m.Select(1, true);
  m.Select(3, true);
  m.InsertRow(2, m.MakeRow());
  EXPECT_EQ(m.caret, 4);
  EXPECT_EQ(m.anchor, 1);
  EXPECT_EQ(m.drop, 5);
  EXPECT_EQ(m.Selection(), (std::vector<int>{1, 4}));
}

TEST(ListModel, DeletingRowsMovesCaretAndSelection) {
  struct Case {
    int caret, first, count;
    int caret_after;
    std::vector<int> selected_before, selected_after;
  };
  const Case cases[] = {
      {7, 2, 3, 4, {1, 3, 7}, {1, 4}},       // after the range: up by the count
      {3, 2, 3, 1, {3}, {1}},                // inside: to the row before the range, selected again
      {2, 2, 3, 2, {2, 8}, {5}},             // on the first deleted row: stays (the next row moves in)
      {9, 8, 2, 7, {9}, {7}},                // the range ends the list: to the new last row
      {4, 0, 6, -1, {4}, {}},                // nothing before the range: no caret
  };
  for (const Case& c : cases) {
    ListModel m = rows(10);
    m.caret = c.caret;
    m.ClearSelection();
    for (int s : c.selected_before) m.Select(s, true);
    ASSERT_TRUE(m.DeleteRows(c.first, c.count));
    EXPECT_EQ(m.RowCount(), 10 - c.count);
    EXPECT_EQ(m.caret, c.caret_after) << "caret " << c.caret;
    EXPECT_EQ(m.Selection(), c.selected_after) << "caret " << c.caret;
  }
  ListModel m = rows(2);
  EXPECT_FALSE(m.DeleteRows(5, 1));
  EXPECT_TRUE(m.DeleteRows(1, 100));  // clamped to the rows there are
  EXPECT_EQ(m.RowCount(), 1);
}

TEST(ListModel, SelectingTwiceStoresOnce) {
  ListModel m = rows(20);
  m.ClearSelection();
  for (int r : {12, 3, 12, 7, 3, 19, 0, 15, 9, 9}) m.Select(r, true);
  EXPECT_EQ(m.Selection(), (std::vector<int>{0, 3, 7, 9, 12, 15, 19}));
  m.Select(40, true);  // not a row
  m.Select(12, false);
  m.Select(12, false);
  EXPECT_EQ(m.Selection(), (std::vector<int>{0, 3, 7, 9, 15, 19}));
}

TEST(ListModel, FindSelectedGivesPresenceAndPlace) {
  ListModel m = rows(40);
  m.ClearSelection();
  for (int r = 1; r < 40; r += 3) m.Select(r, true);  // 1, 4, ..., 37: 13 entries, bisected
  struct Case {
    int row;
    bool found;
    int pos;
  };
  for (Case c : {Case{1, true, 0}, Case{0, false, 0}, Case{2, false, 1}, Case{22, true, 7}, Case{23, false, 8},
                 Case{37, true, 12}, Case{38, false, 13}}) {
    int pos = -1;
    EXPECT_EQ(m.FindSelected(c.row, &pos), c.found) << c.row;
    EXPECT_EQ(pos, c.pos) << c.row;
  }
}

TEST(ListModel, NextItemByFlags) {
  ListModel m = rows(6);
  m.caret = 2;
  m.ClearSelection();
  m.Select(1, true);
  m.Select(4, true);
  struct Case {
    int from;
    UINT flags;
    int next;
  };
  for (Case c : {Case{-1, LVNI_ALL, 0}, Case{2, LVNI_ALL, 3}, Case{2, LVNI_ABOVE, 1}, Case{5, LVNI_BELOW, -1},
                 Case{-1, LVNI_SELECTED, 1}, Case{1, LVNI_SELECTED, 4}, Case{4, LVNI_SELECTED, -1},
                 Case{5, LVNI_SELECTED | LVNI_ABOVE, 4}, Case{-1, LVNI_FOCUSED, 2}, Case{0, LVNI_ABOVE, -1}}) {
    EXPECT_EQ(m.NextItem(c.from, c.flags), c.next) << c.from << " " << c.flags;
  }
}

TEST(ListModel, StateIsDerivedFromCaretSelectionAndDrop) {
  ListModel m = rows(3);
  m.Row(1)->state = LVIS_CUT | LVIS_SELECTED;  // a stored selection bit means nothing
  m.drop = 1;
  EXPECT_EQ(m.StateOf(0, ~0u), UINT(LVIS_FOCUSED | LVIS_SELECTED));
  EXPECT_EQ(m.StateOf(1, ~0u), UINT(LVIS_CUT | LVIS_DROPHILITED));
  EXPECT_EQ(m.StateOf(1, LVIS_CUT), UINT(LVIS_CUT));
}

}  // namespace
