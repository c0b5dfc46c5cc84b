#include "platform/gdi/system/window_dc_ex.h"

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/window_api.h"

HDC GetDCEx(HWND window, HRGN clip, DWORD flags) {
  if (!window) window = GetDesktopWindow();
  HDC dc = (flags & DCX_WINDOW) ? GetWindowDC(window) : GetDC(window);
  if (!dc || !clip || !(flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) return dc;
  // The region moves from the screen to the context's own origin.
  POINT origin{0, 0};
  if (flags & DCX_WINDOW) {
    RECT r;
    GetWindowRect(window, &r);
    origin = {r.left, r.top};
  } else {
    ClientToScreen(window, &origin);
  }
  HRGN local = CreateRectRgn(0, 0, 0, 0);
  if (CombineRgn(local, clip, nullptr, RGN_COPY) != ERROR) {
    OffsetRgn(local, -origin.x, -origin.y);
    ExtSelectClipRgn(dc, local, (flags & DCX_EXCLUDERGN) ? RGN_DIFF : RGN_AND);
  }
  DeleteObject(local);
  return dc;
}
