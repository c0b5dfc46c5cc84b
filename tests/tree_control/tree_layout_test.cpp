// The tree row's geometry as tables: where the parts start at a depth, the line column, even
// alignment, the expand button, the label split; and the sub-item text map.
#include <gtest/gtest.h>

#include "platform/controls/tree_view.h"
#include "toolkit/widgets/tree_layout.h"
#include "toolkit/widgets/tree_sub_item_map.h"

namespace {

using namespace tree_layout;

constexpr DWORD kAll = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

TEST(TreeLayout, PartsStartOneIndentPerLevelAndOneMoreWithARootColumn) {
  struct Case {
    int depth, indent;
    DWORD style;
    int left;
  } cases[] = {
      {1, 20, 0, 0},
      {2, 20, 0, 20},
      {3, 20, TVS_HASLINES, 40},
      {1, 20, kAll, 20},
      {3, 16, kAll, 48},
      {1, 20, TVS_LINESATROOT, 0},                   // lines at root alone make no column
      {2, 20, TVS_LINESATROOT | TVS_HASBUTTONS, 40},  // buttons are enough
  };
  for (const Case& c : cases) EXPECT_EQ(PartsLeft(c.depth, c.indent, c.style), c.left) << c.depth << " " << c.style;
}

TEST(TreeLayout, StateImageImageAndTextFollowEachOther) {
  struct Case {
    CSize state, image;
    CRect state_icon, icon;
    int text_left;
  } cases[] = {
      {{0, 0}, {0, 0}, {20, 0, 20, 0}, {20, 0, 20, 0}, 26},
      {{0, 0}, {16, 16}, {20, 0, 20, 0}, {20, 0, 36, 16}, 42},
      {{12, 12}, {0, 0}, {20, 0, 32, 12}, {32, 0, 32, 0}, 38},
      {{12, 12}, {16, 16}, {20, 0, 32, 12}, {32, 0, 48, 16}, 54},
  };
  for (const Case& c : cases) {
    CellParts parts = LeftParts(2, 20, 0, c.state, c.image);
    EXPECT_EQ(parts.state_icon, c.state_icon);
    EXPECT_EQ(parts.icon, c.icon);
    EXPECT_EQ(parts.text_left, c.text_left);
  }
}

TEST(TreeLayout, RowsAreAsHighAsTheirTallestPartRoundedUpToEven) {
  EXPECT_EQ(RowHeight(16, 0, 17), 18);
  EXPECT_EQ(RowHeight(16, 13, 15), 16);
  EXPECT_EQ(RowHeight(0, 0, 15), 16);
  EXPECT_EQ(RowHeight(0, 0, 0), 0);
}

TEST(TreeLayout, LineColumnsLieUnderTheParentsImageMiddle) {
  struct Case {
    int cell_left, depth, indent;
    DWORD style;
    int image_width, x;
  } cases[] = {
      {0, 2, 20, TVS_HASLINES, 16, 8},     // under the top-level item's image
      {0, 3, 20, TVS_HASLINES, 16, 28},
      {0, 2, 20, TVS_HASLINES, 0, 8},      // without images 8 pixels in
      {0, 1, 20, TVS_HASLINES, 16, -12},   // a top-level item's column lies outside the cell
      {0, 1, 20, kAll, 16, 8},             // unless lines go to the root
      {-30, 2, 20, kAll, 20, 0},           // scrolled: the cell starts left of the view
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LineColumn(c.cell_left, c.depth, c.indent, c.style, c.image_width), c.x) << c.depth << " " << c.style;
  }
}

TEST(TreeLayout, AlignmentIsEvenRelativeToTheScrollOffset) {
  struct Case {
    int value, offset, aligned;
  } cases[] = {{8, 0, 8}, {9, 0, 8}, {9, 1, 9}, {8, 15, 7}, {-3, 0, -4}, {-3, 1, -3}, {0, -1, -1}};
  for (const Case& c : cases) EXPECT_EQ(AlignEven(c.value, c.offset), c.aligned) << c.value << " " << c.offset;
}

TEST(TreeLayout, ButtonsAreSizedFromTheIconAndOddSized) {
  struct Case {
    int icon_height, size, drawn;
  } cases[] = {{0, 8, 9}, {16, 9, 9}, {20, 12, 13}, {32, 15, 15}, {48, 15, 15}};
  for (const Case& c : cases) {
    int size = ButtonSize(c.icon_height);
    EXPECT_EQ(size, c.size) << c.icon_height;
    CRect box = ButtonRect(CPoint(50, 40), size);
    EXPECT_EQ(box.Width(), c.drawn);
    EXPECT_EQ(box.Height(), c.drawn);
    EXPECT_EQ(box.left + box.Width() / 2, 50);  // the centre pixel is the line column
    EXPECT_EQ(box.top + box.Height() / 2, 40);
  }
}

TEST(TreeLayout, LabelsSplitAtTheHangingIndentMarker) {
  struct Case {
    const char* text;
    bool split;
    const char* head;
    const char* tail;
  } cases[] = {
      {"Art. 1.\\{HI}Ustawa wchodzi w życie", true, "Art. 1.\\", "Ustawa wchodzi w życie"},
      {"\\{HI}", true, "\\", ""},
      {"Bez znacznika", false, "", ""},
      {"\\{H} niepełny", false, "", ""},
      {"a\\{HI}b\\{HI}c", true, "a\\", "b\\{HI}c"},
  };
  for (const Case& c : cases) {
    LabelSplit s = SplitLabel(c.text);
    EXPECT_EQ(s.split, c.split) << c.text;
    EXPECT_EQ(s.head.str(), c.head);
    EXPECT_EQ(s.tail.str(), c.tail);
  }
}

TEST(SubItemTextMap, UnknownNodesAndSubItemsReadEmpty) {
  SubItemTextMap map;
  int a = 0, b = 0;
  CString text("x");
  EXPECT_FALSE(map.Lookup(&a, 1, &text));
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_TRUE(map.Set(&a, 3, "1997"));
  EXPECT_FALSE(map.Set(&a, 0, "label"));
  EXPECT_EQ(map.Get(&a, 3).str(), "1997");
  EXPECT_TRUE(map.Get(&a, 1).IsEmpty());  // the array grew with empty texts
  EXPECT_TRUE(map.Lookup(&a, 1, &text));
  EXPECT_FALSE(map.Lookup(&a, 4, &text));
  EXPECT_TRUE(map.Get(&b, 3).IsEmpty());
  map.Remove(&a);
  EXPECT_EQ(map.NodeCount(), 0u);
}

}  // namespace
