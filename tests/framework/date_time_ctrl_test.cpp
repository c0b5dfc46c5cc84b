// Date picker: setting and reading the date (or none), and changing its fields from the
// keyboard with a notice to the parent each time.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/controls/date_time_ctrl.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_font.h"
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
  // The pieces as the picker lays them out in its font.
  std::vector<controls::DatePickerPiece> pieces() {
    SYSTEMTIME t{};
    picker.GetTime(&t);
    HDC dc = ::GetDC(picker.m_hWnd);
    std::vector<controls::DatePickerPiece> out;
    {
      win::WindowFontScope font(dc, picker.m_hWnd);
      out = controls::date_picker_layout(t, format, [dc](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
        return int(size.cx);
      });
    }
    ::ReleaseDC(picker.m_hWnd, dc);
    return out;
  }
  // Picks a field by a click in the middle of the n-th field (counting fields only).
  void click_field(int n) {
    for (const auto& piece : pieces()) {
      if (piece.field() && n-- == 0) click(picker.m_hWnd, POINT{(piece.left + piece.right) / 2, 10});
    }
    pump();
  }
  std::string format;
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
  click_field(1);  // the month
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

// The layout over a picture: every piece's text in order, fields marked, each as wide as measured
// and placed one after another; a click finds the field under it and nothing between fields.
TEST(DatePickerLayout, PiecesFollowThePictureAndClicksFindFields) {
  SYSTEMTIME t = date(2026, 3, 2);
  auto width = [](const std::string& text) { return int(text.size()) * 5; };
  auto pieces = controls::date_picker_layout(t, "dddd','  dd MMMM yyy", width);
  std::string joined, kinds;
  for (const auto& piece : pieces) {
    joined += piece.text + "|";
    kinds += piece.letter ? piece.letter : '-';
  }
  EXPECT_EQ(joined, "poniedzia\263ek|,  |02| |marca| |2026|");
  EXPECT_EQ(kinds, "w-d-M-y");
  ASSERT_EQ(pieces.size(), 7u);
  EXPECT_EQ(pieces[0].left, 3);
  for (size_t i = 1; i < pieces.size(); ++i) EXPECT_EQ(pieces[i].left, pieces[i - 1].right) << i;
  EXPECT_EQ(pieces[4].right - pieces[4].left, 25);
  const struct {
    int x;
    int field;
  } clicks[] = {{pieces[0].left, -1}, {pieces[2].left, 0}, {pieces[2].right, -1}, {pieces[4].left + 3, 1},
                {pieces[6].right - 1, 2}, {pieces[6].right, -1}, {0, -1}};
  for (const auto& c : clicks) EXPECT_EQ(controls::date_picker_field_at(pieces, c.x), c.field) << c.x;
  // No picture: the default numbers; no real date: nothing.
  pieces = controls::date_picker_layout(t, "", width);
  ASSERT_EQ(pieces.size(), 5u);
  EXPECT_EQ(pieces[0].text + pieces[1].text + pieces[2].text + pieces[3].text + pieces[4].text, "02.03.2026");
  EXPECT_TRUE(controls::date_picker_layout(date(2026, 2, 30), "", width).empty());
}

// With a long picture the keys walk the day, month and year fields (the weekday and the text
// between are skipped) and the weekday follows the date; the calendar's colour and font are
// kept.
TEST_F(DateTimeTest, LongPictureFieldsChangeAndCalendarLookIsKept) {
  format = "dddd','  dd MMMM yyy";
  picker.MoveWindow(CRect(10, 10, 190, 30));
  picker.SetFormat(format.c_str());
  SYSTEMTIME t = date(2026, 3, 2);
  ASSERT_TRUE(picker.SetTime(&t));
  click_field(1);  // the month's name
  key(VK_UP);
  key(VK_RIGHT);
  key(VK_RIGHT);  // stays on the year
  key(VK_DOWN);
  key(VK_LEFT);
  key(VK_LEFT);
  key(VK_LEFT);  // stays on the day
  key(VK_UP);
  EXPECT_EQ(parent.changes, (std::vector<std::string>{"2026-04-02 4 00:00", "2025-04-02 3 00:00", "2025-04-03 4 00:00"}));
  char shown[64] = {};
  picker.GetWindowText(shown, sizeof shown);
  EXPECT_STREQ(shown, "czwartek,  03 kwietnia 2025");
  // Back to the default picture: the day field stays current.
  picker.SetFormat(nullptr);
  format.clear();
  key(VK_UP);
  EXPECT_EQ(current(), "2025-04-04 5 00:00");

  EXPECT_EQ(picker.SetMonthCalColor(MCSC_MONTHBK, 0xFFDCDC), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(picker.GetMonthCalColor(MCSC_MONTHBK), COLORREF(0xFFDCDC));
  EXPECT_EQ(picker.SetMonthCalColor(6, 0), CLR_INVALID);
  EXPECT_EQ(picker.GetMonthCalFont(), nullptr);
  HFONT font = HFONT(GetStockObject(DEFAULT_GUI_FONT));
  picker.SetMonthCalFont(font);
  EXPECT_EQ(picker.GetMonthCalFont(), font);
}

}  // namespace
}  // namespace lumo::test
