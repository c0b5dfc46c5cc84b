#include "navigation/custom_dlg.h"

#include <algorithm>
#include <cstdio>

#include "navigation/binder_store.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/prompter.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/frame_placement.h"

using namespace resources;

namespace {

constexpr const char* kPlacementValue = "Custom";

// String `id` with `name` in the place of its "%s".
CString Message(UINT id, const CString& name) {
  CString format;
  if (!AfxLoadString(id, format)) return name;
  std::string text(format.GetString());
  if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, name.GetString());
  return CString(text);
}

}  // namespace

// --- The editable list ------------------------------------------------------------------------------

BOOL CGSListBoxEditor::IsNameTaken(int nIndex, const CString& strName) {
  CListBox* list = GetListBox();
  for (int i = 0, n = list->GetCount(); i < n; ++i) {
    CString text;
    list->GetText(i, text);
    if (i != nIndex && text.CompareNoCase(strName) == 0) return TRUE;
  }
  return FALSE;
}

void CGSListBoxEditor::OnItemAdded(int nIndex, const CString& strText) {
  const CString name(binders::TrimName(strText.GetString()));
  CListBox* list = GetListBox();
  auto drop = [&] {
    if (nIndex >= 0 && nIndex < list->GetCount()) list->DeleteString(UINT(nIndex));
  };
  if (name.IsEmpty()) {
    AfxMessageBox(IDS_BINDER_NAME_EMPTY, MB_OK | MB_ICONEXCLAMATION);
    drop();
    return;
  }
  if (IsNameTaken(nIndex, name)) {
    AfxMessageBox(Message(IDS_BINDER_EXISTS, name), MB_OK | MB_ICONEXCLAMATION);
    drop();
    return;
  }
  if (!binders::IsValidName(name.GetString())) {
    AfxMessageBox(CString(binders::ErrorMessage(binders::BinderError::BadName, name.GetString())),
                  MB_OK | MB_ICONEXCLAMATION);
    drop();
    return;
  }
  if (AfxMessageBox(Message(IDS_BINDER_CREATE, name), MB_YESNO | MB_ICONQUESTION) != IDYES) {
    drop();
    return;
  }
  const binders::BinderError error = binders::CreateBinder(m_pDialog->GetFolder(), name.GetString());
  if (error != binders::BinderError::None && error != binders::BinderError::Exists) {
    AfxMessageBox(CString(binders::ErrorMessage(error, name.GetString())), MB_OK | MB_ICONEXCLAMATION);
    drop();
    return;
  }
  if (name != strText) ReplaceItemText(nIndex, name);
  m_pDialog->GetNames().push_back(name.GetString());
}

void CGSListBoxEditor::OnItemChanged(int nIndex, const CString& strOld, const CString& strNew) {
  const CString name(binders::TrimName(strNew.GetString()));
  if (name.IsEmpty()) {
    ReplaceItemText(nIndex, strOld);
    return;
  }
  CListBox* list = GetListBox();
  if (nIndex == list->GetCount() - 1 && UsesPlaceholder()) list->AddString("");
  if (strOld.IsEmpty()) {
    if (name != strNew) ReplaceItemText(nIndex, name);
    return;
  }
  binders::BinderError error = IsNameTaken(nIndex, name) ? binders::BinderError::Exists : binders::BinderError::None;
  if (error == binders::BinderError::None) {
    error = binders::RenameBinder(m_pDialog->GetFolder(), strOld.GetString(), name.GetString());
  }
  if (error != binders::BinderError::None) {
    // The old binder stays as it was, under its old name.
    AfxMessageBox(CString(binders::ErrorMessage(error, name.GetString())), MB_OK | MB_ICONEXCLAMATION);
    ReplaceItemText(nIndex, strOld);
    return;
  }
  if (name != strNew) ReplaceItemText(nIndex, name);
  auto& names = m_pDialog->GetNames();
  std::replace(names.begin(), names.end(), std::string(strOld.GetString()), std::string(name.GetString()));
  if (m_pDialog->m_strName == strOld) m_pDialog->m_strName = name;
  if (m_pDialog->m_strOpen == strOld) m_pDialog->m_strOpen = name;
}

BOOL CGSListBoxEditor::CanDelete(int, const CString& strText) {
  const CString name(binders::TrimName(strText.GetString()));
  if (name.IsEmpty() || !binders::IsValidName(name.GetString())) return TRUE;
  if (!base::file_exists(binders::BinderPath(m_pDialog->GetFolder(), name.GetString()))) return TRUE;
  CString question;
  AfxLoadString(IDS_BINDER_DELETE, question);
  if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return FALSE;
  if (m_pDialog->m_strName == name) m_pDialog->m_strName.Empty();
  if (m_pDialog->m_strOpen == name) m_pDialog->m_strOpen.Empty();
  binders::DeleteBinder(m_pDialog->GetFolder(), name.GetString());
  auto& names = m_pDialog->GetNames();
  names.erase(std::remove(names.begin(), names.end(), std::string(name.GetString())), names.end());
  return TRUE;
}

// --- The dialog ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCustomDlg, CGSDialog)
  ON_CONTROL(LBN_SELCHANGE, IDC_BINDER_LIST, &CCustomDlg::OnSelChange)
  ON_CONTROL(LBN_DBLCLK, IDC_BINDER_LIST, &CCustomDlg::OnOK)
  ON_CONTROL(BN_CLICKED, IDC_BINDER_NEW, &CCustomDlg::OnNothing)
  ON_CONTROL(BN_CLICKED, IDC_BINDER_RENAME, &CCustomDlg::OnNothing)
  ON_CONTROL(BN_CLICKED, IDC_BINDER_DELETE, &CCustomDlg::OnNothing)
  ON_CONTROL(BN_CLICKED, IDC_BINDER_OPEN, &CCustomDlg::OnOK)
END_MESSAGE_MAP()

CCustomDlg::CCustomDlg(const std::string& folder, const std::string& fallback, const CString& open, CWnd* pParent)
    : CGSDialog(IDD_BINDERS_DLG, pParent),
      m_strName(open),
      m_strOpen(open),
      m_editor(this),
      m_folder(folder),
      m_fallback(fallback) {}

CCustomDlg::~CCustomDlg() = default;

CString CCustomDlg::GetPath() const {
  return m_strName.IsEmpty() ? CString() : CString(binders::BinderPath(m_folder, m_strName.GetString()));
}

BOOL CCustomDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  frame_placement::RestorePosition(m_hWnd, kPlacementValue);
  if (m_editor.Initialize(this, IDC_BINDER_LIST, LBE_BUTTONS | LBE_TOOLTIPS | LBE_SHORTCUTS | LBE_NEWBUTTON |
                                                    LBE_DELBUTTON)) {
    // The header draws its caption as it stands: no mnemonic mark.
    m_editor.SetWindowText(CString("Segregatory:"));
  }
  m_names = binders::ListBinders(m_folder, m_fallback);
  CListBox* list = m_editor.GetListBox() ? m_editor.GetListBox() : nullptr;
  if (list) {
    // The placeholder row the editor keeps stays last.
    int current = -1;
    for (size_t i = 0; i < m_names.size(); ++i) {
      list->InsertString(int(i), CString(m_names[i]));
      if (!m_strName.IsEmpty() && m_names[i] == m_strName.GetString()) current = int(i);
    }
    m_editor.SelectItem(current);
  }
  UpdateButtons();
  return TRUE;
}

CString CCustomDlg::SelectedName() {
  CListBox* list = m_editor.GetListBox();
  const int index = list ? list->GetCurSel() : -1;
  CString text;
  if (index >= 0) list->GetText(index, text);
  return CString(binders::TrimName(text.GetString()));
}

void CCustomDlg::UpdateButtons() {
  const BOOL named = !SelectedName().IsEmpty();
  for (UINT id : {IDC_BINDER_OPEN, IDC_BINDER_RENAME, IDC_BINDER_DELETE}) {
    if (CWnd* button = GetDlgItem(int(id))) button->EnableWindow(named);
  }
}

void CCustomDlg::OnSelChange() { UpdateButtons(); }

void CCustomDlg::OnNothing() {}

void CCustomDlg::OnOK() {
  if (m_editor.IsEditing()) {
    m_editor.EndEdit();
    return;
  }
  const CString name = SelectedName();
  if (name.IsEmpty()) return;
  m_strName = name;
  frame_placement::Store(m_hWnd, kPlacementValue);
  EndDialog(IDOK);
}

void CCustomDlg::OnCancel() {
  if (m_editor.IsEditing()) return;  // Esc ends the in-place edit first
  frame_placement::Store(m_hWnd, kPlacementValue);
  EndDialog(IDCANCEL);
}
