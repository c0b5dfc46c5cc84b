// The titles and signatories index dialogs: the acts kind split into rank and title, kinds with
// their own indexes and the remembered title, the highlight of typed text whatever its case; the
// signatories by surname and by position, each with its remembered text, over a title of their own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/medview/engine_titles.h"
#include "navigation/keyword_hits.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/title_dlg.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "tests/fts_query/query_title.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

using namespace resources;

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(static_cast<LPCTSTR>(text)); }
std::string Cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }

std::string PngPath(const std::string& name) {
  return (std::getenv("LUMO_PNG_DIR") ? std::string(std::getenv("LUMO_PNG_DIR")) : base::temp_folder()) + "/" + name;
}

class TitleWhoTest : public AppTest {
 protected:
  TitleWhoTest() : AppTest("index_dialogs_sample", IDNO) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    main_ = StartWithLibraryAt(900, 650);
    ASSERT_NE(main_, nullptr);
    pump();
    CTitleDlg::Remembered().clear();
    CTitleDlg::RememberedKind() = 0;
    CWhoDlg::RememberedMode() = CWhoDlg::kSurnames;
    CWhoDlg::RememberedSurname().clear();
    CWhoDlg::RememberedPosition().clear();
  }
  void TearDown() override {
    if (CKeywordIndexDlg::GetOpen()) CKeywordIndexDlg::GetOpen()->DestroyWindow();
    keywords::KeywordHits().Clear();
    if (signatories_) {
      SetLibraryTitle(sample_);
      medview::MvCloseTitle(signatories_);
    }
    AppTest::TearDown();
  }

  // A title of its own whose signatories' indexes point at the sample library's acts.
  void MakeSignatoriesTitle() {
    sample_ = LibraryTitle();
    ASSERT_NE(sample_, nullptr);
    ASSERT_GE(library_->plan.act_topics.size(), 3u);
    auto address = [&](size_t act) {
      return uint32_t(title::TtlGetInfo(sample_, title::kInfoCatalogAddress, library_->plan.act_topics[act], nullptr, 0));
    };
    const uint32_t a0 = address(0), a1 = address(1), a2 = address(2);
    ASSERT_TRUE(title_.write("signatories", false, [&](titlebuild::TitleBuilder& b) {
      titlebuild::AddKeywordIndex(b, "|p", {{"Kowalski", {a0}}, {"Nowak", {a0, a1}}, {Cp("Wiśniewski"), {a2}}});
      titlebuild::AddKeywordIndex(b, "|q", {{"Minister Kultury", {a1}}, {Cp("Prezes Rady Ministrów"), {a0, a2}}});
    }));
    signatories_ = medview::MvOpenTitle(title_.path.c_str(), nullptr, 0);
    ASSERT_NE(signatories_, nullptr);
  }
  // Runs `step` with the signatories' title as the library's (the dialog opens its indexes then).
  template <class Step>
  void WithSignatories(Step step) {
    SetLibraryTitle(signatories_);
    step();
    SetLibraryTitle(sample_);
  }
  void Type(CWnd* dlg, UINT id, const char* cp1250) {
    CWnd* edit = dlg->GetDlgItem(int(id));
    ASSERT_NE(edit, nullptr);
    edit->SetFocus();
    edit->SetWindowText(CString(cp1250));
    pump();
  }
  void Click(CWnd* dlg, UINT id) {
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(dlg->GetDlgItem(int(id))->m_hWnd));
    pump();
  }
  CKeywordsresTab* Tab() { return navcmd::FindOutputWnd()->GetKeywordsTab(); }
  std::string Heading() { return Utf8(Tab()->GetDlgItemText(int(IDC_KEYWORD_RESULTS_HEADING))); }
  static std::string Header(CGSListCtrl& list, int column) {
    char text[64] = {};
    LVCOLUMN item{};
    item.mask = LVCF_TEXT;
    item.pszText = text;
    item.cchTextMax = int(sizeof text);
    list.GetColumn(column, &item);
    return text;
  }

  CFrameWnd* main_ = nullptr;
  fts_query_test::QueryTitle title_;
  title::TitleHandle* signatories_ = nullptr;
  title::TitleHandle* sample_ = nullptr;
};

// Counts the pixels of the highlight yellow in a window's client area (every other one).
int YellowPixels(HWND h) {
  CRect client;
  ::GetClientRect(h, &client);
  int yellow = 0;
  // Down the middle of the title column, row by row.
  for (int y = 0; y < client.Height(); ++y) yellow += surface_pixel(h, client.Width() / 2, y) == 0x0000FFFF;
  return yellow;
}

TEST_F(TitleWhoTest, ActsKindSplitsRankAndTitleAndHighlightsTypedText) {
  main_->SendMessage(WM_COMMAND, ID_TITLES_INDEX);
  pump();
  auto* dlg = dynamic_cast<CTitleDlg*>(CKeywordIndexDlg::GetOpen());
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(dlg->IsActsMode());
  CGSListCtrl& list = dlg->GetList();
  EXPECT_EQ(Header(list, 0), "RANGA");
  ASSERT_EQ(list.GetItemCount(), medview::MvGetKeywordCount(dlg->GetIndex()));
  ASSERT_GT(list.GetItemCount(), 1);
  ASSERT_EQ(SendDlgItemMessage(dlg->m_hWnd, int(IDC_TITLE_KIND), CB_GETCOUNT, 0, 0), 9);
  EXPECT_EQ(SendDlgItemMessage(dlg->m_hWnd, int(IDC_TITLE_KIND), CB_GETCURSEL, 0, 0), 0);

  // Typing selects the nearest title; two characters mark nothing, a third marks the rows whose
  // title holds the text, typed in lower case though the list shows upper case.
  Type(dlg, IDC_TITLE_EDIT, "o ");
  EXPECT_EQ(list.m_bHighlight, 0);
  Type(dlg, IDC_TITLE_EDIT, "o bib");
  const int row = dlg->GetSelectedItem();
  ASSERT_GE(row, 0);
  EXPECT_EQ(keywords::KeywordText(dlg->GetIndex(), row), "o bibliotekach gminnych i czytelniach#USTAWA");
  EXPECT_EQ(Utf8(list.GetItemText(row, 0)), "USTAWA");
  EXPECT_EQ(Utf8(list.GetItemText(row, 1)), "O BIBLIOTEKACH GMINNYCH I CZYTELNIACH");
  EXPECT_EQ(list.m_bHighlight, 1);
  EXPECT_EQ(Utf8(list.m_strHighlight), "O BIB");
  EXPECT_TRUE(CTitleDlg::Remembered().empty());  // typing leaves the remembered title alone
  // The act that amends it names it in its title: its row lies on yellow.
  dlg->UpdateWindow();
  EXPECT_GT(YellowPixels(list.m_hWnd), 8);
  EXPECT_TRUE(save_window_png(dlg->m_hWnd, PngPath("title_index_dialog.png"), true));
  // Smallest drag size.
  MINMAXINFO info{};
  dlg->SendMessage(WM_GETMINMAXINFO, 0, LPARAM(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 270);
  EXPECT_EQ(info.ptMinTrackSize.y, 125);

  // "&Lista": the rank, a blank and the title head "Indeksy".
  Click(dlg, IDC_TITLE_SHOW);
  EXPECT_EQ(CKeywordIndexDlg::GetOpen(), nullptr);
  EXPECT_EQ(Heading(), "hasło: USTAWA o bibliotekach gminnych i czytelniach");
  EXPECT_GE(Tab()->GetList().GetItemCount(), 1);
  EXPECT_FALSE(CTitleDlg::Remembered().empty());

  // Reopened: the remembered kind and title's keyword selected, the edit empty.
  main_->SendMessage(WM_COMMAND, ID_TITLES_INDEX);
  pump();
  dlg = dynamic_cast<CTitleDlg*>(CKeywordIndexDlg::GetOpen());
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->GetSelectedItem(), row);
  EXPECT_EQ(Utf8(dlg->GetDlgItemText(int(IDC_TITLE_EDIT))), "");
  main_->SendMessage(WM_COMMAND, ID_TITLES_INDEX);
  pump();
  EXPECT_EQ(CKeywordIndexDlg::GetOpen(), nullptr);
}

TEST_F(TitleWhoTest, KindsOpenTheirOwnIndexesAndForgetTheTitle) {
  CTitleDlg::Remembered() = "o bibliotekach gminnych i czytelniach#USTAWA";
  CKeywordIndexDlg::Toggle<CTitleDlg>(main_);
  pump();
  auto* dlg = dynamic_cast<CTitleDlg*>(CKeywordIndexDlg::GetOpen());
  ASSERT_NE(dlg, nullptr);
  EXPECT_GE(dlg->GetSelectedItem(), 0);
  auto choose = [&](int kind) { SendDlgItemMessage(dlg->m_hWnd, int(IDC_TITLE_KIND), CB_SETCURSEL, WPARAM(kind), 0); };
  // The same kind again keeps the remembered title.
  choose(0);
  dlg->ChangeKind();
  EXPECT_FALSE(CTitleDlg::Remembered().empty());
  // "Tytuły rozdziałów": its own index, numbered rows, the title forgotten.
  choose(5);
  dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TITLE_KIND, CBN_SELCHANGE), LPARAM(dlg->GetDlgItem(int(IDC_TITLE_KIND))->m_hWnd));
  pump();
  EXPECT_FALSE(dlg->IsActsMode());
  EXPECT_TRUE(CTitleDlg::Remembered().empty());
  EXPECT_EQ(CTitleDlg::RememberedKind(), 5);
  EXPECT_EQ(dlg->GetSelectedItem(), -1);
  EXPECT_EQ(Header(dlg->GetList(), 0), "LP.");
  fts::WordWheelHandle chapters = medview::MvOpenKeywordIndex(LibraryTitle(), "|r");
  ASSERT_NE(chapters, nullptr);
  EXPECT_EQ(dlg->GetList().GetItemCount(), medview::MvGetKeywordCount(chapters));
  ASSERT_GT(dlg->GetList().GetItemCount(), 0);
  EXPECT_EQ(Utf8(dlg->GetList().GetItemText(0, 0)), "1");
  EXPECT_EQ(std::string(static_cast<LPCTSTR>(dlg->GetList().GetItemText(0, 1))),
            base::cp1250::to_upper(keywords::KeywordText(chapters, 0)));
  medview::MvCloseKeywordIndex(chapters);
  EXPECT_FALSE(dlg->GetDlgItem(int(IDC_TITLE_SHOW))->IsWindowEnabled());
  // The combo box keeps to the right edge, the edit ends 10 pixels before it.
  dlg->MoveWindow(10, 10, 520, 360);
  pump();
  CRect client, combo, edit;
  dlg->GetClientRect(&client);
  dlg->GetDlgItem(int(IDC_TITLE_KIND))->GetWindowRect(&combo);
  dlg->ScreenToClient(&combo);
  dlg->GetDlgItem(int(IDC_TITLE_EDIT))->GetWindowRect(&edit);
  dlg->ScreenToClient(&edit);
  EXPECT_EQ(combo.right, client.right - 5);
  EXPECT_EQ(edit.right, combo.left - 10);
  EXPECT_TRUE(save_window_png(dlg->m_hWnd, PngPath("title_index_chapters.png"), true));
}

TEST_F(TitleWhoTest, SignatoriesBySurnameAndByPosition) {
  MakeSignatoriesTitle();
  if (HasFatalFailure()) return;
  CWhoDlg* dlg = nullptr;
  WithSignatories([&] {
    main_->SendMessage(WM_COMMAND, ID_SIGNATORIES_INDEX);
    pump();
    dlg = dynamic_cast<CWhoDlg*>(CKeywordIndexDlg::GetOpen());
  });
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->IsDlgButtonChecked(int(IDC_WHO_SURNAMES)), BST_CHECKED);
  EXPECT_EQ(dlg->IsDlgButtonChecked(int(IDC_WHO_POSITIONS)), BST_UNCHECKED);
  EXPECT_EQ(Utf8(dlg->GetDlgItemText(int(IDC_WHO_LABEL))), "Naz&wisko");
  EXPECT_EQ(dlg->GetList().GetItemCount(), 3);
  Type(dlg, IDC_WHO_EDIT, "Nowak");
  ASSERT_EQ(dlg->GetSelectedItem(), 1);
  EXPECT_EQ(CWhoDlg::RememberedSurname(), "Nowak");
  EXPECT_EQ(Utf8(dlg->GetList().GetItemText(2, 1)), "Wiśniewski");  // as stored
  EXPECT_TRUE(save_window_png(dlg->m_hWnd, PngPath("who_index_surnames.png"), true));

  // "&Stanowiska": the typed text stays the surname's; the positions' index, label and check.
  WithSignatories([&] { Click(dlg, IDC_WHO_POSITIONS); });
  EXPECT_EQ(CWhoDlg::RememberedMode(), CWhoDlg::kPositions);
  EXPECT_EQ(CWhoDlg::RememberedSurname(), "Nowak");
  EXPECT_EQ(Utf8(dlg->GetDlgItemText(int(IDC_WHO_LABEL))), "Stano&wisko");
  EXPECT_EQ(dlg->IsDlgButtonChecked(int(IDC_WHO_POSITIONS)), BST_CHECKED);
  EXPECT_EQ(dlg->IsDlgButtonChecked(int(IDC_WHO_SURNAMES)), BST_UNCHECKED);
  EXPECT_EQ(dlg->GetList().GetItemCount(), 2);
  Type(dlg, IDC_WHO_EDIT, Cp("Prezes Rady Ministrów").c_str());
  ASSERT_EQ(dlg->GetSelectedItem(), 1);
  EXPECT_EQ(CWhoDlg::RememberedPosition(), Cp("Prezes Rady Ministrów"));
  // Clicking the mode already on keeps the text with that mode (never the other's).
  WithSignatories([&] { Click(dlg, IDC_WHO_POSITIONS); });
  EXPECT_EQ(CWhoDlg::RememberedPosition(), Cp("Prezes Rady Ministrów"));
  EXPECT_EQ(CWhoDlg::RememberedSurname(), "Nowak");
  EXPECT_EQ(dlg->GetSelectedItem(), 1);
  EXPECT_TRUE(save_window_png(dlg->m_hWnd, PngPath("who_index_positions.png"), true));

  // "&Lista" lists the position's acts under its text.
  dlg->GetList().SetFocus();
  pump();
  Click(dlg, IDC_WHO_SHOW);
  EXPECT_EQ(CKeywordIndexDlg::GetOpen(), nullptr);
  EXPECT_EQ(keywords::KeywordHits().count, 2);
  EXPECT_EQ(Heading(), "hasło: Prezes Rady Ministrów");
  EXPECT_EQ(Tab()->GetList().GetItemCount(), 2);

  // Reopened in the positions mode with its text.
  WithSignatories([&] {
    main_->SendMessage(WM_COMMAND, ID_SIGNATORIES_INDEX);
    pump();
    dlg = dynamic_cast<CWhoDlg*>(CKeywordIndexDlg::GetOpen());
  });
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->IsDlgButtonChecked(int(IDC_WHO_POSITIONS)), BST_CHECKED);
  EXPECT_EQ(Utf8(dlg->GetDlgItemText(int(IDC_WHO_LABEL))), "Stano&wisko");
  EXPECT_EQ(Utf8(dlg->GetDlgItemText(int(IDC_WHO_EDIT))), "Prezes Rady Ministrów");
  // Back to surnames: the remembered surname returns.
  WithSignatories([&] { Click(dlg, IDC_WHO_SURNAMES); });
  EXPECT_EQ(Utf8(dlg->GetDlgItemText(int(IDC_WHO_EDIT))), "Nowak");
  EXPECT_EQ(dlg->GetSelectedItem(), 1);
  // The radio buttons follow the buttons when the dialog grows.
  CRect show, radio;
  dlg->MoveWindow(20, 20, 360, 420);
  pump();
  dlg->GetDlgItem(int(IDC_WHO_SHOW))->GetWindowRect(&show);
  dlg->GetDlgItem(int(IDC_WHO_POSITIONS))->GetWindowRect(&radio);
  EXPECT_GT(radio.bottom, show.top);
  EXPECT_LT(radio.top, show.bottom + 8);
}

}  // namespace
}  // namespace lumo::test
