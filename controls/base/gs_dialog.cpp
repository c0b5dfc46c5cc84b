#include "controls/base/gs_dialog.h"

#include "controls/base/context_help_request.h"
#include "platform/shell/services.h"
#include "platform/win/context_help.h"

BEGIN_MESSAGE_MAP(CGSDialog, CDialog)
  ON_WM_HELPINFO()
  ON_WM_CONTEXTMENU()
  ON_MESSAGE(WM_HELPHITTEST, &CGSDialog::OnHelpHitTest)
END_MESSAGE_MAP()

CGSDialog::CGSDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

CGSDialog::~CGSDialog() = default;

BOOL CGSDialog::OnHelpInfo(HELPINFO* pHelpInfo) {
  if (pHelpInfo && pHelpInfo->iContextType == HELPINFO_WINDOW) {
    context_help::show_control_help(pHelpInfo->hItemHandle, context_help::help_request_control(*pHelpInfo),
                                DWORD(pHelpInfo->dwContextId), HELP_WM_HELP);
  }
  return TRUE;
}

void CGSDialog::OnContextMenu(CWnd* pWnd, CPoint point) {
  HWND about = pWnd ? pWnd->m_hWnd : nullptr;
  const bool keyboard = point.x == -1 && point.y == -1;
  CPoint client = point;
  ScreenToClient(&client);
  // The context-menu key over the dialog itself, or a click outside the client area, names no
  // control.
  if (keyboard ? (!about || about == m_hWnd) : (client.x < 0 || client.y < 0)) {
    Default();
    return;
  }
  HWND target = keyboard ? about : context_help::context_menu_target(m_hWnd, about, point);
  if (!target) return;
  context_help::show_window_help(about, target, HELP_CONTEXTMENU);
}

LRESULT CGSDialog::OnHelpHitTest(WPARAM, LPARAM lParam) {
  return context_help::answer_help_hit_test(m_hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                                            m_nIDHelp != 0);
}
