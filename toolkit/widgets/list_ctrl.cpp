// The list control's creation, styles, columns, rows, states and notifications.
#include "toolkit/widgets/list_ctrl.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/app.h"
#include "platform/framework/tool_tips.h"
#include "platform/win/system_metrics.h"
#include "toolkit/widgets/list_ctrl_internal.h"
#include "toolkit/widgets/truncated_item_tip.h"

using namespace list_shared;

namespace {

// Copies at most capacity - 1 bytes of `text` and a terminating zero; returns the length copied.
int copy_bounded(const char* text, LPTSTR buffer, int capacity) {
  if (!buffer || capacity <= 0) return 0;
  size_t n = text ? std::min(std::strlen(text), size_t(capacity - 1)) : 0;
  if (n) std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return int(n);
}

constexpr DWORD kListStyleBits = 0xF3FF;

}  // namespace

IMPLEMENT_DYNAMIC(SECListBaseC, CWnd)
IMPLEMENT_DYNAMIC(SECListCtrl, SECListBaseC)

SECListBaseC::SECListBaseC() : m_pTip(std::make_unique<SECTruncatedItemTip>(this)) {
  m_crBack = m_crTextBack = m_crIconBack = m_crIconBackSel = ::GetSysColor(COLOR_WINDOW);
  m_crText = ::GetSysColor(COLOR_WINDOWTEXT);
  m_crGrayText = ::GetSysColor(COLOR_GRAYTEXT);
  m_crSelText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  m_crSelBack = ::GetSysColor(COLOR_HIGHLIGHT);
  m_crTipBack = ::GetSysColor(COLOR_INFOBK);
  m_crTipText = ::GetSysColor(COLOR_INFOTEXT);
}

SECListBaseC::~SECListBaseC() {
  DestroyWindow();
}

// --- Creation ---------------------------------------------------------------------------------------

BOOL SECListBaseC::Create(DWORD style, DWORD exStyle, const RECT& r, CWnd* parent, UINT id, LPVOID param) {
  return CreateEx(exStyle, nullptr, nullptr, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                  parent ? parent->m_hWnd : nullptr, id, param);
}

BOOL SECListBaseC::Create(DWORD style, const RECT& r, CWnd* parent, UINT id, LPVOID param) {
  return Create(style, 0, r, parent, id, param);
}

BOOL SECListBaseC::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR title, DWORD style, int x, int y, int cx,
                            int cy, HWND parent, UINT id, LPVOID param) {
  CREATESTRUCT cs{param, reinterpret_cast<HMENU>(UINT_PTR(id)), parent, cy, cx, y, x, LONG(style), title,
                  className, exStyle};
  if (!PreCreateWindow(cs)) return FALSE;
  SplitCreateStyle(cs);
  if (!className) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
  return CWnd::CreateEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, DWORD(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                        cs.hwndParent, cs.hMenu, cs.lpCreateParams);
}

void SECListBaseC::SplitCreateStyle(CREATESTRUCT& cs) {
  m_dwListStyle = DWORD(cs.style) & kListStyleBits;
  cs.style = LONG(DWORD(cs.style) & ~kListStyleBits);
  m_dwListExStyle = cs.dwExStyle & LVXS_MASK;
  cs.dwExStyle &= ~LVXS_MASK;
}

BOOL SECListBaseC::CreateInPlaceOf(UINT id, CWnd* dialog) {
  CWnd* item = dialog ? dialog->GetDlgItem(int(id)) : nullptr;
  if (!item) return FALSE;
  DWORD style = item->CWnd::GetStyle() | WS_BORDER;
  DWORD exStyle = item->CWnd::GetExStyle();
  CRect r;
  item->GetWindowRect(&r);
  dialog->ScreenToClient(&r);
  item->DestroyWindow();
  return Create(style, exStyle, r, dialog, id);
}

BOOL SECListBaseC::ReplaceDlgItem(UINT id, CWnd* dialog) {
  CWnd* item = dialog ? dialog->GetDlgItem(int(id)) : nullptr;
  if (!item) return FALSE;
  HWND before = ::GetWindow(item->m_hWnd, GW_HWNDPREV);
  if (!CreateInPlaceOf(id, dialog)) return FALSE;
  ::SetWindowPos(m_hWnd, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

int SECListBaseC::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  m_hDividerCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kDividerCursor));
  if (!m_hDividerCursor) m_hDividerCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
  if ((DWORD(cs->style) & LVS_TYPEMASK) != LVS_REPORT && (m_dwListStyle & LVS_TYPEMASK) != LVS_REPORT) {
    m_dwListStyle |= LVS_NOCOLUMNHEADER;
    InsertColumn(0, "", LVCFMT_LEFT, 20, 0, FALSE);
  }
  return 0;
}

void SECListBaseC::OnDestroy() {
  CancelEditTimer();
  m_bEnding = TRUE;
  DestroyEdit();
  m_bEnding = FALSE;
  m_nEditRow = -1;
  for (auto& owned : m_ownedImageLists) owned.reset();
  for (auto*& list : m_pImageLists) list = nullptr;
  if (m_pTip && m_pTip->m_hWnd) m_pTip->DestroyWindow();
  m_model.DeleteAllRows();
  while (m_model.ColumnCount()) m_model.DeleteColumn(m_model.ColumnCount() - 1, true);
  CWnd::OnDestroy();
}

// --- Colours and fonts ------------------------------------------------------------------------------

COLORREF SECListBaseC::GetBackColor() const {
  return m_hWnd && !IsWindowEnabled() ? Colours().menu : m_crBack;
}

void SECListBaseC::SetBackColor(COLORREF c) { m_crBack = m_crTextBack = c; }

CFont* SECListBaseC::GetHeaderFont() const {
  return m_pHeaderFont ? m_pHeaderFont : CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

CFont* SECListBaseC::GetItemFont() const {
  return m_pItemFont ? m_pItemFont : CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

void SECListBaseC::OnSysColorChange() {
  if (!m_bColorsFromSystem) return;
  m_crBack = m_crTextBack = m_crIconBack = m_crIconBackSel = ::GetSysColor(COLOR_WINDOW);
  m_crText = ::GetSysColor(COLOR_WINDOWTEXT);
  m_crGrayText = ::GetSysColor(COLOR_GRAYTEXT);
  m_crSelText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  m_crSelBack = ::GetSysColor(COLOR_HIGHLIGHT);
  m_crTipBack = ::GetSysColor(COLOR_INFOBK);
  m_crTipText = ::GetSysColor(COLOR_INFOTEXT);
  RefreshColours();
  Invalidate();
}

// --- Columns ----------------------------------------------------------------------------------------

int SECListBaseC::InsertColumnObject(int index, SECListColumn* column, BOOL redraw) {
  std::unique_ptr<SECListColumn> owned(column);
  if (!owned) return -1;
  if (m_nEditRow >= 0) EndLabelEdit(TRUE);
  HideTip();
  if (owned->width < 0) owned->width = 10;
  int at = m_model.InsertColumn(index, std::move(owned));
  if (redraw && m_bAutoRedraw && m_hWnd) {
    if (HasExStyle(LVXS_FITCOLUMNS)) FillFirstColumn();
    InvalidateLayout();
    Invalidate();
  }
  return at;
}

int SECListBaseC::InsertColumnObject(SECListColumn* column, BOOL redraw) {
  return InsertColumnObject(GetColumnCount(), column, redraw);
}

int SECListBaseC::InsertColumn(int index, const LVCOLUMN* rec, BOOL redraw) {
  if (!rec) return -1;
  auto column = std::make_unique<SECListColumn>();
  column->format = (rec->mask & LVCF_FMT) ? (rec->fmt & LVCFMT_JUSTIFYMASK) : LVCFMT_LEFT;
  column->width = (rec->mask & LVCF_WIDTH) ? rec->cx : -1;
  if ((rec->mask & LVCF_TEXT) && rec->pszText && rec->pszText != LPSTR_TEXTCALLBACK) column->title = rec->pszText;
  column->sub_item = (rec->mask & LVCF_SUBITEM) ? rec->iSubItem : -1;
  return InsertColumnObject(index, column.release(), redraw);
}

int SECListBaseC::InsertColumn(const LVCOLUMN* rec, BOOL redraw) { return InsertColumn(GetColumnCount(), rec, redraw); }

int SECListBaseC::InsertColumn(int index, LPCTSTR title, int format, int width, int subItem, BOOL redraw) {
  auto column = std::make_unique<SECListColumn>();
  column->format = format & LVCFMT_JUSTIFYMASK;
  column->width = width;
  column->title = title ? title : "";
  column->sub_item = subItem;
  return InsertColumnObject(index, column.release(), redraw);
}

int SECListBaseC::InsertColumn(LPCTSTR title, int format, int width, BOOL redraw) {
  return InsertColumn(GetColumnCount(), title, format, width, -1, redraw);
}

BOOL SECListBaseC::DeleteColumn(int index) {
  if (!m_model.Column(index)) return FALSE;
  if (m_nEditRow >= 0) EndLabelEdit(TRUE);
  HideTip();
  m_model.DeleteColumn(index, HasExStyle(LVXS_KEEPDELETEDWIDTH));
  if (m_hWnd) {
    InvalidateLayout();
    Invalidate();
  }
  return TRUE;
}

BOOL SECListBaseC::DeleteColumnByTitle(LPCTSTR title) { return DeleteColumn(FindColumn(title)); }

void SECListBaseC::DeleteAllColumns() {
  while (GetColumnCount()) DeleteColumn(GetColumnCount() - 1);
  if (m_hWnd) UpdateScrollState();
}

BOOL SECListBaseC::GetColumn(int index, LVCOLUMN* rec) const {
  const SECListColumn* c = m_model.Column(index);
  if (!c || !rec) return FALSE;
  if (rec->mask & LVCF_FMT) rec->fmt = c->format;
  if (rec->mask & LVCF_WIDTH) rec->cx = c->width;
  if (rec->mask & LVCF_TEXT) copy_bounded(c->title, rec->pszText, rec->cchTextMax);
  if (rec->mask & LVCF_SUBITEM) rec->iSubItem = c->sub_item;
  return TRUE;
}

BOOL SECListBaseC::SetColumn(int index, const LVCOLUMN* rec, BOOL redraw) {
  SECListColumn* c = m_model.Column(index);
  if (!c || !rec) return FALSE;
  if ((rec->mask & LVCF_FMT) && index > 0) c->format = rec->fmt & LVCFMT_JUSTIFYMASK;
  if (rec->mask & LVCF_WIDTH) c->width = std::max(rec->cx, 0);
  if ((rec->mask & LVCF_TEXT) && rec->pszText != LPSTR_TEXTCALLBACK) c->title = rec->pszText ? rec->pszText : "";
  if ((rec->mask & LVCF_SUBITEM) && index > 0 && rec->iSubItem > 0 && rec->iSubItem <= GetSubItemCount()) {
    c->sub_item = rec->iSubItem;
  }
  if (redraw && m_hWnd) {
    InvalidateLayout();
    Invalidate();
  }
  return TRUE;
}

int SECListBaseC::GetColumnLeft(int index) const { return m_model.ColumnLeft(index); }

int SECListBaseC::GetColumnRight(int index) const {
  const SECListColumn* c = m_model.Column(index);
  return GetColumnLeft(index) + (c ? c->width : 0);
}

BOOL SECListBaseC::SetColumnWidth(int index, int width) {
  SECListColumn* c = m_model.Column(index);
  if (!c) return FALSE;
  c->width = std::max(width, 0);
  if (m_hWnd) {
    InvalidateLayout();
    Invalidate();
  }
  return TRUE;
}

int SECListBaseC::GetColumnWidth(int index) const {
  if (GetColumnCount() == 0) {
    CRect view;
    GetViewRect(&view);
    return view.Width();
  }
  const SECListColumn* c = m_model.Column(index);
  return c ? c->width : 0;
}

BOOL SECListBaseC::SetColumnFormat(int index, int format) {
  SECListColumn* c = m_model.Column(index);
  if (!c) return FALSE;
  if (index > 0) c->format = format & LVCFMT_JUSTIFYMASK;
  if (m_hWnd) Invalidate();
  return TRUE;
}

int SECListBaseC::GetColumnFormat(int index) const {
  const SECListColumn* c = m_model.Column(index);
  return c ? c->format : LVCFMT_LEFT;
}

BOOL SECListBaseC::SetColumnTitle(int index, LPCTSTR title) {
  SECListColumn* c = m_model.Column(index);
  if (!c) return FALSE;
  c->title = title ? title : "";
  if (m_hWnd) InvalidateRect(HeaderRect(), FALSE);
  return TRUE;
}

CString SECListBaseC::GetColumnTitle(int index) const {
  const SECListColumn* c = m_model.Column(index);
  return c ? c->title : CString();
}

int SECListBaseC::FindColumn(LPCTSTR title) const {
  int index = -1;
  return FindColumn(title, &index, nullptr) ? index : -1;
}

BOOL SECListBaseC::FindColumn(LPCTSTR title, int* index, int* subItem) const {
  for (int i = 0; i < GetColumnCount(); ++i) {
    const SECListColumn* c = m_model.Column(i);
    if (c->title == (title ? title : "")) {
      if (index) *index = i;
      if (subItem) *subItem = c->sub_item;
      return TRUE;
    }
  }
  return FALSE;
}

int SECListBaseC::GetColumnSubItem(int column) const {
  const SECListColumn* c = m_model.Column(column);
  return c ? c->sub_item : -1;
}

// --- Rows -------------------------------------------------------------------------------------------

LPARAM SECListBaseC::GetRowData(int row) const {
  const SECListRow* r = GetRow(row);
  return r ? r->user : 0;
}

std::unique_ptr<SECListRow> SECListBaseC::CreateRow() { return m_model.MakeRow(); }

void SECListBaseC::InitRowSubItems(SECListRow* row) {
  if (row) row->sub_items.assign(size_t(GetSubItemCount()), SECListSubItem{});
}

void SECListBaseC::ClearRowSubItems(SECListRow* row) {
  if (row) row->sub_items.clear();
}

void SECListBaseC::PrepareRow(SECListRow* row) {
  if (row && row->height < 0) MeasureRowAt(m_model.IndexOf(row));
}

BOOL SECListBaseC::NeedsParentData(int row) const {
  const SECListRow* r = GetRow(row);
  return r && r->NeedsParentData();
}

BOOL SECListBaseC::SetItem(const LVITEM* it, BOOL redraw) {
  SECListRow* row = it ? GetRow(it->iItem) : nullptr;
  if (!row) return FALSE;
  int index = it->iItem;
  const bool keep = it->mask & LVIF_DI_SETITEM;
  LVITEM refused = *it;
  refused.mask = 0;
  bool text_changed = false;
  bool visible = false;
  bool drop_changed = false;

  if (it->mask & LVIF_TEXT) {
    ListText* text = row->Text(it->iSubItem);
    if (!text) return FALSE;
    if (it->pszText == LPSTR_TEXTCALLBACK) {
      *text = ListText::OnDemand();
      text_changed = true;
    } else if (text->IsOnDemand() && !keep) {
      refused.mask |= LVIF_TEXT;
    } else {
      *text = ListText::From(it->pszText);
      text_changed = true;
    }
  }
  if ((it->mask & LVIF_IMAGE) && it->iSubItem == 0) {
    if (row->image == I_IMAGECALLBACK && !keep) {
      refused.mask |= LVIF_IMAGE;
    } else {
      visible |= row->image != it->iImage;
      row->image = it->iImage;
    }
  }
  if (it->mask & LVIF_STATE) {
    UINT mask = it->stateMask;
    if (mask & LVIS_SELECTED) {
      bool on = it->state & LVIS_SELECTED;
      if (on != bool(m_model.IsSelected(index))) {
        if (on && HasStyle(LVS_SINGLESEL)) ClearSelectionExcept(index);
        m_model.Select(index, on);
        visible = true;
      }
    }
    if (mask & LVIS_FOCUSED) {
      if (it->state & LVIS_FOCUSED) {
        if (m_model.caret != index) {
          RedrawRow(m_model.caret);
          m_model.caret = index;
          visible = true;
        }
      } else if (m_model.caret == index) {
        m_model.caret = -1;
        visible = true;
      }
    }
    if (mask & LVIS_DROPHILITED) {
      if (it->state & LVIS_DROPHILITED) {
        if (m_model.drop != index) {
          RedrawRow(m_model.drop, FALSE, TRUE, FALSE, TRUE);
          m_model.drop = index;
          drop_changed = true;
        }
      } else if (m_model.drop == index) {
        m_model.drop = -1;
        drop_changed = true;
      }
    }
    UINT stored = mask & ~UINT(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
    UINT next = (row->state & ~stored) | (it->state & stored);
    visible |= next != row->state;
    row->state = next;
  }
  if (it->mask & LVIF_PARAM) row->user = it->lParam;
  if (refused.mask) NotifySetDispInfo(&refused);
  if (text_changed) {
    InvalidateRowHeight(index);
    visible = true;
  }
  visible |= drop_changed;
  if (visible && redraw && index != m_nEditRow && m_hWnd) RedrawRow(index, FALSE, TRUE, FALSE, drop_changed);
  return TRUE;
}

BOOL SECListBaseC::SetItem(int row, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask,
                           LPARAM userValue) {
  LVITEM it;
  it.mask = mask;
  it.iItem = row;
  it.iSubItem = subItem;
  it.pszText = const_cast<LPSTR>(text);
  it.iImage = image;
  it.state = state;
  it.stateMask = stateMask;
  it.lParam = userValue;
  return SetItem(&it, TRUE);
}

BOOL SECListBaseC::SetItemExState(const LVITEM* item, const ListExState* ex) {
  SECListRow* row = item && ex ? GetRow(item->iItem) : nullptr;
  if (!row) return FALSE;
  if (m_pExStateOwner) {
    NotifySetExState(item, ex);
    return TRUE;
  }
  UINT next = (row->ex_state & ~ex->stateMask) | (ex->state & ex->stateMask);
  if (next != row->ex_state) {
    row->ex_state = next;
    if (m_hWnd) RedrawRow(item->iItem);
  }
  return TRUE;
}

BOOL SECListBaseC::GetItemExState(const LVITEM* item, ListExState* ex, BOOL askParent) const {
  const SECListRow* row = item && ex ? GetRow(item->iItem) : nullptr;
  if (!row) return FALSE;
  if (m_pExStateOwner) {
    if (askParent) NotifyGetExState(item, ex);
    return TRUE;
  }
  ex->state = row->ex_state & ex->stateMask;
  return TRUE;
}

void SECListBaseC::FillRecordFromRow(int index, LVITEM* it, BOOL copyText) const {
  const SECListRow* row = GetRow(index);
  if (it->mask & LVIF_TEXT) {
    const ListText* text = row->Text(it->iSubItem);
    if (text && !text->IsOnDemand()) {
      if (copyText) copy_bounded(text->Stored(), it->pszText, it->cchTextMax);
      else it->pszText = const_cast<LPSTR>(text->Stored().GetString());
    }
  }
  if (it->mask & LVIF_IMAGE) it->iImage = row->image;
  if ((it->mask & LVIF_STATE) && !m_pDispInfoOwner) it->state = m_model.StateOf(index, it->stateMask);
  if (it->mask & LVIF_PARAM) it->lParam = row->user;
}

BOOL SECListBaseC::GetItem(LVITEM* it, BOOL copyText, BOOL askParent) const {
  const SECListRow* row = it ? GetRow(it->iItem) : nullptr;
  if (!row) return FALSE;
  FillRecordFromRow(it->iItem, it, copyText);
  UINT ask = 0;
  const ListText* text = row->Text(it->iSubItem);
  if ((it->mask & LVIF_TEXT) && text && text->IsOnDemand()) ask |= LVIF_TEXT;
  if ((it->mask & LVIF_IMAGE) && row->image == I_IMAGECALLBACK) ask |= LVIF_IMAGE;
  if ((it->mask & LVIF_STATE) && m_pDispInfoOwner) ask |= LVIF_STATE;
  if (ask && askParent) {
    LVITEM question = *it;
    question.mask = ask;
    if (ask & LVIF_TEXT) copy_bounded("", question.pszText, question.cchTextMax);
    NotifyGetDispInfo(&question);
    if (ask & LVIF_TEXT) {
      LPSTR own = it->pszText;
      if (question.pszText == own) {
        // Written into the caller's buffer: make sure it ends inside it.
        if (own && it->cchTextMax > 0) own[it->cchTextMax - 1] = '\0';
      } else if (copyText) {
        copy_bounded(question.pszText == LPSTR_TEXTCALLBACK ? "" : question.pszText, own, it->cchTextMax);
      } else {
        it->pszText = question.pszText;  // the parent's own text, of any length
      }
    }
    if (ask & LVIF_IMAGE) it->iImage = question.iImage;
    if (ask & LVIF_STATE) it->state = question.state & it->stateMask;
    if (question.mask & LVIF_DI_SETITEM) it->mask |= LVIF_DI_SETITEM;
  }
  return TRUE;
}

// Setting a cell's text is meant to keep it, also over a text that was asked from the parent
// (every new sub-item starts that way).
BOOL SECListBaseC::SetItemText(int row, int subItem, LPCTSTR text) {
  return SetItem(row, subItem, LVIF_TEXT | LVIF_DI_SETITEM, text, 0, 0, 0, 0);
}

int SECListBaseC::GetItemText(int row, int subItem, LPTSTR buffer, int capacity) const {
  if (!buffer || capacity <= 0) return 0;
  buffer[0] = '\0';
  CString text = GetItemText(row, subItem);
  return copy_bounded(text, buffer, capacity);
}

CString SECListBaseC::GetItemText(int row, int subItem) const {
  const SECListRow* r = GetRow(row);
  const ListText* text = r ? r->Text(subItem) : nullptr;
  if (!text) return CString();
  if (!text->IsOnDemand()) return text->Stored();
  std::vector<char> buffer(size_t(kAskCapacity), '\0');
  LVITEM it;
  it.mask = LVIF_TEXT;
  it.iItem = row;
  it.iSubItem = subItem;
  it.pszText = buffer.data();
  it.cchTextMax = kAskCapacity;
  GetItem(&it, FALSE, TRUE);
  if (it.pszText == buffer.data()) buffer.back() = '\0';
  return CString(it.pszText && it.pszText != LPSTR_TEXTCALLBACK ? it.pszText : "");
}

int SECListBaseC::InsertRowObject(int index, SECListRow* row) {
  std::unique_ptr<SECListRow> owned(row);
  if (!owned) return -1;
  int at = m_model.InsertRow(index, std::move(owned));
  if (m_nEditRow >= at) ++m_nEditRow;
  if (m_nArmedRow >= at) ++m_nArmedRow;
  return at;
}

int SECListBaseC::InsertItem(const LVITEM* it) {
  if (!it) return -1;
  int at = InsertRowObject(it->iItem, CreateRow().release());
  LVITEM rec = *it;
  rec.iItem = at;
  rec.iSubItem = 0;
  rec.mask |= LVIF_DI_SETITEM;
  SetItem(&rec, FALSE);
  if (m_bAutoRedraw && m_hWnd) {
    UpdateScrollState();
    RedrawRow(at, FALSE, TRUE, TRUE);
  }
  return at;
}

int SECListBaseC::InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image,
                             LPARAM userValue) {
  LVITEM it;
  it.mask = mask;
  it.iItem = index;
  it.pszText = const_cast<LPSTR>(text);
  it.state = state;
  it.stateMask = stateMask;
  it.iImage = image;
  it.lParam = userValue;
  return InsertItem(&it);
}

int SECListBaseC::InsertItem(int index, LPCTSTR text, int image) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int SECListBaseC::InsertItem(int index, LPCTSTR text) { return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0); }

int SECListBaseC::InsertItemAfter(SECListRow* row, LVITEM* it) {
  if (!it) return -1;
  int found = m_model.IndexOf(row);
  it->iItem = !row ? 0 : found >= 0 ? found + 1 : it->iItem;
  return InsertItem(it);
}

int SECListBaseC::InsertItemBefore(SECListRow* row, LVITEM* it) {
  if (!it) return -1;
  int found = m_model.IndexOf(row);
  it->iItem = !row ? 0 : found >= 0 ? found : it->iItem;
  return InsertItem(it);
}

BOOL SECListBaseC::DeleteRowObject(SECListRow* row) {
  int index = m_model.IndexOf(row);
  return index >= 0 && DeleteRows(index, 1);
}

BOOL SECListBaseC::DeleteRows(int first, int count) {
  if (!GetRow(first) || count <= 0) return FALSE;
  count = std::min(count, GetItemCount() - first);
  // An edit over a row that goes ends without its text: there is no row left to take it.
  if (m_nEditRow >= first && m_nEditRow < first + count) EndLabelEdit(FALSE);
  if (m_nArmedRow >= first) {
    CancelEditTimer();
    m_nArmedRow = -1;
  }
  HideTip();
  if (m_hWnd) RedrawRow(std::max(first - 1, m_nTopRow), FALSE, TRUE, TRUE);
  NotifyDeleteItem(first);
  if (!GetRow(first)) return FALSE;  // the parent emptied the list meanwhile
  count = std::min(count, GetItemCount() - first);
  if (m_nEditRow >= first + count) m_nEditRow -= count;
  m_model.DeleteRows(first, count);
  m_nTopRow = std::clamp(m_nTopRow, 0, std::max(GetItemCount() - 1, 0));
  if (m_hWnd) {
    UpdateScrollState();
    Invalidate();
  }
  return TRUE;
}

BOOL SECListBaseC::DeleteAllItems() {
  CancelEditTimer();
  m_nArmedRow = -1;
  if (m_nEditRow >= 0) EndLabelEdit(FALSE);
  HideTip();
  m_model.DeleteAllRows();
  m_nTopRow = 0;
  if (m_hWnd) {
    UpdateScrollState();
    Invalidate();
  }
  return TRUE;
}

// --- Caret and selection ----------------------------------------------------------------------------

void SECListBaseC::SetCaret(int row, BOOL select) {
  if (!GetRow(row)) return;
  if (HasStyle(LVS_SINGLESEL)) ClearSelectionExcept(row);
  int old = m_model.caret;
  m_model.caret = row;
  m_model.anchor = row;
  if (select) m_model.Select(row, true);
  RedrawRow(old);
  RedrawRow(row);
}

void SECListBaseC::SetCaretOnly(int row) {
  if (!GetRow(row)) return;
  int old = m_model.caret;
  m_model.caret = row;
  m_model.anchor = row;
  RedrawRow(old, TRUE);
  RedrawRow(row, TRUE);
}

void SECListBaseC::ClearSelectionExcept(int row) {
  std::vector<int> selected = m_model.Selection();
  for (int s : selected) {
    if (s == row) continue;
    m_model.Select(s, false);
    RedrawRow(s);
  }
}

void SECListBaseC::SelectRange(int from, int to, BOOL select) {
  m_model.SelectRange(from, to, select);
  RedrawRows(from, to);
}

BOOL SECListBaseC::SelectItem(int row, BOOL select) {
  if (!GetRow(row)) return FALSE;
  if (HasStyle(LVS_SINGLESEL)) ClearSelectionExcept(row);
  m_model.Select(row, select);
  RedrawRow(row);
  return TRUE;
}

BOOL SECListBaseC::SetItemState(int row, UINT state, UINT mask) {
  return SetItem(row, 0, LVIF_STATE, nullptr, 0, state, mask, 0);
}

UINT SECListBaseC::GetItemState(int row, UINT mask) const {
  LVITEM it;
  it.mask = LVIF_STATE;
  it.iItem = row;
  it.stateMask = mask;
  return GetItem(&it, FALSE, TRUE) ? it.state & mask : 0;
}

BOOL SECListBaseC::SetItemUserValue(int row, LPARAM value) {
  SECListRow* r = GetRow(row);
  if (!r) return FALSE;
  r->user = value;
  return TRUE;
}

void SECListBaseC::SetDropHighlight(int row) {
  int old = m_model.drop;
  if (old == row) return;
  m_model.drop = GetRow(row) ? row : -1;
  RedrawRow(old, FALSE, TRUE, FALSE, TRUE);
  RedrawRow(m_model.drop, FALSE, TRUE, FALSE, TRUE);
}

// --- Image lists ------------------------------------------------------------------------------------

CImageList* SECListBaseC::GetImageList(int kind) const {
  return kind >= 0 && kind < 3 ? m_pImageLists[kind] : nullptr;
}

CImageList* SECListBaseC::SetImageList(CImageList* list, int kind) {
  if (kind < 0 || kind >= 3) return nullptr;
  // A copy of the list's own goes with the list; only a caller's list is handed back.
  CImageList* previous = m_ownedImageLists[kind] ? nullptr : m_pImageLists[kind];
  m_ownedImageLists[kind].reset();
  m_pImageLists[kind] = list;
  if (list && !HasStyle(LVS_SHAREIMAGELISTS)) {
    auto copy = std::make_unique<CImageList>();
    if (CopyImageList(list, copy.get())) {
      m_pImageLists[kind] = copy.get();
      m_ownedImageLists[kind] = std::move(copy);
    }
  }
  if (m_hWnd) {
    InvalidateLayout();
    Invalidate();
  }
  return previous;
}

BOOL SECListBaseC::CopyImageList(const CImageList* list, CImageList* out) const {
  if (!list || !out || !list->GetSafeHandle()) return FALSE;
  // A list of its own with copies of every image, so the caller's list may go at any time.
  return out->Create(const_cast<CImageList*>(list));
}

// --- Styles -----------------------------------------------------------------------------------------

void SECListBaseC::GetStyles(DWORD* style, DWORD* exStyle) const {
  if (style) *style = m_dwListStyle;
  if (exStyle) *exStyle = m_dwListExStyle;
}

void SECListBaseC::AfterStyleChange(DWORD oldStyle, DWORD oldExStyle, BOOL redraw) {
  if (!(oldExStyle & LVXS_FITCOLUMNS) && HasExStyle(LVXS_FITCOLUMNS)) FillFirstColumn();
  if (redraw && m_hWnd && (oldStyle != m_dwListStyle || oldExStyle != m_dwListExStyle)) {
    InvalidateLayout();
    Invalidate();
  }
}

void SECListBaseC::SetStyle(DWORD style, BOOL redraw) {
  if (m_nEditRow >= 0) EndLabelEdit(TRUE);
  HideTip();
  CancelEditTimer();
  DWORD old = m_dwListStyle;
  m_dwListStyle = style;
  AfterStyleChange(old, m_dwListExStyle, redraw);
}

void SECListBaseC::SetExStyle(DWORD exStyle, BOOL redraw) {
  if (m_nEditRow >= 0) EndLabelEdit(TRUE);
  HideTip();
  DWORD old = m_dwListExStyle;
  m_dwListExStyle = exStyle;
  AfterStyleChange(m_dwListStyle, old, redraw);
}

void SECListBaseC::SetStyles(DWORD style, DWORD exStyle, BOOL redraw) {
  if (m_nEditRow >= 0) EndLabelEdit(TRUE);
  HideTip();
  CancelEditTimer();
  DWORD old = m_dwListStyle;
  DWORD oldEx = m_dwListExStyle;
  m_dwListStyle = style;
  m_dwListExStyle = exStyle;
  AfterStyleChange(old, oldEx, redraw);
}

void SECListBaseC::ModifyStyle(DWORD remove, DWORD add, BOOL redraw) { SetStyle(add | (m_dwListStyle & ~remove), redraw); }

void SECListBaseC::ModifyExStyle(DWORD remove, DWORD add, BOOL redraw) {
  SetExStyle(add | (m_dwListExStyle & ~remove), redraw);
}

void SECListBaseC::ModifyStyles(DWORD remove, DWORD add, DWORD removeEx, DWORD addEx, BOOL redraw) {
  SetStyles(add | (m_dwListStyle & ~remove), addEx | (m_dwListExStyle & ~removeEx), redraw);
}

void SECListBaseC::SetLabelWrap(BOOL on) { ModifyStyle(on ? LVS_NOLABELWRAP : 0, on ? 0 : LVS_NOLABELWRAP); }

void SECListBaseC::EnableItemTips(BOOL on) { ModifyExStyle(on ? 0 : LVXS_ITEMTIPS, on ? LVXS_ITEMTIPS : 0); }

void SECListBaseC::SetShowHeader(BOOL on) { ModifyStyle(on ? LVS_NOCOLUMNHEADER : 0, on ? 0 : LVS_NOCOLUMNHEADER); }

void SECListBaseC::SetMultipleSelection(BOOL on) {
  if (!on && GetSelectedCount() > 1) {
    std::vector<int> selected = m_model.Selection();
    m_model.ClearSelection();
    for (int s : selected) RedrawRow(s);
  }
  ModifyStyle(on ? LVS_SINGLESEL : 0, on ? 0 : LVS_SINGLESEL);
}

// --- Notifications ----------------------------------------------------------------------------------

CWnd* SECListBaseC::GetNotifyTarget() const { return m_pNotifyWnd ? m_pNotifyWnd : GetParent(); }

LRESULT SECListBaseC::Send(NMHDR* header, UINT code) const {
  CWnd* target = GetNotifyTarget();
  if (!m_hWnd || !target || !target->m_hWnd) return 0;
  header->hwndFrom = m_hWnd;
  header->idFrom = UINT_PTR(GetDlgCtrlID());
  header->code = code;
  return ::SendMessage(target->m_hWnd, WM_NOTIFY, WPARAM(header->idFrom), reinterpret_cast<LPARAM>(header));
}

LRESULT SECListBaseC::Notify(UINT code) {
  NMHDR header{};
  m_lLastAnswer = Send(&header, code);
  return m_lLastAnswer;
}

void SECListBaseC::NotifyBeginDrag(int, CPoint) {}
void SECListBaseC::NotifyBeginRightDrag(int, CPoint) {}
void SECListBaseC::NotifySelectionChanged(int, int, BOOL) {}
BOOL SECListBaseC::NotifySelectionChanging(int, int, BOOL) { return FALSE; }
void SECListBaseC::NotifySetDispInfo(const LVITEM*) {}
void SECListBaseC::NotifyGetExState(const LVITEM*, ListExState*) const {}
void SECListBaseC::NotifySetExState(const LVITEM*, const ListExState*) {}
void SECListBaseC::OnSelectionChanged(int, BOOL) {}

void SECListBaseC::NotifyInsertItem(int row) {
  NMLISTVIEW n{};
  n.iItem = row;
  Send(&n.hdr, LVN_INSERTITEM);
}

void SECListBaseC::NotifyDeleteItem(int row) {
  NMLISTVIEW n{};
  n.iItem = row;
  n.lParam = GetRowData(row);
  Send(&n.hdr, LVN_DELETEITEM);
}

BOOL SECListBaseC::NotifyBeginLabelEdit(int row, int subItem) {
  NMLVDISPINFO n{};
  n.item.mask = LVIF_TEXT;
  n.item.iItem = row;
  n.item.iSubItem = subItem;
  n.item.lParam = GetRowData(row);
  return Send(&n.hdr, LVN_BEGINLABELEDIT) == 1;
}

BOOL SECListBaseC::NotifyEndLabelEdit(int row, int subItem, LPTSTR text) {
  NMLVDISPINFO n{};
  n.item.mask = LVIF_TEXT;
  n.item.iItem = row;
  n.item.iSubItem = subItem;
  n.item.lParam = GetRowData(row);
  n.item.pszText = text;
  n.item.cchTextMax = text ? int(std::strlen(text)) + 1 : 0;
  return Send(&n.hdr, LVN_ENDLABELEDIT) != 0;
}

void SECListBaseC::NotifyGetDispInfo(LVITEM* item) const {
  NMLVDISPINFO n{};
  n.item = *item;
  Send(&n.hdr, LVN_GETDISPINFO);
  *item = n.item;
}

void SECListBaseC::NotifyKeyDown(UINT key) {
  NMLVKEYDOWN n{};
  n.wVKey = WORD(key);
  n.flags = 0;
  Send(&n.hdr, LVN_KEYDOWN);
}

BEGIN_MESSAGE_MAP(SECListCtrl, SECListBaseC)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSEWHEEL()
  ON_WM_SETCURSOR()
  ON_WM_TIMER()
  ON_WM_KEYDOWN()
  ON_WM_SYSKEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_CANCELMODE()
  ON_WM_ENABLE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_CONTROL(EN_UPDATE, kEditId, &ThisClass::OnEditUpdate)
  ON_CONTROL(EN_KILLFOCUS, kEditId, &ThisClass::OnEditKillFocus)
END_MESSAGE_MAP()
