#include "platform/framework/dock_bar.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_dock_frame.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_WM_DESTROY()
  ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
END_MESSAGE_MAP()

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALIGN_ANY;
  m_bFloating = nID == AFX_IDW_DOCKBAR_FLOAT;
  SetBorders(0, 0, 0, 0);
  return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                      pParentWnd, nID);
}

int CDockBar::GetDockedCount() const {
  int count = 0;
  for (const auto& row : m_rows) count += int(row.size());
  return count;
}

int CDockBar::GetDockedVisibleCount() const {
  int count = 0;
  for (const auto& row : m_rows) {
    count += int(std::count_if(row.begin(), row.end(), [](CControlBar* bar) { return bar->IsVisible(); }));
  }
  return count;
}

int CDockBar::RowDepth(size_t row) const {
  int depth = 0;
  for (CControlBar* bar : m_rows[row]) {
    if (!bar->IsVisible()) continue;
    CSize size = BarSize(bar);
    depth = std::max(depth, int(IsHorz() ? size.cy : size.cx));
  }
  return depth;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (!pBar || pBar == this) return;
  CDockBar* old = pBar->m_pDockBar;
  // Where the bar goes, worked out while it still stands in its old place here: the row under
  // the rectangle's middle (or a new row before the first or after the last), and the place in
  // the row after the bars that start before the rectangle.
  size_t row = m_rows.size();
  bool new_row = true;
  size_t index = 0;
  int along = 0;
  if (lpRect) {
    CRect wanted(*lpRect);
    ScreenToClient(&wanted);
    int middle = IsHorz() ? (wanted.top + wanted.bottom) / 2 : (wanted.left + wanted.right) / 2;
    along = IsHorz() ? wanted.left : wanted.top;
    if (middle < 0) {
      row = 0;
    } else {
      int at = 0;
      for (size_t i = 0; i < m_rows.size(); ++i) {
        int depth = RowDepth(i);
        if (middle < at + depth) {
          row = i;
          new_row = false;
          break;
        }
        at += depth;
      }
    }
    if (!new_row) {
      size_t position = 0;
      for (CControlBar* bar : m_rows[row]) {
        if (bar == pBar) continue;
        ++position;
        if (!bar->IsVisible()) continue;
        CRect placed;
        bar->GetWindowRect(&placed);
        ScreenToClient(&placed);
        if ((IsHorz() ? placed.left : placed.top) < along) index = position;
      }
    }
  }
  // Out of its old place here; the target row shifts when a row before it went.
  if (old == this) {
    for (size_t i = 0; i < m_rows.size(); ++i) {
      auto it = std::find(m_rows[i].begin(), m_rows[i].end(), pBar);
      if (it == m_rows[i].end()) continue;
      m_rows[i].erase(it);
      if (m_rows[i].empty()) {
        m_rows.erase(m_rows.begin() + std::ptrdiff_t(i));
        if (!new_row && row == i) {
          new_row = true;
        } else if (i < row) {
          --row;
        }
      }
      break;
    }
  }
  if (new_row) {
    m_rows.insert(m_rows.begin() + std::ptrdiff_t(std::min(row, m_rows.size())), std::vector<CControlBar*>{pBar});
  } else {
    m_rows[row].insert(m_rows[row].begin() + std::ptrdiff_t(index), pBar);
  }
  if (lpRect && !m_bFloating) {
    m_along[pBar] = along;
  } else {
    m_along.erase(pBar);
  }
  pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) |
                    (m_bFloating ? CBRS_FLOATING : 0);
  pBar->m_pDockBar = this;
  if (pBar->GetParent() != this) pBar->SetParent(this);
  // Out of the old dock bar only now the bar has left its window: a floating frame left empty goes.
  if (old && old != this) {
    old->RemoveControlBar(pBar);
    if (old->m_bFloating && old->GetDockedCount() == 0) old->GetParent()->DestroyWindow();
  }
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar) {
  for (auto row = m_rows.begin(); row != m_rows.end(); ++row) {
    auto it = std::find(row->begin(), row->end(), pBar);
    if (it == row->end()) continue;
    row->erase(it);
    if (row->empty()) m_rows.erase(row);
    m_along.erase(pBar);
    if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
    return TRUE;
  }
  return FALSE;
}

void CDockBar::ShowAll(BOOL bShow) {
  // A copy: hiding the last bar of a floating frame may change the rows.
  std::vector<CControlBar*> bars;
  for (const auto& row : m_rows) bars.insert(bars.end(), row.begin(), row.end());
  for (CControlBar* bar : bars) {
    if (CFrameWnd* site = bar->GetDockingFrame()) {
      site->ShowControlBar(bar, bShow, FALSE);
    } else {
      bar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    }
  }
  SyncFloatingFrame();
}

void CDockBar::SyncFloatingFrame() {
  if (!m_bFloating) return;
  auto* frame = dynamic_cast<CFrameWnd*>(GetParent());
  if (!frame) return;
  if (GetDockedVisibleCount() > 0) {
    frame->RecalcLayout();
    if (!frame->IsWindowVisible()) frame->ShowWindow(SW_SHOWNA);
  } else if (frame->IsWindowVisible()) {
    frame->ShowWindow(SW_HIDE);
  }
}

CSize CDockBar::BarSize(CControlBar* pBar) const {
  // A bar that sizes itself floats at its last floating width.
  DWORD mode = (m_bFloating && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)) ? LM_HORZ | LM_MRUWIDTH
               : IsHorz()                                              ? LM_HORZ | LM_HORZDOCK
                                                                       : LM_VERTDOCK;
  return pBar->CalcDynamicLayout(-1, mode);
}

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
  // A frame's dock bar spans its edge, also when empty (a line a dragged bar can touch); a
  // floating one is as big as its bars.
  if (!m_bFloating) {
    if (IsHorz()) {
      total.cx = 32767;
    } else {
      total.cy = 32767;
    }
  }
  return total;
}

void CDockBar::LayoutBars() {
  CRect client;
  GetClientRect(&client);
  int length = IsHorz() ? client.Width() : client.Height();
  int at = 0;
  for (const auto& row : m_rows) {
    std::vector<CControlBar*> shown;
    std::vector<CSize> sizes;
    for (CControlBar* bar : row) {
      if (!bar->IsVisible()) continue;
      shown.push_back(bar);
      sizes.push_back(BarSize(bar));
    }
    auto along_of = [&](const CSize& size) { return int(IsHorz() ? size.cx : size.cy); };
    // Each bar at its place, after the bar before it...
    std::vector<int> starts(shown.size());
    int end = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
      auto wanted = m_along.find(shown[i]);
      starts[i] = std::max(end, wanted == m_along.end() ? 0 : wanted->second);
      end = starts[i] + along_of(sizes[i]);
    }
    // ...and back from the far end as far as the bars before it leave room.
    int limit = length;
    int before = 0;
    std::vector<int> least(shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
      least[i] = before;
      before += along_of(sizes[i]);
    }
    for (size_t i = shown.size(); i-- > 0;) {
      starts[i] = std::max(least[i], std::min(starts[i], limit - along_of(sizes[i])));
      limit = starts[i];
    }
    int depth = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
      CRect rect = IsHorz() ? CRect(CPoint(starts[i], at), sizes[i]) : CRect(CPoint(at, starts[i]), sizes[i]);
      shown[i]->MoveWindow(&rect, TRUE);
      depth = std::max(depth, int(IsHorz() ? sizes[i].cy : sizes[i].cx));
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
  m_along.clear();
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
  if (!m_pFloatingFrameClass) m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
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
