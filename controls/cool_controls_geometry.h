// The flat control look as plain functions: which skin a window gets from its class and styles,
// where a check box or radio circle lies, the radio circle's arcs, the thumb of a flat scroll bar,
// a vertical track bar's channel, the pointed track-bar thumb and the body of a tab control.
// Nothing here touches a window; the skinning manager feeds these from window state.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

namespace coolctl {

// The skin object a window gets.
enum class SkinObject {
  none,
  control,
  edit,
  edit_combo,
  combo_box,
  date_time,
  push_button,
  check_box,
  radio_button,
  up_down,
  scroll_bar,
  header,
  trackbar,
  toolbar,
  tab_control,
  ip_address,
};

// Which of the window's children are skinned along with it.
enum class SkinChildren {
  none,
  first_after,  // its first child, after the window itself
  all_before,   // all its children, before the window itself
  all,          // all its children; the window itself is not skinned
};

struct SkinChoice {
  SkinObject object = SkinObject::none;
  SkinChildren children = SkinChildren::none;
};

// The skin of a button by its type (the low four style bits) and its flat style.
SkinObject ButtonSkin(DWORD style);

// The skin for a window of class `class_name` (compared without case) with these styles;
// `in_simple_combo` tells that an edit lies in a "ComboBox" with CBS_SIMPLE. Classes that need a
// client edge get no object without WS_EX_CLIENTEDGE; their children are still chosen.
SkinChoice ChooseSkin(std::string_view class_name, DWORD style, DWORD ex_style, bool in_simple_combo);

// The 13 by 13 box of a check box (or the box a radio circle's origin follows) in `area`.
CRect CheckBoxRect(const CRect& area, DWORD style);
// The origin of the 12 by 12 radio circle in `area`.
CPoint RadioOrigin(const CRect& area, DWORD style);

// The radio circle, drawn pixel by pixel as four arcs in this order, offsets from the origin.
enum class RadioArc { outer_upper_left, inner_upper_left, inner_lower_right, outer_lower_right };
std::span<const POINT> RadioArcPoints(RadioArc arc);

// A flat scroll bar along `length` pixels, `thickness` across: the arrow boxes and the thumb as
// offsets along the bar. `thumb_length` is 0 when no thumb is shown.
struct ScrollBarParts {
  int arrow = 0;         // length of each arrow box
  int thumb_start = 0;   // from the bar's start
  int thumb_length = 0;
};
// The page's share of the track, at least `kMinScrollThumb` pixels; `no_page_thumb` without a page.
constexpr int kMinScrollThumb = 8;
ScrollBarParts ScrollBarLayout(int length, int thickness, int nMin, int nMax, int nPage, int nPos,
                               int no_page_thumb);

// A vertical track bar reports its channel lying: this turns the reported rectangle upright beside
// the thumb.
CRect UprightChannel(const CRect& reported, const CRect& thumb, DWORD style);
// The outline of a pointed thumb, a pentagon whose point lies in the middle of its pointing side;
// in drawing order from the point round the thumb.
std::vector<POINT> PointedThumb(const CRect& thumb, DWORD style);

// Tab controls.
enum class TabSide { top, left, right, bottom };
TabSide TabOrientation(DWORD style);
// The body of the tab control from its display rectangle.
CRect TabBody(const CRect& display, TabSide side);

}  // namespace coolctl
