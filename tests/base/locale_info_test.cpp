// The Polish locale: names by item, the first day of the week, and dates by picture.
#include "platform/base/locale_info.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/cp1250.h"

namespace {

std::string info(LCTYPE type) {
  char buffer[64];
  int n = GetLocaleInfo(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return n > 0 ? base::cp1250::to_utf8(buffer) : "<none>";
}

std::string date(uint16_t y, uint16_t m, uint16_t d, uint32_t flags, const char* picture = nullptr) {
  SYSTEMTIME st{};
  st.wYear = y, st.wMonth = m, st.wDay = d;
  char buffer[100];
  int n = GetDateFormat(LOCALE_USER_DEFAULT, flags, &st, picture, buffer, sizeof buffer);
  return n > 0 ? base::cp1250::to_utf8(buffer) : "<none>";
}

TEST(LocaleInfo, NamesByItemWithMondayFirst) {
  EXPECT_EQ(info(LOCALE_SDAYNAME1), "poniedziałek");
  EXPECT_EQ(info(LOCALE_SDAYNAME7), "niedziela");
  EXPECT_EQ(info(LOCALE_SABBREVDAYNAME1 + 2), "śr.");
  EXPECT_EQ(info(LOCALE_SMONTHNAME1 + 9), "październik");
  EXPECT_EQ(info(LOCALE_SABBREVMONTHNAME1 + 9), "paź");
  EXPECT_EQ(info(LOCALE_IFIRSTDAYOFWEEK), "0");
  EXPECT_EQ(info(0x7777), "<none>");
  // The size asked for, then a buffer one short of it.
  int needed = GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1, nullptr, 0);
  EXPECT_EQ(needed, 13);
  char small[12];
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1, small, sizeof small), 0);
}

TEST(LocaleInfo, DatesByPictureWithTheGenitiveBesideTheDay) {
  EXPECT_EQ(date(2001, 3, 5, DATE_SHORTDATE), "2001-03-05");
  EXPECT_EQ(date(2001, 3, 5, DATE_LONGDATE), "5 marca 2001");
  EXPECT_EQ(date(1997, 9, 12, DATE_LONGDATE), "12 września 1997");
  EXPECT_EQ(date(2001, 3, 5, 0, "MMMM yyyy"), "marzec 2001");
  EXPECT_EQ(date(2001, 3, 5, 0, "dddd, d MMM yy"), "poniedziałek, 5 mar 01");
  EXPECT_EQ(date(2026, 12, 10, 0, "ddd dd.MM.y 'r.' ''x''"), "czw. 10.12.26 r. 'x'");
  // Impossible dates give nothing.
  EXPECT_EQ(date(1900, 2, 29, DATE_SHORTDATE), "<none>");
  EXPECT_EQ(date(2000, 2, 29, DATE_SHORTDATE), "2000-02-29");
  EXPECT_EQ(date(2001, 13, 1, DATE_SHORTDATE), "<none>");
  EXPECT_EQ(date(2001, 4, 31, DATE_SHORTDATE), "<none>");
  // Today has a date.
  char today[100];
  EXPECT_EQ(GetDateFormat(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, today, sizeof today), 11);
}

}  // namespace
