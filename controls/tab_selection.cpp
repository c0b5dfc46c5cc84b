#include "controls/tab_selection.h"

#include <cstdlib>

namespace tab_selection {

int step_target(int target, int current, int count, const EnabledTest& enabled) {
  if (count <= 0 || target < 0 || target >= count) return -1;
  const int distance = std::abs(target - current);
  if (distance != 1 && distance != target && distance != current) return -1;
  const bool forwards = target == current + 1 || target < current - 1;
  for (int i = 0; i < count; ++i) {
    const int index = forwards ? (target + i) % count : (target - i + count) % count;
    if (enabled(index)) return index;
  }
  return -1;
}

int next_enabled_after(int index, int count, const EnabledTest& enabled) {
  for (int i = 1; i < count; ++i) {
    const int candidate = (index + i) % count;
    if (enabled(candidate)) return candidate;
  }
  return -1;
}

int arrow_target(int current, int count, bool forwards) {
  if (count <= 0) return -1;
  if (forwards) return current + 1 >= count ? 0 : current + 1;
  return current <= 0 ? count - 1 : current - 1;
}

}  // namespace tab_selection
