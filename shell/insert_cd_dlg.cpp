#include "shell/insert_cd_dlg.h"

#include "platform/base/cp1250.h"
#include "platform/framework/data_exchange.h"
#include "resources/app_ids.h"

namespace {
// The folder field asks for a repaint of itself with this notification code.
constexpr UINT kFolderRepaint = 1024;
}  // namespace

BEGIN_MESSAGE_MAP(CInsertCDDlg, CGSDialog)
  ON_CONTROL(BN_CLICKED, resources::IDC_INSERT_CD_OLD_STYLE, &CInsertCDDlg::OnOldStyle)
  ON_CONTROL(kFolderRepaint, resources::IDC_INSERT_CD_FOLDER, &CInsertCDDlg::OnFolderRepaint)
  ON_CONTROL(BN_CLICKED, resources::IDC_INSERT_CD_OK, &CInsertCDDlg::OnAccept)
  ON_CONTROL(BN_CLICKED, resources::IDC_INSERT_CD_CANCEL, &CInsertCDDlg::OnBreak)
END_MESSAGE_MAP()

CInsertCDDlg::CInsertCDDlg(CWnd* pParentWnd) : CGSDialog(resources::IDD_INSERT_CD, pParentWnd) {}

BOOL CInsertCDDlg::OnInitDialog() {
  m_wndFolder.AttachDlgItem(resources::IDC_INSERT_CD_FOLDER, this);
  CGSDialog::OnInitDialog();
  SetDefID(resources::IDC_INSERT_CD_OK);
  m_wndFolder.SetWindowText(m_strFolder);
  return TRUE;
}

void CInsertCDDlg::DoDataExchange(CDataExchange* pDX) {
  CGSDialog::DoDataExchange(pDX);
  DDX_Control(pDX, resources::IDC_INSERT_CD_OK, m_btnOk);
  DDX_Control(pDX, resources::IDC_INSERT_CD_CANCEL, m_btnBreak);
  DDX_Control(pDX, resources::IDC_INSERT_CD_OLD_STYLE, m_btnOldStyle);
  DDX_Check(pDX, resources::IDC_INSERT_CD_OLD_STYLE, m_nOldStyle);
  DDX_Text(pDX, resources::IDC_INSERT_CD_FOLDER, m_strFolder);
  m_wndFolder.SetTitle(CString(base::cp1250::from_utf8("Wybór katalogu")));
  m_wndFolder.SetMode(m_nOldStyle ? 1 : 0);
}

void CInsertCDDlg::OnOldStyle() { UpdateData(TRUE); }

void CInsertCDDlg::OnFolderRepaint() {
  CRect rect;
  m_wndFolder.GetWindowRect(&rect);
  ScreenToClient(&rect);
  RedrawWindow(&rect, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CInsertCDDlg::OnOK() {
  m_wndFolder.GetWindowText(m_strFolder);
  CGSDialog::OnOK();
}

void CInsertCDDlg::OnAccept() { OnOK(); }

void CInsertCDDlg::OnBreak() { EndDialog(IDCANCEL); }
