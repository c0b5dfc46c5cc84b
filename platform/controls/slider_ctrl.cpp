#include "platform/controls/slider_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <vector>

#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"

namespace {

constexpr int kThumbLength = 11;  // along the channel
constexpr int kMaxThumbBreadth = 21;
constexpr int kChannelInset = 8;  // between the control's ends and the channel's
constexpr int kSideGap = 4;       // between the thumb and the side that holds tick marks
constexpr int kChannelBreadth = 4;
// A held press beside the thumb pages again after a pause, then at a steady rate, until the thumb
// reaches the pointer.
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kRepeatDelayMs = 400;
constexpr UINT kRepeatRateMs = 100;

enum class Tracking { none, page, thumb };

struct Slider : win::ControlState {
  int min = 0, max = 100, pos = 0;
  int line = 1;
  int page = 0;  // 0: a fifth of the range
  int tic_freq = 1;
  Tracking tracking = Tracking::none;
  int drag_offset = 0;  // from the thumb's leading edge to the pressed point, along the channel
  int pointer = 0;      // where a page press is held, along the channel
  bool paging_back = false;
};

DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }
bool vertical(HWND h) { return (style_of(h) & TBS_VERT) != 0; }

int lowest(const Slider& s) { return std::min(s.min, s.max); }
int highest(const Slider& s) { return std::max(s.min, s.max); }
long long span(const Slider& s) { return (long long)highest(s) - lowest(s); }
int clamp_to_range(const Slider& s, long long pos) { return int(std::clamp<long long>(pos, lowest(s), highest(s))); }

int page_size(const Slider& s) {
  if (s.page != 0) return s.page;
  return int(std::max<long long>(1, span(s) / 5));
}

// The layout in the control's own axes: `along` runs with the range, `across` at right angles.
struct Layout {
  int channel_start, channel_end;  // along
  int channel_side;                // across: the channel's near side
  int thumb_start;                 // along
  int thumb_side, thumb_breadth;   // across
};

Layout layout_of(HWND h, const Slider& s) {
  RECT c;
  GetClientRect(h, &c);
  DWORD style = style_of(h);
  bool vert = (style & TBS_VERT) != 0;
  int length = vert ? c.bottom : c.right;
  int breadth = vert ? c.right : c.bottom;
  Layout l{};
  l.channel_start = kChannelInset;
  l.channel_end = std::max(length - kChannelInset, l.channel_start + kThumbLength);
  l.thumb_breadth = std::clamp(breadth - 2 * kSideGap, kSideGap, kMaxThumbBreadth);
  if (style & TBS_BOTH) {
    l.thumb_side = (breadth - l.thumb_breadth) / 2;
  } else if (style & TBS_TOP) {  // TBS_LEFT on vertical bars: the marks lie before the thumb
    l.thumb_side = std::max(0, breadth - kSideGap - l.thumb_breadth);
  } else {
    l.thumb_side = std::min(kSideGap, std::max(0, breadth - l.thumb_breadth));
  }
  l.channel_side = l.thumb_side + l.thumb_breadth / 2 - kChannelBreadth / 2;
  long long travel = l.channel_end - l.channel_start - kThumbLength;
  long long offset = span(s) == 0 ? 0 : ((long long)s.pos - lowest(s)) * travel / span(s);
  l.thumb_start = l.channel_start + int(offset);
  return l;
}

// The channel as the control reports it: in its own axes, so lying on vertical bars.
RECT channel_rect(const Layout& l) {
  return RECT{l.channel_start, l.channel_side, l.channel_end, l.channel_side + kChannelBreadth};
}

RECT thumb_rect(HWND h, const Layout& l) {
  RECT r{l.thumb_start, l.thumb_side, l.thumb_start + kThumbLength, l.thumb_side + l.thumb_breadth};
  if (vertical(h)) r = RECT{r.top, r.left, r.bottom, r.right};
  return r;
}

int along(HWND h, LPARAM point) { return vertical(h) ? GET_Y_LPARAM(point) : GET_X_LPARAM(point); }

// The position whose thumb starts at `thumb_start`, the nearest one.
int position_at(const Slider& s, const Layout& l, int thumb_start) {
  long long travel = l.channel_end - l.channel_start - kThumbLength;
  if (travel <= 0) return lowest(s);
  long long offset = std::clamp<long long>(thumb_start - l.channel_start, 0, travel);
  return clamp_to_range(s, lowest(s) + (offset * span(s) + travel / 2) / travel);
}

void set_position(HWND h, Slider& s, long long pos) {
  int next = clamp_to_range(s, pos);
  if (next == s.pos) return;
  s.pos = next;
  InvalidateRect(h, nullptr, TRUE);
}

// Tells the parent; false when the control did not survive it.
bool notify(HWND h, UINT code, int pos = 0) {
  HWND parent = GetParent(h);
  if (parent) {
    SendMessage(parent, vertical(h) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, WORD(pos)), reinterpret_cast<LPARAM>(h));
  }
  return IsWindow(h) && win::find_control_state<Slider>(h) != nullptr;
}

// The move a key makes, or false for keys the control leaves alone.
bool key_move(WPARAM key, const Slider& s, UINT& code, long long& target) {
  switch (int(key)) {
    case VK_LEFT:
    case VK_UP: code = TB_LINEUP; target = (long long)s.pos - std::max(1, s.line); return true;
    case VK_RIGHT:
    case VK_DOWN: code = TB_LINEDOWN; target = (long long)s.pos + std::max(1, s.line); return true;
    case VK_PRIOR: code = TB_PAGEUP; target = (long long)s.pos - std::max(1, page_size(s)); return true;
    case VK_NEXT: code = TB_PAGEDOWN; target = (long long)s.pos + std::max(1, page_size(s)); return true;
    case VK_HOME: code = TB_TOP; target = lowest(s); return true;
    case VK_END: code = TB_BOTTOM; target = highest(s); return true;
    default: return false;
  }
}

// Tick marks at every `tic_freq` positions, at most one per pixel of travel however wide the
// range, on the sides the style names.
void paint_ticks(CDC& dc, HWND h, const Slider& s, const Layout& l, RECT client) {
  DWORD style = style_of(h);
  if (!(style & TBS_AUTOTICKS) || (style & TBS_NOTICKS)) return;
  bool vert = (style & TBS_VERT) != 0;
  int breadth = vert ? client.right : client.bottom;
  long long travel = l.channel_end - l.channel_start - kThumbLength;
  long long freq = std::max(1, s.tic_freq);
  long long count = span(s) / freq + 1;
  bool every_pixel = travel <= 0 || count > travel + 1;
  long long marks = every_pixel ? std::max(0LL, travel) + 1 : count;
  std::vector<int> sides;  // across coordinates of the marks' near ends
  if ((style & TBS_BOTH) || (style & TBS_TOP)) sides.push_back(std::max(0, l.thumb_side - 4));
  if ((style & TBS_BOTH) || !(style & TBS_TOP)) sides.push_back(std::min(breadth - 3, l.thumb_side + l.thumb_breadth + 1));
  COLORREF colour = GetSysColor(COLOR_BTNTEXT);
  int centre = l.channel_start + kThumbLength / 2;
  for (long long i = 0; i < marks; ++i) {
    long long offset = every_pixel ? i : (span(s) == 0 ? 0 : i * freq * travel / span(s));
    int a = centre + int(offset);
    for (int side : sides) {
      if (vert) dc.FillSolidRect(side, a, 3, 1, colour);
      else dc.FillSolidRect(a, side, 1, 3, colour);
    }
  }
}

void paint(HWND h, const Slider& s) {
  CPaintDC dc(h);
  CRect client;
  GetClientRect(h, &client);
  dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
  Layout l = layout_of(h, s);
  CRect channel(channel_rect(l));
  if (vertical(h)) channel = CRect(channel.top, channel.left, channel.bottom, channel.right);
  dc.Draw3dRect(&channel, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  channel.DeflateRect(1, 1);
  dc.Draw3dRect(&channel, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  paint_ticks(dc, h, s, l, client);
  if (!(style_of(h) & TBS_NOTHUMB)) {
    CRect thumb(thumb_rect(h, l));
    dc.FillSolidRect(&thumb, GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(&thumb, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    thumb.DeflateRect(1, 1);
    dc.Draw3dRect(&thumb, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
  }
  if (GetFocus() == h) dc.DrawFocusRect(&client);
}

// One page towards the held pointer unless the thumb has reached it.
void page_towards_pointer(HWND h, Slider& s) {
  Layout l = layout_of(h, s);
  bool beyond = s.paging_back ? s.pointer < l.thumb_start : s.pointer >= l.thumb_start + kThumbLength;
  if (!beyond) return;
  long long step = std::max(1, page_size(s));
  set_position(h, s, (long long)s.pos + (s.paging_back ? -step : step));
  notify(h, s.paging_back ? TB_PAGEUP : TB_PAGEDOWN);
}

// Ends a press: the drag's final position, then TB_ENDTRACK.
void end_tracking(HWND h, Slider& s) {
  Tracking was = s.tracking;
  s.tracking = Tracking::none;
  KillTimer(h, kRepeatTimer);
  if (GetCapture() == h) ReleaseCapture();
  if (was == Tracking::thumb && !notify(h, TB_THUMBPOSITION, s.pos)) return;
  if (was != Tracking::none) notify(h, TB_ENDTRACK);
}

LRESULT slider_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  Slider& s = win::control_state<Slider>(h);
  auto redraw = [&] {
    if (wParam) InvalidateRect(h, nullptr, TRUE);
  };
  switch (message) {
    case TBM_GETPOS: return s.pos;
    case TBM_GETRANGEMIN: return s.min;
    case TBM_GETRANGEMAX: return s.max;
    case TBM_SETPOS:
      set_position(h, s, int(lParam));
      return 0;
    case TBM_SETRANGE:
      s.min = short(LOWORD(lParam));
      s.max = short(HIWORD(lParam));
      s.pos = clamp_to_range(s, s.pos);
      redraw();
      return 0;
    case TBM_SETRANGEMIN:
    case TBM_SETRANGEMAX:
      (message == TBM_SETRANGEMIN ? s.min : s.max) = int(lParam);
      s.pos = clamp_to_range(s, s.pos);
      redraw();
      return 0;
    case TBM_SETTICFREQ:
      s.tic_freq = int(wParam);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case TBM_SETPAGESIZE: {
      int old = page_size(s);
      s.page = int(lParam);
      return old;
    }
    case TBM_GETPAGESIZE: return page_size(s);
    case TBM_SETLINESIZE: {
      int old = s.line;
      s.line = int(lParam);
      return old;
    }
    case TBM_GETLINESIZE: return s.line;
    case TBM_GETTHUMBRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = thumb_rect(h, layout_of(h, s));
      return 0;
    case TBM_GETCHANNELRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = channel_rect(layout_of(h, s));
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: {
      UINT code = 0;
      long long target = 0;
      if (!key_move(wParam, s, code, target)) return DefWindowProc(h, message, wParam, lParam);
      set_position(h, s, target);
      notify(h, code);
      return 0;
    }
    case WM_KEYUP: {
      UINT code = 0;
      long long target = 0;
      if (key_move(wParam, s, code, target)) notify(h, TB_ENDTRACK);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      SetFocus(h);
      if (s.tracking != Tracking::none) return 0;
      Layout l = layout_of(h, s);
      int at = along(h, lParam);
      bool thumbed = !(style_of(h) & TBS_NOTHUMB);
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT thumb = thumb_rect(h, l);
      if (thumbed && CRect(thumb).PtInRect(p)) {
        s.tracking = Tracking::thumb;
        s.drag_offset = at - l.thumb_start;
        SetCapture(h);
        return 0;
      }
      if (at >= l.thumb_start && at < l.thumb_start + kThumbLength) return 0;  // level with the thumb but off it
      s.tracking = Tracking::page;
      s.pointer = at;
      s.paging_back = at < l.thumb_start;
      SetCapture(h);
      SetTimer(h, kRepeatTimer, kRepeatDelayMs, nullptr);
      page_towards_pointer(h, s);
      return 0;
    }
    case WM_TIMER:
      if (wParam != kRepeatTimer) return DefWindowProc(h, message, wParam, lParam);
      if (s.tracking == Tracking::page) {
        SetTimer(h, kRepeatTimer, kRepeatRateMs, nullptr);
        page_towards_pointer(h, s);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (s.tracking == Tracking::page) s.pointer = along(h, lParam);
      if (s.tracking == Tracking::thumb) {
        int next = position_at(s, layout_of(h, s), along(h, lParam) - s.drag_offset);
        if (next != s.pos) {
          set_position(h, s, next);
          notify(h, TB_THUMBTRACK, next);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      end_tracking(h, s);
      return 0;
    case WM_CAPTURECHANGED:
      // Capture taken away mid-press ends the press as a release would.
      if (reinterpret_cast<HWND>(lParam) != h && s.tracking != Tracking::none) end_tracking(h, s);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SIZE:
      InvalidateRect(h, nullptr, TRUE);
      return DefWindowProc(h, message, wParam, lParam);
    case WM_PAINT:
      paint(h, s);
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<Slider>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {
void register_trackbar_control() {
  register_control_class(TRACKBAR_CLASS, slider_proc, 0, COLOR_BTNFACE);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_trackbar_control();
  return CWnd::Create(TRACKBAR_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}
