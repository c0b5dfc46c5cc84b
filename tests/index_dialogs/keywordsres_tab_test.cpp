// The "Indeksy" tab over a work on the sample library: a keyword's hits listed one act per row
// under its heading, a single hit opened at once, sorting, clearing, and a picture of the tab.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/medview/engine_titles.h"
#include "navigation/act_dlg.h"
#include "navigation/keyword_hits.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "pictures/sheets/lumo_bmp_view.h"
#include "shell/child_frames.h"
#include "shell/view/lumo_kal_view.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/prompter.h"
#include "platform/framework/print_dialogs.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "tests/support/app_fixture.h"
#include "tests/support/queued_prompter.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(static_cast<LPCTSTR>(text)); }

class KeywordsTabTest : public AppTest {
 protected:
  KeywordsTabTest() : AppTest("index_dialogs_sample", IDNO) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    auto* main = StartWithLibraryAt(900, 650);
    ASSERT_NE(main, nullptr);
    if (navcmd::FindOutputWnd()) {
      pnav_ = navcmd::FindOutputWnd();
    } else {
      constexpr DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
      ASSERT_TRUE(own_nav_.Create(main, CString("Nawigator"), style | CBRS_BOTTOM, 0x0F31, 100));
      own_nav_.MoveWindow(0, 420, 880, 200);
      main->m_listControlBars.push_back(&own_nav_);
    }
    main->ShowControlBar(pnav_, TRUE, FALSE);
    main->RecalcLayout();
    pump();
    tab_ = pnav_->GetKeywordsTab();
    ASSERT_NE(tab_, nullptr);
    subjects_ = medview::MvOpenKeywordIndex(LibraryTitle(), "|i");
    ASSERT_NE(subjects_, nullptr);
  }
  void TearDown() override {
    keywords::KeywordHits().Clear();
    if (subjects_) medview::MvCloseKeywordIndex(subjects_);
    if (auto* main = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd)) {
      std::erase(main->m_listControlBars, static_cast<CControlBar*>(&own_nav_));
    }
    if (own_nav_.m_hWnd) own_nav_.DestroyWindow();
    AppTest::TearDown();
  }

  // Lists keyword `keyword` of the subject index as the index dialogs do.
  void List(const char* keyword) {
    bool listed = false;
    ASSERT_EQ(keywords::LoadKeywordTopics(subjects_, keyword, keywords::KeywordHits(), &listed), 0);
    tab_->ShowKeyword(CString(keyword));
    pump();
  }
  std::string Label(UINT id) {
    return Utf8(tab_->GetDlgItemText(int(id)));
  }
  static std::string Picture(CWnd& wnd, const std::string& name) {
    const std::string path =
        (std::getenv("LUMO_PNG_DIR") ? std::string(std::getenv("LUMO_PNG_DIR")) : base::temp_folder()) + "/" + name;
    EXPECT_TRUE(save_window_png(wnd.m_hWnd, path));
    return path;
  }

  COutputWnd own_nav_;
  COutputWnd* pnav_ = &own_nav_;
  CKeywordsresTab* tab_ = nullptr;
  fts::WordWheelHandle subjects_ = nullptr;
};

TEST_F(KeywordsTabTest, ListsTheHitsUnderTheKeywordAndClears) {
  List("Bibliotekach gminnych i czytelniach");
  CGSListCtrl& list = tab_->GetList();
  ASSERT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(Label(resources::IDC_KEYWORD_RESULTS_HEADING), "hasło: Bibliotekach gminnych i czytelniach");
  EXPECT_EQ(Label(resources::IDC_KEYWORD_RESULTS_COUNT), "stron: 2");
  // Numbered from 1 in the order of the index; each row names an act with its journal place.
  EXPECT_EQ(tab_->RowText(0, 0), "1");
  EXPECT_EQ(tab_->RowText(1, 0), "2");
  for (int row = 0; row < 2; ++row) {
    EXPECT_GE(tab_->TopicOfRow(row), 0);
    EXPECT_NE(tab_->RowText(row, 1).find("/poz "), std::string::npos) << tab_->RowText(row, 1);
    EXPECT_FALSE(tab_->RowText(row, 4).empty());
  }
  EXPECT_NE(tab_->TopicOfRow(0), tab_->TopicOfRow(1));
  engine::GroupPtr group = tab_->BuildTopicGroup();
  ASSERT_NE(group, nullptr);

  // "Dodaj do wydruku" puts the selected row's act on the print list (not the active sheet's).
  tab_->SelectRow(1);
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  const size_t before = work->GetPrintList().size();
  tab_->SendMessage(WM_COMMAND, resources::ID_ADD_SELECTED_TO_PRINT_LIST);
  ASSERT_EQ(work->GetPrintList().size(), before + 1);
  EXPECT_EQ(work->GetPrintList().back()->m_nTopic, tab_->TopicOfRow(1));

  pnav_->ActivateTab(2);
  pump();
  Picture(*pnav_, "index_results_tab.png");

  // "Wyczyść listę": no rows, no labels, no hits, no group.
  tab_->SendMessage(WM_COMMAND, resources::ID_KEYWORD_RESULTS_CLEAR);
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(Label(resources::IDC_KEYWORD_RESULTS_HEADING), "");
  EXPECT_FALSE(keywords::KeywordHits().HoldsBlock());
  EXPECT_EQ(tab_->BuildTopicGroup(), nullptr);
}

TEST_F(KeywordsTabTest, OneHitOpensAtOnceAndNoHitsListNothing) {
  // A keyword of the index with a single address.
  const int32_t count = medview::MvGetKeywordCount(subjects_);
  std::string single;
  for (int32_t i = 0; i < count && single.empty(); ++i) {
    const std::string k = keywords::KeywordText(subjects_, i);
    if (medview::MvGetKeywordTopicCount(subjects_, k.c_str()) == 1) single = k;
  }
  ASSERT_FALSE(single.empty());
  List(single.c_str());
  EXPECT_EQ(tab_->GetList().GetItemCount(), 1);
  EXPECT_EQ(Label(resources::IDC_KEYWORD_RESULTS_COUNT), "stron: 1");

  List("zzz nieznane");
  EXPECT_EQ(tab_->GetList().GetItemCount(), 0);
  EXPECT_EQ(Label(resources::IDC_KEYWORD_RESULTS_COUNT), "stron: 0");
}


// Answers the printer dialog with a PDF file.
class PdfPrompts : public QueuedPrompter {
 public:
  explicit PdfPrompts(std::string path) : QueuedPrompter(IDOK), pdf(std::move(path)) {}
  std::string pdf;
  int print_dialog(HWND, PRINTDLG& pd) override {
    auto names = std::make_shared<DEVNAMES>(pd.hDevNames ? *pd.hDevNames : DEVNAMES{});
    names->output = CString(base::cp1250::from_utf8(pdf));
    pd.hDevNames = names;
    pd.Flags |= PD_PRINTTOFILE;
    return IDOK;
  }
};

std::string PdfText(const std::string& path) {
  std::string out;
  if (FILE* p = popen(("pdftotext -layout '" + path + "' - 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

TEST_F(KeywordsTabTest, ColumnClicksCycleAndTheListPrintsUnderItsHeading) {
  List("Bibliotekach gminnych i czytelniach");
  CGSListCtrl& list = tab_->GetList();
  ASSERT_EQ(list.GetItemCount(), 2);
  const std::string first = tab_->RowText(0, 3), second = tab_->RowText(1, 3);
  ASSERT_NE(first, second);
  auto click_column = [&](int column) {
    NMLISTVIEW n{};
    n.hdr.hwndFrom = list.m_hWnd;
    n.hdr.idFrom = resources::IDC_KEYWORD_RESULTS_LIST;
    n.hdr.code = LVN_COLUMNCLICK;
    n.iItem = -1;
    n.iSubItem = column;
    tab_->SendMessage(WM_NOTIFY, n.hdr.idFrom, LPARAM(&n));
    pump();
  };
  // "DATA" three times: ascending by date, descending, then the order of the index again.
  click_column(3);
  EXPECT_LT(tab_->RowText(0, 3), tab_->RowText(1, 3));
  click_column(3);
  EXPECT_GT(tab_->RowText(0, 3), tab_->RowText(1, 3));
  click_column(3);
  EXPECT_EQ(tab_->RowText(0, 0), "1");
  EXPECT_EQ(tab_->RowText(0, 3), first);
  EXPECT_EQ(tab_->RowText(1, 3), second);
  EXPECT_EQ(list.m_nSortColumn, -1);

  // "Drukuj listę": the rows under "Lista indeksu" and the heading, cut after a blank past 70.
  if (std::system("command -v pdftotext > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext missing";
  const std::string heading =
      "Bibliotekach gminnych i czytelniach publicznych oraz innych zbiorach ogólnodostępnych w gminach i powiatach";
  tab_->ShowKeyword(CString(base::cp1250::from_utf8(heading)));
  pump();
  const std::string pdf = base::temp_folder() + "/index_results_list.pdf";
  PdfPrompts prompts(pdf);
  framework::set_prompter(&prompts);
  tab_->SendMessage(WM_COMMAND, resources::ID_PRINT_ENTRY_LIST);
  framework::set_prompter(&prompts_);
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("Lista indeksu"), std::string::npos) << text;
  EXPECT_NE(text.find("hasło: Bibliotekach gminnych i czytelniach publicznych oraz innych zbiorach ..."), std::string::npos)
      << text;
  EXPECT_EQ(text.find("powiatach"), std::string::npos);
  EXPECT_NE(text.find(tab_->RowText(0, 1)), std::string::npos) << text;
  EXPECT_NE(text.find(tab_->RowText(1, 1)), std::string::npos) << text;
}

TEST_F(KeywordsTabTest, FocusFollowsInTheActWindowAndClosingTheWorkClears) {
  List("Bibliotekach gminnych i czytelniach");
  ASSERT_EQ(tab_->GetList().GetItemCount(), 2);
  CActDlg* act = ShowActInfoDialog();
  ASSERT_NE(act, nullptr);
  pump();
  ASSERT_TRUE(IsActInfoDialogVisible());
  tab_->SelectRow(1);
  act->ShowAct(0);
  // The tab taking the focus shows its selected act there ("Informacja").
  tab_->SendMessage(WM_SETFOCUS);
  pump();
  EXPECT_EQ(act->GetRecord(), tab_->TopicOfRow(1));
  act->ShowWindow(SW_HIDE);
  pump();

  // Closing the work takes the rows, labels and hits with it.
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  work->OnCloseDocument();
  pump();
  EXPECT_EQ(tab_->GetList().GetItemCount(), 0);
  EXPECT_EQ(Label(resources::IDC_KEYWORD_RESULTS_HEADING), "");
  EXPECT_EQ(Label(resources::IDC_KEYWORD_RESULTS_COUNT), "");
  EXPECT_FALSE(keywords::KeywordHits().HoldsBlock());
  EXPECT_EQ(keywords::KeywordHits().count, 0);
}


TEST_F(KeywordsTabTest, OneHitReturnsFromAPictureSheetFirst) {
  // A picture sheet shown from an act, as a picture link leaves it.
  const std::string copy = base::temp_folder() + "/idx48_karta.png";
  std::filesystem::copy_file(compiler_test::SourceDir() + "/samples/acts/karta.png", copy,
                             std::filesystem::copy_options::overwrite_existing);
  CDocument* picture = app_->OpenPictureSheet(CString(copy.c_str()), CString("karta.png"));
  ASSERT_NE(picture, nullptr);
  pump();
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  auto* view = dynamic_cast<CLumoBMPView*>(work->GetCurrentPictureView());
  ASSERT_NE(view, nullptr);
  auto* frame = dynamic_cast<CChildBMPFrame*>(view->GetParentFrame());
  ASSERT_NE(frame, nullptr);
  const int32_t source = library_->plan.act_topics.at(1);
  frame->m_nTopic = source;

  // A keyword of one hit: the picture goes back to its act, then the hit shows in the text sheet.
  const int32_t count = medview::MvGetKeywordCount(subjects_);
  std::string single;
  for (int32_t i = 0; i < count && single.empty(); ++i) {
    const std::string k = keywords::KeywordText(subjects_, i);
    if (medview::MvGetKeywordTopicCount(subjects_, k.c_str()) == 1) single = k;
  }
  ASSERT_FALSE(single.empty());
  List(single.c_str());
  ASSERT_EQ(tab_->GetList().GetItemCount(), 1);
  pump();
  // The picture sheet gave its place back to the act (its copy of the picture went with it).
  EXPECT_FALSE(std::filesystem::exists(copy));
  EXPECT_EQ(work->GetCurrentPictureView(), nullptr);
  ASSERT_NE(work->GetCurrentTextView(), nullptr);
  EXPECT_EQ(work->GetCurrentTextView()->GetShownTopic(), tab_->TopicOfRow(0));
}

}  // namespace
}  // namespace lumo::test
