// The user's locale, which for this program is always Polish: day and month names (CP1250), the
// first day of the week, and dates formatted by the platform's date pictures.
//
// Date pictures: d, dd (day without and with a leading zero), ddd, dddd (abbreviated and full day
// name), M, MM, MMM, MMMM (month number, abbreviated and full name; the full name is the genitive
// form when the picture also shows the day, as Polish dates need), y, yy, yyyy (year), text in
// single quotes as it is ('' for a quote); any other character as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/ctime.h"

using LCID = uint32_t;
using LCTYPE = uint32_t;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// Asks for the locale's own answer rather than the user's changes; every answer here is both.
constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
constexpr LCTYPE LOCALE_SLANGUAGE = 0x0002;
constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
constexpr LCTYPE LOCALE_SDATE = 0x001D;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
// Day names from Monday (1) to Sunday (7); month names from January (1).
constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;
constexpr LCTYPE LOCALE_SDAYNAME2 = 0x002B;
constexpr LCTYPE LOCALE_SDAYNAME3 = 0x002C;
constexpr LCTYPE LOCALE_SDAYNAME4 = 0x002D;
constexpr LCTYPE LOCALE_SDAYNAME5 = 0x002E;
constexpr LCTYPE LOCALE_SDAYNAME6 = 0x002F;
constexpr LCTYPE LOCALE_SDAYNAME7 = 0x0030;
constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;
constexpr LCTYPE LOCALE_SABBREVDAYNAME2 = 0x0032;
constexpr LCTYPE LOCALE_SABBREVDAYNAME3 = 0x0033;
constexpr LCTYPE LOCALE_SABBREVDAYNAME4 = 0x0034;
constexpr LCTYPE LOCALE_SABBREVDAYNAME5 = 0x0035;
constexpr LCTYPE LOCALE_SABBREVDAYNAME6 = 0x0036;
constexpr LCTYPE LOCALE_SABBREVDAYNAME7 = 0x0037;
constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;
constexpr LCTYPE LOCALE_SMONTHNAME2 = 0x0039;
constexpr LCTYPE LOCALE_SMONTHNAME3 = 0x003A;
constexpr LCTYPE LOCALE_SMONTHNAME4 = 0x003B;
constexpr LCTYPE LOCALE_SMONTHNAME5 = 0x003C;
constexpr LCTYPE LOCALE_SMONTHNAME6 = 0x003D;
constexpr LCTYPE LOCALE_SMONTHNAME7 = 0x003E;
constexpr LCTYPE LOCALE_SMONTHNAME8 = 0x003F;
constexpr LCTYPE LOCALE_SMONTHNAME9 = 0x0040;
constexpr LCTYPE LOCALE_SMONTHNAME10 = 0x0041;
constexpr LCTYPE LOCALE_SMONTHNAME11 = 0x0042;
constexpr LCTYPE LOCALE_SMONTHNAME12 = 0x0043;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME2 = 0x0045;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME3 = 0x0046;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME4 = 0x0047;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME5 = 0x0048;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME6 = 0x0049;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME7 = 0x004A;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME8 = 0x004B;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME9 = 0x004C;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME10 = 0x004D;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME11 = 0x004E;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME12 = 0x004F;
constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;  // "0" Monday ... "6" Sunday

constexpr uint32_t DATE_SHORTDATE = 0x0001;
constexpr uint32_t DATE_LONGDATE = 0x0002;

// Copies the text (and a terminating zero) into `buffer` and returns the count copied with the
// zero; with size 0 returns the size needed; 0 for an unknown item or a buffer too small.
int GetLocaleInfo(LCID locale, LCTYPE type, char* buffer, int size);
// Formats `date` (null: today) by `format`, or without one by the short or long date picture of
// the flags. The return value is as for GetLocaleInfo; 0 as well for an impossible date.
int GetDateFormat(LCID locale, uint32_t flags, const SYSTEMTIME* date, const char* format, char* buffer,
                  int size);

namespace base {
// One piece of a formatted date: the text of one picture letter run (`letter` 'd', 'M' or 'y'
// repeated `run` times) or literal text between them (`letter` 0).
struct DatePart {
  std::string text;
  char letter = 0;
  int run = 0;
};
// The pieces of `d` shown by `picture`, in order; their texts joined are what GetDateFormat
// gives. None for a date that does not exist.
std::vector<DatePart> date_parts(const SYSTEMTIME& d, const std::string& picture);
// The genitive month name ("marca") that Polish dates with a day use; empty outside 1..12.
const char* polish_month_genitive(int month);
}  // namespace base
