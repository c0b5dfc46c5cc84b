#include "toolkit/widgets/tree_layout.h"

#include <algorithm>
#include <cstring>

namespace tree_layout {

int RoundUpEven(int value) { return value + (value & 1); }

bool RootColumn(DWORD style) { return (style & kLinesAtRoot) && (style & (kButtons | kLines)); }

int PartsLeft(int depth, int indent, DWORD style) {
  return indent * (depth - 1) + (RootColumn(style) ? indent : 0);
}

CellParts LeftParts(int depth, int indent, DWORD style, CSize state_image, CSize image) {
  CellParts parts;
  int x = PartsLeft(depth, indent, style);
  parts.state_icon.SetRect(x, 0, x, 0);
  if (state_image.cx > 0) {
    parts.state_icon.SetRect(x, 0, x + state_image.cx, state_image.cy);
    x = parts.state_icon.right;
  }
  parts.icon.SetRect(x, 0, x, 0);
  if (image.cx > 0) {
    parts.icon.SetRect(x, 0, x + image.cx, image.cy);
    x = parts.icon.right;
  }
  parts.text_left = x + kTextGap;
  return parts;
}

int RowHeight(int icon_height, int state_height, int label_height) {
  return RoundUpEven(std::max({icon_height, state_height, label_height, 0}));
}

int LineColumn(int cell_left, int depth, int indent, DWORD style, int image_width) {
  int x = cell_left + (depth - 2) * indent + (image_width > 0 ? image_width / 2 : kLineColumnNoImage);
  return RootColumn(style) ? x + indent : x;
}

int AlignEven(int value, int offset) { return value - (((value + offset) % 2) + 2) % 2; }

int ButtonSize(int icon_height) {
  if (icon_height <= 0) return kButtonSizeNoImage;
  return std::min(icon_height * 20 / 33, kButtonSizeMax);
}

CRect ButtonRect(CPoint centre, int size) {
  CRect r(centre.x - size / 2, centre.y - size / 2, 0, 0);
  r.right = r.left + size;
  r.bottom = r.top + size;
  if (size % 2 == 0) {
    ++r.right;
    ++r.bottom;
  }
  return r;
}

LabelSplit SplitLabel(const CString& text) {
  LabelSplit result;
  int at = text.Find(kHangingIndentMarker);
  if (at < 0) return result;
  result.split = true;
  result.head = text.Left(at + 1);
  result.tail = text.Mid(at + int(std::strlen(kHangingIndentMarker)));
  return result;
}

}  // namespace tree_layout
