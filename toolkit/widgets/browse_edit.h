// Browse edits: a dialog's edit field with a "..." button glued to its right end. The button
// opens a chooser whose answer replaces the field's text: SECBrowseFileEdit chooses a file,
// SECBrowseDirEdit a folder (with the folder chooser built on the file chooser, or the shell's
// folder browser). The button follows the edit: disabled, enabled, shown and hidden with it.
#pragma once

#include <memory>

#include "platform/base/cstring.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/file_dialog.h"

class SECBrowseEdit;

// The "..." button: its click asks its edit to browse.
class SECBrowseButton : public CButton {
  DECLARE_DYNAMIC(SECBrowseButton)

 public:
  SECBrowseButton() = default;
  // Takes the last 25 pixels of the edit's rectangle (the edit is made 26 pixels narrower), the
  // first free control id of the dialog counting down from 0x7FFF, and the place after the edit
  // in the tab order.
  BOOL Create(SECBrowseEdit* pEdit);
  UINT GetId() const { return m_id; }
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  SECBrowseEdit* m_edit = nullptr;
  UINT m_id = 0;
};

class SECBrowseEdit : public CEdit {
  DECLARE_DYNAMIC(SECBrowseEdit)

 public:
  SECBrowseEdit();
  ~SECBrowseEdit() override;

  // Subclasses the dialog's edit and adds its button; FALSE when the edit cannot be subclassed.
  BOOL AttachDlgItem(UINT nID, CWnd* pDialog);
  // Asks the chooser; the derived edits supply it.
  virtual void OnBrowse();

  SECBrowseButton* GetBrowseButton() { return m_button.get(); }
  void SetTitle(const CString& title) { m_title = title; }
  const CString& GetTitle() const { return m_title; }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // TRUE when `path` names an existing folder (a trailing separator is ignored).
  static BOOL IsDirectory(const CString& path);

  std::unique_ptr<SECBrowseButton> m_button;
  CString m_title;
};

class SECBrowseFileEdit : public SECBrowseEdit {
  DECLARE_DYNAMIC(SECBrowseFileEdit)

 public:
  SECBrowseFileEdit();
  void OnBrowse() override;

  void SetFilter(const CString& filter) { m_filter = filter; }
  void SetInitialFileName(const CString& name) { m_initialFileName = name; }
  void SetDefaultExtension(const CString& extension) { m_defaultExtension = extension; }
  void SetFlags(DWORD flags) { m_flags = flags; }
  DWORD GetFlags() const { return m_flags; }

 protected:
  CString m_filter;
  CString m_initialFileName;
  CString m_defaultExtension;
  DWORD m_flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
};

// The folder chooser over the file chooser: mode 1 asks a save-style file question in the
// starting folder with a fixed name and keeps the folder part of the answer; mode 0 asks the
// shell's folder browser. Either way the chosen folder ends in a separator.
class SECDirSelectDialog : public CFileDialog {
  DECLARE_DYNAMIC(SECDirSelectDialog)

 public:
  SECDirSelectDialog(int nMode, const CString& title, const CString& initialDirectory, CWnd* pOwner);
  INT_PTR DoModal() override;
  // The chosen folder.
  CString GetDirectory() const { return m_directory; }

 protected:
  int m_mode;
  CString m_title;
  CString m_initialDirectory;
  CString m_directory;
  char m_result[260] = {};
};

class SECBrowseDirEdit : public SECBrowseEdit {
  DECLARE_DYNAMIC(SECBrowseDirEdit)

 public:
  SECBrowseDirEdit();
  void OnBrowse() override;
  // 1: the folder chooser over the file chooser (after construction); 0: the shell's browser.
  void SetMode(int nMode) { m_mode = nMode; }
  int GetMode() const { return m_mode; }

 protected:
  int m_mode = 1;
};
