#include "controls/base/context_help_request.h"

#include "platform/framework/app.h"
#include "platform/shell/services.h"
#include "platform/win/context_help.h"
#include "platform/win/cwnd.h"

namespace context_help {
namespace {

// The help mode's answer when the window has shown its help itself.
constexpr LRESULT kHelpShown = -2;

}  // namespace

BOOL show_control_help(HWND owner, UINT control_id, DWORD context_id, UINT command) {
  // The help engine reads an id table that ends with a zero control id; one entry is asked for.
  const DWORD ids[] = {DWORD(control_id), context_id, 0, 0};
  const CWinApp* app = AfxGetApp();
  CString help_file = app ? app->m_pszHelpFilePath : CString();
  return shell::WinHelp(owner, help_file, command, reinterpret_cast<UINT_PTR>(ids));
}

BOOL show_window_help(HWND owner, HWND window, UINT command) {
  return show_control_help(owner, UINT(::GetDlgCtrlID(window)), GetWindowContextHelpId(window), command);
}

LRESULT answer_help_hit_test(HWND self, POINT client, bool has_help) {
  HWND target = window_at(self, client);
  if (!target) target = self;
  if (!has_help) return 0;
  show_window_help(target, target, HELP_WM_HELP);
  return kHelpShown;
}

UINT help_request_control(const HELPINFO& info) {
  if (CWnd* item = CWnd::FromHandlePermanent(info.hItemHandle)) return UINT(item->GetDlgCtrlID());
  return UINT(info.iCtrlId);
}

HWND window_at(HWND self, POINT client) { return ::ChildWindowFromPoint(self, client); }

HWND context_menu_target(HWND self, HWND about, POINT screen) {
  if (about != self) return about;
  POINT client = screen;
  ::ScreenToClient(self, &client);
  return window_at(self, client);
}

}  // namespace context_help
