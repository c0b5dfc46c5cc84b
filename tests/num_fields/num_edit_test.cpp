// The numeric field and its spin: stepping inside the range, undoing keystrokes that make the
// text invalid, the decimals that only grow, and the spin's own position kept off its ends.
#include "controls/num_edit.h"

#include <limits>

#include "platform/framework/control_messages.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/polish_locale.h"

namespace lumo::test {
namespace {

constexpr int kFieldId = 100;
constexpr int kSpinId = 101;

class NumEditTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60, nullptr, nullptr));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(5, 5, 105, 25), &parent, kFieldId));
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(105, 5, 121, 25), &parent, kSpinId));
  }
  void TearDown() override {
    if (parent.m_hWnd) parent.DestroyWindow();
    use_c_numbers();
    FrameworkTest::TearDown();
  }
  std::string text() const {
    CString t;
    edit.GetWindowText(t);
    return t.str();
  }
  // A keystroke with the caret after the number's first `at` characters.
  void type_at(int at, char c) {
    edit.SetSel(at, at);
    edit.SendMessage(WM_CHAR, WPARAM(BYTE(c)), 1);
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const auto& a : prompter.asked) out.push_back(a.text_utf8);
    return out;
  }

  CWnd parent;
  CNumEdit edit;
  CNumSpinCtrl spin;
};

TEST_F(NumEditTest, SteppingStaysInsideTheRange) {
  edit.SetRange(0.0f, 5.0f);
  edit.SetDelta(0.5f);
  ASSERT_TRUE(edit.SetValue(4.0));
  edit.ChangeValue(1);
  EXPECT_EQ(text(), "4.5 cm");
  edit.ChangeValue(1);
  EXPECT_EQ(text(), "5.0 cm") << "the decimals reached earlier stay";
  edit.ChangeValue(1);
  EXPECT_EQ(text(), "5.0 cm");
  edit.ChangeValue(-100);
  EXPECT_EQ(text(), "0.0 cm");
  EXPECT_EQ(edit.GetValue(), 0.0);
}

TEST_F(NumEditTest, ValuesOutsideTheRangeAreRefused) {
  edit.SetRange(0.0f, 5.0f);
  ASSERT_TRUE(edit.SetValue(2.0));
  EXPECT_FALSE(edit.SetValue(5.5));
  EXPECT_FALSE(edit.SetValue(-0.1));
  EXPECT_FALSE(edit.SetValue(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(edit.SetValue(std::numeric_limits<double>::infinity()));
  EXPECT_EQ(text(), "2 cm");
  float low = 0, high = 0;
  edit.GetRange(low, high);
  EXPECT_EQ(low, 0.0f);
  EXPECT_EQ(high, 5.0f);
}

TEST_F(NumEditTest, DecimalsOnlyGrow) {
  EXPECT_EQ(edit.GetDecimalPlaces(), 0);
  ASSERT_TRUE(edit.SetValue(2.25));
  EXPECT_EQ(text(), "2.25 cm");
  ASSERT_TRUE(edit.SetValue(3));
  EXPECT_EQ(text(), "3.00 cm");
  EXPECT_EQ(edit.GetDecimalPlaces(), 2);
  // A digit typed after the decimals raises them too.
  type_at(4, '5');
  EXPECT_EQ(text(), "3.005 cm");
  EXPECT_EQ(edit.GetDecimalPlaces(), 3);
}

TEST_F(NumEditTest, TextsAreCheckedStrictly) {
  edit.SetRange(0.0f, 10.0f);
  struct Case {
    const char* text;
    int given;   // IsValid(text)
    int window;  // IsValid() with the text in the field
  };
  const Case cases[] = {
      {"2.5", 0, 0}, {"2.5 cm", 2, 0}, {"2.5cm", 2, 2}, {"12", 1, 1}, {"", 2, 2}, {"inf", 2, 2},
      {"nan", 2, 2}, {"nan cm", 2, 2}, {"0x1p3", 2, 2}, {"1e1", 2, 2}, {"-0.5 cm", 2, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(edit.IsValid(CString(c.text)), c.given) << c.text;
    edit.SetWindowText(c.text);
    EXPECT_EQ(edit.IsValid(), c.window) << c.text;
  }
  EXPECT_TRUE(prompter.asked.empty()) << "a quiet field tells nothing";
}

TEST_F(NumEditTest, InvalidTextReadsAsTheLastValue) {
  ASSERT_TRUE(edit.SetValue(3.5));
  edit.SetWindowText("nan");
  EXPECT_EQ(edit.GetValue(), 3.5);
  edit.SetWindowText("4 cm");
  EXPECT_EQ(edit.GetValue(), 4.0);
  edit.SetWindowText("0x10 cm");
  EXPECT_EQ(edit.GetValue(), 4.0);
}

TEST_F(NumEditTest, InvalidKeystrokesAreUndone) {
  edit.SetRange(0.0f, 5.0f);
  edit.SetVerbose(1);
  ASSERT_TRUE(edit.SetValue(2.0));
  prompter.answers = {IDOK, IDOK};

  type_at(1, 'a');
  EXPECT_EQ(text(), "2 cm");
  int start = -1, end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 4) << "the restored text is selected";

  type_at(1, '5');  // 25 is above the maximum
  EXPECT_EQ(text(), "2 cm");
  EXPECT_EQ(messages(), (std::vector<std::string>{"Characters must be a number.\n", "Given value is out of range.\n"}));
  for (const auto& a : prompter.asked) EXPECT_EQ(a.type & MB_ICONMASK, MB_ICONERROR);

  type_at(1, '.');
  type_at(2, '5');
  EXPECT_EQ(text(), "2.5 cm");
  type_at(3, ' ');
  EXPECT_EQ(text(), "2.5 cm") << "a blank is swallowed";
  EXPECT_EQ(prompter.asked.size(), 2u);
}

TEST_F(NumEditTest, TheRestOfAFastTypedSequenceIsDropped) {
  edit.SetRange(0.0f, 100.0f);
  ASSERT_TRUE(edit.SetValue(2.0));
  edit.SetSel(1, 1);
  for (char c : {'x', '1', '2'}) edit.PostMessage(WM_CHAR, WPARAM(BYTE(c)), 1);
  pump();
  EXPECT_EQ(text(), "2 cm");
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(NumEditTest, SpinStepsItsBuddyUpAndDown) {
  EXPECT_EQ(spin.GetDelta(), 0.0f) << "no numeric buddy yet";
  EXPECT_EQ(spin.GetPos(), 0.0);
  spin.SetBuddy(&edit);
  EXPECT_EQ(text(), "0 cm");
  spin.SetRange(0.0f, 5.0f);
  spin.SetDelta(0.5f);
  ASSERT_TRUE(spin.SetPos(4.5));
  EXPECT_EQ(spin.CSpinButtonCtrl::GetPos(), CNumSpinCtrl::kMiddle);
  controls::spin_step(spin.m_hWnd, 1);
  EXPECT_EQ(text(), "5.0 cm") << "the up arrow raises the value";
  controls::spin_step(spin.m_hWnd, 1);
  EXPECT_EQ(text(), "5.0 cm");
  controls::spin_step(spin.m_hWnd, -1);
  EXPECT_EQ(text(), "4.5 cm");
  EXPECT_EQ(spin.GetPos(), 4.5);
  EXPECT_EQ(spin.GetDelta(), 0.5f);
  float low = -1, high = -1;
  spin.GetRange(low, high);
  EXPECT_EQ(high, 5.0f);
  EXPECT_EQ(spin.GetBuddy(), &edit);
}

TEST_F(NumEditTest, SpinPositionStaysOffItsEnds) {
  spin.SetBuddy(&edit);
  spin.SetRange(0.0f, 1000.0f);
  spin.SetPos(10);
  spin.CSpinButtonCtrl::SetPos(CNumSpinCtrl::kRangeEnd - 1);
  controls::spin_step(spin.m_hWnd, 1);
  EXPECT_EQ(spin.CSpinButtonCtrl::GetPos(), CNumSpinCtrl::kMiddle + 1);
  spin.CSpinButtonCtrl::SetPos(0);
  controls::spin_step(spin.m_hWnd, -1);
  EXPECT_EQ(spin.CSpinButtonCtrl::GetPos(), CNumSpinCtrl::kMiddle - 1);
  EXPECT_EQ(text(), "10 cm") << "one step up and one down";
}

TEST_F(NumEditTest, PolishLocaleKeepsTheDecimalPoint) {
  if (!use_polish_numbers()) GTEST_SKIP() << "no Polish locale on this system";
  edit.SetRange(0.0f, 10.0f);
  ASSERT_TRUE(edit.SetValue(2.5));
  EXPECT_EQ(text(), "2.5 cm");
  type_at(3, '5');
  EXPECT_EQ(text(), "2.55 cm");
  EXPECT_EQ(edit.GetValue(), 2.55);
  edit.SetWindowText("2,5 cm");
  EXPECT_EQ(edit.IsValid(), 2);
}

}  // namespace
}  // namespace lumo::test
