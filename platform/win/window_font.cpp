#include "platform/win/window_font.h"

#include <map>

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"
#include "platform/win/system_metrics.h"

namespace win {
namespace {

// Handles are never reused, so an entry left by a window that missed WM_NCDESTROY harms nothing.
std::map<HWND, HFONT>& fonts() {
  static std::map<HWND, HFONT> f;
  return f;
}

}  // namespace

HFONT window_font(HWND h) {
  auto it = fonts().find(h);
  if (it != fonts().end() && it->second) return it->second;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool handle_font_message(HWND h, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SETFONT:
      if (wParam) {
        fonts()[h] = reinterpret_cast<HFONT>(wParam);
      } else {
        fonts().erase(h);
      }
      if (LOWORD(lParam)) InvalidateRect(h, nullptr, TRUE);
      result = 0;
      return true;
    case WM_GETFONT: {
      auto it = fonts().find(h);
      result = it == fonts().end() ? 0 : reinterpret_cast<LRESULT>(it->second);
      return true;
    }
    case WM_NCDESTROY:
      fonts().erase(h);
      return false;
    default:
      return false;
  }
}

SIZE dialog_base_units(HFONT font) {
  LONG system = GetDialogBaseUnits();
  SIZE units{LOWORD(DWORD(system)), HIWORD(DWORD(system))};
  if (!font) return units;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return units;
  HGDIOBJ old = SelectObject(dc, font);
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  SIZE extent{};
  TEXTMETRIC tm{};
  if (GetTextExtentPoint32(dc, kLetters, 52, &extent) && GetTextMetrics(dc, &tm) && tm.tmHeight > 0) {
    units = SIZE{(extent.cx / 26 + 1) / 2, tm.tmHeight};
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return units;
}

WindowFontScope::WindowFontScope(HDC dc, HWND control)
    : dc_(dc), old_(SelectObject(dc, window_font(control))) {}

WindowFontScope::~WindowFontScope() {
  if (old_) SelectObject(dc_, old_);
}

}  // namespace win
