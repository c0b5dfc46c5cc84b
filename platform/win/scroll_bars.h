// A window's own scroll bars (WS_HSCROLL, WS_VSCROLL): range, page and position, shown in the
// non-client area, and the mouse tracking that turns clicks and drags on them into WM_HSCROLL /
// WM_VSCROLL requests. The window moves its content and sets the new position itself.
#pragma once

#include <functional>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// Messages of scroll-bar controls (class "ScrollBar"). The calls below with SB_CTL send them to the
// control `h`.
constexpr UINT SBM_SETPOS = 0x00E0;
constexpr UINT SBM_GETPOS = 0x00E1;
constexpr UINT SBM_SETRANGE = 0x00E2;
constexpr UINT SBM_GETRANGE = 0x00E3;
constexpr UINT SBM_SETRANGEREDRAW = 0x00E6;
constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
constexpr UINT SBM_GETSCROLLINFO = 0x00EA;

constexpr UINT ESB_ENABLE_BOTH = 0;
constexpr UINT ESB_DISABLE_BOTH = 3;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using LPSCROLLINFO = SCROLLINFO*;

// Bars of windows (SB_HORZ, SB_VERT) and scroll-bar controls (SB_CTL). The position is kept
// within min .. max - page + 1. A range that needs no scrolling hides the bar,
// unless SIF_DISABLENOSCROLL asks for it to stay (disabled).
int SetScrollInfo(HWND h, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND h, int bar, SCROLLINFO* info);
int SetScrollPos(HWND h, int bar, int pos, BOOL redraw);  // returns the previous position
int GetScrollPos(HWND h, int bar);
BOOL SetScrollRange(HWND h, int bar, int min, int max, BOOL redraw);
BOOL GetScrollRange(HWND h, int bar, int* min, int* max);
BOOL ShowScrollBar(HWND h, int bar, BOOL show);
BOOL EnableScrollBar(HWND h, UINT bar, UINT arrows);

namespace win {

// The state of one bar, kept with its window.
struct ScrollBarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int track_pos = 0;
  bool enabled = true;
};

// Where the parts of a scroll bar lie in its strip: a square arrow box at each end (half the strip
// each when it is shorter than two) and between them the thumb, as long as the page's share of the
// track and placed by the position. The thumb is empty when the bar is disabled, has nothing to
// scroll or its track is too short for one. Window bars and scroll-bar controls share it.
struct ScrollBarParts {
  RECT first_arrow{};  // up or left
  RECT last_arrow{};   // down or right
  RECT thumb{};
};
ScrollBarParts scroll_bar_parts(const RECT& strip, bool vertical, const ScrollBarState& s);
// The largest position: the end of the range less the page.
int scroll_last_position(const ScrollBarState& s);
// Follows a press at `at` (client coordinates) on the scroll-bar control `h` (`vertical` or
// horizontal) until the button is released: arrow and page presses repeat while held, the thumb
// follows the mouse. The control's parent hears WM_HSCROLL / WM_VSCROLL with the control as
// lParam; `state` gives the control's bar state, or null once the control is gone.
void track_scroll_control(HWND h, bool vertical, POINT at, const std::function<ScrollBarState*()>& state);

}  // namespace win
