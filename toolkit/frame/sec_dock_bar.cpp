#include "toolkit/frame/sec_dock_bar.h"

#include <algorithm>

#include "platform/framework/dock_context.h"
#include "platform/framework/dock_state.h"
#include "platform/framework/drag_outline.h"
#include "platform/framework/frame_wnd.h"
#include "platform/win/defer_window_pos.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_dock_state.h"
#include "toolkit/frame/toolkit_globals.h"

BOOL SECLayoutNoRedraw = TRUE;

namespace {

// Posted to a floating dock bar whose frame is to go once the handlers on the stack return.
constexpr UINT WM_SECDOCK_DESTROYFRAME = WM_USER + 0x3A1;

constexpr int kRowKeep = 19;  // a row splitter leaves this much of the row and of the free area

SECControlBar* as_sec(CControlBar* bar) { return dynamic_cast<SECControlBar*>(bar); }

float share_of(CControlBar* bar) {
  SECControlBar* sec = as_sec(bar);
  return sec ? sec->m_fPctWidth : 0.0f;
}

// A toolbar drawn flat: it sits closer to the edges and its neighbours.
bool flat_toolbar(CControlBar* bar) {
  SECControlBar* sec = as_sec(bar);
  return sec && (sec->m_dwExStyle & BAREX_FIXED_SIZE) && (sec->m_dwExStyle & BAREX_FLAT);
}

bool fixed_size(CControlBar* bar) {
  SECControlBar* sec = as_sec(bar);
  return !sec || (sec->m_dwExStyle & BAREX_FIXED_SIZE);
}

}  // namespace

// --- Splitters and separators -----------------------------------------------------------------

void SECDockSplitter::Draw(CDC* pDC) const {
  const SECToolkitGlobals& g = secData();
  const CRect& r = m_rect;
  if (IsVertical()) {
    pDC->FillSolidRect(r.left + 1, r.top, std::max(0, int(r.Width()) - 4), r.Height(), g.clrBtnFace);
    pDC->FillSolidRect(r.left, r.top, 1, r.Height(), g.clrBtnHilite);
    pDC->FillSolidRect(r.right - 3, r.top, 1, r.Height(), g.clrBtnShadow);
    pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), g.clrWindowFrame);
  } else {
    pDC->FillSolidRect(r.left, r.top + 1, r.Width(), std::max(0, int(r.Height()) - 4), g.clrBtnFace);
    pDC->FillSolidRect(r.left, r.top, r.Width(), 1, g.clrBtnHilite);
    pDC->FillSolidRect(r.left, r.bottom - 3, r.Width(), 1, g.clrBtnShadow);
    pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, g.clrWindowFrame);
  }
}

void SECDockSeparator::Draw(CDC* pDC) const {
  const SECToolkitGlobals& g = secData();
  if (m_nOrientation == 0) {
    pDC->FillSolidRect(m_rect.left, m_rect.top, m_rect.Width(), 1, g.clrBtnShadow);
    pDC->FillSolidRect(m_rect.left, m_rect.top + 1, m_rect.Width(), 1, g.clrBtnHilite);
  } else {
    pDC->FillSolidRect(m_rect.left, m_rect.top, 1, m_rect.Height(), g.clrBtnShadow);
    pDC->FillSolidRect(m_rect.left + 1, m_rect.top, 1, m_rect.Height(), g.clrBtnHilite);
  }
}

// --- The dock bar ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECDockBar, CDockBar)

BEGIN_MESSAGE_MAP(SECDockBar, CDockBar)
  ON_WM_CREATE()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_SECDOCK_DESTROYFRAME, &SECDockBar::OnDestroyEmptyFrame)
  ON_MESSAGE(WM_SIZEPARENT, &SECDockBar::OnSizeParent)
END_MESSAGE_MAP()

SECDockBar::SECDockBar(BOOL bFloating) : CDockBar(bFloating) {}

SECDockBar::~SECDockBar() = default;

int SECDockBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CDockBar::OnCreate(lpcs) == -1) return -1;
  secData().LoadSplitterCursors();
  return 0;
}

BOOL SECDockBar::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, secData().clrBtnFace);
  return TRUE;
}

void SECDockBar::OnDestroy() {
  m_splitters.clear();
  m_separators.clear();
  m_pending.clear();
  CDockBar::OnDestroy();
}

int SECDockBar::GetDockedVisibleCount() const {
  int count = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (bar && bar->m_hWnd && bar->IsVisible()) ++count;
  }
  return count;
}

void SECDockBar::GetBarInfo(CControlBarInfo* pInfo) {
  CDockBar::GetBarInfo(pInfo);
  if (m_pMDIChild && pInfo) pInfo->m_pointPos = CPoint(0, 0);
  if (auto* record = dynamic_cast<SECBarStateRecord*>(pInfo)) GetBarInfoEx(record);
}

void SECDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  CDockBar::SetBarInfo(pInfo, pFrameWnd);
  for (int i = m_arrBars.GetSize() - 1; i >= 0; --i) {
    if (CControlBar* bar = GetDockedControlBar(i)) TakeOverBar(bar);
  }
}

void SECDockBar::GetBarInfoEx(SECBarStateRecord* pInfo) {
  if (!pInfo || !m_pMDIChild) return;
  pInfo->m_bMDIChild = TRUE;
  pInfo->m_bFloating = TRUE;
  if (!GetMDIChildPlacement(pInfo->m_wpMDIChild)) pInfo->m_wpMDIChild.length = 0;
}

BOOL SECDockBar::GetMDIChildPlacement(WINDOWPLACEMENT& placement) const {
  if (!m_pMDIChild || !m_pMDIChild->m_hWnd) return FALSE;
  placement.length = sizeof(WINDOWPLACEMENT);
  return ::GetWindowPlacement(m_pMDIChild->m_hWnd, &placement);
}

// --- Rows -----------------------------------------------------------------------------------------

int SECDockBar::RowStart(int nPos) const {
  while (nPos > 1 && m_arrBars[nPos - 1] != nullptr) --nPos;
  return nPos;
}

std::vector<int> SECDockBar::VisibleRow(int nFirst) const {
  std::vector<int> row;
  for (int i = nFirst; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (bar && bar->m_hWnd && bar->IsVisible()) row.push_back(i);
  }
  return row;
}

CControlBar* SECDockBar::GetPrevBarInRow(int nPos) const {
  for (int i = nPos - 1; i > 0 && m_arrBars[i] != nullptr; --i) {
    if (CControlBar* bar = GetDockedControlBar(i)) return bar;
  }
  return nullptr;
}

CControlBar* SECDockBar::GetNextBarInRow(int nPos) const {
  for (int i = nPos + 1; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) {
    if (CControlBar* bar = GetDockedControlBar(i)) return bar;
  }
  return nullptr;
}

CControlBar* SECDockBar::GetNextVisibleBarInRow(int nPos) const {
  for (int i = nPos + 1; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (bar && bar->IsVisible()) return bar;
  }
  return nullptr;
}

void SECDockBar::GetRowBars(std::vector<CControlBar*>& list, CControlBar* pBar) {
  list.clear();
  const int pos = FindBar(pBar);
  if (pos < 0) return;
  for (int i = pos - 1; i > 0 && m_arrBars[i] != nullptr; --i) {
    if (CControlBar* bar = GetDockedControlBar(i)) list.push_back(bar);
  }
  list.push_back(pBar);
  for (int i = pos + 1; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) {
    if (CControlBar* bar = GetDockedControlBar(i)) list.push_back(bar);
  }
}

BOOL SECDockBar::IsBarExpanded(CControlBar* pBar) {
  std::vector<CControlBar*> row;
  GetRowBars(row, pBar);
  int above = 0;
  bool barAbove = false;
  for (CControlBar* bar : row) {
    if (!bar->IsVisible() || share_of(bar) <= m_fMinShare) continue;
    ++above;
    if (bar == pBar) barAbove = true;
  }
  return above <= 1 && barAbove;
}

BOOL SECDockBar::IsBarAloneInRow(CControlBar* pBar) {
  if (!pBar) return FALSE;
  std::vector<CControlBar*> row;
  GetRowBars(row, pBar);
  if (row.size() == 1) return TRUE;
  return std::none_of(row.begin(), row.end(), [&](CControlBar* bar) { return bar != pBar && bar->IsVisible(); });
}

void SECDockBar::UpdateMinShare() {
  CRect client;
  GetClientRect(&client);
  int length = IsHorz() ? client.Width() : client.Height();
  // Before its first placement the dock bar measures the length it is offered.
  if (length <= 0 && m_bInSizeParent) length = IsHorz() ? m_rectLayout.Width() : m_rectLayout.Height();
  m_fMinShare = dock::MinShare(length);
}

float SECDockBar::AddShare(float amount, CControlBar* pBar) {
  SECControlBar* sec = as_sec(pBar);
  if (!sec) return amount;
  return dock::AddShare(sec->m_fPctWidth, amount, m_fMinShare);
}

void SECDockBar::NormalizeRow(int nFirst, CControlBar* pChanged, int& nProportional, int& nFixed) {
  UpdateMinShare();
  const std::vector<int> row = VisibleRow(nFirst);
  std::vector<dock::RowShare> shares;
  int changed = -1;
  for (int pos : row) {
    CControlBar* bar = GetDockedControlBar(pos);
    if (bar == pChanged) changed = int(shares.size());
    shares.push_back({share_of(bar), fixed_size(bar)});
  }
  const dock::NormalizeResult counts = dock::NormalizeRow(shares, changed, m_fMinShare);
  nProportional = counts.proportional;
  nFixed = counts.fixed;
  for (size_t i = 0; i < row.size(); ++i) {
    if (SECControlBar* sec = as_sec(GetDockedControlBar(row[i]))) sec->m_fPctWidth = shares[i].share;
  }
}

void SECDockBar::ExpandBar(CControlBar* pBar, int nMode) {
  std::vector<CControlBar*> row;
  GetRowBars(row, pBar);
  for (CControlBar* bar : row) {
    SECControlBar* sec = as_sec(bar);
    if (!sec) continue;
    sec->m_fPctWidth = nMode == 1 ? (bar == pBar ? 1.0f : 0.0f) : 0.1f;
  }
  const int pos = FindBar(pBar);
  if (pos < 0) return;
  int p = 0, f = 0;
  NormalizeRow(RowStart(pos), pBar, p, f);
  m_pChangedBar = pBar;
  MarkRowsForRepaint(RowStart(pos));
  if (auto* frame = dynamic_cast<CFrameWnd*>(GetParent())) frame->DelayRecalcLayout();
}

// --- Repainting ---------------------------------------------------------------------------------

void SECDockBar::AddPending(CControlBar* pBar) {
  if (pBar) m_pending.push_back(pBar);
}

void SECDockBar::ForgetPendingBar(CControlBar* pBar) { std::erase(m_pending, pBar); }

void SECDockBar::MarkRowsForRepaint(int nPos) {
  const bool forward = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) != 0;
  const int from = forward ? nPos : 0, to = forward ? m_arrBars.GetSize() : nPos;
  for (int i = from; i < to; ++i) AddPending(GetDockedControlBar(i));
}

void SECDockBar::RedrawPendingBars() {
  m_bRepaint = TRUE;
  if (!m_pending.empty()) RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  m_bRepaint = FALSE;
}

void SECDockBar::DoPaint(CDC* pDC) {
  for (const auto& separator : m_separators) separator->Draw(pDC);
  for (const auto& splitter : m_splitters) splitter->Draw(pDC);
  // Bars moved without redrawing are repainted here, in one pass after the layout.
  for (CControlBar* bar : m_pending) {
    if (FindBar(bar) >= 0 && bar->m_hWnd) {
      bar->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | (m_bRepaint ? RDW_UPDATENOW : 0));
    }
  }
  m_pending.clear();
  m_bRearranged = FALSE;
  CDockBar::DoPaint(pDC);
}

// --- Docking --------------------------------------------------------------------------------------

CRect SECDockBar::ClientRectOf(CControlBar* pBar) const {
  CRect r;
  pBar->GetWindowRect(&r);
  ScreenToClient(&r);
  return r;
}

void SECDockBar::TakeOverBar(CControlBar* pBar) {
  if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)) m_dwStyle |= CBRS_FLOAT_MULTI;
  m_dwStyle = (m_dwStyle & ~DWORD(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) | (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
  if (!(m_dwStyle & CBRS_FLOAT_MULTI) && pBar->m_hWnd) {
    CString title;
    pBar->GetWindowText(title);
    SetWindowText(title);
  }
  // A docked bar is bordered on every side; its drawing decides which lines show.
  pBar->m_dwStyle = (pBar->m_dwStyle & ~DWORD(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY |
                    (m_bFloating ? CBRS_FLOATING : 0);
}

void SECDockBar::FinishDocking(CControlBar* pBar, CDockBar* pOld, int nPosExclude) {
  if (pBar->GetParent() != this) pBar->SetParent(this);
  if (pOld == this) {
    RemoveControlBar(pBar, nPosExclude);
  } else if (pOld) {
    const BOOL gone = pOld->RemoveControlBar(pBar, -1, m_bFloating && !pOld->m_bFloating ? 1 : 0);
    // A floating frame the bar left keeps no place for it: left empty, it goes.
    if (!gone && pOld->m_bFloating) {
      pOld->RemovePlaceHolder(pBar);
      if (pOld->m_hWnd && dynamic_cast<SECDockBar*>(pOld)) pOld->PostMessage(WM_SECDOCK_DESTROYFRAME);
    }
  }
  pBar->m_pDockBar = this;
  RemovePlaceHolder(pBar);
  m_bRearranged = TRUE;
  if (auto* frame = dynamic_cast<CFrameWnd*>(GetParent()); frame && !::IsWindowBeingDestroyed(frame->m_hWnd)) {
    frame->DelayRecalcLayout();
  }
}

int SECDockBar::AppendRow(CControlBar* pBar) {
  if (m_arrBars.GetSize() == 0) m_arrBars.Add(nullptr);
  if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr) m_arrBars.Add(nullptr);
  const int pos = int(m_arrBars.GetSize());
  m_arrBars.Add(pBar);
  m_arrBars.Add(nullptr);
  return pos;
}

void SECDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (!pBar || pBar == this) return;
  const int current = FindBar(pBar);
  if (current >= 0 && pBar->m_hWnd) {
    CRect now;
    pBar->GetWindowRect(&now);
    const SECControlBar* sec = as_sec(pBar);
    if (sec && (sec->m_dwExStyle & BAREX_FIXED_SIZE)) {
      if (!lpRect || now == *lpRect) return;
    } else if (lpRect) {
      if (now == *lpRect) return;
      CRect wanted(*lpRect);
      ScreenToClient(&wanted);
      const int pos = FindInsertPosition(pBar, wanted, wanted.CenterPoint());
      if (pos == current || pos == current + 1) return;
    }
  }
  CDockBar* old = pBar->m_pDockBar;
  if (old && old->m_hWnd && pBar->m_hWnd) {
    CRect was;
    pBar->GetWindowRect(&was);
    old->ScreenToClient(&was);
    old->InvalidateRect(&was);
  }
  TakeOverBar(pBar);
  int pos;
  int exclude;
  if (lpRect) {
    CRect wanted(*lpRect);
    ScreenToClient(&wanted);
    pos = InsertBarAtPoint(pBar, wanted, wanted.CenterPoint());
    exclude = pos;
    if (pBar->GetParent() != this) pBar->SetParent(this);
    pBar->SetWindowPos(nullptr, wanted.left, wanted.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  } else {
    pos = AppendRow(pBar);
    exclude = -1;
    if (pBar->GetParent() != this) pBar->SetParent(this);
    pBar->SetWindowPos(nullptr, -secData().cxBorder, -secData().cyBorder, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  AddPending(pBar);
  FinishDocking(pBar, old, exclude);
}

void SECDockBar::AttachBar(CControlBar* pBar, const SECDockBarInsertRecord& rec) {
  if (!pBar || pBar == this) return;
  CDockBar* old = pBar->m_pDockBar;
  TakeOverBar(pBar);
  const int pos = InsertBar(pBar, rec);
  FinishDocking(pBar, old, pos);
}

void SECDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (!pBar || pBar == this || !pBar->m_hWnd) return;
  const int current = FindBar(pBar);
  if (current >= 0) {
    CRect now;
    pBar->GetWindowRect(&now);
    if (!lpRect || now == *lpRect) return;
  }
  CDockBar* old = pBar->m_pDockBar;
  TakeOverBar(pBar);
  const int placeholder = FindPlaceHolder(UINT(pBar->GetDlgCtrlID()));
  int pos;
  if (placeholder >= 0) {
    m_arrBars[placeholder] = pBar;
    pos = placeholder;
  } else if (lpRect) {
    CRect wanted(*lpRect);
    ScreenToClient(&wanted);
    pos = InsertBarAtPoint(pBar, wanted, wanted.CenterPoint());
  } else {
    pos = AppendRow(pBar);
  }
  if (pBar->GetParent() != this) pBar->SetParent(this);
  const bool visible = pBar->IsWindowVisible() != FALSE;
  const UINT hide = visible ? SWP_HIDEWINDOW : 0;
  if (lpRect) {
    CRect wanted(*lpRect);
    ScreenToClient(&wanted);
    pBar->SetWindowPos(nullptr, wanted.left, wanted.top, wanted.Width() + 1, wanted.Height(), SWP_NOZORDER | SWP_NOACTIVATE | hide);
  } else {
    pBar->SetWindowPos(nullptr, -secData().cxBorder, -secData().cyBorder, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | hide);
  }
  if (visible) pBar->DelayShow(TRUE);
  FinishDocking(pBar, old, pos);
  m_pChangedBar = pBar;
}

// --- Insertion --------------------------------------------------------------------------------------

int SECDockBar::InsertBarAt(int nPos, CControlBar* pBar) {
  nPos = std::clamp(nPos, 1, int(m_arrBars.GetSize()));
  m_arrBars.InsertAt(nPos, pBar);
  auto bar_at = [&](int i) { return i > 0 && i < m_arrBars.GetSize() ? GetDockedControlBar(i) : nullptr; };
  auto own_row = [](CControlBar* bar) {
    const SECControlBar* sec = as_sec(bar);
    return sec && (sec->m_dwExStyle & BAREX_OWN_ROW);
  };
  const bool own = own_row(pBar);
  CControlBar* next = bar_at(nPos + 1);
  CControlBar* prev = bar_at(nPos - 1);
  if (next && (own || own_row(next))) m_arrBars.InsertAt(nPos + 1, nullptr);
  if (prev && (own || own_row(prev))) {
    m_arrBars.InsertAt(nPos, nullptr);
    ++nPos;
  }
  // The array always ends with a row end.
  if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr) m_arrBars.Add(nullptr);
  return nPos;
}

int SECDockBar::InsertFirstRow(CControlBar* pBar) {
  if (!pBar) return -1;
  if (m_arrBars.GetSize() == 0) m_arrBars.Add(nullptr);
  for (int i = 1; i < m_arrBars.GetSize(); ++i) {
    if (m_arrBars[i] == nullptr) continue;
    m_arrBars.InsertAt(i, pBar);
    m_arrBars.InsertAt(i + 1, nullptr);
    return i;
  }
  // Only row ends: the bar is the one row.
  return AppendRow(pBar);
}

int SECDockBar::InsertBar(CControlBar* pBar, const SECDockBarInsertRecord& rec) {
  if (!pBar) return -1;
  AddPending(pBar);
  const std::vector<RowSpan> rows = RowSpans();
  if (rows.empty()) return AppendRow(pBar);
  const int count = int(rows.size());
  const int index = (rec.m_dwFlags & SECDOCK_ROWS_FROM_END) ? count - 1 + rec.m_nRow : rec.m_nRow;
  // Before the first row or after the last: a new row there.
  if (index < 0) return InsertFirstRow(pBar);
  if (index >= count) return AppendRow(pBar);
  const RowSpan& row = rows[size_t(index)];
  if (rec.m_dwFlags & SECDOCK_NEW_ROW) {
    m_arrBars.InsertAt(row.first, pBar);
    m_arrBars.InsertAt(row.first + 1, nullptr);
    return row.first;
  }
  auto visible_bar = [&](int i) {
    CControlBar* bar = GetDockedControlBar(i);
    return bar && bar != pBar && bar->IsVisible();
  };
  int pos = row.first;
  if (rec.m_dwFlags & SECDOCK_COLS_FROM_END) {
    pos = row.end;
    int passed = 0;
    for (int i = row.end - 1; i >= row.first && passed < rec.m_nCol; --i) {
      if (!visible_bar(i)) continue;
      pos = i;
      ++passed;
    }
  } else if (rec.m_nCol > 0) {
    pos = row.end;
    int passed = 0;
    for (int i = row.first; i < row.end; ++i) {
      if (visible_bar(i) && ++passed == rec.m_nCol) {
        pos = i + 1;
        break;
      }
    }
  }
  AddPending(GetDockedControlBar(pos));
  return InsertBarAt(pos, pBar);
}

int SECDockBar::InsertBarAtPoint(CControlBar* pBar, const CRect& rect, CPoint mid) {
  AddPending(pBar);
  const bool horz = IsHorz();
  for (const RowSpan& row : RowSpans()) {
    for (int i = row.first; i < row.end; ++i) {
      CControlBar* bar = GetDockedControlBar(i);
      if (!bar || bar == pBar || !bar->m_hWnd || !bar->IsVisible()) continue;
      const CRect placed = ClientRectOf(bar);
      if ((horz ? placed.bottom : placed.right) < (horz ? mid.y : mid.x)) break;  // a later row
      if ((horz ? mid.y : mid.x) < (horz ? placed.top : placed.left)) {
        // Between this row and the one before it (or before the first): a new row here.
        m_arrBars.InsertAt(row.first, pBar);
        m_arrBars.InsertAt(row.first + 1, nullptr);
        MarkRowsForRepaint(row.first);
        m_bRearranged = TRUE;
        return row.first;
      }
      if ((horz ? rect.left : rect.top) < (horz ? placed.left : placed.top)) {
        MarkRowsForRepaint(i);
        return InsertBarAt(i, pBar);
      }
      bool later = false;
      for (int j = i + 1; j < row.end && !later; ++j) {
        CControlBar* next = GetDockedControlBar(j);
        later = next && next != pBar && next->m_hWnd && next->IsVisible();
      }
      if (!later) {
        MarkRowsForRepaint(i);
        return InsertBarAt(row.end, pBar);
      }
    }
  }
  const int pos = AppendRow(pBar);
  MarkRowsForRepaint(pos);
  m_bRearranged = TRUE;
  return pos;
}

int SECDockBar::FindInsertPosition(CControlBar* pBar, const CRect& rect, CPoint mid) const {
  const bool horz = IsHorz();
  const int border = secData().cyBorder;
  int total = 0;
  for (const RowSpan& row : RowSpans()) {
    int thickness = 0;
    int before = row.first - 1;
    for (int i = row.first; i < row.end; ++i) {
      CControlBar* bar = GetDockedControlBar(i);
      if (!bar || !bar->m_hWnd || !bar->IsVisible()) continue;
      const CRect placed = ClientRectOf(bar);
      thickness = std::max(thickness, int(horz ? placed.Height() : placed.Width()));
      if (bar != pBar && (horz ? placed.left : placed.top) < (horz ? rect.left : rect.top)) before = i;
    }
    if (thickness == 0) continue;
    total += thickness - border;
    if (total > (horz ? mid.y : mid.x)) return before + 1;
  }
  return int(m_arrBars.GetSize());
}

CRect SECDockBar::CalcTrackRect(CControlBar* pBar, const CRect& rect, CPoint mouse, int& nLastPos, CRect& rectLast,
                                CPoint& ptLast) {
  const bool horz = IsHorz();
  CRect inClient(rect);
  ScreenToClient(&inClient);
  int pos = FindInsertPosition(pBar, inClient, inClient.CenterPoint());
  int first = -1;
  std::vector<CControlBar*> others;
  bool draggedInRow = false;
  if (pos < m_arrBars.GetSize()) {
    first = RowStart(std::max(1, pos));
    for (int i = first; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) {
      CControlBar* bar = GetDockedControlBar(i);
      if (!bar || !bar->m_hWnd || !bar->IsVisible()) continue;
      if (bar == pBar) {
        draggedInRow = true;
      } else {
        others.push_back(bar);
      }
    }
  }
  CRect outline(rect);
  const SECControlBar* sec = as_sec(pBar);
  if (!others.empty() && first == nLastPos) {
    outline = rectLast;
    outline.OffsetRect(mouse - ptLast);
  } else if (sec && (sec->m_dwExStyle & BAREX_FIXED_SIZE)) {
    // A toolbar keeps its own shape.
  } else if (others.empty()) {
    CRect window;
    GetWindowRect(&window);
    if (horz) {
      outline.left = window.left;
      outline.right = window.right;
    } else {
      outline.top = window.top;
      outline.bottom = window.bottom;
    }
  } else if (sec && !draggedInRow) {
    float sum = 0.0f;
    int thickness = 0;
    auto thickness_of = [&](CControlBar* bar) {
      const CSize size = MeasureBar(bar, -1, 0);
      return int(horz ? size.cy : size.cx);
    };
    for (CControlBar* bar : others) {
      if (!as_sec(bar)) continue;
      sum += share_of(bar);
      thickness = std::max(thickness, thickness_of(bar));
    }
    if (sum > 0.0f) {
      thickness = std::max(thickness, thickness_of(pBar));
      CRect window;
      GetWindowRect(&window);
      const float own = sec->m_fPctWidth;
      const int target = int(own / (sum + own) * float(horz ? window.Width() : window.Height()));
      // Shortened around the mouse, in proportion to where it lies along (and across) the outline.
      auto shorten = [](LONG& start, LONG& end, int wanted, int at) {
        const int length = end - start;
        const int excess = length - wanted;
        if (length <= 0 || excess == 0) return;
        const double fraction = std::clamp(double(at - start) / length, 0.0, 1.0);
        start += LONG(fraction * excess);
        end -= LONG((1.0 - fraction) * excess);
      };
      if (horz) {
        shorten(outline.left, outline.right, target, mouse.x);
        shorten(outline.top, outline.bottom, thickness, mouse.y);
      } else {
        shorten(outline.top, outline.bottom, target, mouse.y);
        shorten(outline.left, outline.right, thickness, mouse.x);
      }
    }
  }
  nLastPos = first;
  rectLast = outline;
  ptLast = mouse;
  return outline;
}

BOOL SECDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int) {
  const int pos = FindBar(pBar, nPosExclude);
  if (pos < 0) return FALSE;
  if (IsBarAloneInRow(pBar)) {
    MarkRowsForRepaint(pos);
    m_bRearranged = TRUE;
  }
  const UINT id = pBar->m_hWnd ? UINT(pBar->GetDlgCtrlID()) : 0;
  const int older = id ? FindPlaceHolder(id) : -1;
  if (id && id <= 0xFFFF && older < 0) {
    m_arrBars[pos] = PlaceHolder(id);
  } else {
    // Its placeholder already stands elsewhere (or it has none): the entry goes, and its row end
    // with it when the row is left with nothing.
    m_arrBars.RemoveAt(pos);
    if (pos < m_arrBars.GetSize() && m_arrBars[pos] == nullptr && m_arrBars[pos - 1] == nullptr) m_arrBars.RemoveAt(pos);
  }
  if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
  if (m_pChangedBar == pBar) m_pChangedBar = nullptr;
  ForgetPendingBar(pBar);
  if (!pBar->m_pDockContext) return FALSE;
  if (m_bFloating) {
    if (GetDockedVisibleCount() > 0) return FALSE;
    CWnd* frame = GetParent();
    if (!frame) return FALSE;
    const bool keeps = std::any_of(m_arrBars.begin(), m_arrBars.end(), [](void* e) { return e != nullptr; });
    if (!keeps) {
      // The frame's own handlers may be on the stack (a drag that started in it): it goes once
      // they have returned.
      frame->ShowWindow(SW_HIDE);
      PostMessage(WM_SECDOCK_DESTROYFRAME);
      return TRUE;
    }
    frame->ShowWindow(SW_HIDE);
  } else if (auto* frame = dynamic_cast<CFrameWnd*>(GetParent())) {
    if (!::IsWindowBeingDestroyed(frame->m_hWnd)) frame->DelayRecalcLayout();
  }
  return FALSE;
}

LRESULT SECDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  // Bars are moved without redrawing only when this dock bar rearranged them (it repaints them
  // itself then); otherwise they redraw as they move.
  const BOOL noRedraw = SECLayoutNoRedraw;
  if (noRedraw) SECLayoutNoRedraw = m_bRearranged;
  const LRESULT result = CDockBar::OnSizeParent(wParam, lParam);
  SECLayoutNoRedraw = noRedraw;
  return result;
}

void SECDockBar::MoveBarWindow(AFX_SIZEPARENTPARAMS* layout, CWnd* pWnd, const CRect& rect, UINT nFlags) {
  if (!layout || !layout->hDWP || !pWnd || !pWnd->m_hWnd) return;
  CRect now;
  pWnd->GetWindowRect(&now);
  if (CWnd* parent = pWnd->GetParent()) parent->ScreenToClient(&now);
  if (now == rect) return;
  ::SetWindowPos(pWnd->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 nFlags | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SECDockBar::MoveInLayout(AFX_SIZEPARENTPARAMS* layout, const CRect& rect) {
  CRect now;
  GetWindowRect(&now);
  if (CWnd* parent = GetParent()) parent->ScreenToClient(&now);
  MoveBarWindow(layout, this, rect, dock::SizeParentMoveFlags(now, rect, IsHorz() != FALSE, SECLayoutNoRedraw != FALSE));
}

LRESULT SECDockBar::OnDestroyEmptyFrame(WPARAM, LPARAM) {
  DestroyEmptyFloatingFrame();
  return 0;
}

void SECDockBar::DestroyEmptyFloatingFrame() {
  // A bar docked here since the request keeps the frame.
  const bool keeps = std::any_of(m_arrBars.begin(), m_arrBars.end(), [](void* e) { return e != nullptr; });
  if (!m_bFloating || keeps) return;
  if (CWnd* frame = GetParent()) frame->DestroyWindow();
}

// --- Layout ---------------------------------------------------------------------------------------

DWORD SECDockBar::MeasureMode(CControlBar* pBar) const {
  if (m_bFloating && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)) return LM_HORZ | LM_MRUWIDTH;
  return IsHorz() ? LM_HORZDOCK | LM_HORZ : LM_VERTDOCK | LM_LENGTHY;
}

CSize SECDockBar::MeasureBar(CControlBar* pBar, int nLength, DWORD nExtra) const {
  return pBar->CalcDynamicLayout(nLength, MeasureMode(pBar) | nExtra);
}

int SECDockBar::GetRowThickness(int nFirst) const {
  int thickness = 0;
  for (int i = nFirst; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (!bar) continue;
    const CSize size = MeasureBar(bar, -1, 0);
    thickness = std::max(thickness, int(IsHorz() ? size.cy : size.cx));
  }
  return thickness;
}

SECDockSplitter* SECDockBar::AddSplitter(int nKind, int nOrientation, const CRect& rect, int nIndex) {
  if (m_bLayoutQuery) return nullptr;
  for (auto& s : m_splitters) {
    if (!s->m_bInUse && s->m_rect == rect && s->m_nKind == nKind) {
      s->m_bInUse = TRUE;
      s->m_nIndex = nIndex;
      return s.get();
    }
  }
  auto made = std::make_unique<SECDockSplitter>();
  made->m_nKind = nKind;
  made->m_nOrientation = nOrientation;
  made->m_rect = rect;
  made->m_nIndex = nIndex;
  made->m_bInUse = TRUE;
  m_splitters.push_back(std::move(made));
  return m_splitters.back().get();
}

void SECDockBar::AddSeparator(int nOrientation, const CRect& rect) {
  if (m_bLayoutQuery) return;
  for (auto& s : m_separators) {
    if (!s->m_bInUse && s->m_rect == rect) {
      s->m_bInUse = TRUE;
      return;
    }
  }
  auto made = std::make_unique<SECDockSeparator>();
  made->m_nOrientation = nOrientation;
  made->m_rect = rect;
  made->m_bInUse = TRUE;
  m_separators.push_back(std::move(made));
}

CSize SECDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  const BOOL query = m_bLayoutQuery;
  if (!query) {
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
      CControlBar* bar = GetDockedControlBar(i);
      if (bar && (bar->m_nStateFlags & (delayShow | delayHide))) {
        bar->ShowWindow((bar->m_nStateFlags & delayShow) ? SW_SHOWNA : SW_HIDE);
        bar->m_nStateFlags &= ~UINT(delayShow | delayHide);
      }
    }
    for (auto& s : m_splitters) s->m_bInUse = FALSE;
    for (auto& s : m_separators) s->m_bInUse = FALSE;
  }
  CSize avail;
  if (m_bInSizeParent) {
    avail = m_rectLayout.Size();
  } else if (CWnd* parent = GetParent()) {
    CRect client;
    parent->GetClientRect(&client);
    avail = client.Size();
  }
  const bool horz = IsHorz();
  const int length = horz ? avail.cx : avail.cy;
  const int gap = secData().bWin4 ? 2 : 1;
  const DWORD side = m_dwStyle & CBRS_ALIGN_ANY;
  const bool opensWithSplitter = (side & (CBRS_ALIGN_BOTTOM | CBRS_ALIGN_RIGHT)) != 0;
  auto make_rect = [&](int along, int cross, int alongLen, int crossLen) {
    return horz ? CRect(along, cross, along + alongLen, cross + crossLen) : CRect(cross, along, cross + crossLen, along + alongLen);
  };
  // Every bar moves in one batch at the end of the layout.
  HDWP batch = query ? nullptr : BeginDeferWindowPos(int(m_arrBars.GetSize()));
  int cross = -2;
  int extent = 0;
  bool previousProportional = false;
  int longest = 0;
  bool anyRow = false;
  int repaintFrom = -1;
  for (const RowSpan& span : RowSpans()) {
    const std::vector<int> row = VisibleRow(span.first);
    if (row.empty()) continue;
    int proportional = 0, fixed = 0;
    NormalizeRow(span.first, m_pChangedBar, proportional, fixed);
    const int count = int(row.size());
    std::vector<CSize> sizes;
    int thickness = 0;
    for (int pos : row) {
      CControlBar* bar = GetDockedControlBar(pos);
      CSize size;
      if (proportional > 0 && !fixed_size(bar)) {
        const int wanted = m_bFloating ? int(horz ? MeasureBar(bar, -1, 0).cx : MeasureBar(bar, -1, 0).cy)
                                       : length - dock::kSplitterSize * (count - 1);
        const DWORD lengthBit = horz ? 0 : LM_LENGTHY;
        size = bar->CalcDynamicLayout(wanted, (MeasureMode(bar) & ~LM_LENGTHY) | lengthBit | LM_STRETCH | (query ? 0 : LM_COMMIT));
        if (m_bFloating) size = MeasureBar(bar, -1, 0);
      } else {
        size = MeasureBar(bar, -1, 0);
      }
      sizes.push_back(size);
      thickness = std::max(thickness, int(horz ? size.cy : size.cx));
    }
    const bool firstRow = !anyRow;
    anyRow = true;
    // The row's spacing: flat toolbars sit one pixel from the edges and touch their neighbours.
    const bool flatRow = std::any_of(row.begin(), row.end(), [&](int pos) { return flat_toolbar(GetDockedControlBar(pos)); });
    const int rowGap = std::all_of(row.begin(), row.end(), [&](int pos) { return flat_toolbar(GetDockedControlBar(pos)); })
                           ? 0
                           : gap;
    if (firstRow && flatRow) cross = proportional > 0 ? -3 : -1;
    if (!firstRow && flatRow && previousProportional && proportional == 0) cross += 1;
    previousProportional = proportional > 0 && !m_bFloating;
    std::vector<CRect> placed(row.size());
    if (proportional == 0 || m_bFloating) {
      int along = flat_toolbar(GetDockedControlBar(row.front())) ? -1 : -2;
      for (int i = 0; i < count; ++i) {
        CControlBar* bar = GetDockedControlBar(row[size_t(i)]);
        if (SECControlBar* sec = as_sec(bar)) sec->m_dwExStyle |= BAREX_FIXED_ROW;
        const int barLength = horz ? sizes[size_t(i)].cx : sizes[size_t(i)].cy;
        int start = along;
        if (start + barLength > length) start = std::max(along, length - barLength);
        placed[size_t(i)] = make_rect(start, cross, barLength, horz ? sizes[size_t(i)].cy : sizes[size_t(i)].cx);
        along = start + barLength - rowGap;
      }
      longest = std::max(longest, along + rowGap);
      extent = cross + thickness;
      cross += thickness - rowGap;
    } else {
      if (firstRow && opensWithSplitter) cross += 1;
      // The opening line: a separator, or a row splitter on a bottom or right dock bar.
      if (opensWithSplitter) {
        AddSplitter(0, horz ? 0 : 1, make_rect(0, cross, length, dock::kSplitterSize), span.first);
        cross += dock::kSplitterSize;
      } else {
        AddSeparator(horz ? 0 : 1, make_rect(0, cross, length, dock::kSeparatorSize));
        cross += dock::kSeparatorSize;
      }
      std::vector<int> lengths;
      for (int i = 0; i < count; ++i) {
        CControlBar* bar = GetDockedControlBar(row[size_t(i)]);
        if (SECControlBar* sec = as_sec(bar)) sec->m_dwExStyle &= ~BAREX_FIXED_ROW;
        if (!query) bar->CalcDynamicLayout(thickness, (MeasureMode(bar) ^ LM_LENGTHY) | LM_COMMIT);
        lengths.push_back(horz ? sizes[size_t(i)].cx : sizes[size_t(i)].cy);
      }
      CControlBar* last = GetDockedControlBar(row.back());
      const dock::RowPlacement p = dock::PlaceRow(length, -2 + rowGap + 1, lengths, fixed_size(last));
      for (int i = 0; i < count; ++i) {
        placed[size_t(i)] = make_rect(p.start[size_t(i)], cross, p.length[size_t(i)], thickness);
        if (i + 1 < count) {
          AddSplitter(1, horz ? 1 : 0, make_rect(p.splitter[size_t(i)], cross, dock::kSplitterSize, thickness), row[size_t(i)]);
        }
      }
      if (!query && !fixed_size(last)) {
        last->CalcDynamicLayout(p.length.back(), MeasureMode(last) | LM_COMMIT);
      }
      cross += thickness;
      if (opensWithSplitter) {
        AddSeparator(horz ? 0 : 1, make_rect(0, cross, length, dock::kSeparatorSize));
        cross += dock::kSeparatorSize;
      } else {
        AddSplitter(0, horz ? 0 : 1, make_rect(0, cross, length, dock::kSplitterSize), span.first);
        cross += dock::kSplitterSize;
      }
      extent = cross;
      longest = std::max(longest, length);
    }
    if (!query) {
      for (int i = 0; i < count; ++i) {
        CControlBar* bar = GetDockedControlBar(row[size_t(i)]);
        CRect now;
        bar->GetWindowRect(&now);
        ScreenToClient(&now);
        if (now == placed[size_t(i)]) continue;
        if (!m_bFloating && bar->m_pDockContext) {
          // The place the bar goes back to when it docks again after floating.
          bar->m_pDockContext->m_rectMRUDockPos = placed[size_t(i)];
          const UINT id = UINT(GetDlgCtrlID());
          if (id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM) bar->m_pDockContext->m_uMRUDockID = id;
        }
        const bool resized = now.Size() != placed[size_t(i)].Size();
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (resized ? 0 : SWP_NOSIZE) | (SECLayoutNoRedraw ? SWP_NOREDRAW : 0);
        batch = DeferWindowPos(batch, bar->m_hWnd, nullptr, placed[size_t(i)].left, placed[size_t(i)].top,
                               placed[size_t(i)].Width(), placed[size_t(i)].Height(), flags);
        if (resized) {
          AddPending(bar);
          if ((horz ? now.Width() : now.Height()) != (horz ? placed[size_t(i)].Width() : placed[size_t(i)].Height()) &&
              repaintFrom < 0) {
            repaintFrom = row[size_t(i)];
          }
        }
      }
    }
  }
  if (!query) {
    EndDeferWindowPos(batch);
    std::erase_if(m_splitters, [](const auto& s) { return !s->m_bInUse; });
    std::erase_if(m_separators, [](const auto& s) { return !s->m_bInUse; });
    if (repaintFrom >= 0) MarkRowsForRepaint(repaintFrom);
    for (auto& s : m_splitters) GetSplitterLimits(s.get());
    m_pChangedBar = nullptr;
    Invalidate();
  }
  const int thicknessTotal = anyRow ? std::max(0, extent) : 0;
  CSize result = horz ? CSize(bStretch ? 32767 : longest, thicknessTotal) : CSize(thicknessTotal, bStretch ? 32767 : longest);
  if (m_bFloating) result = horz ? CSize(longest, thicknessTotal) : CSize(thicknessTotal, longest);
  (void)bHorz;
  return result;
}

// --- Splitters ------------------------------------------------------------------------------------

void SECDockBar::GetSplitterLimits(SECDockSplitter* pSplitter) {
  if (!pSplitter) return;
  const bool vertical = pSplitter->IsVertical();
  CRect client;
  GetClientRect(&client);
  if (pSplitter->m_nKind == 1) {
    const int first = RowStart(pSplitter->m_nIndex);
    int before = 0, after = 0;
    for (int i = first; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) {
      if (!GetDockedControlBar(i)) continue;
      (i <= pSplitter->m_nIndex ? before : after) += 1;
    }
    pSplitter->m_limits = dock::BetweenBarsLimits(vertical ? client.left : client.top, vertical ? client.right : client.bottom,
                                                  before, after);
    return;
  }
  // A row splitter keeps part of its row and of the free area of the frame this dock bar lays out
  // in (a floating frame's own, or the main frame's).
  const int thickness = GetRowThickness(pSplitter->m_nIndex);
  CRect free = client;
  if (auto* frame = dynamic_cast<CFrameWnd*>(GetParent())) {
    frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &free, nullptr, TRUE);
    frame->ClientToScreen(&free);
    ScreenToClient(&free);
  }
  const CRect& r = pSplitter->m_rect;
  const DWORD side = m_dwStyle & CBRS_ALIGN_ANY;
  if (side & CBRS_ALIGN_TOP) {
    pSplitter->m_limits = {int(r.top) - thickness + kRowKeep, std::max(int(free.bottom) - kRowKeep, int(r.bottom))};
  } else if (side & CBRS_ALIGN_BOTTOM) {
    pSplitter->m_limits = {std::min(int(free.top) + kRowKeep, int(r.top)), int(r.top) + thickness - kRowKeep};
  } else if (side & CBRS_ALIGN_LEFT) {
    pSplitter->m_limits = {int(r.left) - thickness + kRowKeep, std::max(int(free.right) - kRowKeep, int(r.right))};
  } else {
    pSplitter->m_limits = {std::min(int(free.left) + kRowKeep, int(r.left)), int(r.left) + thickness - kRowKeep};
  }
  // The upper limit bounds the strip's far edge.
  pSplitter->m_limits.upper = std::max(pSplitter->m_limits.upper, pSplitter->m_limits.lower + dock::kSplitterSize);
}

SECDockSplitter* SECDockBar::SplitterAt(CPoint point) const {
  for (const auto& s : m_splitters) {
    if (s->m_rect.PtInRect(point)) return s.get();
  }
  return nullptr;
}

int SECDockBar::TrackSplitter(SECDockSplitter* pSplitter, CPoint point) {
  if (!pSplitter || ::GetCapture()) return 0;
  GetSplitterLimits(pSplitter);
  const bool vertical = pSplitter->IsVertical();
  const int startEdge = vertical ? pSplitter->m_rect.left : pSplitter->m_rect.top;
  const int offset = (vertical ? point.x : point.y) - startEdge;
  SetCapture();
  UpdateWindow();
  framework::DragOutline outline;
  CRect strip = pSplitter->m_rect;
  auto show = [&](const CRect& r) {
    CRect narrowed = r;
    if (vertical) {
      narrowed.DeflateRect(1, 0);
    } else {
      narrowed.DeflateRect(0, 1);
    }
    ClientToScreen(&narrowed);
    outline.Draw(narrowed, CSize(2, 2), true);
  };
  show(strip);
  bool done = false, cancelled = false;
  MSG msg;
  while (!done && ::GetMessage(&msg, nullptr, 0, 0)) {
    if (::GetCapture() != m_hWnd) {
      // The mouse went to another window: nothing of the drag is applied.
      cancelled = true;
      break;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) {
          cancelled = done = true;
        }
        break;
      case WM_RBUTTONDOWN:
        cancelled = done = true;
        break;
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        CPoint at(short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam)));
        if (msg.hwnd != m_hWnd) {
          ::ClientToScreen(msg.hwnd, &at);
          ScreenToClient(&at);
        }
        const int edge = dock::ClampSplitter((vertical ? at.x : at.y) - offset, pSplitter->m_limits);
        if (vertical) {
          strip.MoveToX(edge);
        } else {
          strip.MoveToY(edge);
        }
        show(strip);
        if (msg.message == WM_LBUTTONUP) done = true;
        break;
      }
      default:
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
        break;
    }
  }
  outline.Remove();
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (cancelled) return 0;
  return (vertical ? strip.left : strip.top) - startEdge;
}

void SECDockBar::ResizeRow(int nFirst, int nDelta) {
  for (int i = nFirst; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (!bar) continue;
    const CSize size = MeasureBar(bar, -1, 0);
    const int thickness = IsHorz() ? size.cy : size.cx;
    bar->CalcDynamicLayout(std::max(0, thickness - nDelta), (MeasureMode(bar) ^ LM_LENGTHY) | LM_COMMIT);
  }
}

void SECDockBar::MoveSplitter(SECDockSplitter* pSplitter, int nDistance) {
  if (!pSplitter || nDistance == 0) return;
  m_bRearranged = TRUE;
  const int first = RowStart(pSplitter->m_nIndex);
  for (int i = first; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) AddPending(GetDockedControlBar(i));
  if (pSplitter->m_nKind == 0) {
    const bool leading = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) != 0;
    ResizeRow(first, leading ? -nDistance : nDistance);
    return;
  }
  const std::vector<int> row = VisibleRow(first);
  CRect window;
  GetWindowRect(&window);
  const int rowSize = (IsHorz() ? window.Width() : window.Height()) - dock::kSplitterSize * std::max(0, int(row.size()) - 1);
  UpdateMinShare();
  std::vector<int> lengths;
  std::vector<float> shares;
  int before = -1;
  for (size_t i = 0; i < row.size(); ++i) {
    CControlBar* bar = GetDockedControlBar(row[i]);
    const CSize size = bar->CalcDynamicLayout(-1, IsHorz() ? LM_HORZDOCK | LM_HORZ : LM_VERTDOCK | LM_LENGTHY);
    lengths.push_back(IsHorz() ? size.cx : size.cy);
    shares.push_back(share_of(bar));
    if (row[i] == pSplitter->m_nIndex) before = int(i);
  }
  if (before < 0) return;
  dock::MoveBetweenBars(lengths, shares, before, nDistance, rowSize, m_fMinShare);
  for (size_t i = 0; i < row.size(); ++i) {
    CControlBar* bar = GetDockedControlBar(row[i]);
    if (SECControlBar* sec = as_sec(bar)) sec->m_fPctWidth = shares[i];
    bar->CalcDynamicLayout(lengths[i], (IsHorz() ? LM_HORZDOCK | LM_HORZ : LM_VERTDOCK | LM_LENGTHY) | LM_COMMIT);
  }
}

BOOL SECDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (SECDockSplitter* s = SplitterAt(point)) {
      HCURSOR cursor = s->IsVertical() ? secData().hcurSplitVert : secData().hcurSplitHorz;
      ::SetCursor(cursor ? cursor : secData().hcurArrow);
      return TRUE;
    }
    ::SetCursor(secData().hcurArrow);
    return TRUE;
  }
  return CDockBar::OnSetCursor(pWnd, nHitTest, message);
}

void SECDockBar::OnLButtonDown(UINT nFlags, CPoint point) {
  SECDockSplitter* splitter = SplitterAt(point);
  if (!splitter) {
    CDockBar::OnLButtonDown(nFlags, point);
    return;
  }
  const int distance = TrackSplitter(splitter, point);
  if (distance == 0) return;
  MoveSplitter(splitter, distance);
  if (auto* frame = dynamic_cast<CFrameWnd*>(GetParent())) frame->DelayRecalcLayout();
}
