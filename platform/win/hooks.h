// Window hooks: routines that see messages on their way. WH_CALLWNDPROC hooks see every sent
// message before the window procedure, WH_CALLWNDPROCRET hooks after it with its result, and
// WH_MSGFILTER hooks see the messages that a modal loop (dialog, menu) offers through
// CallMsgFilter. Hooks form chains, the newest first; a hook passes the call on with
// CallNextHookEx. Hooks may remove themselves (or others) while a chain runs.
#pragma once

#include "platform/win/message_queue.h"
#include "platform/base/win_types.h"

struct HHOOK__;
using HHOOK = HHOOK__*;
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

constexpr int WH_MSGFILTER = -1;
constexpr int WH_CALLWNDPROC = 4;
constexpr int WH_CALLWNDPROCRET = 12;
constexpr int HC_ACTION = 0;

// WH_CALLWNDPROC: lParam points to this; wParam is nonzero (the message comes from this thread).
struct CWPSTRUCT {
  LPARAM lParam;
  WPARAM wParam;
  UINT message;
  HWND hwnd;
};

// WH_CALLWNDPROCRET: lParam points to this.
struct CWPRETSTRUCT {
  LRESULT lResult;
  LPARAM lParam;
  WPARAM wParam;
  UINT message;
  HWND hwnd;
};

// Null for a hook kind the layer does not offer or a null routine. The module and thread are
// kept for the callers that pass them; every hook is the program's one thread's.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
BOOL UnhookWindowsHookEx(HHOOK hhk);
// Calls the hook after `hhk` in its chain; 0 at the end of the chain.
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
// Offers `msg` to the WH_MSGFILTER hooks with the loop's code; TRUE when one of them took it.
BOOL CallMsgFilter(MSG* lpMsg, int nCode);

namespace win {
// Sends a message through the WH_CALLWNDPROC hooks, the window procedure, then the
// WH_CALLWNDPROCRET hooks.
LRESULT send_through_hooks(HWND h, UINT message, WPARAM wParam, LPARAM lParam);
}  // namespace win
