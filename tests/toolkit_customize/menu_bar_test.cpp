// The toolkit's menu bar in a test frame: the frame's menu shown as bar buttons, a press dropping
// the button's pop-up, Alt with a letter and Alt+Space from the keyboard, Left and Right moving to
// the neighbouring menu while one is open (the second request waits for the first pop-up to
// close), the system menu's double click, and a maximised child's buttons on the bar.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "platform/framework/menu.h"
#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "resources/resource_ids.h"
#include "tests/toolkit_customize/customize_fixture.h"
#include "toolkit/widgets/menu_bar.h"
#include "toolkit/widgets/toolbar_checklist.h"

namespace lumo::test {
namespace {

using namespace resources;

class MenuBarTest : public CustomizeTest {
 protected:
  void SetUp() override {
    CustomizeTest::SetUp();
    new_frame(IDR_MAINFRAME);
    attach_manager();
    make_bars();
    menuBar = new SECMDIMenuBar;
    menuBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(menuBar->CreateMenuBar(mdi, manager.get()));
    mdi->RecalcLayout();
    pump();
    feature = dynamic_cast<SECMenuBarFeature*>(mdi->GetMenuPlugIn());
    ASSERT_NE(feature, nullptr);
    main = mdi->GetDefaultMenu();
    ASSERT_NE(main, nullptr);
  }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (int i = 0; i < menuBar->GetBtnCount(); ++i) {
      if (auto* b = dynamic_cast<SECMenuBarButton*>(menuBar->GetButton(i))) out.push_back(utf8(b->m_strText));
    }
    return out;
  }
  // The pop-ups the frame was asked to prepare, as positions in the main menu (-1 for others).
  std::vector<int> popups() {
    std::vector<int> out;
    for (auto& [message, wParam] : tool_frame->log) {
      if (message != WM_INITMENUPOPUP) continue;
      int at = -1;
      for (int i = 0; i < ::GetMenuItemCount(main); ++i) {
        if (::GetSubMenu(main, i) == reinterpret_cast<HMENU>(wParam)) at = i;
      }
      out.push_back(at);
    }
    return out;
  }
  BOOL sys_char(char ch) {
    MSG msg;
    msg.hwnd = mdi->m_hWnd;
    msg.message = WM_SYSCHAR;
    msg.wParam = BYTE(ch);
    return mdi->PreTranslateMessage(&msg);
  }

  SECMDIMenuBar* menuBar = nullptr;
  SECMenuBarFeature* feature = nullptr;
  HMENU main = nullptr;
};

TEST_F(MenuBarTest, TheFrameShowsItsMenuOnTheBar) {
  EXPECT_EQ(::GetMenu(mdi->m_hWnd), nullptr);
  EXPECT_EQ(mdi->GetMenuBar(), menuBar);
  EXPECT_EQ(feature->GetMenuBar(), menuBar);
  EXPECT_EQ(UINT(menuBar->GetDlgCtrlID()), SEC_IDW_MENUBAR);
  CString title;
  menuBar->GetWindowText(title);
  EXPECT_EQ(utf8(title), "Pasek menu");
  EXPECT_EQ(texts(), (std::vector<std::string>{"&Plik", "&Widok", "&Zakładki", "&Narzędzia", "&Indeks", "&Okno", "Pomo&c"}));
  EXPECT_EQ(menuBar->FindMnemonic('z'), 2);
  EXPECT_EQ(menuBar->FindMnemonic('c'), 6);
  EXPECT_EQ(menuBar->FindMnemonic('q'), -1);
  // Docked at the top above the toolbars, its buttons side by side.
  EXPECT_TRUE(menuBar->IsHorzDocked());
  CRect barRect, standardRect, client;
  menuBar->GetWindowRect(&barRect);
  bar(kStandardBar)->GetWindowRect(&standardRect);
  EXPECT_LE(barRect.bottom, standardRect.top);
  mdi->GetClientRect(&client);
  EXPECT_GE(barRect.Width(), client.Width() - 4);
  EXPECT_LT(menuBar->GetItemRect(0).right, menuBar->GetItemRect(1).left + 1);
  // An unknown menu is refused; 20514 stands for the main window's own.
  EXPECT_FALSE(menuBar->SwitchMenu(4242));
  // It is no user toolbar: the toolbars page cannot hide it or rename it.
  EXPECT_FALSE(menuBar->IsUserBar());
  CRect area;
  mdi->GetWindowRect(&area);
  const QImage image = DockingTest::picture({mdi->m_hWnd}, area).copy(0, 0, 560, 110);
  save(image.scaled(image.width() * 2, image.height() * 2), "menu_bar_top.png");
}

TEST_F(MenuBarTest, TheSavedLayoutKeepsTheMenuBarAMenuBar) {
  EXPECT_EQ(manager->GetBarTypeID(menuBar), SEC_BARTYPE_MENUBAR);
  const std::vector<std::string> before = texts();
  manager->SaveStateToProfile("LumoKAL");
  manager->LoadStateFromProfile("LumoKAL");
  mdi->RecalcLayout();
  pump();
  // Still the menu's buttons, and no second bar with its id.
  EXPECT_EQ(texts(), before);
  int withId = 0;
  for (CControlBar* b : mdi->m_listControlBars) withId += UINT(b->GetDlgCtrlID()) == SEC_IDW_MENUBAR;
  EXPECT_EQ(withId, 1);
  EXPECT_TRUE(menuBar->IsHorzDocked());
}

TEST_F(MenuBarTest, APressDropsTheButtonsPopUpAndItsCommandRuns) {
  framework::set_menu_chooser([](HMENU, HWND, POINT) -> UINT { return ::ID_FILE_OPEN; });
  click(menuBar->m_hWnd, menuBar->GetItemRect(0).CenterPoint());
  pump();
  EXPECT_EQ(popups(), std::vector<int>{0});
  bool ran = false;
  for (auto& [message, wParam] : tool_frame->log) ran |= message == WM_COMMAND && LOWORD(wParam) == ::ID_FILE_OPEN;
  EXPECT_TRUE(ran);
  // Afterwards no button stays pressed and nothing is tracked.
  EXPECT_EQ(menuBar->GetTrackedIndex(), -1);
  EXPECT_FALSE(menuBar->GetButton(0)->GetStyle() & SEC_TBBS_PRESSED);
  EXPECT_FALSE(SECMenuBarTracker::IsTracking());
  // The pop-up's items were made bitmap items on the way.
  MENUITEMINFO mii;
  mii.fMask = MIIM_TYPE;
  ::GetMenuItemInfo(::GetSubMenu(main, 0), 0, TRUE, &mii);
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
}

TEST_F(MenuBarTest, AltWithALetterOpensItsMenuAndOtherLettersAreSwallowed) {
  framework::set_menu_chooser([](HMENU, HWND, POINT) -> UINT { return 0; });
  EXPECT_TRUE(sys_char('z'));
  EXPECT_EQ(popups(), std::vector<int>{2});
  EXPECT_TRUE(sys_char('C'));
  EXPECT_EQ(popups(), (std::vector<int>{2, 6}));
  // No button is marked Q: consumed, nothing opens, nothing beeps.
  EXPECT_TRUE(sys_char('q'));
  EXPECT_EQ(popups().size(), 2u);
  // Other messages are the frame's.
  MSG other;
  other.hwnd = mdi->m_hWnd;
  other.message = WM_CHAR;
  other.wParam = 'z';
  EXPECT_FALSE(feature->PreTranslateMessage(&other));
}

TEST_F(MenuBarTest, RightAndLeftMoveToTheNeighbouringMenuWhileOneIsOpen) {
  // The real menu loop: once the first pop-up waits, Right; on the next one, Left; then Esc.
  int step = 0;
  tool_frame->on_idle = [&] {
    const size_t shown = popups().size();
    if (step == 0 && shown == 1) {
      step = 1;
      EXPECT_TRUE(SECMenuBarTracker::IsTracking());
      mdi->PostMessage(WM_KEYDOWN, VK_RIGHT, 0);
    } else if (step == 1 && shown == 2) {
      step = 2;
      EXPECT_EQ(menuBar->GetTrackedIndex(), 1);
      EXPECT_TRUE(menuBar->GetButton(1)->GetStyle() & SEC_TBBS_PRESSED);
      EXPECT_FALSE(menuBar->GetButton(0)->GetStyle() & SEC_TBBS_PRESSED);
      // The frame with the open pop-up over it.
      std::vector<HWND> shown{mdi->m_hWnd};
      for (HWND top = ::GetTopWindow(nullptr); top; top = ::GetWindow(top, GW_HWNDNEXT)) {
        if (top != mdi->m_hWnd && ::IsWindowVisible(top)) shown.push_back(top);
      }
      CRect area;
      mdi->GetWindowRect(&area);
      save(DockingTest::picture(shown, area).copy(0, 0, 560, 300), "menu_bar_open.png");
      mdi->PostMessage(WM_KEYDOWN, VK_LEFT, 0);
    } else if (step == 2 && shown == 3) {
      step = 3;
      mdi->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    }
  };
  EXPECT_TRUE(sys_char('p'));
  tool_frame->on_idle = nullptr;
  EXPECT_EQ(step, 3);
  EXPECT_EQ(popups(), (std::vector<int>{0, 1, 0}));
  EXPECT_FALSE(SECMenuBarTracker::IsTracking());
  EXPECT_EQ(menuBar->GetTrackedIndex(), -1);
}

TEST_F(MenuBarTest, ASecondRequestWhileAPopUpIsOpenWaitsForItToClose) {
  int step = 0;
  std::vector<int> depth;
  tool_frame->on_idle = [&] {
    const size_t shown = popups().size();
    if (step == 0 && shown == 1) {
      step = 1;
      // The mouse slides onto "Okno": that menu is asked for while "Plik" is open.
      mouse_move(screen_point(menuBar->m_hWnd, menuBar->GetItemRect(5).CenterPoint()));
    } else if (step == 1 && shown == 2) {
      step = 2;
      depth.push_back(int(SECMenuBarTracker::IsTracking()));
      mdi->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    }
  };
  EXPECT_TRUE(sys_char('p'));
  tool_frame->on_idle = nullptr;
  EXPECT_EQ(popups(), (std::vector<int>{0, 5}));
  EXPECT_EQ(depth, std::vector<int>{1});
  EXPECT_FALSE(SECMenuBarTracker::IsTracking());
}

TEST_F(MenuBarTest, AltSpaceDropsTheSystemMenuAndItsBoxTakesADoubleClick) {
  framework::set_menu_chooser([](HMENU, HWND, POINT) -> UINT { return SC_CLOSE; });
  EXPECT_TRUE(sys_char(' '));
  pump();
  ASSERT_FALSE(tool_frame->sys_commands.empty());
  EXPECT_EQ(tool_frame->sys_commands.back() & 0xFFF0, SC_CLOSE);
  // Its default item is the close command.
  EXPECT_EQ(::GetMenuDefaultItem(::GetSystemMenu(mdi->m_hWnd, FALSE), FALSE, 0), UINT(SC_CLOSE));

  // The real loop: a double click on the system-menu box closes the menu and sends the default.
  framework::set_menu_chooser(nullptr);
  tool_frame->sys_commands.clear();
  bool clicked = false;
  tool_frame->on_idle = [&] {
    if (clicked) return;
    clicked = true;
    const CRect box = SECMenuBarTracker::SysMenuBox(mdi);
    ::SetCursorPos(box.left + 3, box.top + 3);
    mdi->PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
  };
  mdi->SendMessage(WM_SYSCOMMAND, 0xF093, 0);
  tool_frame->on_idle = nullptr;
  pump();
  EXPECT_TRUE(clicked);
  ASSERT_EQ(tool_frame->sys_commands.size(), 2u);  // the mouse-menu command, then the default
  EXPECT_EQ(tool_frame->sys_commands[1], WPARAM(SC_CLOSE));
  EXPECT_FALSE(SECMenuBarTracker::IsTracking());
}

TEST_F(MenuBarTest, AMaximisedChildPutsItsIconAndCaptionButtonsOnTheBar) {
  auto* child = new SECMDIChildWnd;
  ASSERT_TRUE(child->LoadFrame(IDR_MAINFRAME, WS_CHILD | WS_OVERLAPPEDWINDOW, mdi));
  child->ShowWindow(SW_SHOW);
  mdi->MDIActivate(child);
  mdi->MDIMaximize(child);
  pump();
  menuBar->OnUpdateCmdUI(mdi, FALSE);
  ASSERT_GE(menuBar->GetBtnCount(), 9);
  auto* sys = dynamic_cast<SECMenuBarSysButton*>(menuBar->GetButton(0));
  auto* caption = dynamic_cast<SECMenuBarCaptionButton*>(menuBar->GetButton(menuBar->GetBtnCount() - 1));
  ASSERT_NE(sys, nullptr);
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(menuBar->GetSysMenuWnd(), child);
  // The main window shows no window menu of its own beside the bar.
  EXPECT_EQ(::GetMenu(mdi->m_hWnd), nullptr);
  mdi->RecalcLayout();
  pump();
  // The caption button keeps to the bar's far end; its close part answers, the others as the
  // child's styles allow.
  CRect client;
  menuBar->GetClientRect(&client);
  EXPECT_GT(caption->m_x, client.Width() / 2);
  const CRect close = caption->PartRect(2);
  EXPECT_EQ(caption->HitPart(close.CenterPoint().x, close.CenterPoint().y), 2);
  EXPECT_EQ(caption->PartRect(2).left, caption->PartRect(1).right + 2);
  CRect area;
  mdi->GetWindowRect(&area);
  const QImage image = DockingTest::picture({mdi->m_hWnd}, area).copy(0, 0, area.Width(), 90);
  save(image, "menu_bar_maximised_child.png");
  // A click on the close part closes the child.
  const HWND childWindow = child->m_hWnd;
  click(menuBar->m_hWnd, close.CenterPoint());
  pump();
  EXPECT_FALSE(::IsWindow(childWindow));
}

}  // namespace
}  // namespace lumo::test
