// The flat tab control: the row's geometry, scrolling, the active index across insertions and
// deletions, clicks with Ctrl and Shift, and the held scroll button's loop.
#include "platform/win/virtual_keys.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "tests/toolkit_tabs/tabs_fixture.h"
#include "toolkit/frame/sec_tab_ctrl.h"

namespace lumo::test {
namespace {

TEST(FlatTabGeometry, NeighboursOverlapByFivePixels) {
  const std::vector<int> widths(5, 100);
  const int lefts[] = {0, 95, 190, 285, 380};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(tabgeom::TabLeft(widths, i, 0, 0), lefts[i]);
  // Five tabs of 100 pixels take 100 + 4 x 95.
  EXPECT_EQ(tabgeom::TabLeft(widths, 4, 0, 0) + widths[4], 100 + 4 * 95);
  EXPECT_EQ(tabgeom::TabLeft(widths, 2, 34, -20), 34 - 20 + 190);
  const std::vector<POINT> poly = tabgeom::TabPolygon(10, 100, 0, 17);
  ASSERT_EQ(poly.size(), 4u);
  EXPECT_EQ(poly[0].x, 10);
  EXPECT_EQ(poly[1].x, 16);
  EXPECT_EQ(poly[1].y, 17);
  EXPECT_EQ(poly[2].x, 104);
  EXPECT_EQ(poly[3].x, 110);
}

TEST(FlatTabGeometry, ScrollingStaysWithinTheRow) {
  using tabgeom::kFirst;
  using tabgeom::kLast;
  using tabgeom::kNext;
  using tabgeom::kPrev;
  const struct {
    int offset, count, lastRight, clientRight;
    int newOffset;
    UINT disabled;
  } cases[] = {
      {0, 0, 0, 300, 0, kFirst | kPrev | kNext | kLast},  // no tabs: every button off
      {0, 5, 480, 300, 0, kFirst | kPrev},                  // at the start, more to the right
      {-50, 5, 480, 300, -50, 0},                          // somewhere in the middle
      {-200, 5, 480, 300, -180, kNext | kLast},            // past the end: back to the last tab's end
      {-30, 5, 250, 300, 0, kFirst | kPrev | kNext | kLast},  // everything fits: back to the start
      {10, 5, 480, 300, 0, kFirst | kPrev},                 // never right of the start
  };
  for (const auto& c : cases) {
    const tabgeom::ScrollState s = tabgeom::UpdateScroll(c.offset, c.count, c.lastRight, c.clientRight);
    EXPECT_EQ(s.offset, c.newOffset) << c.offset << " " << c.lastRight;
    EXPECT_EQ(s.disabled, c.disabled) << c.offset << " " << c.lastRight;
  }
  EXPECT_EQ(tabgeom::ButtonOffset(kFirst, -70, 480, 300), 0);
  EXPECT_EQ(tabgeom::ButtonOffset(kPrev, -70, 480, 300), -60);
  EXPECT_EQ(tabgeom::ButtonOffset(kNext, -70, 480, 300), -80);
  EXPECT_EQ(tabgeom::ButtonOffset(kLast, -70, 480, 300), -180);
  // A tab beyond the right edge comes in with a margin of 20; one before the left edge likewise.
  EXPECT_EQ(tabgeom::EnsureVisibleOffset(0, 380, 480, 0, 300), -200);
  EXPECT_EQ(tabgeom::EnsureVisibleOffset(-300, 95, 195, 0, 300), -75);
  // A tab too wide for the margin is aligned to the edge.
  EXPECT_EQ(tabgeom::EnsureVisibleOffset(0, 100, 400, 0, 300), -100);
}

class FlatTabTest : public TabsTest {
 protected:
  SECTabControl tabs;
  void make(DWORD style, int width = 600) {
    ASSERT_TRUE(tabs.Create(style | WS_VISIBLE, CRect(10, 300, 10 + width, 300 + 17), &parent, 59952));
  }
  void add_five() {
    for (const char* label : {"Historia", "Zakładki", "Indeksy", "Rezultaty", "Źródła"}) tabs.AddTab(cp(label));
    tabs.RecalcLayout();
    pump();
  }
  CString label(int i) const { return tabs.GetTab(i)->m_csLabel; }
  // A point inside tab `i`, near the middle of its bottom edge.
  POINT inside(int i) {
    CRgn rgn;
    EXPECT_TRUE(tabs.GetTabRgn(i, rgn));
    CRect box;
    rgn.GetRgnBox(&box);
    return {box.CenterPoint().x, box.bottom - 3};
  }
  void click_tab(int i, win::KeyModifiers mods = {}) {
    const POINT p = screen_point(tabs.m_hWnd, inside(i));
    mouse_down(p, win::MouseButton::left, mods);
    mouse_up(p, win::MouseButton::left, mods);
    pump();
  }
  int active() const {
    int index = -1;
    return tabs.GetActiveTab(index) ? index : -1;
  }
};

TEST_F(FlatTabTest, TheActiveTabFollowsInsertionsAndDeletions) {
  make(0);
  add_five();
  tabs.ActivateTab(2);
  EXPECT_EQ(parent.of(WM_TABACTIVATE), std::vector<int>{2});
  parent.heard.clear();

  // A tab put in before the active one: the same tab stays active, quietly.
  tabs.InsertTab(0, "Nowa");
  EXPECT_EQ(active(), 3);
  EXPECT_EQ(utf8(label(active())), "Indeksy");
  tabs.DeleteTab(0);
  EXPECT_EQ(active(), 2);
  EXPECT_EQ(utf8(label(active())), "Indeksy");
  EXPECT_TRUE(parent.heard.empty());

  // Past the end names no tab.
  tabs.ActivateTab(5);
  tabs.DeleteTab(5);
  tabs.DeleteTab(-1);
  EXPECT_EQ(active(), 2);
  EXPECT_EQ(tabs.GetTabCount(), 5);
  EXPECT_TRUE(parent.heard.empty());

  // Deleting the active tab in the middle hands over to the tab that takes its index.
  tabs.DeleteTab(2);
  EXPECT_EQ(active(), 2);
  EXPECT_EQ(utf8(label(2)), "Rezultaty");
  EXPECT_TRUE(tabs.GetTab(2)->m_bSelected);
  EXPECT_EQ(parent.of(WM_TABACTIVATE), std::vector<int>{2});
  // Deleting the active last tab makes the new last tab active.
  tabs.ActivateTab(3);
  parent.heard.clear();
  tabs.DeleteTab(3);
  EXPECT_EQ(active(), 2);
  EXPECT_EQ(parent.of(WM_TABACTIVATE), std::vector<int>{2});
  // Deleting a tab after the active one changes nothing about it.
  tabs.DeleteTab(0);
  EXPECT_EQ(utf8(label(active())), "Rezultaty");
  tabs.DeleteTab(1);
  tabs.DeleteTab(0);
  EXPECT_EQ(tabs.GetTabCount(), 0);
  EXPECT_EQ(active(), -1);
}

TEST_F(FlatTabTest, ClicksActivateReclickSelectAndDoubleClick) {
  make(0);
  add_five();
  click_tab(1);
  EXPECT_EQ(active(), 1);
  EXPECT_EQ(parent.of(WM_TABACTIVATE), std::vector<int>{1});
  click_tab(1);
  EXPECT_EQ(parent.of(WM_TABRECLICK), std::vector<int>{1});

  // Shift-click three places right: four tabs selected, the clicked one active.
  click_tab(4, {.shift = true});
  EXPECT_EQ(active(), 4);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(tabs.GetTab(i)->m_bSelected, i >= 1) << i;
  // Ctrl-click takes a tab out of the selection (the active one stops being active).
  click_tab(2, {.control = true});
  EXPECT_FALSE(tabs.GetTab(2)->m_bSelected);
  click_tab(4, {.control = true});
  EXPECT_EQ(active(), -1);
  // Shift with no active tab is a plain click.
  parent.heard.clear();
  click_tab(3, {.shift = true});
  EXPECT_EQ(active(), 3);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(tabs.GetTab(i)->m_bSelected, i == 3) << i;
  EXPECT_EQ(parent.of(WM_TABACTIVATE), std::vector<int>{3});

  // The overlap of two tabs belongs to the first; a double click names the tab.
  CRgn left, right;
  tabs.GetTabRgn(0, left);
  tabs.GetTabRgn(1, right);
  const int x1 = tabs.GetTab(0)->m_nWidth - 2;  // inside both trapezoids near the top
  EXPECT_TRUE(left.PtInRegion(x1, 1));
  EXPECT_TRUE(right.PtInRegion(x1, 1));
  EXPECT_EQ(tabs.TabFromPoint(CPoint(x1, 1)), 0);
  tabs.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(inside(2).x, inside(2).y));
  EXPECT_EQ(parent.of(WM_TABDBLCLK), std::vector<int>{2});
  tabs.ClearSelection();
  EXPECT_EQ(parent.of(WM_TABSELCLEAR).size(), 1u);
  EXPECT_EQ(active(), -1);
}

TEST_F(FlatTabTest, TheHeldScrollButtonStopsOnReleaseEscapeOrALostCapture) {
  make(TWS_SCROLL_ALL, 260);
  EXPECT_EQ(tabs.GetDisabledButtons(), tabgeom::kFirst | tabgeom::kPrev | tabgeom::kNext | tabgeom::kLast);
  add_five();
  EXPECT_EQ(tabs.GetButtonMask(), 15u);
  EXPECT_EQ(tabs.GetDisabledButtons(), tabgeom::kFirst | tabgeom::kPrev);
  const CRect next = tabs.GetButtonRect(tabgeom::kNext);
  const POINT at = screen_point(tabs.m_hWnd, next.CenterPoint());

  when_captured([&] { mouse_up(at); });
  mouse_down(at);
  pump();
  EXPECT_EQ(tabs.GetScrollOffset(), -10);
  EXPECT_EQ(::GetCapture(), nullptr);

  when_captured([&] { press_key(VK_ESCAPE); });
  mouse_down(at);
  pump();
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_LE(tabs.GetScrollOffset(), -20);
  mouse_up(at);
  pump();

  when_captured([&] { ::ReleaseCapture(); });
  mouse_down(at);
  pump();
  EXPECT_EQ(::GetCapture(), nullptr);
  mouse_up(at);
  pump();

  // The last button goes to the end, where next and last give up; first goes back.
  const POINT last = screen_point(tabs.m_hWnd, tabs.GetButtonRect(tabgeom::kLast).CenterPoint());
  when_captured([&] { mouse_up(last); });
  mouse_down(last);
  pump();
  CRect client;
  tabs.GetClientRect(&client);
  CRgn rgn;
  tabs.GetTabRgn(4, rgn);
  CRect box;
  rgn.GetRgnBox(&box);
  EXPECT_EQ(box.right, client.right);
  EXPECT_EQ(tabs.GetDisabledButtons(), tabgeom::kNext | tabgeom::kLast);
  save_surface_png(tabs.m_hWnd, "tabs_flat_scrolled.png");
  const POINT first = screen_point(tabs.m_hWnd, tabs.GetButtonRect(tabgeom::kFirst).CenterPoint());
  when_captured([&] { mouse_up(first); });
  mouse_down(first);
  pump();
  EXPECT_EQ(tabs.GetScrollOffset(), 0);
}

TEST_F(FlatTabTest, PictureOfTheFlatRow) {
  make(TWS_SCROLL_PREVNEXT, 620);
  add_five();
  tabs.ActivateTab(1);
  tabs.SelectTab(3);
  tabs.Invalidate();
  pump();
  save_surface_png(tabs.m_hWnd, "tabs_flat.png");
  // The active tab is white and opens into the page: no line above it; normal tabs are face-coloured.
  const int x = tabs.GetTabArea().left + tabgeom::TabLeft({tabs.GetTab(0)->m_nWidth}, 1, 0, 0) +
                tabs.GetTab(1)->m_nWidth / 2;
  EXPECT_EQ(surface_pixel(tabs.m_hWnd, x, 0), RGB(255, 255, 255));
  EXPECT_EQ(surface_pixel(tabs.m_hWnd, x, 3), RGB(255, 255, 255));
  CRgn rgn;
  tabs.GetTabRgn(4, rgn);
  CRect box;
  rgn.GetRgnBox(&box);
  EXPECT_EQ(surface_pixel(tabs.m_hWnd, box.right - 9, box.bottom - 3), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(surface_pixel(tabs.m_hWnd, box.CenterPoint().x, 0), RGB(0, 0, 0));
}

}  // namespace
}  // namespace lumo::test
