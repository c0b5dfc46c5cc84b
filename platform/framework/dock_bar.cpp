#include "platform/framework/dock_bar.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>

#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_dock_frame.h"

IMPLEMENT_DYNCREATE(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_WM_DESTROY()
  ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) { m_arrBars.Add(nullptr); }

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALIGN_ANY;
  m_bFloating = nID == AFX_IDW_DOCKBAR_FLOAT;
  SetBorders(0, 0, 0, 0);
  return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                      pParentWnd, nID);
}

// --- The bar array ------------------------------------------------------------------------------------

bool CDockBar::IsPlaceHolder(const void* entry) {
  auto value = reinterpret_cast<std::uintptr_t>(entry);
  return value != 0 && value <= 0xFFFF;
}

void* CDockBar::PlaceHolder(UINT nID) { return reinterpret_cast<void*>(std::uintptr_t(nID & 0xFFFF)); }

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
  if (nPos < 0 || nPos >= m_arrBars.GetSize()) return nullptr;
  void* entry = m_arrBars[nPos];
  return entry && !IsPlaceHolder(entry) ? static_cast<CControlBar*>(entry) : nullptr;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const {
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    if (i != nPosExclude && pBar && m_arrBars[i] == pBar) return i;
  }
  return -1;
}

int CDockBar::FindPlaceHolder(UINT nID) const {
  if (nID == 0 || nID > 0xFFFF) return -1;
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    if (m_arrBars[i] == PlaceHolder(nID)) return i;
  }
  return -1;
}

std::vector<CDockBar::RowSpan> CDockBar::RowSpans() const {
  std::vector<RowSpan> rows;
  int n = m_arrBars.GetSize();
  int first = 1;
  for (int i = 1; i < n; ++i) {
    if (m_arrBars[i]) continue;
    if (i > first) rows.push_back({first, i});
    first = i + 1;
  }
  // A last row without its null still counts.
  if (first < n) rows.push_back({first, n});
  return rows;
}

void CDockBar::RemoveEntry(int nPos) {
  if (nPos <= 0 || nPos >= m_arrBars.GetSize()) return;
  m_arrBars.RemoveAt(nPos);
  // The row is empty when a null stands before the place and at it.
  if (nPos < m_arrBars.GetSize() && !m_arrBars[nPos - 1] && !m_arrBars[nPos]) m_arrBars.RemoveAt(nPos);
}

int CDockBar::InsertRow(size_t row, CControlBar* pBar) {
  std::vector<RowSpan> rows = RowSpans();
  int at = row < rows.size() ? rows[row].first : m_arrBars.GetSize();
  // The array ends with a row end; one missing (a last row without it) is put back first.
  if (row >= rows.size() && m_arrBars.GetSize() > 1 && m_arrBars[m_arrBars.GetSize() - 1]) {
    m_arrBars.Add(nullptr);
    at = m_arrBars.GetSize();
  }
  m_arrBars.InsertAt(at, nullptr);
  m_arrBars.InsertAt(at, pBar);
  return at;
}

std::vector<std::vector<CControlBar*>> CDockBar::Rows() const {
  std::vector<std::vector<CControlBar*>> rows;
  for (const RowSpan& span : RowSpans()) {
    std::vector<CControlBar*> row;
    for (int i = span.first; i < span.end; ++i) {
      if (CControlBar* bar = GetDockedControlBar(i)) row.push_back(bar);
    }
    if (!row.empty()) rows.push_back(std::move(row));
  }
  return rows;
}

int CDockBar::GetDockedCount() const {
  int count = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    if (GetDockedControlBar(i)) ++count;
  }
  return count;
}

int CDockBar::GetDockedVisibleCount() const {
  int count = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (bar && bar->m_hWnd && bar->IsVisible()) ++count;
  }
  return count;
}

int CDockBar::RowDepth(const RowSpan& row) const {
  int depth = 0;
  for (int i = row.first; i < row.end; ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (!bar || !bar->IsVisible()) continue;
    CSize size = BarSize(bar);
    depth = std::max(depth, int(IsHorz() ? size.cy : size.cx));
  }
  return depth;
}

// --- Docking --------------------------------------------------------------------------------------------

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (!pBar || pBar == this) return;
  CDockBar* old = pBar->m_pDockBar;
  // Where the bar goes: the row under the rectangle's middle (or a new row before the first or
  // after the last), and the place in the row after the visible bars that start before the
  // rectangle. Its old entry here is still in place and is skipped.
  std::vector<RowSpan> rows = RowSpans();
  size_t new_row = rows.size();
  int position = -1;
  int along = 0;
  if (lpRect) {
    CRect wanted(*lpRect);
    ScreenToClient(&wanted);
    int middle = IsHorz() ? (wanted.top + wanted.bottom) / 2 : (wanted.left + wanted.right) / 2;
    along = IsHorz() ? wanted.left : wanted.top;
    if (middle < 0) {
      new_row = 0;
    } else {
      int at = 0;
      for (const RowSpan& row : rows) {
        int depth = RowDepth(row);
        if (middle < at + depth) {
          position = row.first;
          for (int i = row.first; i < row.end; ++i) {
            CControlBar* bar = GetDockedControlBar(i);
            if (!bar || bar == pBar || !bar->IsVisible()) continue;
            CRect placed;
            bar->GetWindowRect(&placed);
            ScreenToClient(&placed);
            if ((IsHorz() ? placed.left : placed.top) < along) position = i + 1;
          }
          break;
        }
        at += depth;
      }
    }
  }
  if (position >= 0) {
    m_arrBars.InsertAt(position, pBar);
  } else {
    position = InsertRow(new_row, pBar);
  }
  // Out of its old place here (the row that held it goes when it is left empty).
  if (old == this) RemoveEntry(FindBar(pBar, position));
  if (lpRect && !m_bFloating) {
    m_along[pBar] = along;
  } else {
    m_along.erase(pBar);
  }
  pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) |
                    (m_bFloating ? CBRS_FLOATING : 0);
  pBar->m_pDockBar = this;
  if (pBar->GetParent() != this) pBar->SetParent(this);
  RemovePlaceHolder(pBar);
  // Out of the old dock bar only now the bar has left its window: a floating frame left empty
  // goes (and the old dock bar with it). Leaving a frame's dock bar to float leaves a placeholder.
  if (old && old != this) old->RemoveControlBar(pBar, -1, m_bFloating && !old->m_bFloating ? 1 : 0);
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (!pBar || pBar == this) return;
  int position = FindPlaceHolder(UINT(pBar->GetDlgCtrlID()));
  if (position < 0 || pBar->m_pDockBar == this) {
    DockControlBar(pBar, lpRect);
    return;
  }
  CDockBar* old = pBar->m_pDockBar;
  m_arrBars[position] = pBar;
  if (lpRect && !m_bFloating) {
    CRect wanted(*lpRect);
    ScreenToClient(&wanted);
    m_along[pBar] = IsHorz() ? wanted.left : wanted.top;
  }
  pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) |
                    (m_bFloating ? CBRS_FLOATING : 0);
  pBar->m_pDockBar = this;
  if (pBar->GetParent() != this) pBar->SetParent(this);
  if (old) old->RemoveControlBar(pBar);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
  int position = FindBar(pBar, nPosExclude);
  if (position < 0) return FALSE;
  UINT id = pBar->m_hWnd ? UINT(pBar->GetDlgCtrlID()) : 0;
  if (nAddPlaceHolder == 1 && id != 0 && id <= 0xFFFF) {
    // One placeholder per bar: an older one goes.
    int older = FindPlaceHolder(id);
    m_arrBars[position] = PlaceHolder(id);
    if (older >= 0) RemoveEntry(older);
  } else {
    RemoveEntry(position);
    m_along.erase(pBar);
  }
  if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
  // A bar going with its window (no dock context then) changes nothing more.
  if (!pBar->m_pDockContext) return FALSE;
  if (m_bFloating) {
    if (GetDockedVisibleCount() > 0) return FALSE;
    CWnd* floating = GetParent();
    if (!floating) return FALSE;
    bool keeps_entries = std::any_of(m_arrBars.begin(), m_arrBars.end(), [](void* e) { return e != nullptr; });
    if (!keeps_entries) {
      floating->DestroyWindow();
      return TRUE;
    }
    floating->ShowWindow(SW_HIDE);
  } else if (auto* frame = dynamic_cast<CFrameWnd*>(GetParent())) {
    frame->DelayRecalcLayout();
  }
  return FALSE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar) {
  if (!pBar || !pBar->m_hWnd) return;
  int position = FindPlaceHolder(UINT(pBar->GetDlgCtrlID()));
  if (position >= 0) RemoveEntry(position);
}

void CDockBar::ShowAll(BOOL bShow) {
  // A copy: hiding the last bar of a floating frame may change the array.
  std::vector<CControlBar*> bars;
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    if (CControlBar* bar = GetDockedControlBar(i)) bars.push_back(bar);
  }
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

// --- Layout ---------------------------------------------------------------------------------------------

CSize CDockBar::BarSize(CControlBar* pBar) const {
  // A bar that sizes itself floats at its last floating width.
  DWORD mode = (m_bFloating && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)) ? LM_HORZ | LM_MRUWIDTH
               : IsHorz()                                              ? LM_HORZ | LM_HORZDOCK
                                                                       : LM_VERTDOCK;
  return pBar->CalcDynamicLayout(-1, mode);
}

CSize CDockBar::RowsExtent() const {
  CSize total(0, 0);
  for (const RowSpan& row : RowSpans()) {
    int length = 0;
    int depth = 0;
    for (int i = row.first; i < row.end; ++i) {
      CControlBar* bar = GetDockedControlBar(i);
      if (!bar || !bar->IsVisible()) continue;
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
  if (!m_bLayoutQuery) {
    // Docked bars are not the frame's children: their delayed show or hide happens here.
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
      CControlBar* bar = GetDockedControlBar(i);
      if (bar && (bar->m_nStateFlags & (delayShow | delayHide))) {
        bar->ShowWindow((bar->m_nStateFlags & delayShow) ? SW_SHOWNA : SW_HIDE);
        bar->m_nStateFlags &= ~UINT(delayShow | delayHide);
      }
    }
  }
  CSize total = RowsExtent();
  if (!m_bLayoutQuery) {
    CRect area = m_rectLayout;
    if (!m_bInSizeParent) GetClientRect(&area);
    LayoutBars(IsHorz() ? area.Width() : area.Height());
  }
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

void CDockBar::LayoutBars(int length) {
  int at = 0;
  for (const RowSpan& row : RowSpans()) {
    std::vector<CControlBar*> shown;
    std::vector<CSize> sizes;
    for (int i = row.first; i < row.end; ++i) {
      CControlBar* bar = GetDockedControlBar(i);
      if (!bar || !bar->IsVisible()) continue;
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
  // The pass's query flag and rectangle hold for its length only (a pass may run inside another).
  BOOL query = m_bLayoutQuery;
  CRect rect = m_rectLayout;
  bool inside = m_bInSizeParent;
  m_bLayoutQuery = layout->hDWP == nullptr;
  m_rectLayout = layout->rect;
  m_bInSizeParent = true;
  LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
  m_bLayoutQuery = query;
  m_rectLayout = rect;
  m_bInSizeParent = inside;
  return result;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::OnDestroy() {
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (bar && bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
  }
  m_arrBars.RemoveAll();
  m_arrBars.Add(nullptr);
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

void CFrameWnd::EnableDocking(DWORD dwDockStyle, const CRuntimeClass* pDockBarClass) {
  m_dwDockStyle = dwDockStyle;
  if (!m_pFloatingFrameClass) m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
  if (!pDockBarClass) pDockBarClass = RUNTIME_CLASS(CDockBar);
  // Each new dock bar goes first in Z order: made last to first, the top one ends up first.
  for (auto it = std::rbegin(kDockSides); it != std::rend(kDockSides); ++it) {
    const DockSide& side = *it;
    if (!(dwDockStyle & side.align) || GetControlBar(side.id)) continue;
    std::unique_ptr<CObject> made = pDockBarClass->CreateObject();
    auto* bar = dynamic_cast<CDockBar*>(made.get());
    // A class that makes no dock bar makes none.
    if (!bar || !bar->Create(this, side.align, side.id)) continue;
    // The dock bar ends itself with its window.
    bar->m_bAutoDelete = TRUE;
    made.release();
    ::SetWindowPos(bar->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

CDockBar* CFrameWnd::DockBarOf(UINT nDockBarID, DWORD dwAlignment) {
  if (nDockBarID != 0) return dynamic_cast<CDockBar*>(GetControlBar(nDockBarID));
  // The first side both the bar and the frame allow.
  for (const DockSide& side : kDockSides) {
    if (!(dwAlignment & side.align)) continue;
    if (auto* dock = dynamic_cast<CDockBar*>(GetControlBar(side.id))) return dock;
  }
  return nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  if (!pBar) return;
  DockControlBar(pBar, DockBarOf(nDockBarID, pBar->m_dwDockStyle), lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar || !pDockBar) return;
  pDockBar->DockControlBar(pBar, lpRect);
  RecalcLayout();
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar) return;
  if (!pDockBar) {
    // The frame's dock bar that keeps the bar's place, else the first side the bar allows.
    for (const DockSide& side : kDockSides) {
      auto* dock = dynamic_cast<CDockBar*>(GetControlBar(side.id));
      if (dock && dock->FindPlaceHolder(UINT(pBar->GetDlgCtrlID())) >= 0) {
        pDockBar = dock;
        break;
      }
    }
    if (!pDockBar) pDockBar = DockBarOf(0, pBar->m_dwDockStyle);
  }
  if (!pDockBar) return;
  pDockBar->ReDockControlBar(pBar, lpRect);
  RecalcLayout();
}
