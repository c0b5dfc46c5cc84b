#include "platform/framework/dock_bar.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "platform/framework/frame_wnd.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_WM_DESTROY()
  ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
END_MESSAGE_MAP()

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALIGN_ANY;
  SetBorders(0, 0, 0, 0);
  return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                      pParentWnd, nID);
}

int CDockBar::GetDockedCount() const {
  int count = 0;
  for (const auto& row : m_rows) count += int(row.size());
  return count;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (!pBar || pBar == this) return;
  CDockBar* old = pBar->m_pDockBar;
  if (old == this) RemoveControlBar(pBar);
  // The row the rectangle overlaps across the rows' direction; a new last row otherwise.
  size_t row = m_rows.size();
  if (lpRect) {
    CRect wanted(*lpRect);
    ScreenToClient(&wanted);
    int from = IsHorz() ? wanted.top : wanted.left;
    int to = IsHorz() ? wanted.bottom : wanted.right;
    int at = 0;
    for (size_t i = 0; i < m_rows.size() && row == m_rows.size(); ++i) {
      int depth = 0;
      for (CControlBar* bar : m_rows[i]) {
        CSize size = BarSize(bar);
        depth = std::max(depth, int(IsHorz() ? size.cy : size.cx));
      }
      if (from < at + depth && to > at) row = i;
      at += depth;
    }
  }
  if (row == m_rows.size()) m_rows.emplace_back();
  m_rows[row].push_back(pBar);
  pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) |
                  (GetDlgCtrlID() == int(AFX_IDW_DOCKBAR_FLOAT) ? CBRS_FLOATING : 0);
  pBar->m_pDockBar = this;
  if (pBar->GetParent() != this) pBar->SetParent(this);
  // Out of the old dock bar only now the bar has left its window: a floating frame left empty goes.
  if (old && old != this) {
    old->RemoveControlBar(pBar);
    if (old->GetDlgCtrlID() == int(AFX_IDW_DOCKBAR_FLOAT) && old->GetDockedCount() == 0) {
      old->GetParent()->DestroyWindow();
    }
  }
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar) {
  for (auto row = m_rows.begin(); row != m_rows.end(); ++row) {
    auto it = std::find(row->begin(), row->end(), pBar);
    if (it == row->end()) continue;
    row->erase(it);
    if (row->empty()) m_rows.erase(row);
    if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
    return TRUE;
  }
  return FALSE;
}

CSize CDockBar::BarSize(CControlBar* pBar) const { return pBar->CalcFixedLayout(FALSE, IsHorz()); }

CSize CDockBar::RowsExtent() const {
  CSize total(0, 0);
  for (const auto& row : m_rows) {
    int length = 0;
    int depth = 0;
    for (CControlBar* bar : row) {
      if (!bar->IsVisible()) continue;
      CSize size = BarSize(bar);
      length += IsHorz() ? size.cx : size.cy;
      depth = std::max(depth, int(IsHorz() ? size.cy : size.cx));
    }
    if (IsHorz()) {
      total.cx = std::max(total.cx, LONG(length));
      total.cy += depth;
    } else {
      total.cy = std::max(total.cy, LONG(length));
      total.cx += depth;
    }
  }
  return total;
}

CSize CDockBar::CalcFixedLayout(BOOL, BOOL) {
  CSize total = RowsExtent();
  // Stretched across the frame when anything is docked.
  if (total.cx > 0 || total.cy > 0) {
    if (IsHorz()) {
      total.cx = 32767;
    } else {
      total.cy = 32767;
    }
  }
  return total;
}

void CDockBar::LayoutBars() {
  int at = 0;
  for (const auto& row : m_rows) {
    int along = 0;
    int depth = 0;
    for (CControlBar* bar : row) {
      if (!bar->IsVisible()) continue;
      CSize size = BarSize(bar);
      CRect rect = IsHorz() ? CRect(CPoint(along, at), size) : CRect(CPoint(at, along), size);
      bar->MoveWindow(&rect, TRUE);
      along += IsHorz() ? size.cx : size.cy;
      depth = std::max(depth, int(IsHorz() ? size.cy : size.cx));
    }
    at += depth;
  }
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  bool move = layout->hDWP != nullptr;
  // Docked bars are not the frame's children: their delayed show or hide happens here.
  if (move) {
    for (const auto& row : m_rows) {
      for (CControlBar* bar : row) {
        if (bar->m_nStateFlags & (delayShow | delayHide)) {
          bar->ShowWindow((bar->m_nStateFlags & delayShow) ? SW_SHOWNA : SW_HIDE);
          bar->m_nStateFlags &= ~UINT(delayShow | delayHide);
        }
      }
    }
  }
  LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
  if (move) LayoutBars();
  return result;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::OnDestroy() {
  for (const auto& row : m_rows) {
    for (CControlBar* bar : row) bar->m_pDockBar = nullptr;
  }
  m_rows.clear();
  CControlBar::OnDestroy();
}

// --- The frame's side ---------------------------------------------------------------------------------

namespace {
struct DockSide {
  DWORD align;
  UINT id;
};
// The order the dock bars take their strips in the layout: top and bottom span the frame.
constexpr DockSide kDockSides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                                   {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                                   {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                                   {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};
}  // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  // Each new dock bar goes first in Z order: made last to first, the top one ends up first.
  for (auto it = std::rbegin(kDockSides); it != std::rend(kDockSides); ++it) {
    const DockSide& side = *it;
    if (!(dwDockStyle & side.align) || GetControlBar(side.id)) continue;
    auto bar = std::make_unique<CDockBar>();
    bar->m_bAutoDelete = TRUE;
    if (!bar->Create(this, side.align, side.id)) continue;
    ::SetWindowPos(bar->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    bar.release();
  }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  if (!pBar) return;
  CDockBar* dock = nullptr;
  if (nDockBarID != 0) {
    dock = dynamic_cast<CDockBar*>(GetControlBar(nDockBarID));
  } else {
    // The first side both the bar and the frame allow.
    for (const DockSide& side : kDockSides) {
      if ((pBar->m_dwDockStyle & side.align) && (dock = dynamic_cast<CDockBar*>(GetControlBar(side.id)))) break;
    }
  }
  DockControlBar(pBar, dock, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar || !pDockBar) return;
  pDockBar->DockControlBar(pBar, lpRect);
  RecalcLayout();
}
