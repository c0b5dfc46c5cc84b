// The raised tab strip: label shortening and lengthening, tab sizes on each side, clicks on
// overlapping and disabled tabs, tips while labels are short, side labels drawn turned, and
// pictures of every side.
#include <memory>

#include "platform/gdi/core/icons.h"
#include "platform/gdi/core/recording_device.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "tests/toolkit_tabs/tabs_fixture.h"
#include "toolkit/frame/sec_3d_tab_ctrl.h"

namespace lumo::test {
namespace {

// Seven pixels a character.
int seven(const CString& s) { return 7 * s.GetLength(); }

tab3d::Labels labels_of(std::vector<const char*> full, int lastLength) {
  tab3d::Labels l;
  for (const char* f : full) {
    l.full.push_back(f);
    l.shown.push_back(f);
    l.icons.push_back(false);
  }
  l.lastLength = lastLength;
  return l;
}

TEST(RaisedLabels, ShortenOneStepAtATimeAndGrowBack) {
  tab3d::Labels l = labels_of({"Biblioteka", "Segregator"}, 160);
  const int sum = tab3d::LabelSum(l, seven);
  EXPECT_EQ(sum, 2 * (70 + 12));
  // Narrower than the labels' room + 9: the first longest label is cut, three characters short
  // of its full label, and gets "...".
  tab3d::ShortenLabels(l, sum, 160, seven, true);
  EXPECT_EQ(utf8(l.shown[0]), "Bibliot...");
  EXPECT_EQ(utf8(l.shown[1]), "Segregator");
  EXPECT_TRUE(l.shortened);
  EXPECT_TRUE(l.labelsShown);
  EXPECT_EQ(l.minLength, 2 * (21 + 12));
  // A next step takes the other label, now the longest.
  tab3d::ShortenLabels(l, tab3d::LabelSum(l, seven), 160, seven, true);
  EXPECT_EQ(utf8(l.shown[1]), "Segrega...");
  EXPECT_EQ(utf8(l.shown[0]), "Bibliot...");

  // Widening by less than 15 beyond the room changes nothing; more lengthens one label a step.
  l.lastLength = 150;
  const int now = tab3d::LabelSum(l, seven);
  tab3d::Labels same = l;
  tab3d::ShortenLabels(same, now, now + 14, seven, true);
  EXPECT_EQ(same.shown, l.shown);
  tab3d::ShortenLabels(l, now, now + 40, seven, true);
  EXPECT_EQ(utf8(l.shown[0]), "Biblioteka");  // two short of its full label: shown whole
  EXPECT_EQ(utf8(l.shown[1]), "Segrega...");
  EXPECT_TRUE(l.shortened);
}

TEST(RaisedLabels, ShortLabelsNeverGoBelowNothing) {
  // Cutting a two-letter label three characters short would ask for a negative length.
  tab3d::Labels l = labels_of({"Ab", "Cd"}, 100);
  tab3d::ShortenLabels(l, 200, 100, seven, true);
  EXPECT_EQ(utf8(l.shown[0]), "...");
  EXPECT_EQ(utf8(l.shown[1]), "Cd");
  // Once it fits again the two-letter label comes back whole, never with "...".
  l.lastLength = 100;
  tab3d::ShortenLabels(l, 50, 300, seven, true);
  EXPECT_EQ(utf8(l.shown[0]), "Ab");
  EXPECT_FALSE(l.shortened);
  // A strip too short even for "..." hides every label.
  tab3d::Labels tiny = labels_of({"Biblioteka", "Segregator", "Historia"}, 60);
  tab3d::ShortenLabels(tiny, 300, 60, seven, true);
  EXPECT_FALSE(tiny.labelsShown);
}

TEST(RaisedGeometry, TabsOnEachSide) {
  EXPECT_EQ(tab3d::TabLength(false, true, 50), 62);
  EXPECT_EQ(tab3d::TabLength(true, true, 50), 81);
  EXPECT_EQ(tab3d::TabLength(true, false, 50), 25);
  const CRect client(0, 0, 300, 30);
  int along = 0, across = 0;
  tab3d::RowStart(TWS_TABS_BELOW, client, along, across);
  EXPECT_EQ(along, 7);
  EXPECT_EQ(across, 2);
  tab3d::RowStart(TWS_TABS_ABOVE, client, along, across);
  EXPECT_EQ(across, 5);
  tab3d::RowStart(TWS_TABS_LEFT, CRect(0, 0, 30, 300), along, across);
  EXPECT_EQ(across, 5);
  EXPECT_EQ(tab3d::TabRect(TWS_TABS_BELOW, 7, 2, 62), CRect(7, 2, 69, 24));
  EXPECT_EQ(tab3d::TabRect(TWS_TABS_LEFT, 7, 5, 62), CRect(5, 7, 27, 69));
  // The active tab grows 3 at both ends and 3 outward: 6 wider and 3 taller below the page.
  EXPECT_EQ(tab3d::GrowActive(TWS_TABS_BELOW, CRect(7, 2, 69, 24)), CRect(4, 2, 72, 27));
  EXPECT_EQ(tab3d::GrowActive(TWS_TABS_ABOVE, CRect(7, 5, 69, 27)), CRect(4, 2, 72, 27));
  EXPECT_EQ(tab3d::GrowActive(TWS_TABS_LEFT, CRect(5, 7, 27, 69)), CRect(2, 4, 27, 72));
  EXPECT_EQ(tab3d::GrowActive(TWS_TABS_RIGHT, CRect(2, 7, 24, 69)), CRect(2, 4, 27, 72));
  EXPECT_EQ(tab3d::TextAngle(TWS_TABS_LEFT), 900);
  EXPECT_EQ(tab3d::TextAngle(TWS_TABS_RIGHT), -900);
  EXPECT_EQ(tab3d::TextAngle(TWS_TABS_BELOW), 0);
}

class RaisedTabTest : public TabsTest {
 protected:
  SEC3DTabControl tabs;
  void make(DWORD style, CRect rect) { ASSERT_TRUE(tabs.Create(style | WS_VISIBLE, rect, &parent, 59952)); }
  void add(std::initializer_list<const char*> labels) {
    for (const char* label : labels) tabs.AddTab(cp(label));
    pump();
  }
  CRect rect(int i) const {
    CRect r;
    tabs.GetTabRect(i, r);
    return r;
  }
};

TEST_F(RaisedTabTest, TheActiveTabStandsOutUnlessAskedNotTo) {
  make(TWS_TABS_BELOW, CRect(10, 10, 610, 40));
  add({"Biblioteka", "Segregator"});
  tabs.ActivateTab(0);
  EXPECT_EQ(rect(0).Height(), tab3d::kThickness + 3);
  const CRect before = rect(0);
  tabs.ActivateTab(1);
  EXPECT_EQ(rect(1).Height(), tab3d::kThickness + 3);
  EXPECT_EQ(rect(0).Height(), tab3d::kThickness);
  EXPECT_EQ(rect(0).Width(), before.Width() - 6);
  tabs.ModifyTabStyle(0, TWS_ACTIVE_SAME_SIZE);
  tabs.RecalcLayout();
  EXPECT_EQ(rect(1).Height(), tab3d::kThickness);
}

TEST_F(RaisedTabTest, ClicksGoToTheActiveTabFirstAndSkipDisabledTabs) {
  make(TWS_TABS_BELOW, CRect(10, 10, 610, 40));
  add({"Historia", "Zakładki", "Indeksy"});
  tabs.ActivateTab(1);
  parent.heard.clear();
  // The active tab reaches 3 pixels into its neighbours: a click there is a click on it.
  const CRect active = rect(1), left = rect(0);
  ASSERT_LT(active.left, left.right);
  const POINT overlap = screen_point(tabs.m_hWnd, {active.left + 1, active.top + 10});
  mouse_down(overlap);
  mouse_up(overlap);
  pump();
  EXPECT_EQ(parent.of(WM_TABRECLICK), std::vector<int>{1});
  EXPECT_TRUE(parent.of(WM_TABACTIVATE).empty());

  tabs.EnableTab(2, FALSE);
  EXPECT_FALSE(tabs.IsTabEnabled(2));
  const POINT off = screen_point(tabs.m_hWnd, rect(2).CenterPoint());
  mouse_down(off);
  mouse_up(off);
  tabs.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(rect(2).CenterPoint().x, rect(2).CenterPoint().y));
  pump();
  EXPECT_TRUE(parent.of(WM_TABACTIVATE).empty());
  EXPECT_TRUE(parent.of(WM_TABDBLCLK).empty());
  int index = -1;
  tabs.GetActiveTab(index);
  EXPECT_EQ(index, 1);
  const POINT on = screen_point(tabs.m_hWnd, rect(0).CenterPoint());
  mouse_down(on);
  mouse_up(on);
  pump();
  EXPECT_EQ(parent.of(WM_TABACTIVATE), std::vector<int>{0});
}

TEST_F(RaisedTabTest, AShortStripShowsIconsAndTipsGiveTheLabels) {
  make(TWS_TABS_BELOW, CRect(10, 10, 110, 40));
  ASSERT_NE(tabs.GetToolTip(), nullptr);
  EXPECT_TRUE(tabs.GetToolTip()->IsActive());
  tabs.GetToolTip()->SendMessage(TTM_ACTIVATE, FALSE);
  EXPECT_FALSE(tabs.GetToolTip()->IsActive());
  tabs.GetToolTip()->SendMessage(TTM_ACTIVATE, TRUE);
  EXPECT_TRUE(tabs.GetToolTip()->IsActive());
  HICON icon = make_book_icon();
  add({"Biblioteka", "Segregator", "Historia"});
  for (int i = 0; i < 3; ++i) tabs.SetTabIcon(i, icon);
  tabs.SendMessage(WM_SIZE, 0, MAKELPARAM(100, 30));
  EXPECT_FALSE(tabs.LabelsShown());
  EXPECT_EQ(rect(0).Width(), 25);
  TOOLINFO info;
  EXPECT_EQ(tabs.OnToolHitTest(rect(1).CenterPoint(), &info), 2);
  EXPECT_EQ(utf8(info.lpszText), "Segregator");
  CString label;
  BOOL selected;
  CWnd* client;
  DWORD e1, e2;
  ASSERT_TRUE(tabs.GetTabInfo(1, label, selected, client, e1, e2));
  EXPECT_EQ(utf8(label), "Segregator");
  // Room again: labels come back and the tips stop.
  tabs.MoveWindow(10, 10, 600, 30);
  pump();
  EXPECT_TRUE(tabs.LabelsShown());
  EXPECT_EQ(utf8(tabs.GetTab(1)->m_csLabel), "Segregator");
  EXPECT_EQ(tabs.OnToolHitTest(rect(1).CenterPoint(), &info), -1);
  DestroyIcon(icon);
}

TEST_F(RaisedTabTest, SideLabelsAreDrawnTurned) {
  for (DWORD side : {TWS_TABS_LEFT, TWS_TABS_RIGHT}) {
    SEC3DTabControl control;
    ASSERT_TRUE(control.Create(side | WS_VISIBLE, CRect(0, 0, 30, 300), &parent, 59953));
    control.AddTab(cp("Żółw"));
    auto log = std::make_shared<gdi::RecordingLog>();
    HDC hdc = gdi::create_recording_dc(log);
    CDC dc;
    dc.Attach(hdc);
    dc.SelectObject(control.GetTabFont(0));
    control.DrawTab(&dc, 0);
    bool found = false;
    for (const std::string& line : *log) {
      if (line.rfind("text ", 0) != 0) continue;
      found = true;
      EXPECT_NE(line.find(side == TWS_TABS_LEFT ? "angle=900" : "angle=2700"), std::string::npos) << line;
    }
    EXPECT_TRUE(found) << side;
    dc.Detach();
    DeleteDC(hdc);
    control.DestroyWindow();
  }
}

TEST_F(RaisedTabTest, PicturesOfEverySide) {
  HICON icon = make_book_icon();
  const struct {
    DWORD side;
    CRect rect;
    const char* file;
  } sides[] = {
      {TWS_TABS_BELOW, CRect(0, 0, 420, 30), "tabs_3d_below.png"},
      {TWS_TABS_ABOVE, CRect(0, 0, 420, 30), "tabs_3d_above.png"},
      {TWS_TABS_LEFT, CRect(0, 0, 30, 360), "tabs_3d_left.png"},
      {TWS_TABS_RIGHT, CRect(0, 0, 30, 360), "tabs_3d_right.png"},
  };
  for (const auto& s : sides) {
    SEC3DTabControl control;
    ASSERT_TRUE(control.Create(s.side | WS_VISIBLE, s.rect, &parent, 59953));
    for (const char* label : {"Biblioteka", "Segregator", "Źródła ąęł"}) control.AddTab(cp(label));
    control.SetTabIcon(0, icon);
    control.EnableTab(2, FALSE);
    control.ActivateTab(1);
    control.Invalidate();
    pump();
    save_surface_png(control.m_hWnd, s.file);
    // The disabled tab's label is embossed: highlight and shadow, no black.
    CRect r;
    control.GetTabRect(2, r);
    bool shadow = false, black = false;
    for (int y = r.top + 3; y < r.bottom - 3; ++y) {
      for (int x = r.left + 3; x < r.right - 3; ++x) {
        const DWORD c = surface_pixel(control.m_hWnd, x, y);
        if (c == ::GetSysColor(COLOR_BTNSHADOW)) shadow = true;
        if (c == RGB(0, 0, 0)) black = true;
      }
    }
    EXPECT_TRUE(shadow) << s.file;
    EXPECT_FALSE(black) << s.file;
    control.DestroyWindow();
  }
  // Shortened labels below the page.
  SEC3DTabControl narrow;
  ASSERT_TRUE(narrow.Create(TWS_TABS_BELOW | WS_VISIBLE, CRect(0, 0, 200, 30), &parent, 59954));
  for (const char* label : {"Biblioteka", "Segregator", "Historia"}) narrow.AddTab(cp(label));
  narrow.ActivateTab(0);
  pump();
  EXPECT_TRUE(narrow.IsShortened());
  save_surface_png(narrow.m_hWnd, "tabs_3d_shortened.png");
  DestroyIcon(icon);
}

}  // namespace
}  // namespace lumo::test
