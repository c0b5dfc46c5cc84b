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
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_font.h"
#include "platform/win/control_state.h"

namespace {

using namespace controls::standard;

// --- Scroll bar ---------------------------------------------------------------------------------------

struct ScrollState : win::ControlState {
  int min = 0, max = 100;
  UINT page = 0;
  int pos = 0;
  int track = 0;
};

// The largest position: the end of the range less the page.
int max_position(const ScrollState& s) {
  long long top = (long long)s.max - std::max<long long>((long long)s.page - 1, 0);
  return int(std::max<long long>(s.min, top));
}

LRESULT scroll_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  ScrollState& s = win::control_state<ScrollState>(h);
  bool vertical = (style_of(h) & SBS_VERT) != 0;
  auto set_pos = [&](long long pos) {
    int old = s.pos;
    s.pos = int(std::clamp<long long>(pos, s.min, max_position(s)));
    if (s.pos != old) InvalidateRect(h, nullptr, TRUE);
    return old;
  };
  switch (message) {
    case SBM_SETPOS:
      return set_pos(int(wParam));
    case SBM_GETPOS:
      return s.pos;
    case SBM_SETRANGE:
      s.min = int(wParam);
      s.max = std::max(int(wParam), int(lParam));
      set_pos(s.pos);
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
      if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.track;
      return TRUE;
    }
    case WM_LBUTTONDOWN: {
      // Arrows at the ends (a square each), the page areas between.
      RECT r;
      GetClientRect(h, &r);
      int length = vertical ? r.bottom : r.right;
      int arrow = vertical ? r.right : r.bottom;
      int at = vertical ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
      UINT code = at < arrow ? SB_LINEUP : at >= length - arrow ? SB_LINEDOWN : at < length / 2 ? SB_PAGEUP : SB_PAGEDOWN;
      if (HWND parent = GetParent(h)) {
        SendMessage(parent, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(WORD(code), 0), reinterpret_cast<LPARAM>(h));
        SendMessage(parent, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(h));
      }
      return 0;
    }
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        dc.FillSolidRect(&r, GetSysColor(COLOR_SCROLLBAR));
        long long span = (long long)max_position(s) - s.min;
        int length = vertical ? r.Height() : r.Width(), arrow = vertical ? r.Width() : r.Height();
        int room = std::max(0, length - 3 * arrow);
        int offset = arrow + int(span > 0 ? ((long long)s.pos - s.min) * room / span : 0);
        CRect thumb = vertical ? CRect(r.left, offset, r.right, offset + arrow) : CRect(offset, r.top, offset + arrow, r.bottom);
        dc.FillSolidRect(&thumb, GetSysColor(COLOR_BTNFACE));
        dc.Draw3dRect(&thumb, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
      });
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
