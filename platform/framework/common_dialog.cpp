#include "platform/framework/common_dialog.h"

#include "platform/framework/app.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

HWND CCommonDialog::OwnerWindow() const {
  if (m_pParentWnd) return m_pParentWnd->GetSafeHwnd();
  CWnd* main = AfxGetMainWnd();
  return main ? main->GetSafeHwnd() : nullptr;
}
