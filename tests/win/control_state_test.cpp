// State that control procedures keep for their windows lives in the window's record: one state of
// each type per window, freed when dropped or when the window is gone.
#include "platform/win/control_state.h"

#include "platform/win/window_api.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {
namespace {

int alive = 0;

struct Counter : win::ControlState {
  int value = 0;
  Counter() { ++alive; }
  ~Counter() override { --alive; }
};

struct Other : win::ControlState {
  int value = 7;
};

class ControlStateTest : public GuiTest {};

HWND MakeWindow() {
  return CreateWindowEx(0, test_window_class("StateHolder", DefWindowProc), "", WS_POPUP, 0, 0, 20, 20, nullptr,
                        nullptr, nullptr);
}

TEST_F(ControlStateTest, EachWindowKeepsItsOwnStateOfEachType) {
  HWND first = MakeWindow(), second = MakeWindow();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(win::find_control_state<Counter>(first), nullptr);
  win::control_state<Counter>(first).value = 1;
  win::control_state<Counter>(second).value = 2;
  win::control_state<Other>(first).value = 3;
  EXPECT_EQ(alive, 2);
  EXPECT_EQ(win::control_state<Counter>(first).value, 1);
  EXPECT_EQ(win::control_state<Counter>(second).value, 2);
  EXPECT_EQ(win::control_state<Other>(first).value, 3);
  EXPECT_EQ(win::find_control_state<Other>(second), nullptr);

  // Dropping one type leaves the other; the next use starts afresh.
  win::drop_control_state<Counter>(first);
  EXPECT_EQ(alive, 1);
  EXPECT_EQ(win::find_control_state<Counter>(first), nullptr);
  EXPECT_EQ(win::control_state<Other>(first).value, 3);
  EXPECT_EQ(win::control_state<Counter>(first).value, 0);

  // A destroyed window takes its states with it, and its stale handle finds none.
  DestroyWindow(first);
  DestroyWindow(second);
  pump();
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(win::find_control_state<Counter>(first), nullptr);
  win::control_state<Counter>(first).value = 9;  // a stale handle gets the scratch state
  EXPECT_EQ(win::find_control_state<Counter>(first), nullptr);
}

}  // namespace
}  // namespace lumo::test
