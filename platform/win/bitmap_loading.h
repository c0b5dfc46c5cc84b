// Bitmaps from the resource store (packed DIBs) as device-dependent bitmaps: plainly, with the
// grey shades of old artwork mapped to the current 3-D colours, or with any colour map.
#pragma once

#include "platform/gdi/core/gdi_types.h"
#include "platform/base/win_types.h"

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_LOADMAP3DCOLORS = 0x1000;
// Every bitmap here keeps its own pixels, so a DIB section is what any bitmap already is.
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
constexpr UINT LR_SHARED = 0x8000;

// CreateMappedBitmap's flag for bitmaps drawn into masks.
constexpr UINT CMB_MASKED = 0x02;

struct COLORMAP {
  COLORREF from;
  COLORREF to;
};

// The bitmap resource `name` (MAKEINTRESOURCE id or a name); null when there is none or its bytes
// are not a valid DIB.
HBITMAP LoadBitmap(HINSTANCE hInstance, const char* name);
// IMAGE_BITMAP: as LoadBitmap, scaled to cx x cy when both are given, and with
// LR_LOADMAP3DCOLORS the greys 128, 192 and 223 become the shadow, face and light 3-D colours.
// IMAGE_ICON: the icon resource, scaled likewise (icon_loading.h). Cursors are not images here:
// null.
HGDIOBJ LoadImage(HINSTANCE hInstance, const char* name, UINT type, int cx, int cy, UINT flags);
// The bitmap with each `from` colour replaced by its `to` colour; without a map black, the greys
// 128 and 192 and white become the button text, shadow, face and highlight colours.
HBITMAP CreateMappedBitmap(HINSTANCE hInstance, LONG_PTR idBitmap, UINT wFlags, const COLORMAP* lpColorMap,
                           int iNumMaps);
