// A toolkit MDI frame with a toolbar manager and three defined bars, for the customize sheet, the
// toolbars page and dialog, the bitmap menus and the menu bar.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/toolkit_docking/toolkit_docking_fixture.h"
#include "toolkit/widgets/custom_toolbar.h"
#include "toolkit/widgets/toolbar_manager.h"

namespace lumo::test {

constexpr UINT kStandardBar = 0xE800;
constexpr UINT kViewBar = 0xE801;
constexpr UINT kNavBar = 0xE802;

// A frame with a handler for every program command (the bars' buttons stay enabled).
class ToolFrame : public SECMDIFrameWnd {
 public:
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  std::vector<std::pair<UINT, WPARAM>> log;  // (message, wParam) of menu messages seen
  std::function<void()> on_idle;             // runs when a menu loop waits for input
  std::vector<WPARAM> sys_commands;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CustomizeTest : public ToolkitDockingTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The fixture's frame replaced by a new one loaded from `resource`, with bitmap menus if asked.
  void new_frame(UINT resource = IDR_TEST_MAIN, bool bitmap_menus = false);
  void attach_manager();
  // The bars made from the definitions, cool look on.
  void make_bars();
  SECCustomToolBar* bar(UINT id) { return manager->FindBarByID(id); }
  static std::vector<UINT> ids(SECCustomToolBar* b);
  // A button's centre in screen coordinates.
  static POINT centre(SECCustomToolBar* b, int index);
  // Runs `action` once a window of type T is the active one (inside its modal loop).
  template <class T>
  static void when_active(std::function<void(T*)> action);
  void picture(HWND h, const std::string& name, int zoom = 1);

  ToolFrame* tool_frame = nullptr;
  std::unique_ptr<SECToolBarManager> manager;
};

void when_active_window(std::function<bool(CWnd*)> action);

template <class T>
void CustomizeTest::when_active(std::function<void(T*)> action) {
  when_active_window([action](CWnd* w) {
    auto* t = dynamic_cast<T*>(w);
    if (!t) return false;
    action(t);
    return true;
  });
}

extern const UINT kStandard[10];
extern const UINT kView[5];
extern const UINT kNavigator[2];

}  // namespace lumo::test
