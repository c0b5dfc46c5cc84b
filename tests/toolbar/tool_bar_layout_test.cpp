// Where toolbar buttons go: one row, one column, and rows wrapped to a width (separators between
// rows lying across), the narrowest width for a height, and hitting buttons but not separators.
#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/tool_bar_layout.h"

namespace lumo::test {
namespace {

using framework::toolbar::Button;
using framework::toolbar::Flow;

const CSize kButton(20, 18);

// Buttons 1, 2, separator, 3, 4, 5 (separators 8 wide).
std::vector<Button> sample() {
  return {{1, TBBS_BUTTON, 0}, {2, TBBS_BUTTON, 1}, {0, TBBS_SEPARATOR, 8},
          {3, TBBS_BUTTON, 2}, {4, TBBS_BUTTON, 3}, {5, TBBS_BUTTON, 4}};
}

std::vector<bool> wraps(const std::vector<Button>& buttons) {
  std::vector<bool> out;
  for (const Button& b : buttons) out.push_back(b.wrapped());
  return out;
}

TEST(ToolBarLayout, RowAndColumn) {
  std::vector<Button> buttons = sample();
  buttons[1].nStyle |= TBBS_WRAPPED;  // a row ignores wraps
  auto row = framework::toolbar::arrange(buttons, kButton, Flow::row);
  EXPECT_EQ(row.rects[0], CRect(0, 0, 20, 18));
  EXPECT_EQ(row.rects[2], CRect(40, 0, 48, 18));
  EXPECT_EQ(row.rects[3], CRect(48, 0, 68, 18));
  EXPECT_EQ(row.extent, CSize(108, 18));

  auto column = framework::toolbar::arrange(buttons, kButton, Flow::column);
  EXPECT_EQ(column.rects[1], CRect(0, 18, 20, 36));
  // The separator lies across the column below the button before it.
  EXPECT_EQ(column.rects[2], CRect(0, 36, 20, 44));
  EXPECT_EQ(column.rects[3], CRect(0, 44, 20, 62));
  EXPECT_EQ(column.extent, CSize(20, 98));
}

TEST(ToolBarLayout, WrappingToAWidth) {
  struct Case {
    int width;
    std::vector<bool> wrapped;
    CSize extent;
  };
  const Case cases[] = {
      // Everything fits: one row.
      {200, {false, false, false, false, false, false}, CSize(108, 18)},
      // 1 2 | 3 4 5: the separator becomes the line between the rows.
      {60, {false, false, true, false, false, false}, CSize(60, 44)},
      // 1 2 | 3 4 / 5: a row ends at a button where no separator is.
      {45, {false, false, true, false, true, false}, CSize(40, 62)},
      // Narrower than a button: one button a row, the separator still a line.
      {5, {true, false, true, true, true, false}, CSize(20, 98)},
  };
  for (const Case& c : cases) {
    std::vector<Button> buttons = sample();
    framework::toolbar::wrap(buttons, kButton, c.width);
    EXPECT_EQ(wraps(buttons), c.wrapped) << c.width;
    auto placed = framework::toolbar::arrange(buttons, kButton, Flow::wrapped);
    EXPECT_EQ(placed.extent, c.extent) << c.width;
  }
  // The line between rows spans the bar.
  std::vector<Button> buttons = sample();
  framework::toolbar::wrap(buttons, kButton, 60);
  auto placed = framework::toolbar::arrange(buttons, kButton, Flow::wrapped);
  EXPECT_EQ(placed.rects[2], CRect(0, 18, 60, 26));
  EXPECT_EQ(placed.rects[3], CRect(0, 26, 20, 44));
}

TEST(ToolBarLayout, NarrowestWidthForAHeight) {
  std::vector<Button> buttons = sample();
  // Two rows of buttons with the line between them are 44 high: 1 2 | 3 4 5 needs 60.
  EXPECT_EQ(framework::toolbar::width_for_height(buttons, kButton, 44), 60);
  EXPECT_EQ(framework::toolbar::width_for_height(buttons, kButton, 1000), 20);
  // Lower than one row: the row's width.
  EXPECT_EQ(framework::toolbar::width_for_height(buttons, kButton, 5), 108);
  EXPECT_EQ(framework::toolbar::width_for_height({}, kButton, 5), 0);
}

TEST(ToolBarLayout, HiddenButtonsTakeNoRoomAndHitsMissSeparators) {
  std::vector<Button> buttons = sample();
  buttons[0].nStyle |= TBBS_HIDDEN;
  auto row = framework::toolbar::arrange(buttons, kButton, Flow::row);
  EXPECT_TRUE(row.rects[0].IsRectEmpty());
  EXPECT_EQ(row.rects[1], CRect(0, 0, 20, 18));
  EXPECT_EQ(framework::toolbar::hit_test(buttons, row.rects, CPoint(5, 5)), 1);
  EXPECT_EQ(framework::toolbar::hit_test(buttons, row.rects, CPoint(22, 5)), -1);  // the separator
  EXPECT_EQ(framework::toolbar::hit_test(buttons, row.rects, CPoint(30, 5)), 3);
  EXPECT_EQ(framework::toolbar::hit_test(buttons, row.rects, CPoint(30, 18)), -1);
}

}  // namespace
}  // namespace lumo::test
