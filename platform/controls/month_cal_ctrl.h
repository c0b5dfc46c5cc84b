// The month calendar ("SysMonthCal32"): one month as a grid of weeks from Monday, with the
// month's Polish name and the year above it, arrows to the months around it, and the days of
// the neighbouring months greyed at either end. A click on a day selects it: the parent hears
// MCN_SELCHANGE when the selection moved and then MCN_SELECT. The arrows move to the same day
// (or the month's last) of the next or previous month and send MCN_SELCHANGE only. Without
// MCS_NOTODAY a line under the grid names today's date.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/ctime.h"
#include "platform/win/cwnd.h"

inline constexpr const char* MONTHCAL_CLASS = "SysMonthCal32";

constexpr DWORD MCS_NOTODAY = 0x0010;

constexpr UINT MCM_GETCURSEL = 0x1001;
constexpr UINT MCM_SETCURSEL = 0x1002;
constexpr UINT MCM_GETMINREQRECT = 0x1009;
// The range of days the calendar offers: wParam GDTR_MIN and/or GDTR_MAX, lParam two SYSTEMTIMEs
// (first, last). Days outside it are greyed and cannot be chosen; a selection outside it moves to
// the nearest end of the range without telling the parent.
constexpr UINT MCM_GETRANGE = 0x1011;
constexpr UINT MCM_SETRANGE = 0x1012;
constexpr DWORD GDTR_MIN = 0x0001;
constexpr DWORD GDTR_MAX = 0x0002;
constexpr UINT MCM_SETCOLOR = 0x100A;
constexpr UINT MCM_GETCOLOR = 0x100B;

// Parts of the month calendar that take a colour: the frame around the month, the days' text,
// the title's background and text, the month's background and the neighbouring months' days.
constexpr int MCSC_BACKGROUND = 0;
constexpr int MCSC_TEXT = 1;
constexpr int MCSC_TITLEBK = 2;
constexpr int MCSC_TITLETEXT = 3;
constexpr int MCSC_MONTHBK = 4;
constexpr int MCSC_TRAILINGTEXT = 5;

constexpr UINT MCN_SELCHANGE = UINT(-749);
constexpr UINT MCN_SELECT = UINT(-746);

struct NMSELCHANGE {
  NMHDR nmhdr;
  SYSTEMTIME stSelStart;
  SYSTEMTIME stSelEnd;
};

namespace controls {
void register_month_calendar();
// The month's name in the nominative ("stycze\xf1" for 1), CP1250; empty outside 1..12.
CString polish_month_name(int month);
// Days in the month of the Gregorian calendar (29 in a leap February).
int days_in_month(int year, int month);
// 0 Sunday .. 6 Saturday, as SYSTEMTIME counts.
int day_of_week(int year, int month, int day);
// Layout of the grid, in pixels.
constexpr int kCalendarTitleHeight = 18;
constexpr int kCalendarRowHeight = 14;
constexpr int kCalendarColumnWidth = 20;
}  // namespace controls

class CMonthCalCtrl : public CWnd {
  DECLARE_DYNAMIC(CMonthCalCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // Selects a date (its time of day is ignored) and shows its month; false for a date that
  // does not exist, which leaves the selection as it was. The parent is not told.
  BOOL SetCurSel(const SYSTEMTIME& date) {
    return BOOL(SendMessage(MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&date)));
  }
  BOOL GetCurSel(SYSTEMTIME& date) const {
    return BOOL(SendMessage(MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&date)));
  }
  BOOL GetMinReqRect(RECT* pRect) const {
    return BOOL(SendMessage(MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(pRect)));
  }
  // Limits the days offered to [*pMin, *pMax]; a null end leaves that side open.
  BOOL SetRange(const SYSTEMTIME* pMin, const SYSTEMTIME* pMax);
  // The ends of the range in `range` (first, last); the GDTR_ flags of the ends that are set.
  DWORD GetRange(SYSTEMTIME range[2]) const {
    return DWORD(SendMessage(MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
  }
  // Resizes the window to the smallest rectangle that shows the whole month.
  BOOL SizeMinReq(BOOL bRepaint = TRUE);
  // The previous colour of the part, or CLR_INVALID for an unknown part.
  COLORREF SetColor(int nRegion, COLORREF ref) { return COLORREF(SendMessage(MCM_SETCOLOR, WPARAM(nRegion), LPARAM(ref))); }
  COLORREF GetColor(int nRegion) const { return COLORREF(SendMessage(MCM_GETCOLOR, WPARAM(nRegion), 0)); }
};
