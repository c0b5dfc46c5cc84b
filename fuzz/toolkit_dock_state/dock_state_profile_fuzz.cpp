// Loads a docking layout from fuzzed profile text into a toolkit MDI frame with a few bars of its
// own; whatever the profile says, the load must end without harm, the layout go through the tree
// form and back, and save again. One frame serves many inputs (see FuzzFrame).
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/ini_document.h"
#include "platform/base/profile.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/app.h"
#include "platform/framework/command_ids.h"
#include "toolkit/frame/persistent_tree.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_dock_state.h"
#include "toolkit/frame/sec_mdi_frame.h"

// Qt's keyword macros would rename members of the headers above: the Qt header comes last.
#include "fuzz/gui_fuzz.h"

namespace {

// The frame with its bars docked as they start. Building it costs far more than loading a layout,
// so one frame serves many inputs: after each the starting layout is applied again. It is built
// afresh every so often, so that whatever a layout leaves behind (floating frames kept hidden) cannot
// pile up.
class FuzzFrame {
 public:
  SECMDIFrameWnd* get(CWinApp* app) {
    if (frame_ && ++uses_ % kInputsPerFrame == 0) end(app);
    if (!frame_) build(app);
    return frame_;
  }

  // Puts the starting layout back.
  void reset() {
    if (!frame_) return;
    frame_->SetDockState(*initial_);
    fuzz_gui::Pump();
  }

 private:
  static constexpr int kInputsPerFrame = 64;

  void build(CWinApp* app) {
    auto* frame = std::make_unique<SECMDIFrameWnd>().release();  // ends itself with its window
    if (!frame->Create(nullptr, "Okno")) return;
    app->m_pMainWnd = frame;
    frame->EnableDocking(CBRS_ALIGN_ANY);
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_SIZE_DYNAMIC;
    UINT id = 0xE901;
    for (const char* title : {"Spis aktów", "Nawigacja", "Szukaj"}) {
      auto* bar = std::make_unique<SECControlBar>().release();
      if (!bar->Create(frame, title, style, 0xF31, id++)) {
        delete bar;
        continue;
      }
      bar->m_bAutoDelete = TRUE;
      bar->EnableDocking(CBRS_ALIGN_ANY);
      frame->DockControlBar(bar);
    }
    frame->RecalcLayout();
    fuzz_gui::Pump();
    initial_ = std::make_unique<SECDockState>();
    frame->GetDockState(*initial_);
    frame_ = frame;
  }

  void end(CWinApp* app) {
    frame_->DestroyWindow();
    fuzz_gui::Pump();
    app->m_pMainWnd = nullptr;
    frame_ = nullptr;
  }

  SECMDIFrameWnd* frame_ = nullptr;
  std::unique_ptr<SECDockState> initial_;
  int uses_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CWinApp* app = fuzz_gui::Application("fuzz_toolkit_dock_state");
  static const std::string path = base::temp_folder() + "/fuzz_dock_state.ini";
  static FuzzFrame* fuzz_frame = std::make_unique<FuzzFrame>().release();

  // The text as the profile reader sees it, written back the way the profile keeps it.
  const base::IniDocument document =
      base::IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << document.serialize();
  }
  base::Profile::set_app_path(path);

  SECMDIFrameWnd* frame = fuzz_frame->get(app);
  if (!frame) return 0;
  frame->LoadBarState("LumoKAL");
  fuzz_gui::Pump();
  // The layout as it came through the tree form, applied again.
  {
    SECDockState captured;
    frame->GetDockState(captured);
    SECPersistentTreeNode root;
    root.Initialize("LumoKAL");
    captured.SaveStateToTree(&root, &root);
    SECDockState loaded;
    if (loaded.LoadStateFromTree(&root)) frame->SetDockState(loaded);
    fuzz_gui::Pump();
  }
  frame->SaveBarState("LumoKAL");
  fuzz_frame->reset();
  return 0;
}
