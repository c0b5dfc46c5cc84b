// "Segregatory": the dialog that lists the binders and opens one. The list is an editable list
// box (CGSListBoxEditor): typing a new name creates a binder, editing a name renames it, deleting
// an entry deletes the binder after a question.
#pragma once

#include <string>
#include <vector>

#include "controls/base/gs_dialog.h"
#include "toolkit/widgets/list_box_editor.h"

class CCustomDlg;

class CGSListBoxEditor : public SECListBoxEditor {
 public:
  explicit CGSListBoxEditor(CCustomDlg* dialog) : m_pDialog(dialog) {}

 public:
  // A name edited: the binder is renamed (both kept when the new name is taken).
  void OnItemChanged(int nIndex, const CString& strOld, const CString& strNew) override;
  // A new name: after a question the empty binder is created.
  void OnItemAdded(int nIndex, const CString& strText) override;
  // About to delete an entry: after a question the binder's file goes.
  BOOL CanDelete(int nIndex, const CString& strText) override;

 private:
  // Whether another entry than `nIndex` has the name (ignoring case).
  BOOL IsNameTaken(int nIndex, const CString& strName);
  CCustomDlg* m_pDialog;
};

class CCustomDlg : public CGSDialog {
 public:
  // `folder` is where binders are written, `fallback` the read-only folder beside the program.
  CCustomDlg(const std::string& folder, const std::string& fallback, const CString& open, CWnd* pParent = nullptr);
  ~CCustomDlg() override;

  // The chosen binder's name (in: the open one) and its file; both empty when none.
  CString m_strName;
  CString GetPath() const;
  // The open binder's name as the dialog left it: renamed along, empty once it was deleted.
  CString m_strOpen;
  const std::string& GetFolder() const { return m_folder; }
  std::vector<std::string>& GetNames() { return m_names; }
  CGSListBoxEditor& GetEditor() { return m_editor; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  // The selected entry's name without blanks (empty for none or the new-item row).
  CString SelectedName();
  // "&Otwórz", "Zmień nazwę" and "Usuń" while a named entry is selected.
  void UpdateButtons();
  afx_msg void OnSelChange();
  afx_msg void OnNothing();

  CGSListBoxEditor m_editor;
  std::string m_folder;
  std::string m_fallback;
  std::vector<std::string> m_names;

  DECLARE_MESSAGE_MAP()
};
