// What the list control's source files share among themselves: the colours and sizes every list
// uses, and the sizes of its parts.
#pragma once

#include "platform/base/win_types.h"

namespace list_shared {

// Refreshed by any list whose colours follow the system when the system colours change.
struct SharedColours {
  COLORREF menu;
  COLORREF menu_text;
  COLORREF button_face;
};
SharedColours& Colours();
void RefreshColours();
// The system's scroll-bar sizes, read once.
int VerticalBarWidth();
int HorizontalBarHeight();

constexpr UINT kHorzBarShown = 0x100000;
constexpr UINT kVertBarShown = 0x200000;
constexpr UINT kHorzBarId = 0xEA00;
constexpr UINT kVertBarId = 0xEA10;
constexpr UINT kEditId = 1;
constexpr UINT_PTR kEditTimerId = 1;
constexpr UINT kEditDelayMs = 500;
constexpr int kDividerCursor = 20692;
// The room the parent gets to write a text it supplies on demand (it may also answer a pointer
// to a text of its own, of any length).
constexpr int kAskCapacity = 2048;
// Wheel: one row per notch, or this many pixels across.
constexpr int kWheelNotch = 120;
constexpr int kLineAcross = 15;

}  // namespace list_shared
