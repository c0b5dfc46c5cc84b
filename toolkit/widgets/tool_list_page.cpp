#include "toolkit/widgets/tool_list_page.h"

#include <utility>

#include "platform/framework/control_messages.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "resources/resource_ids.h"

using namespace resources;

BEGIN_MESSAGE_MAP(SECToolListEditor, CCmdTarget)
  ON_CONTROL(LBN_SELCHANGE, IDC_TOOL_LIST, &SECToolListEditor::OnSelectionChanged)
  ON_CONTROL(EN_CHANGE, IDC_TOOL_MENU_TEXT, &SECToolListEditor::OnMenuTextChanged)
  ON_CONTROL(EN_KILLFOCUS, IDC_TOOL_MENU_TEXT, &SECToolListEditor::OnMenuTextLeft)
  ON_CONTROL(BN_CLICKED, IDC_TOOL_ADD, &SECToolListEditor::OnAdd)
  ON_CONTROL(BN_CLICKED, IDC_TOOL_REMOVE, &SECToolListEditor::OnRemove)
  ON_CONTROL(BN_CLICKED, IDC_TOOL_UP, &SECToolListEditor::OnMoveUp)
  ON_CONTROL(BN_CLICKED, IDC_TOOL_DOWN, &SECToolListEditor::OnMoveDown)
END_MESSAGE_MAP()

namespace {

CString load(UINT id) {
  CString text;
  AfxLoadString(id, text);
  return text;
}

}  // namespace

SECToolListEditor::SECToolListEditor(SECUserToolList* list) : list_(list) {}

CString SECToolListEditor::field_text(int id) const {
  CString text;
  form_->GetDlgItemText(id, text);
  return text;
}

void SECToolListEditor::Initialize(CWnd* form) {
  form_ = form;
  box_.SubclassDlgItem(IDC_TOOL_LIST, form);
  command_.SetTitle(load(IDS_SELECT_PROGRAM));
  command_.SetFilter(load(IDS_PROGRAM_FILTER));
  directory_.SetTitle(load(IDS_SELECT_INITIAL_DIRECTORY));
  command_.AttachDlgItem(IDC_TOOL_COMMAND, form);
  directory_.AttachDlgItem(IDC_TOOL_DIRECTORY, form);
}

void SECToolListEditor::Exchange(CDataExchange* pDX) {
  if (!list_) return;
  if (!pDX->m_bSaveAndValidate) {
    tools_.clear();
    for (const auto& tool : *list_) tools_.push_back(tool->Clone());
    refill_list(tools_.empty() ? -1 : 0);
    return;
  }
  store_fields();
  *list_ = std::move(tools_);
  tools_.clear();
  for (const auto& tool : *list_) tools_.push_back(tool->Clone());
  refill_list(box_.GetCurSel());
}

SECToolListPage::SECToolListPage(SECUserToolList* list, UINT template_id, UINT caption_id)
    : CGSPropertyPage(template_id, caption_id), editor_(list) {}

BOOL SECToolListPage::OnInitDialog() {
  editor_.Initialize(this);
  return CGSPropertyPage::OnInitDialog();
}

void SECToolListPage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  editor_.Exchange(pDX);
}

BOOL SECToolListPage::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return editor_.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
         CGSPropertyPage::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

SECToolListDlg::SECToolListDlg(SECUserToolList* list, CWnd* parent)
    : CGSDialog(IDD_TOOL_LIST_DIALOG, parent), editor_(list) {}

BOOL SECToolListDlg::OnInitDialog() {
  editor_.Initialize(this);
  return CGSDialog::OnInitDialog();
}

void SECToolListDlg::DoDataExchange(CDataExchange* pDX) {
  CGSDialog::DoDataExchange(pDX);
  editor_.Exchange(pDX);
}

BOOL SECToolListDlg::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return editor_.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) || CGSDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void SECToolListEditor::refill_list(int select) {
  filling_ = true;
  box_.ResetContent();
  for (const auto& tool : tools_) box_.AddString(tool->m_strMenuText);
  if (select >= GetToolCount()) select = GetToolCount() - 1;
  box_.SetCurSel(select);
  filling_ = false;
  edited_ = select >= 0 ? tools_[select].get() : nullptr;
  show_fields();
}

void SECToolListEditor::store_fields() {
  if (!edited_) return;
  edited_->m_strCommand = field_text(IDC_TOOL_COMMAND);
  edited_->m_strArgs = field_text(IDC_TOOL_ARGUMENTS);
  edited_->m_strDirectory = field_text(IDC_TOOL_DIRECTORY);
}

void SECToolListEditor::show_fields() {
  filling_ = true;
  form_->SetDlgItemText(IDC_TOOL_MENU_TEXT, edited_ ? edited_->m_strMenuText.GetString() : "");
  form_->SetDlgItemText(IDC_TOOL_COMMAND, edited_ ? edited_->m_strCommand.GetString() : "");
  form_->SetDlgItemText(IDC_TOOL_ARGUMENTS, edited_ ? edited_->m_strArgs.GetString() : "");
  form_->SetDlgItemText(IDC_TOOL_DIRECTORY, edited_ ? edited_->m_strDirectory.GetString() : "");
  filling_ = false;
  update_controls();
}

void SECToolListEditor::update_controls() {
  const int sel = box_.m_hWnd ? box_.GetCurSel() : -1;
  const int count = GetToolCount();
  auto enable = [this](int id, bool on) {
    if (CWnd* w = form_->GetDlgItem(id)) w->EnableWindow(on);
  };
  enable(IDC_TOOL_ADD, count < SECUserTool::kMaxTools);
  for (int id : {IDC_TOOL_REMOVE, IDC_TOOL_MENU_TEXT, IDC_TOOL_MENU_TEXT_LABEL, IDC_TOOL_COMMAND,
                 IDC_TOOL_COMMAND_LABEL, IDC_TOOL_ARGUMENTS, IDC_TOOL_ARGUMENTS_LABEL, IDC_TOOL_DIRECTORY,
                 IDC_TOOL_DIRECTORY_LABEL}) {
    enable(id, sel >= 0);
  }
  enable(IDC_TOOL_UP, sel > 0);
  enable(IDC_TOOL_DOWN, sel >= 0 && sel < count - 1);
}

void SECToolListEditor::OnSelectionChanged() {
  if (filling_) return;
  store_fields();
  const int sel = box_.GetCurSel();
  edited_ = sel >= 0 && sel < GetToolCount() ? tools_[sel].get() : nullptr;
  show_fields();
}

void SECToolListEditor::OnMenuTextChanged() {
  if (filling_ || !edited_) return;
  const int sel = box_.GetCurSel();
  if (sel < 0) return;
  edited_->m_strMenuText = field_text(IDC_TOOL_MENU_TEXT);
  filling_ = true;
  box_.SetRedraw(FALSE);
  box_.DeleteString(sel);
  box_.InsertString(sel, edited_->m_strMenuText);
  box_.SetCurSel(sel);
  box_.SetRedraw(TRUE);
  box_.Invalidate();
  filling_ = false;
}

void SECToolListEditor::OnMenuTextLeft() {
  if (filling_ || !edited_ || !field_text(IDC_TOOL_MENU_TEXT).IsEmpty()) return;
  AfxMessageBox(IDS_TOOL_NAME_EMPTY, MB_OK | MB_ICONEXCLAMATION);
  if (CWnd* field = form_->GetDlgItem(IDC_TOOL_MENU_TEXT)) field->SetFocus();
}

void SECToolListEditor::OnAdd() {
  if (GetToolCount() >= SECUserTool::kMaxTools) return;
  store_fields();
  auto tool = std::make_unique<SECUserTool>();
  AfxLoadString(IDS_NEW_TOOL, tool->m_strMenuText);
  tools_.push_back(std::move(tool));
  refill_list(GetToolCount() - 1);
  if (CWnd* field = form_->GetDlgItem(IDC_TOOL_MENU_TEXT)) {
    field->SetFocus();
    field->SendMessage(EM_SETSEL, 0, -1);
  }
}

void SECToolListEditor::OnRemove() {
  const int sel = box_.GetCurSel();
  if (sel < 0 || sel >= GetToolCount()) return;
  edited_ = nullptr;  // its fields are not stored
  tools_.erase(tools_.begin() + sel);
  refill_list(sel < GetToolCount() ? sel : GetToolCount() - 1);
}

void SECToolListEditor::move(int by) {
  const int sel = box_.GetCurSel();
  const int to = sel + by;
  if (sel < 0 || to < 0 || to >= GetToolCount()) return;
  store_fields();
  std::swap(tools_[sel], tools_[to]);
  refill_list(to);
}

void SECToolListEditor::OnMoveUp() { move(-1); }

void SECToolListEditor::OnMoveDown() { move(1); }
