#include "platform/base/cp1250.h"
#include "navigation/history_tab.h"

#include "navigation/topic_ole.h"

#include <algorithm>

#include "navigation/gtf_sheet.h"
#include "navigation/nav_commands.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/lumo_kal_doc.h"
#include "shell/lumo_app.h"

using namespace resources;

IMPLEMENT_DYNAMIC(CHistoryTab, CEntryListTab)

BEGIN_MESSAGE_MAP(CHistoryTab, CEntryListTab)
  ON_WM_SIZE()
  ON_WM_CONTEXTMENU()
  ON_COMMAND(ID_ENTRY_OPEN, &CHistoryTab::OnOpen)
  ON_COMMAND(ID_ENTRY_OPEN_NEW_SHEET, &CHistoryTab::OnOpenNewSheet)
  ON_COMMAND(ID_ENTRY_LOCATE_IN_LIBRARY, &CHistoryTab::OnLocate)
  ON_COMMAND(ID_ENTRY_ADD_BOOKMARK, &CHistoryTab::OnAddBookmark)
  ON_COMMAND(ID_ADD_SELECTED_TO_PRINT_LIST, &CHistoryTab::OnAddToPrintList)
  ON_COMMAND(ID_HISTORY_CLEAR, &CHistoryTab::OnClear)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN, &CHistoryTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN_NEW_SHEET, &CHistoryTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_LOCATE_IN_LIBRARY, &CHistoryTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_ADD_BOOKMARK, &CHistoryTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ADD_SELECTED_TO_PRINT_LIST, &CHistoryTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_HISTORY_CLEAR, &CHistoryTab::OnUpdateClear)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_INFORMATION, &CHistoryTab::OnUpdateEntryCommand)
  ON_NOTIFY(NM_DBLCLK, IDC_HISTORY_LIST, &CHistoryTab::OnListOpen)
  ON_NOTIFY(NM_RETURN, IDC_HISTORY_LIST, &CHistoryTab::OnListOpen)
  ON_NOTIFY(NM_SETFOCUS, IDC_HISTORY_LIST, &CHistoryTab::OnListSetFocus)
END_MESSAGE_MAP()

CHistoryTab::CHistoryTab() = default;
CHistoryTab::~CHistoryTab() = default;

BOOL CHistoryTab::Create(CWnd* pTabWnd) { return CreateTab(IDD_HISTORY_TAB, pTabWnd); }

BOOL CHistoryTab::OnInitDialog() {
  CEntryListTab::OnInitDialog();
  CreateTabToolBar(IDR_HISTORY_TOOLBAR);
  InitList(IDC_HISTORY_LIST);
  return TRUE;
}

void CHistoryTab::OnSize(UINT nType, int cx, int cy) {
  CEntryListTab::OnSize(nType, cx, cy);
  LayoutList(IDC_HISTORY_LABEL, 170);
}

void CHistoryTab::Bind(CView* pView, HistoryList* pList) {
  m_pView = pView;
  m_pList = pList;
  FillList();
}

CMvHistoryItem* CHistoryTab::EntryOfRow(int row) const {
  if (!m_pList || row < 0 || row >= m_list.GetItemCount()) return nullptr;
  const auto* entry = reinterpret_cast<const CMvHistoryItem*>(m_list.GetItemData(row));
  for (const auto& item : *m_pList) {
    if (item.get() == entry) return item.get();
  }
  return nullptr;
}

int32_t CHistoryTab::TopicOfRow(int row) const {
  const CMvHistoryItem* entry = m_pView ? EntryOfRow(row) : nullptr;
  return entry ? entry->m_nTopic : -1;
}

const CMvHistoryItem* CHistoryTab::TakeSelected() {
  const CMvHistoryItem* entry = EntryOfRow(GetSelectedRow());
  if (!entry) return nullptr;
  m_pWorking = std::make_unique<CMvHistoryItem>(*entry);
  return m_pWorking.get();
}

void CHistoryTab::InsertItem(const shell::ActDescription& description, const CMvHistoryItem* item) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (work) work->SetModifiedFlag();
  // The newest place of an unsorted list goes in at the top: only its row is described, the others
  // are renumbered and those past the row limit go. Anything else is listed afresh.
  if (!m_list.m_hWnd || !work || !m_pList || m_pList->empty() || m_pList->back().get() != item ||
      m_list.m_nSortColumn != -1) {
    Rebuild(&description, item);
    return;
  }
  const navtext::EntryTexts texts = navcmd::DescribeRow(*work, description);
  m_list.SetRedraw(FALSE);
  PutRow(0, 1, texts, texts.title, reinterpret_cast<DWORD_PTR>(item));
  const int count = std::min(int(m_pList->size()), kHistoryRows);
  while (m_list.GetItemCount() > count) m_list.DeleteItem(m_list.GetItemCount() - 1);
  // The rows below must still stand for the list's places, newest first.
  bool matches = m_list.GetItemCount() == count;
  for (int row = 1; matches && row < count; ++row) {
    matches = m_list.GetItemData(row) == reinterpret_cast<DWORD_PTR>((*m_pList)[m_pList->size() - 1 - size_t(row)].get());
    if (matches) m_list.SetItemText(row, 0, CString(std::to_string(row + 1)));
  }
  if (!matches) {
    Rebuild(&description, item);
    return;
  }
  m_list.SetRedraw(TRUE);
  m_list.Invalidate();
  CGTFSheet::RefreshQueryScopes();
}

void CHistoryTab::FillList() { Rebuild(nullptr, nullptr); }

void CHistoryTab::Rebuild(const shell::ActDescription* known, const CMvHistoryItem* known_item) {
  if (!m_list.m_hWnd) return;
  BeginWaitCursor();
  m_list.SetRedraw(FALSE);
  m_list.DeleteAllItems();
  m_list.m_nSortColumn = -1;
  m_list.m_bSortAscending = 1;
  const CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (m_pList && work) {
    shell::ActDescription description;
    const int count = std::min(int(m_pList->size()), kHistoryRows);
    for (int row = 0; row < count; ++row) {
      const CMvHistoryItem* item = (*m_pList)[m_pList->size() - 1 - size_t(row)].get();
      const shell::ActDescription* d = &description;
      if (item == known_item && known) {
        d = known;
      } else {
        work->GetActDescription(item->m_nTopic, description);
      }
      const navtext::EntryTexts texts = navcmd::DescribeRow(*work, *d);
      PutRow(row, row + 1, texts, texts.title, reinterpret_cast<DWORD_PTR>(item));
    }
  }
  m_list.SetRedraw(TRUE);
  m_list.Invalidate();
  EndWaitCursor();
  CGTFSheet::RefreshQueryScopes();
}

engine::GroupPtr CHistoryTab::BuildGroup() const {
  if (!CLumoKALDoc::GetCurrentWork() || !m_pList) return nullptr;
  std::vector<int32_t> topics;
  for (const auto& item : *m_pList) topics.push_back(item->m_nTopic);
  return navcmd::GroupOf(topics);
}

// --- Commands ------------------------------------------------------------------------------------

void CHistoryTab::OnUpdateEntryCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(m_pList && GetSelectedRow() >= 0); }

void CHistoryTab::OnUpdateClear(CCmdUI* pCmdUI) { pCmdUI->Enable(m_pList && m_list.GetItemCount() > 0); }

void CHistoryTab::OnOpen() {
  const int row = GetSelectedRow();
  const CMvHistoryItem* entry = TakeSelected();
  if (!entry) return;
  entry->ShowInWork();
  // The jump puts a new place at the top, which moves the opened one a row down.
  if (row < kHistoryRows) SelectRow(row);
  SelectRow(row + 1);
}

void CHistoryTab::OnOpenNewSheet() {
  if (const CMvHistoryItem* entry = TakeSelected()) {
    if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->SetSavedTopic(entry->m_nTopic);
    OnOpen();
  }
}

void CHistoryTab::OnLocate() {
  if (const CMvHistoryItem* entry = TakeSelected()) navcmd::LocateInLibrary(entry->m_nTopic);
}

void CHistoryTab::OnAddBookmark() {
  if (const CMvHistoryItem* entry = TakeSelected()) navcmd::AddBookmarkFor(entry->m_nTopic);
}

void CHistoryTab::OnAddToPrintList() {
  if (const CMvHistoryItem* entry = TakeSelected()) navcmd::AddRecordToPrintList(entry->m_nTopic);
}

void CHistoryTab::OnClear() {
  if (!m_pList) return;
  m_pList->clear();
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->SetModifiedFlag();
  m_list.DeleteAllItems();
}

void CHistoryTab::OnListOpen(NMHDR*, LRESULT* pResult) {
  OnOpen();
  *pResult = 0;
}

void CHistoryTab::OnListSetFocus(NMHDR*, LRESULT* pResult) {
  if (m_list.GetItemCount() > 0 && GetSelectedRow() < 0) SelectRow(0);
  ShowSelectedInActInfo(FALSE);
  *pResult = 0;
}

void CHistoryTab::OnContextMenu(CWnd*, CPoint point) {
  if (m_list.GetItemCount() == 0) return;
  TrackTabMenu(IDR_HISTORY_MENU, GetSelectedRow() >= 0 ? 0 : 1, point);
}

CString CHistoryTab::GetPrintHeading() const { return CString(base::cp1250::from_utf8("Historia pracy:\r\n")); }

void CHistoryTab::BeginRowDrag(int row) {
  CLumoApp* app = LumoApp();
  if (const CMvHistoryItem* entry = EntryOfRow(row); app && entry) app->DragTopic(entry->m_nTopic, this, topicdrag::kFromHistory);
}
