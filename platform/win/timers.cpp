#include "platform/win/timers.h"

#include <QTimer>

#include <memory>
#include <vector>

#include "platform/win/window_api.h"

namespace win {
namespace {

struct Timer {
  HWND window = nullptr;
  UINT_PTR id = 0;
  TIMERPROC proc = nullptr;
  std::unique_ptr<QTimer> qt_timer;
  bool due = false;
};

std::vector<std::unique_ptr<Timer>>& timers() {
  static std::vector<std::unique_ptr<Timer>> t;
  return t;
}

Timer* find_timer(HWND h, UINT_PTR id) {
  for (auto& t : timers()) {
    if (t->window == h && t->id == id) return t.get();
  }
  return nullptr;
}

// Ids for timers without a window, clear of the small ids code picks for its own windows.
UINT_PTR next_free_thread_id() {
  static UINT_PTR next = 0x7F00;
  return ++next;
}

}  // namespace

bool take_due_timer(MSG* out, HWND h, bool remove) {
  for (auto& t : timers()) {
    if (!t->due || (h && t->window != h)) continue;
    out->hwnd = t->window;
    out->message = WM_TIMER;
    out->wParam = t->id;
    out->lParam = reinterpret_cast<LPARAM>(t->proc);
    out->lPrivate = 0;
    if (remove) t->due = false;
    return true;
  }
  return false;
}

void kill_timers_of(HWND h) {
  std::erase_if(timers(), [h](const auto& t) { return t->window == h; });
}

}  // namespace win

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
  if (h && !IsWindow(h)) return 0;
  if (!h || id == 0) id = win::next_free_thread_id();
  win::Timer* t = win::find_timer(h, id);
  if (!t) {
    auto fresh = std::make_unique<win::Timer>();
    fresh->window = h;
    fresh->id = id;
    fresh->qt_timer = std::make_unique<QTimer>();
    t = fresh.get();
    win::timers().push_back(std::move(fresh));
    QObject::connect(t->qt_timer.get(), &QTimer::timeout, [t] { t->due = true; });
  }
  t->proc = proc;
  t->due = false;
  t->qt_timer->start(int(std::max<UINT>(elapse_ms, 1)));
  return id;
}

BOOL KillTimer(HWND h, UINT_PTR id) {
  auto& all = win::timers();
  auto before = all.size();
  std::erase_if(all, [&](const auto& t) { return t->window == h && t->id == id; });
  return all.size() != before;
}
