// The navigator bars in the toolkit's MDI frame: created and docked as the main window does it,
// their tabs, tab commands, Ctrl+Tab, the context menu's docking items, the tab window's place.
#include <gtest/gtest.h>

#include <memory>

#include "navigation/nav_bar.h"
#include "platform/base/cp1250.h"
#include "platform/framework/menu.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/docking/docking_fixture.h"
#include "toolkit/frame/sec_mdi_frame.h"

namespace lumo::test {
namespace {

constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
constexpr DWORD kBarExStyle = 0x0F31;
constexpr DWORD kBarDocking = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM;

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(static_cast<LPCTSTR>(text)); }

class NavBarsTest : public DockingTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    resources::register_program_resources();
    auto* made = std::make_unique<SECMDIFrameWnd>().release();  // ends itself with its window
    ASSERT_TRUE(made->LoadFrame(IDR_TEST_MAIN));
    made->MoveWindow(0, 0, 900, 650);
    made->ShowWindow(SW_SHOW);
    app->m_pMainWnd = made;
    mdi = made;
    frame = made;
    mdi->EnableDocking(CBRS_ALIGN_ANY);
    const UINT nav_id = SECControlBar::GetUniqueBarId(mdi, 100);
    ASSERT_TRUE(nav.Create(mdi, cp("Nawigator"), kBarStyle | CBRS_BOTTOM, kBarExStyle, nav_id));
    const UINT lists_id = SECControlBar::GetUniqueBarId(mdi, 100);
    ASSERT_NE(nav_id, lists_id);
    ASSERT_TRUE(lists.Create(mdi, cp("Spisy"), kBarStyle | CBRS_LEFT, kBarExStyle, lists_id));
    nav.EnableDocking(kBarDocking);
    lists.EnableDocking(kBarDocking);
    mdi->DockControlBarSized(&nav, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 1.0f, 150);
    mdi->DockControlBarSized(&lists, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 265);
    mdi->RecalcLayout();
    pump();
  }

  static std::string Labels(const CNavBarBase& bar) {
    std::string out;
    for (int i = 0; i < bar.GetTabWnd()->GetTabCount(); ++i) {
      CString label;
      BOOL selected = FALSE;
      CWnd* page = nullptr;
      DWORD a = 0, b = 0;
      bar.GetTabWnd()->GetTabInfo(i, label, selected, page, a, b);
      out += (out.empty() ? "" : ",") + Utf8(label);
    }
    return out;
  }

  SECMDIFrameWnd* mdi = nullptr;
  COutputWnd nav;
  CIndexWnd lists;
};

TEST_F(NavBarsTest, BarsHoldTheirTabsAndDockWhereTheMainWindowPutsThem) {
  EXPECT_EQ(Labels(nav), "Historia,Zakładki,Indeksy,Rezultaty");
  EXPECT_EQ(Labels(lists), "Biblioteka,Segregator");
  EXPECT_EQ(nav.GetActiveTab(), 0);
  EXPECT_EQ(lists.GetActiveTab(), 0);
  EXPECT_EQ(nav.GetTabWnd()->GetDlgCtrlID(), int(resources::IDC_NAV_TAB_WND));
  EXPECT_TRUE(nav.IsDocked());
  EXPECT_TRUE(lists.IsDocked());
  // "Nawigator" runs along the bottom, "Spisy" down the left side.
  CRect frame_rect, nav_rect, lists_rect;
  mdi->GetWindowRect(&frame_rect);
  nav.GetWindowRect(&nav_rect);
  lists.GetWindowRect(&lists_rect);
  EXPECT_GT(nav_rect.Width(), lists_rect.Width());
  EXPECT_GT(lists_rect.Height(), nav_rect.Height());
  EXPECT_LT(lists_rect.left - frame_rect.left, 20);
  // The tab window fills the bar's inside rectangle.
  CRect inside, tabs;
  nav.GetInsideRect(inside);
  nav.GetTabWnd()->GetWindowRect(&tabs);
  nav.ScreenToClient(&tabs);
  EXPECT_EQ(tabs, inside);
}

TEST_F(NavBarsTest, TabCommandsActivateTheirTabsAndAMissingTabChangesNothing) {
  struct Case {
    CNavBarBase* bar;
    UINT command;
    int tab;
  };
  const Case cases[] = {
      {&nav, resources::ID_BOOKMARKS_TAB, 1}, {&nav, resources::ID_RESULTS_TAB, 3},
      {&nav, resources::ID_INDEXES_TAB, 2},   {&nav, resources::ID_PRINT_LIST_TAB, 2},
      {&nav, resources::ID_HISTORY_TAB, 0},   {&lists, resources::ID_BINDER_TAB, 1},
      {&lists, resources::ID_LIBRARY_TAB, 0},
  };
  for (const Case& c : cases) {
    c.bar->SendMessage(WM_COMMAND, c.command);
    EXPECT_EQ(c.bar->GetActiveTab(), c.tab) << c.command;
  }
}

TEST_F(NavBarsTest, CtrlTabCyclesNavigatorAndAlternatesLists) {
  EXPECT_EQ(navbar::NextNavigatorTab(3, 4), 0);
  EXPECT_EQ(navbar::NextNavigatorTab(1, 4), 2);
  EXPECT_EQ(navbar::NextIndexTab(0), 1);
  EXPECT_EQ(navbar::NextIndexTab(1), 0);

  // With the focus inside a page the key reaches the bar first.
  nav.GetTabWnd()->GetActiveWnd()->SetFocus();
  pump();
  for (int expected : {1, 2, 3, 0}) {
    press_key(VK_TAB, 0, {.control = true});
    pump();
    EXPECT_EQ(nav.GetActiveTab(), expected);
  }
  lists.GetTabWnd()->GetActiveWnd()->SetFocus();
  for (int expected : {1, 0, 1}) {
    press_key(VK_TAB, 0, {.control = true});
    pump();
    EXPECT_EQ(lists.GetActiveTab(), expected);
  }
  // Esc without an open sheet leaves the focus where it was.
  HWND focus = ::GetFocus();
  press_key(VK_ESCAPE);
  pump();
  EXPECT_EQ(::GetFocus(), focus);
}

TEST_F(NavBarsTest, ContextMenuPutsTheTabsBeforeTheDockingItems) {
  for (CNavBarBase* bar : {static_cast<CNavBarBase*>(&nav), static_cast<CNavBarBase*>(&lists)}) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_SECBAR_TOGGLE_DOCKING, cp("Przy krawędzi"));
    menu.AppendMenu(MF_STRING, ID_SECBAR_HIDE, cp("Ukryj"));
    bar->ExtendContextMenu(&menu);
    const int tabs = bar == &nav ? 4 : 2;
    ASSERT_EQ(int(menu.GetMenuItemCount()), tabs + 3);
    EXPECT_EQ(menu.GetMenuItemID(0), bar == &nav ? resources::ID_HISTORY_TAB : resources::ID_LIBRARY_TAB);
    EXPECT_EQ(menu.GetMenuItemID(tabs), 0u);  // separator
    EXPECT_EQ(menu.GetMenuItemID(tabs + 1), ID_SECBAR_TOGGLE_DOCKING);
    EXPECT_TRUE(menu.GetMenuState(ID_SECBAR_TOGGLE_DOCKING, MF_BYCOMMAND) & MF_CHECKED);
  }
  // Floating, "Przy krawędzi" carries no mark.
  mdi->FloatControlBar(&nav, CPoint(200, 200), CBRS_ALIGN_TOP);
  pump();
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING | MF_CHECKED, ID_SECBAR_TOGGLE_DOCKING, cp("Przy krawędzi"));
  nav.ExtendContextMenu(&menu);
  EXPECT_FALSE(menu.GetMenuState(ID_SECBAR_TOGGLE_DOCKING, MF_BYCOMMAND) & MF_CHECKED);
  // The tab window of a floating bar reaches past the inside rectangle.
  CRect inside, tabs;
  nav.GetInsideRect(inside);
  nav.GetTabWnd()->GetWindowRect(&tabs);
  nav.ScreenToClient(&tabs);
  EXPECT_EQ(tabs, navbar::TabWindowRect(inside, true));
}

TEST_F(NavBarsTest, Picture) {
  nav.SendMessage(WM_COMMAND, resources::ID_BOOKMARKS_TAB);
  pump();
  const QImage image = picture({frame->m_hWnd}, [&] {
    CRect r;
    frame->GetWindowRect(&r);
    return r;
  }());
  EXPECT_TRUE(save(image, "nav_bars.png"));
}

}  // namespace
}  // namespace lumo::test
