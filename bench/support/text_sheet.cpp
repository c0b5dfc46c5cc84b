#include "bench/support/text_sheet.h"

#include "bench/support/program.h"
#include "engine/medview/engine_startup.h"
#include "platform/framework/mdi.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"

namespace bench {

TextSheet OpenTextSheet(const char* program, const std::string& folder, const std::string& library_folder, int width,
                        int height) {
  TextSheet sheet;
  StartQtWithPrivateSettings(program, folder);
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
