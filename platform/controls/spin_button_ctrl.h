// The up-down control ("msctls_updown32"): a position in a range moved by its arrows or the
// arrow keys. Each move asks the parent first (UDN_DELTAPOS, which may refuse it), then tells it
// with WM_VSCROLL (SB_THUMBPOSITION) and shows the number in the buddy window with
// UDS_SETBUDDYINT.
#pragma once

#include "platform/win/cwnd.h"

inline constexpr const char* UPDOWN_CLASS = "msctls_updown32";
constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;
constexpr UINT UDM_SETRANGE = WM_USER + 101;
constexpr UINT UDM_GETRANGE = WM_USER + 102;
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;
constexpr UINT UDM_SETBUDDY = WM_USER + 105;
constexpr UINT UDM_GETBUDDY = WM_USER + 106;
constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
constexpr UINT UDM_SETPOS32 = WM_USER + 113;
constexpr UINT UDM_GETPOS32 = WM_USER + 114;
constexpr UINT UDN_DELTAPOS = UINT(-722);

struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};

namespace controls {
void register_spin_button_control();
// One step of the control up (+1) or down (-1), as a click on its arrow.
void spin_step(HWND spin, int direction);
}  // namespace controls

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(WORD(nUpper), WORD(nLower))); }
  void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, WPARAM(nLower), LPARAM(nUpper)); }
  void GetRange32(int& nLower, int& nUpper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower), reinterpret_cast<LPARAM>(&nUpper));
  }
  int SetPos(int nPos) { return int(SendMessage(UDM_SETPOS32, 0, LPARAM(nPos))); }
  int GetPos() const { return int(SendMessage(UDM_GETPOS32)); }
  CWnd* SetBuddy(CWnd* pWndBuddy);
  CWnd* GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
};
