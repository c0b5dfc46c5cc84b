#include "controls/print_dialog_help.h"

#include <string_view>

#include "controls/base/context_help_request.h"
#include "platform/framework/control_messages.h"
#include "platform/shell/services.h"
#include "platform/win/context_help.h"
#include "platform/win/cwnd.h"

namespace print_dialog_help {
namespace {

bool is_group_box(HWND h) {
  char name[16] = {};
  ::GetClassName(h, name, int(sizeof name));
  return std::string_view(name) == "Button" && (::GetWindowLongPtr(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The child under a client point: a control inside a group box before the box itself; null
// where there is none.
HWND child_at(HWND dialog, POINT client, bool skip_invisible) {
  HWND group = nullptr;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (skip_invisible && !(::GetWindowLongPtr(child, GWL_STYLE) & WS_VISIBLE)) continue;
    CRect r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    if (!r.PtInRect(client)) continue;
    if (!is_group_box(child)) return child;
    if (!group) group = child;
  }
  return group;
}

}  // namespace

bool AnswerContextMenu(CWnd& dialog, CWnd* pWnd, CPoint screen, bool skip_invisible) {
  CPoint client = screen;
  dialog.ScreenToClient(&client);
  if (client.x < 0 || client.y < 0) return false;
  HWND target = pWnd ? pWnd->m_hWnd : nullptr;
  if (!target || target == dialog.m_hWnd) {
    target = child_at(dialog.m_hWnd, client, skip_invisible);
    if (!target) target = dialog.m_hWnd;
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
