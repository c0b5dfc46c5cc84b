#include "platform/framework/splitter.h"

#include <algorithm>

#include "platform/framework/command_ids.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
  if (!pParentWnd || nRows < 1 || nCols < 1 || nRows > kMaxPanes || nCols > kMaxPanes) return FALSE;
  m_nRows = nRows;
  m_nCols = nCols;
  m_rows.assign(size_t(nRows), Info{});
  m_cols.assign(size_t(nCols), Info{});
  CRect rect;
  pParentWnd->GetClientRect(&rect);
  return Create(AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), nullptr,
                dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
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

CWnd* CSplitterWnd::GetPane(int row, int col) const { return GetDlgItem(IdFromRowCol(row, col)); }

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
  if (col < 0 || col >= m_nCols) return;
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
  if (row < 0 || row >= m_nRows) return;
  m_rows[size_t(row)].ideal = std::max(0, cyIdeal);
  m_rows[size_t(row)].min = std::max(0, cyMin);
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
  cyCur = cyMin = 0;
  if (row < 0 || row >= m_nRows) return;
  cyCur = m_rows[size_t(row)].current;
  cyMin = m_rows[size_t(row)].min;
}

void CSplitterWnd::lay_out(std::vector<Info>& infos, int total) {
  int left = std::max(0, total - kBarWidth * (int(infos.size()) - 1));
  for (size_t i = 0; i < infos.size(); ++i) {
    bool last = i + 1 == infos.size();
    int size = last ? left : std::min(left, std::max(infos[i].ideal, infos[i].min));
    infos[i].current = std::max(0, size);
    left -= infos[i].current;
  }
}

void CSplitterWnd::RecalcLayout() {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  lay_out(m_cols, client.Width());
  lay_out(m_rows, client.Height());
  int y = 0;
  for (int r = 0; r < m_nRows; ++r) {
    int x = 0;
    for (int c = 0; c < m_nCols; ++c) {
      if (CWnd* pane = GetPane(r, c)) pane->MoveWindow(x, y, m_cols[size_t(c)].current, m_rows[size_t(r)].current);
      x += m_cols[size_t(c)].current + kBarWidth;
    }
    y += m_rows[size_t(r)].current + kBarWidth;
  }
  Invalidate();
}

void CSplitterWnd::HitTestBars(CPoint point, int& column_bar, int& row_bar) const {
  column_bar = row_bar = -1;
  int x = 0;
  for (int c = 0; c + 1 < m_nCols; ++c) {
    x += m_cols[size_t(c)].current;
    if (point.x >= x && point.x < x + kBarWidth) column_bar = c;
    x += kBarWidth;
  }
  int y = 0;
  for (int r = 0; r + 1 < m_nRows; ++r) {
    y += m_rows[size_t(r)].current;
    if (point.y >= y && point.y < y + kBarWidth) row_bar = r;
    y += kBarWidth;
  }
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  RecalcLayout();
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
  HitTestBars(point, m_dragColumn, m_dragRow);
  if (m_dragColumn < 0 && m_dragRow < 0) return;
  m_dragStart = point;
  m_colsAtStart = m_cols;
  m_rowsAtStart = m_rows;
  SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
  if (GetCapture() != this || (m_dragColumn < 0 && m_dragRow < 0)) return;
  // The pane before the bar grows or shrinks by the distance, never below its minimum.
  if (m_dragColumn >= 0) {
    Info& c = m_cols[size_t(m_dragColumn)];
    c.ideal = std::max(c.min, m_colsAtStart[size_t(m_dragColumn)].current + (point.x - m_dragStart.x));
  }
  if (m_dragRow >= 0) {
    Info& r = m_rows[size_t(m_dragRow)];
    r.ideal = std::max(r.min, m_rowsAtStart[size_t(m_dragRow)].current + (point.y - m_dragStart.y));
  }
  RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  if (GetCapture() != this) return;
  OnMouseMove(nFlags, point);
  ReleaseCapture();
  m_dragColumn = m_dragRow = -1;
}

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  int x = 0;
  for (int c = 0; c + 1 < m_nCols; ++c) {
    x += m_cols[size_t(c)].current;
    CRect bar(x, 0, x + kBarWidth, client.bottom);
    dc.Draw3dRect(&bar, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    x += kBarWidth;
  }
  int y = 0;
  for (int r = 0; r + 1 < m_nRows; ++r) {
    y += m_rows[size_t(r)].current;
    CRect bar(0, y, client.right, y + kBarWidth);
    dc.Draw3dRect(&bar, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    y += kBarWidth;
  }
}
