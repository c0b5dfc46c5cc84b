// The navigator tabs over a work on a library the compiler makes of the sample acts: history rows
// from a sheet's list, bookmarks added, sorted, opened and deleted, the row texts, sorting rules,
// and pictures of the tabs with Polish titles.
#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/gs_tool_bar.h"
#include "engine/medview/topic_list.h"
#include "navigation/bookmark_quick_dlg.h"
#include "navigation/bookmark_tab.h"
#include "navigation/du_tab.h"
#include "navigation/history_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/sort_class.h"
#include "shell/core/library_tree.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/prompter.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(static_cast<LPCTSTR>(text)); }
std::string Utf8(const std::string& text) { return base::cp1250::to_utf8(text); }
std::string Cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }

// --- Row texts and sorting rules ----------------------------------------------------------------

TEST(NavigatorSorting, TextWithNumbersDatesAndKinds) {
  using navsort::CompareWithNumbers;
  // Year and position compare as numbers.
  EXPECT_LT(CompareWithNumbers("1999/poz 9", "1999/poz 10"), 0);
  EXPECT_GT(CompareWithNumbers("2001/poz 1", "1999/poz 300"), 0);
  EXPECT_EQ(CompareWithNumbers("  2001/poz 7", "2001/poz 7"), 0);
  // Texts compare without case in the Polish order; texts of one length no longer tie.
  EXPECT_GT(CompareWithNumbers(Cp("ustawa"), Cp("ROZPORZĄDZENIE")), 0);
  EXPECT_LT(CompareWithNumbers(Cp("akt"), Cp("ROZPORZĄDZENIE")), 0);
  EXPECT_GT(CompareWithNumbers("Ustawa", "Umowa!"), 0);
  EXPECT_LT(CompareWithNumbers("Nr 2", "Nr 12"), 0);

  int64_t day = 0;
  struct DateCase {
    const char* text;
    bool valid;
  } dates[] = {{"99-12-31", true}, {"01-02-28", true}, {"2004-02-29", true}, {"29.02.2004", true},
               {"01-02-29", false}, {"99-13-01", false}, {"", false},       {"1-2", false},
               {"12.12.99", false}, {"2004-02-29x", false}};
  for (const DateCase& c : dates) EXPECT_EQ(navsort::ParseListDate(c.text, day), c.valid) << c.text;
  // Two-digit years: 99 before 01.
  EXPECT_LT(navsort::CompareTexts("99-12-31", "01-01-01", 3), 0);
  EXPECT_GT(navsort::CompareTexts("99-12-31", "01-01-01", -3), 0);
  EXPECT_EQ(navsort::CompareTexts("", "01-01-01", 3), -1);
  EXPECT_EQ(navsort::CompareTexts("", "01-01-01", -3), 1);
  EXPECT_EQ(navsort::CompareTexts("", "", 3), 0);
  EXPECT_EQ(navsort::CompareTexts(Cp("zła"), "01-01-01", 3), 1);
  EXPECT_LT(navsort::CompareTexts("9", "10", 1), 0);
  EXPECT_GT(navsort::CompareTexts("9", "10", -1), 0);
  EXPECT_LT(navsort::CompareTexts("1.5", "2.25", 4), 0);
  EXPECT_EQ(navsort::CompareTexts("a", "b", 7), 0);
  EXPECT_EQ(navsort::KindForColumn(0), 1);
  EXPECT_EQ(navsort::KindForColumn(3), 3);
  EXPECT_EQ(navsort::KindForColumn(4), 2);

  // Three clicks on one header: ascending, descending, the list's own order; another column
  // always starts ascending.
  navsort::SortState state;
  state = navsort::NextSortState(state, 2);
  EXPECT_EQ(state.column, 2);
  EXPECT_TRUE(state.ascending);
  state = navsort::NextSortState(state, 2);
  EXPECT_FALSE(state.ascending);
  EXPECT_EQ(navsort::NextSortState(state, 1).column, 1);
  EXPECT_TRUE(navsort::NextSortState(state, 1).ascending);
  state = navsort::NextSortState(state, 2);
  EXPECT_EQ(state.column, -1);
}

TEST(NavigatorRows, TextsOfEachLevel) {
  shell::ActDescription d;
  shell::ContentsRecord act;
  act.level = 7;
  act.year = 101;
  act.number = 2786;
  d.texts[7] = Cp("Ustawa#o ochronie środowiska");
  d.texts[8] = "Nr#150";
  d.texts[9] = "Rocznik#2001";
  d.texts[0] = Cp("Rozdział 1");
  d.act_date = 37196;  // 2001-11-03 counted from 1900-01-01
  d.publication_date = 37200;

  struct Case {
    int level;
    bool attachment;
    int number;
    const char* address;
    const char* rank;
    const char* date;
    const char* title;
  } cases[] = {
      {7, false, 2786, "2001/poz 2786", "Ustawa", "01-11-03", "o ochronie środowiska Rozdział 1"},
      {7, false, 0, "2001/ ", "Ustawa", "", "o ochronie środowiska Rozdział 1"},
      {2, false, 1, "2001/poz 2786", "Ustawa", "01-11-03", "o ochronie środowiska Rozdział 1"},
      {7, true, 0, "2001/poz 2786", "Ustawa", "", "o ochronie środowiska Rozdział 1"},
      {8, false, 150, "2001/Nr 150", "D. U.", "01-11-07", "150 Rozdział 1"},
      {8, false, 0, "2001/ ", "D. U.", "", "150 Rozdział 1"},
      {9, false, 0, "2001 rok", "ROCZNIK", "01-11-07", "2001 Rozdział 1"},
  };
  for (const Case& c : cases) {
    d.record.level = c.level;
    d.record.attachment = c.attachment;
    d.record.number = c.number;
    d.record.year = 101;
    const navtext::EntryTexts t = navtext::DescribeEntry(d, act);
    EXPECT_EQ(t.address, c.address) << c.level;
    EXPECT_EQ(t.rank, c.rank) << c.level;
    EXPECT_EQ(t.date, c.date) << c.level;
    EXPECT_EQ(Utf8(t.title), c.title) << c.level;
  }
  // A year past 1999 shows in full, never as "19" and the field.
  d.record.level = 9;
  d.record.year = 126;
  EXPECT_EQ(navtext::DescribeEntry(d, act).address, "2026 rok");
  // The dialog's fields.
  d.record.level = 8;
  d.record.number = 150;
  EXPECT_EQ(navtext::DescribeBookmark(d, act).reference, "Nr 150");
  EXPECT_EQ(navtext::DescribeBookmark(d, act).kind, "DZIENNIK USTAW");
  d.record.level = 3;
  EXPECT_EQ(navtext::DescribeBookmark(d, act).reference, "2001/poz 2786");
  EXPECT_EQ(navtext::BookmarkName(d), Cp("o ochronie środowiska"));
  // A text without "#" has no kind and is its own name.
  d.texts[7] = "Obwieszczenie";
  EXPECT_EQ(navtext::DescribeEntry(d, act).rank, "");
  EXPECT_EQ(navtext::BookmarkName(d), "Obwieszczenie");
}

// --- The tabs over a work ----------------------------------------------------------------------

class NavTabsTest : public AppTest {
 protected:
  // Message boxes are answered No once the queue is empty.
  NavTabsTest() : AppTest("nav_tabs_sample", IDNO) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(StartWithLibrary());
    work_ = CLumoKALDoc::GetCurrentWork();
    ASSERT_NE(work_, nullptr);
    auto* main = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd);
    ASSERT_NE(main, nullptr);
    main->MoveWindow(0, 0, 900, 650);
    // The main window's own bars when it has them, else bars of the test's own.
    if (navcmd::FindOutputWnd() && navcmd::FindIndexWnd()) {
      pnav_ = navcmd::FindOutputWnd();
      plists_ = navcmd::FindIndexWnd();
    } else {
      constexpr DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
      ASSERT_TRUE(own_nav_.Create(main, CString("Nawigator"), style | CBRS_BOTTOM, 0x0F31, 100));
      ASSERT_TRUE(own_lists_.Create(main, CString("Spisy"), style | CBRS_LEFT, 0x0F31, 101));
      own_nav_.MoveWindow(0, 420, 880, 200);
      own_lists_.MoveWindow(0, 0, 300, 410);
      main->m_listControlBars.push_back(&own_nav_);
      main->m_listControlBars.push_back(&own_lists_);
    }
    main->RecalcLayout();
    pump();
    history_ = pnav_->GetHistoryTab();
    bookmarks_ = pnav_->GetBookmarkTab();
    bookmarks_->FillList();
    ASSERT_TRUE(history_ && bookmarks_);
    // Acts of the sample library, in catalogue order.
    const shell::ContentsIndexReader& catalog = app_->GetCatalog();
    for (int32_t n = 0; n < catalog.RecordCount(); ++n) {
      shell::ContentsRecord r;
      if (catalog.ReadRecord(n, r) && r.level == 7 && !r.attachment) acts_.push_back(n);
    }
    ASSERT_GE(acts_.size(), 5u);
  }
  void TearDown() override {
    if (auto* main = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd)) {
      std::erase(main->m_listControlBars, static_cast<CControlBar*>(&own_nav_));
      std::erase(main->m_listControlBars, static_cast<CControlBar*>(&own_lists_));
    }
    if (own_nav_.m_hWnd) own_nav_.DestroyWindow();
    if (own_lists_.m_hWnd) own_lists_.DestroyWindow();
    AppTest::TearDown();
  }

  static std::vector<std::string> Column(CEntryListTab* tab, int column) {
    std::vector<std::string> out;
    for (int row = 0; row < tab->GetList().GetItemCount(); ++row) out.push_back(Utf8(tab->RowText(row, column)));
    return out;
  }
  static std::string Picture(CWnd& wnd, const std::string& name) {
    const std::string path = (std::getenv("LUMO_PNG_DIR") ? std::string(std::getenv("LUMO_PNG_DIR")) : base::temp_folder()) + "/" + name;
    EXPECT_TRUE(save_window_png(wnd.m_hWnd, path));
    return path;
  }

  CLumoKALDoc* work_ = nullptr;
  COutputWnd own_nav_;
  CIndexWnd own_lists_;
  COutputWnd* pnav_ = &own_nav_;
  CIndexWnd* plists_ = &own_lists_;
  CHistoryTab* history_ = nullptr;
  CBookmarkTab* bookmarks_ = nullptr;
  std::vector<int32_t> acts_;
};

TEST_F(NavTabsTest, HistoryShowsTheSheetsListNewestFirstAndNeverAnEntryTheSheetDropped) {
  HistoryList places;
  for (int i = 0; i < 3; ++i) places.push_back(std::make_unique<CMvHistoryItem>(acts_[size_t(i)], 0, 0, nullptr));
  history_->Bind(nullptr, &places);
  EXPECT_EQ(Column(history_, 0), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(history_->EntryOfRow(0), places[2].get());
  EXPECT_EQ(history_->EntryOfRow(2), places[0].get());

  // A new place goes in at the top.
  places.push_back(std::make_unique<CMvHistoryItem>(acts_[3], 0, 0, nullptr));
  shell::ActDescription d;
  work_->GetActDescription(acts_[3], d);
  work_->SetModifiedFlag(FALSE);
  history_->InsertItem(d, places.back().get());
  EXPECT_TRUE(work_->IsModified());
  ASSERT_EQ(history_->GetList().GetItemCount(), 4);
  EXPECT_EQ(history_->EntryOfRow(0), places.back().get());
  EXPECT_EQ(Column(history_, 0).back(), "4");
  // The row put in at the top and the rows moved down read as a fresh listing of the places.
  std::vector<std::vector<std::string>> inserted;
  for (int c = 0; c < 5; ++c) inserted.push_back(Column(history_, c));
  history_->FillList();
  for (int c = 0; c < 5; ++c) EXPECT_EQ(Column(history_, c), inserted[size_t(c)]) << c;

  // The sheet drops its oldest place: the row that showed it acts on nothing.
  places.erase(places.begin());
  EXPECT_EQ(history_->EntryOfRow(3), nullptr);
  history_->SelectRow(3);
  history_->SendMessage(WM_COMMAND, resources::ID_ENTRY_ADD_BOOKMARK);
  EXPECT_TRUE(work_->GetBookmarks().empty());
  EXPECT_EQ(history_->GetWorkingItem(), nullptr);

  // 55 places: the newest 50 rows, numbered 1 to 50.
  while (places.size() < 55) places.push_back(std::make_unique<CMvHistoryItem>(acts_[0], 0, 0, nullptr));
  history_->FillList();
  EXPECT_EQ(history_->GetList().GetItemCount(), CHistoryTab::kHistoryRows);
  EXPECT_EQ(Column(history_, 0).back(), "50");
  EXPECT_EQ(history_->EntryOfRow(0), places.back().get());
  // One more place while the sheet drops its oldest: still the newest 50, in order, numbered.
  places.erase(places.begin());
  places.push_back(std::make_unique<CMvHistoryItem>(acts_[1], 0, 0, nullptr));
  work_->GetActDescription(acts_[1], d);
  history_->InsertItem(d, places.back().get());
  ASSERT_EQ(history_->GetList().GetItemCount(), CHistoryTab::kHistoryRows);
  for (int row = 0; row < CHistoryTab::kHistoryRows; ++row) {
    EXPECT_EQ(history_->EntryOfRow(row), places[places.size() - 1 - size_t(row)].get()) << row;
    EXPECT_EQ(Column(history_, 0)[size_t(row)], std::to_string(row + 1));
  }
  inserted.clear();
  for (int c = 0; c < 5; ++c) inserted.push_back(Column(history_, c));
  history_->FillList();
  for (int c = 0; c < 5; ++c) EXPECT_EQ(Column(history_, c), inserted[size_t(c)]) << c;

  // The group holds each topic once.
  engine::GroupPtr group = history_->BuildGroup();
  ASSERT_NE(group, nullptr);
  EXPECT_TRUE(medview::MvGroupHasItem(group.get(), acts_[1]));
  EXPECT_EQ(medview::MvGetGroupCount(group.get()), 4);

  // "Wyczyść listę" empties the sheet's list and the rows without asking.
  history_->SendMessage(WM_COMMAND, resources::ID_HISTORY_CLEAR);
  EXPECT_TRUE(places.empty());
  EXPECT_EQ(history_->GetList().GetItemCount(), 0);
  EXPECT_TRUE(prompts_.asked.empty());
  history_->Bind(nullptr, nullptr);
}

TEST_F(NavTabsTest, HistoryHeaderClicksSortAscendingDescendingThenNewestFirst) {
  HistoryList places;
  for (int32_t act : {acts_[2], acts_[0], acts_[4], acts_[1]}) places.push_back(std::make_unique<CMvHistoryItem>(act, 0, 0, nullptr));
  history_->Bind(nullptr, &places);
  const std::vector<std::string> own = Column(history_, 1);
  std::vector<std::string> sorted = own;
  std::sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
    return navsort::CompareWithNumbers(Cp(a.c_str()), Cp(b.c_str())) < 0;
  });
  NMLISTVIEW click{};
  click.hdr.hwndFrom = history_->GetList().m_hWnd;
  click.hdr.idFrom = resources::IDC_HISTORY_LIST;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iSubItem = 1;
  auto header_click = [&] { history_->SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click)); };
  header_click();
  EXPECT_EQ(Column(history_, 1), sorted);
  // The rows keep their entries through the sort.
  for (int row = 0; row < 4; ++row) ASSERT_NE(history_->EntryOfRow(row), nullptr);
  header_click();
  EXPECT_EQ(Column(history_, 1), std::vector<std::string>(sorted.rbegin(), sorted.rend()));
  header_click();
  EXPECT_EQ(Column(history_, 1), own);
  EXPECT_EQ(Column(history_, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
  history_->Bind(nullptr, nullptr);
}

TEST_F(NavTabsTest, BookmarkCommandsAfterASortActOnTheBookmarkTheRowShows) {
  for (size_t i = 0; i < 5; ++i) bookmarks_->AddBookmark(acts_[i]);
  ASSERT_EQ(work_->GetBookmarks().size(), 5u);
  EXPECT_EQ(Column(bookmarks_, 0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(Utf8(bookmarks_->GetDlgItemText(resources::IDC_BOOKMARK_COUNT)), "(5)");
  // Named after the act's subject.
  shell::ActDescription d;
  work_->GetActDescription(acts_[0], d);
  EXPECT_EQ(Utf8(work_->GetBookmarks()[0]->m_strName), Utf8(navtext::BookmarkName(d)));

  // Sorted by the title, descending: the rows no longer follow the work's order.
  NMLISTVIEW click{};
  click.hdr.hwndFrom = bookmarks_->GetList().m_hWnd;
  click.hdr.idFrom = resources::IDC_BOOKMARK_LIST;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iSubItem = 1;
  bookmarks_->SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
  bookmarks_->SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
  size_t index = 0;
  ASSERT_NE(bookmarks_->BookmarkOfRow(0, &index), nullptr);
  ASSERT_NE(index, 0u);  // the sort moved another bookmark to the top
  const CMvBookmarkItem* shown = bookmarks_->BookmarkOfRow(0);
  const int32_t shown_topic = shown->m_nTopic;
  const std::string shown_number = Column(bookmarks_, 0)[0];
  EXPECT_EQ(shown_number, std::to_string(index + 1));

  // "Usuń zakładkę z listy" on row 0 asks, and "Nie" keeps it.
  bookmarks_->SelectRow(0);
  bookmarks_->SendMessage(WM_COMMAND, resources::ID_BOOKMARK_DELETE);
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_EQ(prompts_.asked[0], "Czy chcesz usunąć zaznaczoną zakładkę?");
  EXPECT_EQ(work_->GetBookmarks().size(), 5u);
  // "Tak" deletes the bookmark the row shows, not the one at the row's position.
  prompts_.answers.push_back(IDYES);
  bookmarks_->SendMessage(WM_COMMAND, resources::ID_BOOKMARK_DELETE);
  ASSERT_EQ(work_->GetBookmarks().size(), 4u);
  for (const auto& b : work_->GetBookmarks()) EXPECT_NE(b->m_nTopic, shown_topic);
  // Every row's number is its bookmark's place in the work.
  for (int row = 0; row < 4; ++row) {
    size_t at = 0;
    ASSERT_NE(bookmarks_->BookmarkOfRow(row, &at), nullptr);
    EXPECT_EQ(Column(bookmarks_, 0)[size_t(row)], std::to_string(at + 1));
  }
  EXPECT_EQ(Utf8(bookmarks_->GetDlgItemText(resources::IDC_BOOKMARK_COUNT)), "(4)");

  // The print-list button adds the selected row's act, not the active sheet's.
  bookmarks_->SelectRow(1);
  const int32_t selected_topic = bookmarks_->BookmarkOfRow(1)->m_nTopic;
  bookmarks_->SendMessage(WM_COMMAND, resources::ID_ADD_SELECTED_TO_PRINT_LIST);
  ASSERT_EQ(work_->GetPrintList().size(), 1u);
  EXPECT_EQ(work_->GetPrintList()[0]->m_nTopic, selected_topic);
  EXPECT_EQ(work_->GetPrintList()[0]->m_nKind, 7);

  // "Poprzednia" is off on the first row, "Następna" on the last.
  CTestCmdUI state;
  bookmarks_->SelectRow(0);
  state.m_nID = resources::ID_BOOKMARK_PREVIOUS;
  state.DoUpdate(bookmarks_, TRUE);
  EXPECT_FALSE(state.m_bEnabled);
  bookmarks_->SelectRow(3);
  state.m_nID = resources::ID_BOOKMARK_NEXT;
  state.DoUpdate(bookmarks_, TRUE);
  EXPECT_FALSE(state.m_bEnabled);

  // A third click returns to the work's order; closing the work removes them all.
  bookmarks_->FillList();
  EXPECT_EQ(Column(bookmarks_, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
  bookmarks_->RemoveAll();
  EXPECT_TRUE(work_->GetBookmarks().empty());
  EXPECT_EQ(bookmarks_->GetList().GetItemCount(), 0);
  EXPECT_EQ(Utf8(bookmarks_->GetDlgItemText(resources::IDC_BOOKMARK_COUNT)), "");
  EXPECT_EQ(bookmarks_->BuildGroup(), nullptr);
}

TEST_F(NavTabsTest, BookmarksSavedWithTheWorkComeBackInTheTab) {
  bookmarks_->AddBookmark(acts_[1]);
  bookmarks_->AddBookmark(acts_[3]);
  const std::string path = folder_ + "/zakładki.lkl";
  ASSERT_TRUE(work_->OnSaveDocument(path.c_str()));
  const std::vector<std::string> names = Column(bookmarks_, 4);
  bookmarks_->RemoveAll();
  ASSERT_TRUE(work_->OnOpenDocument(path.c_str()));
  bookmarks_->FillList();
  EXPECT_EQ(Column(bookmarks_, 4), names);
  ASSERT_EQ(work_->GetBookmarks().size(), 2u);
  EXPECT_EQ(work_->GetBookmarks()[1]->m_nTopic, acts_[3]);
  // Its stored form: the place, then version 1, the name and an empty text.
  const CMvBookmarkItem& first = *work_->GetBookmarks()[0];
  CArchive ar;
  const_cast<CMvBookmarkItem&>(first).Serialize(ar);
  const std::vector<uint8_t>& bytes = ar.GetBytes();
  const std::string title = static_cast<LPCTSTR>(TitleNamePool::NameAt(first.m_nTitleIndex));
  const std::string name = static_cast<LPCTSTR>(first.m_strName);
  ASSERT_LT(title.size(), 255u);
  ASSERT_LT(name.size(), 255u);
  ASSERT_EQ(bytes.size(), 2 + 1 + title.size() + 12 + 2 + 1 + name.size() + 1);
  auto word = [&](size_t at) { return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8; };
  auto dword = [&](size_t at) { return word(at) | word(at + 2) << 16; };
  EXPECT_EQ(word(0), 1u);
  EXPECT_EQ(bytes[2], title.size());
  const size_t numbers = 3 + title.size();
  EXPECT_EQ(dword(numbers + 8), uint32_t(acts_[1]));  // position, scroll, then the topic
  EXPECT_EQ(dword(numbers + 4), 0u);
  EXPECT_EQ(word(numbers + 12), 1u);
  EXPECT_EQ(std::string(bytes.begin() + ptrdiff_t(numbers + 15), bytes.begin() + ptrdiff_t(numbers + 15 + name.size())), name);
  EXPECT_EQ(bytes.back(), 0u);  // the empty text
}

TEST_F(NavTabsTest, LocatingFromAListSwitchesToTheLibraryAndSelectsTheAct) {
  CDUTree* tree = plists_->GetLibraryTree();
  ASSERT_NE(tree, nullptr);
  tree->LoadContents();
  // Every record of the library is in the tree, the last act included.
  EXPECT_EQ(tree->GetRecordCount(), app_->GetCatalog().RecordCount());
  // Loading again (the start loaded it once) replaces the yearbooks: each year stands once.
  std::vector<int32_t> yearbooks;
  for (HTREEITEM item = tree->GetRootItem(); item; item = tree->GetNextSiblingItem(item)) yearbooks.push_back(tree->RecordOf(item));
  EXPECT_EQ(yearbooks, shell::ListYearbooks(app_->GetCatalog(), app_->GetCatalog().RecordCount()));
  plists_->ActivateTab(1);
  HistoryList places;
  places.push_back(std::make_unique<CMvHistoryItem>(acts_[2], 0, 0, nullptr));
  history_->Bind(nullptr, &places);
  history_->SelectRow(0);
  history_->SendMessage(WM_COMMAND, resources::ID_ENTRY_LOCATE_IN_LIBRARY);
  EXPECT_EQ(plists_->GetActiveTab(), 0);
  HTREEITEM selected = tree->GetSelectedItem();
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(tree->RecordOf(selected), acts_[2]);

  // Each item shows its level's images; an act with attachments carries overlay 1.
  bool overlaid = false;
  for (int32_t act : acts_) {
    shell::ContentsRecord r;
    ASSERT_TRUE(app_->GetCatalog().ReadRecord(act, r));
    HTREEITEM item = tree->LocateRecord(act);
    ASSERT_NE(item, nullptr) << act;
    TVITEM look{};
    look.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    look.hItem = item;
    look.stateMask = TVIS_OVERLAYMASK;
    ASSERT_TRUE(tree->GetTreeItem(&look, FALSE));
    EXPECT_EQ(look.iImage, 28);
    EXPECT_EQ(look.iSelectedImage, 29);
    EXPECT_EQ(look.state & TVIS_OVERLAYMASK, r.attachment_number ? INDEXTOOVERLAYMASK(1) : 0u) << act;
    overlaid = overlaid || r.attachment_number != 0;
  }
  EXPECT_TRUE(overlaid);
  history_->Bind(nullptr, nullptr);
}

// The rows of yearbooks and journal issues name them once, with the full year: "ROK 1998",
// "D.U.  Nr 12 z 1998 r.", never the tree's prefix before the issue's own "Dz.U.".
TEST_F(NavTabsTest, YearbookAndIssueRowsReadOnceWithTheFullYear) {
  CDUTree* tree = plists_->GetLibraryTree();
  ASSERT_NE(tree, nullptr);
  const auto row_text = [&](HTREEITEM item) { return Utf8(tree->GetItemText(tree->GetNodeRow(item), 0)); };
  const auto record_of = [&](HTREEITEM item) {
    shell::ContentsRecord r;
    EXPECT_TRUE(app_->GetCatalog().ReadRecord(tree->RecordOf(item), r));
    return r;
  };
  int issues = 0;
  for (int32_t act : acts_) {
    HTREEITEM issue = tree->GetParentItem(tree->LocateRecord(act));
    ASSERT_NE(issue, nullptr) << act;
    HTREEITEM yearbook = tree->GetParentItem(issue);
    ASSERT_NE(yearbook, nullptr) << act;
    const shell::ContentsRecord i = record_of(issue), y = record_of(yearbook);
    const std::string year = std::to_string(shell::ContentsFullYear(y));
    // Records 0 and 1 (the first yearbook and its first issue) show their text without the prefix.
    const std::string yearbook_prefix = tree->RecordOf(yearbook) > 1 ? "ROK " : "";
    const std::string issue_prefix = tree->RecordOf(issue) > 1 ? "D.U.  " : "";
    EXPECT_EQ(row_text(yearbook), yearbook_prefix + year);
    const std::string text = row_text(issue);
    if (i.number) {
      EXPECT_EQ(text, issue_prefix + "Nr " + std::to_string(i.number) + " z " + year + " r.");
    } else {
      EXPECT_EQ(text.rfind(issue_prefix + "Nr - ", 0), 0u) << text;
      EXPECT_NE(text.find(" z " + year + " r."), std::string::npos) << text;
    }
    issues += tree->RecordOf(issue) > 1;
  }
  EXPECT_GT(issues, 0) << "an issue past the first one";
}

TEST_F(NavTabsTest, NewBookmarkDialogProposesTheTitleAndCutsALongName) {
  auto* main = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd);
  shell::ActDescription d;
  work_->GetActDescription(acts_[2], d);
  constexpr UINT kScript = WM_APP + 0x51;
  std::string proposed, reference, kind, date;
  int round = 0;
  win::set_message_observer([&](HWND h, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) ::PostMessage(h, kScript, 0, 0);
    if (message != kScript) return;
    CWnd* dialog = CWnd::FromHandle(h);
    char text[600] = {};
    ::GetDlgItemText(h, resources::IDC_BOOKMARK_NAME, text, sizeof(text));
    proposed = text;
    ::GetDlgItemText(h, resources::IDC_BOOKMARK_REFERENCE, text, sizeof(text));
    reference = text;
    ::GetDlgItemText(h, resources::IDC_BOOKMARK_KIND, text, sizeof(text));
    kind = text;
    ::GetDlgItemText(h, resources::IDC_BOOKMARK_DATE, text, sizeof(text));
    date = text;
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(h, resources::IDC_BOOKMARK_QUICK_NOTE)));
    if (round++ == 0) {
      ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      save_window_png(h, (std::getenv("LUMO_PNG_DIR") ? std::string(std::getenv("LUMO_PNG_DIR")) : base::temp_folder()) +
                             "/nav_bookmark_dialog.png", true);
      ::SendDlgItemMessage(h, resources::IDC_BOOKMARK_CLOSE, BM_CLICK, 0, 0);
      return;
    }
    // A name longer than 250 characters typed (set past the edit's limit) is cut.
    ::SetDlgItemText(h, resources::IDC_BOOKMARK_NAME, std::string(300, 'x').c_str());
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_BOOKMARK_ADD, BN_CLICKED), 0);
  });
  CBookmarkQuickDlg closed(&work_->GetBookmarks(), nullptr, LibraryTitle(), d, main);
  EXPECT_EQ(closed.DoModal(), IDCANCEL);
  EXPECT_TRUE(work_->GetBookmarks().empty());
  EXPECT_EQ(proposed, navtext::TitleText(d));
  const navtext::BookmarkFields fields = navtext::DescribeBookmark(d, navcmd::ActRecordOf(*work_, d));
  EXPECT_EQ(reference, fields.reference);
  EXPECT_EQ(kind, fields.kind);
  EXPECT_EQ(date, fields.date);
  EXPECT_EQ(date.rfind("z dnia ", 0), 0u) << date;

  CBookmarkQuickDlg added(&work_->GetBookmarks(), nullptr, LibraryTitle(), d, main);
  EXPECT_EQ(added.DoModal(), IDOK);
  win::set_message_observer(nullptr);
  ASSERT_EQ(work_->GetBookmarks().size(), 1u);
  EXPECT_EQ(added.GetAdded(), work_->GetBookmarks()[0].get());
  EXPECT_EQ(work_->GetBookmarks()[0]->m_strName.GetLength(), CBookmarkQuickDlg::kNameLimit);
  ASSERT_EQ(bookmarks_->GetList().GetItemCount(), 1);
  EXPECT_EQ(bookmarks_->BookmarkOfRow(0), work_->GetBookmarks()[0].get());
  EXPECT_EQ(bookmarks_->RowText(0, 4), std::string(250, 'x'));
}

TEST_F(NavTabsTest, ATabsToolbarFollowsTheTabsOwnHandlers) {
  auto* bar = dynamic_cast<CGSToolBar*>(CWnd::FromHandle(::GetDlgItem(history_->m_hWnd, AFX_IDW_TOOLBAR)));
  ASSERT_NE(bar, nullptr);
  // It is the tab's, none of the main window's control bars.
  auto* main = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd);
  for (CControlBar* b : main->m_listControlBars) EXPECT_NE(b, static_cast<CControlBar*>(bar));
  const auto open_disabled = [bar] {
    return (bar->GetButtonStyle(bar->CommandToIndex(resources::ID_ENTRY_OPEN)) & TBBS_DISABLED) != 0;
  };
  history_->Bind(nullptr, nullptr);
  bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_TRUE(open_disabled()) << "no list, nothing to open";
  HistoryList places;
  for (size_t i = 0; i < 3; ++i) places.push_back(std::make_unique<CMvHistoryItem>(acts_[i], 0, 0, nullptr));
  history_->Bind(nullptr, &places);
  history_->SelectRow(0);
  bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_FALSE(open_disabled()) << "a selected row opens";
  history_->Bind(nullptr, nullptr);
}

TEST_F(NavTabsTest, PicturesWithPolishTitles) {
  HistoryList places;
  for (size_t i = 0; i < 5; ++i) places.push_back(std::make_unique<CMvHistoryItem>(acts_[i], 0, 0, nullptr));
  history_->Bind(nullptr, &places);
  history_->SelectRow(1);
  pnav_->ActivateTab(0);
  pump();
  Picture(*pnav_, "nav_history_tab.png");
  for (size_t i = 0; i < 4; ++i) bookmarks_->AddBookmark(acts_[i + 1]);
  pnav_->ActivateTab(1);
  pump();
  Picture(*pnav_, "nav_bookmark_tab.png");
  CDUTree* tree = plists_->GetLibraryTree();
  tree->LoadContents();
  tree->LocateRecord(acts_[3]);
  pump();
  Picture(*plists_, "nav_library_tab.png");
  history_->Bind(nullptr, nullptr);

  // The program runs with the flat control look: the library tab's combo box keeps the arrow of its
  // drop button and the tree's horizontal bar the arrows of its boxes.
  auto glyph_pixels = [](CWnd& wnd, CRect box) {
    box.DeflateRect(2, 2);
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) n += surface_pixel(wnd.m_hWnd, x, y) != DWORD(GetSysColor(COLOR_BTNFACE));
    }
    return n;
  };
  const int arrow = GetSystemMetrics(SM_CXVSCROLL);
  CComboBox& combo = plists_->GetLibraryTab()->GetCombo();
  CRect c;
  combo.GetClientRect(&c);
  EXPECT_GE(glyph_pixels(combo, CRect(c.right - 2 - arrow, 2, c.right - 2, c.bottom - 2)), 10);
  CWnd* bar = nullptr;
  for (CWnd* child = tree->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassName(child->m_hWnd, name, sizeof name);
    if (std::string(name) == "ScrollBar" && !(child->GetStyle() & SBS_VERT) && child->IsWindowVisible()) bar = child;
  }
  ASSERT_NE(bar, nullptr);
  bar->GetClientRect(&c);
  EXPECT_GE(glyph_pixels(*bar, CRect(0, 0, c.bottom, c.bottom)), 6);
  EXPECT_GE(glyph_pixels(*bar, CRect(c.right - c.bottom, 0, c.right, c.bottom)), 6);
}

}  // namespace
}  // namespace lumo::test
