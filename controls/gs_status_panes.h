// The rules of the main window's status bar as plain data: which pane holds what, the tip of each
// pane, what a double-click on a pane does, the date pane's text, where the progress control of a
// pane lies and where the message-pane progress bar goes. The windows (gs_status_bar.h) only apply
// them.
#pragma once

#include <cstdint>

#include "platform/base/ctime.h"
#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

namespace gsstatus {

// The panes at their fixed indexes; the main frame gives them in this order.
constexpr int kPaneMessage = 0;
constexpr int kPaneAct = 1;         // the current act's address; the progress lies over it
constexpr int kPaneFoundWords = 2;
constexpr int kPaneNumLock = 3;
constexpr int kPaneCapsLock = 4;
constexpr int kPaneDate = 5;
constexpr int kPaneMark = 6;        // the text view's one-letter mark
constexpr int kPaneCount = 7;

// The indicator ids of the seven panes, in pane order (0 is the stretched message pane).
extern const UINT kIndicators[kPaneCount];

// Date mode: today's date, or the legal-state date of the user settings.
constexpr int kDateLegalState = 0;
constexpr int kDateToday = 1;

// The tip of a pane (CP1250); empty for a pane without one (index outside 0 to 6).
CString PaneTip(int pane, int dateMode);

// The per-cent pattern of the date pane in a date mode.
const char* DateFormat(int dateMode);
// The date pane's text: today (`now`) in date mode 1, the legal-state time value otherwise.
CString DateText(int dateMode, CTime now, int64_t legalStateTime);

// What a double-click on a pane does.
struct PaneAction {
  enum Kind { kNone, kCommand, kToggleLock };
  Kind kind = kNone;
  UINT command = 0;  // kCommand: the WM_COMMAND id sent to the parent
  BYTE vk = 0;       // kToggleLock: the lock key pressed and released
  BYTE scan = 0;
  DWORD flags = 0;   // KEYEVENTF_ bits of both key events besides the release flag
};
PaneAction DoubleClickAction(int pane);

// The whole progress range up to `range`: the full 32-bit value, never cut to 16 bits. False when
// the range is not positive (the range stays as it was).
bool ProgressRange(int range, int& lower, int& upper);

// Where the message-pane progress bar lies: in `pane0` after `textWidth` pixels of label,
// `percent` of the width that is left (never negative), a tenth of the pane's height off the top
// and the bottom.
CRect MessageProgressRect(const CRect& pane0, int textWidth, int percent);

}  // namespace gsstatus
