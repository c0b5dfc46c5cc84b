#include "platform/gdi/core/metafile_format.h"

namespace gdi::wmf {

bool read_header(base::ByteReader& r, Header& out) {
  if (r.remaining() >= 4 && base::load_le32(r.data() + r.pos()) == kPlaceableKey &&
      !r.skip(kPlaceableSize))
    return false;
  out.type = r.u16();
  out.header_words = r.u16();
  out.version = r.u16();
  out.size_words = r.u32();
  out.objects = r.u16();
  out.max_record = r.u32();
  r.u16();
  if (!r.ok() || (out.type != 1 && out.type != 2) || out.header_words != 9 ||
      (out.version != 0x0100 && out.version != 0x0300))
    return false;
  return true;
}

}  // namespace gdi::wmf
