// Drawing a text, a bitmap or an icon in a state: as it is, or disabled (embossed: its shape in the 3-D
// highlight colour one pixel down and right, then in the 3-D shadow colour in place). The shape
// is every pixel of the image that is not white once the image is drawn on white: the strokes of
// a text drawn in black, the non-white pixels of a bitmap or an icon.
#pragma once

#include "platform/gdi/core/gdi_types.h"
#include "platform/base/win_types.h"

using DRAWSTATEPROC = BOOL (*)(HDC, LPARAM, WPARAM, int, int);

// Kinds of image.
constexpr UINT DST_COMPLEX = 0x0000;
constexpr UINT DST_TEXT = 0x0001;
constexpr UINT DST_PREFIXTEXT = 0x0002;  // '&' underlines the next character
constexpr UINT DST_ICON = 0x0003;
constexpr UINT DST_BITMAP = 0x0004;
// States.
constexpr UINT DSS_NORMAL = 0x0000;
constexpr UINT DSS_UNION = 0x0010;
constexpr UINT DSS_DISABLED = 0x0020;
constexpr UINT DSS_MONO = 0x0080;
constexpr UINT DSS_HIDEPREFIX = 0x0200;
constexpr UINT DSS_PREFIXONLY = 0x0400;
constexpr UINT DSS_RIGHT = 0x8000;

// Draws the image at (x, y), `cx` x `cy` pixels (0: the image's own size). For DST_TEXT and
// DST_PREFIXTEXT `data` is the CP1250 text and `wdata` its length (0: up to its zero), drawn in
// the context's font, a normal text in its text colour over what is there; for DST_BITMAP `data`
// is the bitmap handle, for DST_ICON the icon handle (scaled to the size). FALSE, drawing nothing,
// for callback images, the union and mono states, a stale bitmap or icon, or an empty size.
BOOL DrawState(HDC hdc, HBRUSH brush, DRAWSTATEPROC output, LPARAM data, WPARAM wdata, int x, int y, int cx,
               int cy, UINT flags);
