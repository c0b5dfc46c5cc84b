#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "platform/base/locale_info.h"

#include "platform/controls/drop_button.h"
#include "platform/controls/month_cal_ctrl.h"
#include "platform/win/monitors.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"
#include "platform/win/window_font.h"

namespace {

struct Picker : win::ControlState {
  SYSTEMTIME time{};
  bool has_date = true;
  int field = 0;  // the current field, counting fields only
  std::string format;
  std::array<COLORREF, 6> calendar_colours{};
  HFONT calendar_font = nullptr;
  HWND drop = nullptr;      // the pop-up holding the dropped calendar while it shows
  HWND calendar = nullptr;  // the calendar in it
};

constexpr const char* kDropClass = "DateDropDown";
constexpr int kCalendarId = 1;

constexpr int kMargin = 3;
constexpr int kMinYear = 1601;
constexpr int kMaxYear = 9999;

bool valid(const SYSTEMTIME& t) {
  return t.wYear >= kMinYear && t.wYear <= kMaxYear && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
         t.wDay <= controls::days_in_month(t.wYear, t.wMonth);
}

std::vector<controls::DatePickerPiece> layout(HDC dc, const Picker& p) {
  return controls::date_picker_layout(p.time, p.format, [dc](const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
    return int(size.cx);
  });
}

int field_count(const Picker& p) {
  auto pieces = controls::date_picker_layout(p.time, p.format, [](const std::string&) { return 0; });
  return int(std::count_if(pieces.begin(), pieces.end(), [](const auto& piece) { return piece.field(); }));
}

// The letter of the current field ('d', 'M' or 'y'), or 0 when the picture shows none.
char current_letter(const Picker& p) {
  int n = 0;
  for (const auto& piece : controls::date_picker_layout(p.time, p.format, [](const std::string&) { return 0; })) {
    if (piece.field() && n++ == p.field) return piece.letter;
  }
  return 0;
}

void notify(HWND h) {
  const Picker& p = win::control_state<Picker>(h);
  NMDATETIMECHANGE n{{h, UINT_PTR(GetDlgCtrlID(h)), DTN_DATETIMECHANGE}, p.has_date ? GDT_VALID : GDT_NONE, p.time};
  HWND parent = GetParent(h);
  if (parent) SendMessage(parent, WM_NOTIFY, n.nmhdr.idFrom, reinterpret_cast<LPARAM>(&n));
}

// DTN_DROPDOWN or DTN_CLOSEUP.
void notify_code(HWND h, UINT code) {
  NMHDR n{h, UINT_PTR(GetDlgCtrlID(h)), code};
  if (HWND parent = GetParent(h)) SendMessage(parent, WM_NOTIFY, n.idFrom, reinterpret_cast<LPARAM>(&n));
}

CRect button_rect(HWND h) {
  RECT client;
  GetClientRect(h, &client);
  return CRect(controls::date_picker_button_rect(client, DWORD(GetWindowLong(h, GWL_STYLE)), controls::drop_button_width()));
}

// --- The dropped calendar ---------------------------------------------------------------------------
//
// The calendar lies in a pop-up of its own that holds the mouse while it shows: clicks inside go on
// to the calendar, a click anywhere else closes it. The keys stay with the picker.

HWND picker_of(HWND drop) { return reinterpret_cast<HWND>(GetWindowLongPtr(drop, GWLP_USERDATA)); }

// Takes the calendar away; with `chosen`, that day becomes the date (the time of day kept). The
// parent hears DTN_CLOSEUP, then DTN_DATETIMECHANGE when the date changed.
void close_calendar(HWND h, const SYSTEMTIME* chosen) {
  Picker& p = win::control_state<Picker>(h);
  HWND drop = std::exchange(p.drop, nullptr);
  if (!drop) return;
  p.calendar = nullptr;
  SYSTEMTIME day{};
  const bool take = chosen && valid(*chosen);
  if (take) day = *chosen;  // the calendar's notice goes with its window
  if (GetCapture() == drop) ReleaseCapture();
  DestroyWindow(drop);
  if (!IsWindow(h)) return;
  Picker& now = win::control_state<Picker>(h);
  bool changed = false;
  if (take) {
    changed = !now.has_date || now.time.wYear != day.wYear || now.time.wMonth != day.wMonth || now.time.wDay != day.wDay;
    now.time.wYear = day.wYear;
    now.time.wMonth = day.wMonth;
    now.time.wDay = day.wDay;
    now.time.wDayOfWeek = uint16_t(controls::day_of_week(day.wYear, day.wMonth, day.wDay));
    now.has_date = true;
  }
  InvalidateRect(h, nullptr, TRUE);
  notify_code(h, DTN_CLOSEUP);
  if (changed && IsWindow(h)) notify(h);
}

LRESULT drop_proc(HWND drop, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND h = picker_of(drop);
  if (!IsWindow(h) || !win::find_control_state<Picker>(h) || win::control_state<Picker>(h).drop != drop) {
    return DefWindowProc(drop, message, wParam, lParam);
  }
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(drop, &at);
      RECT r;
      GetWindowRect(drop, &r);
      if (!CRect(r).PtInRect(at)) {
        close_calendar(h, nullptr);
        return 0;
      }
      if (message != WM_RBUTTONDOWN) {
        HWND calendar = win::control_state<Picker>(h).calendar;
        ScreenToClient(calendar, &at);
        SendMessage(calendar, WM_LBUTTONDOWN, wParam, MAKELPARAM(at.x, at.y));
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto* n = reinterpret_cast<const NMSELCHANGE*>(lParam);
      if (n && n->nmhdr.code == MCN_SELECT) close_calendar(h, &n->stSelStart);
      return 0;
    }
    case WM_CAPTURECHANGED:
      // Something else took the mouse (a dialog, a menu): the calendar goes, nothing chosen.
      if (reinterpret_cast<HWND>(lParam) != drop) close_calendar(h, nullptr);
      return 0;
    default:
      return DefWindowProc(drop, message, wParam, lParam);
  }
}

void open_calendar(HWND h) {
  Picker& p = win::control_state<Picker>(h);
  if (p.drop || !IsWindowEnabled(h) || (GetWindowLong(h, GWL_STYLE) & DTS_UPDOWN)) return;
  controls::register_control_class(kDropClass, drop_proc, 0, COLOR_WINDOW);
  controls::register_month_calendar();
  HWND drop = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kDropClass, "", WS_POPUP, 0, 0, 0, 0,
                             h, nullptr, nullptr);
  if (!drop) return;
  SetWindowLongPtr(drop, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(h));
  HWND calendar = CreateWindowEx(0, MONTHCAL_CLASS, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, drop,
                                 reinterpret_cast<HMENU>(UINT_PTR(kCalendarId)), nullptr);
  if (!calendar) {
    DestroyWindow(drop);
    return;
  }
  Picker& q = win::control_state<Picker>(h);
  for (size_t part = 0; part < q.calendar_colours.size(); ++part) {
    SendMessage(calendar, MCM_SETCOLOR, WPARAM(part), LPARAM(q.calendar_colours[part]));
  }
  HFONT font = q.calendar_font ? q.calendar_font : reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0));
  if (font) SendMessage(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (q.has_date) SendMessage(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&q.time));
  RECT need{};
  SendMessage(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
  AdjustWindowRectEx(&need, WS_CHILD | WS_BORDER, FALSE, 0);
  const SIZE size{need.right - need.left, need.bottom - need.top};
  RECT field;
  GetWindowRect(h, &field);
  MONITORINFO screen{sizeof(MONITORINFO), {}, {}, 0};
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfo(MonitorFromRect(&field, MONITOR_DEFAULTTONEAREST), &screen)) work = screen.rcWork;
  const RECT place =
      controls::date_picker_drop_rect(field, size, work, (GetWindowLong(h, GWL_STYLE) & DTS_RIGHTALIGN) != 0);
  SetWindowPos(drop, nullptr, place.left, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  MoveWindow(calendar, 0, 0, size.cx, size.cy, FALSE);
  q.drop = drop;
  q.calendar = calendar;
  // The parent may look at the calendar (DTM_GETMONTHCAL) before it shows.
  notify_code(h, DTN_DROPDOWN);
  if (!IsWindow(h) || win::control_state<Picker>(h).drop != drop) return;
  ShowWindow(drop, SW_SHOWNOACTIVATE);
  SetCapture(drop);
  if (GetFocus() != h) SetFocus(h);
  InvalidateRect(h, nullptr, TRUE);
}

// The keys while the calendar shows: the arrows move its day, Enter takes it, Esc and F4 close it.
bool calendar_key(HWND h, WPARAM key) {
  Picker& p = win::control_state<Picker>(h);
  if (!p.drop) return false;
  SYSTEMTIME day{};
  SendMessage(p.calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
  const int step = key == WPARAM(VK_LEFT) ? -1 : key == WPARAM(VK_RIGHT) ? 1 : key == WPARAM(VK_UP) ? -7 : key == WPARAM(VK_DOWN) ? 7 : 0;
  if (step != 0) {
    SYSTEMTIME moved = controls::date_picker_add_days(day, step);
    SendMessage(p.calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&moved));
  } else if (key == WPARAM(VK_RETURN)) {
    close_calendar(h, &day);
  } else if (key == WPARAM(VK_ESCAPE) || key == WPARAM(VK_F4)) {
    close_calendar(h, nullptr);
  }
  return true;
}

// Moves the current field by `delta`, wrapping days and months within their range; a day past
// the end of a shorter month becomes its last.
void change(HWND h, int delta) {
  Picker& p = win::control_state<Picker>(h);
  if (!p.has_date) return;
  SYSTEMTIME& t = p.time;
  auto wrap = [](int value, int low, int high) { return low + ((value - low) % (high - low + 1) + (high - low + 1)) % (high - low + 1); };
  const char letter = current_letter(p);
  if (letter == 'd') t.wDay = uint16_t(wrap(t.wDay + delta, 1, controls::days_in_month(t.wYear, t.wMonth)));
  if (letter == 'M') t.wMonth = uint16_t(wrap(t.wMonth + delta, 1, 12));
  if (letter == 'y') t.wYear = uint16_t(std::clamp(t.wYear + delta, kMinYear, kMaxYear));
  t.wDay = uint16_t(std::min<int>(t.wDay, controls::days_in_month(t.wYear, t.wMonth)));
  t.wDayOfWeek = uint16_t(controls::day_of_week(t.wYear, t.wMonth, t.wDay));
  InvalidateRect(h, nullptr, TRUE);
  notify(h);
}

void paint(HWND h) {
  CPaintDC dc(h);
  const Picker& p = win::control_state<Picker>(h);
  CRect client;
  GetClientRect(h, &client);
  bool enabled = IsWindowEnabled(h);
  dc.FillSolidRect(&client, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  dc.Draw3dRect(&client, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  const CRect button = button_rect(h);
  if (!button.IsRectEmpty()) controls::draw_drop_button(dc, button, p.drop != nullptr, enabled);
  if (p.has_date) {
    win::WindowFontScope font(dc.GetSafeHdc(), h);
    dc.SetBkMode(TRANSPARENT);
    // The text stops at the button.
    const int right = button.IsRectEmpty() ? client.right - 2 : button.left;
    int n = 0;
    for (const auto& piece : layout(dc.GetSafeHdc(), p)) {
      if (piece.left >= right) break;
      CRect r(piece.left, client.top + 1, std::min(piece.right, right), client.bottom - 1);
      bool current = piece.field() && n++ == p.field && GetFocus() == h && !p.drop;
      if (current) dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
      dc.SetTextColor(GetSysColor(current ? COLOR_HIGHLIGHTTEXT : enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
      dc.DrawText(piece.text.c_str(), int(piece.text.size()), &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
}

LRESULT picker_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) return r;
  switch (message) {
    case WM_CREATE: {
      // A new picker shows today.
      CTime now = CTime::GetCurrentTime();
      Picker& p = win::control_state<Picker>(h);
      now.GetAsSystemTime(p.time);
      p.calendar_colours = {GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_ACTIVECAPTION),
                            GetSysColor(COLOR_CAPTIONTEXT), GetSysColor(COLOR_WINDOW),     GetSysColor(COLOR_GRAYTEXT)};
      return DefWindowProc(h, message, wParam, lParam);
    }
    case DTM_SETFORMAT: {
      Picker& p = win::control_state<Picker>(h);
      p.format = lParam ? reinterpret_cast<const char*>(lParam) : "";
      p.field = std::clamp(p.field, 0, std::max(0, field_count(p) - 1));
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case DTM_SETMCCOLOR:
    case DTM_GETMCCOLOR: {
      Picker& p = win::control_state<Picker>(h);
      if (wParam >= p.calendar_colours.size()) return LRESULT(CLR_INVALID);
      COLORREF old = p.calendar_colours[wParam];
      if (message == DTM_SETMCCOLOR) p.calendar_colours[wParam] = COLORREF(lParam);
      return LRESULT(old);
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
      // The shown text; empty while the picker holds no date.
      const Picker& p = win::control_state<Picker>(h);
      std::string text;
      if (p.has_date) {
        for (const auto& piece : controls::date_picker_layout(p.time, p.format, [](const std::string&) { return 0; }))
          text += piece.text;
      }
      if (message == WM_GETTEXTLENGTH) return LRESULT(text.size());
      auto* out = reinterpret_cast<char*>(lParam);
      if (!out || wParam == 0) return 0;
      size_t n = std::min(text.size(), size_t(wParam) - 1);
      text.copy(out, n);
      out[n] = '\0';
      return LRESULT(n);
    }
    case DTM_SETMCFONT:
      win::control_state<Picker>(h).calendar_font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case DTM_GETMONTHCAL:
      return reinterpret_cast<LRESULT>(win::control_state<Picker>(h).calendar);
    case DTM_GETMCFONT:
      return reinterpret_cast<LRESULT>(win::control_state<Picker>(h).calendar_font);
    case DTM_GETSYSTEMTIME: {
      const Picker& p = win::control_state<Picker>(h);
      auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!out) return GDT_ERROR;
      if (!p.has_date) return GDT_NONE;
      *out = p.time;
      return GDT_VALID;
    }
    case DTM_SETSYSTEMTIME: {
      Picker& p = win::control_state<Picker>(h);
      if (wParam == GDT_NONE) {
        if (!(GetWindowLong(h, GWL_STYLE) & DTS_SHOWNONE)) return FALSE;
        p.has_date = false;
      } else {
        auto* in = reinterpret_cast<const SYSTEMTIME*>(lParam);
        if (wParam != GDT_VALID || !in || !valid(*in)) return FALSE;
        p.time = *in;
        p.time.wDayOfWeek = uint16_t(controls::day_of_week(in->wYear, in->wMonth, in->wDay));
        p.has_date = true;
      }
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case WM_GETDLGCODE:
      // While the calendar shows, Enter and Esc are the picker's.
      return win::control_state<Picker>(h).drop ? DLGC_WANTALLKEYS | DLGC_WANTARROWS : DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
      SetFocus(h);
      if (button_rect(h).PtInRect(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
        open_calendar(h);
        return 0;
      }
      Picker& p = win::control_state<Picker>(h);
      HDC dc = GetDC(h);
      int at = -1;
      {
        win::WindowFontScope font(dc, h);
        at = controls::date_picker_field_at(layout(dc, p), GET_X_LPARAM(lParam));
      }
      ReleaseDC(h, dc);
      if (at >= 0) p.field = at;
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case WM_SYSKEYDOWN:
      // Alt+Down and Alt+Up drop the calendar, or close it.
      if (wParam == WPARAM(VK_DOWN) || wParam == WPARAM(VK_UP)) {
        if (!calendar_key(h, VK_F4)) open_calendar(h);
        return 0;
      }
      return DefWindowProc(h, message, wParam, lParam);
    case WM_KEYDOWN: {
      if (calendar_key(h, wParam)) return 0;
      if (wParam == WPARAM(VK_F4)) {
        open_calendar(h);
        return 0;
      }
      Picker& p = win::control_state<Picker>(h);
      if (wParam == WPARAM(VK_LEFT)) p.field = std::max(0, p.field - 1);
      if (wParam == WPARAM(VK_RIGHT)) p.field = std::max(0, std::min(field_count(p) - 1, p.field + 1));
      InvalidateRect(h, nullptr, TRUE);
      if (wParam == WPARAM(VK_UP)) change(h, 1);
      if (wParam == WPARAM(VK_DOWN)) change(h, -1);
      return 0;
    }
    case WM_SETFOCUS:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_KILLFOCUS:
      close_calendar(h, nullptr);
      if (IsWindow(h)) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_ENABLE:
      if (!wParam) close_calendar(h, nullptr);
      return DefWindowProc(h, message, wParam, lParam);
    case WM_DESTROY:
      // Going with its picker, the calendar tells no one.
      if (HWND drop = std::exchange(win::control_state<Picker>(h).drop, nullptr)) {
        win::control_state<Picker>(h).calendar = nullptr;
        if (GetCapture() == drop) ReleaseCapture();
        DestroyWindow(drop);
      }
      return DefWindowProc(h, message, wParam, lParam);
    case WM_PAINT:
      paint(h);
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<Picker>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {

std::vector<DatePickerPiece> date_picker_layout(const SYSTEMTIME& date, const std::string& format,
                                                const std::function<int(const std::string&)>& width) {
  std::vector<DatePickerPiece> pieces;
  int x = kMargin;
  for (const base::DatePart& part : base::date_parts(date, format.empty() ? "dd.MM.yyyy" : format)) {
    // A day picture of three or more letters is the weekday, which follows the date.
    char letter = part.letter == 'd' && part.run > 2 ? 'w' : part.letter;
    int w = width(part.text);
    pieces.push_back(DatePickerPiece{part.text, letter, x, x + w});
    x += w;
  }
  return pieces;
}

int date_picker_field_at(const std::vector<DatePickerPiece>& pieces, int x) {
  int n = 0;
  for (const auto& piece : pieces) {
    if (!piece.field()) continue;
    if (x >= piece.left && x < piece.right) return n;
    ++n;
  }
  return -1;
}

RECT date_picker_button_rect(const RECT& client, DWORD style, int width) {
  if (style & DTS_UPDOWN) return RECT{client.right, client.top, client.right, client.top};
  const int right = std::max(client.left + 2, client.right - 2);
  return RECT{std::max(client.left + 2, right - width), client.top + 2, right, std::max(client.top + 2, client.bottom - 2)};
}

RECT date_picker_drop_rect(const RECT& field, SIZE size, const RECT& work, bool right_align) {
  int left = right_align ? field.right - size.cx : field.left;
  int top = field.bottom;
  if (top + size.cy > work.bottom && field.top - size.cy >= work.top) top = field.top - size.cy;
  // Kept on the screen; one larger than the screen shows its top-left part.
  left = std::max(std::min(left, int(work.right - size.cx)), int(work.left));
  top = std::max(std::min(top, int(work.bottom - size.cy)), int(work.top));
  return RECT{left, top, left + size.cx, top + size.cy};
}

SYSTEMTIME date_picker_add_days(const SYSTEMTIME& date, int days) {
  int year = date.wYear, month = date.wMonth, day = date.wDay + days;
  if (month < 1 || month > 12) return date;
  while (day < 1) {
    if (--month < 1) month = 12, --year;
    day += days_in_month(year, month);
  }
  while (day > days_in_month(year, month)) {
    day -= days_in_month(year, month);
    if (++month > 12) month = 1, ++year;
  }
  if (year < kMinYear || year > kMaxYear) return date;
  SYSTEMTIME out = date;
  out.wYear = uint16_t(year);
  out.wMonth = uint16_t(month);
  out.wDay = uint16_t(day);
  out.wDayOfWeek = uint16_t(day_of_week(year, month, day));
  return out;
}

void register_date_picker() {
  register_control_class(DATETIMEPICK_CLASS, picker_proc, CS_DBLCLKS, COLOR_WINDOW);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_date_picker();
  return CWnd::Create(DATETIMEPICK_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

CMonthCalCtrl* CDateTimeCtrl::GetMonthCalCtrl() const {
  HWND calendar = HWND(SendMessage(DTM_GETMONTHCAL, 0, 0));
  if (!calendar) return nullptr;
  if (m_monthCal.m_hWnd != calendar && (m_monthCal.m_hWnd || !m_monthCal.SubclassWindow(calendar))) return nullptr;
  return &m_monthCal;
}
