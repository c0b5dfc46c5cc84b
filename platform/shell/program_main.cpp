#include "platform/shell/program_main.h"

#include <QApplication>
#include <memory>
#include <vector>

#include "platform/controls/standard_controls.h"
#include "platform/framework/app.h"
#include "platform/win/window_api.h"

namespace {

// Windows, timers and cached drawing objects live in the layer's tables until the process ends,
// so the Qt application they stand on is never destroyed. Qt keeps a reference to the argument
// count and takes its own options (-display, -platform and the like) out of `argv`, lowering the
// count: what is left is the program's.
int& qt_argument_count() {
  static int count = 0;
  return count;
}

QApplication& qt_application(int argc, char** argv) {
  qt_argument_count() = argc;
  static QApplication* application =
      std::make_unique<QApplication>(qt_argument_count(), argv).release();
  return *application;
}

// Whatever top-level window the program left behind goes before the process ends, so every
// window object sees its own destruction.
void destroy_remaining_windows() {
  std::vector<HWND> tops;
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) tops.push_back(top);
  for (HWND top : tops) {
    if (IsWindow(top)) DestroyWindow(top);
  }
  CWnd::DeleteTempMap();
}

}  // namespace

int lumo_main(int argc, char** argv) {
  QApplication& qt = qt_application(argc, argv);
  // The program ends when its main window goes (WM_QUIT), not when Qt sees no window left.
  qt.setQuitOnLastWindowClosed(false);
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  controls::register_standard_controls();
  app->SetCommandLine(qt_argument_count(), argv);

  int code = 1;
  if (app->InitInstance()) {
    code = app->Run();
  } else {
    if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
    app->ExitInstance();
  }
  destroy_remaining_windows();
  return code;
}
