#include "platform/win/message_queue.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/win/hooks.h"
#include "platform/win/timers.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

struct Queue {
  std::deque<MSG> posted;
  bool quit_pending = false;
  int quit_code = 0;
  std::deque<MSG> current;  // messages being processed, innermost last (addresses stay put)
  MSG last_retrieved;
  std::function<void(HWND, UINT, WPARAM, LPARAM)> observer;
  std::map<std::string, UINT> registered;
};

Queue& queue() {
  static Queue q;
  return q;
}

QElapsedTimer& clock() {
  static QElapsedTimer c = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return c;
}

bool in_range(UINT message, UINT filter_min, UINT filter_max) {
  if (filter_min == 0 && filter_max == 0) return true;
  return message >= filter_min && message <= filter_max;
}

// A posted message for `h` matches the filter window when it is for that window or one of its
// children (as the platform's filter does); null takes every message.
bool window_matches(HWND msg_window, HWND filter) {
  return !filter || msg_window == filter || IsChild(filter, msg_window);
}

MSG stamped(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG m;
  m.hwnd = h;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = GetTickCount();
  QPoint p = cursor_pos();
  m.pt = POINT{p.x(), p.y()};
  return m;
}

void wake_qt() {
  if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

// Takes the next message in the platform's priority order: posted, quit, paint, timer.
bool take_message(MSG* out, HWND h, UINT filter_min, UINT filter_max, bool remove) {
  Queue& q = queue();
  for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
    if (!window_matches(it->hwnd, h) || !in_range(it->message, filter_min, filter_max)) continue;
    *out = *it;
    if (remove) {
      q.posted.erase(it);
      if (out->input_serial) apply_key_snapshot(out->input_serial);
    }
    return true;
  }
  if (q.quit_pending) {
    *out = stamped(nullptr, WM_QUIT, WPARAM(q.quit_code), 0);
    if (remove) q.quit_pending = false;
    return true;
  }
  if (in_range(WM_PAINT, filter_min, filter_max)) {
    if (HWND p = window_needing_paint(h)) {
      *out = stamped(p, WM_PAINT, 0, 0);
      return true;
    }
  }
  if (in_range(WM_TIMER, filter_min, filter_max)) {
    if (take_due_timer(out, h, remove)) {
      out->time = GetTickCount();
      return true;
    }
  }
  return false;
}

}  // namespace

LRESULT call_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = find_window(h);
  if (!w || !w->proc) return 0;
  Queue& q = queue();
  ++w->busy;
  q.current.push_back(stamped(h, message, wParam, lParam));
  if (q.observer) q.observer(h, message, wParam, lParam);
  LRESULT result = w->proc(h, message, wParam, lParam);
  q.current.pop_back();
  // The record outlives the call: it is held busy.
  if (--w->busy == 0 && w->dead) finish_destruction(h);
  return result;
}

void finish_destruction(HWND h) {
  Window* w = find_record(h);
  if (!w || !w->dead || w->busy > 0) return;
  if (!w->final_sent) {
    w->final_sent = true;
    ++w->busy;
    Queue& q = queue();
    if (q.observer) q.observer(h, WM_NCDESTROY, 0, 0);
    if (w->proc) w->proc(h, WM_NCDESTROY, 0, 0);
    --w->busy;
  }
  release_if_unused(h);
}

bool queue_has_posted_messages() { return !queue().posted.empty() || queue().quit_pending; }
std::size_t posted_message_count() { return queue().posted.size(); }

void post_input(HWND h, UINT message, WPARAM wParam, LPARAM lParam, DWORD character, UINT serial) {
  if (!IsWindow(h)) return;
  MSG m = stamped(h, message, wParam, lParam);
  m.lPrivate = character;
  m.input_serial = serial;
  queue().posted.push_back(m);
  wake_qt();
}

void drop_messages_for(HWND h) {
  auto& posted = queue().posted;
  std::erase_if(posted, [h](const MSG& m) { return m.hwnd == h; });
}

void set_message_observer(std::function<void(HWND, UINT, WPARAM, LPARAM)> observer) {
  queue().observer = std::move(observer);
}

}  // namespace win

LRESULT SendMessage(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  return win::send_through_hooks(h, message, wParam, lParam);
}

BOOL PostMessage(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (h && !IsWindow(h)) return FALSE;
  if (!h) return PostThreadMessage(message, wParam, lParam);
  win::queue().posted.push_back(win::stamped(h, message, wParam, lParam));
  win::wake_qt();
  return TRUE;
}

BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUIT) {
    PostQuitMessage(int(wParam));
    return TRUE;
  }
  win::queue().posted.push_back(win::stamped(nullptr, message, wParam, lParam));
  win::wake_qt();
  return TRUE;
}

void PostQuitMessage(int exit_code) {
  win::queue().quit_pending = true;
  win::queue().quit_code = exit_code;
  win::wake_qt();
}

BOOL PeekMessage(MSG* msg, HWND h, UINT filter_min, UINT filter_max, UINT remove) {
  if (!msg) return FALSE;
  if (h && !IsWindow(h)) return FALSE;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (!win::take_message(msg, h, filter_min, filter_max, (remove & PM_REMOVE) != 0)) return FALSE;
  if (remove & PM_REMOVE) win::queue().last_retrieved = *msg;
  return TRUE;
}

BOOL GetMessage(MSG* msg, HWND h, UINT filter_min, UINT filter_max) {
  if (!msg) return -1;
  for (;;) {
    if (h && !IsWindow(h)) return -1;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (win::take_message(msg, h, filter_min, filter_max, true)) {
      win::queue().last_retrieved = *msg;
      return msg->message == WM_QUIT ? FALSE : TRUE;
    }
    // Without an application nothing could ever arrive: waiting would hang, so the loop ends.
    if (!QCoreApplication::instance()) {
      *msg = win::stamped(nullptr, WM_QUIT, 0, 0);
      return FALSE;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

BOOL WaitMessage() {
  MSG m;
  while (!win::take_message(&m, nullptr, 0, 0, false)) {
    if (!QCoreApplication::instance()) return FALSE;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || msg->lPrivate == 0) return FALSE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
  UINT char_message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  MSG m = *msg;
  m.message = char_message;
  m.wParam = msg->lPrivate;
  m.lPrivate = 0;
  m.input_serial = 0;
  // The character comes straight after its key-down, ahead of anything posted later.
  win::queue().posted.push_front(m);
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    if (!msg->hwnd || IsWindow(msg->hwnd)) proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  if (!IsWindow(msg->hwnd)) return 0;
  LRESULT r = win::call_proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  // A procedure that ignores WM_PAINT must not get it again and again.
  if (msg->message == WM_PAINT) ValidateRect(msg->hwnd, nullptr);
  return r;
}

LRESULT CallWindowProc(WNDPROC proc, HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(h, message, wParam, lParam) : 0;
}

const MSG* GetCurrentMessage() {
  auto& current = win::queue().current;
  return current.empty() ? &win::queue().last_retrieved : &current.back();
}

DWORD GetMessageTime() { return win::queue().last_retrieved.time; }

DWORD GetMessagePos() {
  const POINT& p = win::queue().last_retrieved.pt;
  return DWORD(MAKELONG(WORD(short(p.x)), WORD(short(p.y))));
}

DWORD GetTickCount() { return DWORD(win::clock().elapsed()); }

BOOL InSendMessage() { return FALSE; }

UINT RegisterWindowMessage(const char* name) {
  if (!name || !*name) return 0;
  auto& registered = win::queue().registered;
  std::string key = base::cp1250::to_upper(name);
  auto it = registered.find(key);
  if (it != registered.end()) return it->second;
  UINT id = kFirstRegisteredMessage + UINT(registered.size());
  if (id > 0xFFFF) return 0;
  registered.emplace(key, id);
  return id;
}
