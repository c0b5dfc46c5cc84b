#include "bench/support/text_sheet.h"

#include <filesystem>

#include "engine/medview/engine_startup.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/mdi.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"

// Qt's keyword macros would rename members of the headers above: the Qt header comes last.
#include <QApplication>

namespace bench {

TextSheet OpenTextSheet(const char* program, const std::string& folder, const std::string& library_folder, int width,
                        int height) {
  TextSheet sheet;
  static int argc = 1;
  static char* argv[] = {const_cast<char*>(program), nullptr};
  new QApplication(argc, argv);
  resources::register_program_resources();
  controls::register_standard_controls();
  std::filesystem::create_directories(folder);
  base::Profile::set_app_path(folder + "/LumoKAL.ini");
  base::RegistryStore::set_user_path(folder + "/registry.dat");
  base::set_data_folder(folder);
  if (library_folder.empty()) return sheet;
  sheet.app = new CLumoApp();
  medview::MvStartup(0);
  sheet.app->SetDataDir(CString(library_folder + "/"));
  sheet.app->OpenCatalogFile();
  auto* main = new CMDIFrameWnd();
  if (!main->LoadFrame(resources::IDR_MAINFRAME)) return sheet;
  main->MoveWindow(0, 0, width, height);
  main->ShowWindow(SW_SHOW);
  sheet.app->m_pMainWnd = main;
  auto* text_template = new CLumoKALDocTemplate(resources::IDS_WORK_DOCUMENT, RUNTIME_CLASS(CLumoKALDoc),
                                                RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CLumoKALView));
  sheet.app->AddDocTemplate(text_template);
  sheet.work = dynamic_cast<CLumoKALDoc*>(text_template->OpenDocumentFile(nullptr));
  if (sheet.work) sheet.view = sheet.work->GetCurrentTextView();
  return sheet;
}

}  // namespace bench
