#include "tests/support/gui_fixture.h"

#include <memory>
#include <vector>

#include "platform/win/cwnd.h"

namespace lumo::test {

QApplication& application() {
  static int argc = 1;
  static char name[] = "lumo_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: windows, timers and widgets kept in the layer's tables outlive main and must
  // find the application still there when they go.
  static QApplication* app = std::make_unique<QApplication>(argc, argv).release();
  return *app;
}

const char* test_window_class(const char* name, WNDPROC proc, UINT class_style, HBRUSH background) {
  WNDCLASS wc;
  if (!GetClassInfo(name, &wc)) {
    wc.style = class_style;
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClass(&wc);
  }
  return name;
}

void GuiTest::SetUp() {
  application();
  win::set_idle_handler(nullptr);
  win::set_pre_translate_handler(nullptr);
  win::set_message_observer(nullptr);
}

void GuiTest::TearDown() {
  win::set_message_observer(nullptr);
  ReleaseCapture();
  std::vector<HWND> tops;
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) tops.push_back(top);
  for (HWND top : tops) DestroyWindow(top);
  // Quit requests a test left behind must not end the next test's loops.
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  CWnd::DeleteTempMap();
  win::set_idle_handler(nullptr);
  win::set_pre_translate_handler(nullptr);
}

}  // namespace lumo::test
