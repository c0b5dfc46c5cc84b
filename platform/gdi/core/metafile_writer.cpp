#include "platform/gdi/core/metafile_writer.h"

#include "platform/base/byte_io.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/dib.h"
#include "platform/gdi/core/metafile_format.h"
#include "platform/gdi/core/recording_device.h"

namespace gdi {

using namespace wmf;

MetafileRecorder::MetafileRecorder() = default;

int MetafileRecorder::caps(int index) const {
  switch (index) {
    case TECHNOLOGY: return DT_METAFILE;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case BITSPIXEL: return 24;
    case PLANES: return 1;
    default: return 0;
  }
}

std::unique_ptr<Device> MetafileRecorder::create_compatible() const {
  return make_screen_device()->create_compatible();
}

std::shared_ptr<const FontMetrics> MetafileRecorder::realize_font(const LOGFONT& lf) {
  return std::make_shared<const FontMetrics>(fixed_font_metrics(lf));
}

void MetafileRecorder::record(uint16_t function, std::initializer_list<int> words,
                              const std::vector<uint8_t>& tail) {
  size_t bytes = 6 + 2 * words.size() + tail.size() + (tail.size() & 1);
  uint32_t size_words = uint32_t(bytes / 2);
  max_record_ = std::max(max_record_, size_words);
  size_t at = records_.size();
  records_.resize(at + bytes, 0);
  uint8_t* p = records_.data() + at;
  base::store_le32(p, size_words);
  base::store_le16(p + 4, function);
  p += 6;
  for (int w : words) {
    base::store_le16(p, uint16_t(int16_t(w)));
    p += 2;
  }
  std::copy(tail.begin(), tail.end(), p);
}

void MetafileRecorder::sync_mapping() {
  if (!mapping_) return;
  const Mapping& m = *mapping_;
  // The mode first: setting it resets the extents of the fixed modes.
  if (m.mode != recorded_.mode) record(META_SETMAPMODE, {m.mode});
  if (m.window_org.x != recorded_.window_org.x || m.window_org.y != recorded_.window_org.y)
    record(META_SETWINDOWORG, {m.window_org.y, m.window_org.x});
  if (m.scalable() && (m.window_ext.cx != recorded_.window_ext.cx || m.window_ext.cy != recorded_.window_ext.cy))
    record(META_SETWINDOWEXT, {m.window_ext.cy, m.window_ext.cx});
  if (m.viewport_org.x != recorded_.viewport_org.x || m.viewport_org.y != recorded_.viewport_org.y)
    record(META_SETVIEWPORTORG, {m.viewport_org.y, m.viewport_org.x});
  if (m.scalable() &&
      (m.viewport_ext.cx != recorded_.viewport_ext.cx || m.viewport_ext.cy != recorded_.viewport_ext.cy))
    record(META_SETVIEWPORTEXT, {m.viewport_ext.cy, m.viewport_ext.cx});
  recorded_ = m;
}

void MetafileRecorder::fill(const RECT& r, DWORD rop3, const DrawState&) {
  unsigned code = (rop3 >> 16) & 0xFF;
  if (code != 0x00 && code != 0xFF && code != 0x55) return;
  sync_mapping();
  record(META_PATBLT, {int(rop3 & 0xFFFF), int(rop3 >> 16), r.bottom - r.top, r.right - r.left, r.top, r.left});
}

bool MetafileRecorder::flood_fill(POINT p, COLORREF colour, UINT type, const DrawState&) {
  sync_mapping();
  record(META_EXTFLOODFILL, {int(type), int(colour & 0xFFFF), int((colour >> 16) & 0xFF), p.y, p.x});
  return true;
}

void MetafileRecorder::transfer(const RECT& dst, const PixelBuffer* src, const RECT& src_rect, DWORD rop3,
                                const DrawState&) {
  if (!src) return;
  RECT part = intersect_rects(normalized(src_rect), src->bounds());
  auto copy = Bitmap::create(part.right - part.left, part.bottom - part.top, false);
  if (!copy) return;
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x) copy->at(x - part.left, y - part.top) = src->row(y)[x];
  sync_mapping();
  std::vector<uint8_t> dib = encode_packed_dib(*copy);
  record(META_STRETCHDIB,
         {int(rop3 & 0xFFFF), int(rop3 >> 16), int(DIB_RGB_COLORS), copy->height(), copy->width(), 0, 0,
          dst.bottom - dst.top, dst.right - dst.left, dst.top, dst.left},
         dib);
}

void MetafileRecorder::realize_palette(std::span<const PALETTEENTRY> entries) {
  if (entries.empty() || entries.size() > 0x7FFF / 2 || objects_ == 0xFFFF) return;
  std::vector<uint8_t> colours(entries.size() * 4);
  for (size_t i = 0; i < entries.size(); ++i) {
    colours[i * 4] = entries[i].peRed;
    colours[i * 4 + 1] = entries[i].peGreen;
    colours[i * 4 + 2] = entries[i].peBlue;
    colours[i * 4 + 3] = entries[i].peFlags;
  }
  // Each palette takes the next object slot; none is deleted, so slots are never reused.
  record(META_CREATEPALETTE, {0x300, int(entries.size())}, colours);
  record(META_SELECTPALETTE, {objects_++});
  record(META_REALIZEPALETTE, {});
}

std::vector<uint8_t> MetafileRecorder::finish() {
  record(META_EOF, {});
  std::vector<uint8_t> out(kHeaderSize + records_.size());
  uint8_t* p = out.data();
  base::store_le16(p, 1);  // in memory
  base::store_le16(p + 2, 9);
  base::store_le16(p + 4, 0x0300);
  base::store_le32(p + 6, uint32_t((kHeaderSize + records_.size()) / 2));
  base::store_le16(p + 10, objects_);
  base::store_le32(p + 12, max_record_);
  base::store_le16(p + 16, 0);
  std::copy(records_.begin(), records_.end(), out.begin() + kHeaderSize);
  return out;
}

}  // namespace gdi
