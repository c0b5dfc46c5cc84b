#include "platform/win/mouse_tracking.h"

#include <QRect>
#include <QTimer>

#include <memory>

#include "platform/win/message_queue.h"
#include "platform/win/system_parameters.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

struct Tracking {
  HWND window = nullptr;
  DWORD flags = 0;  // TME_HOVER, TME_LEAVE, TME_NONCLIENT
  UINT hover_time = 0;
  QRect hover_area;  // where the mouse may move while it rests (screen coordinates)
  std::unique_ptr<QTimer> timer;
};

// Where the mouse was last seen outside a capture.
struct Seen {
  HWND window = nullptr;
  int hit = HTNOWHERE;
  QPoint screen;
};

Tracking& tracking() {
  static Tracking t;
  return t;
}

Seen& seen() {
  static Seen s;
  return s;
}

UINT system_value(UINT action, UINT fallback) {
  UINT value = 0;
  return SystemParametersInfo(action, 0, &value, 0) ? value : fallback;
}

// Whether the mouse, as last seen, is over the part of `h` the flags name.
bool over_tracked_part(HWND h, DWORD flags) {
  const Seen& s = seen();
  if (s.window != h || !h) return false;
  bool client = s.hit == HTCLIENT;
  return (flags & TME_NONCLIENT) ? !client : client;
}

WPARAM key_state() {
  WPARAM state = 0;
  if (GetAsyncKeyState(VK_LBUTTON)) state |= MK_LBUTTON;
  if (GetAsyncKeyState(VK_RBUTTON)) state |= MK_RBUTTON;
  if (GetAsyncKeyState(VK_MBUTTON)) state |= MK_MBUTTON;
  if (GetAsyncKeyState(VK_SHIFT)) state |= MK_SHIFT;
  if (GetAsyncKeyState(VK_CONTROL)) state |= MK_CONTROL;
  return state;
}

void end_tracking(DWORD kinds) {
  Tracking& t = tracking();
  t.flags &= ~kinds;
  if (!(t.flags & TME_HOVER) && t.timer) t.timer->stop();
  if (!(t.flags & (TME_HOVER | TME_LEAVE))) {
    t.window = nullptr;
    t.flags = 0;
  }
}

void post_leave() {
  Tracking& t = tracking();
  HWND h = t.window;
  bool nonclient = (t.flags & TME_NONCLIENT) != 0;
  end_tracking(TME_HOVER | TME_LEAVE);
  if (IsWindow(h)) PostMessage(h, nonclient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

void hover_due() {
  Tracking& t = tracking();
  HWND h = t.window;
  if (!(t.flags & TME_HOVER) || !IsWindow(h) || GetCapture()) return;
  if (!over_tracked_part(h, t.flags)) return;
  const Seen& s = seen();
  bool nonclient = (t.flags & TME_NONCLIENT) != 0;
  end_tracking(TME_HOVER);
  if (nonclient) {
    PostMessage(h, WM_NCMOUSEHOVER, WPARAM(s.hit), MAKE_POINT_LPARAM(s.screen.x(), s.screen.y()));
  } else {
    POINT p{s.screen.x(), s.screen.y()};
    ScreenToClient(h, &p);
    PostMessage(h, WM_MOUSEHOVER, key_state(), MAKE_POINT_LPARAM(p.x, p.y));
  }
}

// Starts the wait for a rest around the mouse's place.
void start_hover_wait() {
  Tracking& t = tracking();
  int cx = int(system_value(SPI_GETMOUSEHOVERWIDTH, 4));
  int cy = int(system_value(SPI_GETMOUSEHOVERHEIGHT, 4));
  QPoint at = seen().screen;
  t.hover_area = QRect(at.x() - cx / 2, at.y() - cy / 2, cx, cy);
  if (!t.timer) {
    t.timer = std::make_unique<QTimer>();
    t.timer->setSingleShot(true);
    // Never before the time asked: a coarse timer may fire a little early.
    t.timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(t.timer.get(), &QTimer::timeout, [] { hover_due(); });
  }
  t.timer->start(int(t.hover_time));
}

}  // namespace

void mouse_tracking_moved(HWND target, int hit, QPoint screen) {
  seen() = Seen{target, hit, screen};
  Tracking& t = tracking();
  if (!t.window || GetCapture()) return;
  if (!over_tracked_part(t.window, t.flags)) {
    if (t.flags & TME_LEAVE) {
      post_leave();
    } else {
      end_tracking(TME_HOVER);
    }
    return;
  }
  if ((t.flags & TME_HOVER) && !t.hover_area.contains(screen)) start_hover_wait();
}

void mouse_tracking_left() { mouse_tracking_moved(nullptr, HTNOWHERE, seen().screen); }

void forget_mouse_tracking(HWND h) {
  if (seen().window == h) seen().window = nullptr;
  if (tracking().window == h) end_tracking(TME_HOVER | TME_LEAVE);
}

}  // namespace win

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
  if (!lpEventTrack || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) return FALSE;
  TRACKMOUSEEVENT& e = *lpEventTrack;
  win::Tracking& t = win::tracking();
  if (e.dwFlags & TME_QUERY) {
    bool tracked = t.window && IsWindow(t.window);
    e.dwFlags = tracked ? t.flags : 0;
    e.hwndTrack = tracked ? t.window : nullptr;
    e.dwHoverTime = tracked ? t.hover_time : 0;
    return TRUE;
  }
  if (!IsWindow(e.hwndTrack)) return FALSE;
  DWORD kinds = e.dwFlags & (TME_HOVER | TME_LEAVE);
  DWORD part = e.dwFlags & TME_NONCLIENT;
  if (e.dwFlags & TME_CANCEL) {
    if (t.window == e.hwndTrack && (t.flags & TME_NONCLIENT) == part) win::end_tracking(kinds);
    return TRUE;
  }
  if (!kinds) return TRUE;
  // Another window, or the other part of this one, ends what was tracked before.
  if (t.window != e.hwndTrack || (t.flags & TME_NONCLIENT) != part) {
    win::end_tracking(TME_HOVER | TME_LEAVE);
    t.window = e.hwndTrack;
    t.flags = part;
  }
  if (!win::over_tracked_part(e.hwndTrack, part)) {
    // The mouse is elsewhere already: a leave request is answered now, a hover one never.
    if (kinds & TME_LEAVE) {
      t.flags |= TME_LEAVE;
      win::post_leave();
    } else {
      win::end_tracking(TME_HOVER);
    }
    return TRUE;
  }
  t.flags |= kinds;
  if (kinds & TME_HOVER) {
    t.hover_time = e.dwHoverTime == HOVER_DEFAULT ? win::system_value(SPI_GETMOUSEHOVERTIME, 400) : e.dwHoverTime;
    win::start_hover_wait();
  }
  return TRUE;
}
