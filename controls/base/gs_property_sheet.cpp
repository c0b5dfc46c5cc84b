#include "controls/base/gs_property_sheet.h"

#include "controls/base/context_help_request.h"
#include "platform/shell/services.h"

IMPLEMENT_DYNAMIC(CGSPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CGSPropertySheet, CPropertySheet)
  ON_WM_HELPINFO()
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CGSPropertySheet::CGSPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {}

CGSPropertySheet::CGSPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {}

CGSPropertySheet::~CGSPropertySheet() = default;

BOOL CGSPropertySheet::OnInitDialog() {
  ModifyStyleEx(0, WS_EX_CONTEXTHELP);
  return CPropertySheet::OnInitDialog();
}

BOOL CGSPropertySheet::OnHelpInfo(HELPINFO* pHelpInfo) {
  if (pHelpInfo && pHelpInfo->iContextType == HELPINFO_WINDOW) {
    UINT control = context_help::help_request_control(*pHelpInfo);
    context_help::show_control_help(pHelpInfo->hItemHandle, control, context_help::sheet_help_id(control), HELP_WM_HELP);
  }
  return TRUE;
}

void CGSPropertySheet::OnContextMenu(CWnd* pWnd, CPoint point) {
  if (Default() != 1) return;
  HWND about = pWnd ? pWnd->m_hWnd : nullptr;
  HWND target = context_help::context_menu_target(m_hWnd, about, point);
  if (!target) return;
  UINT control = UINT(::GetDlgCtrlID(target));
  context_help::show_control_help(about, control, context_help::sheet_help_id(control), HELP_CONTEXTMENU);
}
