#include "controls/get_folder_control.h"

#include <algorithm>

#include "controls/dir_dialog.h"
#include "controls/modify_button_for_folder.h"
#include "platform/shell/folder_browser.h"
#include "platform/win/window_api.h"

IMPLEMENT_DYNAMIC(CGetFolderControl, CStatic)

BEGIN_MESSAGE_MAP(CGetFolderControl, CStatic)
  ON_WM_ENABLE()
END_MESSAGE_MAP()

namespace {

constexpr size_t kMaxPath = 260;

bool is_read_only_edit(HWND h) {
  char name[32] = "";
  ::GetClassName(h, name, int(sizeof name));
  return CString(name).CompareNoCase("Edit") == 0 && (::GetWindowLongPtr(h, GWL_STYLE) & ES_READONLY);
}

// The shell's browser starts in the field's folder.
int start_in_folder(HWND browser, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start) ::SendMessage(browser, BFFM_SETSELECTION, TRUE, start);
  return 0;
}

}  // namespace

namespace folder_field {

CString folder_of(const CString& path) {
  const int cut = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
  if (cut < 0) return path;
  return cut == 0 ? path.Left(1) : path.Left(cut);
}

}  // namespace folder_field

CGetFolderControl::CGetFolderControl() = default;

CGetFolderControl::~CGetFolderControl() = default;

BOOL CGetFolderControl::TakeOver(HWND h) {
  if (!h || !is_read_only_edit(h) || !SubclassWindow(h)) return FALSE;
  m_pButton = std::make_unique<CModifyButtonForFolder>(*this);
  if (!m_pButton->CreateBeside()) return FALSE;
  m_pButton->EnableWindow(IsWindowEnabled());
  return TRUE;
}

void CGetFolderControl::Browse() {
  CString path;
  GetWindowText(path);
  if (m_nBrowseOptions & kOldStyleDialog) {
    CDirDialog dialog(path, m_strBrowseTitle, GetParent());
    if (dialog.DoModal() == IDOK) SetWindowText(folder_field::folder_of(dialog.GetPathName()));
    return;
  }
  BROWSEINFO info;
  info.hwndOwner = m_hWnd;
  info.lpszTitle = m_strBrowseTitle;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = start_in_folder;
  info.lParam = reinterpret_cast<LPARAM>(static_cast<const char*>(path));
  LPITEMIDLIST chosen = SHBrowseForFolder(&info);
  if (!chosen) return;
  char folder[kMaxPath] = "";
  if (SHGetPathFromIDList(chosen, folder)) SetWindowText(folder);
  CoTaskMemFree(chosen);
}

void CGetFolderControl::OnEnable(BOOL bEnable) {
  CStatic::OnEnable(bEnable);
  if (m_pButton && m_pButton->m_hWnd) m_pButton->EnableWindow(bEnable);
}

void DDX_FolderControl(CDataExchange* pDX, int nIDC, CGetFolderControl& rControl, int nOptions,
                       const CString& strTitle) {
  if (!pDX->m_bSaveAndValidate && !rControl.m_hWnd) {
    HWND h = pDX->m_pDlgWnd ? ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (!rControl.TakeOver(h)) AfxThrowNotSupportedException();
  }
  rControl.m_nBrowseOptions = nOptions;
  rControl.m_strBrowseTitle = strTitle;
}
