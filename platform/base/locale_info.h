// The user's locale, which for this program is always Polish: day and month names (CP1250), the
// first day of the week, and dates formatted by the platform's date pictures.
//
// Date pictures: d, dd (day without and with a leading zero), ddd, dddd (abbreviated and full day
// name), M, MM, MMM, MMMM (month number, abbreviated and full name; the full name is the genitive
// form when the picture also shows the day, as Polish dates need), y, yy, yyyy (year), text in
// single quotes as it is ('' for a quote); any other character as it is.
#pragma once

#include <cstdint>

#include "platform/base/ctime.h"

using LCID = uint32_t;
using LCTYPE = uint32_t;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

constexpr LCTYPE LOCALE_SLANGUAGE = 0x0002;
constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
constexpr LCTYPE LOCALE_SDATE = 0x001D;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;  // Monday; ...7 Sunday
constexpr LCTYPE LOCALE_SDAYNAME7 = 0x0030;
constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;
constexpr LCTYPE LOCALE_SABBREVDAYNAME7 = 0x0037;
constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;
constexpr LCTYPE LOCALE_SMONTHNAME12 = 0x0043;
constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;
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
// The genitive month name ("marca") that Polish dates with a day use; empty outside 1..12.
const char* polish_month_genitive(int month);
}  // namespace base
