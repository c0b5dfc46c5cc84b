// The screens (monitors) as Qt reports them, in screen coordinates: which screen a point, a
// rectangle or a window is on, each screen's rectangle and work area (its area less the
// desktop's panels), and the virtual screen around all of them (SM_XVIRTUALSCREEN and its
// fellows in system_metrics.h). Under the headless platform there is the one screen Qt makes,
// so layouts are the same on every run. A monitor handle is the screen's number plus one; it
// stays valid while the screen list does not change.
#pragma once

#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

struct HMONITOR__;
using HMONITOR = HMONITOR__*;

// What the Monitor... calls answer when nothing matches.
constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;

constexpr DWORD MONITORINFOF_PRIMARY = 0x00000001;

struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
using LPMONITORINFO = MONITORINFO*;

// The screen that holds the point; else by `dwFlags`: none, the primary, or the nearest.
HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags);
// The screen that has the largest part of the rectangle; else as MonitorFromPoint.
HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags);
// The screen that has the largest part of the window (a minimised one: its restored place).
HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags);
// Fills the record (its cbSize set by the caller); false for a stale handle or a bad record.
BOOL GetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi);

namespace win {

// The screens' rectangles and work areas in Qt's order, the primary flagged; one fixed
// 1024 x 768 screen before the application starts.
struct ScreenArea {
  RECT monitor;
  RECT work;
  bool primary;
};
std::vector<ScreenArea> screen_areas();
// The smallest rectangle around every screen.
RECT virtual_screen();
// The index in `screens` of the screen that holds the point, or has the largest part of the
// rectangle; else by `dwFlags` (MONITOR_DEFAULTTO...): -1, the primary, or the nearest.
int screen_for_point(const std::vector<ScreenArea>& screens, POINT pt, DWORD dwFlags);
int screen_for_rect(const std::vector<ScreenArea>& screens, const RECT& rect, DWORD dwFlags);

}  // namespace win
