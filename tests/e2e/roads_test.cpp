// The program's main roads walked end to end through the whole program (main frame, its bars, the
// work, the sheets), as a user walks them, asserting on what the user sees: captions, sheet
// titles, status texts, list rows, the shown act's text, printed PDF text, the clipboard, files.
// Each road runs on the sample library and, where the shared corpus is present, on the library
// compiled from it (once per program). The expectations come from the library's own plan, so the
// same road serves both.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/frame/clipboard_render.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "engine/medview/topic_list.h"
#include "navigation/binder_store.h"
#include "navigation/bookmark_tab.h"
#include "navigation/custom_tab.h"
#include "navigation/du_tree.h"
#include "navigation/gtf_sheet.h"
#include "navigation/history_tab.h"
#include "navigation/index_dlg.h"
#include "navigation/keyword_hits.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/query_rules.h"
#include "navigation/searchres_tab.h"
#include "pictures/sheets/lumo_bmp_doc.h"
#include "pictures/sheets/lumo_bmp_view.h"
#include "platform/base/cp1250.h"
#include "platform/framework/mdi.h"
#include "platform/framework/print_dialogs.h"
#include "platform/shell/clipboard.h"
#include "platform/win/input_translation.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_table.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/child_frames.h"
#include "shell/instance_guard.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "shell/view/lumo_kal_view.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

std::string Utf8(const std::string& cp1250) { return base::cp1250::to_utf8(cp1250); }
std::string Utf8(const CString& text) { return base::cp1250::to_utf8(text.str()); }
CString Cp(const std::string& utf8) { return CString(base::cp1250::from_utf8(utf8)); }

bool HaveProgram(const char* name) { return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0; }

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

std::string PdfText(const std::string& path) { return Output("pdftotext -layout '" + path + "' - 2>/dev/null"); }

// Blanks and line ends folded to one space, so texts wrapped differently compare.
std::string Folded(const std::string& text) {
  std::string out;
  for (char c : text) {
    const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f';
    if (blank) {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

// The libraries the roads run on.
struct Library {
  const char* name;
  bool corpus;
};

std::string CorpusActs() { return compiler_test::SharedCorpus(); }

class RoadsTest : public AppTest, public ::testing::WithParamInterface<Library> {
 protected:
  static constexpr UINT kRunScript = WM_APP + 0x53;

  // Message boxes are answered OK once the queue is empty.
  RoadsTest() : AppTest(std::string("e2e_") + GetParam().name, IDOK, GetParam().corpus ? CorpusActs() : std::string()) {}

  void SetUp() override {
    if (GetParam().corpus && CorpusActs().empty()) GTEST_SKIP() << "the shared corpus is absent";
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    const char* dir = std::getenv("LUMO_PNG_DIR");
    png_dir_ = dir ? std::string(dir) : folder_;
    ASSERT_TRUE(StartWithLibrary());
    frame_ = app_->GetMainFrame();
    ASSERT_NE(frame_, nullptr);
    pump();
    Picture(frame_->m_hWnd, "as_started");
    frame_->MoveWindow(0, 0, 1024, 740);
    frame_->RecalcLayout();
    pump();
    work_ = CLumoKALDoc::GetCurrentWork();
    ASSERT_NE(work_, nullptr);
    nav_ = frame_->GetNavigatorBar();
    lists_ = frame_->GetContentsBar();
    ASSERT_TRUE(nav_ && lists_);
    const shell::ContentsIndexReader& catalog = app_->GetCatalog();
    for (int32_t n = 0; n < catalog.RecordCount(); ++n) {
      shell::ContentsRecord r;
      if (catalog.ReadRecord(n, r) && r.level == 7 && !r.attachment) acts_.push_back(n);
    }
    ASSERT_GE(acts_.size(), 3u);
  }

  void TearDown() override {
    win::set_message_observer(nullptr);
    if (CKeywordListDlg::GetOpen()) CKeywordListDlg::GetOpen()->DestroyWindow();
    keywords::KeywordHits().Clear();
    CGTFSheet::CloseOpen();
    pump();
    AppTest::TearDown();
  }

  CLumoKALView* View() const { return work_ ? work_->GetCurrentTextView() : nullptr; }
  int32_t ShownTopic() const { return View() ? frame::MvGetCurrentTopic(View()->GetViewer()) : -1; }
  std::string ShownText() const {
    if (!View()) return {};
    const std::vector<uint8_t> bytes = medview::MvCopyRegionText(View()->GetTextPane().GetViewer(), nullptr);
    return Utf8(std::string(bytes.begin(), bytes.end()));
  }
  std::string Caption() const {
    CString title;
    frame_->GetWindowText(title);
    return Utf8(title);
  }
  shell::ContentsRecord Record(int32_t n) const {
    shell::ContentsRecord r;
    app_->GetCatalog().ReadRecord(n, r);
    return r;
  }
  // The sheet title of an act as the sheet shows it: "1998 r. poz 34".
  std::string ActSheetTitle(int32_t act) const {
    const shell::ContentsRecord r = Record(act);
    return std::to_string(shell::ContentsFullYear(r)) + " r. poz " + std::to_string(r.number);
  }
  // The journal address the go-to line takes: "98 34" (two-digit years before 2000), "2001 2786".
  std::string ActAddress(int32_t act) const {
    const shell::ContentsRecord r = Record(act);
    const int year = shell::ContentsFullYear(r);
    return (year < 2000 ? std::to_string(year % 100) : std::to_string(year)) + " " + std::to_string(r.number);
  }
  // The plan's text of the topic an act record shows.
  const compiler::LibraryPlan& Plan() const { return library_->plan; }
  // The words of letters only, at least `length` long, of a CP1250 text (the plan's texts), in UTF-8.
  static std::vector<std::string> Words(const std::string& cp1250, size_t length) {
    std::vector<std::string> out;
    std::string word;
    auto flush = [&] {
      if (word.size() >= length) out.push_back(word);
      word.clear();
    };
    for (char c : cp1250) {
      const unsigned char u = static_cast<unsigned char>(c);
      if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x8C) {
        word += c;
      } else {
        flush();
      }
    }
    flush();
    for (std::string& w : out) w = Utf8(w);
    return out;
  }

  void Picture(HWND h, const std::string& name) {
    ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump();
    EXPECT_TRUE(save_window_png(h, png_dir_ + "/e2e_" + GetParam().name + "_" + name + ".png", true)) << name;
  }

  // Runs `script` on every top-level dialog box once it is up (the n-th gets n, from 0).
  void OnEveryDialog(std::function<void(HWND dialog, int n)> script) {
    dialogs_ = 0;
    win::set_message_observer([this, script](HWND h, UINT message, WPARAM, LPARAM) {
      if (message == WM_INITDIALOG && !(::GetWindowLong(h, GWL_STYLE) & WS_CHILD)) ::PostMessage(h, kRunScript, 0, 0);
      if (message == kRunScript) script(h, dialogs_++);
    });
  }

  // Opens an act through the library tree: its yearbook and issue expanded, its label
  // double-clicked (with Ctrl: in a new sheet).
  void DoubleClickInTree(int32_t act, bool control) {
    CDUTree* tree = lists_->GetLibraryTree();
    ASSERT_NE(tree, nullptr);
    HTREEITEM item = tree->LocateRecord(act);
    ASSERT_NE(item, nullptr) << act;
    tree->EnsureVisible(item);
    pump();
    CRect label;
    ASSERT_TRUE(tree->GetItemRect(tree->GetNodeRow(item), 0, &label, LVIR_LABEL));
    const POINT s = screen_point(tree->m_hWnd, POINT{label.left + 4, label.CenterPoint().y});
    const win::KeyModifiers keys{.control = control};
    mouse_down(s, win::MouseButton::left, keys);
    mouse_up(s, win::MouseButton::left, keys);
    win::mouse_input(win::MouseAction::double_click, win::MouseButton::left, QPoint(s.x, s.y), keys);
    mouse_up(s, win::MouseButton::left, keys);
    pump();
  }

  CGTFQueryPage& QueryPage() {
    frame_->SendMessage(WM_COMMAND, resources::ID_QUERY);
    pump();
    EXPECT_NE(CGTFSheet::GetOpen(), nullptr);
    return CGTFSheet::GetOpen()->GetQueryPage();
  }
  BOOL RunQuery(const std::string& text, bool titles_only) {
    CGTFQueryPage& page = QueryPage();
    page.SetQueryText(Cp(text));
    page.CheckDlgButton(resources::IDC_QUERY_TITLES_ONLY, titles_only ? BST_CHECKED : BST_UNCHECKED);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_QUERY_TITLES_ONLY, BN_CLICKED),
                     LPARAM(page.GetDlgItem(resources::IDC_QUERY_TITLES_ONLY)->m_hWnd));
    const BOOL found = page.RunQuery();
    pump();
    return found;
  }
  std::set<int32_t> ResultTopics() const {
    std::set<int32_t> out;
    CSearchresTab* results = nav_->GetResultsTab();
    for (int row = 0; row < results->GetList().GetItemCount(); ++row) out.insert(results->TopicOfRow(row));
    return out;
  }
  // The act a topic belongs to (itself for an act).
  int32_t ActOf(int32_t topic) const {
    int32_t act = -1;
    for (int32_t a : acts_) {
      if (a <= topic) act = a;
    }
    return act;
  }
  std::set<int32_t> ResultActs() const {
    std::set<int32_t> out;
    for (int32_t t : ResultTopics()) out.insert(ActOf(t));
    return out;
  }
  std::string LastAsked() const { return prompts_.asked.empty() ? std::string() : prompts_.asked.back(); }

  // An act whose title gives two words of at least six letters (a plain query has them), with a
  // word of its text not in its title.
  struct QueryAct {
    int32_t act = -1;
    int32_t text_topic = -1;  // the topic whose text holds the text word
    std::string title_word, other_title_word, text_word;
  };
  QueryAct PickQueryAct() const {
    for (int32_t act : acts_) {
      if (size_t(act) >= Plan().topics.size()) continue;
      const std::vector<std::string> title = Words(Plan().topics[size_t(act)].title, 6);
      if (title.size() < 2) continue;
      // The act's own text or, when it has none, its first part's.
      std::string text = Plan().texts[size_t(act)];
      if (text.size() < 200 && size_t(act) + 1 < Plan().texts.size()) text += "\n" + Plan().texts[size_t(act) + 1];
      for (const std::string& w : Words(text, 7)) {
        if (std::find(title.begin(), title.end(), w) != title.end()) continue;
        const int32_t holder =
            Plan().texts[size_t(act)].find(base::cp1250::from_utf8(w)) != std::string::npos ? act : act + 1;
        return {act, holder, title[0], title[1], w};
      }
    }
    return {};
  }

  std::string png_dir_;
  CMainFrame* frame_ = nullptr;
  CLumoKALDoc* work_ = nullptr;
  COutputWnd* nav_ = nullptr;
  CIndexWnd* lists_ = nullptr;
  std::vector<int32_t> acts_;
  int dialogs_ = 0;
};

// Road 1: the library is found in the data folder, the main frame stands with its caption and
// status bar, the library tree loads every record, the start topic shows.
TEST_P(RoadsTest, StartFindsTheLibraryAndShowsTheStartTopic) {
  EXPECT_EQ(Caption(), "LumoKAL - nienazwana praca");
  EXPECT_TRUE(frame_->IsWindowVisible());
  EXPECT_EQ(Utf8(frame_->GetStatusBar().GetPaneText(0)), " Naciśnij przycisk F1 aby uzyskać pomoc");
  EXPECT_EQ(frame_->GetSheetCount(), 1);
  ASSERT_NE(View(), nullptr);
  EXPECT_GE(ShownTopic(), 0);
  EXPECT_FALSE(ShownText().empty());

  // The start has filled the tree.
  CDUTree* tree = lists_->GetLibraryTree();
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->GetRecordCount(), app_->GetCatalog().RecordCount());
  // The top level holds the yearbooks, one per year of the library, in order.
  std::vector<int> years;
  for (HTREEITEM item = tree->GetRootItem(); item; item = tree->GetNextSiblingItem(item)) {
    const shell::ContentsRecord r = Record(tree->RecordOf(item));
    EXPECT_EQ(r.level, 9);
    years.push_back(shell::ContentsFullYear(r));
  }
  ASSERT_FALSE(years.empty());
  EXPECT_TRUE(std::is_sorted(years.begin(), years.end())) << ::testing::PrintToString(years);
  EXPECT_EQ(years.front(), shell::ContentsFullYear(Record(acts_.front())));
  Picture(frame_->m_hWnd, "road1_start");
}

// Road 2: yearbook, issue, act and its divisions in the tree; a double click opens the act in the
// sheet, Ctrl with it a second sheet; the history records the places.
TEST_P(RoadsTest, TheLibraryTreeOpensActsInSheetsAndTheHistoryRecordsThem) {
  CDUTree* tree = lists_->GetLibraryTree();
  ASSERT_NE(tree, nullptr);
  lists_->ActivateTab(0);
  pump();
  const int32_t first = acts_[0], second = acts_[1];
  // The act's item lies under its issue, which lies under its yearbook.
  HTREEITEM act_item = tree->LocateRecord(first);
  ASSERT_NE(act_item, nullptr);
  HTREEITEM issue = tree->GetParentItem(act_item);
  ASSERT_NE(issue, nullptr);
  EXPECT_EQ(Record(tree->RecordOf(issue)).level, 8);
  HTREEITEM yearbook = tree->GetParentItem(issue);
  ASSERT_NE(yearbook, nullptr);
  EXPECT_EQ(Record(tree->RecordOf(yearbook)).level, 9);
  // Its divisions, when it has any, are its children.
  tree->ExpandItem(act_item, TVE_EXPAND);
  pump();
  for (HTREEITEM part = tree->GetChildItem(act_item); part; part = tree->GetNextSiblingItem(part)) {
    const shell::ContentsRecord r = Record(tree->RecordOf(part));
    EXPECT_TRUE(r.level < 7 || r.attachment) << r.level;
  }

  DoubleClickInTree(first, false);
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(Utf8(View()->GetSheetTitle()), ActSheetTitle(first));
  EXPECT_EQ(frame_->GetSheetCount(), 1);
  const std::string title_words = Words(Plan().topics[size_t(first)].title, 5).empty()
                                      ? std::string()
                                      : Words(Plan().topics[size_t(first)].title, 5)[0];
  EXPECT_NE(Folded(ShownText()).find(title_words), std::string::npos) << title_words;
  CLumoKALView* first_view = View();

  DoubleClickInTree(second, true);
  EXPECT_EQ(frame_->GetSheetCount(), 2);
  ASSERT_NE(View(), first_view);
  EXPECT_EQ(Utf8(View()->GetSheetTitle()), ActSheetTitle(second));
  EXPECT_EQ(Utf8(first_view->GetSheetTitle()), ActSheetTitle(first));

  // Back in the first sheet: a third act in the same sheet; the sheet's history lists the places
  // it left, newest first.
  frame_->MDIActivate(first_view->GetParentFrame());
  pump();
  EXPECT_EQ(View(), first_view);
  DoubleClickInTree(acts_[2], false);
  EXPECT_EQ(frame_->GetSheetCount(), 2);
  EXPECT_EQ(Utf8(View()->GetSheetTitle()), ActSheetTitle(acts_[2]));
  EXPECT_EQ(View(), first_view);
  CHistoryTab* history = nav_->GetHistoryTab();
  ASSERT_NE(history, nullptr);
  std::vector<int32_t> rows;
  for (int row = 0; row < history->GetList().GetItemCount(); ++row) {
    if (history->EntryOfRow(row)) rows.push_back(history->EntryOfRow(row)->m_nTopic);
  }
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(ActOf(rows[0]), first);
  ASSERT_TRUE(View()->CanGoBack());
  ASSERT_TRUE(View()->GoBack());
  pump();
  EXPECT_EQ(Utf8(View()->GetSheetTitle()), ActSheetTitle(first));
  Picture(frame_->m_hWnd, "road2_tree");
}

// Road 3: a full-text query with Polish operators, titles only, and a scope of a year plus a
// binder; the results listed and sorted; a hit opens with its words highlighted; a search
// cancelled.
TEST_P(RoadsTest, AQueryWithAScopeListsSortsAndOpensItsHits) {
  const QueryAct q = PickQueryAct();
  ASSERT_GE(q.act, 0) << "no act with a plain title";
  const std::string both = q.title_word + " ORAZ " + q.text_word;
  ASSERT_TRUE(RunQuery(both, false)) << both << ": " << LastAsked();
  EXPECT_TRUE(ResultActs().count(q.act)) << both;
  CSearchresTab* results = nav_->GetResultsTab();
  EXPECT_EQ(Utf8(results->GetDlgItemText(resources::IDC_RESULTS_QUERY)), "<" + both + ">");
  EXPECT_EQ(Utf8(results->GetDlgItemText(resources::IDC_RESULTS_COUNT)),
            "(stron: " + std::to_string(results->GetList().GetItemCount()) + ")");
  // NIE takes out the topic holding the second word.
  const std::string without = q.title_word + " NIE " + q.text_word;
  if (RunQuery(without, false)) { EXPECT_FALSE(ResultTopics().count(q.text_topic)) << without; }
  // LUB finds at least what either word finds.
  ASSERT_TRUE(RunQuery(q.title_word + " LUB " + q.other_title_word, false)) << LastAsked();
  const size_t either = results->GetList().GetItemCount();
  EXPECT_GE(either, 1u);

  // Titles only: the title's word finds the act, the word only in its text does not.
  ASSERT_TRUE(RunQuery(q.title_word, true)) << LastAsked();
  EXPECT_TRUE(ResultActs().count(q.act));
  if (RunQuery(q.text_word, true)) { EXPECT_FALSE(ResultTopics().count(q.act)) << q.text_word; }

  // A scope: the act's year, and a binder holding the act and one more.
  const std::string binder = "Droga ąę";
  ASSERT_EQ(binders::CreateBinder(folder_ + "/data/Segregatory", base::cp1250::from_utf8(binder)), binders::BinderError::None);
  CCustomTab* binder_tab = lists_->GetBinderTab();
  ASSERT_NE(binder_tab, nullptr);
  ASSERT_TRUE(binder_tab->OpenBinder(Cp(binder)));
  ASSERT_TRUE(binder_tab->AddAct(q.act));
  const int32_t other = q.act == acts_[0] ? acts_[1] : acts_[0];
  ASSERT_TRUE(binder_tab->AddAct(other));
  pump();
  CGTFQueryPage& page = QueryPage();
  page.RefreshScopeList();
  int binder_entry = -1;
  for (int i = 0; i < page.m_comboScope.GetCount(); ++i) {
    if (int(page.m_comboScope.GetItemData(i)) == findrules::kScopeBinder) binder_entry = i;
  }
  ASSERT_GE(binder_entry, 0) << "the open binder is no scope";
  page.m_comboScope.SetCurSel(binder_entry);
  page.SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_QUERY_LIST_SCOPE, CBN_SELCHANGE), LPARAM(page.m_comboScope.m_hWnd));
  // The year: the acts of the act's year (the library's year list as the year page unites it).
  const int year = Record(q.act).year;
  medview::TopicListHandle year_list = nullptr;
  for (int32_t a : acts_) {
    if (Record(a).year != year) continue;
    medview::TopicListHandle one = medview::MvCreateSingleTopicList(LibraryTitle(), a);
    year_list = year_list ? medview::MvCombineTopicLists(medview::kCombineUnion, year_list, one) : one;
  }
  page.SetYearScope(year_list, CString(std::to_string(1900 + year)));
  page.SetQueryText(Cp(q.title_word + " LUB " + q.other_title_word));
  ASSERT_TRUE(page.RunQuery()) << LastAsked();
  pump();
  for (int32_t t : ResultTopics()) {
    EXPECT_EQ(Record(ActOf(t)).year, year) << t;
    EXPECT_TRUE(ActOf(t) == q.act || ActOf(t) == other) << t;
  }
  EXPECT_TRUE(ResultActs().count(q.act));
  page.ResetScope();
  binder_tab->CloseBinder();

  // Sorted by the address column (in journal order: an issue's row before its acts' rows), then
  // the other way round; the numbers follow the shown order.
  ASSERT_TRUE(RunQuery(q.title_word + " LUB " + q.other_title_word + " LUB " + q.text_word, false));
  auto column = [&](int c) {
    std::vector<std::string> out;
    for (int row = 0; row < results->GetList().GetItemCount(); ++row) out.push_back(Utf8(results->RowText(row, c)));
    return out;
  };
  // Over a thousand rows the sort asks first; the user goes on.
  prompts_.answers = {IDYES, IDYES};
  results->SortByColumn(1);
  EXPECT_EQ(results->GetSortColumn(), 1);
  EXPECT_TRUE(results->IsSortAscending());
  const std::vector<std::string> ascending = column(1);
  results->SortByColumn(1);
  EXPECT_FALSE(results->IsSortAscending());
  EXPECT_EQ(column(1), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
  EXPECT_EQ(column(0).front(), "1");
  prompts_.answers.clear();

  // A hit opens in the sheet with its found words highlighted.
  View()->SendMessage(WM_COMMAND, resources::ID_HIGHLIGHT_FOUND);
  int row = 0;
  while (row < results->GetList().GetItemCount() && ActOf(results->TopicOfRow(row)) != q.act) ++row;
  ASSERT_LT(row, results->GetList().GetItemCount());
  results->SelectRow(row);
  results->SendMessage(WM_COMMAND, resources::ID_ENTRY_OPEN);
  pump();
  EXPECT_EQ(Utf8(View()->GetSheetTitle()), ActSheetTitle(q.act));
  EXPECT_GT(View()->GetFoundWordCount(), 0);
  Picture(frame_->m_hWnd, "road3_query");

  // Cancel: "Przerwij" pressed while the engine polls stops the search; the results stay.
  const int rows = results->GetList().GetItemCount();
  struct Presser : CWnd {
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message != WM_APP + 9) return CWnd::WindowProc(message, wParam, lParam);
      for (HWND h : win::top_level_order()) {
        char caption[64] = {};
        ::GetWindowText(h, caption, sizeof caption);
        if (std::string(caption) == "Trwa przeszukiwanie..." && ::IsWindowVisible(h)) {
          ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
          ++pressed;
        }
      }
      return 0;
    }
    int pressed = 0;
  } presser;
  ASSERT_TRUE(presser.CreateEx(0, "Static", "", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
  CGTFQueryPage& again = QueryPage();
  again.SetQueryText(Cp(q.text_word));
  presser.PostMessage(WM_APP + 9);
  const BOOL found = again.RunQuery();
  pump();
  if (presser.pressed) {
    EXPECT_FALSE(found);
    EXPECT_EQ(LastAsked(), "Poszukiwanie bez powodzenia.");
    EXPECT_EQ(results->GetList().GetItemCount(), rows);
  }
  presser.DestroyWindow();
}

// Road 4: keyword indexes; "Lista" fills "Indeksy"; a hit opens.
TEST_P(RoadsTest, AKeywordIndexListsItsActsInIndeksyAndAHitOpens) {
  const auto subjects = Plan().keywords.find("|i");
  ASSERT_TRUE(subjects != Plan().keywords.end() && !subjects->second.empty());
  const std::string keyword = Utf8(subjects->second.front().first);  // stored in CP1250
  size_t expected = 0;
  for (const auto& [word, topic] : subjects->second) expected += Utf8(word) == keyword;

  frame_->SendMessage(WM_COMMAND, resources::ID_SUBJECT_INDEX);
  pump();
  auto* dialog = dynamic_cast<CIndexDlg*>(CKeywordListDlg::GetOpen());
  ASSERT_NE(dialog, nullptr);
  CWnd* edit = dialog->GetDlgItem(int(resources::IDC_SUBJECT_EDIT));
  ASSERT_NE(edit, nullptr);
  edit->SetFocus();
  edit->SetWindowText(Cp(keyword));
  pump();
  ASSERT_GE(dialog->GetSelectedItem(), 0);
  EXPECT_EQ(Utf8(keywords::KeywordText(dialog->GetIndex(), dialog->GetSelectedItem())), keyword);
  Picture(dialog->m_hWnd, "road4_index");
  dialog->SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_SUBJECT_SHOW, BN_CLICKED));
  pump();
  EXPECT_EQ(CKeywordListDlg::GetOpen(), nullptr);
  CKeywordsresTab* tab = nav_->GetKeywordsTab();
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(nav_->GetActiveTab(), 2);
  EXPECT_EQ(Utf8(tab->GetDlgItemText(int(resources::IDC_KEYWORD_RESULTS_HEADING))).rfind("hasło: " + keyword, 0), 0u);
  ASSERT_GE(tab->GetList().GetItemCount(), 1);
  EXPECT_LE(size_t(tab->GetList().GetItemCount()), expected);
  const int32_t hit = tab->TopicOfRow(0);
  tab->SelectRow(0);
  tab->SendMessage(WM_COMMAND, resources::ID_ENTRY_OPEN);
  pump();
  EXPECT_EQ(ActOf(ShownTopic()), ActOf(hit));
  EXPECT_EQ(Utf8(View()->GetSheetTitle()), ActSheetTitle(ActOf(hit)));
  // The indexes of act titles, signatories and dates open from the main window's commands.
  for (UINT command : {resources::ID_TITLES_INDEX, resources::ID_SIGNATORIES_INDEX, resources::ID_DATE_INDEX}) {
    frame_->SendMessage(WM_COMMAND, command);
    pump();
    CKeywordIndexDlg* open = CKeywordIndexDlg::GetOpen();
    ASSERT_NE(open, nullptr) << command;
    EXPECT_TRUE(open->IsWindowVisible()) << command;
    open->DestroyWindow();
    pump();
  }
}

// Road 5: the go-to page over the shown act, then a journal address with an article.
TEST_P(RoadsTest, GoToAJournalAddressAndArticle) {
  const compiler::PlannedContext* article = nullptr;
  for (const compiler::PlannedContext& c : Plan().contexts) {
    if (c.name.size() == 17 && c.name.compare(13, 4, "0000") != 0 && c.name.find('.', 13) == std::string::npos) {
      article = &c;
      break;
    }
  }
  ASSERT_NE(article, nullptr);
  const std::string act_context = article->name.substr(0, 13) + "0000";
  ASSERT_TRUE(work_->GoToAddress(CString(act_context)));
  pump();
  const int32_t act = ActOf(ShownTopic());
  EXPECT_EQ(Utf8(View()->GetSheetTitle()), ActSheetTitle(act));

  frame_->SendMessage(WM_COMMAND, resources::ID_GO_TO);
  pump();
  ASSERT_NE(CGTFSheet::GetOpen(), nullptr);
  CGTFGotoPage& page = CGTFSheet::GetOpen()->GetGotoPage();
  EXPECT_EQ(page.m_listKind.GetCurSel(), 1);  // "Akt prawny" over an act
  EXPECT_EQ(page.CurrentAddress(), act_context);
  CGTFSheet::CloseOpen();
  pump();

  ASSERT_TRUE(work_->GoToAddress(CString(article->name))) << article->name;
  pump();
  EXPECT_EQ(Utf8(View()->GetSheetTitle()), ActSheetTitle(act));
  const int number = std::stoi(article->name.substr(13));
  EXPECT_NE(Folded(ShownText()).find("Art. " + std::to_string(number) + "."), std::string::npos) << article->name;
  // The short form the go-to line takes: year and position.
  const int32_t other = act == acts_[0] ? acts_[1] : acts_[0];
  ASSERT_TRUE(work_->GoToAddress(CString(ActAddress(other))));
  pump();
  EXPECT_EQ(Utf8(View()->GetSheetTitle()), ActSheetTitle(other));
}

// Road 6: a binder made, acts added, then the program dies with it open; the working copy is
// offered at the next start and recovered.
TEST_P(RoadsTest, ABinderIsFilledAndItsWorkingCopyRecoveredAfterACrash) {
  const std::string folder = folder_ + "/data/Segregatory";
  const std::string name = base::cp1250::from_utf8("Awaria żółw");
  ASSERT_EQ(binders::CreateBinder(folder, name), binders::BinderError::None);
  CCustomTab* tab = lists_->GetBinderTab();
  ASSERT_NE(tab, nullptr);
  lists_->ActivateTab(1);
  ASSERT_TRUE(tab->OpenBinder(CString(name)));
  EXPECT_EQ(std::string(tab->GetDlgItemText(int(resources::IDC_BINDER_LABEL)).GetString()), name);
  ASSERT_TRUE(tab->AddAct(acts_[1]));
  ASSERT_TRUE(tab->AddAct(acts_[0]));
  pump();
  std::vector<int32_t> top;
  for (HTREEITEM item = tab->GetTree().GetRootItem(); item; item = tab->GetTree().GetNextSiblingItem(item)) {
    top.push_back(tab->GetTree().RecordOf(item));
  }
  EXPECT_EQ(top, (std::vector<int32_t>{acts_[0], acts_[1]}));
  Picture(lists_->m_hWnd, "road6_binder");

  // What a crash leaves: the stored binder as it was, the working copy with the acts.
  const std::string stored = binders::BinderPath(folder, name), working = binders::WorkingCopyPath(folder, name);
  ASSERT_TRUE(std::filesystem::exists(working));
  std::filesystem::copy_file(stored, folder_ + "/stored.seg");
  std::filesystem::copy_file(working, folder_ + "/working.se_");
  tab->CloseBinder();
  std::filesystem::copy_file(folder_ + "/stored.seg", stored, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::copy_file(folder_ + "/working.se_", working);
  engine::GroupPtr before;
  ASSERT_EQ(binders::LoadGroupFile(stored, before), binders::BinderError::None);
  EXPECT_FALSE(medview::MvGroupHasItem(before.get(), acts_[0]));

  prompts_.asked.clear();
  prompts_.answers = {IDYES};
  tab->OfferWorkingCopies();
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(working));
  ASSERT_TRUE(tab->OpenBinder(CString(name)));
  top.clear();
  for (HTREEITEM item = tab->GetTree().GetRootItem(); item; item = tab->GetTree().GetNextSiblingItem(item)) {
    top.push_back(tab->GetTree().RecordOf(item));
  }
  EXPECT_EQ(top, (std::vector<int32_t>{acts_[0], acts_[1]}));
  tab->CloseBinder();
}

// Road 7: a picture link opens a picture sheet in the act's place; zoom, copy, print, return.
TEST_P(RoadsTest, APictureOpensZoomsCopiesPrintsAndGivesTheActBack) {
  if (Plan().figures.empty()) GTEST_SKIP() << "the library holds no picture";
  const std::string figure = *Plan().figures.begin();
  // The act naming the picture.
  int32_t act = -1;
  for (int32_t a : acts_) {
    for (size_t t = size_t(a); t < Plan().texts.size() && act < 0 && (t == size_t(a) || ActOf(int32_t(t)) == a); ++t) {
      if (Plan().texts[t].find(figure) != std::string::npos || Plan().topics[t].title.find(figure) != std::string::npos) act = a;
    }
  }
  if (act < 0) act = acts_[0];
  // The topic whose text names the picture: its link is its first hotspot.
  int32_t holder = act;
  while (size_t(holder) + 1 < Plan().texts.size() && Plan().texts[size_t(holder)].find(figure) == std::string::npos) ++holder;
  ASSERT_TRUE(View()->JumpToTopicNumber(holder, 0, 0));
  pump();
  CLumoKALView* act_view = View();
  const int sheets = frame_->GetSheetCount();
  // Tab selects the link, Enter follows it: the picture takes the sheet once the key's message has
  // returned (the text sheet is closed after it, not under it).
  View()->GetTextPane().SendMessage(WM_KEYDOWN, VK_TAB, 0);
  View()->GetTextPane().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  pump();
  CDocTemplate* pictures = app_->GetPictureTemplate();
  ASSERT_EQ(pictures->documents().size(), 1u);
  auto* doc = dynamic_cast<CLumoBMPDoc*>(pictures->documents().front().get());
  ASSERT_NE(doc, nullptr);
  CLumoBMPView* view = nullptr;
  for (CView* v : doc->views()) view = view ? view : dynamic_cast<CLumoBMPView*>(v);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(frame_->GetSheetCount(), sheets);  // in the act's place
  const int fitted = view->GetZoom();
  view->SendMessage(WM_COMMAND, resources::ID_ZOOM_200);
  pump();
  EXPECT_EQ(view->GetZoom(), 200);
  EXPECT_NE(view->GetZoom(), fitted);
  Picture(frame_->m_hWnd, "road7_picture");

  view->SendMessage(WM_COMMAND, resources::ID_COPY_PICTURE);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  const std::vector<uint8_t> dib = ::GetClipboardData(CF_DIB);
  ::CloseClipboard();
  EXPECT_GT(dib.size(), 40u);

  if (HaveProgram("pdftotext")) {
    const std::string pdf = folder_ + "/obraz.pdf";
    prompts_.files = {base::cp1250::from_utf8(pdf)};
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    pump();
    EXPECT_TRUE(std::filesystem::exists(pdf)) << LastAsked();
    EXPECT_EQ(Output("pdfinfo '" + pdf + "' 2>/dev/null | grep '^Pages:' | tr -dc 0-9"), "1");
  }

  ASSERT_TRUE(view->ReturnToSourceTopic());
  pump();
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(ActOf(ShownTopic()), act);
  EXPECT_EQ(frame_->GetSheetCount(), sheets);
  (void)act_view;
}

// Road 8: an act and a list printed to PDF; a selection copied as RTF and text.
TEST_P(RoadsTest, AnActAndAListPrintToPdfAndASelectionCopiesAsRtfAndText) {
  const int32_t act = acts_[0];
  ASSERT_TRUE(View()->JumpToTopicNumber(act, 0, 0));
  pump();
  const std::string shown = Folded(ShownText());
  ASSERT_FALSE(shown.empty());
  if (HaveProgram("pdftotext")) {
    const std::string pdf = folder_ + "/akt ąę.pdf";
    prompts_.files = {base::cp1250::from_utf8(pdf)};
    // The act's print dialog: "Drukuj do pliku" ticked, then the file asked for.
    bool offered = false;
    OnEveryDialog([&](HWND dialog, int n) {
      if (n != 0) return;  // the progress window that follows runs by itself
      HWND to_file = ::GetDlgItem(dialog, chx1);
      offered = to_file && (::GetWindowLong(to_file, GWL_STYLE) & WS_VISIBLE) && ::IsWindowEnabled(to_file);
      ::CheckDlgButton(dialog, chx1, BST_CHECKED);
      ::PostMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    View()->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    pump();
    win::set_message_observer(nullptr);
    EXPECT_TRUE(offered) << "the act's print dialog offers no printing to a file";
    ASSERT_TRUE(std::filesystem::exists(pdf)) << LastAsked();
    const std::string text = Folded(PdfText(pdf));
    // The act's title words are printed, and its citation heads the page.
    for (const std::string& word : Words(Plan().topics[size_t(act)].title, 6)) {
      EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text.substr(0, 800);
    }
    EXPECT_NE(text.find("Strona 1"), std::string::npos);

    // The history of the sheet, printed as a list ("Drukuj listę").
    ASSERT_TRUE(View()->JumpToTopicNumber(acts_[1], 0, 0));
    ASSERT_TRUE(View()->JumpToTopicNumber(acts_[2], 0, 0));
    pump();
    const std::string list_pdf = folder_ + "/historia.pdf";
    prompts_.files = {base::cp1250::from_utf8(list_pdf)};
    ASSERT_TRUE(nav_->GetHistoryTab()->PrintRows()) << LastAsked();
    const std::string list = Folded(PdfText(list_pdf));
    EXPECT_NE(list.find("Historia pracy:"), std::string::npos) << list.substr(0, 600);
    const shell::ContentsRecord r = Record(acts_[1]);
    EXPECT_NE(list.find(std::to_string(shell::ContentsFullYear(r))), std::string::npos) << list.substr(0, 600);
  }

  ASSERT_TRUE(View()->JumpToTopicNumber(act, 0, 0));
  pump();
  View()->SendMessage(WM_COMMAND, resources::ID_EDIT_SELECT_ALL);
  ASSERT_TRUE(View()->HasSelection());
  View()->SendMessage(WM_COMMAND, ID_EDIT_COPY);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  const std::vector<uint8_t> text = ::GetClipboardData(CF_TEXT);
  const std::vector<uint8_t> rtf = ::GetClipboardData(medview::MvRtfClipFormat());
  ::CloseClipboard();
  const std::string plain = Folded(Utf8(std::string(text.begin(), text.end())));
  const std::vector<std::string> words = Words(Plan().topics[size_t(act)].title, 6);
  ASSERT_FALSE(words.empty());
  for (const std::string& word : words) EXPECT_NE(plain.find(word), std::string::npos) << word << "\n" << plain.substr(0, 400);
  ASSERT_FALSE(rtf.empty());
  if (HaveProgram("unrtf")) {
    const std::string path = folder_ + "/kopia.rtf";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(rtf.data()), std::streamsize(rtf.size()));
    const std::string read = Folded(Output("unrtf --text '" + path + "' 2>/dev/null"));
    // The plain text of the RTF holds the first word of the plain copy (ASCII letters compare the same).
    std::string ascii;
    for (const std::string& w : words) {
      if (std::all_of(w.begin(), w.end(), [](char c) { return c > 0; })) {
        ascii = w;
        break;
      }
    }
    if (!ascii.empty()) { EXPECT_NE(read.find(ascii), std::string::npos) << ascii << "\n" << read.substr(0, 600); }
  }
}

// Road 9: the work saved, the program closed and started again with the work's file: its sheets,
// bookmarks, queries and history come back; a second start hands its file to the first.
TEST_P(RoadsTest, ASavedWorkComesBackAndASecondStartHandsItsFileToTheFirst) {
  const QueryAct q = PickQueryAct();
  ASSERT_GE(q.act, 0);
  ASSERT_TRUE(RunQuery(q.title_word, false)) << LastAsked();
  CGTFSheet::CloseOpen();
  ASSERT_TRUE(View()->JumpToTopicNumber(acts_[0], 0, 0));
  ASSERT_TRUE(View()->JumpToTopicNumber(acts_[1], 0, 0));
  // A second sheet with the third act.
  work_->SetSavedTopic(acts_[2]);
  ASSERT_TRUE(work_->OpenTopic(acts_[2], 3, 0));
  pump();
  ASSERT_EQ(frame_->GetSheetCount(), 2);
  // A bookmark on the act the second sheet shows; its name dialog is confirmed.
  OnEveryDialog([](HWND dialog, int) { ::PostMessage(dialog, WM_COMMAND, IDOK, 0); });
  navcmd::AddBookmarkFor(acts_[2]);
  pump();
  ASSERT_EQ(work_->GetBookmarks().size(), 1u);

  // Each sheet's history as the user left it: the places, oldest first.
  auto histories = [&] {
    std::vector<std::vector<int32_t>> out;
    for (SECWorksheet* sheet : frame_->m_sheets) {
      out.emplace_back();
      if (auto* view = dynamic_cast<CLumoKALView*>(sheet->GetActiveView())) {
        for (int i = 0; i < view->GetHistoryCount(); ++i) out.back().push_back(view->GetHistoryItem(i)->m_nTopic);
      }
    }
    return out;
  };
  const std::vector<std::vector<int32_t>> saved_histories = histories();
  ASSERT_EQ(saved_histories.size(), 2u);
  ASSERT_FALSE(saved_histories[0].empty());  // the first sheet went from one act to the next

  const std::string path = folder_ + "/praca drogi.lkl";
  prompts_.files = {base::cp1250::from_utf8(path)};
  frame_->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  pump();
  win::set_message_observer(nullptr);
  ASSERT_TRUE(std::filesystem::exists(path)) << LastAsked();
  EXPECT_FALSE(work_->IsModified());

  // Closed with the window; the program's loop ends.
  frame_->SendMessage(WM_CLOSE);
  pump();
  EXPECT_EQ(app_->m_pMainWnd, nullptr);
  MSG msg;
  EXPECT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  app_->ExitInstance();
  app_.reset();

  // Started again with the file on the command line.
  app_ = std::make_unique<CLumoApp>();
  app_->GetInstanceGuard().SetScope(InstanceScope());
  char program[] = "lumokal";
  std::string file = path;
  char* argv[] = {program, file.data()};
  app_->SetCommandLine(2, argv);
  ASSERT_TRUE(app_->InitInstance());
  pump();
  frame_ = app_->GetMainFrame();
  work_ = CLumoKALDoc::GetCurrentWork();
  ASSERT_TRUE(frame_ && work_);
  nav_ = frame_->GetNavigatorBar();
  lists_ = frame_->GetContentsBar();
  // The caption names the work's file.
  EXPECT_NE(Caption().find("praca drogi.lkl"), std::string::npos) << Caption();
  ASSERT_EQ(frame_->GetSheetCount(), 2);
  std::vector<int32_t> shown;
  for (SECWorksheet* sheet : frame_->m_sheets) {
    auto* view = dynamic_cast<CLumoKALView*>(sheet->GetActiveView());
    ASSERT_NE(view, nullptr);
    shown.push_back(ActOf(frame::MvGetCurrentTopic(view->GetViewer())));
  }
  EXPECT_EQ(shown, (std::vector<int32_t>{acts_[1], acts_[2]}));
  ASSERT_EQ(work_->GetBookmarks().size(), 1u);
  EXPECT_EQ(work_->GetBookmarks()[0]->m_nTopic, acts_[2]);
  nav_->GetBookmarkTab()->FillList();
  EXPECT_EQ(nav_->GetBookmarkTab()->GetList().GetItemCount(), 1);
  ASSERT_FALSE(work_->GetQueryHistory().empty());
  EXPECT_EQ(Utf8(work_->GetQueryHistory().front()), q.title_word);
  // Each sheet has its history back, every place in its order.
  EXPECT_EQ(histories(), saved_histories);
  Picture(frame_->m_hWnd, "road9_reopened");

  // A second start with the same file hands it over and ends.
  BOOL second_started = TRUE;
  std::thread second([&] {
    CInstanceGuard guard;
    guard.SetScope(InstanceScope());
    second_started = guard.RegisterMainClass(resources::IDS_APP_NAME, CString(path));
  });
  for (int round = 0; round < 400 && !second.joinable(); ++round) pump();
  for (int round = 0; round < 200; ++round) {
    pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  second.join();
  EXPECT_FALSE(second_started);
  ASSERT_NE(CLumoKALDoc::GetCurrentWork(), nullptr);
  EXPECT_EQ(CLumoKALDoc::GetCurrentWork()->GetPathName().str(), path);
  EXPECT_EQ(app_->GetTextTemplate()->documents().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Libraries, RoadsTest,
                         ::testing::Values(Library{"sample", false}, Library{"corpus", true}),
                         [](const ::testing::TestParamInfo<Library>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumo::test
