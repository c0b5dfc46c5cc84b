// Bitmaps that embedded windows hand over for copying, with the palette handed over beside them,
// recorded as metafile pictures; each picture made is played back onto a small raster surface.
//
// Input: u16 length n of the palette block, n bytes of the palette block (version and entry count,
// then four bytes per entry; cut at the input's end), then the packed bitmap block as it is.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/datapres/dib_picture.h"
#include "platform/base/byte_io.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/metafile_player.h"
#include "platform/gdi/core/raster_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> input(data, size);
  if (input.size() < 2) return 0;
  const size_t paletteSize = std::min<size_t>(base::load_le16(data), input.size() - 2);
  std::span<const uint8_t> palette = input.subspan(2, paletteSize);
  std::span<const uint8_t> dib = input.subspan(2 + paletteSize);
  datapres::DibMetafile picture;
  if (!datapres::DpDibToMetafile(dib, picture, palette)) return 0;
  static std::vector<uint32_t> pixels(32 * 24);
  gdi::PixelBuffer surface{pixels.data(), 32, 24, 32, false};
  HDC raster = gdi::create_context(std::make_unique<gdi::RasterDevice>(surface, 96));
  SetMapMode(raster, MM_ANISOTROPIC);
  SetViewportExtEx(raster, 32, 24, nullptr);
  gdi::play_metafile(raster, picture.metafile);
  DeleteDC(raster);
  return 0;
}
