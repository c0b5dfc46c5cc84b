// The keyboard layout's scan codes and key names: the virtual key of a scan code and back, and
// the name a key is shown by ("Ctrl", "F5", "Page Up", "Num +"), as shortcut texts need them.
#pragma once

#include "platform/base/win_types.h"

constexpr UINT MAPVK_VK_TO_VSC = 0;
constexpr UINT MAPVK_VSC_TO_VK = 1;
constexpr UINT MAPVK_VK_TO_CHAR = 2;

// 0 when there is no translation.
UINT MapVirtualKey(UINT uCode, UINT uMapType);
// lParam as in key messages: the scan code in bits 16 to 23, bit 24 for an extended key. Returns
// the length copied (without the terminating zero), 0 for an unknown key or no room.
int GetKeyNameText(LONG lParam, char* lpString, int cchSize);
