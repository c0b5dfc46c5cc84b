#include "platform/framework/tool_bar_layout.h"

#include <algorithm>

namespace framework::toolbar {

namespace {

bool hidden(const Button& b) { return (b.nStyle & TBBS_HIDDEN) != 0; }
int separator_width(const Button& b) { return std::max(0, b.iImage); }
// Lying across the bar, a separator is a gap as high as its width; one that holds a window (it has
// a command id) is only the usual gap there, as its window hides.
int across_height(const Button& b) { return b.nID != 0 ? kSeparatorWidth : separator_width(b); }
int width_of(const Button& b, CSize size) { return b.separator() ? separator_width(b) : int(size.cx); }

}  // namespace

Arrangement arrange(std::span<const Button> buttons, CSize size, Flow flow) {
  Arrangement out;
  out.rects.resize(buttons.size());
  std::vector<size_t> across;  // separators lying between rows: their width is the extent's
  int x = 0, y = 0, width = 0;
  bool row_open = false;
  for (size_t i = 0; i < buttons.size(); ++i) {
    const Button& b = buttons[i];
    if (hidden(b)) continue;
    bool ends_row = flow == Flow::column || (flow == Flow::wrapped && b.wrapped());
    if (b.separator() && ends_row) {
      // Across the bar below the row it ends (or, in a column, below the button before it).
      int top = row_open ? y + int(size.cy) : y;
      out.rects[i] = CRect(0, top, 0, top + across_height(b));
      across.push_back(i);
      y = top + across_height(b);
      x = 0;
      row_open = false;
      continue;
    }
    int w = width_of(b, size);
    out.rects[i] = CRect(x, y, x + w, y + int(size.cy));
    x += w;
    width = std::max(width, x);
    row_open = true;
    if (ends_row) {
      y += int(size.cy);
      x = 0;
      row_open = false;
    }
  }
  int height = row_open ? y + int(size.cy) : y;
  for (size_t i : across) out.rects[i].right = width;
  out.extent = CSize(width, height);
  return out;
}

void wrap(std::span<Button> buttons, CSize size, int width) {
  int x = 0;
  Button* previous = nullptr;
  for (Button& b : buttons) {
    b.nStyle &= ~TBBS_WRAPPED;
    if (hidden(b)) continue;
    int w = width_of(b, size);
    bool overflows = x > 0 && x + w > width;
    if (b.separator() && (overflows || (x == 0 && previous))) {
      // A separator that does not fit, or would start a row, becomes the line between the rows.
      b.nStyle |= TBBS_WRAPPED;
      x = 0;
      previous = &b;
      continue;
    }
    if (overflows) {
      // The row ends with the item before; a separator there is the line between the rows.
      previous->nStyle |= TBBS_WRAPPED;
      x = 0;
    }
    x += w;
    previous = &b;
  }
}

int width_for_height(std::span<const Button> buttons, CSize size, int height) {
  std::vector<Button> trial(buttons.begin(), buttons.end());
  auto height_at = [&](int width) {
    wrap(trial, size, width);
    return int(arrange(trial, size, Flow::wrapped).extent.cy);
  };
  // Wider rows are never higher, so the narrowest fitting width is found by halving.
  int widest = int(arrange(buttons, size, Flow::row).extent.cx);
  int low = std::min(int(size.cx), widest), high = widest;
  if (height_at(high) > height) return widest;
  while (low < high) {
    int mid = low + (high - low) / 2;
    if (height_at(mid) <= height) {
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  return high;
}

int hit_test(std::span<const Button> buttons, std::span<const CRect> rects, CPoint point) {
  for (size_t i = 0; i < buttons.size() && i < rects.size(); ++i) {
    if (buttons[i].separator() || hidden(buttons[i])) continue;
    if (rects[i].PtInRect(point)) return int(i);
  }
  return -1;
}

}  // namespace framework::toolbar
