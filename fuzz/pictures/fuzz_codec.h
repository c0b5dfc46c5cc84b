// Shared body of the picture codec fuzz targets: reads arbitrary bytes with one codec, then uses
// what was decoded (pixels, a stretched draw with any transparent index, writing it back out).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "pictures/image/image_codecs.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/raster_device.h"

template <class Codec>
int FuzzCodec(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* in = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!in) return 0;
  Codec codec;
  codec.ReadStream(in);
  std::fclose(in);
  if (!codec.HasDib()) return 0;
  BYTE r, g, b;
  codec.GetRGB(0, 0, &r, &g, &b);
  codec.GetRGB(codec.width - 1, codec.height - 1, &r, &g, &b);
  if (codec.width * codec.height <= 512 * 512) {
    static std::vector<uint32_t> pixels(32 * 32);
    HDC hdc = gdi::create_context(
        std::make_unique<gdi::RasterDevice>(gdi::PixelBuffer{pixels.data(), 32, 32, 32, false}, 96));
    CDC dc;
    dc.Attach(hdc);
    codec.Stretch(&dc, 0, 0, 32, 32);
    codec.Draw(&dc, 0, 0);
    dc.Detach();
    DeleteDC(hdc);
    // Drawing wraps the palette in a temporary object, which the program's idle pass frees: an
    // input that leaves it behind looks like a leak to the fuzzer, which then runs the input again
    // and scans the heap after every one.
    CGdiObject::DeleteTempMap();
    if constexpr (requires { codec.WriteStream(in); }) {
      char* buffer = nullptr;
      size_t length = 0;
      if (FILE* out = open_memstream(&buffer, &length)) {
        codec.WriteStream(out);
        std::fclose(out);
      }
      std::free(buffer);
    }
  }
  return 0;
}
