// The status-bar control ("msctls_statusbar32"): a strip of parts whose right edges the owner
// sets, each with a text and a drawing type (sunken, without borders, raised, or drawn by the
// parent through WM_DRAWITEM). Text up to the first tab is left-aligned, after one tab centred,
// after two right-aligned. With SBARS_SIZEGRIP a grip at the bottom right answers HTBOTTOMRIGHT.
// Without CCS_NORESIZE / CCS_NOPARENTALIGN the bar puts itself along its parent's bottom edge
// (CCS_TOP: top edge) whenever it is sent WM_SIZE.
#pragma once

#include "platform/base/cstring.h"
#include "platform/win/cwnd.h"

inline constexpr const char* STATUSCLASSNAME = "msctls_statusbar32";

// Common-control placement styles.
constexpr DWORD CCS_TOP = 0x00000001;
constexpr DWORD CCS_NOMOVEY = 0x00000002;
constexpr DWORD CCS_BOTTOM = 0x00000003;
constexpr DWORD CCS_NORESIZE = 0x00000004;
constexpr DWORD CCS_NOPARENTALIGN = 0x00000008;
constexpr DWORD CCS_NODIVIDER = 0x00000040;
constexpr DWORD SBARS_SIZEGRIP = 0x00000100;

constexpr UINT SB_SETTEXT = WM_USER + 1;
constexpr UINT SB_GETTEXT = WM_USER + 2;
constexpr UINT SB_GETTEXTLENGTH = WM_USER + 3;
constexpr UINT SB_SETPARTS = WM_USER + 4;
constexpr UINT SB_GETPARTS = WM_USER + 6;
constexpr UINT SB_GETBORDERS = WM_USER + 7;
constexpr UINT SB_SETMINHEIGHT = WM_USER + 8;
constexpr UINT SB_GETRECT = WM_USER + 10;

// Drawing types, in the high byte of SB_SETTEXT's wParam and the high word of SB_GETTEXT's result.
constexpr UINT SBT_NOBORDERS = 0x0100;
constexpr UINT SBT_POPOUT = 0x0200;
constexpr UINT SBT_RTLREADING = 0x0400;
constexpr UINT SBT_OWNERDRAW = 0x1000;

namespace controls {
void register_status_bar_control();
// The most parts a bar keeps.
constexpr int kMaxStatusParts = 256;
// Horizontal border, vertical border and the gap between parts (SB_GETBORDERS).
constexpr int kStatusBorderX = 0;
constexpr int kStatusBorderY = 2;
constexpr int kStatusSpacing = 2;
}  // namespace controls

class CStatusBarCtrl : public CWnd {
  DECLARE_DYNAMIC(CStatusBarCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // Right edges of the parts in client coordinates; -1 runs a part to the right end.
  BOOL SetParts(int nParts, const int* pWidths) {
    return BOOL(SendMessage(SB_SETPARTS, WPARAM(nParts), reinterpret_cast<LPARAM>(pWidths)));
  }
  int GetParts(int nParts, int* pParts) const {
    return int(SendMessage(SB_GETPARTS, WPARAM(nParts), reinterpret_cast<LPARAM>(pParts)));
  }
  BOOL GetBorders(int& nHorz, int& nVert, int& nSpacing) const;
  BOOL SetText(LPCTSTR lpszText, int nPane, int nType) {
    return BOOL(SendMessage(SB_SETTEXT, WPARAM(nPane | nType), reinterpret_cast<LPARAM>(lpszText)));
  }
  // The part's text and drawing type (pType may be null).
  CString GetText(int nPane, int* pType = nullptr) const;
  int GetTextLength(int nPane, int* pType = nullptr) const;
  BOOL GetRect(int nPane, LPRECT lpRect) const {
    return BOOL(SendMessage(SB_GETRECT, WPARAM(nPane), reinterpret_cast<LPARAM>(lpRect)));
  }
  void SetMinHeight(int nMin) { SendMessage(SB_SETMINHEIGHT, WPARAM(nMin)); }
};
