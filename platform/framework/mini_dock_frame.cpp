#include "platform/framework/mini_dock_frame.h"

#include <memory>

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  if (!CMiniFrameWnd::Create(nullptr, nullptr, WS_POPUP | WS_CAPTION | MFS_MOVEFRAME, CRect(0, 0, 0, 0),
                             pParent)) {
    return FALSE;
  }
  return m_wndDockBar.Create(this, dwBarStyle & CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_FLOAT);
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  if (!m_wndDockBar.m_hWnd) return CMiniFrameWnd::RecalcLayout(bNotify);
  // The bars' own extent (not stretched), then the window around that client size.
  CSize size = m_wndDockBar.RowsExtent();
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
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (!pBar) return;
  // A bar already floating alone only has its frame moved.
  CDockBar* dock = pBar->m_pDockBar;
  if (dock && dock->GetDlgCtrlID() == int(AFX_IDW_DOCKBAR_FLOAT) && dock->GetDockedCount() == 1) {
    CWnd* floating = dock->GetParent();
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // Dynamic bars float lined up horizontally.
  if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) dwStyle = CBRS_ALIGN_TOP;
  if (!(dwStyle & CBRS_ALIGN_ANY)) dwStyle |= CBRS_ALIGN_TOP;
  // The frame ends itself when its window goes.
  auto owned = std::make_unique<CMiniDockFrameWnd>();
  if (!owned->Create(this, dwStyle)) return;
  CMiniDockFrameWnd* floating = owned.release();
  floating->m_wndDockBar.DockControlBar(pBar);
  floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  floating->RecalcLayout();
  if (pBar->IsVisible()) {
    floating->ShowWindow(SW_SHOWNA);
    floating->UpdateWindow();
  }
  RecalcLayout();
}
