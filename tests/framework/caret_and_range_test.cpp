// A single-line edit scrolled sideways to its caret (EM_SCROLLCARET, typing with automatic
// scrolling, the first visible character drawn first); a month calendar kept to a range of days.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/calendar_day.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/month_cal_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

using controls::kCalendarColumnWidth;
using controls::kCalendarRowHeight;
using controls::kCalendarTitleHeight;

class Notices : public CWnd {
 public:
  std::vector<std::string> seen;
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override {
    auto* n = reinterpret_cast<NMSELCHANGE*>(lParam);
    char line[32];
    std::snprintf(line, sizeof line, "%s %04d-%02d-%02d", n->nmhdr.code == MCN_SELECT ? "select" : "change",
                  n->stSelStart.wYear, n->stSelStart.wMonth, n->stSelStart.wDay);
    seen.push_back(line);
    return TRUE;
  }
};


class CaretAndRangeTest : public FrameworkTest {
 protected:
  Notices parent;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 240), nullptr, 0));
  }
};

TEST_F(CaretAndRangeTest, EditScrollsItsCaretIntoView) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 90, 32), &parent, 7));
  const std::string text = "Zażółć gęślą jaźń: przepisy końcowe i przejściowe";
  edit.SetWindowText(CString(text.c_str()));
  EXPECT_EQ(edit.GetFirstVisibleLine(), 0);
  // The caret at the end: the text before it no longer fits, so the edit scrolls to it.
  edit.SendMessage(EM_SETSEL, text.size(), text.size());
  EXPECT_EQ(edit.GetFirstVisibleLine(), 0);  // selecting alone does not scroll
  EXPECT_TRUE(edit.SendMessage(EM_SCROLLCARET));
  const int first = edit.GetFirstVisibleLine();
  EXPECT_GT(first, 10);
  EXPECT_LT(first, int(text.size()));
  pump();
  EXPECT_TRUE(save_window_png(edit.m_hWnd, base::temp_folder() + "/edit_scrolled.png"));
  // Back to the start: the first character is visible again.
  edit.SetSel(0, 0);
  EXPECT_EQ(edit.GetFirstVisibleLine(), 0);
  // Typing at the end of a full edit keeps the caret in view; new text starts unscrolled.
  edit.SetSel(int(text.size()), int(text.size()), TRUE);
  edit.SendMessage(WM_CHAR, 'x');
  EXPECT_GT(edit.GetFirstVisibleLine(), 10);
  edit.SetWindowText(CString("krótki"));
  EXPECT_EQ(edit.GetFirstVisibleLine(), 0);
  edit.SetSel(6, 6);
  EXPECT_EQ(edit.GetFirstVisibleLine(), 0);  // a short text fits whole
  // Without automatic scrolling typing does not scroll, EM_SCROLLCARET still does.
  CEdit fixed;
  ASSERT_TRUE(fixed.Create(WS_VISIBLE | WS_BORDER, CRect(10, 40, 90, 62), &parent, 8));
  fixed.SetWindowText(CString(text.c_str()));
  fixed.SendMessage(EM_SETSEL, text.size(), text.size());
  fixed.SendMessage(WM_CHAR, 'x');
  EXPECT_EQ(fixed.GetFirstVisibleLine(), 0);
  fixed.SendMessage(EM_SCROLLCARET);
  EXPECT_GT(fixed.GetFirstVisibleLine(), 10);
}

TEST_F(CaretAndRangeTest, CalendarKeepsToItsRange) {
  CMonthCalCtrl calendar;
  ASSERT_TRUE(calendar.Create(WS_VISIBLE | MCS_NOTODAY, CRect(0, 0, 10, 10), &parent, 1235));
  ASSERT_TRUE(calendar.SizeMinReq());
  SYSTEMTIME range[2] = {};
  EXPECT_EQ(calendar.GetRange(range), 0u);
  ASSERT_TRUE(calendar.SetCurSel(base::calendar_day(2004, 6, 15)));
  // A range that leaves the selection out moves it to the nearest end, silently.
  const SYSTEMTIME first = base::calendar_day(1900, 1, 1), last = base::calendar_day(1999, 12, 31);
  ASSERT_TRUE(calendar.SetRange(&first, &last));
  EXPECT_EQ(calendar.GetRange(range), GDTR_MIN | GDTR_MAX);
  EXPECT_EQ(range[0].wYear, 1900);
  EXPECT_EQ(range[1].wYear, 1999);
  EXPECT_EQ(range[1].wMonth, 12);
  SYSTEMTIME t{};
  calendar.GetCurSel(t);
  EXPECT_EQ(t.wYear, 1999);
  EXPECT_EQ(t.wMonth, 12);
  EXPECT_EQ(t.wDay, 31);
  EXPECT_TRUE(parent.seen.empty());
  // Days outside it cannot be set or clicked; the arrow stops at the end.
  EXPECT_FALSE(calendar.SetCurSel(base::calendar_day(2000, 1, 1)));
  EXPECT_FALSE(calendar.SetCurSel(base::calendar_day(1899, 12, 31)));
  const int right = 2 + 7 * kCalendarColumnWidth - 4;
  click(calendar.m_hWnd, POINT{right, 8});
  pump();
  EXPECT_TRUE(parent.seen.empty());
  // The greyed first days of January 2000 in the last row of December 1999.
  click(calendar.m_hWnd, POINT{2 + 6 * kCalendarColumnWidth + 5,
                               2 + kCalendarTitleHeight + 6 * kCalendarRowHeight + kCalendarRowHeight / 2});
  pump();
  EXPECT_TRUE(parent.seen.empty());
  // Back one month from the start's month stops at the first day.
  ASSERT_TRUE(calendar.SetCurSel(base::calendar_day(1900, 1, 20)));
  click(calendar.m_hWnd, POINT{6, 8});
  pump();
  EXPECT_EQ(parent.seen, (std::vector<std::string>{"change 1900-01-01"}));
  // A range with its ends the wrong way round, or a day that does not exist, is refused.
  EXPECT_FALSE(calendar.SetRange(&last, &first));
  const SYSTEMTIME bad = base::calendar_day(1999, 2, 30);
  EXPECT_FALSE(calendar.SetRange(&first, &bad));
  // Only one end: the other side open.
  ASSERT_TRUE(calendar.SetRange(&first, nullptr));
  EXPECT_EQ(calendar.GetRange(range), GDTR_MIN);
  EXPECT_TRUE(calendar.SetCurSel(base::calendar_day(2020, 2, 29)));
}

}  // namespace
}  // namespace lumo::test
