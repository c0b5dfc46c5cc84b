// The customizable toolbar's geometry as plain functions over plain data: breaking the buttons
// into rows for a width or a height, evening the rows out, placing the buttons, and where a
// dragged button dropped on a bar goes.
#pragma once

#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

namespace toolbar_layout {

// What the layout knows of a button.
struct Item {
  int cx = 0;
  int cy = 0;
  bool separator = false;
  bool vcenter = false;  // centred vertically in a taller row
};

// One row: its last button, whether it ends at a separator that its width leaves out, its width
// and height.
struct Row {
  int last = 0;
  bool wrapAtSep = false;
  int cx = 0;
  int cy = 0;
};

// The room a row that ended at a separator leaves below it: two thirds of the separator width.
inline int SeparatorGap(int nSepWidth) { return nSepWidth * 2 / 3; }

// Breaks the buttons into rows no wider than `width` (2 pixels of slack): a row ends at the last
// separator before the button that does not fit, else before that button; a button wider than a
// row has a row of its own.
std::vector<Row> Wrap(const std::vector<Item>& items, int width);
// Widths and heights of rows whose `last` and `wrapAtSep` are set.
void MeasureRows(const std::vector<Item>& items, std::vector<Row>& rows);
// The widest row by the rows' heights (with the gap under rows that ended at a separator).
CSize CalcSize(const std::vector<Row>& rows, int nSepWidth);
// Evens the rows out: the widest row hands its last group (or last button) down while that
// makes the bar narrower.
void BalanceRows(const std::vector<Item>& items, std::vector<Row>& rows);
// Rows for `length`: a width when horizontal, a height when vertical, where the narrowest width
// whose rows fit the height is sought a button at a time. Balanced.
std::vector<Row> WrapLayout(const std::vector<Item>& items, int length, bool vertical, int nImgWidth, int nImgHeight);
// Top-left corners of the buttons placed row by row from `origin`.
std::vector<CPoint> Place(const std::vector<Item>& items, const std::vector<Row>& rows, CPoint origin,
                          int nSepWidth);

// --- Dropping a dragged button -------------------------------------------------------------------

// What the drop logic knows of a button of the target bar.
struct DropItem {
  CRect rect;
  bool separator = false;
  bool wrapped = false;  // the last of its row
};

struct DropPlan {
  enum Kind {
    nothing,
    removeSeparator,  // at `index`
    insertSeparator,  // at `index`
    insertButton,     // the dragged command at `index`
  };
  Kind kind = nothing;
  int index = 0;
  // insertButton: a separator at this index of the bar as it stands (-1 none) lies inside the
  // drop and goes.
  int separatorToRemove = -1;
  // insertButton: a separator goes between the button and the rest (a drop wholly above or
  // below the bar).
  bool separatorBefore = false;
  bool separatorAfter = false;
};

// Where a button dropped at `drop` (the target's client coordinates) goes on a target whose
// buttons are `items` and whose client area is `client`. `selected` is the dragged button's index
// when it lies on this bar and the drag moves it, else -1.
DropPlan PlanDrop(const std::vector<DropItem>& items, const CRect& drop, const CRect& client, int selected,
                  int nSepWidth);

// After removing a button at `from` (the bar as it stood), the index `to` names; -1 when the drop
// puts the button back where it was.
int IndexAfterRemoval(int to, int from);

}  // namespace toolbar_layout
