#include "platform/win/message_loop.h"

#include "platform/win/cwnd.h"

namespace win {
namespace {

struct LoopHandlers {
  std::function<bool(long)> idle;
  std::function<bool(MSG&)> pre_translate;
};

LoopHandlers& handlers() {
  static LoopHandlers h;
  return h;
}

bool pre_translate(MSG& msg) {
  if (handlers().pre_translate) return handlers().pre_translate(msg);
  return CWnd::WalkPreTranslateTree(nullptr, &msg);
}

}  // namespace

void run_idle() {
  for (long count = 0;; ++count) {
    bool more = handlers().idle ? handlers().idle(count) : default_idle(count);
    if (!more || queue_has_posted_messages()) break;
  }
}

void set_idle_handler(std::function<bool(long)> handler) { handlers().idle = std::move(handler); }

void set_pre_translate_handler(std::function<bool(MSG&)> handler) {
  handlers().pre_translate = std::move(handler);
}

bool default_idle(long count) {
  if (count == 0) {
    for (HWND top = GetTopWindow(nullptr); top;) {
      HWND next = GetWindow(top, GW_HWNDNEXT);
      if (IsWindowVisible(top)) {
        SendMessage(top, WM_IDLEUPDATECMDUI, TRUE, 0);
        if (CWnd* wnd = CWnd::FromHandle(top)) {
          wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
      }
      top = next;
    }
  }
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  return false;
}

void process_message(MSG& msg) {
  if (pre_translate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessage(&msg);
}

int run_message_loop() {
  MSG msg;
  for (;;) {
    while (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      run_idle();
      if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) break;
      WaitMessage();
    }
    BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) return int(msg.wParam);
    if (got < 0) return -1;
    process_message(msg);
  }
}

int pump_waiting_messages(int limit) {
  int dispatched = 0;
  MSG msg;
  while (dispatched < limit && PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) break;
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    process_message(msg);
    ++dispatched;
  }
  run_idle();
  return dispatched;
}

}  // namespace win
