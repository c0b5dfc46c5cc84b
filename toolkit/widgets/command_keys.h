// Conversions between accelerator entries, hot-key values and the texts of key combinations, as
// the command catalogue offers them to the keyboard-shortcut editor.
//
// A hot-key value has the virtual key in its low byte and HOTKEYF_ modifiers in its high byte
// (Shift 0x01, Ctrl 0x02, Alt 0x04, extended key 0x08).
#pragma once

#include "platform/base/cstring.h"
#include "platform/framework/accelerators.h"

WORD AccelToHotKey(const ACCEL& entry);
// FVIRTKEY and FNOINVERT, plus FALT, FCONTROL and FSHIFT for the modifiers; key = the low byte.
ACCEL HotKeyToAccel(WORD hot_key);
// The keyboard layout's name of a key (at most 64 characters); empty for an unknown key.
CString KeyName(UINT virtual_key, bool extended);
// "" for 0; otherwise the names of Ctrl, Alt and Shift that are present, each followed by "+",
// then the key's name.
CString HotKeyToText(WORD hot_key);
