// The window-free part of the main window's status bar: its seven panes at fixed indexes, their
// tool tips, the date pane's text, what a double-click on a pane does, the lock panes' state and
// the progress shown over the act pane.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/ctime.h"
#include "platform/base/win_types.h"

namespace status_panes {

// The panes, in the order the main frame must give them.
enum Pane {
  kPaneMessage = 0,     // menu prompts and messages (stretched)
  kPaneActAddress = 1,  // the current act's address; the progress control lies over it
  kPaneFoundWords = 2,  // number of found words
  kPaneNumLock = 3,
  kPaneCapsLock = 4,
  kPaneDate = 5,
  kPaneMark = 6,  // a one-letter mark set by the text view
  kPaneCount = 7,
};

// The indicator id of each pane (0 for the message pane); the sizing text of a pane is the
// string of its id.
UINT PaneIndicator(int pane);

// The date pane shows today's date (1) or the legal-state date of the user settings (0).
enum DateMode { kDateLegalState = 0, kDateToday = 1 };

// A pane's tool tip (CP1250); empty for a pane outside 0 to 6.
CString PaneTip(int pane, int date_mode);

// The date pane's text: "data: " and today's date, or "stan: " and the legal-state date, both
// as two-digit day, month and year with slashes.
CString DatePaneText(int date_mode, const CTime& now, const CTime& legal_state);

// What a double-click on a pane does.
struct DoubleClickAction {
  enum Kind { kNone, kCommand, kToggleLock } kind = kNone;
  UINT command = 0;  // kCommand: sent to the bar's parent
  BYTE key = 0;      // kToggleLock: the lock key, its scan code and key flags
  BYTE scan = 0;
  DWORD key_flags = 0;
};
DoubleClickAction PaneDoubleClick(int pane);
// Presses and releases the lock key of a kToggleLock action as made-up input.
void ToggleLock(const DoubleClickAction& action);

// Whether the lock of a lock pane is on, as the program tracks it from key events; false for
// other panes.
bool LockPaneOn(int pane);

// How a progress request changes the progress control: position -1 ends the progress (the
// control is hidden and the message pane shows the idle text again); otherwise a range above 0
// becomes the control's range (the whole 32 bits of it) and the position is shown.
struct ProgressChange {
  bool end = false;
  bool set_range = false;
  int range = 0;
  int position = 0;
};
ProgressChange Progress(int position, int range);

}  // namespace status_panes
