// The list control's measuring, layout, scroll state and painting.
#include <algorithm>

#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "toolkit/widgets/list_ctrl.h"
#include "toolkit/widgets/list_ctrl_internal.h"
#include "toolkit/widgets/offscreen_dc.h"
#include "toolkit/widgets/truncated_item_tip.h"

using namespace list_shared;

namespace list_shared {

SharedColours& Colours() {
  static SharedColours colours{::GetSysColor(COLOR_MENU), ::GetSysColor(COLOR_MENUTEXT), ::GetSysColor(COLOR_BTNFACE)};
  return colours;
}

void RefreshColours() {
  Colours() = SharedColours{::GetSysColor(COLOR_MENU), ::GetSysColor(COLOR_MENUTEXT), ::GetSysColor(COLOR_BTNFACE)};
}

int VerticalBarWidth() {
  static const int width = ::GetSystemMetrics(SM_CXVSCROLL);
  return width;
}

int HorizontalBarHeight() {
  static const int height = ::GetSystemMetrics(SM_CYHSCROLL);
  return height;
}

}  // namespace list_shared

namespace {

bool report_mode(DWORD style) { return (style & LVS_TYPEMASK) == LVS_REPORT; }

// The label as it is drawn without wrapping: the first line, marked as cut when more follow.
CString first_line(const CString& text, bool* more) {
  int end = text.FindOneOf("\r\n");
  *more = end >= 0;
  return end >= 0 ? text.Left(end) : text;
}

}  // namespace

// --- Geometry ---------------------------------------------------------------------------------------

ListGeometry SECListBaseC::Geometry() const {
  CRect view;
  GetViewRect(&view);
  auto* self = const_cast<SECListBaseC*>(this);
  return ListGeometry(GetItemCount(), view.Height(), [self](int row) {
    self->MeasureIfNeeded(row);
    const SECListRow* r = self->GetRow(row);
    return r ? std::max(r->height, 0) + self->GetRowSpacing() : 0;
  });
}

void SECListBaseC::MeasureIfNeeded(int row) const {
  const SECListRow* r = GetRow(row);
  if (r && r->height < 0) const_cast<SECListBaseC*>(this)->MeasureRowAt(row);
}

int SECListBaseC::GetCountPerPage() const { return Geometry().CountPerPage(m_nTopRow); }
int SECListBaseC::RowsAboveTop() const { return Geometry().RowsAboveTop(m_nTopRow); }
int SECListBaseC::GetLastPageTop() const { return Geometry().LastPageTop(); }
int SECListBaseC::LastFittingRow() const { return Geometry().LastFitting(m_nTopRow); }
int SECListBaseC::FirstNotFittingRow() const { return Geometry().FirstNotFitting(m_nTopRow); }
int SECListBaseC::PreviousPageTop() const { return Geometry().PreviousPageTop(m_nTopRow); }
int SECListBaseC::RowFromOffset(int y) const { return Geometry().RowFromOffset(m_nTopRow, y); }
int SECListBaseC::RowFromOffset(int y, int top) const { return Geometry().RowFromOffset(top, y); }

int SECListBaseC::SumRowHeights(int from, int to, BOOL inclusive) const {
  return Geometry().SumRowHeights(from, to, inclusive);
}

int SECListBaseC::RowsInHeight(int height, int from, BOOL forward) const {
  return Geometry().RowsInHeight(height, from, forward);
}

void SECListBaseC::SetRowHeight(int row, int height) {
  if (SECListRow* r = GetRow(row)) r->height = height;
}

void SECListBaseC::InvalidateRowHeight(int row) { SetRowHeight(row, -1); }

void SECListBaseC::InvalidateLayout() {
  for (int r = 0; r < GetItemCount(); ++r) GetRow(r)->height = -1;
  if (m_hWnd) UpdateScrollState();
}

void SECListBaseC::GetClientArea(CRect* rect) const { GetClientRect(rect); }

CRect SECListBaseC::HeaderRect() const {
  CRect client;
  GetClientRect(&client);
  return CRect(client.left, client.top, client.right, client.top + m_nHeaderHeight);
}

void SECListBaseC::GetViewRect(CRect* rect) const {
  if (!m_hWnd) {
    rect->SetRectEmpty();
    return;
  }
  GetClientRect(rect);
  if (report_mode(m_dwListStyle) && GetShowHeader()) rect->top += m_nHeaderHeight;
  if (m_dwScrollFlags & kVertBarShown) rect->right -= VerticalBarWidth() - 1;
  if (m_dwScrollFlags & kHorzBarShown) rect->bottom -= HorizontalBarHeight() - 1;
  if (rect->bottom < rect->top) rect->bottom = rect->top;
  if (rect->right < rect->left) rect->right = rect->left;
}

void SECListBaseC::GetScrollOffsets(int* horizontal, int* vertical) const {
  *horizontal = m_nHOffset;
  *vertical = m_nVOffset;
}

ListRowParts SECListBaseC::RowParts(int row) const {
  MeasureIfNeeded(row);
  const SECListRow* r = GetRow(row);
  return r ? ListRowParts{r->icon, r->label, r->state_icon} : ListRowParts{};
}

// The cell of `row` in icon view: cells as wide as the first column flow left to right from the
// top row and wrap at the view's right edge.
void SECListBaseC::IconCell(int row, CRect* cell) const {
  CRect view;
  GetViewRect(&view);
  int width = std::max(GetColumnWidth(0), 1);
  int x = view.left;
  int y = view.top;
  int line = 0;
  for (int r = m_nTopRow; r <= row && r < GetItemCount(); ++r) {
    MeasureIfNeeded(r);
    int h = std::max(GetRow(r)->height, 1);
    if (x > view.left && x + width > view.right) {
      x = view.left;
      y += line;
      line = 0;
    }
    if (r == row) {
      cell->SetRect(x, y, x + width, y + h);
      return;
    }
    line = std::max(line, h);
    x += width;
  }
  cell->SetRectEmpty();
}

BOOL SECListBaseC::GetItemRect(int row, int column, CRect* rect, UINT code) const {
  const SECListRow* r = GetRow(row);
  const SECListColumn* c = m_model.Column(column);
  if (!r || !c || row < m_nTopRow || !m_hWnd) return FALSE;
  CRect view;
  GetViewRect(&view);
  CRect cell;
  if ((m_dwListStyle & LVS_TYPEMASK) == LVS_ICON) {
    IconCell(row, &cell);
  } else {
    int top = view.top + SumRowHeights(m_nTopRow, row, FALSE);
    MeasureIfNeeded(row);
    int left = view.left - m_nHOffset + GetColumnLeft(column);
    cell.SetRect(left, top, left + c->width, top + r->height);
    if (GetColumnCount() <= 1) cell.right = cell.left + std::max(c->width, view.Width());
  }
  CRect part;
  if (code == LVIR_BOUNDS) {
    *rect = cell;
    return TRUE;
  }
  if (c->sub_item == 0) {
    part = code == LVIR_ICON ? r->icon : r->label;
  } else if (code == LVIR_LABEL && size_t(c->sub_item) <= r->sub_items.size()) {
    part = r->sub_items[size_t(c->sub_item) - 1].label;
  } else {
    return FALSE;
  }
  part.OffsetRect(cell.left, cell.top);
  *rect = part;
  return TRUE;
}

BOOL SECListBaseC::GetSubItemRect(int row, CRect* rect, UINT code) const {
  for (int i = 0; i < GetColumnCount(); ++i) {
    if (m_model.Column(i)->sub_item == 0) return GetItemRect(row, i, rect, code);
  }
  return FALSE;
}

int SECListBaseC::HitTest(int x, int y, UINT* flags, int* column) const {
  ListHitLayout layout;
  GetClientRect(&layout.client);
  GetViewRect(&layout.view);
  for (int i = 0; i < GetColumnCount(); ++i) layout.column_widths.push_back(m_model.Column(i)->width);
  layout.offset = m_nHOffset;
  layout.top = m_nTopRow;
  layout.parts = [this](int row) { return RowParts(row); };
  if (!report_mode(m_dwListStyle) || !GetShowHeader()) layout.view.top = layout.client.top;
  ListHit hit = ListHitTest(Geometry(), layout, CPoint(x, y));
  if ((m_dwListStyle & LVS_TYPEMASK) == LVS_ICON && hit.index >= 0 && (hit.flags & LVHT_ONROW)) {
    hit = IconHitTest(CPoint(x, y));
  }
  if (flags) *flags = hit.flags;
  if (column) *column = hit.column;
  return hit.index;
}

// Icon view: the cell under the point, on its icon or label.
ListHit SECListBaseC::IconHitTest(CPoint p) const {
  ListHit hit;
  hit.flags = LVHT_NOWHERE;
  CRect view;
  GetViewRect(&view);
  for (int r = m_nTopRow; r < GetItemCount(); ++r) {
    CRect cell;
    IconCell(r, &cell);
    if (cell.IsRectEmpty() || cell.top >= view.bottom) break;
    if (!cell.PtInRect(p)) continue;
    const SECListRow* row = GetRow(r);
    CPoint in(p.x - cell.left, p.y - cell.top);
    hit.index = r;
    hit.column = 0;
    hit.flags = LVHT_ONROW;
    if (row->label.PtInRect(in)) hit.flags |= LVHT_ONITEMLABEL;
    else if (row->icon.PtInRect(in)) hit.flags |= LVHT_ONITEMICON;
    break;
  }
  return hit;
}

// --- Measuring --------------------------------------------------------------------------------------

std::unique_ptr<ListDrawContext> SECListBaseC::CreateContext(CDC* dc) {
  auto ctx = std::make_unique<ListDrawContext>();
  ctx->dc = dc;
  ctx->view_mode = int(m_dwListStyle & LVS_TYPEMASK);
  ctx->buffer.assign(size_t(kAskCapacity), '\0');
  return ctx;
}

std::unique_ptr<CDC> SECListBaseC::CreateDrawDC() { return std::make_unique<CClientDC>(this); }

void SECListBaseC::MeasureRowAt(int row, ListDrawContext* ctx) {
  SECListRow* r = GetRow(row);
  if (!r) return;
  if (ctx) {
    ctx->row = r;
    ctx->item.iItem = row;
    MeasureRow(ctx);
    return;
  }
  if (!m_hWnd) {
    r->height = 0;
    return;
  }
  std::unique_ptr<CDC> dc = CreateDrawDC();
  std::unique_ptr<ListDrawContext> made = CreateContext(dc.get());
  made->row = r;
  made->item.iItem = row;
  MeasureRow(made.get());
}

void SECListBaseC::MeasureRow(ListDrawContext* ctx) {
  int height = 0;
  int columns = std::max(GetColumnCount(), 1);
  for (int i = 0; i < columns; ++i) {
    ctx->column_index = i;
    ctx->column = m_model.Column(i);
    int sub = ctx->column ? ctx->column->sub_item : 0;
    ctx->item.iSubItem = sub;
    ctx->sub = sub > 0 && size_t(sub) <= ctx->row->sub_items.size() ? &ctx->row->sub_items[size_t(sub) - 1] : nullptr;
    FillContext(ctx);
    int cell = 0;
    MeasureCell(ctx, &cell);
    height = std::max(height, cell);
  }
  ctx->row->height = height;
}

void SECListBaseC::MeasureCell(ListDrawContext* ctx, int* height) {
  CRect icon, text;
  if (ctx->column_index == 0 || !ctx->sub) {
    GetIconRect(ctx, &icon);
    ctx->row->icon = icon;
  }
  GetTextRect(ctx, &text);
  if (ctx->sub) ctx->sub->label = text;
  else ctx->row->label = text;
  if (ctx->view_mode == LVS_ICON) {
    *height = text.Height() + icon.Height() + 5;
  } else {
    // Two pixels of room under the label, as above it.
    *height = std::max(icon.bottom, text.bottom) + 2;
  }
}

void SECListBaseC::GetIconRect(ListDrawContext* ctx, CRect* rect) {
  rect->SetRectEmpty();
  CImageList* list = GetImageList(ctx->view_mode == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL);
  int cx = 0, cy = 0;
  if (!list || !list->GetIconSize(cx, cy) || ctx->row->image == I_IMAGENONE) return;
  rect->SetRect(2, 2, cx + 2, cy + 2);
}

void SECListBaseC::GetTextRect(ListDrawContext* ctx, CRect* rect) {
  CDC* dc = ctx->dc;
  FillContextFont(ctx);
  CFont* old = dc->SelectObject(ctx->font);
  const CRect& icon = ctx->row->icon;
  bool has_icon = !ctx->sub && !icon.IsRectEmpty();
  CPoint origin(5, 2);
  if (has_icon && ctx->view_mode == LVS_ICON) origin = CPoint(8, icon.bottom + 2);
  else if (has_icon) origin = CPoint(icon.right + 5, icon.top);
  int width = ctx->column ? ctx->column->width : GetColumnWidth(0);
  int room = std::max(width - origin.x - 5, 1);
  UINT align = ctx->column && ctx->column->format == LVCFMT_RIGHT    ? DT_RIGHT
               : ctx->column && ctx->column->format == LVCFMT_CENTER ? DT_CENTER
                                                                      : DT_LEFT;
  CRect r(0, 0, room, 0);
  if (HasStyle(LVS_NOLABELWRAP)) {
    bool more = false;
    CString line = first_line(ctx->label, &more);
    dc->DrawText(line, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX | align);
  } else {
    // As wide as the longest line when everything fits; wrapped in the column otherwise.
    dc->DrawText(ctx->label, &r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | align);
    if (r.Width() > room) {
      r.SetRect(0, 0, room, 0);
      dc->DrawText(ctx->label, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | align);
    }
  }
  if (ctx->label.IsEmpty()) {
    TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    r.SetRect(0, 0, 0, tm.tmHeight);
  }
  dc->SelectObject(old);
  int top = origin.y;
  if (has_icon && ctx->view_mode != LVS_ICON) top = icon.top + (icon.Height() - r.Height()) / 2;
  if (top < 2) top = 2;
  rect->SetRect(origin.x, top, origin.x + r.Width(), top + r.Height());
}

// --- Context filling --------------------------------------------------------------------------------

void SECListBaseC::FillContext(ListDrawContext* ctx) {
  LVITEM& it = ctx->item;
  it.mask = LVIF_TEXT | LVIF_STATE | (ctx->sub ? 0u : UINT(LVIF_IMAGE));
  it.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  it.iSubItem = ctx->sub ? ctx->item.iSubItem : 0;
  it.pszText = ctx->buffer.data();
  it.cchTextMax = int(ctx->buffer.size());
  ctx->buffer[0] = '\0';
  GetItem(&it, FALSE, TRUE);
  ctx->label = it.pszText && it.pszText != LPSTR_TEXTCALLBACK ? it.pszText : "";
  if (it.mask & LVIF_DI_SETITEM) {
    LVITEM keep = it;
    keep.mask = (it.mask & (LVIF_TEXT | LVIF_IMAGE)) | LVIF_DI_SETITEM;
    keep.pszText = const_cast<LPSTR>(ctx->label.GetString());
    SetItem(&keep, FALSE);
  }
  FillContextBackColor(ctx);
  FillContextIconColor(ctx);
  FillContextColors(ctx);
  FillContextFont(ctx);
}

void SECListBaseC::FillContextBackColor(ListDrawContext* ctx) { ctx->back = GetBackColor(); }

void SECListBaseC::FillContextIconColor(ListDrawContext* ctx) {
  if (m_hWnd && !IsWindowEnabled()) {
    ctx->icon_back = GetBackColor();
    return;
  }
  bool selected_focused = (ctx->item.state & LVIS_SELECTED) && ::GetFocus() == m_hWnd;
  ctx->icon_back = selected_focused ? m_crIconBackSel : m_crIconBack;
}

void SECListBaseC::FillContextColors(ListDrawContext* ctx) {
  bool grey = ctx->ex.state & LVXIS_GRAYED;
  if (m_hWnd && !IsWindowEnabled()) {
    ctx->text = m_crGrayText;
    ctx->text_back = Colours().menu;
    return;
  }
  bool focused = m_hWnd && ::GetFocus() == m_hWnd;
  bool editing = m_nEditRow >= 0;
  bool first = ctx->column_index == 0;
  bool selected = (ctx->item.state & LVIS_SELECTED) && (focused || editing || HasStyle(LVS_SHOWSELALWAYS)) &&
                  (first || HasExStyle(LVXS_FULLROWSELECT));
  if (!selected) {
    ctx->text = grey ? m_crGrayText : m_crText;
    ctx->text_back = m_crTextBack;
  } else if (focused || editing) {
    ctx->text = grey ? m_crGrayText : m_crSelText;
    ctx->text_back = m_crSelBack;
  } else {
    ctx->text = Colours().menu_text;
    ctx->text_back = Colours().menu;
  }
  if (first && ctx->item.iItem == m_model.drop) std::swap(ctx->text, ctx->text_back);
}

void SECListBaseC::FillContextFont(ListDrawContext* ctx) { ctx->font = GetItemFont(); }

// Made once for every list and kept for the life of the process.
CPen* SECListBaseC::GetGridPen() const {
  static const HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  return CPen::FromHandle(pen);
}

CPen* SECListBaseC::GetHeaderGridPen() const {
  static const HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  return CPen::FromHandle(pen);
}

// --- Sizes and scroll state -------------------------------------------------------------------------

int SECListBaseC::GetTotalWidth(BOOL measure) {
  if (GetColumnCount() >= 2) return m_model.TotalColumnWidth();
  CRect view;
  GetViewRect(&view);
  int first = 0;
  int last = GetItemCount() - 1;
  if (!HasStyle(LVS_NOLABELWRAP)) {
    first = m_nTopRow;
    last = LastFittingRow();
  }
  int widest = 0;
  for (int r = first; r <= last; ++r) {
    const SECListRow* row = GetRow(r);
    if (!row) continue;
    if (measure) MeasureIfNeeded(r);
    widest = std::max(widest, int(row->label.right) + 5);
  }
  if (report_mode(m_dwListStyle)) widest = std::max(widest, view.Width());
  return widest;
}

CSize SECListBaseC::GetTotalSize() {
  return CSize(GetTotalWidth(TRUE), SumRowHeights(0, GetItemCount(), FALSE));
}

void SECListBaseC::FillFirstColumn() {
  CRect view;
  GetViewRect(&view);
  int others = 0;
  SECListColumn* first = nullptr;
  for (int i = 0; i < GetColumnCount(); ++i) {
    SECListColumn* c = m_model.Column(i);
    if (c->sub_item == 0 && !first) first = c;
    else others += c->width;
  }
  if (first) first->width = std::max(view.Width() - others, 0);
}

void SECListBaseC::AutoSizeColumns() {
  if (GetColumnCount() == 1 || HasExStyle(LVXS_FITCOLUMNS)) FillFirstColumn();
}

CScrollBar* SECListBaseC::CreateScrollBar(DWORD style, UINT id) {
  auto bar = std::make_unique<CScrollBar>();
  if (!bar->Create(WS_CHILD | WS_VISIBLE | style, CRect(0, 0, 1, 1), this, id)) return nullptr;
  std::unique_ptr<CScrollBar>& slot = id == kHorzBarId ? m_pHScroll : m_pVScroll;
  slot = std::move(bar);
  return slot.get();
}

void SECListBaseC::ShowScrollBar(int kind, BOOL show, SCROLLINFO* info) {
  if (kind == SB_BOTH) {
    ShowScrollBar(SB_HORZ, show, info);
    ShowScrollBar(SB_VERT, show, info);
    return;
  }
  if (!m_hWnd) return;
  if (HasStyle(LVS_NOSCROLL)) show = FALSE;
  bool vertical = kind == SB_VERT;
  std::unique_ptr<CScrollBar>& bar = vertical ? m_pVScroll : m_pHScroll;
  UINT flag = vertical ? kVertBarShown : kHorzBarShown;
  if (!bar && !CreateScrollBar(vertical ? SBS_VERT : SBS_HORZ, vertical ? kVertBarId : kHorzBarId)) return;
  if (info && show) bar->SetScrollInfo(info, TRUE);
  bool shown = m_dwScrollFlags & flag;
  if (shown == bool(show) && bar->IsWindowVisible() == show) return;
  if (show) m_dwScrollFlags |= flag;
  else m_dwScrollFlags &= ~flag;
  LayoutScrollBars();
  bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
  Invalidate();
}

void SECListBaseC::LayoutScrollBars() {
  if (!m_hWnd) return;
  CRect client, view;
  GetClientRect(&client);
  GetViewRect(&view);
  if (m_pHScroll) {
    m_pHScroll->SetWindowPos(nullptr, view.left, view.bottom, view.Width() + 1, HorizontalBarHeight(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
    m_pHScroll->Invalidate();
  }
  if (m_pVScroll) {
    int header = report_mode(m_dwListStyle) && GetShowHeader() ? m_nHeaderHeight : 0;
    m_pVScroll->SetWindowPos(nullptr, view.right, client.top, VerticalBarWidth(), view.Height() + 1 + header,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    m_pVScroll->Invalidate();
  }
}

void SECListBaseC::SetVerticalRange(int n) {
  ListGeometry geo = Geometry();
  CRect view;
  GetViewRect(&view);
  if (n > geo.CountPerPage(m_nTopRow)) {
    int last_top = geo.LastPageTop();
    if (m_nTopRow > last_top) ScrollToTop(last_top);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = n - 1;
    info.nPage = UINT(geo.CountPerPage(m_nTopRow));
    info.nPos = m_nTopRow;
    ShowScrollBar(SB_VERT, TRUE, &info);
  } else {
    if (m_nTopRow != 0) ScrollToTop(0);
    ShowScrollBar(SB_VERT, FALSE, nullptr);
  }
  CRect after;
  GetViewRect(&after);
  if (after.Width() != m_nLastViewWidth) {
    m_nLastViewWidth = after.Width();
    if (GetColumnCount() == 1 || HasExStyle(LVXS_FITCOLUMNS)) {
      AutoSizeColumns();
      Invalidate();
    }
  }
}

void SECListBaseC::SetHorizontalRange(int width) {
  CRect view;
  GetViewRect(&view);
  if (view.Width() >= width) {
    if (m_nHOffset != 0) {
      m_nHOffset = 0;
      Invalidate();
    }
    ShowScrollBar(SB_HORZ, FALSE, nullptr);
    return;
  }
  int clamped = ClampHorizontalOffset(m_nHOffset, width, view.Width());
  if (clamped != m_nHOffset) {
    m_nHOffset = clamped;
    Invalidate();
  }
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = width - 1;
  info.nPage = UINT(view.Width());
  info.nPos = m_nHOffset;
  ShowScrollBar(SB_HORZ, TRUE, &info);
}

void SECListBaseC::UpdateScrollState() {
  if (!m_hWnd) return;
  SetVerticalRange(GetItemCount());
  if (!HasStyle(LVS_NOLABELWRAP)) {
    for (int r = 0; r < GetItemCount(); ++r) GetRow(r)->height = -1;
  }
  SetHorizontalRange(GetTotalWidth(TRUE));
  SetVerticalRange(GetItemCount());
  LayoutScrollBars();
}

void SECListBaseC::ScrollToTop(int top) {
  if (top == m_nTopRow) return;
  m_nTopRow = top;
  Invalidate(FALSE);
}

void SECListBaseC::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  LayoutScrollBars();
  if (GetColumnCount()) {
    AutoSizeColumns();
    InvalidateLayout();
  }
  Invalidate(FALSE);
}

// --- Repainting -------------------------------------------------------------------------------------

void SECListBaseC::RedrawRow(int row, BOOL labelOnly, BOOL erase, BOOL toEnd, BOOL now) {
  if (!m_hWnd || !GetRow(row) || row < m_nTopRow) return;
  CRect view;
  GetViewRect(&view);
  CRect r;
  if ((m_dwListStyle & LVS_TYPEMASK) == LVS_ICON) {
    IconCell(row, &r);
  } else {
    int top = view.top + SumRowHeights(m_nTopRow, row, FALSE);
    if (top >= view.bottom) return;
    MeasureIfNeeded(row);
    r.SetRect(view.left, top, view.right, top + GetRow(row)->height);
  }
  if (toEnd) r.bottom = view.bottom;
  if (labelOnly && !HasExStyle(LVXS_FULLROWSELECT) && !toEnd) {
    CRect label;
    if (GetItemRect(row, 0, &label, LVIR_LABEL)) {
      label.InflateRect(3, 0);
      r = label;
    }
  }
  if (now) RedrawWindow(&r, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (erase ? RDW_ERASE : 0u));
  else InvalidateRect(&r, erase);
}

void SECListBaseC::RedrawRows(int first, int last) {
  if (first > last) std::swap(first, last);
  for (int r = std::max(first, m_nTopRow); r <= last && r < GetItemCount(); ++r) RedrawRow(r);
}

// --- Painting ---------------------------------------------------------------------------------------

BOOL SECListBaseC::OnEraseBkgnd(CDC*) { return TRUE; }

void SECListBaseC::OnPaint() {
  CPaintDC dc(this);
  Paint(&dc);
}

BOOL SECListBaseC::CreateMemoryDC(CDC* dc, std::unique_ptr<CDC>* out, const CRect& rect) {
  auto made = std::make_unique<OffscreenDC>(dc, rect);
  if (!made->IsValid()) return FALSE;
  *out = std::move(made);
  return TRUE;
}

void SECListBaseC::Paint(CDC* dc) {
  bool header = report_mode(m_dwListStyle) && GetShowHeader();
  if (dc->IsPrinting()) {
    std::unique_ptr<ListDrawContext> ctx = CreateContext(dc);
    if (header) DrawHeader(ctx.get());
    DrawRows(ctx.get());
    return;
  }
  CRect client, view;
  GetClientRect(&client);
  GetViewRect(&view);
  CRect area = view;
  area.top = client.top;
  if (!(m_dwScrollFlags & kVertBarShown)) area.right = client.right;
  if (!(m_dwScrollFlags & kHorzBarShown)) area.bottom = client.bottom;
  CRect clip;
  dc->GetClipBox(&clip);

  std::unique_ptr<CDC> memory;
  CDC* target = dc;
  if (!m_bDragging && CreateMemoryDC(dc, &memory, area)) target = memory.get();
  int saved = target->SaveDC();
  target->IntersectClipRect(&clip);
  target->FillSolidRect(&area, GetBackColor());
  std::unique_ptr<ListDrawContext> ctx = CreateContext(target);
  if (header) DrawHeader(ctx.get());
  target->IntersectClipRect(&view);
  DrawRows(ctx.get());
  target->RestoreDC(saved);
  memory.reset();

  if ((m_dwScrollFlags & kVertBarShown) && (m_dwScrollFlags & kHorzBarShown)) {
    dc->FillSolidRect(CRect(view.right, view.bottom, client.right, client.bottom), Colours().button_face);
  }
}

void SECListBaseC::DrawHeader(ListDrawContext* ctx) {
  CDC* dc = ctx->dc;
  CRect client;
  GetClientRect(&client);
  CRect header(-m_nHOffset, client.top, -m_nHOffset + std::max(GetTotalWidth(FALSE), client.Width() + 1),
               client.top + m_nHeaderHeight);
  if (!dc->IsPrinting() && !dc->RectVisible(&header)) return;
  CFont* old = dc->SelectObject(GetHeaderFont());
  CBrush face(Colours().button_face);
  dc->FillRect(&header, &face);
  int old_mode = dc->SetBkMode(TRANSPARENT);
  COLORREF old_text = dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  int x = header.left;
  for (int i = 0; i < GetColumnCount(); ++i) {
    const SECListColumn* c = m_model.Column(i);
    CRect cell(x, header.top, x + c->width, header.bottom);
    x = cell.right;
    if (cell.IsRectEmpty()) continue;
    dc->DrawFrameControl(&cell, DFC_BUTTON, DFCS_BUTTONPUSH);
    CRect text(cell.left + 5, cell.top, cell.right - 6, cell.bottom);
    UINT align = c->format == LVCFMT_RIGHT ? DT_RIGHT : c->format == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
    if (text.Width() > 0) {
      dc->DrawText(c->title, &text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS | align);
    }
  }
  CRect rest(x, header.top, std::max(x, int(client.right) + 2), header.bottom);
  if (!rest.IsRectEmpty()) dc->DrawFrameControl(&rest, DFC_BUTTON, DFCS_BUTTONPUSH);
  dc->SetTextColor(old_text);
  dc->SetBkMode(old_mode);
  dc->SelectObject(old);
}

void SECListBaseC::DrawRows(ListDrawContext* ctx) {
  CDC* dc = ctx->dc;
  bool printing = dc->IsPrinting();
  CRect view;
  GetViewRect(&view);
  int end = printing ? std::min(LastFittingRow() + 2, GetItemCount()) : GetItemCount();
  ctx->flag = FALSE;
  if ((m_dwListStyle & LVS_TYPEMASK) == LVS_ICON) {
    for (int r = m_nTopRow; r < end; ++r) {
      CRect cell;
      IconCell(r, &cell);
      if (cell.IsRectEmpty() || cell.top >= view.bottom) break;
      ctx->row = GetRow(r);
      ctx->item.iItem = r;
      ctx->cell = cell;
      if (printing || dc->RectVisible(&cell)) DrawRow(ctx);
    }
    return;
  }
  if ((m_dwListStyle & LVS_TYPEMASK) != LVS_REPORT) return;
  int total = GetTotalWidth(FALSE);
  int y = view.top;
  for (int r = m_nTopRow; r < end && y < view.bottom; ++r) {
    MeasureIfNeeded(r);
    SECListRow* row = GetRow(r);
    CRect rect(view.left - m_nHOffset, y, view.left - m_nHOffset + total, y + GetRowSpacing() + row->height);
    if (printing || dc->RectVisible(&rect)) {
      ctx->row = row;
      ctx->item.iItem = r;
      ctx->cell = rect;
      DrawRow(ctx);
    }
    y = rect.bottom;
  }
  if (!printing && m_pVScroll && (m_dwScrollFlags & kVertBarShown)) {
    SCROLLINFO info;
    info.fMask = SIF_POS | SIF_PAGE;
    info.nPos = m_nTopRow;
    info.nPage = UINT(GetCountPerPage());
    m_pVScroll->SetScrollInfo(&info, TRUE);
  }
}

void SECListBaseC::DrawRow(ListDrawContext* ctx) {
  SECListRow* row = ctx->row;
  int index = ctx->item.iItem;
  if (row->NeedsParentData()) {
    ctx->cell.bottom = ctx->cell.top + row->height;
    MeasureRow(ctx);
  }
  CRect row_rect = ctx->cell;
  row_rect.bottom = row_rect.top + row->height;
  bool icon_view = ctx->view_mode == LVS_ICON;
  int columns = icon_view ? 1 : std::max(GetColumnCount(), 1);
  int x = row_rect.left;
  for (int i = 0; i < columns; ++i) {
    SECListColumn* c = m_model.Column(i);
    int width = c ? c->width : row_rect.Width();
    CRect cell(x, row_rect.top, x + width, row_rect.bottom);
    if (icon_view) cell = row_rect;
    else if (GetColumnCount() <= 1) cell.right = std::max(cell.right, int(cell.left + row->label.right));
    x += width;
    if (!ctx->dc->IsPrinting() && !ctx->dc->RectVisible(&cell)) continue;
    int sub = c ? c->sub_item : 0;
    ctx->column_index = i;
    ctx->column = c;
    ctx->item.iItem = index;
    ctx->item.iSubItem = sub;
    ctx->sub = sub > 0 && size_t(sub) <= row->sub_items.size() ? &row->sub_items[size_t(sub) - 1] : nullptr;
    ctx->cell = cell;
    FillContext(ctx);
    DrawCell(ctx);
  }
  ctx->cell = row_rect;
  ctx->item.iItem = index;
  if (!icon_view && HasExStyle(LVXS_FULLROWSELECT) && index == m_model.caret && ::GetFocus() == m_hWnd &&
      GetColumnCount() > 1) {
    CRect focus(row_rect.left + row->label.left - 3, row_rect.top, row_rect.right, row_rect.bottom);
    ctx->dc->SetTextColor(m_crText);
    ctx->dc->SetBkColor(m_crBack);
    ctx->dc->DrawFocusRect(&focus);
  }
  if (!icon_view && HasExStyle(LVXS_VGRIDLINES)) DrawVerticalGrid(ctx);
  if (!icon_view && HasExStyle(LVXS_HGRIDLINES)) DrawHorizontalGrid(ctx);
}

void SECListBaseC::DrawCell(ListDrawContext* ctx) {
  ctx->dc->FillSolidRect(&ctx->cell, ctx->back);
  if (ctx->item.iItem == m_nEditRow && ctx->item.iSubItem == GetColumnSubItem(m_nEditColumn)) return;
  if (ctx->label.IsEmpty()) return;
  if (ctx->column_index == 0) DrawImage(ctx);
  DrawLabel(ctx);
}

void SECListBaseC::DrawImage(ListDrawContext* ctx) {
  bool icon_view = ctx->view_mode == LVS_ICON;
  CImageList* list = GetImageList(icon_view ? LVSIL_NORMAL : LVSIL_SMALL);
  int image = ctx->item.iImage;
  if (!list || image < 0 || image >= list->GetImageCount() || ctx->row->icon.IsRectEmpty()) return;
  CRect icon = ctx->row->icon;
  icon.OffsetRect(ctx->cell.left, ctx->cell.top);
  ctx->dc->FillSolidRect(&icon, ctx->icon_back);
  list->Draw(ctx->dc, image, icon.TopLeft(), ILD_TRANSPARENT);
}

void SECListBaseC::DrawLabel(ListDrawContext* ctx) {
  CDC* dc = ctx->dc;
  const CRect& cell = ctx->cell;
  bool first = ctx->column_index == 0 && !ctx->sub;
  const CRect& icon = ctx->row->icon;
  bool has_icon = first && !icon.IsRectEmpty();
  const CRect& label = ctx->sub ? ctx->sub->label : ctx->row->label;
  CRect text, highlight;
  if (ctx->view_mode == LVS_ICON) {
    text = label;
    text.OffsetRect(cell.left, cell.top);
    highlight = text;
    highlight.InflateRect(2, 0);
  } else if (!has_icon) {
    text.SetRect(cell.left + 5, cell.top, cell.right - 5, cell.bottom);
    highlight.SetRect(cell.left, cell.top, std::min(cell.left + label.right + 5, int(cell.right)), cell.bottom);
  } else {
    text.SetRect(cell.left + icon.right + 4, cell.top + 3, cell.left + icon.right + 4 + label.Width(), cell.bottom);
    text.right = std::min(text.right, int(cell.right) - 2);
    highlight.SetRect(cell.left + icon.right + 2, cell.top + icon.top, text.right + 2, cell.top + icon.bottom);
  }
  bool full_row = HasExStyle(LVXS_FULLROWSELECT);
  if (full_row) highlight.right = cell.right;
  if (full_row || ctx->column_index == 0) {
    CRect fill = highlight;
    fill &= cell;
    if (ctx->text_back != ctx->back || full_row) dc->FillSolidRect(&fill, ctx->text_back);
  }
  CFont* old = dc->SelectObject(ctx->font);
  int old_mode = dc->SetBkMode(TRANSPARENT);
  COLORREF old_colour = dc->SetTextColor(ctx->text);
  UINT align = ctx->column && ctx->column->format == LVCFMT_RIGHT    ? DT_RIGHT
               : ctx->column && ctx->column->format == LVCFMT_CENTER ? DT_CENTER
                                                                      : DT_LEFT;
  if (HasStyle(LVS_NOLABELWRAP)) {
    bool more = false;
    CString line = first_line(ctx->label, &more);
    if (more) line += "...";
    dc->DrawText(line, &text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS | align);
  } else {
    if (!has_icon && ctx->view_mode != LVS_ICON) text.top = cell.top + label.top;
    dc->DrawText(ctx->label, &text, DT_WORDBREAK | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX | align);
  }
  dc->SetTextColor(old_colour);
  dc->SetBkMode(old_mode);
  dc->SelectObject(old);
}

void SECListBaseC::DrawVerticalGrid(ListDrawContext* ctx) {
  CDC* dc = ctx->dc;
  CPen* old = dc->SelectObject(GetGridPen());
  const CRect& r = ctx->cell;
  int x = r.left;
  for (int i = 0; i < GetColumnCount(); ++i) {
    x += m_model.Column(i)->width;
    dc->MoveTo(x - 1, r.top);
    dc->LineTo(x - 1, r.bottom);
  }
  if (ctx->item.iItem == GetItemCount() - 1) {
    dc->MoveTo(r.left, r.bottom - 1);
    dc->LineTo(r.right, r.bottom - 1);
  }
  dc->SelectObject(old);
}

void SECListBaseC::DrawHorizontalGrid(ListDrawContext* ctx) {
  CDC* dc = ctx->dc;
  CPen* old = dc->SelectObject(GetGridPen());
  const CRect& r = ctx->cell;
  dc->MoveTo(r.left, r.bottom - 1);
  dc->LineTo(r.right, r.bottom - 1);
  dc->SelectObject(old);
}
