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

namespace {

using namespace controls::standard;

// --- Static -------------------------------------------------------------------------------------------

// An icon static's text names its icon resource: "#132" for id 132, else the resource's name. The
// icon is drawn at its own size in the top-left corner.
void draw_static_icon(CDC& dc, const std::string& name) {
  const bool by_id = name.size() > 1 && name[0] == '#';
  const char* resource = by_id ? MAKEINTRESOURCE(std::atoi(name.c_str() + 1)) : name.c_str();
  if (HICON icon = LoadIcon(nullptr, resource)) {
    DrawIconEx(dc.GetSafeHdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
  }
}

LRESULT static_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) return r;
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_NCHITTEST:
      return (style_of(h) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONUP:
      if (style_of(h) & SS_NOTIFY) notify(h, STN_CLICKED);
      return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(h, message, wParam, lParam);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case WM_PAINT:
      paint(h, [&](CDC& dc, CRect r) {
        DWORD s = style_of(h);
        DWORD type = s & SS_TYPEMASK;
        if (type == SS_ETCHEDHORZ) {
          dc.Draw3dRect(r.left, r.top, r.Width(), 2, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
          return;
        }
        if (type == SS_BLACKRECT) {
          dc.FillSolidRect(&r, GetSysColor(COLOR_WINDOWFRAME));
          return;
        }
        if (type == SS_ICON) {
          draw_static_icon(dc, GetWindowTextString(h));
          return;
        }
        std::string text = GetWindowTextString(h);
        if (!(s & SS_NOPREFIX)) text = label(text);
        // The parent, or the control itself through reflection, may choose the text colour, the
        // font and the background (a hollow brush leaves the background as it is).
        if (HWND parent = GetParent(h)) {
          LRESULT answer = SendMessage(parent, WM_CTLCOLORSTATIC, WPARAM(dc.GetSafeHdc()), reinterpret_cast<LPARAM>(h));
          if (HBRUSH brush = ResolveClassBrush(reinterpret_cast<HBRUSH>(answer))) dc.FillRect(&r, CBrush::FromHandle(brush));
        }
        UINT format = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
        draw_label(h, dc, text, r, format | DT_WORDBREAK | DT_NOPREFIX);
      });
      return 0;
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls::standard {
void register_static_control() { register_control_class("Static", static_proc, 0, COLOR_BTNFACE); }
}  // namespace controls::standard
