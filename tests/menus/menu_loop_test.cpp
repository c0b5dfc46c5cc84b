// The edges of the menu loop: a window's system menu tells its owner what it is and sends system
// commands; taking the owner's mode away (WM_CANCELMODE, disabling it) closes the menus.
#include "platform/framework/menu.h"
#include "platform/win/hooks.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/menus/menu_script.h"
#include "tests/support/message_log.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class MenuLoopTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    // Visible, so it is the active window that keys go to.
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX,
                               CRect(0, 0, 60, 60), nullptr, 0));
  }

  CWnd owner;
};

TEST_F(MenuLoopTest, SystemMenuTellsItsOwnerAndSendsSystemCommands) {
  HMENU system = GetSystemMenu(owner.m_hWnd, FALSE);
  ASSERT_TRUE(IsMenu(system));
  EXPECT_EQ(GetSystemMenu(owner.m_hWnd, FALSE), system);
  EXPECT_TRUE(framework::is_system_menu(system));
  // The commands the window's styles allow: no sizing or maximising here.
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(system); ++i) ids.push_back(GetMenuItemID(system, i));
  EXPECT_EQ(ids, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_MINIMIZE, 0, SC_CLOSE}));
  EXPECT_EQ(GetMenuDefaultItem(system, FALSE, 0), SC_CLOSE);

  MessageLog log({WM_INITMENUPOPUP, WM_MENUSELECT, WM_SYSCOMMAND, WM_COMMAND});
  press_key(VK_DOWN);
  press_key(VK_ESCAPE);
  EXPECT_EQ(TrackPopupMenu(system, TPM_RETURNCMD, 10, 10, 0, owner.m_hWnd, nullptr), 0);
  std::vector<LoggedMessage> seen = log.entries();
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, WM_INITMENUPOPUP);
  EXPECT_EQ(HIWORD(seen[0].lParam), TRUE);
  EXPECT_EQ(seen[1].message, WM_MENUSELECT);
  EXPECT_EQ(LOWORD(seen[1].wParam), SC_RESTORE);
  EXPECT_TRUE(HIWORD(seen[1].wParam) & MF_SYSMENU);

  // A chosen command goes to the owner as a system command.
  log.clear();
  press_key('N', 'n');
  EXPECT_TRUE(TrackPopupMenu(system, 0, 10, 10, 0, owner.m_hWnd, nullptr));
  pump();
  EXPECT_EQ(log.messages_of(owner.m_hWnd).back(), WM_SYSCOMMAND);
  EXPECT_EQ(log.entries().back().wParam, WPARAM(SC_MINIMIZE));
  EXPECT_TRUE(owner.IsIconic());

  // Reverting drops the copy; a window that is gone takes its copy along.
  EXPECT_EQ(GetSystemMenu(owner.m_hWnd, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(system));
  HMENU again = GetSystemMenu(owner.m_hWnd, FALSE);
  owner.DestroyWindow();
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_NE(GetSystemMenu(other.m_hWnd, FALSE), nullptr);
  EXPECT_FALSE(IsMenu(again));
  EXPECT_EQ(GetSystemMenu(owner.m_hWnd, FALSE), nullptr);
}

TEST_F(MenuLoopTest, TakingTheOwnersModeAwayClosesTheMenus) {
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, 34401, "&Akcja");
  struct Case {
    const char* what;
    std::function<void()> take;
  } cases[] = {
      {"cancel mode", [&] { owner.SendMessage(WM_CANCELMODE); }},
      {"disabling", [&] { owner.EnableWindow(FALSE); }},
  };
  for (const Case& c : cases) {
    MenuScript script;
    size_t shown = 0;
    press_key(VK_DOWN);
    script.later([&] {
      shown = open_popups().size();
      c.take();
    });
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 0) << c.what;
    EXPECT_EQ(shown, 1u) << c.what;
    EXPECT_TRUE(open_popups().empty()) << c.what;
    EXPECT_EQ(popup.GetMenuState(0, MF_BYPOSITION) & MF_HILITE, 0u) << c.what;
    owner.EnableWindow(TRUE);
    pump();
  }
}

// An owner that gives one answer to every letter.
class AnsweringOwner : public CWnd {
 public:
  LRESULT answer = 0;
  afx_msg LRESULT OnMenuChar(WPARAM, LPARAM) { return answer; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(AnsweringOwner, CWnd)
  ON_MESSAGE(WM_MENUCHAR, &AnsweringOwner::OnMenuChar)
END_MESSAGE_MAP()

// The owner's answers to a letter: run or select an item, close, or ignore; a position past the
// items does nothing.
TEST_F(MenuLoopTest, TheOwnersAnswersToALetter) {
  AnsweringOwner answering;
  ASSERT_TRUE(answering.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 40), nullptr, 0));
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_OWNERDRAW, 34411, nullptr);
  popup.AppendMenu(MF_OWNERDRAW, 34412, nullptr);
  struct Case {
    const char* what;
    LRESULT answer;
    int then_key;  // pressed after the letter
    UINT chosen;
  } cases[] = {
      {"execute", MAKELRESULT(1, MNC_EXECUTE), 0, 34412},
      {"select, then Enter", MAKELRESULT(1, MNC_SELECT), VK_RETURN, 34412},
      {"close", MAKELRESULT(0, MNC_CLOSE), 0, 0},
      {"ignore, then Esc", MAKELRESULT(0, MNC_IGNORE), VK_ESCAPE, 0},
      {"a position past the items", MAKELRESULT(7, MNC_EXECUTE), VK_ESCAPE, 0},
  };
  for (const Case& c : cases) {
    answering.answer = c.answer;
    press_key('X', 'x');
    if (c.then_key) press_key(c.then_key);
    EXPECT_EQ(UINT(popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &answering)), c.chosen) << c.what;
    pump();
  }
}

// Message filters see what the menus take with the menu code and may keep a message from them;
// the owner hears that the menus wait for input.
LRESULT eat_letter_b(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == int(MSGF_MENU) && msg->message == WM_CHAR && msg->wParam == 'b') return TRUE;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// An owner that types a letter when the menus first wait for input.
class IdleOwner : public CWnd {
 public:
  std::vector<WPARAM> idles;
  afx_msg LRESULT OnEnterIdle(WPARAM wParam, LPARAM) {
    idles.push_back(wParam);
    if (idles.size() == 1) press_key('B', 'b');
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(IdleOwner, CWnd)
  ON_MESSAGE(WM_ENTERIDLE, &IdleOwner::OnEnterIdle)
END_MESSAGE_MAP()

TEST_F(MenuLoopTest, MessageFiltersSeeTheMenusMessagesAndTheOwnerHearsOfIdle) {
  IdleOwner idle;
  ASSERT_TRUE(idle.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 40), nullptr, 0));
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, 34421, "&Akcja");
  popup.AppendMenu(MF_STRING, 34422, "&Bieg");
  EXPECT_EQ(UINT(popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &idle)), 34422u);
  ASSERT_EQ(idle.idles.size(), 1u);
  EXPECT_EQ(idle.idles.front(), WPARAM(MSGF_MENU));
  pump();

  HHOOK hook = SetWindowsHookEx(WH_MSGFILTER, eat_letter_b, nullptr, 0);
  ASSERT_NE(hook, nullptr);
  press_key('B', 'b');
  press_key(VK_ESCAPE);
  EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 0);
  EXPECT_TRUE(UnhookWindowsHookEx(hook));
  pump();
}

// Keys in a pop-up without items find nothing to select or run.
TEST_F(MenuLoopTest, AnEmptyPopupTakesKeysSafely) {
  CMenu empty;
  ASSERT_TRUE(empty.CreatePopupMenu());
  for (int key : {VK_DOWN, VK_UP, VK_HOME, VK_END, VK_RIGHT, VK_LEFT, VK_RETURN}) press_key(key);
  press_key('A', 'a');
  press_key(VK_ESCAPE);
  EXPECT_EQ(empty.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 0);
  EXPECT_TRUE(open_popups().empty());
}

// Where a pop-up goes: aligned to its point as asked, and moved to stay on the screen, to the
// other side of the item it belongs to when it has one.
TEST(MenuPopupPlace, AlignsAndStaysOnTheScreen) {
  const RECT screen{0, 0, 800, 600};
  const RECT none{0, 0, 0, 0};
  struct Case {
    const char* what;
    POINT at;
    UINT flags;
    RECT exclude;
    POINT corner;
  } cases[] = {
      {"top left at the point", {100, 50}, TPM_LEFTALIGN | TPM_TOPALIGN, none, {100, 50}},
      {"right and bottom aligned", {300, 400}, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, none, {200, 320}},
      {"centred", {300, 400}, TPM_CENTERALIGN | TPM_VCENTERALIGN, none, {250, 360}},
      {"pushed back from the right edge", {780, 50}, 0, none, {700, 50}},
      {"pushed up from the bottom edge", {100, 590}, 0, none, {100, 520}},
      {"above the bar item near the bottom", {100, 560}, 0, {100, 540, 140, 560}, {100, 460}},
      {"left of the parent item near the right", {760, 100}, 0, {650, 100, 760, 120}, {550, 100}},
      {"never off the top left", {-40, -30}, 0, none, {0, 0}},
      {"beside a rectangle it would cover", {100, 50}, 0, {90, 40, 200, 60}, {200, 50}},
      {"below it when vertical", {100, 50}, TPM_VERTICAL, {90, 40, 200, 60}, {100, 60}},
      {"left of it when there is no room right", {750, 50}, 0, {600, 40, 790, 60}, {500, 50}},
      {"above it when there is no room below", {100, 530}, TPM_VERTICAL, {90, 520, 200, 560}, {100, 440}},
  };
  for (const Case& c : cases) {
    POINT corner = framework::place_menu_popup(SIZE{100, 80}, c.at, c.flags, c.exclude, screen);
    EXPECT_EQ(corner.x, c.corner.x) << c.what;
    EXPECT_EQ(corner.y, c.corner.y) << c.what;
  }
}

}  // namespace
}  // namespace lumo::test
