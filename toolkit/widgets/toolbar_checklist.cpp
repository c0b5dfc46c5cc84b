#include "toolkit/widgets/toolbar_checklist.h"

#include <algorithm>

#include "platform/base/cp1250.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dock_bar.h"
#include "platform/framework/frame_wnd.h"
#include "platform/win/messages.h"
#include "resources/toolkit_ids.h"
#include "toolkit/widgets/custom_toolbar.h"
#include "toolkit/widgets/menu_bar.h"
#include "toolkit/widgets/toolbar_manager.h"
#include "toolkit/widgets/toolbar_sheet.h"

using namespace resources;

namespace {

constexpr DWORD kCoolBits = BAREX_FLAT | BAREX_GRIPPER;

BOOL IsMenuBar(const SECCustomToolBar* bar) { return dynamic_cast<const SECMenuBar*>(bar) != nullptr; }

// Customize and configure mode on or off for every bar of the manager, with `pWnd` as the window
// the configuring happens from (null: none).
void Configure(SECToolBarManager* manager, BOOL bOn, CWnd* pWnd) {
  if (!manager) return;
  if (bOn) {
    manager->SetBarsCustomizeMode(TRUE);
    manager->EnterConfigMode();
    manager->SetConfigWindow(pWnd);
  } else {
    manager->SetBarsCustomizeMode(FALSE);
    manager->LeaveConfigMode();
  }
}

}  // namespace

// --- SECToolBarChecklist ---------------------------------------------------------------------------

SECToolBarChecklist::~SECToolBarChecklist() = default;

void SECToolBarChecklist::AttachManager(SECToolBarManager* pManager) {
  m_pManager = pManager;
  if (!pManager) return;
  m_bToolTips = m_bOpenToolTips = pManager->IsToolTips();
  m_bCoolLook = m_bOpenCoolLook = pManager->IsCoolLook();
  m_bLargeButtons = m_bOpenLargeButtons = pManager->IsLargeButtons();
}

void SECToolBarChecklist::ApplyCurrent() {
  if (!m_pManager) return;
  m_pManager->SetToolTips(m_bToolTips);
  m_pManager->EnableCoolLook(m_bCoolLook, kCoolBits);
  m_pManager->SetLargeButtons(m_bLargeButtons);
}

void SECToolBarChecklist::RestoreOpening() {
  if (!m_pManager) return;
  m_pManager->SetToolTips(m_bOpenToolTips);
  m_pManager->EnableCoolLook(m_bOpenCoolLook, kCoolBits);
  m_pManager->SetLargeButtons(m_bOpenLargeButtons);
}

void SECToolBarChecklist::ExchangeSettings(CDataExchange* pDX) {
  DDX_Check(pDX, IDC_TB_TOOLTIPS, m_bToolTips);
  DDX_Check(pDX, IDC_TB_COOL, m_bCoolLook);
  DDX_Check(pDX, IDC_TB_LARGE, m_bLargeButtons);
}

SECCustomToolBar* SECToolBarChecklist::BarOfItem(int nIndex) const {
  if (!m_pManager || !m_list.m_hWnd || nIndex < 0 || nIndex >= m_list.GetCount()) return nullptr;
  const UINT id = UINT(m_list.GetItemData(nIndex));
  for (SECCustomToolBar* bar : m_pManager->GetBars()) {
    if (UINT(bar->GetDlgCtrlID()) == id) return bar;
  }
  return nullptr;
}

int SECToolBarChecklist::FindItem(UINT nBarID) const {
  for (int i = 0; m_list.m_hWnd && i < m_list.GetCount(); ++i) {
    if (UINT(m_list.GetItemData(i)) == nBarID) return i;
  }
  return -1;
}

void SECToolBarChecklist::FillList() {
  if (!m_list.m_hWnd) return;
  m_list.ResetContent();
  if (m_pManager) {
    for (SECCustomToolBar* bar : m_pManager->GetBars()) {
      CString title;
      bar->GetWindowText(title);
      const int index = m_list.AddString(title);
      m_list.SetItemData(index, UINT_PTR(bar->GetDlgCtrlID()));
      m_list.SetCheck(index, bar->IsWindowVisible() ? BST_CHECKED : BST_UNCHECKED);
    }
  }
  if (m_list.GetCount() > 0) m_list.SetCurSel(0);
  UpdateSelection();
}

void SECToolBarChecklist::UpdateSelection() {
  if (!m_pForm || !m_pForm->m_hWnd) return;
  SECCustomToolBar* bar = BarOfItem(m_list.GetCurSel());
  CString name;
  if (bar) bar->GetWindowText(name);
  CWnd* edit = m_pForm->GetDlgItem(IDC_TB_NAME);
  if (edit) edit->SetWindowText(name);
  const BOOL user = bar && bar->IsUserBar() && !IsMenuBar(bar);
  if (edit) edit->EnableWindow(user);
  if (CWnd* label = m_pForm->GetDlgItem(IDC_TB_NAME_LABEL)) label->EnableWindow(user);
  CString text;
  AfxLoadString(user ? IDS_DELETE : IDS_RESET, text);
  if (CWnd* button = m_pForm->GetDlgItem(IDC_TB_RESET)) button->SetWindowText(text);
  if (edit) edit->SendMessage(EM_SETMODIFY, FALSE);
}

void SECToolBarChecklist::OnCheckChange() {
  const int index = m_list.GetCurSel();
  SECCustomToolBar* bar = BarOfItem(index);
  if (!bar) return;
  if (IsMenuBar(bar)) {
    m_list.SetCheck(index, BST_CHECKED);
    return;
  }
  CFrameWnd* frame = m_pManager ? m_pManager->GetFrame() : nullptr;
  if (!frame) return;
  frame->ShowControlBar(bar, m_list.GetCheck(index) == BST_CHECKED, FALSE);
  frame->RecalcLayout();
}

void SECToolBarChecklist::OnRename() {
  CWnd* edit = m_pForm->GetDlgItem(IDC_TB_NAME);
  if (!edit || !edit->SendMessage(EM_GETMODIFY)) return;
  const int index = m_list.GetCurSel();
  SECCustomToolBar* bar = BarOfItem(index);
  if (!bar || !bar->IsUserBar() || IsMenuBar(bar)) return;
  CString name;
  edit->GetWindowText(name);
  if (name.GetLength() > SEC_TOOLBAR_NAME_MAX) {
    name = name.Left(SEC_TOOLBAR_NAME_MAX);
    edit->SetWindowText(name);
  }
  bar->SetWindowText(name);
  // A floating bar's frame shows the name as its caption.
  if (bar->IsFloating() && bar->m_pDockBar) {
    if (CWnd* floating = bar->m_pDockBar->GetParent()) floating->SetWindowText(name);
  }
  const int check = m_list.GetCheck(index);
  const UINT_PTR id = m_list.GetItemData(index);
  m_list.DeleteString(index);
  m_list.InsertString(index, name);
  m_list.SetItemData(index, id);
  m_list.SetCheck(index, check);
  m_list.SetCurSel(index);
  edit->SendMessage(EM_SETMODIFY, FALSE);
}

void SECToolBarChecklist::OnResetOrDelete() {
  SECCustomToolBar* bar = BarOfItem(m_list.GetCurSel());
  if (!bar || !m_pManager) return;
  if (auto* menuBar = dynamic_cast<SECMenuBar*>(bar)) {
    menuBar->ResetMenus();
    return;
  }
  if (bar->IsUserBar()) {
    bar->DestroyWindow();
    return;
  }
  int count = 0;
  const UINT* ids = nullptr;
  if (!m_pManager->FindDefinition(UINT(bar->GetDlgCtrlID()), count, ids)) return;
  bar->SetButtons(ids, count);
  if (CFrameWnd* frame = m_pManager->GetFrame()) frame->RecalcLayout();
  bar->Invalidate();
}

BOOL SECToolBarChecklist::OnNew() {
  if (!m_pManager) return FALSE;
  CFrameWnd* frame = m_pManager->GetFrame();
  const BOOL wasConfig = m_pManager->IsConfigMode();
  if (wasConfig) m_pManager->LeaveConfigMode();
  SECNewToolBarDlg dialog(m_pForm);
  const INT_PTR answer = dialog.DoModal();
  if (wasConfig) m_pManager->EnterConfigMode();
  if (answer != IDOK || !frame) return FALSE;
  SECCustomToolBar* bar = m_pManager->CreateUserBar(dialog.m_strName);
  if (!bar) return FALSE;
  // Below the top dock bar at its left; without one at the client area's top left.
  CRect place;
  if (CControlBar* top = frame->GetControlBar(AFX_IDW_DOCKBAR_TOP)) {
    top->GetWindowRect(&place);
    place.top = place.bottom;
  } else {
    frame->GetClientRect(&place);
    frame->ClientToScreen(&place);
  }
  const CPoint point(place.left + 5, place.top + 5);
  frame->FloatControlBar(bar, point, CBRS_ALIGN_TOP);
  frame->ShowControlBar(bar, TRUE, FALSE);
  return TRUE;
}

void SECToolBarChecklist::InsertBar(SECCustomToolBar* pBar) {
  const UINT id = UINT(pBar->GetDlgCtrlID());
  int at = m_list.GetCount();
  for (int i = 0; i < m_list.GetCount(); ++i) {
    if (UINT(m_list.GetItemData(i)) > id) {
      at = i;
      break;
    }
  }
  CString title;
  pBar->GetWindowText(title);
  const int index = m_list.InsertString(at, title);
  m_list.SetItemData(index, id);
  m_list.SetCheck(index, BST_CHECKED);
}

void SECToolBarChecklist::OnBarNotify(UINT nBarID, UINT nCode) {
  if (!m_list.m_hWnd || !m_pManager) return;
  const int index = FindItem(nBarID);
  switch (nCode) {
    case SEC_BARNOTIFY_SHOWN:
    case SEC_BARNOTIFY_HIDDEN:
      if (index >= 0) m_list.SetCheck(index, nCode == SEC_BARNOTIFY_SHOWN ? BST_CHECKED : BST_UNCHECKED);
      break;
    case SEC_BARNOTIFY_CREATED:
      if (index < 0) {
        // Only the frame's own bars are listed: a bar elsewhere with an id in the range is not one.
        for (SECCustomToolBar* bar : m_pManager->GetBars()) {
          if (UINT(bar->GetDlgCtrlID()) == nBarID) {
            InsertBar(bar);
            break;
          }
        }
      }
      break;
    case SEC_BARNOTIFY_DESTROYED:
      if (index >= 0) {
        const BOOL wasSelected = m_list.GetCurSel() == index;
        m_list.DeleteString(index);
        if (wasSelected && m_list.GetCount() > 0) {
          m_list.SetCurSel(std::min(index, m_list.GetCount() - 1));
          UpdateSelection();
        } else if (wasSelected) {
          UpdateSelection();
        }
      }
      break;
    default:
      break;
  }
}

BOOL SECToolBarChecklist::HandleCommand(WPARAM wParam, LPARAM, BOOL* pbCreated) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (pbCreated) *pbCreated = FALSE;
  if (id == IDC_TB_LIST && code == CLBN_CHKCHANGE) {
    OnCheckChange();
    return TRUE;
  }
  if (id == IDC_TB_LIST && code == LBN_SELCHANGE) {
    UpdateSelection();
    return TRUE;
  }
  if (id == IDC_TB_NAME && code == EN_KILLFOCUS) {
    OnRename();
    return TRUE;
  }
  if (id == IDC_TB_RESET && code == BN_CLICKED) {
    OnResetOrDelete();
    return TRUE;
  }
  if (id == IDC_TB_NEW && code == BN_CLICKED) {
    const BOOL made = OnNew();
    if (pbCreated) *pbCreated = made;
    return TRUE;
  }
  return FALSE;
}

// --- SECNewToolBarDlg ------------------------------------------------------------------------------

SECNewToolBarDlg::SECNewToolBarDlg(CWnd* pParent) : CGSDialog(IDD_NEW_TOOLBAR, pParent) {}

void SECNewToolBarDlg::DoDataExchange(CDataExchange* pDX) {
  CGSDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_TB_NEW_NAME, m_strName);
}

BOOL SECNewToolBarDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  UpdateOK();
  return TRUE;
}

void SECNewToolBarDlg::UpdateOK() {
  CWnd* edit = GetDlgItem(IDC_TB_NEW_NAME);
  CString text;
  if (edit) edit->GetWindowText(text);
  if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(!text.IsEmpty());
}

BOOL SECNewToolBarDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_TB_NEW_NAME && HIWORD(wParam) == EN_CHANGE) {
    if (CWnd* edit = GetDlgItem(IDC_TB_NEW_NAME)) {
      CString text;
      edit->GetWindowText(text);
      if (text.GetLength() > SEC_TOOLBAR_NAME_MAX) edit->SetWindowText(text.Left(SEC_TOOLBAR_NAME_MAX));
    }
    UpdateOK();
    return TRUE;
  }
  return CGSDialog::OnCommand(wParam, lParam);
}

// --- SECToolBarsDlg ------------------------------------------------------------------------------

SECToolBarsDlg::SECToolBarsDlg(CWnd* pParent) : CGSDialog(IDD_TOOLBARS_DIALOG, pParent), SECToolBarChecklist(this) {}

SECToolBarsDlg::~SECToolBarsDlg() {
  if (m_pManager) m_pManager->RemoveListener(this);
}

void SECToolBarsDlg::DoDataExchange(CDataExchange* pDX) {
  CGSDialog::DoDataExchange(pDX);
  ExchangeSettings(pDX);
}

BOOL SECToolBarsDlg::OnInitDialog() {
  m_list.SubclassDlgItem(IDC_TB_LIST, this);
  CGSDialog::OnInitDialog();
  CenterWindow();
  FillList();
  Configure(m_pManager, TRUE, this);
  if (m_pManager) m_pManager->AddListener(this);
  SetWindowText(base::cp1250::from_utf8("Paski narzędzi").c_str());
  for (int id : {IDC_TB_COOL, IDC_TB_LARGE}) {
    if (CWnd* box = GetDlgItem(id)) box->ShowWindow(SW_HIDE);
  }
  const std::pair<int, const char*> texts[] = {
      {IDC_TB_TOOLTIPS, "Pokaż &etykietki"}, {IDC_TB_NEW, "&Nowy..."}, {IDC_TB_CUSTOMIZE, "&Dostosuj..."},
      {IDOK, "Zamknij"}, {IDC_TB_NAME_LABEL, "Nazwa paska"},
  };
  for (const auto& [id, text] : texts) {
    if (CWnd* control = GetDlgItem(id)) control->SetWindowText(base::cp1250::from_utf8(text).c_str());
  }
  UpdateSelection();
  return TRUE;
}

void SECToolBarsDlg::Finish(int nCode, BOOL bApply) {
  Configure(m_pManager, FALSE, nullptr);
  if (m_pManager) {
    m_pManager->RemoveListener(this);
    m_pManager->SetConfigWindow(nullptr);
  }
  if (bApply) ApplyCurrent();
  EndDialog(nCode);
}

void SECToolBarsDlg::OnOK() {
  UpdateData(TRUE);
  Finish(IDOK, TRUE);
}

void SECToolBarsDlg::OnCancel() { Finish(IDCANCEL, FALSE); }

BOOL SECToolBarsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (id == IDC_TB_TOOLTIPS && code == BN_CLICKED) {
    UpdateData(TRUE);
    ApplyCurrent();
    return TRUE;
  }
  if (id == IDC_TB_CUSTOMIZE && code == BN_CLICKED) {
    UpdateData(TRUE);
    Finish(IDC_TB_CUSTOMIZE, TRUE);
    return TRUE;
  }
  BOOL created = FALSE;
  if (HandleCommand(wParam, lParam, &created)) {
    // A new toolbar is customized next: the caller opens the customize sheet.
    if (created) {
      UpdateData(TRUE);
      Finish(IDC_TB_CUSTOMIZE, TRUE);
    }
    return TRUE;
  }
  return CGSDialog::OnCommand(wParam, lParam);
}

LRESULT SECToolBarsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SECBarNotifyMessage()) {
    OnBarNotify(UINT(wParam), UINT(lParam));
    return 0;
  }
  return CGSDialog::WindowProc(message, wParam, lParam);
}

INT_PTR SECToolBarManager::RunToolBarsDialog() {
  SECToolBarsDlg dialog(m_pFrameWnd);
  dialog.AttachManager(this);
  return dialog.DoModal();
}

// --- SECToolBarVisibilityPage ------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECToolBarVisibilityPage, CGSPropertyPage)

SECToolBarVisibilityPage::SECToolBarVisibilityPage(UINT nIDTemplate, UINT nIDCaption)
    : CGSPropertyPage(nIDTemplate, nIDCaption), SECToolBarChecklist(this) {}

SECToolBarVisibilityPage::~SECToolBarVisibilityPage() {
  if (m_pManager) {
    m_pManager->RemoveListener(this);
    m_pManager->SetConfigWindow(nullptr);
  }
}

void SECToolBarVisibilityPage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  ExchangeSettings(pDX);
}

BOOL SECToolBarVisibilityPage::OnInitDialog() {
  m_list.SubclassDlgItem(IDC_TB_LIST, this);
  CGSPropertyPage::OnInitDialog();
  FillList();
  if (m_pManager) m_pManager->AddListener(this);
  return TRUE;
}

BOOL SECToolBarVisibilityPage::OnSetActive() {
  Configure(m_pManager, TRUE, GetParent());
  return CGSPropertyPage::OnSetActive();
}

BOOL SECToolBarVisibilityPage::OnKillActive() {
  if (m_pManager) {
    Configure(m_pManager, FALSE, nullptr);
    if (CWnd* sheet = GetParent()) sheet->EnableWindow(TRUE);
  }
  return CGSPropertyPage::OnKillActive();
}

void SECToolBarVisibilityPage::OnOK() {
  CGSPropertyPage::OnOK();
  ApplyCurrent();
}

void SECToolBarVisibilityPage::OnCancel() {
  OnReset();
  CGSPropertyPage::OnCancel();
}

void SECToolBarVisibilityPage::OnReset() {
  if (m_pManager) {
    Configure(m_pManager, FALSE, nullptr);
    m_pManager->SetConfigWindow(nullptr);
  }
  RestoreOpening();
  CGSPropertyPage::OnReset();
}

void SECToolBarVisibilityPage::TellSiblings(WPARAM what) {
  CWnd* sheet = GetParent();
  for (CWnd* child = sheet ? sheet->GetWindow(GW_CHILD) : nullptr; child; child = child->GetWindow(GW_HWNDNEXT)) {
    if (child == this) continue;
    if (dynamic_cast<CPropertyPage*>(CWnd::FromHandlePermanent(child->m_hWnd))) {
      child->SendMessage(SECToolBarStyleChangingMessage(), what);
    }
  }
}

BOOL SECToolBarVisibilityPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  if (HIWORD(wParam) == BN_CLICKED && (id == IDC_TB_TOOLTIPS || id == IDC_TB_COOL || id == IDC_TB_LARGE)) {
    UpdateData(TRUE);
    if (!m_pManager) return TRUE;
    if (id == IDC_TB_TOOLTIPS) {
      m_pManager->SetToolTips(m_bToolTips);
    } else if (id == IDC_TB_COOL) {
      m_pManager->EnableCoolLook(m_bCoolLook, kCoolBits);
      TellSiblings(SEC_TBSTYLE_COOL_LOOK);
    } else {
      m_pManager->SetLargeButtons(m_bLargeButtons);
      TellSiblings(SEC_TBSTYLE_LARGE_BUTTONS);
    }
    return TRUE;
  }
  if (HandleCommand(wParam, lParam)) return TRUE;
  return CGSPropertyPage::OnCommand(wParam, lParam);
}

LRESULT SECToolBarVisibilityPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SECBarNotifyMessage()) {
    OnBarNotify(UINT(wParam), UINT(lParam));
    return 0;
  }
  return CGSPropertyPage::WindowProc(message, wParam, lParam);
}
