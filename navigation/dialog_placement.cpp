#include "navigation/dialog_placement.h"

#include <optional>

#include "shell/frame_placement.h"
#include "toolkit/frame/registry.h"

namespace navdlg {

namespace {
constexpr const char* kSettingsKey = "Software\\Fenwar\\LumoKAL";
}  // namespace

bool RestorePlacement(CWnd* dialog, const char* value_name) {
  SECRegistry registry;
  CString text;
  if (!dialog || !dialog->m_hWnd || !registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Open(kSettingsKey, KEY_READ) ||
      !registry.QueryStringValue(value_name, text)) {
    return false;
  }
  const std::optional<WINDOWPLACEMENT> wp = frame_placement::Usable(text.view(), win::screen_areas());
  if (!wp) return false;
  dialog->SetWindowPos(nullptr, wp->rcNormalPosition.left, wp->rcNormalPosition.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void SavePlacement(CWnd* dialog, const char* value_name) {
  WINDOWPLACEMENT wp;
  if (!dialog || !dialog->m_hWnd || !::GetWindowPlacement(dialog->m_hWnd, &wp)) return;
  wp.flags = ::IsZoomed(dialog->m_hWnd) ? WPF_RESTORETOMAXIMIZED : 0;
  SECRegistry registry;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Create(kSettingsKey)) return;
  registry.SetStringValue(value_name, CString(frame_placement::Format(wp)));
  registry.Close();
}

}  // namespace navdlg
