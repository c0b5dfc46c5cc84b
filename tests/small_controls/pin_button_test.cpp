// The pin button: its faces and borders, pinning, commands, hover per button and focus loss.
#include "controls/pin_button.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/win/system_metrics.h"
#include "tests/small_controls/controls_fixture.h"
#include "tests/support/message_log.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// A dialog that counts the commands and focus losses its children tell it of.
class PinButtonTest : public SmallControlsTest {
 protected:
  void SetUp() override {
    SmallControlsTest::SetUp();
    ASSERT_TRUE(pin.SubclassDlgItem(UINT(IDC_SMALL_PIN), &dialog));
    ASSERT_TRUE(help.SubclassDlgItem(UINT(IDC_SMALL_HELP), &dialog));
    const COLORREF grey = RGB(0xC0, 0xC0, 0xC0);
    ASSERT_TRUE(pin.LoadStateBitmap(IDB_SMALL_PIN_OUT, &grey, CPinButton::kNormal));
    ASSERT_TRUE(pin.LoadStateBitmap(IDB_SMALL_PIN_IN, &grey, CPinButton::kPinned));
    ASSERT_TRUE(pin.LoadHoverBitmap(IDB_SMALL_PIN_HOVER, nullptr));
    ASSERT_TRUE(help.LoadStateBitmap(IDB_SMALL_PIN_OUT, nullptr, CPinButton::kNormal));
    pin.SetPinMode(TRUE);
    pin.Invalidate();
    help.Invalidate();
    pump();
  }

  // The top-left border pixel: highlight when raised, shadow when sunk, face when flat.
  static DWORD corner(const CPinButton& b) { return surface_pixel(b.m_hWnd, 0, 0); }
  static DWORD face() { return GetSysColor(COLOR_BTNFACE); }
  static DWORD light() { return GetSysColor(COLOR_BTNHIGHLIGHT); }
  static DWORD shadow() { return GetSysColor(COLOR_BTNSHADOW); }
  // Whether the centre of the button shows the colour of one of the pin pictures' heads.
  static bool head_is(const CPinButton& b, COLORREF colour) {
    CRect client;
    b.GetClientRect(&client);
    const int x0 = (client.Width() - 16) / 2, y0 = (client.Height() - 16) / 2;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        if (surface_pixel(b.m_hWnd, x0 + x, y0 + y) == DWORD(colour)) return true;
      }
    }
    return false;
  }
  std::vector<UINT> commands_from(const MessageLog& log, HWND button) const {
    std::vector<UINT> ids;
    for (const LoggedMessage& m : log.entries()) {
      if (m.hwnd == dialog.m_hWnd && m.message == WM_COMMAND && reinterpret_cast<HWND>(m.lParam) == button) {
        ids.push_back(UINT(m.wParam));
      }
    }
    return ids;
  }

  CPinButton pin;
  CPinButton help;
};

TEST_F(PinButtonTest, APinTogglesOnEachClickAndSendsNoCommand) {
  EXPECT_EQ(pin.GetBitmapRect(), CRect(0, 0, 16, 16));
  EXPECT_EQ(corner(pin), face());
  save_picture("pin_buttons_flat.png");
  MessageLog log({WM_COMMAND});
  click(pin.m_hWnd, POINT{5, 5});
  pump();
  EXPECT_TRUE(pin.IsPinned());
  // A pinned pin sits sunk in the board, its head in red.
  EXPECT_EQ(corner(pin), shadow());
  EXPECT_TRUE(head_is(pin, RGB(0xC0, 0, 0)) || head_is(pin, RGB(0xFF, 0xFF, 0)));
  click(pin.m_hWnd, POINT{5, 5});
  pump();
  EXPECT_FALSE(pin.IsPinned());
  EXPECT_TRUE(commands_from(log, pin.m_hWnd).empty());
  // A release away from the button does not count.
  mouse_down(screen_point(pin.m_hWnd, POINT{5, 5}));
  pump();
  mouse_up(middle_of(item(IDC_SMALL_LABEL)));
  pump();
  EXPECT_FALSE(pin.IsPinned());
}

TEST_F(PinButtonTest, APlainButtonSendsItsCommandOncePerClick) {
  MessageLog log({WM_COMMAND});
  click(help.m_hWnd, POINT{5, 5});
  pump();
  EXPECT_EQ(commands_from(log, help.m_hWnd), std::vector<UINT>{MAKEWPARAM(IDC_SMALL_HELP, 0)});
  EXPECT_FALSE(help.IsPinned());
}

TEST_F(PinButtonTest, EachButtonShowsItsOwnHover) {
  // Over the first button it stands out; the other stays flat.
  SetCursorPos(middle_of(help.m_hWnd).x, middle_of(help.m_hWnd).y);
  mouse_move(middle_of(help.m_hWnd));
  ASSERT_TRUE(pump_until([&] { return help.IsHovered() && corner(help) == light(); }));
  EXPECT_EQ(corner(pin), face());
  // Straight on to the second button: the first goes flat, the second stands out, although the
  // first had not yet seen the mouse leave when the second saw it come.
  mouse_move(middle_of(pin.m_hWnd));
  ASSERT_TRUE(pump_until([&] { return pin.IsHovered() && corner(pin) == light() && !help.IsHovered(); }));
  EXPECT_TRUE(pump_until([&] { return corner(help) == face(); }));
  save_picture("pin_buttons_hover.png");
  // Pinned under the mouse it shows the hover face, sunk.
  click(pin.m_hWnd, POINT{5, 5});
  mouse_move(middle_of(pin.m_hWnd));
  ASSERT_TRUE(pump_until([&] { return pin.IsPinned() && pin.IsHovered() && head_is(pin, RGB(0xFF, 0xFF, 0)); }));
  EXPECT_EQ(corner(pin), shadow());
  save_picture("pin_buttons_pinned_hover.png");
  // Leaving the window altogether leaves both flat (the pinned one sunk).
  mouse_move(middle_of(item(IDC_SMALL_LABEL)));
  ASSERT_TRUE(pump_until([&] { return !pin.IsHovered() && head_is(pin, RGB(0xC0, 0, 0)); }));
  EXPECT_EQ(corner(help), face());
  save_picture("pin_buttons_pinned.png");
}

TEST_F(PinButtonTest, AButtonClosedUnderTheMouseLeavesTheOthersTheirHover) {
  // The window of one button goes while the mouse is over it (an act window closing); the next
  // button the mouse comes to still stands out.
  mouse_move(middle_of(help.m_hWnd));
  ASSERT_TRUE(pump_until([&] { return corner(help) == light(); }));
  help.DestroyWindow();
  pump();
  mouse_move(middle_of(pin.m_hWnd));
  EXPECT_TRUE(pump_until([&] { return pin.IsHovered() && corner(pin) == light(); }));
}

TEST_F(PinButtonTest, FocusLeavingForAnotherWindowIsToldToTheParent) {
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "Inne", WS_POPUP | WS_VISIBLE, 400, 400, 50, 50, nullptr,
                             nullptr));
  help.SetFocus();
  MessageLog log({WM_KILLFOCUS});
  ::SetFocus(item(IDC_SMALL_PLAIN_EDIT));
  help.SetFocus();
  other.SetFocus();
  pump();
  std::vector<HWND> told;
  for (const LoggedMessage& m : log.entries()) {
    if (m.hwnd == dialog.m_hWnd) told.push_back(reinterpret_cast<HWND>(m.wParam));
  }
  // The move to a sibling is not told; the move out of the dialog is, once.
  EXPECT_EQ(told, std::vector<HWND>{other.m_hWnd});
  other.DestroyWindow();
}

}  // namespace
}  // namespace lumo::test
