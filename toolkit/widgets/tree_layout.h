// The geometry of a tree row's first cell as plain arithmetic: where the state image, the image
// and the label start at a depth, the line column and the expand button, the even alignment that
// keeps dotted lines joined while scrolling, and the split of a label at the hanging-indent marker.
// Rectangles are relative to the cell (x) and the row top (y) unless said otherwise.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

// The toolkit's extended tree styles.
constexpr DWORD TVXS_MULTISELECT = 0x00100000;  // several items may be selected
constexpr DWORD TVXS_LABELWRAP = 0x00200000;    // labels wrap (and split at the marker)
constexpr DWORD TVXS_HEADER = 0x00400000;       // the column header is shown
constexpr DWORD TVXS_ITEMTIPS = 0x00800000;     // tips over cut-off labels
constexpr DWORD TVXS_MASK = 0x00F00000;

namespace tree_layout {

// Tree style bits that matter here (the platform's tree-view values).
constexpr DWORD kButtons = 0x1;
constexpr DWORD kLines = 0x2;
constexpr DWORD kLinesAtRoot = 0x4;

// The room between an image and the label.
constexpr int kTextGap = 6;
// The line column of a row without an image lies this far right of the parent's left edge.
constexpr int kLineColumnNoImage = 8;
constexpr int kButtonSizeNoImage = 8;
constexpr int kButtonSizeMax = 15;

int RoundUpEven(int value);
// Whether top-level items get a line column of their own (lines at root with buttons or lines).
bool RootColumn(DWORD style);
// The left edge of a node's parts at `depth` (1 for a top-level node).
int PartsLeft(int depth, int indent, DWORD style);

struct CellParts {
  CRect state_icon, icon;
  int text_left = 0;
};
// Sizes of 0 mean no state image or no image.
CellParts LeftParts(int depth, int indent, DWORD style, CSize state_image, CSize image);
// The row height: the largest part, rounded up to even.
int RowHeight(int icon_height, int state_height, int label_height);

// The x of a node's line column in client coordinates (before alignment): under the middle of
// the parent's image, or 8 pixels right of the parent's edge without images.
int LineColumn(int cell_left, int depth, int indent, DWORD style, int image_width);
// `value` moved down to the nearest position that is even relative to `offset`.
int AlignEven(int value, int offset);
// The side of the expand button: icon height x 20/33 (at most 15) with images, 8 without.
int ButtonSize(int icon_height);
// The button square centred on `centre`; an even side gets one more pixel right and down.
CRect ButtonRect(CPoint centre, int size);

// The marker at which a wrapping label is split into a head and a tail.
inline constexpr const char kHangingIndentMarker[] = "\\{HI}";
struct LabelSplit {
  bool split = false;
  CString head;  // up to and including the marker's first character
  CString tail;  // after the marker
};
LabelSplit SplitLabel(const CString& text);

}  // namespace tree_layout
