// Deferred window positions: nothing moves until the batch ends, later entries merge into earlier
// ones, and a window that is gone gives the batch up (on entry) or is passed over (at the end).
#include <gtest/gtest.h>

#include "platform/win/defer_window_pos.h"
#include "platform/win/window_api.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {
namespace {

class DeferTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    parent = CreateWindowEx(0, test_window_class("DeferParent", DefWindowProc), "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                            nullptr, nullptr, nullptr);
    for (HWND& c : children) {
      c = CreateWindowEx(0, test_window_class("DeferChild", DefWindowProc), "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                         nullptr, nullptr);
    }
  }
  static RECT where(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  HWND parent = nullptr;
  HWND children[2] = {};
};

TEST_F(DeferTest, BatchMovesEverythingAtItsEndWithLaterEntriesMerged) {
  HDWP batch = BeginDeferWindowPos(2);
  batch = DeferWindowPos(batch, children[0], nullptr, 20, 30, 50, 60, SWP_NOZORDER);
  batch = DeferWindowPos(batch, children[1], nullptr, 5, 6, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  // A second entry for the first window: only its size changes.
  batch = DeferWindowPos(batch, children[0], nullptr, 0, 0, 70, 80, SWP_NOZORDER | SWP_NOMOVE);
  ASSERT_NE(batch, nullptr);
  EXPECT_EQ(where(children[0]).left, 0);
  EXPECT_TRUE(EndDeferWindowPos(batch));
  const RECT a = where(children[0]), b = where(children[1]);
  EXPECT_EQ(a.left, 20);
  EXPECT_EQ(a.top, 30);
  EXPECT_EQ(a.right - a.left, 70);
  EXPECT_EQ(a.bottom - a.top, 80);
  EXPECT_EQ(b.left, 5);
  EXPECT_EQ(b.right - b.left, 10);
}

TEST_F(DeferTest, AWindowThatIsGoneGivesTheBatchUpOrIsPassedOver) {
  HDWP batch = BeginDeferWindowPos(1);
  batch = DeferWindowPos(batch, children[0], nullptr, 20, 30, 50, 60, SWP_NOZORDER);
  DestroyWindow(children[1]);
  batch = DeferWindowPos(batch, children[1], nullptr, 1, 1, 1, 1, SWP_NOZORDER);
  EXPECT_EQ(batch, nullptr);
  EXPECT_FALSE(EndDeferWindowPos(batch));
  EXPECT_EQ(where(children[0]).left, 0);

  batch = BeginDeferWindowPos(1);
  batch = DeferWindowPos(batch, children[0], nullptr, 20, 30, 50, 60, SWP_NOZORDER);
  HWND extra = CreateWindowEx(0, test_window_class("DeferChild", DefWindowProc), "", WS_CHILD, 0, 0, 10, 10, parent,
                              nullptr, nullptr);
  batch = DeferWindowPos(batch, extra, nullptr, 9, 9, 9, 9, SWP_NOZORDER);
  DestroyWindow(extra);
  EXPECT_FALSE(EndDeferWindowPos(batch));
  EXPECT_EQ(where(children[0]).left, 20);
}

}  // namespace
}  // namespace lumo::test
