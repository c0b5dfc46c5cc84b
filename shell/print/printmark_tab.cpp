#include "shell/print/printmark_tab.h"

#include "navigation/gtf_sheet.h"
#include "navigation/nav_commands.h"
#include "navigation/topic_ole.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/kal_print_job.h"
#include "shell/print/print_texts.h"
#include "shell/lumo_app.h"

using namespace resources;

IMPLEMENT_DYNAMIC(CPrintmarkTab, CEntryListTab)

BEGIN_MESSAGE_MAP(CPrintmarkTab, CEntryListTab)
  ON_WM_SIZE()
  ON_WM_CONTEXTMENU()
  ON_COMMAND(ID_ENTRY_OPEN, &CPrintmarkTab::OnOpen)
  ON_COMMAND(ID_ENTRY_LOCATE_IN_LIBRARY, &CPrintmarkTab::OnLocate)
  ON_COMMAND(ID_ENTRY_ADD_BOOKMARK, &CPrintmarkTab::OnAddBookmark)
  ON_COMMAND(ID_PRINT_ENTRY_LIST, &CPrintmarkTab::OnPrintList)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN, &CPrintmarkTab::OnUpdateRowCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_LOCATE_IN_LIBRARY, &CPrintmarkTab::OnUpdateRowCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_ADD_BOOKMARK, &CPrintmarkTab::OnUpdateRowCommand)
  ON_UPDATE_COMMAND_UI(ID_PRINT_ENTRY_LIST, &CPrintmarkTab::OnUpdatePrintList)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_INFORMATION, &CPrintmarkTab::OnUpdateInformation)
  ON_NOTIFY(NM_DBLCLK, IDC_PRINT_LIST, &CPrintmarkTab::OnListOpen)
  ON_NOTIFY(NM_RETURN, IDC_PRINT_LIST, &CPrintmarkTab::OnListOpen)
END_MESSAGE_MAP()

CPrintmarkTab::CPrintmarkTab() = default;
CPrintmarkTab::~CPrintmarkTab() = default;

BOOL CPrintmarkTab::Create(CWnd* pTabWnd) { return CreateTab(IDD_PRINT_LIST_TAB, pTabWnd); }

BOOL CPrintmarkTab::OnInitDialog() {
  CEntryListTab::OnInitDialog();
  CreateTabToolBar(IDR_PRINT_LIST_TOOLBAR);
  InitList(IDC_PRINT_LIST);
  return TRUE;
}

void CPrintmarkTab::OnSize(UINT nType, int cx, int cy) {
  CEntryListTab::OnSize(nType, cx, cy);
  LayoutList(IDC_PRINT_LIST_LABEL, 120);
}

void CPrintmarkTab::PutRecord(int32_t record) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work || !m_list.m_hWnd) return;
  shell::ActDescription d;
  work->GetActDescription(record, d);
  const navtext::EntryTexts texts = navcmd::DescribeRow(*work, d);
  const int row = m_list.GetItemCount();
  PutRow(row, row + 1, texts, texts.title, DWORD_PTR(record));
}

void CPrintmarkTab::AddRows(const shell::ActDescription& d, int mode) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work) return;
  std::vector<int32_t> added;
  const int32_t record = d.records[size_t(d.record.level)] >= 0 ? d.records[size_t(d.record.level)] : -1;
  const int level = d.record.level;
  if (mode != kWholeAct || level >= shell::kLevelIssue) {
    if (record >= 0) added.push_back(record);
  } else {
    const int32_t act = d.records[shell::kLevelAct];
    if (act < 0) return;
    added.push_back(act);
    // The act's units follow it in the index; the index's end ends them too.
    shell::ContentsRecord next;
    for (int32_t n = act + 1; work->ReadCatalogRecord(n, next) && next.level < shell::kLevelAct; ++n) {
      added.push_back(n);
    }
  }
  for (int32_t n : added) {
    m_records.push_back(n);
    PutRecord(n);
  }
  CGTFSheet::RefreshQueryScopes();
}

void CPrintmarkTab::FillList() {
  if (!m_list.m_hWnd) return;
  m_list.SetRedraw(FALSE);
  m_list.DeleteAllItems();
  m_list.m_nSortColumn = -1;
  m_list.m_bSortAscending = 1;
  for (int32_t record : m_records) PutRecord(record);
  m_list.SetRedraw(TRUE);
}

void CPrintmarkTab::RemoveAll() {
  m_records.clear();
  if (m_list.m_hWnd) m_list.DeleteAllItems();
  CGTFSheet::RefreshQueryScopes();
}

int32_t CPrintmarkTab::TopicOfRow(int row) const {
  if (row < 0 || row >= m_list.GetItemCount()) return -1;
  return int32_t(m_list.GetItemData(row));
}

void CPrintmarkTab::BeginRowDrag(int row) {
  CLumoApp* app = LumoApp();
  if (const int32_t record = TopicOfRow(row); app && record >= 0) app->DragTopic(record, this, topicdrag::kFromPrintList);
}

engine::GroupPtr CPrintmarkTab::BuildTopicGroup() const {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work) return nullptr;
  std::vector<int32_t> topics;
  for (const auto& item : work->GetPrintList()) topics.push_back(item->m_nTopic);
  return navcmd::GroupOf(topics);
}

void CPrintmarkTab::OnContextMenu(CWnd*, CPoint point) {
  if (m_list.GetItemCount() == 0) return;
  TrackTabMenu(IDR_PRINTMARK_MENU, GetSelectedRow() >= 0 ? 0 : 1, point);
}

void CPrintmarkTab::OnOpen() {
  const int32_t record = TopicOfRow(GetSelectedRow());
  if (record >= 0) navcmd::OpenRecord(record, false);
}

void CPrintmarkTab::OnLocate() {
  const int32_t record = TopicOfRow(GetSelectedRow());
  if (record >= 0) navcmd::LocateInLibrary(record);
}

void CPrintmarkTab::OnAddBookmark() {
  const int32_t record = TopicOfRow(GetSelectedRow());
  if (record >= 0) navcmd::AddBookmarkFor(record);
}

void CPrintmarkTab::OnPrintList() {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work || work->GetPrintList().empty()) return;
  CKALPrintJob job;
  if (CLumoApp* app = LumoApp()) {
    const CUserData& settings = app->GetUserData();
    job.pageFormat = printtext::PageFormat(settings.m_bPageNumbers);
    job.footerText = printtext::WorkInfoFromSettings(settings, app->GetDocumentData().m_strTitle);
  }
  job.Print();
}

void CPrintmarkTab::OnUpdateRowCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TopicOfRow(GetSelectedRow()) >= 0); }

void CPrintmarkTab::OnUpdatePrintList(CCmdUI* pCmdUI) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  pCmdUI->Enable(work && !work->GetPrintList().empty());
}

// What the act information should show of a print-list entry is not settled: off until it is.
void CPrintmarkTab::OnUpdateInformation(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void CPrintmarkTab::OnListOpen(NMHDR*, LRESULT* pResult) {
  OnOpen();
  *pResult = 0;
}
