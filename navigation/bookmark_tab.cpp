#include "navigation/bookmark_tab.h"

#include <algorithm>

#include "engine/medview/engine_titles.h"
#include "navigation/gtf_sheet.h"
#include "navigation/nav_commands.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/prompter.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/lumo_app.h"

using namespace resources;

IMPLEMENT_DYNAMIC(CBookmarkTab, CEntryListTab)

BEGIN_MESSAGE_MAP(CBookmarkTab, CEntryListTab)
  ON_WM_SIZE()
  ON_WM_CONTEXTMENU()
  ON_COMMAND(ID_ENTRY_OPEN, &CBookmarkTab::OnOpen)
  ON_COMMAND(ID_ENTRY_OPEN_NEW_SHEET, &CBookmarkTab::OnOpenNewSheet)
  ON_COMMAND(ID_ENTRY_LOCATE_IN_LIBRARY, &CBookmarkTab::OnLocate)
  ON_COMMAND(ID_BOOKMARK_DELETE, &CBookmarkTab::OnDelete)
  ON_COMMAND(ID_BOOKMARK_NEXT, &CBookmarkTab::OnNext)
  ON_COMMAND(ID_BOOKMARK_PREVIOUS, &CBookmarkTab::OnPrevious)
  ON_COMMAND(ID_ADD_SELECTED_TO_PRINT_LIST, &CBookmarkTab::OnAddToPrintList)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN, &CBookmarkTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN_NEW_SHEET, &CBookmarkTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_LOCATE_IN_LIBRARY, &CBookmarkTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_BOOKMARK_DELETE, &CBookmarkTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ADD_SELECTED_TO_PRINT_LIST, &CBookmarkTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_BOOKMARK_NEXT, &CBookmarkTab::OnUpdateNext)
  ON_UPDATE_COMMAND_UI(ID_BOOKMARK_PREVIOUS, &CBookmarkTab::OnUpdatePrevious)
  ON_NOTIFY(NM_DBLCLK, IDC_BOOKMARK_LIST, &CBookmarkTab::OnListOpen)
  ON_NOTIFY(NM_RETURN, IDC_BOOKMARK_LIST, &CBookmarkTab::OnListOpen)
  ON_NOTIFY(LVN_KEYDOWN, IDC_BOOKMARK_LIST, &CBookmarkTab::OnListKeyDown)
  ON_NOTIFY(NM_SETFOCUS, IDC_BOOKMARK_LIST, &CBookmarkTab::OnListSetFocus)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_INFORMATION, &CBookmarkTab::OnUpdateEntryCommand)
  ON_COMMAND(resources::ID_CONTEXT_HELP, &CBookmarkTab::OnContextHelp)
END_MESSAGE_MAP()

CBookmarkTab::CBookmarkTab() = default;
CBookmarkTab::~CBookmarkTab() = default;

BOOL CBookmarkTab::Create(CWnd* pTabWnd) { return CreateTab(IDD_BOOKMARK_TAB, pTabWnd); }

BOOL CBookmarkTab::OnInitDialog() {
  CEntryListTab::OnInitDialog();
  CreateTabToolBar(IDR_BOOKMARK_TOOLBAR);
  InitList(IDC_BOOKMARK_LIST);
  // The note beside the list stays hidden.
  if (CWnd* note = GetDlgItem(IDC_BOOKMARK_NOTE)) note->ShowWindow(SW_HIDE);
  m_dropTarget.Register(this);
  return TRUE;
}

void CBookmarkTab::OnSize(UINT nType, int cx, int cy) {
  CEntryListTab::OnSize(nType, cx, cy);
  LayoutList(IDC_BOOKMARK_LABEL, 200);
  CWnd* label = GetDlgItem(IDC_BOOKMARK_LABEL);
  CWnd* count = GetDlgItem(IDC_BOOKMARK_COUNT);
  if (label && count) {
    CRect rect;
    label->GetWindowRect(&rect);
    ScreenToClient(&rect);
    count->MoveWindow(rect.right + 10, rect.top, 30, rect.Height());
  }
}

// --- Rows ------------------------------------------------------------------------------------------

CMvBookmarkItem* CBookmarkTab::BookmarkOfRow(int row, size_t* index) const {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work || row < 0 || row >= m_list.GetItemCount()) return nullptr;
  const auto* wanted = reinterpret_cast<const CMvBookmarkItem*>(m_list.GetItemData(row));
  auto& bookmarks = work->GetBookmarks();
  for (size_t i = 0; i < bookmarks.size(); ++i) {
    if (bookmarks[i].get() == wanted) {
      if (index) *index = i;
      return bookmarks[i].get();
    }
  }
  return nullptr;
}

int32_t CBookmarkTab::TopicOfRow(int row) const {
  const CMvBookmarkItem* bookmark = BookmarkOfRow(row);
  return bookmark ? bookmark->m_nTopic : -1;
}

void CBookmarkTab::OnListSetFocus(NMHDR*, LRESULT* pResult) {
  ShowSelectedInActInfo(FALSE);
  *pResult = 0;
}

void CBookmarkTab::OnContextHelp() {
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, resources::ID_CONTEXT_HELP);
}

const CMvBookmarkItem* CBookmarkTab::TakeSelected() {
  const CMvBookmarkItem* bookmark = BookmarkOfRow(GetSelectedRow());
  if (!bookmark) return nullptr;
  m_pWorking = std::make_unique<CMvBookmarkItem>(*bookmark);
  return m_pWorking.get();
}

void CBookmarkTab::UpdateCount() {
  const int count = m_list.GetItemCount();
  SetDlgItemText(IDC_BOOKMARK_COUNT, count ? CString("(" + std::to_string(count) + ")") : CString());
  // The query page offers the bookmarks as a scope only while there are some.
  CGTFSheet::RefreshQueryScopes();
}

void CBookmarkTab::InsertRow(const shell::ActDescription& description, const CString& name,
                             const CMvBookmarkItem* bookmark) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work) return;
  work->SetModifiedFlag();
  const int row = m_list.GetItemCount();
  const navtext::EntryTexts texts = navcmd::DescribeRow(*work, description);
  PutRow(row, row + 1, texts, name.IsEmpty() ? texts.title : std::string(static_cast<LPCTSTR>(name)),
            reinterpret_cast<DWORD_PTR>(bookmark));
  UpdateCount();
}

void CBookmarkTab::FillList() {
  if (!m_list.m_hWnd) return;
  m_list.SetRedraw(FALSE);
  m_list.DeleteAllItems();
  m_list.m_nSortColumn = -1;
  m_list.m_bSortAscending = 1;
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) {
    shell::ActDescription description;
    const auto& bookmarks = work->GetBookmarks();
    for (size_t i = 0; i < bookmarks.size(); ++i) {
      const CMvBookmarkItem& bookmark = *bookmarks[i];
      work->GetActDescription(bookmark.m_nTopic, description);
      CEntryListTab::PutRow(int(i), int(i) + 1, navcmd::DescribeRow(*work, description),
                               static_cast<LPCTSTR>(bookmark.m_strName), reinterpret_cast<DWORD_PTR>(&bookmark));
    }
  }
  m_list.SetRedraw(TRUE);
  m_list.Invalidate();
  UpdateCount();
}

void CBookmarkTab::AddBookmark(int32_t topic) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work || topic < 0) return;
  shell::ActDescription description;
  work->GetActDescription(topic, description);
  const CString name(navtext::BookmarkName(description));
  title::TitleHandle* title = LibraryTitle();
  auto bookmark = std::make_unique<CMvBookmarkItem>();
  static_cast<CMvHistoryItem&>(*bookmark) =
      CMvHistoryItem(topic, title ? medview::MvTopicNumberToPosition(title, topic) : 0, 0, title);
  bookmark->m_strName = name;
  const CMvBookmarkItem* added = bookmark.get();
  work->GetBookmarks().push_back(std::move(bookmark));
  InsertRow(description, name, added);
}

void CBookmarkTab::RemoveAll() {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work) return;
  work->SetModifiedFlag();
  work->GetBookmarks().clear();
  m_pWorking.reset();
  if (m_list.m_hWnd) m_list.DeleteAllItems();
  UpdateCount();
}

engine::GroupPtr CBookmarkTab::BuildGroup() const {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work) return nullptr;
  std::vector<int32_t> topics;
  for (const auto& bookmark : work->GetBookmarks()) topics.push_back(bookmark->m_nTopic);
  return navcmd::GroupOf(topics);
}

BOOL CBookmarkTab::DeleteSelected() {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  const int row = GetSelectedRow();
  size_t index = 0;
  if (!work || !BookmarkOfRow(row, &index)) return FALSE;
  const CString question(base::cp1250::from_utf8("Czy chcesz usunąć zaznaczoną zakładkę?"));
  if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return FALSE;
  work->SetModifiedFlag();
  if (!m_list.DeleteItem(row)) return FALSE;
  auto& bookmarks = work->GetBookmarks();
  bookmarks.erase(bookmarks.begin() + ptrdiff_t(index));
  // Each row keeps the number of its bookmark's place in the work's list.
  for (int i = 0; i < m_list.GetItemCount(); ++i) {
    size_t at = 0;
    if (BookmarkOfRow(i, &at)) m_list.SetItemText(i, 0, CString(std::to_string(at + 1)));
  }
  m_pWorking.reset();
  UpdateCount();
  return TRUE;
}

// --- Commands ------------------------------------------------------------------------------------

void CBookmarkTab::OnUpdateEntryCommand(CCmdUI* pCmdUI) {
  pCmdUI->Enable(CLumoKALDoc::GetCurrentWork() && GetSelectedRow() >= 0);
}

void CBookmarkTab::OnUpdateNext(CCmdUI* pCmdUI) {
  const int row = GetSelectedRow();
  pCmdUI->Enable(row >= 0 && row + 1 < m_list.GetItemCount());
}

void CBookmarkTab::OnUpdatePrevious(CCmdUI* pCmdUI) { pCmdUI->Enable(GetSelectedRow() > 0); }

void CBookmarkTab::OnOpen() {
  if (const CMvBookmarkItem* bookmark = TakeSelected()) bookmark->ShowInWork();
}

void CBookmarkTab::OnOpenNewSheet() {
  if (const CMvBookmarkItem* bookmark = TakeSelected()) {
    if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->SetSavedTopic(bookmark->m_nTopic);
    bookmark->ShowInWork();
  }
}

void CBookmarkTab::OnLocate() {
  if (const CMvBookmarkItem* bookmark = TakeSelected()) navcmd::LocateInLibrary(bookmark->m_nTopic);
}

void CBookmarkTab::OnDelete() { DeleteSelected(); }

void CBookmarkTab::OpenRow(int row) {
  if (row < 0 || row >= m_list.GetItemCount()) return;
  SelectRow(row);
  OnOpen();
}

void CBookmarkTab::OnNext() {
  const int row = GetSelectedRow();
  if (row >= 0) OpenRow(row + 1);
}

void CBookmarkTab::OnPrevious() {
  const int row = GetSelectedRow();
  if (row > 0) OpenRow(row - 1);
}

void CBookmarkTab::OnAddToPrintList() {
  if (const CMvBookmarkItem* bookmark = TakeSelected()) navcmd::AddRecordToPrintList(bookmark->m_nTopic);
}

void CBookmarkTab::OnListOpen(NMHDR*, LRESULT* pResult) {
  OnOpen();
  *pResult = 0;
}

void CBookmarkTab::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
  if (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey == VK_DELETE) DeleteSelected();
  *pResult = 0;
}

void CBookmarkTab::OnContextMenu(CWnd*, CPoint point) {
  const int popup = m_list.GetItemCount() == 0 ? 2 : GetSelectedRow() >= 0 ? 0 : 1;
  TrackTabMenu(IDR_BOOKMARK_MENU, popup, point);
}

CString CBookmarkTab::GetPrintHeading() const { return CString(base::cp1250::from_utf8("Lista zakładek:\r\n")); }

void CBookmarkTab::BeginRowDrag(int row) {
  CMvBookmarkItem* bookmark = BookmarkOfRow(row);
  if (!bookmark || !CLumoKALDoc::GetCurrentWork()) return;
  m_pWorking = std::make_unique<CMvBookmarkItem>(*bookmark);
  CTopicOleDataSource data;
  if (CLumoApp* app = LumoApp()) app->DragTopic(m_pWorking->m_nTopic, this, topicdrag::kFromBookmarks, &data);
}
