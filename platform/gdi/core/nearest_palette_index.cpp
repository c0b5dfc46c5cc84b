#include "platform/gdi/core/nearest_palette_index.h"

#include <vector>

#include "platform/gdi/core/object_api.h"

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
  WORD count = 0;
  if (!palette || GetObjectType(palette) != OBJ_PAL || GetObject(palette, sizeof count, &count) != sizeof count ||
      count == 0) {
    return CLR_INVALID;
  }
  std::vector<PALETTEENTRY> entries(count);
  if (GetPaletteEntries(palette, 0, count, entries.data()) != count) return CLR_INVALID;
  UINT best = 0;
  long best_distance = -1;
  for (UINT i = 0; i < count; ++i) {
    long dr = long(entries[i].peRed) - GetRValue(color);
    long dg = long(entries[i].peGreen) - GetGValue(color);
    long db = long(entries[i].peBlue) - GetBValue(color);
    long distance = dr * dr + dg * dg + db * db;
    if (best_distance < 0 || distance < best_distance) {
      best = i;
      best_distance = distance;
    }
  }
  return best;
}
