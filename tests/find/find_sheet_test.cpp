// The find / go-to sheet on a library the compiler makes of the sample acts: queries with the
// Polish operators, titles only, scopes, the results tab and its sorting, opening a hit with its
// found words, cancelling and quitting during a search, go-to addresses, find in the act, the
// sheet's tabs and place, and pictures of every page.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_startup.h"
#include "engine/medview/engine_titles.h"
#include "engine/medview/topic_list.h"
#include "navigation/act_dlg.h"
#include "navigation/gtf_sheet.h"
#include "navigation/entry_texts.h"
#include "navigation/hints_dlg.h"
#include "navigation/query_rules.h"
#include "navigation/nav_bar.h"
#include "navigation/query_wizard.h"
#include "navigation/scope_sheet.h"
#include "navigation/search_abort_dlg.h"
#include "navigation/searchres_tab.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/mdi.h"
#include "platform/framework/prompter.h"
#include "platform/win/message_queue.h"
#include "platform/win/window_api.h"
#include "platform/win/window_table.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"
#include "toolkit/frame/registry.h"

namespace lumo::test {
namespace {

std::string Utf8(const std::string& cp1250) { return base::cp1250::to_utf8(cp1250); }
std::string Utf8(const CString& text) { return base::cp1250::to_utf8(text.str()); }
CString Cp(const char* utf8) { return CString(base::cp1250::from_utf8(utf8)); }

// Presses "Przerwij" in the progress window when the search's poll dispatches the message.
class CancelPresser : public CWnd {
 public:
  static constexpr UINT kPress = WM_APP + 7;
  BOOL Make() { return CreateEx(0, "Static", "", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kPress) {
      ++presses;
      HWND progress = nullptr;
      for (HWND h : win::top_level_order()) {
        char caption[64] = {};
        ::GetWindowText(h, caption, sizeof caption);
        if (std::string(caption) == "Trwa przeszukiwanie..." && ::IsWindowVisible(h)) progress = h;
      }
      if (progress) {
        ++found;
        ::SendMessage(progress, WM_COMMAND, IDCANCEL, 0);
        if (wParam == 2) ::SendMessage(progress, WM_COMMAND, IDCANCEL, 0);
      }
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  int presses = 0;
  int found = 0;
};

class FindSheetTest : public AppTest {
 protected:
  // Message boxes are answered OK once the queue is empty.
  FindSheetTest() : AppTest("find_sheet_sample", IDOK) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    medview::MvStartup(0);
    app_->SetDataDir(CString(library_->folder + "/"));
    app_->OpenCatalogFile();

    main_ = std::make_unique<CMDIFrameWnd>().release();
    ASSERT_TRUE(main_->LoadFrame(resources::IDR_MAINFRAME));
    main_->MoveWindow(0, 0, 1000, 760);
    main_->ShowWindow(SW_SHOW);
    app_->m_pMainWnd = main_;
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
    ASSERT_TRUE(nav_.Create(main_, CString("Nawigator"), style | CBRS_BOTTOM, 0x0F31, 100));
    main_->m_listControlBars.push_back(&nav_);
    auto* text_template = new CLumoKALDocTemplate(resources::IDS_WORK_DOCUMENT, RUNTIME_CLASS(CLumoKALDoc),
                                                  RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CLumoKALView));
    app_->AddDocTemplate(text_template);
    work_ = dynamic_cast<CLumoKALDoc*>(text_template->OpenDocumentFile(nullptr));
    ASSERT_NE(work_, nullptr);
    CLumoKALDoc::SetCurrentWork(work_);
    pump();
    view_ = work_->GetCurrentTextView();
    ASSERT_NE(view_, nullptr);
    view_->GetParentFrame()->MoveWindow(0, 0, 700, 420);
    nav_.MoveWindow(0, 480, 980, 220);
    results_ = nav_.GetResultsTab();
    ASSERT_NE(results_, nullptr);
    pump();
  }

  void TearDown() override {
    CGTFSheet::CloseOpen();
    pump();
    if (results_) results_->ClearList();
    CLumoKALView::FreeQueryResults();
    std::erase(main_->m_listControlBars, static_cast<CControlBar*>(&nav_));
    if (nav_.m_hWnd) nav_.DestroyWindow();
    if (work_) work_->OnCloseDocument();
    if (main_->m_hWnd) main_->DestroyWindow();
    pump();
    medview::MvShutdown();
    AppTest::TearDown();
  }

  CGTFSheet* OpenSheet(int page) {
    CGTFSheet* sheet = CGTFSheet::Open(main_, page);
    pump();
    return sheet;
  }

  // Runs a query from the query page; TRUE when it found something.
  BOOL Query(const char* utf8, bool titles_only = false, const std::function<void()>& before = {}) {
    CGTFSheet* sheet = OpenSheet(CGTFSheet::kQueryTab);
    CGTFQueryPage& page = sheet->GetQueryPage();
    page.SetQueryText(Cp(utf8));
    page.CheckDlgButton(resources::IDC_QUERY_TITLES_ONLY, titles_only ? BST_CHECKED : BST_UNCHECKED);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_QUERY_TITLES_ONLY, BN_CLICKED),
                     LPARAM(page.GetDlgItem(resources::IDC_QUERY_TITLES_ONLY)->m_hWnd));
    if (before) before();
    const BOOL found = page.RunQuery();
    pump();
    return found;
  }

  std::set<int32_t> ResultTopics() {
    std::set<int32_t> out;
    for (int row = 0; row < results_->GetList().GetItemCount(); ++row) out.insert(results_->TopicOfRow(row));
    return out;
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> out;
    for (int row = 0; row < results_->GetList().GetItemCount(); ++row) out.push_back(Utf8(results_->RowText(row, column)));
    return out;
  }
  // The topic of an act by its journal address.
  int32_t ActTopic(const char* address) {
    if (!work_->GoToAddress(CString(address))) return -1;
    pump();
    return view_->GetTextPane().GetCurrentTopic();
  }
  static std::string Picture(CWnd& wnd, const std::string& name) {
    const char* dir = std::getenv("LUMO_PNG_DIR");
    const std::string path = (dir ? std::string(dir) : base::temp_folder()) + "/" + name + ".png";
    wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
    pump();
    EXPECT_TRUE(save_window_png(wnd.m_hWnd, path, true)) << name;
    return path;
  }
  std::string LastAsked() const { return prompts_.asked.empty() ? std::string() : prompts_.asked.back(); }

  CMDIFrameWnd* main_ = nullptr;
  COutputWnd nav_;
  CLumoKALDoc* work_ = nullptr;
  CLumoKALView* view_ = nullptr;
  CSearchresTab* results_ = nullptr;
};

TEST_F(FindSheetTest, QueriesWithPolishOperatorsFillTheResultsTab) {
  const int32_t trees = ActTopic("98 35");
  const int32_t libraries = ActTopic("98 34");
  const int32_t fairs = ActTopic("99 121");
  ASSERT_GE(trees, 0);

  struct Case {
    const char* query;
    std::vector<int32_t> contains;
    std::vector<int32_t> lacks;
  } cases[] = {
      {"drzewa", {trees}, {libraries, fairs}},
      {"bibliotekach ORAZ czytelniach", {libraries}, {trees}},
      {"drzewa LUB jarmarkach", {trees, fairs}, {libraries}},
      {"bibliotekach NIE zmianie", {libraries}, {trees}},
      {"zieleni PRZY przydrożnej", {trees}, {libraries}},
      {"\"ochronie zieleni\"", {trees}, {fairs}},
      {"1998 DO 1998", {trees, libraries}, {}},
      {"(drzewa LUB targach) NIE jarmarkach", {trees}, {fairs}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Query(c.query)) << c.query << ": " << LastAsked();
    const std::set<int32_t> topics = ResultTopics();
    for (int32_t t : c.contains) EXPECT_TRUE(topics.count(t) || [&] {
      // A hit may lie in a part of the act: its row then names the act's address.
      for (const std::string& address : Column(1)) {
        shell::ActDescription d;
        work_->GetActDescription(t, d);
        if (address == Utf8(navtext::DescribeEntry(d, d.record).address)) return true;
      }
      return false;
    }()) << c.query;
    const std::string count = Utf8(results_->GetDlgItemText(resources::IDC_RESULTS_COUNT));
    EXPECT_EQ(count, "(stron: " + std::to_string(results_->GetList().GetItemCount()) + ")");
    EXPECT_EQ(Utf8(results_->GetDlgItemText(resources::IDC_RESULTS_QUERY)), std::string("<") + c.query + ">");
    for (int32_t t : c.lacks) {
      for (int32_t found : topics) EXPECT_NE(found, t) << c.query;
    }
  }
  // Numbered 1 to n; the history holds the queries, newest first, at most 10.
  const std::vector<std::string> numbers = Column(0);
  for (size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(numbers[i], std::to_string(i + 1));
  ASSERT_FALSE(work_->GetQueryHistory().empty());
  EXPECT_EQ(Utf8(work_->GetQueryHistory().front()), "(drzewa LUB targach) NIE jarmarkach");
  EXPECT_EQ(app_->GetDocumentData().m_nSearches, 8u);
  // A query that cannot be parsed reports the engine's string; the history keeps failed queries out.
  EXPECT_FALSE(Query("(drzewa"));
  EXPECT_EQ(LastAsked(), "W zapytaniu brakuje prawego nawiasu.");
  // Nothing found: string 206; the results stay.
  const int rows = results_->GetList().GetItemCount();
  EXPECT_FALSE(Query("xyzzyqq"));
  EXPECT_EQ(LastAsked(), "Nie znaleziono tekstu odpowiadającego zadanym kryteriom przeszukiwania!");
  EXPECT_EQ(results_->GetList().GetItemCount(), rows);
  EXPECT_EQ(Utf8(work_->GetQueryHistory().front()), "(drzewa LUB targach) NIE jarmarkach");
}

TEST_F(FindSheetTest, TitlesOnlySearchesTheTitlesAndKeepsTheTypedText) {
  ASSERT_TRUE(Query("bibliotekach", true)) << LastAsked();
  const size_t in_titles = ResultTopics().size();
  EXPECT_EQ(Utf8(results_->GetDlgItemText(resources::IDC_RESULTS_QUERY)), "<bibliotekach>");
  EXPECT_EQ(Utf8(work_->GetQueryHistory().front()), "bibliotekach");
  EXPECT_EQ(Utf8(GetQueryState().current_text), "bibliotekach");
  // "wielkich" stands in no title.
  EXPECT_FALSE(Query("Zieleń", true) && ResultTopics().empty());
  ASSERT_TRUE(Query("bibliotekach", false));
  EXPECT_GE(ResultTopics().size(), in_titles);
}

TEST_F(FindSheetTest, ScopesNarrowTheSearchAndTheirFilesStayPrivate) {
  const int32_t libraries = ActTopic("98 34");
  const int32_t change = ActTopic("99 120");
  ASSERT_TRUE(Query("bibliotekach"));
  std::set<int32_t> all = ResultTopics();
  ASSERT_TRUE(all.count(libraries) && all.count(change));

  CGTFQueryPage& page = CGTFSheet::GetOpen()->GetQueryPage();
  // Two "years" (lists of the acts of 1998 and 1999) and a "person" who signed only the 1999 act.
  medview::TopicListHandle year98 = medview::MvCreateSingleTopicList(LibraryTitle(), libraries);
  medview::TopicListHandle year99 = medview::MvCreateSingleTopicList(LibraryTitle(), change);
  page.SetYearScope(medview::MvCombineTopicLists(medview::kCombineUnion, year98, year99), CString("1998, 1999"));
  medview::MvFreeTopicList(year98);
  medview::MvFreeTopicList(year99);
  EXPECT_FALSE(page.HasNoRestriction());
  EXPECT_EQ(Utf8(page.GetDlgItemText(resources::IDC_QUERY_YEARS_LABEL)), "1998, 1999");
  EXPECT_TRUE(page.GetDlgItem(resources::IDC_QUERY_RESET)->IsWindowEnabled());
  ASSERT_TRUE(page.RunQuery());
  EXPECT_EQ(ResultTopics(), (std::set<int32_t>{libraries, change}));

  engine::GroupPtr person = medview::MvCreateGroup(change + 1, nullptr);
  medview::MvAddGroupItem(person.get(), change);
  page.SetPersonScope(std::move(person), Cp("Kwaśniewski"));
  EXPECT_EQ(Utf8(page.GetDlgItemText(resources::IDC_QUERY_PERSONS_LABEL)), "Kwaśniewski");
  ASSERT_TRUE(page.RunQuery());
  EXPECT_EQ(ResultTopics(), (std::set<int32_t>{change}));
  // The group files lie in the process's private folder.
  const std::string person_file = CGTFQueryPage::ScopeFile("pr");
  EXPECT_EQ(person_file.rfind(base::temp_folder() + "/", 0), 0u) << person_file;
  EXPECT_TRUE(std::filesystem::exists(person_file));
  EXPECT_EQ((std::filesystem::status(base::temp_folder()).permissions() & std::filesystem::perms::others_all),
            std::filesystem::perms::none);

  // The list scope "Lista - rezultaty przeszukiwania" is offered once the results tab has rows;
  // choosing it limits the next search to them (through "lg" in the same folder).
  page.ResetScope();
  EXPECT_TRUE(page.HasNoRestriction());
  EXPECT_EQ(Utf8(page.GetDlgItemText(resources::IDC_QUERY_PERSONS_LABEL)), "wszystkie");
  EXPECT_FALSE(page.GetDlgItem(resources::IDC_QUERY_RESET)->IsWindowEnabled());
  CComboBox& scope = page.m_comboScope;
  int results_entry = -1;
  for (int i = 0; i < scope.GetCount(); ++i) {
    if (int(scope.GetItemData(i)) == 3) results_entry = i;
  }
  ASSERT_GE(results_entry, 0);
  // The separator takes entry 0.
  scope.SetCurSel(1);
  page.SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_QUERY_LIST_SCOPE, CBN_SELCHANGE), LPARAM(scope.m_hWnd));
  EXPECT_EQ(scope.GetCurSel(), 0);
  EXPECT_TRUE(page.IsWholeLibrary());
  scope.SetCurSel(results_entry);
  page.SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_QUERY_LIST_SCOPE, CBN_SELCHANGE), LPARAM(scope.m_hWnd));
  EXPECT_FALSE(page.IsWholeLibrary());
  page.SetQueryText(CString("bibliotekach"));
  ASSERT_TRUE(page.RunQuery());
  EXPECT_EQ(ResultTopics(), (std::set<int32_t>{change}));
  EXPECT_TRUE(std::filesystem::exists(CGTFQueryPage::ScopeFile("lg")));

  // The print list is a scope of its acts.
  work_->GetPrintList().push_back(std::make_unique<CMvPrintmarkItem>());
  work_->GetPrintList().back()->m_nTopic = libraries;
  engine::GroupPtr printed = scopelists::BuildListGroup(4);
  ASSERT_NE(printed, nullptr);
  EXPECT_TRUE(medview::MvGroupHasItem(printed.get(), libraries));
  EXPECT_EQ(medview::MvGetGroupCount(printed.get()), 1);

  // Clearing the results drops their entry from the scopes.
  results_->ClearList();
  for (int i = 0; i < scope.GetCount(); ++i) EXPECT_NE(int(scope.GetItemData(i)), 3);
  EXPECT_EQ(Utf8(results_->GetDlgItemText(resources::IDC_RESULTS_COUNT)), "");
  EXPECT_EQ(CLumoKALDoc::GetResultListHits(), nullptr);
}

TEST_F(FindSheetTest, SortingCyclesAndOpeningAHitShowsItsFoundWords) {
  ASSERT_TRUE(Query("ustawy LUB ustawa LUB gminnych"));
  const int rows = results_->GetList().GetItemCount();
  ASSERT_GE(rows, 3);
  std::vector<int32_t> engine_order;
  for (int r = 0; r < rows; ++r) engine_order.push_back(results_->TopicOfRow(r));

  results_->SortByColumn(1);
  EXPECT_EQ(results_->GetSortColumn(), 1);
  std::vector<std::string> ascending = Column(1);
  for (size_t i = 1; i < ascending.size(); ++i) {
    EXPECT_LE(findrules::CompareNatural(base::cp1250::from_utf8(ascending[i - 1]), base::cp1250::from_utf8(ascending[i])), 0)
        << ascending[i - 1] << " / " << ascending[i];
  }
  results_->SortByColumn(1);
  EXPECT_FALSE(results_->IsSortAscending());
  std::vector<std::string> descending = Column(1);
  EXPECT_EQ(std::vector<std::string>(ascending.rbegin(), ascending.rend()), descending);
  EXPECT_EQ(Column(0).front(), "1");  // "LP." numbers the shown order
  results_->SortByColumn(1);
  EXPECT_EQ(results_->GetSortColumn(), -1);
  for (int r = 0; r < rows; ++r) EXPECT_EQ(results_->TopicOfRow(r), engine_order[size_t(r)]);
  // Another column always starts ascending; dates put the empty ones first.
  results_->SortByColumn(2);
  results_->SortByColumn(3);
  EXPECT_TRUE(results_->IsSortAscending());
  const std::vector<std::string> dates = Column(3);
  bool seen_date = false;
  for (const std::string& d : dates) {
    if (!d.empty()) seen_date = true;
    EXPECT_FALSE(seen_date && d.empty());
  }
  // A new query forgets the sort.
  ASSERT_TRUE(Query("drzewa"));
  EXPECT_EQ(results_->GetSortColumn(), -1);

  // Opening the hit: the act shows with its found words highlighted (Ctrl+W on).
  view_->SendMessage(WM_COMMAND, resources::ID_HIGHLIGHT_FOUND);
  view_->GoToAddress(CString("99 121"));
  pump();
  results_->SelectRow(0);
  results_->SendMessage(WM_COMMAND, resources::ID_ENTRY_OPEN);
  pump();
  EXPECT_EQ(Utf8(view_->GetSheetTitle()), "1998 r. poz 35");
  EXPECT_NE(CLumoKALDoc::GetResultListHits(), nullptr);
  EXPECT_GT(view_->GetFoundWordCount(), 0);
  // "Informacja" makes the act information window and shows the selected hit on its first tab.
  results_->SelectRow(0);
  results_->SendMessage(WM_COMMAND, resources::ID_ENTRY_INFORMATION);
  pump();
  ASSERT_TRUE(IsActInfoDialogVisible());
  EXPECT_EQ(GetActInfoDialog()->GetRecord(), results_->TopicOfRow(0));
  EXPECT_EQ(GetActInfoDialog()->GetCurrentTab(), 0);
  GetActInfoDialog()->ShowWindow(SW_HIDE);
  Picture(results_->GetList(), "find_results_tab");
  Picture(nav_, "find_results_bar");
}

TEST_F(FindSheetTest, CancelStopsOneSearchOnlyAndAQuitRequestIsKept) {
  CancelPresser presser;
  ASSERT_TRUE(presser.Make());
  ASSERT_TRUE(Query("drzewa"));
  const int rows = results_->GetList().GetItemCount();

  // "Przerwij" pressed (twice) while the engine polls: the search stops once, the engine's failure
  // is reported, the results stay.
  EXPECT_FALSE(Query("ustawa", false, [&] { presser.PostMessage(CancelPresser::kPress, 2, 0); }));
  EXPECT_EQ(presser.found, 1);
  EXPECT_EQ(LastAsked(), "Poszukiwanie bez powodzenia.");
  EXPECT_EQ(results_->GetList().GetItemCount(), rows);
  EXPECT_TRUE(CGTFSheet::GetOpen()->GetQueryPage().IsWindowEnabled());

  // A cancel that arrived after the last poll does not stop the next search.
  work_->SetAbort();
  EXPECT_TRUE(Query("ustawa")) << LastAsked();

  // A quit request met while searching stops the search and stays for the program's loop.
  EXPECT_FALSE(Query("gminnych", false, [] { ::PostQuitMessage(3); }));
  MSG msg;
  ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  presser.DestroyWindow();
}

TEST_F(FindSheetTest, GoToBuildsJournalAddressesAndFallsBackToTheAct) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 34")));
  pump();
  CGTFSheet* sheet = OpenSheet(CGTFSheet::kGotoTab);
  CGTFGotoPage& page = sheet->GetGotoPage();
  // Opened over an act of 1998 at position 34: "Akt prawny", year 8, position 34.
  EXPECT_EQ(page.m_listKind.GetCurSel(), 1);
  EXPECT_EQ(page.CurrentAddress(), "DU.1998.0034.0000");

  page.SelectEntry(0);
  page.m_editYear.SetData(CString("7"), 0, FALSE, TRUE);
  page.m_editPosition.SetData(CString("123 "), 0, FALSE, TRUE);
  page.m_editArticle.SetData(CString("5   "), 0, FALSE, TRUE);
  EXPECT_EQ(page.CurrentAddress(), "DU.1997.0123.0005");
  // Switching to the issue and back keeps the number and the position apart.
  page.SelectEntry(2);
  page.m_editPosition.SetData(CString("12 "), 0, FALSE, TRUE);
  EXPECT_EQ(page.CurrentAddress(), "DU.1997.012");
  page.SelectEntry(0);
  EXPECT_EQ(page.CurrentAddress(), "DU.1997.0123.0005");
  page.SelectEntry(2);
  EXPECT_EQ(page.CurrentAddress(), "DU.1997.012");
  page.SelectEntry(4);
  EXPECT_EQ(page.CurrentAddress(), "DU.1997.SK_");
  Picture(*sheet, "find_goto_page");

  // An article that does not exist: the act itself.
  page.SelectEntry(0);
  page.m_editYear.SetData(CString("8"), 0, FALSE, TRUE);
  page.m_editPosition.SetData(CString("35  "), 0, FALSE, TRUE);
  page.m_editArticle.SetData(CString("99  "), 0, FALSE, TRUE);
  EXPECT_EQ(page.CurrentAddress(), "DU.1998.0035.0099");
  EXPECT_TRUE(page.OnGoTo());
  pump();
  EXPECT_EQ(Utf8(view_->GetSheetTitle()), "1998 r. poz 35");
}

TEST_F(FindSheetTest, FindInTheActRunsOnceThenSteps) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  pump();
  CGTFSheet* sheet = OpenSheet(CGTFSheet::kFindTab);
  ASSERT_EQ(sheet->GetActiveIndex(), CGTFSheet::kFindTab);
  CGTFFindPage& page = sheet->GetFindPage();
  EXPECT_FALSE(page.GetDlgItem(resources::IDC_FIND_NEXT)->IsWindowEnabled());
  page.SetFindText(CString("  drzewa "));
  EXPECT_TRUE(page.GetDlgItem(resources::IDC_FIND_NEXT)->IsWindowEnabled());
  page.OnNext();
  pump();
  EXPECT_EQ(Utf8(page.GetLastSearched()), "drzewa");
  EXPECT_NE(view_->GetOwnQueryHits(), nullptr);
  EXPECT_GT(view_->GetFoundWordCount(), 0);
  const int searches = int(app_->GetDocumentData().m_nSearches);
  page.OnNext();  // the same text steps to the next found word without a new query
  EXPECT_EQ(int(app_->GetDocumentData().m_nSearches), searches);
  EXPECT_EQ(Utf8(work_->GetQueryHistory().front()), "drzewa");
  page.SetFindText(Cp("zieleń"));
  Picture(*sheet, "find_in_act_page");
  EXPECT_FALSE(page.GetDlgItem(resources::IDC_FIND_PREVIOUS)->IsWindowVisible());
  EXPECT_TRUE(page.GetDlgItem(resources::IDC_FIND_CLOSE)->IsWindowVisible());

  // Without an act the tab is disabled; it comes back with one.
  sheet->SetActiveTopic(nullptr);
  EXPECT_FALSE(sheet->GetTabs().IsTabEnabled(CGTFSheet::kFindTab));
  sheet->SetActiveTopic(view_);
  EXPECT_TRUE(sheet->GetTabs().IsTabEnabled(CGTFSheet::kFindTab));
}

TEST_F(FindSheetTest, TheSheetKeepsItsPlaceAndOnlyOneExists) {
  CGTFSheet* sheet = OpenSheet(CGTFSheet::kQueryTab);
  ASSERT_NE(sheet, nullptr);
  CString caption;
  sheet->GetWindowText(caption);
  EXPECT_EQ(Utf8(caption), "Znajdź/Przejdź do");
  EXPECT_EQ(CGTFSheet::Open(main_, CGTFSheet::kGotoTab), sheet);
  EXPECT_EQ(sheet->GetActiveIndex(), CGTFSheet::kGotoTab);
  sheet->SetActivePage(CGTFSheet::kQueryTab);
  pump();
  sheet->GetQueryPage().SetQueryText(Cp("zieleń ORAZ drzewa"));
  Picture(*sheet, "find_query_page");
  // The page's hidden box and the sheet's own buttons stay out of sight; the pages close it.
  EXPECT_FALSE(sheet->GetQueryPage().GetDlgItem(resources::IDC_QUERY_NEW_LIST)->IsWindowVisible());
  EXPECT_FALSE(sheet->GetQueryPage().GetDlgItem(resources::IDC_QUERY_HEADINGS)->IsWindowVisible());
  EXPECT_TRUE(sheet->GetQueryPage().GetDlgItem(resources::IDC_QUERY_SORT)->IsWindowVisible());
  EXPECT_TRUE(sheet->GetQueryPage().GetDlgItem(resources::IDC_QUERY_FIND)->IsWindowEnabled());
  ASSERT_NE(sheet->GetDlgItem(IDOK), nullptr);
  EXPECT_FALSE(sheet->GetDlgItem(IDOK)->IsWindowVisible());
  sheet->SetWindowPos(nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  CGTFSheet::CloseOpen();
  pump();
  EXPECT_EQ(CGTFSheet::GetOpen(), nullptr);
  SECRegistry registry;
  CString stored;
  ASSERT_TRUE(registry.Connect(HKEY_LOCAL_MACHINE) && registry.Open("Software\\Fenwar\\LumoKAL", KEY_READ) &&
              registry.QueryStringValue(CGTFSheet::kPlacementValue, stored));
  EXPECT_NE(stored.str().find(",120,90,"), std::string::npos) << stored.str();
  sheet = OpenSheet(CGTFSheet::kQueryTab);
  CRect rect;
  sheet->GetWindowRect(&rect);
  EXPECT_EQ(rect.TopLeft(), CPoint(120, 90));
  // A place off the screen is ignored.
  CGTFSheet::CloseOpen();
  pump();
  ASSERT_TRUE(registry.Create("Software\\Fenwar\\LumoKAL"));
  registry.SetStringValue(CGTFSheet::kPlacementValue, CString("0,1,0,0,0,0,99999,90,99999,400"));
  registry.Close();
  sheet = OpenSheet(CGTFSheet::kQueryTab);
  sheet->GetWindowRect(&rect);
  EXPECT_LT(rect.left, 5000);
  // The caption's close box closes it as "Zamknij" does.
  sheet->SendMessage(WM_CLOSE);
  pump();
  EXPECT_EQ(CGTFSheet::GetOpen(), nullptr);
}

TEST_F(FindSheetTest, PicturesOfTheScopePagesHintsAndProgress) {
  CGTFSheet* sheet = OpenSheet(CGTFSheet::kQueryTab);
  CScopeDatePage years;
  CScopeSheet scope(&sheet->GetQueryPage(), &years);
  ASSERT_TRUE(scope.Create(&sheet->GetQueryPage(), WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME));
  pump();
  EXPECT_FALSE(scope.GetDlgItem(IDHELP) && scope.GetDlgItem(IDHELP)->IsWindowVisible());
  years.SetDlgItemText(resources::IDC_SCOPE_YEAR_CHOSEN, Cp("1998, 1999"));
  Picture(scope, "find_scope_years");
  scope.DestroyWindow();

  CScopePersonPage persons;
  CScopeSheet person_sheet(&sheet->GetQueryPage(), &persons);
  ASSERT_TRUE(person_sheet.Create(&sheet->GetQueryPage(), WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME));
  pump();
  // The sample library has no signatories: the list is empty and no group is made.
  EXPECT_EQ(persons.GetList().GetItemCount(), 0);
  EXPECT_EQ(persons.TakeGroup(), nullptr);
  Picture(person_sheet, "find_scope_persons");
  person_sheet.DestroyWindow();

  app_->GetUserData().m_nNearDistance = 4;
  CHintsDlg hints(main_);
  ASSERT_TRUE(hints.Create(resources::IDD_HINTS, main_));
  hints.OnInitDialog();
  hints.ShowWindow(SW_SHOW);
  pump();
  EXPECT_NE(Utf8(hints.GetDlgItemText(resources::IDC_HINTS_NEAR)).find("o 4 słowa"), std::string::npos);
  Picture(hints, "find_hints");
  hints.DestroyWindow();

  {
    CSearchAbortDlg progress(&sheet->GetQueryPage());
    EXPECT_FALSE(sheet->GetQueryPage().IsWindowEnabled());
    progress.ShowWindow(SW_SHOW);
    pump();
    Picture(progress, "find_progress");
  }
  EXPECT_TRUE(sheet->GetQueryPage().IsWindowEnabled());
}

TEST_F(FindSheetTest, TheQueryWizardWalksItsPagesToTheSummary) {
  work_->GetQueryHistory().push_back(Cp("zieleń"));
  CWizSheet wizard(main_);
  ASSERT_TRUE(wizard.Create(main_, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE));
  pump();
  CString text;
  wizard.m_intro.m_comboText.GetWindowText(text);
  EXPECT_EQ(Utf8(text), "zieleń");
  // The operator menu of the intro page works on its own combo.
  wizard.m_intro.SendMessage(WM_COMMAND, resources::ID_OPERATOR_AND);
  wizard.m_intro.m_comboText.GetWindowText(text);
  EXPECT_EQ(Utf8(text), "zieleń ORAZ");
  Picture(wizard, "find_wizard_intro");
  for (int step = 0; step < 5; ++step) {
    ASSERT_TRUE(wizard.PressButton(ID_WIZNEXT)) << step;
    pump();
  }
  EXPECT_EQ(wizard.GetActivePage(), &wizard.m_complete);
  EXPECT_EQ(Utf8(wizard.m_intro.GetQueryText()), "zieleń ORAZ");
  EXPECT_EQ(Utf8(wizard.m_complete.GetDlgItemText(resources::IDC_WIZ_CHOSEN)), "wszystkie");
  Picture(wizard, "find_wizard_complete");
  wizard.DestroyWindow();
}

}  // namespace
}  // namespace lumo::test
