// The list's geometry as tables: rows that fit, page tops, the row at an offset, hit flags, the
// divider clamp, the wheel and the horizontal offset.
#include <gtest/gtest.h>

#include "toolkit/widgets/list_geometry.h"

namespace {

// Rows of the given heights in a view `view` pixels high.
ListGeometry geometry(std::vector<int> heights, int view) {
  int n = int(heights.size());
  return ListGeometry(n, view, [heights = std::move(heights)](int r) { return heights.at(size_t(r)); });
}

TEST(ListGeometry, SumsOfRowHeights) {
  ListGeometry g = geometry({10, 20, 30, 40}, 100);
  EXPECT_EQ(g.SumRowHeights(0, 4, false), 100);
  EXPECT_EQ(g.SumRowHeights(1, 2, false), 20);
  EXPECT_EQ(g.SumRowHeights(1, 2, true), 50);
  EXPECT_EQ(g.SumRowHeights(3, 1, false), -50);
  EXPECT_EQ(g.SumRowHeights(2, 9, true), 70);  // past the end: the rows there are
}

TEST(ListGeometry, RowsThatFit) {
  // Ten rows of 17 pixels in a view of 60: three whole rows fit.
  ListGeometry g = geometry(std::vector<int>(10, 17), 60);
  struct Case {
    int top;
    int last_fitting, per_page, above, previous_top;
  };
  for (Case c : {Case{0, 2, 3, 0, 0}, Case{4, 6, 3, 3, 1}, Case{8, 9, 3, 3, 5}, Case{9, 9, 3, 3, 6}}) {
    EXPECT_EQ(g.LastFitting(c.top), c.last_fitting) << c.top;
    EXPECT_EQ(g.FirstNotFitting(c.top), c.last_fitting + 1) << c.top;
    EXPECT_EQ(g.CountPerPage(c.top), c.per_page) << c.top;  // completed with rows above at the end
    EXPECT_EQ(g.RowsAboveTop(c.top), c.above) << c.top;
    EXPECT_EQ(g.PreviousPageTop(c.top), c.previous_top) << c.top;
  }
  EXPECT_EQ(g.LastPageTop(), 7);
}

TEST(ListGeometry, RowsOfDifferentHeights) {
  ListGeometry g = geometry({17, 34, 17, 51, 17}, 60);
  EXPECT_EQ(g.RowsInHeight(60, 0, true), 2);   // 17 + 34
  EXPECT_EQ(g.RowsInHeight(60, 3, true), 1);   // 51
  EXPECT_EQ(g.RowsInHeight(60, 4, false), 1);  // 17, then 51 would not fit
  EXPECT_EQ(g.LastPageTop(), 4);
  // A row taller than the view still makes a page of one, so paging moves.
  ListGeometry tall = geometry({100, 100}, 60);
  EXPECT_EQ(tall.CountPerPage(0), 1);
  EXPECT_EQ(tall.LastPageTop(), 1);
  EXPECT_EQ(geometry({}, 60).CountPerPage(0), 0);
}

TEST(ListGeometry, RowFromOffset) {
  ListGeometry g = geometry({17, 34, 17}, 60);
  struct Case {
    int top, y, row;
  };
  for (Case c : {Case{0, 0, 0}, Case{0, 16, 0}, Case{0, 17, 1}, Case{0, 50, 1}, Case{0, 51, 2}, Case{0, 68, -1},
                 Case{1, 0, 1}, Case{0, -1, -1}}) {
    EXPECT_EQ(g.RowFromOffset(c.top, c.y), c.row) << c.top << "/" << c.y;
  }
}

// A report list: client 200 x 100, header 18, two columns of 80 and 60, rows 17 high whose label
// runs from x 5 to 45 and icon from 2 to 18.
ListHitLayout report_layout(int offset = 0, int top = 0) {
  ListHitLayout l;
  l.client = CRect(0, 0, 200, 100);
  l.view = CRect(0, 18, 200, 100);
  l.column_widths = {80, 60};
  l.offset = offset;
  l.top = top;
  l.parts = [](int) { return ListRowParts{CRect(2, 0, 18, 17), CRect(22, 2, 62, 15), CRect()}; };
  return l;
}

TEST(ListHitTest, FlagsEverywhere) {
  ListGeometry rows = geometry(std::vector<int>(3, 17), 82);
  struct Case {
    CPoint p;
    int index;
    UINT flags;
    int column;
  };
  const Case cases[] = {
      {{10, -5}, -1, LVHT_ABOVE, -1},
      {{-3, 120}, -1, LVHT_BELOW | LVHT_TOLEFT, -1},
      {{205, 50}, -1, LVHT_TORIGHT, -1},
      {{78, 5}, 0, LVHT_ONDIVIDER, 0},          // within 4 pixels of the first column's right edge
      {{84, 5}, 0, LVHT_ONDIVIDER, 0},
      {{50, 5}, 0, LVHT_ONHEADER, 0},
      {{100, 5}, 1, LVHT_ONHEADER, 1},
      {{170, 5}, -1, LVHT_NOWHERE, -1},         // header right of every column
      {{30, 20}, 0, LVHT_ONROW | LVHT_ONITEMLABEL, 0},
      {{10, 40}, 1, LVHT_ONROW | LVHT_ONITEMICON, 0},
      {{20, 40}, 1, LVHT_ONROW | LVHT_LEFTOFLABEL, 0},
      {{70, 40}, 1, LVHT_ONROW | LVHT_RIGHTOFLABEL, 0},
      {{100, 40}, 1, LVHT_ONROW, 1},            // another column: on the row only
      {{170, 40}, 1, LVHT_ONROW, -1},           // right of every column
      {{30, 80}, -1, LVHT_NOWHERE, 0},          // below the last row
  };
  for (const Case& c : cases) {
    ListHit hit = ListHitTest(rows, report_layout(), c.p);
    EXPECT_EQ(hit.index, c.index) << c.p.x << "," << c.p.y;
    EXPECT_EQ(hit.flags, c.flags) << c.p.x << "," << c.p.y;
    EXPECT_EQ(hit.column, c.column) << c.p.x << "," << c.p.y;
  }
}

TEST(ListHitTest, ScrolledAcrossAndDown) {
  ListGeometry rows = geometry(std::vector<int>(10, 17), 82);
  ListHit hit = ListHitTest(rows, report_layout(40, 4), CPoint(10, 20));  // content x 50
  EXPECT_EQ(hit.index, 4);
  EXPECT_EQ(hit.flags, UINT(LVHT_ONROW | LVHT_ONITEMLABEL));
  hit = ListHitTest(rows, report_layout(40, 4), CPoint(41, 5));  // content x 81: the divider
  EXPECT_EQ(hit.flags, UINT(LVHT_ONDIVIDER));
}

TEST(ListHitTest, OneColumnIsAlwaysColumnZero) {
  ListGeometry rows = geometry(std::vector<int>(2, 17), 82);
  ListHitLayout l = report_layout();
  l.column_widths = {80};
  ListHit hit = ListHitTest(rows, l, CPoint(150, 20));
  EXPECT_EQ(hit.column, 0);
  EXPECT_EQ(hit.flags, UINT(LVHT_ONROW | LVHT_RIGHTOFLABEL));
}

TEST(ListGeometry, DividerStopsTenPixelsFromTheColumnsLeftEdge) {
  struct Case {
    int x, left, clamped;
  };
  for (Case c : {Case{200, 80, 200}, Case{95, 80, 95}, Case{90, 80, 90}, Case{85, 80, 90}, Case{-40, 80, 90}}) {
    EXPECT_EQ(ClampDivider(c.x, c.left), c.clamped) << c.x;
  }
}

TEST(WheelAccumulator, KeepsWhatIsLeftOfANotch) {
  struct Step {
    int delta, notches, pending;
  };
  WheelAccumulator wheel;
  for (Step s : {Step{60, 0, 60}, Step{60, 1, 0}, Step{200, 1, 80}, Step{40, 1, 0}, Step{-30, 0, -30},
                 Step{-330, -3, 0}, Step{360, 3, 0}}) {
    EXPECT_EQ(wheel.Add(s.delta), s.notches) << s.delta;
    EXPECT_EQ(wheel.Pending(), s.pending) << s.delta;
  }
}

TEST(ListGeometry, HorizontalOffsetLeavesNoSpaceRightOfTheContent) {
  struct Case {
    int offset, total, view, clamped;
  };
  for (Case c : {Case{30, 300, 200, 30}, Case{150, 300, 200, 100}, Case{-5, 300, 200, 0}, Case{50, 150, 200, 0}}) {
    EXPECT_EQ(ClampHorizontalOffset(c.offset, c.total, c.view), c.clamped);
  }
}

}  // namespace
