#include "navigation/keywordsres_tab.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "engine/medview/viewer.h"
#include "navigation/du_tree.h"
#include "navigation/gtf_sheet.h"
#include "navigation/keyword_hits.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/topic_ole.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/lumo_app.h"

using namespace resources;

IMPLEMENT_DYNAMIC(CKeywordsresTab, CEntryListTab)

BEGIN_MESSAGE_MAP(CKeywordsresTab, CEntryListTab)
  ON_WM_SIZE()
  ON_WM_CONTEXTMENU()
  ON_WM_SETFOCUS()
  ON_COMMAND(ID_ENTRY_OPEN, &CKeywordsresTab::OnOpen)
  ON_COMMAND(ID_ENTRY_OPEN_NEW_SHEET, &CKeywordsresTab::OnOpenNewSheet)
  ON_COMMAND(ID_ENTRY_LOCATE_IN_LIBRARY, &CKeywordsresTab::OnLocate)
  ON_COMMAND(ID_ENTRY_ADD_BOOKMARK, &CKeywordsresTab::OnAddBookmark)
  ON_COMMAND(ID_ADD_SELECTED_TO_PRINT_LIST, &CKeywordsresTab::OnAddToPrintList)
  ON_COMMAND(ID_KEYWORD_RESULTS_CLEAR, &CKeywordsresTab::OnClear)
  ON_COMMAND_RANGE(ID_KEYWORD_TITLES_INDEX, ID_KEYWORD_SUBJECT_INDEX, &CKeywordsresTab::OnIndexDialog)
  ON_COMMAND_RANGE(ID_KEYWORD_FORMULAS_INDEX, ID_KEYWORD_TABLES_INDEX, &CKeywordsresTab::OnIndexDialog)
  ON_COMMAND_RANGE(ID_KEYWORD_DATE_INDEX, ID_KEYWORD_DATE_INDEX, &CKeywordsresTab::OnIndexDialog)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN, &CKeywordsresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN_NEW_SHEET, &CKeywordsresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_LOCATE_IN_LIBRARY, &CKeywordsresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_ADD_BOOKMARK, &CKeywordsresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ADD_SELECTED_TO_PRINT_LIST, &CKeywordsresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_INFORMATION, &CKeywordsresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_PRINT_ENTRY_LIST, &CKeywordsresTab::OnUpdateListCommand)
  ON_UPDATE_COMMAND_UI(ID_KEYWORD_RESULTS_CLEAR, &CKeywordsresTab::OnUpdateListCommand)
  ON_NOTIFY(NM_DBLCLK, IDC_KEYWORD_RESULTS_LIST, &CKeywordsresTab::OnListOpen)
  ON_NOTIFY(NM_RETURN, IDC_KEYWORD_RESULTS_LIST, &CKeywordsresTab::OnListOpen)
END_MESSAGE_MAP()

CKeywordsresTab::CKeywordsresTab() = default;
CKeywordsresTab::~CKeywordsresTab() = default;

BOOL CKeywordsresTab::Create(CWnd* pTabWnd) { return CreateTab(IDD_KEYWORD_RESULTS_TAB, pTabWnd); }

BOOL CKeywordsresTab::OnInitDialog() {
  CEntryListTab::OnInitDialog();
  if (!CreateTabToolBar(IDR_KEYWORD_RESULTS_TOOLBAR)) return TRUE;
  InitList(IDC_KEYWORD_RESULTS_LIST);
  return TRUE;
}

void CKeywordsresTab::OnSize(UINT nType, int cx, int cy) {
  CEntryListTab::OnSize(nType, cx, cy);
  if (!m_list.m_hWnd) return;
  LayoutList(IDC_KEYWORD_RESULTS_COUNT, 250);
  // The heading from 20 pixels right of the count to the right edge.
  CWnd* count = GetDlgItem(int(IDC_KEYWORD_RESULTS_COUNT));
  CWnd* heading = GetDlgItem(int(IDC_KEYWORD_RESULTS_HEADING));
  if (!count || !heading) return;
  CRect rc, rh;
  count->GetWindowRect(&rc);
  ScreenToClient(&rc);
  heading->GetWindowRect(&rh);
  ScreenToClient(&rh);
  heading->SetWindowPos(nullptr, rc.right + 20, rh.top, std::max(0, cx - rc.right - 20), rh.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t CKeywordsresTab::TopicAtAddress(void* viewer, uint32_t address) {
  auto* v = static_cast<medview::ViewerHandle>(viewer);
  const int32_t position = medview::MvAddressToPosition(LibraryTitle(), int32_t(address));
  if (!frame::MvSetTopic(v, position, 0, 0, nullptr)) frame::MvSetTopic(v, position, 1, 0, nullptr);
  return frame::MvGetCurrentTopic(v);
}

void CKeywordsresTab::FillRows() {
  if (!m_list.m_hWnd) return;
  m_list.DeleteAllItems();
  m_list.m_nSortColumn = -1;
  m_list.m_bSortAscending = 1;
  const keywords::KeywordHitArray& hits = keywords::KeywordHits();
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  title::TitleHandle* title = LibraryTitle();
  if (!hits.HoldsBlock() || !work || !title) return;
  medview::ViewerHandle viewer = medview::MvCreateViewer(title, nullptr);
  if (!viewer) return;
  BeginWaitCursor();
  m_list.SetRedraw(FALSE);
  shell::ActDescription description;
  LoadProgress progress("Trwa ładowanie wyników...");
  for (int32_t i = 0; i < hits.count; ++i) {
    progress.Step(size_t(i), size_t(hits.count));
    const int32_t topic = TopicAtAddress(viewer, hits.addresses[size_t(i)]);
    work->GetActDescription(topic, description);
    const navtext::EntryTexts texts = navcmd::DescribeRow(*work, description);
    PutRow(int(i), int(i) + 1, texts, texts.title, DWORD_PTR(topic));
  }
  m_list.SetRedraw(TRUE);
  m_list.Invalidate();
  medview::MvDestroyViewer(viewer);
  EndWaitCursor();
}

void CKeywordsresTab::ShowKeyword(const CString& heading) {
  const keywords::KeywordHitArray& hits = keywords::KeywordHits();
  int32_t position = -1;
  if (hits.count == 1 && hits.HoldsBlock() && LibraryTitle()) {
    position = medview::MvAddressToPosition(LibraryTitle(), int32_t(hits.addresses[0]));
  }
  FillRows();
  if (hits.count == 1 && position != -1) {
    if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) {
      navcmd::ReturnFromPictureSheet(false);
      work->ShowTopicAtPosition(position, 0, 0);
    }
  }
  char count[40];
  std::snprintf(count, sizeof(count), "stron: %ld", long(m_list.m_hWnd ? m_list.GetItemCount() : 0));
  SetDlgItemText(int(IDC_KEYWORD_RESULTS_COUNT), CString(count));
  SetDlgItemText(int(IDC_KEYWORD_RESULTS_HEADING),
                 CString(base::cp1250::from_utf8("hasło: ")) + heading);
  CGTFSheet::RefreshQueryScopes();
}

void CKeywordsresTab::ClearList() {
  if (m_list.m_hWnd) m_list.DeleteAllItems();
  SetDlgItemText(int(IDC_KEYWORD_RESULTS_COUNT), CString());
  SetDlgItemText(int(IDC_KEYWORD_RESULTS_HEADING), CString());
  keywords::KeywordHits().Clear();
  if (!m_list.m_hWnd || m_list.GetItemCount() == 0) CGTFSheet::RefreshQueryScopes();
}

CKeywordsresTab* CKeywordsresTab::BringForward(bool bShowBar) {
  COutputWnd* navigator = navcmd::FindOutputWnd();
  if (!navigator) return nullptr;
  if (bShowBar && !navigator->IsWindowVisible()) {
    if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd())) frame->ShowControlBar(navigator, TRUE, FALSE);
  }
  if (navigator->GetActiveTab() != 2) navigator->ActivateTab(2);
  return navigator->GetKeywordsTab();
}

void CKeywordsresTab::ClearMainList() {
  COutputWnd* navigator = navcmd::FindOutputWnd();
  if (CKeywordsresTab* tab = navigator ? navigator->GetKeywordsTab() : nullptr; tab && tab->m_hWnd) {
    tab->ClearList();
  } else {
    keywords::KeywordHits().Clear();
  }
}

engine::GroupPtr CKeywordsresTab::BuildTopicGroup() const {
  const keywords::KeywordHitArray& hits = keywords::KeywordHits();
  title::TitleHandle* title = LibraryTitle();
  if (!CLumoKALDoc::GetCurrentWork() || hits.count <= 0 || !hits.HoldsBlock() || !title) return nullptr;
  medview::ViewerHandle viewer = medview::MvCreateViewer(title, nullptr);
  if (!viewer) return nullptr;
  std::vector<int32_t> topics;
  for (int32_t i = 0; i < hits.count; ++i) topics.push_back(TopicAtAddress(viewer, hits.addresses[size_t(i)]));
  medview::MvDestroyViewer(viewer);
  return navcmd::GroupOf(topics);
}

int32_t CKeywordsresTab::TopicOfRow(int row) const {
  if (!m_list.m_hWnd || row < 0 || row >= m_list.GetItemCount()) return -1;
  return int32_t(m_list.GetItemData(row));
}

CString CKeywordsresTab::GetPrintHeading() const {
  const CString heading = GetDlgItemText(int(IDC_KEYWORD_RESULTS_HEADING));
  return CString(keywords::IndexListTitle(std::string(static_cast<LPCTSTR>(heading))));
}

void CKeywordsresTab::BeginRowDrag(int row) {
  CLumoApp* app = LumoApp();
  if (const int32_t topic = TopicOfRow(row); app && topic >= 0) app->DragTopic(topic, this, topicdrag::kFromIndexResults);
}

// --- Commands ------------------------------------------------------------------------------------

void CKeywordsresTab::OnUpdateEntryCommand(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetSelectedRow() >= 0 && keywords::KeywordHits().HoldsBlock());
}

void CKeywordsresTab::OnUpdateListCommand(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_list.m_hWnd && m_list.GetItemCount() > 0 && keywords::KeywordHits().HoldsBlock());
}

void CKeywordsresTab::OnOpen() {
  const int32_t topic = TopicOfRow(GetSelectedRow());
  if (topic < 0) return;
  navcmd::ReturnFromPictureSheet(true);
  navcmd::OpenRecord(topic, false);
}
void CKeywordsresTab::OnOpenNewSheet() { navcmd::OpenRecord(TopicOfRow(GetSelectedRow()), true); }

void CKeywordsresTab::OnLocate() {
  if (const int32_t topic = TopicOfRow(GetSelectedRow()); topic >= 0) navcmd::LocateInLibrary(topic);
}

void CKeywordsresTab::OnAddBookmark() {
  if (const int32_t topic = TopicOfRow(GetSelectedRow()); topic >= 0) navcmd::AddBookmarkFor(topic);
}

void CKeywordsresTab::OnAddToPrintList() {
  // The selected row's act (not the active sheet's).
  if (const int32_t topic = TopicOfRow(GetSelectedRow()); topic >= 0) navcmd::AddRecordToPrintList(topic);
}

void CKeywordsresTab::OnClear() { ClearList(); }

void CKeywordsresTab::OnIndexDialog(UINT nID) {
  UINT command = 0;
  switch (nID) {
    case ID_KEYWORD_TITLES_INDEX: command = ID_TITLES_INDEX; break;
    case ID_KEYWORD_SIGNATORIES_INDEX: command = ID_SIGNATORIES_INDEX; break;
    case ID_KEYWORD_SUBJECT_INDEX: command = ID_SUBJECT_INDEX; break;
    case ID_KEYWORD_FORMULAS_INDEX: command = ID_FORMULAS_INDEX; break;
    case ID_KEYWORD_FIGURES_INDEX: command = ID_FIGURES_INDEX; break;
    case ID_KEYWORD_TABLES_INDEX: command = ID_TABLES_INDEX; break;
    case ID_KEYWORD_DATE_INDEX: command = ID_DATE_INDEX; break;
    default: return;
  }
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, command);
}

void CKeywordsresTab::OnListOpen(NMHDR*, LRESULT* pResult) {
  OnOpen();
  *pResult = 0;
}

void CKeywordsresTab::OnSetFocus(CWnd* pOldWnd) {
  CEntryListTab::OnSetFocus(pOldWnd);
  SendMessage(WM_COMMAND, ID_ENTRY_INFORMATION);
}

void CKeywordsresTab::OnContextMenu(CWnd*, CPoint point) {
  const int popup = GetSelectedRow() >= 0 ? 0 : m_list.GetItemCount() > 0 ? 1 : 2;
  TrackTabMenu(IDR_KEYWORD_RESULTS_MENU, popup, point);
}
