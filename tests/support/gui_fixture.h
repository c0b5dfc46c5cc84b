// The headless application fixture for tests of windows.
//
// The test program gets one QApplication on the offscreen platform (lumo_test(... GUI) sets
// QT_QPA_PLATFORM=offscreen). GuiTest gives each test a clean state: after the test every window
// still alive is destroyed and the queue is drained, so one test's windows never reach the next.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/win/message_loop.h"
#include "platform/win/window_api.h"

namespace lumo::test {

// The program's application object, made on first use.
QApplication& application();

// Registers a window class for tests once (later calls with the same name do nothing) and
// returns its name.
const char* test_window_class(const char* name, WNDPROC proc, UINT class_style = CS_DBLCLKS,
                              HBRUSH background = nullptr);

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Dispatches everything waiting, then runs the idle pass; returns the number dispatched.
  static int pump() { return win::pump_waiting_messages(); }
};

}  // namespace lumo::test
