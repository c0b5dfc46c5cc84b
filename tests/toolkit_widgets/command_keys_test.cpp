#include "toolkit/widgets/command_keys.h"

#include <gtest/gtest.h>

#include "platform/controls/hot_key_ctrl.h"
#include "platform/win/virtual_keys.h"

namespace {

constexpr int VK_F5 = VK_F1 + 4;

TEST(CommandKeys, HotKeyTexts) {
  struct Case {
    WORD hot_key;
    const char* text;
  };
  const Case cases[] = {
      {0, ""},
      {VK_F5, "F5"},
      {WORD(VK_F5 | ((HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8)), "Ctrl+Shift+F5"},
      {WORD('S' | (HOTKEYF_CONTROL << 8)), "Ctrl+S"},
      {WORD('X' | ((HOTKEYF_ALT | HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8)), "Ctrl+Alt+Shift+X"},
      {WORD(VK_DELETE | (HOTKEYF_EXT << 8)), "Delete"},
      {WORD(VK_NEXT | ((HOTKEYF_EXT | HOTKEYF_ALT) << 8)), "Alt+Page Down"},
  };
  for (const Case& c : cases) EXPECT_EQ(HotKeyToText(c.hot_key), CString(c.text)) << c.text;
}

TEST(CommandKeys, AcceleratorsAndHotKeysConvertBothWays) {
  struct Case {
    ACCEL accel;
    WORD hot_key;
  };
  const Case cases[] = {
      {{FVIRTKEY | FCONTROL, 'S', 1}, WORD('S' | (HOTKEYF_CONTROL << 8))},
      {{FVIRTKEY | FSHIFT | FALT, VK_F4, 2}, WORD(VK_F4 | ((HOTKEYF_SHIFT | HOTKEYF_ALT) << 8))},
      {{FVIRTKEY, VK_HOME, 3}, WORD(VK_HOME | (HOTKEYF_EXT << 8))},
      {{FVIRTKEY, VK_DIVIDE, 4}, WORD(VK_DIVIDE | (HOTKEYF_EXT << 8))},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AccelToHotKey(c.accel), c.hot_key);
    const ACCEL back = HotKeyToAccel(c.hot_key);
    EXPECT_EQ(back.fVirt, c.accel.fVirt | FNOINVERT);
    EXPECT_EQ(back.key, c.accel.key);
  }
}

}  // namespace
