// The date picker ("SysDateTimePick32"): a date shown by a date picture (default "dd.MM.yyyy";
// DTM_SETFORMAT gives another, in the pictures of GetDateFormat, so "dddd, d MMMM yyyy" shows
// the weekday and the month's name) with one field (day, month or year) current; a weekday and
// the text between fields are shown only. Left and right move between fields, a click picks the
// field under the mouse, up and down change the current field (the day kept within the month, the year
// within 1601..9999), and every change tells the parent with DTN_DATETIMECHANGE. With
// DTS_SHOWNONE the control may hold no date, shown as an empty box. The time of day set with a
// date is kept as it was given. The text is drawn in the control's font (WM_SETFONT). WM_GETTEXT
// gives the shown text (empty without a date).
//
// Unless made with DTS_UPDOWN the picker has a drop button at its right: it (or F4, Alt+Down)
// drops a month calendar in a pop-up below the field (above when the screen has no room below;
// DTS_RIGHTALIGN lines it up with the field's right edge), drawn in the colours and the font
// kept for it (DTM_SETMCCOLOR, DTM_SETMCFONT; without a font of its own, the picker's). The parent
// hears DTN_DROPDOWN once the calendar exists (DTM_GETMONTHCAL gives it) and DTN_CLOSEUP when it
// goes. A click on a day, or Enter on the day the arrow keys moved to, takes that day (the time
// of day kept) and closes the calendar, then DTN_DATETIMECHANGE tells of the change; Esc, the
// drop button or a click outside close it and change nothing.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/ctime.h"
#include "platform/controls/month_cal_ctrl.h"
#include "platform/win/cwnd.h"

inline constexpr const char* DATETIMEPICK_CLASS = "SysDateTimePick32";

constexpr DWORD DTS_UPDOWN = 0x0001;
constexpr DWORD DTS_SHOWNONE = 0x0002;
constexpr DWORD DTS_RIGHTALIGN = 0x0020;

constexpr UINT DTM_GETSYSTEMTIME = 0x1001;
constexpr UINT DTM_SETSYSTEMTIME = 0x1002;
constexpr UINT DTM_SETFORMAT = 0x1005;
constexpr UINT DTM_SETMCCOLOR = 0x1006;
constexpr UINT DTM_GETMCCOLOR = 0x1007;
constexpr UINT DTM_GETMONTHCAL = 0x1008;
constexpr UINT DTM_SETMCFONT = 0x1009;
constexpr UINT DTM_GETMCFONT = 0x100A;

constexpr DWORD GDT_ERROR = DWORD(-1);
constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_NONE = 1;

constexpr UINT DTN_DATETIMECHANGE = UINT(-759);
constexpr UINT DTN_DROPDOWN = UINT(-754);
constexpr UINT DTN_CLOSEUP = UINT(-753);

struct NMDATETIMECHANGE {
  NMHDR nmhdr;
  DWORD dwFlags;  // GDT_VALID or GDT_NONE
  SYSTEMTIME st;
};

namespace controls {
void register_date_picker();

// One piece of the shown date, placed from the left edge after a 3-pixel margin: a field the
// keys change (`letter` 'd', 'M' or 'y') or text shown only (`letter` 0, or a weekday 'w').
struct DatePickerPiece {
  std::string text;
  char letter = 0;
  int left = 0;
  int right = 0;
  bool field() const { return letter == 'd' || letter == 'M' || letter == 'y'; }
};
// The pieces of `date` in `format` (empty: "dd.MM.yyyy"), each as wide as `width` measures its
// text.
std::vector<DatePickerPiece> date_picker_layout(const SYSTEMTIME& date, const std::string& format,
                                                const std::function<int(const std::string&)>& width);
// The number of the field (counting fields only, from 0) under `x`, or -1.
int date_picker_field_at(const std::vector<DatePickerPiece>& pieces, int x);
// The drop button in a picker's client area `client`: `width` wide at the right, inside the
// 2-pixel border; empty with DTS_UPDOWN in `style`.
RECT date_picker_button_rect(const RECT& client, DWORD style, int width);
// Where a dropped calendar of `size` goes (screen coordinates) for a field at `field` on a
// screen whose work area is `work`: below the field, from its left edge (its right edge with
// `right_align`); above the field when it does not fit below but does above; moved sideways (and,
// when it fits neither way, up) so that it stays on the screen.
RECT date_picker_drop_rect(const RECT& field, SIZE size, const RECT& work, bool right_align);
// `date` moved by `days` days (the weekday set, the time of day kept); the date itself when that
// leaves the years 1601 to 9999.
SYSTEMTIME date_picker_add_days(const SYSTEMTIME& date, int days);
}  // namespace controls

class CDateTimeCtrl : public CWnd {
  DECLARE_DYNAMIC(CDateTimeCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // GDT_VALID with the date, GDT_NONE when the control holds none.
  DWORD GetTime(SYSTEMTIME* pTimeDest) const {
    return DWORD(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(pTimeDest)));
  }
  // Null clears the date (only with DTS_SHOWNONE); a date that does not exist is refused. The
  // parent is not told.
  BOOL SetTime(const SYSTEMTIME* pTimeNew) {
    return BOOL(SendMessage(DTM_SETSYSTEMTIME, pTimeNew ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(pTimeNew)));
  }
  // A date picture of GetDateFormat; null goes back to the default.
  BOOL SetFormat(const char* pstrFormat) {
    return BOOL(SendMessage(DTM_SETFORMAT, 0, reinterpret_cast<LPARAM>(pstrFormat)));
  }
  // The previous colour of the calendar part, or CLR_INVALID for an unknown part.
  COLORREF SetMonthCalColor(int iColor, COLORREF ref) { return COLORREF(SendMessage(DTM_SETMCCOLOR, WPARAM(iColor), LPARAM(ref))); }
  COLORREF GetMonthCalColor(int iColor) const { return COLORREF(SendMessage(DTM_GETMCCOLOR, WPARAM(iColor), 0)); }
  // The caller keeps the font alive while the picker uses it.
  void SetMonthCalFont(HFONT hFont, BOOL bRedraw = TRUE) { SendMessage(DTM_SETMCFONT, WPARAM(hFont), bRedraw); }
  HFONT GetMonthCalFont() const { return HFONT(SendMessage(DTM_GETMCFONT, 0, 0)); }
  // The dropped calendar, or null while none shows.
  CMonthCalCtrl* GetMonthCalCtrl() const;

 private:
  // Takes the dropped calendar's window while it is asked for.
  mutable CMonthCalCtrl m_monthCal;
};
