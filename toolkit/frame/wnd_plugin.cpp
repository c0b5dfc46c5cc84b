#include "toolkit/frame/wnd_plugin.h"

IMPLEMENT_DYNCREATE(SECWndPlugIn, CWnd)

SECWndPlugIn::~SECWndPlugIn() {
  // The handle is the host's: the window part must not destroy it.
  m_hWnd = nullptr;
  if (m_hWndOwn && ::IsWindow(m_hWndOwn)) ::DestroyWindow(m_hWndOwn);
  m_hWndOwn = nullptr;
}

BOOL SECWndPlugIn::CreateOwnWindow(DWORD dwExStyle, CWnd* pOwner, UINT nID, LPVOID lpParam) {
  if (m_bPluggedIn || m_hWnd || m_hWndOwn) return FALSE;
  if (!CreateEx(dwExStyle, AFX_WND_CLASS, "", SEC_PLUGIN_WINDOW_STYLE, CRect(0, 0, 0, 0), pOwner, nID, lpParam)) {
    return FALSE;
  }
  // The window keeps only the default processing: the object goes on to borrow its host's handle,
  // so nothing may reach it through this one.
  m_hWndOwn = Detach();
  return m_hWndOwn != nullptr;
}

BOOL SECWndPlugIn::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (!m_bPluggedIn) return FALSE;
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL SECWndPlugIn::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (!m_bPluggedIn) return FALSE;
  m_bExitDefault = FALSE;
  m_bCallDefault = FALSE;
  const BOOL handled = CWnd::OnWndMsg(message, wParam, lParam, pResult);
  if (m_bResultOverride) {
    m_bResultOverride = FALSE;
    if (pResult) *pResult = m_lResultOverride;
  }
  return handled;
}

LRESULT SECWndPlugIn::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Its own window while it is being made gets the default processing.
  if (!m_bPluggedIn && m_hWnd) return CWnd::DefWindowProc(message, wParam, lParam);
  if (!m_bPluggedIn || !m_bCallDefault) return 0;
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void SECWndPlugIn::SetWndMsgResult(LRESULT lResult) {
  m_bResultOverride = TRUE;
  m_lResultOverride = lResult;
}

BOOL SECWndPlugIn::PlugInTo(CWnd* pWnd) {
  if (!pWnd) return FALSE;
  m_hWnd = pWnd->m_hWnd;
  m_bPluggedIn = TRUE;
  return TRUE;
}

void SECWndPlugIn::UnPlug() {
  m_bPluggedIn = FALSE;
  m_hWnd = nullptr;
}
