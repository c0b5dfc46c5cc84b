// The date picker ("SysDateTimePick32"): a date shown by a date picture (default "dd.MM.yyyy";
// DTM_SETFORMAT gives another, in the pictures of GetDateFormat, so "dddd, d MMMM yyyy" shows
// the weekday and the month's name) with one field (day, month or year) current; a weekday and
// the text between fields are shown only. Left and right move between fields, a click picks the
// field under the mouse, up and down change the current field (the day kept within the month, the year
// within 1601..9999), and every change tells the parent with DTN_DATETIMECHANGE. With
// DTS_SHOWNONE the control may hold no date, shown as an empty box. The time of day set with a
// date is kept as it was given. The text is drawn in the control's font (WM_SETFONT). The colours
// and the font of the month calendar the picker drops (DTM_SETMCCOLOR, DTM_SETMCFONT) are kept
// with the picker. WM_GETTEXT gives the shown text (empty without a date).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/ctime.h"
#include "platform/win/cwnd.h"

inline constexpr const char* DATETIMEPICK_CLASS = "SysDateTimePick32";

constexpr DWORD DTS_UPDOWN = 0x0001;
constexpr DWORD DTS_SHOWNONE = 0x0002;

constexpr UINT DTM_GETSYSTEMTIME = 0x1001;
constexpr UINT DTM_SETSYSTEMTIME = 0x1002;
constexpr UINT DTM_SETFORMAT = 0x1005;
constexpr UINT DTM_SETMCCOLOR = 0x1006;
constexpr UINT DTM_GETMCCOLOR = 0x1007;
constexpr UINT DTM_SETMCFONT = 0x1009;
constexpr UINT DTM_GETMCFONT = 0x100A;

// Parts of the month calendar that take a colour.
constexpr int MCSC_BACKGROUND = 0;
constexpr int MCSC_TEXT = 1;
constexpr int MCSC_TITLEBK = 2;
constexpr int MCSC_TITLETEXT = 3;
constexpr int MCSC_MONTHBK = 4;
constexpr int MCSC_TRAILINGTEXT = 5;

constexpr DWORD GDT_ERROR = DWORD(-1);
constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_NONE = 1;

constexpr UINT DTN_DATETIMECHANGE = UINT(-759);

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
};
