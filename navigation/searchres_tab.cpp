#include "navigation/searchres_tab.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include "navigation/act_dlg.h"
#include "navigation/gtf_sheet.h"
#include "navigation/nav_commands.h"
#include "navigation/query_rules.h"
#include "navigation/topic_ole.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/prompter.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/list_print_job.h"
#include "shell/lumo_app.h"

using namespace resources;

namespace {

struct Column {
  const char* utf8;
  int format;
  int width;
};
constexpr Column kColumns[] = {
    {"LP.", LVCFMT_RIGHT, 30}, {"ROK/POZ", LVCFMT_LEFT, 70}, {"RANGA", LVCFMT_LEFT, 50},
    {"DATA", LVCFMT_LEFT, 57}, {"TYTUŁ", LVCFMT_LEFT, 10},
};

// Rows above which a sort asks first.
constexpr int kAskAboveRows = 1000;

}  // namespace

// --- Sort order ------------------------------------------------------------------------------------

CSortableDWordArray::CSortableDWordArray(medview::TopicListHandle list, CLumoKALDoc* work)
    : m_list(list), m_pWork(work) {
  const int32_t count = std::max(0, medview::MvGetTopicListCount(list));
  SetSize(count);
  for (int32_t i = 0; i < count; ++i) SetAt(i, uint32_t(medview::MvGetTopicListItem(list, i)));
}

std::string CSortableDWordArray::KeyText(CLumoKALDoc* work, int32_t topic, int column, shell::ActDescription& d) {
  if (!work || topic < 0) return {};
  work->GetActDescription(topic, d);
  const navtext::EntryTexts texts = navcmd::DescribeRow(*work, d);
  switch (column) {
    case 1: return texts.address;
    case 2: return texts.rank;
    case 3: return texts.date;
    case 4: return texts.title;
    default: return {};
  }
}

int32_t CSortableDWordArray::KeyDate(CLumoKALDoc* work, int32_t topic, shell::ActDescription& d) {
  if (!work || topic < 0) return -1;
  work->GetActDescription(topic, d);
  const shell::ContentsRecord& r = d.record;
  uint16_t days = shell::kContentsNoDate;
  if (r.level == shell::kLevelYearbook) {
    days = d.publication_date;
  } else if (r.level == shell::kLevelIssue) {
    if (r.number) days = d.publication_date;
  } else if (r.number) {
    days = d.act_date;
  }
  return days == shell::kContentsNoDate ? -1 : int32_t(days);
}

void CSortableDWordArray::Sort(BOOL bAscending, int kind, int column) {
  if (!bAscending || GetSize() < 2) return;
  const size_t count = size_t(GetSize());
  std::vector<size_t> order(count);
  std::iota(order.begin(), order.end(), 0);
  const uint32_t* topics = GetData();
  if (kind == 1) {
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return topics[a] < topics[b]; });
  } else if (kind == 3) {
    std::vector<int32_t> keys(count);
    shell::ActDescription d;
    for (size_t i = 0; i < count; ++i) keys[i] = KeyDate(m_pWork, int32_t(topics[i]), d);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  } else if (kind == 2) {
    std::vector<std::string> keys(count);
    shell::ActDescription d;
    for (size_t i = 0; i < count; ++i) keys[i] = KeyText(m_pWork, int32_t(topics[i]), column, d);
    order = findrules::NaturalOrder(keys);
  } else {
    return;
  }
  std::vector<uint32_t> sorted(count);
  for (size_t i = 0; i < count; ++i) sorted[i] = topics[order[i]];
  std::copy(sorted.begin(), sorted.end(), GetData());
}

// --- The tab -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSearchresTab, CNavTab)

BEGIN_MESSAGE_MAP(CSearchresTab, CNavTab)
  ON_WM_SIZE()
  ON_WM_CONTEXTMENU()
  ON_WM_DESTROY()
  ON_WM_INITMENUPOPUP()
  ON_COMMAND(ID_ENTRY_OPEN, &CSearchresTab::OnOpen)
  ON_COMMAND(ID_ENTRY_OPEN_NEW_SHEET, &CSearchresTab::OnOpenNewSheet)
  ON_COMMAND(ID_ENTRY_LOCATE_IN_LIBRARY, &CSearchresTab::OnLocate)
  ON_COMMAND(ID_ENTRY_ADD_BOOKMARK, &CSearchresTab::OnAddBookmark)
  ON_COMMAND(ID_ADD_SELECTED_TO_PRINT_LIST, &CSearchresTab::OnAddToPrintList)
  ON_COMMAND(ID_SEARCH_RESULTS_CLEAR, &CSearchresTab::OnClear)
  ON_COMMAND(ID_FIND_IN_ACT, &CSearchresTab::OnFindInAct)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN, &CSearchresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN_NEW_SHEET, &CSearchresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_LOCATE_IN_LIBRARY, &CSearchresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_ADD_BOOKMARK, &CSearchresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_ADD_SELECTED_TO_PRINT_LIST, &CSearchresTab::OnUpdateEntryCommand)
  ON_UPDATE_COMMAND_UI(ID_SEARCH_RESULTS_CLEAR, &CSearchresTab::OnUpdateListCommand)
  ON_COMMAND(ID_PRINT_ENTRY_LIST, &CSearchresTab::OnPrintList)
  ON_UPDATE_COMMAND_UI(ID_PRINT_ENTRY_LIST, &CSearchresTab::OnUpdateListCommand)
  ON_COMMAND(ID_ENTRY_INFORMATION, &CSearchresTab::OnInformation)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_INFORMATION, &CSearchresTab::OnUpdateEntryCommand)
  ON_NOTIFY(LVN_BEGINDRAG, IDC_RESULTS_LIST, &CSearchresTab::OnBeginDrag)
  ON_NOTIFY(LVN_GETDISPINFO, IDC_RESULTS_LIST, &CSearchresTab::OnGetDispInfo)
  ON_NOTIFY(NM_DBLCLK, IDC_RESULTS_LIST, &CSearchresTab::OnListOpen)
  ON_NOTIFY(NM_RETURN, IDC_RESULTS_LIST, &CSearchresTab::OnListOpen)
  ON_NOTIFY(LVN_COLUMNCLICK, IDC_RESULTS_LIST, &CSearchresTab::OnColumnClick)
END_MESSAGE_MAP()

CSearchresTab::CSearchresTab() = default;
CSearchresTab::~CSearchresTab() = default;

BOOL CSearchresTab::Create(CWnd* pTabWnd) { return CreateTab(IDD_SEARCH_RESULTS_TAB, pTabWnd); }

medview::TopicListHandle CSearchresTab::CurrentResultList() { return CLumoKALDoc::GetResultList(); }

BOOL CSearchresTab::OnInitDialog() {
  CNavTab::OnInitDialog();
  CreateTabToolBar(IDR_SEARCH_RESULTS_TOOLBAR);
  if (m_list.SubclassDlgItem(IDC_RESULTS_LIST, this)) {
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const Column& column : kColumns) {
      m_list.InsertColumn(index++, CString(base::cp1250::from_utf8(column.utf8)), column.format, column.width);
    }
  }
  if (CWnd* hidden = GetDlgItem(IDC_RESULTS_HIDDEN)) hidden->ShowWindow(SW_HIDE);
  return TRUE;
}

void CSearchresTab::OnSize(UINT nType, int cx, int cy) {
  CNavTab::OnSize(nType, cx, cy);
  FitList(m_list);
}

void CSearchresTab::OnDestroy() {
  m_pSortOrder.reset();
  CNavTab::OnDestroy();
}

// --- Rows ----------------------------------------------------------------------------------------

int32_t CSearchresTab::TopicOfRow(int row) const {
  medview::TopicListHandle list = CurrentResultList();
  if (!list || row < 0) return -1;
  if (m_nSortColumn < 0 || !m_pSortOrder) return medview::MvGetTopicListItem(list, row);
  const int count = m_pSortOrder->GetSize();
  if (row >= count) return -1;
  return int32_t(m_pSortOrder->GetAt(m_bAscending ? row : count - row - 1));
}

std::string CSearchresTab::RowText(int row, int column) {
  if (column == 0) return std::to_string(row + 1);
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  const int32_t topic = TopicOfRow(row);
  return CSortableDWordArray::KeyText(work, topic, column, m_description);
}

void CSearchresTab::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* info = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
  LVITEM& item = info->item;
  if (item.mask & LVIF_TEXT) {
    m_cell = RowText(item.iItem, item.iSubItem);
    if (item.pszText && item.cchTextMax > 0) {
      const size_t n = std::min(m_cell.size(), size_t(item.cchTextMax - 1));
      std::copy_n(m_cell.data(), n, item.pszText);
      item.pszText[n] = '\0';
    }
  }
  if (item.mask & LVIF_IMAGE) item.iImage = 0;
  if (item.mask & LVIF_INDENT) item.iIndent = 0;
  *pResult = 0;
}

int CSearchresTab::GetSelectedRow() const { return m_list.m_hWnd ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1; }

void CSearchresTab::SelectRow(int row) {
  if (row < 0 || row >= m_list.GetItemCount()) return;
  m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.EnsureVisible(row, FALSE);
}

int32_t CSearchresTab::TakeSelected() {
  const int row = GetSelectedRow();
  if (row < 0) return -1;
  m_nSelectedTopic = TopicOfRow(row);
  return m_nSelectedTopic;
}

// --- The list ------------------------------------------------------------------------------------

void CSearchresTab::ForgetSort() {
  m_pSortOrder.reset();
  m_nSortColumn = -1;
  m_bAscending = TRUE;
}

void CSearchresTab::ShowResultList(medview::TopicListHandle list, const CString& query) {
  ForgetSort();
  CLumoKALDoc::SetResultListHits(list);
  if (m_list.m_hWnd) {
    m_list.DeleteAllItems();
    m_list.SetItemCount(list ? std::max(0, medview::MvGetTopicListCount(list)) : 0);
    m_list.Invalidate();
  }
  UpdateCountLabel();
  SetQueryLabel(query, FALSE);
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->RefreshFoundWords();
}

void CSearchresTab::UpdateCountLabel() {
  char text[48];
  std::snprintf(text, sizeof text, "(stron: %ld)", long(m_list.m_hWnd ? m_list.GetItemCount() : 0));
  SetDlgItemText(IDC_RESULTS_COUNT, CString(text));
  CGTFSheet::RefreshQueryScopes();
}

void CSearchresTab::SetQueryLabel(const CString& text, BOOL bMark) {
  SetDlgItemText(IDC_RESULTS_QUERY, CString(std::string(bMark ? "<<*>" : "<") + text.str() + ">"));
}

void CSearchresTab::ClearList() {
  if (m_list.m_hWnd) m_list.DeleteAllItems();
  ForgetSort();
  CLumoKALDoc::SetResultListHits(nullptr);
  SetDlgItemText(IDC_RESULTS_COUNT, CString());
  SetDlgItemText(IDC_RESULTS_QUERY, CString());
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->RefreshFoundWords();
  CGTFSheet::RefreshQueryScopes();
}

engine::GroupPtr CSearchresTab::BuildTopicGroup() const {
  medview::TopicListHandle list = CurrentResultList();
  const int32_t count = list ? medview::MvGetTopicListCount(list) : 0;
  if (count <= 0) return nullptr;
  std::vector<int32_t> topics;
  topics.reserve(size_t(count));
  for (int32_t i = 0; i < count; ++i) topics.push_back(medview::MvGetTopicListItem(list, i));
  return navcmd::GroupOf(topics);
}

void CSearchresTab::SortByColumn(int column) {
  medview::TopicListHandle list = CurrentResultList();
  const int rows = m_list.m_hWnd ? m_list.GetItemCount() : 0;
  if (!list || rows == 0) return;
  if (rows > kAskAboveRows &&
      ::MessageBox(
          m_hWnd,
          base::cp1250::from_utf8("Na liście znajduje się ponad 1000 elementów. Sortowanie może trwać długo. "
                                  "Czy chcesz kontynuować?").c_str(),
          base::cp1250::from_utf8("Ostrzeżenie").c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  if (column == m_nSortColumn) {
    if (m_bAscending) {
      m_bAscending = FALSE;
    } else {
      ForgetSort();
    }
    m_list.Invalidate();
    return;
  }
  BeginWaitCursor();
  m_bAscending = TRUE;
  m_pSortOrder = std::make_unique<CSortableDWordArray>(list, CLumoKALDoc::GetCurrentWork());
  m_nSortColumn = column;
  m_pSortOrder->Sort(TRUE, column == 0 ? 1 : column == 3 ? 3 : 2, column);
  m_list.Invalidate();
  EndWaitCursor();
}

void CSearchresTab::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
  SortByColumn(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
  *pResult = 0;
}

// --- Commands ------------------------------------------------------------------------------------

void CSearchresTab::OnOpen() {
  if (const int32_t topic = TakeSelected(); topic >= 0) navcmd::OpenRecord(topic, false);
}

void CSearchresTab::OnOpenNewSheet() {
  if (const int32_t topic = TakeSelected(); topic >= 0) navcmd::OpenRecord(topic, true);
}

void CSearchresTab::OnLocate() {
  if (const int32_t topic = TakeSelected(); topic >= 0) navcmd::LocateInLibrary(topic);
}

void CSearchresTab::OnAddBookmark() {
  if (const int32_t topic = TakeSelected(); topic >= 0) navcmd::AddBookmarkFor(topic);
}

void CSearchresTab::OnAddToPrintList() {
  if (const int32_t topic = TakeSelected(); topic >= 0) navcmd::AddRecordToPrintList(topic);
}

void CSearchresTab::OnClear() { ClearList(); }

void CSearchresTab::OnPrintList() {
  if (CurrentResultList() && m_list.GetItemCount() > 0) PrintListRows(m_list, CString());
}

void CSearchresTab::OnInformation() {
  const int32_t topic = TakeSelected();
  if (topic < 0) {
    if (IsActInfoDialogVisible()) GetActInfoDialog()->ShowAct(0);
    return;
  }
  if (CActDlg* dialog = ShowActInfoDialog(); dialog && IsActInfoDialogVisible()) {
    dialog->ShowAct(topic);
    dialog->SelectTab(0);
  }
}

void CSearchresTab::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const int row = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iItem;
  const int32_t topic = TopicOfRow(row);
  if (topic < 0) return;
  m_nSelectedTopic = topic;
  if (CLumoApp* app = LumoApp()) app->DragTopic(topic, this, topicdrag::kFromSearchResults);
}

void CSearchresTab::OnFindInAct() {
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, ID_EDIT_FIND);
}

void CSearchresTab::OnUpdateEntryCommand(CCmdUI* pCmdUI) {
  pCmdUI->Enable(CurrentResultList() && GetSelectedRow() >= 0);
}

void CSearchresTab::OnUpdateListCommand(CCmdUI* pCmdUI) {
  pCmdUI->Enable(CurrentResultList() && m_list.m_hWnd && m_list.GetItemCount() > 0);
}

void CSearchresTab::OnListOpen(NMHDR*, LRESULT* pResult) {
  OnOpen();
  *pResult = 0;
}

void CSearchresTab::OnContextMenu(CWnd*, CPoint point) {
  if (!m_list.m_hWnd || m_list.GetItemCount() == 0) return;
  CMenu menu;
  if (!menu.LoadMenu(IDR_SEARCH_RESULTS_MENU)) return;
  CMenu* popup = menu.GetSubMenu(GetSelectedRow() >= 0 ? 0 : 1);
  if (!popup) return;
  if (point.x == -1 && point.y == -1) {
    CRect rect;
    m_list.GetWindowRect(&rect);
    point = rect.CenterPoint();
  }
  popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CSearchresTab::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (!bSysMenu) framework::update_menu_popup(this, pPopupMenu, TRUE);
}
