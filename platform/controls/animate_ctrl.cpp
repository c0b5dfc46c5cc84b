#include "platform/controls/animate_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <span>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dib.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "platform/win/control_state.h"

namespace {

constexpr UINT_PTR kFrameTimer = 1;

struct Clip : win::ControlState {
  std::span<const uint8_t> dib;  // the packed bitmap, kept by the resource store
  gdi::DibInfo info;
  int frames = 0;
  int size = 0;  // frames are size by size pixels
  int shown = 0;
  int from = 0, to = 0;
  int repeats_left = 0;  // -1 without end
  bool playing = false;
};

void tell(HWND h, WORD code) {
  HWND parent = GetParent(h);
  if (parent) SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), reinterpret_cast<LPARAM>(h));
}

void stop(HWND h) {
  Clip& c = win::control_state<Clip>(h);
  if (!c.playing) return;
  c.playing = false;
  KillTimer(h, kFrameTimer);
  tell(h, ACN_STOP);
}

void show(HWND h, int frame) {
  win::control_state<Clip>(h).shown = frame;
  InvalidateRect(h, nullptr, TRUE);
}

BOOL open(HWND h, UINT id) {
  stop(h);
  win::control_state<Clip>(h) = Clip();
  InvalidateRect(h, nullptr, TRUE);
  if (id == 0) return FALSE;
  std::span<const uint8_t> dib = res::find_binary(res::BinaryKind::bitmap, id);
  gdi::DibInfo info;
  if (dib.empty() || !gdi::read_dib_info(dib, DIB_RGB_COLORS, {}, info) || info.height <= 0 || info.width <= 0 ||
      dib.size() < info.info_size + gdi::dib_bits_size(info.header)) {
    return FALSE;
  }
  Clip& c = win::control_state<Clip>(h);
  c.dib = dib;
  c.info = info;
  c.size = info.height;
  c.frames = std::max(1, info.width / info.height);
  return TRUE;
}

BOOL play(HWND h, int repeats, int from, int to) {
  Clip& c = win::control_state<Clip>(h);
  if (c.frames == 0) return FALSE;
  if (to == 0xFFFF) to = c.frames - 1;
  if (from < 0 || from >= c.frames || to < from || to >= c.frames || repeats == 0) return FALSE;
  stop(h);
  c.from = from;
  c.to = to;
  c.repeats_left = repeats;
  show(h, from);
  // One frame asked once is a seek: shown, nothing plays.
  if (from == to && repeats == 1) return TRUE;
  c.playing = true;
  SetTimer(h, kFrameTimer, controls::kAnimationFrameMs, nullptr);
  tell(h, ACN_START);
  return TRUE;
}

// The next frame; past the range's end the range starts again while repeats are left.
void tick(HWND h) {
  Clip& c = win::control_state<Clip>(h);
  if (!c.playing) return;
  if (c.shown < c.to) {
    show(h, c.shown + 1);
    return;
  }
  if (c.repeats_left > 0) --c.repeats_left;
  if (c.repeats_left == 0) {
    stop(h);
    return;
  }
  show(h, c.from);
}

void paint(HWND h) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(h, &ps);
  const Clip& c = win::control_state<Clip>(h);
  RECT client;
  GetClientRect(h, &client);
  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  FillRect(hdc, &client, background);
  if (c.frames > 0) {
    int x = 0, y = 0;
    if (GetWindowLong(h, GWL_STYLE) & ACS_CENTER) {
      x = (client.right - c.size) / 2;
      y = (client.bottom - c.size) / 2;
    }
    // Bottom-up rows count the source from the bottom; a frame spans the whole height either way.
    SetDIBitsToDevice(hdc, x, y, DWORD(c.size), DWORD(c.size), c.shown * c.size, 0, 0, UINT(c.info.height),
                      c.dib.data() + c.info.info_size, reinterpret_cast<const BITMAPINFO*>(c.dib.data()),
                      DIB_RGB_COLORS);
  }
  EndPaint(h, &ps);
}

LRESULT animate_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case ACM_OPEN: return open(h, UINT(lParam));
    case ACM_PLAY: return play(h, int(wParam), LOWORD(lParam), HIWORD(lParam));
    case ACM_STOP:
      stop(h);
      return TRUE;
    case WM_TIMER:
      if (wParam == kFrameTimer) tick(h);
      return 0;
    case WM_PAINT:
      paint(h);
      return 0;
    case WM_DESTROY:
      // Playing ends with the window, but its parent is no longer told.
      KillTimer(h, kFrameTimer);
      win::control_state<Clip>(h).playing = false;
      return DefWindowProc(h, message, wParam, lParam);
    case WM_NCDESTROY:
      win::drop_control_state<Clip>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {
void register_animate_control() {
  register_control_class(ANIMATE_CLASS, animate_proc, 0, COLOR_BTNFACE);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CAnimateCtrl, CWnd)

BOOL CAnimateCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_animate_control();
  return CWnd::Create(ANIMATE_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}
