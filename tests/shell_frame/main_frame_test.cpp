// The main frame: its bars and panes, its stored placement (and the placements it refuses), full
// screen and always on top, the background's click, the close that the work can stop, and the
// sheet frames (the sheet limit, a picture taking its act's place and giving it back).
#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/gs_toolbar_edit_btn.h"
#include "platform/base/cp1250.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/menu.h"
#include "platform/framework/prompter.h"
#include "platform/framework/view.h"
#include "platform/shell/services.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/monitors.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/child_frames.h"
#include "shell/frame_placement.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "tests/gallery/gallery.h"
#include "tests/shell_frame/frame_fixture.h"
#include "toolkit/frame/registry.h"

namespace lumo::test {
namespace {

// --- Placement rules -------------------------------------------------------------------------------

TEST(FramePlacement, OnlyTenReadableNumbersMeetingAScreenAreUsed) {
  const std::vector<win::ScreenArea> screens = {{{0, 0, 1024, 768}, {0, 0, 1024, 740}, true},
                                                {{1024, 0, 2944, 1080}, {1024, 0, 2944, 1050}, false}};
  struct Case {
    const char* text;
    bool used;
  };
  const Case cases[] = {
      {"0,1,-1,-1,-1,-1,10,20,810,620", true},
      {"2,3,-1,-1,-8,-8,1100,50,1900,650", true},   // on the second screen
      {"0,1,-1,-1,-1,-1,-700,-500,10,20", true},    // a corner still on screen
      {"0,1,-1,-1,-1,-1,10,20,810", false},          // nine numbers
      {"0,1,-1,-1,-1,-1,10,20,810,620,5", false},    // eleven
      {"0,1,-1,-1,-1,-1,3000,20,3800,620", false},   // right of every screen
      {"0,1,-1,-1,-1,-1,-900,-700,-100,-10", false}, // above and left of every screen
      {"0,1,-1,-1,-1,-1,10,1100,810,1700", false},   // below them
      {"0,1,-1,-1,-1,-1,810,620,10,20", false},      // an inside-out rectangle
      {"0,1,-1,-1,-1,-1,10,20,10,620", false},       // no width
      {"0,1,x,-1,-1,-1,10,20,810,620", false},
      {"0,1,-1,-1,-1,-1,10,20,810,620x", false},
      {"-2,1,-1,-1,-1,-1,10,20,810,620", false},     // negative flags
      {"0,1,-1,-1,-1,-1,10,20,99999999999,620", false},
      {"", false},
      {",,,,,,,,,", false},
  };
  for (const Case& c : cases) {
    const std::optional<WINDOWPLACEMENT> wp = frame_placement::Usable(c.text, screens);
    EXPECT_EQ(wp.has_value(), c.used) << c.text;
    if (wp) { EXPECT_EQ(wp->showCmd, 0u) << "the show command is the program's"; }
  }
  const std::optional<WINDOWPLACEMENT> wp = frame_placement::Parse("2,3,-1,-1,-8,-8,1100,50,1900,650");
  ASSERT_TRUE(wp);
  EXPECT_EQ(frame_placement::Format(*wp), "2,3,-1,-1,-8,-8,1100,50,1900,650");
}

TEST(FramePlacement, FullScreenPutsTheFrameOutsideTheScreen) {
  const RECT full = frame_placement::FullScreenRect({0, 0, 1024, 768}, {4, 42, 4, 4});
  EXPECT_EQ(full.left, -4);
  EXPECT_EQ(full.top, -40);  // two pixels of the caption's edge stay below the top
  EXPECT_EQ(full.right, 1028);
  EXPECT_EQ(full.bottom, 772);
}

// --- The frame -------------------------------------------------------------------------------------

TEST_F(FrameTest, StandsWithItsBarsAndPanes) {
  CMainFrame* frame = MakeFrame();
  frame->MoveWindow(0, 0, 1000, 640);
  pump();
  const char* titles[] = {"Standardowy", "Widok", "Nawigator", "Indeksy", "Formularz"};
  for (int i = 0; i < CMainFrame::kToolBarCount; ++i) {
    SECCustomToolBar* bar = frame->GetToolBar(i);
    ASSERT_NE(bar, nullptr);
    CString title;
    bar->GetWindowText(title);
    EXPECT_EQ(Utf8(title), titles[i]);
    EXPECT_EQ(bar->IsVisible() != FALSE, i != 4) << titles[i];
  }
  // The four shown bars share the top row, left to right.
  CRect previous;
  for (int i = 0; i < 4; ++i) {
    CRect rect;
    frame->GetToolBar(i)->GetWindowRect(&rect);
    if (i > 0) {
      EXPECT_EQ(rect.top, previous.top) << titles[i];
      EXPECT_GT(rect.left, previous.left + previous.Width() / 2) << titles[i];
    }
    previous = rect;
  }
  // The query box stands in its place on "Standardowy".
  SECCustomToolBar* standard = frame->GetToolBar(0);
  HWND box = ::GetDlgItem(standard->m_hWnd, resources::ID_SEARCH_QUERY_BOX);
  ASSERT_NE(box, nullptr);
  const CRect slot = standard->GetItemRect(standard->FindButtonByCommand(resources::ID_SEARCH_QUERY_BOX));
  EXPECT_EQ(gallery::rect_in(box, standard->m_hWnd).left, slot.left);
  EXPECT_TRUE(standard->IsCoolLook());
  // Text typed into the query box shows in its edit field.
  ::SetWindowText(box, base::cp1250::from_utf8("ochrona środowiska").c_str());
  HWND field = ::GetWindow(box, GW_CHILD);
  ASSERT_NE(field, nullptr);
  for (bool whole : {false, true}) {
    gallery::Picture frame_picture(frame->m_hWnd, whole ? "query_box_text_whole" : "query_box_text", whole);
    RECT typed = gallery::rect_in(field, frame->m_hWnd, whole);
    typed = RECT{typed.left + 1, typed.top + 1, typed.right - 1, typed.bottom - 1};
    EXPECT_GT(frame_picture.dark(typed), 30);
  }

  // "Spisy" stands at the left, 265 pixels wide; "Nawigator" waits hidden at the bottom.
  ASSERT_NE(frame->GetContentsBar(), nullptr);
  ASSERT_NE(frame->GetNavigatorBar(), nullptr);
  EXPECT_TRUE(frame->GetContentsBar()->IsVisible());
  EXPECT_FALSE(frame->GetNavigatorBar()->IsVisible());
  CRect contents;
  frame->GetContentsBar()->GetWindowRect(&contents);
  CRect mdi_client;
  ::GetWindowRect(frame->m_hWndMDIClient, &mdi_client);
  EXPECT_NEAR(contents.Width(), 265, 8);
  EXPECT_LE(contents.right, mdi_client.left + 4);
  frame->SendMessage(WM_COMMAND, resources::ID_VIEW_NAVIGATOR_BAR);
  pump();
  EXPECT_TRUE(frame->GetNavigatorBar()->IsVisible());
  gallery::Picture(frame->m_hWnd, "main_frame_navigator");
  frame->SendMessage(WM_COMMAND, resources::ID_VIEW_NAVIGATOR_BAR);
  pump();
  EXPECT_FALSE(frame->GetNavigatorBar()->IsVisible());

  CGSStatusBar& status = frame->GetStatusBar();
  const UINT panes[] = {0, resources::ID_INDICATOR_ACT, resources::ID_INDICATOR_FOUND_WORDS, ID_INDICATOR_NUM,
                        ID_INDICATOR_CAPS, resources::ID_INDICATOR_DATE, resources::ID_INDICATOR_MARK};
  ASSERT_EQ(status.GetPaneCount(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(status.GetItemID(i), panes[i]) << i;
  EXPECT_EQ(Utf8(status.GetPaneText(0)), " Naciśnij przycisk F1 aby uzyskać pomoc");

  // The client shows the desktop colour and the program's name in its lower right corner.
  gallery::Picture picture(frame->m_hWnd, "main_frame");
  const RECT client = gallery::rect_in(frame->m_hWndMDIClient, frame->m_hWnd);
  EXPECT_EQ(picture.pixel((client.left + client.right) / 2, (client.top + client.bottom) / 2), 0x808000u);
  const RECT corner{client.right - 180, client.bottom - 60, client.right, client.bottom};
  EXPECT_GT(picture.count(corner, 0xFFFFFFu), 40) << "white letters";
  EXPECT_GT(picture.count(corner, 0x000000u), 40) << "black shadow";
  EXPECT_GT(picture.count(corner, 0xC0C0C0u), 40) << "face-coloured letters";
  // Toolbar buttons carry their images (embossed where a command has no handler yet).
  CRect bar;
  standard->GetWindowRect(&bar);
  frame->ScreenToClient(&bar);
  EXPECT_GT(bar.Width() * bar.Height() - picture.count(bar, 0xC0C0C0u), 400);
}

TEST_F(FrameTest, TheBarMenuListsTheToolbarsAndTogglesThem) {
  CMainFrame* frame = MakeFrame();
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  frame->BuildBarMenu(menu);
  std::vector<std::string> texts;
  for (const auto& item : framework::menu_items(menu.GetSafeHmenu())) texts.push_back(Utf8(item.text));
  EXPECT_EQ(texts, (std::vector<std::string>{"Standardowy", "Widok", "Nawigator", "Indeksy", "Formularz", "Nawigator",
                                             "Spisy", "", "", "Paski narzędzi...", "&Dostosuj..."}));
  EXPECT_TRUE(menu.GetMenuState(resources::ID_TOOLBAR_FIRST, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(menu.GetMenuState(resources::ID_TOOLBAR_FIRST + 4, MF_BYCOMMAND) & MF_CHECKED);
  frame->SendMessage(WM_COMMAND, resources::ID_TOOLBAR_FIRST + 1);
  pump();
  EXPECT_FALSE(frame->GetToolBar(1)->IsVisible());
  frame->SendMessage(WM_COMMAND, resources::ID_TOOLBAR_FIRST + 1);
  pump();
  EXPECT_TRUE(frame->GetToolBar(1)->IsVisible());
}

TEST_F(FrameTest, PlacementIsStoredAtCloseAndRestoredAtTheNextStart) {
  CMainFrame* frame = MakeFrame();
  frame->MoveWindow(40, 30, 700, 520);
  pump();
  WINDOWPLACEMENT before;
  ASSERT_TRUE(::GetWindowPlacement(frame->m_hWnd, &before));
  CloseFrame(frame);
  const std::string stored = StoredValue(CMainFrame::kPlacementValue);
  EXPECT_EQ(stored.substr(0, 2), "0,") << stored;

  frame = MakeFrame();
  WINDOWPLACEMENT after;
  ASSERT_TRUE(::GetWindowPlacement(frame->m_hWnd, &after));
  EXPECT_EQ(CRect(after.rcNormalPosition), CRect(before.rcNormalPosition));

  // Maximised: flags 2, and the next start shows the window maximised.
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  pump();
  CloseFrame(frame);
  EXPECT_EQ(StoredValue(CMainFrame::kPlacementValue).substr(0, 2), "2,");
  app_->m_nCmdShow = SW_SHOWNORMAL;
  frame = MakeFrame();
  EXPECT_EQ(app_->m_nCmdShow, SW_SHOWMAXIMIZED);
}

TEST_F(FrameTest, TheToolbarLayoutComesBackAtTheNextStart) {
  CMainFrame* frame = MakeFrame();
  frame->MoveWindow(0, 0, 1000, 640);
  pump();
  // "Widok" hidden, "Indeksy" without its first button, the classic look.
  frame->SendMessage(WM_COMMAND, resources::ID_TOOLBAR_FIRST + 1);
  SECCustomToolBar* indexes = frame->FindToolBar(resources::IDR_TOOLBAR_INDEXES);
  ASSERT_NE(indexes, nullptr);
  const int buttons = indexes->GetBtnCount();
  indexes->RemoveButton(0);
  frame->GetToolBarManager()->EnableCoolLook(FALSE);
  pump();
  gallery::Picture(frame->m_hWnd, "main_frame_classic");
  CloseFrame(frame);

  frame = MakeFrame();
  frame->MoveWindow(0, 0, 1000, 640);
  pump();
  ASSERT_NE(frame->FindToolBar(resources::IDR_TOOLBAR_VIEW), nullptr);
  EXPECT_FALSE(frame->FindToolBar(resources::IDR_TOOLBAR_VIEW)->IsVisible());
  EXPECT_TRUE(frame->FindToolBar(resources::IDR_TOOLBAR_STANDARD)->IsVisible());
  EXPECT_EQ(frame->FindToolBar(resources::IDR_TOOLBAR_INDEXES)->GetBtnCount(), buttons - 1);
  EXPECT_FALSE(frame->GetToolBarManager()->IsCoolLook());
  EXPECT_FALSE(frame->FindToolBar(resources::IDR_TOOLBAR_FORM)->IsVisible()) << "hidden until a picture shows";
  EXPECT_EQ(frame->GetToolBarManager()->GetBars().size(), size_t(CMainFrame::kToolBarCount));
  // The query box is back on "Standardowy".
  EXPECT_NE(::GetDlgItem(frame->FindToolBar(resources::IDR_TOOLBAR_STANDARD)->m_hWnd, resources::ID_SEARCH_QUERY_BOX),
            nullptr);
}

TEST_F(FrameTest, AStoredPlacementOffEveryScreenOrMalformedIsIgnored) {
  const RECT screen = win::screen_areas().front().monitor;
  const std::string off = "0,1,-1,-1,-1,-1," + std::to_string(screen.right + 50) + ",10," +
                          std::to_string(screen.right + 650) + ",500";
  for (const std::string& text : {off, std::string("0,1,-1,-1,-1,-1,10,20,810"), std::string("0,1,-1,-1,-1,-1,-5000,-4000,-4500,-3900")}) {
    StoreValue(CMainFrame::kPlacementValue, text);
    CMainFrame* frame = MakeFrame();
    CRect rect;
    frame->GetWindowRect(&rect);
    EXPECT_TRUE(frame_placement::MeetsAScreen(rect, win::screen_areas())) << text;
    EXPECT_LT(rect.left, screen.right) << text;
    frame->DestroyWindow();
    pump();
  }
}

TEST_F(FrameTest, FullScreenCoversTheScreenAndComesBack) {
  CMainFrame* frame = MakeFrame();
  frame->MoveWindow(40, 30, 700, 520);
  pump();
  CRect before;
  frame->GetWindowRect(&before);
  ASSERT_TRUE(frame->SetAlwaysOnTop(TRUE));
  EXPECT_TRUE(frame->GetExStyle() & WS_EX_TOPMOST);

  frame->SendMessage(WM_COMMAND, resources::ID_FULL_SCREEN);
  pump();
  EXPECT_TRUE(frame->IsFullScreen());
  EXPECT_FALSE(frame->IsAlwaysOnTop()) << "full screen leaves always-on-top first";
  EXPECT_FALSE(frame->GetStatusBar().IsVisible());
  EXPECT_FALSE(frame->SetAlwaysOnTop(TRUE)) << "refused while full screen";
  CRect client;
  frame->GetClientRect(&client);
  const RECT screen = win::screen_areas().front().monitor;
  // The window covers the screen; only its top two pixels' row is left to the desktop.
  CRect whole;
  frame->GetWindowRect(&whole);
  EXPECT_GE(whole.Width(), screen.right - screen.left);
  EXPECT_GE(whole.Height(), screen.bottom - screen.top - 2);
  EXPECT_GE(client.Height(), screen.bottom - screen.top - 2 - 40) << "no status bar, no caption inside";

  // Closing in full screen stores the placement from before it.
  CloseFrame(frame);
  const std::optional<WINDOWPLACEMENT> wp = frame_placement::Parse(StoredValue(CMainFrame::kPlacementValue));
  ASSERT_TRUE(wp);
  EXPECT_EQ(CRect(wp->rcNormalPosition), before);
}

TEST_F(FrameTest, AClickOnTheBackgroundOpensAPageOnlyWhenAnAddressIsSet) {
  CMainFrame* frame = MakeFrame();
  std::vector<std::string> opened;
  shell::set_url_opener([&opened](const CString& url) {
    opened.push_back(url.str());
    return true;
  });
  HWND client = frame->m_hWndMDIClient;
  ::SendMessage(client, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  ::SendMessage(client, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  EXPECT_TRUE(opened.empty());
  frame->GetBackground().SetPageAddress("https://www.example.org/");
  ::SendMessage(client, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_EQ(opened, (std::vector<std::string>{"https://www.example.org/"}));
  shell::set_url_opener(nullptr);
}

TEST_F(FrameTest, ClosingAChangedWorkAndCancellingKeepsTheProgramAndWritesNothing) {
  CMainFrame* frame = MakeFrame();
  CLumoKALDoc* work = NewWork();
  work->SetModifiedFlag(TRUE);
  prompts_.answers = {IDCANCEL};
  frame->SendMessage(WM_CLOSE);
  pump();
  EXPECT_TRUE(::IsWindow(frame->m_hWnd));
  EXPECT_EQ(prompts_.asked.size(), 1u);
  EXPECT_TRUE(StoredValue(CMainFrame::kPlacementValue).empty());
  EXPECT_TRUE(work->IsModified());
  work->SetModifiedFlag(FALSE);
}

TEST_F(FrameTest, MouseAssignmentsAreStoredInTheirExactBytesAtClose) {
  CMainFrame* frame = MakeFrame();
  frame->GetMouseManager()->SetActionCommand(kMouseContextPicture, 32957);
  frame->GetMouseManager()->SetActionCommand(kMouseContextText, 32793);
  CloseFrame(frame);
  SECRegistry registry;
  ASSERT_TRUE(registry.Connect(HKEY_LOCAL_MACHINE));
  ASSERT_TRUE(registry.Open("Software\\Fenwar\\LumoKAL", KEY_READ));
  CByteArray bytes;
  ASSERT_TRUE(registry.QueryBinaryValue("Mouse", bytes));
  const std::vector<BYTE> expected = {2, 0, 0, 0, 1, 0, 0, 0, 0x19, 0x80, 0, 0, 2, 0, 0, 0, 0xBD, 0x80, 0, 0};
  EXPECT_EQ(std::vector<BYTE>(bytes.GetData(), bytes.GetData() + bytes.GetSize()), expected);
  // The next frame has them back, the rulers mode included.
  frame = MakeFrame();
  EXPECT_EQ(frame->GetMouseManager()->GetActionCommand(kMouseContextPicture), 32957);
  EXPECT_EQ(frame->GetMouseManager()->GetActionCommand(kMouseContextText), 32793);
}

// --- Sheets ----------------------------------------------------------------------------------------

TEST_F(FrameTest, TheSheetPastTheLimitIsRefusedWithItsMessage) {
  CMainFrame* frame = MakeFrame();
  app_->GetUserData().m_nMaxSheets = 8;
  CLumoKALDoc* work = NewWork();
  for (int i = 0; i < 8; ++i) ASSERT_NE(OpenTextSheet(work), nullptr) << i;
  EXPECT_EQ(sheets::TextFrameCount(), 8);
  EXPECT_TRUE(prompts_.asked.empty());
  EXPECT_EQ(OpenTextSheet(work), nullptr);
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_EQ(prompts_.asked[0].rfind("Program nie może utworzyć nowego arkusza ponieważ ich liczba", 0), 0u);
  EXPECT_EQ(sheets::TextFrameCount(), 8);
  EXPECT_EQ(frame->GetSheetCount(), 8);
}

TEST_F(FrameTest, APictureTakesItsActsPlaceAndGivesItBack) {
  CMainFrame* frame = MakeFrame();
  CLumoKALDoc* work = NewWork();
  std::vector<CMDIChildWnd*> acts;
  for (int i = 0; i < 3; ++i) acts.push_back(OpenTextSheet(work, 100 + i));
  acts[1]->SetWindowText("Dz.U. 1998 nr 21 poz. 94");
  // The second act is the current one when the picture opens from it.
  static_cast<CChildKALFrame*>(acts[1])->ActivateFrame();
  pump();
  EXPECT_EQ(work->GetCurrentView(), acts[1]->GetActiveView());
  CChildBMPFrame* picture = OpenPictureSheet();
  ASSERT_NE(picture, nullptr);
  pump();
  std::vector<SECWorksheet*> order = frame->m_sheets;
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(order[0], acts[0]);
  EXPECT_EQ(order[1], picture);
  EXPECT_EQ(order[2], acts[2]);
  CString caption;
  picture->GetWindowText(caption);
  EXPECT_EQ(Utf8(caption), "Dz.U. 1998 nr 21 poz. 94");
  EXPECT_EQ(picture->m_nTopic, 101);
  EXPECT_EQ(work->GetCurrentPictureView(), picture->GetActiveView());
  SECCustomToolBar* form = frame->FindToolBar(resources::IDR_TOOLBAR_FORM);
  EXPECT_TRUE(form->IsVisible()) << "shown with a picture";
  // Its position field starts at 0, 0 and greyed, with its labels.
  auto* field = dynamic_cast<CGSToolbarEditBtn*>(form->GetButton(form->FindButtonByCommand(resources::ID_PICTURE_POSITION)));
  ASSERT_NE(field, nullptr);
  EXPECT_TRUE(field->HasLabels());
  EXPECT_EQ(Utf8(field->GetXText()), "");
  EXPECT_FALSE(field->ValueX().IsWindowEnabled());
  field->EnableFields(TRUE);
  field->SetPosition(300, 150, 1.0f);
  EXPECT_EQ(Utf8(field->GetXText()), "2.00 cm");
  EXPECT_EQ(Utf8(field->GetYText()), "1.00 cm");
  ASSERT_TRUE(form->IsFloating());
  const HWND floating = form->GetParent()->GetParent()->m_hWnd;
  gallery::Picture bar_picture(floating, "main_frame_form_bar", true);
  const RECT field_area = gallery::rect_in(field->CWnd::m_hWnd, floating, true);
  bar_picture.save_enlarged(field_area, "main_frame_form_field");
  // Both labels and both values are drawn.
  const RECT labels{field_area.left, field_area.top, field_area.left + 24, field_area.bottom};
  const RECT values{field_area.left + 24, field_area.top, field_area.right, field_area.bottom};
  EXPECT_GT(bar_picture.dark(labels), 20);
  EXPECT_GT(bar_picture.dark(values), 40);

  // The picture brings its act back: the new sheet takes its place and history, the picture goes.
  work->SetSavedTopic(101);
  CMDIChildWnd* back = OpenTextSheet(work, 101);
  ASSERT_NE(back, nullptr);
  pump();
  order = frame->m_sheets;
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(order[1], back);
  EXPECT_EQ(sheets::PictureFrameCount(), 0);
  EXPECT_EQ(work->GetCurrentPictureView(), nullptr);
  EXPECT_EQ(LastHistorySource(back), 101);
  EXPECT_FALSE(frame->FindToolBar(resources::IDR_TOOLBAR_FORM)->IsVisible());
}

TEST_F(FrameTest, SheetsShowAsTabsNamedByTheirCaptions) {
  CMainFrame* frame = MakeFrame();
  frame->MoveWindow(0, 0, 900, 600);
  EXPECT_TRUE(frame->GetWorkbookMode());
  CLumoKALDoc* work = NewWork();
  const char* captions[] = {"Dz.U. 1998 nr 21 poz. 94", "Zażółć gęślą jaźń", "Ustawa o ochronie środowiska"};
  std::vector<CMDIChildWnd*> acts;
  for (int i = 0; i < 3; ++i) {
    acts.push_back(OpenTextSheet(work, 200 + i));
    ASSERT_NE(acts.back(), nullptr);
    acts.back()->SetWindowText(CString(base::cp1250::from_utf8(captions[i])));
  }
  pump();
  ASSERT_EQ(frame->GetSheetCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Utf8(frame->GetSheetLabel(frame->GetSheet(i))), captions[i]);
  // The current text view is the last sheet's, whatever class the view is.
  EXPECT_EQ(work->GetCurrentView(), acts[2]->GetActiveView());
  gallery::Picture picture(frame->m_hWnd, "main_frame_sheets");
  // Every tab carries its label: text is drawn inside each tab below the client.
  for (int i = 0; i < 3; ++i) {
    workbook::TabPoints points;
    ASSERT_TRUE(frame->GetTabPolygon(frame->GetSheet(i), points));
    CRect text;
    frame->GetTabTextRect(points.data(), workbook::kIconSize, text);
    EXPECT_GT(picture.dark(text), 15) << i;
  }
  // A click on the first tab makes its sheet the current one.
  workbook::TabPoints first;
  ASSERT_TRUE(frame->GetTabPolygon(frame->GetSheet(0), first));
  frame->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first[0].x + 20, first[0].y + 8));
  frame->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(first[0].x + 20, first[0].y + 8));
  pump();
  EXPECT_EQ(frame->MDIGetActive(), acts[0]);
  EXPECT_EQ(work->GetCurrentView(), acts[0]->GetActiveView());
  // Closing it: the work finds the sheet now active as its current one.
  acts[0]->SendMessage(WM_CLOSE);
  pump();
  ASSERT_NE(frame->MDIGetActive(), nullptr);
  EXPECT_EQ(work->GetCurrentView(), frame->MDIGetActive()->GetActiveView());
  // Switched off in the options, the tabs go and the client takes their room.
  frame->SetWorkbookMode(FALSE);
  CRect area;
  frame->GetTabAreaRect(area);
  CRect client;
  ::GetWindowRect(frame->m_hWndMDIClient, &client);
  frame->ScreenToClient(&client);
  EXPECT_EQ(area, client);
}

// A window that takes the commands of a context menu and disables one of its items.
class MenuTarget : public CWnd {
 public:
  std::vector<UINT> commands;

 protected:
  afx_msg void OnFirst() { commands.push_back(32980); }
  afx_msg void OnUpdateSecond(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuTarget, CWnd)
  ON_COMMAND(32980, &MenuTarget::OnFirst)
  ON_UPDATE_COMMAND_UI(32981, &MenuTarget::OnUpdateSecond)
END_MESSAGE_MAP()

TEST_F(FrameTest, AContextMenuIsTrackedForItsTarget) {
  CMainFrame* frame = MakeFrame();
  MenuTarget target;
  ASSERT_TRUE(target.Create(nullptr, "cel", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), frame, 4711));
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 32980, "&Otwórz");
  menu.AppendMenu(MF_STRING, 32981, "Drukuj listę");
  UINT second_state = 0;
  CWnd* target_while_up = nullptr;
  framework::set_menu_chooser([&](HMENU shown, HWND, POINT) -> UINT {
    second_state = ::GetMenuState(shown, 32981, MF_BYCOMMAND);
    target_while_up = frame->GetMenuTarget();
    return 32980;
  });
  frame->TrackContextMenu(&menu, CPoint(20, 20), &target);
  framework::set_menu_chooser(nullptr);
  EXPECT_EQ(target_while_up, &target);
  EXPECT_EQ(frame->GetMenuTarget(), nullptr);
  EXPECT_TRUE(second_state & MF_GRAYED) << "the target's update handler ran";
  EXPECT_TRUE(target.commands.empty()) << "the command is posted";
  pump();
  EXPECT_EQ(target.commands, (std::vector<UINT>{32980}));
  target.DestroyWindow();
}

TEST_F(FrameTest, ClosingTheLastSheetOfAChangedWorkAsksNothing) {
  MakeFrame();
  CLumoKALDoc* work = NewWork();
  CMDIChildWnd* sheet = OpenTextSheet(work);
  work->SetModifiedFlag(TRUE);
  sheet->SendMessage(WM_COMMAND, 32887);
  pump();
  EXPECT_TRUE(prompts_.asked.empty());
  EXPECT_EQ(sheets::TextFrameCount(), 0);
  EXPECT_EQ(CLumoKALDoc::GetCurrentWork(), work);
  EXPECT_TRUE(work->IsModified());
  work->SetModifiedFlag(FALSE);
}

}  // namespace
}  // namespace lumo::test
