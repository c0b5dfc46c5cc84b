// A segmented picture file loaded as the image window loads it: the first picture expanded, its
// hotspot table read into the window's hotspots, the picture measured, drawn and freed.
#include <cstdint>
#include <memory>
#include <vector>

#include "pictures/imagewnd/picture_types.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/raster_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A raster surface: a recording one would keep the text of every drawing of every input.
  static std::vector<uint32_t> pixels(64 * 64);
  static HDC dc = gdi::create_context(
      std::make_unique<gdi::RasterDevice>(gdi::PixelBuffer{pixels.data(), 64, 64, 64, false}, 96));
  // A window macro first, as the HOTMACRO option makes it, so the table extends a set.
  auto hotspots = std::make_unique<imagewnd::HotspotSet>(imagewnd::kMacroArea, imagewnd::kMacroArea, 2, 1);
  imagewnd::HotspotRecord macro;
  macro.right = macro.bottom = imagewnd::kMacroArea;
  macro.kind = imagewnd::kHotspotMacro;
  hotspots->add(macro);

  std::unique_ptr<imagewnd::PictureData> picture;
  HPALETTE palette = nullptr;
  SIZE picture_size{};
  imagewnd::PictureLoadRequest request;
  request.dc = dc;
  request.bytes = {data, size};
  request.picture = &picture;
  request.palette = &palette;
  request.pictureSize = &picture_size;
  request.hotspots = &hotspots;
  if (imagewnd::HyperLoad(request)) {
    imagewnd::HyperDraw(dc, picture.get(), palette, 0, 0, 64, 64);
    for (int32_t n = 0; n < hotspots->numberLimit(); ++n)
      if (const imagewnd::HotspotRecord* r = hotspots->byNumber(size_t(n))) hotspots->hit(r->left, r->top);
  }
  imagewnd::HyperFree(std::move(picture), palette);
  CGdiObject::DeleteTempMap();  // the program's idle pass
  return 0;
}
