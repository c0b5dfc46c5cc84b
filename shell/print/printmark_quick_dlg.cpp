#include "shell/print/printmark_quick_dlg.h"

#include "engine/frame/topic_layout.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "platform/framework/control_messages.h"
#include "resources/app_ids.h"
#include "shell/frame_placement.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/printmark_tab.h"
#include "shell/view/lumo_kal_view.h"

using namespace resources;

namespace {
constexpr const char* kPlacementValue = "PrintmarkQuickPos";
}  // namespace

BEGIN_MESSAGE_MAP(CPrintmarkQuickDlg, CGSDialog)
  ON_COMMAND(IDC_PRINTMARK_ADD, &CPrintmarkQuickDlg::OnAdd)
END_MESSAGE_MAP()

CPrintmarkQuickDlg::CPrintmarkQuickDlg(std::vector<std::unique_ptr<CMvPrintmarkItem>>* pList,
                                       medview::ViewerHandle viewer, CLumoKALView* pView, CWnd* pParent)
    : CGSDialog(IDD_PRINTMARK_QUICK, pParent), m_pList(pList), m_pViewer(viewer), m_pView(pView) {}

BOOL CPrintmarkQuickDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  m_nTopic = m_pViewer ? frame::MvGetCurrentTopic(m_pViewer) : -1;
  const int level = m_pView ? m_pView->GetActDescription().record.level : 0;
  if (level >= shell::kLevelIssue) {
    GetDlgItem(IDC_PRINTMARK_WHOLE_ACT)->EnableWindow(FALSE);
    CheckDlgButton(IDC_PRINTMARK_VISIBLE, BST_CHECKED);
  } else {
    CheckDlgButton(IDC_PRINTMARK_WHOLE_ACT, BST_CHECKED);
  }
  // A selected fragment and units chosen from a list cannot be kept as places yet: they add
  // nothing, so they are not offered.
  GetDlgItem(IDC_PRINTMARK_SELECTION)->EnableWindow(FALSE);
  GetDlgItem(IDC_PRINTMARK_CHOSEN)->EnableWindow(FALSE);
  frame_placement::RestorePosition(m_hWnd, kPlacementValue);
  return TRUE;
}

UINT CPrintmarkQuickDlg::GetChoice() const {
  for (UINT id : {IDC_PRINTMARK_SELECTION, IDC_PRINTMARK_VISIBLE, IDC_PRINTMARK_WHOLE_ACT, IDC_PRINTMARK_CHOSEN}) {
    if (IsDlgButtonChecked(int(id)) == BST_CHECKED) return id;
  }
  return 0;
}

void CPrintmarkQuickDlg::OnAdd() {
  const UINT choice = GetChoice();
  const int mode = choice == IDC_PRINTMARK_VISIBLE    ? CPrintmarkTab::kVisibleUnit
                   : choice == IDC_PRINTMARK_WHOLE_ACT ? CPrintmarkTab::kWholeAct
                                                       : 0;
  if (mode && m_pList && m_pViewer) {
    m_pList->push_back(std::make_unique<CMvPrintmarkItem>(m_pViewer, LibraryTitle(), 7));
    if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->SetModifiedFlag();
    COutputWnd* nav = navcmd::FindOutputWnd();
    if (nav && nav->GetPrintmarkTab() && m_pView) nav->GetPrintmarkTab()->AddRows(m_pView->GetActDescription(), mode);
  }
  frame_placement::Store(m_hWnd, kPlacementValue);
  EndDialog(IDOK);
}

BOOL AddViewPlaceToPrintList(CLumoKALView* pView) {
  CLumoKALDoc* work = pView ? pView->GetWork() : nullptr;
  if (!work || !pView->GetTextPane().GetViewer()) return FALSE;
  const size_t before = work->GetPrintList().size();
  CPrintmarkQuickDlg dialog(&work->GetPrintList(), pView->GetTextPane().GetViewer(), pView, pView);
  return dialog.DoModal() == IDOK && work->GetPrintList().size() > before;
}
