#include "platform/win/hooks.h"

#include <algorithm>
#include <list>

#include "platform/win/window_api.h"
#include "platform/win/window_internal.h"

struct HHOOK__ {
  int kind;
  HOOKPROC proc;
  bool removed = false;
};

namespace {

// All chains in one list, newest first. Entries stay put while any chain runs, so a hook may
// unhook itself; removed entries are dropped when no chain is running.
struct Hooks {
  std::list<HHOOK__> entries;
  int running = 0;
};

Hooks& hooks() {
  static Hooks h;
  return h;
}

bool offered(int kind) { return kind == WH_MSGFILTER || kind == WH_CALLWNDPROC || kind == WH_CALLWNDPROCRET; }

void sweep() {
  if (hooks().running == 0) hooks().entries.remove_if([](const HHOOK__& e) { return e.removed; });
}

// The first live hook of `kind` from `from` on.
HHOOK live_from(std::list<HHOOK__>::iterator from, int kind) {
  auto& entries = hooks().entries;
  auto it = std::find_if(from, entries.end(), [kind](const HHOOK__& e) { return e.kind == kind && !e.removed; });
  return it == entries.end() ? nullptr : &*it;
}

LRESULT run(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  if (!hook) return 0;
  ++hooks().running;
  LRESULT r = hook->proc(code, wParam, lParam);
  --hooks().running;
  sweep();
  return r;
}

LRESULT run_chain(int kind, int code, WPARAM wParam, LPARAM lParam) {
  return run(live_from(hooks().entries.begin(), kind), code, wParam, lParam);
}

}  // namespace

HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD) {
  if (!lpfn || !offered(idHook)) return nullptr;
  hooks().entries.push_front(HHOOK__{idHook, lpfn});
  return &hooks().entries.front();
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
  auto& entries = hooks().entries;
  auto it = std::find_if(entries.begin(), entries.end(), [hhk](const HHOOK__& e) { return &e == hhk; });
  if (it == entries.end() || it->removed) return FALSE;
  it->removed = true;
  sweep();
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
  auto& entries = hooks().entries;
  auto it = std::find_if(entries.begin(), entries.end(), [hhk](const HHOOK__& e) { return &e == hhk; });
  if (it == entries.end()) return 0;
  return run(live_from(std::next(it), it->kind), nCode, wParam, lParam);
}

BOOL CallMsgFilter(MSG* lpMsg, int nCode) {
  if (!lpMsg) return FALSE;
  return run_chain(WH_MSGFILTER, nCode, 0, reinterpret_cast<LPARAM>(lpMsg)) != 0;
}

namespace win {
LRESULT send_through_hooks(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hooks().entries.empty() || !IsWindow(h)) return call_proc(h, message, wParam, lParam);
  CWPSTRUCT before{lParam, wParam, message, h};
  run_chain(WH_CALLWNDPROC, HC_ACTION, 1, reinterpret_cast<LPARAM>(&before));
  LRESULT result = call_proc(h, message, wParam, lParam);
  CWPRETSTRUCT after{result, lParam, wParam, message, h};
  run_chain(WH_CALLWNDPROCRET, HC_ACTION, 1, reinterpret_cast<LPARAM>(&after));
  return result;
}
}  // namespace win
