#include "controls/date.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/base/locale_info.h"
#include "platform/res/resource_store.h"

IMPLEMENT_SERIAL(CDate, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

// One less than the day number of 0001-01-01 in the Gregorian count; the same fields in the
// Julian count lie two days earlier on the scale.
constexpr int64_t kDayNumberBase = 1999422264;

constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Day number of day count 0 in each epoch.
constexpr int64_t kEpochOffset[7] = {1997700839, 2000100839, 2000115860, 2000134122,
                                     2000141427, 2000152384, 2000000000};

// Era texts with the year as their argument; the program's string table may hold them.
constexpr UINT kEraString = 16050;
constexpr UINT kBeforeEraString = 16051;

constexpr int kDateFormatBuffer = 100;

int64_t floor_div(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool on_or_after_switch(int64_t year, int month, int day) {
  if (year != 1582) return year > 1582;
  return month > 10 || (month == 10 && day >= 15);
}

bool inside_switch_gap(int64_t year, int month, int day) { return year == 1582 && month == 10 && day >= 5 && day <= 14; }

// 1 Sunday to 7 Saturday; day number 2,000,000,000 is a Friday.
int weekday_of(int64_t day_number) { return int(((day_number % 7) + 7) % 7) + 1; }

CString locale_text(LCTYPE type) {
  char buffer[kDateFormatBuffer];
  return GetLocaleInfo(LOCALE_USER_DEFAULT, type, buffer, int(sizeof buffer)) > 0 ? CString(buffer) : CString();
}

// The locale's first day of the week, 1 Sunday to 7 Saturday.
int first_weekday() {
  CString answer = locale_text(LOCALE_IFIRSTDAYOFWEEK);
  if (answer.GetLength() == 1 && answer[0] >= '0' && answer[0] <= '6') {
    // "0" Monday (2) ... "5" Saturday (7), "6" Sunday (1).
    return (answer[0] - '0' + 1) % 7 + 1;
  }
  return CDate::kMonday;
}

// Full (or abbreviated) day name: the locale lists Monday first, the date counts from Sunday.
CString day_name(int weekday, bool abbreviated) {
  LCTYPE first = abbreviated ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1;
  return locale_text(first + LCTYPE(weekday == CDate::kSunday ? 6 : weekday - 2));
}

std::string number(const char* format, int64_t value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, static_cast<long long>(value));
  return buffer;
}

std::string date_format(const SYSTEMTIME& st, uint32_t flags) {
  char buffer[kDateFormatBuffer];
  return GetDateFormat(LOCALE_USER_DEFAULT, flags, &st, nullptr, buffer, int(sizeof buffer)) > 0 ? buffer : "";
}

// The era text with the year put where the text has its "%ld" (or "%d"); empty when the string
// table has no such text. The text is never used as a printf pattern.
std::string era_text(int64_t year, bool after_era) {
  CString text;
  if (!AfxLoadString(after_era ? kEraString : kBeforeEraString, text)) return {};
  std::string out = text.str();
  for (const char* placeholder : {"%ld", "%d"}) {
    size_t at = out.find(placeholder);
    if (at != std::string::npos) return out.replace(at, std::char_traits<char>::length(placeholder), number("%lld", year));
  }
  return out;
}

}  // namespace

// --- Calendar arithmetic ---------------------------------------------------------------------------

bool CDate::IsLeapYear(int64_t year) {
  // Years whose 1 January lies after the switch follow the Gregorian rule.
  if (year > 1582 && year % 100 == 0) return year % 400 == 0;
  return year % 4 == 0;
}

int CDate::DaysInMonth(int64_t year, int month) {
  if (month < 1 || month > 12) return 0;
  return kMonthLength[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int64_t CDate::DayNumberOf(int64_t year, int month, int day) {
  const int64_t gregorian = on_or_after_switch(year, month, day) ? 1 : 0;
  const int64_t before = year - 1;
  int64_t n = floor_div(before, 4) + 365 * before;
  if (gregorian) n += floor_div(before, 400) - floor_div(before, 100);
  for (int m = 1; m < month && m <= 12; ++m) n += DaysInMonth(year, m);
  return n + day - 2 * (1 - gregorian) + kDayNumberBase;
}

CDate::Fields CDate::GetFields() const {
  Fields f;
  if (!IsValid()) return f;
  const bool gregorian = IsGregorian();
  // Days since 0001-01-01 of the date's own calendar.
  int64_t n = int64_t(m_dwDayNumber) - (kDayNumberBase + 1) + 2 * (gregorian ? 0 : 1);
  const int64_t cycle = gregorian ? 146097 : 146100;
  const int64_t century = gregorian ? 36524 : 36525;
  int64_t cycles = floor_div(n, cycle);
  n -= cycles * cycle;
  int64_t centuries = std::min<int64_t>(n / century, 3);
  n -= centuries * century;
  int64_t quads = n / 1461;
  n -= quads * 1461;
  int64_t years = std::min<int64_t>(n / 365, 3);
  n -= years * 365;
  f.year = cycles * 400 + centuries * 100 + quads * 4 + years + 1;
  f.day_of_year = int(n) + 1;
  int rest = int(n);
  int month = 1;
  while (month < 12 && rest >= DaysInMonth(f.year, month)) rest -= DaysInMonth(f.year, month++);
  f.month = month;
  f.day = rest + 1;
  return f;
}

// --- Construction and setting ----------------------------------------------------------------------

CDate::CDate(const SYSTEMTIME& st) : CObject() { SetDate(int32_t(st.wYear), int16_t(st.wMonth), int16_t(st.wDay)); }

CDate::CDate(int32_t year, int16_t month, int n, int weekday) : CObject() {
  if (n < 1 || n > 5 || weekday < kSunday || weekday > kSaturday || month < 1 || month > 12) return;
  const int64_t first = DayNumberOf(year, month, 1);
  // The month's last day; October 1582 lost ten days, which the continuous scale shows.
  const int64_t last = DayNumberOf(year, month, DaysInMonth(year, month));
  int64_t day;
  if (n == 5) {
    day = last - (weekday_of(last) - weekday + 7) % 7;
  } else {
    day = first + (weekday - weekday_of(first) + 7) % 7 + 7 * (n - 1);
    if (day > last) return;
  }
  SetDayNumber(day);
}

CDate& CDate::operator=(const CDate& other) {
  m_dwDayNumber = other.m_dwDayNumber;
  m_bGregorian = other.m_bGregorian;
  m_bValid = other.m_bValid;
  return *this;
}

void CDate::Empty() {
  m_dwDayNumber = 0;
  m_bGregorian = 0;
  m_bValid = 0;
}

void CDate::SetDayNumber(int64_t day_number) {
  if (day_number < 0 || day_number > kMaxDayNumber) {
    Empty();
    return;
  }
  m_dwDayNumber = uint32_t(day_number);
  m_bGregorian = day_number >= kFirstGregorianDay ? 1 : 0;
  m_bValid = 1;
}

void CDate::SetDate(int32_t year, int16_t month, int16_t day) {
  if (day < 1 || day > DaysInMonth(year, month) || inside_switch_gap(year, month, day)) {
    Empty();
    return;
  }
  SetDayNumber(DayNumberOf(year, month, day));
}

void CDate::SetDayCount(int32_t count, int epoch) {
  if (epoch < kJulianDayEpoch || epoch > kEpoch1582) {
    Empty();
    return;
  }
  SetDayNumber(int64_t(count) + kEpochOffset[epoch]);
}

void CDate::SetFromTime(int64_t seconds) {
  SetDayNumber(floor_div(seconds, 86400) + kEpochOffset[kEpoch1970]);
}

CDate CDate::GetToday() {
  CTime now = CTime::GetCurrentTime();
  return CDate(int32_t(now.GetYear()), int16_t(now.GetMonth()), int16_t(now.GetDay()));
}

void CDate::AddDays(int64_t days) {
  if (!IsValid()) return;
  // Far beyond the range either way: empty, without overflowing on the way.
  if (days > kMaxDayNumber || days < -kMaxDayNumber) {
    Empty();
    return;
  }
  SetDayNumber(int64_t(m_dwDayNumber) + days);
}

// --- Reading ---------------------------------------------------------------------------------------

int32_t CDate::GetYear() const { return int32_t(GetFields().year); }
int CDate::GetMonth() const { return GetFields().month; }
int CDate::GetDay() const { return GetFields().day; }

int CDate::GetDayOfWeek() const { return IsValid() ? weekday_of(m_dwDayNumber) : 0; }

int CDate::GetDayOfYear() const {
  if (!IsValid()) return 0;
  return int(int64_t(m_dwDayNumber) - DayNumberOf(GetFields().year, 1, 1) + 1);
}

int64_t CDate::GetYearWithEra(int& after_era) const {
  int64_t year = GetFields().year;
  after_era = year > 0 ? 1 : 0;
  return year > 0 ? year : 1 - year;
}

int CDate::GetTwoDigitYear() const {
  int64_t year = GetFields().year;
  return int((year < 0 ? -year : year) % 100);
}

int CDate::GetWeekOfYear() const {
  if (!IsValid()) return 0;
  const int64_t january_first = DayNumberOf(GetFields().year, 1, 1);
  const int64_t first_week_day = january_first + (first_weekday() - weekday_of(january_first) + 7) % 7;
  if (int64_t(m_dwDayNumber) < first_week_day) return 0;
  return int((int64_t(m_dwDayNumber) - first_week_day) / 7 + 1);
}

int64_t CDate::DaysSince1900() const { return int64_t(m_dwDayNumber) - kEpochOffset[kEpoch1900]; }

SYSTEMTIME CDate::GetSystemTime() const {
  SYSTEMTIME st{};
  Fields f = GetFields();
  if (!IsValid() || f.year < 0 || f.year > 65535) return st;
  st.wYear = uint16_t(f.year);
  st.wMonth = uint16_t(f.month);
  st.wDayOfWeek = uint16_t(GetDayOfWeek() - 1);
  st.wDay = uint16_t(f.day);
  return st;
}

// --- Formatting ------------------------------------------------------------------------------------

// Pattern letters after a per-cent sign:
//   A full day name, a abbreviated day name (locale)   B month name (Polish genitive)
//   b abbreviated month name (locale)                  c year with era (string table)
//   d day (two digits)   j day of the year (three)     m month (two)   U week of the year (two)
//   w day of the week (1 Sunday)   x short date (locale)   Y year   y two-digit year (two)
//   #d #j #m #U #y the same numbers without leading zeros   #x long date (locale)
//   # and any other character, or any other letter: that character ("%%" is a per-cent sign).
// A per-cent sign, or a per-cent sign and '#', at the very end of the pattern is dropped.
CString CDate::Format(const char* pattern) const {
  if (!IsValid() || !pattern) return CString();
  const Fields f = GetFields();
  std::string out;
  for (const char* p = pattern; *p; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    if (!*++p) break;
    const bool bare = *p == '#';
    if (bare && !*++p) break;
    const char letter = *p;
    if (bare) {
      switch (letter) {
        case 'd': out += number("%lld", f.day); break;
        case 'j': out += number("%lld", GetDayOfYear()); break;
        case 'm': out += number("%lld", f.month); break;
        case 'U': out += number("%lld", GetWeekOfYear()); break;
        case 'y': out += number("%lld", GetTwoDigitYear()); break;
        case 'x': out += date_format(GetSystemTime(), DATE_LONGDATE); break;
        default: out += letter; break;
      }
      continue;
    }
    switch (letter) {
      case 'A': out += day_name(GetDayOfWeek(), false).str(); break;
      case 'a': out += day_name(GetDayOfWeek(), true).str(); break;
      case 'B': out += base::polish_month_genitive(f.month); break;
      case 'b': out += locale_text(LOCALE_SABBREVMONTHNAME1 + LCTYPE(f.month - 1)).str(); break;
      case 'c': {
        int after_era = 0;
        int64_t year = GetYearWithEra(after_era);
        out += era_text(year, after_era != 0);
        break;
      }
      case 'd': out += number("%.02lld", f.day); break;
      case 'j': out += number("%.03lld", GetDayOfYear()); break;
      case 'm': out += number("%.02lld", f.month); break;
      case 'U': out += number("%.02lld", GetWeekOfYear()); break;
      case 'w': out += number("%lld", GetDayOfWeek()); break;
      case 'x': out += date_format(GetSystemTime(), DATE_SHORTDATE); break;
      case 'Y': out += number("%lld", f.year); break;
      case 'y': out += number("%.02lld", GetTwoDigitYear()); break;
      default: out += letter; break;
    }
  }
  return CString(out);
}

// --- Stored form -----------------------------------------------------------------------------------

void CDate::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwDayNumber << uint16_t(m_bGregorian & 0xFFFF) << m_bValid;
    return;
  }
  uint32_t day_number = 0, valid = 0;
  uint16_t gregorian = 0;
  ar >> day_number >> gregorian >> valid;
  if (valid) {
    SetDayNumber(day_number);
  } else {
    Empty();
  }
}
