#include "shell/dialog_place.h"

#include "platform/win/monitors.h"
#include "shell/frame_placement.h"
#include "toolkit/frame/registry.h"

namespace dialog_place {

namespace {
constexpr const char* kSettingsKey = "Software\\Fenwar\\LumoKAL";
}  // namespace

void Restore(HWND dialog, const char* value_name) {
  SECRegistry registry;
  CString text;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Open(kSettingsKey, KEY_READ) ||
      !registry.QueryStringValue(value_name, text)) {
    return;
  }
  const std::optional<WINDOWPLACEMENT> wp = frame_placement::Usable(text.view(), win::screen_areas());
  if (!wp) return;
  ::SetWindowPos(dialog, nullptr, wp->rcNormalPosition.left, wp->rcNormalPosition.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Save(HWND dialog, const char* value_name) {
  WINDOWPLACEMENT wp;
  if (!::GetWindowPlacement(dialog, &wp)) return;
  wp.flags = ::IsZoomed(dialog) ? WPF_RESTORETOMAXIMIZED : 0;
  SECRegistry registry;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Create(kSettingsKey)) return;
  registry.SetStringValue(value_name, CString(frame_placement::Format(wp)));
  registry.Close();
}

}  // namespace dialog_place
