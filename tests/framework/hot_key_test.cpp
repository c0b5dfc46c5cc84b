// Key names and the hot-key field: what a key combination is called, what the field keeps when
// keys are pressed in it, and the rules that refuse combinations.
#include "platform/controls/hot_key_ctrl.h"

#include <string>

#include "platform/win/key_names.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

std::string key_name(UINT vk, bool extended) { return std::string(CHotKeyCtrl::GetKeyName(vk, extended)); }

TEST(KeyNames, KeysAreNamedByTheirScanCodes) {
  EXPECT_EQ(MapVirtualKey('A', MAPVK_VK_TO_VSC), 0x1Eu);
  EXPECT_EQ(MapVirtualKey(0x1E, MAPVK_VSC_TO_VK), UINT('A'));
  EXPECT_EQ(MapVirtualKey(VK_OEM_COMMA, MAPVK_VK_TO_CHAR), UINT(','));
  EXPECT_EQ(MapVirtualKey(0xFF, MAPVK_VK_TO_VSC), 0u);
  EXPECT_EQ(key_name('A', false), "A");
  EXPECT_EQ(key_name(VK_F1 + 4, false), "F5");
  EXPECT_EQ(key_name(VK_F1 + 11, false), "F12");
  EXPECT_EQ(key_name(VK_CONTROL, false), "Ctrl");
  // The cursor block and the numeric pad share codes; the extended bit tells them apart.
  EXPECT_EQ(key_name(VK_PRIOR, true), "Page Up");
  EXPECT_EQ(key_name(VK_NUMPAD0 + 9, false), "Num 9");
  EXPECT_EQ(key_name(VK_DELETE, true), "Delete");
  char small[3];
  EXPECT_EQ(GetKeyNameText(LONG(0x3F) << 16, small, sizeof small), 2);
  EXPECT_EQ(std::string(small), "F5");
  EXPECT_EQ(GetKeyNameText(LONG(0x0E) << 16, small, 3), 2);  // "Backspace" cut to the room
  EXPECT_EQ(GetKeyNameText(LONG(0x7F) << 16, small, sizeof small), 0);
}

class HotKeyTest : public FrameworkTest {
 protected:
  class Owner : public CWnd {
   public:
    int changes = 0;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
      if (HIWORD(wParam) == EN_CHANGE) ++changes;
      return CWnd::OnCommand(wParam, lParam);
    }
  } owner;
  CHotKeyCtrl field;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Klawiatura", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 80), nullptr, 0));
    ASSERT_TRUE(field.Create(WS_VISIBLE | WS_TABSTOP, CRect(5, 5, 195, 27), &owner, 20537));
    pump();
    field.SetFocus();
  }
};

TEST_F(HotKeyTest, TheFieldKeepsTheCombinationPressedInIt) {
  EXPECT_EQ(field.GetHotKey(), 0u);
  press_key(VK_F1 + 4, 0, win::KeyModifiers{.shift = true, .control = true});
  pump();
  WORD key = 0, modifiers = 0;
  field.GetHotKey(key, modifiers);
  EXPECT_EQ(key, VK_F1 + 4);
  EXPECT_EQ(modifiers, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
  EXPECT_EQ(std::string(field.GetHotKeyName()), "Ctrl + Shift + F5");
  EXPECT_EQ(owner.changes, 1);

  // Keys of the cursor block carry the extended flag; Backspace alone empties the field.
  press_key(VK_NEXT, 0, win::KeyModifiers{.alt = true});
  pump();
  EXPECT_EQ(std::string(field.GetHotKeyName()), "Alt + Page Down");
  EXPECT_EQ(HIBYTE(WORD(field.GetHotKey())), HOTKEYF_ALT | HOTKEYF_EXT);
  press_key(VK_BACK, 0x08);
  pump();
  EXPECT_EQ(field.GetHotKey(), 0u);
  EXPECT_EQ(owner.changes, 3);

  // Set from the program: no notice.
  field.SetHotKey('K', HOTKEYF_CONTROL);
  EXPECT_EQ(std::string(field.GetHotKeyName()), "Ctrl + K");
  EXPECT_EQ(owner.changes, 3);
}

TEST_F(HotKeyTest, RulesPutOtherModifiersInPlaceOfRefusedOnes) {
  // Keys without modifiers and with Shift alone are refused; Ctrl takes their place.
  field.SetRules(HKCOMB_NONE | HKCOMB_S, HOTKEYF_CONTROL);
  press_key('B', 'b');
  press_key('C', 'C', win::KeyModifiers{.shift = true});
  pump();
  EXPECT_EQ(std::string(field.GetHotKeyName()), "Ctrl + C");
  press_key('D', 0, win::KeyModifiers{.control = true, .alt = true});
  pump();
  EXPECT_EQ(std::string(field.GetHotKeyName()), "Ctrl + Alt + D");
}

}  // namespace
}  // namespace lumo::test
