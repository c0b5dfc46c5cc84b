// The hot-key control ("msctls_hotkey32"): a field that shows the key combination last pressed in
// it ("Ctrl + Shift + F5", "Brak" for none) and keeps it as a hot-key value: the virtual key in
// the low byte, HOTKEYF_ modifiers in the high byte. Rules refuse modifier combinations and put
// other modifiers in their place. Backspace, Delete and Space without modifiers clear the field.
// The parent hears EN_CHANGE whenever the value changes from the keyboard.
#pragma once

#include "platform/base/cstring.h"
#include "platform/framework/control_messages.h"
#include "platform/win/cwnd.h"

inline constexpr const char* HOTKEY_CLASS = "msctls_hotkey32";

constexpr UINT HKM_SETHOTKEY = WM_USER + 1;
constexpr UINT HKM_GETHOTKEY = WM_USER + 2;
constexpr UINT HKM_SETRULES = WM_USER + 3;

constexpr WORD HOTKEYF_SHIFT = 0x01;
constexpr WORD HOTKEYF_CONTROL = 0x02;
constexpr WORD HOTKEYF_ALT = 0x04;
constexpr WORD HOTKEYF_EXT = 0x08;

// Modifier combinations a rule may refuse.
constexpr WORD HKCOMB_NONE = 0x0001;
constexpr WORD HKCOMB_S = 0x0002;
constexpr WORD HKCOMB_C = 0x0004;
constexpr WORD HKCOMB_A = 0x0008;
constexpr WORD HKCOMB_SC = 0x0010;
constexpr WORD HKCOMB_SA = 0x0020;
constexpr WORD HKCOMB_CA = 0x0040;
constexpr WORD HKCOMB_SCA = 0x0080;

namespace controls {
void register_hot_key_control();
// "Ctrl + Shift + Alt + key" for a hot-key value; empty for 0.
CString hot_key_text(WORD hot_key);
}  // namespace controls

class CHotKeyCtrl : public CWnd {
  DECLARE_DYNAMIC(CHotKeyCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetHotKey(WORD wVirtualKeyCode, WORD wModifiers) {
    SendMessage(HKM_SETHOTKEY, WPARAM(BYTE(wVirtualKeyCode) | (BYTE(wModifiers) << 8)));
  }
  DWORD GetHotKey() const { return DWORD(SendMessage(HKM_GETHOTKEY)); }
  void GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const;
  void SetRules(WORD wInvalidComb, WORD wModifiers) { SendMessage(HKM_SETRULES, wInvalidComb, MAKELPARAM(wModifiers, 0)); }
  CString GetHotKeyName() const { return controls::hot_key_text(WORD(GetHotKey())); }
  // The layout's name of a key ("F5", "Page Up").
  static CString GetKeyName(UINT vk, BOOL fExtended);
};
