#include "platform/win/scroll_bars.h"

#include <algorithm>
#include <functional>

#include "platform/win/message_queue.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

constexpr int kMinThumb = 8;
// Timer of a held arrow or page click: first repeat after kFirstRepeatMs, then every kRepeatMs.
constexpr UINT_PTR kRepeatTimer = 0xFFF0;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 50;

ScrollBarState* bar_state(HWND h, int bar) {
  Window* w = find_window(h);
  if (!w || (bar != SB_HORZ && bar != SB_VERT)) return nullptr;
  return &w->scroll[bar];
}

int last_position(const ScrollBarState& s) {
  int page_extent = std::max(int(s.page) - 1, 0);
  return std::max(s.min, s.max - page_extent);
}

bool needs_scrolling(const ScrollBarState& s) {
  return s.max > s.min && (s.page == 0 || UINT(s.max - s.min) >= s.page);
}

DWORD style_bit(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

void repaint_frame(HWND h) {
  if (Window* w = find_window(h)) {
    w->frame_pending = true;
  }
}

// Shows or hides a bar by its style bit; the client area follows.
void show_bar(HWND h, int bar, bool show) {
  Window* w = find_window(h);
  if (!w || ((w->style & style_bit(bar)) != 0) == show) return;
  w->style = show ? (w->style | style_bit(bar)) : (w->style & ~style_bit(bar));
  SetWindowPos(h, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

ScrollBarParts scroll_bar_parts(const RECT& strip, bool vertical, const ScrollBarState& s) {
  ScrollBarParts p;
  const int thickness = vertical ? strip.right - strip.left : strip.bottom - strip.top;
  const int length = vertical ? strip.bottom - strip.top : strip.right - strip.left;
  if (thickness <= 0 || length <= 0) return p;
  const int arrow = std::min(thickness, length / 2);
  auto part = [&](int offset, int size) {
    return vertical ? RECT{strip.left, strip.top + offset, strip.right, strip.top + offset + size}
                    : RECT{strip.left + offset, strip.top, strip.left + offset + size, strip.bottom};
  };
  p.first_arrow = part(0, arrow);
  p.last_arrow = part(length - arrow, arrow);
  const int track = length - 2 * arrow;
  const int64_t span = int64_t(s.max) - s.min + 1;
  if (!s.enabled || !needs_scrolling(s) || track < kMinThumb) return p;
  int thumb = s.page ? std::max(int(int64_t(track) * s.page / span), kMinThumb) : thickness;
  thumb = std::min(thumb, track);
  const int last = last_position(s);
  const int offset = last > s.min ? int(int64_t(s.pos - s.min) * (track - thumb) / (int64_t(last) - s.min)) : 0;
  p.thumb = part(arrow + offset, thumb);
  return p;
}

int scroll_last_position(const ScrollBarState& s) { return last_position(s); }

ScrollGeometry scroll_geometry(const Window& w, int bar) {
  ScrollGeometry g;
  g.vertical = bar == SB_VERT;
  g.strip = scroll_strip(w, bar);
  if (g.strip.isEmpty()) return g;
  const ScrollBarParts p = scroll_bar_parts(to_rect(g.strip), g.vertical, w.scroll[bar]);
  g.first_arrow = to_qrect(p.first_arrow);
  g.last_arrow = to_qrect(p.last_arrow);
  if (p.thumb.right > p.thumb.left) g.thumb = to_qrect(p.thumb);
  return g;
}

namespace {

// A press on a scroll bar held by window `h`: where its parts lie now (window coordinates of `h`),
// its state, and how a scroll request is sent.
struct ScrollPress {
  HWND h = nullptr;
  std::function<ScrollGeometry()> geometry;
  std::function<ScrollBarState*()> state;
  std::function<void(UINT code, int pos)> send;
  bool arrows_without_thumb = false;  // the arrows answer even when there is nothing to scroll
};

// Follows the press at `at` until release: arrow and page presses repeat while held, the thumb
// follows the mouse and ends with SB_THUMBPOSITION; SB_ENDSCROLL last.
void follow_press(const ScrollPress& press, QPoint at) {
  HWND h = press.h;
  WindowGuard guard(h);
  ScrollGeometry g = press.geometry();
  const bool on_arrow = g.first_arrow.contains(at) || g.last_arrow.contains(at);
  if (g.thumb.isEmpty() && !(press.arrows_without_thumb && on_arrow)) return;
  bool on_thumb = g.thumb.contains(at);
  UINT code = SB_ENDSCROLL;
  QRect hold_area;
  if (g.first_arrow.contains(at)) {
    code = SB_LINEUP, hold_area = g.first_arrow;
  } else if (g.last_arrow.contains(at)) {
    code = SB_LINEDOWN, hold_area = g.last_arrow;
  } else if (!on_thumb) {
    bool before = g.vertical ? at.y() < g.thumb.top() : at.x() < g.thumb.left();
    code = before ? SB_PAGEUP : SB_PAGEDOWN;
  }
  int grab = g.vertical ? at.y() - g.thumb.top() : at.x() - g.thumb.left();
  if (!on_thumb) {
    press.send(code, 0);
    SetTimer(h, kRepeatTimer, kFirstRepeatMs, nullptr);
  }
  SetCapture(h);
  MSG msg;
  while (guard.alive() && GetCapture() == h) {
    if (GetMessage(&msg, nullptr, 0, 0) <= 0) {
      if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONUP && msg.hwnd == h) break;
    if (msg.message == WM_TIMER && msg.hwnd == h && msg.wParam == kRepeatTimer) {
      SetTimer(h, kRepeatTimer, kRepeatMs, nullptr);
      QPoint now = cursor_pos() - window_origin_on_screen(*find_window(h));
      ScrollGeometry current = press.geometry();
      bool still_before = current.vertical ? now.y() < current.thumb.top() : now.x() < current.thumb.left();
      bool repeats = hold_area.isEmpty() ? (code == SB_PAGEUP) == still_before && !current.thumb.contains(now)
                                         : hold_area.contains(now);
      if (repeats) press.send(code, 0);
      continue;
    }
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == h && on_thumb) {
      QPoint now = QPoint(msg.pt.x, msg.pt.y) - window_origin_on_screen(*find_window(h));
      ScrollGeometry current = press.geometry();
      ScrollBarState* s = press.state();
      if (!s) continue;
      int thumb = current.vertical ? current.thumb.height() : current.thumb.width();
      int track_start = current.vertical ? current.first_arrow.bottom() + 1 : current.first_arrow.right() + 1;
      int track = (current.vertical ? current.last_arrow.top() : current.last_arrow.left()) - track_start;
      int offset = std::clamp((current.vertical ? now.y() : now.x()) - grab - track_start, 0,
                              std::max(track - thumb, 0));
      int last = last_position(*s);
      int pos = track > thumb ? s->min + int(int64_t(offset) * (last - s->min) / (track - thumb)) : s->min;
      s->track_pos = pos;
      press.send(SB_THUMBTRACK, pos);
      continue;
    }
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  KillTimer(h, kRepeatTimer);
  if (GetCapture() == h) ReleaseCapture();
  if (!guard.alive()) return;
  if (on_thumb) {
    if (ScrollBarState* s = press.state()) press.send(SB_THUMBPOSITION, s->track_pos);
  }
  if (guard.alive()) press.send(SB_ENDSCROLL, 0);
}

}  // namespace

void track_scroll_bar(HWND h, int bar, QPoint screen) {
  Window* w = find_window(h);
  if (!w) return;
  const UINT message = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  ScrollPress press;
  press.h = h;
  press.geometry = [h, bar] {
    Window* live = find_window(h);
    return live ? scroll_geometry(*live, bar) : ScrollGeometry{};
  };
  press.state = [h, bar] { return bar_state(h, bar); };
  press.send = [h, message](UINT code, int pos) { SendMessage(h, message, MAKEWPARAM(WORD(code), WORD(pos)), 0); };
  follow_press(press, screen - window_origin_on_screen(*w));
}

void track_scroll_control(HWND h, bool vertical, POINT at, const std::function<ScrollBarState*()>& state) {
  if (!find_window(h)) return;
  ScrollPress press;
  press.h = h;
  press.geometry = [h, vertical, state] {
    ScrollGeometry g;
    g.vertical = vertical;
    Window* live = find_window(h);
    ScrollBarState* s = state();
    if (!live || !s) return g;
    // The control's client area is the strip; the geometry is in window coordinates.
    g.strip = live->client_rect;
    ScrollBarState shown = *s;
    shown.enabled = shown.enabled && IsWindowEnabled(h);
    const ScrollBarParts p = scroll_bar_parts(to_rect(g.strip), vertical, shown);
    g.first_arrow = to_qrect(p.first_arrow);
    g.last_arrow = to_qrect(p.last_arrow);
    if (p.thumb.right > p.thumb.left) g.thumb = to_qrect(p.thumb);
    return g;
  };
  press.state = state;
  press.arrows_without_thumb = IsWindowEnabled(h) != FALSE;
  press.send = [h, vertical](UINT code, int pos) {
    if (HWND parent = GetParent(h)) {
      SendMessage(parent, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(WORD(code), WORD(pos)),
                  reinterpret_cast<LPARAM>(h));
    }
  };
  Window* w = find_window(h);
  follow_press(press, QPoint(at.x, at.y) + w->client_rect.topLeft());
}

}  // namespace win

using win::ScrollBarState;

int SetScrollInfo(HWND h, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (bar == SB_CTL) {
    return info ? int(SendMessage(h, SBM_SETSCROLLINFO, WPARAM(redraw), reinterpret_cast<LPARAM>(info))) : 0;
  }
  ScrollBarState* s = win::bar_state(h, bar);
  if (!s || !info) return 0;
  if (info->fMask & SIF_RANGE) s->min = info->nMin, s->max = std::max(info->nMax, info->nMin);
  if (info->fMask & SIF_PAGE) s->page = std::min<UINT>(info->nPage, UINT(s->max - s->min + 1));
  if (info->fMask & SIF_POS) s->pos = info->nPos;
  s->pos = std::clamp(s->pos, s->min, win::last_position(*s));
  s->track_pos = s->pos;
  int pos = s->pos;
  if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
    // A range with something to scroll enables the bar; without, it goes or stays disabled.
    bool needed = win::needs_scrolling(*s);
    bool keep = (info->fMask & SIF_DISABLENOSCROLL) != 0;
    if (needed) s->enabled = true;
    if (!needed && keep) s->enabled = false;
    win::show_bar(h, bar, needed || keep);
  }
  if (redraw) win::repaint_frame(h);
  return pos;
}

BOOL GetScrollInfo(HWND h, int bar, SCROLLINFO* info) {
  if (bar == SB_CTL) return info && IsWindow(h) && SendMessage(h, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info));
  ScrollBarState* s = win::bar_state(h, bar);
  if (!s || !info) return FALSE;
  if (info->fMask & SIF_RANGE) info->nMin = s->min, info->nMax = s->max;
  if (info->fMask & SIF_PAGE) info->nPage = s->page;
  if (info->fMask & SIF_POS) info->nPos = s->pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->track_pos;
  return TRUE;
}

int SetScrollPos(HWND h, int bar, int pos, BOOL redraw) {
  if (bar == SB_CTL) return int(SendMessage(h, SBM_SETPOS, WPARAM(pos), LPARAM(redraw)));
  ScrollBarState* s = win::bar_state(h, bar);
  if (!s) return 0;
  int previous = s->pos;
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  SetScrollInfo(h, bar, &info, redraw);
  return previous;
}

int GetScrollPos(HWND h, int bar) {
  if (bar == SB_CTL) return int(SendMessage(h, SBM_GETPOS, 0, 0));
  ScrollBarState* s = win::bar_state(h, bar);
  return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND h, int bar, int min, int max, BOOL redraw) {
  if (bar == SB_CTL) return IsWindow(h) && (SendMessage(h, SBM_SETRANGE, WPARAM(min), LPARAM(max)), TRUE);
  if (!win::bar_state(h, bar)) return FALSE;
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  info.nMin = min;
  info.nMax = max;
  SetScrollInfo(h, bar, &info, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND h, int bar, int* min, int* max) {
  if (bar == SB_CTL) {
    return IsWindow(h) && (SendMessage(h, SBM_GETRANGE, reinterpret_cast<WPARAM>(min), reinterpret_cast<LPARAM>(max)), TRUE);
  }
  ScrollBarState* s = win::bar_state(h, bar);
  if (!s) return FALSE;
  if (min) *min = s->min;
  if (max) *max = s->max;
  return TRUE;
}

BOOL ShowScrollBar(HWND h, int bar, BOOL show) {
  if (!IsWindow(h) || bar == SB_CTL) return FALSE;
  if (bar == SB_HORZ || bar == SB_BOTH) win::show_bar(h, SB_HORZ, show);
  if (bar == SB_VERT || bar == SB_BOTH) win::show_bar(h, SB_VERT, show);
  return TRUE;
}

BOOL EnableScrollBar(HWND h, UINT bar, UINT arrows) {
  if (!IsWindow(h) || bar == UINT(SB_CTL)) return FALSE;
  for (int b : {SB_HORZ, SB_VERT}) {
    if (bar == UINT(b) || bar == UINT(SB_BOTH)) win::bar_state(h, b)->enabled = arrows == ESB_ENABLE_BOTH;
  }
  win::repaint_frame(h);
  return TRUE;
}
