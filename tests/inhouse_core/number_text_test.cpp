#include "platform/base/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "platform/controls/standard_controls.h"
#include "platform/framework/data_exchange.h"
#include "platform/win/cwnd.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/polish_locale.h"

namespace {

using lumo::test::use_polish_numbers;

class PolishNumbers : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!use_polish_numbers()) GTEST_SKIP() << "no Polish locale on this system";
    // The locale is really in force: the C library writes a decimal comma.
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 2.5);
    ASSERT_STREQ(text, "2,5");
  }
  void TearDown() override { std::setlocale(LC_NUMERIC, "C"); }
};

TEST_F(PolishNumbers, FormattingWritesADecimalPoint) {
  EXPECT_EQ(base::format_c("%.2f", 2.5), "2.50");
  EXPECT_EQ(base::format_c("%g|%d|%s", 0.125, 1000000, "x,y"), "0.125|1000000|x,y");
  EXPECT_EQ(base::format_c("%.3e|%.15g", 1234.56, 1e300), "1.235e+03|1e+300");
  std::string long_text(300, '7');
  EXPECT_EQ(base::format_c("%s.%d", long_text.c_str(), 5), long_text + ".5");
}

TEST_F(PolishNumbers, ParsingReadsADecimalPoint) {
  double value = 0;
  ASSERT_TRUE(base::parse_double("2.5", value));
  EXPECT_EQ(value, 2.5);
  char* end = nullptr;
  EXPECT_EQ(base::strtod_c("1.75cm", &end), 1.75);
  EXPECT_STREQ(end, "cm");
}

TEST(NumberTextTest, WholeDecimalNumbers) {
  struct Case {
    const char* text;
    bool accept_comma;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {"2.5", false, true, 2.5},      {" -0.75\t", false, true, -0.75}, {"+3", false, true, 3},
      {".5", false, true, 0.5},       {"5.", false, true, 5},           {"1e3", false, true, 1000},
      {"1.5E-2", false, true, 0.015}, {"2,5", true, true, 2.5},         {"2,5", false, false, 0},
      {"2.5.1", false, false, 0},     {"", false, false, 0},            {" ", false, false, 0},
      {".", false, false, 0},         {"-", false, false, 0},           {"1e", false, false, 0},
      {"0x10", false, false, 0},      {"inf", false, false, 0},         {"nan", false, false, 0},
      {"1e999", false, false, 0},     {"12 cm", false, false, 0},       {"2,5,1", true, false, 0},
  };
  for (const Case& c : cases) {
    double value = -99;
    EXPECT_EQ(base::parse_double(c.text, value, c.accept_comma), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : -99) << c.text;
  }
}

TEST(NumberTextTest, WholeIntegers) {
  struct Case {
    const char* text;
    bool ok;
    long long value;
  };
  const Case cases[] = {
      {"42", true, 42},   {" -7 ", true, -7},  {"+8", true, 8},
      {"9223372036854775807", true, 9223372036854775807LL},
      {"9223372036854775808", false, 0},     {"", false, 0},   {"+", false, 0},
      {"+-5", false, 0},  {"4.5", false, 0},   {"12a", false, 0}, {"0x1F", false, 0},
  };
  for (const Case& c : cases) {
    long long value = -99;
    EXPECT_EQ(base::parse_integer(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : -99) << c.text;
  }
}

// The dialog data exchange of decimal fields under the Polish locale.
class PolishDataExchange : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    if (!use_polish_numbers()) GTEST_SKIP() << "no Polish locale on this system";
    controls::register_standard_controls();
    HWND parent = ::CreateWindowEx(0, lumo::test::test_window_class("NumberParent", DefWindowProc), "", WS_POPUP, 0,
                                   0, 200, 100, nullptr, nullptr, nullptr);
    ::CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, parent, reinterpret_cast<HMENU>(intptr_t(kField)), nullptr);
    window_.Attach(parent);
  }
  void TearDown() override {
    if (window_.m_hWnd) ::DestroyWindow(window_.Detach());
    std::setlocale(LC_NUMERIC, "C");
    GuiTest::TearDown();
  }
  static constexpr int kField = 100;
  CWnd window_;
};

TEST_F(PolishDataExchange, DecimalFieldsShowAPointAndReadBothSeparators) {
  double value = 2.25;
  CDataExchange show(&window_, FALSE);
  DDX_Text(&show, kField, value);
  EXPECT_EQ(GetWindowTextString(::GetDlgItem(window_.m_hWnd, kField)), "2.25");

  for (const char* typed : {"1.5", "1,5"}) {
    window_.SetDlgItemText(kField, typed);
    CDataExchange save(&window_, TRUE);
    value = 0;
    DDX_Text(&save, kField, value);
    EXPECT_EQ(value, 1.5) << typed;
  }
}

}  // namespace
