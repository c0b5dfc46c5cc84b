#include "toolkit/frame/sec_mini_dock_frame.h"

#include <memory>

#include "platform/framework/dock_context.h"
#include "platform/framework/menu.h"
#include "platform/res/resource_store.h"

IMPLEMENT_DYNCREATE(SECMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(SECMiniDockFrameWnd, CMiniDockFrameWnd)
  ON_MESSAGE(WM_NCLBUTTONDOWN, &SECMiniDockFrameWnd::OnNcLButtonDown)
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_PARENTNOTIFY()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

SECMiniDockFrameWnd::SECMiniDockFrameWnd() : m_wndSECDockBar(TRUE) {}

BOOL SECMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  m_bInRecalcLayout = TRUE;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
  if (!(dwBarStyle & CBRS_SIZE_DYNAMIC)) style |= MFS_MOVEFRAME;
  const BOOL made = CMiniFrameWnd::Create(nullptr, "", style, CRect(0, 0, 0, 0), pParent);
  m_bInRecalcLayout = FALSE;
  if (!made) return FALSE;
  m_frameStyle |= FWS_SNAPTOBARS;
  if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
    for (UINT item : {UINT(SC_SIZE), UINT(SC_MINIMIZE), UINT(SC_MAXIMIZE), UINT(SC_RESTORE)}) {
      ::DeleteMenu(menu, item, MF_BYCOMMAND);
    }
    CString hide;
    if (AfxLoadString(AFX_IDS_HIDE, hide) && !hide.IsEmpty()) {
      ::DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
      ::AppendMenu(menu, MF_STRING, SC_CLOSE, hide);
    }
  }
  const DWORD align = (dwBarStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
  // Made on the docking frame, among that frame's bars, then moved into this frame.
  CWnd* site = pParent ? pParent : this;
  if (!m_wndSECDockBar.Create(site, WS_CHILD | WS_VISIBLE | align | (dwBarStyle & CBRS_FLOAT_MULTI), AFX_IDW_DOCKBAR_FLOAT)) {
    return FALSE;
  }
  if (site != this) m_wndSECDockBar.SetParent(this);
  m_wndSECDockBar.m_dwStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
  return TRUE;
}

void SECMiniDockFrameWnd::ActivateOwner() {
  // The main frame stays the active window; the caption shows active along with it.
  if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER)) ::SetActiveWindow(owner);
}

void SECMiniDockFrameWnd::TakeTitle() {
  if (!m_wndSECDockBar.m_hWnd) return;
  CString title;
  m_wndSECDockBar.GetWindowText(title);
  if (title.GetLength() > 260) title = title.Left(260);
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}

void SECMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  if (m_frameStyle & FWS_SNAPTOBARS) {
    CRect window;
    GetWindowRect(&window);
    RecalcLayoutAt(window.TopLeft(), bNotify);
    return;
  }
  CFrameWnd::RecalcLayout(bNotify);
  TakeTitle();
}

void SECMiniDockFrameWnd::RecalcLayoutAt(CPoint point, BOOL) {
  if (m_bInRecalcLayout) return;
  m_nIdleFlags &= ~UINT(idleLayout | idleNotify);
  m_bInRecalcLayout = TRUE;
  if (m_frameStyle & FWS_SNAPTOBARS) {
    // The bars' own extent first, then laid out for real in it.
    CRect big(0, 0, 32767, 32767);
    CRect rest;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rest, &big, FALSE);
    CRect client(0, 0, 0, 0);
    if (m_wndSECDockBar.m_hWnd) {
      const CSize size = m_wndSECDockBar.CalcFixedLayout(FALSE, m_wndSECDockBar.IsHorz());
      client = CRect(CPoint(0, 0), size);
    }
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &client, FALSE);
    CRect window = client;
    CalcWindowRect(&window);
    SetWindowPos(nullptr, point.x, point.y, window.Width(), window.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
  } else {
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  }
  TakeTitle();
  m_bInRecalcLayout = FALSE;
}

LRESULT SECMiniDockFrameWnd::OnNcLButtonDown(WPARAM wParam, LPARAM lParam) {
  const int hit = int(wParam);
  const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  BringWindowToTop();
  CControlBar* bar = GetFirstBar();
  const bool single = !(m_wndSECDockBar.m_dwStyle & CBRS_FLOAT_MULTI);
  const bool sizing = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
  if (bar && bar->m_pDockContext && (hit == HTCAPTION || sizing) && (single || sizing)) {
    ActivateOwner();
    // The drag may dock the bar and end this frame: nothing of it is touched afterwards.
    if (hit == HTCAPTION) {
      bar->m_pDockContext->StartDrag(point);
    } else {
      bar->m_pDockContext->StartResize(hit, point);
    }
    return 0;
  }
  return CMiniDockFrameWnd::OnNcLButtonDown(wParam, lParam);
}

void SECMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint) {
  CControlBar* bar = GetFirstBar();
  if (nHitTest == HTCAPTION && bar && bar->m_pDockContext && !(m_wndSECDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
    ActivateOwner();
    // Docking the bar back may end this frame: nothing of it is touched afterwards.
    bar->m_pDockContext->ToggleDocking();
    return;
  }
  Default();
}

void SECMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM lParam) {
  if (LOWORD(message) == WM_LBUTTONDOWN) BringWindowToTop();
  CMiniDockFrameWnd::OnParentNotify(message, lParam);
}

void SECMiniDockFrameWnd::OnClose() { m_wndSECDockBar.ShowAll(FALSE); }
