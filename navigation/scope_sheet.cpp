#include "navigation/scope_sheet.h"

#include <algorithm>
#include <vector>

#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "engine/medview/group_file.h"
#include "engine/medview/viewer.h"
#include "navigation/bookmark_tab.h"
#include "navigation/custom_tab.h"
#include "navigation/history_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/searchres_tab.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/win/system_metrics.h"
#include "resources/app_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/printmark_tab.h"

using namespace resources;

// =================================================================================================
// The lists a query may be limited to
// =================================================================================================

namespace scopelists {

bool HasBinder() { return BinderGroup() != nullptr; }

const engine::TopicGroup* BinderGroup() {
  CIndexWnd* index = navcmd::FindIndexWnd();
  return index && index->GetBinderTab() ? index->GetBinderTab()->GetBinderGroup() : nullptr;
}

bool ListHasItems(int code) {
  COutputWnd* nav = navcmd::FindOutputWnd();
  switch (code) {
    case 0: return nav && nav->GetHistoryTab() && nav->GetHistoryTab()->GetList().GetItemCount() > 0;
    case 1: return nav && nav->GetBookmarkTab() && nav->GetBookmarkTab()->GetList().GetItemCount() > 0;
    case 3: return nav && nav->GetResultsTab() && nav->GetResultsTab()->GetList().GetItemCount() > 0;
    case 4: {
      CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
      return work && !work->GetPrintList().empty();
    }
    default: return false;
  }
}

engine::GroupPtr BuildListGroup(int code) {
  COutputWnd* nav = navcmd::FindOutputWnd();
  switch (code) {
    case 0: return nav && nav->GetHistoryTab() ? nav->GetHistoryTab()->BuildGroup() : nullptr;
    case 1: return nav && nav->GetBookmarkTab() ? nav->GetBookmarkTab()->BuildGroup() : nullptr;
    case 3: return nav && nav->GetResultsTab() ? nav->GetResultsTab()->BuildTopicGroup() : nullptr;
    case 4: return nav && nav->GetPrintmarkTab() ? nav->GetPrintmarkTab()->BuildTopicGroup() : nullptr;
    default: return nullptr;
  }
}

bool WriteGroupFile(const std::string& path, const engine::TopicGroup* group) {
  base::OsFile file;
  if (file.open(path, base::OpenMode::Create) != base::OsError::None) return false;
  if (!group) return true;
  return medview::MvWriteGroupFile(&file, group) == 0;
}

}  // namespace scopelists

// =================================================================================================
// The sheet
// =================================================================================================

IMPLEMENT_DYNAMIC(CScopeSheet, CGSPropertySheet)

CScopeSheet::CScopeSheet(CWnd* pOwner, CPropertyPage* pPage) : CGSPropertySheet("Zakres", pOwner, 0) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  AddPage(pPage);
}

BOOL CScopeSheet::OnInitDialog() {
  CGSPropertySheet::OnInitDialog();
  CWnd* help = GetDlgItem(IDHELP);
  CWnd* cancel = GetDlgItem(IDCANCEL);
  CWnd* ok = GetDlgItem(IDOK);
  if (help && cancel && ok) {
    CRect rect_help, rect_cancel;
    help->GetWindowRect(&rect_help);
    cancel->GetWindowRect(&rect_cancel);
    const int shift = rect_help.right - rect_cancel.right;
    help->ShowWindow(SW_HIDE);
    for (CWnd* button : {cancel, ok}) {
      CRect rect;
      button->GetWindowRect(&rect);
      ScreenToClient(&rect);
      rect.OffsetRect(shift, 0);
      button->MoveWindow(&rect);
    }
  }
  return TRUE;
}

// =================================================================================================
// Years and ranks
// =================================================================================================

IMPLEMENT_DYNAMIC(CScopeListPage, CGSPropertyPage)

BEGIN_MESSAGE_MAP(CScopeListPage, CGSPropertyPage)
END_MESSAGE_MAP()

CScopeListPage::CScopeListPage(UINT nIDTemplate, UINT nIDList, UINT nIDChosen, UINT nIDCount, int first, int end)
    : CGSPropertyPage(nIDTemplate), m_nIDList(nIDList), m_nIDChosen(nIDChosen), m_nIDCount(nIDCount),
      m_nFirst(first), m_nEnd(end) {}

CScopeListPage::~CScopeListPage() { medview::MvFreeTopicList(m_pList); }

medview::TopicListHandle CScopeListPage::TakeList() {
  medview::TopicListHandle list = m_pList;
  m_pList = nullptr;
  return list;
}

BOOL CScopeListPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  if (m_list.SubclassDlgItem(m_nIDList, this)) {
    if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->ListTitleInfoRange(&m_list, m_nFirst, m_nEnd);
    // Each line is "label<tab>group"; the list shows the label and keeps the group name aside.
    m_groups.clear();
    const int count = m_list.GetCount();
    std::vector<CString> labels;
    for (int i = 0; i < count; ++i) {
      CString line;
      m_list.GetText(i, line);
      const std::string text = line.str();
      const size_t tab = text.find('\t');
      labels.emplace_back(text.substr(0, tab));
      m_groups.push_back(tab == std::string::npos ? std::string() : text.substr(tab + 1));
    }
    m_list.ResetContent();
    for (const CString& label : labels) m_list.AddString(label);
  }
  return TRUE;
}

BOOL CScopeListPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == m_nIDList && HIWORD(wParam) == LBN_SELCHANGE) {
    OnSelChange();
    return TRUE;
  }
  return CGSPropertyPage::OnCommand(wParam, lParam);
}

void CScopeListPage::OnSelChange() {
  m_strChosen = CString();
  medview::MvFreeTopicList(m_pList);
  m_pList = nullptr;
  std::string chosen;
  CString count("wszystkie");
  if (m_list.GetCount() > 0) {
    title::TitleHandle* title = LibraryTitle();
    for (int i = 0; i < m_list.GetCount(); ++i) {
      if (m_list.GetSel(i) <= 0) continue;
      CString line;
      m_list.GetText(i, line);
      const std::string label = line.str();
      const std::string name = size_t(i) < m_groups.size() ? m_groups[size_t(i)] : std::string();
      medview::TopicListHandle loaded = name.empty() ? nullptr : medview::MvLoadTopicListFile(title, name.c_str());
      if (loaded && medview::MvGetTopicListCount(loaded) < 0) {
        medview::MvFreeTopicList(loaded);
        loaded = nullptr;
      }
      if (loaded) {
        if (!m_pList) {
          m_pList = loaded;
        } else {
          medview::TopicListHandle both = medview::MvCombineTopicLists(medview::kCombineUnion, m_pList, loaded);
          medview::MvFreeTopicList(m_pList);
          medview::MvFreeTopicList(loaded);
          m_pList = both;
        }
      }
      if (!chosen.empty()) chosen += ", ";
      chosen += label;
    }
    if (m_pList) count = CString(std::to_string(medview::MvGetTopicListCount(m_pList)));
  }
  m_strChosen = CString(chosen);
  SetDlgItemText(int(m_nIDChosen), m_strChosen);
  SetDlgItemText(int(m_nIDCount), count);
}

IMPLEMENT_DYNCREATE(CScopeDatePage, CScopeListPage)
CScopeDatePage::CScopeDatePage()
    : CScopeListPage(IDD_SCOPE_YEARS, IDC_SCOPE_YEAR_LIST, IDC_SCOPE_YEAR_CHOSEN, IDC_SCOPE_YEAR_COUNT, 37, 46) {}

IMPLEMENT_DYNCREATE(CScopeRangePage, CScopeListPage)
CScopeRangePage::CScopeRangePage()
    : CScopeListPage(IDD_SCOPE_RANKS, IDC_SCOPE_RANK_LIST, IDC_SCOPE_RANK_CHOSEN, IDC_SCOPE_RANK_COUNT, 3, 14) {}

// =================================================================================================
// Persons and positions
// =================================================================================================

IMPLEMENT_DYNAMIC(CScopeKeywordPage, CGSPropertyPage)

BEGIN_MESSAGE_MAP(CScopeKeywordPage, CGSPropertyPage)
END_MESSAGE_MAP()

CScopeKeywordPage::CScopeKeywordPage(UINT nIDTemplate, UINT nIDList, UINT nIDChosen, UINT nIDCount, const char* index)
    : CGSPropertyPage(nIDTemplate), m_nIDList(nIDList), m_nIDChosen(nIDChosen), m_nIDCount(nIDCount), m_pszIndex(index) {}

CScopeKeywordPage::~CScopeKeywordPage() {
  if (m_hIndex) medview::MvCloseKeywordIndex(m_hIndex);
}

BOOL CScopeKeywordPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  if (!m_list.SubclassDlgItem(m_nIDList, this)) return TRUE;
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  CRect rect;
  m_list.GetClientRect(&rect);
  m_list.InsertColumn(0, CString("LP."), LVCFMT_RIGHT, 30);
  m_list.InsertColumn(1, CString("INDEKS"), LVCFMT_LEFT, rect.Width() - ::GetSystemMetrics(SM_CXVSCROLL) - 30);
  if (m_hIndex) medview::MvCloseKeywordIndex(m_hIndex);
  m_hIndex = LibraryTitle() ? medview::MvOpenKeywordIndex(LibraryTitle(), m_pszIndex) : nullptr;
  if (m_hIndex) m_list.SetItemCount(std::max(0, medview::MvGetKeywordCount(m_hIndex)));
  return TRUE;
}

BOOL CScopeKeywordPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header && header->idFrom == m_nIDList) {
    if (header->code == LVN_GETDISPINFO) {
      OnGetDispInfo(header, pResult);
      return TRUE;
    }
    if (header->code == LVN_ITEMCHANGED) {
      OnItemChanged();
      *pResult = 0;
      return TRUE;
    }
  }
  return CGSPropertyPage::OnNotify(wParam, lParam, pResult);
}

void CScopeKeywordPage::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
  LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(pNMHDR)->item;
  if (item.mask & LVIF_TEXT) {
    if (item.iSubItem == 0) {
      m_cell = std::to_string(item.iItem + 1);
    } else {
      char buffer[262] = {};
      if (m_hIndex) medview::MvGetKeywordText(m_hIndex, item.iItem, buffer, sizeof buffer - 1);
      m_cell = buffer;
    }
    if (item.pszText && item.cchTextMax > 0) {
      const size_t n = std::min(m_cell.size(), size_t(item.cchTextMax - 1));
      std::copy_n(m_cell.data(), n, item.pszText);
      item.pszText[n] = '\0';
    }
  }
  *pResult = 0;
}

void CScopeKeywordPage::OnItemChanged() {
  const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
  title::TitleHandle* title = LibraryTitle();
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (row >= 0 && m_hIndex && title && work) {
    BeginWaitCursor();
    char keyword[262] = {};
    medview::MvGetKeywordText(m_hIndex, row, keyword, sizeof keyword - 1);
    uint32_t count = medview::MvGetKeywordTopicCount(m_hIndex, keyword);
    if (count == 0xFFFF) count = 0;
    if (count > 0) {
      std::vector<uint32_t> addresses(count);
      const int64_t got = medview::MvGetKeywordTopics(m_hIndex, keyword, 0, count, addresses.data());
      SetDlgItemText(int(m_nIDChosen), CString(keyword));
      if (got > 0) {
        medview::ViewerHandle viewer = medview::MvCreateViewer(title, nullptr);
        const int32_t topics = medview::MvGetTitleInfo(title, 11, 0, nullptr, 0);
        m_pGroup = medview::MvCreateGroup(std::max<int32_t>(topics, 1), nullptr);
        for (int64_t i = 0; viewer && m_pGroup && i < got; ++i) {
          const int32_t position = medview::MvAddressToPosition(title, int32_t(addresses[size_t(i)]));
          if (!frame::MvSetTopic(viewer, position, 0, 0, nullptr)) frame::MvSetTopic(viewer, position, 1, 0, nullptr);
          const int32_t topic = frame::MvGetCurrentTopic(viewer);
          shell::ContentsRecord record;
          if (topic >= 0 && work->ReadCatalogRecord(topic, record) && record.next > topic) {
            medview::MvAddGroupItem(m_pGroup.get(), topic);
          }
        }
        if (viewer) medview::MvDestroyViewer(viewer);
      }
    }
    EndWaitCursor();
  }
  SetDlgItemText(int(m_nIDCount), CString(std::to_string(m_pGroup ? medview::MvGetGroupCount(m_pGroup.get()) : 0)));
  m_strChosen = GetDlgItemText(int(m_nIDChosen));
}

IMPLEMENT_DYNCREATE(CScopePersonPage, CScopeKeywordPage)
CScopePersonPage::CScopePersonPage()
    : CScopeKeywordPage(IDD_SCOPE_PERSONS, IDC_SCOPE_PERSON_LIST, IDC_SCOPE_PERSON_CHOSEN, IDC_SCOPE_PERSON_COUNT, "|p") {}

IMPLEMENT_DYNCREATE(CScopePositionPage, CScopeKeywordPage)
CScopePositionPage::CScopePositionPage()
    : CScopeKeywordPage(IDD_SCOPE_POSITIONS, IDC_SCOPE_POSITION_LIST, IDC_SCOPE_POSITION_CHOSEN,
                        IDC_SCOPE_POSITION_COUNT, "|q") {}
