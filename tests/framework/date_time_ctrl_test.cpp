// Date picker: setting and reading the date (or none), and changing its fields from the
// keyboard with a notice to the parent each time.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/controls/date_time_ctrl.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

std::string text_of(const SYSTEMTIME& t) {
  char line[40];
  std::snprintf(line, sizeof line, "%04d-%02d-%02d %d %02d:%02d", t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour,
                t.wMinute);
  return line;
}

// Records each change as the date it carries, or "none".
class PickerParent : public CWnd {
 public:
  std::vector<std::string> changes;
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override {
    auto* n = reinterpret_cast<NMDATETIMECHANGE*>(lParam);
    if (n->nmhdr.code == DTN_DATETIMECHANGE) changes.push_back(n->dwFlags == GDT_NONE ? "none" : text_of(n->st));
    return TRUE;
  }
};

SYSTEMTIME date(int year, int month, int day, int hour = 0) {
  SYSTEMTIME t{};
  t.wYear = uint16_t(year);
  t.wMonth = uint16_t(month);
  t.wDay = uint16_t(day);
  t.wHour = uint16_t(hour);
  return t;
}

class DateTimeTest : public FrameworkTest {
 protected:
  PickerParent parent;
  CDateTimeCtrl picker;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    ASSERT_TRUE(picker.Create(WS_VISIBLE, CRect(10, 10, 110, 30), &parent, 7));
  }
  std::string current() const {
    SYSTEMTIME t{};
    return picker.GetTime(&t) == GDT_VALID ? text_of(t) : "none";
  }
  // Picks a field by a click on its n-th character.
  void click_field(int character) {
    click(picker.m_hWnd, POINT{3 + character * controls::kDateDigitWidth + 2, 10});
    pump();
  }
  void key(int vk) {
    press_key(vk);
    pump();
  }
};

TEST_F(DateTimeTest, DateIsSetAndReadAndBadDatesRefused) {
  SYSTEMTIME t = date(1993, 5, 17, 13);
  ASSERT_TRUE(picker.SetTime(&t));
  EXPECT_EQ(current(), "1993-05-17 1 13:00");  // the weekday filled in, the hour kept
  t = date(2023, 2, 29);
  EXPECT_FALSE(picker.SetTime(&t));
  t = date(1500, 1, 1);
  EXPECT_FALSE(picker.SetTime(&t));
  // No date only with DTS_SHOWNONE.
  EXPECT_FALSE(picker.SetTime(nullptr));
  EXPECT_EQ(current(), "1993-05-17 1 13:00");
  picker.ModifyStyle(0, DTS_SHOWNONE);
  EXPECT_TRUE(picker.SetTime(nullptr));
  EXPECT_EQ(current(), "none");
  EXPECT_EQ(picker.GetTime(nullptr), GDT_ERROR);
  EXPECT_TRUE(parent.changes.empty());
}

TEST_F(DateTimeTest, KeysChangeTheCurrentFieldWithinTheCalendar) {
  SYSTEMTIME t = date(2024, 1, 31);
  ASSERT_TRUE(picker.SetTime(&t));
  click_field(4);  // the month
  key(VK_UP);      // February has no 31st
  key(VK_RIGHT);   // the year
  key(VK_UP);
  key(VK_LEFT);
  key(VK_LEFT);  // the day
  key(VK_UP);    // past the month's last day back to the 1st
  key(VK_DOWN);
  EXPECT_EQ(parent.changes, (std::vector<std::string>{"2024-02-29 4 00:00", "2025-02-28 5 00:00", "2025-02-01 6 00:00",
                                                      "2025-02-28 5 00:00"}));
  click_field(0);
  key(VK_LEFT);  // stays on the day
  key(VK_DOWN);
  EXPECT_EQ(current(), "2025-02-27 4 00:00");
}

}  // namespace
}  // namespace lumo::test
