// The customize sheet with its command page: categories of buttons, configure mode while the page
// is the active one, dragging buttons from the page onto the frame's bars and back, descriptions,
// and the sheet's own command handling.
#include <gtest/gtest.h>

#include <memory>

#include "platform/framework/command_ids.h"
#include "platform/framework/control_messages.h"
#include "platform/res/resource_store.h"
#include "resources/resource_ids.h"
#include "resources/toolkit_ids.h"
#include "tests/toolkit_customize/customize_fixture.h"
#include "toolkit/widgets/toolbar_checklist.h"
#include "toolkit/widgets/toolbar_sheet.h"

namespace lumo::test {
namespace {

using namespace resources;

const UINT kFileCategory[] = {resources::ID_FILE_PRINT, 0, resources::ID_EDIT_COPY, ID_FULL_SCREEN};
const UINT kViewCategory[] = {ID_VIEW_NAVIGATOR_BAR, ID_VIEW_CONTENTS_BAR, ID_ALWAYS_ON_TOP, ID_HISTORY};

class CustomizeSheetTest : public CustomizeTest {
 protected:
  void SetUp() override {
    CustomizeTest::SetUp();
    // Prompts of two commands, each with its tool tip after the line break.
    static const res::StringResource prompts[] = {
        {ID_FULL_SCREEN, "Pokazuje dokument na całym ekranie\nPełny ekran"},
        {ID_ALWAYS_ON_TOP, "Okno zawsze na wierzchu: żółć i gęśla\nNa wierzchu"},
    };
    static const bool added = (res::add_strings(prompts), true);
    (void)added;
    make_bars();
  }
  void TearDown() override {
    if (sheet && sheet->m_hWnd) sheet->DestroyWindow();
    sheet.reset();
    commands.reset();
    toolbars.reset();
    plain.reset();
    pump();
    CustomizeTest::TearDown();
  }
  void open() {
    sheet = std::make_unique<SECToolBarSheet>(cp("Dostosuj"), mdi);
    toolbars = std::make_unique<SECToolBarVisibilityPage>();
    toolbars->AttachManager(manager.get());
    commands = std::make_unique<SECToolBarCmdPage>();
    commands->SetManager(manager.get());
    commands->AddCategory(cp("Plik"), int(std::size(kFileCategory)), kFileCategory);
    commands->AddCategory(cp("Widok - ąęłóśżźćń"), int(std::size(kViewCategory)), kViewCategory);
    plain = std::make_unique<CGSPropertyPage>(IDD_TOOL_LIST_PAGE);
    sheet->AddPage(toolbars.get());
    sheet->AddPage(commands.get());
    sheet->AddPage(plain.get());
    ASSERT_TRUE(sheet->Create(mdi));
    sheet->SetWindowPos(nullptr, 480, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    sheet->ShowWindow(SW_SHOW);
    ASSERT_TRUE(sheet->SetActivePage(commands.get()));
    pump();
  }
  SECCustomizeToolBar* category(int i) { return commands->GetCategory(i)->m_pWnd.get(); }
  void choose_category(int index) {
    CWnd* list = commands->GetDlgItem(IDC_TB_LIST);
    list->SendMessage(LB_SETCURSEL, WPARAM(index));
    commands->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TB_LIST, LBN_SELCHANGE), LPARAM(list->m_hWnd));
  }
  std::string description() { return utf8(commands->GetDlgItemText(IDC_TB_DESCRIPTION)); }

  std::unique_ptr<SECToolBarSheet> sheet;
  std::unique_ptr<SECToolBarVisibilityPage> toolbars;
  std::unique_ptr<SECToolBarCmdPage> commands;
  std::unique_ptr<CGSPropertyPage> plain;
};

TEST_F(CustomizeSheetTest, TheCommandPageConfiguresTheBarsOnlyWhileItIsActive) {
  open();
  EXPECT_TRUE(manager->IsConfigMode());
  EXPECT_TRUE(bar(kStandardBar)->GetCustomizeMode());
  CRect config = manager->GetConfigWindowRect(), window;
  sheet->GetWindowRect(&window);
  EXPECT_EQ(config, window);

  // One bar per category, ids counting down, only the chosen one shown and customized.
  ASSERT_EQ(commands->GetCategoryCount(), 2);
  EXPECT_EQ(UINT(category(0)->GetDlgCtrlID()), SEC_IDW_FIRST_CATEGORY_BAR);
  EXPECT_EQ(UINT(category(1)->GetDlgCtrlID()), SEC_IDW_FIRST_CATEGORY_BAR - 1);
  EXPECT_TRUE(category(0)->IsWindowVisible());
  EXPECT_FALSE(category(1)->IsWindowVisible());
  EXPECT_TRUE(category(0)->GetCustomizeMode());
  EXPECT_EQ(ids(category(0)), std::vector<UINT>(std::begin(kFileCategory), std::end(kFileCategory)));
  // The bar lies inside the "Przyciski" box.
  CRect group, placed;
  commands->GetDlgItem(IDC_TB_BUTTONS_GROUP)->GetWindowRect(&group);
  category(0)->GetWindowRect(&placed);
  EXPECT_TRUE(group.PtInRect(placed.TopLeft()));
  EXPECT_LE(placed.right, group.right);
  picture(sheet->m_hWnd, "customize_command_page");
  picture(category(0)->m_hWnd, "customize_category_bar", 4);

  choose_category(1);
  EXPECT_FALSE(category(0)->IsWindowVisible());
  EXPECT_TRUE(category(1)->IsWindowVisible());
  EXPECT_FALSE(category(0)->GetCustomizeMode());
  EXPECT_TRUE(category(1)->GetCustomizeMode());
  EXPECT_EQ(commands->GetCurrentCategory(), 1);

  // Category bars take ids in the user toolbars' range without being user toolbars: the toolbars
  // page lists only the frame's three bars.
  EXPECT_FALSE(category(0)->IsUserBar());
  EXPECT_EQ(toolbars->GetList().GetCount(), 3);

  // Leaving the page for one that does not customize ends configure mode and gives the bars their
  // usual mouse again; the toolbars page customizes them too.
  ASSERT_TRUE(sheet->SetActivePage(plain.get()));
  pump();
  EXPECT_FALSE(manager->IsConfigMode());
  EXPECT_FALSE(bar(kStandardBar)->GetCustomizeMode());
  EXPECT_FALSE(category(1)->GetCustomizeMode());
  EXPECT_TRUE(sheet->IsWindowEnabled());
  EXPECT_TRUE(::IsWindowEnabled(mdi->m_hWndMDIClient));
  ASSERT_TRUE(sheet->SetActivePage(toolbars.get()));
  EXPECT_TRUE(manager->IsConfigMode());
  EXPECT_TRUE(bar(kStandardBar)->GetCustomizeMode());
  // Back on it: configure mode again, and cancelling the sheet ends it for good.
  ASSERT_TRUE(sheet->SetActivePage(commands.get()));
  EXPECT_TRUE(manager->IsConfigMode());
  sheet->PressButton(IDCANCEL);
  pump();
  EXPECT_FALSE(manager->IsConfigMode());
  EXPECT_FALSE(bar(kStandardBar)->GetCustomizeMode());
  EXPECT_TRUE(manager->GetConfigWindowRect().IsRectEmpty());
  EXPECT_TRUE(::IsWindowEnabled(mdi->m_hWndMDIClient));
}

TEST_F(CustomizeSheetTest, ButtonsDraggedFromThePageAreCopiesAndButtonsDroppedOnItGo) {
  open();
  SECCustomToolBar* standard = bar(kStandardBar);
  const std::vector<UINT> before = ids(standard);
  // The full-screen button onto the standard bar, over its first button.
  drag(centre(category(0), 3), {centre(standard, 0)}, centre(standard, 0));
  std::vector<UINT> now = ids(standard);
  ASSERT_EQ(now.size(), before.size() + 1);
  EXPECT_NE(standard->FindButtonByCommand(ID_FULL_SCREEN), -1);
  EXPECT_EQ(ids(category(0)), std::vector<UINT>(std::begin(kFileCategory), std::end(kFileCategory)));

  // A frame button dropped on the page's bar leaves its bar.
  const int at = standard->FindButtonByCommand(ID_ACT_INFORMATION);
  ASSERT_GE(at, 0);
  drag(centre(standard, at), {centre(category(0), 2)}, centre(category(0), 2));
  EXPECT_EQ(standard->FindButtonByCommand(ID_ACT_INFORMATION), -1);
  EXPECT_EQ(ids(category(0)), std::vector<UINT>(std::begin(kFileCategory), std::end(kFileCategory)));

  // Dropped where there is no bar and no sheet: a new floating user toolbar, listed at once.
  const POINT empty = frame_point(150, 420);
  drag(centre(category(0), 2), {empty}, empty);
  SECCustomToolBar* made = manager->FindBarByID(SEC_IDW_FIRST_USER_TOOLBAR);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsFloating());
  EXPECT_EQ(ids(made), std::vector<UINT>{resources::ID_EDIT_COPY});
  CString title;
  made->GetWindowText(title);
  EXPECT_EQ(title, "ToolBar1");
  EXPECT_EQ(toolbars->GetList().GetCount(), 4);
  // Dropped on the sheet itself: nothing happens.
  CRect sheetRect;
  sheet->GetWindowRect(&sheetRect);
  const POINT onSheet{sheetRect.left + 20, sheetRect.bottom - 20};
  const CRect config = manager->GetConfigWindowRect();
  EXPECT_EQ(config, sheetRect);
  drag(centre(category(0), 0), {onSheet}, onSheet);
  EXPECT_EQ(manager->GetBars().size(), 4u);
  CRect area;
  mdi->GetWindowRect(&area);
  save(DockingTest::picture({mdi->m_hWnd, sheet->m_hWnd}, area), "customize_drag_result.png");
}

TEST_F(CustomizeSheetTest, ChoosingAButtonAnywhereShowsItsDescription) {
  open();
  choose_category(1);
  // A click on the page's bar selects the button: its prompt up to the line break shows.
  click(category(1)->m_hWnd, category(1)->GetItemRect(2).CenterPoint());
  pump();
  EXPECT_EQ(category(1)->GetSelectedIndex(), 2);
  EXPECT_EQ(description(), "Okno zawsze na wierzchu: żółć i gęśla");
  picture(sheet->m_hWnd, "customize_command_page_description");
  // A button on a frame bar: the same, found through the selection the manager holds.
  SECCustomToolBar* view = bar(kViewBar);
  click(view->m_hWnd, view->GetItemRect(view->FindButtonByCommand(ID_FULL_SCREEN)).CenterPoint());
  pump();
  EXPECT_EQ(description(), "Pokazuje dokument na całym ekranie");
  // A command without a string, and none at all, show nothing.
  commands->ShowDescription(int(ID_VIEW_CONTENTS_BAR) + 7777);
  EXPECT_EQ(description(), "");
  commands->ShowDescription(ID_FULL_SCREEN);
  commands->ShowDescription(-1);
  EXPECT_EQ(description(), "");
}

TEST_F(CustomizeSheetTest, ACommandDraggedOutOfTheMenuListBecomesAButton) {
  open();
  SECMenuListBox list;
  ASSERT_TRUE(list.CreateEx(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(170, 80, 360, 160),
                            commands.get(), 0x7F10));
  list.SetManager(manager.get());
  list.SetItemData(list.AddString(cp("Historia")), ID_HISTORY);
  list.SetItemData(list.AddString(cp("Pełny ekran")), ID_FULL_SCREEN);
  list.SetItemData(list.AddString(cp("(bez polecenia)")), UINT_PTR(-1));
  pump();
  // Its own hit test: an item's rectangle, below the last item the last one, outside nothing.
  list.m_bOwnHitTest = TRUE;
  CRect first, last;
  list.GetItemRect(0, &first);
  list.GetItemRect(2, &last);
  EXPECT_EQ(list.ItemFromPointScan(first.CenterPoint()), 0);
  EXPECT_EQ(list.ItemFromPointScan(CPoint(last.left + 3, last.bottom + 5)), 2);
  EXPECT_EQ(list.ItemFromPointScan(CPoint(-5, 5)), -1);

  SECCustomToolBar* standard = bar(kStandardBar);
  CRect second;
  list.GetItemRect(1, &second);
  drag(screen_point(list.m_hWnd, second.CenterPoint()), {centre(standard, 0)}, centre(standard, 0));
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_NE(standard->FindButtonByCommand(ID_FULL_SCREEN), -1);
  EXPECT_EQ(description(), "Pokazuje dokument na całym ekranie");
  // An item without a command starts no drag.
  const size_t before = ids(standard).size();
  click(list.m_hWnd, last.CenterPoint());
  pump();
  EXPECT_EQ(list.GetCurSel(), 2);
  EXPECT_EQ(ids(standard).size(), before);
  list.DestroyWindow();
}

TEST_F(CustomizeSheetTest, TheSheetAnswersTrueForTheCommandsItHandles) {
  open();
  EXPECT_TRUE(sheet->OnCommand(MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED), 0));
  EXPECT_FALSE(sheet->OnCommand(MAKEWPARAM(0x7123, BN_CLICKED), 0));
  EXPECT_TRUE(sheet->OnCommand(MAKEWPARAM(IDOK, BN_CLICKED), 0));
  pump();
  EXPECT_FALSE(manager->IsConfigMode());
}

}  // namespace
}  // namespace lumo::test
