#include "navigation/gtf_sheet.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "engine/medview/engine_titles.h"
#include "navigation/hints_dlg.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/query_rules.h"
#include "navigation/scope_sheet.h"
#include "navigation/search_abort_dlg.h"
#include "navigation/searchres_tab.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/app.h"
#include "platform/framework/data_exchange.h"
#include "platform/win/monitors.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/frame_placement.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "shell/view/lumo_kal_view.h"
#include "toolkit/frame/registry.h"

using namespace resources;

namespace {

constexpr const char* kSettingsKey = "Software\\Fenwar\\LumoKAL";
constexpr const char* kReportCaption = "Rezultaty przeszukiwania";
constexpr int kResultsTab = 3;
constexpr int kStringLimit = 256;

CGTFSheet* g_open_sheet = nullptr;
bool g_searching = false;

CString Polish(const char* utf8) { return CString(base::cp1250::from_utf8(utf8)); }

std::vector<CString>* QueryHistory() {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  return work ? &work->GetQueryHistory() : nullptr;
}

// Puts a searched text first in the query history, through the main window when it has the
// toolbar's query boxes (they show the history too); TRUE when it was added.
bool RememberQuery(const CString& text) {
  if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) return frame->AddQueryToHistory(text);
  std::vector<CString>* history = QueryHistory();
  if (!history || !findrules::AddToHistory(*history, text)) return false;
  if (CGTFSheet* sheet = CGTFSheet::GetOpen()) sheet->RefillQueryHistory();
  return true;
}

void FillHistoryCombo(CComboBox& combo) {
  if (!combo.m_hWnd) return;
  combo.ResetContent();
  combo.SetFocus();
  if (std::vector<CString>* history = QueryHistory()) {
    for (const CString& text : *history) combo.AddString(text);
  }
  combo.SetCurSel(0);
}

CSearchresTab* ResultsTab() {
  COutputWnd* nav = navcmd::FindOutputWnd();
  return nav ? nav->GetResultsTab() : nullptr;
}

void BringResultsTabToFront() {
  if (COutputWnd* nav = navcmd::FindOutputWnd()) nav->ActivateTab(kResultsTab);
}

std::string Trimmed(const CString& text) {
  std::string s = text.str();
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

QueryState& GetQueryState() {
  static QueryState state;
  return state;
}

void PlaySearchWarning() {
  if (CLumoApp* app = LumoApp()) app->PlaySoundResource(IDR_WAVE_WARNING);
}

// =================================================================================================
// Query page
// =================================================================================================

IMPLEMENT_DYNCREATE(CGTFQueryPage, CGSPropertyPage)

BEGIN_MESSAGE_MAP(CGTFQueryPage, CGSPropertyPage)
  ON_CONTROL(CBN_EDITCHANGE, IDC_QUERY_TEXT, &CGTFQueryPage::OnQueryTextChange)
  ON_CONTROL(CBN_SELCHANGE, IDC_QUERY_TEXT, &CGTFQueryPage::OnQueryTextChange)
  ON_CONTROL(BN_CLICKED, IDC_QUERY_FIND, &CGTFQueryPage::OnFind)
  ON_CONTROL(BN_CLICKED, IDC_QUERY_HINTS, &CGTFQueryPage::OnHints)
  ON_CONTROL(BN_CLICKED, IDC_QUERY_CLOSE, &CGTFQueryPage::OnClose)
  ON_CONTROL(BN_CLICKED, IDC_QUERY_RESET, &CGTFQueryPage::ResetScope)
  ON_COMMAND(ID_SCOPE_ALL, &CGTFQueryPage::ResetScope)
  ON_COMMAND(ID_SCOPE_YEARS, &CGTFQueryPage::OnScopeYears)
  ON_COMMAND(ID_SCOPE_RANKS, &CGTFQueryPage::OnScopeRank)
  ON_COMMAND(ID_SCOPE_PERSONS, &CGTFQueryPage::OnScopePersons)
  ON_COMMAND(ID_SCOPE_POSITIONS, &CGTFQueryPage::OnScopePositions)
  ON_CONTROL(CBN_SELCHANGE, IDC_QUERY_LIST_SCOPE, &CGTFQueryPage::OnListScopeChange)
  ON_CONTROL(BN_CLICKED, IDC_QUERY_TITLES_ONLY, &CGTFQueryPage::OnTitlesOnly)
  ON_CONTROL(BN_CLICKED, IDC_QUERY_SORT, &CGTFQueryPage::OnSortHits)
  ON_CONTROL(BN_CLICKED, IDC_QUERY_NEW_LIST, &CGTFQueryPage::OnNewList)
  ON_COMMAND_RANGE(ID_OPERATOR_AND, ID_OPERATOR_ANY_CHARACTER, &CGTFQueryPage::OnOperator)
  ON_COMMAND(ID_HEADINGS_ALL, &CGTFQueryPage::OnHeadingsAll)
  ON_COMMAND(ID_HEADINGS_ACTS, &CGTFQueryPage::OnHeadingsAll)
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

namespace {
// The heading-kind commands in the order of the page's flags (the first is "all").
constexpr UINT kHeadingCommands[8] = {ID_HEADINGS_ALL,       ID_HEADINGS_ACTS,     ID_HEADINGS_PARTS,
                                      ID_HEADINGS_DIVISIONS, ID_HEADINGS_BOOKS,    ID_HEADINGS_SECTIONS,
                                      ID_HEADINGS_CHAPTERS,  ID_HEADINGS_TITLES};
}  // namespace

CGTFQueryPage::CGTFQueryPage() : CGSPropertyPage(IDD_QUERY_PAGE) {}

CGTFQueryPage::~CGTFQueryPage() {
  medview::MvFreeTopicList(m_pScopeList);
  medview::MvFreeTopicList(m_pRankList);
  medview::MvFreeTopicList(m_pYearList);
}

bool CGTFQueryPage::IsSearching() { return g_searching; }

std::string CGTFQueryPage::ScopeFile(const char* name) { return findrules::ScopeFilePath(base::temp_folder(), name); }

void CGTFQueryPage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  QueryState& state = GetQueryState();
  DDX_Check(pDX, IDC_QUERY_SORT, state.sort_hits);
  DDX_Check(pDX, IDC_QUERY_TITLES_ONLY, m_bTitlesOnly);
  DDX_Check(pDX, IDC_QUERY_DEFAULT_AND, state.default_and);
  DDX_Check(pDX, IDC_QUERY_NEW_LIST, m_bNewList);
}

BOOL CGTFQueryPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  m_comboText.SubclassDlgItem(IDC_QUERY_TEXT, this);
  m_comboScope.SubclassDlgItem(IDC_QUERY_LIST_SCOPE, this);
  FillScopeList();
  m_comboText.SetFocus();
  m_comboText.SendMessage(CB_LIMITTEXT, findrules::kQueryLimit);
  if (m_menu.LoadMenu(IDR_QUERY_PAGE_MENU)) {
    m_btnScope.AttachMenuItem(IDC_QUERY_SCOPE, this, m_menu.GetSubMenu(0)->GetSafeHmenu(), 0);
    m_btnHeadings.AttachMenuItem(IDC_QUERY_HEADINGS, this, m_menu.GetSubMenu(1)->GetSafeHmenu(), 1);
    m_btnOperators.AttachMenuItem(IDC_QUERY_OPERATORS, this, m_menu.GetSubMenu(2)->GetSafeHmenu(), 1);
  }
  for (UINT id : {IDC_QUERY_HEADINGS, IDC_QUERY_NEW_LIST}) {
    if (CWnd* hidden = GetDlgItem(int(id))) hidden->ShowWindow(SW_HIDE);
  }
  BringResultsTabToFront();
  ResetScope();
  OnQueryTextChange();
  return FALSE;
}

BOOL CGTFQueryPage::OnSetActive() {
  RefillQueryHistory();
  return CGSPropertyPage::OnSetActive();
}

BOOL CGTFQueryPage::PreTranslateMessage(MSG* pMsg) {
  // Enter runs the query once (the default button would run it a second time).
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    RunQuery();
    return TRUE;
  }
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
    OnClose();
    return TRUE;
  }
  return CGSPropertyPage::PreTranslateMessage(pMsg);
}

void CGTFQueryPage::RefillQueryHistory() {
  FillHistoryCombo(m_comboText);
}

void CGTFQueryPage::SetQueryText(const CString& text) {
  if (!m_comboText.m_hWnd) return;
  m_comboText.SetWindowText(text);
  OnQueryTextChange();
}

void CGTFQueryPage::OnQueryTextChange() {
  CString text;
  if (m_comboText.m_hWnd) m_comboText.GetWindowText(text);
  GetQueryState().current_text = text;
  if (CWnd* find = GetDlgItem(IDC_QUERY_FIND)) find->EnableWindow(!text.IsEmpty());
}

void CGTFQueryPage::OnFind() { RunQuery(); }

void CGTFQueryPage::OnHints() {
  CHintsDlg dlg(AfxGetMainWnd());
  dlg.DoModal();
}

void CGTFQueryPage::OnClose() { CGTFSheet::CloseOpen(); }

void CGTFQueryPage::OnSearchAborted(CSearchAbortDlg*) { m_bAbortNotice = TRUE; }

BOOL CGTFQueryPage::RunQuery() {
  if (g_searching || !m_comboText.m_hWnd) return FALSE;
  QueryState& state = GetQueryState();
  m_comboText.GetWindowText(state.current_text);
  if (state.current_text.IsEmpty()) return FALSE;
  UpdateData(TRUE);
  // A cancel that came after the last poll of an earlier search must not stop this one.
  m_bAbortNotice = FALSE;
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (work) work->TakeAbort();
  medview::MvFreeTopicList(m_pScopeList);
  m_pScopeList = nullptr;
  const std::string engine_text = findrules::EngineQueryText(state.current_text.str(), m_bTitlesOnly != 0);

  std::unique_ptr<CSearchAbortDlg> progress;
  HCURSOR previous = nullptr;
  if (IsWindowVisible()) {
    progress = std::make_unique<CSearchAbortDlg>(this);
  } else {
    previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  }
  const uint16_t flags = findrules::QueryFlags(state.default_and != 0, state.sort_hits != 0);
  title::TitleHandle* title = LibraryTitle();
  medview::TopicListHandle scope = nullptr;
  if (m_bNoRestriction && m_bWholeLibrary && !m_bTitlesOnly) {
    scope = medview::MvLoadTopicListFile(title, "1992");
  } else {
    scope = BuildScope();
    if (!scope) scope = medview::MvLoadTopicListFile(title, "1993");
  }
  m_pScopeList = scope;
  CLumoApp* app = LumoApp();
  const uint16_t near = app ? app->GetUserData().m_nNearDistance : 8;
  fts::FtsError error{};
  m_pHits = nullptr;
  g_searching = true;
  m_pResultList = title ? medview::MvQueryTopicList(title, flags, engine_text.c_str(), m_pScopeList, near, &m_pHits, &error)
                        : nullptr;
  g_searching = false;
  if (previous) ::SetCursor(previous);
  progress.reset();

  if (!ReportResult(m_pResultList, title ? error.code : 2001)) {
    // A list without hits is not shown: it goes now.
    if (m_pResultList) medview::MvFreeTopicList(m_pResultList);
    m_pResultList = nullptr;
    m_pHits = nullptr;
    return FALSE;
  }
  m_comboText.GetWindowText(state.current_text);
  RememberQuery(state.current_text);
  ShowResults(m_bNewList);
  // The shown list belongs to the work from now on.
  m_pResultList = nullptr;
  m_pHits = nullptr;
  if (app) app->GetDocumentData().CountSearch();
  return TRUE;
}

void CGTFQueryPage::WarningBox(const std::string& text, UINT icon) {
  PlaySearchWarning();
  ::MessageBox(m_hWnd, text.c_str(), kReportCaption, MB_OK | icon);
  if (CWnd* find = GetDlgItem(IDC_QUERY_FIND)) find->SetFocus();
  if (m_comboText.m_hWnd) m_comboText.SetFocus();
}

BOOL CGTFQueryPage::ReportResult(medview::TopicListHandle list, int error_code) {
  const int32_t count = list ? medview::MvGetTopicListCount(list) : 0;
  const findrules::Outcome outcome = findrules::ClassifyResult(list != nullptr, count, m_bAbortNotice != 0);
  switch (outcome) {
    case findrules::Outcome::kHits: return TRUE;
    case findrules::Outcome::kEngineError: {
      CString loaded;
      if (error_code) AfxLoadString(UINT(error_code), loaded);
      std::string text = loaded.str();
      if (text.size() > size_t(kStringLimit)) text.resize(size_t(kStringLimit));
      WarningBox(findrules::EngineErrorText(text, error_code), MB_ICONINFORMATION);
      break;
    }
    case findrules::Outcome::kAborted: {
      m_bAbortNotice = FALSE;
      CString loaded;
      AfxLoadString(IDS_SEARCH_ABORTED, loaded);
      WarningBox(loaded.str(), MB_ICONSTOP);
      break;
    }
    case findrules::Outcome::kNothingFound: {
      CString loaded;
      AfxLoadString(IDS_NOTHING_FOUND, loaded);
      WarningBox(loaded.str(), MB_ICONINFORMATION);
      break;
    }
  }
  return FALSE;
}

void CGTFQueryPage::ShowResults(BOOL) { ShowQueryResults(m_pResultList, GetQueryState().current_text); }

void ShowQueryResults(medview::TopicListHandle list, const CString& query) {
  CLumoKALView::FreeQueryResults();
  if (CSearchresTab* tab = ResultsTab()) {
    BringResultsTabToFront();
    tab->ShowResultList(list, query);
  } else {
    CLumoKALDoc::SetResultListHits(list);
    if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->RefreshFoundWords();
  }
  navcmd::RevealResultsTab();
}

// --- Operators and heading kinds -------------------------------------------------------------------

void CGTFQueryPage::OnOperator(UINT nID) {
  CString text;
  m_comboText.GetWindowText(text);
  m_comboText.SetWindowText(CString(findrules::InsertOperator(text.str(), nID)));
  OnQueryTextChange();
}

void CGTFQueryPage::OnHeadingsAll() {
  const BOOL all = !m_bHeadings[0];
  std::fill(std::begin(m_bHeadings), std::end(m_bHeadings), all);
}

void CGTFQueryPage::OnHeading(UINT nID) {
  for (int i = 1; i < 8; ++i) {
    if (kHeadingCommands[i] == nID) m_bHeadings[i] = !m_bHeadings[i];
  }
}

void CGTFQueryPage::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu || !pPopupMenu) return;
  for (int i = 0; i < 8; ++i) {
    pPopupMenu->CheckMenuItem(kHeadingCommands[i], MF_BYCOMMAND | (m_bHeadings[i] ? MF_CHECKED : MF_UNCHECKED));
  }
  pPopupMenu->EnableMenuItem(ID_SCOPE_JOURNALS, MF_BYCOMMAND | MF_GRAYED);
}

void CGTFQueryPage::OnTitlesOnly() {
  m_bTitlesOnly = IsDlgButtonChecked(IDC_QUERY_TITLES_ONLY) ? TRUE : FALSE;
  if (m_bTitlesOnly) {
    std::fill(std::begin(m_bHeadings), std::end(m_bHeadings), TRUE);
  } else if (CWnd* headings = GetDlgItem(IDC_QUERY_HEADINGS)) {
    headings->ShowWindow(SW_HIDE);
  }
}

void CGTFQueryPage::OnSortHits() { GetQueryState().sort_hits = !GetQueryState().sort_hits; }

void CGTFQueryPage::OnNewList() { m_bNewList = !m_bNewList; }

// --- Scope -----------------------------------------------------------------------------------------

void CGTFQueryPage::FillScopeList() {
  if (!m_comboScope.m_hWnd) return;
  m_comboScope.ResetContent();
  auto add = [this](int code) {
    const int at = m_comboScope.AddString(CString(findrules::ListScopeText(code)));
    m_comboScope.SetItemData(at, DWORD_PTR(code));
  };
  add(findrules::kScopeLibrary);
  if (scopelists::HasBinder()) add(findrules::kScopeBinder);
  add(findrules::kScopeSeparator);
  for (int code = findrules::kScopeHistory; code <= findrules::kScopePrintList; ++code) {
    if (scopelists::ListHasItems(code)) add(code);
  }
  m_comboScope.SetCurSel(0);
}

void CGTFQueryPage::RefreshScopeList() {
  if (!m_comboScope.m_hWnd) return;
  const int selected = m_comboScope.GetCurSel();
  const int code = selected >= 0 ? int(m_comboScope.GetItemData(selected)) : INT32_MIN;
  FillScopeList();
  for (int i = 0; i < m_comboScope.GetCount(); ++i) {
    if (int(m_comboScope.GetItemData(i)) == code) {
      m_comboScope.SetCurSel(i);
      break;
    }
  }
}

void CGTFQueryPage::OnListScopeChange() {
  int selected = m_comboScope.GetCurSel();
  int code = selected >= 0 ? int(m_comboScope.GetItemData(selected)) : findrules::kScopeLibrary;
  if (code == findrules::kScopeSeparator || code > 100) {
    m_comboScope.SetCurSel(0);
    code = int(m_comboScope.GetItemData(0));
  }
  m_nListScope = code;
  m_bWholeLibrary = FALSE;
  if (code == findrules::kScopeLibrary) {
    m_bWholeLibrary = TRUE;
    if (CIndexWnd* lists = navcmd::FindIndexWnd(); lists && lists->IsWindowVisible()) lists->ActivateTab(0);
  } else if (code == findrules::kScopeBinder) {
    if (CIndexWnd* lists = navcmd::FindIndexWnd(); lists && lists->IsWindowVisible()) lists->ActivateTab(1);
  } else if (code >= findrules::kScopeHistory && code <= findrules::kScopePrintList) {
    if (COutputWnd* nav = navcmd::FindOutputWnd(); nav && nav->IsWindowVisible()) nav->ActivateTab(code);
  } else {
    m_nListScope = 0;
  }
  UpdateResetButton();
  m_comboText.SetFocus();
}

medview::TopicListHandle CGTFQueryPage::GetListScope() {
  const int selected = m_comboScope.m_hWnd ? m_comboScope.GetCurSel() : -1;
  m_nListScope = selected >= 0 ? int(m_comboScope.GetItemData(selected)) : findrules::kScopeLibrary;
  m_pListScopeGroup.reset();
  engine::GroupPtr owned;
  const engine::TopicGroup* group = nullptr;
  if (m_nListScope == findrules::kScopeBinder) {
    group = scopelists::BinderGroup();
  } else if (m_nListScope >= findrules::kScopeHistory && m_nListScope <= findrules::kScopePrintList) {
    owned = scopelists::BuildListGroup(m_nListScope);
    group = owned.get();
  }
  if (!group) {
    if (m_comboScope.m_hWnd) m_comboScope.SetCurSel(0);
    m_bWholeLibrary = TRUE;
    return nullptr;
  }
  const std::string path = ScopeFile("lg");
  const bool written = scopelists::WriteGroupFile(path, group);
  m_bWholeLibrary = FALSE;
  if (owned) m_pListScopeGroup = std::move(owned);
  return written ? medview::MvLoadTopicListFile(nullptr, path.c_str()) : nullptr;
}

medview::TopicListHandle CGTFQueryPage::BuildScope() {
  medview::TopicListHandle empty = medview::MvCreateEmptyTopicList(nullptr);
  medview::MvFreeTopicList(m_pScopeList);
  m_pScopeList = nullptr;
  medview::TopicListHandle scope = GetListScope();
  auto narrow = [&](medview::TopicListHandle list) {
    if (!list) return;
    if (!scope) {
      scope = medview::MvCombineTopicLists(medview::kCombineUnion, empty, list);
    } else {
      medview::TopicListHandle both = medview::MvCombineTopicLists(medview::kCombineIntersect, list, scope);
      medview::MvFreeTopicList(scope);
      scope = both;
    }
  };
  narrow(m_pRankList);
  narrow(m_pYearList);
  for (const auto& [group, name] : {std::pair{m_pPersonGroup.get(), "pr"}, std::pair{m_pPositionGroup.get(), "po"}}) {
    if (!group) continue;
    medview::TopicListHandle file = medview::MvLoadTopicListFile(nullptr, ScopeFile(name).c_str());
    if (file && medview::MvGetTopicListCount(file) >= 0) narrow(file);
    medview::MvFreeTopicList(file);
  }
  medview::MvFreeTopicList(empty);
  return scope;
}

void CGTFQueryPage::UpdateResetButton() {
  if (CWnd* reset = GetDlgItem(IDC_QUERY_RESET)) reset->EnableWindow(!m_bNoRestriction || !m_bWholeLibrary);
}

void CGTFQueryPage::ResetScope() {
  m_bNoRestriction = TRUE;
  m_bWholeLibrary = TRUE;
  m_nListScope = findrules::kScopeLibrary;
  if (m_comboScope.m_hWnd) m_comboScope.SetCurSel(0);
  for (UINT id : {IDC_QUERY_YEARS_LABEL, IDC_QUERY_RANKS_LABEL, IDC_QUERY_PERSONS_LABEL, IDC_QUERY_POSITIONS_LABEL,
                  IDC_QUERY_JOURNALS_LABEL}) {
    if (CWnd* label = GetDlgItem(int(id))) label->EnableWindow(TRUE);
  }
  for (UINT id : {IDC_QUERY_YEARS_LABEL, IDC_QUERY_RANKS_LABEL, IDC_QUERY_PERSONS_LABEL, IDC_QUERY_POSITIONS_LABEL}) {
    SetDlgItemText(int(id), CString("wszystkie"));
  }
  for (UINT id : {IDC_QUERY_SCOPE, IDC_QUERY_SORT, IDC_QUERY_TITLES_ONLY}) {
    if (CWnd* item = GetDlgItem(int(id))) item->EnableWindow(TRUE);
  }
  UpdateResetButton();
  m_bTitlesOnly = FALSE;
  if (m_hWnd) CheckDlgButton(IDC_QUERY_TITLES_ONLY, BST_UNCHECKED);
  if (CWnd* headings = GetDlgItem(IDC_QUERY_HEADINGS)) headings->ShowWindow(SW_HIDE);
  std::fill(std::begin(m_bHeadings), std::end(m_bHeadings), FALSE);
  medview::MvFreeTopicList(m_pRankList);
  medview::MvFreeTopicList(m_pYearList);
  m_pRankList = m_pYearList = nullptr;
  m_pPersonGroup.reset();
  m_pPositionGroup.reset();
  m_pListScopeGroup.reset();
  if (m_comboScope.m_hWnd) m_comboScope.SetCurSel(0);
  if (m_comboText.m_hWnd) m_comboText.SetFocus();
}

void CGTFQueryPage::SetYearScope(medview::TopicListHandle list, const CString& labels) {
  medview::MvFreeTopicList(m_pYearList);
  m_pYearList = list;
  m_bNoRestriction = FALSE;
  SetDlgItemText(IDC_QUERY_YEARS_LABEL, list ? labels : CString("wszystkie"));
  UpdateResetButton();
}

void CGTFQueryPage::SetRankScope(medview::TopicListHandle list, const CString& labels) {
  medview::MvFreeTopicList(m_pRankList);
  m_pRankList = list;
  m_bNoRestriction = FALSE;
  SetDlgItemText(IDC_QUERY_RANKS_LABEL, list ? labels : CString("wszystkie"));
  UpdateResetButton();
}

void CGTFQueryPage::SetPersonScope(engine::GroupPtr group, const CString& name) {
  scopelists::WriteGroupFile(ScopeFile("pr"), group.get());
  m_pPersonGroup = std::move(group);
  SetDlgItemText(IDC_QUERY_PERSONS_LABEL, m_pPersonGroup ? name : CString("wszystkie"));
  if (m_pPersonGroup) m_bNoRestriction = FALSE;
  UpdateResetButton();
}

void CGTFQueryPage::SetPositionScope(engine::GroupPtr group, const CString& name) {
  scopelists::WriteGroupFile(ScopeFile("po"), group.get());
  m_pPositionGroup = std::move(group);
  SetDlgItemText(IDC_QUERY_POSITIONS_LABEL, m_pPositionGroup ? name : CString("wszystkie"));
  if (m_pPositionGroup) m_bNoRestriction = FALSE;
  UpdateResetButton();
}

void CGTFQueryPage::OnScopeYears() {
  CScopeDatePage page;
  CScopeSheet sheet(this, &page);
  if (sheet.DoModal() == IDOK) SetYearScope(page.TakeList(), page.GetChosenLabels());
}

void CGTFQueryPage::OnScopeRank() {
  CScopeRangePage page;
  CScopeSheet sheet(this, &page);
  if (sheet.DoModal() == IDOK) SetRankScope(page.TakeList(), page.GetChosenLabels());
}

void CGTFQueryPage::OnScopePersons() {
  CScopePersonPage page;
  CScopeSheet sheet(this, &page);
  if (sheet.DoModal() == IDOK) SetPersonScope(page.TakeGroup(), page.GetChosenName());
}

void CGTFQueryPage::OnScopePositions() {
  CScopePositionPage page;
  CScopeSheet sheet(this, &page);
  if (sheet.DoModal() == IDOK) SetPositionScope(page.TakeGroup(), page.GetChosenName());
}

// =================================================================================================
// Find-in-act page
// =================================================================================================

IMPLEMENT_DYNCREATE(CGTFFindPage, CGSPropertyPage)

BEGIN_MESSAGE_MAP(CGTFFindPage, CGSPropertyPage)
  ON_CONTROL(CBN_EDITCHANGE, IDC_FIND_TEXT, &CGTFFindPage::OnTextChange)
  ON_CONTROL(CBN_SELCHANGE, IDC_FIND_TEXT, &CGTFFindPage::OnTextChange)
  ON_CONTROL(BN_CLICKED, IDC_FIND_NEXT, &CGTFFindPage::OnNextButton)
  ON_CONTROL(BN_CLICKED, IDC_FIND_HINTS, &CGTFFindPage::OnHints)
  ON_CONTROL(BN_CLICKED, IDC_FIND_CLOSE, &CGTFFindPage::OnClose)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_FIND_UNIT, IDC_FIND_UNIT_AND_BELOW, &CGTFFindPage::OnScopeRadio)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_FIND_ACT, IDC_FIND_ACT_AND_ATTACHMENTS, &CGTFFindPage::OnScopeRadio)
END_MESSAGE_MAP()

CGTFFindPage::CGTFFindPage() : CGSPropertyPage(IDD_FIND_PAGE) {}
CGTFFindPage::~CGTFFindPage() = default;

BOOL CGTFFindPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  m_comboText.SubclassDlgItem(IDC_FIND_TEXT, this);
  m_comboText.SendMessage(CB_LIMITTEXT, findrules::kQueryLimit);
  for (UINT id : {IDC_FIND_PREVIOUS, IDC_FIND_FROM_TOP, IDC_FIND_WHOLE_WORDS}) {
    if (CWnd* hidden = GetDlgItem(int(id))) hidden->ShowWindow(SW_HIDE);
  }
  CheckDlgButton(IDC_FIND_DOWN, BST_CHECKED);
  CheckDlgButton(IDC_FIND_UNIT, BST_CHECKED);
  OnTextChange();
  return TRUE;
}

BOOL CGTFFindPage::OnSetActive() {
  RefillQueryHistory();
  return CGSPropertyPage::OnSetActive();
}

BOOL CGTFFindPage::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    OnNextButton();
    return TRUE;
  }
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
    OnClose();
    return TRUE;
  }
  return CGSPropertyPage::PreTranslateMessage(pMsg);
}

void CGTFFindPage::RefillQueryHistory() {
  FillHistoryCombo(m_comboText);
  OnTextChange();
}

void CGTFFindPage::SetFindText(const CString& text) {
  if (!m_comboText.m_hWnd) return;
  m_comboText.SetWindowText(text);
  OnTextChange();
}

void CGTFFindPage::OnTextChange() {
  if (m_comboText.m_hWnd) m_comboText.GetWindowText(m_strText);
  for (UINT id : {IDC_FIND_NEXT, IDC_FIND_PREVIOUS}) {
    if (CWnd* button = GetDlgItem(int(id))) button->EnableWindow(!m_strText.IsEmpty());
  }
}

void CGTFFindPage::SetActiveTopic(CLumoKALView* pView) {
  if (!pView || !m_hWnd) return;
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work) return;
  shell::ActDescription d;
  work->GetActDescription(pView->GetTextPane().GetCurrentTopic(), d);
  const int level = d.record.level;
  if (level == shell::kLevelIssue || level == shell::kLevelYearbook) {
    CheckRadioButton(IDC_FIND_UNIT, IDC_FIND_UNIT, IDC_FIND_UNIT);
    for (UINT id : {IDC_FIND_UNIT_AND_BELOW, IDC_FIND_ACT, IDC_FIND_ACT_AND_ATTACHMENTS}) CheckDlgButton(id, BST_UNCHECKED);
    for (UINT id : {IDC_FIND_UNIT_AND_BELOW, IDC_FIND_ACT}) {
      if (CWnd* radio = GetDlgItem(int(id))) radio->EnableWindow(FALSE);
    }
  } else if (level < shell::kLevelAct) {
    for (UINT id : {IDC_FIND_UNIT_AND_BELOW, IDC_FIND_ACT}) {
      if (CWnd* radio = GetDlgItem(int(id))) radio->EnableWindow(TRUE);
    }
  }
}

void CGTFFindPage::OnScopeRadio(UINT nID) {
  for (UINT id : {IDC_FIND_UNIT, IDC_FIND_UNIT_AND_BELOW, IDC_FIND_ACT, IDC_FIND_ACT_AND_ATTACHMENTS}) {
    CheckDlgButton(id, id == nID ? BST_CHECKED : BST_UNCHECKED);
  }
}

void CGTFFindPage::OnNextButton() { OnNext(); }

void CGTFFindPage::OnNext() {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  CLumoKALView* view = work ? work->GetCurrentTextView() : nullptr;
  if (!view) return;
  if (m_comboText.m_hWnd) m_comboText.GetWindowText(m_strText);
  m_strText = CString(Trimmed(m_strText));
  if (!m_strText.IsEmpty() && m_strText.str() != m_strLast.str()) {
    if (view->FindInAct(m_strText) && RememberQuery(m_strText)) m_comboText.SetWindowText(m_strText);
    m_strLast = m_strText;
    return;
  }
  if (view->GetOwnQueryHits()) view->ShowFoundWord(!IsDlgButtonChecked(IDC_FIND_UP), FALSE);
}

void CGTFFindPage::OnHints() {
  CHintsDlg dlg(AfxGetMainWnd());
  dlg.DoModal();
}

void CGTFFindPage::OnClose() { CGTFSheet::CloseOpen(); }

// =================================================================================================
// Go-to page
// =================================================================================================

IMPLEMENT_DYNCREATE(CGTFGotoPage, CGSPropertyPage)

BEGIN_MESSAGE_MAP(CGTFGotoPage, CGSPropertyPage)
  ON_CONTROL(LBN_SELCHANGE, IDC_GOTO_KIND, &CGTFGotoPage::OnKindChange)
  ON_CONTROL(BN_CLICKED, IDC_GOTO_GO, &CGTFGotoPage::OnGoButton)
  ON_CONTROL(BN_CLICKED, IDCANCEL, &CGTFGotoPage::OnClose)
END_MESSAGE_MAP()

namespace {
constexpr const char* kMaskArticle = " art. ####";
constexpr const char* kMaskYear = " (D.\\U. z 199# r.";
constexpr const char* kMaskYearOnly = " rok 199#";
constexpr const char* kMaskPosition = " poz ####)";
constexpr const char* kMaskNumber = "   Nr ###)";
constexpr const char* kGotoEntries[] = {"Artykuł", "Akt prawny", "Dziennik urzędowy", "Rocznik", "Skorowidz rocznika"};

std::string FieldData(CGSMaskEdit& edit) {
  if (!edit.m_hWnd) return {};
  CString data;
  edit.GetData(data, TRUE);
  std::string s = data.str();
  s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
  return s;
}

void PutField(CGSMaskEdit& edit, const std::string& value) {
  if (!edit.m_hWnd) return;
  edit.SetData(CString(std::string(8, ' ')), 0, FALSE, FALSE);
  edit.SetData(CString(value), 0, FALSE, TRUE);
}
}  // namespace

CGTFGotoPage::CGTFGotoPage() : CGSPropertyPage(IDD_GOTO_PAGE) {}
CGTFGotoPage::~CGTFGotoPage() = default;

BOOL CGTFGotoPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  m_listKind.SubclassDlgItem(IDC_GOTO_KIND, this);
  for (const char* entry : kGotoEntries) m_listKind.AddString(Polish(entry));
  m_editYear.AttachDlgItem(IDC_GOTO_YEAR, this);
  m_editPosition.AttachDlgItem(IDC_GOTO_POSITION, this);
  m_editArticle.AttachDlgItem(IDC_GOTO_ARTICLE, this);
  if (CWnd* previous = GetDlgItem(IDC_GOTO_PREVIOUS)) previous->ShowWindow(SW_HIDE);
  m_editArticle.SetMask(kMaskArticle);
  m_editYear.SetMask(kMaskYear);
  m_editPosition.SetMask(kMaskPosition);
  int level = 0;
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (CLumoKALView* view = work ? work->GetCurrentTextView() : nullptr) {
    shell::ActDescription d;
    work->GetActDescription(view->GetTextPane().GetCurrentTopic(), d);
    if (d.record.level >= 0) {
      const shell::ContentsRecord act = navcmd::ActRecordOf(*work, d);
      level = d.record.level;
      m_position = std::to_string(act.number);
      m_number = std::to_string(d.record.level == shell::kLevelIssue ? d.record.number : act.number);
      m_year = std::to_string(std::max(0, shell::ContentsFullYear(d.record) - 1990));
    }
  }
  const int entry = findrules::GotoEntryForLevel(level);
  m_nShownEntry = entry;
  m_listKind.SetCurSel(entry);
  PutField(m_editPosition, entry == findrules::kGotoIssue ? m_number : m_position);
  PutField(m_editArticle, m_article);
  PutField(m_editYear, m_year);
  OnKindChange();
  return TRUE;
}

BOOL CGTFGotoPage::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    OnGoTo();
    return TRUE;
  }
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
    OnClose();
    return TRUE;
  }
  return CGSPropertyPage::PreTranslateMessage(pMsg);
}

void CGTFGotoPage::StoreFields() {
  if (std::string a = FieldData(m_editArticle); !a.empty()) m_article = a;
  if (std::string y = FieldData(m_editYear); !y.empty()) m_year = y;
  if (std::string p = FieldData(m_editPosition); !p.empty()) {
    CString shown;
    m_editPosition.GetWindowText(shown);
    if (shown.str().find("  Nr", 1) != std::string::npos) {
      m_number = p;
    } else {
      m_position = p;
    }
  }
}

void CGTFGotoPage::SelectEntry(int entry) {
  m_listKind.SetCurSel(entry);
  OnKindChange();
}

void CGTFGotoPage::OnKindChange() {
  StoreFields();
  const int entry = std::max(0, m_listKind.GetCurSel());
  m_nShownEntry = entry;
  const bool article = entry == findrules::kGotoArticle;
  const bool position = entry <= findrules::kGotoIssue;
  m_editArticle.ShowWindow(article ? SW_SHOW : SW_HIDE);
  m_editPosition.ShowWindow(position ? SW_SHOW : SW_HIDE);
  m_editYear.ShowWindow(SW_SHOW);
  if (position) {
    m_editYear.SetMask(kMaskYear);
    m_editPosition.SetMask(entry == findrules::kGotoIssue ? kMaskNumber : kMaskPosition);
    PutField(m_editPosition, entry == findrules::kGotoIssue ? m_number : m_position);
  } else {
    m_editYear.SetMask(kMaskYearOnly);
  }
  PutField(m_editArticle, m_article);
  PutField(m_editYear, m_year);
}

std::string CGTFGotoPage::CurrentAddress() {
  const int entry = std::max(0, m_listKind.GetCurSel());
  return findrules::GotoAddress(entry, FieldData(m_editYear), FieldData(m_editPosition), FieldData(m_editArticle));
}

BOOL CGTFGotoPage::OnGoTo() {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work) return FALSE;
  const int entry = std::max(0, m_listKind.GetCurSel());
  if (work->GoToAddress(CString(CurrentAddress()))) return TRUE;
  if (entry != findrules::kGotoArticle) return FALSE;
  if (work->GoToAddress(CString(findrules::GotoActAddress(FieldData(m_editYear), FieldData(m_editPosition))))) {
    return TRUE;
  }
  PlaySearchWarning();
  return FALSE;
}

void CGTFGotoPage::OnGoButton() { OnGoTo(); }

void CGTFGotoPage::OnClose() { CGTFSheet::CloseOpen(); }

// =================================================================================================
// The sheet
// =================================================================================================

IMPLEMENT_DYNAMIC(CGTFSheet, CGSPropertySheet)

BEGIN_MESSAGE_MAP(CGTFSheet, CGSPropertySheet)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CGTFSheet::CGTFSheet(LPCTSTR pszCaption, CWnd* pParent, UINT iSelectPage)
    : CGSPropertySheet(pszCaption, pParent, iSelectPage) {
  AddPage(&m_pageQuery);
  AddPage(&m_pageFind);
  AddPage(&m_pageGoto);
}

CGTFSheet::~CGTFSheet() {
  if (g_open_sheet == this) g_open_sheet = nullptr;
}

CGTFSheet* CGTFSheet::GetOpen() { return g_open_sheet; }

CGTFSheet* CGTFSheet::Open(CWnd* pParent, int page) {
  if (!g_open_sheet) {
    CString caption;
    if (!AfxLoadString(IDS_FIND_SHEET, caption)) caption = Polish("Znajdź/Przejdź do");
    auto* sheet = new CGTFSheet(caption, pParent, 0);
    if (!sheet->Create(pParent, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME)) {
      delete sheet;
      return nullptr;
    }
    g_open_sheet = sheet;
  }
  CGTFSheet* sheet = g_open_sheet;
  if (!sheet->IsWindowVisible()) sheet->ShowWindow(SW_SHOW);
  if (page == kFindTab && !sheet->m_tabs.IsTabEnabled(kFindTab)) page = kQueryTab;
  sheet->SetActivePage(page);
  // The selection of the shown act becomes the text to search for.
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  CLumoKALView* view = work ? work->GetCurrentTextView() : nullptr;
  CString selected;
  if (view && page != kGotoTab && view->GetSelectedText(selected)) {
    if (page == kQueryTab) {
      sheet->m_pageQuery.SetQueryText(selected);
    } else {
      sheet->m_pageFind.SetFindText(selected);
    }
  }
  return sheet;
}

void CGTFSheet::CloseOpen() {
  if (g_open_sheet && g_open_sheet->m_hWnd && !g_searching) g_open_sheet->DestroyWindow();
}

void CGTFSheet::RefreshQueryScopes() {
  if (g_open_sheet && CLumoKALDoc::GetCurrentWork()) g_open_sheet->m_pageQuery.RefreshScopeList();
}

BOOL CGTFSheet::OnInitDialog() {
  CGSPropertySheet::OnInitDialog();
  m_tabs.SubclassSheetTabs(this);
  // The pages close the sheet with their own buttons: the sheet's row of buttons goes, and the
  // sheet ends above it.
  int top = INT32_MAX;
  for (int id : {int(IDOK), int(IDCANCEL), int(ID_APPLY_NOW), int(IDHELP)}) {
    if (CWnd* button = GetDlgItem(id)) {
      CRect rect;
      button->GetWindowRect(&rect);
      top = std::min(top, int(rect.top));
      button->ShowWindow(SW_HIDE);
      button->EnableWindow(FALSE);
    }
  }
  if (top != INT32_MAX) {
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), top - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SECRegistry registry;
  CString text;
  if (registry.Connect(HKEY_LOCAL_MACHINE) && registry.Open(kSettingsKey, KEY_READ) &&
      registry.QueryStringValue(kPlacementValue, text)) {
    registry.Close();
    if (std::optional<WINDOWPLACEMENT> wp = frame_placement::Parse(text.view())) {
      const int screen_w = ::GetSystemMetrics(SM_CXSCREEN), screen_h = ::GetSystemMetrics(SM_CYSCREEN);
      if (wp->rcNormalPosition.left < screen_w && wp->rcNormalPosition.top < screen_h) {
        CRect now;
        GetWindowRect(&now);
        wp->rcNormalPosition.right = wp->rcNormalPosition.left + now.Width();
        wp->rcNormalPosition.bottom = wp->rcNormalPosition.top + now.Height();
        wp->showCmd = SW_SHOWNORMAL;
        ::SetWindowPlacement(m_hWnd, &*wp);
      }
    }
  }
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work || !work->GetCurrentTextView()) m_tabs.EnableTab(kFindTab, FALSE);
  return TRUE;
}

void CGTFSheet::OnCancel() { CloseOpen(); }

BOOL CGTFSheet::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
    CloseOpen();
    return TRUE;
  }
  return CGSPropertySheet::PreTranslateMessage(pMsg);
}

void CGTFSheet::OnDestroy() {
  WINDOWPLACEMENT wp;
  if (::GetWindowPlacement(m_hWnd, &wp)) {
    if (::IsZoomed(m_hWnd)) wp.flags |= WPF_RESTORETOMAXIMIZED;
    SECRegistry registry;
    if (registry.Connect(HKEY_LOCAL_MACHINE) && registry.Create(kSettingsKey)) {
      registry.SetStringValue(kPlacementValue, CString(frame_placement::Format(wp)));
      registry.Close();
    }
  }
  CGSPropertySheet::OnDestroy();
}

void CGTFSheet::PostNcDestroy() {
  CGSPropertySheet::PostNcDestroy();
  delete this;
}

void CGTFSheet::SetActiveTopic(CLumoKALView* pView) {
  if (!m_hWnd) return;
  m_tabs.EnableTab(kFindTab, pView != nullptr);
  if (pView && GetActiveIndex() == kFindTab) m_pageFind.SetActiveTopic(pView);
}

void CGTFSheet::RefillQueryHistory() {
  if (GetActiveIndex() == kFindTab) {
    m_pageFind.RefillQueryHistory();
  } else if (GetActiveIndex() == kQueryTab) {
    m_pageQuery.RefillQueryHistory();
  }
}
