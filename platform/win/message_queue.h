// Sending, posting and retrieving messages.
//
// SendMessage calls the window procedure directly. PostMessage appends to the layer's one queue.
// GetMessage and PeekMessage let Qt process its events (which turns input into posted messages)
// until the queue has something; when no posted message is waiting they hand out, in this order,
// WM_PAINT for a window with an invalid area, then WM_TIMER for a timer that has come due, as the
// platform does. A nested loop (drag tracking, a modal dialog, a splitter) is just another
// Get/Translate/Dispatch loop over the same queue. WM_QUIT ends GetMessage.
#pragma once

#include <functional>

#include "platform/base/geometry.h"
#include "platform/win/messages.h"
#include "platform/base/win_types.h"

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt{0, 0};   // cursor position in screen coordinates when the message was made
  DWORD lPrivate = 0;  // for a key-down from input: the CP1250 character it types (0 for none)
  // For input: the keyboard state when the event happened, which GetKeyState reports once the
  // message is retrieved (0 for other messages).
  UINT input_serial = 0;
};

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

LRESULT SendMessage(HWND h, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND h, UINT message, WPARAM wParam, LPARAM lParam);
// Null `h` posts a message that belongs to no window (WM_QUIT and thread messages).
BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exit_code);

// Waits for a message for `h` (null: any) within [filter_min, filter_max] (both 0: all). FALSE when
// the message is WM_QUIT (also when no application exists, so nothing could ever arrive), -1 on a
// stale `h`.
BOOL GetMessage(MSG* msg, HWND h, UINT filter_min, UINT filter_max);
BOOL PeekMessage(MSG* msg, HWND h, UINT filter_min, UINT filter_max, UINT remove);
// Waits until a message is available.
BOOL WaitMessage();
// Posts the character message for a key-down that types one.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
LRESULT CallWindowProc(WNDPROC proc, HWND h, UINT message, WPARAM wParam, LPARAM lParam);
// The message being processed by the innermost window procedure call (for the framework's Default).
const MSG* GetCurrentMessage();
DWORD GetMessageTime();
DWORD GetMessagePos();
DWORD GetTickCount();
BOOL InSendMessage();

// A stable number at or above 0xC000 for a message name; the same name always gets the same number
// in one run (case-insensitive, as names are compared on the platform).
UINT RegisterWindowMessage(const char* name);

namespace win {

// True when a posted message is waiting (for idle processing).
bool queue_has_posted_messages();
// Number of messages waiting in the posted queue.
std::size_t posted_message_count();
// Posts a message made from input, with the keyboard-state snapshot it carries and, for a
// key-down, the CP1250 character it types.
void post_input(HWND h, UINT message, WPARAM wParam, LPARAM lParam, DWORD character, UINT serial);
// Drops every posted message for `h` (the window is gone).
void drop_messages_for(HWND h);

// Called with every message a window procedure receives through the layer, before the procedure
// (tests record message order with it). Null to remove.
void set_message_observer(std::function<void(HWND, UINT, WPARAM, LPARAM)> observer);

}  // namespace win
