#include "platform/controls/drop_button.h"

#include "platform/win/system_metrics.h"

namespace controls {

int drop_button_width() { return GetSystemMetrics(SM_CXVSCROLL); }

void draw_drop_button(CDC& dc, const CRect& button, bool down, bool enabled) {
  dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
  if (down) {
    dc.Draw3dRect(&button, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
  } else {
    dc.Draw3dRect(&button, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWFRAME));
    CRect face(button);
    face.DeflateRect(1, 1);
    dc.Draw3dRect(&face, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
  }
  // A small filled triangle, centred (one pixel lower and to the right while pressed).
  CRect arrow(button);
  if (down) arrow.OffsetRect(1, 1);
  const COLORREF colour = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  const int cx = (arrow.left + arrow.right) / 2, cy = (arrow.top + arrow.bottom) / 2 - 1;
  for (int row = 0; row < 4; ++row) dc.FillSolidRect(cx - 3 + row, cy - 1 + row, 7 - 2 * row, 1, colour);
}

}  // namespace controls
