#include "platform/win/window_table.h"

#include "platform/win/platform_widget.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

struct Table {
  std::map<std::uintptr_t, std::unique_ptr<Window>> records;
  std::uintptr_t next_number = 1;
  std::vector<HWND> top_levels;
  int widget_event_depth = 0;
  std::vector<std::unique_ptr<PlatformWidget>> widget_graveyard;
};

// Never destroyed: windows still open when the process exits would otherwise tear their widgets
// down after the toolkit's own statics have gone (a crash at exit); the process's end frees them.
Table& table() {
  static Table* t = new Table;
  return *t;
}

std::uintptr_t number_of(HWND h) { return reinterpret_cast<std::uintptr_t>(h); }

}  // namespace

Window* find_record(HWND h) {
  auto it = table().records.find(number_of(h));
  return it == table().records.end() ? nullptr : it->second.get();
}

Window* find_window(HWND h) {
  Window* w = find_record(h);
  return w && !w->dead ? w : nullptr;
}

Window& add_window() {
  auto& t = table();
  auto w = std::make_unique<Window>();
  w->handle = reinterpret_cast<HWND>(t.next_number);
  Window& ref = *w;
  t.records.emplace(t.next_number++, std::move(w));
  return ref;
}

std::vector<HWND> live_windows() {
  std::vector<HWND> out;
  for (auto& [number, w] : table().records) {
    if (!w->dead) out.push_back(w->handle);
  }
  return out;
}

void release_if_unused(HWND h) {
  Window* w = find_record(h);
  if (!w || !w->dead || !w->final_sent || w->busy != 0 || w->open_dcs != 0) return;
  auto& t = table();
  if (w->widget && t.widget_event_depth > 0) t.widget_graveyard.push_back(std::move(w->widget));
  // Control states are freed after the record leaves the table: their destructors may call the layer.
  std::vector<std::unique_ptr<ControlState>> states = std::move(w->control_states);
  t.records.erase(number_of(h));
}

std::vector<std::unique_ptr<ControlState>>* control_states(HWND h) {
  Window* w = find_record(h);
  return w ? &w->control_states : nullptr;
}

std::vector<HWND>& top_level_order() { return table().top_levels; }

std::vector<HWND>& sibling_list(const Window& w) {
  Window* parent = w.parent ? find_record(w.parent) : nullptr;
  return parent ? parent->children : table().top_levels;
}

WidgetEventScope::WidgetEventScope() { ++table().widget_event_depth; }

WidgetEventScope::~WidgetEventScope() {
  auto& t = table();
  if (--t.widget_event_depth == 0) t.widget_graveyard.clear();
}

WindowGuard::WindowGuard(HWND h) : handle_(h) {
  if (Window* w = find_record(h)) ++w->busy;
}

WindowGuard::~WindowGuard() {
  if (Window* w = find_record(handle_)) {
    if (--w->busy == 0) finish_destruction(handle_);
  }
}

}  // namespace win
