#include "toolkit/widgets/tool_list_page.h"

#include <utility>

#include "platform/framework/control_messages.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "resources/resource_ids.h"

using namespace resources;

BEGIN_MESSAGE_MAP(SECToolListPage, CGSPropertyPage)
  ON_CONTROL(LBN_SELCHANGE, IDC_TOOL_LIST, &SECToolListPage::OnSelectionChanged)
  ON_CONTROL(EN_CHANGE, IDC_TOOL_MENU_TEXT, &SECToolListPage::OnMenuTextChanged)
  ON_CONTROL(EN_KILLFOCUS, IDC_TOOL_MENU_TEXT, &SECToolListPage::OnMenuTextLeft)
  ON_CONTROL(BN_CLICKED, IDC_TOOL_ADD, &SECToolListPage::OnAdd)
  ON_CONTROL(BN_CLICKED, IDC_TOOL_REMOVE, &SECToolListPage::OnRemove)
  ON_CONTROL(BN_CLICKED, IDC_TOOL_UP, &SECToolListPage::OnMoveUp)
  ON_CONTROL(BN_CLICKED, IDC_TOOL_DOWN, &SECToolListPage::OnMoveDown)
END_MESSAGE_MAP()

SECToolListPage::SECToolListPage(SECUserToolList* list, UINT template_id, UINT caption_id)
    : CGSPropertyPage(template_id, caption_id), list_(list) {}

BOOL SECToolListPage::OnInitDialog() {
  box_.SubclassDlgItem(IDC_TOOL_LIST, this);
  return CGSPropertyPage::OnInitDialog();
}

void SECToolListPage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
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

void SECToolListPage::refill_list(int select) {
  filling_ = true;
  box_.ResetContent();
  for (const auto& tool : tools_) box_.AddString(tool->m_strMenuText);
  if (select >= GetToolCount()) select = GetToolCount() - 1;
  box_.SetCurSel(select);
  filling_ = false;
  edited_ = select >= 0 ? tools_[select].get() : nullptr;
  show_fields();
}

void SECToolListPage::store_fields() {
  if (!edited_) return;
  edited_->m_strCommand = GetDlgItemText(IDC_TOOL_COMMAND);
  edited_->m_strArgs = GetDlgItemText(IDC_TOOL_ARGUMENTS);
  edited_->m_strDirectory = GetDlgItemText(IDC_TOOL_DIRECTORY);
}

void SECToolListPage::show_fields() {
  filling_ = true;
  SetDlgItemText(IDC_TOOL_MENU_TEXT, edited_ ? edited_->m_strMenuText.GetString() : "");
  SetDlgItemText(IDC_TOOL_COMMAND, edited_ ? edited_->m_strCommand.GetString() : "");
  SetDlgItemText(IDC_TOOL_ARGUMENTS, edited_ ? edited_->m_strArgs.GetString() : "");
  SetDlgItemText(IDC_TOOL_DIRECTORY, edited_ ? edited_->m_strDirectory.GetString() : "");
  filling_ = false;
  update_controls();
}

void SECToolListPage::update_controls() {
  const int sel = box_.m_hWnd ? box_.GetCurSel() : -1;
  const int count = GetToolCount();
  auto enable = [this](int id, bool on) {
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(on);
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

void SECToolListPage::OnSelectionChanged() {
  if (filling_) return;
  store_fields();
  const int sel = box_.GetCurSel();
  edited_ = sel >= 0 && sel < GetToolCount() ? tools_[sel].get() : nullptr;
  show_fields();
}

void SECToolListPage::OnMenuTextChanged() {
  if (filling_ || !edited_) return;
  const int sel = box_.GetCurSel();
  if (sel < 0) return;
  edited_->m_strMenuText = GetDlgItemText(IDC_TOOL_MENU_TEXT);
  filling_ = true;
  box_.SetRedraw(FALSE);
  box_.DeleteString(sel);
  box_.InsertString(sel, edited_->m_strMenuText);
  box_.SetCurSel(sel);
  box_.SetRedraw(TRUE);
  box_.Invalidate();
  filling_ = false;
}

void SECToolListPage::OnMenuTextLeft() {
  if (filling_ || !edited_ || !GetDlgItemText(IDC_TOOL_MENU_TEXT).IsEmpty()) return;
  AfxMessageBox(IDS_TOOL_NAME_EMPTY, MB_OK | MB_ICONEXCLAMATION);
  if (CWnd* field = GetDlgItem(IDC_TOOL_MENU_TEXT)) field->SetFocus();
}

void SECToolListPage::OnAdd() {
  if (GetToolCount() >= SECUserTool::kMaxTools) return;
  store_fields();
  auto tool = std::make_unique<SECUserTool>();
  AfxLoadString(IDS_NEW_TOOL, tool->m_strMenuText);
  tools_.push_back(std::move(tool));
  refill_list(GetToolCount() - 1);
  if (CWnd* field = GetDlgItem(IDC_TOOL_MENU_TEXT)) {
    field->SetFocus();
    field->SendMessage(EM_SETSEL, 0, -1);
  }
}

void SECToolListPage::OnRemove() {
  const int sel = box_.GetCurSel();
  if (sel < 0 || sel >= GetToolCount()) return;
  edited_ = nullptr;  // its fields are not stored
  tools_.erase(tools_.begin() + sel);
  refill_list(sel < GetToolCount() ? sel : GetToolCount() - 1);
}

void SECToolListPage::move(int by) {
  const int sel = box_.GetCurSel();
  const int to = sel + by;
  if (sel < 0 || to < 0 || to >= GetToolCount()) return;
  store_fields();
  std::swap(tools_[sel], tools_[to]);
  refill_list(to);
}

void SECToolListPage::OnMoveUp() { move(-1); }

void SECToolListPage::OnMoveDown() { move(1); }
