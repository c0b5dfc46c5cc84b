// The font a control or a dialog draws with. WM_SETFONT gives a window its font (a dialog gives
// every control its template font); WM_GETFONT returns it, or null while the window has none. A
// control without a font of its own draws in the stock GUI font, the font of the menus and tabs.
#pragma once

#include "platform/win/window_api.h"

namespace win {

// The font given to `h`, or the stock GUI font.
HFONT window_font(HWND h);

// Answers WM_SETFONT (keeps the font; lParam asks for a repaint) and WM_GETFONT, and forgets the
// font at WM_NCDESTROY (where it returns false, so the caller's own handling still runs). True when
// the message was answered; the answer is in `result`.
bool handle_font_message(HWND h, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The dialog base units of a font: the average width of the Latin letters and the line height,
// the units dialog templates measure in. A null font gives the system's units.
SIZE dialog_base_units(HFONT font);

// Selects the control's font into a context for the scope and puts the old one back.
class WindowFontScope {
 public:
  WindowFontScope(HDC dc, HWND control);
  ~WindowFontScope();
  WindowFontScope(const WindowFontScope&) = delete;
  WindowFontScope& operator=(const WindowFontScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace win
