#include "platform/controls/list_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <map>
#include <vector>

#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"

namespace {

struct Column {
  std::string heading;
  int format;
  int width;
};

struct Row {
  std::vector<std::string> texts;  // by column
  DWORD_PTR data = 0;
  UINT state = 0;
};

struct ListView {
  std::vector<Column> columns;
  std::vector<Row> rows;         // without owner data
  std::vector<UINT> owner_states;  // owner data: the state of each row
  int owner_count = 0;
  int top = 0;
  COLORREF background = CLR_DEFAULT;
  COLORREF text = CLR_DEFAULT;
  COLORREF text_background = CLR_NONE;  // behind the texts of rows not selected
};

COLORREF or_system(COLORREF chosen, int system) { return chosen == CLR_DEFAULT ? GetSysColor(system) : chosen; }

std::map<HWND, ListView>& views() {
  static std::map<HWND, ListView> v;
  return v;
}

DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }
bool owner_data(HWND h) { return (style_of(h) & LVS_OWNERDATA) != 0; }

int row_count(HWND h, const ListView& v) { return owner_data(h) ? v.owner_count : int(v.rows.size()); }

UINT* state_of(HWND h, ListView& v, int item) {
  if (item < 0 || item >= row_count(h, v)) return nullptr;
  return owner_data(h) ? &v.owner_states[size_t(item)] : &v.rows[size_t(item)].state;
}

LRESULT tell(HWND h, UINT code, NMHDR& header) {
  header.hwndFrom = h;
  header.idFrom = UINT_PTR(GetDlgCtrlID(h));
  header.code = code;
  HWND parent = GetParent(h);
  return parent ? SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

// Changes the state bits of one row (-1: every row) and tells the parent of each change.
void change_state(HWND h, int item, UINT state, UINT mask) {
  ListView& v = views()[h];
  int first = item < 0 ? 0 : item, last = item < 0 ? row_count(h, v) - 1 : item;
  for (int i = first; i <= last; ++i) {
    UINT* s = state_of(h, v, i);
    if (!s) continue;
    UINT old = *s, now = (old & ~mask) | (state & mask);
    if (old == now) continue;
    *s = now;
    NMLISTVIEW notice{};
    notice.iItem = i;
    notice.uNewState = now;
    notice.uOldState = old;
    notice.uChanged = LVIF_STATE;
    tell(h, LVN_ITEMCHANGED, notice.hdr);
    if (!IsWindow(h)) return;
  }
  InvalidateRect(h, nullptr, TRUE);
}

// Selects one row (single selection by clicks and keys) and makes it the focused one.
void select_only(HWND h, int item) {
  ListView& v = views()[h];
  for (int i = 0; i < row_count(h, v); ++i) {
    if (i != item && state_of(h, v, i) && (*state_of(h, v, i) & (LVIS_SELECTED | LVIS_FOCUSED))) {
      change_state(h, i, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
  }
  if (item >= 0) change_state(h, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::string text_of(HWND h, int item, int column) {
  ListView& v = views()[h];
  if (item < 0 || item >= row_count(h, v)) return {};
  if (!owner_data(h)) {
    const Row& r = v.rows[size_t(item)];
    return size_t(column) < r.texts.size() ? r.texts[size_t(column)] : std::string();
  }
  // The parent supplies the text of a row it keeps.
  char buffer[512] = {0};
  NMLVDISPINFO info{};
  info.item.mask = LVIF_TEXT;
  info.item.iItem = item;
  info.item.iSubItem = column;
  info.item.pszText = buffer;
  info.item.cchTextMax = int(sizeof buffer);
  tell(h, LVN_GETDISPINFO, info.hdr);
  buffer[sizeof buffer - 1] = '\0';
  return info.item.pszText ? std::string(info.item.pszText) : std::string();
}

int row_at(HWND h, int y) {
  int header = (style_of(h) & LVS_NOCOLUMNHEADER) ? 0 : controls::kListHeaderHeight;
  if (y < header) return -1;
  int item = views()[h].top + (y - header) / controls::kListRowHeight;
  return item < row_count(h, views()[h]) ? item : -1;
}

void paint(HWND h) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(h, &ps);
  CDC dc;
  dc.Attach(hdc);
  ListView& v = views()[h];
  CRect r;
  GetClientRect(h, &r);
  dc.FillSolidRect(&r, or_system(v.background, COLOR_WINDOW));
  dc.SetBkMode(TRANSPARENT);
  int y = 0;
  if (!(style_of(h) & LVS_NOCOLUMNHEADER)) {
    int x = 0;
    for (const Column& c : v.columns) {
      CRect cell(x, 0, x + c.width, controls::kListHeaderHeight);
      dc.FillSolidRect(&cell, GetSysColor(COLOR_BTNFACE));
      dc.Draw3dRect(&cell, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
      dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
      CRect t(cell.left + 4, cell.top, cell.right - 4, cell.bottom);
      dc.DrawText(c.heading.c_str(), int(c.heading.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      x += c.width;
    }
    y = controls::kListHeaderHeight;
  }
  for (int i = v.top; i < row_count(h, v) && y < r.bottom; ++i, y += controls::kListRowHeight) {
    CRect row(0, y, r.right, y + controls::kListRowHeight);
    UINT state = *state_of(h, v, i);
    if (style_of(h) & LVS_OWNERDRAWFIXED) {
      DRAWITEMSTRUCT d{ODT_LISTVIEW, UINT(GetDlgCtrlID(h)), UINT(i), ODA_DRAWENTIRE,
                       (state & LVIS_SELECTED) ? ODS_SELECTED : 0u, h, hdc, row, 0};
      SendMessage(GetParent(h), WM_DRAWITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&d));
      continue;
    }
    bool selected = (state & LVIS_SELECTED) != 0;
    if (selected) {
      dc.FillSolidRect(&row, GetSysColor(COLOR_HIGHLIGHT));
    } else if (v.text_background != CLR_NONE) {
      dc.FillSolidRect(&row, or_system(v.text_background, COLOR_WINDOW));
    }
    dc.SetTextColor(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : or_system(v.text, COLOR_WINDOWTEXT));
    int x = 0;
    for (size_t c = 0; c < v.columns.size(); ++c) {
      std::string text = text_of(h, i, int(c));
      CRect t(x + 4, y, x + v.columns[c].width - 4, y + controls::kListRowHeight);
      UINT align = v.columns[c].format == LVCFMT_RIGHT ? DT_RIGHT : v.columns[c].format == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
      dc.DrawText(text.c_str(), int(text.size()), &t, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      x += v.columns[c].width;
    }
  }
  dc.Detach();
  EndPaint(h, &ps);
}

LRESULT list_view_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus(h);
      int item = row_at(h, GET_Y_LPARAM(lParam));
      if (item >= 0) select_only(h, item);
      if (!IsWindow(h)) return 0;
      NMLISTVIEW notice{};
      notice.iItem = item;
      notice.ptAction = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      tell(h, message == WM_LBUTTONDOWN ? NM_CLICK : NM_DBLCLK, notice.hdr);
      return 0;
    }
    case WM_KEYDOWN: {
      ListView& v = views()[h];
      int count = row_count(h, v);
      int focused = -1;
      for (int i = 0; i < count; ++i) {
        if (*state_of(h, v, i) & LVIS_FOCUSED) focused = i;
      }
      int to = focused;
      if (wParam == WPARAM(VK_DOWN)) to = std::min(count - 1, focused + 1);
      if (wParam == WPARAM(VK_UP)) to = std::max(0, focused - 1);
      if (wParam == WPARAM(VK_HOME)) to = 0;
      if (wParam == WPARAM(VK_END)) to = count - 1;
      if (to != focused && to >= 0) select_only(h, to);
      return 0;
    }
    case LVM_GETITEMCOUNT:
      return row_count(h, views()[h]);
    case LVM_DELETEALLITEMS: {
      ListView& v = views()[h];
      v.rows.clear();
      v.owner_states.clear();
      v.owner_count = 0;
      v.top = 0;
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case LVM_SETITEMCOUNT: {
      ListView& v = views()[h];
      if (!owner_data(h)) return FALSE;
      v.owner_count = std::max(0, int(wParam));
      v.owner_states.resize(size_t(v.owner_count), 0);
      v.top = std::min(v.top, std::max(0, v.owner_count - 1));
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case LVM_GETTOPINDEX:
      return views()[h].top;
    case LVM_SCROLL: {
      ListView& v = views()[h];
      int rows = int(lParam) / controls::kListRowHeight;
      v.top = std::clamp(v.top + rows, 0, std::max(0, row_count(h, v) - 1));
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR: {
      ListView& v = views()[h];
      COLORREF& target = message == LVM_SETBKCOLOR ? v.background : message == LVM_SETTEXTCOLOR ? v.text : v.text_background;
      target = COLORREF(lParam);
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case WM_PAINT:
      paint(h);
      return 0;
    case WM_NCDESTROY:
      views().erase(h);
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

int CListCtrl::InsertColumn(int nCol, LPCTSTR heading, int nFormat, int nWidth) {
  ListView& v = views()[m_hWnd];
  int at = std::clamp(nCol, 0, int(v.columns.size()));
  v.columns.insert(v.columns.begin() + at, Column{heading ? heading : "", nFormat, nWidth < 0 ? 100 : nWidth});
  for (Row& r : v.rows) {
    if (size_t(at) <= r.texts.size()) r.texts.insert(r.texts.begin() + at, std::string());
  }
  Invalidate();
  return at;
}

int CListCtrl::GetColumnCount() const { return int(views()[m_hWnd].columns.size()); }

int CListCtrl::InsertItem(int nItem, LPCTSTR text) {
  if (owner_data(m_hWnd)) return -1;
  ListView& v = views()[m_hWnd];
  int at = (nItem < 0 || nItem > int(v.rows.size())) ? int(v.rows.size()) : nItem;
  Row row;
  row.texts.assign(std::max<size_t>(1, v.columns.size()), std::string());
  row.texts[0] = text ? text : "";
  v.rows.insert(v.rows.begin() + at, std::move(row));
  Invalidate();
  return at;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR text) {
  ListView& v = views()[m_hWnd];
  if (owner_data(m_hWnd) || nItem < 0 || nItem >= int(v.rows.size()) || nSubItem < 0) return FALSE;
  Row& r = v.rows[size_t(nItem)];
  if (size_t(nSubItem) >= r.texts.size()) r.texts.resize(size_t(nSubItem) + 1);
  r.texts[size_t(nSubItem)] = text ? text : "";
  Invalidate();
  return TRUE;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const { return CString(text_of(m_hWnd, nItem, nSubItem)); }

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  ListView& v = views()[m_hWnd];
  if (owner_data(m_hWnd) || nItem < 0 || nItem >= int(v.rows.size())) return FALSE;
  v.rows[size_t(nItem)].data = dwData;
  return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  ListView& v = views()[m_hWnd];
  return (!owner_data(m_hWnd) && nItem >= 0 && nItem < int(v.rows.size())) ? v.rows[size_t(nItem)].data : 0;
}

BOOL CListCtrl::DeleteItem(int nItem) {
  ListView& v = views()[m_hWnd];
  if (owner_data(m_hWnd) || nItem < 0 || nItem >= int(v.rows.size())) return FALSE;
  v.rows.erase(v.rows.begin() + nItem);
  Invalidate();
  return TRUE;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  if (nItem >= GetItemCount()) return FALSE;
  change_state(m_hWnd, nItem, nState, nMask);
  return TRUE;
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
  UINT* s = state_of(m_hWnd, views()[m_hWnd], nItem);
  return s ? (*s & nMask) : 0;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
  ListView& v = views()[m_hWnd];
  for (int i = std::max(0, nItem + 1); i < row_count(m_hWnd, v); ++i) {
    UINT s = *state_of(m_hWnd, v, i);
    if ((UINT(nFlags) & (LVNI_SELECTED | LVNI_FOCUSED)) == 0 || (s & UINT(nFlags))) return i;
  }
  return -1;
}

int CListCtrl::GetSelectedCount() const {
  int n = 0;
  for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) ++n;
  return n;
}

int CListCtrl::HitTest(CPoint pt) const { return row_at(m_hWnd, pt.y); }

BOOL CListCtrl::EnsureVisible(int nItem, BOOL) {
  ListView& v = views()[m_hWnd];
  if (nItem < 0 || nItem >= row_count(m_hWnd, v)) return FALSE;
  CRect r;
  GetClientRect(&r);
  int header = (GetStyle() & LVS_NOCOLUMNHEADER) ? 0 : controls::kListHeaderHeight;
  int visible = std::max(1, (r.Height() - header) / controls::kListRowHeight);
  if (nItem < v.top) v.top = nItem;
  if (nItem >= v.top + visible) v.top = nItem - visible + 1;
  Invalidate();
  return TRUE;
}
