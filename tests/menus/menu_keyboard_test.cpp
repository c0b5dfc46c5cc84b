// The frame's menu bar while its pop-ups are open: the keyboard walks between the bar's pop-ups
// and into and out of sub-menus, Esc closes one level at a time back to the bar, Alt closes all,
// and the mouse switches pop-ups over the bar.
#include <memory>

#include "platform/framework/menu.h"
#include "platform/framework/menu_bar.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/menus/menu_script.h"
#include "tests/support/message_log.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr UINT ID_NEW = 34301;
constexpr UINT ID_CLOSE = 34302;
constexpr UINT ID_TOOLS = 34303;
constexpr UINT ID_STATUS = 34304;
constexpr UINT ID_REFRESH = 34305;
constexpr UINT ID_ZOOM = 34306;
constexpr UINT ID_ABOUT = 34307;

class MenuBarKeyboardTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    frame = make_main_frame();
    ASSERT_NE(frame, nullptr);
    // Items keep the states given here: nothing greys commands without handlers.
    frame->m_bAutoMenuEnable = FALSE;
    file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, ID_NEW, "&Nowy");
    AppendMenu(file, MF_SEPARATOR, 0, nullptr);
    AppendMenu(file, MF_STRING, ID_CLOSE, "Za&mknij");
    bars = CreatePopupMenu();
    AppendMenu(bars, MF_STRING, ID_TOOLS, cp("&Narzędzia"));
    AppendMenu(bars, MF_STRING, ID_STATUS, "&Stan");
    view = CreatePopupMenu();
    AppendMenu(view, MF_POPUP, reinterpret_cast<UINT_PTR>(bars), "&Paski");
    AppendMenu(view, MF_STRING | MF_GRAYED, ID_REFRESH, cp("&Odśwież"));
    AppendMenu(view, MF_STRING, ID_ZOOM, cp("Po&większ"));
    help = CreatePopupMenu();
    AppendMenu(help, MF_STRING, ID_ABOUT, "&O programie");
    bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&Plik");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&Widok");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "Pomo&c");
    old_menu = GetMenu(frame->m_hWnd);
    SetMenu(frame->m_hWnd, bar);
    DrawMenuBar(frame->m_hWnd);
    pump();
    log = std::make_unique<MessageLog>(
        std::set<UINT>{WM_INITMENUPOPUP, WM_MENUSELECT, WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_COMMAND});
  }

  void TearDown() override {
    log.reset();
    if (IsWindow(frame->m_hWnd)) SetMenu(frame->m_hWnd, old_menu);
    DestroyMenu(bar);
    FrameworkTest::TearDown();
  }

  // The pop-ups the frame was asked to prepare, in order.
  std::vector<HMENU> opened() const {
    std::vector<HMENU> out;
    for (const LoggedMessage& m : log->entries()) {
      if (m.hwnd == frame->m_hWnd && m.message == WM_INITMENUPOPUP) out.push_back(reinterpret_cast<HMENU>(m.wParam));
    }
    return out;
  }
  // The items the frame heard selected (command id, or position for a pop-up item), in order.
  std::vector<UINT> selected() const {
    std::vector<UINT> out;
    for (const LoggedMessage& m : log->entries()) {
      if (m.hwnd == frame->m_hWnd && m.message == WM_MENUSELECT && HIWORD(m.wParam) != kMenuClosedFlags) {
        out.push_back(LOWORD(m.wParam));
      }
    }
    return out;
  }
  std::vector<UINT> commands() const {
    std::vector<UINT> out;
    for (const LoggedMessage& m : log->entries()) {
      if (m.hwnd == frame->m_hWnd && m.message == WM_COMMAND) out.push_back(LOWORD(m.wParam));
    }
    return out;
  }
  int loops() const {
    int n = 0;
    for (const LoggedMessage& m : log->entries()) n += m.hwnd == frame->m_hWnd && m.message == WM_ENTERMENULOOP;
    return n;
  }
  // The centre of a bar item in screen coordinates.
  POINT bar_item_centre(int position) const {
    RECT item = framework::menu_bar_items(frame->m_hWnd)[size_t(position)];
    CRect window;
    frame->GetWindowRect(&window);
    return POINT{window.left + (item.left + item.right) / 2, window.top + (item.top + item.bottom) / 2};
  }

  CMDIFrameWnd* frame = nullptr;
  HMENU bar = nullptr, file = nullptr, view = nullptr, bars = nullptr, help = nullptr, old_menu = nullptr;
  std::unique_ptr<MessageLog> log;
};

TEST_F(MenuBarKeyboardTest, LeftAndRightWalkAcrossTheBarPopupsAndSubMenus) {
  press_key(VK_MENU);    // the keyboard enters the bar at "Plik"
  press_key(VK_DOWN);    // "Plik" opens with "Nowy" selected
  press_key(VK_UP);      // wraps to "Zamknij", past the separator
  press_key(VK_RIGHT);   // no sub-menu there: "Widok" opens, "Paski" selected
  press_key(VK_RIGHT);   // "Paski" opens its sub-menu, "Narzędzia" selected
  press_key(VK_LEFT);    // the sub-menu closes, "Paski" stays selected
  press_key(VK_DOWN);    // the grayed "Odśwież" can be selected...
  press_key(VK_RETURN);  // ...but not run
  press_key(VK_END);     // "Powiększ"
  press_key(VK_HOME);    // "Paski"
  press_key(VK_RIGHT);   // into the sub-menu again
  press_key(VK_RIGHT);   // "Narzędzia" has no sub-menu: on to "Pomoc"
  press_key(VK_RIGHT);   // and round to "Plik"
  press_key(VK_LEFT);    // back to "Pomoc"
  press_key(VK_RETURN);  // runs "O programie"
  pump();
  EXPECT_EQ(opened(), (std::vector<HMENU>{file, view, bars, bars, help, file, help}));
  EXPECT_EQ(selected(), (std::vector<UINT>{ID_NEW, ID_CLOSE, 0, ID_TOOLS, ID_REFRESH, ID_ZOOM, 0, ID_TOOLS,
                                              ID_ABOUT, ID_NEW, ID_ABOUT}));
  EXPECT_EQ(commands(), (std::vector<UINT>{ID_ABOUT}));
  EXPECT_EQ(loops(), 1);
  EXPECT_TRUE(open_popups().empty());
  // The keyboard left the bar with the menus: Enter opens nothing now.
  press_key(VK_RETURN);
  pump();
  EXPECT_EQ(loops(), 1);
}

TEST_F(MenuBarKeyboardTest, EscClosesOneLevelAtATimeBackToTheBar) {
  // Alt+W opens "Widok" from the keyboard; the keys below are waiting when its pop-up opens.
  press_key(VK_RIGHT);   // the sub-menu opens
  press_key(VK_ESCAPE);  // and closes
  press_key(VK_ESCAPE);  // "Widok" closes; the keyboard stays on its bar item
  press_key(VK_RIGHT);   // the bar moves to "Pomoc"
  press_key(VK_RETURN);  // which opens
  press_key('O', 'o');   // and its mnemonic runs "O programie"
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'w');
  pump();
  EXPECT_EQ(opened(), (std::vector<HMENU>{view, bars, help}));
  EXPECT_EQ(commands(), (std::vector<UINT>{ID_ABOUT}));
  EXPECT_EQ(loops(), 2);

  // Alt closes every level at once and leaves the bar.
  log->clear();
  press_key(VK_RIGHT);
  press_key(VK_MENU);
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'w');
  pump();
  EXPECT_EQ(opened(), (std::vector<HMENU>{view, bars}));
  EXPECT_TRUE(commands().empty());
  press_key(VK_RETURN);
  pump();
  EXPECT_EQ(loops(), 1);
  EXPECT_TRUE(open_popups().empty());
}

TEST_F(MenuBarKeyboardTest, MouseOverOtherBarItemsSwitchesPopups) {
  MenuScript script;
  POINT plik = bar_item_centre(0);
  mouse_down(plik);
  mouse_up(plik);
  script.later([&] {
    mouse_move(bar_item_centre(2));
    mouse_move(bar_item_centre(1));
    script.later([&] {
      framework::MenuPopupWnd* shown = popup_of(view);
      ASSERT_NE(shown, nullptr);
      EXPECT_EQ(open_popups().size(), 1u);
      mouse_move(item_centre(shown, 0));  // "Paski" opens its sub-menu under the mouse
      script.later([&] {
        framework::MenuPopupWnd* sub = popup_of(bars);
        ASSERT_NE(sub, nullptr);
        POINT stan = item_centre(sub, 1);
        mouse_move(stan);
        mouse_down(stan);
        mouse_up(stan);
      });
    });
  });
  pump();
  EXPECT_EQ(opened(), (std::vector<HMENU>{file, help, view, bars}));
  EXPECT_EQ(commands(), (std::vector<UINT>{ID_STATUS}));
  EXPECT_TRUE(open_popups().empty());

  // A press on the open pop-up's own bar item closes it, as does a press outside the menus.
  log->clear();
  mouse_down(plik);
  mouse_up(plik);
  script.later([&] {
    mouse_down(plik);
    mouse_up(plik);
  });
  pump();
  CRect client;
  frame->GetClientRect(&client);
  POINT outside = screen_point(frame->m_hWnd, POINT{client.right - 20, client.bottom - 20});
  mouse_down(plik);
  mouse_up(plik);
  script.later([&] {
    mouse_down(outside);
    mouse_up(outside);
  });
  pump();
  EXPECT_EQ(opened(), (std::vector<HMENU>{file, file}));
  EXPECT_TRUE(commands().empty());
  EXPECT_TRUE(open_popups().empty());
}

}  // namespace
}  // namespace lumo::test
