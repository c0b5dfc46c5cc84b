// The toolbars page of the customize sheet and the stand-alone toolbars dialog: the list of the
// frame's bars kept in step with them, showing and hiding, renaming, resetting and deleting, new
// toolbars, and the look settings applied at once and restored on cancel.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/framework/command_ids.h"
#include "platform/framework/control_messages.h"
#include "resources/resource_ids.h"
#include "resources/toolkit_ids.h"
#include "tests/toolkit_customize/customize_fixture.h"
#include "toolkit/widgets/toolbar_checklist.h"
#include "toolkit/widgets/toolbar_sheet.h"

namespace lumo::test {
namespace {

using namespace resources;

const UINT kCategory[] = {resources::ID_FILE_PRINT, resources::ID_EDIT_COPY};

class ToolbarsPageTest : public CustomizeTest {
 protected:
  void SetUp() override {
    CustomizeTest::SetUp();
    make_bars();
  }
  void TearDown() override {
    if (sheet && sheet->m_hWnd) sheet->DestroyWindow();
    sheet.reset();
    page.reset();
    commands.reset();
    pump();
    CustomizeTest::TearDown();
  }
  void open() {
    sheet = std::make_unique<SECToolBarSheet>(cp("Dostosuj"), mdi);
    page = std::make_unique<SECToolBarVisibilityPage>();
    page->AttachManager(manager.get());
    commands = std::make_unique<SECToolBarCmdPage>();
    commands->SetManager(manager.get());
    commands->AddCategory(cp("Plik"), int(std::size(kCategory)), kCategory);
    sheet->AddPage(page.get());
    sheet->AddPage(commands.get());
    ASSERT_TRUE(sheet->Create(mdi));
    sheet->SetWindowPos(nullptr, 480, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    sheet->ShowWindow(SW_SHOW);
    pump();
  }
  CCheckListBox& list() { return page->GetList(); }
  std::vector<std::string> items() {
    std::vector<std::string> out;
    for (int i = 0; i < list().GetCount(); ++i) {
      CString text;
      list().GetText(i, text);
      out.push_back(utf8(text) + (list().GetCheck(i) ? "+" : "-"));
    }
    return out;
  }
  void select(int index) {
    list().SetCurSel(index);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TB_LIST, LBN_SELCHANGE), LPARAM(list().m_hWnd));
  }
  void toggle(int index) {
    select(index);
    list().SetCheck(index, list().GetCheck(index) ? 0 : 1);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TB_LIST, CLBN_CHKCHANGE), LPARAM(list().m_hWnd));
    pump();
  }
  void press(CWnd* form, int id) {
    form->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(form->GetDlgItem(id)->m_hWnd));
    pump();
  }
  void click_check(CWnd* form, int id) {
    CWnd* box = form->GetDlgItem(id);
    box->SendMessage(BM_SETCHECK, box->SendMessage(BM_GETCHECK) ? 0 : 1);
    press(form, id);
  }
  std::string text(CWnd* form, int id) {
    CString s;
    form->GetDlgItem(id)->GetWindowText(s);
    return utf8(s);
  }

  std::unique_ptr<SECToolBarSheet> sheet;
  std::unique_ptr<SECToolBarVisibilityPage> page;
  std::unique_ptr<SECToolBarCmdPage> commands;
};

TEST_F(ToolbarsPageTest, UncheckingABarHidesItAndCheckingShowsItAgain) {
  open();
  EXPECT_EQ(items(), (std::vector<std::string>{"Standardowy+", "Widok+", "Nawigacja+"}));
  EXPECT_TRUE(manager->IsConfigMode());  // the first page is active
  picture(sheet->m_hWnd, "customize_toolbars_page");
  toggle(1);
  EXPECT_FALSE(bar(kViewBar)->IsWindowVisible());
  toggle(1);
  EXPECT_TRUE(bar(kViewBar)->IsWindowVisible());
  // A bar hidden elsewhere loses its check.
  mdi->ShowControlBar(bar(kNavBar), FALSE, FALSE);
  pump();
  EXPECT_EQ(items()[2], "Nawigacja-");
  // A predefined bar cannot be renamed: its name shows, disabled, and the button resets.
  select(0);
  EXPECT_EQ(text(page.get(), IDC_TB_NAME), "Standardowy");
  EXPECT_FALSE(page->GetDlgItem(IDC_TB_NAME)->IsWindowEnabled());
  EXPECT_EQ(text(page.get(), IDC_TB_RESET), "&Zresetuj");
}

TEST_F(ToolbarsPageTest, UserBarsAreRenamedToAtMost128CharactersAndDeletedPredefinedOnesReset) {
  open();
  SECCustomToolBar* user = manager->CreateUserBar(cp("Moje"));
  ASSERT_NE(user, nullptr);
  user->InsertButton(0, ID_HISTORY, FALSE, TRUE);
  mdi->FloatControlBar(user, frame_point(200, 300), CBRS_ALIGN_TOP);
  mdi->ShowControlBar(user, TRUE, FALSE);
  pump();
  ASSERT_EQ(items().size(), 4u);
  EXPECT_EQ(items()[3], "Moje+");
  select(3);
  EXPECT_TRUE(page->GetDlgItem(IDC_TB_NAME)->IsWindowEnabled());
  EXPECT_EQ(text(page.get(), IDC_TB_RESET), "&Usuń");

  // 140 letters typed: 128 are kept, in the bar, its floating frame and the list.
  std::string name;
  for (int i = 0; i < 70; ++i) name += "ąż";
  CWnd* edit = page->GetDlgItem(IDC_TB_NAME);
  edit->SetWindowText(cp(name.c_str()));
  edit->SendMessage(EM_SETMODIFY, TRUE);
  page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TB_NAME, EN_KILLFOCUS), LPARAM(edit->m_hWnd));
  CString title;
  user->GetWindowText(title);
  EXPECT_EQ(title.GetLength(), 128);
  EXPECT_EQ(utf8(title), name.substr(0, 256));  // two bytes per letter in UTF-8
  CString caption;
  DockingTest::floating_frame(*user)->GetWindowText(caption);
  EXPECT_EQ(caption, title);
  // The main frame keeps its own caption.
  CString mainCaption;
  mdi->GetWindowText(mainCaption);
  EXPECT_NE(mainCaption, title);
  EXPECT_EQ(items()[3], name.substr(0, 256) + "+");
  EXPECT_EQ(list().GetCurSel(), 3);
  picture(list().m_hWnd, "customize_toolbars_list", 3);
  picture(sheet->m_hWnd, "customize_toolbars_page_user_bar");

  // Delete: the user bar goes, and the list with it.
  press(page.get(), IDC_TB_RESET);
  EXPECT_EQ(manager->FindBarByID(SEC_IDW_FIRST_USER_TOOLBAR), nullptr);
  EXPECT_EQ(items().size(), 3u);
  EXPECT_EQ(list().GetCurSel(), 2);

  // Reset: a predefined bar gets exactly its defined buttons back.
  SECCustomToolBar* standard = bar(kStandardBar);
  standard->RemoveButton(standard->FindButtonByCommand(ID_QUERY));
  standard->InsertButton(0, ID_HISTORY);
  select(0);
  press(page.get(), IDC_TB_RESET);
  EXPECT_EQ(ids(standard), std::vector<UINT>(std::begin(kStandard), std::end(kStandard)));
}

TEST_F(ToolbarsPageTest, LookSettingsApplyAtOnceAndCancelRestoresTheOpeningOnes) {
  open();
  EXPECT_FALSE(manager->IsLargeButtons());
  ASSERT_TRUE(sheet->SetActivePage(commands.get()));
  SECCustomizeToolBar* category = commands->GetCategory(0)->m_pWnd.get();
  const int before = category->GetItemRect(0).Width();
  ASSERT_TRUE(sheet->SetActivePage(page.get()));
  click_check(page.get(), IDC_TB_LARGE);
  EXPECT_TRUE(manager->IsLargeButtons());
  // The command page heard of it and sized its bar's buttons again.
  EXPECT_GT(category->GetItemRect(0).Width(), before);
  click_check(page.get(), IDC_TB_COOL);
  EXPECT_FALSE(manager->IsCoolLook());
  EXPECT_FALSE(category->GetExStyle() & BAREX_FLAT);
  click_check(page.get(), IDC_TB_TOOLTIPS);
  EXPECT_FALSE(manager->IsToolTips());
  sheet->PressButton(IDCANCEL);
  pump();
  EXPECT_FALSE(manager->IsLargeButtons());
  EXPECT_TRUE(manager->IsCoolLook());
  EXPECT_TRUE(manager->IsToolTips());
  EXPECT_FALSE(manager->IsConfigMode());
}

TEST_F(ToolbarsPageTest, OKKeepsTheNewLook) {
  open();
  click_check(page.get(), IDC_TB_LARGE);
  sheet->PressButton(IDOK);
  pump();
  EXPECT_TRUE(manager->IsLargeButtons());
}

TEST_F(ToolbarsPageTest, NewAsksForANameAndFloatsTheBarBelowTheTopDockBar) {
  open();
  bool ok_disabled_when_empty = false;
  bool looked = false;
  when_active<SECNewToolBarDlg>([&](SECNewToolBarDlg* dialog) {
    ok_disabled_when_empty = !dialog->GetDlgItem(IDOK)->IsWindowEnabled();
    // 130 characters typed: the field keeps 128.
    dialog->GetDlgItem(IDC_TB_NEW_NAME)->SetWindowText(cp((std::string("Mój pasek ąęłóśżźćń ") + std::string(110, 'x')).c_str()));
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TB_NEW_NAME, EN_CHANGE),
                        LPARAM(dialog->GetDlgItem(IDC_TB_NEW_NAME)->m_hWnd));
    EXPECT_EQ(dialog->GetDlgItemText(IDC_TB_NEW_NAME).GetLength(), 128);
    EXPECT_TRUE(dialog->GetDlgItem(IDOK)->IsWindowEnabled());
    // Configure mode waits while the name is asked.
    EXPECT_FALSE(manager->IsConfigMode());
    picture(dialog->m_hWnd, "customize_new_toolbar_dialog");
    looked = true;
    dialog->PostMessage(WM_COMMAND, IDOK);
  });
  press(page.get(), IDC_TB_NEW);
  EXPECT_TRUE(looked);
  EXPECT_TRUE(ok_disabled_when_empty);
  EXPECT_TRUE(manager->IsConfigMode());
  SECCustomToolBar* made = manager->FindBarByID(SEC_IDW_FIRST_USER_TOOLBAR);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsFloating());
  EXPECT_TRUE(made->IsWindowVisible());
  CString title;
  made->GetWindowText(title);
  EXPECT_EQ(utf8(title).rfind("Mój pasek ąęłóśżźćń x", 0), 0u);
  EXPECT_EQ(items().size(), 4u);
  // Its floating frame stands 5 pixels in from the left and below the top dock bar.
  CRect top, floating;
  mdi->GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&top);
  DockingTest::floating_frame(*made)->GetWindowRect(&floating);
  EXPECT_EQ(floating.left, top.left + 5);
  EXPECT_EQ(floating.top, top.bottom + 5);
}

TEST_F(ToolbarsPageTest, TheToolbarsDialogRunsModallyAndTellsHowItEnded) {
  bool looked = false;
  when_active<SECToolBarsDlg>([&](SECToolBarsDlg* dialog) {
    looked = true;
    CString caption;
    dialog->GetWindowText(caption);
    EXPECT_EQ(utf8(caption), "Paski narzędzi");
    EXPECT_FALSE(dialog->GetDlgItem(IDC_TB_COOL)->IsWindowVisible());
    EXPECT_FALSE(dialog->GetDlgItem(IDC_TB_LARGE)->IsWindowVisible());
    EXPECT_EQ(utf8(dialog->GetDlgItemText(IDC_TB_TOOLTIPS)), "Pokaż &etykietki");
    EXPECT_EQ(utf8(dialog->GetDlgItemText(IDOK)), "Zamknij");
    EXPECT_EQ(dialog->GetList().GetCount(), 3);
    EXPECT_TRUE(manager->IsConfigMode());
    EXPECT_TRUE(bar(kStandardBar)->GetCustomizeMode());
    // The tool-tip box applies at once.
    CWnd* box = dialog->GetDlgItem(IDC_TB_TOOLTIPS);
    box->SendMessage(BM_SETCHECK, 0);
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TB_TOOLTIPS, BN_CLICKED), LPARAM(box->m_hWnd));
    EXPECT_FALSE(manager->IsToolTips());
    picture(dialog->m_hWnd, "customize_toolbars_dialog");
    dialog->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_TB_CUSTOMIZE, BN_CLICKED),
                        LPARAM(dialog->GetDlgItem(IDC_TB_CUSTOMIZE)->m_hWnd));
  });
  EXPECT_EQ(manager->RunToolBarsDialog(), IDC_TB_CUSTOMIZE);
  EXPECT_TRUE(looked);
  EXPECT_FALSE(manager->IsConfigMode());
  EXPECT_FALSE(bar(kStandardBar)->GetCustomizeMode());
  EXPECT_FALSE(manager->IsToolTips());

  // Cancelled: ends with 2.
  when_active<SECToolBarsDlg>([&](SECToolBarsDlg* dialog) { dialog->PostMessage(WM_COMMAND, IDCANCEL); });
  EXPECT_EQ(manager->RunToolBarsDialog(), IDCANCEL);
  EXPECT_FALSE(manager->IsConfigMode());
}

}  // namespace
}  // namespace lumo::test
