#include "controls/dir_dialog.h"

#include "platform/framework/prompter.h"
#include "resources/controls_ids.h"

IMPLEMENT_DYNAMIC(CDirDialog, CFileDialog)

CDirDialog::CDirDialog(const CString& strInitialFolder, const CString& strTitle, CWnd* pParentWnd)
    : CFileDialog(FALSE, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLETEMPLATE, nullptr,
                  pParentWnd),
      m_strInitialFolder(strInitialFolder),
      m_strTitle(strTitle) {
  m_ofn.Flags &= ~OFN_EXPLORER;
  m_ofn.nTemplateId = resources::IDD_DIR_DIALOG;
  m_ofn.lpstrInitialDir = m_strInitialFolder;
  m_ofn.lpstrTitle = m_strTitle;
}

CDirDialog::~CDirDialog() = default;

INT_PTR CDirDialog::DoModal() {
  m_chosen.clear();
  CString folder = m_strInitialFolder;
  HWND owner = m_ofn.hwndOwner ? m_ofn.hwndOwner : OwnerWindow();
  if (!framework::prompter().choose_folder(owner, m_strTitle, folder) || folder.IsEmpty()) return IDCANCEL;
  folder.TrimRight("/");
  m_chosen.push_back(folder + "/" + kPlaceholderFile);
  return IDOK;
}
