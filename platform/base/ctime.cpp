#include "platform/base/ctime.h"

#include <cmath>
#include <string>

namespace {

// Days between 1970-01-01 and the proleptic Gregorian date y-m-d (negative before it).
int64_t days_from_civil(int64_t y, int m, int d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;                                    // 0..399
  int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // 0..365, from 1 March
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;            // 0..146096
  return era * 146097 + doe - 719468;
}

void civil_from_days(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = int(yoe + era * 400 + (m <= 2));
}

bool is_leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int month_length(int y, int m) {
  static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && is_leap(y) ? 29 : kLengths[m - 1];
}

// 1899-12-30, day 0 of COleDateTime, counted from 1970-01-01.
constexpr int64_t kOleEpochDays = -25569;
// 1601-01-01 to 1970-01-01 in 100-nanosecond intervals.
constexpr int64_t kFileTimeEpoch = 116444736000000000LL;

CString format_tm(const std::tm& tm, const char* pattern) {
  if (!pattern || !*pattern) return CString();
  std::string buf(256, '\0');
  for (; buf.size() <= 65536; buf.resize(buf.size() * 4)) {
    size_t n = std::strftime(buf.data(), buf.size(), pattern, &tm);
    if (n) {
      buf.resize(n);
      return CString(std::move(buf));
    }
  }
  return CString();
}

}  // namespace

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = dst;
  t_ = int64_t(std::mktime(&tm));
}

CTime::CTime(const SYSTEMTIME& st, int dst)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, dst) {}

CTime::CTime(const FILETIME& ft) {
  int64_t ticks = int64_t((uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
  int64_t rel = ticks - kFileTimeEpoch;
  t_ = rel >= 0 ? rel / 10000000 : -((-rel + 9999999) / 10000000);
}

CTime CTime::GetCurrentTime() { return CTime(int64_t(std::time(nullptr))); }

std::tm CTime::local() const {
  std::tm tm{};
  std::time_t t = std::time_t(t_);
  localtime_r(&t, &tm);
  return tm;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& st) const {
  std::tm tm = local();
  if (tm.tm_year + 1900 < 1601 || tm.tm_year + 1900 > 30827) return false;
  st = {uint16_t(tm.tm_year + 1900), uint16_t(tm.tm_mon + 1),
        uint16_t(tm.tm_wday),        uint16_t(tm.tm_mday),
        uint16_t(tm.tm_hour),        uint16_t(tm.tm_min),
        uint16_t(tm.tm_sec),         0};
  return true;
}

CString CTime::Format(const char* pattern) const { return format_tm(local(), pattern); }

CString CTime::FormatGmt(const char* pattern) const {
  std::tm tm{};
  std::time_t t = std::time_t(t_);
  gmtime_r(&t, &tm);
  return format_tm(tm, pattern);
}

COleDateTime::COleDateTime(const CTime& t) {
  SetDateTime(t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond());
}

COleDateTime::COleDateTime(const SYSTEMTIME& st) {
  SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

COleDateTime COleDateTime::GetCurrentTime() { return COleDateTime(CTime::GetCurrentTime()); }

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  bool ok = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
            day <= month_length(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
            minute <= 59 && second >= 0 && second <= 59;
  if (!ok) {
    m_dt = 0;
    m_status = invalid;
    return 1;
  }
  double days = double(days_from_civil(year, month, day) - kOleEpochDays);
  double frac = (hour * 3600 + minute * 60 + second) / 86400.0;
  m_dt = days >= 0 ? days + frac : days - frac;
  m_status = valid;
  return 0;
}

COleDateTime::Fields COleDateTime::fields() const {
  Fields f;
  if (m_status != valid || !std::isfinite(m_dt) || std::fabs(m_dt) > 3e6) return f;
  double whole = std::trunc(m_dt);
  auto secs = int64_t(std::llround(std::fabs(m_dt - whole) * 86400.0));
  int64_t day = int64_t(whole);
  // A fraction that rounds up to midnight belongs to the next day, forward in time.
  if (secs >= 86400) secs -= 86400, ++day;
  int64_t unix_day = day + kOleEpochDays;
  civil_from_days(unix_day, f.year, f.month, f.day);
  f.hour = int(secs / 3600);
  f.minute = int(secs / 60 % 60);
  f.second = int(secs % 60);
  f.day_of_week = int(((unix_day + 4) % 7 + 7) % 7) + 1;  // 1970-01-01 was a Thursday
  return f;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const {
  Fields f = fields();
  if (f.year < 0) return false;
  st = {uint16_t(f.year), uint16_t(f.month),  uint16_t(f.day_of_week - 1), uint16_t(f.day),
        uint16_t(f.hour), uint16_t(f.minute), uint16_t(f.second),          0};
  return true;
}

CString COleDateTime::Format(const char* pattern) const {
  Fields f = fields();
  if (f.year < 0) return CString();
  std::tm tm{};
  tm.tm_year = f.year - 1900;
  tm.tm_mon = f.month - 1;
  tm.tm_mday = f.day;
  tm.tm_hour = f.hour;
  tm.tm_min = f.minute;
  tm.tm_sec = f.second;
  tm.tm_wday = f.day_of_week - 1;
  tm.tm_yday = int(days_from_civil(f.year, f.month, f.day) - days_from_civil(f.year, 1, 1));
  return format_tm(tm, pattern);
}
