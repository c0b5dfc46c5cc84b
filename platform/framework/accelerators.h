// Accelerator tables: keys (virtual-key code or character, with Shift, Ctrl and Alt) that send
// commands to a window, loaded from the resource store, and the key names shown in menus
// ("Ctrl+S", "F5", "Alt+Enter").
#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/res/resource_store.h"
#include "platform/win/message_queue.h"

struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};
using HACCEL = void*;

using res::FALT;
using res::FCONTROL;
using res::FNOINVERT;
using res::FSHIFT;
using res::FVIRTKEY;

HACCEL LoadAccelerators(HINSTANCE instance, UINT id);
HACCEL CreateAcceleratorTable(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
int CopyAcceleratorTable(HACCEL table, ACCEL* out, int count);
// For a key-down (or system key-down) or a character that matches an entry: sends WM_COMMAND
// (high word 1) with the entry's command to `h` and returns TRUE; otherwise FALSE.
int TranslateAccelerator(HWND h, HACCEL table, MSG* msg);

namespace framework {
// The name of a key ("A", "F5", "Enter", "Del", "Num +"); CP1250.
std::string key_name(int virtual_key);
// An accelerator's text as menus show it: "Ctrl+Shift+S".
std::string accelerator_text(const ACCEL& entry);
}  // namespace framework
