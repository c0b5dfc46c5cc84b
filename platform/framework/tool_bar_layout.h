// Where the buttons of a toolbar go: plain functions over the button table, so the bar's window
// only paints and hit-tests what these compute.
//
// A button is `size` big; a separator is as wide as its `iImage` says (and, lying between two
// rows, as high). A button or separator with TBBS_WRAPPED ends its row. Three flows:
//   - row: everything in one row, wraps ignored (a bar docked along a top or bottom edge);
//   - column: every item in a row of its own, separators as gaps across (docked left or right);
//   - wrapped: rows as the TBBS_WRAPPED bits say (a floating bar).
// A separator that ends a row (wrapped) lies across the bar between that row and the next.
#pragma once

#include <span>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

// Button styles (low word) and states (high word), as the button table keeps them.
constexpr UINT TBBS_BUTTON = 0x00000000;
constexpr UINT TBBS_SEPARATOR = 0x00000001;
constexpr UINT TBBS_CHECKBOX = 0x00000002;
constexpr UINT TBBS_GROUP = 0x00000004;
constexpr UINT TBBS_CHECKGROUP = TBBS_GROUP | TBBS_CHECKBOX;
constexpr UINT TBBS_CHECKED = 0x00010000;
constexpr UINT TBBS_PRESSED = 0x00020000;
constexpr UINT TBBS_DISABLED = 0x00040000;
constexpr UINT TBBS_HIDDEN = 0x00080000;
constexpr UINT TBBS_INDETERMINATE = 0x00100000;
constexpr UINT TBBS_WRAPPED = 0x00200000;

namespace framework::toolbar {

// The width of a separator made from ID_SEPARATOR.
constexpr int kSeparatorWidth = 8;

// One entry of a toolbar: its command, style and state bits, and its image in the strip (for a
// separator: its width).
struct Button {
  UINT nID = 0;
  UINT nStyle = TBBS_BUTTON;
  int iImage = 0;

  bool separator() const { return (nStyle & TBBS_SEPARATOR) != 0; }
  bool wrapped() const { return (nStyle & TBBS_WRAPPED) != 0; }
};

enum class Flow { row, column, wrapped };

struct Arrangement {
  std::vector<CRect> rects;  // one per button, from (0, 0); hidden buttons get an empty rectangle
  CSize extent;              // the rectangle all of them take
};

// Places the buttons; separators lying between rows span the whole extent.
Arrangement arrange(std::span<const Button> buttons, CSize size, Flow flow);

// Sets TBBS_WRAPPED so that no row is wider than `width` (a row takes at least one item).
void wrap(std::span<Button> buttons, CSize size, int width);

// The narrowest width whose wrapped rows are at most `height` high; the width of one row when no
// width is low enough.
int width_for_height(std::span<const Button> buttons, CSize size, int height);

// The index of the button (not a separator or hidden one) whose rectangle holds `point`, or -1.
int hit_test(std::span<const Button> buttons, std::span<const CRect> rects, CPoint point);

}  // namespace framework::toolbar
