// The program's message loop: get, pre-translate, translate, dispatch; the idle pass when the
// queue drains. The application object sets its own pre-translation and idle work; by default
// pre-translation walks from the message's window up through its parents (PreTranslateMessage)
// and the idle pass sends WM_IDLEUPDATECMDUI to every visible top-level window and its
// descendants (update-UI of toolbars and status panes) and frees temporary window objects.
#pragma once

#include <functional>

#include "platform/win/message_queue.h"

namespace win {

// Called with a rising count (0 first) while the queue stays empty; false ends the idle pass
// until the next message arrives. Null restores the default.
void set_idle_handler(std::function<bool(long count)> handler);
// Called for every retrieved message before translation; true eats it. Null restores the default.
void set_pre_translate_handler(std::function<bool(MSG& msg)> handler);

// Runs until WM_QUIT and returns its exit code.
int run_message_loop();
// Runs one step of a loop: translates and dispatches `msg` unless pre-translation eats it.
void process_message(MSG& msg);
// Dispatches everything waiting (input Qt has, posted messages, paints, due timers) without
// waiting, then runs the idle pass; returns the number of messages dispatched. A WM_QUIT found
// on the way is left for the outer loop. Stops after `limit` messages.
int pump_waiting_messages(int limit = 100000);
// The idle pass: the idle work with a rising count until it wants no more or a message is posted.
// Loops of their own (drags, tracking) run it after each message, as the program's loop does when
// its queue drains.
void run_idle();
// The default idle pass.
bool default_idle(long count);

}  // namespace win
