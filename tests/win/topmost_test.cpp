// The topmost band: SetWindowPos with HWND_TOPMOST and HWND_NOTOPMOST moves a top-level window
// into and out of it (its WS_EX_TOPMOST bit and the desktop's stay-on-top hint), keeping it shown.
#include <gtest/gtest.h>

#include "platform/win/window_api.h"
#include "platform/win/window_styles.h"
#include "tests/support/gui_fixture.h"

namespace {

LRESULT plain_proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

using Topmost = lumo::test::GuiTest;

TEST_F(Topmost, InsertAfterTopmostSetsAndClearsTheBand) {
  const char* cls = lumo::test::test_window_class("TopmostTest", plain_proc);
  HWND h = CreateWindowEx(0, cls, "Okno", WS_POPUP | WS_VISIBLE, 10, 10, 100, 50, nullptr, nullptr, nullptr);
  ASSERT_TRUE(h);
  const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  ASSERT_TRUE(SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, keep));
  EXPECT_TRUE(GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(h));
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right, 110);
  // Without SWP_NOZORDER only: a plain move keeps the band.
  SetWindowPos(h, HWND_NOTOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  ASSERT_TRUE(SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, keep));
  EXPECT_FALSE(GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(h));
  DestroyWindow(h);
}

}  // namespace
