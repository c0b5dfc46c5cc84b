#include "bench/support/program.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/prompter.h"
#include "platform/win/message_loop.h"
#include "resources/program_resources.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"

// Qt's keyword macros would rename members of the headers above: the Qt header comes last.
#include <QApplication>

namespace bench {
namespace {

// Answers every message box "OK" and keeps its text; declines every other question.
class AnsweringPrompter : public framework::Prompter {
 public:
  std::vector<std::string> asked;

  int message_box(HWND, const CString& text, const CString&, UINT) override {
    asked.push_back(text.str());
    return IDOK;
  }
  bool choose_files(HWND, const framework::FileQuestion&, std::vector<CString>&) override { return false; }
  bool choose_folder(HWND, const CString&, CString&) override { return false; }
  bool choose_colour(HWND, COLORREF&) override { return false; }
  bool choose_printer(HWND, CString&, CString&, int&) override { return false; }
};

AnsweringPrompter& Prompts() {
  static AnsweringPrompter prompts;
  return prompts;
}

CLumoApp* g_started = nullptr;

// At exit, before the statics the program's start made go: the main window closed and the
// application object deleted (which takes its hooks away).
void TakeDown() {
  if (!g_started) return;
  if (g_started->m_pMainWnd && g_started->m_pMainWnd->m_hWnd) g_started->m_pMainWnd->DestroyWindow();
  win::pump_waiting_messages();
  delete g_started;
  g_started = nullptr;
  framework::set_prompter(nullptr);
}

}  // namespace

void StartQtWithPrivateSettings(const char* program, const std::string& folder) {
  static int argc = 1;
  static char* argv[] = {const_cast<char*>(program), nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  new QApplication(argc, argv);
  resources::register_program_resources();
  controls::register_standard_controls();
  std::filesystem::create_directories(folder + "/data");
  base::Profile::set_app_path(folder + "/LumoKAL.ini");
  base::RegistryStore::set_user_path(folder + "/registry.dat");
  base::set_data_folder(folder + "/data");
}

StartedProgram StartProgram(const char* program, const std::string& folder, const std::string& library_folder,
                            int width, int height) {
  StartedProgram started;
  StartQtWithPrivateSettings(program, folder);
  if (library_folder.empty()) return started;
  framework::set_prompter(&Prompts());
  base::Profile::app().WriteProfileString("Main", "DataDir", library_folder.c_str());
  started.app = new CLumoApp();
  // A single-instance lock of this process's own, so that no other running copy takes the start.
  started.app->GetInstanceGuard().SetScope("-" + std::string(program) + "-" + std::to_string(::getpid()));
  static char name[] = "lumokal";
  static char* args[] = {name};
  started.app->SetCommandLine(1, args);
  const BOOL up = started.app->InitInstance();
  // Registered once the program's own statics exist, so that it runs before they go.
  g_started = started.app;
  std::atexit(TakeDown);
  if (!up) return started;
  started.frame = started.app->GetMainFrame();
  started.work = CLumoKALDoc::GetCurrentWork();
  if (!started.frame || !started.work) {
    started.frame = nullptr;
    return started;
  }
  started.frame->MoveWindow(0, 0, width, height);
  started.frame->RecalcLayout();
  win::pump_waiting_messages();
  return started;
}

int DispatchWaitingMessages() {
  int dispatched = 0;
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
    ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    win::process_message(msg);
    ++dispatched;
  }
  return dispatched;
}

const std::vector<std::string>& AskedQuestions() { return Prompts().asked; }

}  // namespace bench
