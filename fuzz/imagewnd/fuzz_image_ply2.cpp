// A PLY2 hotspot file parsed, merged over a window's earlier hotspots, hit-tested and stepped.
#include <cstdint>

#include "pictures/imagewnd/image_hotspots.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<imagewnd::HotspotSet> set = imagewnd::ParsePly2({data, size});
  if (!set) return 0;
  imagewnd::HotspotSet old(imagewnd::kMacroArea, imagewnd::kMacroArea, 2, 1);
  imagewnd::HotspotRecord macro;
  macro.right = macro.bottom = imagewnd::kMacroArea;
  old.add(macro);
  imagewnd::MergeHotspots(*set, old);
  for (int32_t y = -8; y < set->height() + 8; y += 1 + set->height() / 16)
    for (int32_t x = -8; x < set->width() + 8; x += 1 + set->width() / 16) set->hit(x, y);
  const RECT visible{0, 0, set->width() / 2, set->height()};
  int32_t focus = 0;
  for (int i = 0; i < 4; ++i) focus = imagewnd::StepHotspotFocus(*set, focus, i < 2, visible);
  set->resize(set->width() / 2 + 1, set->height() + 7);
  set->hit(1, 1);
  return 0;
}
