#include "platform/win/window_font.h"

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_table.h"

namespace win {

HFONT window_font(HWND h) {
  if (const Window* w = find_record(h); w && w->font) return w->font;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool handle_font_message(HWND h, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SETFONT:
      if (Window* w = find_record(h)) w->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(h, nullptr, TRUE);
      result = 0;
      return true;
    case WM_GETFONT: {
      const Window* w = find_record(h);
      result = w ? reinterpret_cast<LRESULT>(w->font) : 0;
      return true;
    }
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
