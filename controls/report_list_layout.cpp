#include "controls/report_list_layout.h"

#include <algorithm>
#include <cstring>

namespace report_list {

std::optional<int> stretched_last_width(int total, const std::vector<int>& widths) {
  if (widths.empty()) return std::nullopt;
  int rest = total;
  for (size_t c = 0; c + 1 < widths.size(); ++c) rest -= widths[c];
  if (rest <= kMinStretch) return std::nullopt;
  return int(short(rest));
}

int column_at(const std::vector<int>& widths, int x) {
  int left = 0;
  for (size_t c = 0; c < widths.size(); ++c) {
    int right = left + widths[c];
    if (x >= left && x <= right) return int(c);
    left = right;
  }
  return -1;
}

bool highlight_marks(bool on, const CString& highlight, const CString& text) {
  if (!on || highlight.IsEmpty()) return false;
  return std::strstr(text.GetString(), highlight.GetString()) != nullptr;
}

CRect tip_rect(const CRect& cell, int text_height, int offset, int screen_width) {
  CRect r(cell.left, cell.top, cell.left + tip_layout_width(cell), cell.top + text_height);
  r.left += offset - 1;
  r.bottom += 2;
  r.right += 7;
  if (r.right > screen_width) {
    r.OffsetRect(screen_width - r.right, 0);
  } else if (r.left < 0) {
    r.OffsetRect(-r.left, 0);
  }
  return r;
}

CRect hover_rect(const CRect& tip, const CRect& cell) {
  // Client coordinates of the tip: its own left edge is 0.
  return CRect(-1, 0, std::max(tip.right, cell.right) - tip.left + 1, cell.Height() + 2);
}

}  // namespace report_list
