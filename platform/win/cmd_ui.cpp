#include "platform/win/cmd_ui.h"

#include "platform/win/cwnd.h"

void CCmdUI::Enable(BOOL bOn) {
  if (m_pOther) {
    // A control losing its enabled state while it has the focus hands the focus on first.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      if (CWnd* parent = m_pOther->GetParent()) parent->SetFocus();
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

// The buttons' set-check message (BM_SETCHECK of platform/framework/control_messages.h, a layer above).
constexpr UINT kButtonSetCheck = 0x00F1;

void CCmdUI::SetCheck(int nCheck) {
  // Only buttons (check boxes, radio buttons) carry a check; other controls ignore it.
  if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
    m_pOther->SendMessage(kButtonSetCheck, WPARAM(nCheck), 0);
}

void CCmdUI::SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }

void CCmdUI::SetText(LPCTSTR lpszText) {
  if (!m_pOther || !lpszText) return;
  // Only a real change repaints.
  CString current;
  m_pOther->GetWindowText(current);
  if (current.str() != lpszText) m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  // Separators and items without a command have nothing to update.
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF || !pTarget) return TRUE;
  m_bEnableChanged = FALSE;
  BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return handled;
}

void CTestCmdUI::Enable(BOOL bOn) {
  m_bEnabled = bOn;
  m_bEnableChanged = TRUE;
}

void CTestCmdUI::SetCheck(int nCheck) { m_nCheck = nCheck; }
void CTestCmdUI::SetRadio(BOOL bOn) { m_nCheck = bOn ? 1 : 0; }
void CTestCmdUI::SetText(LPCTSTR) { m_bTextSet = TRUE; }
