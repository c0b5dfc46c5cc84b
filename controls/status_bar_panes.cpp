#include "controls/status_bar_panes.h"

#include "platform/base/cp1250.h"
#include "platform/framework/command_ids.h"
#include "platform/win/keyboard_locks.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "resources/resource_ids.h"

namespace status_panes {
namespace {

struct PaneInfo {
  UINT indicator;
  const char* tip;  // UTF-8
};
constexpr PaneInfo kPanes[kPaneCount] = {
    {0, "Pomoc"},
    {resources::ID_INDICATOR_ACT, "Nagłówek aktu"},
    {resources::ID_INDICATOR_FOUND_WORDS, "Liczba znalezionych słów"},
    {ID_INDICATOR_NUM, "Num Lock"},
    {ID_INDICATOR_CAPS, "Caps Lock"},
    {resources::ID_INDICATOR_DATE, "Bieżąca data"},
    {resources::ID_INDICATOR_MARK, "!Wyjątki"},
};
constexpr const char* kLegalStateTip = "Stan prawny na dzień";

bool in_range(int pane) { return pane >= 0 && pane < kPaneCount; }

}  // namespace

UINT PaneIndicator(int pane) { return in_range(pane) ? kPanes[pane].indicator : 0; }

CString PaneTip(int pane, int date_mode) {
  if (!in_range(pane)) return CString();
  const char* tip = pane == kPaneDate && date_mode == kDateLegalState ? kLegalStateTip : kPanes[pane].tip;
  return CString(base::cp1250::from_utf8(tip));
}

CString DatePaneText(int date_mode, const CTime& now, const CTime& legal_state) {
  return date_mode == kDateToday ? now.Format("data: %d/%m/%y") : legal_state.Format("stan: %d/%m/%y");
}

DoubleClickAction PaneDoubleClick(int pane) {
  DoubleClickAction action;
  switch (pane) {
    case kPaneMessage:
      return {DoubleClickAction::kCommand, ID_HELP_FINDER};  // "LumoKAL - &Pomoc..."
    case kPaneActAddress:
      return {DoubleClickAction::kCommand, resources::ID_GO_TO};
    case kPaneFoundWords:
      return {DoubleClickAction::kCommand, resources::ID_QUERY};
    case kPaneNumLock:
      return {DoubleClickAction::kToggleLock, 0, BYTE(VK_NUMLOCK), 0x45, KEYEVENTF_EXTENDEDKEY};
    case kPaneCapsLock:
      return {DoubleClickAction::kToggleLock, 0, BYTE(VK_CAPITAL), 0x3A, 0};
    case kPaneDate:
      return {DoubleClickAction::kCommand, resources::ID_OPTIONS};
    default:
      return action;
  }
}

void ToggleLock(const DoubleClickAction& action) {
  if (action.kind != DoubleClickAction::kToggleLock) return;
  keybd_event(action.key, action.scan, action.key_flags, 0);
  keybd_event(action.key, action.scan, action.key_flags | KEYEVENTF_KEYUP, 0);
}

bool LockPaneOn(int pane) {
  if (pane == kPaneNumLock) return (::GetKeyState(VK_NUMLOCK) & 1) != 0;
  if (pane == kPaneCapsLock) return (::GetKeyState(VK_CAPITAL) & 1) != 0;
  return false;
}

ProgressChange Progress(int position, int range) {
  if (position == -1) return {true, false, 0, 0};
  return {false, range > 0, range > 0 ? range : 0, position};
}

}  // namespace status_panes
