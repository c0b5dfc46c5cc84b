// The reading view's own drags: a link pressed and moved more than three pixels drags the act the
// link leads to (with the target's text for other programs), and a press inside the selection
// that is held drags the selection's text.
#pragma once

#include <cstdint>

#include "engine/medview/viewer.h"
#include "platform/base/geometry.h"
#include "platform/shell/drag_drop.h"

namespace topicdrag {

// Whether the cursor moved far enough from `start` (more than 3 pixels either way) to drag.
bool MovedPastDragStart(CPoint start, CPoint now);
// Drags the topic a link's target (context hash) leads to, from the view `source`; NONE when the
// target names no topic.
DROPEFFECT DragLink(uint32_t target_hash, const void* source);
// Drags the viewer's selection as text.
DROPEFFECT DragSelection(medview::ViewerHandle viewer);

}  // namespace topicdrag
