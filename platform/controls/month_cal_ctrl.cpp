#include "platform/controls/month_cal_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/base/locale_info.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"
#include "platform/win/window_font.h"

namespace {

using controls::kCalendarColumnWidth;
using controls::kCalendarRowHeight;
using controls::kCalendarTitleHeight;

struct Date {
  int year = 1970, month = 1, day = 1;
  bool operator==(const Date&) const = default;
  int key() const { return year * 10000 + month * 100 + day; }
};

struct Calendar : win::ControlState {
  Date selected;
  int year = 1970, month = 1;  // the month shown
  // The days offered (the whole calendar unless a range was set).
  Date first{1601, 1, 1}, last{9999, 12, 31};
  DWORD range_flags = 0;

  bool offers(const Date& d) const { return d.key() >= first.key() && d.key() <= last.key(); }
  Date clamp(const Date& d) const { return d.key() < first.key() ? first : d.key() > last.key() ? last : d; }
  // By MCSC_ part; set at creation from the system colours.
  std::array<COLORREF, 6> colours{};

  // Selects a day and shows its month.
  void select(const Date& d) {
    selected = d;
    year = d.year;
    month = d.month;
  }
};

constexpr int kWeeks = 6;
constexpr int kArrowWidth = 16;
constexpr int kMargin = 2;

bool valid(const SYSTEMTIME& t) {
  return t.wYear >= 1601 && t.wYear <= 9999 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
         t.wDay <= controls::days_in_month(t.wYear, t.wMonth);
}

SYSTEMTIME to_system(const Date& d) {
  SYSTEMTIME t{};
  t.wYear = uint16_t(d.year);
  t.wMonth = uint16_t(d.month);
  t.wDay = uint16_t(d.day);
  t.wDayOfWeek = uint16_t(controls::day_of_week(d.year, d.month, d.day));
  return t;
}

Date today() {
  CTime now = CTime::GetCurrentTime();
  return Date{now.GetYear(), now.GetMonth(), now.GetDay()};
}

// The month `delta` months from (year, month).
void step_month(int& year, int& month, int delta) {
  int months = year * 12 + (month - 1) + delta;
  year = months / 12;
  month = months % 12 + 1;
}

// The date in the grid cell (row, column) of the shown month: the first row starts with the
// Monday on or before the month's first day.
Date cell_date(const Calendar& c, int row, int column) {
  int lead = (controls::day_of_week(c.year, c.month, 1) + 6) % 7;  // days before the 1st in row 0
  int offset = row * 7 + column - lead;                              // days from the 1st
  Date d{c.year, c.month, 1};
  while (offset < 0) {
    step_month(d.year, d.month, -1);
    offset += controls::days_in_month(d.year, d.month);
  }
  while (offset >= controls::days_in_month(d.year, d.month)) {
    offset -= controls::days_in_month(d.year, d.month);
    step_month(d.year, d.month, 1);
  }
  d.day = offset + 1;
  return d;
}

int grid_top() { return kMargin + kCalendarTitleHeight + kCalendarRowHeight; }

RECT min_rect(HWND h) {
  int height = grid_top() + kWeeks * kCalendarRowHeight + kMargin;
  if (!(GetWindowLong(h, GWL_STYLE) & MCS_NOTODAY)) height += kCalendarRowHeight;
  return RECT{0, 0, 2 * kMargin + 7 * kCalendarColumnWidth, height};
}

LRESULT notify(HWND h, UINT code, const Date& d) {
  NMSELCHANGE n{{h, UINT_PTR(GetDlgCtrlID(h)), code}, to_system(d), to_system(d)};
  HWND parent = GetParent(h);
  return parent ? SendMessage(parent, WM_NOTIFY, n.nmhdr.idFrom, reinterpret_cast<LPARAM>(&n)) : 0;
}

// Selects `d`, showing its month; tells the parent when the selection moved.
void select(HWND h, const Date& d) {
  Calendar& c = win::control_state<Calendar>(h);
  bool moved = !(c.selected == d);
  c.selected = d;
  c.year = d.year;
  c.month = d.month;
  InvalidateRect(h, nullptr, TRUE);
  if (moved) notify(h, MCN_SELCHANGE, d);
}

void click(HWND h, POINT p) {
  Calendar c = win::control_state<Calendar>(h);
  int width = 7 * kCalendarColumnWidth;
  if (p.y >= kMargin && p.y < kMargin + kCalendarTitleHeight) {
    int delta = p.x < kMargin + kArrowWidth ? -1 : p.x >= kMargin + width - kArrowWidth ? 1 : 0;
    if (delta == 0) return;
    Date d = c.selected;
    step_month(d.year, d.month, delta);
    if (d.year < 1601 || d.year > 9999) return;
    d.day = std::min(d.day, controls::days_in_month(d.year, d.month));
    // Past an end of the range the arrow stops at that end.
    d = c.clamp(d);
    if (d == c.selected) return;
    select(h, d);
    return;
  }
  int row = (p.y - grid_top()) / kCalendarRowHeight, column = (p.x - kMargin) / kCalendarColumnWidth;
  if (p.y < grid_top() || row >= kWeeks || p.x < kMargin || column >= 7) return;
  Date d = cell_date(c, row, column);
  if (!c.offers(d)) return;
  select(h, d);
  if (IsWindow(h)) notify(h, MCN_SELECT, d);
}

void paint(HWND h) {
  CPaintDC dc(h);
  win::WindowFontScope font(dc.GetSafeHdc(), h);
  const Calendar& c = win::control_state<Calendar>(h);
  CRect client;
  GetClientRect(h, &client);
  dc.FillSolidRect(&client, c.colours[MCSC_BACKGROUND]);
  dc.SetBkMode(TRANSPARENT);
  int width = 7 * kCalendarColumnWidth;
  CRect title(kMargin, kMargin, kMargin + width, kMargin + kCalendarTitleHeight);
  dc.FillSolidRect(CRect(kMargin, title.bottom, kMargin + width, grid_top() + kWeeks * kCalendarRowHeight),
                   c.colours[MCSC_MONTHBK]);
  dc.FillSolidRect(&title, c.colours[MCSC_TITLEBK]);
  dc.SetTextColor(c.colours[MCSC_TITLETEXT]);
  CString caption = controls::polish_month_name(c.month);
  char year[8];
  std::snprintf(year, sizeof year, " %d", c.year);
  caption += year;
  dc.DrawText(caption, caption.GetLength(), &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  CRect back(title.left, title.top, title.left + kArrowWidth, title.bottom);
  CRect forward(title.right - kArrowWidth, title.top, title.right, title.bottom);
  dc.DrawText("<", 1, &back, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  dc.DrawText(">", 1, &forward, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  static const char* const kWeekdays[7] = {"pn", "wt", "\x9cr", "cz", "pt", "so", "nd"};
  dc.SetTextColor(c.colours[MCSC_TEXT]);
  for (int column = 0; column < 7; ++column) {
    CRect r(kMargin + column * kCalendarColumnWidth, title.bottom, kMargin + (column + 1) * kCalendarColumnWidth,
            grid_top());
    dc.DrawText(kWeekdays[column], -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  for (int row = 0; row < kWeeks; ++row) {
    for (int column = 0; column < 7; ++column) {
      Date d = cell_date(c, row, column);
      CRect r(kMargin + column * kCalendarColumnWidth, grid_top() + row * kCalendarRowHeight,
              kMargin + (column + 1) * kCalendarColumnWidth, grid_top() + (row + 1) * kCalendarRowHeight);
      bool selected = d == c.selected;
      if (selected) dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
      const bool in_month = d.month == c.month && c.offers(d);
      dc.SetTextColor(selected   ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                      : in_month ? c.colours[MCSC_TEXT]
                                 : c.colours[MCSC_TRAILINGTEXT]);
      char day[4];
      std::snprintf(day, sizeof day, "%d", d.day);
      dc.DrawText(day, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }
  if (!(GetWindowLong(h, GWL_STYLE) & MCS_NOTODAY)) {
    Date now = today();
    char line[64];
    std::snprintf(line, sizeof line, "Dzi\x9c: %02d.%02d.%04d", now.day, now.month, now.year);
    int top = grid_top() + kWeeks * kCalendarRowHeight;
    CRect r(kMargin, top, kMargin + width, top + kCalendarRowHeight);
    dc.SetTextColor(c.colours[MCSC_TEXT]);
    dc.DrawText(line, -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
}

LRESULT calendar_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) return r;
  switch (message) {
    case WM_CREATE: {
      // A new calendar shows today's month with today selected.
      Date now = today();
      Calendar& c = win::control_state<Calendar>(h);
      c.select(now);
      c.colours = {GetSysColor(COLOR_WINDOW),  GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNFACE),
                   GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_WINDOW),     GetSysColor(COLOR_GRAYTEXT)};
      return DefWindowProc(h, message, wParam, lParam);
    }
    case MCM_SETCOLOR:
    case MCM_GETCOLOR: {
      Calendar& c = win::control_state<Calendar>(h);
      if (wParam >= c.colours.size()) return LRESULT(CLR_INVALID);
      COLORREF old = c.colours[wParam];
      if (message == MCM_SETCOLOR) {
        c.colours[wParam] = COLORREF(lParam);
        InvalidateRect(h, nullptr, TRUE);
      }
      return LRESULT(old);
    }
    case MCM_GETCURSEL: {
      auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!out) return FALSE;
      *out = to_system(win::control_state<Calendar>(h).selected);
      return TRUE;
    }
    case MCM_SETCURSEL: {
      auto* in = reinterpret_cast<const SYSTEMTIME*>(lParam);
      if (!in || !valid(*in)) return FALSE;
      Date d{in->wYear, in->wMonth, in->wDay};
      if (!win::control_state<Calendar>(h).offers(d)) return FALSE;
      win::control_state<Calendar>(h).select(d);
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case MCM_SETRANGE: {
      auto* in = reinterpret_cast<const SYSTEMTIME*>(lParam);
      Calendar& c = win::control_state<Calendar>(h);
      Date first{1601, 1, 1}, last{9999, 12, 31};
      if ((wParam & GDTR_MIN) && (!in || !valid(in[0]))) return FALSE;
      if ((wParam & GDTR_MAX) && (!in || !valid(in[1]))) return FALSE;
      if (wParam & GDTR_MIN) first = Date{in[0].wYear, in[0].wMonth, in[0].wDay};
      if (wParam & GDTR_MAX) last = Date{in[1].wYear, in[1].wMonth, in[1].wDay};
      if (first.key() > last.key()) return FALSE;
      c.first = first;
      c.last = last;
      c.range_flags = DWORD(wParam) & (GDTR_MIN | GDTR_MAX);
      if (!c.offers(c.selected)) c.select(c.clamp(c.selected));
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case MCM_GETRANGE: {
      auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
      const Calendar& c = win::control_state<Calendar>(h);
      if (out) {
        out[0] = (c.range_flags & GDTR_MIN) ? to_system(c.first) : SYSTEMTIME{};
        out[1] = (c.range_flags & GDTR_MAX) ? to_system(c.last) : SYSTEMTIME{};
      }
      return c.range_flags;
    }
    case MCM_GETMINREQRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!out) return FALSE;
      *out = min_rect(h);
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      click(h, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_PAINT:
      paint(h);
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<Calendar>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {

CString polish_month_name(int month) {
  char name[32];
  bool known = month >= 1 && month <= 12 &&
               GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + LCTYPE(month - 1), name, sizeof name) > 0;
  return known ? CString(name) : CString();
}

int days_in_month(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

int day_of_week(int year, int month, int day) {
  // Days from 1970-01-01 (a Thursday) by the civil-calendar count with March as the first month.
  int y = month <= 2 ? year - 1 : year;
  int era = (y >= 0 ? y : y - 399) / 400;
  int year_of_era = y - era * 400;
  int day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  long long days = (long long)era * 146097 + day_of_era - 719468;
  return int(((days + 4) % 7 + 7) % 7);
}

void register_month_calendar() {
  register_control_class(MONTHCAL_CLASS, calendar_proc, CS_DBLCLKS, COLOR_WINDOW);
}

}  // namespace controls

IMPLEMENT_DYNAMIC(CMonthCalCtrl, CWnd)

BOOL CMonthCalCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_month_calendar();
  return CWnd::Create(MONTHCAL_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CMonthCalCtrl::SetRange(const SYSTEMTIME* pMin, const SYSTEMTIME* pMax) {
  SYSTEMTIME range[2] = {pMin ? *pMin : SYSTEMTIME{}, pMax ? *pMax : SYSTEMTIME{}};
  const WPARAM flags = (pMin ? GDTR_MIN : 0) | (pMax ? GDTR_MAX : 0);
  return BOOL(SendMessage(MCM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)));
}

BOOL CMonthCalCtrl::SizeMinReq(BOOL bRepaint) {
  RECT r;
  if (!GetMinReqRect(&r)) return FALSE;
  UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW);
  return ::SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, flags);
}
