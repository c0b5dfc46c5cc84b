// The list control's geometry as plain arithmetic over row heights and column widths: which rows
// fit in the view, page tops, the row under a point, hit flags, the divider clamp and the wheel.
// Rows are separated by no spacing; heights come from a function so that the window can measure
// rows lazily while tests give a table.
#pragma once

#include <functional>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/controls/list_ctrl.h"

// Hit flags beyond the platform's list-view ones.
constexpr UINT LVHT_ONDIVIDER = 0x0800;     // within 4 pixels of a column's right edge in the header
constexpr UINT LVHT_ONHEADER = 0x1000;      // on a header cell
constexpr UINT LVHT_ONROW = 0x2000;         // on a row
constexpr UINT LVHT_LEFTOFLABEL = 0x4000;   // first column, left of the label
constexpr UINT LVHT_RIGHTOFLABEL = 0x8000;  // first column, right of the label

class ListGeometry {
 public:
  using HeightFn = std::function<int(int row)>;
  ListGeometry(int rows, int view_height, HeightFn height)
      : rows_(rows), view_height_(view_height), height_(std::move(height)) {}

  int Rows() const { return rows_; }
  int ViewHeight() const { return view_height_; }
  int Height(int row) const { return height_(row); }

  // The heights of rows `from` up to `to` (and `to` itself when inclusive); negative when from > to.
  int SumRowHeights(int from, int to, bool inclusive) const;
  // How many whole rows from `from`, going forward or back, fit in `height`.
  int RowsInHeight(int height, int from, bool forward) const;
  // The last row that fits from `top` (top - 1 when not even `top` fits) and the one after it.
  int LastFitting(int top) const;
  int FirstNotFitting(int top) const { return LastFitting(top) + 1; }
  // Rows that fit from `top`, completed with rows above it when the list ends first; at least 1
  // while there are rows, so that paging always moves.
  int CountPerPage(int top) const;
  // Rows that fit above `top`.
  int RowsAboveTop(int top) const;
  // The top row that shows the last row at the bottom of the view.
  int LastPageTop() const;
  // The top row one page up from `top`.
  int PreviousPageTop(int top) const;
  // The row at `y` pixels below the view top with `top` first; -1 below the last row.
  int RowFromOffset(int top, int y) const;
  // The top row after scrolling `n` rows (clamped to the rows there are).
  int ClampTop(int top) const;

 private:
  int rows_;
  int view_height_;
  HeightFn height_;
};

// The parts of a row, relative to the first column's cell (x) and the row's top (y).
struct ListRowParts {
  CRect icon, label, state_icon;
};

// What hit-testing needs to know of the window.
struct ListHitLayout {
  CRect client;
  CRect view;                      // the client area below the header, less the scroll bars
  std::vector<int> column_widths;  // in display order
  int offset = 0;                  // pixels scrolled to the left
  int top = 0;
  std::function<ListRowParts(int row)> parts;
};

struct ListHit {
  int index = -1;  // a row, a column (header) or -1
  UINT flags = 0;
  int column = -1;
};

ListHit ListHitTest(const ListGeometry& rows, const ListHitLayout& layout, CPoint point);

// Where a dragged column divider may go: never closer than 10 pixels to the column's left edge.
int ClampDivider(int x, int column_left);

// Sums wheel deltas and hands out whole notches of 120, keeping the remainder for the next turn.
class WheelAccumulator {
 public:
  // Adds a delta; returns the whole notches now complete (positive up).
  int Add(int delta);
  int Pending() const { return sum_; }
  void Reset() { sum_ = 0; }

 private:
  int sum_ = 0;
};

// The horizontal offset kept between 0 and what leaves no space right of the content.
int ClampHorizontalOffset(int offset, int total_width, int view_width);
