// Loads a docking layout from fuzzed profile text into a toolkit MDI frame with a few bars of its
// own; whatever the profile says, the load must end without harm, the layout go through the tree
// form and back, and save again. One frame serves many inputs (see FuzzFrame).
#include <QApplication>
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
#include "platform/win/message_queue.h"
#include "toolkit/frame/persistent_tree.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_dock_state.h"
#include "toolkit/frame/sec_mdi_frame.h"

namespace {

void pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

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
    pump();
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
    pump();
    initial_ = std::make_unique<SECDockState>();
    frame->GetDockState(*initial_);
    frame_ = frame;
  }

  void end(CWinApp* app) {
    frame_->DestroyWindow();
    pump();
    app->m_pMainWnd = nullptr;
    frame_ = nullptr;
  }

  SECMDIFrameWnd* frame_ = nullptr;
  std::unique_ptr<SECDockState> initial_;
  int uses_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int argc = 3;
  static char name[] = "fuzz_toolkit_dock_state", option[] = "-platform", platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  static QApplication* qt = std::make_unique<QApplication>(argc, argv).release();
  static CWinApp* app = std::make_unique<CWinApp>("LumoKAL").release();
  static const std::string path = base::temp_folder() + "/fuzz_dock_state.ini";
  static FuzzFrame* fuzz_frame = std::make_unique<FuzzFrame>().release();
  (void)qt;

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
  pump();
  // The layout as it came through the tree form, applied again.
  {
    SECDockState captured;
    frame->GetDockState(captured);
    SECPersistentTreeNode root;
    root.Initialize("LumoKAL");
    captured.SaveStateToTree(&root, &root);
    SECDockState loaded;
    if (loaded.LoadStateFromTree(&root)) frame->SetDockState(loaded);
    pump();
  }
  frame->SaveBarState("LumoKAL");
  fuzz_frame->reset();
  return 0;
}
