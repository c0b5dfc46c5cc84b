#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/controls/control_class.h"
#include "platform/controls/drop_button.h"
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

// --- Combo box ----------------------------------------------------------------------------------------
//
// The control itself is its field: the chosen item (a drop-down list) or an edit child (an editable
// drop-down) at the height of one row, with the drop button at the right. The height it is created
// with is its list's: the list drops in a pop-up window of its own below the field, which holds
// the mouse while it shows, so a click outside closes it.

struct ComboState : win::ControlState {
  int drop_height = 0;   // the creation height: field and list together
  HWND list = nullptr;   // the dropped list while it shows
  HWND edit = nullptr;   // the edit field of an editable combo box
  int before_drop = -1;  // the selection when the list dropped
  int hot = -1;          // the row marked in the dropped list
  int top = 0;           // the first row the dropped list shows
  bool pressed = false;  // the drop button is held down
};

bool is_drop_list(HWND h) { return (style_of(h) & 3) == CBS_DROPDOWNLIST; }
bool is_editable(HWND h) { return (style_of(h) & 3) == CBS_DROPDOWN; }

int button_width() { return controls::drop_button_width(); }

// The field's height for rows of `item_height`.
int field_height(int item_height) { return item_height + 6; }

void fit_field(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  SetWindowPos(h, nullptr, 0, 0, r.right - r.left, field_height(win::control_state<ListState>(h).item_height),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (HWND edit = win::control_state<ComboState>(h).edit) {
    RECT c;
    GetClientRect(h, &c);
    MoveWindow(edit, 3, 3, std::max(0, int(c.right) - button_width() - 5), std::max(0, int(c.bottom) - 6), TRUE);
  }
}

void tell_combo(HWND h, WORD code) { notify(h, code); }

int list_rows_shown(HWND list);

void set_combo_text(HWND h, const std::string& text) {
  set_text_raw(h, text);
  if (HWND edit = win::control_state<ComboState>(h).edit) {
    SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessage(edit, EM_SETSEL, 0, -1);
  }
}

// Makes row `to` (-1 none) the selection and the field's text; `tell` sends CBN_SELCHANGE.
LRESULT choose(HWND h, int to, bool tell) {
  ListState& s = win::control_state<ListState>(h);
  if (!s.valid(to) && to != -1) return CB_ERR;
  bool changed = to != s.selected;
  s.selected = to;
  win::control_state<ComboState>(h).hot = to;
  set_combo_text(h, to < 0 ? std::string() : s.items[size_t(to)].text);
  InvalidateRect(h, nullptr, TRUE);
  if (HWND list = win::control_state<ComboState>(h).list) InvalidateRect(list, nullptr, TRUE);
  if (tell && changed) tell_combo(h, CBN_SELCHANGE);
  return to < 0 ? CB_ERR : to;
}

void close_list(HWND h, bool accept) {
  ComboState& c = win::control_state<ComboState>(h);
  HWND list = std::exchange(c.list, nullptr);
  if (!list) return;
  if (GetCapture() == list) ReleaseCapture();
  DestroyWindow(list);
  InvalidateRect(h, nullptr, TRUE);
  if (!IsWindow(h)) return;
  if (accept) {
    int hot = win::control_state<ComboState>(h).hot;
    if (win::control_state<ListState>(h).valid(hot) && hot != win::control_state<ListState>(h).selected) choose(h, hot, true);
    tell_combo(h, CBN_SELENDOK);
  } else {
    tell_combo(h, CBN_SELENDCANCEL);
  }
  if (IsWindow(h)) tell_combo(h, CBN_CLOSEUP);
}

void scroll_to_show(HWND h, int row) {
  ComboState& c = win::control_state<ComboState>(h);
  if (!c.list || row < 0) return;
  int shown = list_rows_shown(c.list);
  if (row < c.top) c.top = row;
  if (row >= c.top + shown) c.top = row - shown + 1;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, std::max(0, win::control_state<ListState>(h).count() - 1), UINT(shown), c.top, 0};
  SetScrollInfo(c.list, SB_VERT, &info, TRUE);
  InvalidateRect(c.list, nullptr, TRUE);
}

LRESULT drop_list_proc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

void register_drop_list_class() {
  controls::register_control_class("ComboLBox", drop_list_proc, 0, COLOR_WINDOW);
}

void open_list(HWND h) {
  ComboState& c = win::control_state<ComboState>(h);
  if (c.list || !IsWindowEnabled(h)) return;
  tell_combo(h, CBN_DROPDOWN);  // the parent may fill the list now
  if (!IsWindow(h)) return;
  ListState& s = win::control_state<ListState>(h);
  RECT field;
  GetWindowRect(h, &field);
  int rows = std::max(1, s.count());
  int room = std::max(s.item_height + 2, win::control_state<ComboState>(h).drop_height - (field.bottom - field.top));
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
  ComboState& now = win::control_state<ComboState>(h);
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
  return std::max(1, int(r.bottom) / std::max(1, win::control_state<ListState>(combo_of(list)).item_height));
}

// Draws one row of a combo box's items, as an owner-drawn combo box's parent or as plain text.
void draw_combo_row(HWND h, CDC& dc, const CRect& row, int i, bool marked) {
  ListState& s = win::control_state<ListState>(h);
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
  if (!IsWindow(h) || !win::find_control_state<ComboState>(h)) return DefWindowProc(list, message, wParam, lParam);
  ListState& s = win::control_state<ListState>(h);
  auto row_at = [&](LPARAM at) {
    RECT r;
    GetClientRect(list, &r);
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (p.x < 0 || p.y < 0 || p.x >= r.right || p.y >= r.bottom) return -1;
    int row = win::control_state<ComboState>(h).top + p.y / std::max(1, s.item_height);
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
      if (int row = row_at(lParam); row >= 0 && row != win::control_state<ComboState>(h).hot) {
        win::control_state<ComboState>(h).hot = row;
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
        ComboState& c = win::control_state<ComboState>(h);
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
      ComboState& c = win::control_state<ComboState>(h);
      int shown = list_rows_shown(list);
      c.top = std::clamp(c.top - short(HIWORD(wParam)) / 40, 0, std::max(0, s.count() - shown));
      scroll_to_show(h, c.top);
      return 0;
    }
    case WM_CAPTURECHANGED:
      // Something else took the mouse (a dialog, a menu): the list goes away unchosen.
      if (win::control_state<ComboState>(h).list == list && reinterpret_cast<HWND>(lParam) != list) close_list(h, false);
      return 0;
    case WM_PAINT:
      paint(list, [&](CDC& dc, CRect r) {
        win::WindowFontScope font(dc.GetSafeHdc(), h);
        dc.FillSolidRect(&r, GetSysColor(COLOR_WINDOW));
        const ComboState& c = win::control_state<ComboState>(h);
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
  ListState& s = win::control_state<ListState>(h);
  if (s.count() == 0) return;
  to = std::clamp(to, 0, s.count() - 1);
  if (win::control_state<ComboState>(h).list) {
    choose(h, to, true);
    scroll_to_show(h, to);
  } else if (to != s.selected) {
    // A closed box takes the row at once: the choice ends, then the selection changes.
    tell_combo(h, CBN_SELENDOK);
    if (IsWindow(h)) choose(h, to, true);
  }
}

bool combo_key(HWND h, int vk, bool alt) {
  ListState& s = win::control_state<ListState>(h);
  ComboState& c = win::control_state<ComboState>(h);
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
  ListState& s = win::control_state<ListState>(h);
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
  if (message == WM_GETDLGCODE && win::control_state<ComboState>(h).list) return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (message == WM_GETDLGCODE) return edit_class_proc()(edit, message, wParam, lParam) | DLGC_WANTARROWS;
  return edit_class_proc()(edit, message, wParam, lParam);
}

LRESULT combo_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) {
    if (message == WM_SETFONT) {
      if (HWND edit = win::control_state<ComboState>(h).edit) SendMessage(edit, WM_SETFONT, wParam, lParam);
      if (!(style_of(h) & CBS_OWNERDRAWFIXED)) win::control_state<ListState>(h).item_height = text_height(h) + 2;
      fit_field(h);
    }
    return r;
  }
  ListState& s = win::control_state<ListState>(h);
  int index = int(wParam);
  switch (message) {
    case WM_NCCREATE: {
      // The list, not the field, scrolls.
      SetWindowLongPtr(h, GWL_STYLE, LONG_PTR(style_of(h) & ~(WS_VSCROLL | WS_HSCROLL)));
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      win::control_state<ComboState>(h).drop_height = cs ? cs->cy : 0;
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
          win::control_state<ComboState>(h).edit = edit;
        }
      }
      fit_field(h);
      return 0;
    }
    case WM_COMMAND:
      // The edit of an editable combo box reports to the combo box, which tells its parent.
      if (HWND edit = win::control_state<ComboState>(h).edit; edit && reinterpret_cast<HWND>(lParam) == edit) {
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
      if (HWND edit = win::control_state<ComboState>(h).edit) SendMessage(edit, WM_SETTEXT, 0, lParam);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
      LRESULT at = s.insert(message == CB_ADDSTRING ? -1 : index, reinterpret_cast<const char*>(lParam));
      if (win::control_state<ComboState>(h).list) scroll_to_show(h, win::control_state<ComboState>(h).top);
      return at;
    }
    case CB_DELETESTRING: {
      bool was_selected = index == s.selected;
      LRESULT left = s.erase(index);
      if (was_selected) choose(h, -1, false);
      if (win::control_state<ComboState>(h).list) InvalidateRect(win::control_state<ComboState>(h).list, nullptr, TRUE);
      return left;
    }
    case CB_RESETCONTENT: {
      int height = s.item_height;
      s = ListState();
      s.item_height = height;
      win::control_state<ComboState>(h).top = 0;
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
      return win::control_state<ComboState>(h).list != nullptr;
    case CB_GETDROPPEDCONTROLRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!out) return CB_ERR;
      GetWindowRect(h, out);
      out->bottom = out->top + std::max(int(out->bottom - out->top), win::control_state<ComboState>(h).drop_height);
      return TRUE;
    }
    case CB_LIMITTEXT:
      if (HWND edit = win::control_state<ComboState>(h).edit) SendMessage(edit, EM_LIMITTEXT, wParam, 0);
      return TRUE;
    case CB_SETEDITSEL:
      if (HWND edit = win::control_state<ComboState>(h).edit) {
        SendMessage(edit, EM_SETSEL, WPARAM(short(LOWORD(lParam))), LPARAM(short(HIWORD(lParam))));
        return TRUE;
      }
      return CB_ERR;
    case WM_GETDLGCODE:
      // While the list shows, Enter and Esc are the list's.
      return win::control_state<ComboState>(h).list ? DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS : DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (HWND edit = win::control_state<ComboState>(h).edit) {
        SetFocus(edit);
      } else {
        SetFocus(h);
      }
      // A drop-down list drops from anywhere on its field, an editable one from its button.
      RECT r;
      GetClientRect(h, &r);
      bool on_button = GET_X_LPARAM(lParam) >= r.right - button_width() - 2;
      if (is_drop_list(h) || on_button) {
        if (win::control_state<ComboState>(h).list) {
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
      if (HWND edit = win::control_state<ComboState>(h).edit) {
        SetFocus(edit);
        return 0;
      }
      InvalidateRect(h, nullptr, TRUE);
      tell_combo(h, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (win::control_state<ComboState>(h).edit) return 0;
      close_list(h, false);
      InvalidateRect(h, nullptr, TRUE);
      if (IsWindow(h)) tell_combo(h, CBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      if (!wParam) close_list(h, false);
      if (HWND edit = win::control_state<ComboState>(h).edit) EnableWindow(edit, BOOL(wParam));
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_WINDOWPOSCHANGING: {
      // As a created combo box: a height given later is the dropped list's extent; the field
      // keeps its own.
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      const int field = field_height(s.item_height);
      if (pos && !(pos->flags & SWP_NOSIZE) && pos->cy != field) {
        win::control_state<ComboState>(h).drop_height = pos->cy;
        pos->cy = field;
      }
      return DefWindowProc(h, message, wParam, lParam);
    }
    case WM_SIZE:
      if (HWND edit = win::control_state<ComboState>(h).edit) {
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
        bool down = win::control_state<ComboState>(h).list != nullptr;
        controls::draw_drop_button(dc, button, down, enabled);
        if (win::control_state<ComboState>(h).edit) return;
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
      win::drop_control_state<ComboState>(h);
      win::drop_control_state<ListState>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls::standard {
void register_combo_box_control() { register_control_class("ComboBox", combo_proc, CS_DBLCLKS, COLOR_BTNFACE); }
}  // namespace controls::standard
