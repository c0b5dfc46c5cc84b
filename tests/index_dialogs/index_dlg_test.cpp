// The subject index dialog on the sample library: type-ahead puts the nearest keyword on top,
// "Lista" fills "Indeksy" and closes with its placement stored, reopening brings the keyword back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/medview/engine_titles.h"
#include "navigation/index_dlg.h"
#include "navigation/keyword_hits.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/frame_placement.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(static_cast<LPCTSTR>(text)); }

class IndexDlgTest : public AppTest {
 protected:
  IndexDlgTest() : AppTest("index_dialogs_sample", IDNO) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    main_ = StartWithLibraryAt(900, 650);
    ASSERT_NE(main_, nullptr);
    pump();
    CIndexDlg::Remembered().clear();
  }
  void TearDown() override {
    if (CKeywordListDlg::GetOpen()) CKeywordListDlg::GetOpen()->DestroyWindow();
    keywords::KeywordHits().Clear();
    AppTest::TearDown();
  }
  // Types `text` into the edit with the focus in it.
  void Type(CKeywordListDlg* dlg, const char* text, UINT id = resources::IDC_SUBJECT_EDIT) {
    CWnd* edit = dlg->GetDlgItem(int(id));
    ASSERT_NE(edit, nullptr);
    edit->SetFocus();
    edit->SetWindowText(CString(text));
    pump();
  }

  CFrameWnd* main_ = nullptr;
};

TEST_F(IndexDlgTest, TypeAheadListAndReopen) {
  CKeywordListDlg::Toggle<CIndexDlg>(main_);
  auto* dlg = dynamic_cast<CIndexDlg*>(CKeywordListDlg::GetOpen());
  ASSERT_NE(dlg, nullptr);
  pump();
  fts::WordWheelHandle index = dlg->GetIndex();
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(dlg->GetList().GetItemCount(), medview::MvGetKeywordCount(index));
  EXPECT_FALSE(dlg->GetDlgItem(int(resources::IDC_SUBJECT_SHOW))->IsWindowEnabled());

  Type(dlg, "Biblio");
  const int selected = dlg->GetSelectedItem();
  ASSERT_GE(selected, 0);
  EXPECT_EQ(keywords::KeywordText(index, selected).rfind("Bibliotekach", 0), 0u);
  EXPECT_EQ(dlg->GetList().GetTopIndex(), selected);
  EXPECT_TRUE(dlg->GetDlgItem(int(resources::IDC_SUBJECT_SHOW))->IsWindowEnabled());
  EXPECT_EQ(CIndexDlg::Remembered(), "Biblio");
  // The cells: the ordinal from 1 and the keyword as stored.
  EXPECT_EQ(Utf8(dlg->GetList().GetItemText(selected, 0)), std::to_string(selected + 1));
  EXPECT_EQ(std::string(static_cast<LPCTSTR>(dlg->GetList().GetItemText(selected, 1))),
            keywords::KeywordText(index, selected));
  {
    const std::string path =
        (std::getenv("LUMO_PNG_DIR") ? std::string(std::getenv("LUMO_PNG_DIR")) : base::temp_folder()) +
        "/subject_index_dialog.png";
    EXPECT_TRUE(save_window_png(dlg->m_hWnd, path, true));
  }

  // "&Lista": the keyword's acts in "Indeksy", the dialog closed, its placement stored.
  dlg->SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_SUBJECT_SHOW, BN_CLICKED));
  pump();
  EXPECT_EQ(CKeywordListDlg::GetOpen(), nullptr);
  EXPECT_EQ(keywords::KeywordHits().count, 2);
  COutputWnd* navigator = navcmd::FindOutputWnd();
  ASSERT_NE(navigator, nullptr);
  EXPECT_EQ(navigator->GetActiveTab(), 2);
  CKeywordsresTab* tab = navigator->GetKeywordsTab();
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->GetList().GetItemCount(), 2);
  EXPECT_EQ(Utf8(tab->GetDlgItemText(int(resources::IDC_KEYWORD_RESULTS_HEADING))).rfind("hasło: Bibliotekach", 0), 0u);
  EXPECT_TRUE(frame_placement::Load("IndexPos").has_value());

  // Reopened in the same run: the remembered keyword in the edit, its keyword selected on top.
  CKeywordListDlg::Toggle<CIndexDlg>(main_);
  dlg = dynamic_cast<CIndexDlg*>(CKeywordListDlg::GetOpen());
  ASSERT_NE(dlg, nullptr);
  pump();
  EXPECT_EQ(Utf8(dlg->GetDlgItemText(int(resources::IDC_SUBJECT_EDIT))).rfind("Bibliotekach", 0), 0u);
  EXPECT_EQ(dlg->GetSelectedItem(), selected);
  // The command again closes it.
  CKeywordListDlg::Toggle<CIndexDlg>(main_);
  pump();
  EXPECT_EQ(CKeywordListDlg::GetOpen(), nullptr);
}

TEST_F(IndexDlgTest, OneDialogAtATimeAndUpperCaseKeywords) {
  CKeywordListDlg::Toggle<CIndexDlg>(main_);
  pump();
  ASSERT_NE(dynamic_cast<CIndexDlg*>(CKeywordListDlg::GetOpen()), nullptr);
  // Another index's command closes the open one first.
  CKeywordListDlg::Toggle<CTableDlg>(main_);
  pump();
  auto* tables = dynamic_cast<CTableDlg*>(CKeywordListDlg::GetOpen());
  ASSERT_NE(tables, nullptr);
  ASSERT_GT(tables->GetList().GetItemCount(), 0);
  const std::string stored = base::cp1250::from_utf8("Załącznik nr 1 WZÓR KARTY CZYTELNIKA");
  const int row = keywords::NearestKeyword(tables->GetIndex(), stored.c_str());
  ASSERT_EQ(keywords::KeywordText(tables->GetIndex(), row), stored);
  EXPECT_EQ(Utf8(tables->GetList().GetItemText(row, 1)), "ZAŁĄCZNIK NR 1 WZÓR KARTY CZYTELNIKA");
  // The keyword column fills the list (it was left at its template width once).
  CRect list;
  tables->GetList().GetClientRect(&list);
  EXPECT_GE(tables->GetList().GetColumnWidth(0) + tables->GetList().GetColumnWidth(1), list.Width() - 8);
  // The remembered keyword and the heading keep the text as stored.
  tables->GetList().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  tables->GetList().SetFocus();
  pump();
  EXPECT_TRUE(save_window_png(tables->m_hWnd,
                              (std::getenv("LUMO_PNG_DIR") ? std::string(std::getenv("LUMO_PNG_DIR")) : base::temp_folder()) +
                                  "/table_index_dialog.png",
                              true));
  EXPECT_EQ(std::string(static_cast<LPCTSTR>(tables->GetDlgItemText(int(resources::IDC_TABLE_EDIT)))), stored);
  tables->SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_TABLE_SHOW, BN_CLICKED));
  pump();
  EXPECT_EQ(CKeywordListDlg::GetOpen(), nullptr);
  EXPECT_EQ(CTableDlg::Remembered(), stored);
  CKeywordsresTab* tab = navcmd::FindOutputWnd()->GetKeywordsTab();
  EXPECT_EQ(Utf8(tab->GetDlgItemText(int(resources::IDC_KEYWORD_RESULTS_HEADING))), "hasło: Załącznik nr 1 WZÓR KARTY CZYTELNIKA");

  // An empty index: no rows, "&Lista" stays disabled and without a selection only closes.
  CKeywordListDlg::Toggle<CEquationDlg>(main_);
  pump();
  auto* formulas = dynamic_cast<CEquationDlg*>(CKeywordListDlg::GetOpen());
  ASSERT_NE(formulas, nullptr);
  EXPECT_EQ(formulas->GetList().GetItemCount(), 0);
  Type(formulas, "a", resources::IDC_FORMULA_EDIT);
  EXPECT_FALSE(formulas->GetDlgItem(int(resources::IDC_FORMULA_SHOW))->IsWindowEnabled());
  formulas->SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_FORMULA_SHOW, BN_CLICKED));
  pump();
  EXPECT_EQ(CKeywordListDlg::GetOpen(), nullptr);
  EXPECT_EQ(tab->GetList().GetItemCount(), 1);  // "Indeksy" untouched

  // The main window's commands toggle the dialogs.
  main_->SendMessage(WM_COMMAND, resources::ID_SUBJECT_INDEX);
  pump();
  EXPECT_NE(dynamic_cast<CIndexDlg*>(CKeywordListDlg::GetOpen()), nullptr);
  main_->SendMessage(WM_COMMAND, resources::ID_FIGURES_INDEX);
  pump();
  EXPECT_NE(dynamic_cast<CFormDlg*>(CKeywordListDlg::GetOpen()), nullptr);
  main_->SendMessage(WM_COMMAND, resources::ID_FIGURES_INDEX);
  pump();
  EXPECT_EQ(CKeywordListDlg::GetOpen(), nullptr);
}

}  // namespace
}  // namespace lumo::test
