// The frame's menu bar: the strip above the client area, hit-testing, a click opening an item's
// pop-up after update-UI, and keyboard access through Alt, F10, arrows and mnemonics.
#include "platform/framework/menu.h"
#include "platform/framework/menu_bar.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class MenuBarTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    frame = make_main_frame();
    ASSERT_NE(frame, nullptr);
    pump();
    framework::set_menu_chooser([this](HMENU menu, HWND, POINT screen) {
      opened.push_back(menu);
      at = screen;
      nohandler_state = GetMenuState(menu, ID_TEST_NOHANDLER, MF_BYCOMMAND);
      return 0u;
    });
  }
  void TearDown() override {
    framework::set_menu_chooser(nullptr);
    FrameworkTest::TearDown();
  }

  HMENU popup(int position) const { return GetSubMenu(GetMenu(frame->m_hWnd), position); }

  CMDIFrameWnd* frame = nullptr;
  std::vector<HMENU> opened;
  POINT at{};
  UINT nohandler_state = 0;
};

TEST_F(MenuBarTest, BarTakesAStripAboveTheClientArea) {
  CRect window, client;
  frame->GetWindowRect(&window);
  frame->GetClientRect(&client);
  EXPECT_EQ(window.Height() - client.Height(), GetSystemMetrics(SM_CYMENU));
  std::vector<RECT> items = framework::menu_bar_items(frame->m_hWnd);
  ASSERT_EQ(items.size(), 4u);  // Plik, Edycja, Okno, Pomoc
  EXPECT_EQ(items[0].left, 0);
  for (size_t i = 1; i < items.size(); ++i) {
    EXPECT_EQ(items[i].left, items[i - 1].right);
    EXPECT_GT(items[i].right, items[i].left);
  }
  // Without a menu the strip goes and the client area grows back.
  HMENU menu = GetMenu(frame->m_hWnd);
  SetMenu(frame->m_hWnd, nullptr);
  DrawMenuBar(frame->m_hWnd);
  CRect bare;
  frame->GetClientRect(&bare);
  EXPECT_EQ(bare.Height(), window.Height());
  EXPECT_TRUE(framework::menu_bar_items(frame->m_hWnd).empty());
  SetMenu(frame->m_hWnd, menu);
  DrawMenuBar(frame->m_hWnd);
}

TEST_F(MenuBarTest, ClickOpensThePopupBelowItsItemAfterUpdateUi) {
  std::vector<RECT> items = framework::menu_bar_items(frame->m_hWnd);
  ASSERT_GE(items.size(), 2u);
  CRect window;
  frame->GetWindowRect(&window);
  POINT inside{window.left + (items[1].left + items[1].right) / 2, window.top + (items[1].top + items[1].bottom) / 2};
  EXPECT_EQ(frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTMENU);
  mouse_down(inside);
  mouse_up(inside);
  pump();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], popup(1));
  EXPECT_EQ(at.x, window.left + items[1].left);
  EXPECT_EQ(at.y, window.top + items[1].bottom);
  // The frame ran update-UI first: an item nobody handles is grayed.
  EXPECT_TRUE(nohandler_state & MF_GRAYED);
}

TEST_F(MenuBarTest, PopupsOfEveryLengthOpen) {
  // A sub-menu's state carries its item count; counts of 8 to 15 are no separator.
  std::vector<RECT> items = framework::menu_bar_items(frame->m_hWnd);
  CRect window;
  frame->GetWindowRect(&window);
  POINT okno{window.left + (items[2].left + items[2].right) / 2, window.top + (items[2].top + items[2].bottom) / 2};
  for (int count = 1; count <= 17; ++count) {
    while (GetMenuItemCount(popup(2)) < count) AppendMenu(popup(2), MF_STRING, ID_TEST_ACTION, "Okno");
    opened.clear();
    mouse_down(okno);
    mouse_up(okno);
    pump();
    ASSERT_EQ(opened.size(), 1u) << count;
    EXPECT_EQ(opened[0], popup(2));
    frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    press_key(VK_RIGHT);
    press_key(VK_RIGHT);
    press_key(VK_DOWN);
    pump();
    EXPECT_EQ(opened.size(), 2u) << count;
  }
}

TEST_F(MenuBarTest, KeyboardReachesTheBar) {
  // Alt alone puts the keyboard in the bar at its first item; Right, Right and Enter open "Okno".
  press_key(VK_MENU);
  pump();
  press_key(VK_RIGHT);
  press_key(VK_RIGHT);
  press_key(VK_RETURN);
  pump();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], popup(2));
  // Left from the first item wraps to the last.
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
  press_key(VK_LEFT);
  press_key(VK_DOWN);
  pump();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1], popup(3));
  // In the bar a letter opens the item it marks; Esc leaves without opening anything.
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
  press_key('E');
  pump();
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[2], popup(1));
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
  press_key(VK_ESCAPE);
  press_key(VK_RETURN);
  pump();
  EXPECT_EQ(opened.size(), 3u);
  // Alt with a mnemonic opens at once ("Pomo&c"); an unknown letter opens nothing.
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'c');
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'q');
  ASSERT_EQ(opened.size(), 4u);
  EXPECT_EQ(opened[3], popup(3));
  EXPECT_EQ(framework::menu_bar_mnemonic(GetMenu(frame->m_hWnd), 'P'), 0);
}

}  // namespace
}  // namespace lumo::test
