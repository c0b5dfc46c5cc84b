// Where the parts of a report-style list lie: rows below the header, scrolled by whole rows; the
// first column holds the state image, the icon and the label; hit-testing a point. Plain functions
// over plain values, so that the list's window only gathers the values and asks.
#pragma once

#include <functional>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/controls/list_ctrl.h"

namespace controls {

struct ListLayout {
  CRect client;                    // the list's client area
  int header_height = 0;           // rows start below it
  int top = 0;                     // the first row shown
  int item_count = 0;
  std::vector<int> column_widths;  // by column; empty: one column as wide as the client area
  int state_width = 0;             // a state image's room (0 without state images)
  int icon_width = 0;              // a small icon's width (0 without small icons)
  bool full_row_select = false;    // the whole row stands for the item
  std::function<int(int)> indent;  // an item's indent in icon widths; null: none
};

// The parts of an item's row: the whole row, and in the first column the state image, the icon and
// the label (the rest of the column).
struct ListRowParts {
  CRect bounds, state, icon, label;
};

// Rows that fit wholly below the header (at least 1), and the largest first row that still fills
// the list.
int ListRowsPerPage(const ListLayout& layout);
int ListMaxTop(const ListLayout& layout);
int ListColumnLeft(const ListLayout& layout, int column);
// The width of all columns, or the client area's without columns.
int ListRowWidth(const ListLayout& layout);
ListRowParts ListRowPartsOf(const ListLayout& layout, int item);
// The rectangle of one part (LVIR_) of a sub-item; sub-item 0 is the item itself. False for an item
// or column that does not exist or an unknown part.
bool ListSubItemRect(const ListLayout& layout, int item, int column, UINT code, RECT* out);
// Where a point lies: the item, the column and the LVHT_ flags.
LVHITTESTINFO ListHitTest(const ListLayout& layout, POINT pt);

}  // namespace controls
