// Walking the records of a viewer's shown region one at a time, each laid out alone into a frame
// of its own: copying, printing and counting hotspots read whole regions this way on a clone.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"

namespace frame {

// Lays out every record from `first` up to and including `last` (positions) inside the shown
// region and hands each frame to `visit`, which returns false to stop. The frames are laid out for
// copying or printing and dropped after the visit. 0 when the walk ended at the region's end, at
// `last` or by `visit`; 1001 when a record could not be laid out; 1005 without records to read.
medview::TitleErrorCode FrWalkRegion(medview::Viewer& viewer, int32_t first, int32_t last,
                                     const std::function<bool(LayoutFrame&)>& visit);

// The region's first record position.
int32_t FrRegionStart(const medview::Viewer& viewer);

}  // namespace frame
