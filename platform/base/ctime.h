// The framework's time values: CTime (calendar seconds since 1970-01-01 UTC, shown in local time),
// CTimeSpan (a signed number of seconds), COleDateTime (days since 1899-12-30 as a double, the
// fraction being the time of day), and the platform's SYSTEMTIME and FILETIME records.
#pragma once

#include <cstdint>
#include <ctime>

#include "platform/base/cstring.h"

struct SYSTEMTIME {
  uint16_t wYear;
  uint16_t wMonth;      // 1..12
  uint16_t wDayOfWeek;  // 0 Sunday .. 6 Saturday
  uint16_t wDay;
  uint16_t wHour;
  uint16_t wMinute;
  uint16_t wSecond;
  uint16_t wMilliseconds;
};

// 100-nanosecond intervals since 1601-01-01 UTC, in two 32-bit halves.
struct FILETIME {
  uint32_t dwLowDateTime;
  uint32_t dwHighDateTime;
};

class CTimeSpan {
 public:
  constexpr CTimeSpan() = default;
  constexpr CTimeSpan(int64_t seconds) : s_(seconds) {}
  constexpr CTimeSpan(long days, int hours, int minutes, int seconds)
      : s_(((int64_t(days) * 24 + hours) * 60 + minutes) * 60 + seconds) {}

  constexpr int64_t GetTimeSpan() const { return s_; }
  constexpr int64_t GetDays() const { return s_ / 86400; }
  constexpr int64_t GetTotalHours() const { return s_ / 3600; }
  constexpr int64_t GetTotalMinutes() const { return s_ / 60; }
  constexpr int64_t GetTotalSeconds() const { return s_; }
  // The components within a day: hours 0..23 (or negative for a negative span), and so on.
  constexpr int GetHours() const { return int(GetTotalHours() % 24); }
  constexpr int GetMinutes() const { return int(GetTotalMinutes() % 60); }
  constexpr int GetSeconds() const { return int(s_ % 60); }

  constexpr auto operator<=>(const CTimeSpan&) const = default;
  constexpr CTimeSpan operator+(CTimeSpan o) const { return CTimeSpan(s_ + o.s_); }
  constexpr CTimeSpan operator-(CTimeSpan o) const { return CTimeSpan(s_ - o.s_); }
  constexpr CTimeSpan& operator+=(CTimeSpan o) { return s_ += o.s_, *this; }
  constexpr CTimeSpan& operator-=(CTimeSpan o) { return s_ -= o.s_, *this; }

 private:
  int64_t s_ = 0;
};

class CTime {
 public:
  constexpr CTime() = default;
  constexpr CTime(int64_t t) : t_(t) {}
  // A local date and time; `dst` as for mktime (-1: let the system decide). Fields out of their
  // ranges are normalised the way mktime normalises them (month 13 is January of the next year).
  CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
  explicit CTime(const SYSTEMTIME& st, int dst = -1);
  explicit CTime(const FILETIME& ft);

  static CTime GetCurrentTime();

  constexpr int64_t GetTime() const { return t_; }
  // Local-time fields; month 1..12, day of the week 1 Sunday .. 7 Saturday.
  int GetYear() const { return local().tm_year + 1900; }
  int GetMonth() const { return local().tm_mon + 1; }
  int GetDay() const { return local().tm_mday; }
  int GetHour() const { return local().tm_hour; }
  int GetMinute() const { return local().tm_min; }
  int GetSecond() const { return local().tm_sec; }
  int GetDayOfWeek() const { return local().tm_wday + 1; }
  bool GetAsSystemTime(SYSTEMTIME& st) const;
  // strftime of the local time (C locale names). An empty pattern or an over-long result gives
  // an empty string.
  CString Format(const char* pattern) const;
  CString FormatGmt(const char* pattern) const;

  constexpr auto operator<=>(const CTime&) const = default;
  constexpr CTimeSpan operator-(CTime o) const { return CTimeSpan(t_ - o.t_); }
  constexpr CTime operator+(CTimeSpan s) const { return CTime(t_ + s.GetTimeSpan()); }
  constexpr CTime operator-(CTimeSpan s) const { return CTime(t_ - s.GetTimeSpan()); }
  constexpr CTime& operator+=(CTimeSpan s) { return t_ += s.GetTimeSpan(), *this; }
  constexpr CTime& operator-=(CTimeSpan s) { return t_ -= s.GetTimeSpan(), *this; }

 private:
  std::tm local() const;
  int64_t t_ = 0;
};

class COleDateTime {
 public:
  enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

  COleDateTime() = default;
  COleDateTime(double days) : m_dt(days) {}
  // A local date and time; invalid (status `invalid`, value 0) when a field is out of range.
  COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
  }
  explicit COleDateTime(const CTime& t);
  explicit COleDateTime(const SYSTEMTIME& st);

  static COleDateTime GetCurrentTime();

  // Returns 0 on success, 1 when a field is out of range (year 100..9999, month 1..12, day within
  // the month, hour 0..23, minute and second 0..59).
  int SetDateTime(int year, int month, int day, int hour, int minute, int second);
  int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus s) { m_status = s; }
  operator double() const { return m_dt; }

  // Fields; -1 when the value is not valid. Day of the week 1 Sunday .. 7 Saturday.
  int GetYear() const { return fields().year; }
  int GetMonth() const { return fields().month; }
  int GetDay() const { return fields().day; }
  int GetHour() const { return fields().hour; }
  int GetMinute() const { return fields().minute; }
  int GetSecond() const { return fields().second; }
  int GetDayOfWeek() const { return fields().day_of_week; }
  bool GetAsSystemTime(SYSTEMTIME& st) const;
  // strftime of the fields (C locale names); empty when not valid.
  CString Format(const char* pattern) const;

  bool operator==(const COleDateTime& o) const { return m_dt == o.m_dt && m_status == o.m_status; }
  bool operator<(const COleDateTime& o) const { return m_dt < o.m_dt; }

  // Days since 1899-12-30; before it the whole days count back and the fraction still counts
  // forward from midnight (-1.25 is 1899-12-29 06:00).
  double m_dt = 0;
  DateTimeStatus m_status = valid;

 private:
  struct Fields {
    int year = -1, month = -1, day = -1, hour = -1, minute = -1, second = -1, day_of_week = -1;
  };
  Fields fields() const;
};
