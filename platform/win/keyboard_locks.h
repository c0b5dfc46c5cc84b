// The keyboard's lock keys (Num Lock, Caps Lock, Scroll Lock) and made-up key input.
//
// The low bit of GetKeyState for a lock key is its state as the program last saw it: read from
// the display server whenever one of the program's windows is activated by the desktop (so also
// when the main window first comes up), and turned over by every press of the key the program
// receives (its own made-up presses included).
// keybd_event and SendInput make key input as if typed: the key messages go to the focus window
// through the queue, and a press of a lock key also asks the display server to change the lock
// and its light. Where the server offers no such control (Wayland, the headless test platform),
// only the program's own view of the lock changes.
#pragma once

#include <memory>

#include "platform/base/win_types.h"

using ULONG_PTR = std::uintptr_t;

constexpr DWORD KEYEVENTF_EXTENDEDKEY = 0x0001;
constexpr DWORD KEYEVENTF_KEYUP = 0x0002;

constexpr DWORD INPUT_MOUSE = 0;
constexpr DWORD INPUT_KEYBOARD = 1;

struct KEYBDINPUT {
  WORD wVk = 0;
  WORD wScan = 0;
  DWORD dwFlags = 0;
  DWORD time = 0;
  ULONG_PTR dwExtraInfo = 0;
};

struct INPUT {
  DWORD type = INPUT_KEYBOARD;
  KEYBDINPUT ki;
};

// A key press (or, with KEYEVENTF_KEYUP, release) of `vk`. The scan code and the extended-key
// flag travel in the key messages' lParam as typed keys carry them.
void keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra_info);
// Plays the keyboard inputs in order; mouse inputs are not made up. Returns the number of inputs
// played, 0 when `size` is not sizeof(INPUT).
UINT SendInput(UINT count, const INPUT* inputs, int size);

namespace win {

// How the display server's lock keys are read and set.
class LockKeyServer {
 public:
  virtual ~LockKeyServer() = default;
  // The lock's state; false when the server cannot tell.
  virtual bool read(int virtual_key, bool& on) = 0;
  // Asks the server to put the lock in `on`; false when it cannot.
  virtual bool set(int virtual_key, bool on) = 0;
};

// The server in use: the X server's keyboard extension when the program runs on X, otherwise
// none (reads and sets fail).
LockKeyServer& lock_key_server();
// Installs `server` (null restores the default); tests install a stand-in.
void set_lock_key_server(std::unique_ptr<LockKeyServer> server);
// Takes the server's state of the three locks into the program's view.
void refresh_lock_keys();
// Whether `virtual_key` is one of the lock keys.
bool is_lock_key(int virtual_key);

}  // namespace win
