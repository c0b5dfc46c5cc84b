#include "platform/win/context_help.h"

#include <map>

#include "platform/win/window_api.h"

namespace {

// Handles are never reused, so the ids of destroyed windows can only go stale, never be taken
// for another window's; they are dropped as new ids come in.
std::map<HWND, DWORD>& help_ids() {
  static std::map<HWND, DWORD> ids;
  return ids;
}

}  // namespace

BOOL SetWindowContextHelpId(HWND h, DWORD id) {
  if (!IsWindow(h)) return FALSE;
  std::erase_if(help_ids(), [](const auto& entry) { return !IsWindow(entry.first); });
  if (id) {
    help_ids()[h] = id;
  } else {
    help_ids().erase(h);
  }
  return TRUE;
}

DWORD GetWindowContextHelpId(HWND h) {
  if (!IsWindow(h)) return 0;
  auto it = help_ids().find(h);
  return it == help_ids().end() ? 0 : it->second;
}
