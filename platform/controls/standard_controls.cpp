#include "platform/controls/standard_controls.h"
#include "platform/controls/control_class.h"
#include "platform/controls/tab_ctrl.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/gdi/core/icons.h"
#include "platform/res/icon_loading.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_font.h"

namespace {

DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }

void notify(HWND h, WORD code) {
  if (HWND parent = GetParent(h)) {
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(h)), code), reinterpret_cast<LPARAM>(h));
  }
}

// Paints through a framework context over BeginPaint's handle.
template <typename Paint>
void paint(HWND h, Paint&& body) {
  CPaintDC dc(h);
  win::WindowFontScope font(dc.GetSafeHdc(), h);
  RECT r;
  GetClientRect(h, &r);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(IsWindowEnabled(h) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  body(dc, CRect(r));
}

// A label without its '&' marks ("&&" is one '&').
std::string label(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// F1 and the context-menu key are no control's own: the default handling asks for help or for
// the context menu.
bool is_help_or_menu_key(WPARAM key) { return key == WPARAM(VK_F1) || key == WPARAM(VK_APPS); }

// Draws a label; a disabled control's is etched: grey over a highlight copy one pixel down and right.
void draw_label(HWND h, CDC& dc, const std::string& text, CRect r, UINT format) {
  if (!IsWindowEnabled(h)) {
    CRect etch(r);
    etch.OffsetRect(1, 1);
    dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    dc.DrawText(text.c_str(), int(text.size()), &etch, format);
    dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  }
  dc.DrawText(text.c_str(), int(text.size()), &r, format);
}

// --- Static -------------------------------------------------------------------------------------------

// An icon static's text names its icon resource: "#132" for id 132, else the resource's name. The
// icon is drawn at its own size in the top-left corner.
void draw_static_icon(CDC& dc, const std::string& name) {
  const bool by_id = name.size() > 1 && name[0] == '#';
  const char* resource = by_id ? MAKEINTRESOURCE(std::atoi(name.c_str() + 1)) : name.c_str();
  if (HICON icon = LoadIcon(nullptr, resource)) {
    DrawIconEx(dc.GetSafeHdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
  }
}

LRESULT static_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) return r;
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_NCHITTEST:
      return (style_of(h) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONUP:
      if (style_of(h) & SS_NOTIFY) notify(h, STN_CLICKED);
      return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(h, message, wParam, lParam);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        DWORD s = style_of(h);
        DWORD type = s & SS_TYPEMASK;
        if (type == SS_ETCHEDHORZ) {
          dc.Draw3dRect(r.left, r.top, r.Width(), 2, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
          return;
        }
        if (type == SS_BLACKRECT) {
          dc.FillSolidRect(&r, GetSysColor(COLOR_WINDOWFRAME));
          return;
        }
        if (type == SS_ICON) {
          draw_static_icon(dc, GetWindowTextString(h));
          return;
        }
        std::string text = GetWindowTextString(h);
        if (!(s & SS_NOPREFIX)) text = label(text);
        // The parent, or the control itself through reflection, may choose the text colour, the
        // font and the background (a hollow brush leaves the background as it is).
        if (HWND parent = GetParent(h)) {
          LRESULT answer = SendMessage(parent, WM_CTLCOLORSTATIC, WPARAM(dc.GetSafeHdc()), reinterpret_cast<LPARAM>(h));
          if (HBRUSH brush = ResolveClassBrush(reinterpret_cast<HBRUSH>(answer))) dc.FillRect(&r, CBrush::FromHandle(brush));
        }
        UINT format = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
        draw_label(h, dc, text, r, format | DT_WORDBREAK | DT_NOPREFIX);
      });
      return 0;
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

// --- Button -------------------------------------------------------------------------------------------

struct ButtonState {
  UINT check = BST_UNCHECKED;
  bool pushed = false;
  bool tracking = false;
};

std::map<HWND, ButtonState>& buttons() {
  static std::map<HWND, ButtonState> b;
  return b;
}

DWORD button_type(HWND h) { return style_of(h) & BS_TYPEMASK; }
bool is_radio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool is_check(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

void set_check(HWND h, UINT check) {
  ButtonState& s = buttons()[h];
  if (s.check != check) {
    s.check = check;
    InvalidateRect(h, nullptr, TRUE);
  }
}

// A click: automatic buttons change their own state first, then the parent hears of it.
void click(HWND h) {
  DWORD type = button_type(h);
  if (type == BS_AUTOCHECKBOX) set_check(h, buttons()[h].check ? BST_UNCHECKED : BST_CHECKED);
  if (type == BS_AUTO3STATE) set_check(h, (buttons()[h].check + 1) % 3);
  if (type == BS_AUTORADIOBUTTON) {
    // The other automatic radio buttons of the group go off.
    HWND parent = GetParent(h);
    HWND first = h;
    for (HWND p = h; p && !(style_of(p) & WS_GROUP);) {
      p = GetWindow(p, GW_HWNDPREV);
      if (p) first = p;
    }
    for (HWND c = first; c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (c != first && (style_of(c) & WS_GROUP)) break;
      if (GetParent(c) == parent && c != h && button_type(c) == BS_AUTORADIOBUTTON) set_check(c, BST_UNCHECKED);
    }
    set_check(h, BST_CHECKED);
  }
  notify(h, BN_CLICKED);
}

}  // namespace

int controls::draw_radio_button(CDC& dc, const CRect& area, bool checked) {
  // A 12-pixel round button: two rings, dark above left and light below right, white inside, a
  // black dot when checked. Pixels are classed by their distance from the middle (squared, in
  // quarter pixels, to stay in integers).
  constexpr int kSize = 12;
  int top = area.top + (area.Height() - kSize) / 2;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      int dx = 2 * x - (kSize - 1), dy = 2 * y - (kSize - 1);  // doubled offsets from the middle
      int d2 = dx * dx + dy * dy;                              // 4 x squared distance
      bool upper_left = dx + dy < 0;
      int colour = -1;
      if (d2 <= 4 * 17) {
        colour = checked && d2 <= 4 * 4 ? COLOR_WINDOWTEXT : COLOR_WINDOW;
      } else if (d2 <= 4 * 26) {
        colour = upper_left ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
      } else if (d2 <= 4 * 37) {
        colour = upper_left ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
      }
      if (colour >= 0) dc.SetPixel(area.left + x, top + y, GetSysColor(colour));
    }
  }
  return area.left + kSize + 5;
}

int controls::draw_check_box(CDC& dc, const CRect& area, int check) {
  constexpr int kBox = 13;
  int top = area.top + (area.Height() - kBox) / 2;
  CRect box(area.left, top, area.left + kBox, top + kBox);
  dc.FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
  dc.Draw3dRect(&box, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  if (check == BST_CHECKED || check == BST_INDETERMINATE) {
    CRect mark(box.left + 3, box.top + 3, box.right - 3, box.bottom - 3);
    dc.FillSolidRect(&mark, GetSysColor(check == BST_CHECKED ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
  }
  return box.right + 4;
}

namespace {

// The height of a line of text in the control's font.
int text_height(HWND h) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, win::window_font(h));
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return std::max(1, int(tm.tmHeight));
}

// The width of `text` in the control's font.
int text_width(HWND h, const std::string& text) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, win::window_font(h));
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return int(size.cx);
}

// A group box is its frame and caption only: the controls it holds, which lie under it, show
// through the rest and take the clicks there.
constexpr int kGroupCaptionLeft = 8;

void shape_group_box(HWND h) {
  RECT r;
  GetClientRect(h, &r);
  int line = text_height(h);
  int top = line / 2 - 1;
  std::string text = label(GetWindowTextString(h));
  HRGN shape = CreateRectRgn(r.left, top, r.right, r.bottom);
  HRGN inside = CreateRectRgn(r.left + 2, top + 2, r.right - 2, r.bottom - 2);
  CombineRgn(shape, shape, inside, RGN_DIFF);
  DeleteObject(inside);
  if (!text.empty()) {
    HRGN caption = CreateRectRgn(r.left + kGroupCaptionLeft - 2, 0,
                                 r.left + kGroupCaptionLeft + text_width(h, text) + 2, line);
    CombineRgn(shape, shape, caption, RGN_OR);
    DeleteObject(caption);
  }
  SetWindowRgn(h, shape, TRUE);
}

void paint_button(HWND h, CDC& dc, CRect r) {
  DWORD type = button_type(h);
  const ButtonState& s = buttons()[h];
  std::string text = label(GetWindowTextString(h));
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  if (type == BS_OWNERDRAW) {
    UINT state = (s.pushed ? ODS_SELECTED : 0) | (GetFocus() == h ? ODS_FOCUS : 0) |
                 (IsWindowEnabled(h) ? 0 : ODS_DISABLED);
    DRAWITEMSTRUCT d{ODT_BUTTON, UINT(GetDlgCtrlID(h)), 0, ODA_DRAWENTIRE, state, h, dc.GetSafeHdc(), r, 0};
    SendMessage(GetParent(h), WM_DRAWITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&d));
    return;
  }
  if (type == BS_GROUPBOX) {
    // An etched frame through the middle of the caption's line.
    int top = text_height(h) / 2 - 1;
    CRect outer(r.left, r.top + top, r.right - 1, r.bottom - 1);
    CRect inner(r.left + 1, r.top + top + 1, r.right, r.bottom);
    dc.Draw3dRect(&outer, shadow, shadow);
    dc.Draw3dRect(&inner, light, light);
    if (!text.empty()) {
      CRect caption(r.left + kGroupCaptionLeft - 2, r.top, r.left + kGroupCaptionLeft + text_width(h, text) + 2,
                    r.top + text_height(h));
      dc.FillSolidRect(&caption, GetSysColor(COLOR_BTNFACE));
      dc.SetBkMode(TRANSPARENT);
      dc.TextOut(r.left + kGroupCaptionLeft, r.top, text.c_str(), int(text.size()));
    }
    return;
  }
  if (is_check(type) || is_radio(type)) {
    CRect t(is_radio(type) ? controls::draw_radio_button(dc, r, s.check == BST_CHECKED)
                           : controls::draw_check_box(dc, r, int(s.check)),
            r.top, r.right, r.bottom);
    if (GetWindowLongPtr(h, GWL_STYLE) & BS_MULTILINE) {
      // Lines broken at line feeds and to the width, the block centred on the box.
      CRect block(t);
      dc.DrawText(text.c_str(), int(text.size()), &block, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
      t.top += std::max(0, (t.Height() - block.Height()) / 2);
      draw_label(h, dc, text, t, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
      return;
    }
    draw_label(h, dc, text, t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
  bool is_default = type == BS_DEFPUSHBUTTON;
  if (is_default) {
    dc.Draw3dRect(&r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    r.DeflateRect(1, 1);
  }
  if (s.pushed) {
    dc.Draw3dRect(&r, shadow, shadow);
  } else {
    dc.Draw3dRect(&r, light, GetSysColor(COLOR_WINDOWFRAME));
  }
  CRect t(r);
  if (s.pushed) t.OffsetRect(1, 1);
  draw_label(h, dc, text, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  // The focused button shows a dotted frame inside its edges.
  if (GetFocus() == h) {
    CRect focus(r);
    focus.DeflateRect(3, 3);
    dc.DrawFocusRect(&focus);
  }
}

LRESULT button_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) {
    if (message == WM_SETFONT && button_type(h) == BS_GROUPBOX) shape_group_box(h);
    return r;
  }
  switch (message) {
    case WM_GETDLGCODE: {
      DWORD type = button_type(h);
      if (type == BS_GROUPBOX) return DLGC_STATIC;
      if (is_radio(type)) return DLGC_RADIOBUTTON | DLGC_BUTTON;
      if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (type == BS_PUSHBUTTON || type == BS_OWNERDRAW) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      return DLGC_BUTTON;
    }
    case BM_GETCHECK:
      return buttons()[h].check;
    case BM_SETCHECK:
      set_check(h, UINT(wParam) > BST_INDETERMINATE ? BST_CHECKED : UINT(wParam));
      return 0;
    case BM_GETSTATE: {
      const ButtonState& s = buttons()[h];
      return s.check | (s.pushed ? BST_PUSHED : 0) | (GetFocus() == h ? BST_FOCUS : 0);
    }
    case BM_SETSTATE:
      buttons()[h].pushed = wParam != 0;
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case BM_SETSTYLE:
      SetWindowLongPtr(h, GWL_STYLE, LONG_PTR((style_of(h) & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK)));
      if (lParam) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case BM_CLICK:
      if (IsWindowEnabled(h)) click(h);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(h);
      SetCapture(h);
      buttons()[h].tracking = true;
      buttons()[h].pushed = true;
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP: {
      ButtonState& s = buttons()[h];
      if (!s.tracking) return 0;
      s.tracking = false;
      s.pushed = false;
      ReleaseCapture();
      InvalidateRect(h, nullptr, TRUE);
      RECT r;
      GetClientRect(h, &r);
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) click(h);
      return 0;
    }
    case WM_KEYUP:
      if (wParam == WPARAM(VK_SPACE)) click(h);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(h, nullptr, TRUE);
      return DefWindowProc(h, message, wParam, lParam);
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(h, message, wParam, lParam);
      if (button_type(h) == BS_GROUPBOX) shape_group_box(h);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case WM_CREATE:
    case WM_SIZE:
      if (button_type(h) == BS_GROUPBOX) shape_group_box(h);
      return DefWindowProc(h, message, wParam, lParam);
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) { paint_button(h, dc, r); });
      return 0;
    case WM_NCDESTROY:
      buttons().erase(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

constexpr int kComboEditId = 1001;

bool is_combo(HWND h) {
  char name[16] = {};
  GetClassName(h, name, sizeof name);
  return std::string_view(name) == "ComboBox";
}

// --- Edit ---------------------------------------------------------------------------------------------

struct EditState {
  int start = 0, end = 0;  // selection (start may exceed end while it runs backwards)
  int limit = 30000;
  bool modified = false;
};

std::map<HWND, EditState>& edits() {
  static std::map<HWND, EditState> e;
  return e;
}

void set_text_raw(HWND h, const std::string& text) { DefWindowProc(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }

// Replaces the selection by `insert`, keeping the limit; true when the text changed.
bool replace_selection(HWND h, std::string insert) {
  EditState& s = edits()[h];
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
  InvalidateRect(h, nullptr, TRUE);
  notify(h, EN_UPDATE);
  notify(h, EN_CHANGE);
  return true;
}

void edit_key(HWND h, int vk) {
  EditState& s = edits()[h];
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
  InvalidateRect(h, nullptr, TRUE);
}

void edit_char(HWND h, unsigned char c) {
  DWORD style = style_of(h);
  if (style & ES_READONLY) return;
  EditState& s = edits()[h];
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
  EditState& s = edits()[h];
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
        // The edit field of a combo box lies inside the combo box's own frame.
        if (GetDlgCtrlID(h) != kComboEditId || !is_combo(GetParent(h))) {
          dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        std::string text = GetWindowTextString(h);
        if (style_of(h) & ES_PASSWORD) text.assign(text.size(), '*');
        CRect t(r.left + 3, r.top + 2, r.right - 3, r.bottom - 2);
        dc.SelectObject(win::window_font(h));
        dc.SetTextColor(GetSysColor(IsWindowEnabled(h) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        dc.DrawText(text.c_str(), int(text.size()), &t,
                    DT_NOPREFIX | ((style_of(h) & ES_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER));
      });
      return 0;
    case WM_NCDESTROY:
      edits().erase(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

// --- Item lists (list boxes and drop-down lists) --------------------------------------------------

constexpr int kItemHeight = 16;

struct ListItem {
  std::string text;
  UINT_PTR data = 0;
  int height = kItemHeight;  // the row's own height (owner-drawn rows of varying height)
  int check = 0;             // the row's check mark (check list boxes)
  bool picked = false;       // selected (multiple-selection list boxes)
};

struct ListState {
  std::vector<ListItem> items;
  int selected = -1;  // the selection; the caret row of a multiple-selection list box
  int anchor = -1;    // where a Shift selection starts (multiple-selection list boxes)
  int item_height = kItemHeight;  // every row's height unless rows vary
  bool rows_vary = false;
  int top = 0;  // the first row shown (list boxes scroll by whole rows)

  int count() const { return int(items.size()); }
  bool valid(int i) const { return i >= 0 && i < count(); }
  // Adds at the end (`at` < 0 or past the end) or before `at`; returns the index.
  int insert(int at, const char* text) {
    if (at < 0 || at > count()) at = count();
    items.insert(items.begin() + at, ListItem{text ? text : "", 0});
    if (selected >= at) ++selected;
    if (anchor >= at) ++anchor;
    return at;
  }
  LRESULT erase(int i) {
    if (!valid(i)) return LB_ERR;
    items.erase(items.begin() + i);
    if (selected == i) selected = -1;
    if (selected > i) --selected;
    if (anchor == i) anchor = -1;
    if (anchor > i) --anchor;
    return count();
  }
  LRESULT copy_text(int i, LPARAM out) const {
    if (!valid(i) || !out) return LB_ERR;
    const std::string& t = items[size_t(i)].text;
    std::copy(t.begin(), t.end(), reinterpret_cast<char*>(out));
    reinterpret_cast<char*>(out)[t.size()] = '\0';
    return LRESULT(t.size());
  }
  int find_exact(int after, const char* text) const {
    if (!text) return -1;
    for (int n = 0; n < count(); ++n) {
      int i = (after + 1 + n) % count();
      if (CString(items[size_t(i)].text).CompareNoCase(text) == 0) return i;
    }
    return -1;
  }
  int row_height(int i) const { return rows_vary ? items[size_t(i)].height : item_height; }
  // The top of row `i` from the top of the first row.
  int row_offset(int i) const {
    int y = 0;
    for (int k = 0; k < i; ++k) y += row_height(k);
    return y;
  }
  // The top of row `i` in client coordinates (the first row shown starts at the top; rows above
  // it lie at negative heights).
  int row_top(int i) const { return row_offset(i) - row_offset(top); }
  // The row under client height `y`, or -1 above the first row shown or below the last row.
  int row_at(int y) const {
    if (y < 0) return -1;
    for (int i = top, bottom = 0; i < count(); ++i) {
      bottom += row_height(i);
      if (y < bottom) return i;
    }
    return -1;
  }
  int picked_count() const {
    return int(std::count_if(items.begin(), items.end(), [](const ListItem& item) { return item.picked; }));
  }
  // Selects rows `from` to `to` (either order) and clears every other one.
  void pick_range(int from, int to) {
    if (from > to) std::swap(from, to);
    for (int i = 0; i < count(); ++i) items[size_t(i)].picked = i >= from && i <= to;
  }
  // Keeps the first row shown within the list.
  void clamp_top() { top = std::clamp(top, 0, std::max(0, count() - 1)); }
  // A row wholly out of sight in a client area `height` high is scrolled into view, the least
  // that shows it whole; a row partly in sight stays where it is.
  void show_row(int i, int height) {
    if (!valid(i)) return;
    if (i >= top && row_top(i) < height) return;
    if (i < top) top = i;
    while (top < i && row_top(i) + row_height(i) > height) ++top;
  }
};

std::map<HWND, ListState>& lists() {
  static std::map<HWND, ListState> l;
  return l;
}

bool owner_drawn(HWND h) { return (style_of(h) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
bool multiple_selection(HWND h) { return (style_of(h) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

// Asks the parent for the height of row `item` (every row of a fixed list box: `item` 0).
int measure_row(HWND h, int item, UINT_PTR data, int height) {
  MEASUREITEMSTRUCT m{ODT_LISTBOX, UINT(GetDlgCtrlID(h)), UINT(item), 0, UINT(height), data};
  SendMessage(GetParent(h), WM_MEASUREITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&m));
  return m.itemHeight > 0 ? int(std::min<UINT>(m.itemHeight, 255)) : height;
}

// --- List box -----------------------------------------------------------------------------------------

// The list box's own scroll bar covers its rows; with every row in sight the layer hides it.
void update_list_scroll(HWND h) {
  if (!(style_of(h) & WS_VSCROLL)) return;
  const ListState& s = lists()[h];
  RECT r;
  GetClientRect(h, &r);
  int total = s.count() ? s.row_top(s.count()) : 0;
  int rows_shown = std::max(1, int(r.bottom) / std::max(1, s.item_height));
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  if (total > r.bottom) {
    info.nMax = std::max(0, s.count() - 1);
    info.nPage = UINT(rows_shown);
  }
  SetScrollInfo(h, SB_VERT, &info, TRUE);
}

LRESULT list_rows_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT list_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) {
    // Rows of plain text are as high as a line of the font.
    if (message == WM_SETFONT && !owner_drawn(h)) lists()[h].item_height = std::max(kItemHeight, text_height(h) + 3);
    update_list_scroll(h);
    return r;
  }
  LRESULT result = list_rows_proc(h, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
    case WM_SIZE:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETITEMHEIGHT:
      if (IsWindow(h)) update_list_scroll(h);
      break;
    default:
      break;
  }
  return result;
}

LRESULT list_rows_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  ListState& s = lists()[h];
  int count = s.count();
  int index = int(wParam);
  auto select = [&](int to) {
    if (to == s.selected || !s.valid(to)) return;
    s.selected = to;
    RECT client;
    GetClientRect(h, &client);
    s.show_row(to, client.bottom);
    InvalidateRect(h, nullptr, TRUE);
    if (style_of(h) & LBS_NOTIFY) notify(h, LBN_SELCHANGE);
  };
  const bool multi = multiple_selection(h);
  auto show_caret = [&] {
    RECT client;
    GetClientRect(h, &client);
    s.show_row(s.selected, client.bottom);
    InvalidateRect(h, nullptr, TRUE);
  };
  // A click (`key` 0) or a caret key (`key` the virtual key) at row `to` of a multiple-selection
  // list; `shift` and `ctrl` the modifiers held.
  auto pick = [&](int to, int key, bool shift, bool ctrl) {
    if (!s.valid(to)) return;
    s.selected = to;
    bool extended = (style_of(h) & LBS_EXTENDEDSEL) != 0;
    if (!extended) {
      // A click or Space toggles the row; arrows move the caret only.
      if (key == 0 || key == VK_SPACE) s.items[size_t(to)].picked = !s.items[size_t(to)].picked;
      s.anchor = to;
    } else if (shift && s.valid(s.anchor)) {
      if (ctrl) {
        for (int i = std::min(s.anchor, to); i <= std::max(s.anchor, to); ++i) s.items[size_t(i)].picked = true;
      } else {
        s.pick_range(s.anchor, to);
      }
    } else if (ctrl) {
      // Ctrl+click and Ctrl+Space toggle the row; Ctrl+arrows move the caret only.
      if (key == 0 || key == VK_SPACE) s.items[size_t(to)].picked = !s.items[size_t(to)].picked;
      s.anchor = to;
    } else {
      s.pick_range(to, to);
      s.anchor = to;
    }
    show_caret();
    if (style_of(h) & LBS_NOTIFY) notify(h, LBN_SELCHANGE);
  };
  switch (message) {
    case WM_CREATE:
      if (owner_drawn(h)) {
        s.rows_vary = (style_of(h) & LBS_OWNERDRAWVARIABLE) != 0;
        if (!s.rows_vary) s.item_height = measure_row(h, 0, 0, kItemHeight);
      }
      return DefWindowProc(h, message, wParam, lParam);
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      // Owner-drawn items without strings carry a value, not text.
      bool value_only = owner_drawn(h) && !(style_of(h) & LBS_HASSTRINGS);
      int at = s.insert(message == LB_ADDSTRING ? -1 : index,
                        value_only ? nullptr : reinterpret_cast<const char*>(lParam));
      if (value_only) s.items[size_t(at)].data = UINT_PTR(lParam);
      if (s.rows_vary) {
        // The parent answers before the row is looked up again: it may change the list meanwhile.
        int height = measure_row(h, at, s.items[size_t(at)].data, kItemHeight);
        if (s.valid(at)) s.items[size_t(at)].height = height;
      }
      InvalidateRect(h, nullptr, TRUE);
      return at;
    }
    case LB_GETCHECKMARK:
      return s.valid(index) ? LRESULT(s.items[size_t(index)].check) : LB_ERR;
    case LB_SETCHECKMARK:
      if (!s.valid(index)) return LB_ERR;
      s.items[size_t(index)].check = int(lParam);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case LB_GETITEMHEIGHT:
      if (s.rows_vary) return s.valid(index) ? LRESULT(s.items[size_t(index)].height) : LB_ERR;
      return s.item_height;
    case LB_SETITEMHEIGHT: {
      int height = int(LOWORD(lParam));
      if (height <= 0 || height > 255) return LB_ERR;
      if (s.rows_vary) {
        if (!s.valid(index)) return LB_ERR;
        s.items[size_t(index)].height = height;
      } else {
        s.item_height = height;
      }
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case LB_DELETESTRING: {
      InvalidateRect(h, nullptr, TRUE);
      LRESULT left = s.erase(index);
      s.clamp_top();
      return left;
    }
    case LB_RESETCONTENT:
      // Rows go; the measured row height stays.
      s.items.clear();
      s.selected = -1;
      s.anchor = -1;
      s.top = 0;
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case LB_GETCOUNT:
      return count;
    case LB_GETCURSEL:
    case LB_GETCARETINDEX:
      return s.selected;
    case LB_SETCARETINDEX:
      if (!s.valid(index)) return LB_ERR;
      s.selected = index;
      show_caret();
      return 0;
    case LB_GETANCHORINDEX:
      return s.anchor;
    case LB_SETANCHORINDEX:
      if (!s.valid(index)) return LB_ERR;
      s.anchor = index;
      return 0;
    case LB_SETSEL: {
      if (!multi) return LB_ERR;
      int row = int(lParam);
      if (row == -1) {
        for (ListItem& item : s.items) item.picked = wParam != 0;
      } else if (s.valid(row)) {
        s.items[size_t(row)].picked = wParam != 0;
        if (wParam) s.selected = s.anchor = row;
      } else {
        return LB_ERR;
      }
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case LB_GETSEL:
      if (!s.valid(index)) return LB_ERR;
      return multi ? s.items[size_t(index)].picked : index == s.selected;
    case LB_GETSELCOUNT:
      return multi ? s.picked_count() : LB_ERR;
    case LB_GETSELITEMS: {
      auto* out = reinterpret_cast<int*>(lParam);
      if (!multi || !out) return LB_ERR;
      int n = 0;
      for (int i = 0; i < count && n < int(wParam); ++i) {
        if (s.items[size_t(i)].picked) out[n++] = i;
      }
      return n;
    }
    case LB_SETCURSEL: {
      // Multiple-selection lists are selected with LB_SETSEL.
      if (index >= count || multi) return LB_ERR;
      s.selected = index < 0 ? -1 : index;
      RECT client;
      GetClientRect(h, &client);
      s.show_row(s.selected, client.bottom);
      InvalidateRect(h, nullptr, TRUE);
      return index < 0 ? LB_ERR : index;
    }
    case LB_GETTOPINDEX:
      return s.top;
    case LB_SETTOPINDEX:
      if (index < 0 || (index >= count && count > 0)) return LB_ERR;
      s.top = index;
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case LB_ITEMFROMPOINT: {
      // The row under the point, or the nearest one with the high word set when the point lies
      // outside the client area or below the last row.
      RECT client;
      GetClientRect(h, &client);
      int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      if (count == 0) return MAKELRESULT(0, 1);
      int row = s.row_at(y);
      bool outside = x < client.left || x >= client.right || y < client.top || y >= client.bottom;
      if (row < 0) {
        outside = true;
        row = y < 0 ? s.top : count - 1;
      }
      return MAKELRESULT(WORD(row), WORD(outside ? 1 : 0));
    }
    case LB_GETTEXTLEN:
      return s.valid(index) ? LRESULT(s.items[size_t(index)].text.size()) : LB_ERR;
    case LB_GETTEXT:
      return s.copy_text(index, lParam);
    case LB_GETITEMDATA:
      return s.valid(index) ? LRESULT(s.items[size_t(index)].data) : LB_ERR;
    case LB_GETITEMRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!s.valid(index) || !out) return LB_ERR;
      RECT client;
      GetClientRect(h, &client);
      int top = s.row_top(index);
      *out = RECT{client.left, top, client.right, top + s.row_height(index)};
      return 0;
    }
    case LB_SETITEMDATA:
      if (!s.valid(index)) return LB_ERR;
      s.items[size_t(index)].data = UINT_PTR(lParam);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(h);
      if (multi) {
        pick(s.row_at(GET_Y_LPARAM(lParam)), 0, (wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0);
      } else {
        select(s.row_at(GET_Y_LPARAM(lParam)));
      }
      if (message == WM_LBUTTONDBLCLK && (style_of(h) & LBS_NOTIFY)) notify(h, LBN_DBLCLK);
      return 0;
    case WM_KEYDOWN:
      if (is_help_or_menu_key(wParam)) return DefWindowProc(h, message, wParam, lParam);
      if (multi) {
        bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0, ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        int caret = std::max(0, s.selected);
        if (wParam == WPARAM(VK_DOWN)) pick(std::min(count - 1, s.selected + 1), VK_DOWN, shift, ctrl);
        if (wParam == WPARAM(VK_UP)) pick(std::max(0, s.selected - 1), VK_UP, shift, ctrl);
        if (wParam == WPARAM(VK_SPACE)) pick(caret, VK_SPACE, shift, ctrl);
        return 0;
      }
      if (wParam == WPARAM(VK_DOWN)) select(std::min(count - 1, s.selected + 1));
      if (wParam == WPARAM(VK_UP)) select(std::max(0, s.selected - 1));
      return 0;
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        dc.FillSolidRect(&r, GetSysColor(COLOR_WINDOW));
        for (int i = s.top, top = 0; i < count && top < r.bottom; top += s.row_height(i), ++i) {
          CRect row(r.left, top, r.right, top + s.row_height(i));
          bool sel = multi ? s.items[size_t(i)].picked : i == s.selected;
          // The focus frame marks the caret row (in a single-selection list, the selected one).
          bool focus = i == s.selected && GetFocus() == h;
          if (owner_drawn(h)) {
            UINT state = (sel ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0);
            DRAWITEMSTRUCT d{ODT_LISTBOX, UINT(GetDlgCtrlID(h)), UINT(i), ODA_DRAWENTIRE, state,
                             h, dc.GetSafeHdc(), row, s.items[size_t(i)].data};
            SendMessage(GetParent(h), WM_DRAWITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&d));
            continue;
          }
          if (sel) dc.FillSolidRect(&row, GetSysColor(COLOR_HIGHLIGHT));
          dc.SetTextColor(GetSysColor(sel ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
          const std::string& t = s.items[size_t(i)].text;
          dc.TextOut(row.left + 2, row.top + 1, t.c_str(), int(t.size()));
          if (focus && multi) dc.DrawFocusRect(&row);
        }
      });
      return 0;
    case WM_NCDESTROY:
      lists().erase(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

// --- Combo box ----------------------------------------------------------------------------------------
//
// The control itself is its field: the chosen item (a drop-down list) or an edit child (an editable
// drop-down) at the height of one row, with the drop button at the right. The height it is created
// with is its list's: the list drops in a pop-up window of its own below the field, which holds
// the mouse while it shows, so a click outside closes it.

struct ComboState {
  int drop_height = 0;   // the creation height: field and list together
  HWND list = nullptr;   // the dropped list while it shows
  HWND edit = nullptr;   // the edit field of an editable combo box
  int before_drop = -1;  // the selection when the list dropped
  int hot = -1;          // the row marked in the dropped list
  int top = 0;           // the first row the dropped list shows
  bool pressed = false;  // the drop button is held down
};

std::map<HWND, ComboState>& combos() {
  static std::map<HWND, ComboState> c;
  return c;
}

bool is_drop_list(HWND h) { return (style_of(h) & 3) == CBS_DROPDOWNLIST; }
bool is_editable(HWND h) { return (style_of(h) & 3) == CBS_DROPDOWN; }

int button_width() { return GetSystemMetrics(SM_CXVSCROLL); }

// The field's height for rows of `item_height`.
int field_height(int item_height) { return item_height + 6; }

void fit_field(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  SetWindowPos(h, nullptr, 0, 0, r.right - r.left, field_height(lists()[h].item_height),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (HWND edit = combos()[h].edit) {
    RECT c;
    GetClientRect(h, &c);
    MoveWindow(edit, 3, 3, std::max(0, int(c.right) - button_width() - 5), std::max(0, int(c.bottom) - 6), TRUE);
  }
}

void tell_combo(HWND h, WORD code) { notify(h, code); }

// Draws the arrow of a drop button: a small filled triangle pointing down, centred in `r`.
void draw_drop_arrow(CDC& dc, const CRect& r, COLORREF colour) {
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2 - 1;
  for (int row = 0; row < 4; ++row) dc.FillSolidRect(cx - 3 + row, cy - 1 + row, 7 - 2 * row, 1, colour);
}

int list_rows_shown(HWND list);

void set_combo_text(HWND h, const std::string& text) {
  set_text_raw(h, text);
  if (HWND edit = combos()[h].edit) {
    SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessage(edit, EM_SETSEL, 0, -1);
  }
}

// Makes row `to` (-1 none) the selection and the field's text; `tell` sends CBN_SELCHANGE.
LRESULT choose(HWND h, int to, bool tell) {
  ListState& s = lists()[h];
  if (!s.valid(to) && to != -1) return CB_ERR;
  bool changed = to != s.selected;
  s.selected = to;
  combos()[h].hot = to;
  set_combo_text(h, to < 0 ? std::string() : s.items[size_t(to)].text);
  InvalidateRect(h, nullptr, TRUE);
  if (HWND list = combos()[h].list) InvalidateRect(list, nullptr, TRUE);
  if (tell && changed) tell_combo(h, CBN_SELCHANGE);
  return to < 0 ? CB_ERR : to;
}

void close_list(HWND h, bool accept) {
  ComboState& c = combos()[h];
  HWND list = std::exchange(c.list, nullptr);
  if (!list) return;
  if (GetCapture() == list) ReleaseCapture();
  DestroyWindow(list);
  InvalidateRect(h, nullptr, TRUE);
  if (!IsWindow(h)) return;
  if (accept) {
    int hot = combos()[h].hot;
    if (lists()[h].valid(hot) && hot != lists()[h].selected) choose(h, hot, true);
    tell_combo(h, CBN_SELENDOK);
  } else {
    tell_combo(h, CBN_SELENDCANCEL);
  }
  if (IsWindow(h)) tell_combo(h, CBN_CLOSEUP);
}

void scroll_to_show(HWND h, int row) {
  ComboState& c = combos()[h];
  if (!c.list || row < 0) return;
  int shown = list_rows_shown(c.list);
  if (row < c.top) c.top = row;
  if (row >= c.top + shown) c.top = row - shown + 1;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, std::max(0, lists()[h].count() - 1), UINT(shown), c.top, 0};
  SetScrollInfo(c.list, SB_VERT, &info, TRUE);
  InvalidateRect(c.list, nullptr, TRUE);
}

LRESULT drop_list_proc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

void register_drop_list_class() {
  controls::register_control_class("ComboLBox", drop_list_proc, 0, COLOR_WINDOW);
}

void open_list(HWND h) {
  ComboState& c = combos()[h];
  if (c.list || !IsWindowEnabled(h)) return;
  tell_combo(h, CBN_DROPDOWN);  // the parent may fill the list now
  if (!IsWindow(h)) return;
  ListState& s = lists()[h];
  RECT field;
  GetWindowRect(h, &field);
  int rows = std::max(1, s.count());
  int room = std::max(s.item_height + 2, combos()[h].drop_height - (field.bottom - field.top));
  int height = std::min(rows * s.item_height + 2, std::max(s.item_height + 2, room - (room - 2) % s.item_height));
  int y = field.bottom;
  if (y + height > GetSystemMetrics(SM_CYSCREEN) && field.top - height >= 0) y = field.top - height;
  bool scrolls = rows * s.item_height + 2 > height;
  register_drop_list_class();
  HWND list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "ComboLBox", "",
                             WS_POPUP | WS_BORDER | (scrolls ? WS_VSCROLL : 0), field.left, y,
                             field.right - field.left, height, h, nullptr, nullptr);
  if (!list) return;
  SetWindowLongPtr(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(h));
  ComboState& now = combos()[h];
  now.list = list;
  now.before_drop = s.selected;
  now.hot = s.selected;
  now.top = 0;
  scroll_to_show(h, std::max(0, s.selected));
  ShowWindow(list, SW_SHOWNOACTIVATE);
  SetCapture(list);
  if (GetFocus() != h && GetFocus() != now.edit) SetFocus(now.edit ? now.edit : h);
  InvalidateRect(h, nullptr, TRUE);
}

HWND combo_of(HWND list) { return reinterpret_cast<HWND>(GetWindowLongPtr(list, GWLP_USERDATA)); }

int list_rows_shown(HWND list) {
  RECT r;
  GetClientRect(list, &r);
  return std::max(1, int(r.bottom) / std::max(1, lists()[combo_of(list)].item_height));
}

// Draws one row of a combo box's items, as an owner-drawn combo box's parent or as plain text.
void draw_combo_row(HWND h, CDC& dc, const CRect& row, int i, bool marked) {
  ListState& s = lists()[h];
  if (style_of(h) & CBS_OWNERDRAWFIXED) {
    UINT state = marked ? ODS_SELECTED : 0;
    DRAWITEMSTRUCT d{ODT_COMBOBOX, UINT(GetDlgCtrlID(h)), UINT(i), ODA_DRAWENTIRE, state, h, dc.GetSafeHdc(),
                     row, s.valid(i) ? s.items[size_t(i)].data : 0};
    SendMessage(GetParent(h), WM_DRAWITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&d));
    return;
  }
  if (marked) dc.FillSolidRect(&row, GetSysColor(COLOR_HIGHLIGHT));
  dc.SetTextColor(GetSysColor(marked ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  if (!s.valid(i)) return;
  const std::string& t = s.items[size_t(i)].text;
  CRect text(row.left + 2, row.top, row.right - 2, row.bottom);
  dc.DrawText(t.c_str(), int(t.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT drop_list_proc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND h = combo_of(list);
  if (!IsWindow(h) || !combos().count(h)) return DefWindowProc(list, message, wParam, lParam);
  ListState& s = lists()[h];
  auto row_at = [&](LPARAM at) {
    RECT r;
    GetClientRect(list, &r);
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (p.x < 0 || p.y < 0 || p.x >= r.right || p.y >= r.bottom) return -1;
    int row = combos()[h].top + p.y / std::max(1, s.item_height);
    return s.valid(row) ? row : -1;
  };
  auto outside = [&](LPARAM at) {
    RECT r;
    GetWindowRect(list, &r);
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ClientToScreen(list, &p);
    return p.x < r.left || p.y < r.top || p.x >= r.right || p.y >= r.bottom;
  };
  switch (message) {
    case WM_MOUSEMOVE:
      if (int row = row_at(lParam); row >= 0 && row != combos()[h].hot) {
        combos()[h].hot = row;
        InvalidateRect(list, nullptr, TRUE);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (outside(lParam)) {
        // A click on the field's own button closes the list, as does any other click outside.
        close_list(h, false);
        return 0;
      }
      if (row_at(lParam) < 0) {
        // The scroll bar beside the rows: a row up in its upper half, down in its lower.
        RECT r;
        GetClientRect(list, &r);
        ComboState& c = combos()[h];
        int shown = list_rows_shown(list);
        int top = GET_Y_LPARAM(lParam) < r.bottom / 2 ? c.top - 1 : c.top + 1;
        c.top = std::clamp(top, 0, std::max(0, s.count() - shown));
        scroll_to_show(h, c.top);
      }
      return 0;
    case WM_LBUTTONUP:
      if (row_at(lParam) >= 0) close_list(h, true);
      return 0;
    case WM_MOUSEWHEEL: {
      ComboState& c = combos()[h];
      int shown = list_rows_shown(list);
      c.top = std::clamp(c.top - short(HIWORD(wParam)) / 40, 0, std::max(0, s.count() - shown));
      scroll_to_show(h, c.top);
      return 0;
    }
    case WM_CAPTURECHANGED:
      // Something else took the mouse (a dialog, a menu): the list goes away unchosen.
      if (combos()[h].list == list && reinterpret_cast<HWND>(lParam) != list) close_list(h, false);
      return 0;
    case WM_PAINT:
      paint(list, [&](CDC& dc, CRect r) {
        win::WindowFontScope font(dc.GetSafeHdc(), h);
        dc.FillSolidRect(&r, GetSysColor(COLOR_WINDOW));
        const ComboState& c = combos()[h];
        for (int i = c.top, top = 0; i < s.count() && top < r.bottom; ++i, top += s.item_height) {
          draw_combo_row(h, dc, CRect(r.left, top, r.right, top + s.item_height), i, i == c.hot);
        }
      });
      return 0;
    default:
      return DefWindowProc(list, message, wParam, lParam);
  }
}

// Moves the selection by `step` rows (or to the first or last), from the keyboard.
void combo_step(HWND h, int to) {
  ListState& s = lists()[h];
  if (s.count() == 0) return;
  to = std::clamp(to, 0, s.count() - 1);
  if (combos()[h].list) {
    choose(h, to, true);
    scroll_to_show(h, to);
  } else if (to != s.selected) {
    // A closed box takes the row at once: the choice ends, then the selection changes.
    tell_combo(h, CBN_SELENDOK);
    if (IsWindow(h)) choose(h, to, true);
  }
}

bool combo_key(HWND h, int vk, bool alt) {
  ListState& s = lists()[h];
  ComboState& c = combos()[h];
  int page = c.list ? list_rows_shown(c.list) : 1;
  if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
    if (c.list) {
      close_list(h, true);
    } else {
      open_list(h);
    }
    return true;
  }
  int from = s.selected;
  switch (vk) {
    case VK_DOWN: combo_step(h, from + 1); return true;
    case VK_UP: combo_step(h, from < 0 ? 0 : from - 1); return true;
    case VK_NEXT: combo_step(h, from + page); return true;
    case VK_PRIOR: combo_step(h, from - page); return true;
    case VK_HOME:
      if (c.edit) return false;
      combo_step(h, 0);
      return true;
    case VK_END:
      if (c.edit) return false;
      combo_step(h, s.count() - 1);
      return true;
    case VK_RETURN:
      if (!c.list) return false;
      close_list(h, true);
      return true;
    case VK_ESCAPE:
      if (!c.list) return false;
      choose(h, c.before_drop, c.before_drop != s.selected);
      close_list(h, false);
      return true;
    default:
      return false;
  }
}

// A typed letter in a drop-down list picks the next item that starts with it.
void combo_letter(HWND h, unsigned char letter) {
  ListState& s = lists()[h];
  unsigned char wanted = base::cp1250::to_lower(letter);
  for (int n = 1; n <= s.count(); ++n) {
    int i = (s.selected + n + s.count()) % s.count();
    const std::string& t = s.items[size_t(i)].text;
    if (!t.empty() && base::cp1250::to_lower(static_cast<unsigned char>(t[0])) == wanted) {
      combo_step(h, i);
      return;
    }
  }
}

// The edit of an editable combo box hands its navigation keys to the combo box.
WNDPROC& edit_class_proc() {
  static WNDPROC proc = nullptr;
  return proc;
}

LRESULT combo_edit_proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND h = GetParent(edit);
  bool alt = message == WM_SYSKEYDOWN;
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && combo_key(h, int(wParam), alt)) return 0;
  if (message == WM_GETDLGCODE && combos()[h].list) return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (message == WM_GETDLGCODE) return edit_class_proc()(edit, message, wParam, lParam) | DLGC_WANTARROWS;
  return edit_class_proc()(edit, message, wParam, lParam);
}

LRESULT combo_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) {
    if (message == WM_SETFONT) {
      if (HWND edit = combos()[h].edit) SendMessage(edit, WM_SETFONT, wParam, lParam);
      if (!(style_of(h) & CBS_OWNERDRAWFIXED)) lists()[h].item_height = text_height(h) + 2;
      fit_field(h);
    }
    return r;
  }
  ListState& s = lists()[h];
  int index = int(wParam);
  switch (message) {
    case WM_NCCREATE: {
      // The list, not the field, scrolls.
      SetWindowLongPtr(h, GWL_STYLE, LONG_PTR(style_of(h) & ~(WS_VSCROLL | WS_HSCROLL)));
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      combos()[h].drop_height = cs ? cs->cy : 0;
      return DefWindowProc(h, message, wParam, lParam);
    }
    case WM_CREATE: {
      s.item_height = text_height(h) + 2;
      if (style_of(h) & CBS_OWNERDRAWFIXED) {
        MEASUREITEMSTRUCT m{ODT_COMBOBOX, UINT(GetDlgCtrlID(h)), 0, 0, UINT(s.item_height), 0};
        SendMessage(GetParent(h), WM_MEASUREITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&m));
        if (m.itemHeight > 0) s.item_height = int(std::min<UINT>(m.itemHeight, 255));
      }
      if (is_editable(h)) {
        WNDCLASS wc;
        if (GetClassInfo("Edit", &wc)) edit_class_proc() = wc.lpfnWndProc;
        HWND edit = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 1, 1, h,
                                   reinterpret_cast<HMENU>(std::uintptr_t(kComboEditId)), nullptr);
        if (edit) {
          SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(combo_edit_proc));
          combos()[h].edit = edit;
        }
      }
      fit_field(h);
      return 0;
    }
    case WM_COMMAND:
      // The edit of an editable combo box reports to the combo box, which tells its parent.
      if (HWND edit = combos()[h].edit; edit && reinterpret_cast<HWND>(lParam) == edit) {
        WORD code = HIWORD(wParam);
        if (code == EN_CHANGE) {
          set_text_raw(h, GetWindowTextString(edit));
          tell_combo(h, CBN_EDITUPDATE);
          tell_combo(h, CBN_EDITCHANGE);
        } else if (code == EN_SETFOCUS) {
          tell_combo(h, CBN_SETFOCUS);
        } else if (code == EN_KILLFOCUS) {
          if (GetFocus() != h) {
            close_list(h, false);
            tell_combo(h, CBN_KILLFOCUS);
          }
        }
      }
      return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(h, message, wParam, lParam);
      if (HWND edit = combos()[h].edit) SendMessage(edit, WM_SETTEXT, 0, lParam);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
      LRESULT at = s.insert(message == CB_ADDSTRING ? -1 : index, reinterpret_cast<const char*>(lParam));
      if (combos()[h].list) scroll_to_show(h, combos()[h].top);
      return at;
    }
    case CB_DELETESTRING: {
      bool was_selected = index == s.selected;
      LRESULT left = s.erase(index);
      if (was_selected) choose(h, -1, false);
      if (combos()[h].list) InvalidateRect(combos()[h].list, nullptr, TRUE);
      return left;
    }
    case CB_RESETCONTENT: {
      int height = s.item_height;
      s = ListState();
      s.item_height = height;
      combos()[h].top = 0;
      choose(h, -1, false);
      return 0;
    }
    case CB_GETCOUNT:
      return s.count();
    case CB_GETCURSEL:
      return s.selected;
    case CB_SETCURSEL:
      return choose(h, index, false);
    case CB_GETLBTEXTLEN:
      return s.valid(index) ? LRESULT(s.items[size_t(index)].text.size()) : CB_ERR;
    case CB_GETLBTEXT:
      return s.copy_text(index, lParam);
    case CB_FINDSTRINGEXACT:
      return s.find_exact(index, reinterpret_cast<const char*>(lParam));
    case CB_GETITEMDATA:
      return s.valid(index) ? LRESULT(s.items[size_t(index)].data) : CB_ERR;
    case CB_SETITEMDATA:
      if (!s.valid(index)) return CB_ERR;
      s.items[size_t(index)].data = UINT_PTR(lParam);
      return 0;
    case CB_GETITEMHEIGHT:
      return index == -1 ? field_height(s.item_height) - 6 : s.item_height;
    case CB_SETITEMHEIGHT: {
      int height = int(LOWORD(lParam));
      if (height <= 0 || height > 255) return CB_ERR;
      s.item_height = height;
      fit_field(h);
      return 0;
    }
    case CB_SHOWDROPDOWN:
      if (wParam) {
        open_list(h);
      } else {
        close_list(h, false);
      }
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return combos()[h].list != nullptr;
    case CB_GETDROPPEDCONTROLRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!out) return CB_ERR;
      GetWindowRect(h, out);
      out->bottom = out->top + std::max(int(out->bottom - out->top), combos()[h].drop_height);
      return TRUE;
    }
    case CB_LIMITTEXT:
      if (HWND edit = combos()[h].edit) SendMessage(edit, EM_LIMITTEXT, wParam, 0);
      return TRUE;
    case CB_SETEDITSEL:
      if (HWND edit = combos()[h].edit) {
        SendMessage(edit, EM_SETSEL, WPARAM(short(LOWORD(lParam))), LPARAM(short(HIWORD(lParam))));
        return TRUE;
      }
      return CB_ERR;
    case WM_GETDLGCODE:
      // While the list shows, Enter and Esc are the list's.
      return combos()[h].list ? DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS : DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (HWND edit = combos()[h].edit) {
        SetFocus(edit);
      } else {
        SetFocus(h);
      }
      // A drop-down list drops from anywhere on its field, an editable one from its button.
      RECT r;
      GetClientRect(h, &r);
      bool on_button = GET_X_LPARAM(lParam) >= r.right - button_width() - 2;
      if (is_drop_list(h) || on_button) {
        if (combos()[h].list) {
          close_list(h, false);
        } else {
          open_list(h);
        }
      }
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (message == WM_KEYDOWN && is_help_or_menu_key(wParam)) return DefWindowProc(h, message, wParam, lParam);
      if (combo_key(h, int(wParam), message == WM_SYSKEYDOWN)) return 0;
      return message == WM_SYSKEYDOWN ? DefWindowProc(h, message, wParam, lParam) : 0;
    case WM_CHAR:
      if (is_drop_list(h) && wParam >= 0x20) combo_letter(h, static_cast<unsigned char>(wParam));
      return 0;
    case WM_SETFOCUS:
      if (HWND edit = combos()[h].edit) {
        SetFocus(edit);
        return 0;
      }
      InvalidateRect(h, nullptr, TRUE);
      tell_combo(h, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (combos()[h].edit) return 0;
      close_list(h, false);
      InvalidateRect(h, nullptr, TRUE);
      if (IsWindow(h)) tell_combo(h, CBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      if (!wParam) close_list(h, false);
      if (HWND edit = combos()[h].edit) EnableWindow(edit, BOOL(wParam));
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_WINDOWPOSCHANGING: {
      // As a created combo box: a height given later is the dropped list's extent; the field
      // keeps its own.
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      const int field = field_height(s.item_height);
      if (pos && !(pos->flags & SWP_NOSIZE) && pos->cy != field) {
        combos()[h].drop_height = pos->cy;
        pos->cy = field;
      }
      return DefWindowProc(h, message, wParam, lParam);
    }
    case WM_SIZE:
      if (HWND edit = combos()[h].edit) {
        MoveWindow(edit, 3, 3, std::max(0, int(LOWORD(lParam)) - button_width() - 5),
                   std::max(0, int(HIWORD(lParam)) - 6), TRUE);
      }
      return 0;
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        bool enabled = IsWindowEnabled(h) != FALSE;
        dc.FillSolidRect(&r, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect inner(r);
        inner.DeflateRect(1, 1);
        dc.Draw3dRect(&inner, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_BTNFACE));
        CRect button(r.right - 2 - button_width(), r.top + 2, r.right - 2, r.bottom - 2);
        bool down = combos()[h].list != nullptr;
        dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
        if (down) {
          dc.Draw3dRect(&button, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
        } else {
          dc.Draw3dRect(&button, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWFRAME));
          CRect face(button);
          face.DeflateRect(1, 1);
          dc.Draw3dRect(&face, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        }
        CRect arrow(button);
        if (down) arrow.OffsetRect(1, 1);
        draw_drop_arrow(dc, arrow, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        if (combos()[h].edit) return;
        // The chosen item, marked while the field has the focus.
        CRect field(r.left + 3, r.top + 3, button.left - 1, r.bottom - 3);
        bool focused = GetFocus() == h && !down;
        if (enabled) {
          draw_combo_row(h, dc, field, s.selected, focused);
        } else if (s.valid(s.selected)) {
          const std::string& t = s.items[size_t(s.selected)].text;
          CRect text(field.left + 2, field.top, field.right - 2, field.bottom);
          dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
          dc.DrawText(t.c_str(), int(t.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        if (focused) dc.DrawFocusRect(&field);
      });
      return 0;
    case WM_NCDESTROY:
      close_list(h, false);
      combos().erase(h);
      lists().erase(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

// --- Scroll bar ---------------------------------------------------------------------------------------

struct ScrollState {
  int min = 0, max = 100;
  UINT page = 0;
  int pos = 0;
  int track = 0;
};

std::map<HWND, ScrollState>& scroll_bars() {
  static std::map<HWND, ScrollState> b;
  return b;
}

// The largest position: the end of the range less the page.
int max_position(const ScrollState& s) {
  long long top = (long long)s.max - std::max<long long>((long long)s.page - 1, 0);
  return int(std::max<long long>(s.min, top));
}

LRESULT scroll_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  ScrollState& s = scroll_bars()[h];
  bool vertical = (style_of(h) & SBS_VERT) != 0;
  auto set_pos = [&](long long pos) {
    int old = s.pos;
    s.pos = int(std::clamp<long long>(pos, s.min, max_position(s)));
    if (s.pos != old) InvalidateRect(h, nullptr, TRUE);
    return old;
  };
  switch (message) {
    case SBM_SETPOS:
      return set_pos(int(wParam));
    case SBM_GETPOS:
      return s.pos;
    case SBM_SETRANGE:
      s.min = int(wParam);
      s.max = std::max(int(wParam), int(lParam));
      set_pos(s.pos);
      return 0;
    case SBM_GETRANGE:
      if (wParam) *reinterpret_cast<int*>(wParam) = s.min;
      if (lParam) *reinterpret_cast<int*>(lParam) = s.max;
      return 0;
    case SBM_SETSCROLLINFO: {
      const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
      if (!info) return s.pos;
      if (info->fMask & SIF_RANGE) {
        s.min = info->nMin;
        s.max = std::max(info->nMin, info->nMax);
      }
      if (info->fMask & SIF_PAGE) {
        // A page larger than the range is cut to it.
        long long span = (long long)s.max - s.min + 1;
        s.page = UINT(std::min<long long>(info->nPage, span));
      }
      set_pos((info->fMask & SIF_POS) ? info->nPos : s.pos);
      InvalidateRect(h, nullptr, TRUE);
      return s.pos;
    }
    case SBM_GETSCROLLINFO: {
      auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
      if (!info) return FALSE;
      if (info->fMask & SIF_RANGE) {
        info->nMin = s.min;
        info->nMax = s.max;
      }
      if (info->fMask & SIF_PAGE) info->nPage = s.page;
      if (info->fMask & SIF_POS) info->nPos = s.pos;
      if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.track;
      return TRUE;
    }
    case WM_LBUTTONDOWN: {
      // Arrows at the ends (a square each), the page areas between.
      RECT r;
      GetClientRect(h, &r);
      int length = vertical ? r.bottom : r.right;
      int arrow = vertical ? r.right : r.bottom;
      int at = vertical ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
      UINT code = at < arrow ? SB_LINEUP : at >= length - arrow ? SB_LINEDOWN : at < length / 2 ? SB_PAGEUP : SB_PAGEDOWN;
      if (HWND parent = GetParent(h)) {
        SendMessage(parent, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(WORD(code), 0), reinterpret_cast<LPARAM>(h));
        SendMessage(parent, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(h));
      }
      return 0;
    }
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        dc.FillSolidRect(&r, GetSysColor(COLOR_SCROLLBAR));
        long long span = (long long)max_position(s) - s.min;
        int length = vertical ? r.Height() : r.Width(), arrow = vertical ? r.Width() : r.Height();
        int room = std::max(0, length - 3 * arrow);
        int offset = arrow + int(span > 0 ? ((long long)s.pos - s.min) * room / span : 0);
        CRect thumb = vertical ? CRect(r.left, offset, r.right, offset + arrow) : CRect(offset, r.top, offset + arrow, r.bottom);
        dc.FillSolidRect(&thumb, GetSysColor(COLOR_BTNFACE));
        dc.Draw3dRect(&thumb, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
      });
      return 0;
    case WM_NCDESTROY:
      scroll_bars().erase(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}


}  // namespace

namespace controls {
void register_standard_controls() {
  register_control_class("Static", static_proc, 0, COLOR_BTNFACE);
  register_control_class("Button", button_proc, CS_DBLCLKS, COLOR_BTNFACE);
  register_control_class("Edit", edit_proc, CS_DBLCLKS, COLOR_BTNFACE);
  register_control_class("ListBox", list_proc, CS_DBLCLKS, COLOR_BTNFACE);
  register_control_class("ComboBox", combo_proc, CS_DBLCLKS, COLOR_BTNFACE);
  register_control_class("ScrollBar", scroll_proc, CS_DBLCLKS, COLOR_BTNFACE);
  // The framework's property sheets put their pages under a tab control.
  register_tab_control();
}
}  // namespace controls

// --- Framework classes ----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("ComboBox", nullptr, style | WS_CHILD, rect, parent, id);
}

void CComboBox::GetLBText(int i, CString& out) const {
  int n = int(SendMessage(CB_GETLBTEXTLEN, WPARAM(i)));
  if (n < 0) {
    out.Empty();
    return;
  }
  std::string buffer(size_t(n) + 1, '\0');
  SendMessage(CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(size_t(n));
  out = CString(buffer);
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("ScrollBar", nullptr, style | WS_CHILD, rect, parent, id);
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) {
  SendMessage(SBM_SETRANGE, WPARAM(nMinPos), LPARAM(nMaxPos));
  if (bRedraw) Invalidate();
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) const {
  lpScrollInfo->fMask = nMask;
  return BOOL(SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpScrollInfo)));
}

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("Static", text, style | WS_CHILD, rect, parent, id);
}

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("Button", caption, style | WS_CHILD, rect, parent, id);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult) *pResult = TRUE;
  return TRUE;
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("Edit", nullptr, style | WS_CHILD, rect, parent, id);
}

void CEdit::GetSel(int& start, int& end) const {
  DWORD a = 0, b = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  start = int(a);
  end = int(b);
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("ListBox", nullptr, style | WS_CHILD, rect, parent, id);
}

void CListBox::GetText(int i, CString& out) const {
  int n = GetTextLen(i);
  if (n < 0) {
    out.Empty();
    return;
  }
  std::string buffer(size_t(n) + 1, '\0');
  SendMessage(LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(size_t(n));
  out = CString(buffer);
}
