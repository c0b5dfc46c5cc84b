// The reading view's own drags: a link pressed and moved more than three pixels drags the act the
// link leads to (with the target's text for other programs), a press on a header pane outside its
// links drags the topic the header shows, and a press inside the selection that is held drags the
// selection's text.
#pragma once

#include <cstdint>

#include "engine/medview/viewer.h"
#include "platform/base/geometry.h"
#include "platform/shell/drag_drop.h"

namespace topicdrag {

// Whether the cursor moved far enough from `start` (more than 3 pixels either way) to drag.
bool MovedPastDragStart(CPoint start, CPoint now);
// Drags the topic `viewer` shows from the view `source` as a drag of `kind`: "Topic Info" and the
// engine's rendering of the whole region the viewer shows (a rendering that fails leaves "Topic
// Info" alone). NONE, without a drag, when the viewer shows no topic.
DROPEFFECT DragShownTopic(medview::ViewerHandle viewer, const void* source, int32_t kind);
// Drags the topic a link's target (context hash) leads to, from the view `source`; NONE when the
// target names no topic.
DROPEFFECT DragLink(uint32_t target_hash, const void* source);
// Drags the viewer's selection as text.
DROPEFFECT DragSelection(medview::ViewerHandle viewer);

}  // namespace topicdrag
