// The play bar's push button and track bar. Their pictures (button faces, thumbs) are not in this
// program's resources: a button shows its face colour, and the track bar has a thumb of width 0,
// so a press left of the thumb pages back and one right of it pages forward.
#include <algorithm>
#include <vector>

#include "pictures/media/media_window.h"
#include "pictures/media/play_bar.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/framework/control_messages.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

namespace media {
namespace {

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

struct Button {
  bool pressed = false, inside = false, capturing = false;
  DWORD style = 0;
};

void Notify(HWND h, WORD code) {
  PostMessage(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), reinterpret_cast<LPARAM>(h));
}

struct Track {
  int32_t min = 0, max = 0, pos = 0;
  std::vector<int32_t> ticks;
  int channel = 1;
};

int ThumbLeft(const Track& t) {
  return MediaScale(t.channel, int64_t(t.pos) - t.min, int64_t(t.max) - t.min) + 1;
}

}  // namespace

LRESULT ButtonProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
  Button* b = reinterpret_cast<Button*>(GetWindowLongPtr(h, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE: {
      auto* made = new Button;
      made->style = DWORD(reinterpret_cast<CREATESTRUCT*>(lp)->style) & 0xFF00;
      SetWindowLongPtr(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
      return 0;
    }
    case WM_DESTROY:
      SetWindowLongPtr(h, GWLP_USERDATA, 0);
      delete b;
      return 0;
    case kBtnSetPressedQuiet:
      if (b && b->pressed != bool(wp)) {
        b->pressed = wp != 0;
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    case BM_GETSTATE:
      return b && b->pressed;
    case BM_SETSTATE:
      if (b && b->pressed != bool(wp)) {
        b->pressed = wp != 0;
        InvalidateRect(h, nullptr, FALSE);
        if (!b->pressed) Notify(h, BN_CLICKED);
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (!b || !IsWindowEnabled(h)) return 0;
      b->inside = true;
      if (!b->capturing) {
        b->pressed = true;
        b->capturing = true;
        SetCapture(h);
        InvalidateRect(h, nullptr, FALSE);
        if (b->style & kButtonNotifyOnPress) Notify(h, BN_CLICKED);
        if (b->style & kButtonRepeat) SetTimer(h, 1, 500, nullptr);
      }
      return 0;
    case WM_TIMER:
      KillTimer(h, 1);
      if (b && b->pressed && b->capturing) {
        Notify(h, BN_CLICKED);
        // The repeat runs at a pace the play bar can follow, not at every tick of the system.
        SetTimer(h, 1, kButtonRepeatMs, nullptr);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!b || !b->capturing) return 0;
      b->capturing = false;
      ReleaseCapture();
      const bool was = b->pressed;
      if (b->style & kButtonRepeat) KillTimer(h, 1);
      if (!(b->style & kButtonSticky)) b->pressed = false;
      InvalidateRect(h, nullptr, FALSE);
      if (b->style & kButtonRepeat) Notify(h, kNotifyReleased);
      if (was && b->inside && !(b->style & (kButtonNotifyOnPress | kButtonRepeat))) Notify(h, BN_CLICKED);
      return 0;
    }
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      if (!(b && (b->style & kButtonNoFace))) Fill(dc, r, GetSysColor(COLOR_BTNFACE));
      EndPaint(h, &ps);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProc(h, message, wp, lp);
}

LRESULT TrackBarProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
  Track* t = reinterpret_cast<Track*>(GetWindowLongPtr(h, GWLP_USERDATA));
  auto report = [h](UINT code, int32_t position) {
    SendMessage(GetParent(h), WM_HSCROLL, MAKEWPARAM(code, WORD(position)), reinterpret_cast<LPARAM>(h));
  };
  switch (message) {
    case WM_CREATE:
    case WM_SIZE: {
      if (!t) {
        t = new Track;
        SetWindowLongPtr(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(t));
      }
      RECT r;
      GetClientRect(h, &r);
      t->channel = std::max<int>(1, r.right - 2);  // client width - thumb width (0) - 2
      return 0;
    }
    case WM_DESTROY:
      SetWindowLongPtr(h, GWLP_USERDATA, 0);
      delete t;
      return 0;
    case kTbGetPos: return t ? t->pos : 0;
    case kTbGetMin: return t ? t->min : 0;
    case kTbGetMax: return t ? t->max : 0;
    case kTbAddTick:
      if (t) t->ticks.push_back(int32_t(lp));
      InvalidateRect(h, nullptr, FALSE);
      return 1;
    case kTbClearTicks:
      if (t) t->ticks.clear();
      return 1;
    case kTbSetMin:
      if (t) t->min = int32_t(lp);
      return 0;
    case kTbSetPos:
    case kTbSetMax:
      if (!t) return 0;
      if (message == kTbSetMax) t->max = int32_t(lp);
      else t->pos = int32_t(lp);
      t->pos = std::clamp(t->pos, t->min, std::max(t->min, t->max));
      if (wp) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      switch (wp) {
        case VK_PRIOR: report(SB_PAGEUP, 0); break;
        case VK_NEXT: report(SB_PAGEDOWN, 0); break;
        case VK_END: report(SB_BOTTOM, 0); break;
        case VK_HOME: report(SB_TOP, 0); break;
        case VK_LEFT: case VK_UP: report(SB_LINEUP, 0); break;
        case VK_RIGHT: case VK_DOWN: report(SB_LINEDOWN, 0); break;
        default: break;
      }
      return 0;
    case WM_KEYUP:
      if (wp >= VK_PRIOR && wp <= VK_DOWN) report(SB_ENDSCROLL, 0);
      return 0;
    case WM_LBUTTONDOWN:
      if (t && IsWindowEnabled(h)) {
        const int x = GET_X_LPARAM(lp);
        report(x < ThumbLeft(*t) ? SB_PAGEUP : SB_PAGEDOWN, 0);
      }
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME), shadow = GetSysColor(COLOR_BTNSHADOW),
                     light = GetSysColor(COLOR_BTNHIGHLIGHT), face = GetSysColor(COLOR_BTNFACE);
      Fill(dc, r, face);
      // The groove.
      Fill(dc, {0, 4, r.right, 5}, frame);
      Fill(dc, {0, 5, r.right, 7}, shadow);
      Fill(dc, {0, 13, r.right, 14}, frame);
      Fill(dc, {0, 14, r.right, 15}, light);
      Fill(dc, {0, 4, 1, 14}, frame);
      Fill(dc, {r.right - 1, 4, r.right, 14}, frame);
      // The baseline with its end marks and ticks.
      Fill(dc, {1, r.bottom - 3, r.right - 1, r.bottom - 2}, frame);
      Fill(dc, {1, r.bottom - 2, r.right - 1, r.bottom - 1}, light);
      Fill(dc, {1, r.bottom - 6, 2, r.bottom - 3}, frame);
      Fill(dc, {r.right - 2, r.bottom - 6, r.right - 1, r.bottom - 3}, frame);
      if (t) {
        for (int32_t tick : t->ticks) {
          const int x = MediaScale(t->channel, int64_t(tick) - t->min, int64_t(t->max) - t->min) + 1;
          Fill(dc, {x, r.bottom - 6, x + 1, r.bottom - 3}, frame);
          Fill(dc, {x + 1, r.bottom - 6, x + 2, r.bottom - 3}, light);
        }
      }
      EndPaint(h, &ps);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProc(h, message, wp, lp);
}

}  // namespace media
