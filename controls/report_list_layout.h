// The geometry and rules of the report list and its title tip as plain functions over plain
// data: which column a point falls in, how wide the last column grows, which rows are marked,
// whether a cell's text fits, and where the tip goes on the screen.
#pragma once

#include <optional>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"

namespace report_list {

// The last column keeps its width unless more than this many pixels are left for it.
constexpr int kMinStretch = 10;
// A title tip is at least this wide, so that long texts wrap into a readable block.
constexpr int kMinTipWidth = 500;
// Room between a cell's edge and its text in the tip.
constexpr int kCellTipOffset = 6;
constexpr int kLabelTipExtra = 3;

// The new width of the last column when `total` pixels are to be filled by columns of `widths`
// (the last column's own width is not counted); none when 10 pixels or fewer would remain.
std::optional<int> stretched_last_width(int total, const std::vector<int>& widths);

// The column whose span holds `x` (columns side by side from 0, both ends of a span included,
// the first match winning); -1 when none does.
int column_at(const std::vector<int>& widths, int x);

// Whether a row whose column 1 reads `text` is marked: the switch is on and the text contains
// the highlight text, compared with case. An empty highlight text marks nothing.
bool highlight_marks(bool on, const CString& highlight, const CString& text);

// Whether a text `text_width` wide fits into a cell `cell_width` wide with `offset` on both sides.
inline bool text_fits(int cell_width, int offset, int text_width) { return cell_width - 2 * offset >= text_width; }

// The tip's rectangle over a cell (screen coordinates) for a text `text_height` high when laid
// out at least 500 pixels wide, shifted by `offset`, kept inside a screen `screen_width` wide.
CRect tip_rect(const CRect& cell, int text_height, int offset, int screen_width);

// The width the tip's text is laid out in, before it is measured.
inline int tip_layout_width(const CRect& cell) { return cell.Width() < kMinTipWidth ? kMinTipWidth : cell.Width(); }

// The rectangle, in the tip's client coordinates, within which the mouse keeps the tip shown.
CRect hover_rect(const CRect& tip, const CRect& cell);

}  // namespace report_list
