// The date picker ("SysDateTimePick32"): a date shown as "dd.mm.yyyy" with one field (day,
// month or year) current. Left and right move between fields, a click picks the field under
// the mouse, up and down change the current field (the day kept within the month, the year
// within 1601..9999), and every change tells the parent with DTN_DATETIMECHANGE. With
// DTS_SHOWNONE the control may hold no date, shown as an empty box. The time of day set with a
// date is kept as it was given.
#pragma once

#include "platform/base/ctime.h"
#include "platform/win/cwnd.h"

inline constexpr const char* DATETIMEPICK_CLASS = "SysDateTimePick32";

constexpr DWORD DTS_UPDOWN = 0x0001;
constexpr DWORD DTS_SHOWNONE = 0x0002;

constexpr UINT DTM_GETSYSTEMTIME = 0x1001;
constexpr UINT DTM_SETSYSTEMTIME = 0x1002;

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
// Width of one digit of the shown date, in pixels, from the left edge after a 3-pixel margin.
constexpr int kDateDigitWidth = 7;
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
};
