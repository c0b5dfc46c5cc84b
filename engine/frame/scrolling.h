// Scrolling: scroll-bar codes turned into moves of the band of laid-out records, thumb positions
// mapped to and from text positions by estimating where in the shown region the band lies, and
// scrolling a topic address into view.
//
// Thumb positions run from 0 to 0x7FFF; 0 means the region's top is shown, 0x7FFF its end, and every
// place in between maps strictly inside (1 .. 32766). Products of byte counts and thumb positions
// are taken in 64 bits.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/medview/viewer.h"
#include "engine/medview/viewer_scroll.h"

namespace frame {

// The page move for a window extent less the cut-off part: truncated towards zero to a multiple of
// 8, less 16 (overlap) when at least 32.
int32_t FrPageStep(int32_t extent);

// Where the shown region lies in bytes: the bytes per 16 KB block and the bytes the thumb spans.
struct RegionEstimate {
  int32_t bytesPerBlock = 0;
  int64_t regionBytes = 1;
};
// From the region's first and last positions, the topic length and the bytes one window shows.
RegionEstimate FrEstimateRegion(int32_t start, int32_t end, int32_t topicLength, int64_t windowBytes);
// Thumb for a distance into the region, strictly between the ends (1 .. 32766).
int32_t FrThumbFromDistance(int64_t distance, int64_t regionBytes);
// Bytes into the region for a thumb position.
int64_t FrDistanceFromThumb(int32_t thumb, int64_t regionBytes);

// The shown region's first and last record positions (the last: the record before the scrolling
// region for region 0, unknown there and taken as the scrolling start).
void FrShownRegion(const medview::Viewer& viewer, int32_t& start, int32_t& end);
// Where the shown region lies in bytes, from the laid-out records.
RegionEstimate FrEstimateShown(const medview::Viewer& viewer);
// Whether the region's first (last) record is laid out with its top (bottom) inside the rectangle.
bool FrTopShown(const medview::Viewer& viewer);
bool FrEndShown(const medview::Viewer& viewer);

// Moves the view; the moves applied go to `applied`.
void FrScrollBy(medview::Viewer& viewer, int32_t dx, int32_t dy, POINT* applied, medview::TitleErrorCode* error);
// Sets the thumb of one direction; true when the view changed.
bool FrSetThumb(medview::Viewer& viewer, int32_t thumb, bool vertical, medview::TitleErrorCode* error);
// Client point of a topic address among the laid-out records.
bool FrAddressToPoint(medview::Viewer& viewer, int32_t address, POINT* point);
// Moves the view a window height at a time towards a topic address, laying records out above or
// below, until `found` answers true, the region ends in that direction or a damaged chain of records
// brings back a view already shown; returns `found`'s last answer.
bool FrScrollTowards(medview::Viewer& viewer, uint32_t address, const std::function<bool()>& found);
// Visible height of the tallest text object cut by the rectangle's top (bottom) edge.
int32_t FrTopCut(const medview::Viewer& viewer);
int32_t FrBottomCut(const medview::Viewer& viewer);

}  // namespace frame
