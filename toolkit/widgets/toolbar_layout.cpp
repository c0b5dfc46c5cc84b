#include "toolkit/widgets/toolbar_layout.h"

#include <algorithm>

namespace toolbar_layout {

namespace {

int First(const std::vector<Row>& rows, size_t r) { return r == 0 ? 0 : rows[r - 1].last + 1; }

int Width(const std::vector<Item>& items, int from, int to) {
  int w = 0;
  for (int i = from; i <= to; ++i) w += items[size_t(i)].cx;
  return w;
}

}  // namespace

void MeasureRows(const std::vector<Item>& items, std::vector<Row>& rows) {
  for (size_t r = 0; r < rows.size(); ++r) {
    Row& row = rows[r];
    const int first = First(rows, r);
    row.cx = Width(items, first, row.wrapAtSep ? row.last - 1 : row.last);
    row.cy = 0;
    for (int i = first; i <= row.last; ++i) row.cy = std::max(row.cy, items[size_t(i)].cy);
  }
}

std::vector<Row> Wrap(const std::vector<Item>& items, int width) {
  std::vector<Row> rows;
  const int n = int(items.size());
  int start = 0;
  int acc = 0;
  for (int i = 0; i < n;) {
    const int w = items[size_t(i)].cx;
    if (acc + w <= width + 2) {
      acc += w;
      ++i;
      continue;
    }
    if (i == start) {
      // Wider than any row: it stays, alone (with the separator after it, which ends its row).
      const bool sepNext = i + 1 < n && items[size_t(i + 1)].separator;
      rows.push_back({sepNext ? i + 1 : i, sepNext, 0, 0});
      start = i = sepNext ? i + 2 : i + 1;
      acc = 0;
      continue;
    }
    int sep = -1;
    for (int j = i; j > start; --j) {
      if (items[size_t(j)].separator) {
        sep = j;
        break;
      }
    }
    if (sep >= 0) {
      rows.push_back({sep, true, 0, 0});
      start = sep + 1;
      i = start;
    } else {
      rows.push_back({i - 1, false, 0, 0});
      start = i;
    }
    acc = 0;
  }
  if (start < n || rows.empty()) rows.push_back({std::max(n - 1, 0), false, 0, 0});
  if (n == 0) return {};
  MeasureRows(items, rows);
  return rows;
}

CSize CalcSize(const std::vector<Row>& rows, int nSepWidth) {
  CSize size(0, 0);
  for (const Row& row : rows) {
    size.cx = std::max(size.cx, row.cx);
    size.cy += row.cy + (row.wrapAtSep ? SeparatorGap(nSepWidth) : 0);
  }
  return size;
}

namespace {

// The width of the last group of row `r` that ended at a separator (the buttons after the
// previous separator inside the row, the breaking separator then counted), and where that
// previous separator lies; -1 when the row has none.
int LastGroup(const std::vector<Item>& items, const std::vector<Row>& rows, size_t r, int& width) {
  const int first = First(rows, r);
  for (int j = rows[r].last - 1; j > first; --j) {
    if (items[size_t(j)].separator) {
      width = Width(items, j + 1, rows[r].last);
      return j;
    }
  }
  return -1;
}

}  // namespace

void BalanceRows(const std::vector<Item>& items, std::vector<Row>& rows) {
  // Buttons only move down, and each move narrows the widest row, so this ends; the bound is a
  // guard.
  for (size_t guard = 0; guard < items.size() * rows.size() + 1; ++guard) {
    if (rows.size() < 2) return;
    size_t r = 0;
    for (size_t k = 1; k < rows.size(); ++k) {
      if (rows[k].cx >= rows[r].cx) r = k;
    }
    if (r + 1 >= rows.size()) return;
    Row& row = rows[r];
    const Row& next = rows[r + 1];
    if (row.wrapAtSep) {
      int group = 0;
      const int at = LastGroup(items, rows, r, group);
      if (at < 0) return;
      bool move = next.cx + group < row.cx;
      for (size_t k = r + 1; !move && k + 1 < rows.size(); ++k) {
        int following = 0;
        if (rows[k].wrapAtSep && LastGroup(items, rows, k, following) >= 0) {
          move = rows[k + 1].cx + following < row.cx;
        }
      }
      if (!move) return;
      row.last = at;
    } else {
      const int first = First(rows, r);
      if (row.last <= first) return;
      const int w = items[size_t(row.last)].cx;
      bool move = next.cx + w < row.cx;
      if (!move) {
        size_t f = r + 1;
        while (f + 1 < rows.size() && !rows[f].wrapAtSep) ++f;
        move = f != r + 1 && rows[f].cx + w <= row.cx;
      }
      if (!move) return;
      --row.last;
    }
    MeasureRows(items, rows);
  }
}

std::vector<Row> WrapLayout(const std::vector<Item>& items, int length, bool vertical, int nImgWidth,
                            int nImgHeight) {
  const int bw = nImgWidth + 7;
  const int bh = nImgHeight + 7;
  int narrowest = items.empty() ? bw : items[0].cx;
  int widest = items.empty() ? bw : items[0].cx;
  for (const Item& item : items) {
    narrowest = std::min(narrowest, item.cx);
    widest = std::max(widest, item.cx);
  }
  std::vector<Row> rows;
  if (vertical) {
    constexpr int kUnlimited = 0x7FFF;
    const int fit = bh > 0 ? length / bh : 0;
    int width = fit <= 0 ? kUnlimited : std::max(narrowest, int(items.size()) * bw / fit);
    rows = Wrap(items, width);
    int height = CalcSize(rows, 8).cy;
    if (height < length) {
      while (width - bw >= narrowest) {
        std::vector<Row> narrower = Wrap(items, width - bw);
        const int h = CalcSize(narrower, 8).cy;
        if (h > length) break;
        width -= bw;
        rows = std::move(narrower);
        if (h == length) break;
      }
    } else {
      while (height > length && rows.size() > 1 && width < kUnlimited) {
        width = std::min(width + bw, kUnlimited);
        rows = Wrap(items, width);
        height = CalcSize(rows, 8).cy;
      }
    }
  } else {
    rows = Wrap(items, std::max(length, widest));
  }
  BalanceRows(items, rows);
  return rows;
}

std::vector<CPoint> Place(const std::vector<Item>& items, const std::vector<Row>& rows, CPoint origin,
                          int nSepWidth) {
  std::vector<CPoint> at(items.size(), origin);
  int y = origin.y;
  for (size_t r = 0; r < rows.size(); ++r) {
    int x = origin.x;
    for (int i = First(rows, r); i <= rows[r].last && i < int(items.size()); ++i) {
      const Item& item = items[size_t(i)];
      const int drop = item.vcenter && item.cy < rows[r].cy ? (rows[r].cy - item.cy) / 2 : 0;
      at[size_t(i)] = CPoint(x, y + drop);
      x += item.cx;
    }
    y += rows[r].cy + (rows[r].wrapAtSep ? SeparatorGap(nSepWidth) : 0);
  }
  return at;
}

// --- Dropping --------------------------------------------------------------------------------------

DropPlan PlanDrop(const std::vector<DropItem>& items, const CRect& drop, const CRect& client, int selected,
                  int nSepWidth) {
  DropPlan plan;
  const int n = int(items.size());
  if (n == 0) {
    plan.kind = DropPlan::insertButton;
    return plan;
  }
  if (n == 1 && selected == 0) return plan;
  // Wholly above or below the bar: the button goes first or last, set apart by a separator.
  if (drop.bottom <= client.top || drop.top >= client.bottom) {
    const bool above = drop.bottom <= client.top;
    if (selected >= 0 && selected == (above ? 0 : n - 1)) return plan;
    plan.kind = DropPlan::insertButton;
    plan.index = above ? 0 : n;
    plan.separatorAfter = above && !items[0].separator;
    plan.separatorBefore = !above && !items[size_t(n - 1)].separator;
    return plan;
  }
  // The row in which the drop's vertical centre falls.
  const int centre = (drop.top + drop.bottom) / 2;
  int first = 0;
  int last = n - 1;
  int y = client.top;
  for (int start = 0, i = 0; i < n; ++i) {
    if (!items[size_t(i)].wrapped && i != n - 1) continue;
    int height = 0;
    for (int k = start; k <= i; ++k) height = std::max(height, items[size_t(k)].rect.Height());
    if (items[size_t(i)].wrapped && items[size_t(i)].separator) height += SeparatorGap(nSepWidth);
    first = start;
    last = i;
    if (centre < y + height) break;
    y += height;
    start = i + 1;
  }
  while (last > first && items[size_t(last)].separator) --last;

  // Nudged beside its own place: separators come and go instead.
  if (selected >= first && selected <= last) {
    const CRect& own = items[size_t(selected)].rect;
    const bool overLeft = drop.left < own.left && drop.right > own.left;
    const bool overRight = drop.left < own.right && drop.right > own.right;
    if (overLeft || overRight || drop.left == own.left) {
      const auto sep = [&](int i) { return i >= 0 && i < n && items[size_t(i)].separator; };
      if (overLeft && own.left - drop.left >= 2) {
        if (sep(selected - 1)) {
          plan = {DropPlan::removeSeparator, selected - 1};
        } else if (selected + 1 < n && !sep(selected + 1)) {
          plan = {DropPlan::insertSeparator, selected + 1};
        }
      } else if (overRight && drop.left - own.left >= 2) {
        if (sep(selected + 1) && (selected == 0 || sep(selected - 1))) {
          plan = {DropPlan::removeSeparator, selected + 1};
        } else if (!sep(selected - 1)) {
          plan = {DropPlan::insertSeparator, selected};
        }
      }
      return plan;
    }
  }

  // One past the button under the drop's left edge.
  plan.kind = DropPlan::insertButton;
  plan.index = first;
  for (int i = first; i <= last; ++i) {
    if (drop.left >= items[size_t(i)].rect.left) plan.index = i + 1;
  }
  if (drop.left < client.left) plan.index = first;
  const int at = plan.index;
  if (at < n && items[size_t(at)].separator && !items[size_t(at)].wrapped &&
      items[size_t(at)].rect.left > drop.left && items[size_t(at)].rect.right < drop.right) {
    plan.separatorToRemove = at;
  }
  return plan;
}

int IndexAfterRemoval(int to, int from) {
  if (to == from || to == from + 1) return -1;
  return to > from ? to - 1 : to;
}

}  // namespace toolbar_layout
