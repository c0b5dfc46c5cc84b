// Search-hit marks. The viewer keeps the installed hit list and the mark brush and raster
// operation, never the drawn rectangles: marks are mapped onto the laid-out objects whenever they are
// drawn, so a repaint or a new layout shows them where the text now is, and drawing them once more
// with an exclusive-or operation erases exactly what was drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/frame/layout_object.h"
#include "engine/fts/search/hit_highlight.h"
#include "engine/medview/view_marks.h"
#include "engine/medview/viewer.h"
#include "engine/medview/viewer_hits.h"

namespace frame {

// One mark: the hit's entry number and its rectangle relative to the frame.
struct HitMark {
  int32_t hit = 0;
  size_t object = 0;
  RECT rect{};
};

// The marks of the installed hits on a frame, hit by hit in entry order. A hit's length is cut at the
// record's last character.
std::vector<HitMark> FrMapHitsOnFrame(medview::Viewer& viewer, const LayoutFrame& frame);
// Removes the hits from the view: the marks are mapped anew at every drawing, so only embedded windows
// hold hits of their own, and each is told to drop them (0x7079).
void FrRemoveHits(medview::Viewer& viewer);
// Draws the marks of every laid-out frame (nothing while printing).
void FrDrawMarks(medview::Viewer& viewer);
// Draws the marks of one frame whose origin is at (x, y) in the client.
void FrDrawFrameMarks(medview::Viewer& viewer, const LayoutFrame& frame, int32_t x, int32_t y);

}  // namespace frame
