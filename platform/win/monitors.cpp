#include "platform/win/monitors.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/win/window_api.h"

namespace win {
namespace {

RECT to_rect(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

HMONITOR handle_of(int index) { return index < 0 ? nullptr : reinterpret_cast<HMONITOR>(std::uintptr_t(index + 1)); }

// The screen of `dwFlags` when nothing matched: none, or the primary (the first when none is).
int fallback(const std::vector<ScreenArea>& screens, DWORD dwFlags) {
  if (dwFlags == MONITOR_DEFAULTTONULL || screens.empty()) return -1;
  for (size_t i = 0; i < screens.size(); ++i) {
    if (screens[i].primary) return int(i);
  }
  return 0;
}

// Distance from a point to a rectangle (0 inside), squared.
long long distance2(const RECT& r, POINT p) {
  long long dx = p.x < r.left ? (long long)r.left - p.x : p.x >= r.right ? (long long)p.x - (r.right - 1) : 0;
  long long dy = p.y < r.top ? (long long)r.top - p.y : p.y >= r.bottom ? (long long)p.y - (r.bottom - 1) : 0;
  return dx * dx + dy * dy;
}

int nearest(const std::vector<ScreenArea>& screens, POINT p) {
  int best = -1;
  long long best_distance = LLONG_MAX;
  for (size_t i = 0; i < screens.size(); ++i) {
    long long d = distance2(screens[i].monitor, p);
    if (d < best_distance) {
      best_distance = d;
      best = int(i);
    }
  }
  return best;
}

}  // namespace

std::vector<ScreenArea> screen_areas() {
  std::vector<ScreenArea> areas;
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    QScreen* primary = app->primaryScreen();
    for (QScreen* s : app->screens()) areas.push_back({to_rect(s->geometry()), to_rect(s->availableGeometry()), s == primary});
  }
  if (areas.empty()) areas.push_back({RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 768}, true});
  return areas;
}

RECT virtual_screen() {
  std::vector<ScreenArea> areas = screen_areas();
  RECT all = areas.front().monitor;
  for (const ScreenArea& a : areas) {
    all.left = std::min(all.left, a.monitor.left);
    all.top = std::min(all.top, a.monitor.top);
    all.right = std::max(all.right, a.monitor.right);
    all.bottom = std::max(all.bottom, a.monitor.bottom);
  }
  return all;
}

}  // namespace win

namespace win {

int screen_for_point(const std::vector<ScreenArea>& screens, POINT pt, DWORD dwFlags) {
  for (size_t i = 0; i < screens.size(); ++i) {
    if (distance2(screens[i].monitor, pt) == 0) return int(i);
  }
  if (dwFlags == MONITOR_DEFAULTTONEAREST) return nearest(screens, pt);
  return fallback(screens, dwFlags);
}

int screen_for_rect(const std::vector<ScreenArea>& screens, const RECT& rect, DWORD dwFlags) {
  // An empty rectangle goes by its corner.
  if (rect.right <= rect.left || rect.bottom <= rect.top) return screen_for_point(screens, POINT{rect.left, rect.top}, dwFlags);
  int best = -1;
  long long best_area = 0;
  for (size_t i = 0; i < screens.size(); ++i) {
    const RECT& m = screens[i].monitor;
    long long w = std::max<long long>(0, (long long)std::min(m.right, rect.right) - std::max(m.left, rect.left));
    long long h = std::max<long long>(0, (long long)std::min(m.bottom, rect.bottom) - std::max(m.top, rect.top));
    if (w * h > best_area) {
      best_area = w * h;
      best = int(i);
    }
  }
  if (best >= 0) return best;
  // Beside every screen: the one nearest its middle.
  if (dwFlags == MONITOR_DEFAULTTONEAREST) {
    return nearest(screens, POINT{rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2});
  }
  return fallback(screens, dwFlags);
}

}  // namespace win

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags) {
  return win::handle_of(win::screen_for_point(win::screen_areas(), pt, dwFlags));
}

HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags) {
  if (!lprc) return nullptr;
  return win::handle_of(win::screen_for_rect(win::screen_areas(), *lprc, dwFlags));
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags) {
  RECT rect{};
  if (!IsWindow(hwnd) || !GetWindowRect(hwnd, &rect)) return win::handle_of(win::fallback(win::screen_areas(), dwFlags));
  if (IsIconic(hwnd)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(WINDOWPLACEMENT);
    if (GetWindowPlacement(hwnd, &placement)) rect = placement.rcNormalPosition;
  }
  return MonitorFromRect(&rect, dwFlags);
}

BOOL GetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi) {
  if (!lpmi || lpmi->cbSize < sizeof(MONITORINFO)) return FALSE;
  std::vector<win::ScreenArea> screens = win::screen_areas();
  auto index = reinterpret_cast<std::uintptr_t>(hMonitor);
  if (index == 0 || index > screens.size()) return FALSE;
  const win::ScreenArea& area = screens[index - 1];
  lpmi->rcMonitor = area.monitor;
  lpmi->rcWork = area.work;
  lpmi->dwFlags = area.primary ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}
