// CDate: the application's date value, on one continuous day scale across the Julian and the
// Gregorian calendar.
//
// Day numbers: 2,000,000,000 is 1582-10-15, the first Gregorian day, and every day counts one
// (day number = Julian day number + 1,997,700,839). The day before, 1582-10-04, is the last Julian
// day; 1582-10-05 to 1582-10-14 do not exist. Dates before the switch are Julian, the others
// Gregorian; years are astronomical (year 0 is 1 BC). A date is valid for the day numbers 0 to
// kMaxDayNumber; anything that would fall outside, or any impossible field, gives an empty date
// (all three fields 0).
//
// Stored form (CArchive, little-endian, 10 bytes):
//   0  4  day number
//   4  2  calendar flag (1 Gregorian, 0 Julian)
//   6  4  valid flag (0 empty)
// Loading normalises what it reads: a date flagged empty, or a day number outside the range,
// loads empty; the calendar flag is taken from the day number.
#pragma once

#include <cstdint>

#include "platform/base/archive.h"
#include "platform/base/ctime.h"
#include "platform/base/cstring.h"
#include "platform/base/object.h"

class CDate : public CObject {
  DECLARE_SERIAL(CDate)

 public:
  // Epoch codes of day counts.
  enum Epoch {
    kJulianDayEpoch = 0,  // Julian day number 0
    kEpoch1858 = 1,       // 1858-11-16
    kEpoch1900 = 2,       // 1900-01-01
    kEpoch1950 = 3,       // 1950-01-01
    kEpoch1970 = 4,       // 1970-01-01
    kEpoch2000 = 5,       // 2000-01-01
    kEpoch1582 = 6,       // 1582-10-15
  };
  static constexpr int64_t kFirstGregorianDay = 2000000000;
  static constexpr int64_t kMaxDayNumber = 4146905911;

  // Days of the week as the date reports them.
  enum Weekday { kSunday = 1, kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday };

  CDate() = default;
  CDate(int32_t year, int16_t month, int16_t day) { SetDate(year, month, day); }
  explicit CDate(const SYSTEMTIME& st);
  // A day count in one of the epochs above; an unknown epoch code gives an empty date.
  CDate(int32_t count, int epoch) { SetDayCount(count, epoch); }
  // The n-th given weekday of the month (n 1 to 5, 5 being the last one; weekday 1 Sunday to 7
  // Saturday). Other n or weekday values, or an n-th weekday the month does not have, give an
  // empty date.
  CDate(int32_t year, int16_t month, int n, int weekday);
  CDate(const CDate& other) : CObject() { *this = other; }
  CDate& operator=(const CDate& other);

  void SetDate(int32_t year, int16_t month, int16_t day);
  void SetDayCount(int32_t count, int epoch);
  // Seconds since 1970-01-01 (UTC); times before it count back whole days (floored).
  void SetFromTime(int64_t seconds);
  // Today's local date.
  static CDate GetToday();

  bool IsValid() const { return m_bValid != 0; }
  bool IsGregorian() const { return m_bGregorian != 0; }
  uint32_t GetDayNumber() const { return m_dwDayNumber; }

  // Calendar fields in the date's calendar; 0 for an empty date.
  int32_t GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  // 1 Sunday to 7 Saturday.
  int GetDayOfWeek() const;
  // 1 for the first of January.
  int GetDayOfYear() const;
  // The year counted from the era (year 0 is 1 before it): `after_era` 1 for years above 0.
  int64_t GetYearWithEra(int& after_era) const;
  // The last two digits of the year's absolute value.
  int GetTwoDigitYear() const;
  // Week 1 starts on the locale's first weekday in January; the days before it are week 0.
  int GetWeekOfYear() const;
  // Days since 1900-01-01 (negative before it).
  int64_t DaysSince1900() const;
  int64_t DaysSince(const CDate& other) const { return int64_t(m_dwDayNumber) - int64_t(other.m_dwDayNumber); }
  bool IsLaterThan(const CDate& other) const { return m_dwDayNumber > other.m_dwDayNumber; }
  // The date as a platform record (time fields 0); all zero for an empty date or a year outside
  // 0 to 65,535.
  SYSTEMTIME GetSystemTime() const;

  // Moves the date; an empty date stays empty, and a date moved out of the range becomes empty.
  void AddDays(int64_t days);
  void AddWeeks(int64_t weeks) { AddDays(weeks * 7); }

  // The date by a pattern of per-cent letters (see date.cpp); empty for an empty date.
  CString Format(const char* pattern) const;

  void Serialize(CArchive& ar) override;

  bool operator==(const CDate& o) const {
    return m_dwDayNumber == o.m_dwDayNumber && m_bGregorian == o.m_bGregorian && m_bValid == o.m_bValid;
  }

  // The day number of a date given by fields, without range or calendar-gap checks: Gregorian
  // from 1582-10-15 on, Julian before.
  static int64_t DayNumberOf(int64_t year, int month, int day);
  // Whether the year has a 29 February in the calendar it is counted in.
  static bool IsLeapYear(int64_t year);
  // Days in the month of that year (0 for a month outside 1 to 12).
  static int DaysInMonth(int64_t year, int month);

 private:
  struct Fields {
    int64_t year = 0;
    int month = 0;
    int day = 0;
    int day_of_year = 0;
  };
  Fields GetFields() const;
  // Sets the date to a day number, or empties it when the number is out of the range.
  void SetDayNumber(int64_t day_number);
  void Empty();

  uint32_t m_dwDayNumber = 0;
  uint32_t m_bGregorian = 0;
  uint32_t m_bValid = 0;
};
