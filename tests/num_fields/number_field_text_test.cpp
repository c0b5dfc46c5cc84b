// The texts of numeric and margin fields, read and written the same under the "C" locale and
// under a Polish one (decimal comma in the C library).
#include "controls/number_field_text.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/polish_locale.h"

namespace {

using namespace number_field;

class NumberFieldText : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (!GetParam()) return;
    if (!lumo::test::use_polish_numbers()) GTEST_SKIP() << "no Polish locale on this system";
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 2.5);
    ASSERT_STREQ(text, "2,5");
  }
  void TearDown() override { lumo::test::use_c_numbers(); }
};

INSTANTIATE_TEST_SUITE_P(Locales, NumberFieldText, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Polish" : "C"; });

TEST_P(NumberFieldText, FieldNumbersArePlainDecimals) {
  struct Case {
    const char* text;
    TextCheck check;  // against the range -10 to 10
  };
  const Case cases[] = {
      {"2.5", kTextValid},       {"-3", kTextValid},        {"+4", kTextValid},      {"2.", kTextValid},
      {".5", kTextValid},        {"10", kTextValid},        {"10.01", kTextOutOfRange}, {"-11", kTextOutOfRange},
      {"1e400", kTextNotANumber}, {"99999999999999999999", kTextOutOfRange},
      {"", kTextNotANumber},     {"-", kTextNotANumber},    {".", kTextNotANumber},  {"2,5", kTextNotANumber},
      {"2.5cm", kTextNotANumber}, {"2.5 cm", kTextNotANumber}, {" 2", kTextNotANumber}, {"1e1", kTextNotANumber},
      {"inf", kTextNotANumber},  {"-infinity", kTextNotANumber}, {"nan", kTextNotANumber}, {"NAN", kTextNotANumber},
      {"0x1p3", kTextNotANumber}, {"0x10", kTextNotANumber}, {"2.5.1", kTextNotANumber},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckText(c.text, -10, 10), c.check) << c.text;
  EXPECT_EQ(NumberPart("2.5 cm"), "2.5");
  EXPECT_EQ(NumberPart("abc"), "abc");
  double value = 0;
  EXPECT_TRUE(ParseDecimal("-0.75", value));
  EXPECT_EQ(value, -0.75);
}

TEST_P(NumberFieldText, FieldTextsShowAPointAndTheUnit) {
  struct Case {
    double value;
    int decimals_shown;
    const char* text_with_them;
  };
  const Case cases[] = {
      {2.0, 0, "2 cm"},      {2.25, 2, "2.25 cm"},         {0.5, 1, "0.5 cm"},
      {double(2.3f), 1, "2.3 cm"}, {double(2.5f + 0.01f), 2, "2.51 cm"}, {-1.125, 3, "-1.125 cm"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecimalsShown(c.value), c.decimals_shown) << c.value;
    EXPECT_EQ(FieldText(c.value, c.decimals_shown).str(), c.text_with_them) << c.value;
  }
  EXPECT_EQ(FieldText(3, 2).str(), "3.00 cm");
}

TEST_P(NumberFieldText, CentimetresReadAsWholeMillimetres) {
  struct Case {
    const char* text;
    bool ok;
    UINT millimetres;
  };
  const Case cases[] = {
      {"2.5 cm", true, 25}, {"3 CM", true, 30},   {"3cm", true, 30},    {"2.3", true, 23},
      {"2.25", true, 23},   {"2.24", true, 22},   {"0.04", true, 0},    {"7 cm ", true, 70},
      {"10.0  Cm", true, 100},
      {"", false, 0},       {"2,5", false, 0},    {"2 mm", false, 0},   {"cm", false, 0},
      {"-1", false, 0},     {"1e1", false, 0},    {"inf", false, 0},    {"nan", false, 0},
      {"0x10", false, 0},   {"2 cm x", false, 0}, {"99999999", false, 0},
  };
  for (const Case& c : cases) {
    UINT mm = 999;
    EXPECT_EQ(ParseCentimetres(c.text, mm), c.ok) << c.text;
    EXPECT_EQ(mm, c.ok ? c.millimetres : 999u) << c.text;
  }
  EXPECT_EQ(CentimetresToMillimetres(double(2.3f)), 23);
  EXPECT_EQ(CentimetresToMillimetres(-0.25), -3);
}

TEST_P(NumberFieldText, CentimetresWrittenWithoutTrailingZeros) {
  struct Case {
    int millimetres;
    int max_decimals;
    const char* text;
  };
  const Case cases[] = {
      {200, 2, "20cm"}, {215, 2, "21.5cm"}, {5, 1, "0.5cm"}, {50, 1, "5cm"}, {0, 1, "0cm"}, {-15, 1, "-1.5cm"},
      {25, 0, "2cm"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatCentimetres(c.millimetres, c.max_decimals).str(), c.text);
}

}  // namespace
