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

namespace {

using namespace controls::standard;

// --- List box -----------------------------------------------------------------------------------------

// The list box's own scroll bar covers its rows; with every row in sight the layer hides it.
void update_list_scroll(HWND h) {
  if (!(style_of(h) & WS_VSCROLL)) return;
  const ListState& s = win::control_state<ListState>(h);
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
    if (message == WM_SETFONT && !owner_drawn(h)) win::control_state<ListState>(h).item_height = std::max(kItemHeight, text_height(h) + 3);
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
  ListState& s = win::control_state<ListState>(h);
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
      int where = message == LB_ADDSTRING ? -1 : index;
      if (message == LB_ADDSTRING && !value_only && (style_of(h) & LBS_SORT) && lParam) {
        // After the rows that sort before it or equal to it.
        const char* text = reinterpret_cast<const char*>(lParam);
        where = int(std::partition_point(s.items.begin(), s.items.end(), [text](const ListItem& item) {
                      return base::cp1250::collate(item.text, text) <= 0;
                    }) - s.items.begin());
      }
      int at = s.insert(where, value_only ? nullptr : reinterpret_cast<const char*>(lParam));
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
        // The parent may give the rows a background brush and a text colour (WM_CTLCOLORLISTBOX).
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        HBRUSH brush = nullptr;
        if (HWND parent = GetParent(h)) {
          brush = ResolveClassBrush(reinterpret_cast<HBRUSH>(
              SendMessage(parent, WM_CTLCOLORLISTBOX, WPARAM(dc.GetSafeHdc()), reinterpret_cast<LPARAM>(h))));
        }
        const COLORREF text_colour = dc.GetTextColor();
        if (brush) {
          dc.FillRect(&r, CBrush::FromHandle(brush));
        } else {
          dc.FillSolidRect(&r, GetSysColor(COLOR_WINDOW));
        }
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
          dc.SetTextColor(sel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text_colour);
          const std::string& t = s.items[size_t(i)].text;
          dc.TextOut(row.left + 2, row.top + 1, t.c_str(), int(t.size()));
          if (focus && multi) dc.DrawFocusRect(&row);
        }
      });
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<ListState>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls::standard {
void register_list_box_control() { register_control_class("ListBox", list_proc, CS_DBLCLKS, COLOR_BTNFACE); }
}  // namespace controls::standard
