// The library locator's prompt: the library was not found, and the user names the folder of the
// library CD or of its copy on disk. The folder field has a browse button; "Old Style" chooses the
// older folder chooser for it.
#pragma once

#include "controls/base/gs_dialog.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/browse_edit.h"

class CInsertCDDlg : public CGSDialog {
 public:
  explicit CInsertCDDlg(CWnd* pParentWnd = nullptr);

  // The folder shown when the dialog opens, and the one chosen after OK.
  CString m_strFolder;
  // The state of "Old Style": 1 the older folder chooser.
  int m_nOldStyle = 0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

  afx_msg void OnOldStyle();
  afx_msg void OnFolderRepaint();
  afx_msg void OnAccept();
  afx_msg void OnBreak();

  SECBrowseDirEdit m_wndFolder;
  CButton m_btnOk;
  CButton m_btnBreak;
  CButton m_btnOldStyle;

  DECLARE_MESSAGE_MAP()
};
