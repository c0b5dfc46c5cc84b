// CGetFolderControl: a read-only field showing a folder path, with a "..." button beside it
// (CModifyButtonForFolder) that lets the user pick another folder. The path is the field's window
// text. The field takes over a read-only edit control of a dialog through DDX_FolderControl;
// disabling the field disables its button too.
#pragma once

#include <memory>

#include "platform/base/cstring.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/data_exchange.h"

class CModifyButtonForFolder;

class CGetFolderControl : public CStatic {
  DECLARE_DYNAMIC(CGetFolderControl)

 public:
  // Browse option: the old-style folder dialog (CDirDialog) instead of the shell's folder browser.
  static constexpr int kOldStyleDialog = 1;

  CGetFolderControl();
  ~CGetFolderControl() override;

  // Takes over the dialog control `h` (a read-only edit) and makes the browse button beside it.
  // FALSE when `h` is no read-only edit or cannot be taken over.
  BOOL TakeOver(HWND h);
  // Asks the user for a folder, starting from the field's path; a chosen folder becomes the
  // field's text, a cancelled question leaves it as it is.
  void Browse();

  CModifyButtonForFolder* GetBrowseButton() const { return m_pButton.get(); }

  int m_nBrowseOptions = 0;
  CString m_strBrowseTitle;

 protected:
  afx_msg void OnEnable(BOOL bEnable);
  DECLARE_MESSAGE_MAP()

 private:
  std::unique_ptr<CModifyButtonForFolder> m_pButton;
};

// The folder field of dialog control `nIDC`: on the first exchange that loads the dialog the
// control is taken over (a control that is no read-only edit throws CNotSupportedException);
// the options and title are kept at every exchange.
void DDX_FolderControl(CDataExchange* pDX, int nIDC, CGetFolderControl& rControl, int nOptions,
                       const CString& strTitle);

namespace folder_field {
// The folder part of a path: everything before its last separator ("/" stays "/"); a path
// without a separator is returned whole.
CString folder_of(const CString& path);
}  // namespace folder_field
