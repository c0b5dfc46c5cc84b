#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "controls/cool_controls_geometry.h"
#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/header_ctrl.h"
#include "platform/controls/slider_ctrl.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/tab_control_messages.h"
#include "platform/framework/tool_bar.h"
#include "platform/win/window_styles.h"

namespace {

using coolctl::SkinChildren;
using coolctl::SkinObject;

TEST(ButtonSkin, FollowsTheButtonTypeNotItsBits) {
  const std::pair<DWORD, SkinObject> cases[] = {
      {BS_PUSHBUTTON, SkinObject::push_button},
      {BS_DEFPUSHBUTTON, SkinObject::push_button},
      {BS_CHECKBOX, SkinObject::check_box},
      {BS_AUTOCHECKBOX, SkinObject::check_box},
      {BS_3STATE, SkinObject::check_box},
      {BS_AUTO3STATE, SkinObject::check_box},
      {BS_RADIOBUTTON, SkinObject::radio_button},
      {BS_AUTORADIOBUTTON, SkinObject::radio_button},
      // Kinds whose bits would pass for others: a push box has bit 2, a user button bit 8.
      {0x000A, SkinObject::push_button},
      {0x0008, SkinObject::push_button},
      {BS_GROUPBOX, SkinObject::none},
      {BS_OWNERDRAW, SkinObject::none},
      {0x000C, SkinObject::none},
      {BS_PUSHBUTTON | BS_FLAT, SkinObject::none},
      {BS_AUTOCHECKBOX | BS_FLAT, SkinObject::none},
      {BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, SkinObject::check_box},
      {BS_AUTORADIOBUTTON | BS_RIGHTBUTTON | BS_TOP, SkinObject::radio_button},
  };
  for (const auto& [style, expected] : cases) {
    EXPECT_EQ(coolctl::ButtonSkin(style), expected) << std::hex << style;
  }
}

TEST(ChooseSkin, ClassTableWithItsConditions) {
  struct Case {
    const char* cls;
    DWORD style;
    DWORD ex_style;
    bool in_simple_combo;
    SkinObject object;
    SkinChildren children;
  };
  constexpr DWORD edge = WS_EX_CLIENTEDGE;
  const Case cases[] = {
      {"button", BS_AUTOCHECKBOX, 0, false, SkinObject::check_box, SkinChildren::none},
      {"Edit", 0, edge, false, SkinObject::edit, SkinChildren::none},
      {"EDIT", 0, 0, false, SkinObject::none, SkinChildren::none},
      {"Edit", 0, 0, true, SkinObject::edit_combo, SkinChildren::none},
      {"ComboBox", CBS_DROPDOWNLIST, 0, false, SkinObject::combo_box, SkinChildren::none},
      {"ComboBox", CBS_SIMPLE, 0, false, SkinObject::none, SkinChildren::all},
      {"ListBox", 0, edge, false, SkinObject::control, SkinChildren::none},
      {"ListBox", 0, 0, false, SkinObject::none, SkinChildren::none},
      {"SysListView32", 0, edge, false, SkinObject::control, SkinChildren::first_after},
      {"SHELLDLL_DefView", 0, 0, false, SkinObject::none, SkinChildren::first_after},
      {"SysDateTimePick32", 0, edge, false, SkinObject::date_time, SkinChildren::none},
      {"SysDateTimePick32", DTS_UPDOWN, edge, false, SkinObject::date_time, SkinChildren::first_after},
      {"SysMonthCal32", 0, 0, false, SkinObject::control, SkinChildren::none},
      {"msctls_updown32", 0, 0, false, SkinObject::up_down, SkinChildren::none},
      {"ScrollBar", SBS_VERT, 0, false, SkinObject::scroll_bar, SkinChildren::none},
      {"ScrollBar", SBS_SIZEGRIP, 0, false, SkinObject::none, SkinChildren::none},
      {"ScrollBar", SBS_SIZEBOX, 0, false, SkinObject::none, SkinChildren::none},
      {"SysIPAddress32", 0, edge, false, SkinObject::ip_address, SkinChildren::none},
      {"msctls_trackbar32", 0, 0, false, SkinObject::trackbar, SkinChildren::none},
      {"RichEdit20W", 0, edge, false, SkinObject::control, SkinChildren::none},
      {"SysHeader32", HDS_BUTTONS, 0, false, SkinObject::header, SkinChildren::none},
      {"SysHeader32", 0, 0, false, SkinObject::none, SkinChildren::none},
      {"ToolbarWindow32", 0, 0, false, SkinObject::toolbar, SkinChildren::all_before},
      {"ToolbarWindow32", TBSTYLE_FLAT, 0, false, SkinObject::none, SkinChildren::none},
      {"SysTabControl32", 0, 0, false, SkinObject::tab_control, SkinChildren::first_after},
      {"Static", 0, edge, false, SkinObject::none, SkinChildren::none},
      {"#32770", WS_CHILD, 0, false, SkinObject::none, SkinChildren::none},
  };
  for (const Case& c : cases) {
    const coolctl::SkinChoice got = coolctl::ChooseSkin(c.cls, c.style, c.ex_style, c.in_simple_combo);
    EXPECT_EQ(got.object, c.object) << c.cls << " " << std::hex << c.style;
    EXPECT_EQ(got.children, c.children) << c.cls << " " << std::hex << c.style;
  }
}

TEST(CheckBoxGeometry, BoxAndRadioOriginFollowAlignment) {
  const CRect area(10, 20, 110, 40);  // 20 high
  struct Case {
    DWORD style;
    CRect box;
    CPoint radio;
  };
  const Case cases[] = {
      {0, CRect(10, 23, 23, 36), CPoint(11, 23)},
      {BS_VCENTER, CRect(10, 23, 23, 36), CPoint(11, 23)},
      {BS_TOP, CRect(10, 21, 23, 34), CPoint(11, 21)},
      {BS_BOTTOM, CRect(10, 25, 23, 38), CPoint(11, 25)},
      {BS_RIGHTBUTTON, CRect(97, 23, 110, 36), CPoint(98, 23)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(coolctl::CheckBoxRect(area, c.style), c.box) << std::hex << c.style;
    EXPECT_EQ(coolctl::RadioOrigin(area, c.style), c.radio) << std::hex << c.style;
  }
}

TEST(RadioArcs, FourDisjointArcsInsideTheTwelvePixelCircle) {
  using coolctl::RadioArc;
  std::set<std::pair<int, int>> seen;
  size_t total = 0;
  for (RadioArc arc : {RadioArc::outer_upper_left, RadioArc::inner_upper_left, RadioArc::inner_lower_right,
                       RadioArc::outer_lower_right}) {
    for (const POINT& p : coolctl::RadioArcPoints(arc)) {
      EXPECT_TRUE(p.x >= 0 && p.x < 12 && p.y >= 0 && p.y < 12);
      seen.insert({p.x, p.y});
      ++total;
    }
  }
  EXPECT_EQ(total, 60u);
  EXPECT_EQ(seen.size(), total);
  // The circle closes: the outer arcs meet at both ends.
  EXPECT_EQ(coolctl::RadioArcPoints(RadioArc::outer_upper_left).front().y, 9);
  EXPECT_EQ(coolctl::RadioArcPoints(RadioArc::outer_lower_right).back().x, 10);
}

TEST(ScrollBarLayout, ThumbShareMinimumAndPosition) {
  struct Case {
    int length, thickness, nMin, nMax, nPage, nPos;
    int arrow, start, thumb;
  };
  const Case cases[] = {
      // 200 long: arrows of 16, a track of 168; a page of half the range takes half the track.
      {200, 16, 0, 99, 50, 0, 16, 16, 84},
      {200, 16, 0, 99, 50, 50, 16, 100, 84},
      // A tiny page still gets an 8-pixel thumb, which reaches the track's end at the last position.
      {200, 16, 0, 9999, 1, 9999, 16, 176, 8},
      {200, 16, 0, 9999, 1, 0, 16, 16, 8},
      // No page: the fixed thumb; positions beyond the range are held at its ends.
      {200, 16, 0, 10, 0, 50, 16, 168, 16},
      {200, 16, 0, 10, 0, -5, 16, 16, 16},
      // Nothing to scroll, or no room for a thumb: arrows only.
      {200, 16, 0, 99, 100, 0, 16, 0, 0},
      {36, 16, 0, 99, 10, 0, 16, 0, 0},
      // Shorter than two arrows: each arrow takes half.
      {20, 16, 0, 99, 10, 0, 10, 0, 0},
  };
  for (const Case& c : cases) {
    const auto p = coolctl::ScrollBarLayout(c.length, c.thickness, c.nMin, c.nMax, c.nPage, c.nPos, 16);
    EXPECT_EQ(p.arrow, c.arrow) << c.length << "/" << c.nPage << "/" << c.nPos;
    EXPECT_EQ(p.thumb_start, c.start) << c.length << "/" << c.nPage << "/" << c.nPos;
    EXPECT_EQ(p.thumb_length, c.thumb) << c.length << "/" << c.nPage << "/" << c.nPos;
  }
}

TEST(TrackbarGeometry, VerticalChannelIsTurnedUprightBesideTheThumb) {
  const CRect reported(8, 10, 192, 14);  // lying: 184 long, 4 high
  const CRect thumb(9, 50, 30, 61);      // centre x 19
  struct Case {
    DWORD style;
    int left;
  };
  const Case cases[] = {
      {TBS_VERT, 16},
      {TBS_VERT | TBS_LEFT, 18},
      {TBS_VERT | TBS_BOTH, 17},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(coolctl::UprightChannel(reported, thumb, c.style), CRect(c.left, 8, c.left + 4, 192)) << c.style;
  }
}

TEST(TrackbarGeometry, PointedThumbPointsAwayFromItsMarks) {
  const CRect h(10, 10, 21, 31);  // 11 wide, 21 high
  using Points = std::vector<POINT>;
  auto same = [](const Points& a, const Points& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
    }
    return true;
  };
  EXPECT_TRUE(same(coolctl::PointedThumb(h, 0), Points{{15, 30}, {10, 25}, {10, 10}, {20, 10}, {20, 25}}));
  EXPECT_TRUE(same(coolctl::PointedThumb(h, TBS_TOP), Points{{15, 10}, {20, 15}, {20, 30}, {10, 30}, {10, 15}}));
  const CRect v(10, 10, 31, 21);  // 21 wide, 11 high
  EXPECT_TRUE(same(coolctl::PointedThumb(v, TBS_VERT), Points{{30, 15}, {25, 20}, {10, 20}, {10, 10}, {25, 10}}));
  EXPECT_TRUE(
      same(coolctl::PointedThumb(v, TBS_VERT | TBS_LEFT), Points{{10, 15}, {15, 10}, {30, 10}, {30, 20}, {15, 20}}));
}

TEST(TabGeometry, OrientationAndBody) {
  using coolctl::TabSide;
  const std::pair<DWORD, TabSide> sides[] = {
      {0, TabSide::top},
      {TCS_BOTTOM, TabSide::bottom},
      {TCS_VERTICAL, TabSide::left},
      {TCS_VERTICAL | TCS_RIGHT, TabSide::right},
  };
  for (const auto& [style, side] : sides) EXPECT_EQ(coolctl::TabOrientation(style), side) << style;
  const CRect display(10, 30, 190, 140);
  EXPECT_EQ(coolctl::TabBody(display, TabSide::top), CRect(6, 28, 194, 144));
  EXPECT_EQ(coolctl::TabBody(display, TabSide::left), CRect(8, 26, 194, 144));
  EXPECT_EQ(coolctl::TabBody(display, TabSide::right), CRect(6, 26, 192, 144));
  EXPECT_EQ(coolctl::TabBody(display, TabSide::bottom), CRect(6, 26, 194, 142));
}

}  // namespace
