// The drop button of the controls that open a pop-up below their field (combo boxes, date
// pickers): a raised button with a small arrow pointing down, sunk while its pop-up shows.
#pragma once

#include "platform/win/window_dc.h"

namespace controls {

// The width of a drop button: that of a vertical scroll bar.
int drop_button_width();
// Draws the button into `button`.
void draw_drop_button(CDC& dc, const CRect& button, bool down, bool enabled);

}  // namespace controls
