#include "navigation/hints_dlg.h"

#include "navigation/query_rules.h"
#include "resources/app_ids.h"
#include "shell/lumo_app.h"

CHintsDlg::CHintsDlg(CWnd* pParent) : CGSDialog(resources::IDD_HINTS, pParent) {}

BOOL CHintsDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  CLumoApp* app = LumoApp();
  const int distance = app ? app->GetUserData().m_nNearDistance : 8;
  SetDlgItemText(resources::IDC_HINTS_NEAR, CString(findrules::NearHintText(distance)));
  CenterWindow();
  return TRUE;
}
