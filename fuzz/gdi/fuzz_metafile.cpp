// Plays arbitrary bytes as a metafile onto a small raster surface and the recording device.
#include <cstdint>
#include <vector>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/metafile_player.h"
#include "platform/gdi/core/raster_device.h"
#include "platform/gdi/core/recording_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  static std::vector<uint32_t> pixels(64 * 48);
  gdi::PixelBuffer surface{pixels.data(), 64, 48, 64, false};
  HDC raster = gdi::create_context(std::make_unique<gdi::RasterDevice>(surface, 96));
  gdi::play_metafile(raster, bytes);
  DeleteDC(raster);
  auto log = std::make_shared<gdi::RecordingLog>();
  HDC recording = gdi::create_recording_dc(log);
  SetMapMode(recording, MM_ANISOTROPIC);
  SetViewportExtEx(recording, 64, 48, nullptr);
  gdi::play_metafile(recording, bytes);
  DeleteDC(recording);
  return 0;
}
