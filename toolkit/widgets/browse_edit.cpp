#include "toolkit/widgets/browse_edit.h"

#include <algorithm>
#include <cstring>

#include "platform/res/resource_store.h"
#include "platform/shell/folder_browser.h"
#include "platform/win/messages.h"
#include "platform/win/window_styles.h"
#include "resources/toolkit_ids.h"
#include "toolkit/frame/file_util.h"

IMPLEMENT_DYNAMIC(SECBrowseButton, CButton)
IMPLEMENT_DYNAMIC(SECBrowseEdit, CEdit)
IMPLEMENT_DYNAMIC(SECBrowseFileEdit, SECBrowseEdit)
IMPLEMENT_DYNAMIC(SECBrowseDirEdit, SECBrowseEdit)
IMPLEMENT_DYNAMIC(SECDirSelectDialog, CFileDialog)

namespace {

// The button is 25 pixels wide; the edit gives up one pixel more as a gap.
constexpr int kButtonWidth = 25;
constexpr int kEditShrink = 26;

UINT FreeControlId(HWND dialog) {
  for (UINT id = 0x7FFF; id > 0; --id) {
    if (!GetDlgItem(dialog, int(id))) return id;
  }
  return 0;
}

CString LoadText(UINT id) {
  CString text;
  AfxLoadString(id, text);
  return text;
}

BOOL IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

// --- Button ---------------------------------------------------------------------------------------

BOOL SECBrowseButton::Create(SECBrowseEdit* pEdit) {
  m_edit = pEdit;
  CWnd* dialog = pEdit->GetParent();
  if (!dialog) return FALSE;
  CRect r;
  pEdit->GetWindowRect(&r);
  dialog->ScreenToClient(&r);
  pEdit->SetWindowPos(nullptr, r.left, r.top, std::max(0, r.Width() - kEditShrink), r.Height(),
                      SWP_NOZORDER | SWP_NOACTIVATE);
  m_id = FreeControlId(dialog->m_hWnd);
  if (!CButton::Create("...", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(r.right - kButtonWidth, r.top, r.right, r.bottom),
                       dialog, m_id)) {
    return FALSE;
  }
  SetFont(pEdit->GetFont(), FALSE);
  SetWindowPos(pEdit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

BOOL SECBrowseButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND && LOWORD(wParam) == m_id && HIWORD(wParam) == BN_CLICKED) {
    if (m_edit) m_edit->OnBrowse();
    if (pResult) *pResult = 0;
    return TRUE;
  }
  return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

// --- Edit -----------------------------------------------------------------------------------------

SECBrowseEdit::SECBrowseEdit() = default;

SECBrowseEdit::~SECBrowseEdit() {
  if (m_button && m_button->m_hWnd) m_button->DestroyWindow();
}

BOOL SECBrowseEdit::AttachDlgItem(UINT nID, CWnd* pDialog) {
  if (!pDialog || !SubclassDlgItem(nID, pDialog)) return FALSE;
  m_button = std::make_unique<SECBrowseButton>();
  if (!m_button->Create(this)) {
    m_button.reset();
    return TRUE;
  }
  m_button->EnableWindow(IsWindowEnabled());
  // The edit's own shown state: a dialog being initialised is itself not shown yet.
  if (!(GetStyle() & WS_VISIBLE)) m_button->ShowWindow(SW_HIDE);
  return TRUE;
}

void SECBrowseEdit::OnBrowse() {}

LRESULT SECBrowseEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ENABLE: {
      LRESULT r = CEdit::WindowProc(message, wParam, lParam);
      if (m_button && m_button->m_hWnd) m_button->EnableWindow(BOOL(wParam));
      return r;
    }
    case WM_SHOWWINDOW: {
      LRESULT r = CEdit::WindowProc(message, wParam, lParam);
      if (m_button && m_button->m_hWnd) m_button->ShowWindow(wParam ? SW_SHOW : SW_HIDE);
      return r;
    }
    case WM_DESTROY:
      if (m_button && m_button->m_hWnd) m_button->DestroyWindow();
      return CEdit::WindowProc(message, wParam, lParam);
    default:
      return CEdit::WindowProc(message, wParam, lParam);
  }
}

BOOL SECBrowseEdit::IsDirectory(const CString& path) {
  CString p = path;
  while (p.GetLength() > 1 && IsSeparator(p[p.GetLength() - 1])) p = p.Left(p.GetLength() - 1);
  if (p.IsEmpty()) return FALSE;
  DWORD attributes = 0;
  return SECFileUtil::GetAttributes(p, attributes) && (attributes & 0x10) != 0;
}

// --- File edit ------------------------------------------------------------------------------------

SECBrowseFileEdit::SECBrowseFileEdit() : m_filter("All files (*.*)|*.*||") {
  m_title = LoadText(resources::IDS_SELECT_FILE);
}

// A folder named in the field is where the chooser starts, with an empty name; the process's
// current folder is never changed for it.
void SECBrowseFileEdit::OnBrowse() {
  CString start = m_initialFileName;
  if (start.IsEmpty()) GetWindowText(start);
  CString folder;
  if (IsDirectory(start)) {
    folder = start;
    start.Empty();
  } else if (!start.IsEmpty()) {
    SECFileUtil util;
    if (!util.FileExists(start)) start.Empty();
  }
  CFileDialog dialog(TRUE, m_defaultExtension.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_defaultExtension),
                     start.IsEmpty() ? nullptr : static_cast<LPCTSTR>(start), m_flags,
                     m_filter.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_filter), this);
  dialog.m_ofn.lpstrTitle = m_title;
  if (!folder.IsEmpty()) dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() == IDOK) SetWindowText(dialog.GetPathName());
}

// --- Folder chooser -------------------------------------------------------------------------------

SECDirSelectDialog::SECDirSelectDialog(int nMode, const CString& title, const CString& initialDirectory, CWnd* pOwner)
    : CFileDialog(FALSE, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_ENABLETEMPLATE,
                  "(nofiles)|NOFILES.$$$||", pOwner),
      m_mode(nMode),
      m_title(title),
      m_initialDirectory(initialDirectory) {
  m_ofn.Flags &= ~OFN_EXPLORER;
  m_ofn.nTemplateId = resources::IDD_DIRECTORY_SELECT;
  m_ofn.lpstrTitle = m_title;
  m_ofn.lpstrInitialDir = m_initialDirectory.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_initialDirectory);
  m_ofn.lpstrFile = m_result;
  m_ofn.nMaxFile = sizeof m_result;
  if (pOwner) m_ofn.hwndOwner = pOwner->m_hWnd;
}

namespace {

int SelectStartFolder(HWND hwnd, UINT uMsg, LPARAM /*lParam*/, LPARAM lpData) {
  if (uMsg == BFFM_INITIALIZED && lpData) SendMessage(hwnd, BFFM_SETSELECTION, TRUE, lpData);
  return 0;
}

}  // namespace

INT_PTR SECDirSelectDialog::DoModal() {
  m_directory.Empty();
  if (m_mode == 0) {
    CString start = m_initialDirectory;
    if (start.IsEmpty()) {
      SECFileUtil util;
      start = util.GetFullDirectoryPath("");
    }
    BROWSEINFO info;
    info.hwndOwner = m_ofn.hwndOwner;
    info.lpszTitle = m_title;
    info.lpfn = SelectStartFolder;
    info.lParam = reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(start));
    LPITEMIDLIST chosen = SHBrowseForFolder(&info);
    if (!chosen) return IDCANCEL;
    char path[260] = {};
    BOOL ok = SHGetPathFromIDList(chosen, path);
    CoTaskMemFree(chosen);
    if (!ok) return IDCANCEL;
    m_directory = path;
    if (m_directory.IsEmpty() || !IsSeparator(m_directory[m_directory.GetLength() - 1])) m_directory += "/";
    if (m_directory.GetLength() >= int(sizeof m_result)) m_directory = m_directory.Left(int(sizeof m_result) - 1);
    std::memcpy(m_result, static_cast<LPCTSTR>(m_directory), size_t(m_directory.GetLength()) + 1);
    return IDOK;
  }
  // The file-name field holds a fixed name the user never sees; what comes back is the folder
  // the answer lies in.
  CString placeholder = LoadText(resources::IDS_NOCLOSE);
  std::memset(m_result, 0, sizeof m_result);
  std::memcpy(m_result, static_cast<LPCTSTR>(placeholder), std::min<size_t>(size_t(placeholder.GetLength()), sizeof m_result - 1));
  if (CFileDialog::DoModal() != IDOK) return IDCANCEL;
  CString path = GetPathName();
  int cut = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
  if (cut < 0) return IDCANCEL;
  m_directory = path.Left(cut + 1);
  return IDOK;
}

// --- Folder edit ----------------------------------------------------------------------------------

SECBrowseDirEdit::SECBrowseDirEdit() { m_title = LoadText(resources::IDS_SELECT_DIRECTORY); }

void SECBrowseDirEdit::OnBrowse() {
  CString start;
  GetWindowText(start);
  if (!IsDirectory(start)) start.Empty();
  SECDirSelectDialog dialog(m_mode, m_title, start, GetParent());
  if (dialog.DoModal() == IDOK) SetWindowText(dialog.GetDirectory());
}
