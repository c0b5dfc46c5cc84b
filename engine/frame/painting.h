// Painting the laid-out band into a context the caller owns: the frames' objects, then the
// search-hit marks and the selection, both drawn from the viewer's state.
#pragma once

#include <cstdint>
#include <span>

#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"
#include "engine/medview/viewer_paint.h"

namespace frame {

// Draws one object of a frame whose origin is at (x, y); `text` is the frame record's text.
void FrDrawObject(medview::Viewer& viewer, std::span<const uint8_t> text, const LayoutObject& object, int32_t x,
                  int32_t y);
// Draws every frame from the head at its place in the layout rectangle.
void FrPaintFrames(medview::Viewer& viewer, const RECT* clip);
// Draws objects [first, last) of a frame whose origin is at (x, y); with `marksOnly` only the
// search-hit marks.
void FrPaintObjects(medview::Viewer& viewer, const LayoutFrame& frame, int32_t x, int32_t y, const RECT* clip,
                    size_t first, size_t last, bool marksOnly);

}  // namespace frame
