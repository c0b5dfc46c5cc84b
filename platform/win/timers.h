// Timers: each is a Qt timer that marks itself due; the queue hands out one WM_TIMER per due timer
// when nothing else is waiting, so a slow handler never piles timer messages up.
#pragma once

#include "platform/win/message_queue.h"

namespace win {

// Fills `out` with the WM_TIMER of a due timer of `h` (null: any) and, with `remove`, clears it.
bool take_due_timer(MSG* out, HWND h, bool remove);
// Stops every timer of a window.
void kill_timers_of(HWND h);

}  // namespace win
