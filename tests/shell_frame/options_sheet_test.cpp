// The options sheet, the mouse page and the about box, run modally as the program runs them and
// driven from a script once they are up; their pictures go to the gallery folder.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/base/ctime.h"
#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/drop_button.h"
#include "platform/controls/list_ctrl.h"
#include "platform/framework/property_sheet.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/about_dlg.h"
#include "shell/mouse_page.h"
#include "shell/options_sheet.h"
#include "shell/user_data.h"
#include "tests/shell_frame/frame_fixture.h"
// After the program's headers: Qt's keyword macros would change their member names.
#include "tests/gallery/gallery.h"

namespace lumo::test {
namespace {

using namespace resources;

class DialogTest : public FrameTest {
 protected:
  static constexpr UINT kRunScript = WM_APP + 0x78;

  // Runs `script` on the first dialog once it is up.
  void OnDialog(std::function<void(HWND)> script) {
    ran_ = false;
    win::set_message_observer([this, script](HWND h, UINT message, WPARAM, LPARAM) {
      if (message == WM_INITDIALOG && !ran_ && !::GetParent(h)) ::PostMessage(h, kRunScript, 0, 0);
      if (message == WM_INITDIALOG && !ran_ && ::GetParent(h) && !(::GetWindowLong(h, GWL_STYLE) & WS_CHILD))
        ::PostMessage(h, kRunScript, 0, 0);
      if (message == kRunScript && !ran_) {
        ran_ = true;
        script(h);
      }
    });
  }
  void TearDown() override {
    win::set_message_observer(nullptr);
    FrameTest::TearDown();
  }
  static void Click(HWND dialog, UINT id) {
    HWND button = ::GetDlgItem(dialog, int(id));
    ::SendMessage(button, BM_SETCHECK, ::SendMessage(button, BM_GETCHECK, 0, 0) ? BST_UNCHECKED : BST_CHECKED, 0);
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(button));
  }
  bool ran_ = false;
};

TEST_F(DialogTest, OptionsAreEditedValidatedAndStored) {
  CMainFrame* frame = MakeFrame();
  CUserData data;
  data.m_nNotesWidth = 55;
  data.m_bNotesColumn = 1;
  data.m_tLibraryDate = int32_t(CTime(2004, 5, 1, 0, 0, 0).GetTime());
  COptionsSheet sheet(frame);
  sheet.ReadSettings(data);
  int tries = 0;
  OnDialog([&](HWND h) {
    CPropertySheet* s = &sheet;
    HWND general = s->GetPage(0)->m_hWnd;
    ASSERT_NE(general, nullptr);
    gallery::Picture(h, "options_general", true);
    // The legal-state date shows in the picker, and a new one is taken.
    SYSTEMTIME shown{};
    ASSERT_EQ(::SendMessage(::GetDlgItem(general, IDC_OPT_LEGAL_DATE), DTM_GETSYSTEMTIME, 0, LPARAM(&shown)),
              LRESULT(GDT_VALID));
    EXPECT_EQ(shown.wYear, 2004);
    EXPECT_EQ(shown.wMonth, 5);
    // It shows the long date with Polish names, and its calendar is light blue in italics.
    HWND picker = ::GetDlgItem(general, IDC_OPT_LEGAL_DATE);
    char text[64] = {};
    ::GetWindowText(picker, text, sizeof text);
    EXPECT_STREQ(text, "sobota,  01 maja 2004");
    EXPECT_EQ(COLORREF(::SendMessage(picker, DTM_GETMCCOLOR, MCSC_MONTHBK, 0)), COLORREF(0xFFDCDC));
    LOGFONT italic{};
    ASSERT_NE(::GetObject(HFONT(::SendMessage(picker, DTM_GETMCFONT, 0, 0)), sizeof italic, &italic), 0);
    EXPECT_TRUE(italic.lfItalic);
    // The longest names fit inside the picker's border, the current field highlighted.
    SYSTEMTIME longest{};
    longest.wYear = 2005;
    longest.wMonth = 10;
    longest.wDay = 12;
    ASSERT_TRUE(::SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&longest)));
    ::GetWindowText(picker, text, sizeof text);
    EXPECT_STREQ(text, "\x9Croda,  12 pa\x9F" "dziernika 2005");
    ::SetFocus(picker);
    RECT client{};
    ::GetClientRect(picker, &client);
    const CRect button(controls::date_picker_button_rect(client, 0, controls::drop_button_width()));
    {
      gallery::Picture date_picture(picker, "options_date_long");
      // The text ends well before the drop button.
      RECT inside{2, 2, button.left, date_picture.height() - 2};
      EXPECT_GT(date_picture.dark(inside), 40);
      EXPECT_LT(date_picture.rightmost_dark(inside), button.left * 3 / 4);
      EXPECT_GT(date_picture.count(inside, ::GetSysColor(COLOR_HIGHLIGHT)), 20);
      EXPECT_GT(date_picture.dark(button), 5);  // its arrow
    }
    // The button drops the calendar below the picker, light blue in italics, on the shown day;
    // Esc closes it.
    ::SendMessage(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
    HWND calendar = HWND(::SendMessage(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    CRect field, dropped;
    ::GetWindowRect(picker, &field);
    ::GetWindowRect(calendar, &dropped);
    EXPECT_EQ(dropped.TopLeft(), CPoint(field.left, field.bottom));
    LOGFONT used{};
    ASSERT_NE(::GetObject(HFONT(::SendMessage(calendar, WM_GETFONT, 0, 0)), sizeof used, &used), 0);
    EXPECT_TRUE(used.lfItalic);
    SYSTEMTIME day{};
    ::SendMessage(calendar, MCM_GETCURSEL, 0, LPARAM(&day));
    EXPECT_EQ(day.wYear * 10000 + day.wMonth * 100 + day.wDay, 20051012);
    {
      gallery::Picture month(calendar, "options_date_calendar", true);
      EXPECT_GT(month.count(RECT{0, 0, month.width(), month.height()}, 0xFFDCDC), 1000);
      EXPECT_GT(month.dark(RECT{0, 20, month.width(), month.height()}), 100);  // the days
    }
    ::SendMessage(picker, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(::IsWindow(calendar));
    SYSTEMTIME chosen{};
    chosen.wYear = 2005;
    chosen.wMonth = 3;
    chosen.wDay = 17;
    NMDATETIMECHANGE change{{::GetDlgItem(general, IDC_OPT_LEGAL_DATE), IDC_OPT_LEGAL_DATE, DTN_DATETIMECHANGE},
                            GDT_VALID, chosen};
    ::SendMessage(general, WM_NOTIFY, IDC_OPT_LEGAL_DATE, LPARAM(&change));

    // Switching the hover look tells at once that it takes effect at the next start.
    Click(general, IDC_OPT_HOVER_LOOK);
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0], "Zmiana tej opcji odniesie skutek dopiero przy ponownym uruchomieniu programu.");

    // 17 sheets are refused with the range message; 12 are taken.
    ::SetDlgItemText(general, IDC_OPT_MAX_SHEETS, "17");
    s->PressButton(IDOK);
    ++tries;
    EXPECT_EQ(prompts_.asked.size(), 2u);
    EXPECT_TRUE(::IsWindow(h)) << "OK refused";
    ::SetDlgItemText(general, IDC_OPT_MAX_SHEETS, "12");

    // Printing: unchecking the notes column disables the width and keeps the stored one.
    s->SetActivePage(1);
    HWND print = s->GetPage(1)->m_hWnd;
    char width[32] = {};
    ::GetDlgItemText(print, IDC_OPT_NOTES_WIDTH, width, sizeof width);
    EXPECT_EQ(std::string(width).substr(0, 3), "5.5");
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(print, IDC_OPT_NOTES_WIDTH)));
    gallery::Picture(h, "options_print", true);
    Click(print, IDC_OPT_NOTES_COLUMN);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(print, IDC_OPT_NOTES_WIDTH)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(print, IDC_OPT_NOTES_WIDTH_SPIN)));

    // Links: the negative colour well shows only with negative links.
    s->SetActivePage(2);
    HWND links = s->GetPage(2)->m_hWnd;
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(links, IDC_OPT_WELL_NEGATIVE)));
    Click(links, IDC_OPT_NEGATIVE_LINKS);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(links, IDC_OPT_WELL_NEGATIVE)));
    ::SendMessage(links, SEC_WM_COLORSELECTED, IDC_OPT_WELL_ART, LPARAM(0x0000FF));
    gallery::Picture links_picture(h, "options_links", true);
    // The wells lie apart from each other and from the check boxes, inside the page.
    std::vector<RECT> boxes;
    for (UINT id : {IDC_OPT_WELL_DU, IDC_OPT_WELL_POZ, IDC_OPT_WELL_ART, IDC_OPT_WELL_ARTW, IDC_OPT_WELL_NEGATIVE,
                    IDC_OPT_TIP_ARTW, IDC_OPT_BOLD_ARTW, IDC_OPT_NEGATIVE_LINKS, IDC_OPT_TRACK_LINKS}) {
      boxes.push_back(gallery::rect_in(::GetDlgItem(links, int(id)), links));
    }
    RECT page;
    ::GetClientRect(links, &page);
    for (size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_LE(boxes[i].right, page.right) << i;
      EXPECT_LE(boxes[i].bottom, page.bottom) << i;
      for (size_t j = i + 1; j < boxes.size(); ++j) {
        const bool apart = boxes[i].right <= boxes[j].left || boxes[j].right <= boxes[i].left ||
                           boxes[i].bottom <= boxes[j].top || boxes[j].bottom <= boxes[i].top;
        EXPECT_TRUE(apart) << i << " " << j;
      }
    }
    // Every well is drawn (not left as bare page).
    for (UINT id : {IDC_OPT_WELL_DU, IDC_OPT_WELL_ARTW, IDC_OPT_WELL_NEGATIVE}) {
      EXPECT_GT(links_picture.dark(gallery::rect_in(::GetDlgItem(links, int(id)), h, true)), 10) << id;
    }
    s->PressButton(IDOK);
  });
  ASSERT_EQ(sheet.DoModal(), IDOK);
  EXPECT_TRUE(ran_);
  EXPECT_EQ(tries, 1);
  sheet.WriteSettings(data);
  EXPECT_EQ(data.m_nMaxSheets, 12);
  EXPECT_EQ(data.m_bHoverLook, 0);
  EXPECT_EQ(data.m_bNotesColumn, 0);
  EXPECT_EQ(data.m_nNotesWidth, 55);
  EXPECT_EQ(data.m_bNegativeLinks, 1);
  EXPECT_EQ(data.m_crLinkArt, 0x0000FFu);
  SYSTEMTIME stored{};
  ASSERT_TRUE(CTime(data.m_tLibraryDate).GetAsSystemTime(stored));
  EXPECT_EQ(stored.wYear, 2005);
  EXPECT_EQ(stored.wMonth, 3);
  EXPECT_EQ(stored.wDay, 17);
}

TEST_F(DialogTest, MousePageChoosesCommandsByContext) {
  CMainFrame* frame = MakeFrame();
  CGSMouseManager* manager = frame->GetMouseManager();
  CMouseCommandList text = CMousePage::TextSheetCommands();
  CMouseCommandList pictures = CMousePage::PictureSheetCommands();
  // Every command the page offers survives the next start.
  for (const auto& c : text) EXPECT_TRUE(CGSMouseManager::IsOfferedCommand(kMouseContextText, c->m_nId)) << c->m_nId;
  for (const auto& c : pictures)
    EXPECT_TRUE(CGSMouseManager::IsOfferedCommand(kMouseContextPicture, c->m_nId)) << c->m_nId;

  CMousePage page;
  page.m_pTextCommands = &text;
  page.m_pPictureCommands = &pictures;
  CPropertySheet sheet("Dostosuj", frame);
  sheet.AddPage(&page);
  OnDialog([&](HWND h) {
    HWND p = page.m_hWnd;
    HWND list = ::GetDlgItem(p, IDC_MOUSE_CONTEXTS);
    HWND commands = ::GetDlgItem(p, IDC_MOUSE_COMMANDS);
    CListCtrl* contexts = static_cast<CListCtrl*>(CWnd::FromHandle(list));
    ASSERT_EQ(contexts->GetItemCount(), 2);
    EXPECT_EQ(Utf8(contexts->GetItemText(0, 0)), "Arkusz z rysunkiem");
    EXPECT_EQ(Utf8(contexts->GetItemText(1, 0)), "Arkusz z tekstem");
    // The picture sheet is selected and its commands listed; the default reaction is checked.
    EXPECT_EQ(::SendMessage(commands, LB_GETCOUNT, 0, 0), LRESULT(pictures.size()));
    EXPECT_EQ(::IsDlgButtonChecked(p, IDC_MOUSE_DEFAULT), UINT(BST_CHECKED));
    EXPECT_FALSE(::IsWindowEnabled(commands));

    // The user's choice, then "Tryb z linijkami".
    Click(p, IDC_MOUSE_CHOSEN);
    EXPECT_TRUE(::IsWindowEnabled(commands));
    ::SendMessage(commands, LB_SETCURSEL, 10, 0);
    ::SendMessage(p, WM_COMMAND, MAKEWPARAM(IDC_MOUSE_COMMANDS, LBN_SELCHANGE), LPARAM(commands));
    EXPECT_EQ(manager->GetActionCommand(kMouseContextPicture), 32957);
    gallery::Picture(h, "mouse_page", true);

    // The text sheet has its own state, and its user-chosen reaction can be taken.
    contexts->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(::SendMessage(commands, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(::IsDlgButtonChecked(p, IDC_MOUSE_DEFAULT), UINT(BST_CHECKED));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(p, IDC_MOUSE_CHOSEN)));
    Click(p, IDC_MOUSE_CHOSEN);
    ::SendMessage(commands, LB_SETCURSEL, 0, 0);
    ::SendMessage(p, WM_COMMAND, MAKEWPARAM(IDC_MOUSE_COMMANDS, LBN_SELCHANGE), LPARAM(commands));
    EXPECT_EQ(manager->GetActionCommand(kMouseContextText), 32793);

    // Back to the picture sheet: its command is selected with the user's reaction checked.
    contexts->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(::IsDlgButtonChecked(p, IDC_MOUSE_CHOSEN), UINT(BST_CHECKED));
    EXPECT_EQ(::SendMessage(commands, LB_GETCURSEL, 0, 0), 10);
    // The default reaction removes the assignment.
    Click(p, IDC_MOUSE_DEFAULT);
    EXPECT_EQ(manager->GetActionCommand(kMouseContextPicture), 0);
    sheet.PressButton(IDOK);
  });
  sheet.DoModal();
  EXPECT_TRUE(ran_);
}

TEST(Credits, LinesSequenceAndSystemText) {
  const std::vector<CString> lines = credits::SplitLines("a\t|b\n||c", '|');
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(credits::KindOf(lines[0]), credits::LineKind::kTitle);
  EXPECT_EQ(credits::KindOf(lines[1]), credits::LineKind::kGroup);
  EXPECT_EQ(credits::KindOf(lines[2]), credits::LineKind::kText);
  EXPECT_EQ(credits::HeightOf(credits::LineKind::kTitle), 21);
  EXPECT_EQ(credits::HeightOf(credits::LineKind::kText), 15);
  EXPECT_NE(credits::StoredCredits().Find("LumoKAL"), -1);

  // The right order (the middle one with Ctrl) reaches the end; a wrong click can never recover.
  int state = 0;
  state = credits::AdvanceSequence(state, IDC_ABOUT_KEY1, false);
  state = credits::AdvanceSequence(state, IDC_ABOUT_KEY2, true);
  state = credits::AdvanceSequence(state, IDC_ABOUT_KEY3, false);
  EXPECT_EQ(state, credits::kSequenceDone);
  state = credits::AdvanceSequence(0, IDC_ABOUT_KEY2, true);
  EXPECT_EQ(state, -1);
  for (UINT id : {IDC_ABOUT_KEY1, IDC_ABOUT_KEY2, IDC_ABOUT_KEY3}) {
    EXPECT_EQ(credits::AdvanceSequence(state, id, false), -1);
    EXPECT_EQ(credits::AdvanceSequence(state, id, true), -1);
  }
  EXPECT_EQ(credits::AdvanceSequence(credits::AdvanceSequence(0, IDC_ABOUT_KEY1, false), IDC_ABOUT_KEY2, false), -1);
}

TEST_F(DialogTest, SystemLinesSayWhatThePlatformReports) {
  MEMORYSTATUS memory;
  memory.dwTotalPhys = size_t(8) * 1024 * 1024 * 1024;
  EXPECT_EQ(Utf8(credits::MemoryLine(memory)), "Fiz. pamięć operacyjna - 8388608 KB.");
  EXPECT_EQ(Utf8(credits::DiskLine(true, '/', uint64_t(5) * 1024 * 1024)), "Wolne miejsce na dysku / - 5120 KB.");
  EXPECT_EQ(Utf8(credits::DiskLine(false, '/', 0)), "Unavailable");
  OSVERSIONINFO v;
  v.dwPlatformId = VER_PLATFORM_LINUX;
  v.dwMajorVersion = 6;
  v.dwMinorVersion = 1;
  v.dwBuildNumber = 18;
  std::snprintf(v.szCSDVersion, sizeof v.szCSDVersion, "%s", "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(Utf8(credits::SystemLine(v)), "Linux 6.1.18 (Debian GNU/Linux 12 (bookworm)).");
  v.dwPlatformId = VER_PLATFORM_WIN32_NT;
  v.dwMajorVersion = 4;
  v.dwMinorVersion = 0;
  v.dwBuildNumber = 1381;
  EXPECT_EQ(Utf8(credits::SystemLine(v)), "Windows NT 4.0 (Build: 1381).");
}

TEST(AboutLayout, RectanglesAndFontsScaleToTheUsualFont) {
  // The usual font (40 units 60 pixels, 80 units 130 pixels) keeps every rectangle.
  const RECT same = credits::ScaleToUsualFont({10, 20, 70, 150}, 60, 130);
  EXPECT_EQ(same.left, 10);
  EXPECT_EQ(same.bottom, 150);
  // A larger font's layout shrinks back to the usual one.
  const RECT larger = credits::ScaleToUsualFont({80, 160, 160, 320}, 80, 160);
  EXPECT_EQ(larger.left, 60);
  EXPECT_EQ(larger.top, 130);
  EXPECT_EQ(larger.right, 120);
  EXPECT_EQ(larger.bottom, 260);
  EXPECT_EQ(credits::ScaleFontHeight(-16, 160), -13);
  // A font that measures nothing changes nothing.
  EXPECT_EQ(credits::ScaleToUsualFont({1, 2, 3, 4}, 0, 130).right, 3);
  EXPECT_EQ(credits::ScaleFontHeight(-11, 0), -11);
}

TEST_F(DialogTest, AboutBoxShowsTheMachineAndRunsTheCreditsAfterTheSequence) {
  CMainFrame* frame = MakeFrame();
  CAboutDlg about(frame);
  OnDialog([&](HWND h) {
    char memory[128] = {};
    ::GetDlgItemText(h, IDC_ABOUT_MEMORY, memory, sizeof memory);
    EXPECT_EQ(Utf8(CString(memory)).rfind("Fiz. pamięć operacyjna - ", 0), 0u);
    char system[256] = {};
    ::GetDlgItemText(h, IDC_ABOUT_SYSTEM, system, sizeof system);
    EXPECT_EQ(std::string(system).substr(0, 6), "Linux ");
    EXPECT_TRUE(about.HasPalette());
    // The box is laid out as the usual 8-point font would lay it out (1.5 pixels a dialog unit
    // across, 1.625 down), whatever the font here measures.
    const RECT ok = gallery::rect_in(::GetDlgItem(h, IDOK), h);
    const RECT expected{345, 216, 420, 239};
    EXPECT_NEAR(ok.left, expected.left, 1);
    EXPECT_NEAR(ok.top, expected.top, 1);
    EXPECT_NEAR(ok.right, expected.right, 1);
    EXPECT_NEAR(ok.bottom, expected.bottom, 1);
    RECT client;
    ::GetClientRect(h, &client);
    EXPECT_NEAR(client.right, 430, 1);
    EXPECT_NEAR(client.bottom, 250, 1);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(h, IDC_ABOUT_CREDITS))) << "shown only while running";
    gallery::Picture still(h, "about_box", true);
    const RECT picture = gallery::rect_in(::GetDlgItem(h, IDC_ABOUT_PICTURE), h, true);
    EXPECT_GT(still.dark(picture), 50) << "the picture is drawn";
    // Moved controls are drawn again whole: no stale strip is left along their lower edges.
    for (UINT id : {IDC_ABOUT_KEY1, IDC_ABOUT_KEY2, IDC_ABOUT_MEMORY}) {
      const RECT text = gallery::rect_in(::GetDlgItem(h, int(id)), h, true);
      EXPECT_EQ(still.light(RECT{text.left, text.bottom - 1, text.right, text.bottom}), 0) << id;
    }

    // A click on the picture without the sequence does nothing.
    const RECT credits_box = gallery::rect_in(::GetDlgItem(h, IDC_ABOUT_CREDITS), h);
    const LPARAM inside = MAKELPARAM((credits_box.left + credits_box.right) / 2, (credits_box.top + credits_box.bottom) / 2);
    ::SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    EXPECT_FALSE(about.AreCreditsRunning());
    // The sequence, then the picture: the credits run; the next click stops them.
    about.OnSequenceClick(IDC_ABOUT_KEY1, false);
    about.OnSequenceClick(IDC_ABOUT_KEY2, true);
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_KEY3, STN_CLICKED), 0);  // through the dialog
    EXPECT_EQ(about.GetSequenceState(), credits::kSequenceDone);
    // The test moves the credits itself: the control's own timer waits 100 seconds.
    about.GetCredits().ChooseSpeed(0, 100000);
    ::SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    EXPECT_TRUE(about.AreCreditsRunning());
    for (int i = 0; i < 60; ++i) ::SendMessage(::GetDlgItem(h, IDC_ABOUT_CREDITS), WM_TIMER, CCreditStatic::kTimerId, 0);
    gallery::Picture running(h, "about_box_credits", true);
    EXPECT_GT(running.count(gallery::rect_in(::GetDlgItem(h, IDC_ABOUT_CREDITS), h, true), 0x0000FFu), 5)
        << "the red title has scrolled in";
    ::SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_FALSE(about.AreCreditsRunning());
    ::PostMessage(h, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(about.DoModal(), IDOK);
  EXPECT_TRUE(ran_);
}

}  // namespace
}  // namespace lumo::test
