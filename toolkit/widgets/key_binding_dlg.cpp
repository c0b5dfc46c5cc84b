#include "toolkit/widgets/key_binding_dlg.h"

#include <set>
#include <string>

#include "platform/controls/common_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "platform/win/messages.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "resources/resource_ids.h"

using namespace resources;

BEGIN_MESSAGE_MAP(SECKeyBindingEditor, CCmdTarget)
  ON_CONTROL(LBN_SELCHANGE, IDC_KEY_CATEGORIES, &SECKeyBindingEditor::OnCategoryChanged)
  ON_CONTROL(LBN_SELCHANGE, IDC_KEY_COMMANDS, &SECKeyBindingEditor::OnCommandChanged)
  ON_CONTROL(LBN_DBLCLK, IDC_KEY_COMMANDS, &SECKeyBindingEditor::OnAssign)
  ON_CONTROL(EN_CHANGE, IDC_KEY_HOTKEY, &SECKeyBindingEditor::OnHotKeyChanged)
  ON_CONTROL(BN_CLICKED, IDC_KEY_ASSIGN, &SECKeyBindingEditor::OnAssign)
  ON_CONTROL(BN_CLICKED, IDC_KEY_REMOVE, &SECKeyBindingEditor::OnRemove)
  ON_CONTROL(BN_CLICKED, IDC_KEY_RESET_ALL, &SECKeyBindingEditor::OnResetAll)
END_MESSAGE_MAP()

namespace {

constexpr const char* kNoDescription = "(No description available)";

// The part of a catalogue name before its first ":" (empty when it has none), and after it.
CString category_of(const CString& name) {
  const int colon = name.Find(':');
  return colon < 0 ? CString() : name.Left(colon);
}
CString command_of(const CString& name) {
  const int colon = name.Find(':');
  return colon < 0 ? name : name.Mid(colon + 1);
}

CString load(UINT id) {
  CString text;
  AfxLoadString(id, text);
  return text;
}

void warn(UINT id) { AfxMessageBox(id, MB_OK | MB_ICONEXCLAMATION); }

}  // namespace

namespace {

// The forms hold a hot-key field.
void register_hot_key_class() {
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&classes);
}

}  // namespace

SECKeyBindingEditor::SECKeyBindingEditor(SECCommandCatalog* catalog, SECKeyBindingTable* table)
    : catalog_(catalog), table_(table) {
  register_hot_key_class();
}

void SECKeyBindingEditor::Initialize(CWnd* form) {
  form_ = form;
  categories_.SubclassDlgItem(IDC_KEY_CATEGORIES, form);
  commands_.SubclassDlgItem(IDC_KEY_COMMANDS, form);
  keys_.SubclassDlgItem(IDC_KEY_DEFINED, form);
  hot_key_.SubclassDlgItem(IDC_KEY_HOTKEY, form);
  std::set<std::string> seen;
  for (int i = 0; catalog_ && i < catalog_->GetSize(); ++i) {
    const CString category = category_of(catalog_->GetAt(i).name);
    if (category.IsEmpty() || !seen.insert(std::string(category.view())).second) continue;
    categories_.AddString(category);
  }
  if (categories_.GetCount() > 0) categories_.SetCurSel(0);
  fill_commands();
  if (catalog_) hot_key_.SetRules(catalog_->GetRefusedCombinations(), catalog_->GetAddedModifier());
  OnHotKeyChanged();
}

BOOL SECKeyBindingEditor::PreTranslate(MSG* pMsg) {
  if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && hot_key_.m_hWnd &&
      pMsg->hwnd == hot_key_.m_hWnd) {
    ::TranslateMessage(pMsg);
    ::DispatchMessage(pMsg);
    return TRUE;
  }
  return FALSE;
}

SECKeyBindingDlg::SECKeyBindingDlg(SECCommandCatalog* catalog, SECKeyBindingTable* table, CWnd* parent)
    : CGSDialog(IDD_KEY_BINDING, parent), editor_(catalog, table) {}

BOOL SECKeyBindingDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  editor_.Initialize(this);
  return TRUE;
}

BOOL SECKeyBindingDlg::PreTranslateMessage(MSG* pMsg) {
  return editor_.PreTranslate(pMsg) || CGSDialog::PreTranslateMessage(pMsg);
}

BOOL SECKeyBindingDlg::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return editor_.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) || CGSDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

SECKeyBindingPage::SECKeyBindingPage(SECCommandCatalog* catalog, SECKeyBindingTable* table, UINT caption_id)
    : CGSPropertyPage(IDD_KEY_BINDING_PAGE, caption_id), editor_(catalog, table) {}

BOOL SECKeyBindingPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  editor_.Initialize(this);
  return TRUE;
}

BOOL SECKeyBindingPage::PreTranslateMessage(MSG* pMsg) {
  return editor_.PreTranslate(pMsg) || CGSPropertyPage::PreTranslateMessage(pMsg);
}

BOOL SECKeyBindingPage::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return editor_.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
         CGSPropertyPage::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

UINT SECKeyBindingEditor::selected_command() {
  const int sel = commands_.GetCurSel();
  return sel < 0 ? 0 : static_cast<UINT>(commands_.GetItemData(sel));
}

void SECKeyBindingEditor::fill_commands() {
  commands_.ResetContent();
  const int sel = categories_.GetCurSel();
  if (sel >= 0 && catalog_) {
    CString category;
    categories_.GetText(sel, category);
    for (int i = 0; i < catalog_->GetSize(); ++i) {
      const SECCommandEntry& entry = catalog_->GetAt(i);
      if (category_of(entry.name) != category) continue;
      const int item = commands_.AddString(command_of(entry.name));
      if (item >= 0) commands_.SetItemData(item, entry.id);
    }
  }
  if (commands_.GetCount() > 0) commands_.SetCurSel(0);
  OnCommandChanged();
}

void SECKeyBindingEditor::show_description() {
  const UINT command = selected_command();
  const int index = catalog_ && command ? catalog_->Find(command) : -1;
  form_->SetDlgItemText(IDC_KEY_DESCRIPTION, index >= 0 ? catalog_->GetAt(index).description.GetString() : "");
}

void SECKeyBindingEditor::fill_keys() {
  keys_.ResetContent();
  const UINT command = selected_command();
  if (!command || !table_) return;
  for (int i = 0; i < table_->GetSize(); ++i) {
    const ACCEL& entry = table_->GetAt(i);
    if (entry.cmd != command) continue;
    const int item = keys_.AddString(HotKeyToText(AccelToHotKey(entry)));
    if (item < 0) break;
    keys_.SetItemData(item, static_cast<UINT_PTR>(i));
  }
}

void SECKeyBindingEditor::OnCategoryChanged() { fill_commands(); }

void SECKeyBindingEditor::OnCommandChanged() {
  show_description();
  fill_keys();
}

WORD SECKeyBindingEditor::field_hot_key() { return static_cast<WORD>(hot_key_.GetHotKey()); }

void SECKeyBindingEditor::OnHotKeyChanged() {
  WORD value = field_hot_key();
  const WORD vk = value & 0xFF;
  if (vk == VK_PAUSE || vk == VK_NUMLOCK || vk == VK_SCROLL) {
    hot_key_.SetHotKey(0, 0);
    value = 0;
  }
  const bool has_key = value != 0;
  for (int id : {IDC_KEY_CURRENT_LABEL, IDC_KEY_CURRENT}) {
    if (CWnd* w = form_->GetDlgItem(id)) w->ShowWindow(has_key ? SW_SHOW : SW_HIDE);
  }
  // The key in the field is what Assign binds: without one there is nothing to assign.
  if (CWnd* assign = form_->GetDlgItem(IDC_KEY_ASSIGN)) assign->EnableWindow(has_key);
  if (!has_key || !table_) return;
  const ACCEL wanted = HotKeyToAccel(value);
  const BYTE forced = FVIRTKEY | FNOINVERT;
  CString current = load(IDS_KEY_NOT_ASSIGNED);
  for (int i = 0; i < table_->GetSize(); ++i) {
    const ACCEL& entry = table_->GetAt(i);
    if (entry.key != wanted.key || (entry.fVirt | forced) != wanted.fVirt) continue;
    const int index = catalog_ ? catalog_->Find(entry.cmd) : -1;
    current = index >= 0 ? catalog_->GetAt(index).name : CString(kNoDescription);
    break;
  }
  form_->SetDlgItemText(IDC_KEY_CURRENT, current);
}

void SECKeyBindingEditor::OnAssign() {
  const UINT command = selected_command();
  if (!command) {
    warn(IDS_KEY_SELECT_COMMAND);
    commands_.SetFocus();
    return;
  }
  const WORD value = field_hot_key();
  if (value == 0 || !table_) return;
  const WORD vk = value & 0xFF;
  const WORD modifiers = (value >> 8) & (HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT);
  if (vk == VK_F1 || ((vk == VK_F4 || vk == VK_F1 + 5) && modifiers)) {
    warn(IDS_KEY_RESERVED);
    return;
  }
  table_->SetBinding(value, static_cast<WORD>(command));
  last_assigned_ = value;
  modified_ = true;
  fill_keys();
  OnHotKeyChanged();
}

void SECKeyBindingEditor::OnRemove() {
  const int sel = keys_.GetCurSel();
  if (sel < 0 || !table_) {
    warn(IDS_SELECT_SHORTCUT_FIRST);
    return;
  }
  table_->RemoveAt(static_cast<int>(keys_.GetItemData(sel)));
  modified_ = true;
  fill_keys();
  OnHotKeyChanged();
}

void SECKeyBindingEditor::OnResetAll() {
  if (AfxMessageBox(IDS_RESET_SHORTCUTS, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK || !table_) return;
  table_->ResetToDefaults();
  modified_ = true;
  show_description();
  fill_keys();
  OnHotKeyChanged();
}
