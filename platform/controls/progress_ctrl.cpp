#include "platform/controls/progress_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>

#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"

namespace {

struct Progress : win::ControlState {
  int low = 0, high = 100, pos = 0, step = 10;
};

// Sets the position within the range; returns the previous one.
LRESULT move_to(HWND h, Progress& p, long long pos) {
  int old = p.pos;
  int low = std::min(p.low, p.high), high = std::max(p.low, p.high);
  p.pos = int(std::clamp<long long>(pos, low, high));
  if (p.pos != old) InvalidateRect(h, nullptr, TRUE);
  return old;
}

LRESULT progress_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  Progress& p = win::control_state<Progress>(h);
  switch (message) {
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
      LRESULT old = MAKELRESULT(WORD(p.low), WORD(p.high));
      if (message == PBM_SETRANGE) {
        p.low = short(LOWORD(lParam));
        p.high = short(HIWORD(lParam));
      } else {
        p.low = int(wParam);
        p.high = int(lParam);
      }
      move_to(h, p, p.pos);
      InvalidateRect(h, nullptr, TRUE);
      return old;
    }
    case PBM_GETRANGE:
      if (lParam) *reinterpret_cast<PBRANGE*>(lParam) = PBRANGE{p.low, p.high};
      return wParam ? p.low : p.high;
    case PBM_SETPOS: return move_to(h, p, int(wParam));
    case PBM_DELTAPOS: return move_to(h, p, (long long)p.pos + int(wParam));
    case PBM_GETPOS: return p.pos;
    case PBM_SETSTEP: {
      int old = p.step;
      p.step = int(wParam);
      return old;
    }
    case PBM_STEPIT: {
      // Stepping past the end starts again at the beginning.
      long long next = (long long)p.pos + p.step;
      int high = std::max(p.low, p.high), low = std::min(p.low, p.high);
      if (next > high) next = low + (next - high);
      if (next < low) next = high - (low - next);
      return move_to(h, p, next);
    }
    case WM_PAINT: {
      CPaintDC dc(h);
      CRect r;
      GetClientRect(h, &r);
      dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
      dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
      long long span = (long long)p.high - p.low;
      if (span != 0) {
        long long filled = ((long long)p.pos - p.low) * (r.Width() - 2) / span;
        CRect bar(r.left + 1, r.top + 1, r.left + 1 + int(std::clamp<long long>(filled, 0, r.Width() - 2)), r.bottom - 1);
        dc.FillSolidRect(&bar, GetSysColor(COLOR_HIGHLIGHT));
      }
      return 0;
    }
    case WM_NCDESTROY:
      win::drop_control_state<Progress>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {
void register_progress_control() {
  register_control_class(PROGRESS_CLASS, progress_proc, 0, COLOR_BTNFACE);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_progress_control();
  return CWnd::Create(PROGRESS_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
  PBRANGE range{0, 0};
  SendMessage(PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
  nLower = range.iLow;
  nUpper = range.iHigh;
}
