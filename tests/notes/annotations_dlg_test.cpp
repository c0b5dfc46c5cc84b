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
#include "platform/framework/prompter.h"
#include "platform/win/window_api.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/annotations_dlg.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/queued_prompter.h"
#include "tests/support/surface_png.h"

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
    ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(ran);
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_NE(prompts_.asked[0].find("notatki.db"), std::string::npos) << prompts_.asked[0];
}

}  // namespace
