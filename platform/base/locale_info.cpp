#include "platform/base/locale_info.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace {

// CP1250 texts.
const char* const kDays[7] = {"poniedzia\263ek", "wtorek", "\x9Croda", "czwartek", "pi\xB9tek", "sobota", "niedziela"};
const char* const kShortDays[7] = {"pon.", "wt.", "\x9Cr.", "czw.", "pt.", "sob.", "niedz."};
const char* const kMonths[12] = {"stycze\xF1",     "luty",     "marzec",  "kwiecie\xF1", "maj",      "czerwiec",
                                 "lipiec",         "sierpie\xF1", "wrzesie\xF1", "pa\237dziernik", "listopad",
                                 "grudzie\xF1"};
const char* const kMonthsGenitive[12] = {"stycznia", "lutego",   "marca",    "kwietnia",  "maja",          "czerwca",
                                         "lipca",    "sierpnia", "wrze\x9Cnia", "pa\237dziernika", "listopada",
                                         "grudnia"};
const char* const kShortMonths[12] = {"sty", "lut", "mar", "kwi", "maj", "cze",
                                      "lip", "sie", "wrz", "pa\x9F", "lis", "gru"};
constexpr const char* kShortDate = "yyyy-MM-dd";
constexpr const char* kLongDate = "d MMMM yyyy";

const char* locale_text(LCTYPE type) {
  if (type >= LOCALE_SDAYNAME1 && type <= LOCALE_SDAYNAME7) return kDays[type - LOCALE_SDAYNAME1];
  if (type >= LOCALE_SABBREVDAYNAME1 && type <= LOCALE_SABBREVDAYNAME7) return kShortDays[type - LOCALE_SABBREVDAYNAME1];
  if (type >= LOCALE_SMONTHNAME1 && type <= LOCALE_SMONTHNAME12) return kMonths[type - LOCALE_SMONTHNAME1];
  if (type >= LOCALE_SABBREVMONTHNAME1 && type <= LOCALE_SABBREVMONTHNAME12) {
    return kShortMonths[type - LOCALE_SABBREVMONTHNAME1];
  }
  switch (type) {
    case LOCALE_SLANGUAGE: return "Polski";
    case LOCALE_SDECIMAL: return ",";
    case LOCALE_SDATE: return "-";
    case LOCALE_SSHORTDATE: return kShortDate;
    case LOCALE_SLONGDATE: return kLongDate;
    case LOCALE_IFIRSTDAYOFWEEK: return "0";
    default: return nullptr;
  }
}

int copy_out(const std::string& text, char* buffer, int size) {
  int needed = int(text.size()) + 1;
  if (size == 0) return needed;
  if (!buffer || size < needed) return 0;
  std::memcpy(buffer, text.c_str(), size_t(needed));
  return needed;
}

bool valid(const SYSTEMTIME& d) {
  static const int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.wMonth < 1 || d.wMonth > 12 || d.wDay < 1) return false;
  bool leap = (d.wYear % 4 == 0 && d.wYear % 100 != 0) || d.wYear % 400 == 0;
  return d.wDay <= kLength[d.wMonth - 1] + (d.wMonth == 2 && leap ? 1 : 0);
}

// Monday 0 .. Sunday 6 of a Gregorian date.
int weekday(const SYSTEMTIME& d) {
  int y = d.wYear, m = d.wMonth;
  if (m < 3) y -= 1, m += 12;
  int k = y % 100, j = y / 100;
  int h = (d.wDay + 13 * (m + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;  // 0 Saturday
  return (h + 5) % 7;
}

// How many times the character at `i` repeats from there.
size_t run_at(const std::string& picture, size_t i) {
  size_t run = 1;
  while (i + run < picture.size() && picture[i + run] == picture[i]) ++run;
  return run;
}

// The end of the quoted text that starts at `i` (past its closing quote).
size_t after_quote(const std::string& picture, size_t i) {
  size_t j = i + 1;
  while (j < picture.size()) {
    if (picture[j] == '\'') {
      if (j + 1 < picture.size() && picture[j + 1] == '\'') {
        j += 2;
        continue;
      }
      return j + 1;
    }
    ++j;
  }
  return j;
}

// Whether the picture shows the day of the month (d or dd outside quoted text).
bool shows_day(const std::string& picture) {
  for (size_t i = 0; i < picture.size();) {
    if (picture[i] == '\'') {
      i = after_quote(picture, i);
      continue;
    }
    size_t run = run_at(picture, i);
    if (picture[i] == 'd' && run <= 2) return true;
    i += run;
  }
  return false;
}

std::string format_date(const SYSTEMTIME& d, const std::string& picture) {
  std::string out;
  for (const base::DatePart& part : base::date_parts(d, picture)) out += part.text;
  return out;
}

}  // namespace

int GetLocaleInfo(LCID, LCTYPE type, char* buffer, int size) {
  const char* text = locale_text(type & ~LOCALE_NOUSEROVERRIDE);
  return text && size >= 0 ? copy_out(text, buffer, size) : 0;
}

int GetDateFormat(LCID, uint32_t flags, const SYSTEMTIME* date, const char* format, char* buffer, int size) {
  if (size < 0) return 0;
  SYSTEMTIME d{};
  if (date) {
    d = *date;
  } else {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    d.wYear = uint16_t(local.tm_year + 1900);
    d.wMonth = uint16_t(local.tm_mon + 1);
    d.wDay = uint16_t(local.tm_mday);
  }
  if (!valid(d)) return 0;
  std::string picture = format ? format : (flags & DATE_LONGDATE) ? kLongDate : kShortDate;
  return copy_out(format_date(d, picture), buffer, size);
}

namespace base {

std::vector<DatePart> date_parts(const SYSTEMTIME& d, const std::string& picture) {
  if (!valid(d)) return {};
  const bool genitive = shows_day(picture);
  std::vector<DatePart> parts;
  auto literal = [&parts](const std::string& text) {
    if (parts.empty() || parts.back().letter != 0) parts.push_back(DatePart{});
    parts.back().text += text;
  };
  char number[16];
  for (size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '\'' && i + 1 < picture.size() && picture[i + 1] == '\'') {
      // Two quotes in a row are one quote, inside quoted text or not.
      literal("'");
      i += 2;
      continue;
    }
    if (c == '\'') {
      // Quoted text.
      size_t end = after_quote(picture, i);
      std::string text;
      for (size_t j = i + 1; j < end; ++j) {
        if (picture[j] != '\'') {
          text += picture[j];
        } else if (j + 1 < end && picture[j + 1] == '\'') {
          text += '\'';
          ++j;
        }
      }
      literal(text);
      i = end;
      continue;
    }
    size_t run = run_at(picture, i);
    std::string text;
    if (c == 'd') {
      if (run >= 4) text = kDays[weekday(d)];
      else if (run == 3) text = kShortDays[weekday(d)];
      else std::snprintf(number, sizeof number, run == 2 ? "%02d" : "%d", d.wDay), text = number;
    } else if (c == 'M') {
      if (run >= 4) text = genitive ? kMonthsGenitive[d.wMonth - 1] : kMonths[d.wMonth - 1];
      else if (run == 3) text = kShortMonths[d.wMonth - 1];
      else std::snprintf(number, sizeof number, run == 2 ? "%02d" : "%d", d.wMonth), text = number;
    } else if (c == 'y') {
      if (run >= 3) std::snprintf(number, sizeof number, "%04d", d.wYear);
      else std::snprintf(number, sizeof number, run == 2 ? "%02d" : "%d", d.wYear % 100);
      text = number;
    } else {
      literal(std::string(run, c));
      i += run;
      continue;
    }
    parts.push_back(DatePart{text, c, int(run)});
    i += run;
  }
  return parts;
}

const char* polish_month_genitive(int month) { return month >= 1 && month <= 12 ? kMonthsGenitive[month - 1] : ""; }
}  // namespace base
