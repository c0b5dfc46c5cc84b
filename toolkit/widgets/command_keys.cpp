#include "toolkit/widgets/command_keys.h"

#include "platform/controls/hot_key_ctrl.h"
#include "platform/win/key_names.h"
#include "platform/win/virtual_keys.h"

namespace {

// Keys the keyboard reports with the extended flag: the navigation block, the window keys and
// the keypad's divide key.
bool is_extended_key(UINT vk) {
  return (vk >= 0x21 && vk <= 0x2F) || (vk >= 0x5B && vk <= 0x5D) || vk == 0x6F;
}

}  // namespace

WORD AccelToHotKey(const ACCEL& entry) {
  WORD modifiers = 0;
  if (entry.fVirt & FSHIFT) modifiers |= HOTKEYF_SHIFT;
  if (entry.fVirt & FCONTROL) modifiers |= HOTKEYF_CONTROL;
  if (entry.fVirt & FALT) modifiers |= HOTKEYF_ALT;
  const UINT vk = entry.key & 0xFF;
  if (is_extended_key(vk)) modifiers |= HOTKEYF_EXT;
  return static_cast<WORD>(vk | (modifiers << 8));
}

ACCEL HotKeyToAccel(WORD hot_key) {
  const WORD modifiers = hot_key >> 8;
  ACCEL entry{};
  entry.fVirt = FVIRTKEY | FNOINVERT;
  if (modifiers & HOTKEYF_ALT) entry.fVirt |= FALT;
  if (modifiers & HOTKEYF_CONTROL) entry.fVirt |= FCONTROL;
  if (modifiers & HOTKEYF_SHIFT) entry.fVirt |= FSHIFT;
  entry.key = hot_key & 0xFF;
  entry.cmd = 0;
  return entry;
}

CString KeyName(UINT virtual_key, bool extended) {
  LONG param = static_cast<LONG>((MapVirtualKey(virtual_key, MAPVK_VK_TO_VSC) << 16) + 1);
  if (extended) param |= 1L << 24;
  char name[65] = {};
  const int n = GetKeyNameText(param, name, sizeof name);
  return n > 0 ? CString(name, n) : CString();
}

CString HotKeyToText(WORD hot_key) {
  if (hot_key == 0) return CString();
  const WORD modifiers = hot_key >> 8;
  CString text;
  auto add = [&](UINT vk) {
    text += KeyName(vk, false);
    text += "+";
  };
  if (modifiers & HOTKEYF_CONTROL) add(VK_CONTROL);
  if (modifiers & HOTKEYF_ALT) add(VK_MENU);
  if (modifiers & HOTKEYF_SHIFT) add(VK_SHIFT);
  text += KeyName(hot_key & 0xFF, (modifiers & HOTKEYF_EXT) != 0);
  return text;
}
