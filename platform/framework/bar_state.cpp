// Capturing and applying a frame's docking layout (dock_state.h): what each bar and dock bar puts
// into its record and takes back from it, and the frame's calls around them.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/framework/dock_bar.h"
#include "platform/framework/dock_context.h"
#include "platform/framework/dock_state.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_dock_frame.h"
#include "platform/win/system_metrics.h"

// --- Bars -----------------------------------------------------------------------------------------------

void CControlBar::GetBarInfo(CControlBarInfo* pInfo) {
  if (!pInfo) return;
  pInfo->m_pBar = this;
  pInfo->m_nBarID = m_hWnd ? UINT(GetDlgCtrlID()) : 0;
  pInfo->m_bVisible = IsVisible();
  pInfo->m_nMRUWidth = m_nMRUWidth;
  if (m_pDockBar && m_hWnd) {
    CRect rect;
    GetWindowRect(&rect);
    m_pDockBar->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
  }
  pInfo->m_bDocking = m_pDockContext != nullptr;
  if (m_pDockContext) {
    pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
    pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
    pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
    pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
  }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*) {
  if (!pInfo || !m_hWnd) return;
  m_nMRUWidth = pInfo->m_nMRUWidth;
  if (pInfo->m_bDocking && m_pDockContext) {
    m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
    m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
    m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
    m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
  }
  if (m_pDockBar && (pInfo->m_pointPos.x != -1 || pInfo->m_pointPos.y != -1)) {
    m_pDockBar->SetBarPlace(this, pInfo->m_pointPos);
    SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Shown or hidden with the next layout, which gives or takes its room.
  DelayShow(pInfo->m_bVisible);
}

// --- Dock bars ------------------------------------------------------------------------------------------

void CDockBar::GetBarInfo(CControlBarInfo* pInfo) {
  if (!pInfo) return;
  pInfo->m_pBar = this;
  pInfo->m_bDockBar = TRUE;
  pInfo->m_nBarID = m_hWnd ? UINT(GetDlgCtrlID()) : 0;
  pInfo->m_bFloating = m_bFloating;
  pInfo->m_bHorz = IsHorz();
  pInfo->m_bVisible = IsVisible();
  if (m_bFloating && m_hWnd) {
    // Where the floating frame's client area (which this dock bar fills) starts on the screen.
    CRect rect;
    GetWindowRect(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    if (CWnd* frame = GetParent()) pInfo->m_bVisible = frame->IsWindowVisible();
  }
  pInfo->m_arrBarID.RemoveAll();
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    void* entry = m_arrBars[i];
    if (!entry) {
      pInfo->m_arrBarID.Add(0);
    } else if (IsPlaceHolder(entry)) {
      pInfo->m_arrBarID.Add(DWORD(reinterpret_cast<std::uintptr_t>(entry)) | CControlBarInfo::kPlaceHolderFlag);
    } else {
      // A bar without an id of its own could not be found again.
      UINT id = UINT(static_cast<CControlBar*>(entry)->GetDlgCtrlID());
      if (id != 0 && id <= 0xFFFF) pInfo->m_arrBarID.Add(id);
    }
  }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  if (!pInfo || !m_hWnd) return;
  std::vector<CControlBar*> before;
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    if (CControlBar* bar = GetDockedControlBar(i)) before.push_back(bar);
  }
  m_arrBars.RemoveAll();
  m_arrBars.Add(nullptr);
  auto end_row = [this] {
    if (m_arrBars[m_arrBars.GetSize() - 1]) m_arrBars.Add(nullptr);
  };
  for (DWORD id : pInfo->m_arrBarID) {
    if (id == 0) {
      end_row();
    } else if (id & CControlBarInfo::kPlaceHolderFlag) {
      UINT bar_id = UINT(id & 0xFFFF);
      if (bar_id != 0 && FindPlaceHolder(bar_id) < 0) m_arrBars.Add(PlaceHolder(bar_id));
    } else {
      CControlBar* bar = pFrameWnd && id <= 0xFFFF ? pFrameWnd->GetControlBar(UINT(id)) : nullptr;
      if (!bar || bar->IsKindOf(RUNTIME_CLASS(CDockBar)) || FindBar(bar) >= 0) continue;
      m_arrBars.Add(bar);
      // Into this window first: a floating frame the bar leaves may go when it is empty.
      if (bar->GetParent() != this) bar->SetParent(this);
      CDockBar* old = bar->m_pDockBar;
      if (old && old != this) old->RemoveControlBar(bar);
      bar->m_pDockBar = this;
      bar->m_dwStyle = (bar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) |
                       (m_bFloating ? CBRS_FLOATING : 0);
    }
  }
  end_row();
  // Bars the record does not name stay, each in a row of its own at the end.
  for (CControlBar* bar : before) {
    if (bar->m_pDockBar != this || FindBar(bar) >= 0) continue;
    m_arrBars.Add(bar);
    m_arrBars.Add(nullptr);
  }
  for (auto it = m_along.begin(); it != m_along.end();) {
    it = FindBar(const_cast<CControlBar*>(it->first)) >= 0 ? std::next(it) : m_along.erase(it);
  }
}

void CDockBar::SetBarPlace(CControlBar* pBar, CPoint ptClient) {
  if (!pBar || m_bFloating || FindBar(pBar) < 0) return;
  m_along[pBar] = IsHorz() ? ptClient.x : ptClient.y;
}

// --- The frame ------------------------------------------------------------------------------------------

void CFrameWnd::GetDockState(CDockState& state) const {
  state.Clear();
  for (CControlBar* bar : m_listControlBars) {
    std::unique_ptr<CControlBarInfo> info = state.NewBarInfo();
    bar->GetBarInfo(info.get());
    state.m_arrBarInfo.Add(info.release());
  }
  state.SetScreenSize(CSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
}

void CFrameWnd::SetDockState(const CDockState& state) {
  // The bar of each record: a new floating frame's dock bar for a floating one, else the
  // frame's bar of that id.
  std::vector<CMiniDockFrameWnd*> made;
  for (CControlBarInfo* info : state.m_arrBarInfo) {
    info->m_pBar = nullptr;
    if (info->m_bFloating) {
      CMiniDockFrameWnd* floating = CreateFloatingFrame(info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
      if (!floating) continue;
      CRect rect(info->m_pointPos, CSize(10, 10));
      floating->CalcWindowRect(&rect);
      floating->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      info->m_pBar = floating->GetFloatDockBar();
      made.push_back(floating);
    } else if (info->m_nBarID != 0) {
      info->m_pBar = GetControlBar(info->m_nBarID);
    }
  }
  // The dock bars take their bars first, then every bar its own values.
  for (bool dock_bars : {true, false}) {
    for (CControlBarInfo* info : state.m_arrBarInfo) {
      CControlBar* bar = info->m_pBar;
      if (!bar || bar->IsKindOf(RUNTIME_CLASS(CDockBar)) != dock_bars) continue;
      bar->SetBarInfo(info, this);
    }
  }
  // The new floating frames around their bars, shown while one is visible; one left with
  // nothing goes.
  for (CMiniDockFrameWnd* floating : made) {
    if (!framework::frame_alive(floating) || !floating->m_hWnd) continue;
    CDockBar* dock = floating->GetFloatDockBar();
    bool empty = std::none_of(dock->m_arrBars.begin(), dock->m_arrBars.end(), [](void* e) { return e != nullptr; });
    if (empty) {
      floating->DestroyWindow();
      continue;
    }
    floating->RecalcLayout();
    if (dock->GetDockedVisibleCount() > 0) floating->ShowWindow(SW_SHOWNA);
  }
  RecalcLayout();
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName) {
  CDockState state;
  state.LoadState(lpszProfileName);
  SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const {
  CDockState state;
  GetDockState(state);
  state.SaveState(lpszProfileName);
}
