// A window's device context with options: the whole window or its client area, optionally
// clipped by a region. Contexts of this layer are all drawn on the window's retained surface and
// children are composed over it, so the cache and sibling and child clipping options change
// nothing.
#pragma once

#include "platform/gdi/core/gdi_types.h"
#include "platform/base/win_types.h"

constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_NORESETATTRS = 0x00000004;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
constexpr DWORD DCX_LOCKWINDOWUPDATE = 0x00000400;

// The context of `window` (the desktop window when null): the whole window with DCX_WINDOW,
// else the client area. With DCX_INTERSECTRGN or DCX_EXCLUDERGN, `clip` (screen coordinates)
// limits or cuts the drawing area; the region stays the caller's. Given back with ReleaseDC.
HDC GetDCEx(HWND window, HRGN clip, DWORD flags);
