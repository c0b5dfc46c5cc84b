// Date picker: setting and reading the date (or none), changing its fields from the keyboard
// with a notice to the parent each time, and its dropped month calendar.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/base/calendar_day.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/drop_button.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_font.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

std::string text_of(const SYSTEMTIME& t) {
  char line[40];
  std::snprintf(line, sizeof line, "%04d-%02d-%02d %d %02d:%02d", t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour,
                t.wMinute);
  return line;
}

// Records each change as the date it carries, or "none"; and, in `notices`, every notice in order
// ("drop" with whether the calendar could be had then, "closeup", "change").
class PickerParent : public CWnd {
 public:
  std::vector<std::string> changes;
  std::vector<std::string> notices;
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override {
    auto* n = reinterpret_cast<NMDATETIMECHANGE*>(lParam);
    if (n->nmhdr.code == DTN_DATETIMECHANGE) {
      changes.push_back(n->dwFlags == GDT_NONE ? "none" : text_of(n->st));
      notices.push_back("change");
    }
    if (n->nmhdr.code == DTN_DROPDOWN) {
      notices.push_back(::SendMessage(n->nmhdr.hwndFrom, DTM_GETMONTHCAL, 0, 0) ? "drop with calendar" : "drop");
    }
    if (n->nmhdr.code == DTN_CLOSEUP) notices.push_back("closeup");
    return TRUE;
  }
};

// Where pictures go: $LUMO_PNG_DIR, else the private temporary folder.
std::string picture_path(const std::string& name) {
  const char* dir = std::getenv("LUMO_PNG_DIR");
  return (dir ? std::string(dir) : base::temp_folder()) + "/" + name + ".png";
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
  SYSTEMTIME t = base::calendar_day(1993, 5, 17, 13);
  ASSERT_TRUE(picker.SetTime(&t));
  EXPECT_EQ(current(), "1993-05-17 1 13:00");  // the weekday filled in, the hour kept
  t = base::calendar_day(2023, 2, 29);
  EXPECT_FALSE(picker.SetTime(&t));
  t = base::calendar_day(1500, 1, 1);
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
  SYSTEMTIME t = base::calendar_day(2024, 1, 31);
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
  SYSTEMTIME t = base::calendar_day(2026, 3, 2);
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
  EXPECT_TRUE(controls::date_picker_layout(base::calendar_day(2026, 2, 30), "", width).empty());
}

// With a long picture the keys walk the day, month and year fields (the weekday and the text
// between are skipped) and the weekday follows the date; the calendar's colour and font are
// kept.
TEST_F(DateTimeTest, LongPictureFieldsChangeAndCalendarLookIsKept) {
  format = "dddd','  dd MMMM yyy";
  picker.MoveWindow(CRect(10, 10, 190, 30));
  picker.SetFormat(format.c_str());
  SYSTEMTIME t = base::calendar_day(2026, 3, 2);
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

// The drop button's place, where the calendar drops on a screen and the day steps of its keys.
TEST(DatePickerDropDown, ButtonAndCalendarPlaces) {
  const RECT client{0, 0, 120, 21};
  EXPECT_EQ(CRect(controls::date_picker_button_rect(client, 0, 16)), CRect(102, 2, 118, 19));
  EXPECT_TRUE(CRect(controls::date_picker_button_rect(client, DTS_UPDOWN, 16)).IsRectEmpty());
  EXPECT_EQ(CRect(controls::date_picker_button_rect(RECT{0, 0, 10, 3}, 0, 16)), CRect(2, 2, 8, 2));

  const RECT work{0, 0, 800, 600};
  const SIZE size{150, 120};
  const struct {
    RECT field;
    bool right_align;
    RECT expected;
  } cases[] = {
      {{100, 100, 250, 121}, false, {100, 121, 250, 241}},  // below, from the field's left edge
      {{100, 100, 250, 121}, true, {100, 121, 250, 241}},   // as wide as the field: the same
      {{100, 100, 300, 121}, true, {150, 121, 300, 241}},   // the right edges lined up
      {{100, 500, 250, 521}, false, {100, 380, 250, 500}},  // no room below: above
      {{700, 100, 790, 121}, false, {650, 121, 800, 241}},  // moved left onto the screen
      {{-40, 100, 60, 121}, true, {0, 121, 150, 241}},      // moved right onto the screen
      {{100, 60, 250, 560}, false, {100, 480, 250, 600}},   // room neither way: kept on the screen
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CRect(controls::date_picker_drop_rect(c.field, size, work, c.right_align)), CRect(c.expected))
        << c.field.left << "," << c.field.top << " " << c.right_align;
  }

  const struct {
    SYSTEMTIME from;
    int days;
    const char* expected;
  } steps[] = {
      {base::calendar_day(2024, 2, 28, 9), 1, "2024-02-29 4 09:00"}, {base::calendar_day(2023, 2, 28), 1, "2023-03-01 3 00:00"},
      {base::calendar_day(2025, 12, 29), 7, "2026-01-05 1 00:00"},   {base::calendar_day(2025, 1, 3), -7, "2024-12-27 5 00:00"},
      {base::calendar_day(1601, 1, 1), -1, "1601-01-01 0 00:00"},    {base::calendar_day(9999, 12, 31), 7, "9999-12-31 0 00:00"},
  };
  for (const auto& step : steps) EXPECT_EQ(text_of(controls::date_picker_add_days(step.from, step.days)), step.expected);
}

class DateDropDownTest : public DateTimeTest {
 protected:
  void SetUp() override {
    DateTimeTest::SetUp();
    picker.MoveWindow(CRect(10, 10, 130, 31));
    SYSTEMTIME t = base::calendar_day(2026, 3, 2, 8);
    ASSERT_TRUE(picker.SetTime(&t));
    pump();
  }
  // Presses the drop button.
  HWND drop() {
    RECT client;
    picker.GetClientRect(&client);
    const CRect button(controls::date_picker_button_rect(client, 0, controls::drop_button_width()));
    click(picker.m_hWnd, button.CenterPoint());
    pump();
    CMonthCalCtrl* calendar = picker.GetMonthCalCtrl();
    return calendar ? calendar->m_hWnd : nullptr;
  }
  // A click on the calendar's grid cell (row, column), below its title and weekday rows.
  void click_day(HWND calendar, int row, int column) {
    click(calendar, POINT{2 + column * controls::kCalendarColumnWidth + controls::kCalendarColumnWidth / 2,
                          2 + controls::kCalendarTitleHeight + (row + 1) * controls::kCalendarRowHeight +
                              controls::kCalendarRowHeight / 2});
    pump();
  }
};

// The button drops the calendar below the field, in the colours and the italic font kept for it,
// on the picker's day; a click on a day takes it, keeping the time of day, and tells the parent.
TEST_F(DateDropDownTest, AClickOnADayTakesItAndTellsTheParent) {
  picker.SetMonthCalColor(MCSC_MONTHBK, 0xFFDCDC);
  picker.SetMonthCalColor(MCSC_TITLEBK, RGB(0, 0, 128));
  LOGFONT lf{};
  ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  lf.lfItalic = TRUE;
  CFont italic;
  ASSERT_TRUE(italic.CreateFontIndirect(&lf));
  picker.SetMonthCalFont(italic);

  HWND calendar = drop();
  ASSERT_NE(calendar, nullptr);
  EXPECT_EQ(parent.notices, std::vector<std::string>{"drop with calendar"});
  CRect field, dropped;
  picker.GetWindowRect(&field);
  ::GetWindowRect(calendar, &dropped);
  EXPECT_EQ(dropped.top, field.bottom);
  EXPECT_EQ(dropped.left, field.left);
  EXPECT_TRUE(::IsWindowVisible(calendar));
  EXPECT_EQ(COLORREF(::SendMessage(calendar, MCM_GETCOLOR, MCSC_MONTHBK, 0)), COLORREF(0xFFDCDC));
  EXPECT_EQ(HFONT(::SendMessage(calendar, WM_GETFONT, 0, 0)), HFONT(italic.GetSafeHandle()));
  SYSTEMTIME shown{};
  ASSERT_TRUE(::SendMessage(calendar, MCM_GETCURSEL, 0, LPARAM(&shown)));
  EXPECT_EQ(text_of(shown).substr(0, 10), "2026-03-02");
  // Drawn in those colours: the month's light blue behind the days, the dark title.
  EXPECT_TRUE(save_window_png(calendar, picture_path("date_picker_dropped"), true));
  EXPECT_EQ(surface_pixel(calendar, 3, controls::kCalendarTitleHeight + 2 * controls::kCalendarRowHeight + 1),
            DWORD(0xFFDCDC));
  EXPECT_EQ(surface_pixel(calendar, 20, 4), DWORD(RGB(0, 0, 128)));
  // The picker's button is drawn pressed while the calendar shows.
  EXPECT_TRUE(save_window_png(picker.m_hWnd, picture_path("date_picker_open")));

  // March 2026 starts on a Sunday: the second row's Wednesday is the 11th.
  click_day(calendar, 2, 2);
  EXPECT_EQ(picker.GetMonthCalCtrl(), nullptr);
  EXPECT_FALSE(::IsWindow(calendar));
  EXPECT_EQ(current(), "2026-03-11 3 08:00");
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"drop with calendar", "closeup", "change"}));
  EXPECT_EQ(parent.changes, std::vector<std::string>{"2026-03-11 3 08:00"});
}

// Esc, a click outside, the button again and F4 close the calendar without a change; the arrow
// keys move its day and Enter takes it; Alt+Down drops it.
TEST_F(DateDropDownTest, EscClickOutsideAndKeys) {
  HWND calendar = drop();
  ASSERT_NE(calendar, nullptr);
  EXPECT_EQ(::SendMessage(picker.m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
  key(VK_ESCAPE);
  EXPECT_EQ(picker.GetMonthCalCtrl(), nullptr);
  EXPECT_FALSE(::IsWindow(calendar));

  calendar = drop();
  ASSERT_NE(calendar, nullptr);
  click(parent.m_hWnd, POINT{180, 80});  // outside the calendar
  pump();
  EXPECT_EQ(picker.GetMonthCalCtrl(), nullptr);

  ASSERT_NE(drop(), nullptr);
  drop();  // the button again
  EXPECT_EQ(picker.GetMonthCalCtrl(), nullptr);

  key(VK_F4);
  ASSERT_NE(picker.GetMonthCalCtrl(), nullptr);
  key(VK_F4);
  EXPECT_EQ(picker.GetMonthCalCtrl(), nullptr);
  EXPECT_EQ(current(), "2026-03-02 1 08:00");
  EXPECT_TRUE(parent.changes.empty());
  EXPECT_EQ(parent.notices.size(), 8u);  // four drops, four closings

  press_key(VK_DOWN, 0, win::KeyModifiers{.alt = true});
  pump();
  ASSERT_NE(picker.GetMonthCalCtrl(), nullptr);
  key(VK_DOWN);   // a week on
  key(VK_RIGHT);  // a day on
  key(VK_UP);     // a week back
  key(VK_DOWN);
  key(VK_RETURN);
  EXPECT_EQ(picker.GetMonthCalCtrl(), nullptr);
  EXPECT_EQ(current(), "2026-03-10 2 08:00");
  EXPECT_EQ(parent.changes, std::vector<std::string>{"2026-03-10 2 08:00"});
  // The same day again changes nothing.
  ASSERT_NE(drop(), nullptr);
  key(VK_RETURN);
  EXPECT_EQ(parent.changes.size(), 1u);
  // A picker with up-down arrows has no calendar.
  picker.ModifyStyle(0, DTS_UPDOWN);
  key(VK_F4);
  EXPECT_EQ(picker.GetMonthCalCtrl(), nullptr);
}

// A picker destroyed with its calendar showing takes the calendar along.
TEST_F(DateDropDownTest, TheCalendarGoesWithItsPicker) {
  HWND calendar = drop();
  ASSERT_NE(calendar, nullptr);
  picker.DestroyWindow();
  pump();
  EXPECT_FALSE(::IsWindow(calendar));
  EXPECT_EQ(::GetCapture(), nullptr);
}

}  // namespace
}  // namespace lumo::test
