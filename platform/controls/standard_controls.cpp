#include "platform/controls/standard_controls.h"
#include "platform/controls/control_class.h"
#include "platform/controls/tab_ctrl.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"

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

// --- Static -------------------------------------------------------------------------------------------

LRESULT static_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
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
        std::string text = GetWindowTextString(h);
        if (!(s & SS_NOPREFIX)) text = label(text);
        UINT format = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
        dc.DrawText(text.c_str(), int(text.size()), &r, format | DT_WORDBREAK | DT_NOPREFIX);
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
    CRect frame(r.left, r.top + 6, r.right, r.bottom);
    dc.Draw3dRect(&frame, shadow, light);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    dc.TextOut(r.left + 8, r.top, text.c_str(), int(text.size()));
    return;
  }
  if (is_check(type) || is_radio(type)) {
    CRect t(controls::draw_check_box(dc, r, int(s.check)), r.top, r.right, r.bottom);
    dc.DrawText(text.c_str(), int(text.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
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
  dc.DrawText(text.c_str(), int(text.size()), &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT button_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
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
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
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
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        bool read_only = (style_of(h) & ES_READONLY) != 0;
        dc.FillSolidRect(&r, GetSysColor(read_only ? COLOR_BTNFACE : COLOR_WINDOW));
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        std::string text = GetWindowTextString(h);
        if (style_of(h) & ES_PASSWORD) text.assign(text.size(), '*');
        CRect t(r.left + 3, r.top + 2, r.right - 3, r.bottom - 2);
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
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
};

struct ListState {
  std::vector<ListItem> items;
  int selected = -1;
  int item_height = kItemHeight;  // every row's height unless rows vary
  bool rows_vary = false;

  int count() const { return int(items.size()); }
  bool valid(int i) const { return i >= 0 && i < count(); }
  // Adds at the end (`at` < 0 or past the end) or before `at`; returns the index.
  int insert(int at, const char* text) {
    if (at < 0 || at > count()) at = count();
    items.insert(items.begin() + at, ListItem{text ? text : "", 0});
    if (selected >= at) ++selected;
    return at;
  }
  LRESULT erase(int i) {
    if (!valid(i)) return LB_ERR;
    items.erase(items.begin() + i);
    if (selected == i) selected = -1;
    if (selected > i) --selected;
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
  // The top of row `i` in client coordinates (rows start at the top; the box does not scroll).
  int row_top(int i) const {
    int top = 0;
    for (int k = 0; k < i; ++k) top += row_height(k);
    return top;
  }
  // The row under client height `y`, or -1 below the last row.
  int row_at(int y) const {
    if (y < 0) return -1;
    for (int i = 0, top = 0; i < count(); ++i) {
      top += row_height(i);
      if (y < top) return i;
    }
    return -1;
  }
};

std::map<HWND, ListState>& lists() {
  static std::map<HWND, ListState> l;
  return l;
}

bool owner_drawn(HWND h) { return (style_of(h) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }

// Asks the parent for the height of row `item` (every row of a fixed list box: `item` 0).
int measure_row(HWND h, int item, UINT_PTR data, int height) {
  MEASUREITEMSTRUCT m{ODT_LISTBOX, UINT(GetDlgCtrlID(h)), UINT(item), 0, UINT(height), data};
  SendMessage(GetParent(h), WM_MEASUREITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&m));
  return m.itemHeight > 0 ? int(std::min<UINT>(m.itemHeight, 255)) : height;
}

// --- List box -----------------------------------------------------------------------------------------

LRESULT list_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  ListState& s = lists()[h];
  int count = s.count();
  int index = int(wParam);
  auto select = [&](int to) {
    if (to == s.selected || !s.valid(to)) return;
    s.selected = to;
    InvalidateRect(h, nullptr, TRUE);
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
    case LB_DELETESTRING:
      InvalidateRect(h, nullptr, TRUE);
      return s.erase(index);
    case LB_RESETCONTENT:
      // Rows go; the measured row height stays.
      s.items.clear();
      s.selected = -1;
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case LB_GETCOUNT:
      return count;
    case LB_GETCURSEL:
      return s.selected;
    case LB_SETCURSEL:
      if (index >= count) return LB_ERR;
      s.selected = index < 0 ? -1 : index;
      InvalidateRect(h, nullptr, TRUE);
      return index < 0 ? LB_ERR : index;
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
      select(s.row_at(GET_Y_LPARAM(lParam)));
      if (message == WM_LBUTTONDBLCLK && (style_of(h) & LBS_NOTIFY)) notify(h, LBN_DBLCLK);
      return 0;
    case WM_KEYDOWN:
      if (is_help_or_menu_key(wParam)) return DefWindowProc(h, message, wParam, lParam);
      if (wParam == WPARAM(VK_DOWN)) select(std::min(count - 1, s.selected + 1));
      if (wParam == WPARAM(VK_UP)) select(std::max(0, s.selected - 1));
      return 0;
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        dc.FillSolidRect(&r, GetSysColor(COLOR_WINDOW));
        for (int i = 0, top = 0; i < count && top < r.bottom; top += s.row_height(i), ++i) {
          CRect row(r.left, top, r.right, top + s.row_height(i));
          bool sel = i == s.selected;
          if (owner_drawn(h)) {
            UINT state = (sel ? ODS_SELECTED : 0) | (sel && GetFocus() == h ? ODS_FOCUS : 0);
            DRAWITEMSTRUCT d{ODT_LISTBOX, UINT(GetDlgCtrlID(h)), UINT(i), ODA_DRAWENTIRE, state,
                             h, dc.GetSafeHdc(), row, s.items[size_t(i)].data};
            SendMessage(GetParent(h), WM_DRAWITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&d));
            continue;
          }
          if (sel) dc.FillSolidRect(&row, GetSysColor(COLOR_HIGHLIGHT));
          dc.SetTextColor(GetSysColor(sel ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
          const std::string& t = s.items[size_t(i)].text;
          dc.TextOut(row.left + 2, row.top + 1, t.c_str(), int(t.size()));
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

// --- Drop-down list -----------------------------------------------------------------------------------

LRESULT combo_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  ListState& s = lists()[h];
  int index = int(wParam);
  // The control's text is the chosen item's.
  auto choose = [&](int to, bool tell) {
    if (!s.valid(to) && to != -1) return LRESULT(CB_ERR);
    bool changed = to != s.selected;
    s.selected = to;
    set_text_raw(h, to < 0 ? std::string() : s.items[size_t(to)].text);
    InvalidateRect(h, nullptr, TRUE);
    if (tell && changed) notify(h, CBN_SELCHANGE);
    return to < 0 ? LRESULT(CB_ERR) : LRESULT(to);
  };
  switch (message) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
      return s.insert(message == CB_ADDSTRING ? -1 : index, reinterpret_cast<const char*>(lParam));
    case CB_DELETESTRING: {
      bool was_selected = index == s.selected;
      LRESULT left = s.erase(index);
      if (was_selected) choose(-1, false);
      return left;
    }
    case CB_RESETCONTENT:
      s = ListState();
      choose(-1, false);
      return 0;
    case CB_GETCOUNT:
      return s.count();
    case CB_GETCURSEL:
      return s.selected;
    case CB_SETCURSEL:
      return choose(index, false);
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
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      SetFocus(h);
      return 0;
    case WM_KEYDOWN:
      if (is_help_or_menu_key(wParam)) return DefWindowProc(h, message, wParam, lParam);
      if (wParam == WPARAM(VK_DOWN) && s.selected + 1 < s.count()) choose(s.selected + 1, true);
      if (wParam == WPARAM(VK_UP) && s.selected > 0) choose(s.selected - 1, true);
      return 0;
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        dc.FillSolidRect(&r, GetSysColor(COLOR_WINDOW));
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect button(r.right - 16, r.top + 2, r.right - 2, r.bottom - 2);
        dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
        dc.Draw3dRect(&button, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        std::string text = GetWindowTextString(h);
        CRect t(r.left + 3, r.top, button.left - 2, r.bottom);
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        dc.DrawText(text.c_str(), int(text.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      });
      return 0;
    case WM_NCDESTROY:
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
