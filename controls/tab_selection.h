// The selection rules of a tab row in which single tabs are disabled, as plain functions over
// the tab count and an enabled test (CTabCtrlEx applies them to its tab control).
#pragma once

#include <functional>

namespace tab_selection {

using EnabledTest = std::function<bool(int index)>;

// Where a request to select the disabled tab `target` goes while `current` is selected. It counts
// as a step only when it moves by one tab or starts or ends at the first tab; any other request
// is refused (-1). A step goes on to the nearest enabled tab from the target: forwards (past the
// last tab to the first) when the target is the tab right after the current one or lies more
// than one tab before it, backwards (past the first to the last) otherwise. -1 when no tab is
// enabled.
int step_target(int target, int current, int count, const EnabledTest& enabled);

// The first enabled tab after `index`, going on from the first tab after the last; -1 when
// there is none other than `index` itself.
int next_enabled_after(int index, int count, const EnabledTest& enabled);

// The tab the arrow keys move to: back (Left, Up) or on (Right, Down) by one, round at the ends.
int arrow_target(int current, int count, bool forwards);

}  // namespace tab_selection
