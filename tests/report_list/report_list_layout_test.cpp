#include "controls/report_list_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using report_list::column_at;
using report_list::highlight_marks;
using report_list::stretched_last_width;

TEST(ReportListLayout, LastColumnTakesWhatTheOthersLeave) {
  struct Case {
    int total;
    std::vector<int> widths;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {400, {100, 50}, 300},           // the second column fills the list
      {400, {100, 200, 10}, 100},      // only the columns before the last count
      {110, {100, 50}, std::nullopt},  // 10 pixels left: unchanged
      {111, {100, 50}, 11},
      {50, {100, 50}, std::nullopt},   // nothing left
      {400, {}, std::nullopt},
      {400, {80}, 400},                // a single column is the last
  };
  for (const Case& c : cases) EXPECT_EQ(stretched_last_width(c.total, c.widths), c.expected) << c.total;
}

TEST(ReportListLayout, ColumnUnderAPointIncludesBothEdges) {
  const std::vector<int> widths{100, 50, 30};
  const std::pair<int, int> cases[] = {{-1, -1}, {0, 0}, {99, 0}, {100, 0}, {101, 1}, {150, 1}, {151, 2}, {180, 2}, {181, -1}};
  for (auto [x, column] : cases) EXPECT_EQ(column_at(widths, x), column) << x;
}

TEST(ReportListLayout, HighlightMarksRowsContainingTheTextWithCase) {
  EXPECT_TRUE(highlight_marks(true, "ab", "xaby"));
  EXPECT_FALSE(highlight_marks(true, "ab", "xAby"));
  EXPECT_FALSE(highlight_marks(false, "ab", "xaby"));
  EXPECT_FALSE(highlight_marks(true, "ab", ""));
  // An empty highlight text is contained in every text, but marks nothing.
  EXPECT_FALSE(highlight_marks(true, "", "xaby"));
}

TEST(ReportListLayout, TipIsAtLeast500WideShiftedByTheOffsetAndKeptOnScreen) {
  // A narrow cell: 500 pixels of layout, the left edge moved by offset - 1, 7 more on the right.
  CRect tip = report_list::tip_rect(CRect(100, 40, 200, 57), 30, 6, 1024);
  EXPECT_EQ(tip, CRect(105, 40, 607, 72));
  // Past the right edge of the screen: moved left by the excess.
  tip = report_list::tip_rect(CRect(700, 40, 800, 57), 15, 6, 1024);
  EXPECT_EQ(tip.right, 1024);
  EXPECT_EQ(tip.Width(), 502);
  // Starting left of the screen: moved right.
  tip = report_list::tip_rect(CRect(-50, 0, 650, 17), 15, 1, -1 + 2000);
  EXPECT_EQ(tip.left, 0);
  EXPECT_EQ(tip.Width(), 707);
  // The hover area spans the tip and the cell, one pixel wider on each side, as high as the cell.
  EXPECT_EQ(report_list::hover_rect(CRect(105, 40, 607, 72), CRect(100, 40, 200, 57)), CRect(-1, 0, 503, 19));
}

}  // namespace
