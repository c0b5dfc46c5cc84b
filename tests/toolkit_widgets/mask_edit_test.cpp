#include "toolkit/widgets/mask_edit.h"

#include <gtest/gtest.h>

#include "platform/base/cp1250.h"
#include "platform/framework/control_messages.h"
#include "platform/shell/clipboard.h"
#include "platform/win/messages.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class MaskEditTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 220, 60), nullptr, 0));
  }
  void make(const char* mask_utf8, DWORD style = 0) {
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_TABSTOP | style, CRect(10, 10, 210, 32), &parent, 7));
    edit.SetPromptChar('_');
    edit.SetMask(base::cp1250::from_utf8(mask_utf8).c_str());
    edit.SetFocus();
    pump();
  }
  std::string shown() const {
    CString text;
    edit.GetWindowText(text);
    return utf8(text);
  }
  int caret() const {
    int start = 0, end = 0;
    edit.GetSel(start, end);
    return end;
  }

  CWnd parent;
  SECMaskEdit edit;
};

TEST_F(MaskEditTest, TypingFillsTheEditablePositionsAroundLiterals) {
  // "U" is a placeholder itself: the journal's abbreviation escapes it.
  make("Dz.\\U. ####, poz. ###");
  EXPECT_EQ(shown(), "Dz.U. ____, poz. ___");
  EXPECT_EQ(caret(), 6);
  type_text("1997x");
  pump();
  EXPECT_EQ(shown(), "Dz.U. 1997, poz. ___");
  EXPECT_EQ(caret(), 17);
  type_text("78");
  press_key(VK_BACK, 0x08);
  press_key(VK_BACK, 0x08);
  press_key(VK_BACK, 0x08);  // over ", poz. " onto the last year digit
  pump();
  EXPECT_EQ(shown(), "Dz.U. 199_, poz. ___");
  EXPECT_EQ(caret(), 9);
  EXPECT_TRUE(edit.GetModify());
  CString data;
  edit.GetData(data, TRUE);
  EXPECT_EQ(data, CString("199"));
}

TEST_F(MaskEditTest, PolishLiteralsStayAndPolishLettersAreTyped) {
  make("Ł-UUUU-ą");
  EXPECT_EQ(shown(), "Ł-____-ą");
  type_text(base::cp1250::from_utf8("żółw"));
  pump();
  EXPECT_EQ(shown(), "Ł-ŻÓŁW-ą");
  pump();
  const std::string png = ::testing::TempDir() + "toolkit_models_mask_edit.png";
  ASSERT_TRUE(save_surface_png(edit.m_hWnd, png));
  // The text is drawn in the window's text colour from the left edge: the first letter's column
  // holds dark pixels, the far right of the field none.
  // (Smoothed glyph edges are grey: any clearly dark pixel counts.)
  const auto dark = [&](int x, int y) {
    COLORREF c = surface_pixel(edit.m_hWnd, x, y);
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100;
  };
  bool dark_left = false;
  bool dark_right = false;
  for (int y = 2; y < 20; ++y) {
    for (int x = 3; x < 10; ++x) dark_left |= dark(x, y);
    for (int x = 150; x < 195; ++x) dark_right |= dark(x, y);
  }
  EXPECT_TRUE(dark_left);
  EXPECT_FALSE(dark_right);
}

TEST_F(MaskEditTest, InsertKeyTogglesInsertingAndHomeEndMove) {
  make("###");
  type_text("12");
  press_key(VK_HOME);
  press_key(VK_INSERT);
  type_text("9");
  pump();
  EXPECT_TRUE(edit.GetInsertMode());
  EXPECT_EQ(shown(), "912");
  press_key(VK_END);
  pump();
  EXPECT_EQ(caret(), 3);
  edit.Undo();
  EXPECT_EQ(shown(), "12_");
}

TEST_F(MaskEditTest, TheClipboardCarriesOnlyTheEnteredCharacters) {
  make("##-##");
  type_text("1234");
  pump();
  edit.SetSel(0, 5);
  edit.SendMessage(WM_COPY);
  ASSERT_TRUE(OpenClipboard(parent.m_hWnd));
  std::vector<uint8_t> bytes = GetClipboardData(CF_TEXT);
  CloseClipboard();
  std::string text(bytes.begin(), bytes.end());
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  EXPECT_EQ(text, "1234");
  edit.SetSel(1, 4);
  edit.SendMessage(WM_CUT);
  EXPECT_EQ(shown(), "14-__");
  edit.SetSel(2, 2);
  edit.SendMessage(WM_PASTE);
  EXPECT_EQ(shown(), "14-23");
}

TEST_F(MaskEditTest, ReadOnlyFieldsTakeNoInput) {
  make("###", ES_READONLY);
  type_text("1");
  press_key(VK_DELETE);
  pump();
  EXPECT_EQ(shown(), "___");
}

TEST_F(MaskEditTest, AttachesToADialogsEdit) {
  CEdit plain;
  ASSERT_TRUE(plain.Create(WS_VISIBLE | ES_UPPERCASE, CRect(0, 0, 100, 20), &parent, 9));
  plain.UnsubclassWindow();
  SECMaskEdit masked;
  ASSERT_TRUE(masked.AttachDlgItem(9, &parent));
  masked.SetMask("LL");
  masked.SetData("ab");
  EXPECT_EQ(masked.GetDisplayText(), CString("AB"));
}

}  // namespace
}  // namespace lumo::test
