#include "platform/controls/hot_key_ctrl.h"
#include "platform/controls/control_class.h"


#include "platform/base/cp1250.h"
#include "platform/win/key_names.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"

namespace {

struct HotKey : win::ControlState {
  WORD value = 0;
  WORD invalid = 0;    // HKCOMB_ combinations refused
  WORD substitute = 0;  // modifiers put in their place
  HFONT font = nullptr;
};

WORD held_modifiers() {
  WORD m = 0;
  if (GetKeyState(VK_SHIFT) & 0x8000) m |= HOTKEYF_SHIFT;
  if (GetKeyState(VK_CONTROL) & 0x8000) m |= HOTKEYF_CONTROL;
  if (GetKeyState(VK_MENU) & 0x8000) m |= HOTKEYF_ALT;
  return m;
}

// The HKCOMB_ bit of a set of modifiers.
WORD combination_of(WORD modifiers) {
  static const WORD kByModifiers[8] = {HKCOMB_NONE, HKCOMB_S, HKCOMB_C, HKCOMB_SC,
                                       HKCOMB_A,    HKCOMB_SA, HKCOMB_CA, HKCOMB_SCA};
  return kByModifiers[modifiers & 7];
}

// The cursor block and the other keys whose names need the extended bit.
bool extended_key(int vk) { return (vk >= 0x21 && vk <= 0x2F) || (vk >= 0x5B && vk <= 0x5D) || vk == 0x6F; }

CString modifiers_text(WORD modifiers) {
  CString text;
  if (modifiers & HOTKEYF_CONTROL) text += "Ctrl + ";
  if (modifiers & HOTKEYF_SHIFT) text += "Shift + ";
  if (modifiers & HOTKEYF_ALT) text += "Alt + ";
  return text;
}

void changed(HWND h) {
  InvalidateRect(h, nullptr, TRUE);
  if (HWND parent = GetParent(h)) {
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(h)), EN_CHANGE), reinterpret_cast<LPARAM>(h));
  }
}

void key_down(HWND h, HotKey& f, int vk) {
  if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
    InvalidateRect(h, nullptr, TRUE);  // the modifiers held so far show
    return;
  }
  WORD modifiers = held_modifiers();
  if (modifiers == 0 && (vk == VK_BACK || vk == VK_DELETE || vk == VK_SPACE)) {
    f.value = 0;
    changed(h);
    return;
  }
  if (f.invalid & combination_of(modifiers)) modifiers = f.substitute & (HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT);
  if (extended_key(vk)) modifiers |= HOTKEYF_EXT;
  f.value = WORD(BYTE(vk) | (BYTE(modifiers) << 8));
  changed(h);
}

void paint(HWND h, const HotKey& f) {
  CPaintDC dc(h);
  RECT r;
  GetClientRect(h, &r);
  CRect area(r);
  dc.FillSolidRect(&area, GetSysColor(IsWindowEnabled(h) ? COLOR_WINDOW : COLOR_BTNFACE));
  dc.Draw3dRect(&area, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  if (f.font) dc.SelectObject(HGDIOBJ(f.font));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
  // An empty focused field shows the modifiers held so far.
  WORD held = GetFocus() == h ? held_modifiers() : 0;
  CString text = f.value ? controls::hot_key_text(f.value) : held ? modifiers_text(held) : CString("Brak");
  area.DeflateRect(3, 0);
  dc.DrawText(text, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT hot_key_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  HotKey& f = win::control_state<HotKey>(h);
  switch (message) {
    case HKM_SETHOTKEY:
      f.value = WORD(wParam);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case HKM_GETHOTKEY: return f.value;
    case HKM_SETRULES:
      f.invalid = WORD(wParam);
      f.substitute = LOWORD(lParam);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      key_down(h, f, int(wParam));
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_CHAR:
    case WM_SYSCHAR: return 0;
    case WM_LBUTTONDOWN:
      SetFocus(h);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_SETFONT:
      f.font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(f.font);
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT:
      paint(h, f);
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<HotKey>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default: return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {
void register_hot_key_control() { register_control_class(HOTKEY_CLASS, hot_key_proc, 0, COLOR_WINDOW); }

CString hot_key_text(WORD hot_key) {
  if (hot_key == 0) return CString();
  WORD modifiers = HIBYTE(hot_key);
  return modifiers_text(modifiers) + CHotKeyCtrl::GetKeyName(LOBYTE(hot_key), (modifiers & HOTKEYF_EXT) != 0);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CHotKeyCtrl, CWnd)

BOOL CHotKeyCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_hot_key_control();
  return CWnd::Create(HOTKEY_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CHotKeyCtrl::GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const {
  DWORD value = GetHotKey();
  wVirtualKeyCode = LOBYTE(value);
  wModifiers = HIBYTE(WORD(value));
}

CString CHotKeyCtrl::GetKeyName(UINT vk, BOOL fExtended) {
  char name[64];
  LONG code = LONG(MapVirtualKey(vk, MAPVK_VK_TO_VSC) << 16) | (fExtended ? (1 << 24) : 0);
  return GetKeyNameText(code, name, sizeof name) > 0 ? CString(name) : CString();
}
