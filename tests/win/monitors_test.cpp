// Screens: which one a point, rectangle or window is on, their rectangles and work areas, and
// the virtual screen around them, from Qt's screens (one, fixed, under the headless platform).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"
#include "tests/support/gui_fixture.h"

namespace {

LRESULT plain_proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

RECT rect_of(const QRect& r) { return RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

bool same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

using Monitors = lumo::test::GuiTest;

TEST_F(Monitors, TheScreenIsQtsPrimaryScreen) {
  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  RECT area = rect_of(screen->geometry());
  HMONITOR monitor = MonitorFromPoint(POINT{area.left + 10, area.top + 10}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(monitor, nullptr);
  MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
  ASSERT_TRUE(GetMonitorInfo(monitor, &info));
  EXPECT_TRUE(same(info.rcMonitor, area));
  EXPECT_TRUE(same(info.rcWork, rect_of(screen->availableGeometry())));
  EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
  // The virtual screen is that screen.
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), int(QGuiApplication::screens().size()));
  EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), area.left);
  EXPECT_EQ(GetSystemMetrics(SM_YVIRTUALSCREEN), area.top);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), area.right - area.left);
  EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), area.bottom - area.top);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CXSCREEN));

  // Outside it: nothing, or the screen by the flags.
  POINT far{area.right + 500, area.bottom + 500};
  EXPECT_EQ(MonitorFromPoint(far, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint(far, MONITOR_DEFAULTTOPRIMARY), monitor);
  EXPECT_EQ(MonitorFromPoint(far, MONITOR_DEFAULTTONEAREST), monitor);
  RECT half_off{area.right - 50, 10, area.right + 50, 60};
  EXPECT_EQ(MonitorFromRect(&half_off, MONITOR_DEFAULTTONULL), monitor);
  RECT beside{area.right + 10, 10, area.right + 50, 60};
  EXPECT_EQ(MonitorFromRect(&beside, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromRect(nullptr, MONITOR_DEFAULTTOPRIMARY), nullptr);

  HWND window = CreateWindowEx(0, lumo::test::test_window_class("MonitorWnd", plain_proc), "", WS_POPUP | WS_VISIBLE,
                               20, 20, 100, 80, nullptr, nullptr, nullptr);
  EXPECT_EQ(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), monitor);
  DestroyWindow(window);
  EXPECT_EQ(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), monitor);

  // Stale handles and short records are refused.
  EXPECT_FALSE(GetMonitorInfo(reinterpret_cast<HMONITOR>(std::uintptr_t(99)), &info));
  EXPECT_FALSE(GetMonitorInfo(nullptr, &info));
  MONITORINFO short_record{sizeof(MONITORINFO) - 4, {}, {}, 0};
  EXPECT_FALSE(GetMonitorInfo(monitor, &short_record));
}

TEST(MonitorChoice, PointsAndRectanglesFindTheirScreenAmongSeveral) {
  // A primary screen on the right of a smaller one, and a third below the primary.
  const std::vector<win::ScreenArea> screens{{RECT{-1280, 0, 0, 1024}, RECT{-1280, 0, 0, 1000}, false},
                                             {RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}, true},
                                             {RECT{0, 1080, 800, 1680}, RECT{0, 1080, 800, 1680}, false}};
  const struct {
    POINT point;
    DWORD flags;
    int expected;
  } points[] = {
      {{-1, 500}, MONITOR_DEFAULTTONULL, 0},      {{0, 500}, MONITOR_DEFAULTTONULL, 1},
      {{100, 1100}, MONITOR_DEFAULTTONULL, 2},    {{1000, 1200}, MONITOR_DEFAULTTONULL, -1},
      {{1000, 1200}, MONITOR_DEFAULTTOPRIMARY, 1}, {{1000, 1200}, MONITOR_DEFAULTTONEAREST, 1},
      {{850, 1600}, MONITOR_DEFAULTTONEAREST, 2}, {{-2000, 1100}, MONITOR_DEFAULTTONEAREST, 0},
  };
  for (const auto& c : points) {
    EXPECT_EQ(win::screen_for_point(screens, c.point, c.flags), c.expected) << c.point.x << "," << c.point.y;
  }
  const struct {
    RECT rect;
    DWORD flags;
    int expected;
  } rects[] = {
      {{-100, 10, 40, 60}, MONITOR_DEFAULTTONULL, 0},       // more of it on the left screen
      {{-40, 10, 100, 60}, MONITOR_DEFAULTTONULL, 1},
      {{10, 1050, 100, 1200}, MONITOR_DEFAULTTONULL, 2},
      {{900, 1100, 1000, 1200}, MONITOR_DEFAULTTONULL, -1},
      {{900, 1100, 1000, 1200}, MONITOR_DEFAULTTONEAREST, 1},  // its middle is nearer the primary
      {{850, 1500, 900, 1600}, MONITOR_DEFAULTTONEAREST, 2},   // and this one's the third
      {{50, 50, 50, 50}, MONITOR_DEFAULTTONULL, 1},           // empty: by its corner
  };
  for (const auto& c : rects) {
    EXPECT_EQ(win::screen_for_rect(screens, c.rect, c.flags), c.expected) << c.rect.left << "," << c.rect.top;
  }
  EXPECT_EQ(win::screen_for_point({}, POINT{0, 0}, MONITOR_DEFAULTTONEAREST), -1);
}

}  // namespace
