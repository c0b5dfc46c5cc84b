// Hotspot insertion with any boxes: u16 area width, u16 height, u8 levels, then records of
// u8 shape, u8 level, u16 number, i16 left, top, right, bottom (a circle adds i16 x, y, radius; a
// polygon u8 count and i16 x, y pairs). Every insertion must end; every kept record is found.
#include <cstdint>

#include "pictures/imagewnd/image_hotspots.h"
#include "platform/base/byte_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  base::ByteReader in(data, size);
  const uint16_t width = in.u16(), height = in.u16();
  const uint8_t levels = in.u8();
  if (!in.ok()) return 0;
  imagewnd::HotspotSet set(width, height, levels % 8, 64);
  while (in.remaining() >= 12) {
    imagewnd::HotspotRecord r;
    r.shape = in.u8() % 3;
    r.level = in.u8();
    r.number = in.u16();
    r.left = int16_t(in.u16());
    r.top = int16_t(in.u16());
    r.right = int16_t(in.u16());
    r.bottom = int16_t(in.u16());
    if (r.shape == imagewnd::kShapeCircle) {
      r.centreX = int16_t(in.u16());
      r.centreY = int16_t(in.u16());
      r.radius = int16_t(in.u16());
    } else if (r.shape == imagewnd::kShapePolygon) {
      const uint8_t count = in.u8();
      for (uint8_t i = 0; i < count && in.remaining() >= 4; ++i)
        r.points.push_back({int16_t(in.u16()), int16_t(in.u16())});
    }
    if (!set.add(r)) continue;
    set.hit(std::max(r.left, 0), std::max(r.top, 0));
    set.hit(r.centreX, r.centreY);
  }
  set.resize(width / 3, height * 2);
  set.hit(1, 1);
  return 0;
}
