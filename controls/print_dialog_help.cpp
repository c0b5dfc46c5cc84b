#include "controls/print_dialog_help.h"

#include "controls/base/context_help_request.h"
#include "platform/shell/services.h"
#include "platform/win/context_help.h"
#include "platform/win/cwnd.h"

namespace print_dialog_help {

bool AnswerContextMenu(CWnd& dialog, CWnd* pWnd, CPoint screen, bool skip_invisible) {
  CPoint client = screen;
  dialog.ScreenToClient(&client);
  if (client.x < 0 || client.y < 0) return false;
  HWND target = pWnd ? pWnd->m_hWnd : nullptr;
  if (!target || target == dialog.m_hWnd) {
    target = ::ChildWindowFromPointEx(dialog.m_hWnd, client, skip_invisible ? CWP_SKIPINVISIBLE : CWP_ALL);
  }
  if (!target) return false;
  DWORD help_id = GetWindowContextHelpId(target);
  if (help_id == 0) return false;
  context_help::show_control_help(target, UINT(::GetDlgCtrlID(target)), help_id, HELP_CONTEXTMENU);
  return true;
}

bool AnswerHelpInfo(const HELPINFO* info) {
  if (!info || info->iContextType != HELPINFO_WINDOW || info->dwContextId == 0) return false;
  if (!CWnd::FromHandlePermanent(info->hItemHandle)) return false;
  context_help::show_control_help(info->hItemHandle, UINT(info->iCtrlId), DWORD(info->dwContextId), HELP_WM_HELP);
  return true;
}

}  // namespace print_dialog_help
