// The application object: its command line, its data folder, and a start that shows the main
// frame with the program's menu and status bar and an end through "Zakończ".
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/base/profile.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/menu.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"
#include "shell/main_frame.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

std::vector<CString> arguments_of(std::initializer_list<const char*> texts) {
  std::vector<CString> out;
  for (const char* t : texts) out.emplace_back(t);
  return out;
}

TEST(LumoCommandLine, NamesTheLibraryFolderAndAWorkFile) {
  struct Case {
    std::initializer_list<const char*> arguments;
    const char* data_dir;
    const char* file;
  };
  const Case cases[] = {
      {{}, "", ""},
      {{"--data", "/srv/biblioteka"}, "/srv/biblioteka", ""},
      {{"--data=/srv/biblioteka"}, "/srv/biblioteka", ""},
      {{"--data", "-dziwna"}, "-dziwna", ""},  // the value is taken as it stands
      {{"--data"}, "", ""},                     // no value: no folder
      {{"/home/ala/praca.lkl"}, "", "/home/ala/praca.lkl"},
      {{"--data", "/srv/b", "praca.lkl"}, "/srv/b", "praca.lkl"},
      {{"praca.lkl", "--data", "/srv/b"}, "/srv/b", "praca.lkl"},
  };
  for (const Case& c : cases) {
    CLumoCommandLineInfo info;
    info.Parse(arguments_of(c.arguments));
    EXPECT_EQ(info.m_strDataDir.str(), c.data_dir);
    EXPECT_EQ(info.m_strFileName.str(), c.file);
    EXPECT_EQ(info.m_nShellCommand, *c.file ? CCommandLineInfo::FileOpen : CCommandLineInfo::FileNew);
  }
}

TEST(LumoDataDir, AFolderLongerThanOneCharacterEndsWithASeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""}, {"D", "D"}, {"/srv/biblioteka", "/srv/biblioteka/"}, {"/srv/biblioteka/", "/srv/biblioteka/"},
  };
  for (const auto& [value, folder] : cases) {
    EXPECT_EQ(CLumoApp::DataDirFromProfileValue(value).str(), folder) << value;
  }
}

class LumoAppTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    resources::register_program_resources();
    controls::register_standard_controls();
    folder_ = base::temp_folder() + "/lumo_app_test_" + std::to_string(::getpid());
    std::filesystem::create_directories(folder_);
    base::Profile::set_app_path(folder_ + "/LumoKAL.ini");
    app_ = std::make_unique<CLumoApp>();
  }
  void TearDown() override {
    if (app_->m_pMainWnd && app_->m_pMainWnd->m_hWnd) app_->m_pMainWnd->DestroyWindow();
    pump();
    app_.reset();
    GuiTest::TearDown();
    std::filesystem::remove_all(folder_);
  }

  std::string folder_;
  std::unique_ptr<CLumoApp> app_;
};

TEST_F(LumoAppTest, StartsWithTheMainFrameAndEndsThroughExit) {
  base::Profile::app().WriteProfileString("Main", "DataDir", "/z/profilu");
  char program[] = "lumokal", data_switch[] = "--data", data[] = "/srv/biblioteka";
  char* argv[] = {program, data_switch, data};
  app_->SetCommandLine(3, argv);
  ASSERT_TRUE(app_->InitInstance());
  // The command line's folder wins over the stored one for this run and is not stored.
  EXPECT_EQ(app_->GetDataDir().str(), "/srv/biblioteka/");
  EXPECT_EQ(base::Profile::app().GetProfileString("Main", "DataDir").str(), "/z/profilu");

  CMainFrame* frame = app_->GetMainFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->IsWindowVisible());
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(title.str(), "LumoKAL");
  std::vector<std::string> popups;
  for (const auto& item : framework::menu_items(::GetMenu(frame->m_hWnd))) {
    popups.push_back(base::cp1250::to_utf8(item.text));
  }
  EXPECT_EQ(popups, (std::vector<std::string>{"&Plik", "&Widok", "&Zakładki", "&Narzędzia", "&Indeks",
                                              "&Okno", "Pomo&c"}));
  ASSERT_NE(frame->m_hWndMDIClient, nullptr);
  EXPECT_EQ(frame->MDIGetActive(), nullptr);  // no sheet yet
  frame->MoveWindow(0, 0, 640, 480);
  pump();
  // The status bar's message pane shows the program's idle text; six indicator panes follow.
  CStatusBar& status = frame->GetStatusBar();
  EXPECT_EQ(base::cp1250::to_utf8(status.GetPaneText(0).str()), " Naciśnij przycisk F1 aby uzyskać pomoc");
  EXPECT_EQ(status.CommandToIndex(resources::ID_INDICATOR_MARK), 6);
  EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_CAPS), 4);

  // The smoke test looks at the whole window on a real X server; here the client's own surface.
  RECT client;
  ::GetClientRect(frame->m_hWndMDIClient, &client);
  EXPECT_EQ(surface_pixel(frame->m_hWndMDIClient, client.right / 2, client.bottom / 2), 0x808080u);

  frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
  pump();
  EXPECT_EQ(app_->m_pMainWnd, nullptr);
  MSG msg;
  EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(app_->ExitInstance(), 0);
}

}  // namespace
}  // namespace lumo::test
