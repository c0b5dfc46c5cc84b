// Tab windows: the page bookkeeping (activation, deletion, the index past the end), per-page
// scroll state of the shared bars, the splitter, the raised window's page rectangle, and
// pictures of both.
#include "platform/controls/standard_controls.h"
#include "platform/gdi/core/icons.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "tests/toolkit_tabs/tabs_fixture.h"
#include "toolkit/frame/sec_tab_wnd.h"

namespace lumo::test {
namespace {

TEST(TabWindowLayout, FlatChildren) {
  const CRect client(0, 0, 400, 300);
  EXPECT_EQ(tabwnd::FlatInside(client, 17, 16, 0), CRect(0, 0, 400, 283));
  EXPECT_EQ(tabwnd::FlatInside(client, 17, 16, WS_VSCROLL), CRect(0, 0, 384, 283));
  const tabwnd::FlatLayout both = tabwnd::LayoutFlat(CRect(0, 0, 384, 283), 17, 16, WS_HSCROLL | WS_VSCROLL, 150);
  EXPECT_EQ(both.tabs, CRect(0, 283, 150, 300));
  EXPECT_EQ(both.hscroll, CRect(155, 283, 385, 300));
  EXPECT_EQ(both.vscroll, CRect(384, 0, 400, 283));
  // Without the horizontal bar the strip spans the page.
  const tabwnd::FlatLayout none = tabwnd::LayoutFlat(CRect(0, 0, 400, 283), 17, 16, 0, 150);
  EXPECT_EQ(none.tabs, CRect(0, 283, 400, 300));
  EXPECT_TRUE(none.hscroll.IsRectEmpty());
  EXPECT_TRUE(none.vscroll.IsRectEmpty());
  // The splitter keeps 60 pixels for the bar and never goes below 0.
  EXPECT_EQ(tabwnd::LayoutFlat(CRect(0, 0, 100, 50), 17, 16, WS_HSCROLL, 90).splitter, 40);
  EXPECT_EQ(tabwnd::LayoutFlat(CRect(0, 0, 40, 50), 17, 16, WS_HSCROLL, 90).splitter, 0);
  EXPECT_EQ(tabwnd::SizedSplitter(0, 400, true, true), 340);
  EXPECT_EQ(tabwnd::SizedSplitter(0, 50, true, true), 0);
  EXPECT_EQ(tabwnd::SizedSplitter(300, 200, false, true), 140);
  EXPECT_EQ(tabwnd::SizedSplitter(100, 200, false, true), 100);
  EXPECT_EQ(tabwnd::SizedSplitter(0, 380, true, false), 380);
  EXPECT_EQ(tabwnd::SplitterRect(CRect(0, 0, 384, 283), 150, 17), CRect(150, 283, 155, 300));
}

TEST(TabWindowLayout, RaisedPageOnEachSide) {
  const CRect client(0, 0, 300, 200);
  // Tabs below: 4 at the top, 6 at the left, 7 at the right and 31 at the bottom.
  EXPECT_EQ(tabwnd::RaisedInside(client, TWS_TABS_BELOW), CRect(6, 4, 293, 169));
  EXPECT_EQ(tabwnd::RaisedInside(client, TWS_TABS_ABOVE), CRect(6, 31, 293, 196));
  EXPECT_EQ(tabwnd::RaisedInside(client, TWS_TABS_LEFT), CRect(31, 4, 293, 194));
  EXPECT_EQ(tabwnd::RaisedInside(client, TWS_TABS_RIGHT), CRect(6, 4, 269, 194));
  const CRect below = tabwnd::RaisedInside(client, TWS_TABS_BELOW);
  EXPECT_EQ(tabwnd::RaisedStrip(client, below, TWS_TABS_BELOW), CRect(6, 170, 293, 200));
  const CRect right = tabwnd::RaisedInside(client, TWS_TABS_RIGHT);
  EXPECT_EQ(tabwnd::RaisedStrip(client, right, TWS_TABS_RIGHT), CRect(269, 0, 300, 190));
}

class TabWndTest : public TabsTest {
 protected:
  SECTabWnd wnd;
  TestPage pages[4];
  void make(DWORD style = TWS_SCROLL_PREVNEXT) {
    ASSERT_TRUE(wnd.Create(&parent, WS_CHILD | WS_VISIBLE | style, 0xE900));
    wnd.MoveWindow(0, 0, 600, 360);
    const char* names[] = {"Historia", "Zakładki", "Indeksy", "Rezultaty"};
    for (int i = 0; i < 4; ++i) {
      ASSERT_TRUE(pages[i].Make(&wnd, names[i], 100 + UINT(i)));
      wnd.AddTab(&pages[i], pages[i].name);
    }
    wnd.ActivateTab(0);
    pump();
  }
  int active() {
    int index = -1;
    return wnd.GetActiveTabIndex(index) ? index : -1;
  }
};

TEST_F(TabWndTest, PagesFollowTheirTabs) {
  make();
  EXPECT_EQ(wnd.GetTabCount(), 4);
  EXPECT_EQ(active(), 0);
  CWnd* shown = nullptr;
  ASSERT_TRUE(wnd.GetActiveTabWindow(shown));
  EXPECT_EQ(shown, &pages[0]);
  EXPECT_TRUE(pages[0].IsWindowVisible());
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(pages[i].IsWindowVisible()) << i;
  // The page fills the space above the strip.
  CRect inside, r;
  wnd.GetInsideRect(inside);
  pages[0].GetWindowRect(&r);
  wnd.ScreenToClient(&r);
  EXPECT_EQ(r, inside);
  wnd.ActivateTab(1);
  pump();
  save_window_png(parent.m_hWnd, "tab_wnd_flat_pages.png");
  wnd.ActivateTab(0);
  parent.heard.clear();

  // Index 4 of 4 names no tab.
  wnd.ActivateTab(4);
  EXPECT_EQ(active(), 0);
  EXPECT_TRUE(parent.heard.empty());
  wnd.ActivateTab(2);
  EXPECT_EQ(active(), 2);
  EXPECT_EQ(parent.of(WM_TABACTIVATE), std::vector<int>{2});
  EXPECT_TRUE(pages[2].IsWindowVisible());
  EXPECT_FALSE(pages[0].IsWindowVisible());
  // The same page again changes nothing.
  wnd.ActivateTab(&pages[2]);
  EXPECT_EQ(parent.of(WM_TABACTIVATE).size(), 1u);

  // Deleting a tab before the active one keeps the same page active.
  wnd.DeleteTab(0);
  EXPECT_EQ(active(), 1);
  EXPECT_EQ(wnd.GetActiveWnd(), &pages[2]);
  EXPECT_FALSE(pages[0].IsWindowVisible());
  // Deleting the active tab shows the page that takes its index and tells the parent; the
  // deleted page does not stay in sight.
  parent.heard.clear();
  wnd.DeleteTab(1);
  EXPECT_EQ(wnd.GetActiveWnd(), &pages[3]);
  EXPECT_EQ(parent.of(WM_TABACTIVATE), std::vector<int>{1});
  EXPECT_FALSE(pages[2].IsWindowVisible());
  EXPECT_TRUE(pages[3].IsWindowVisible());
  wnd.DeleteTab(&pages[1]);
  wnd.DeleteTab(0);
  EXPECT_EQ(wnd.GetTabCount(), 0);
  EXPECT_EQ(active(), -1);
  EXPECT_EQ(wnd.GetActiveWnd(), nullptr);
  EXPECT_FALSE(pages[3].IsWindowVisible());
  pump();
  EXPECT_EQ(surface_pixel(wnd.m_hWnd, 50, 50), ::GetSysColor(COLOR_BTNFACE));
  // The shared bars have nobody to speak for.
  wnd.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  wnd.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
}

TEST_F(TabWndTest, EveryPageKeepsItsScrollState) {
  make();
  wnd.SetTabScrollStyle(0, WS_HSCROLL | WS_VSCROLL);
  wnd.SetTabScrollStyle(1, WS_HSCROLL);
  wnd.ActivateTab(1);
  wnd.ActivateTab(0);
  CScrollBar* h = wnd.GetScrollBar(0);
  CScrollBar* v = wnd.GetScrollBar(1);
  ASSERT_NE(h, nullptr);
  ASSERT_NE(v, nullptr);
  EXPECT_TRUE(h->IsWindowVisible());
  EXPECT_TRUE(v->IsWindowVisible());
  SCROLLINFO info{};
  info.fMask = SIF_ALL;
  info.nMin = 0;
  info.nMax = 100;
  info.nPage = 10;
  info.nPos = 30;
  h->SetScrollInfo(&info);
  info.nPos = 60;
  v->SetScrollInfo(&info);

  // A page put in before them gets its own fresh state; theirs stay with them.
  TestPage extra;
  ASSERT_TRUE(extra.Make(&wnd, "Nowa", 200));
  wnd.InsertTab(&extra, 0, "Nowa");
  EXPECT_EQ(wnd.GetTabScrollStyle(0), 0u);
  EXPECT_EQ(wnd.GetTabScrollStyle(1), DWORD(WS_HSCROLL | WS_VSCROLL));
  EXPECT_EQ(wnd.GetTabScrollStyle(2), DWORD(WS_HSCROLL));

  wnd.ActivateTab(&pages[1]);
  EXPECT_EQ(wnd.GetScrollBar(1), nullptr);
  EXPECT_FALSE(v->IsWindowVisible());
  info.nMax = 500;
  info.nPos = 250;
  h->SetScrollInfo(&info);
  // The pages that use no bar hide both.
  wnd.ActivateTab(&extra);
  EXPECT_FALSE(h->IsWindowVisible());
  EXPECT_FALSE(v->IsWindowVisible());

  wnd.ActivateTab(&pages[0]);
  SCROLLINFO got{};
  got.fMask = SIF_ALL;
  h->GetScrollInfo(&got);
  EXPECT_EQ(got.nPos, 30);
  EXPECT_EQ(got.nMax, 100);
  v->GetScrollInfo(&got);
  EXPECT_EQ(got.nPos, 60);
  wnd.ActivateTab(&pages[1]);
  h->GetScrollInfo(&got);
  EXPECT_EQ(got.nPos, 250);
  EXPECT_EQ(got.nMax, 500);

  // The bars speak for the active page.
  wnd.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(h->m_hWnd));
  EXPECT_EQ(pages[1].hscrolls, 1);
  EXPECT_EQ(pages[0].hscrolls, 0);
  wnd.DeleteTab(&extra);
  extra.DestroyWindow();
}

TEST_F(TabWndTest, TheSplitterFollowsTheWidthAndTheMouse) {
  make();
  wnd.SetTabScrollStyle(0, WS_HSCROLL);
  wnd.ActivateTab(1);
  wnd.ActivateTab(0);
  wnd.MoveWindow(0, 0, 400, 300);
  pump();
  CRect client;
  wnd.GetClientRect(&client);
  EXPECT_LE(wnd.GetSplitterPos(), client.Width() - 60);
  wnd.MoveWindow(0, 0, 200, 300);
  pump();
  wnd.GetClientRect(&client);
  EXPECT_EQ(wnd.GetSplitterPos(), client.Width() - 60);

  // Drag the splitter 40 pixels left.
  wnd.MoveWindow(0, 0, 600, 360);
  pump();
  const int before = wnd.GetSplitterPos();
  const CRect splitter = wnd.GetSplitterRect();
  const POINT grab = screen_point(wnd.m_hWnd, {splitter.left + 2, splitter.top + 5});
  when_captured([&] {
    mouse_move({grab.x - 40, grab.y});
    mouse_up({grab.x - 40, grab.y});
  });
  mouse_down(grab);
  pump();
  pump();
  EXPECT_EQ(::GetCapture(), nullptr);
  // The splitter's left edge follows the mouse, one pixel left of the grab offset.
  EXPECT_EQ(wnd.GetSplitterPos(), before - 40 - 1);
  CRect tabs;
  wnd.GetTabControl()->GetWindowRect(&tabs);
  EXPECT_EQ(tabs.Width(), wnd.GetSplitterPos());
  save_window_png(parent.m_hWnd, "tab_wnd_flat.png");
  // The splitter's five columns: black, highlight, face, shadow, black.
  const CRect s = wnd.GetSplitterRect();
  EXPECT_EQ(surface_pixel(wnd.m_hWnd, s.left, s.top + 4), RGB(0, 0, 0));
  EXPECT_EQ(surface_pixel(wnd.m_hWnd, s.left + 1, s.top + 4), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(surface_pixel(wnd.m_hWnd, s.left + 3, s.top + 4), ::GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(TabsTest, RaisedTabWindowFramesItsPage) {
  SEC3DTabWnd wnd;
  ASSERT_TRUE(wnd.Create(&parent, WS_CHILD | WS_VISIBLE | TWS_TABS_BELOW, 0xE900));
  wnd.MoveWindow(0, 0, 300, 360);
  TestPage library, binder;
  ASSERT_TRUE(library.Make(&wnd, "Biblioteka", 101));
  ASSERT_TRUE(binder.Make(&wnd, "Segregator", 102));
  wnd.AddTab(&library, cp("Biblioteka"));
  wnd.AddTab(&binder, cp("Segregator"));
  HICON icon = make_book_icon();
  wnd.SetTabIcon(0, icon);
  wnd.SetTabIcon(1, icon);
  wnd.ActivateTab(0);
  pump();
  CRect client, page;
  wnd.GetClientRect(&client);
  library.GetWindowRect(&page);
  wnd.ScreenToClient(&page);
  EXPECT_EQ(page, CRect(6, 4, client.right - 7 - 1, client.bottom - 31));
  parent.heard.clear();
  CRect tab;
  wnd.Get3DTabControl()->GetTabRect(1, tab);
  click(wnd.Get3DTabControl()->m_hWnd, tab.CenterPoint());
  pump();
  EXPECT_EQ(parent.of(WM_TABACTIVATE), std::vector<int>{1});
  EXPECT_EQ(wnd.GetActiveWnd(), &binder);
  EXPECT_FALSE(library.IsWindowVisible());
  save_window_png(parent.m_hWnd, "tab_wnd_3d.png");
  // The frame around the page: white, face, shadow and black columns at its left.
  EXPECT_EQ(surface_pixel(wnd.m_hWnd, page.left - 4, page.top + 20), RGB(255, 255, 255));
  EXPECT_EQ(surface_pixel(wnd.m_hWnd, page.left - 2, page.top + 20), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(surface_pixel(wnd.m_hWnd, page.left - 1, page.top + 20), RGB(0, 0, 0));
  wnd.DestroyWindow();
  DestroyIcon(icon);
}

}  // namespace
}  // namespace lumo::test
