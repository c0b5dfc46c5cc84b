#include "platform/base/locale_info.h"

#include <array>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

#include "platform/base/cp1250.h"

namespace {

// Names in UTF-8 as written here; handed out in CP1250.
constexpr std::array<const char*, 7> kDayNames = {"poniedziałek", "wtorek", "środa", "czwartek",
                                                  "piątek", "sobota", "niedziela"};
constexpr std::array<const char*, 7> kAbbrevDayNames = {"pn", "wt", "śr", "cz", "pt", "so", "nd"};
constexpr std::array<const char*, 12> kMonthNames = {
    "styczeń", "luty", "marzec", "kwiecień", "maj", "czerwiec",
    "lipiec", "sierpień", "wrzesień", "październik", "listopad", "grudzień"};
// The form a month takes after a day number.
constexpr std::array<const char*, 12> kMonthGenitives = {
    "stycznia", "lutego", "marca", "kwietnia", "maja", "czerwca",
    "lipca", "sierpnia", "września", "października", "listopada", "grudnia"};
constexpr std::array<const char*, 12> kAbbrevMonthNames = {"sty", "lut", "mar", "kwi", "maj", "cze",
                                                           "lip", "sie", "wrz", "paź", "lis", "gru"};
constexpr const char* kShortDate = "dd.MM.yyyy";
constexpr const char* kLongDate = "d MMMM yyyy";

std::string cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }

// The answer for a kind, empty when there is none.
std::string locale_text(LCTYPE type) {
  type &= ~LOCALE_NOUSEROVERRIDE;
  if (type >= LOCALE_SDAYNAME1 && type <= LOCALE_SDAYNAME7) return cp(kDayNames[type - LOCALE_SDAYNAME1]);
  if (type >= LOCALE_SABBREVDAYNAME1 && type <= LOCALE_SABBREVDAYNAME7) {
    return cp(kAbbrevDayNames[type - LOCALE_SABBREVDAYNAME1]);
  }
  if (type >= LOCALE_SMONTHNAME1 && type <= LOCALE_SMONTHNAME12) return cp(kMonthNames[type - LOCALE_SMONTHNAME1]);
  if (type >= LOCALE_SABBREVMONTHNAME1 && type <= LOCALE_SABBREVMONTHNAME12) {
    return cp(kAbbrevMonthNames[type - LOCALE_SABBREVMONTHNAME1]);
  }
  switch (type) {
    case LOCALE_IFIRSTDAYOFWEEK: return "0";
    case LOCALE_SSHORTDATE: return kShortDate;
    case LOCALE_SLONGDATE: return kLongDate;
    case LOCALE_SDATE: return ".";
    default: return {};
  }
}

int answer(const std::string& text, char* buffer, int size) {
  int needed = int(text.size()) + 1;
  if (size == 0) return needed;
  if (!buffer || size < needed) return 0;
  std::memcpy(buffer, text.c_str(), size_t(needed));
  return needed;
}

bool leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[month - 1] + (month == 2 && leap(year) ? 1 : 0);
}

// 0 Monday .. 6 Sunday, for a Gregorian date.
int weekday_from_monday(int year, int month, int day) {
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  int y = month < 3 ? year - 1 : year;
  int sunday_based = (y + y / 4 - y / 100 + y / 400 + kOffsets[month - 1] + day) % 7;
  return (sunday_based + 6) % 7;
}

std::string number(int value, int digits) {
  std::string s = std::to_string(value);
  if (int(s.size()) < digits) s.insert(0, size_t(digits) - s.size(), '0');
  return s;
}

// Whether the picture writes a day number (d or dd outside quoted text).
bool has_day_number(std::string_view picture) {
  bool quoted = false;
  for (size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '\'') {
      quoted = !quoted;
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (!quoted && c == 'd' && run <= 2) return true;
    i += run;
  }
  return false;
}

std::string format_date(std::string_view picture, int year, int month, int day) {
  const bool genitive = has_day_number(picture);
  const int weekday = weekday_from_monday(year, month, day);
  std::string out;
  for (size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '\'') {
      // Quoted text up to the closing quote (or the end); '' is one quote, inside or outside.
      if (i + 1 < picture.size() && picture[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      for (++i; i < picture.size(); ++i) {
        if (picture[i] != '\'') {
          out += picture[i];
        } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
          out += '\'';
          ++i;
        } else {
          break;
        }
      }
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    i += run;
    switch (c) {
      case 'd':
        out += run == 1   ? number(day, 1)
               : run == 2 ? number(day, 2)
               : run == 3 ? cp(kAbbrevDayNames[size_t(weekday)])
                          : cp(kDayNames[size_t(weekday)]);
        break;
      case 'M':
        out += run == 1   ? number(month, 1)
               : run == 2 ? number(month, 2)
               : run == 3 ? cp(kAbbrevMonthNames[size_t(month - 1)])
                          : cp((genitive ? kMonthGenitives : kMonthNames)[size_t(month - 1)]);
        break;
      case 'y':
        out += run == 1 ? number(year % 100, 1) : run == 2 ? number(year % 100, 2) : number(year, 1);
        break;
      default:
        out.append(run, c);
        break;
    }
  }
  return out;
}

}  // namespace

int GetLocaleInfo(LCID, LCTYPE type, char* data, int size) {
  std::string text = locale_text(type);
  return text.empty() ? 0 : answer(text, data, size);
}

int GetDateFormat(LCID, DWORD flags, const SYSTEMTIME* date, const char* format, char* buffer, int size) {
  DWORD kind = flags & (DATE_SHORTDATE | DATE_LONGDATE);
  if (size < 0 || (format && kind) || kind == (DATE_SHORTDATE | DATE_LONGDATE)) return 0;
  int year, month, day;
  if (date) {
    year = date->wYear;
    month = date->wMonth;
    day = date->wDay;
  } else {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
    day = local.tm_mday;
  }
  if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > days_in_month(year, month)) {
    return 0;
  }
  const char* picture = format ? format : kind == DATE_LONGDATE ? kLongDate : kShortDate;
  return answer(format_date(picture, year, month, day), buffer, size);
}
