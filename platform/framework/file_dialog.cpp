#include "platform/framework/file_dialog.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

// The file part of a path: after the last separator of either kind.
CString file_part(const CString& path) {
  int cut = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  return path.Mid(cut + 1);
}

CString joined(const CString& folder, const CString& name) {
  if (folder.IsEmpty() || name.IsEmpty()) return folder + name;
  char last = folder[folder.GetLength() - 1];
  return (last == '/' || last == '\\') ? folder + name : folder + "/" + name;
}

// POSITION values for the chosen paths: index + 1, so that null ends the walk.
POSITION position_of(size_t index) { return reinterpret_cast<POSITION>(index + 1); }
size_t index_of(POSITION pos) { return reinterpret_cast<size_t>(pos) - 1; }

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd),
      m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFileName(lpszFileName ? lpszFileName : ""),
      m_strFilter(lpszFilter ? lpszFilter : "") {
  m_ofn.Flags = dwFlags | OFN_EXPLORER;
  m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strDefExt);
  m_ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strFilter);
}

BOOL CFileDialog::Acceptable(const CString& path) const {
  bool must_exist = m_bOpenFileDialog && (m_ofn.Flags & OFN_FILEMUSTEXIST);
  if (!must_exist || base::file_exists(base::os_path(path))) return TRUE;
  CString text = path;
  text += base::cp1250::from_utf8("\nNie można odnaleźć pliku.\nSprawdź, czy podano prawidłową nazwę pliku.").c_str();
  MessageBox(OwnerWindow(), text, m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "", MB_OK | MB_ICONEXCLAMATION);
  return FALSE;
}

INT_PTR CFileDialog::DoModal() {
  framework::FileQuestion question;
  question.open = m_bOpenFileDialog != FALSE;
  question.multiple = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
  question.overwrite_prompt = (m_ofn.Flags & OFN_OVERWRITEPROMPT) != 0;
  question.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "";
  question.filter = m_ofn.lpstrFilter ? m_ofn.lpstrFilter : "";
  question.default_extension = m_ofn.lpstrDefExt ? m_ofn.lpstrDefExt : "";
  // A starting name in the caller's buffer wins over the one given at construction; the buffer
  // need not be terminated within nMaxFile.
  CString start = m_strFileName;
  if (m_ofn.lpstrFile && m_ofn.nMaxFile > 0 && *m_ofn.lpstrFile)
    start = CString(std::string_view(m_ofn.lpstrFile, strnlen(m_ofn.lpstrFile, m_ofn.nMaxFile)));
  question.initial = m_ofn.lpstrInitialDir ? joined(m_ofn.lpstrInitialDir, start) : start;
  HWND owner = m_ofn.hwndOwner ? m_ofn.hwndOwner : OwnerWindow();

  for (;;) {
    m_chosen.clear();
    if (!framework::prompter().choose_files(owner, question, m_chosen) || m_chosen.empty()) {
      m_chosen.clear();
      return IDCANCEL;
    }
    // A name typed without an extension takes the default one, as the platform's chooser does.
    for (CString& path : m_chosen) {
      if (!question.default_extension.IsEmpty() && file_part(path).Find('.') < 0 && !file_part(path).IsEmpty())
        path += "." + question.default_extension;
    }
    if (std::all_of(m_chosen.begin(), m_chosen.end(), [&](const CString& p) { return Acceptable(p); })) break;
  }
  if (m_ofn.lpstrFile && m_ofn.nMaxFile > 0) {
    size_t n = std::min<size_t>(size_t(m_chosen.front().GetLength()), m_ofn.nMaxFile - 1);
    std::memcpy(m_ofn.lpstrFile, static_cast<LPCTSTR>(m_chosen.front()), n);
    m_ofn.lpstrFile[n] = '\0';
  }
  return IDOK;
}

CString CFileDialog::GetPathName() const { return m_chosen.empty() ? CString() : m_chosen.front(); }

CString CFileDialog::GetFileName() const { return file_part(GetPathName()); }

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}

POSITION CFileDialog::GetStartPosition() const { return m_chosen.empty() ? nullptr : position_of(0); }

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  size_t i = index_of(pos);
  if (pos == nullptr || i >= m_chosen.size()) {
    pos = nullptr;
    return CString();
  }
  pos = i + 1 < m_chosen.size() ? position_of(i + 1) : nullptr;
  return m_chosen[i];
}
