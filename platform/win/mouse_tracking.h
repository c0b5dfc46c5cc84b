// Hover tracking: a window asks to be told when the mouse leaves it (WM_MOUSELEAVE) or rests
// over it (WM_MOUSEHOVER), for its client area or, with TME_NONCLIENT, its non-client area
// (WM_NCMOUSELEAVE, WM_NCMOUSEHOVER).
//
// One window is tracked at a time, as the platform does per thread: asking for another window
// ends the tracking of the first. Each request is answered once and then ends (the window asks
// again, typically on its next WM_MOUSEMOVE). A leave request for a window the mouse is not over
// is answered at once. The mouse rests when it stays inside a rectangle of the hover width and
// height (SystemParametersInfo) around where it stopped for the hover time; moving out of that
// rectangle starts the wait again from the new place. While a window holds the mouse capture the
// tracking waits: nothing is answered until the capture ends and the mouse moves again.
#pragma once

#include "platform/base/win_types.h"

constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_NONCLIENT = 0x00000010;
constexpr DWORD TME_QUERY = 0x40000000;
constexpr DWORD TME_CANCEL = 0x80000000;
// The hover time of the system (SPI_GETMOUSEHOVERTIME).
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;

struct TRACKMOUSEEVENT {
  DWORD cbSize;
  DWORD dwFlags;
  HWND hwndTrack;
  DWORD dwHoverTime;
};
using LPTRACKMOUSEEVENT = TRACKMOUSEEVENT*;

// Starts, cancels (TME_CANCEL with the kinds to end) or reports (TME_QUERY fills the record with
// the tracking under way) the tracking of `hwndTrack`. False for a bad record or a window that
// does not exist.
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack);
inline BOOL _TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) { return TrackMouseEvent(lpEventTrack); }
