#include "tests/support/app_fixture.h"

#include <unistd.h>

#include <filesystem>

#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/prompter.h"
#include "resources/program_resources.h"

namespace lumo::test {

AppTest::AppTest(std::string sample, int otherwise, std::string acts)
    : prompts_(otherwise), sample_(std::move(sample)), acts_(std::move(acts)) {}

void AppTest::SetUp() {
  GuiTest::SetUp();
  resources::register_program_resources();
  controls::register_standard_controls();
  library_ = &compiler_test::Compile(acts_.empty() ? compiler_test::SourceDir() + "/samples/acts" : acts_, sample_);
  // A skipped file (exit 1) still leaves the library written.
  ASSERT_TRUE(library_->result == 0 || (!acts_.empty() && library_->result == 1 &&
                                        std::filesystem::exists(LibraryTitlePath())))
      << library_->error;
  folder_ = base::temp_folder() + "/" + sample_ + "_test_" + std::to_string(::getpid());
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_ + "/data");
  base::Profile::set_app_path(folder_ + "/LumoKAL.ini");
  base::RegistryStore::set_user_path(folder_ + "/registry.dat");
  base::set_data_folder(folder_ + "/data");
  framework::set_prompter(&prompts_);
  app_ = std::make_unique<CLumoApp>();
  app_->GetInstanceGuard().SetScope(InstanceScope());
}

void AppTest::TearDown() {
  if (app_ && app_->m_pMainWnd && app_->m_pMainWnd->m_hWnd) app_->m_pMainWnd->DestroyWindow();
  pump();
  app_.reset();
  framework::set_prompter(nullptr);
  base::set_data_folder("");
  GuiTest::TearDown();
  std::filesystem::remove_all(folder_);
}

BOOL AppTest::StartWithLibrary() {
  base::Profile::app().WriteProfileString("Main", "DataDir", library_->folder.c_str());
  char program[] = "lumokal";
  char* argv[] = {program};
  app_->SetCommandLine(1, argv);
  return app_->InitInstance();
}

CFrameWnd* AppTest::StartWithLibraryAt(int width, int height) {
  if (!StartWithLibrary()) return nullptr;
  auto* main = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd);
  if (main) main->MoveWindow(0, 0, width, height);
  return main;
}

std::string AppTest::InstanceScope() const { return "-" + sample_ + "-" + std::to_string(::getpid()); }

std::string AppTest::LibraryTitlePath() const { return library_->folder + "/" + compiler::kLibraryFileName; }

}  // namespace lumo::test
