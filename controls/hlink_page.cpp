#include "controls/hlink_page.h"

#include "controls/hlink_ctrl.h"
#include "resources/controls_ids.h"

IMPLEMENT_DYNCREATE(CHLinkPage, CGSPropertyPage)

CHLinkPage::CHLinkPage() : CGSPropertyPage(resources::IDD_HLINK_PAGE) {}

CHLinkPage::~CHLinkPage() = default;

BOOL CHLinkPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  if (m_pLink && m_pLink->m_hWnd) {
    CString text;
    m_pLink->GetWindowText(text);
    SetDlgItemText(resources::IDC_HLINK_TEXT, text);
    SetDlgItemText(resources::IDC_HLINK_ADDRESS, m_pLink->GetURL());
  }
  return TRUE;
}
