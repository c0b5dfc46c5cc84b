// What the standard controls' window procedures share: the control's style, telling the parent,
// painting through a framework context, labels, and the rows of list boxes and drop-down lists.
// Only the standard controls' own files include it.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/standard_controls.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_font.h"
#include "platform/win/control_state.h"

namespace controls::standard {

// Each registers its window class.
void register_static_control();
void register_button_control();
void register_edit_control();
void register_list_box_control();
void register_combo_box_control();
void register_scroll_bar_control();

inline DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }

inline void notify(HWND h, WORD code) {
  if (HWND parent = GetParent(h)) {
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(h)), code), reinterpret_cast<LPARAM>(h));
  }
}

// Paints through a framework context over BeginPaint's handle.
template <typename Paint>
inline void paint(HWND h, Paint&& body) {
  CPaintDC dc(h);
  win::WindowFontScope font(dc.GetSafeHdc(), h);
  RECT r;
  GetClientRect(h, &r);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(IsWindowEnabled(h) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  body(dc, CRect(r));
}

// A label without its '&' marks ("&&" is one '&').
inline std::string label(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// F1 and the context-menu key are no control's own: the default handling asks for help or for
// the context menu.
inline bool is_help_or_menu_key(WPARAM key) { return key == WPARAM(VK_F1) || key == WPARAM(VK_APPS); }

// Draws a label; a disabled control's is etched: grey over a highlight copy one pixel down and right.
inline void draw_label(HWND h, CDC& dc, const std::string& text, CRect r, UINT format) {
  if (!IsWindowEnabled(h)) {
    CRect etch(r);
    etch.OffsetRect(1, 1);
    dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    dc.DrawText(text.c_str(), int(text.size()), &etch, format);
    dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  }
  dc.DrawText(text.c_str(), int(text.size()), &r, format);
}

// The height of a line of text in the control's font.
inline int text_height(HWND h) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, win::window_font(h));
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return std::max(1, int(tm.tmHeight));
}


// The edit child of an editable combo box, and whether a window is a combo box.
constexpr int kComboEditId = 1001;

inline bool is_combo(HWND h) {
  char name[16] = {};
  GetClassName(h, name, sizeof name);
  return std::string_view(name) == "ComboBox";
}

// Sets the window's text without the control's own handling of WM_SETTEXT.
inline void set_text_raw(HWND h, const std::string& text) { DefWindowProc(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }

// --- Item lists (list boxes and drop-down lists) --------------------------------------------------

constexpr int kItemHeight = 16;

struct ListItem {
  std::string text;
  UINT_PTR data = 0;
  int height = kItemHeight;  // the row's own height (owner-drawn rows of varying height)
  int check = 0;             // the row's check mark (check list boxes)
  bool picked = false;       // selected (multiple-selection list boxes)
};

struct ListState : win::ControlState {
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

inline bool owner_drawn(HWND h) { return (style_of(h) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
inline bool multiple_selection(HWND h) { return (style_of(h) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

// Asks the parent for the height of row `item` (every row of a fixed list box: `item` 0).
inline int measure_row(HWND h, int item, UINT_PTR data, int height) {
  MEASUREITEMSTRUCT m{ODT_LISTBOX, UINT(GetDlgCtrlID(h)), UINT(item), 0, UINT(height), data};
  SendMessage(GetParent(h), WM_MEASUREITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&m));
  return m.itemHeight > 0 ? int(std::min<UINT>(m.itemHeight, 255)) : height;
}

}  // namespace controls::standard
