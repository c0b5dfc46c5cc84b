#include "platform/framework/mini_dock_frame.h"

#include <memory>

#include "platform/framework/dock_context.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
  ON_MESSAGE(WM_NCLBUTTONDOWN, &CMiniDockFrameWnd::OnNcLButtonDown)
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_BLOCKSYSMENU;
  // A bar of a fixed shape cannot be sized: its frame's edges move it like the caption.
  if (!(dwBarStyle & CBRS_SIZE_DYNAMIC)) style |= MFS_MOVEFRAME;
  if (!CMiniFrameWnd::Create(nullptr, nullptr, style, CRect(0, 0, 0, 0), pParent)) return FALSE;
  DWORD align = (dwBarStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
  // Made on the docking frame, so that it is among that frame's bars (its docking layout keeps
  // it), then moved into this frame.
  CWnd* site = pParent ? pParent : this;
  if (!m_wndDockBar.Create(site, align | (dwBarStyle & CBRS_FLOAT_MULTI), AFX_IDW_DOCKBAR_FLOAT)) return FALSE;
  if (site != this) m_wndDockBar.SetParent(this);
  m_wndDockBar.m_dwStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
  return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const {
  const CDockBar* dock = GetFloatDockBar();
  for (int i = 0; i < dock->m_arrBars.GetSize(); ++i) {
    if (CControlBar* bar = dock->GetDockedControlBar(i)) return bar;
  }
  return nullptr;
}

CDockBar* CMiniDockFrameWnd::GetFloatDockBar() const {
  if (m_hWnd) {
    HWND child = ::GetDlgItem(m_hWnd, int(AFX_IDW_DOCKBAR_FLOAT));
    if (auto* dock = dynamic_cast<CDockBar*>(CWnd::FromHandlePermanent(child))) return dock;
  }
  return const_cast<CDockBar*>(&m_wndDockBar);
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  CDockBar* dock = GetFloatDockBar();
  if (!dock->m_hWnd) return CMiniFrameWnd::RecalcLayout(bNotify);
  // The bars' own extent (not stretched), then the window around that client size.
  CSize size = dock->RowsExtent();
  CRect window;
  GetWindowRect(&window);
  CRect client;
  GetClientRect(&client);
  int cx = int(size.cx) + window.Width() - client.Width();
  int cy = int(size.cy) + window.Height() - client.Height();
  if (cx != window.Width() || cy != window.Height()) {
    SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CMiniFrameWnd::RecalcLayout(bNotify);
  // The caption names the bar.
  CString title;
  if (CControlBar* bar = GetFirstBar()) bar->GetWindowText(title);
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}

LRESULT CMiniDockFrameWnd::OnNcLButtonDown(WPARAM wParam, LPARAM lParam) {
  int hit = int(wParam);
  CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  CControlBar* bar = GetFirstBar();
  bool single = !(GetFloatDockBar()->m_dwStyle & CBRS_FLOAT_MULTI);
  bool sizing = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
  if (bar && bar->m_pDockContext && single && (hit == HTCAPTION || sizing)) {
    // The main frame stays the active window (the caption shows active along with it), and the
    // floating frame stays above it.
    if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER)) ::SetActiveWindow(owner);
    BringWindowToTop();
    if (hit == HTCAPTION) {
      bar->m_pDockContext->StartDrag(point);
    } else {
      bar->m_pDockContext->StartResize(hit, point);
    }
    return 0;
  }
  return CMiniFrameWnd::OnNcLButtonDown(wParam, lParam);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  CControlBar* bar = GetFirstBar();
  if (nHitTest == HTCAPTION && bar && bar->m_pDockContext && !(GetFloatDockBar()->m_dwStyle & CBRS_FLOAT_MULTI)) {
    if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER)) ::SetActiveWindow(owner);
    bar->m_pDockContext->ToggleDocking();
    return;
  }
  CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CMiniDockFrameWnd::OnClose() { GetFloatDockBar()->ShowAll(FALSE); }

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
  const CRuntimeClass* kind = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
  std::unique_ptr<CObject> made = kind->CreateObject();
  auto* floating = dynamic_cast<CMiniDockFrameWnd*>(made.get());
  if (!floating) return nullptr;
  // The frame ends itself when its window goes.
  made.release();
  if (floating->Create(this, dwStyle)) return floating;
  if (framework::frame_alive(floating)) {
    if (floating->m_hWnd) {
      floating->DestroyWindow();
    } else {
      std::unique_ptr<CMiniDockFrameWnd> unmade(floating);
    }
  }
  return nullptr;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (!pBar) return;
  // A bar already floating alone only has its frame moved.
  CDockBar* dock = pBar->m_pDockBar;
  if (dock && dock->m_bFloating && dock->GetDockedCount() == 1) {
    CWnd* floating = dock->GetParent();
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // Dynamic bars float lined up horizontally, and their frame can be sized.
  if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC;
  if (!(dwStyle & CBRS_ALIGN_ANY)) dwStyle |= CBRS_ALIGN_TOP;
  CMiniDockFrameWnd* floating = CreateFloatingFrame(dwStyle);
  if (!floating) return;
  floating->GetFloatDockBar()->DockControlBar(pBar);
  floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  floating->RecalcLayout();
  if (pBar->IsVisible()) {
    floating->ShowWindow(SW_SHOWNA);
    floating->UpdateWindow();
  }
  RecalcLayout();
}
