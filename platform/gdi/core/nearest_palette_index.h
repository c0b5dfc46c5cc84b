// The palette entry nearest to a colour.
#pragma once

#include "platform/gdi/core/gdi_types.h"

// The index of the entry closest to `color` (smallest sum of squared differences of red, green and
// blue; the lowest index among equals); CLR_INVALID for a null, stale or empty palette.
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color);
