#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/controls/control_class.h"
#include "platform/controls/standard_controls.h"
#include "platform/controls/standard_controls_common.h"
#include "platform/gdi/core/icons.h"
#include "platform/res/icon_loading.h"
#include "platform/win/scroll_bars.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_font.h"
#include "platform/win/control_state.h"

namespace {

using namespace controls::standard;

// --- Scroll bar ---------------------------------------------------------------------------------------
//
// The control is the bar: its client area is the strip, laid out as a window's own bars are (arrow
// boxes at the ends, a thumb sized by the page), and pressing it scrolls as they do, with the
// requests going to the parent.

struct ScrollState : win::ControlState {
  win::ScrollBarState bar;
};

win::ScrollBarState* bar_of(HWND h) {
  auto* s = win::find_control_state<ScrollState>(h);
  return s ? &s->bar : nullptr;
}

void paint_bar(HWND h, CDC& dc, const CRect& r, const win::ScrollBarState& state, bool vertical) {
  win::ScrollBarState shown = state;
  shown.enabled = state.enabled && IsWindowEnabled(h);
  const win::ScrollBarParts parts = win::scroll_bar_parts(r, vertical, shown);
  dc.FillSolidRect(&r, GetSysColor(COLOR_SCROLLBAR));
  // Greyed arrows when the bar cannot scroll.
  const bool thumb = parts.thumb.right > parts.thumb.left;
  const UINT inactive = thumb ? 0 : DFCS_INACTIVE;
  CRect first(parts.first_arrow), last(parts.last_arrow);
  dc.DrawFrameControl(&first, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive);
  dc.DrawFrameControl(&last, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive);
  if (thumb) {
    CRect box(parts.thumb);
    dc.FillSolidRect(&box, GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(&box, EDGE_RAISED, BF_RECT);
  }
}

LRESULT scroll_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  win::ScrollBarState& s = win::control_state<ScrollState>(h).bar;
  bool vertical = (style_of(h) & SBS_VERT) != 0;
  auto set_pos = [&](long long pos) {
    int old = s.pos;
    s.pos = int(std::clamp<long long>(pos, s.min, win::scroll_last_position(s)));
    s.track_pos = s.pos;
    if (s.pos != old) InvalidateRect(h, nullptr, TRUE);
    return old;
  };
  switch (message) {
    case SBM_SETPOS:
      return set_pos(int(wParam));
    case SBM_GETPOS:
      return s.pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      s.min = int(wParam);
      s.max = std::max(int(wParam), int(lParam));
      set_pos(s.pos);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case SBM_GETRANGE:
      if (wParam) *reinterpret_cast<int*>(wParam) = s.min;
      if (lParam) *reinterpret_cast<int*>(lParam) = s.max;
      return 0;
    case SBM_SETSCROLLINFO: {
      const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
      if (!info) return s.pos;
      if (info->fMask & SIF_RANGE) {
        s.min = info->nMin;
        s.max = std::max(info->nMin, info->nMax);
      }
      if (info->fMask & SIF_PAGE) {
        // A page larger than the range is cut to it.
        long long span = (long long)s.max - s.min + 1;
        s.page = UINT(std::min<long long>(info->nPage, span));
      }
      set_pos((info->fMask & SIF_POS) ? info->nPos : s.pos);
      InvalidateRect(h, nullptr, TRUE);
      return s.pos;
    }
    case SBM_GETSCROLLINFO: {
      auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
      if (!info) return FALSE;
      if (info->fMask & SIF_RANGE) {
        info->nMin = s.min;
        info->nMax = s.max;
      }
      if (info->fMask & SIF_PAGE) info->nPage = s.page;
      if (info->fMask & SIF_POS) info->nPos = s.pos;
      if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.track_pos;
      return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      win::track_scroll_control(h, vertical, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                                [h] { return bar_of(h); });
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) { paint_bar(h, dc, r, s, vertical); });
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<ScrollState>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls::standard {
void register_scroll_bar_control() { register_control_class("ScrollBar", scroll_proc, CS_DBLCLKS, COLOR_BTNFACE); }
}  // namespace controls::standard
