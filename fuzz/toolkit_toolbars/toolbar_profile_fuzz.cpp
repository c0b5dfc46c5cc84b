// Loads the toolbar manager's settings and its toolbars (titles, "Buttons" records, the saved
// dock layout that makes them again by type) from fuzzed profile text into a toolkit MDI frame;
// whatever the profile says, the load must end without harm and the state save again.
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/ini_document.h"
#include "platform/base/profile.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/app.h"
#include "platform/framework/command_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/widgets/custom_toolbar_info.h"
#include "toolkit/widgets/hover_combo.h"
#include "toolkit/widgets/toolbar_manager.h"

// Qt's keyword macros would rename members of the headers above: the Qt header comes last.
#include "fuzz/gui_fuzz.h"

namespace {

const UINT kStandard[] = {resources::ID_FILE_PRINT, 0, resources::ID_EDIT_COPY, resources::ID_SEARCH_QUERY_BOX};
const SECButtonMapEntry kMap[] = {
    {&SECToolBarComboHost::buttonClassSECToolBarComboHost, resources::ID_SEARCH_QUERY_BOX, 0x30000000,
     {116, 2, 0x0028007F, 150, 0}},
    {nullptr, 0, 0, {}},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CWinApp* app = fuzz_gui::Application("fuzz_toolkit_toolbars");
  static const std::string path = base::temp_folder() + "/fuzz_toolbars.ini";
  static const bool registered = (resources::register_program_resources(), true);
  (void)registered;

  const base::IniDocument document =
      base::IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << document.serialize();
  }
  base::Profile::set_app_path(path);

  // The records of one section on their own, as the dock state reads them.
  for (const char* section : {"LumoKAL-Bar0", "LumoKAL-Bar1", "LumoKAL-Bar5"}) {
    SECCustomToolBarInfoEx info;
    info.LoadFromProfile(section, 0);
    if (info.m_buttons.size() > toolbar_records::kMaxButtons) __builtin_trap();
  }

  auto* frame = std::make_unique<SECMDIFrameWnd>().release();  // ends itself with its window
  // A small frame: every move of a window makes its surface again at its new size.
  if (!frame->Create(nullptr, "Okno", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300))) return 0;
  app->m_pMainWnd = frame;
  frame->EnableDocking(CBRS_ALIGN_ANY);
  {
    SECToolBarManager manager(frame);
    frame->SetControlBarManager(&manager);
    manager.LoadToolBarBitmaps(resources::IDR_MAINFRAME, 0);
    manager.SetButtonMap(kMap);
    manager.DefineToolBar(0xE800, "Standardowy", int(std::size(kStandard)), kStandard);
    manager.LoadStateFromProfile("LumoKAL");
    frame->RecalcLayout();
    fuzz_gui::Pump();
    manager.SaveStateToProfile("LumoKAL");
    frame->SetControlBarManager(nullptr);
  }
  frame->DestroyWindow();
  fuzz_gui::Pump();
  app->m_pMainWnd = nullptr;
  return 0;
}
