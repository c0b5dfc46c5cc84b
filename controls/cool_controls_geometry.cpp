#include "controls/cool_controls_geometry.h"

#include <algorithm>
#include <array>
#include <strings.h>

#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/header_ctrl.h"
#include "platform/controls/slider_ctrl.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/tab_control_messages.h"
#include "platform/framework/tool_bar.h"
#include "platform/win/window_styles.h"

namespace coolctl {

namespace {

bool same_class(std::string_view a, const char* b) {
  std::string_view bv(b);
  return a.size() == bv.size() && strncasecmp(a.data(), b, a.size()) == 0;
}

constexpr std::array<POINT, 16> kOuterUpperLeft{{{1, 9}, {1, 8}, {0, 7}, {0, 6}, {0, 5}, {0, 4},
                                                 {1, 3}, {1, 2}, {2, 1}, {3, 1}, {4, 0}, {5, 0},
                                                 {6, 0}, {7, 0}, {8, 1}, {9, 1}}};
constexpr std::array<POINT, 14> kInnerUpperLeft{{{2, 8}, {1, 7}, {1, 6}, {1, 5}, {1, 4}, {2, 3},
                                                 {2, 2}, {3, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 1},
                                                 {8, 2}, {9, 2}}};
constexpr std::array<POINT, 14> kInnerLowerRight{{{2, 9}, {3, 9}, {4, 10}, {5, 10}, {6, 10},
                                                  {7, 10}, {8, 9}, {9, 9}, {9, 8}, {10, 7},
                                                  {10, 6}, {10, 5}, {10, 4}, {9, 3}}};
constexpr std::array<POINT, 16> kOuterLowerRight{{{2, 10}, {3, 10}, {4, 11}, {5, 11}, {6, 11},
                                                  {7, 11}, {8, 10}, {9, 10}, {10, 9}, {10, 8},
                                                  {11, 7}, {11, 6}, {11, 5}, {11, 4}, {10, 3},
                                                  {10, 2}}};

constexpr int kCheckBox = 13;
constexpr int kRadio = 12;

}  // namespace

SkinObject ButtonSkin(DWORD style) {
  if (style & BS_FLAT) return SkinObject::none;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case 0x8:  // user button
    case 0xA:  // push box
      return SkinObject::push_button;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return SkinObject::check_box;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return SkinObject::radio_button;
    default:  // group boxes, owner-drawn and unknown kinds keep their own look
      return SkinObject::none;
  }
}

SkinChoice ChooseSkin(std::string_view cls, DWORD style, DWORD ex_style, bool in_simple_combo) {
  const bool edge = (ex_style & WS_EX_CLIENTEDGE) != 0;
  auto edged = [&](SkinObject o, SkinChildren c = SkinChildren::none) {
    return SkinChoice{edge ? o : SkinObject::none, c};
  };
  if (same_class(cls, "Button")) return {ButtonSkin(style), SkinChildren::none};
  if (same_class(cls, "ComboBox")) {
    if ((style & 3) == CBS_SIMPLE) return {SkinObject::none, SkinChildren::all};
    return {SkinObject::combo_box, SkinChildren::none};
  }
  if (same_class(cls, "Edit")) {
    if (in_simple_combo) return {SkinObject::edit_combo, SkinChildren::none};
    return edged(SkinObject::edit);
  }
  if (same_class(cls, "ListBox") || same_class(cls, "SysTreeView32") ||
      same_class(cls, "ComboLBox") || same_class(cls, "msctls_hotkey32") ||
      same_class(cls, "RichEdit") || same_class(cls, "RichEdit20W")) {
    return edged(SkinObject::control);
  }
  if (same_class(cls, "SysListView32")) return edged(SkinObject::control, SkinChildren::first_after);
  if (same_class(cls, "SHELLDLL_DefView") || same_class(cls, "ComboBoxEx32")) {
    return {SkinObject::none, SkinChildren::first_after};
  }
  if (same_class(cls, "SysDateTimePick32")) {
    return edged(SkinObject::date_time, (style & DTS_UPDOWN) ? SkinChildren::first_after : SkinChildren::none);
  }
  if (same_class(cls, "SysMonthCal32")) return {SkinObject::control, SkinChildren::none};
  if (same_class(cls, "msctls_updown32")) return {SkinObject::up_down, SkinChildren::none};
  if (same_class(cls, "ScrollBar")) {
    if (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) return {};
    return {SkinObject::scroll_bar, SkinChildren::none};
  }
  if (same_class(cls, "SysIPAddress32")) return edged(SkinObject::ip_address);
  if (same_class(cls, "msctls_trackbar32")) return {SkinObject::trackbar, SkinChildren::none};
  if (same_class(cls, "SysHeader32")) {
    return {(style & HDS_BUTTONS) ? SkinObject::header : SkinObject::none, SkinChildren::none};
  }
  if (same_class(cls, "ToolbarWindow32")) {
    if (style & TBSTYLE_FLAT) return {};
    return {SkinObject::toolbar, SkinChildren::all_before};
  }
  if (same_class(cls, "SysTabControl32")) return {SkinObject::tab_control, SkinChildren::first_after};
  return {};
}

CRect CheckBoxRect(const CRect& area, DWORD style) {
  int left = (style & BS_RIGHTBUTTON) ? area.right - kCheckBox : area.left;
  int top;
  switch (style & BS_VCENTER) {
    case BS_TOP: top = area.top + 1; break;
    case BS_BOTTOM: top = area.bottom - 15; break;
    default: top = area.top + (area.Height() - kCheckBox) / 2; break;
  }
  return CRect(left, top, left + kCheckBox, top + kCheckBox);
}

CPoint RadioOrigin(const CRect& area, DWORD style) {
  int left = (style & BS_RIGHTBUTTON) ? area.right - kRadio : area.left + 1;
  return CPoint(left, CheckBoxRect(area, style).top);
}

std::span<const POINT> RadioArcPoints(RadioArc arc) {
  switch (arc) {
    case RadioArc::outer_upper_left: return kOuterUpperLeft;
    case RadioArc::inner_upper_left: return kInnerUpperLeft;
    case RadioArc::inner_lower_right: return kInnerLowerRight;
    case RadioArc::outer_lower_right: return kOuterLowerRight;
  }
  return {};
}

ScrollBarParts ScrollBarLayout(int length, int thickness, int nMin, int nMax, int nPage, int nPos,
                               int no_page_thumb) {
  ScrollBarParts p;
  if (length <= 0 || thickness <= 0) return p;
  p.arrow = std::min(thickness, length / 2);
  int track = length - 2 * p.arrow;
  long long span = static_cast<long long>(nMax) - nMin + 1;
  if (track < kMinScrollThumb || span <= 0 || (nPage > 0 && nPage >= span)) return p;
  int thumb = nPage > 0 ? std::max(static_cast<int>(track * static_cast<long long>(nPage) / span), kMinScrollThumb)
                        : no_page_thumb;
  thumb = std::clamp(thumb, 0, track);
  long long last = static_cast<long long>(nMax) - std::max(nPage - 1, 0);
  long long pos = std::clamp<long long>(nPos, nMin, std::max<long long>(last, nMin));
  int offset = last > nMin ? static_cast<int>((pos - nMin) * (track - thumb) / (last - nMin)) : 0;
  p.thumb_start = p.arrow + offset;
  p.thumb_length = thumb;
  return p;
}

CRect UprightChannel(const CRect& reported, const CRect& thumb, DWORD style) {
  const int width = reported.Height();
  int left = (thumb.left + thumb.right) / 2 - width / 2;
  if (style & TBS_LEFT) {
    left += 1;
  } else if (!(style & TBS_BOTH)) {
    left -= 1;
  }
  return CRect(left, reported.left, left + width, reported.right);
}

std::vector<POINT> PointedThumb(const CRect& t, DWORD style) {
  const int l = t.left, r = t.right - 1, top = t.top, b = t.bottom - 1;
  if (style & TBS_VERT) {
    const int d = t.Height() / 2, cy = top + (b - top) / 2;
    if (style & TBS_LEFT) return {{l, cy}, {l + d, top}, {r, top}, {r, b}, {l + d, b}};
    return {{r, cy}, {r - d, b}, {l, b}, {l, top}, {r - d, top}};
  }
  const int d = t.Width() / 2, cx = l + (r - l) / 2;
  if (style & TBS_TOP) return {{cx, top}, {r, top + d}, {r, b}, {l, b}, {l, top + d}};
  return {{cx, b}, {l, b - d}, {l, top}, {r, top}, {r, b - d}};
}

TabSide TabOrientation(DWORD style) {
  if (style & TCS_VERTICAL) return (style & TCS_RIGHT) ? TabSide::right : TabSide::left;
  if (style & TCS_BOTTOM) return TabSide::bottom;
  return TabSide::top;
}

CRect TabBody(const CRect& display, TabSide side) {
  CRect body(display);
  body.InflateRect(4, 4);
  switch (side) {
    case TabSide::top: body.top += 2; break;
    case TabSide::left: body.left += 2; break;
    case TabSide::right: body.right -= 2; break;
    case TabSide::bottom: body.bottom -= 2; break;
  }
  return body;
}

}  // namespace coolctl
