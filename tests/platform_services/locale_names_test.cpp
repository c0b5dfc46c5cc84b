// Locale answers asked by their own names, with and without the no-user-override flag.
#include "platform/base/locale_info.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/cp1250.h"

namespace {

std::string answer_utf8(LCTYPE type) {
  char buffer[64];
  int n = GetLocaleInfo(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return n > 0 ? base::cp1250::to_utf8(std::string(buffer, size_t(n - 1))) : "<none>";
}

TEST(LocaleNames, EveryDayAndMonthAnswersByName) {
  struct Case {
    LCTYPE type;
    const char* expected;
  };
  const Case cases[] = {
      {LOCALE_SDAYNAME2, "wtorek"},       {LOCALE_SDAYNAME6, "sobota"},
      {LOCALE_SMONTHNAME3, "marzec"},     {LOCALE_SMONTHNAME11, "listopad"},
      {LOCALE_SDAYNAME3 | LOCALE_NOUSEROVERRIDE, "środa"},
      {LOCALE_IFIRSTDAYOFWEEK | LOCALE_NOUSEROVERRIDE, "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(answer_utf8(c.type), c.expected) << std::hex << c.type;
  EXPECT_EQ(answer_utf8(LOCALE_SABBREVDAYNAME4), answer_utf8(LOCALE_SABBREVDAYNAME1 + 3));
  EXPECT_EQ(answer_utf8(LOCALE_SABBREVMONTHNAME10), answer_utf8(LOCALE_SABBREVMONTHNAME1 + 9));
}

}  // namespace
