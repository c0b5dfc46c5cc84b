#include "controls/date.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "controls/date_values.h"
#include "platform/base/cp1250.h"
#include "resources/program_resources.h"
#include "tests/support/gui_fixture.h"

namespace {

struct Ymd {
  int32_t year;
  int month;
  int day;
};

CDate make(Ymd d) { return CDate(d.year, int16_t(d.month), int16_t(d.day)); }

void expect_fields(const CDate& date, Ymd want) {
  ASSERT_TRUE(date.IsValid());
  EXPECT_EQ(date.GetYear(), want.year);
  EXPECT_EQ(date.GetMonth(), want.month);
  EXPECT_EQ(date.GetDay(), want.day);
}

std::string utf8(const CString& s) { return base::cp1250::to_utf8(s.view()); }

TEST(DateTest, ConstructionFromFields) {
  struct Case {
    Ymd date;
    bool valid;
    int64_t day_number;  // checked when not 0
    bool gregorian;
  };
  const Case cases[] = {
      {{1582, 10, 15}, true, 2000000000, true},
      {{1582, 10, 4}, true, 1999999999, false},
      {{1582, 10, 5}, false, 0, false},
      {{1582, 10, 10}, false, 0, false},
      {{1582, 10, 14}, false, 0, false},
      {{1900, 2, 29}, false, 0, false},  // 1900 is not leap
      {{1500, 2, 29}, true, 0, false},   // a Julian leap year
      {{2000, 2, 29}, true, 0, true},
      {{2001, 2, 29}, false, 0, false},
      {{2001, 0, 5}, false, 0, false},
      {{2001, 13, 1}, false, 0, false},
      {{2001, 3, 0}, false, 0, false},
      {{2001, 4, 31}, false, 0, false},
      {{0, 2, 29}, true, 0, false},  // year 0 (1 before the era) is leap
      {{-4, 2, 29}, true, 0, false},
      {{-1, 2, 29}, false, 0, false},
      {{-4712, 1, 1}, true, 1997700839, false},  // Julian day 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.date.year) + "-" + std::to_string(c.date.month) + "-" + std::to_string(c.date.day));
    CDate date = make(c.date);
    EXPECT_EQ(date.IsValid(), c.valid);
    if (!c.valid) {
      EXPECT_EQ(date, CDate()) << "an empty date has all fields 0";
      continue;
    }
    EXPECT_EQ(date.IsGregorian(), c.gregorian);
    if (c.day_number) {
      EXPECT_EQ(date.GetDayNumber(), uint32_t(c.day_number));
    }
    expect_fields(date, c.date);
  }
}

TEST(DateTest, DayCountsInEachEpoch) {
  const Ymd zero_day[] = {{-4712, 1, 1}, {1858, 11, 16}, {1900, 1, 1}, {1950, 1, 1},
                          {1970, 1, 1},  {2000, 1, 1},   {1582, 10, 15}};
  for (int epoch = 0; epoch <= 6; ++epoch) {
    SCOPED_TRACE(epoch);
    CDate date(0, epoch);
    expect_fields(date, zero_day[epoch]);
    EXPECT_EQ(date, make(zero_day[epoch]));
  }
  EXPECT_TRUE(CDate(0, CDate::kEpoch1582).IsGregorian());
  EXPECT_FALSE(CDate(0, 7).IsValid()) << "an unknown epoch code gives an empty date";
  EXPECT_FALSE(CDate(0, -1).IsValid());
}

TEST(DateTest, RangeLimitsGiveEmptyDates) {
  // The last day of the range, and one past it.
  const int32_t last_count = int32_t(CDate::kMaxDayNumber - CDate::kFirstGregorianDay);
  CDate last(last_count, CDate::kEpoch1582);
  ASSERT_TRUE(last.IsValid());
  EXPECT_EQ(last.GetDayNumber(), uint32_t(CDate::kMaxDayNumber));
  EXPECT_EQ(make({last.GetYear(), last.GetMonth(), last.GetDay()}), last);
  EXPECT_FALSE(CDate(last_count + 1, CDate::kEpoch1582).IsValid());
  CDate next = last;
  next.AddDays(1);
  EXPECT_FALSE(next.IsValid());

  // Day number 0 is the first day of the range.
  CDate first(-1997700839, CDate::kJulianDayEpoch);
  ASSERT_TRUE(first.IsValid());
  EXPECT_EQ(first.GetDayNumber(), 0u);
  EXPECT_EQ(make({first.GetYear(), first.GetMonth(), first.GetDay()}), first);
  EXPECT_FALSE(CDate(-1997700840, CDate::kJulianDayEpoch).IsValid());

  // Counts whose day number would wrap around 32 bits are empty, not some other date.
  EXPECT_FALSE(CDate(std::numeric_limits<int32_t>::min(), CDate::kJulianDayEpoch).IsValid());
  EXPECT_FALSE(CDate(std::numeric_limits<int32_t>::max(), CDate::kEpoch2000).IsValid());

  // Years whose day number does not fit: empty, computed without overflow.
  for (int32_t year : {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), 6000000, -6000000}) {
    SCOPED_TRACE(year);
    EXPECT_FALSE(CDate(year, 1, 1).IsValid());
  }
}

TEST(DateTest, FieldsInvertDayNumbersAcrossTheRange) {
  // Every 49,999th day from the first to the last, and every day around the calendar switch.
  std::vector<int64_t> numbers;
  for (int64_t n = 0; n <= CDate::kMaxDayNumber; n += 49999) numbers.push_back(n);
  for (int64_t n = CDate::kFirstGregorianDay - 800; n < CDate::kFirstGregorianDay + 800; ++n) numbers.push_back(n);
  for (int64_t n : numbers) {
    CDate date(int32_t(n - CDate::kFirstGregorianDay), CDate::kEpoch1582);
    ASSERT_TRUE(date.IsValid()) << n;
    CDate again = make({date.GetYear(), date.GetMonth(), date.GetDay()});
    ASSERT_EQ(again.GetDayNumber(), date.GetDayNumber()) << n;
    ASSERT_EQ(again.IsGregorian(), n >= CDate::kFirstGregorianDay) << n;
  }
}

TEST(DateTest, CalendarReadings) {
  CDate switch_day(1582, 10, 15);
  EXPECT_EQ(switch_day.GetDayOfWeek(), CDate::kFriday);
  EXPECT_EQ(CDate(1582, 10, 4).GetDayOfWeek(), CDate::kThursday);
  EXPECT_EQ(CDate(2001, 3, 5).GetDayOfWeek(), CDate::kMonday);

  EXPECT_EQ(CDate(1900, 1, 1).DaysSince1900(), 0);
  EXPECT_EQ(CDate(1899, 12, 31).DaysSince1900(), -1);
  EXPECT_EQ(CDate(2001, 3, 5).DaysSince(CDate(2001, 2, 5)), 28);
  EXPECT_TRUE(CDate(2001, 3, 5).IsLaterThan(CDate(2001, 3, 4)));
  EXPECT_FALSE(CDate(2001, 3, 4).IsLaterThan(CDate(2001, 3, 4)));

  struct DayOfYear {
    Ymd date;
    int day;
  };
  for (const DayOfYear& c : {DayOfYear{{2001, 3, 5}, 64}, DayOfYear{{2000, 12, 31}, 366},
                             DayOfYear{{1582, 10, 15}, 278}, DayOfYear{{1582, 12, 31}, 355}}) {
    EXPECT_EQ(make(c.date).GetDayOfYear(), c.day) << c.date.year;
  }

  struct Era {
    int32_t year;
    int64_t era_year;
    int after_era;
  };
  for (const Era& c : {Era{2001, 2001, 1}, Era{1, 1, 1}, Era{0, 1, 0}, Era{-1, 2, 0}}) {
    int after = -1;
    EXPECT_EQ(CDate(c.year, 6, 1).GetYearWithEra(after), c.era_year) << c.year;
    EXPECT_EQ(after, c.after_era) << c.year;
  }
  EXPECT_EQ(CDate(-1234, 1, 1).GetTwoDigitYear(), 34);
  EXPECT_EQ(CDate(2001, 1, 1).GetTwoDigitYear(), 1);
}

TEST(DateTest, WeeksStartOnTheLocalesFirstWeekday) {
  // The Polish week starts on Monday. 2006-01-01 was a Sunday, 2001-01-01 a Monday.
  struct Case {
    Ymd date;
    int week;
  };
  const Case cases[] = {
      {{2006, 1, 1}, 0}, {{2006, 1, 2}, 1}, {{2006, 1, 8}, 1}, {{2006, 1, 9}, 2},
      {{2001, 1, 1}, 1}, {{2001, 3, 5}, 10}, {{2006, 12, 31}, 52},
  };
  for (const Case& c : cases) EXPECT_EQ(make(c.date).GetWeekOfYear(), c.week) << c.date.year << "-" << c.date.day;
}

TEST(DateTest, NthWeekdayOfTheMonth) {
  struct Case {
    int32_t year;
    int month, n, weekday;
    bool valid;
    Ymd want;
  };
  const Case cases[] = {
      {2001, 3, 1, CDate::kMonday, true, {2001, 3, 5}},
      {2001, 3, 2, CDate::kMonday, true, {2001, 3, 12}},
      {2001, 3, 1, CDate::kThursday, true, {2001, 3, 1}},
      {2001, 3, 5, CDate::kSaturday, true, {2001, 3, 31}},  // the last Saturday
      {2001, 2, 5, CDate::kWednesday, true, {2001, 2, 28}},
      {1582, 10, 1, CDate::kFriday, true, {1582, 10, 15}},  // October 1582 lost ten days
      {1582, 10, 5, CDate::kFriday, true, {1582, 10, 29}},
      {1582, 10, 4, CDate::kFriday, false, {}},  // it has only three Fridays
      {2001, 3, 0, CDate::kMonday, false, {}},
      {2001, 3, 6, CDate::kMonday, false, {}},
      {2001, 3, 1, 0, false, {}},
      {2001, 3, 1, 8, false, {}},
      {2001, 13, 1, CDate::kMonday, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.month) + "/" + std::to_string(c.n) + "/" + std::to_string(c.weekday));
    CDate date(c.year, int16_t(c.month), c.n, c.weekday);
    EXPECT_EQ(date.IsValid(), c.valid);
    if (c.valid) {
      expect_fields(date, c.want);
      EXPECT_EQ(date.GetDayOfWeek(), c.weekday);
    }
  }
}

TEST(DateTest, SettingFromATimeFloorsToWholeDays) {
  struct Case {
    int64_t seconds;
    Ymd want;
  };
  const Case cases[] = {
      {0, {1970, 1, 1}},        {86399, {1970, 1, 1}},       {86400, {1970, 1, 2}},
      {-1, {1969, 12, 31}},     {-86400, {1969, 12, 31}},    {-86401, {1969, 12, 30}},
      {983750400, {2001, 3, 5}},
  };
  for (const Case& c : cases) {
    CDate date;
    date.SetFromTime(c.seconds);
    expect_fields(date, c.want);
  }
  CDate far;
  far.SetFromTime(std::numeric_limits<int64_t>::max());
  EXPECT_FALSE(far.IsValid());
}

TEST(DateTest, AddingDaysKeepsTheCalendarFlagTrue) {
  CDate date(1582, 10, 4);
  date.AddDays(1);
  expect_fields(date, {1582, 10, 15});
  EXPECT_TRUE(date.IsGregorian());
  date.AddWeeks(-1);
  expect_fields(date, {1582, 9, 28});
  EXPECT_FALSE(date.IsGregorian());
  EXPECT_EQ(date.GetDayOfWeek(), CDate::kFriday);

  CDate empty;
  empty.AddDays(5);
  EXPECT_FALSE(empty.IsValid()) << "an empty date stays empty";
  CDate far(2001, 3, 5);
  far.AddDays(std::numeric_limits<int64_t>::min());
  EXPECT_FALSE(far.IsValid());
  CDate before(1582, 10, 15);
  before.AddDays(-int64_t(CDate::kFirstGregorianDay) - 1);
  EXPECT_FALSE(before.IsValid());
}

TEST(DateTest, SystemTimeRecords) {
  SYSTEMTIME st = CDate(2001, 3, 5).GetSystemTime();
  EXPECT_EQ(st.wYear, 2001);
  EXPECT_EQ(st.wMonth, 3);
  EXPECT_EQ(st.wDay, 5);
  EXPECT_EQ(st.wDayOfWeek, 1) << "Monday, counted from Sunday 0";
  EXPECT_EQ(st.wHour + st.wMinute + st.wSecond + st.wMilliseconds, 0);
  EXPECT_EQ(CDate(st), CDate(2001, 3, 5));

  SYSTEMTIME before_era = CDate(-1, 3, 5).GetSystemTime();
  EXPECT_EQ(before_era.wYear + before_era.wMonth + before_era.wDay, 0);
  SYSTEMTIME empty = CDate().GetSystemTime();
  EXPECT_EQ(empty.wYear + empty.wMonth + empty.wDay, 0);

  CDate today = CDate::GetToday();
  CTime now = CTime::GetCurrentTime();
  EXPECT_TRUE(today.IsValid());
  EXPECT_EQ(today.GetYear(), now.GetYear());
}

class DateFormatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lumo::test::application();  // the resources make pictures
    resources::register_program_resources();
  }
};

TEST_F(DateFormatTest, PatternLetters) {
  const CDate date(2001, 3, 5);  // a Monday in week 10
  struct Case {
    const char* pattern;
    const char* want_utf8;
  };
  const Case cases[] = {
      {"%d %B %Y", "05 marca 2001"},
      {"%#d.%#m.%y", "5.3.01"},
      {"%j", "064"},
      {"%#j", "64"},
      {"%m", "03"},
      {"%U/%#U", "10/10"},
      {"%w", "2"},
      {"%A", "poniedziałek"},
      {"%a", "pon."},
      {"%b", "mar"},
      {"%x", "2001-03-05"},
      {"%#x", "5 marca 2001"},
      {"%%", "%"},
      {"100%", "100"},
      {"koniec%#", "koniec"},
      {"%#q%q", "qq"},
      {"%c", ""},
      {"bez liter", "bez liter"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(utf8(date.Format(c.pattern)), c.want_utf8) << c.pattern;
}

TEST_F(DateFormatTest, NamesAndNumbersAtTheEdges) {
  EXPECT_EQ(utf8(CDate(2001, 9, 1).Format("%A, %#d %B %Y")), "sobota, 1 września 2001");
  EXPECT_EQ(utf8(CDate(2026, 10, 28).Format("%A, %#d %B %Y")), "środa, 28 października 2026");
  EXPECT_EQ(utf8(CDate(2001, 3, 4).Format("%A %a %w")), "niedziela niedz. 1");
  EXPECT_EQ(utf8(CDate(-44, 3, 15).Format("%Y %y %d")), "-44 44 15");
  EXPECT_EQ(utf8(CDate(-44, 3, 15).Format("%x")), "") << "no platform record before year 0";
  EXPECT_EQ(utf8(CDate(2006, 1, 1).Format("%U")), "00");
  EXPECT_EQ(utf8(CDate().Format("%d %B %Y")), "") << "an empty date formats to nothing";
  EXPECT_EQ(utf8(CDate(2001, 3, 5).Format(nullptr)), "");
}

// --- Stored form --------------------------------------------------------------------------------------

std::vector<uint8_t> stored(CDate& date) {
  CArchive ar;
  date.Serialize(ar);
  return ar.GetBytes();
}

CDate loaded(const std::vector<uint8_t>& bytes) {
  CArchive ar(bytes);
  CDate date(1999, 1, 1);
  date.Serialize(ar);
  EXPECT_EQ(ar.Remaining(), 0u);
  return date;
}

TEST(DateStoredFormTest, TenBytesRoundTrip) {
  CDate date(1582, 10, 15);
  EXPECT_EQ(stored(date), (std::vector<uint8_t>{0x00, 0x94, 0x35, 0x77, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00}));
  CDate julian(1582, 10, 4);
  EXPECT_EQ(stored(julian), (std::vector<uint8_t>{0xFF, 0x93, 0x35, 0x77, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}));
  CDate empty;
  EXPECT_EQ(stored(empty), std::vector<uint8_t>(10, 0));

  for (CDate d : {CDate(2001, 3, 5), CDate(-4712, 1, 1), CDate(1500, 2, 29), CDate()}) {
    EXPECT_EQ(loaded(stored(d)), d);
  }
}

TEST(DateStoredFormTest, LoadingNormalisesDamagedValues) {
  // A Gregorian day stored with the Julian flag loads Gregorian.
  CDate date = loaded({0x00, 0x94, 0x35, 0x77, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00});
  EXPECT_TRUE(date.IsGregorian());
  expect_fields(date, {1582, 10, 15});
  // A day number beyond the range loads empty.
  EXPECT_EQ(loaded({0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00}), CDate());
  // A date flagged empty loads empty, whatever its other fields.
  EXPECT_EQ(loaded({0x00, 0x94, 0x35, 0x77, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00}), CDate());
  // Any other valid flag counts as valid.
  EXPECT_TRUE(loaded({0x00, 0x94, 0x35, 0x77, 0x01, 0x00, 0x07, 0x00, 0x00, 0x00}).IsValid());

  std::vector<uint8_t> short_form(9, 0);
  CArchive ar(short_form);
  CDate d;
  EXPECT_THROW(d.Serialize(ar), CArchiveException);
}

TEST(DateStoredFormTest, ValueClassesAreStoredAsObjects) {
  const CRuntimeClass* date_class = CRuntimeClass::FromName("CDate");
  ASSERT_NE(date_class, nullptr);
  EXPECT_EQ(date_class->m_wSchema, 0x80000001u);
  EXPECT_TRUE(date_class->IsSerializable());

  CLTimeSpan span;
  span.m_dwSpanLow = 1;
  span.m_dwSpanHigh = 2;
  span.m_dwExtra = 3;
  CLTimeOfDay time;
  time.m_dwFirst = 4;
  time.m_dwSecond = 5;
  CLDate stamp;
  stamp.m_dwValueLow = 6;
  stamp.m_dwValueHigh = 7;
  stamp.m_wFlag = 8;
  stamp.m_dwExtra = 9;
  CDate date(2001, 3, 5);

  CArchive out;
  for (const CObject* o : std::initializer_list<const CObject*>{&span, &time, &stamp, &date}) out.WriteObject(o);
  // The objects' own parts: 12, 8, 14 and 10 bytes.
  CArchive raw;
  span.Serialize(raw);
  time.Serialize(raw);
  stamp.Serialize(raw);
  EXPECT_EQ(raw.GetBytes().size(), 34u);

  CArchive in(out.GetBytes());
  auto span_back = in.ReadObjectOf<CLTimeSpan>();
  auto time_back = in.ReadObjectOf<CLTimeOfDay>();
  auto stamp_back = in.ReadObjectOf<CLDate>();
  auto date_back = in.ReadObjectOf<CDate>();
  ASSERT_TRUE(span_back && time_back && stamp_back && date_back);
  EXPECT_EQ(span_back->m_dwSpanLow + span_back->m_dwSpanHigh + span_back->m_dwExtra, 6u);
  EXPECT_EQ(time_back->m_dwFirst * 10 + time_back->m_dwSecond, 45u);
  EXPECT_EQ(stamp_back->m_dwValueLow, 6u);
  EXPECT_EQ(stamp_back->m_dwValueHigh, 7u);
  EXPECT_EQ(stamp_back->m_wFlag, 8u);
  EXPECT_EQ(stamp_back->m_dwExtra, 9u);
  EXPECT_EQ(*date_back, date);
}

}  // namespace
