#include "platform/framework/splitter.h"

#include <algorithm>

#include "platform/framework/control_messages.h"
#include "platform/framework/document.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/view.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_CANCELMODE()
  ON_WM_CAPTURECHANGED()
  ON_WM_SETCURSOR()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

CFrameWnd* parent_frame(const CWnd* wnd) {
  for (CWnd* w = wnd->GetParent(); w; w = w->GetParent()) {
    if (w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(w);
  }
  return nullptr;
}

// Keyboard split mode moves the trackers this far per arrow key (one pixel with Ctrl).
constexpr int kKeyboardStep = 16;

}  // namespace

// --- Creation ---------------------------------------------------------------------------------------

BOOL CSplitterWnd::CreateCommon(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  CRect rect;
  pParentWnd->GetClientRect(&rect);
  // The shared bars are windows of their own, so the splitter itself never has scroll bars.
  DWORD style = (dwStyle | WS_CHILD | WS_CLIPCHILDREN) & ~(WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT);
  return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), nullptr,
                      style, rect, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateScrollBarCtrl(DWORD dwStyle, UINT nID) {
  return ::CreateWindowEx(0, "ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | dwStyle, 0, 0, 0, 0, m_hWnd,
                          reinterpret_cast<HMENU>(std::uintptr_t(nID)), nullptr) != nullptr;
}

BOOL CSplitterWnd::Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
                          DWORD dwStyle, UINT nID) {
  if (m_hWnd || !pParentWnd || !pContext || !pContext->m_pNewViewClass || nMaxRows < 1 || nMaxCols < 1 ||
      nMaxRows > kMaxDynamicPanes || nMaxCols > kMaxDynamicPanes) {
    return FALSE;
  }
  m_nMaxRows = nMaxRows;
  m_nMaxCols = nMaxCols;
  m_nRows = m_nCols = 1;
  m_rows.assign(size_t(nMaxRows), Info{0, std::max(0, int(sizeMin.cy)), 0});
  m_cols.assign(size_t(nMaxCols), Info{0, std::max(0, int(sizeMin.cx)), 0});
  m_bHasHScroll = (dwStyle & WS_HSCROLL) != 0;
  m_bHasVScroll = (dwStyle & WS_VSCROLL) != 0;
  m_pDynamicViewClass = pContext->m_pNewViewClass;
  if (!CreateCommon(pParentWnd, dwStyle, nID)) return FALSE;
  if ((m_bHasHScroll && !CreateScrollBarCtrl(SBS_HORZ, AFX_IDW_HSCROLL_FIRST)) ||
      (m_bHasVScroll && !CreateScrollBarCtrl(SBS_VERT, AFX_IDW_VSCROLL_FIRST)) ||
      !CreateView(0, 0, m_pDynamicViewClass, CSize(0, 0), pContext)) {
    DestroyWindow();
    return FALSE;
  }
  // The first pane is the frame's view until the frame picks another.
  CWnd* pane = GetPane(0, 0);
  CFrameWnd* frame = parent_frame(this);
  if (frame && !frame->GetActiveView() && pane->IsKindOf(RUNTIME_CLASS(CView))) {
    frame->SetActiveView(static_cast<CView*>(pane), FALSE);
  }
  return TRUE;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
  if (m_hWnd || !pParentWnd || nRows < 1 || nCols < 1 || nRows > kMaxPanes || nCols > kMaxPanes) return FALSE;
  m_nMaxRows = m_nRows = nRows;
  m_nMaxCols = m_nCols = nCols;
  m_rows.assign(size_t(nRows), Info{});
  m_cols.assign(size_t(nCols), Info{});
  return CreateCommon(pParentWnd, dwStyle, nID);
}

int CSplitterWnd::IdFromRowCol(int row, int col) const { return int(AFX_IDW_PANE_FIRST) + row * 16 + col; }

BOOL CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext) {
  if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col) || !pViewClass) return FALSE;
  m_cols[size_t(col)].ideal = sizeInit.cx;
  m_rows[size_t(row)].ideal = sizeInit.cy;
  std::unique_ptr<CObject> object = pViewClass->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CWnd))) return FALSE;
  // A view owns itself once its window exists.
  auto* pane = static_cast<CWnd*>(object.release());
  if (!pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, UINT(IdFromRowCol(row, col)),
                    pContext)) {
    if (!pane->m_hWnd) std::unique_ptr<CWnd> discard(pane);
    return FALSE;
  }
  RecalcLayout();
  return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  if (!m_hWnd || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return nullptr;
  return GetDlgItem(IdFromRowCol(row, col));
}

BOOL CSplitterWnd::IsChildPane(const CWnd* pWnd, int* pRow, int* pCol) const {
  if (!pWnd || !pWnd->m_hWnd || !m_hWnd || ::GetParent(pWnd->m_hWnd) != m_hWnd) return FALSE;
  int index = pWnd->GetDlgCtrlID() - int(AFX_IDW_PANE_FIRST);
  if (index < 0 || index / 16 >= m_nRows || index % 16 >= m_nCols) return FALSE;
  if (pRow) *pRow = index / 16;
  if (pCol) *pCol = index % 16;
  return TRUE;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
  if (col < 0 || col >= int(m_cols.size())) return;
  m_cols[size_t(col)].ideal = std::max(0, cxIdeal);
  m_cols[size_t(col)].min = std::max(0, cxMin);
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
  cxCur = cxMin = 0;
  if (col < 0 || col >= m_nCols) return;
  cxCur = m_cols[size_t(col)].current;
  cxMin = m_cols[size_t(col)].min;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
  if (row < 0 || row >= int(m_rows.size())) return;
  m_rows[size_t(row)].ideal = std::max(0, cyIdeal);
  m_rows[size_t(row)].min = std::max(0, cyMin);
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
  cyCur = cyMin = 0;
  if (row < 0 || row >= m_nRows) return;
  cyCur = m_rows[size_t(row)].current;
  cyMin = m_rows[size_t(row)].min;
}

// --- Layout -----------------------------------------------------------------------------------------

void CSplitterWnd::lay_out(std::vector<Info>& infos, int count, int total, int gap) {
  int left = std::max(0, total - gap * (count - 1));
  for (int i = 0; i < count; ++i) {
    Info& info = infos[size_t(i)];
    bool last = i + 1 == count;
    info.current = std::max(0, last ? left : std::min(left, std::max(info.ideal, info.min)));
    left -= info.current;
  }
}

void CSplitterWnd::GetInsideRect(CRect& rect) const {
  GetClientRect(&rect);
  if (m_bHasVScroll) rect.right = std::max(rect.left, rect.right - GetSystemMetrics(SM_CXVSCROLL));
  if (m_bHasHScroll) rect.bottom = std::max(rect.top, rect.bottom - GetSystemMetrics(SM_CYHSCROLL));
}

int CSplitterWnd::LineStart(bool rows, int line) const {
  const std::vector<Info>& lines = rows ? m_rows : m_cols;
  int gap = rows ? m_cySplitterGap : m_cxSplitterGap;
  int at = 0;
  for (int i = 0; i < line; ++i) at += lines[size_t(i)].current + gap;
  return at;
}

CRect CSplitterWnd::RowSplitBox() const {
  if (!m_bHasVScroll || !CanSplitRows()) return CRect(0, 0, 0, 0);
  CRect inside, client;
  GetInsideRect(inside);
  GetClientRect(&client);
  return CRect(inside.right, inside.top, client.right, inside.top + m_cySplitter);
}

CRect CSplitterWnd::ColumnSplitBox() const {
  if (!m_bHasHScroll || !CanSplitColumns()) return CRect(0, 0, 0, 0);
  CRect inside, client;
  GetInsideRect(inside);
  GetClientRect(&client);
  return CRect(inside.left, inside.bottom, inside.left + m_cxSplitter, client.bottom);
}

void CSplitterWnd::RecalcLayout() {
  if (!m_hWnd) return;
  CRect inside;
  GetInsideRect(inside);
  lay_out(m_cols, m_nCols, inside.Width(), m_cxSplitterGap);
  lay_out(m_rows, m_nRows, inside.Height(), m_cySplitterGap);
  for (int r = 0; r < m_nRows; ++r) {
    for (int c = 0; c < m_nCols; ++c) {
      if (CWnd* pane = GetPane(r, c)) {
        pane->MoveWindow(LineStart(false, c), LineStart(true, r), m_cols[size_t(c)].current, m_rows[size_t(r)].current);
      }
    }
  }
  // Each shared bar runs along its row or column; the first leaves room for the split box.
  int box_height = RowSplitBox().Height();
  for (int r = 0; m_bHasVScroll && r < m_nRows; ++r) {
    HWND bar = ::GetDlgItem(m_hWnd, int(AFX_IDW_VSCROLL_FIRST) + r);
    int skip = r == 0 ? box_height : 0;
    if (bar) {
      ::MoveWindow(bar, inside.right, LineStart(true, r) + skip, GetSystemMetrics(SM_CXVSCROLL),
                   std::max(0, m_rows[size_t(r)].current - skip), TRUE);
    }
  }
  int box_width = ColumnSplitBox().Width();
  for (int c = 0; m_bHasHScroll && c < m_nCols; ++c) {
    HWND bar = ::GetDlgItem(m_hWnd, int(AFX_IDW_HSCROLL_FIRST) + c);
    int skip = c == 0 ? box_width : 0;
    if (bar) {
      ::MoveWindow(bar, LineStart(false, c) + skip, inside.bottom, std::max(0, m_cols[size_t(c)].current - skip),
                   GetSystemMetrics(SM_CYHSCROLL), TRUE);
    }
  }
  Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (m_bTracking) StopTracking(FALSE);
  RecalcLayout();
}

int CSplitterWnd::HitTest(CPoint pt) const {
  if (RowSplitBox().PtInRect(pt)) return vSplitterBox;
  if (ColumnSplitBox().PtInRect(pt)) return hSplitterBox;
  CRect inside;
  GetInsideRect(inside);
  if (!inside.PtInRect(pt)) return noHit;
  int row = -1, col = -1;
  for (int c = 0; c + 1 < m_nCols; ++c) {
    int x = LineStart(false, c) + m_cols[size_t(c)].current;
    if (pt.x >= x && pt.x < x + m_cxSplitterGap) col = c;
  }
  for (int r = 0; r + 1 < m_nRows; ++r) {
    int y = LineStart(true, r) + m_rows[size_t(r)].current;
    if (pt.y >= y && pt.y < y + m_cySplitterGap) row = r;
  }
  if (row >= 0 && col >= 0) return splitterIntersection1 + row * 16 + col;
  if (row >= 0) return vSplitterBar1 + row;
  if (col >= 0) return hSplitterBar1 + col;
  return noHit;
}

// --- Dynamic splitting ------------------------------------------------------------------------------

// Rows and columns split, join and resize alike: a "line" is a row when `rows`, else a column,
// and its shared bar is the vertical bar of a row or the horizontal bar of a column.
CWnd* CSplitterWnd::PaneOfLine(bool rows, int line, int other) const {
  return rows ? GetPane(line, other) : GetPane(other, line);
}

HWND CSplitterWnd::LineScrollBar(bool rows, int line) const {
  return ::GetDlgItem(m_hWnd, int(rows ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST) + line);
}

BOOL CSplitterWnd::CreateDynamicPane(int row, int col, int rowFrom, int colFrom) {
  // The grid's sizes stay as the caller set them; CreateView would take the initial sizes.
  std::vector<Info> rows = m_rows, cols = m_cols;
  CWnd* from = GetPane(rowFrom, colFrom);
  CCreateContext context;
  context.m_pNewViewClass = m_pDynamicViewClass;
  if (from && from->IsKindOf(RUNTIME_CLASS(CView))) {
    auto* view = static_cast<CView*>(from);
    context.m_pCurrentDoc = view->GetDocument();
    context.m_pLastView = view;
    context.m_pCurrentFrame = view->GetParentFrame();
  }
  BOOL made = CreateView(row, col, m_pDynamicViewClass, CSize(0, 0), &context);
  m_rows = rows;
  m_cols = cols;
  if (!made) return FALSE;
  GetPane(row, col)->SendMessage(WM_INITIALUPDATE);
  return TRUE;
}

BOOL CSplitterWnd::SplitLine(bool rows, int before) {
  if (!(rows ? CanSplitRows() : CanSplitColumns()) || m_bTracking) return FALSE;
  std::vector<Info>& lines = rows ? m_rows : m_cols;
  int& count = rows ? m_nRows : m_nCols;
  int line = count++;
  lines[size_t(line - 1)].ideal = std::max(0, before);
  lines[size_t(line)].ideal = 0;
  if (rows ? m_bHasVScroll : m_bHasHScroll) {
    UINT id = (rows ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST) + UINT(line);
    if (!CreateScrollBarCtrl(rows ? SBS_VERT : SBS_HORZ, id)) {
      --count;
      return FALSE;
    }
    // The new line starts where the line it came from stands.
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ::SendMessage(LineScrollBar(rows, line - 1), SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessage(LineScrollBar(rows, line), SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
  }
  int others = rows ? m_nCols : m_nRows;
  for (int o = 0; o < others; ++o) {
    bool made = rows ? CreateDynamicPane(line, o, line - 1, o) : CreateDynamicPane(o, line, o, line - 1);
    if (!made) {
      DeleteLine(rows, line);
      return FALSE;
    }
  }
  RecalcLayout();
  return TRUE;
}

BOOL CSplitterWnd::SplitRow(int cyBefore) { return SplitLine(true, cyBefore); }
BOOL CSplitterWnd::SplitColumn(int cxBefore) { return SplitLine(false, cxBefore); }

void CSplitterWnd::DeleteLine(bool rows, int lineDelete) {
  int& count = rows ? m_nRows : m_nCols;
  if (!IsDynamic() || count < 2 || lineDelete < 0 || lineDelete >= count) return;
  // The active pane moves to the line that stays before its own goes.
  int rowActive = -1, colActive = -1;
  if (GetActivePane(&rowActive, &colActive) && (rows ? rowActive : colActive) == lineDelete) {
    int stays = lineDelete == 0 ? 1 : lineDelete - 1;
    SetActivePane(rows ? stays : rowActive, rows ? colActive : stays);
  }
  int others = rows ? m_nCols : m_nRows;
  for (int o = 0; o < others; ++o) {
    if (CWnd* pane = PaneOfLine(rows, lineDelete, o)) pane->DestroyWindow();
  }
  if (HWND bar = LineScrollBar(rows, lineDelete)) ::DestroyWindow(bar);
  // The lines after it move up: their panes and bar take the ids of the line before.
  for (int line = lineDelete + 1; line < count; ++line) {
    for (int o = 0; o < others; ++o) {
      if (CWnd* pane = PaneOfLine(rows, line, o)) {
        pane->SetDlgCtrlID(rows ? IdFromRowCol(line - 1, o) : IdFromRowCol(o, line - 1));
      }
    }
    if (HWND bar = LineScrollBar(rows, line)) {
      CWnd::FromHandle(bar)->SetDlgCtrlID(int(rows ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST) + line - 1);
    }
  }
  std::vector<Info>& lines = rows ? m_rows : m_cols;
  Info freed{0, lines[size_t(lineDelete)].min, 0};
  lines.erase(lines.begin() + lineDelete);
  lines.push_back(freed);
  --count;
  RecalcLayout();
}

void CSplitterWnd::DeleteRow(int rowDelete) { DeleteLine(true, rowDelete); }
void CSplitterWnd::DeleteColumn(int colDelete) { DeleteLine(false, colDelete); }

BOOL CSplitterWnd::DoKeyboardSplit() {
  if (!IsDynamic() || m_bTracking) return FALSE;
  int ht = noHit;
  if (m_nRows > 1 && m_nCols > 1) {
    ht = splitterIntersection1;
  } else if (m_nRows > 1) {
    ht = vSplitterBar1;
  } else if (m_nCols > 1) {
    ht = hSplitterBar1;
  } else if (CanSplitRows() && CanSplitColumns()) {
    ht = bothSplitterBox;
  } else if (CanSplitRows()) {
    ht = vSplitterBox;
  } else if (CanSplitColumns()) {
    ht = hSplitterBox;
  }
  if (ht == noHit) return FALSE;
  StartTracking(ht);
  if (ht >= vSplitterBox && ht <= bothSplitterBox) {
    // A new split starts across the middle.
    CRect inside;
    GetInsideRect(inside);
    m_ptTrackOffset = CSize(0, 0);
    InvertTrackers();
    m_rectRowTracker.OffsetRect(0, inside.CenterPoint().y - m_rectRowTracker.top);
    m_rectColTracker.OffsetRect(inside.CenterPoint().x - m_rectColTracker.left, 0);
    InvertTrackers();
  }
  return TRUE;
}

// --- Active pane ------------------------------------------------------------------------------------

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
  CWnd* pane = nullptr;
  if (CFrameWnd* frame = parent_frame(this)) pane = frame->GetActiveView();
  if (!IsChildPane(pane, pRow, pCol)) {
    pane = GetFocus();
    if (!IsChildPane(pane, pRow, pCol)) pane = nullptr;
  }
  return pane;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
  CWnd* pane = pWnd ? pWnd : GetPane(row, col);
  if (!pane || !pane->m_hWnd) return;
  CFrameWnd* frame = parent_frame(this);
  if (frame && pane->IsKindOf(RUNTIME_CLASS(CView))) frame->SetActiveView(static_cast<CView*>(pane));
  if (GetFocus() != pane) pane->SetFocus();
}

// --- Shared scroll bars -----------------------------------------------------------------------------

CScrollBar* CSplitterWnd::GetPaneScrollBar(const CWnd* pPane, int nBar) const {
  int row = 0, col = 0;
  if (!IsChildPane(pPane, &row, &col)) return nullptr;
  HWND bar = nullptr;
  if (nBar == SB_HORZ && m_bHasHScroll) bar = LineScrollBar(false, col);
  if (nBar == SB_VERT && m_bHasVScroll) bar = LineScrollBar(true, row);
  // A scroll-bar control's window object adds nothing to CWnd's.
  return bar ? reinterpret_cast<CScrollBar*>(CWnd::FromHandle(bar)) : nullptr;
}

void CSplitterWnd::ScrollPanes(UINT message, WPARAM wParam, HWND hBar) {
  bool horizontal = message == WM_HSCROLL;
  int index = ::GetDlgCtrlID(hBar) - int(horizontal ? AFX_IDW_HSCROLL_FIRST : AFX_IDW_VSCROLL_FIRST);
  if (index < 0 || index >= (horizontal ? m_nCols : m_nRows)) return;
  int before = int(::SendMessage(hBar, SBM_GETPOS, 0, 0));
  int count = horizontal ? m_nRows : m_nCols;
  for (int i = 0; i < count; ++i) {
    CWnd* pane = PaneOfLine(!horizontal, index, i);
    if (!pane) continue;
    // Each pane scrolls by the same step from the same place.
    if (i > 0) ::SendMessage(hBar, SBM_SETPOS, WPARAM(before), FALSE);
    pane->SendMessage(message, wParam, reinterpret_cast<LPARAM>(hBar));
  }
}

void CSplitterWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
  const MSG* msg = GetCurrentMessage();
  if (pScrollBar && msg) ScrollPanes(WM_HSCROLL, msg->wParam, reinterpret_cast<HWND>(msg->lParam));
}

void CSplitterWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
  const MSG* msg = GetCurrentMessage();
  if (pScrollBar && msg) ScrollPanes(WM_VSCROLL, msg->wParam, reinterpret_cast<HWND>(msg->lParam));
}

// --- Tracking ---------------------------------------------------------------------------------------

void CSplitterWnd::BarsOfHit(int ht, int& row, int& col) {
  row = col = -1;
  if (ht >= vSplitterBar1 && ht < hSplitterBar1) row = ht - vSplitterBar1;
  if (ht >= hSplitterBar1 && ht < splitterIntersection1) col = ht - hSplitterBar1;
  if (ht >= splitterIntersection1) {
    row = (ht - splitterIntersection1) / 16;
    col = (ht - splitterIntersection1) % 16;
  }
}

void CSplitterWnd::StartTracking(int ht) {
  if (ht == noHit || m_bTracking) return;
  CRect inside;
  GetInsideRect(inside);
  m_htTrack = ht;
  m_rectLimit = inside;
  int row = -1, col = -1;
  BarsOfHit(ht, row, col);
  m_bRowTracker = ht == vSplitterBox || ht == bothSplitterBox;
  m_bColTracker = ht == hSplitterBox || ht == bothSplitterBox;
  int y = inside.top, x = inside.left;
  if (row >= 0) {
    m_bRowTracker = true;
    y = LineStart(true, row) + m_rows[size_t(row)].current;
    // A static splitter keeps both neighbours at their least size; a dynamic one lets a bar go to
    // the edge, which removes the pane.
    if (!IsDynamic()) {
      m_rectLimit.top = LineStart(true, row) + m_rows[size_t(row)].min;
      m_rectLimit.bottom = LineStart(true, row + 1) + m_rows[size_t(row + 1)].current - m_rows[size_t(row + 1)].min;
    }
  }
  if (col >= 0) {
    m_bColTracker = true;
    x = LineStart(false, col) + m_cols[size_t(col)].current;
    if (!IsDynamic()) {
      m_rectLimit.left = LineStart(false, col) + m_cols[size_t(col)].min;
      m_rectLimit.right = LineStart(false, col + 1) + m_cols[size_t(col + 1)].current - m_cols[size_t(col + 1)].min;
    }
  }
  m_rectRowTracker = CRect(inside.left, y, inside.right, y + m_cySplitterGap);
  m_rectColTracker = CRect(x, inside.top, x + m_cxSplitterGap, inside.bottom);
  m_ptTrackOffset = CSize(0, 0);
  m_bTracking = TRUE;
  SetCapture();
  // Keys reach the splitter while it tracks (arrows, Enter, Escape).
  SetFocus();
  InvertTrackers();
}

void CSplitterWnd::MoveTrackers(CPoint pt) {
  CPoint corner = pt - m_ptTrackOffset;
  int y = std::clamp(int(corner.y), int(m_rectLimit.top),
                     std::max(int(m_rectLimit.top), int(m_rectLimit.bottom) - m_cySplitterGap));
  int x = std::clamp(int(corner.x), int(m_rectLimit.left),
                     std::max(int(m_rectLimit.left), int(m_rectLimit.right) - m_cxSplitterGap));
  bool row_moves = m_bRowTracker && y != m_rectRowTracker.top;
  bool col_moves = m_bColTracker && x != m_rectColTracker.left;
  if (!row_moves && !col_moves) return;
  InvertTrackers();
  if (m_bRowTracker) m_rectRowTracker.OffsetRect(0, y - m_rectRowTracker.top);
  if (m_bColTracker) m_rectColTracker.OffsetRect(x - m_rectColTracker.left, 0);
  InvertTrackers();
}

void CSplitterWnd::InvertTrackers() {
  if (m_bRowTracker) OnInvertTracker(m_rectRowTracker);
  if (m_bColTracker) OnInvertTracker(m_rectColTracker);
}

void CSplitterWnd::OnInvertTracker(const CRect& rect) {
  if (rect.IsRectEmpty()) return;
  auto invert = [](CDC& dc, const CRect& r) {
    CBrush* old = dc.SelectObject(CDC::GetHalftoneBrush());
    dc.PatBlt(r.left, r.top, r.Width(), r.Height(), PATINVERT);
    dc.SelectObject(old);
  };
  {
    CClientDC dc(this);
    invert(dc, rect);
  }
  // Panes and bars are windows of their own: the part of the tracker over each is drawn there.
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    CRect window;
    ::GetWindowRect(child, &window);
    ScreenToClient(&window);
    CRect part;
    if (!part.IntersectRect(rect, window)) continue;
    part.OffsetRect(-window.left, -window.top);
    CWindowDC dc(CWnd::FromHandle(child));
    invert(dc, part);
  }
}

void CSplitterWnd::StopTracking(BOOL bAccept) {
  if (!m_bTracking) return;
  InvertTrackers();
  m_bTracking = FALSE;
  if (GetCapture() == this) ReleaseCapture();
  int rowActive = 0, colActive = 0;
  if (CWnd* active = GetActivePane(&rowActive, &colActive)) {
    active->SetFocus();
  } else if (CWnd* first = GetPane(0, 0)) {
    SetActivePane(0, 0, first);
  }
  if (!bAccept) return;
  CRect inside;
  GetInsideRect(inside);
  int ht = m_htTrack;
  int row = -1, col = -1;
  BarsOfHit(ht, row, col);
  if (ht == vSplitterBox || ht == bothSplitterBox) {
    // A split is made only when both rows get their least size.
    int before = m_rectRowTracker.top - inside.top;
    int after = inside.bottom - m_rectRowTracker.bottom;
    if (before >= m_rows[0].min && after >= m_rows[0].min && before > 0 && after > 0) SplitRow(before);
  }
  if (ht == hSplitterBox || ht == bothSplitterBox) {
    int before = m_rectColTracker.left - inside.left;
    int after = inside.right - m_rectColTracker.right;
    if (before >= m_cols[0].min && after >= m_cols[0].min && before > 0 && after > 0) SplitColumn(before);
  }
  if (col >= 0) TrackLineSize(false, m_rectColTracker.left, col);
  if (row >= 0) TrackLineSize(true, m_rectRowTracker.top, row);
}

void CSplitterWnd::TrackLineSize(bool rows, int pos, int line) {
  int count = rows ? m_nRows : m_nCols;
  if (line < 0 || line + 1 >= count) return;
  std::vector<Info>& lines = rows ? m_rows : m_cols;
  int gap = rows ? m_cySplitterGap : m_cxSplitterGap;
  int size = pos - LineStart(rows, line);
  if (IsDynamic()) {
    // A pane left smaller than its least size goes with its line.
    int end = LineStart(rows, line + 1) + lines[size_t(line + 1)].current;
    if (size < lines[size_t(line)].min) {
      DeleteLine(rows, line);
      return;
    }
    if (end - (pos + gap) < lines[size_t(line + 1)].min) {
      DeleteLine(rows, line + 1);
      return;
    }
  }
  lines[size_t(line)].ideal = std::max(size, lines[size_t(line)].min);
  RecalcLayout();
}

// --- Mouse and keys ---------------------------------------------------------------------------------

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
  if (m_bTracking) return;
  int ht = HitTest(point);
  if (ht == noHit) return;
  StartTracking(ht);
  // The trackers keep their distance from the mouse.
  m_ptTrackOffset = point - CPoint(m_rectColTracker.left, m_rectRowTracker.top);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
  if (m_bTracking) MoveTrackers(point);
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint point) {
  if (!m_bTracking) return;
  MoveTrackers(point);
  StopTracking(TRUE);
}

void CSplitterWnd::OnLButtonDblClk(UINT, CPoint point) {
  if (m_bTracking) StopTracking(FALSE);
  int ht = HitTest(point);
  CRect inside;
  GetInsideRect(inside);
  // A double click on a split box splits in the middle; on a bar of a dynamic splitter it joins
  // the panes again, keeping the active one.
  if (ht == vSplitterBox) {
    SplitRow((inside.Height() - m_cySplitterGap) / 2);
  } else if (ht == hSplitterBox) {
    SplitColumn((inside.Width() - m_cxSplitterGap) / 2);
  } else if (IsDynamic()) {
    int row = -1, col = -1, rowActive = 0, colActive = 0;
    BarsOfHit(ht, row, col);
    GetActivePane(&rowActive, &colActive);
    if (row >= 0) DeleteRow(rowActive == row + 1 ? row : row + 1);
    if (col >= 0) DeleteColumn(colActive == col + 1 ? col : col + 1);
  }
}

void CSplitterWnd::OnRButtonDown(UINT nFlags, CPoint point) {
  if (m_bTracking) {
    StopTracking(FALSE);
    return;
  }
  CWnd::OnRButtonDown(nFlags, point);
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!m_bTracking) {
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    return;
  }
  int step = (GetKeyState(VK_CONTROL) & 0x8000) ? 1 : kKeyboardStep;
  CPoint corner(m_rectColTracker.left, m_rectRowTracker.top);
  switch (nChar) {
    case VK_RETURN: StopTracking(TRUE); return;
    case VK_ESCAPE: StopTracking(FALSE); return;
    case VK_LEFT: corner.x -= step; break;
    case VK_RIGHT: corner.x += step; break;
    case VK_UP: corner.y -= step; break;
    case VK_DOWN: corner.y += step; break;
    default: return;
  }
  MoveTrackers(corner + m_ptTrackOffset);
}

void CSplitterWnd::OnCancelMode() {
  StopTracking(FALSE);
  CWnd::OnCancelMode();
}

void CSplitterWnd::OnCaptureChanged(CWnd* pWnd) {
  // Another window took the mouse in the middle of a drag: nothing changes.
  if (m_bTracking && pWnd != this) StopTracking(FALSE);
  CWnd::OnCaptureChanged(pWnd);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT && pWnd == this) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    int ht = m_bTracking ? m_htTrack : HitTest(point);
    LPCTSTR cursor = nullptr;
    if (ht == vSplitterBox || (ht >= vSplitterBar1 && ht < hSplitterBar1)) cursor = IDC_SIZENS;
    if (ht == hSplitterBox || (ht >= hSplitterBar1 && ht < splitterIntersection1)) cursor = IDC_SIZEWE;
    if (ht == bothSplitterBox || ht >= splitterIntersection1) cursor = IDC_SIZEALL;
    if (cursor) {
      ::SetCursor(::LoadCursor(nullptr, cursor));
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// --- Painting ---------------------------------------------------------------------------------------

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  CRect inside;
  GetInsideRect(inside);
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  for (int c = 0; m_cxSplitter > 0 && c + 1 < m_nCols; ++c) {
    int x = LineStart(false, c) + m_cols[size_t(c)].current;
    CRect bar(x, inside.top, x + m_cxSplitter, inside.bottom);
    dc.Draw3dRect(&bar, light, dark);
  }
  for (int r = 0; m_cySplitter > 0 && r + 1 < m_nRows; ++r) {
    int y = LineStart(true, r) + m_rows[size_t(r)].current;
    CRect bar(inside.left, y, inside.right, y + m_cySplitter);
    dc.Draw3dRect(&bar, light, dark);
  }
  // The split boxes stand out like small buttons.
  for (CRect box : {RowSplitBox(), ColumnSplitBox()}) {
    if (box.IsRectEmpty()) continue;
    dc.FillSolidRect(&box, GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(&box, light, GetSysColor(COLOR_3DDKSHADOW));
  }
}
