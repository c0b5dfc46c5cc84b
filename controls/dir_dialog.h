// CDirDialog: the file chooser reduced to choosing a folder, for the folder field when the shell's
// folder browser is not wanted. The question is the prompter's folder question, started in the
// given folder and titled with the given title; the answer comes back as the chooser's own does,
// a file path inside the chosen folder (the placeholder file name "Junk", which the old-style
// chooser put in its hidden file-name field), so the caller takes the folder by cutting the path
// before its file part.
#pragma once

#include "platform/framework/file_dialog.h"

class CDirDialog : public CFileDialog {
  DECLARE_DYNAMIC(CDirDialog)

 public:
  CDirDialog(const CString& strInitialFolder, const CString& strTitle, CWnd* pParentWnd = nullptr);
  ~CDirDialog() override;

  // IDOK with the chosen folder, IDCANCEL when the user gave none.
  INT_PTR DoModal() override;

  static constexpr const char* kPlaceholderFile = "Junk";

 private:
  CString m_strInitialFolder;
  CString m_strTitle;
};
