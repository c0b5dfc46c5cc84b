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

// --- Button -------------------------------------------------------------------------------------------

struct ButtonState : win::ControlState {
  UINT check = BST_UNCHECKED;
  bool pushed = false;
  bool tracking = false;
};

DWORD button_type(HWND h) { return style_of(h) & BS_TYPEMASK; }
bool is_radio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool is_check(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

void set_check(HWND h, UINT check) {
  ButtonState& s = win::control_state<ButtonState>(h);
  if (s.check != check) {
    s.check = check;
    InvalidateRect(h, nullptr, TRUE);
  }
}

// A click: automatic buttons change their own state first, then the parent hears of it.
void click(HWND h) {
  DWORD type = button_type(h);
  if (type == BS_AUTOCHECKBOX) set_check(h, win::control_state<ButtonState>(h).check ? BST_UNCHECKED : BST_CHECKED);
  if (type == BS_AUTO3STATE) set_check(h, (win::control_state<ButtonState>(h).check + 1) % 3);
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
  const ButtonState& s = win::control_state<ButtonState>(h);
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
      return win::control_state<ButtonState>(h).check;
    case BM_SETCHECK:
      set_check(h, UINT(wParam) > BST_INDETERMINATE ? BST_CHECKED : UINT(wParam));
      return 0;
    case BM_GETSTATE: {
      const ButtonState& s = win::control_state<ButtonState>(h);
      return s.check | (s.pushed ? BST_PUSHED : 0) | (GetFocus() == h ? BST_FOCUS : 0);
    }
    case BM_SETSTATE:
      win::control_state<ButtonState>(h).pushed = wParam != 0;
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
      win::control_state<ButtonState>(h).tracking = true;
      win::control_state<ButtonState>(h).pushed = true;
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP: {
      ButtonState& s = win::control_state<ButtonState>(h);
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
      win::drop_control_state<ButtonState>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}


}  // namespace

namespace controls::standard {
void register_button_control() { register_control_class("Button", button_proc, CS_DBLCLKS, COLOR_BTNFACE); }
}  // namespace controls::standard
