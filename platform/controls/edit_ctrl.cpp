#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/controls/control_class.h"
#include "platform/controls/standard_controls.h"
#include "platform/controls/standard_controls_common.h"
#include "platform/gdi/core/icons.h"
#include "platform/res/icon_loading.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_font.h"
#include "platform/win/control_state.h"

namespace {

using namespace controls::standard;

// --- Edit ---------------------------------------------------------------------------------------------

struct EditState : win::ControlState {
  int start = 0, end = 0;  // selection (start may exceed end while it runs backwards)
  int limit = 30000;
  bool modified = false;
  int first = 0;  // a single-line edit's first visible character
};

// The text area of an edit's client rectangle.
CRect text_area(const CRect& client) { return CRect(client.left + 3, client.top + 2, client.right - 3, client.bottom - 2); }

// Scrolls a single-line edit sideways so that its caret lies in the text area: back to the caret
// when it lies before the first visible character, forward until the text up to it fits.
void scroll_caret(HWND h) {
  EditState& s = win::control_state<EditState>(h);
  if (style_of(h) & ES_MULTILINE) return;
  const std::string text = GetWindowTextString(h);
  const int caret = std::clamp(s.end, 0, int(text.size()));
  int first = std::clamp(s.first, 0, caret);
  CRect client;
  GetClientRect(h, &client);
  const int width = text_area(client).Width();
  CClientDC dc(CWnd::FromHandle(h));
  dc.SelectObject(win::window_font(h));
  while (first < caret && dc.GetTextExtent(text.c_str() + first, caret - first).cx > width) ++first;
  if (first != s.first) {
    s.first = first;
    InvalidateRect(h, nullptr, TRUE);
  }
}

// After typing or moving the caret, an edit that scrolls by itself keeps the caret in view.
void follow_caret(HWND h) {
  if (style_of(h) & ES_AUTOHSCROLL) scroll_caret(h);
}


// Replaces the selection by `insert`, keeping the limit; true when the text changed.
bool replace_selection(HWND h, std::string insert) {
  EditState& s = win::control_state<EditState>(h);
  std::string text = GetWindowTextString(h);
  int a = std::clamp(std::min(s.start, s.end), 0, int(text.size()));
  int b = std::clamp(std::max(s.start, s.end), 0, int(text.size()));
  DWORD style = style_of(h);
  if (!(style & ES_MULTILINE)) insert.erase(std::remove_if(insert.begin(), insert.end(), [](char c) { return c == '\r' || c == '\n'; }), insert.end());
  if (style & ES_UPPERCASE) insert = base::cp1250::to_upper(insert);
  if (style & ES_LOWERCASE) insert = base::cp1250::to_lower(insert);
  int room = s.limit - (int(text.size()) - (b - a));
  if (int(insert.size()) > room) {
    insert.resize(size_t(std::max(0, room)));
    notify(h, EN_MAXTEXT);
  }
  if (insert.empty() && a == b) return false;
  text.replace(size_t(a), size_t(b - a), insert);
  set_text_raw(h, text);
  s.start = s.end = a + int(insert.size());
  s.modified = true;
  follow_caret(h);
  InvalidateRect(h, nullptr, TRUE);
  notify(h, EN_UPDATE);
  notify(h, EN_CHANGE);
  return true;
}

void edit_key(HWND h, int vk) {
  EditState& s = win::control_state<EditState>(h);
  int size = GetWindowTextLength(h);
  bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  int caret = s.end;
  switch (vk) {
    case VK_LEFT: caret = std::max(0, caret - 1); break;
    case VK_RIGHT: caret = std::min(size, caret + 1); break;
    case VK_HOME: caret = 0; break;
    case VK_END: caret = size; break;
    case VK_DELETE:
      if (style_of(h) & ES_READONLY) return;
      if (s.start == s.end && s.end < size) s.end = s.end + 1;
      replace_selection(h, "");
      return;
    default: return;
  }
  s.end = caret;
  if (!shift) s.start = caret;
  follow_caret(h);
  InvalidateRect(h, nullptr, TRUE);
}

void edit_char(HWND h, unsigned char c) {
  DWORD style = style_of(h);
  if (style & ES_READONLY) return;
  EditState& s = win::control_state<EditState>(h);
  if (c == 0x08) {
    if (s.start == s.end && s.start > 0) s.start = s.start - 1;
    replace_selection(h, "");
    return;
  }
  if (c == '\r') {
    if (style & ES_MULTILINE) replace_selection(h, "\r\n");
    return;
  }
  if (c < 0x20 && c != '\t') return;
  if ((style & ES_NUMBER) && (c < '0' || c > '9')) {
    MessageBeep(0);
    return;
  }
  replace_selection(h, std::string(1, char(c)));
}

LRESULT edit_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) return r;
  EditState& s = win::control_state<EditState>(h);
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
      if ((style_of(h) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN)) {
        auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == WPARAM(VK_RETURN)) code |= DLGC_WANTALLKEYS;
      }
      return code;
    }
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(h, message, wParam, lParam);
      s.start = s.end = 0;
      s.first = 0;
      s.modified = false;
      InvalidateRect(h, nullptr, TRUE);
      notify(h, EN_CHANGE);
      return r;
    }
    case EM_GETSEL: {
      DWORD a = DWORD(std::min(s.start, s.end)), b = DWORD(std::max(s.start, s.end));
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = a;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = b;
      return MAKELRESULT(WORD(std::min<DWORD>(a, 0xFFFF)), WORD(std::min<DWORD>(b, 0xFFFF)));
    }
    case EM_SETSEL: {
      int size = GetWindowTextLength(h);
      int a = int(wParam), b = int(lParam);
      if (a < 0) {
        s.start = s.end = s.end;  // -1 takes the selection away, leaving the caret
      } else {
        s.start = std::min(a, size);
        s.end = (b < 0 || b > size) ? size : b;
      }
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case EM_SCROLLCARET:
      scroll_caret(h);
      return TRUE;
    case EM_GETFIRSTVISIBLELINE:
      return (style_of(h) & ES_MULTILINE) ? 0 : s.first;
    case EM_REPLACESEL:
      replace_selection(h, lParam ? reinterpret_cast<const char*>(lParam) : "");
      return 0;
    case EM_LIMITTEXT:
      s.limit = wParam == 0 ? 0x7FFFFFFE : int(std::min<WPARAM>(wParam, 0x7FFFFFFE));
      return 0;
    case EM_GETLIMITTEXT:
      return s.limit;
    case EM_GETMODIFY:
      return s.modified;
    case EM_SETMODIFY:
      s.modified = wParam != 0;
      return 0;
    case EM_SETREADONLY:
      SetWindowLongPtr(h, GWL_STYLE, LONG_PTR(wParam ? (style_of(h) | ES_READONLY) : (style_of(h) & ~ES_READONLY)));
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    case EM_GETLINECOUNT: {
      std::string text = GetWindowTextString(h);
      return 1 + std::count(text.begin(), text.end(), '\n');
    }
    case WM_CHAR:
      edit_char(h, static_cast<unsigned char>(wParam));
      return 0;
    case WM_KEYDOWN:
      if (is_help_or_menu_key(wParam)) return DefWindowProc(h, message, wParam, lParam);
      edit_key(h, int(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(h);
      return 0;
    case WM_SETFOCUS:
      notify(h, EN_SETFOCUS);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_KILLFOCUS:
      notify(h, EN_KILLFOCUS);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        // Read-only and disabled edits sit on the button face; a disabled one's text is grey.
        bool read_only = (style_of(h) & ES_READONLY) != 0 || !IsWindowEnabled(h);
        dc.FillSolidRect(&r, GetSysColor(read_only ? COLOR_BTNFACE : COLOR_WINDOW));
        // The edit field of a combo box lies inside the combo box's own frame; a read-only edit
        // without a border of its own is a line of text on the face (an information field).
        const bool bare = (style_of(h) & ES_READONLY) && !(style_of(h) & WS_BORDER) &&
                          !(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        if (!bare && (GetDlgCtrlID(h) != kComboEditId || !is_combo(GetParent(h)))) {
          dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        std::string text = GetWindowTextString(h);
        if (style_of(h) & ES_PASSWORD) text.assign(text.size(), '*');
        if (!(style_of(h) & ES_MULTILINE)) text.erase(0, size_t(std::clamp(s.first, 0, int(text.size()))));
        CRect t = text_area(r);
        dc.SelectObject(win::window_font(h));
        dc.SetTextColor(GetSysColor(IsWindowEnabled(h) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        // ES_CENTER and ES_RIGHT place the text of a read-only edit (an editable one keeps its text at
        // the left, where its caret and selection are measured from).
        const DWORD style = style_of(h);
        const UINT align = !(style & ES_READONLY) ? DT_LEFT : (style & ES_CENTER) ? DT_CENTER : (style & ES_RIGHT) ? DT_RIGHT : DT_LEFT;
        dc.DrawText(text.c_str(), int(text.size()), &t,
                    align | DT_NOPREFIX | ((style_of(h) & ES_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER));
      });
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<EditState>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls::standard {
void register_edit_control() { register_control_class("Edit", edit_proc, CS_DBLCLKS, COLOR_BTNFACE); }
}  // namespace controls::standard
