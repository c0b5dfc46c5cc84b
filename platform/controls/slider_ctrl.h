// The track bar ("msctls_trackbar32"): a thumb that slides along a channel over a range of
// positions. The arrow keys move it a line, Page Up/Down and presses beside the thumb a page
// (again and again while held, until the thumb reaches the pointer), Home/End to the ends, and
// the thumb can be dragged. Each move is told to the parent with
// WM_HSCROLL (WM_VSCROLL for TBS_VERT) carrying a TB_* code, the position in the high word for
// TB_THUMBTRACK and TB_THUMBPOSITION; a key release or the end of a press sends TB_ENDTRACK.
#pragma once

#include "platform/win/cwnd.h"

inline constexpr const char* TRACKBAR_CLASS = "msctls_trackbar32";

constexpr DWORD TBS_AUTOTICKS = 0x0001;
constexpr DWORD TBS_VERT = 0x0002;
constexpr DWORD TBS_HORZ = 0x0000;
constexpr DWORD TBS_TOP = 0x0004;
constexpr DWORD TBS_BOTTOM = 0x0000;
constexpr DWORD TBS_LEFT = 0x0004;
constexpr DWORD TBS_RIGHT = 0x0000;
constexpr DWORD TBS_BOTH = 0x0008;
constexpr DWORD TBS_NOTICKS = 0x0010;
constexpr DWORD TBS_NOTHUMB = 0x0080;

constexpr UINT TBM_GETPOS = WM_USER;
constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
constexpr UINT TBM_SETPOS = WM_USER + 5;
constexpr UINT TBM_SETRANGE = WM_USER + 6;
constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;
constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;
constexpr UINT TBM_SETTICFREQ = WM_USER + 20;
constexpr UINT TBM_SETPAGESIZE = WM_USER + 21;
constexpr UINT TBM_GETPAGESIZE = WM_USER + 22;
constexpr UINT TBM_SETLINESIZE = WM_USER + 23;
constexpr UINT TBM_GETLINESIZE = WM_USER + 24;
constexpr UINT TBM_GETTHUMBRECT = WM_USER + 25;
constexpr UINT TBM_GETCHANNELRECT = WM_USER + 26;

// Scroll codes of the parent notifications.
constexpr UINT TB_LINEUP = 0;
constexpr UINT TB_LINEDOWN = 1;
constexpr UINT TB_PAGEUP = 2;
constexpr UINT TB_PAGEDOWN = 3;
constexpr UINT TB_THUMBPOSITION = 4;
constexpr UINT TB_THUMBTRACK = 5;
constexpr UINT TB_TOP = 6;
constexpr UINT TB_BOTTOM = 7;
constexpr UINT TB_ENDTRACK = 8;

namespace controls {
void register_trackbar_control();
}  // namespace controls

// The wrapper. The set calls take `bRedraw` as the messages' wParam; the rectangles are client
// coordinates. A vertical track bar reports its channel lying, as a horizontal one would: the
// rectangle's left and right are the channel's top and bottom.
class CSliderCtrl : public CWnd {
  DECLARE_DYNAMIC(CSliderCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetPos() const { return int(SendMessage(TBM_GETPOS)); }
  void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, LPARAM(nPos)); }
  int GetRangeMin() const { return int(SendMessage(TBM_GETRANGEMIN)); }
  int GetRangeMax() const { return int(SendMessage(TBM_GETRANGEMAX)); }
  void GetRange(int& nMin, int& nMax) const {
    nMin = GetRangeMin();
    nMax = GetRangeMax();
  }
  void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, WPARAM(bRedraw), LPARAM(nMin)); }
  void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, WPARAM(bRedraw), LPARAM(nMax)); }
  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) {
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
  }
  void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, WPARAM(nFreq)); }
  // The set calls return the previous size.
  int GetPageSize() const { return int(SendMessage(TBM_GETPAGESIZE)); }
  int SetPageSize(int nSize) { return int(SendMessage(TBM_SETPAGESIZE, 0, LPARAM(nSize))); }
  int GetLineSize() const { return int(SendMessage(TBM_GETLINESIZE)); }
  int SetLineSize(int nSize) { return int(SendMessage(TBM_SETLINESIZE, 0, LPARAM(nSize))); }
  void GetThumbRect(LPRECT lprc) const { SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(lprc)); }
  void GetChannelRect(LPRECT lprc) const { SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(lprc)); }
};
