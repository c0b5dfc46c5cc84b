#include "toolkit/widgets/list_geometry.h"

#include <algorithm>
#include <cstdlib>

int ListGeometry::SumRowHeights(int from, int to, bool inclusive) const {
  if (from > to) return -SumRowHeights(to, from, inclusive);
  int end = std::min(inclusive ? to + 1 : to, rows_);
  int sum = 0;
  for (int r = std::max(from, 0); r < end; ++r) sum += height_(r);
  return sum;
}

int ListGeometry::RowsInHeight(int height, int from, bool forward) const {
  int n = 0;
  for (int r = from; r >= 0 && r < rows_; r += forward ? 1 : -1) {
    height -= height_(r);
    if (height < 0) break;
    ++n;
  }
  return n;
}

int ListGeometry::LastFitting(int top) const { return top + RowsInHeight(view_height_, top, true) - 1; }

int ListGeometry::CountPerPage(int top) const {
  if (rows_ <= 0) return 0;
  int n = RowsInHeight(view_height_, top, true);
  if (top + n >= rows_) {
    int used = SumRowHeights(top, rows_, false);
    n += RowsInHeight(view_height_ - used, top - 1, false);
  }
  return std::max(n, 1);
}

int ListGeometry::RowsAboveTop(int top) const { return RowsInHeight(view_height_, top - 1, false); }

int ListGeometry::LastPageTop() const {
  if (rows_ <= 0) return 0;
  return std::max(0, rows_ - std::max(1, RowsInHeight(view_height_, rows_ - 1, false)));
}

int ListGeometry::PreviousPageTop(int top) const { return std::max(0, top - std::max(1, RowsAboveTop(top))); }

int ListGeometry::RowFromOffset(int top, int y) const {
  if (y < 0) return -1;
  for (int r = std::max(top, 0); r < rows_; ++r) {
    y -= height_(r);
    if (y < 0) return r;
  }
  return -1;
}

int ListGeometry::ClampTop(int top) const { return std::clamp(top, 0, std::max(rows_ - 1, 0)); }

ListHit ListHitTest(const ListGeometry& rows, const ListHitLayout& layout, CPoint p) {
  ListHit hit;
  const CRect& c = layout.client;
  if (p.y < c.top) hit.flags |= LVHT_ABOVE;
  if (p.y >= c.bottom) hit.flags |= LVHT_BELOW;
  if (p.x < c.left) hit.flags |= LVHT_TOLEFT;
  if (p.x >= c.right) hit.flags |= LVHT_TORIGHT;
  if (hit.flags) return hit;

  const auto& widths = layout.column_widths;
  int x = p.x + layout.offset;  // content coordinates
  if (widths.size() < 2) {
    hit.column = 0;
  } else {
    int right = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
      right += widths[i];
      if (right > x) {
        hit.column = int(i);
        break;
      }
    }
  }

  if (p.y < layout.view.top) {  // the header band
    int right = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
      int left = right;
      right += widths[i];
      if (std::abs(x - right) <= 4) {
        hit.flags = LVHT_ONDIVIDER;
        hit.index = hit.column = int(i);
        return hit;
      }
      if (x >= left && x < right) {
        hit.flags = LVHT_ONHEADER;
        hit.index = hit.column = int(i);
        return hit;
      }
    }
    hit.flags = LVHT_NOWHERE;
    return hit;
  }

  int row = rows.RowFromOffset(layout.top, p.y - layout.view.top);
  if (row < 0) {
    hit.flags = LVHT_NOWHERE;
    return hit;
  }
  hit.index = row;
  hit.flags = LVHT_ONROW;
  if (hit.column == 0) {
    ListRowParts parts = layout.parts ? layout.parts(row) : ListRowParts{};
    int row_top = layout.view.top + rows.SumRowHeights(layout.top, row, false);
    CPoint in_row(x, p.y - row_top);
    if (parts.label.PtInRect(in_row)) hit.flags |= LVHT_ONITEMLABEL;
    else if (parts.icon.PtInRect(in_row)) hit.flags |= LVHT_ONITEMICON;
    else if (parts.state_icon.PtInRect(in_row)) hit.flags |= LVHT_ONITEMSTATEICON;
    else hit.flags |= x < parts.label.left ? LVHT_LEFTOFLABEL : LVHT_RIGHTOFLABEL;
  }
  return hit;
}

int ClampDivider(int x, int column_left) { return std::max(x, column_left + 10); }

int WheelAccumulator::Add(int delta) {
  sum_ += delta;
  int notches = sum_ / 120;
  sum_ -= notches * 120;
  return notches;
}

int ClampHorizontalOffset(int offset, int total_width, int view_width) {
  return std::clamp(offset, 0, std::max(0, total_width - view_width));
}
