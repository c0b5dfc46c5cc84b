// What the fuzz targets that make windows share: Qt (offscreen) and the framework's application,
// made once and never destroyed (windows left in the platform's tables outlive the run), and a pump
// of the posted messages.
#pragma once

#include <QApplication>
#include <memory>

#include "platform/framework/app.h"
#include "platform/win/message_queue.h"

namespace fuzz_gui {

// The application, made on the first call; `name` is the program's name (a string literal).
inline CWinApp* Application(const char* name) {
  static int argc = 3;
  static char option[] = "-platform", platform[] = "offscreen";
  static char* argv[] = {const_cast<char*>(name), option, platform, nullptr};
  static QApplication* qt = std::make_unique<QApplication>(argc, argv).release();
  static CWinApp* app = std::make_unique<CWinApp>("LumoKAL").release();
  (void)qt;
  return app;
}

// Dispatches every message waiting in the queue.
inline void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

}  // namespace fuzz_gui
