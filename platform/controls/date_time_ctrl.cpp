#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/base/locale_info.h"

#include "platform/controls/month_cal_ctrl.h"
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
};

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
  if (p.has_date) {
    win::WindowFontScope font(dc.GetSafeHdc(), h);
    dc.SetBkMode(TRANSPARENT);
    int n = 0;
    for (const auto& piece : layout(dc.GetSafeHdc(), p)) {
      CRect r(piece.left, client.top + 1, piece.right, client.bottom - 1);
      bool current = piece.field() && n++ == p.field && GetFocus() == h;
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
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
      SetFocus(h);
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
    case WM_KEYDOWN: {
      Picker& p = win::control_state<Picker>(h);
      if (wParam == WPARAM(VK_LEFT)) p.field = std::max(0, p.field - 1);
      if (wParam == WPARAM(VK_RIGHT)) p.field = std::max(0, std::min(field_count(p) - 1, p.field + 1));
      InvalidateRect(h, nullptr, TRUE);
      if (wParam == WPARAM(VK_UP)) change(h, 1);
      if (wParam == WPARAM(VK_DOWN)) change(h, -1);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
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

void register_date_picker() {
  register_control_class(DATETIMEPICK_CLASS, picker_proc, CS_DBLCLKS, COLOR_WINDOW);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_date_picker();
  return CWnd::Create(DATETIMEPICK_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}
