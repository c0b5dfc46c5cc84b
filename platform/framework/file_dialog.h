// The file chooser: an open or save question with the framework's filter form
// ("Description|*.ext;*.ext2|All|*.*||"), a default extension, a starting name and folder, and
// the OFN_ options that still mean something here. Template and hook options are kept in m_ofn
// for the callers that set them, but the question itself is always the prompter's.
#pragma once

#include <vector>

#include "platform/base/collections.h"
#include "platform/framework/common_dialog.h"

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
// The chooser never changes the process's current folder, so this only records the wish.
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

// The question as the platform's structure names it. Strings are the caller's and must outlive
// DoModal; lpstrFile, when set, receives the first chosen path (cut to nMaxFile - 1 bytes).
struct OPENFILENAME {
  HWND hwndOwner = nullptr;
  LPCTSTR lpstrFilter = nullptr;
  DWORD nFilterIndex = 0;
  LPTSTR lpstrFile = nullptr;
  DWORD nMaxFile = 0;
  LPCTSTR lpstrInitialDir = nullptr;
  LPCTSTR lpstrTitle = nullptr;
  DWORD Flags = 0;
  LPCTSTR lpstrDefExt = nullptr;
  // A dialog template id the old-style chooser used (OFN_ENABLETEMPLATE); kept, not shown.
  UINT nTemplateId = 0;
};

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)

 public:
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr,
                       LPCTSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       LPCTSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

  // IDOK with the chosen paths, IDCANCEL when the user gave none.
  INT_PTR DoModal() override;

  // The first chosen path, its file part, the file part's extension (without the dot) and the
  // file part without its extension.
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  // Walks the chosen paths (several only with OFN_ALLOWMULTISELECT).
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

  OPENFILENAME m_ofn;

 protected:
  // A chosen path the options refuse (a missing file that must exist); the user is told and
  // asked again.
  BOOL Acceptable(const CString& path) const;

  BOOL m_bOpenFileDialog;
  CString m_strDefExt;
  CString m_strFileName;
  CString m_strFilter;
  std::vector<CString> m_chosen;
};
