#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <cstdio>

#include "platform/controls/month_cal_ctrl.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"

namespace {

enum Field { kDay, kMonth, kYear };

struct Picker : win::ControlState {
  SYSTEMTIME time{};
  bool has_date = true;
  int field = kDay;
};

constexpr int kMargin = 3;
constexpr int kMinYear = 1601;
constexpr int kMaxYear = 9999;

bool valid(const SYSTEMTIME& t) {
  return t.wYear >= kMinYear && t.wYear <= kMaxYear && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
         t.wDay <= controls::days_in_month(t.wYear, t.wMonth);
}

// The first and one-past-last character of each field in "dd.mm.yyyy".
constexpr int kFieldStart[3] = {0, 3, 6};
constexpr int kFieldEnd[3] = {2, 5, 10};

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
  if (p.field == kDay) t.wDay = uint16_t(wrap(t.wDay + delta, 1, controls::days_in_month(t.wYear, t.wMonth)));
  if (p.field == kMonth) t.wMonth = uint16_t(wrap(t.wMonth + delta, 1, 12));
  if (p.field == kYear) t.wYear = uint16_t(std::clamp(t.wYear + delta, kMinYear, kMaxYear));
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
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", p.time.wDay % 100, p.time.wMonth % 100, p.time.wYear % 10000);
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < 10; ++i) {
      CRect r(kMargin + i * controls::kDateDigitWidth, client.top + 1, kMargin + (i + 1) * controls::kDateDigitWidth,
              client.bottom - 1);
      bool current = GetFocus() == h && i >= kFieldStart[p.field] && i < kFieldEnd[p.field];
      if (current) dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
      dc.SetTextColor(GetSysColor(current ? COLOR_HIGHLIGHTTEXT : enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
      dc.DrawText(text + i, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }
}

LRESULT picker_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      // A new picker shows today.
      CTime now = CTime::GetCurrentTime();
      Picker& p = win::control_state<Picker>(h);
      now.GetAsSystemTime(p.time);
      return DefWindowProc(h, message, wParam, lParam);
    }
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
      int at = (GET_X_LPARAM(lParam) - kMargin) / controls::kDateDigitWidth;
      for (int f : {kDay, kMonth, kYear}) {
        if (at >= kFieldStart[f] && at < kFieldEnd[f]) win::control_state<Picker>(h).field = f;
      }
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case WM_KEYDOWN: {
      Picker& p = win::control_state<Picker>(h);
      if (wParam == WPARAM(VK_LEFT)) p.field = std::max(0, p.field - 1);
      if (wParam == WPARAM(VK_RIGHT)) p.field = std::min(int(kYear), p.field + 1);
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
void register_date_picker() {
  register_control_class(DATETIMEPICK_CLASS, picker_proc, CS_DBLCLKS, COLOR_WINDOW);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_date_picker();
  return CWnd::Create(DATETIMEPICK_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}
