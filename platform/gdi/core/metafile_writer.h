// Records drawing into a metafile: the device behind CreateMetaFile.
//
// What the clipboard rendering needs is recorded: the mapping (mode, window and viewport origins
// and extents, written whenever they changed before a drawing call), stretched bitmaps (as
// 24-bit device-independent bitmaps), the black, white and inverting pattern fills, all in
// logical coordinates, and realized palettes (created, selected and realized, so that a player on a
// palette device shows the bitmaps' colours). Other drawing is not recorded.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/core/device.h"
#include "platform/gdi/core/mapping.h"

namespace gdi {

class MetafileRecorder : public Device {
 public:
  MetafileRecorder();
  // The context whose mapping is recorded (set once the context exists).
  void watch(const Mapping* mapping) { mapping_ = mapping; }
  // The finished metafile: header, records, end record.
  std::vector<uint8_t> finish();

  bool keeps_logical() const override { return true; }
  int caps(int index) const override;
  std::unique_ptr<Device> create_compatible() const override;
  std::shared_ptr<const FontMetrics> realize_font(const LOGFONT& device_font) override;
  void fill(const RECT& r, DWORD rop3, const DrawState& s) override;
  void polyline(std::span<const POINT>, const DrawState&) override {}
  void polygons(std::span<const std::vector<POINT>>, const DrawState&) override {}
  void glyphs(POINT, std::string_view, std::span<const int>, const FontMetrics&, const DrawState&,
              const RECT*) override {}
  void transfer(const RECT& dst, const PixelBuffer* src, const RECT& src_rect, DWORD rop3,
                const DrawState& s) override;
  void set_pixel(POINT, COLORREF, const DrawState&) override {}
  bool flood_fill(POINT p, COLORREF colour, UINT type, const DrawState& s) override;
  void realize_palette(std::span<const PALETTEENTRY> entries) override;

 private:
  void record(uint16_t function, std::initializer_list<int> words,
              const std::vector<uint8_t>& tail = {});
  void sync_mapping();
  std::vector<uint8_t> records_;
  uint32_t max_record_ = 0;
  uint16_t objects_ = 0;  // objects the metafile creates (its palettes)
  const Mapping* mapping_ = nullptr;
  Mapping recorded_;
};

}  // namespace gdi
