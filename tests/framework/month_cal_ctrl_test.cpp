// Month calendar: the grid from Monday, Polish month names, selection by day clicks and by the
// month arrows with their notifications, and the minimal size.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/calendar_day.h"
#include "platform/controls/month_cal_ctrl.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

using controls::kCalendarColumnWidth;
using controls::kCalendarRowHeight;
using controls::kCalendarTitleHeight;

// Records calendar notices as "select yyyy-mm-dd" or "change yyyy-mm-dd".
class CalendarParent : public CWnd {
 public:
  std::vector<std::string> notices;
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override {
    auto* n = reinterpret_cast<NMSELCHANGE*>(lParam);
    char line[32];
    std::snprintf(line, sizeof line, "%s %04d-%02d-%02d", n->nmhdr.code == MCN_SELECT ? "select" : "change",
                  n->stSelStart.wYear, n->stSelStart.wMonth, n->stSelStart.wDay);
    notices.push_back(line);
    return TRUE;
  }
};


// The centre of grid cell (row, column): two pixels of margin, the title and the weekday row.
POINT cell(int row, int column) {
  return POINT{2 + column * kCalendarColumnWidth + kCalendarColumnWidth / 2,
               2 + kCalendarTitleHeight + (row + 1) * kCalendarRowHeight + kCalendarRowHeight / 2};
}

class MonthCalTest : public FrameworkTest {
 protected:
  CalendarParent parent;
  CMonthCalCtrl calendar;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(calendar.Create(WS_VISIBLE | MCS_NOTODAY, CRect(0, 0, 10, 10), &parent, 1235));
    ASSERT_TRUE(calendar.SizeMinReq());
  }
  std::string selected() const {
    SYSTEMTIME t{};
    calendar.GetCurSel(t);
    char line[24];
    std::snprintf(line, sizeof line, "%04d-%02d-%02d", t.wYear, t.wMonth, t.wDay);
    return line;
  }
};

TEST(CalendarDates, WeekdaysMonthLengthsAndNames) {
  EXPECT_EQ(controls::day_of_week(1993, 5, 17), 1);  // a Monday
  EXPECT_EQ(controls::day_of_week(1970, 1, 1), 4);
  EXPECT_EQ(controls::day_of_week(2000, 2, 29), 2);
  EXPECT_EQ(controls::day_of_week(1601, 1, 1), 1);
  EXPECT_EQ(controls::days_in_month(2000, 2), 29);
  EXPECT_EQ(controls::days_in_month(1900, 2), 28);
  EXPECT_EQ(controls::days_in_month(2024, 2), 29);
  EXPECT_EQ(controls::days_in_month(2023, 13), 0);
  EXPECT_EQ(utf8(controls::polish_month_name(10)), "październik");
  EXPECT_EQ(utf8(controls::polish_month_name(1)), "styczeń");
  EXPECT_EQ(controls::polish_month_name(0), CString());
}

TEST_F(MonthCalTest, SelectionIsSetWithoutNoticesAndBadDatesRefused) {
  ASSERT_TRUE(calendar.SetCurSel(base::calendar_day(1993, 5, 17)));
  EXPECT_EQ(selected(), "1993-05-17");
  SYSTEMTIME t{};
  calendar.GetCurSel(t);
  EXPECT_EQ(t.wDayOfWeek, 1);
  EXPECT_FALSE(calendar.SetCurSel(base::calendar_day(1993, 2, 29)));
  EXPECT_FALSE(calendar.SetCurSel(base::calendar_day(1993, 0, 1)));
  EXPECT_EQ(selected(), "1993-05-17");
  EXPECT_TRUE(parent.notices.empty());

  // The minimal size holds the title, the weekday row and six weeks; today's line adds a row.
  CRect window;
  calendar.GetWindowRect(&window);
  EXPECT_EQ(window.Width(), 4 + 7 * kCalendarColumnWidth);
  EXPECT_EQ(window.Height(), 4 + kCalendarTitleHeight + 7 * kCalendarRowHeight);
  calendar.ModifyStyle(MCS_NOTODAY, 0);
  CRect with_today;
  calendar.GetMinReqRect(&with_today);
  EXPECT_EQ(with_today.Height(), window.Height() + kCalendarRowHeight);
}

TEST_F(MonthCalTest, ClickingADayChangesAndSelects) {
  ASSERT_TRUE(calendar.SetCurSel(base::calendar_day(1993, 5, 1)));  // a Saturday: the grid starts on 26 April
  click(calendar.m_hWnd, cell(3, 0));
  pump();
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"change 1993-05-17", "select 1993-05-17"}));
  // The same day again only selects.
  parent.notices.clear();
  click(calendar.m_hWnd, cell(3, 0));
  pump();
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"select 1993-05-17"}));
  // A greyed day of the month before moves there.
  parent.notices.clear();
  click(calendar.m_hWnd, cell(0, 0));
  pump();
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"change 1993-04-26", "select 1993-04-26"}));
}

TEST_F(MonthCalTest, ArrowsMoveToTheSameDayOrTheMonthsLast) {
  ASSERT_TRUE(calendar.SetCurSel(base::calendar_day(2023, 12, 31)));
  int right = 2 + 7 * kCalendarColumnWidth - 4;
  for (int i = 0; i < 2; ++i) {
    click(calendar.m_hWnd, POINT{right, 8});
    pump();
  }
  click(calendar.m_hWnd, POINT{6, 8});
  pump();
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"change 2024-01-31", "change 2024-02-29", "change 2024-01-29"}));
  // The title between the arrows does nothing.
  click(calendar.m_hWnd, POINT{70, 8});
  pump();
  EXPECT_EQ(parent.notices.size(), 3u);
}

}  // namespace
}  // namespace lumo::test
