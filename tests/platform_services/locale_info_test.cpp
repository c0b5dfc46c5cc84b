// The Polish locale: names and pictures asked by kind, and dates written by pictures.
#include "platform/base/locale_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/cp1250.h"

namespace {

std::string locale_utf8(LCTYPE type) {
  char buffer[64];
  int n = GetLocaleInfo(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return n > 0 ? base::cp1250::to_utf8(std::string(buffer, size_t(n - 1))) : "<none>";
}

SYSTEMTIME day(int year, int month, int d) {
  SYSTEMTIME st{};
  st.wYear = uint16_t(year);
  st.wMonth = uint16_t(month);
  st.wDay = uint16_t(d);
  st.wDayOfWeek = 3;  // wrong on purpose: the weekday comes from the date
  return st;
}

std::string date_utf8(const SYSTEMTIME& st, DWORD flags, const char* picture_utf8) {
  std::string picture = picture_utf8 ? base::cp1250::from_utf8(picture_utf8) : std::string();
  char buffer[100];
  int n = GetDateFormat(LOCALE_USER_DEFAULT, flags, &st, picture_utf8 ? picture.c_str() : nullptr, buffer,
                        sizeof buffer);
  return n > 0 ? base::cp1250::to_utf8(std::string(buffer, size_t(n - 1))) : "<none>";
}

TEST(LocaleInfo, AnswersDayAndMonthNamesAndPictures) {
  struct Case {
    LCTYPE type;
    const char* expected;
  };
  const Case cases[] = {
      {LOCALE_SDAYNAME1, "poniedziałek"},      {LOCALE_SDAYNAME3, "środa"},
      {LOCALE_SDAYNAME5, "piątek"},            {LOCALE_SDAYNAME7, "niedziela"},
      {LOCALE_SABBREVDAYNAME3, "śr"},          {LOCALE_SABBREVDAYNAME7, "nd"},
      {LOCALE_SMONTHNAME1, "styczeń"},         {LOCALE_SMONTHNAME10, "październik"},
      {LOCALE_SMONTHNAME12, "grudzień"},       {LOCALE_SABBREVMONTHNAME1, "sty"},
      {LOCALE_SABBREVMONTHNAME10, "paź"},      {LOCALE_SABBREVMONTHNAME12, "gru"},
      {LOCALE_IFIRSTDAYOFWEEK, "0"},           {LOCALE_SSHORTDATE, "dd.MM.yyyy"},
      {LOCALE_SLONGDATE, "d MMMM yyyy"},       {LOCALE_SDATE, "."},
      {LOCALE_SDAYNAME1 | LOCALE_NOUSEROVERRIDE, "poniedziałek"},
      {0x7777, "<none>"},
  };
  for (const Case& c : cases) EXPECT_EQ(locale_utf8(c.type), c.expected) << std::hex << c.type;
}

TEST(LocaleInfo, SizesTheAnswerAndRefusesShortBuffers) {
  // "środa" is five CP1250 bytes and its zero.
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME3, nullptr, 0), 6);
  char small[5] = {'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME3, small, sizeof small), 0);
  char exact[6];
  EXPECT_EQ(GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_SDAYNAME3, exact, sizeof exact), 6);
  EXPECT_EQ(base::cp1250::to_utf8(exact), "środa");
}

TEST(DateFormat, WritesDatesByPictures) {
  struct Case {
    SYSTEMTIME date;
    DWORD flags;
    const char* picture;
    const char* expected;
  };
  const Case cases[] = {
      {day(2001, 3, 5), DATE_SHORTDATE, nullptr, "05.03.2001"},
      {day(2001, 3, 5), DATE_LONGDATE, nullptr, "5 marca 2001"},
      {day(1997, 10, 24), DATE_LONGDATE, nullptr, "24 października 1997"},
      {day(2001, 3, 5), 0, "d M y", "5 3 1"},
      {day(2001, 3, 5), 0, "dd.MM.yy", "05.03.01"},
      {day(2001, 3, 5), 0, "ddd, dddd", "pn, poniedziałek"},
      {day(2000, 1, 2), 0, "dddd d MMMM", "niedziela 2 stycznia"},
      {day(2004, 2, 29), 0, "dddd", "niedziela"},
      {day(1999, 12, 31), 0, "dddd", "piątek"},
      // Without a day number the month stands in the nominative.
      {day(2001, 9, 5), 0, "MMMM yyyy", "wrzesień 2001"},
      {day(2001, 9, 5), 0, "dddd, MMMM yyyy", "środa, wrzesień 2001"},
      {day(2001, 9, 5), 0, "MMM", "wrz"},
      // Quoted text, doubled quotes and characters that are not letters of the picture.
      {day(2001, 3, 5), 0, "d MMMM yyyy 'r.'", "5 marca 2001 r."},
      {day(2001, 3, 5), 0, "'dnia' d 'o''clock'", "dnia 5 o'clock"},
      {day(2001, 3, 5), 0, "''yy''", "'01'"},
      {day(2001, 3, 5), 0, "yyyy-MM-dd", "2001-03-05"},
      {day(2001, 3, 5), 0, "'unfinished", "unfinished"},
      {day(1601, 1, 1), 0, "yyyy", "1601"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(date_utf8(c.date, c.flags, c.picture), c.expected) << (c.picture ? c.picture : "(flags)");
  }
}

TEST(DateFormat, RefusesDatesThatDoNotExistAndMixedRequests) {
  const SYSTEMTIME refused[] = {day(2001, 2, 29), day(1900, 2, 29), day(2001, 13, 1), day(2001, 0, 5),
                                day(2001, 3, 0), day(2001, 4, 31), day(1600, 12, 31)};
  for (const SYSTEMTIME& st : refused) EXPECT_EQ(date_utf8(st, DATE_SHORTDATE, nullptr), "<none>");
  EXPECT_EQ(date_utf8(day(2000, 2, 29), DATE_SHORTDATE, nullptr), "29.02.2000");
  EXPECT_EQ(date_utf8(day(2001, 3, 5), DATE_SHORTDATE, "yyyy"), "<none>");
  EXPECT_EQ(date_utf8(day(2001, 3, 5), DATE_SHORTDATE | DATE_LONGDATE, nullptr), "<none>");

  SYSTEMTIME st = day(2001, 3, 5);
  EXPECT_EQ(GetDateFormat(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, nullptr, 0), 13);
  char small[12];
  EXPECT_EQ(GetDateFormat(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, small, sizeof small), 0);
  // Today, when no date is given.
  EXPECT_EQ(GetDateFormat(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, nullptr, 0), 11);
}

}  // namespace
