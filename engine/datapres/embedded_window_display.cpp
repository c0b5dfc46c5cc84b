#include "engine/datapres/embedded_window_display.h"

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"

namespace datapres {
namespace {

// The program's text for an object that cannot be shown ("Nie można wyświetlić"), string 1023.
constexpr std::string_view kCannotShowText = "Nie mo\xbfna wy\x9cwietli\xe6";
constexpr uint32_t kCannotShowString = 1023;

ProgramStringProc g_program_strings = nullptr;

bool is_callback(const EmbedObject& object) { return !object.window && object.instance == kEwCallbackInstance; }

// An object meets the layout vertically; one without height (a callback object) when its top lies
// inside it.
bool meets_vertically(const RECT& rect, const RECT& layout) {
  if (rect.bottom <= rect.top) return rect.top >= layout.top && rect.top < layout.bottom;
  return rect.bottom > layout.top && rect.top < layout.bottom;
}

// A brush of one colour, deleted with the object.
class SolidBrush {
 public:
  explicit SolidBrush(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}
  ~SolidBrush() {
    if (brush_) DeleteObject(brush_);
  }
  SolidBrush(const SolidBrush&) = delete;
  SolidBrush& operator=(const SolidBrush&) = delete;
  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

}  // namespace

SIZE FrErrorBoxSize(HDC hdc, std::string_view text) {
  TEXTMETRIC metrics{};
  SIZE extent{0, 0};
  if (!GetTextMetrics(hdc, &metrics)) return extent;
  GetTextExtentPoint32(hdc, text.data(), int(text.size()), &extent);
  return {extent.cx + 2 * metrics.tmMaxCharWidth, 2 * metrics.tmAscent + metrics.tmHeight};
}

void FrSetProgramStrings(ProgramStringProc proc) { g_program_strings = proc; }

std::string FrCannotShowText() {
  std::string text;
  if (g_program_strings && g_program_strings(kCannotShowString, &text) && !text.empty()) return text;
  return std::string(kCannotShowText);
}

void FrDrawErrorBox(HDC hdc, const RECT& rect, std::string_view text, COLORREF text_colour, COLORREF back) {
  {
    const SolidBrush fill(back);
    FillRect(hdc, &rect, fill.get());
    const SolidBrush frame(text_colour);
    FrameRect(hdc, &rect, frame.get());
  }
  const std::string own = text.empty() ? FrCannotShowText() : std::string();
  const std::string_view shown = text.empty() ? std::string_view(own) : text;
  SIZE extent{0, 0};
  if (!GetTextExtentPoint32(hdc, shown.data(), int(shown.size()), &extent)) return;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (extent.cx > width || extent.cy > height) return;
  const int mode = SetBkMode(hdc, TRANSPARENT);
  const COLORREF colour = SetTextColor(hdc, text_colour);
  TextOut(hdc, rect.left + (width - extent.cx) / 2, rect.top + (height - extent.cy) / 2, shown.data(),
          int(shown.size()));
  SetTextColor(hdc, colour);
  SetBkMode(hdc, mode);
}

SIZE FrWindowSize(EmbedState& state, const EmbedObject& object, HDC hdc, bool printing) {
  if (printing || is_callback(object)) return {0, 0};
  if (!object.window) return FrErrorBoxSize(hdc, object.text);
  if (!state.port) return {0, 0};
  SIZE size{0, 0};
  if (state.port->send(object.window, kEwSize, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(&size)))
    return size;
  const RECT own = state.port->window_rect(object.window);
  return {own.right - own.left, own.bottom - own.top};
}

void FrDrawWindow(EmbedState& state, const EmbedObject& object, const RECT& rect, const RECT& layout, HDC hdc,
                  bool printing) {
  const bool visible = meets_vertically(rect, layout);
  if (is_callback(object)) {
    if (visible && state.callback)
      state.callback(state.callbackData, kEwCallbackShow, rect.left, rect.top, rect.left, rect.top,
                     object.text.c_str());
    return;
  }
  if (!object.window) {
    if (visible && !printing) FrDrawErrorBox(hdc, rect, object.text, state.textColor, state.backColor);
    return;
  }
  if (!state.port || !state.port->exists(object.window)) return;
  EmbedDrawParams params{rect, hdc};
  const LPARAM lparam = reinterpret_cast<LPARAM>(&params);
  if (printing) {
    if (visible) state.port->send(object.window, kEwPrint, 0, lparam);
    return;
  }
  state.port->place(object.window, rect);
  const bool show = visible && state.port->send(object.window, kEwShow, 1, lparam) == 0;
  if (show != state.port->visible(object.window)) state.port->show(object.window, show);
  if (show) state.port->send(object.window, kEwShow, 0, lparam);
}

}  // namespace datapres
