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
    ASSERT_TRUE(StartWithLibrary());
    main_ = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd);
    ASSERT_NE(main_, nullptr);
    main_->MoveWindow(0, 0, 900, 650);
    pump();
    CIndexDlg::Remembered().clear();
  }
  void TearDown() override {
    if (CIndexDlg::GetOpen()) CIndexDlg::GetOpen()->DestroyWindow();
    keywords::KeywordHits().Clear();
    AppTest::TearDown();
  }
  // Types `text` into the edit with the focus in it.
  void Type(CIndexDlg* dlg, const char* text) {
    CWnd* edit = dlg->GetDlgItem(int(resources::IDC_SUBJECT_EDIT));
    edit->SetFocus();
    edit->SetWindowText(CString(text));
    pump();
  }

  CFrameWnd* main_ = nullptr;
};

TEST_F(IndexDlgTest, TypeAheadListAndReopen) {
  CIndexDlg::Toggle(main_);
  CIndexDlg* dlg = CIndexDlg::GetOpen();
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
  EXPECT_EQ(CIndexDlg::GetOpen(), nullptr);
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
  CIndexDlg::Toggle(main_);
  dlg = CIndexDlg::GetOpen();
  ASSERT_NE(dlg, nullptr);
  pump();
  EXPECT_EQ(Utf8(dlg->GetDlgItemText(int(resources::IDC_SUBJECT_EDIT))).rfind("Bibliotekach", 0), 0u);
  EXPECT_EQ(dlg->GetSelectedItem(), selected);
  // The command again closes it.
  CIndexDlg::Toggle(main_);
  pump();
  EXPECT_EQ(CIndexDlg::GetOpen(), nullptr);
}

}  // namespace
}  // namespace lumo::test
