// The platform's locale answers for the one locale of the program, Polish: day and month names,
// the first day of the week, the date pictures, and dates formatted by a picture. Texts are CP1250.
//
// Date pictures: d day, dd day with a leading zero, ddd abbreviated day name, dddd full day name;
// M month, MM month with a leading zero, MMM abbreviated month name, MMMM full month name (in the
// genitive, "5 marca 2001", when the picture also holds a day number, as the Polish calendar
// writes dates; otherwise the nominative, "marzec 2001"); y year in two digits without a leading
// zero, yy two digits, yyyy the whole year; text between single quotes is copied ('' is a quote);
// any other character is copied as it is.
#pragma once

#include "platform/base/ctime.h"
#include "platform/win/win_types.h"

using LCID = DWORD;
using LCTYPE = DWORD;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

inline constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
inline constexpr LCTYPE LOCALE_SDATE = 0x001D;       // "."
inline constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;  // "dd.MM.yyyy"
inline constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;   // "d MMMM yyyy"
// Monday is 1, Sunday 7.
inline constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;
inline constexpr LCTYPE LOCALE_SDAYNAME2 = 0x002B;
inline constexpr LCTYPE LOCALE_SDAYNAME3 = 0x002C;
inline constexpr LCTYPE LOCALE_SDAYNAME4 = 0x002D;
inline constexpr LCTYPE LOCALE_SDAYNAME5 = 0x002E;
inline constexpr LCTYPE LOCALE_SDAYNAME6 = 0x002F;
inline constexpr LCTYPE LOCALE_SDAYNAME7 = 0x0030;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME2 = 0x0032;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME3 = 0x0033;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME4 = 0x0034;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME5 = 0x0035;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME6 = 0x0036;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME7 = 0x0037;
inline constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;
inline constexpr LCTYPE LOCALE_SMONTHNAME2 = 0x0039;
inline constexpr LCTYPE LOCALE_SMONTHNAME3 = 0x003A;
inline constexpr LCTYPE LOCALE_SMONTHNAME4 = 0x003B;
inline constexpr LCTYPE LOCALE_SMONTHNAME5 = 0x003C;
inline constexpr LCTYPE LOCALE_SMONTHNAME6 = 0x003D;
inline constexpr LCTYPE LOCALE_SMONTHNAME7 = 0x003E;
inline constexpr LCTYPE LOCALE_SMONTHNAME8 = 0x003F;
inline constexpr LCTYPE LOCALE_SMONTHNAME9 = 0x0040;
inline constexpr LCTYPE LOCALE_SMONTHNAME10 = 0x0041;
inline constexpr LCTYPE LOCALE_SMONTHNAME11 = 0x0042;
inline constexpr LCTYPE LOCALE_SMONTHNAME12 = 0x0043;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME2 = 0x0045;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME3 = 0x0046;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME4 = 0x0047;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME5 = 0x0048;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME6 = 0x0049;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME7 = 0x004A;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME8 = 0x004B;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME9 = 0x004C;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME10 = 0x004D;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME11 = 0x004E;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME12 = 0x004F;
// "0" Monday .. "6" Sunday.
inline constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;

inline constexpr DWORD DATE_SHORTDATE = 0x0001;
inline constexpr DWORD DATE_LONGDATE = 0x0002;

// Copies the answer and its terminating zero and returns their length; with `size` 0 only
// returns the length needed. 0 for an unknown kind of answer or a buffer too small.
int GetLocaleInfo(LCID locale, LCTYPE type, char* data, int size);

// Formats `date` (null: today) by `format`, or, when `format` is null, by the short or long date
// picture that `flags` chooses. Returns as GetLocaleInfo does; 0 as well for a date that does not
// exist (month outside 1..12, day outside its month, year outside 1601..30827), for a picture
// given together with a date flag, and for both date flags at once. The day of the week is
// worked out from the date; the record's own field is not read.
int GetDateFormat(LCID locale, DWORD flags, const SYSTEMTIME* date, const char* format, char* buffer,
                  int size);
