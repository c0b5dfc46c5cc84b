// Loads toolbars that hold the program's window buttons (the position field with its labels, the
// colour wells, the query box) from fuzzed profile text into a toolkit MDI frame: the bars, their
// "Buttons" records with each window button's saved width, and the dock layout that makes them
// again. Whatever the profile says, the load ends without harm, the field still shows a position
// and the state saves again.
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
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/widgets/hover_combo.h"
#include "toolkit/widgets/toolbar_manager.h"

// Qt's keyword macros would rename members of the headers above: the Qt header comes last.
#include "fuzz/gui_fuzz.h"

namespace {

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
  CWinApp* app = fuzz_gui::Application("fuzz_program_toolbars");
  static const std::string path = base::temp_folder() + "/fuzz_program_toolbars.ini";
  static const bool registered = [] {
    resources::register_program_resources();
    auto field = std::make_unique<CGSToolbarEditBtnData>();
    field->nID = int(resources::ID_PICTURE_POSITION);
    field->bLabels = 1;
    CGSToolbarEditBtnDataCache::Instance().Add(std::move(field));
    return true;
  }();
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
    fuzz_gui::Pump();
    for (SECCustomToolBar* bar : manager.GetBars()) {
      const int index = bar->FindButtonByCommand(resources::ID_PICTURE_POSITION);
      if (auto* field = dynamic_cast<CGSToolbarEditBtn*>(bar->GetButton(index))) {
        field->SetPosition(300, 150, 1.0f);
        if (field->GetXText() != CString("2.00 cm")) std::abort();
        field->EnableFields(FALSE);
      }
    }
    fuzz_gui::Pump();
    manager.SaveStateToProfile("LumoKAL");
    frame->SetControlBarManager(nullptr);
  }
  frame->DestroyWindow();
  fuzz_gui::Pump();
  app->m_pMainWnd = nullptr;
  return 0;
}
