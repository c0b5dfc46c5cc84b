// The main frame's commands on the program started over a library of the sample acts: the
// type-ahead go-to (and the keys it must leave to text fields), the toolbar query box with its
// history and library query, the navigator tab commands, the print list's window, the link
// display switches, the act information window, Escape, user tools, the toolbars dialog and the
// customize sheet; pictures of the frame in the states the commands put it in.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/frame/topic_layout.h"
#include "navigation/act_dlg.h"
#include "navigation/gtf_sheet.h"
#include "navigation/index_dlg.h"
#include "navigation/nav_bar.h"
#include "navigation/searchres_tab.h"
#include "platform/base/cp1250.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/menu.h"
#include "platform/framework/menu_popup.h"
#include "platform/framework/property_sheet.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_table.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "shell/print/printmark_tab.h"
#include "shell/view/lumo_kal_view.h"
#include "tests/gallery/gallery.h"
#include "tests/support/app_fixture.h"
#include "tests/support/synthetic_input.h"
#include "toolkit/widgets/color_well.h"
#include "toolkit/widgets/hover_combo.h"
#include "toolkit/widgets/toolbar_button.h"
#include "toolkit/widgets/toolbar_sheet.h"

namespace lumo::test {
namespace {

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(text.str()); }
CString Cp(const char* utf8) { return CString(base::cp1250::from_utf8(utf8)); }

std::string WindowText(HWND h) {
  char buffer[256] = {};
  ::GetWindowText(h, buffer, int(sizeof buffer));
  return base::cp1250::to_utf8(buffer);
}

// Runs `action` on the first visible top-level window with `caption` (or that `wanted` accepts)
// once a nested loop (a modal dialog's or a menu's) dispatches the timer.
class WindowWatcher : public CWnd {
 public:
  WindowWatcher(std::string caption, std::function<void(HWND)> action)
      : WindowWatcher([caption](HWND h) { return WindowText(h) == caption; }, std::move(action)) {}
  WindowWatcher(std::function<bool(HWND)> wanted, std::function<void(HWND)> action)
      : wanted_(std::move(wanted)), action_(std::move(action)) {
    CreateEx(0, "Static", "", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0);
    SetTimer(1, 20, nullptr);
  }
  ~WindowWatcher() override {
    if (m_hWnd) DestroyWindow();
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER && !done) {
      for (HWND h : win::top_level_order()) {
        if (::IsWindowVisible(h) && wanted_(h)) {
          done = true;
          KillTimer(1);
          action_(h);
          break;
        }
      }
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  bool done = false;

 private:
  std::function<bool(HWND)> wanted_;
  std::function<void(HWND)> action_;
};

class CommandsTest : public AppTest {
 protected:
  CommandsTest() : AppTest("commands_sample", IDOK) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(StartWithLibrary());
    frame_ = app_->GetMainFrame();
    ASSERT_NE(frame_, nullptr);
    frame_->MoveWindow(0, 0, 1000, 700);
    pump();
    work_ = CLumoKALDoc::GetCurrentWork();
    ASSERT_NE(work_, nullptr);
    view_ = work_->GetCurrentTextView();
    ASSERT_NE(view_, nullptr);
    nav_ = frame_->GetNavigatorBar();
    ASSERT_NE(nav_, nullptr);
    box_ = frame_->GetQueryBox();
    ASSERT_NE(box_, nullptr);
    FocusText();
  }

  void TearDown() override {
    CGTFSheet::CloseOpen();
    pump();
    AppTest::TearDown();
  }

  void FocusText() {
    view_->GetTextPane().SetFocus();
    pump();
  }
  void Command(UINT id) {
    frame_->SendMessage(WM_COMMAND, id, 0);
    pump();
  }
  // The state the command's update handler gives (enabled, checked).
  std::pair<bool, int> State(UINT id) {
    CTestCmdUI state;
    state.m_nID = id;
    frame_->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
    return {state.m_bEnabled != FALSE, state.m_nCheck};
  }
  void Type(const char* text) {
    type_text(text);
    pump();
  }
  std::string BoxText() const { return WindowText(box_); }
  int BoxCount() const { return int(::SendMessage(box_, CB_GETCOUNT, 0, 0)); }
  std::string BoxItem(int i) const {
    char buffer[256] = {};
    ::SendMessage(box_, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(buffer));
    return base::cp1250::to_utf8(buffer);
  }
  // The query box's edit field.
  HWND BoxEdit() const { return ::GetWindow(box_, GW_CHILD); }
  void Wait(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  CMainFrame* frame_ = nullptr;
  CLumoKALDoc* work_ = nullptr;
  CLumoKALView* view_ = nullptr;
  COutputWnd* nav_ = nullptr;
  HWND box_ = nullptr;
};

// --- Type-ahead go-to ---------------------------------------------------------------------------------

TEST_F(CommandsTest, TypedYearNumberAndPositionShowInTheQueryBoxAndEnterGoesThere) {
  Type("97 123 45");
  EXPECT_EQ(frame_->GetTypeAheadText(), "97 123 45");
  EXPECT_EQ(BoxText(), "DU 1997.0123.0045");
  frame_->UpdateWindow();
  gallery::Picture typed(frame_->m_hWnd, "commands_type_ahead");
  // Enter hands the typed text to the work (the sample library has no such act: nothing moves)
  // and clears the box.
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(frame_->GetTypeAheadText(), "");
  EXPECT_EQ(BoxText(), "");

  // An act of the library: a chapter of 1998 poz. 34; a full stop or a slash parts the fields too.
  // The act's address shows in the status bar.
  for (const char* typed_text : {"98 34 1", "98.34.1", "98/34 1"}) {
    ASSERT_TRUE(view_->GoToAddress(CString("99 120")));
    pump();
    FocusText();
    Type(typed_text);
    EXPECT_EQ(BoxText(), "DU 1998.0034.0001") << typed_text;
    press_key(VK_RETURN, '\r');
    pump();
    EXPECT_EQ(Utf8(view_->GetSheetTitle()), "1998 r. poz 34") << typed_text;
    EXPECT_EQ(frame_->GetTypeAheadText(), "");
    EXPECT_NE(Utf8(frame_->GetStatusBar().GetPaneText(1)).find("D.U. z 1998 roku"), std::string::npos)
        << Utf8(frame_->GetStatusBar().GetPaneText(1));
  }
  // A year and a position of four digits: the box shows the context string, and Enter goes to that
  // position of that year.
  FocusText();
  Type("2001 2786");
  EXPECT_EQ(BoxText(), "DU 2001.2786.0000");
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(Utf8(view_->GetSheetTitle()), "2001 r. poz 2786");
  // Another key ends a type-ahead.
  Type("98 3x");
  EXPECT_EQ(frame_->GetTypeAheadText(), "");
  // No address is longer than 32 keys.
  Type(std::string(40, '1').c_str());
  EXPECT_EQ(frame_->GetTypeAheadText(), std::string(32, '1'));
  Type("x");
  EXPECT_EQ(frame_->GetTypeAheadText(), "");
}

TEST_F(CommandsTest, DigitsAloneAreGoneToAfterAPause) {
  ASSERT_TRUE(view_->GoToAddress(CString("99 120")));
  pump();
  const int32_t before = frame::MvGetCurrentTopic(view_->GetViewer());
  FocusText();
  Type("34");
  EXPECT_EQ(frame_->GetTypeAheadText(), "34");
  Wait(400);
  EXPECT_EQ(frame_->GetTypeAheadText(), "34") << "a short pause keeps typing";
  Wait(1200);
  EXPECT_EQ(frame_->GetTypeAheadText(), "") << "the digits went to the work";
  // "34" in the act of 1999 poz. 120 is a unit of that act's journal address; the work was asked
  // for it whether or not the act has one.
  (void)before;
}

TEST_F(CommandsTest, KeysTypedIntoTextFieldsStayThere) {
  // The query box's own field.
  ::SetFocus(BoxEdit());
  pump();
  Type("97 123");
  EXPECT_EQ(frame_->GetTypeAheadText(), "");
  EXPECT_EQ(BoxText(), "97 123");
  ::SetWindowText(box_, "");
  // A field in a bar of the frame.
  CEdit field;
  ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 30), &frame_->GetStatusBar(), 4711));
  field.SetFocus();
  pump();
  Type("2004 104");
  EXPECT_EQ(WindowText(field.m_hWnd), "2004 104");
  EXPECT_EQ(frame_->GetTypeAheadText(), "");
  // Escape in a field does not hide the navigator.
  frame_->ShowControlBar(nav_, TRUE, FALSE);
  pump();
  press_key(VK_ESCAPE, 0x1B);
  pump();
  EXPECT_TRUE(nav_->IsVisible());
  field.DestroyWindow();
}

// --- Query box and library query ---------------------------------------------------------------------

TEST_F(CommandsTest, TheQueryHistoryKeepsTenTextsNewestFirst) {
  work_->GetQueryHistory().clear();
  ::SendMessage(box_, CB_RESETCONTENT, 0, 0);
  for (int i = 1; i <= 11; ++i) frame_->AddQueryToHistory(CString("zapytanie " + std::to_string(i)));
  ASSERT_EQ(work_->GetQueryHistory().size(), 10u);
  EXPECT_EQ(work_->GetQueryHistory().front().str(), "zapytanie 11");
  EXPECT_EQ(work_->GetQueryHistory().back().str(), "zapytanie 2");
  ASSERT_EQ(BoxCount(), 10);
  EXPECT_EQ(BoxItem(0), "zapytanie 11");
  EXPECT_EQ(BoxItem(9), "zapytanie 2");
  // A text already there stays where it is.
  EXPECT_FALSE(frame_->AddQueryToHistory(CString("zapytanie 5")));
  EXPECT_EQ(work_->GetQueryHistory().front().str(), "zapytanie 11");
  EXPECT_EQ(BoxCount(), 10);
  // A query of the find sheet enters the box too.
  CGTFSheet* sheet = CGTFSheet::Open(frame_, CGTFSheet::kQueryTab);
  ASSERT_NE(sheet, nullptr);
  pump();
  sheet->GetQueryPage().SetQueryText(CString("gminnych"));
  ASSERT_TRUE(sheet->GetQueryPage().RunQuery());
  pump();
  EXPECT_EQ(BoxItem(0), "gminnych");
  EXPECT_EQ(BoxCount(), 10);
  CGTFSheet::CloseOpen();
  // The work becoming current (a work opened with its queries) fills the box with its history.
  work_->GetQueryHistory() = {CString("drzewa"), CString("targach")};
  CLumoKALDoc::SetCurrentWork(work_);
  ASSERT_EQ(BoxCount(), 2);
  EXPECT_EQ(BoxItem(1), "targach");
}

TEST_F(CommandsTest, TheQueryBoxQueriesTheLibraryOrTheShownAct) {
  work_->GetQueryHistory().clear();
  ::SendMessage(box_, CB_RESETCONTENT, 0, 0);
  frame_->ShowControlBar(nav_, FALSE, FALSE);
  pump();
  // Shift with Enter: the whole library; the results show in "Nawigator" and the text enters the
  // history.
  ::SetFocus(BoxEdit());
  pump();
  Type("bibliotekach");
  press_key(VK_RETURN, '\r', win::KeyModifiers{.shift = true});
  pump();
  EXPECT_TRUE(nav_->IsVisible());
  EXPECT_EQ(nav_->GetActiveTab(), CMainFrame::kResultsTab);
  CSearchresTab* results = nav_->GetResultsTab();
  ASSERT_NE(results, nullptr);
  const int hits = results->GetList().GetItemCount();
  EXPECT_GT(hits, 0);
  ASSERT_EQ(work_->GetQueryHistory().size(), 1u);
  EXPECT_EQ(Utf8(work_->GetQueryHistory().front()), "bibliotekach");
  EXPECT_EQ(BoxItem(0), "bibliotekach");
  frame_->UpdateWindow();
  gallery::Picture shown(frame_->m_hWnd, "commands_library_query");

  // Nothing found: the results shown stay and nothing enters the history.
  EXPECT_FALSE(frame_->RunLibraryQuery(Cp("żółwiąteczko")));
  EXPECT_EQ(results->GetList().GetItemCount(), hits);
  EXPECT_EQ(work_->GetQueryHistory().size(), 1u);

  // Enter alone searches the shown act.
  ASSERT_TRUE(view_->GoToAddress(CString("98 34")));
  pump();
  ::SetFocus(BoxEdit());
  ::SetWindowText(box_, "gminnych");
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_GT(view_->GetFoundWordCount(), 0);
  EXPECT_NE(view_->GetOwnQueryHits(), nullptr);
  EXPECT_EQ(work_->GetQueryHistory().size(), 1u);

  // "DU." goes to an address, and so does an address as the type-ahead shows it; Escape empties
  // the box and gives the focus to the sheet.
  ::SetWindowText(box_, "DU.1999.0120.0000");
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(Utf8(view_->GetSheetTitle()), "1999 r. poz 120");
  ::SetFocus(BoxEdit());
  ::SetWindowText(box_, "DU 1998.0035.0000");
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(Utf8(view_->GetSheetTitle()), "1998 r. poz 35");
  EXPECT_EQ(work_->GetQueryHistory().size(), 1u);
  ::SetFocus(BoxEdit());
  press_key(VK_ESCAPE, 0x1B);
  pump();
  EXPECT_EQ(BoxText(), "");
  EXPECT_NE(::GetFocus(), BoxEdit());
}

// --- Navigator tabs and the print list ----------------------------------------------------------------

TEST_F(CommandsTest, NavigatorTabCommandsShowSwitchAndHide) {
  frame_->ShowControlBar(nav_, FALSE, FALSE);
  pump();
  // F4 shows the results; F4 again with them shown hides the bar.
  Command(resources::ID_SEARCH_RESULTS);
  EXPECT_TRUE(nav_->IsVisible());
  EXPECT_EQ(nav_->GetActiveTab(), CMainFrame::kResultsTab);
  EXPECT_EQ(State(resources::ID_SEARCH_RESULTS).second, 1);
  EXPECT_EQ(State(resources::ID_HISTORY).second, 0);
  Command(resources::ID_SEARCH_RESULTS);
  EXPECT_FALSE(nav_->IsVisible());
  EXPECT_EQ(State(resources::ID_SEARCH_RESULTS).second, 0);
  // Search results shown by other parts of the program show the same way.
  frame_->ShowSearchResults();
  EXPECT_TRUE(nav_->IsVisible());
  EXPECT_EQ(nav_->GetActiveTab(), CMainFrame::kResultsTab);
  frame_->ShowControlBar(nav_, FALSE, FALSE);
  pump();
  // Each command its own tab.
  const std::pair<UINT, int> commands[] = {{resources::ID_HISTORY, CMainFrame::kHistoryTab},
                                           {resources::ID_BOOKMARK_LIST, CMainFrame::kBookmarksTab},
                                           {resources::ID_RESULT_LIST, CMainFrame::kIndexResultsTab},
                                           {resources::ID_SEARCH_RESULTS, CMainFrame::kResultsTab}};
  for (const auto& [id, tab] : commands) {
    Command(id);
    EXPECT_TRUE(nav_->IsVisible()) << id;
    EXPECT_EQ(nav_->GetActiveTab(), tab) << id;
  }
  // "Nawigator" and "Spisy" toggle; a bar that comes up has the focus in its active tab.
  CIndexWnd* lists = frame_->GetContentsBar();
  ASSERT_NE(lists, nullptr);
  const bool lists_shown = lists->IsVisible() != FALSE;
  Command(resources::ID_VIEW_CONTENTS_BAR);
  EXPECT_NE(lists->IsVisible() != FALSE, lists_shown);
  Command(resources::ID_VIEW_CONTENTS_BAR);
  EXPECT_EQ(lists->IsVisible() != FALSE, lists_shown);
  if (lists->IsVisible()) {
    HWND focus = ::GetFocus();
    EXPECT_TRUE(focus && (focus == lists->m_hWnd || ::IsChild(lists->m_hWnd, focus)));
  }
}

TEST_F(CommandsTest, ThePrintListOpensInAWindowOfItsOwnNotPastTheTabs) {
  const int tabs = nav_->GetTabWindow().GetTabCount();
  Command(resources::ID_HISTORY);
  Command(resources::ID_PRINT_LIST);
  // The navigator keeps its tabs and the tab it showed.
  EXPECT_EQ(nav_->GetTabWindow().GetTabCount(), tabs);
  EXPECT_EQ(nav_->GetActiveTab(), CMainFrame::kHistoryTab);
  CWnd* window = frame_->GetPrintListWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->IsWindowVisible());
  EXPECT_EQ(WindowText(window->m_hWnd), "Lista do wydruku");
  CPrintmarkTab* list = nav_->GetPrintmarkTab();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(::GetParent(list->m_hWnd), window->m_hWnd);
  EXPECT_TRUE(list->IsWindowVisible());
  // A place put on the list shows in it.
  shell::ActDescription d;
  work_->GetActDescription(frame::MvGetCurrentTopic(view_->GetViewer()), d);
  list->AddRows(d, CPrintmarkTab::kVisibleUnit);
  pump();
  EXPECT_EQ(list->GetList().GetItemCount(), 1);
  window->UpdateWindow();
  gallery::Picture picture(window->m_hWnd, "commands_print_list", true);
  // Closing hides it; the command brings the same window back.
  window->SendMessage(WM_CLOSE);
  pump();
  EXPECT_FALSE(window->IsWindowVisible());
  Command(resources::ID_PRINT_LIST);
  EXPECT_EQ(frame_->GetPrintListWindow(), window);
  EXPECT_TRUE(window->IsWindowVisible());
  // The navigator's command for the print list's tab index opens the window too.
  window->ShowWindow(SW_HIDE);
  nav_->SendMessage(WM_COMMAND, resources::ID_PRINT_LIST_TAB, 0);
  pump();
  EXPECT_EQ(nav_->GetActiveTab(), CMainFrame::kHistoryTab);
  EXPECT_TRUE(window->IsWindowVisible());
  // Gone with its window, the list goes back to the navigator.
  window->DestroyWindow();
  pump();
  EXPECT_EQ(::GetParent(list->m_hWnd), nav_->GetTabWindow().m_hWnd);
  EXPECT_FALSE(list->IsWindowVisible());
}

TEST_F(CommandsTest, AnOpenPrintListWindowGoesWithTheFrame) {
  Command(resources::ID_PRINT_LIST);
  ASSERT_NE(frame_->GetPrintListWindow(), nullptr);
  const HWND list = nav_->GetPrintmarkTab()->m_hWnd;
  const HWND window = frame_->GetPrintListWindow()->m_hWnd;
  frame_->DestroyWindow();
  pump();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_FALSE(::IsWindow(list));
}

// --- Index dialogs, act information, links, Escape ---------------------------------------------------

TEST_F(CommandsTest, OneIndexDialogAtATime) {
  Command(resources::ID_SUBJECT_INDEX);
  EXPECT_EQ(State(resources::ID_SUBJECT_INDEX).second, 1);
  Command(resources::ID_TABLES_INDEX);
  EXPECT_EQ(State(resources::ID_SUBJECT_INDEX).second, 0);
  EXPECT_EQ(State(resources::ID_TABLES_INDEX).second, 1);
  Command(resources::ID_TABLES_INDEX);
  EXPECT_EQ(State(resources::ID_TABLES_INDEX).second, 0);
  EXPECT_EQ(CKeywordListDlg::GetOpen(), nullptr);
}

TEST_F(CommandsTest, ActInformationShowsTheShownActAndEscapeClosesInOrder) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 34")));
  pump();
  const int32_t topic = frame::MvGetCurrentTopic(view_->GetViewer());
  Command(resources::ID_ACT_INFORMATION);
  ASSERT_TRUE(IsActInfoDialogVisible());
  EXPECT_EQ(GetActInfoDialog()->GetRecord(), topic);
  EXPECT_EQ(State(resources::ID_ACT_INFORMATION).second, 1);
  // A view's request while the window is up changes nothing; with the window hidden it shows the
  // topic the view gives.
  frame_->SendMessage(resources::WM_SHOW_ACT_INFO, 0, topic + 1);
  EXPECT_EQ(GetActInfoDialog()->GetRecord(), topic);
  GetActInfoDialog()->ShowWindow(SW_HIDE);
  frame_->SendMessage(resources::WM_SHOW_ACT_INFO, 0, topic + 1);
  ASSERT_TRUE(IsActInfoDialogVisible());
  EXPECT_EQ(GetActInfoDialog()->GetRecord(), topic + 1);

  // Escape: the act window, then the find sheet, then "Nawigator". Pinned, the act window stays
  // up while the focus moves to the other windows.
  GetActInfoDialog()->GetPinButton().SetPinned(TRUE);
  ASSERT_NE(CGTFSheet::Open(frame_, CGTFSheet::kGotoTab), nullptr);
  frame_->ShowControlBar(nav_, TRUE, FALSE);
  pump();
  FocusText();
  press_key(VK_ESCAPE, 0x1B);
  pump();
  EXPECT_FALSE(IsActInfoDialogVisible());
  EXPECT_NE(CGTFSheet::GetOpen(), nullptr);
  press_key(VK_ESCAPE, 0x1B);
  pump();
  EXPECT_EQ(CGTFSheet::GetOpen(), nullptr);
  EXPECT_TRUE(nav_->IsVisible());
  press_key(VK_ESCAPE, 0x1B);
  pump();
  EXPECT_FALSE(nav_->IsVisible());
  // Full screen goes before anything else.
  Command(resources::ID_FULL_SCREEN);
  ASSERT_TRUE(frame_->IsFullScreen());
  press_key(VK_ESCAPE, 0x1B);
  pump();
  EXPECT_FALSE(frame_->IsFullScreen());
}

TEST_F(CommandsTest, LinkSwitchesWorkOnlyWhileLinksAreShown) {
  CUserData& settings = app_->GetUserData();
  ASSERT_EQ(frame_->GetDisplayMode(), CMainFrame::kDisplayLinks);
  EXPECT_EQ(State(resources::ID_SHOW_LINKS).second, 1);
  const int32_t journal = settings.m_bHighlightDU;
  EXPECT_TRUE(State(resources::ID_LINKS_JOURNAL).first);
  Command(resources::ID_LINKS_JOURNAL);
  EXPECT_NE(settings.m_bHighlightDU, journal);
  Command(resources::ID_SHOW_LINKS);
  EXPECT_EQ(frame_->GetDisplayMode(), 0);
  EXPECT_EQ(State(resources::ID_SHOW_LINKS).second, 0);
  EXPECT_FALSE(State(resources::ID_LINKS_JOURNAL).first);
  const int32_t now = settings.m_bHighlightDU;
  frame_->OnCmdMsg(resources::ID_LINKS_JOURNAL, CN_COMMAND, nullptr, nullptr);
  EXPECT_EQ(settings.m_bHighlightDU, now);
  Command(resources::ID_SHOW_LINKS);
  EXPECT_EQ(frame_->GetDisplayMode(), CMainFrame::kDisplayLinks);
  // A double click's command in a text sheet, as the mouse page assigns it, reaches the frame.
  frame_->GetMouseManager()->SetActionCommand(kMouseContextText, int(resources::ID_SHOW_LINKS));
  EXPECT_TRUE(frame_->DispatchMouseCommand(kMouseContextText));
  EXPECT_EQ(frame_->GetDisplayMode(), 0);
  frame_->GetMouseManager()->SetActionCommand(kMouseContextText, 0);
  EXPECT_FALSE(frame_->DispatchMouseCommand(kMouseContextText));
  Command(resources::ID_SHOW_LINKS);
  // The well pops up with the kind's colour; a colour chosen there goes to that link kind.
  Command(resources::ID_LINK_COLOUR_ARTICLE);
  SECPopupColorWell* well = nullptr;
  for (HWND h : win::top_level_order()) {
    auto* found = dynamic_cast<SECPopupColorWell*>(CWnd::FromHandlePermanent(h));
    if (found && ::IsWindowVisible(h)) well = found;
  }
  ASSERT_NE(well, nullptr);
  EXPECT_EQ(well->GetColor(), COLORREF(settings.m_crLinkArt));
  gallery::Picture picture(well->m_hWnd, "commands_link_colour_well", true);
  well->Close();
  pump();
  frame_->SendMessage(SEC_WM_COLORSELECTED, 0, LPARAM(0x0000FF));
  EXPECT_EQ(settings.m_crLinkArt, 0x0000FFu);
}

// --- User tools, toolbars dialog, customize sheet ------------------------------------------------------

TEST_F(CommandsTest, UserToolsRunFromTheirCommandsAndFillTheToolsMenu) {
  SECUserToolList& tools = frame_->GetUserTools();
  DeleteToolList(tools);
  auto tool = std::make_unique<SECUserTool>();
  tool->m_strMenuText = CString("&Brak programu");
  tool->m_strCommand = CString("/nie/ma/takiego/programu");
  tool->m_bWait = 0;
  tools.push_back(std::move(tool));
  EXPECT_TRUE(State(resources::ID_USER_TOOL_FIRST).first);
  EXPECT_FALSE(State(resources::ID_USER_TOOL_FIRST + 1).first);
  // A tool that cannot start is reported; one past the list does nothing.
  prompts_.asked.clear();
  Command(resources::ID_USER_TOOL_FIRST);
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_EQ(prompts_.asked[0], "Nie można uruchomić wskazanego programu!");
  Command(resources::ID_USER_TOOL_FIRST + 3);
  EXPECT_EQ(prompts_.asked.size(), 1u);
  // The tools menu lists the tool when it opens.
  CMenu* menu = CMenu::FromHandle(::GetMenu(frame_->m_hWnd));
  ASSERT_NE(menu, nullptr);
  // "Narzędzia" is the fourth pop-up, after the sheet's system menu while the sheet is maximised.
  CMenu* tools_menu = nullptr;
  for (int i = 0; i < int(menu->GetMenuItemCount()) && !tools_menu; ++i) {
    CString label;
    menu->GetMenuString(UINT(i), label, MF_BYPOSITION);
    if (Utf8(label) == "&Narzędzia") tools_menu = menu->GetSubMenu(i);
  }
  ASSERT_NE(tools_menu, nullptr);
  frame_->SendMessage(WM_INITMENUPOPUP, WPARAM(tools_menu->m_hMenu), 3);
  const UINT last = tools_menu->GetMenuItemCount() - 1;
  EXPECT_EQ(tools_menu->GetMenuItemID(int(last)), resources::ID_USER_TOOL_FIRST);
  DeleteToolList(tools);
}

bool IsMenuPopup(HWND h) { return dynamic_cast<framework::MenuPopupWnd*>(CWnd::FromHandlePermanent(h)) != nullptr; }

TEST_F(CommandsTest, MenusShowTheToolsAndTheBars) {
  SECUserToolList& tools = frame_->GetUserTools();
  DeleteToolList(tools);
  auto tool = std::make_unique<SECUserTool>();
  tool->m_strMenuText = Cp("&Edytor notatek ąęłóśżźćń");
  tool->m_strCommand = CString("/bin/true");
  tools.push_back(std::move(tool));
  CMenu* menu = CMenu::FromHandle(::GetMenu(frame_->m_hWnd));
  ASSERT_NE(menu, nullptr);
  CMenu* tools_menu = nullptr;
  for (int i = 0; i < int(menu->GetMenuItemCount()) && !tools_menu; ++i) {
    CString label;
    menu->GetMenuString(UINT(i), label, MF_BYPOSITION);
    if (Utf8(label) == "&Narzędzia") tools_menu = menu->GetSubMenu(i);
  }
  ASSERT_NE(tools_menu, nullptr);
  int dark = 0;
  {
    WindowWatcher watcher(IsMenuPopup, [&](HWND popup) {
      gallery::Picture picture(popup, "commands_tools_menu", true);
      dark = picture.dark({0, picture.height() - 24, picture.width(), picture.height()});
      press_key(VK_ESCAPE, 0x1B);
    });
    tools_menu->TrackPopupMenu(TPM_LEFTALIGN, 300, 100, frame_);
    EXPECT_TRUE(watcher.done);
  }
  EXPECT_GT(dark, 40) << "the tool's item is drawn at the menu's end";
  // The bar area's menu: the five toolbars, the two docking bars and the dialogs.
  CMenu bars;
  ASSERT_TRUE(bars.CreatePopupMenu());
  frame_->BuildBarMenu(bars);
  EXPECT_EQ(bars.GetMenuItemID(0), resources::ID_TOOLBAR_FIRST);
  {
    WindowWatcher watcher(IsMenuPopup, [&](HWND popup) {
      gallery::Picture picture(popup, "commands_bar_menu", true);
      press_key(VK_ESCAPE, 0x1B);
    });
    bars.TrackPopupMenu(TPM_LEFTALIGN, 300, 100, frame_);
    EXPECT_TRUE(watcher.done);
  }
  DeleteToolList(tools);
}

TEST_F(CommandsTest, TheCustomizeSheetHasItsFourPages) {
  int pages = -1;
  int categories = -1;
  WindowWatcher watcher("Dostosuj", [&](HWND sheet) {
    gallery::Picture picture(sheet, "commands_customize_sheet", true);
    if (auto* wnd = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(sheet))) {
      pages = wnd->GetPageCount();
      wnd->SetActivePage(1);
      if (auto* commands = dynamic_cast<SECToolBarCmdPage*>(wnd->GetPage(1))) categories = commands->GetCategoryCount();
      gallery::Picture commands_picture(sheet, "commands_customize_commands", true);
      wnd->SetActivePage(3);
      gallery::Picture mouse_picture(sheet, "commands_customize_mouse", true);
    }
    ::PostMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  Command(resources::ID_CUSTOMIZE);
  EXPECT_TRUE(watcher.done);
  EXPECT_EQ(pages, 4);
  EXPECT_EQ(categories, 8);
}

TEST_F(CommandsTest, TheToolbarsDialogLeadsToTheCustomizeSheet) {
  bool customize_shown = false;
  WindowWatcher sheet_watcher("Dostosuj", [&](HWND sheet) {
    customize_shown = true;
    ::PostMessage(sheet, WM_COMMAND, IDCANCEL, 0);
  });
  WindowWatcher dialog_watcher("Paski narzędzi", [&](HWND dialog) {
    gallery::Picture picture(dialog, "commands_toolbars_dialog", true);
    ::PostMessage(dialog, WM_COMMAND, 43099, 0);
  });
  Command(resources::ID_TOOLBARS);
  EXPECT_TRUE(dialog_watcher.done);
  EXPECT_TRUE(customize_shown);
}

}  // namespace
}  // namespace lumo::test
