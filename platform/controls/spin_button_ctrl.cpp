#include "platform/controls/spin_button_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <string>

#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"

namespace {

struct Spin : win::ControlState {
  int low = 100, high = 0;  // the platform's default range runs downwards
  int pos = 0;
  HWND buddy = nullptr;
};

DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }

void show_in_buddy(HWND h, const Spin& s) {
  if ((style_of(h) & UDS_SETBUDDYINT) && IsWindow(s.buddy)) SetWindowText(s.buddy, std::to_string(s.pos).c_str());
}

int clamp_to_range(const Spin& s, long long pos) {
  return int(std::clamp<long long>(pos, std::min(s.low, s.high), std::max(s.low, s.high)));
}

LRESULT spin_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  Spin& s = win::control_state<Spin>(h);
  switch (message) {
    case UDM_SETRANGE:
      s.high = short(LOWORD(lParam));
      s.low = short(HIWORD(lParam));
      s.pos = clamp_to_range(s, s.pos);
      return 0;
    case UDM_SETRANGE32:
      s.low = int(wParam);
      s.high = int(lParam);
      s.pos = clamp_to_range(s, s.pos);
      return 0;
    case UDM_GETRANGE:
      return MAKELRESULT(WORD(s.high), WORD(s.low));
    case UDM_GETRANGE32:
      if (wParam) *reinterpret_cast<int*>(wParam) = s.low;
      if (lParam) *reinterpret_cast<int*>(lParam) = s.high;
      return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
      int old = s.pos;
      s.pos = clamp_to_range(s, message == UDM_SETPOS ? short(LOWORD(lParam)) : int(lParam));
      show_in_buddy(h, s);
      return old;
    }
    case UDM_GETPOS:
    case UDM_GETPOS32:
      return s.pos;
    case UDM_SETBUDDY: {
      HWND old = s.buddy;
      s.buddy = reinterpret_cast<HWND>(wParam);
      show_in_buddy(h, s);
      return reinterpret_cast<LRESULT>(old);
    }
    case UDM_GETBUDDY:
      return reinterpret_cast<LRESULT>(s.buddy);
    case WM_LBUTTONDOWN: {
      RECT r;
      GetClientRect(h, &r);
      bool horizontal = (style_of(h) & UDS_HORZ) != 0;
      bool first_half = horizontal ? GET_X_LPARAM(lParam) < r.right / 2 : GET_Y_LPARAM(lParam) < r.bottom / 2;
      // The top (or right) arrow moves towards the upper end of the range.
      controls::spin_step(h, horizontal ? (first_half ? -1 : 1) : (first_half ? 1 : -1));
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == WPARAM(VK_UP) || wParam == WPARAM(VK_RIGHT)) controls::spin_step(h, 1);
      if (wParam == WPARAM(VK_DOWN) || wParam == WPARAM(VK_LEFT)) controls::spin_step(h, -1);
      return 0;
    case WM_PAINT: {
      CPaintDC dc(h);
      CRect r;
      GetClientRect(h, &r);
      CRect up(r.left, r.top, r.right, r.top + r.Height() / 2), down(r.left, up.bottom, r.right, r.bottom);
      bool horizontal = (style_of(h) & UDS_HORZ) != 0;
      if (horizontal) {
        up = CRect(r.left, r.top, r.left + r.Width() / 2, r.bottom);
        down = CRect(up.right, r.top, r.right, r.bottom);
      }
      COLORREF arrow = GetSysColor(IsWindowEnabled(h) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
      for (CRect* part : {&up, &down}) {
        dc.FillSolidRect(part, GetSysColor(COLOR_BTNFACE));
        dc.Draw3dRect(part, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        // A small triangle pointing away from the other arrow, drawn in rows from its tip.
        int size = std::max(1, std::min(part->Width(), part->Height()) / 4);
        CPoint mid = part->CenterPoint();
        bool first = part == &up;
        for (int i = 0; i < size; ++i) {
          if (horizontal) {
            int x = first ? mid.x - size / 2 + i : mid.x + size / 2 - i;
            dc.FillSolidRect(x, mid.y - i, 1, 2 * i + 1, arrow);
          } else {
            int y = first ? mid.y - size / 2 + i : mid.y + size / 2 - i;
            dc.FillSolidRect(mid.x - i, y, 2 * i + 1, 1, arrow);
          }
        }
      }
      return 0;
    }
    case WM_NCDESTROY:
      win::drop_control_state<Spin>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {

void register_spin_button_control() {
  register_control_class(UPDOWN_CLASS, spin_proc, CS_DBLCLKS, COLOR_BTNFACE);
}

void spin_step(HWND h, int direction) {
  Spin* found = win::find_control_state<Spin>(h);
  if (!found) return;
  Spin& s = *found;
  // "Up" runs towards `high`, whichever way the range goes.
  int delta = (s.high >= s.low) ? direction : -direction;
  NMUPDOWN notice{{h, UINT_PTR(GetDlgCtrlID(h)), UDN_DELTAPOS}, s.pos, delta};
  HWND parent = GetParent(h);
  if (parent && SendMessage(parent, WM_NOTIFY, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&notice))) return;
  if (!win::find_control_state<Spin>(h)) return;  // the parent may have destroyed the control
  long long next = (long long)s.pos + notice.iDelta;
  int low = std::min(s.low, s.high), high = std::max(s.low, s.high);
  if (next > high) next = (GetWindowLongPtr(h, GWL_STYLE) & UDS_WRAP) ? low : high;
  if (next < low) next = (GetWindowLongPtr(h, GWL_STYLE) & UDS_WRAP) ? high : low;
  if (int(next) == s.pos) return;
  s.pos = int(next);
  show_in_buddy(h, s);
  if (parent) {
    UINT bar_message = (GetWindowLongPtr(h, GWL_STYLE) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendMessage(parent, bar_message, MAKEWPARAM(SB_THUMBPOSITION, WORD(s.pos)), reinterpret_cast<LPARAM>(h));
  }
}

}  // namespace controls

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_spin_button_control();
  return CWnd::Create(UPDOWN_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) {
  return CWnd::FromHandle(reinterpret_cast<HWND>(
      SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->m_hWnd : nullptr))));
}
