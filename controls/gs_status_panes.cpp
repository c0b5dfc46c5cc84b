#include "controls/gs_status_panes.h"

#include <algorithm>

#include "platform/base/cp1250.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/status_bar.h"
#include "platform/win/keyboard_locks.h"
#include "platform/win/virtual_keys.h"
#include "resources/resource_ids.h"

namespace gsstatus {

namespace {

// Scan codes of the lock keys as a keyboard sends them.
constexpr BYTE kScanNumLock = 0x45;
constexpr BYTE kScanCapsLock = 0x3A;

CString Cp(const char* utf8) { return CString(base::cp1250::from_utf8(utf8)); }

}  // namespace

const UINT kIndicators[kPaneCount] = {
    ID_SEPARATOR,
    resources::ID_INDICATOR_ACT,
    resources::ID_INDICATOR_FOUND_WORDS,
    ::ID_INDICATOR_NUM,
    ::ID_INDICATOR_CAPS,
    resources::ID_INDICATOR_DATE,
    resources::ID_INDICATOR_MARK,
};

CString PaneTip(int pane, int dateMode) {
  switch (pane) {
    case kPaneMessage: return Cp("Pomoc");
    case kPaneAct: return Cp("Nagłówek aktu");
    case kPaneFoundWords: return Cp("Liczba znalezionych słów");
    case kPaneNumLock: return Cp("Num Lock");
    case kPaneCapsLock: return Cp("Caps Lock");
    case kPaneDate: return Cp(dateMode == kDateLegalState ? "Stan prawny na dzień" : "Bieżąca data");
    case kPaneMark: return Cp("!Wyjątki");
    default: return CString();
  }
}

const char* DateFormat(int dateMode) { return dateMode == kDateToday ? "data: %d/%m/%y" : "stan: %d/%m/%y"; }

CString DateText(int dateMode, CTime now, int64_t legalStateTime) {
  const CTime shown = dateMode == kDateToday ? now : CTime(legalStateTime);
  return shown.Format(DateFormat(dateMode));
}

PaneAction DoubleClickAction(int pane) {
  PaneAction action;
  switch (pane) {
    case kPaneMessage:
      action.kind = PaneAction::kCommand;
      action.command = ID_HELP_FINDER;
      break;
    case kPaneAct:
      action.kind = PaneAction::kCommand;
      action.command = resources::ID_GO_TO;
      break;
    case kPaneFoundWords:
      action.kind = PaneAction::kCommand;
      action.command = resources::ID_QUERY;
      break;
    case kPaneNumLock:
      action.kind = PaneAction::kToggleLock;
      action.vk = VK_NUMLOCK;
      action.scan = kScanNumLock;
      action.flags = KEYEVENTF_EXTENDEDKEY;
      break;
    case kPaneCapsLock:
      action.kind = PaneAction::kToggleLock;
      action.vk = VK_CAPITAL;
      action.scan = kScanCapsLock;
      break;
    case kPaneDate:
      action.kind = PaneAction::kCommand;
      action.command = resources::ID_OPTIONS;
      break;
    default:
      break;
  }
  return action;
}

bool ProgressRange(int range, int& lower, int& upper) {
  if (range <= 0) return false;
  lower = 0;
  upper = range;
  return true;
}

CRect MessageProgressRect(const CRect& pane0, int textWidth, int percent) {
  const int left = pane0.left + textWidth;
  const int rest = std::max(0, int(pane0.right) - left);
  const int width = int(int64_t(rest) * std::clamp(percent, 0, 100) / 100);
  const int cut = pane0.Height() / 10;
  return CRect(left, pane0.top + cut, left + width, pane0.bottom - cut);
}

}  // namespace gsstatus
