// The list control's mouse and key handling, selection by input, scrolling, column-divider
// dragging and in-place label editing.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/framework/prompter.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "toolkit/widgets/list_ctrl.h"
#include "toolkit/widgets/list_ctrl_internal.h"
#include "toolkit/widgets/truncated_item_tip.h"

using namespace list_shared;

namespace {

bool key_held(int key) { return ::GetKeyState(key) < 0; }

}  // namespace

// --- The in-place edit ------------------------------------------------------------------------------

UINT ListLabelEdit::OnGetDlgCode() { return UINT(Default()) | DLGC_WANTALLKEYS; }

void ListLabelEdit::OnKeyDown(UINT nChar, UINT, UINT) {
  if (nChar == UINT(VK_RETURN) && !client_->IsLabelWrapOn()) {
    client_->EndLabelEdit(TRUE);
  } else if (nChar == UINT(VK_ESCAPE)) {
    client_->EndLabelEdit(FALSE);
  } else {
    Default();
  }
}

void ListLabelEdit::OnChar(UINT nChar, UINT, UINT) {
  if (nChar == 0x1B) return;
  if (nChar == '\r' && !client_->IsLabelWrapOn()) return;
  Default();
}

void ListLabelEdit::PostNcDestroy() {
  if (owned_by_window) std::unique_ptr<ListLabelEdit> self(this);
}

BEGIN_MESSAGE_MAP(ListLabelEdit, CEdit)
  ON_WM_GETDLGCODE()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
END_MESSAGE_MAP()

// --- Tip ----------------------------------------------------------------------------------------------

void SECListBaseC::HideTip() {
  if (m_pTip) m_pTip->Hide();
}

void SECListBaseC::RepaintTip() {
  if (m_pTip) m_pTip->RepaintIfVisible();
}

void SECListBaseC::TellTip(UINT hitFlags, int row, int column, CPoint point) {
  if (!m_pTip) return;
  if (m_bDragging || (row >= 0 && row == m_nEditRow)) {
    m_pTip->Hide();
    return;
  }
  m_pTip->Track(hitFlags, row, column, point.x, point.y);
}

HWND SECListBaseC::CaptureMouse(BOOL capture) {
  HWND before = ::GetCapture();
  if (capture) ::SetCapture(m_hWnd);
  else if (before == m_hWnd) ::ReleaseCapture();
  return before;
}

// --- Clicks and selection -----------------------------------------------------------------------------

void SECListBaseC::ClassifyClick(CPoint point, int row, UINT hit, BOOL* dragCandidate, BOOL* select) {
  *dragCandidate = *select = FALSE;
  if (!GetRow(row)) return;
  if (hit & (LVHT_ONITEMLABEL | LVHT_ONITEMICON)) {
    *dragCandidate = *select = TRUE;
  } else if (HasExStyle(LVXS_FULLROWSELECT) && (hit & LVHT_ONROW)) {
    *select = TRUE;
  } else if (hit & LVHT_LEFTOFLABEL) {
    CRect view;
    GetViewRect(&view);
    int x = point.x - view.left + m_nHOffset;  // relative to the first column's cell
    if (x >= GetRow(row)->icon.right) *dragCandidate = *select = TRUE;
  }
}

BOOL SECListBaseC::SelectByInput(int row, UINT, UINT keys, BOOL byMouse) {
  if (!GetRow(row)) return FALSE;
  bool shift = keys & MK_SHIFT;
  bool ctrl = keys & MK_CONTROL;
  // A Shift press with no anchor to extend from is a plain one.
  if (shift && !ctrl && (m_model.anchor < 0 || !GetRow(m_model.anchor))) shift = false;
  int old = m_model.caret;
  if (HasStyle(LVS_SINGLESEL) || (!shift && !ctrl)) {
    if (row == old && m_model.IsSelected(row)) return FALSE;
    if ((keys & MK_RBUTTON) && m_model.IsSelected(row)) {
      m_model.caret = row;
      RedrawRow(old);
      RedrawRow(row);
    } else {
      if (NotifySelectionChanging(row, old, byMouse)) {
        m_bSelectionVetoed = TRUE;
        return FALSE;
      }
      m_bSelectionVetoed = FALSE;
      HideTip();
      ClearSelectionExcept(row);
      SetCaret(row, TRUE);
    }
  } else {
    if (m_bSelectionVetoed) return FALSE;
    if (ctrl && !byMouse) {
      m_model.caret = row;
      RedrawRow(old);
      RedrawRow(row);
    } else if (ctrl) {
      if (NotifySelectionChanging(row, old, byMouse)) {
        m_bSelectionVetoed = TRUE;
        return FALSE;
      }
      HideTip();
      bool on = !m_model.IsSelected(row);
      m_model.Select(row, on);
      m_model.caret = m_model.anchor = row;
      RedrawRow(old);
      RedrawRow(row);
    } else {
      if (row == old) return FALSE;
      if (NotifySelectionChanging(row, old, byMouse)) {
        m_bSelectionVetoed = TRUE;
        return FALSE;
      }
      HideTip();
      std::vector<int> before = m_model.Selection();
      m_model.ClearSelection();
      m_model.SelectRange(m_model.anchor, row, true);
      m_model.caret = row;
      for (int s : before) RedrawRow(s);
      RedrawRows(m_model.anchor, row);
      RedrawRow(old);
    }
  }
  NotifySelectionChanged(row, old, byMouse);
  return TRUE;
}

void SECListBaseC::OnLButtonDown(UINT flags, CPoint point) {
  if (::GetFocus() != m_hWnd) SetFocus();
  UINT hit = 0;
  int column = -1;
  int index = HitTest(point.x, point.y, &hit, &column);
  m_bDragCandidate = FALSE;
  // A new press overrides an edit still waiting to open.
  CancelEditTimer();
  m_nEditColumn = std::max(column, 0);
  if ((hit & LVHT_ONDIVIDER) && index >= 0) {
    HideTip();
    DragDividerAndResize(index, point);
  } else if (!(hit & (LVHT_ONHEADER | LVHT_ONDIVIDER))) {
    BOOL drag = FALSE, select = FALSE;
    ClassifyClick(point, index, hit, &drag, &select);
    m_bDragCandidate = drag;
    if (select) {
      SelectByInput(index, hit, flags & (MK_SHIFT | MK_CONTROL), TRUE);
      OnSelectionChanged(index, TRUE);
    }
  }
  m_ptPress = point;
  RepaintTip();
  m_bDragging = FALSE;
}

void SECListBaseC::DragDividerAndResize(int column, CPoint point) {
  SECListColumn* c = m_model.Column(column);
  if (!c) return;
  int moved = TrackColumnDivider(point.x, point.y, column);
  if (!moved) return;
  c->width = std::max(c->width + moved, 0);
  if (HasExStyle(LVXS_FITCOLUMNS)) {
    if (SECListColumn* next = m_model.Column(column + 1)) next->width -= moved;
    for (int i = 0; i < GetColumnCount(); ++i) m_model.Column(i)->width = std::max(m_model.Column(i)->width, 5);
    CRect view;
    GetViewRect(&view);
    int excess = m_model.TotalColumnWidth() - view.Width();
    if (excess > 0 && GetColumnCount() > 0) {
      SECListColumn* first = m_model.Column(0);
      first->width = std::max(first->width - excess, 5);
    }
  }
  InvalidateLayout();
  Invalidate();
}

int SECListBaseC::TrackColumnDivider(int x, int, int column) {
  const SECListColumn* c = m_model.Column(column);
  HWND holder = ::GetCapture();
  if (!c || (holder && holder != m_hWnd)) return 0;
  CRect client, view;
  GetClientRect(&client);
  GetViewRect(&view);
  int left = view.left - m_nHOffset + GetColumnLeft(column);
  int edge = left + c->width;
  int grip = edge - x;  // where on the divider the press was
  SetCapture();

  CClientDC dc(this);
  auto bar = [&](int at) { dc.PatBlt(at, client.top, 2, view.bottom - client.top, DSTINVERT); };
  auto bars = [&](int at) {
    bar(at);
    if (column > 0) bar(left);
  };
  int pos = edge;
  bars(pos);
  bool done = false;
  bool cancelled = false;
  MSG msg;
  while (!done && !cancelled) {
    if (::GetCapture() != m_hWnd) {
      cancelled = true;
      break;
    }
    if (!::GetMessage(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(int(msg.wParam));
      cancelled = true;
      break;
    }
    switch (msg.message) {
      case WM_MOUSEMOVE: {
        int next = ClampDivider(GET_X_LPARAM(msg.lParam) + grip, left);
        if (next != pos) {
          bar(pos);
          pos = next;
          bar(pos);
        }
        break;
      }
      case WM_LBUTTONUP:
        pos = ClampDivider(GET_X_LPARAM(msg.lParam) + grip, left);
        done = true;
        break;
      case WM_RBUTTONDOWN:
        cancelled = true;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (msg.wParam == WPARAM(VK_ESCAPE)) cancelled = true;
        break;
      case WM_KEYUP:
      case WM_CHAR:
      case WM_SYSKEYUP:
      case WM_SYSCHAR:
        break;
      default:
        ::DispatchMessage(&msg);
    }
  }
  // Take the bars away as they were drawn: the last one shown, and the left edge.
  if (::IsWindow(m_hWnd)) {
    bar(done ? ClampDivider(pos, left) : pos);
    if (column > 0) bar(left);
  }
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  return done ? pos - edge : 0;
}

void SECListBaseC::OnMouseMove(UINT flags, CPoint point) {
  if (m_bDragging) return;
  UINT hit = 0;
  int column = -1;
  int index = HitTest(point.x, point.y, &hit, &column);
  if (m_model.caret >= 0 && m_bDragCandidate && (flags & (MK_LBUTTON | MK_RBUTTON)) &&
      (std::abs(point.x - m_ptPress.x) >= 4 || std::abs(point.y - m_ptPress.y) >= 4)) {
    m_bDragging = TRUE;
    m_bDragCandidate = FALSE;
    HideTip();
    if (flags & MK_LBUTTON) NotifyBeginDrag(m_model.caret, m_ptPress);
    else NotifyBeginRightDrag(m_model.caret, m_ptPress);
    return;
  }
  if (HasExStyle(LVXS_ITEMTIPS) && HasStyle(LVS_NOLABELWRAP)) TellTip(hit, index, column, point);
}

void SECListBaseC::OnLButtonUp(UINT, CPoint point) {
  if (m_bDragging) {
    m_bDragging = FALSE;
    m_bDragCandidate = FALSE;
    return;
  }
  m_bDragCandidate = FALSE;
  UINT hit = 0;
  int column = -1;
  int index = HitTest(point.x, point.y, &hit, &column);
  bool full_row = HasExStyle(LVXS_FULLROWSELECT);
  BOOL drag = FALSE, select = FALSE;
  ClassifyClick(point, index, hit, &drag, &select);
  bool on_row_part = (hit & (LVHT_ONITEMLABEL | LVHT_ONITEMICON)) || (full_row && (hit & LVHT_ONROW)) ||
                     ((hit & LVHT_LEFTOFLABEL) && drag);
  if (on_row_part && index >= 0 && index == m_nArmedRow) {
    CancelEditTimer();
    m_nEditTimer = SetTimer(kEditTimerId, kEditDelayMs);
  }
  bool arm = HasStyle(LVS_EDITLABELS) && index >= 0 && m_model.IsSelected(index) &&
             ((hit & LVHT_ONITEMLABEL) || (full_row && (hit & LVHT_ONROW) && m_nEditColumn > 0));
  m_nArmedRow = arm ? index : -1;
  Notify(NM_CLICK);
}

void SECListBaseC::OnLButtonDblClk(UINT, CPoint) {
  m_nArmedRow = -1;
  CancelEditTimer();
  Notify(NM_DBLCLK);
}

void SECListBaseC::OnRButtonDown(UINT flags, CPoint point) {
  if (::GetFocus() != m_hWnd) SetFocus();
  UINT hit = 0;
  int column = -1;
  int index = HitTest(point.x, point.y, &hit, &column);
  m_bDragCandidate = FALSE;
  if (!(hit & (LVHT_ONHEADER | LVHT_ONDIVIDER))) {
    BOOL drag = FALSE, select = FALSE;
    ClassifyClick(point, index, hit, &drag, &select);
    m_bDragCandidate = drag;
    if (select) {
      SelectByInput(index, hit, (flags & (MK_SHIFT | MK_CONTROL)) | MK_RBUTTON, TRUE);
      OnSelectionChanged(index, TRUE);
    }
  }
  m_ptPress = point;
}

void SECListBaseC::OnRButtonUp(UINT, CPoint) {
  m_bDragCandidate = FALSE;
  if (m_bDragging) {
    m_bDragging = FALSE;
    return;
  }
  RepaintTip();
  Notify(NM_RCLICK);
}

BOOL SECListBaseC::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  if (hitTest == HTCLIENT && m_hDividerCursor) {
    CPoint p;
    ::GetCursorPos(&p);
    ScreenToClient(&p);
    UINT hit = 0;
    HitTest(p.x, p.y, &hit, nullptr);
    if (hit & LVHT_ONDIVIDER) {
      ::SetCursor(m_hDividerCursor);
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(wnd, hitTest, message);
}

// --- Keys ---------------------------------------------------------------------------------------------

UINT SECListBaseC::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS; }

void SECListBaseC::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
  NotifyKeyDown(key);
  CWnd::OnSysKeyDown(key, repeat, flags);
}

void SECListBaseC::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  NotifyKeyDown(key);
  if (!m_hWnd) return;
  int caret = m_model.caret;
  int sub = GetColumnSubItem(m_nEditColumn);
  BOOL shift = key_held(VK_SHIFT);
  BOOL ctrl = key_held(VK_CONTROL);
  switch (int(key)) {
    case VK_UP: KeyUp(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_DOWN: KeyDown(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_HOME: KeyHome(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_END: KeyEnd(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_PRIOR: KeyPageUp(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_NEXT: KeyPageDown(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_SPACE:
      if (GetRow(caret)) {
        bool on = !m_model.IsSelected(caret);
        if (!on) SelectItem(caret, FALSE);
        SetCaret(caret, on);
      }
      break;
    case VK_F1 + 1: KeyF2(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_RETURN: KeyEnter(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_TAB:
      if (CWnd* parent = GetParent()) parent->PostMessage(WM_NEXTDLGCTL, WPARAM(shift ? 1 : 0), 0);
      break;
    case VK_ESCAPE:
      if (CWnd* parent = GetParent()) parent->PostMessage(WM_COMMAND, WPARAM(IDCANCEL), 0);
      break;
    case VK_LEFT:
    case VK_SUBTRACT:
    case VK_OEM_MINUS: KeyLeft(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_RIGHT:
    case VK_ADD:
    case VK_OEM_PLUS: KeyRight(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_MULTIPLY: KeyMultiply(caret, sub, shift, ctrl, repeat, flags); break;
    case VK_BACK: KeyBackspace(caret, sub, shift, ctrl, repeat, flags); break;
    default: break;
  }
}

namespace {

UINT keys_of(BOOL shift, BOOL ctrl) { return (shift ? MK_SHIFT : 0u) | (ctrl ? MK_CONTROL : 0u); }

}  // namespace

void SECListBaseC::KeyUp(int caret, int, BOOL shift, BOOL ctrl, UINT, UINT) {
  int row = caret < 0 ? 0 : caret - 1;
  if (!GetRow(row)) return;
  SelectByInput(row, 0, keys_of(shift, ctrl), FALSE);
  OnSelectionChanged(row, FALSE);
  EnsureVisible(row);
}

void SECListBaseC::KeyDown(int caret, int, BOOL shift, BOOL ctrl, UINT, UINT) {
  int row = caret + 1;
  if (!GetRow(row)) return;
  SelectByInput(row, 0, keys_of(shift, ctrl), FALSE);
  OnSelectionChanged(row, FALSE);
  EnsureVisible(row);
}

void SECListBaseC::KeyHome(int, int, BOOL shift, BOOL ctrl, UINT, UINT) {
  if (!GetItemCount()) return;
  if (m_dwScrollFlags & kVertBarShown) EnsureVisibleScroll(0);
  SelectByInput(0, 0, keys_of(shift, ctrl), FALSE);
  OnSelectionChanged(0, FALSE);
}

void SECListBaseC::KeyEnd(int, int, BOOL shift, BOOL ctrl, UINT, UINT) {
  int last = GetItemCount() - 1;
  if (last < 0) return;
  if (m_dwScrollFlags & kVertBarShown) EnsureVisibleScroll(GetLastPageTop());
  SelectByInput(last, 0, keys_of(shift, ctrl), FALSE);
  OnSelectionChanged(last, FALSE);
}

void SECListBaseC::KeyPageUp(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags) {
  if (!(m_dwScrollFlags & kVertBarShown)) return KeyHome(caret, sub, shift, ctrl, repeat, flags);
  if (caret == m_nTopRow) ScrollRows(-std::max(RowsAboveTop(), 1), FALSE);
  int row = m_nTopRow;
  SelectByInput(row, 0, keys_of(shift, ctrl), FALSE);
  OnSelectionChanged(row, FALSE);
}

void SECListBaseC::KeyPageDown(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags) {
  if (!(m_dwScrollFlags & kVertBarShown)) return KeyEnd(caret, sub, shift, ctrl, repeat, flags);
  if (caret == LastFittingRow()) {
    int page = GetCountPerPage();
    ScrollRows(std::min(page, GetLastPageTop() - m_nTopRow), FALSE);
  }
  int row = std::clamp(LastFittingRow(), m_nTopRow, GetItemCount() - 1);
  SelectByInput(row, 0, keys_of(shift, ctrl), FALSE);
  OnSelectionChanged(row, FALSE);
}

void SECListBaseC::KeyF2(int caret, int, BOOL, BOOL, UINT, UINT) {
  if (HasStyle(LVS_EDITLABELS) && GetRow(caret)) EditLabel(caret, m_nEditColumn);
}

void SECListBaseC::KeyEnter(int, int, BOOL, BOOL, UINT, UINT) { Notify(NM_RETURN); }
void SECListBaseC::KeyLeft(int, int, BOOL, BOOL, UINT, UINT) {}
void SECListBaseC::KeyBackspace(int, int, BOOL, BOOL, UINT, UINT) {}
void SECListBaseC::KeyRight(int, int, BOOL, BOOL, UINT, UINT) {}
void SECListBaseC::KeyMultiply(int, int, BOOL, BOOL, UINT, UINT) {}

// --- Scrolling ----------------------------------------------------------------------------------------

void SECListBaseC::ScrollRows(int n, BOOL byPixels) {
  if (m_nEditRow >= 0) EndLabelEdit(TRUE);
  HideTip();
  ListGeometry geo = Geometry();
  if (byPixels && n > 0) {
    // The rows from the top that span the height of the next n rows below the view.
    int need = geo.SumRowHeights(geo.FirstNotFitting(m_nTopRow), geo.FirstNotFitting(m_nTopRow) + n, FALSE);
    int rows = 0;
    for (int r = m_nTopRow; r < geo.Rows() && need > 0; ++r, ++rows) need -= geo.Height(r);
    n = std::max(rows, 1);
  }
  int top = geo.ClampTop(m_nTopRow + n);
  if (top == m_nTopRow) return;
  m_nTopRow = top;
  if (m_pVScroll && (m_dwScrollFlags & kVertBarShown)) m_pVScroll->SetScrollPos(m_nTopRow, TRUE);
  Invalidate(FALSE);
}

void SECListBaseC::ScrollHorizontally(int dx) {
  if (m_nEditRow >= 0) EndLabelEdit(TRUE);
  HideTip();
  CRect view;
  GetViewRect(&view);
  int offset = ClampHorizontalOffset(m_nHOffset - dx, GetTotalWidth(FALSE), view.Width());
  if (offset == m_nHOffset) return;
  m_nHOffset = offset;
  if (m_pHScroll && (m_dwScrollFlags & kHorzBarShown)) m_pHScroll->SetScrollPos(m_nHOffset, TRUE);
  Invalidate(FALSE);
}

void SECListBaseC::EnsureVisible(int row, BOOL partialOk) {
  if (!GetRow(row)) return;
  if (row < m_nTopRow) {
    ScrollRows(row - m_nTopRow, FALSE);
    return;
  }
  int last = LastFittingRow();
  if (row <= last) return;
  if (partialOk && row == last + 1) {
    CRect view;
    GetViewRect(&view);
    if (SumRowHeights(m_nTopRow, row, FALSE) < view.Height()) return;
  }
  ScrollRows(row - last, TRUE);
}

void SECListBaseC::EnsureVisibleScroll(int row) {
  if (!GetRow(row)) return;
  HideTip();
  m_nTopRow = row;
  if (m_pVScroll && (m_dwScrollFlags & kVertBarShown)) m_pVScroll->SetScrollPos(m_nTopRow, TRUE);
  Invalidate(FALSE);
}

void SECListBaseC::ScrollRangeIntoView(int first, int last, BOOL partialOk) {
  if (!GetRow(first)) return;
  last = std::clamp(last, first, GetItemCount() - 1);
  ListGeometry geo = Geometry();
  if (first >= m_nTopRow && last <= geo.LastFitting(m_nTopRow)) return;
  if (partialOk && first >= m_nTopRow && first <= geo.LastFitting(m_nTopRow)) return;
  int space = geo.ViewHeight() - geo.SumRowHeights(first, last, TRUE);
  int top = first;
  if (space > 0) {
    int above = geo.RowsInHeight(space, first - 1, false);
    // Scroll no further than it takes: rows above the range stay shown when they fit.
    top = std::max(first - above, std::min(m_nTopRow, first));
  }
  ScrollRows(top - m_nTopRow, FALSE);
}

void SECListBaseC::ScrollByWheelNotch(int direction) {
  bool vertical = m_dwScrollFlags & kVertBarShown;
  bool can_move = direction > 0 ? m_nTopRow > 0 : m_nTopRow < GetLastPageTop();
  if (vertical && can_move) ScrollRows(-direction, FALSE);
  else if (m_dwScrollFlags & kHorzBarShown) ScrollHorizontally(direction * kLineAcross);
}

BOOL SECListBaseC::OnMouseWheel(UINT, short delta, CPoint) {
  int notches = m_wheel.Add(delta);
  for (int i = 0; i < std::abs(notches); ++i) ScrollByWheelNotch(notches > 0 ? 1 : -1);
  return TRUE;
}

void SECListBaseC::OnVScroll(UINT code, UINT pos, CScrollBar*) {
  if (m_nEditRow >= 0) EndLabelEdit(TRUE);
  HideTip();
  int n = GetItemCount();
  int page = GetCountPerPage();
  int max = n - 1;
  int top = m_nTopRow;
  switch (code) {
    case SB_LINEUP:
      if (top > 0) ScrollRows(-1, FALSE);
      break;
    case SB_LINEDOWN:
      if (top + page < max + 1) ScrollRows(1, FALSE);
      break;
    case SB_PAGEUP: ScrollRows(-std::max(RowsAboveTop(), 1), FALSE); break;
    case SB_PAGEDOWN: ScrollRows(std::max(std::min(top + page, max - page + 1), top) - top, FALSE); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollRows(std::clamp(int(pos), 0, std::max(max - page + 1, 0)) - top, FALSE); break;
    case SB_TOP: ScrollRows(-top, FALSE); break;
    case SB_BOTTOM: ScrollRows(std::max(max - page + 1, 0) - top, FALSE); break;
    default: break;
  }
}

void SECListBaseC::OnHScroll(UINT code, UINT pos, CScrollBar*) {
  if (m_nEditRow >= 0) EndLabelEdit(TRUE);
  HideTip();
  CRect view;
  GetViewRect(&view);
  switch (code) {
    case SB_LINELEFT: ScrollHorizontally(kLineAcross); break;
    case SB_LINERIGHT: ScrollHorizontally(-kLineAcross); break;
    case SB_PAGELEFT: ScrollHorizontally(view.Width()); break;
    case SB_PAGERIGHT: ScrollHorizontally(-view.Width()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollHorizontally(m_nHOffset - int(pos)); break;
    case SB_LEFT: ScrollHorizontally(m_nHOffset); break;
    case SB_RIGHT: ScrollHorizontally(m_nHOffset - GetTotalWidth(FALSE)); break;
    default: break;
  }
}

// --- Label editing ------------------------------------------------------------------------------------

void SECListBaseC::CancelEditTimer() {
  if (m_nEditTimer && m_hWnd) KillTimer(m_nEditTimer);
  m_nEditTimer = 0;
}

void SECListBaseC::OnTimer(UINT_PTR id) {
  if (id != kEditTimerId) {
    CWnd::OnTimer(id);
    return;
  }
  CancelEditTimer();
  if (m_nArmedRow >= 0 && m_nArmedRow == m_model.caret) EditLabel(m_nArmedRow, m_nEditColumn);
}

namespace {

// The edit's border and the room it keeps inside it above and below its text; with these the
// typed text lies where the label was drawn.
constexpr int kEditInsetY = 3;

// The edit over a label rectangle: a little room on every side, kept inside the view.
CRect edit_rect(const CRect& label, int extra_right, int right_limit) {
  int left = label.left - 4;
  int held = left < 0 ? -left : 0;
  CRect r(std::max(left, 0), label.top - kEditInsetY, label.right + extra_right + held, label.bottom + kEditInsetY);
  r.right = std::min(int(r.right), right_limit);
  if (r.right < r.left) r.right = r.left;
  return r;
}

}  // namespace

CEdit* SECListBaseC::EditLabel(int row, int column) {
  if (m_pEdit || !m_hWnd || !GetRow(row)) return nullptr;
  HideTip();
  m_nArmedRow = -1;
  CancelEditTimer();
  column = std::clamp(column, 0, std::max(GetColumnCount() - 1, 0));
  int sub = GetColumnSubItem(column);
  if (sub < 0) return nullptr;
  EnsureVisible(row);
  CRect label, view;
  if (!GetItemRect(row, column, &label, LVIR_LABEL)) return nullptr;
  GetViewRect(&view);
  CString text = GetItemText(row, sub);
  DWORD style = WS_CHILD | WS_BORDER | ES_MULTILINE |
                (HasStyle(LVS_NOLABELWRAP) ? ES_AUTOHSCROLL | ES_WANTRETURN : ES_AUTOVSCROLL);
  controls::register_standard_controls();
  auto edit = std::make_unique<ListLabelEdit>(this);
  if (!edit->Create(style, edit_rect(label, 10, view.right), this, kEditId)) return nullptr;
  edit->owned_by_window = true;
  m_pEdit = edit.release();
  m_pEdit->SetFont(GetItemFont(), FALSE);
  m_pEdit->SetWindowText(text);
  m_pEdit->SetSel(0, -1);
  m_nEditRow = row;
  m_nEditColumn = column;
  const ListText* cell = GetRow(row)->Text(sub);
  m_bEditCellOnDemand = cell && cell->IsOnDemand();
  if (NotifyBeginLabelEdit(row, sub)) {
    DestroyEdit();
    m_nEditRow = -1;
    return nullptr;
  }
  if (!m_pEdit) return nullptr;  // the parent ended it meanwhile
  m_strSavedEditText = text;
  m_pEdit->ShowWindow(SW_SHOW);
  m_pEdit->SetFocus();
  RedrawRow(row);
  return m_pEdit;
}

void SECListBaseC::DestroyEdit() {
  ListLabelEdit* edit = m_pEdit;
  m_pEdit = nullptr;
  if (edit && edit->m_hWnd) edit->DestroyWindow();
}

void SECListBaseC::ResizeEdit() {
  if (!m_pEdit || m_nEditRow < 0) return;
  CRect label, view;
  if (!GetItemRect(m_nEditRow, m_nEditColumn, &label, LVIR_LABEL)) return;
  GetViewRect(&view);
  int limit = view.right;
  if (GetColumnCount() > 1) limit = std::min(limit, view.left - m_nHOffset + GetColumnRight(m_nEditColumn));
  CRect r = edit_rect(label, 14, limit);
  r.bottom = r.top + label.Height() + 2 * kEditInsetY;
  m_pEdit->MoveWindow(&r, TRUE);
}

void SECListBaseC::OnEditUpdate() {
  SECListRow* row = GetRow(m_nEditRow);
  if (!m_pEdit || !row) return;
  ListText* cell = row->Text(GetColumnSubItem(m_nEditColumn));
  if (!cell) return;
  CString text;
  m_pEdit->GetWindowText(text);
  *cell = ListText{ListText::Kind::stored, text};
  int before = row->height;
  MeasureRowAt(m_nEditRow);
  if (row->height != before) {
    UpdateScrollState();
    RedrawRow(m_nEditRow, FALSE, TRUE, TRUE);
  } else {
    RedrawRow(m_nEditRow);
  }
  ResizeEdit();
}

void SECListBaseC::OnEditKillFocus() { EndLabelEdit(TRUE); }

void SECListBaseC::EndLabelEdit(BOOL commit) {
  if (m_bEnding || !m_pEdit) return;
  m_bEnding = TRUE;
  CString typed;
  m_pEdit->GetWindowText(typed);
  bool had_focus = ::GetFocus() == m_pEdit->m_hWnd;
  int row = m_nEditRow;
  int sub = GetColumnSubItem(m_nEditColumn);
  DestroyEdit();
  m_nEditRow = -1;
  // The parent may change the text in place; it gets the whole text, however long.
  std::string text(typed.str());
  BOOL accepted = NotifyEndLabelEdit(row, sub, commit ? text.data() : nullptr);
  if (SECListRow* r = GetRow(row)) {
    if (ListText* cell = r->Text(sub)) {
      if (commit && accepted) *cell = ListText{ListText::Kind::stored, CString(text.c_str())};
      else if (m_bEditCellOnDemand) *cell = ListText::OnDemand();
      else *cell = ListText{ListText::Kind::stored, m_strSavedEditText};
    }
    r->height = -1;
  }
  m_bEnding = FALSE;
  if (!m_hWnd) return;
  UpdateScrollState();
  RedrawRow(row, FALSE, TRUE, TRUE);
  if (had_focus) SetFocus();
}

// --- Focus, enabling, cancel mode ---------------------------------------------------------------------

void SECListBaseC::OnSetFocus(CWnd* old) {
  CWnd::OnSetFocus(old);
  HideTip();
  if (HasStyle(LVS_SINGLESEL)) RedrawRow(m_model.caret, TRUE);
  else Invalidate(FALSE);
  Notify(NM_SETFOCUS);
}

void SECListBaseC::OnKillFocus(CWnd* next) {
  CWnd::OnKillFocus(next);
  if (m_pEdit && (!next || next->m_hWnd != m_pEdit->m_hWnd)) EndLabelEdit(TRUE);
  HideTip();
  if (HasStyle(LVS_SINGLESEL)) RedrawRow(m_model.caret, TRUE);
  else Invalidate(FALSE);
  Notify(NM_KILLFOCUS);
}

void SECListBaseC::OnCancelMode() {
  HideTip();
  CWnd::OnCancelMode();
}

void SECListBaseC::OnEnable(BOOL enable) {
  if (!enable) HideTip();
  CWnd::OnEnable(enable);
  Invalidate(FALSE);
}
