// The "Notatki" dialog over a notes database: it opens on the first note, its toolbar follows the
// record set, delete asks first and removes the note from the file, a damaged database is reported.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/app.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/menu.h"
#include "platform/framework/prompter.h"
#include "platform/win/window_api.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/annotations_dlg.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/queued_prompter.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace {

using lumo::test::GuiTest;

std::string Pl(const char* utf8) { return base::cp1250::from_utf8(utf8); }

class AnnotationsDlgTest : public GuiTest {
 protected:
  static constexpr UINT kRunScript = WM_APP + 0x79;

  void SetUp() override {
    GuiTest::SetUp();
    resources::register_program_resources();
    controls::register_standard_controls();
    folder_ = base::temp_folder() + "/notes_dlg_" + std::to_string(::getpid());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    base::set_data_folder(folder_);
    framework::set_prompter(&prompts_);
  }
  void TearDown() override {
    win::set_message_observer(nullptr);
    framework::set_prompter(nullptr);
    base::set_data_folder("");
    std::filesystem::remove_all(folder_);
    GuiTest::TearDown();
  }
  void OnEveryDialog(std::function<void(HWND dialog)> script) {
    win::set_message_observer([script](HWND h, UINT message, WPARAM, LPARAM) {
      if (message == WM_INITDIALOG && !(::GetWindowLong(h, GWL_STYLE) & WS_CHILD)) ::PostMessage(h, kRunScript, 0, 0);
      if (message == kRunScript) script(h);
    });
  }
  static void Picture(HWND wnd, const std::string& name) {
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump();
    const char* dir = std::getenv("LUMO_PNG_DIR");
    EXPECT_TRUE(lumo::test::save_window_png(wnd, (dir ? std::string(dir) : base::temp_folder()) + "/" + name, true));
  }
  static bool Enabled(CAnnotationsDlg& dialog, UINT id) {
    dialog.ToolBar().SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    const int index = dialog.ToolBar().CommandToIndex(id);
    EXPECT_GE(index, 0) << id;
    return index >= 0 && !(dialog.ToolBar().GetButtonStyle(index) & TBBS_DISABLED);
  }
  static std::string Text(HWND dialog, UINT id) {
    char text[512] = {};
    ::GetWindowText(::GetDlgItem(dialog, int(id)), text, sizeof text);
    return text;
  }
  void AddNotes() {
    CNoteRecordset notes;
    ASSERT_TRUE(notes.Open());
    CNoteFields first;
    first.m_aid = "DU 1997.0123.0045";
    first.m_date = COleDateTime(2004, 5, 1, 12, 30, 0);
    first.m_note = Pl("Zażółć gęślą jaźń: ćma, łąka, źdźbło.").c_str();
    ASSERT_TRUE(notes.AddNew(first));
    CNoteFields second;
    second.m_aid = "DU 2004.0010.0001";
    second.m_note = "Druga notatka";
    ASSERT_TRUE(notes.AddNew(second));
  }

  std::string folder_;
  lumo::test::QueuedPrompter prompts_{IDNO};
};

TEST_F(AnnotationsDlgTest, OpensOnTheFirstNoteAndDeletesOnlyAfterYes) {
  AddNotes();
  CAnnotationsDlg dialog;
  bool ran = false;
  OnEveryDialog([&](HWND h) {
    ran = true;
    EXPECT_EQ(Text(h, resources::IDC_NOTE_TEXT), Pl("Zażółć gęślą jaźń: ćma, łąka, źdźbło."));
    EXPECT_EQ(Text(h, resources::IDC_NOTE_ACT), "DU 1997.0123.0045");
    EXPECT_EQ(Text(h, resources::IDC_NOTE_DATE), "2004-05-01 12:30");
    Picture(h, "notes_dialog.png");
    // The text fills the dialog below the toolbar with 3-pixel margins.
    RECT client{}, text{}, bar{};
    ::GetClientRect(h, &client);
    ::GetWindowRect(::GetDlgItem(h, int(resources::IDC_NOTE_TEXT)), &text);
    ::GetWindowRect(dialog.ToolBar().m_hWnd, &bar);
    ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&text), 2);
    ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(text.left, 3);
    EXPECT_EQ(text.right, client.right - 3);
    EXPECT_EQ(text.bottom, client.bottom - 3);
    EXPECT_GE(text.top, bar.bottom);
    // The act and date texts stand right of the toolbar, the date after the act, and are drawn.
    RECT act{}, date{};
    ::GetWindowRect(::GetDlgItem(h, int(resources::IDC_NOTE_ACT)), &act);
    ::GetWindowRect(::GetDlgItem(h, int(resources::IDC_NOTE_DATE)), &date);
    ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&act), 2);
    ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&date), 2);
    EXPECT_EQ(act.left, 130);
    EXPECT_EQ(date.left, act.right + 2);
    EXPECT_EQ(date.right, client.right - 3);
    EXPECT_LE(bar.right, act.left);
    bool dark = false;
    HWND act_window = ::GetDlgItem(h, int(resources::IDC_NOTE_ACT));
    for (int x = 0; x < 40; ++x) {
      for (int y = 0; y < act.bottom - act.top; ++y) {
        const DWORD pixel = lumo::test::surface_pixel(act_window, x, y);
        dark = dark || (GetRValue(pixel) < 0x60 && GetGValue(pixel) < 0x60 && GetBValue(pixel) < 0x60);
      }
    }
    EXPECT_TRUE(dark) << "the act's text is not drawn";

    EXPECT_TRUE(Enabled(dialog, resources::ID_NOTE_EDIT));
    EXPECT_TRUE(Enabled(dialog, resources::ID_NOTE_DELETE));
    EXPECT_FALSE(Enabled(dialog, resources::ID_NOTE_AT_END));
    EXPECT_FALSE(Enabled(dialog, resources::ID_NOTE_AT_BEGINNING));
    EXPECT_FALSE(Enabled(dialog, resources::ID_NOTE_UNHANDLED));
    ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_EDIT, 0);
    EXPECT_TRUE(dialog.IsEditing());
    EXPECT_FALSE(Enabled(dialog, resources::ID_NOTE_EDIT));

    // No keeps the note; Yes deletes it and shows the next.
    ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_DELETE, 0);
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0], "Usunąć rekord?");
    EXPECT_EQ(dialog.Records().GetRecordCount(), 2);
    prompts_.answers.push_back(IDYES);
    ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_DELETE, 0);
    EXPECT_EQ(dialog.Records().GetRecordCount(), 1);
    EXPECT_EQ(Text(h, resources::IDC_NOTE_TEXT), "Druga notatka");
    prompts_.answers.push_back(IDYES);
    ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_DELETE, 0);
    // Nothing left: delete is disabled and does nothing; both ends are reached.
    EXPECT_FALSE(Enabled(dialog, resources::ID_NOTE_DELETE));
    EXPECT_TRUE(Enabled(dialog, resources::ID_NOTE_AT_END));
    EXPECT_TRUE(Enabled(dialog, resources::ID_NOTE_AT_BEGINNING));
    EXPECT_EQ(Text(h, resources::IDC_NOTE_TEXT), "");
    ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_DELETE, 0);
    EXPECT_EQ(prompts_.asked.size(), 3u);
    ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(dialog.Records().IsOpen());
  CNoteRecordset after;
  ASSERT_TRUE(after.Open());
  EXPECT_EQ(after.GetRecordCount(), 0);
}

TEST_F(AnnotationsDlgTest, ADamagedDatabaseIsReportedAndTheDialogShowsNothing) {
  std::ofstream(folder_ + "/notatki.db", std::ios::binary) << std::string(4096, 'J');
  CAnnotationsDlg dialog;
  bool ran = false;
  OnEveryDialog([&](HWND h) {
    ran = true;
    EXPECT_FALSE(dialog.Records().IsOpen());
    EXPECT_FALSE(Enabled(dialog, resources::ID_NOTE_DELETE));
    EXPECT_EQ(Text(h, resources::IDC_NOTE_TEXT), "");
    // A note written there cannot be stored: said, and the dialog keeps it until the user drops it.
    ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_EDIT, 0);
    HWND text = ::GetDlgItem(h, int(resources::IDC_NOTE_TEXT));
    ::SetWindowText(text, "Nowa notatka");
    ::SendMessage(text, EM_SETMODIFY, TRUE, 0);
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(::IsWindow(h));
    EXPECT_EQ(Text(h, resources::IDC_NOTE_TEXT), "Nowa notatka");
    prompts_.answers.push_back(IDNO);
    ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(ran);
  ASSERT_EQ(prompts_.asked.size(), 3u);
  EXPECT_NE(prompts_.asked[0].find("notatki.db"), std::string::npos) << prompts_.asked[0];
  EXPECT_NE(prompts_.asked[1].find("Nie można zapisać notatki"), std::string::npos) << prompts_.asked[1];
  EXPECT_EQ(prompts_.asked[2], "Zapisać zmiany w notatce?");
}

// The main window: it records the prompts and commands a dialog hands to it.
class RecordingMain : public CWnd {
 public:
  std::vector<UINT> prompts;
  std::vector<UINT> commands;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    if (message == WM_SETMESSAGESTRING) prompts.push_back(UINT(wParam));
    if (message == WM_COMMAND) commands.push_back(UINT(LOWORD(wParam)));
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
  }
};

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("Lumo Test") {}
};

TEST_F(AnnotationsDlgTest, EditingStoresTheNoteAndAddingMakesANewOne) {
  AddNotes();
  const std::string changed = Pl("Poprawiona treść: źrebię, łódź, ćwierć.");
  {
    CAnnotationsDlg dialog;
    OnEveryDialog([&](HWND h) {
      HWND text = ::GetDlgItem(h, int(resources::IDC_NOTE_TEXT));
      EXPECT_TRUE(::GetWindowLong(text, GWL_STYLE) & ES_READONLY) << "read-only until edited";
      ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_EDIT, 0);
      EXPECT_FALSE(::GetWindowLong(text, GWL_STYLE) & ES_READONLY);
      EXPECT_EQ(::GetFocus(), text);
      ::SetWindowText(text, changed.c_str());
      ::SendMessage(text, EM_SETMODIFY, TRUE, 0);
      EXPECT_FALSE(Enabled(dialog, resources::ID_NOTE_EDIT));
      Picture(h, "notes_dialog_editing.png");
      ::SendMessage(h, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
  }
  CNoteRecordset after;
  ASSERT_TRUE(after.Open());
  ASSERT_EQ(after.GetRecordCount(), 2);
  EXPECT_EQ(std::string(after.m_note), changed);
  EXPECT_EQ(std::string(after.m_aid), "DU 1997.0123.0045") << "editing keeps the note's act";
  after.Close();

  // With no note to stand on (all deleted), editing starts a new note for the given act.
  {
    CAnnotationsDlg dialog;
    dialog.SetActId("DU 2001.0010.0005");
    OnEveryDialog([&](HWND h) {
      dialog.Records().MoveLast();
      dialog.Records().MoveNext();
      ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_EDIT, 0);
      HWND text = ::GetDlgItem(h, int(resources::IDC_NOTE_TEXT));
      EXPECT_EQ(Text(h, resources::IDC_NOTE_TEXT), "");
      lumo::test::type_text(Pl("Nowa: gęś"));
      pump();
      EXPECT_EQ(Text(h, resources::IDC_NOTE_TEXT), Pl("Nowa: gęś"));
      EXPECT_EQ(::GetFocus(), text);
      EXPECT_FALSE(Enabled(dialog, resources::ID_NOTE_DELETE));
      Picture(h, "notes_dialog_new_note.png");
      // The statics name the new note's act and no date.
      EXPECT_EQ(Text(h, resources::IDC_NOTE_ACT), "DU 2001.0010.0005");
      EXPECT_EQ(Text(h, resources::IDC_NOTE_DATE), "");
      HWND date = ::GetDlgItem(h, int(resources::IDC_NOTE_DATE));
      RECT box{};
      ::GetClientRect(date, &box);
      int ink = 0;
      for (int x = 0; x < box.right; ++x) {
        for (int y = 0; y < box.bottom; ++y) {
          const DWORD pixel = lumo::test::surface_pixel(date, x, y);
          ink += GetRValue(pixel) < 0x60 && GetGValue(pixel) < 0x60 && GetBValue(pixel) < 0x60;
        }
      }
      EXPECT_EQ(ink, 0) << "an old note's date is still drawn";
      ::SendMessage(h, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
  }
  ASSERT_TRUE(after.Open());
  ASSERT_EQ(after.GetRecordCount(), 3);
  after.MoveLast();
  EXPECT_EQ(std::string(after.m_note), Pl("Nowa: gęś"));
  EXPECT_EQ(std::string(after.m_aid), "DU 2001.0010.0005");
  EXPECT_EQ(after.m_nid, 3);
  EXPECT_EQ(after.m_date.GetStatus(), COleDateTime::valid);
}

TEST_F(AnnotationsDlgTest, ALongOrUnsavedTextIsNeverLostSilently) {
  AddNotes();
  CAnnotationsDlg dialog;
  int runs = 0;
  OnEveryDialog([&](HWND h) {
    if (++runs > 1) return;  // the message boxes are answered by the prompter
    HWND text = ::GetDlgItem(h, int(resources::IDC_NOTE_TEXT));
    ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_EDIT, 0);
    ::SetWindowText(text, std::string(300, 'x').c_str());
    ::SendMessage(text, EM_SETMODIFY, TRUE, 0);
    // Too long: said, and the dialog stays with the text.
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_NE(prompts_.asked[0].find("255"), std::string::npos) << prompts_.asked[0];
    EXPECT_TRUE(::IsWindow(h));
    EXPECT_EQ(Text(h, resources::IDC_NOTE_TEXT).size(), 300u);
    // Cancel asks; "Anuluj" keeps the dialog, "Nie" drops the change.
    prompts_.answers.push_back(IDCANCEL);
    ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
    ASSERT_EQ(prompts_.asked.size(), 2u);
    EXPECT_EQ(prompts_.asked[1], "Zapisać zmiany w notatce?");
    EXPECT_TRUE(::IsWindow(h));
    ::SetWindowText(text, "krótko");
    prompts_.answers.push_back(IDNO);
    ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  CNoteRecordset after;
  ASSERT_TRUE(after.Open());
  EXPECT_EQ(std::string(after.m_note), Pl("Zażółć gęślą jaźń: ćma, łąka, źdźbło.")) << "the change was dropped";
}

TEST_F(AnnotationsDlgTest, PromptsMenusAndHelpGoThroughTheMainWindowAsInAFrame) {
  AddNotes();
  TestApp app;
  RecordingMain main;
  ASSERT_TRUE(main.CreateEx(0, nullptr, "Główne", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  app.m_pMainWnd = &main;
  CAnnotationsDlg dialog;
  OnEveryDialog([&](HWND h) {
    main.prompts.clear();
    // A menu item's prompt shows when the menu waits, once; the idle prompt when it closes.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, resources::ID_NOTE_DELETE, "Usuń");
    menu.AppendMenu(MF_STRING, resources::ID_NOTE_AT_END, "Koniec");
    menu.AppendMenu(MF_STRING, resources::ID_NOTE_UNHANDLED, "Niedostępne");
    ::SendMessage(h, WM_MENUSELECT, MAKEWPARAM(resources::ID_NOTE_DELETE, MF_STRING), LPARAM(menu.m_hMenu));
    ::SendMessage(h, WM_ENTERIDLE, MSGF_MENU, 0);
    ::SendMessage(h, WM_ENTERIDLE, MSGF_MENU, 0);
    ::SendMessage(h, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(main.prompts, (std::vector<UINT>{resources::ID_NOTE_DELETE, AFX_IDS_IDLEMESSAGE}));
    // The toolbar's fly-by prompts and popped strings reach it too.
    ::SendMessage(h, WM_POPMESSAGESTRING, resources::ID_NOTE_EDIT, 0);
    EXPECT_EQ(main.prompts.back(), resources::ID_NOTE_EDIT);
    // A pop-up menu follows the dialog's command states when it opens.
    ::SendMessage(h, WM_INITMENUPOPUP, WPARAM(menu.m_hMenu), MAKELPARAM(0, FALSE));
    EXPECT_FALSE(menu.GetMenuState(resources::ID_NOTE_DELETE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(resources::ID_NOTE_AT_END, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(resources::ID_NOTE_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
    // Context help is the main window's mode.
    ::SendMessage(h, WM_COMMAND, ID_CONTEXT_HELP, 0);
    EXPECT_EQ(main.commands, (std::vector<UINT>{ID_CONTEXT_HELP}));
    // The text control's notifications are answered with 0.
    NMHDR header{::GetDlgItem(h, int(resources::IDC_NOTE_TEXT)), resources::IDC_NOTE_TEXT, 0x0700};
    EXPECT_EQ(::SendMessage(h, WM_NOTIFY, resources::IDC_NOTE_TEXT, LPARAM(&header)), 0);
    menu.DestroyMenu();
    ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  app.m_pMainWnd = nullptr;
  main.DestroyWindow();
}

}  // namespace
