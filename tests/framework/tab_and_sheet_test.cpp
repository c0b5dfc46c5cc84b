// The tab control's message interface, owner-drawn tabs and buttons passed back to the control,
// and property sheets built over a real tab control that a derived sheet can take over.
#include <string>
#include <vector>

#include "platform/controls/standard_controls.h"
#include "platform/controls/tab_ctrl.h"
#include "platform/framework/property_sheet.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/framework/scripted_sheet.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// Records the tab notices it gets; with `refuse` it keeps the current tab.
class TabOwner : public CWnd {
 public:
  std::vector<std::string> notices;
  bool refuse = false;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    if (CWnd::OnNotify(wParam, lParam, pResult)) return TRUE;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == TCN_SELCHANGING) {
      notices.push_back("changing");
      *pResult = refuse;
      return TRUE;
    }
    if (header->code == TCN_SELCHANGE) notices.push_back("changed");
    return header->code == TCN_SELCHANGE;
  }
};

// Draws its own tabs and refuses every TCM_SETCURSEL to tab 1 (a disabled tab).
class GuardedTabs : public CTabCtrl {
 public:
  std::vector<UINT> drawn;  // item ids
  std::vector<LPARAM> data;
  void DrawItem(LPDRAWITEMSTRUCT d) override {
    drawn.push_back(d->itemID);
    data.push_back(LPARAM(d->itemData));
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == TCM_SETCURSEL && wParam == 1) return -1;
    return CTabCtrl::WindowProc(message, wParam, lParam);
  }
};

class TabAndSheetTest : public FrameworkTest {
 protected:
  TabOwner owner;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  }
};

TEST_F(TabAndSheetTest, TabsAnswerTheirMessagesAndASubclassSeesEverySelection) {
  GuardedTabs tabs;
  ASSERT_TRUE(tabs.Create(WS_VISIBLE | TCS_OWNERDRAWFIXED, CRect(0, 0, 300, 150), &owner, 60));
  tabs.InsertItem(0, "Zapytanie", 11);
  tabs.InsertItem(1, "Znajd\x9F w akcie", 12);
  TCITEM item;
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = const_cast<char*>("Przejd\x9F do");
  item.lParam = 13;
  EXPECT_EQ(tabs.InsertItem(5, &item), 2);
  EXPECT_EQ(tabs.GetItemCount(), 3);
  EXPECT_EQ(tabs.GetItemData(2), 13);

  // A short buffer gets as much of the label as fits, terminated.
  char buffer[6];
  TCITEM read;
  read.mask = TCIF_TEXT | TCIF_PARAM;
  read.pszText = buffer;
  read.cchTextMax = sizeof buffer;
  ASSERT_TRUE(tabs.GetItem(0, &read));
  EXPECT_EQ(std::string(buffer), "Zapyt");
  EXPECT_EQ(read.lParam, 11);
  EXPECT_FALSE(tabs.GetItem(3, &read));

  // Member calls go through the messages, so the subclass refuses tab 1 however it is asked.
  EXPECT_EQ(tabs.SetCurSel(1), -1);
  EXPECT_EQ(tabs.GetCurSel(), 0);
  EXPECT_EQ(tabs.SetCurSel(2), 0);
  // Keys move one tab, asking the owner; the refused step leaves the selection alone and tells
  // the owner nothing more.
  tabs.SetFocus();
  press_key(VK_LEFT);
  pump();
  EXPECT_EQ(tabs.GetCurSel(), 2);
  EXPECT_EQ(owner.notices, (std::vector<std::string>{"changing"}));
  tabs.SetCurSel(0);
  press_key(VK_RIGHT);
  pump();
  EXPECT_EQ(tabs.GetCurSel(), 0);
  owner.notices.clear();
  CRect r;
  ASSERT_TRUE(tabs.GetItemRect(2, &r));
  click(tabs.m_hWnd, POINT{r.left + 3, r.top + 3});
  pump();
  EXPECT_EQ(tabs.GetCurSel(), 2);
  EXPECT_EQ(owner.notices, (std::vector<std::string>{"changing", "changed"}));
  TCHITTESTINFO hit{POINT{r.left + 3, r.top + 3}, 0};
  EXPECT_EQ(tabs.HitTest(&hit), 2);
  EXPECT_EQ(hit.flags, TCHT_ONITEMLABEL);

  // Owner-drawn tabs come back to the control's DrawItem with their data.
  tabs.drawn.clear();
  tabs.data.clear();
  tabs.Invalidate();
  tabs.UpdateWindow();
  pump();
  EXPECT_EQ(tabs.drawn, (std::vector<UINT>{0, 1, 2}));
  EXPECT_EQ(tabs.data, (std::vector<LPARAM>{11, 12, 13}));
}

TEST_F(TabAndSheetTest, TabsAlongTheBottomLeaveTheAreaAboveThem) {
  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_VISIBLE | TCS_BOTTOM, CRect(0, 0, 300, 150), &owner, 61));
  tabs.InsertItem(0, "Akty");
  CRect tab;
  ASSERT_TRUE(tabs.GetItemRect(0, &tab));
  EXPECT_EQ(tab.bottom, 148);
  CRect area(0, 0, 300, 150);
  tabs.AdjustRect(FALSE, &area);
  EXPECT_LT(area.bottom, tab.top);
  EXPECT_EQ(area.top, 2);
  tabs.AdjustRect(TRUE, &area);
  EXPECT_EQ(area, CRect(0, 0, 300, 150));
}

TEST_F(TabAndSheetTest, OwnerDrawnButtonsDrawThemselves) {
  class Drawn : public CButton {
   public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT d) override {
      if (d->CtlType == ODT_BUTTON) ++draws;
    }
  } button;
  ASSERT_TRUE(button.Create("Pin", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 20, 20), &owner, 70));
  button.Invalidate();
  button.UpdateWindow();
  pump();
  EXPECT_GE(button.draws, 1);
}

// A page that can be told to refuse being left.
class Page : public CPropertyPage {
 public:
  using CPropertyPage::CPropertyPage;
  bool valid = true;
  int shown = 0;
  int help_commands = 0;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == ID_HELP) ++help_commands;
    return CPropertyPage::OnCommand(wParam, lParam);
  }
  BOOL OnKillActive() override { return valid; }
  BOOL OnSetActive() override {
    ++shown;
    return TRUE;
  }
};

TEST_F(TabAndSheetTest, SheetsWithoutApplyAndWithTheirTabControlTakenOver) {
  Page one(IDD_TEST_PAGE1), two(IDD_TEST_PAGE2);
  ScriptedSheet sheet("Informacja", &owner);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.AddPage(&one);
  sheet.AddPage(&two);
  GuardedTabs taken;
  sheet.script = [&] {
    // No Apply button; Cancel keeps to the right edge.
    EXPECT_EQ(::GetDlgItem(sheet.m_hWnd, int(ID_APPLY_NOW)), nullptr);
    CRect client, cancel;
    sheet.GetClientRect(&client);
    ::GetWindowRect(::GetDlgItem(sheet.m_hWnd, IDCANCEL), &cancel);
    sheet.ScreenToClient(&cancel);
    EXPECT_GT(cancel.right, client.right - 15);

    // The tab control is a child the sheet names; its tabs carry the page captions.
    HWND tab_window = reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETTABCONTROL));
    ASSERT_NE(tab_window, nullptr);
    EXPECT_EQ(sheet.GetTabControl()->m_hWnd, tab_window);
    EXPECT_EQ(::GetDlgCtrlID(tab_window), int(AFX_IDC_TAB_CONTROL));
    EXPECT_EQ(::SendMessage(tab_window, TCM_GETITEMCOUNT, 0, 0), 2);

    // A click on the second tab moves to its page, unless the first page refuses to be left.
    CRect second = sheet.GetTabRect(1);
    one.valid = false;
    click(sheet.m_hWnd, POINT{second.left + 3, second.top + 3});
    pump();
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    NMHDR ask{sheet.m_hWnd, UINT_PTR(sheet.GetDlgCtrlID()), PSN_KILLACTIVE};
    EXPECT_EQ(one.SendMessage(WM_NOTIFY, ask.idFrom, reinterpret_cast<LPARAM>(&ask)), TRUE);
    one.valid = true;
    EXPECT_EQ(one.SendMessage(WM_NOTIFY, ask.idFrom, reinterpret_cast<LPARAM>(&ask)), FALSE);
    click(sheet.m_hWnd, POINT{second.left + 3, second.top + 3});
    pump();
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(two.shown, 1);
    EXPECT_EQ(::SendMessage(tab_window, TCM_GETCURSEL, 0, 0), 1);
    sheet.UpdateWindow();
    ::UpdateWindow(tab_window);
    save_surface_png(tab_window, testing::TempDir() + "property_sheet_tabs.png");

    // A subclass of the tab control sees the sheet's own selections: going back to the first
    // page moves the sheet, going to the refused tab 1 keeps the tab where it was.
    ASSERT_TRUE(taken.SubclassWindow(tab_window));
    EXPECT_TRUE(sheet.SetActivePage(0));
    EXPECT_EQ(taken.GetCurSel(), 0);
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(taken.GetCurSel(), 0);
    taken.UnsubclassWindow();
    sheet.PressButton(IDOK);
  };
  EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(TabAndSheetTest, AHelpButtonAsksTheActivePageForItsHelp) {
  Page one(IDD_TEST_PAGE1), two(IDD_TEST_PAGE2);
  ScriptedSheet sheet("Opcje", &owner);
  sheet.m_psh.dwFlags |= PSH_HASHELP;
  sheet.AddPage(&one);
  sheet.AddPage(&two);
  sheet.script = [&] {
    HWND help = ::GetDlgItem(sheet.m_hWnd, IDHELP);
    ASSERT_NE(help, nullptr);
    EXPECT_NE(::GetDlgItem(sheet.m_hWnd, int(ID_APPLY_NOW)), nullptr);
    // Help is the last button, at the right edge, and all four fit side by side.
    CRect help_rect, ok_rect, client;
    ::GetWindowRect(help, &help_rect);
    ::GetWindowRect(::GetDlgItem(sheet.m_hWnd, IDOK), &ok_rect);
    sheet.GetClientRect(&client);
    sheet.ScreenToClient(&help_rect);
    sheet.ScreenToClient(&ok_rect);
    EXPECT_GT(help_rect.left, ok_rect.right);
    EXPECT_LE(help_rect.right, client.right);
    EXPECT_GE(ok_rect.left, client.left);
    sheet.SetActivePage(1);
    click(help, POINT{5, 5});
    pump();
    EXPECT_EQ(two.help_commands, 1);
    EXPECT_EQ(one.help_commands, 0);
    sheet.PressButton(IDCANCEL);
  };
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

}  // namespace
}  // namespace lumo::test
