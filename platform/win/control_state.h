// State a control class keeps for each of its windows, owned by the window's record.
//
// A control's window procedure keeps its data (items, ranges, positions, fonts) in a struct derived
// from win::ControlState and reaches it through the handle. The record owns it: it goes when the
// control drops it (usually on WM_NCDESTROY) or, at the latest, when the record is freed, so no table
// outside the window keeps state of a handle that is gone. A window holds one state of each type,
// so a control that keeps two kinds of state (a combo box's own and its list's) keeps both.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/win_types.h"

namespace win {

struct ControlState {
  ControlState() = default;
  ControlState(const ControlState&) = default;
  ControlState& operator=(const ControlState&) = default;
  virtual ~ControlState() = default;
};

// The states a window's record holds, or null when the handle has no record.
std::vector<std::unique_ptr<ControlState>>* control_states(HWND h);

// The state of type T the window holds, or null.
template <class T>
T* find_control_state(HWND h) {
  if (auto* states = control_states(h)) {
    for (auto& s : *states)
      if (auto* found = dynamic_cast<T*>(s.get())) return found;
  }
  return nullptr;
}

// The state of type T the window holds, made on first use. A handle without a record (a procedure
// called directly with a stale handle) gets one scratch state of that type that no window owns.
template <class T>
T& control_state(HWND h) {
  if (T* found = find_control_state<T>(h)) return *found;
  auto* states = control_states(h);
  if (!states) {
    thread_local T scratch;
    return scratch;
  }
  states->push_back(std::make_unique<T>());
  return static_cast<T&>(*states->back());
}

// Frees the window's state of type T (if any).
template <class T>
void drop_control_state(HWND h) {
  auto* states = control_states(h);
  if (!states) return;
  for (auto it = states->begin(); it != states->end(); ++it) {
    if (dynamic_cast<T*>(it->get())) {
      std::unique_ptr<ControlState> gone = std::move(*it);
      states->erase(it);
      return;  // `gone` is freed after the record's list is consistent again
    }
  }
}

}  // namespace win
