#include "engine/fts/common/varint.h"

namespace fts {

size_t VarintDecode(uint32_t& out, const uint8_t* bytes, size_t available) {
  uint32_t value = 0;
  for (size_t i = 0; i < available && i < 5; ++i) {
    value |= uint32_t(bytes[i] & 0x7F) << (7 * i);
    if (!(bytes[i] & 0x80)) {
      out = value;
      return i + 1;
    }
  }
  out = 0;
  return 0;
}

}  // namespace fts
