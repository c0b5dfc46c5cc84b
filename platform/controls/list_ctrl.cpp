#include "platform/controls/list_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/controls/header_ctrl.h"
#include "platform/controls/list_ctrl_geometry.h"
#include "platform/controls/standard_controls.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_font.h"
#include "platform/win/control_state.h"

namespace {

// The timer that opens a label edit once a second click on a focused item was not a double click.
constexpr UINT_PTR kEditTimer = 42;
// Room for a text the parent supplies.
constexpr int kDispInfoText = 1024;
// Width of a column inserted without one.
constexpr int kDefaultColumnWidth = 100;
constexpr int kEditId = 1;
// Characters typed within this many milliseconds of each other search together.
constexpr DWORD kTypeAheadMs = 1000;
constexpr int kHeaderId = 0;

struct Cell {
  std::string text;
  bool callback = false;  // LPSTR_TEXTCALLBACK: asked from the parent
};

struct Item {
  std::vector<Cell> cells;  // by sub-item number; [0] is the label
  int image = 0;
  int indent = 0;
  UINT state = 0;
  LPARAM data = 0;
};

class LabelEdit;

struct ListView : win::ControlState {
  std::unique_ptr<CHeaderCtrl> header;
  std::vector<int> sub_items;  // the sub-item each column shows, by column
  std::vector<Item> items;     // without owner data
  int owner_count = 0;
  std::map<int, UINT> owner_states;  // owner data: the states that are not 0
  int top = 0;
  DWORD ex_style = 0;
  UINT callback_mask = 0;
  CImageList* images[3] = {nullptr, nullptr, nullptr};
  COLORREF background = CLR_DEFAULT;
  COLORREF text = CLR_DEFAULT;
  COLORREF text_background = CLR_NONE;  // behind the texts of rows not selected
  int mark = -1;                        // where a Shift range starts
  // Mouse: a press in the list, the item it was on (for a drag) and where.
  bool pressed = false;
  int press_item = -1;
  POINT press_point{0, 0};
  int armed = -1;  // the item whose button-up starts the label-edit timer
  // Label editing: the edit (owned by its window) and the item it edits.
  LabelEdit* edit = nullptr;
  int edit_item = -1;
  bool ending = false;
  bool syncing = false;  // the scroll bar is being set (it may resize the list)
  // Typing: the characters typed so far and when the last came.
  std::string typed;
  DWORD typed_at = 0;
};

ListView* find_view(HWND h) { return win::find_control_state<ListView>(h); }

DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }
bool owner_data(HWND h) { return (style_of(h) & LVS_OWNERDATA) != 0; }
bool single_selection(HWND h) { return (style_of(h) & LVS_SINGLESEL) != 0; }

int item_count(HWND h, const ListView& v) { return owner_data(h) ? v.owner_count : int(v.items.size()); }
bool has_item(HWND h, const ListView& v, int i) { return i >= 0 && i < item_count(h, v); }

LRESULT tell(HWND h, UINT code, NMHDR& header) {
  header.hwndFrom = h;
  header.idFrom = UINT_PTR(GetDlgCtrlID(h));
  header.code = code;
  HWND parent = GetParent(h);
  return parent ? SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

// --- Columns (kept by the header: title, width, format; the list keeps their sub-items) ------------

HWND header_of(const ListView& v) { return v.header ? v.header->m_hWnd : nullptr; }
int column_count(const ListView& v) { return int(v.sub_items.size()); }

HDITEM column_item(const ListView& v, int column, UINT mask, char* text = nullptr, int capacity = 0) {
  HDITEM item;
  item.mask = mask;
  item.pszText = text;
  item.cchTextMax = capacity;
  SendMessage(header_of(v), HDM_GETITEM, WPARAM(column), reinterpret_cast<LPARAM>(&item));
  return item;
}

int column_width(const ListView& v, int column) { return column_item(v, column, HDI_WIDTH).cxy; }
int column_format(const ListView& v, int column) { return column_item(v, column, HDI_FORMAT).fmt & LVCFMT_JUSTIFYMASK; }

int column_left(const ListView& v, int column) {
  int x = 0;
  for (int c = 0; c < column; ++c) x += column_width(v, c);
  return x;
}


int header_height(HWND h) { return (style_of(h) & LVS_NOCOLUMNHEADER) ? 0 : controls::kListHeaderHeight; }

// --- Item states -------------------------------------------------------------------------------------

UINT stored_state(HWND h, const ListView& v, int i) {
  if (!has_item(h, v, i)) return 0;
  if (!owner_data(h)) return v.items[size_t(i)].state;
  auto it = v.owner_states.find(i);
  return it == v.owner_states.end() ? 0 : it->second;
}

void store_state(HWND h, ListView& v, int i, UINT state) {
  if (!owner_data(h)) {
    v.items[size_t(i)].state = state;
  } else if (state) {
    v.owner_states[i] = state;
  } else {
    v.owner_states.erase(i);
  }
}

// The next item after `from` (-1: the first) whose stored state has every bit of `bits`, going
// up or down; -1 when none.
int next_item(HWND h, const ListView& v, int from, UINT bits, bool upward) {
  int count = item_count(h, v);
  if (owner_data(h) && bits) {
    // Only items with a state can match: walk the kept states.
    if (upward) {
      for (auto it = v.owner_states.lower_bound(from); it != v.owner_states.begin();) {
        --it;
        if ((it->second & bits) == bits) return it->first;
      }
      return -1;
    }
    for (auto it = v.owner_states.upper_bound(from); it != v.owner_states.end(); ++it) {
      if ((it->second & bits) == bits && it->first < count) return it->first;
    }
    return -1;
  }
  if (upward) {
    for (int i = std::min(from, count) - 1; i >= 0; --i) {
      if ((stored_state(h, v, i) & bits) == bits) return i;
    }
    return -1;
  }
  for (int i = std::max(from + 1, 0); i < count; ++i) {
    if ((stored_state(h, v, i) & bits) == bits) return i;
  }
  return -1;
}

int focused_item(HWND h, const ListView& v) { return next_item(h, v, -1, LVIS_FOCUSED, false); }

// --- Texts and images, asked from the parent when it keeps them -------------------------------------

// Asks the parent for the fields of `mask` of one item; keeps what it marks LVIF_DI_SETITEM.
NMLVDISPINFO ask_parent(HWND h, int i, int sub_item, UINT mask, char* buffer) {
  NMLVDISPINFO info{};
  info.item.mask = mask;
  info.item.iItem = i;
  info.item.iSubItem = sub_item;
  info.item.stateMask = mask & LVIF_STATE ? find_view(h)->callback_mask : 0;
  info.item.pszText = buffer;
  info.item.cchTextMax = kDispInfoText;
  if (buffer) buffer[0] = '\0';
  if (!owner_data(h)) info.item.lParam = find_view(h)->items[size_t(i)].data;
  tell(h, LVN_GETDISPINFO, info.hdr);
  ListView* v = find_view(h);
  if (v && (info.item.mask & LVIF_DI_SETITEM) && !owner_data(h) && has_item(h, *v, i)) {
    Item& item = v->items[size_t(i)];
    if ((mask & LVIF_TEXT) && info.item.pszText) {
      if (item.cells.size() <= size_t(sub_item)) item.cells.resize(size_t(sub_item) + 1);
      item.cells[size_t(sub_item)] = Cell{info.item.pszText, false};
    }
    if ((mask & LVIF_IMAGE) && sub_item == 0) item.image = info.item.iImage;
  }
  return info;
}

std::string cell_text(HWND h, int i, int sub_item) {
  ListView& v = *find_view(h);
  if (!has_item(h, v, i) || sub_item < 0) return {};
  if (!owner_data(h)) {
    const Item& item = v.items[size_t(i)];
    if (size_t(sub_item) >= item.cells.size()) return {};
    if (!item.cells[size_t(sub_item)].callback) return item.cells[size_t(sub_item)].text;
  }
  char buffer[kDispInfoText];
  NMLVDISPINFO info = ask_parent(h, i, sub_item, LVIF_TEXT, buffer);
  if (!info.item.pszText) return {};
  if (info.item.pszText == buffer) buffer[kDispInfoText - 1] = '\0';
  return info.item.pszText;
}

int item_image(HWND h, int i) {
  ListView& v = *find_view(h);
  if (!has_item(h, v, i)) return -1;
  if (!owner_data(h) && v.items[size_t(i)].image != I_IMAGECALLBACK) return v.items[size_t(i)].image;
  return ask_parent(h, i, 0, LVIF_IMAGE, nullptr).item.iImage;
}

// The state bits of `mask`, those of the callback mask asked from the parent.
UINT item_state(HWND h, int i, UINT mask) {
  ListView& v = *find_view(h);
  if (!has_item(h, v, i)) return 0;
  UINT state = stored_state(h, v, i);
  if (UINT asked = mask & v.callback_mask) {
    NMLVDISPINFO info = ask_parent(h, i, 0, LVIF_STATE, nullptr);
    state = (state & ~asked) | (info.item.state & asked);
  }
  return state & mask;
}

// --- Geometry ----------------------------------------------------------------------------------------

CRect client_of(HWND h) {
  CRect r;
  GetClientRect(h, &r);
  return r;
}

bool has_state_images(const ListView& v) { return (v.ex_style & LVS_EX_CHECKBOXES) || v.images[LVSIL_STATE]; }

int small_icon_width(const ListView& v) {
  int cx = 0, cy = 0;
  if (v.images[LVSIL_SMALL]) v.images[LVSIL_SMALL]->GetIconSize(cx, cy);
  return cx;
}

int item_indent(HWND h, const ListView& v, int i) { return owner_data(h) ? 0 : v.items[size_t(i)].indent; }

// The values the list's geometry is worked out from (list_ctrl_geometry.h).
controls::ListLayout layout_of(HWND h, const ListView& v) {
  controls::ListLayout layout;
  layout.client = client_of(h);
  layout.header_height = header_height(h);
  layout.top = v.top;
  layout.item_count = item_count(h, v);
  for (int c = 0; c < column_count(v); ++c) layout.column_widths.push_back(column_width(v, c));
  layout.state_width = has_state_images(v) ? controls::kListStateWidth : 0;
  layout.icon_width = small_icon_width(v);
  layout.full_row_select = (v.ex_style & LVS_EX_FULLROWSELECT) != 0;
  layout.indent = [h, &v](int i) { return item_indent(h, v, i); };
  return layout;
}

int per_page(HWND h) {
  controls::ListLayout layout;
  layout.client = client_of(h);
  layout.header_height = header_height(h);
  return controls::ListRowsPerPage(layout);
}
int max_top(HWND h, const ListView& v) { return controls::ListMaxTop(layout_of(h, v)); }

using RowParts = controls::ListRowParts;
RowParts row_parts(HWND h, const ListView& v, int i) { return controls::ListRowPartsOf(layout_of(h, v), i); }

bool sub_item_rect(HWND h, const ListView& v, int i, int column, UINT code, RECT* out) {
  return controls::ListSubItemRect(layout_of(h, v), i, column, code, out);
}

LVHITTESTINFO hit_test(HWND h, const ListView& v, POINT pt) { return controls::ListHitTest(layout_of(h, v), pt); }

void invalidate_item(HWND h, const ListView& v, int i) {
  RowParts p = row_parts(h, v, i);
  CRect row(0, p.bounds.top, client_of(h).right, p.bounds.bottom);
  InvalidateRect(h, &row, TRUE);
}

// --- Label editing -----------------------------------------------------------------------------------

void end_edit(HWND h, bool commit);
void set_top(HWND h, int top);
void sync_scroll_bar(HWND h);

// The in-place edit over a label: Enter keeps the text, Escape drops it, losing the focus keeps
// it. Once its window is made, the window owns the object.
class LabelEdit : public CEdit {
 public:
  explicit LabelEdit(HWND list) : list_(list) {}
  bool window_owns = false;

 protected:
  void PostNcDestroy() override {
    if (window_owns) std::unique_ptr<LabelEdit> self(this);
  }
  afx_msg UINT OnGetDlgCode() { return UINT(Default()) | DLGC_WANTALLKEYS; }
  afx_msg void OnKeyDown(UINT nChar, UINT, UINT) {
    if (nChar == UINT(VK_RETURN) || nChar == UINT(VK_ESCAPE)) {
      end_edit(list_, nChar == UINT(VK_RETURN));
    } else {
      Default();
    }
  }
  afx_msg void OnChar(UINT nChar, UINT, UINT) {
    if (nChar != '\r' && nChar != 0x1B) Default();
  }
  afx_msg void OnKillFocus(CWnd*) {
    Default();
    end_edit(list_, true);
  }
  afx_msg void OnDestroy() {
    // Taken away by someone else (the list going, say): the edit ends without a text.
    ListView* v = find_view(list_);
    if (v && v->edit == this && !v->ending) end_edit(list_, false);
    Default();
  }
  DECLARE_MESSAGE_MAP()

 private:
  HWND list_;
};

BEGIN_MESSAGE_MAP(LabelEdit, CEdit)
  ON_WM_GETDLGCODE()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_KILLFOCUS()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

bool change_item(HWND h, int i, const LVITEM& change);

void end_edit(HWND h, bool commit) {
  ListView* v = find_view(h);
  if (!v || !v->edit || v->ending) return;
  v->ending = true;
  HWND edit = v->edit->m_hWnd;
  int i = v->edit_item;
  std::string text = GetWindowTextString(edit);
  bool had_focus = GetFocus() == edit;
  ShowWindow(edit, SW_HIDE);
  NMLVDISPINFO info{};
  info.item.mask = LVIF_TEXT | LVIF_PARAM;
  info.item.iItem = i;
  info.item.pszText = commit ? text.data() : nullptr;
  info.item.cchTextMax = commit ? int(text.size()) + 1 : 0;
  if (!owner_data(h) && has_item(h, *v, i)) info.item.lParam = v->items[size_t(i)].data;
  bool accepted = tell(h, LVN_ENDLABELEDIT, info.hdr) != 0;
  v = find_view(h);
  if (!v) return;
  v->edit = nullptr;
  v->edit_item = -1;
  if (commit && accepted && !owner_data(h) && has_item(h, *v, i)) {
    LVITEM label;
    label.mask = LVIF_TEXT;
    label.iItem = i;
    label.pszText = text.data();
    change_item(h, i, label);
  }
  DestroyWindow(edit);
  if (had_focus && IsWindow(h)) SetFocus(h);
  if ((v = find_view(h))) v->ending = false;
}

// Opens the edit over item `i`'s label; the edit's handle, or null.
HWND begin_edit(HWND h, int i) {
  ListView* v = find_view(h);
  if (i < 0) {
    end_edit(h, false);
    return nullptr;
  }
  if (!(style_of(h) & LVS_EDITLABELS) || !has_item(h, *v, i)) return nullptr;
  end_edit(h, true);
  if (GetFocus() != h) SetFocus(h);
  if (!(v = find_view(h)) || !has_item(h, *v, i)) return nullptr;
  if (i < v->top || i >= v->top + per_page(h)) set_top(h, i < v->top ? i : i - per_page(h) + 1);
  KillTimer(h, kEditTimer);
  v->armed = -1;

  CRect r = row_parts(h, *v, i).label;
  r.InflateRect(0, 1);
  r.right = std::min(r.right, client_of(h).right);
  controls::register_standard_controls();
  auto made = std::make_unique<LabelEdit>(h);
  if (!made->Create(WS_CHILD | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL, r, CWnd::FromHandle(h), kEditId)) return nullptr;
  made->window_owns = true;
  ::SendMessage(made->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(win::window_font(h)), FALSE);
  LabelEdit* edit = made.release();
  HWND e = edit->m_hWnd;
  std::string text = cell_text(h, i, 0);
  SetWindowText(e, text.c_str());
  SendMessage(e, EM_SETSEL, 0, -1);
  v = find_view(h);
  v->edit = edit;
  v->edit_item = i;

  NMLVDISPINFO info{};
  info.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  info.item.iItem = i;
  info.item.state = stored_state(h, *v, i);
  info.item.stateMask = ~0u;
  info.item.pszText = text.data();
  info.item.cchTextMax = int(text.size()) + 1;
  if (!owner_data(h)) info.item.lParam = v->items[size_t(i)].data;
  bool refused = tell(h, LVN_BEGINLABELEDIT, info.hdr) != 0;
  v = find_view(h);
  if (!v || v->edit != edit || !IsWindow(e)) return nullptr;
  if (refused) {
    v->ending = true;  // no end notice for an edit that never began
    v->edit = nullptr;
    v->edit_item = -1;
    DestroyWindow(e);
    v->ending = false;
    return nullptr;
  }
  ShowWindow(e, SW_SHOW);
  SetFocus(e);
  return e;
}

// --- Changing items ----------------------------------------------------------------------------------

// The LVIF_ bits of `change` whose values differ from item `i`'s.
UINT changed_fields(HWND h, const ListView& v, int i, const LVITEM& change) {
  UINT changed = 0;
  UINT old_state = stored_state(h, v, i);
  if ((change.mask & LVIF_STATE) && ((old_state ^ change.state) & change.stateMask)) changed |= LVIF_STATE;
  if (owner_data(h)) return changed;
  const Item& item = v.items[size_t(i)];
  if (change.mask & LVIF_TEXT) {
    bool callback = change.pszText == LPSTR_TEXTCALLBACK;
    const Cell* cell = item.cells.empty() ? nullptr : &item.cells[0];
    if (!cell || cell->callback != callback || (!callback && cell->text != (change.pszText ? change.pszText : ""))) {
      changed |= LVIF_TEXT;
    }
  }
  if ((change.mask & LVIF_IMAGE) && item.image != change.iImage) changed |= LVIF_IMAGE;
  if ((change.mask & LVIF_PARAM) && item.data != change.lParam) changed |= LVIF_PARAM;
  if ((change.mask & LVIF_INDENT) && item.indent != change.iIndent) changed |= LVIF_INDENT;
  return changed;
}

void set_cell(Item& item, int sub_item, LPCTSTR text) {
  if (item.cells.size() <= size_t(sub_item)) item.cells.resize(size_t(sub_item) + 1);
  Cell& cell = item.cells[size_t(sub_item)];
  cell.callback = text == LPSTR_TEXTCALLBACK;
  cell.text = (cell.callback || !text) ? std::string() : std::string(text);
}

NMLISTVIEW item_notice(HWND h, const ListView& v, int i, UINT old_state, UINT new_state, UINT changed) {
  NMLISTVIEW n{};
  n.iItem = i;
  n.uOldState = old_state;
  n.uNewState = new_state;
  n.uChanged = changed;
  n.lParam = (!owner_data(h) && has_item(h, v, i)) ? v.items[size_t(i)].data : 0;
  return n;
}

// Changes the fields of item `i` (its label, image, data, indent, state) that `change` names:
// the parent may refuse (LVN_ITEMCHANGING, not for owner data) and hears LVN_ITEMCHANGED after.
// Focus moves off the item that had it; with single selection the others are deselected.
bool change_item(HWND h, int i, const LVITEM& change) {
  ListView* v = find_view(h);
  if (!has_item(h, *v, i)) return false;
  if (owner_data(h) && (change.mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT))) return false;
  UINT old_state = stored_state(h, *v, i);
  UINT new_state = (change.mask & LVIF_STATE) ? (old_state & ~change.stateMask) | (change.state & change.stateMask) : old_state;
  if ((new_state & ~old_state) & LVIS_FOCUSED) {
    int had = focused_item(h, *v);
    if (had >= 0 && had != i) {
      LVITEM off;
      off.mask = LVIF_STATE;
      off.stateMask = LVIS_FOCUSED;
      change_item(h, had, off);
    }
  }
  if (((new_state & ~old_state) & LVIS_SELECTED) && single_selection(h)) {
    for (int other = -1; (v = find_view(h)) && (other = next_item(h, *v, other, LVIS_SELECTED, false)) >= 0;) {
      if (other == i) continue;
      LVITEM off;
      off.mask = LVIF_STATE;
      off.stateMask = LVIS_SELECTED;
      if (!change_item(h, other, off)) break;
    }
  }
  if (!(v = find_view(h)) || !has_item(h, *v, i)) return false;
  old_state = stored_state(h, *v, i);
  if (change.mask & LVIF_STATE) new_state = (old_state & ~change.stateMask) | (change.state & change.stateMask);
  UINT changed = changed_fields(h, *v, i, change);
  if (!changed) return true;
  bool state_changes = (changed & LVIF_STATE) != 0;
  if (!owner_data(h)) {
    NMLISTVIEW asking = item_notice(h, *v, i, state_changes ? old_state : 0, state_changes ? new_state : 0, changed);
    if (tell(h, LVN_ITEMCHANGING, asking.hdr)) return false;
    if (!(v = find_view(h)) || !has_item(h, *v, i)) return false;
    Item& item = v->items[size_t(i)];
    if (changed & LVIF_TEXT) set_cell(item, 0, change.pszText);
    if (changed & LVIF_IMAGE) item.image = change.iImage;
    if (changed & LVIF_PARAM) item.data = change.lParam;
    if (changed & LVIF_INDENT) item.indent = change.iIndent;
  }
  if (state_changes) store_state(h, *v, i, new_state);
  invalidate_item(h, *v, i);
  NMLISTVIEW told = item_notice(h, *v, i, state_changes ? old_state : 0, state_changes ? new_state : 0, changed);
  tell(h, LVN_ITEMCHANGED, told.hdr);
  return true;
}

bool change_state(HWND h, int i, UINT state, UINT mask) {
  LVITEM change;
  change.mask = LVIF_STATE;
  change.state = state;
  change.stateMask = mask;
  return change_item(h, i, change);
}

// Changes the state of every item. Owner data keeps no per-item notices: one LVN_ITEMCHANGED
// for item -1 tells of it. No item takes the focus this way.
void change_all_states(HWND h, UINT state, UINT mask) {
  ListView* v = find_view(h);
  state &= ~LVIS_FOCUSED;
  if (!owner_data(h)) {
    for (int i = 0; (v = find_view(h)) && i < item_count(h, *v); ++i) change_state(h, i, state, mask);
    return;
  }
  bool changed = false;
  if (state & mask) {
    for (int i = 0; i < v->owner_count; ++i) {
      UINT old = stored_state(h, *v, i), now = (old & ~mask) | (state & mask);
      changed |= old != now;
      store_state(h, *v, i, now);
    }
  } else {
    // Only the kept states can lose bits.
    for (auto it = v->owner_states.begin(); it != v->owner_states.end();) {
      UINT now = it->second & ~mask;
      changed |= now != it->second;
      if (now) {
        it->second = now;
        ++it;
      } else {
        it = v->owner_states.erase(it);
      }
    }
  }
  if (!changed) return;
  InvalidateRect(h, nullptr, TRUE);
  NMLISTVIEW n = item_notice(h, *v, -1, 0, state & mask, LVIF_STATE);
  n.uOldState = ~state & mask;
  tell(h, LVN_ITEMCHANGED, n.hdr);
}

// Makes `i` the only selected item, focused, and the start of Shift ranges.
void select_only(HWND h, int i) {
  ListView* v = find_view(h);
  for (int other = -1; (v = find_view(h)) && (other = next_item(h, *v, other, LVIS_SELECTED, false)) >= 0;) {
    if (other != i && !change_state(h, other, 0, LVIS_SELECTED)) break;
  }
  if (!(v = find_view(h)) || !has_item(h, *v, i)) return;
  change_state(h, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if ((v = find_view(h))) v->mark = i;
}

// Selects the items from the selection mark to `i` and nothing else; `i` takes the focus.
void select_range(HWND h, int i) {
  ListView* v = find_view(h);
  int from = std::min(std::max(v->mark, 0), i), to = std::max(std::max(v->mark, 0), i);
  if (!owner_data(h)) {
    for (int k = 0; (v = find_view(h)) && k < item_count(h, *v); ++k) {
      change_state(h, k, (k >= from && k <= to) ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
  } else {
    change_all_states(h, 0, LVIS_SELECTED);
    if (!(v = find_view(h))) return;
    for (int k = from; k <= to; ++k) store_state(h, *v, k, stored_state(h, *v, k) | LVIS_SELECTED);
    InvalidateRect(h, nullptr, TRUE);
    NMLVODSTATECHANGE n{};
    n.iFrom = from;
    n.iTo = to;
    n.uNewState = LVIS_SELECTED;
    tell(h, LVN_ODSTATECHANGED, n.hdr);
  }
  if ((v = find_view(h)) && has_item(h, *v, i)) change_state(h, i, LVIS_FOCUSED, LVIS_FOCUSED);
}

// Selection by a click or a key on item `i`: Ctrl toggles (a key moves only the focus), Shift
// selects the range from the mark; neither, or single selection, selects `i` alone.
void select_by_input(HWND h, int i, bool ctrl, bool shift, bool by_mouse) {
  bool multiple = !single_selection(h);
  if (multiple && shift) {
    select_range(h, i);
  } else if (multiple && ctrl) {
    UINT selected = by_mouse ? (item_state(h, i, LVIS_SELECTED) ^ LVIS_SELECTED) : item_state(h, i, LVIS_SELECTED);
    change_state(h, i, selected | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (ListView* v = find_view(h)) v->mark = i;
  } else {
    select_only(h, i);
  }
}

void toggle_check(HWND h, int i) {
  UINT image = item_state(h, i, LVIS_STATEIMAGEMASK) >> 12;
  change_state(h, i, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

// --- Inserting and deleting --------------------------------------------------------------------------

// Moves the indices the list keeps (edit, mark, armed) when item `at` is inserted (+1) or
// deleted (-1).
void shift_indices(ListView& v, int at, int delta) {
  for (int* index : {&v.edit_item, &v.mark, &v.armed, &v.press_item}) {
    if (*index < 0) continue;
    if (delta < 0 && *index == at) *index = -1;
    else if (*index >= at) *index += delta;
  }
}

int insert_item(HWND h, const LVITEM& record) {
  ListView& v = *find_view(h);
  if (owner_data(h)) return -1;
  int at = (record.iItem < 0 || record.iItem > int(v.items.size())) ? int(v.items.size()) : record.iItem;
  Item item;
  set_cell(item, 0, (record.mask & LVIF_TEXT) ? record.pszText : nullptr);
  if (record.mask & LVIF_IMAGE) item.image = record.iImage;
  if (record.mask & LVIF_PARAM) item.data = record.lParam;
  if (record.mask & LVIF_INDENT) item.indent = record.iIndent;
  if (record.mask & LVIF_STATE) item.state = record.state & record.stateMask & ~LVIS_FOCUSED;
  if ((v.ex_style & LVS_EX_CHECKBOXES) && !(item.state & LVIS_STATEIMAGEMASK)) item.state |= INDEXTOSTATEIMAGEMASK(1);
  shift_indices(v, at, 1);
  v.items.insert(v.items.begin() + at, std::move(item));
  InvalidateRect(h, nullptr, TRUE);
  sync_scroll_bar(h);
  // Focus and selection of the new item go the ordinary way (one focused item, single selection).
  if ((record.mask & LVIF_STATE) && (record.state & record.stateMask & (LVIS_FOCUSED | LVIS_SELECTED))) {
    change_state(h, at, record.state, record.stateMask & (LVIS_FOCUSED | LVIS_SELECTED));
  }
  return at;
}

bool delete_item(HWND h, int i) {
  ListView* v = find_view(h);
  if (owner_data(h) || !has_item(h, *v, i)) return false;
  if (v->edit_item == i) end_edit(h, false);
  if (!(v = find_view(h)) || !has_item(h, *v, i)) return false;
  v->items.erase(v->items.begin() + i);
  shift_indices(*v, i, -1);
  v->top = std::min(v->top, max_top(h, *v));
  InvalidateRect(h, nullptr, TRUE);
  sync_scroll_bar(h);
  return true;
}

bool sort_items(HWND h, PFNLVCOMPARE compare, LPARAM value) {
  if (owner_data(h) || !compare) return false;
  end_edit(h, true);
  ListView* v = find_view(h);
  if (!v) return false;
  // The comparison may call back into the list: it sorts a copy that replaces the items after.
  std::vector<Item> sorted = v->items;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const Item& a, const Item& b) { return compare(a.data, b.data, value) < 0; });
  if (!(v = find_view(h)) || sorted.size() != v->items.size()) return false;
  v->items = std::move(sorted);
  v->mark = v->armed = v->press_item = -1;
  InvalidateRect(h, nullptr, TRUE);
  return true;
}

// --- Scrolling ---------------------------------------------------------------------------------------

void sync_scroll_bar(HWND h) {
  ListView* v = find_view(h);
  if (!v || v->syncing || (style_of(h) & LVS_NOSCROLL)) return;
  v->syncing = true;
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = std::max(0, item_count(h, *v) - 1);
  info.nPage = UINT(per_page(h));
  info.nPos = v->top;
  SetScrollInfo(h, SB_VERT, &info, TRUE);
  if ((v = find_view(h))) {
    v->syncing = false;
    v->top = std::clamp(v->top, 0, max_top(h, *v));
  }
}

// Makes `top` the first row shown (within the rows there are); an open edit ends with its text.
void set_top(HWND h, int top) {
  ListView* v = find_view(h);
  top = std::clamp(top, 0, max_top(h, *v));
  if (top == v->top) return;
  end_edit(h, true);
  if (!(v = find_view(h))) return;
  v->top = top;
  InvalidateRect(h, nullptr, TRUE);
  sync_scroll_bar(h);
}

void on_vscroll(HWND h, int code) {
  ListView& v = *find_view(h);
  int page = per_page(h);
  switch (code) {
    case SB_LINEUP: set_top(h, v.top - 1); break;
    case SB_LINEDOWN: set_top(h, v.top + 1); break;
    case SB_PAGEUP: set_top(h, v.top - page); break;
    case SB_PAGEDOWN: set_top(h, v.top + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(h, SB_VERT, &info);
      set_top(h, info.nTrackPos);
      break;
    }
    case SB_TOP: set_top(h, 0); break;
    case SB_BOTTOM: set_top(h, max_top(h, v)); break;
    default: break;
  }
}

bool ensure_visible(HWND h, int i, bool partial_ok) {
  ListView& v = *find_view(h);
  if (!has_item(h, v, i)) return false;
  int page = per_page(h);
  int rows_bottom = client_of(h).bottom;
  int y = header_height(h) + (i - v.top) * controls::kListRowHeight;
  bool shown_partly = i >= v.top && y < rows_bottom;
  if (i < v.top) {
    set_top(h, i);
  } else if (i >= v.top + page && !(partial_ok && shown_partly)) {
    set_top(h, i - page + 1);
  }
  return true;
}

// --- Painting ----------------------------------------------------------------------------------------

COLORREF or_system(COLORREF chosen, int system) { return chosen == CLR_DEFAULT ? GetSysColor(system) : chosen; }

UINT alignment(int format) {
  return format == LVCFMT_RIGHT ? DT_RIGHT : format == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
}

void draw_text(CDC& dc, const std::string& text, CRect r, int format) {
  r.DeflateRect(controls::kListLabelMargin, 0);
  dc.DrawText(text.c_str(), int(text.size()), &r, alignment(format) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void paint_row(HWND h, CDC& dc, int i, bool focus) {
  ListView& v = *find_view(h);
  RowParts p = row_parts(h, v, i);
  UINT state = item_state(h, i, ~0u);
  bool full_row = (v.ex_style & LVS_EX_FULLROWSELECT) != 0;
  bool highlighted = (state & LVIS_DROPHILITED) || ((state & LVIS_SELECTED) && (focus || (style_of(h) & LVS_SHOWSELALWAYS)));
  CRect mark = full_row ? CRect(p.state.left, p.bounds.top, std::max(p.bounds.right, p.label.right), p.bounds.bottom) : p.label;
  COLORREF text = or_system(v.text, COLOR_WINDOWTEXT);
  if (v.text_background != CLR_NONE) dc.FillSolidRect(&p.bounds, or_system(v.text_background, COLOR_WINDOW));
  if (highlighted) {
    bool strong = focus || (state & LVIS_DROPHILITED);
    dc.FillSolidRect(&mark, GetSysColor(strong ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    if (strong) text = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  if (UINT image = (state & LVIS_STATEIMAGEMASK) >> 12) {
    if (v.images[LVSIL_STATE]) {
      v.images[LVSIL_STATE]->Draw(&dc, int(image) - 1, POINT{p.state.left, p.state.top}, ILD_TRANSPARENT);
    } else if (v.ex_style & LVS_EX_CHECKBOXES) {
      controls::draw_check_box(dc, CRect(p.state.left + 1, p.state.top, p.state.right, p.state.bottom),
                               image == 2 ? BST_CHECKED : BST_UNCHECKED);
    }
  }
  if (v.images[LVSIL_SMALL]) {
    int image = item_image(h, i);
    UINT style = ILD_TRANSPARENT | (state & LVIS_OVERLAYMASK) | (highlighted && focus ? ILD_SELECTED : 0);
    if (image >= 0) v.images[LVSIL_SMALL]->Draw(&dc, image, POINT{p.icon.left, p.icon.top}, style);
  }
  int columns = std::max(1, column_count(v));
  for (int c = 0; c < columns; ++c) {
    int sub_item = column_count(v) ? v.sub_items[size_t(c)] : 0;
    // The label under an open edit is the edit's to show.
    if (c == 0 && v.edit_item == i && v.edit) continue;
    CRect cell = c == 0 ? p.label : CRect(column_left(v, c), p.bounds.top, column_left(v, c) + column_width(v, c), p.bounds.bottom);
    dc.SetTextColor(c == 0 || full_row ? text : or_system(v.text, COLOR_WINDOWTEXT));
    draw_text(dc, cell_text(h, i, sub_item), cell, column_count(v) ? column_format(v, c) : LVCFMT_LEFT);
  }
  if (v.ex_style & LVS_EX_GRIDLINES) {
    COLORREF grid = GetSysColor(COLOR_BTNFACE);
    dc.FillSolidRect(p.bounds.left, p.bounds.bottom - 1, p.bounds.Width(), 1, grid);
    for (int c = 1; c <= column_count(v); ++c) dc.FillSolidRect(column_left(v, c) - 1, p.bounds.top, 1, p.bounds.Height(), grid);
  }
  if (focus && (state & LVIS_FOCUSED)) dc.DrawFocusRect(&mark);
}

// Grid lines run on below the last row to the bottom of the list, as far as the columns reach.
void paint_empty_grid(HWND h, CDC& dc, const ListView& v, int rows_bottom) {
  if (!(v.ex_style & LVS_EX_GRIDLINES) || (style_of(h) & LVS_TYPEMASK) != LVS_REPORT) return;
  CRect client = client_of(h);
  COLORREF grid = GetSysColor(COLOR_BTNFACE);
  int right = column_count(v) ? column_left(v, column_count(v)) : client.right;
  for (int y = rows_bottom + controls::kListRowHeight - 1; y < client.bottom; y += controls::kListRowHeight) {
    dc.FillSolidRect(client.left, y, right - client.left, 1, grid);
  }
  for (int c = 1; c <= column_count(v); ++c) {
    dc.FillSolidRect(column_left(v, c) - 1, rows_bottom, 1, client.bottom - rows_bottom, grid);
  }
}

void paint(HWND h) {
  CPaintDC dc(h);
  win::WindowFontScope font(dc.GetSafeHdc(), h);
  ListView* v = find_view(h);
  CRect client = client_of(h);
  dc.FillSolidRect(&client, or_system(v->background, COLOR_WINDOW));
  dc.SetBkMode(TRANSPARENT);
  int count = item_count(h, *v);
  int last = std::min(count - 1, v->top + per_page(h));
  if (owner_data(h) && last >= v->top) {
    NMLVCACHEHINT hint{};
    hint.iFrom = v->top;
    hint.iTo = last;
    tell(h, LVN_ODCACHEHINT, hint.hdr);
  }
  bool focus = GetFocus() == h || (v->edit && GetFocus() == v->edit->m_hWnd);
  for (int i = v->top; (v = find_view(h)) && i <= std::min(last, item_count(h, *v) - 1); ++i) {
    if (style_of(h) & LVS_OWNERDRAWFIXED) {
      RowParts p = row_parts(h, *v, i);
      UINT state = item_state(h, i, LVIS_SELECTED | LVIS_FOCUSED);
      CRect row(0, p.bounds.top, std::max(int(p.bounds.right), int(client.right)), p.bounds.bottom);
      DRAWITEMSTRUCT d{ODT_LISTVIEW, UINT(GetDlgCtrlID(h)), UINT(i), ODA_DRAWENTIRE,
                       ((state & LVIS_SELECTED) ? ODS_SELECTED : 0u) | ((focus && (state & LVIS_FOCUSED)) ? ODS_FOCUS : 0u),
                       h, dc.GetSafeHdc(), row, UINT_PTR(owner_data(h) ? 0 : v->items[size_t(i)].data)};
      SendMessage(GetParent(h), WM_DRAWITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&d));
    } else {
      paint_row(h, dc, i, focus);
    }
  }
  if ((v = find_view(h))) {
    int shown = std::max(0, std::min(item_count(h, *v), v->top + per_page(h) + 1) - v->top);
    paint_empty_grid(h, dc, *v, header_height(h) + shown * controls::kListRowHeight);
  }
}

// --- Columns -----------------------------------------------------------------------------------------

int text_width(HWND h, const std::string& text) {
  HDC hdc = GetDC(h);
  win::WindowFontScope font(hdc, h);
  CDC dc;
  dc.Attach(hdc);
  int width = dc.GetTextExtent(text.c_str(), int(text.size())).cx;
  dc.Detach();
  ReleaseDC(h, hdc);
  return width;
}

// The width LVSCW_AUTOSIZE gives a column: its widest cell (the rows shown, for owner data).
int fitting_width(HWND h, int column, bool with_header) {
  ListView& v = *find_view(h);
  int first = owner_data(h) ? v.top : 0;
  int last = owner_data(h) ? std::min(item_count(h, v), v.top + per_page(h) + 1) : item_count(h, v);
  int widest = 0;
  for (int i = first; i < last; ++i) widest = std::max(widest, text_width(h, cell_text(h, i, v.sub_items[size_t(column)])));
  int width = widest + 2 * controls::kListLabelMargin;
  if (column == 0) width += (has_state_images(v) ? controls::kListStateWidth : 0) + small_icon_width(v);
  if (with_header) {
    char title[256];
    column_item(v, column, HDI_TEXT, title, int(sizeof title));
    width = std::max(width, text_width(h, title) + 3 * controls::kListLabelMargin);
    // The last column takes the rest of the list.
    if (column == column_count(v) - 1) width = std::max(width, client_of(h).Width() - column_left(v, column));
  }
  return width;
}

bool set_column(HWND h, int column, const LVCOLUMN& c) {
  ListView& v = *find_view(h);
  if (column < 0 || column >= column_count(v)) return false;
  HDITEM item;
  if (c.mask & LVCF_WIDTH) {
    item.mask |= HDI_WIDTH;
    item.cxy = c.cx == LVSCW_AUTOSIZE || c.cx == LVSCW_AUTOSIZE_USEHEADER ? fitting_width(h, column, c.cx == LVSCW_AUTOSIZE_USEHEADER)
                                                                          : std::max(0, c.cx);
  }
  if (c.mask & LVCF_FMT) {
    item.mask |= HDI_FORMAT;
    item.fmt = (column == 0 ? LVCFMT_LEFT : c.fmt & LVCFMT_JUSTIFYMASK) | HDF_STRING;
  }
  if (c.mask & LVCF_TEXT) {
    item.mask |= HDI_TEXT;
    item.pszText = c.pszText;
  }
  if (c.mask & LVCF_SUBITEM) v.sub_items[size_t(column)] = std::max(0, c.iSubItem);
  if (item.mask) SendMessage(header_of(v), HDM_SETITEM, WPARAM(column), reinterpret_cast<LPARAM>(&item));
  InvalidateRect(h, nullptr, TRUE);
  return true;
}

int insert_column(HWND h, int column, const LVCOLUMN& c) {
  ListView& v = *find_view(h);
  if (column < 0) return -1;
  end_edit(h, true);
  int at = std::min(column, column_count(v));
  HDITEM item;
  item.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
  item.cxy = (c.mask & LVCF_WIDTH) && c.cx >= 0 ? c.cx : kDefaultColumnWidth;
  item.fmt = ((c.mask & LVCF_FMT) && at > 0 ? c.fmt & LVCFMT_JUSTIFYMASK : LVCFMT_LEFT) | HDF_STRING;
  item.pszText = (c.mask & LVCF_TEXT) ? c.pszText : nullptr;
  if (SendMessage(header_of(v), HDM_INSERTITEM, WPARAM(at), reinterpret_cast<LPARAM>(&item)) < 0) return -1;
  v.sub_items.insert(v.sub_items.begin() + at, (c.mask & LVCF_SUBITEM) ? std::max(0, c.iSubItem) : at);
  InvalidateRect(h, nullptr, TRUE);
  return at;
}

bool get_column(const ListView& v, int column, LVCOLUMN& c) {
  if (column < 0 || column >= column_count(v)) return false;
  HDITEM item = column_item(v, column, HDI_WIDTH | HDI_FORMAT | ((c.mask & LVCF_TEXT) ? HDI_TEXT : 0u), c.pszText, c.cchTextMax);
  if (c.mask & LVCF_WIDTH) c.cx = item.cxy;
  if (c.mask & LVCF_FMT) c.fmt = item.fmt & LVCFMT_JUSTIFYMASK;
  if (c.mask & LVCF_SUBITEM) c.iSubItem = v.sub_items[size_t(column)];
  return true;
}

// --- Items as records --------------------------------------------------------------------------------

void copy_text(const std::string& text, LPSTR buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  size_t n = std::min(text.size(), size_t(capacity - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

bool get_item(HWND h, LVITEM& record) {
  ListView& v = *find_view(h);
  int i = record.iItem;
  if (!has_item(h, v, i) || record.iSubItem < 0) return false;
  if (record.mask & LVIF_TEXT) copy_text(cell_text(h, i, record.iSubItem), record.pszText, record.cchTextMax);
  if (record.iSubItem > 0) return true;
  if (record.mask & LVIF_IMAGE) record.iImage = item_image(h, i);
  if (record.mask & LVIF_STATE) record.state = item_state(h, i, record.stateMask);
  if (!owner_data(h)) {
    const Item& item = find_view(h)->items[size_t(i)];
    if (record.mask & LVIF_PARAM) record.lParam = item.data;
    if (record.mask & LVIF_INDENT) record.iIndent = item.indent;
  }
  return true;
}

bool set_item(HWND h, const LVITEM& record) {
  ListView& v = *find_view(h);
  if (!has_item(h, v, record.iItem) || record.iSubItem < 0) return false;
  if (record.iSubItem == 0) return change_item(h, record.iItem, record);
  // Sub-items carry only a text.
  if (owner_data(h) || !(record.mask & LVIF_TEXT)) return false;
  set_cell(v.items[size_t(record.iItem)], record.iSubItem, record.pszText);
  invalidate_item(h, v, record.iItem);
  return true;
}

int find_item(HWND h, int start, const LVFINDINFO* find) {
  ListView& v = *find_view(h);
  if (!find) return -1;
  int count = item_count(h, v);
  if (owner_data(h)) {
    NMLVFINDITEM ask{};
    ask.iStart = std::max(start + 1, 0);  // the first item to look at
    ask.lvfi = *find;
    int found = int(tell(h, LVN_ODFINDITEM, ask.hdr));
    return (find_view(h) && has_item(h, *find_view(h), found)) ? found : -1;
  }
  std::string wanted = find->psz ? find->psz : "";
  auto matches = [&](int i) {
    if (find->flags & LVFI_PARAM) return v.items[size_t(i)].data == find->lParam;
    std::string label = cell_text(h, i, 0);
    if (find->flags & LVFI_PARTIAL) label = label.substr(0, wanted.size());
    return base::cp1250::compare_no_case(label, wanted) == 0;
  };
  int first = std::max(start + 1, 0);
  for (int i = first; i < count; ++i) {
    if (matches(i)) return i;
  }
  if (find->flags & LVFI_WRAP) {
    for (int i = 0; i < std::min(first, count); ++i) {
      if (matches(i)) return i;
    }
  }
  return -1;
}

// --- Mouse and keys ----------------------------------------------------------------------------------

bool key_down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

void notify_click(HWND h, UINT code, POINT pt, UINT keys) {
  ListView& v = *find_view(h);
  LVHITTESTINFO hit = hit_test(h, v, pt);
  NMITEMACTIVATE n{};
  n.iItem = hit.iItem;
  n.iSubItem = hit.iSubItem;
  n.ptAction = pt;
  n.uKeyFlags = keys;
  if (!owner_data(h) && hit.iItem >= 0) n.lParam = v.items[size_t(hit.iItem)].data;
  tell(h, code, n.hdr);
}

void button_down(HWND h, POINT pt, WPARAM keys, bool left, bool double_click) {
  ListView* v = find_view(h);
  bool had_focus = GetFocus() == h;
  if (GetFocus() != h) SetFocus(h);  // an open edit ends with its text
  if (!(v = find_view(h))) return;
  KillTimer(h, kEditTimer);
  v->armed = -1;
  LVHITTESTINFO hit = hit_test(h, *v, pt);
  int i = hit.iItem;
  bool ctrl = (keys & MK_CONTROL) != 0, shift = (keys & MK_SHIFT) != 0;
  if (i < 0) {
    if (!ctrl && !shift && !(style_of(h) & LVS_SINGLESEL)) change_all_states(h, 0, LVIS_SELECTED);
  } else if (left && (hit.flags & LVHT_ONITEMSTATEICON) && (v->ex_style & LVS_EX_CHECKBOXES)) {
    toggle_check(h, i);
  } else {
    // A second click on the label of the focused, selected item of a focused list may edit it.
    UINT before = item_state(h, i, LVIS_FOCUSED | LVIS_SELECTED);
    bool again = had_focus && !ctrl && !shift && before == (LVIS_FOCUSED | LVIS_SELECTED) && (hit.flags & LVHT_ONITEMLABEL);
    if (left || !item_state(h, i, LVIS_SELECTED)) select_by_input(h, i, ctrl, shift, true);
    if ((v = find_view(h)) && left && !double_click && again && (style_of(h) & LVS_EDITLABELS)) v->armed = i;
  }
  if (!(v = find_view(h))) return;
  v->pressed = true;
  v->press_item = i;
  v->press_point = pt;
  SetCapture(h);
}

void button_up(HWND h, POINT pt, WPARAM keys, bool left) {
  ListView* v = find_view(h);
  if (!v->pressed) return;
  v->pressed = false;
  if (GetCapture() == h) ReleaseCapture();
  if ((v = find_view(h)) && v->armed >= 0 && hit_test(h, *v, pt).iItem == v->armed) {
    SetTimer(h, kEditTimer, GetDoubleClickTime(), nullptr);
  }
  notify_click(h, left ? NM_CLICK : NM_RCLICK, pt, UINT(keys));
}

void mouse_move(HWND h, POINT pt) {
  ListView& v = *find_view(h);
  if (!v.pressed || v.press_item < 0) return;
  if (std::abs(pt.x - v.press_point.x) < GetSystemMetrics(SM_CXDRAG) && std::abs(pt.y - v.press_point.y) < GetSystemMetrics(SM_CYDRAG)) {
    return;
  }
  // Pressing on an item and moving away drags it: the parent takes it from here.
  int i = v.press_item;
  v.pressed = false;
  v.armed = -1;
  if (GetCapture() == h) ReleaseCapture();
  if (!(find_view(h))) return;
  NMLISTVIEW n = item_notice(h, *find_view(h), i, 0, 0, 0);
  n.ptAction = find_view(h)->press_point;
  tell(h, LVN_BEGINDRAG, n.hdr);
}

// Typing selects the next item whose label starts with what was typed (a pause starts anew). The
// first character looks past the focused item, later ones from it on.
void type_ahead(HWND h, char c) {
  ListView& v = *find_view(h);
  DWORD now = GetTickCount();
  if (now - v.typed_at > kTypeAheadMs) v.typed.clear();
  v.typed_at = now;
  if (v.typed.empty() && uint8_t(c) <= ' ') return;
  v.typed += c;
  int focused = focused_item(h, v);
  std::string typed = v.typed;
  LVFINDINFO find;
  find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
  find.psz = typed.c_str();
  int found = find_item(h, typed.size() == 1 ? focused : focused - 1, &find);
  if (found < 0) return;
  select_only(h, found);
  if (find_view(h)) ensure_visible(h, found, false);
}

void key(HWND h, int vk) {
  ListView& v = *find_view(h);
  int count = item_count(h, v);
  int focused = focused_item(h, v);
  bool ctrl = key_down(VK_CONTROL), shift = key_down(VK_SHIFT);
  int to = -1;
  switch (vk) {
    case VK_DOWN: to = std::min(count - 1, focused + 1); break;
    case VK_UP: to = std::max(0, focused - 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    case VK_NEXT: to = std::min(count - 1, std::max(focused, 0) + per_page(h) - 1); break;
    case VK_PRIOR: to = std::max(0, focused - per_page(h) + 1); break;
    case VK_SPACE:
      if (focused < 0) return;
      if (v.ex_style & LVS_EX_CHECKBOXES) toggle_check(h, focused);
      else select_by_input(h, focused, ctrl, false, true);
      return;
    case VK_F1 + 1:  // F2
      if (focused >= 0) begin_edit(h, focused);
      return;
    case VK_RETURN: {
      NMHDR n{};
      tell(h, NM_RETURN, n);
      return;
    }
    default: return;
  }
  if (to < 0) return;
  if (ctrl && !shift && !single_selection(h)) {
    change_state(h, to, LVIS_FOCUSED, LVIS_FOCUSED);
  } else {
    select_by_input(h, to, ctrl, shift, false);
  }
  if (find_view(h)) ensure_visible(h, to, false);
}

// --- The window procedure ----------------------------------------------------------------------------

void layout_header(HWND h) {
  ListView& v = *find_view(h);
  if (!v.header) return;
  CRect client = client_of(h);
  MoveWindow(header_of(v), 0, 0, client.Width(), controls::kListHeaderHeight, TRUE);
  ShowWindow(header_of(v), (style_of(h) & LVS_NOCOLUMNHEADER) ? SW_HIDE : SW_SHOW);
}

int create(HWND h) {
  win::control_state<ListView>(h);
  controls::register_header_control();
  auto header = std::make_unique<CHeaderCtrl>();
  DWORD header_style = WS_CHILD | ((style_of(h) & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS);
  if (!header->Create(header_style, CRect(0, 0, 0, 0), CWnd::FromHandle(h), kHeaderId)) return -1;
  find_view(h)->header = std::move(header);
  layout_header(h);
  return 0;
}

// The header's notices: a width change repaints the rows, a title click is a column click; every
// one is passed on to the list's parent.
LRESULT header_notice(HWND h, WPARAM wParam, LPARAM lParam) {
  auto* notice = reinterpret_cast<NMHEADER*>(lParam);
  if (notice->hdr.code == HDN_ITEMCHANGED || notice->hdr.code == HDN_TRACK) InvalidateRect(h, nullptr, TRUE);
  if (notice->hdr.code == HDN_ITEMCHANGED) end_edit(h, true);
  if (notice->hdr.code == HDN_ITEMCLICK) {
    NMLISTVIEW click{};
    click.iItem = -1;
    click.iSubItem = notice->iItem;
    tell(h, LVN_COLUMNCLICK, click.hdr);
  }
  HWND parent = GetParent(h);
  return parent ? SendMessage(parent, WM_NOTIFY, wParam, lParam) : 0;
}

LRESULT list_view_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return create(h);
  ListView* found = find_view(h);
  if (!found) return DefWindowProc(h, message, wParam, lParam);
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) {
    // The header and an open label edit take the list's font too.
    if (message == WM_SETFONT) {
      if (found->header && found->header->m_hWnd) ::SendMessage(found->header->m_hWnd, WM_SETFONT, wParam, lParam);
      if (found->edit && found->edit->m_hWnd) ::SendMessage(found->edit->m_hWnd, WM_SETFONT, wParam, lParam);
    }
    return r;
  }
  ListView& v = *found;
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
      bool left = message != WM_RBUTTONDOWN;
      button_down(h, pt, wParam, left, message == WM_LBUTTONDBLCLK);
      if (message == WM_LBUTTONDBLCLK && find_view(h)) notify_click(h, NM_DBLCLK, pt, UINT(wParam));
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      button_up(h, pt, wParam, message == WM_LBUTTONUP);
      return 0;
    case WM_MOUSEMOVE:
      mouse_move(h, pt);
      return 0;
    case WM_CAPTURECHANGED:
      if (HWND(lParam) != h) v.pressed = false;
      return 0;
    case WM_TIMER:
      if (wParam == kEditTimer) {
        KillTimer(h, kEditTimer);
        int armed = v.armed;
        v.armed = -1;
        if (armed >= 0 && armed == focused_item(h, v)) begin_edit(h, armed);
        return 0;
      }
      return DefWindowProc(h, message, wParam, lParam);
    case WM_KEYDOWN:
      key(h, int(wParam));
      return 0;
    case WM_CHAR:
      type_ahead(h, char(wParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      InvalidateRect(h, nullptr, TRUE);
      NMHDR n{};
      tell(h, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, n);
      return 0;
    }
    case WM_VSCROLL:
      on_vscroll(h, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      set_top(h, v.top - 3 * (short(HIWORD(wParam)) / 120));
      return 0;
    case WM_SIZE:
      layout_header(h);
      sync_scroll_bar(h);
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->hwndFrom == header_of(v)) return header_notice(h, wParam, lParam);
      return DefWindowProc(h, message, wParam, lParam);
    case LVM_GETITEMCOUNT:
      return item_count(h, v);
    case LVM_INSERTITEM:
      return lParam ? insert_item(h, *reinterpret_cast<const LVITEM*>(lParam)) : -1;
    case LVM_DELETEITEM:
      return delete_item(h, int(wParam));
    case LVM_DELETEALLITEMS:
      end_edit(h, false);
      if (!(found = find_view(h))) return FALSE;
      found->items.clear();
      found->owner_states.clear();
      found->owner_count = 0;
      found->top = 0;
      found->mark = found->armed = found->press_item = -1;
      InvalidateRect(h, nullptr, TRUE);
      sync_scroll_bar(h);
      return TRUE;
    case LVM_SETITEMCOUNT: {
      if (!owner_data(h)) return FALSE;
      int count = std::max(0, int(wParam));
      if (v.edit_item >= count) end_edit(h, false);
      if (!(found = find_view(h))) return FALSE;
      found->owner_count = count;
      found->owner_states.erase(found->owner_states.lower_bound(count), found->owner_states.end());
      if (found->mark >= count) found->mark = -1;
      found->top = std::min(found->top, max_top(h, *found));
      InvalidateRect(h, nullptr, TRUE);
      sync_scroll_bar(h);
      return TRUE;
    }
    case LVM_GETITEM:
      return lParam ? get_item(h, *reinterpret_cast<LVITEM*>(lParam)) : FALSE;
    case LVM_SETITEM:
      return lParam ? set_item(h, *reinterpret_cast<const LVITEM*>(lParam)) : FALSE;
    case LVM_GETITEMTEXT: {
      auto* record = reinterpret_cast<LVITEM*>(lParam);
      if (!record || !has_item(h, v, int(wParam)) || !record->pszText || record->cchTextMax <= 0) return 0;
      copy_text(cell_text(h, int(wParam), record->iSubItem), record->pszText, record->cchTextMax);
      return LRESULT(std::strlen(record->pszText));
    }
    case LVM_SETITEMTEXT: {
      auto* record = reinterpret_cast<const LVITEM*>(lParam);
      if (!record) return FALSE;
      LVITEM text;
      text.mask = LVIF_TEXT;
      text.iItem = int(wParam);
      text.iSubItem = record->iSubItem;
      text.pszText = record->pszText;
      return set_item(h, text);
    }
    case LVM_SETITEMSTATE: {
      auto* record = reinterpret_cast<const LVITEM*>(lParam);
      if (!record) return FALSE;
      if (int(wParam) == -1) {
        change_all_states(h, record->state, record->stateMask);
        return TRUE;
      }
      return has_item(h, v, int(wParam)) && change_state(h, int(wParam), record->state, record->stateMask);
    }
    case LVM_GETITEMSTATE:
      return item_state(h, int(wParam), UINT(lParam));
    case LVM_GETCALLBACKMASK:
      return v.callback_mask;
    case LVM_SETCALLBACKMASK:
      v.callback_mask = UINT(wParam);
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    case LVM_GETNEXTITEM: {
      UINT flags = UINT(lParam);
      bool upward = (flags & (LVNI_ABOVE | LVNI_TOLEFT)) != 0;
      bool directed = upward || (flags & (LVNI_BELOW | LVNI_TORIGHT));
      UINT bits = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
      int from = int(wParam);
      if (upward && from < 0) return -1;
      if (!bits && !directed && from < 0) return item_count(h, v) > 0 ? 0 : -1;
      return next_item(h, v, from, bits, upward);
    }
    case LVM_GETSELECTEDCOUNT: {
      int n = 0;
      for (int i = next_item(h, v, -1, LVIS_SELECTED, false); i >= 0; i = next_item(h, v, i, LVIS_SELECTED, false)) ++n;
      return n;
    }
    case LVM_GETSELECTIONMARK:
      return v.mark;
    case LVM_SETSELECTIONMARK: {
      int old = v.mark;
      v.mark = has_item(h, v, int(lParam)) ? int(lParam) : -1;
      return old;
    }
    case LVM_SORTITEMS:
      return sort_items(h, reinterpret_cast<PFNLVCOMPARE>(lParam), LPARAM(wParam));
    case LVM_FINDITEM:
      return find_item(h, int(wParam), reinterpret_cast<const LVFINDINFO*>(lParam));
    case LVM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      return r && sub_item_rect(h, v, int(wParam), 0, UINT(r->left), r);
    }
    case LVM_GETSUBITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      return r && sub_item_rect(h, v, int(wParam), int(r->top), UINT(r->left), r);
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
      auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
      if (!info) return -1;
      *info = hit_test(h, v, info->pt);
      return info->iItem;
    }
    case LVM_ENSUREVISIBLE:
      return ensure_visible(h, int(wParam), lParam != 0);
    case LVM_GETTOPINDEX:
      return v.top;
    case LVM_GETCOUNTPERPAGE:
      return per_page(h);
    case LVM_SCROLL:
      set_top(h, v.top + int(lParam) / controls::kListRowHeight);
      return TRUE;
    case LVM_REDRAWITEMS:
      for (int i = std::max(0, int(wParam)); i <= std::min(int(lParam), item_count(h, v) - 1); ++i) invalidate_item(h, v, i);
      return TRUE;
    case LVM_EDITLABEL:
      return LRESULT(begin_edit(h, int(wParam)));
    case LVM_GETEDITCONTROL:
      return LRESULT(v.edit ? v.edit->m_hWnd : nullptr);
    case LVM_CANCELEDITLABEL:
      end_edit(h, false);
      return 0;
    case LVM_GETCOLUMN:
      return lParam && get_column(v, int(wParam), *reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_SETCOLUMN:
      return lParam && set_column(h, int(wParam), *reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_INSERTCOLUMN:
      return lParam ? insert_column(h, int(wParam), *reinterpret_cast<const LVCOLUMN*>(lParam)) : -1;
    case LVM_DELETECOLUMN: {
      int column = int(wParam);
      if (column < 0 || column >= column_count(v)) return FALSE;
      end_edit(h, true);
      if (!(found = find_view(h))) return FALSE;
      SendMessage(header_of(*found), HDM_DELETEITEM, WPARAM(column), 0);
      found->sub_items.erase(found->sub_items.begin() + column);
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case LVM_GETCOLUMNWIDTH:
      return (int(wParam) >= 0 && int(wParam) < column_count(v)) ? column_width(v, int(wParam)) : 0;
    case LVM_SETCOLUMNWIDTH: {
      LVCOLUMN width;
      width.mask = LVCF_WIDTH;
      width.cx = int(lParam);
      return set_column(h, int(wParam), width);
    }
    case LVM_GETHEADER:
      return LRESULT(header_of(v));
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
      return v.ex_style;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      DWORD old = v.ex_style, mask = wParam ? DWORD(wParam) : ~DWORD(0);
      v.ex_style = (old & ~mask) | (DWORD(lParam) & mask);
      // Turning check boxes on gives every item an unchecked box.
      if ((v.ex_style & ~old & LVS_EX_CHECKBOXES) && !owner_data(h)) {
        for (Item& item : v.items) {
          if (!(item.state & LVIS_STATEIMAGEMASK)) item.state |= INDEXTOSTATEIMAGEMASK(1);
        }
      }
      InvalidateRect(h, nullptr, TRUE);
      return old;
    }
    case LVM_GETIMAGELIST:
      return (int(wParam) >= 0 && int(wParam) < 3) ? reinterpret_cast<LRESULT>(v.images[wParam]) : 0;
    case LVM_SETIMAGELIST: {
      if (int(wParam) < 0 || int(wParam) >= 3) return 0;
      CImageList* old = v.images[wParam];
      v.images[wParam] = reinterpret_cast<CImageList*>(lParam);
      InvalidateRect(h, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETBKCOLOR:
      return v.background;
    case LVM_GETTEXTCOLOR:
      return v.text;
    case LVM_GETTEXTBKCOLOR:
      return v.text_background;
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR: {
      COLORREF& target = message == LVM_SETBKCOLOR ? v.background : message == LVM_SETTEXTCOLOR ? v.text : v.text_background;
      target = COLORREF(lParam);
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case WM_PAINT:
      paint(h);
      return 0;
    case WM_DESTROY:
      end_edit(h, false);
      KillTimer(h, kEditTimer);
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<ListView>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {
void register_list_view() {
  register_control_class(WC_LISTVIEW, list_view_proc, CS_DBLCLKS, COLOR_WINDOW);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_list_view();
  return CWnd::Create(WC_LISTVIEW, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  return dynamic_cast<CHeaderCtrl*>(CWnd::FromHandlePermanent(HWND(SendMessage(LVM_GETHEADER))));
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR heading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMN column;
  column.mask = LVCF_FMT | LVCF_TEXT | (nWidth >= 0 ? LVCF_WIDTH : 0u) | (nSubItem >= 0 ? LVCF_SUBITEM : 0u);
  column.fmt = nFormat;
  column.cx = nWidth;
  column.pszText = const_cast<LPSTR>(heading);
  column.iSubItem = nSubItem;
  return InsertColumn(nCol, &column);
}

int CListCtrl::GetColumnCount() const {
  HWND header = HWND(SendMessage(LVM_GETHEADER));
  return header ? int(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::InsertItem(int nItem, LPCTSTR text) { return InsertItem(LVIF_TEXT, nItem, text, 0, 0, 0, 0); }

int CListCtrl::InsertItem(int nItem, LPCTSTR text, int nImage) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, text, 0, 0, nImage, 0);
}

namespace {
// An item record from the wrappers' separate arguments.
LVITEM item_of(UINT mask, int item, int sub_item, LPCTSTR text, int image, UINT state, UINT state_mask, LPARAM data) {
  LVITEM i;
  i.mask = mask;
  i.iItem = item;
  i.iSubItem = sub_item;
  i.pszText = const_cast<LPSTR>(text);
  i.iImage = image;
  i.state = state;
  i.stateMask = state_mask;
  i.lParam = data;
  return i;
}
}  // namespace

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR text, UINT nState, UINT nStateMask, int nImage, LPARAM lParam) {
  LVITEM item = item_of(nMask, nItem, 0, text, nImage, nState, nStateMask, lParam);
  return InsertItem(&item);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR text, int nImage, UINT nState, UINT nStateMask,
                        LPARAM lParam) {
  LVITEM item = item_of(nMask, nItem, nSubItem, text, nImage, nState, nStateMask, lParam);
  return SetItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR text) {
  LVITEM item;
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPSTR>(text);
  return BOOL(SendMessage(LVM_SETITEMTEXT, WPARAM(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  std::string text(kDispInfoText, '\0');
  int n = GetItemText(nItem, nSubItem, text.data(), int(text.size()));
  text.resize(size_t(n));
  return CString(text);
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR buffer, int nLen) const {
  LVITEM item;
  item.iSubItem = nSubItem;
  item.pszText = buffer;
  item.cchTextMax = nLen;
  return int(SendMessage(LVM_GETITEMTEXT, WPARAM(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  LVITEM item;
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  item.lParam = LPARAM(dwData);
  return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEM item;
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  return GetItem(&item) ? DWORD_PTR(item.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEM item;
  item.state = nState;
  item.stateMask = nMask;
  return SetItemState(nItem, &item);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
  if (!lpRect) return FALSE;
  lpRect->left = LONG(nCode);
  return BOOL(SendMessage(LVM_GETITEMRECT, WPARAM(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const {
  RECT r{nArea, iSubItem, 0, 0};
  if (!SendMessage(LVM_GETSUBITEMRECT, WPARAM(iItem), reinterpret_cast<LPARAM>(&r))) return FALSE;
  ref = r;
  return TRUE;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO info;
  info.pt = pt;
  int item = HitTest(&info);
  if (pFlags) *pFlags = info.flags;
  return item;
}

CEdit* CListCtrl::EditLabel(int nItem) {
  return dynamic_cast<CEdit*>(CWnd::FromHandlePermanent(HWND(SendMessage(LVM_EDITLABEL, WPARAM(nItem)))));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) { m_bRowsLeftToParent = true; }

// A list whose class draws no rows leaves them to the parent's own WM_DRAWITEM handler.
BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  m_bRowsLeftToParent = false;
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (m_bRowsLeftToParent) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  if (pResult) *pResult = TRUE;
  return TRUE;
}

CEdit* CListCtrl::GetEditControl() const {
  return dynamic_cast<CEdit*>(CWnd::FromHandlePermanent(HWND(SendMessage(LVM_GETEDITCONTROL))));
}
