#include "shell/frame_placement.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "toolkit/frame/registry.h"

namespace frame_placement {

namespace {

// One decimal field: optional blanks, an optional sign, digits; nothing else.
bool ReadField(std::string_view field, long long& value) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  if (field.empty()) return false;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  return error == std::errc() && end == field.data() + field.size();
}

}  // namespace

std::optional<WINDOWPLACEMENT> Parse(std::string_view text) {
  long long values[10] = {};
  size_t count = 0;
  for (;;) {
    const size_t comma = text.find(',');
    const std::string_view field = text.substr(0, comma);
    if (count == 10 || !ReadField(field, values[count])) return std::nullopt;
    ++count;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (count != 10) return std::nullopt;
  // The flags and show command are unsigned; every coordinate is a 32-bit signed number.
  if (values[0] < 0 || values[0] > 0xFFFFFFFFLL || values[1] < 0 || values[1] > 0xFFFFFFFFLL) return std::nullopt;
  for (int i = 2; i < 10; ++i) {
    if (values[i] < -2147483648LL || values[i] > 2147483647LL) return std::nullopt;
  }
  WINDOWPLACEMENT wp;
  wp.flags = UINT(values[0]);
  wp.showCmd = UINT(values[1]);
  wp.ptMinPosition = {LONG(values[2]), LONG(values[3])};
  wp.ptMaxPosition = {LONG(values[4]), LONG(values[5])};
  wp.rcNormalPosition = {LONG(values[6]), LONG(values[7]), LONG(values[8]), LONG(values[9])};
  return wp;
}

std::string Format(const WINDOWPLACEMENT& wp) {
  char text[160];
  std::snprintf(text, sizeof text, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", wp.flags, wp.showCmd, int(wp.ptMinPosition.x),
                int(wp.ptMinPosition.y), int(wp.ptMaxPosition.x), int(wp.ptMaxPosition.y),
                int(wp.rcNormalPosition.left), int(wp.rcNormalPosition.top), int(wp.rcNormalPosition.right),
                int(wp.rcNormalPosition.bottom));
  return text;
}

bool MeetsAScreen(const RECT& rect, const std::vector<win::ScreenArea>& screens) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return false;
  return std::any_of(screens.begin(), screens.end(), [&rect](const win::ScreenArea& screen) {
    const RECT& m = screen.monitor;
    return std::max(rect.left, m.left) < std::min(rect.right, m.right) &&
           std::max(rect.top, m.top) < std::min(rect.bottom, m.bottom);
  });
}

std::optional<WINDOWPLACEMENT> Usable(std::string_view text, const std::vector<win::ScreenArea>& screens) {
  std::optional<WINDOWPLACEMENT> wp = Parse(text);
  if (!wp || !MeetsAScreen(wp->rcNormalPosition, screens)) return std::nullopt;
  wp->showCmd = 0;
  return wp;
}

RECT FullScreenRect(const RECT& screen, const RECT& frame) {
  return RECT{screen.left - frame.left, screen.top + 2 - frame.top, screen.right + frame.right,
              screen.bottom + frame.bottom};
}

void Store(HWND window, const char* name) {
  WINDOWPLACEMENT wp;
  if (!::GetWindowPlacement(window, &wp)) return;
  wp.flags = ::IsZoomed(window) ? WPF_RESTORETOMAXIMIZED : 0;
  SECRegistry registry;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Create(kSettingsKey)) return;
  registry.SetStringValue(name, CString(Format(wp)));
  registry.Close();
}

std::optional<WINDOWPLACEMENT> Load(const char* name) {
  SECRegistry registry;
  CString text;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Open(kSettingsKey, KEY_READ) ||
      !registry.QueryStringValue(name, text)) {
    return std::nullopt;
  }
  registry.Close();
  return Usable(text.view(), win::screen_areas());
}

bool RestorePosition(HWND window, const char* name) {
  const std::optional<WINDOWPLACEMENT> wp = Load(name);
  if (!wp) return false;
  ::SetWindowPos(window, nullptr, wp->rcNormalPosition.left, wp->rcNormalPosition.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

}  // namespace frame_placement
