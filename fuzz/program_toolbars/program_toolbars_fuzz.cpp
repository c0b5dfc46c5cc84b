// Loads toolbars that hold the program's window buttons (the position field with its labels, the
// colour wells, the query box) from fuzzed profile text into a toolkit MDI frame: the bars, their
// "Buttons" records with each window button's saved width, and the dock layout that makes them
// again. Whatever the profile says, the load ends without harm, the field still shows a position
// and the state saves again.
#include <QApplication>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "controls/gs_toolbar_edit_btn.h"
#include "controls/gs_well_color_btn.h"
#include "platform/base/ini_document.h"
#include "platform/base/profile.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/app.h"
#include "platform/win/message_queue.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/widgets/hover_combo.h"
#include "toolkit/widgets/toolbar_manager.h"

namespace {

void pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

const UINT kForm[] = {resources::ID_PICTURE_POSITION, 0, resources::ID_LINKS_JOURNAL, resources::ID_SEARCH_QUERY_BOX};
const SECButtonMapEntry kMap[] = {
    {&SECToolBarComboHost::buttonClassSECToolBarComboHost, resources::ID_SEARCH_QUERY_BOX, 0x30000000,
     {resources::ID_SEARCH_QUERY_BOX, 2, 0x003C00A0, 200, 0}},
    {&CGSToolbarEditBtn::buttonClassCGSToolbarEditBtn, resources::ID_PICTURE_POSITION, SEC_TBBS_NODISABLE,
     {resources::ID_PICTURE_POSITION, 0, 0x006400FF, 0, 0}},
    {&CGSWellColorBtn::buttonClassCGSWellColorBtn, resources::ID_LINKS_JOURNAL, 0,
     {resources::ID_LINKS_JOURNAL, 0, 0x00000020, 20, 0}},
    {nullptr, 0, 0, {}},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int argc = 3;
  static char name[] = "fuzz_program_toolbars", option[] = "-platform", platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  static QApplication* qt = std::make_unique<QApplication>(argc, argv).release();
  static CWinApp* app = std::make_unique<CWinApp>("LumoKAL").release();
  static const std::string path = base::temp_folder() + "/fuzz_program_toolbars.ini";
  static const bool registered = [] {
    resources::register_program_resources();
    auto field = std::make_unique<CGSToolbarEditBtnData>();
    field->nID = int(resources::ID_PICTURE_POSITION);
    field->bLabels = 1;
    CGSToolbarEditBtnDataCache::Instance().Add(std::move(field));
    return true;
  }();
  (void)qt;
  (void)registered;

  const base::IniDocument document =
      base::IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << document.serialize();
  }
  base::Profile::set_app_path(path);

  auto* frame = std::make_unique<SECMDIFrameWnd>().release();  // ends itself with its window
  if (!frame->Create(nullptr, "Okno")) return 0;
  app->m_pMainWnd = frame;
  frame->EnableDocking(CBRS_ALIGN_ANY);
  {
    SECToolBarManager manager(frame);
    frame->SetControlBarManager(&manager);
    manager.LoadToolBarBitmaps(resources::IDR_MAINFRAME, resources::IDR_MAINFRAME);
    manager.SetButtonMap(kMap);
    manager.DefineToolBar(resources::IDR_TOOLBAR_FORM, "Formularz", int(std::size(kForm)), kForm);
    manager.LoadStateFromProfile("LumoKAL");
    frame->RecalcLayout();
    pump();
    for (SECCustomToolBar* bar : manager.GetBars()) {
      const int index = bar->FindButtonByCommand(resources::ID_PICTURE_POSITION);
      if (auto* field = dynamic_cast<CGSToolbarEditBtn*>(bar->GetButton(index))) {
        field->SetPosition(300, 150, 1.0f);
        if (field->GetXText() != CString("2.00 cm")) std::abort();
        field->EnableFields(FALSE);
      }
    }
    pump();
    manager.SaveStateToProfile("LumoKAL");
    frame->SetControlBarManager(nullptr);
  }
  frame->DestroyWindow();
  pump();
  app->m_pMainWnd = nullptr;
  return 0;
}
