#include "tools/titlebuild/group_file_writer.h"

#include <algorithm>

#include "engine/COMMON/topic_group.h"
#include "platform/base/byte_io.h"

namespace titlebuild {

std::vector<uint8_t> GroupFileBytes(const std::vector<int32_t>& topics, int32_t capacity) {
  const size_t vector_size = std::min<size_t>((size_t(std::max(capacity, 0)) + 7) / 8, 0xFFFF);
  std::vector<uint8_t> bits(vector_size);
  int32_t first = -1, last = -1, count = 0;
  for (int32_t t : topics) {
    if (t < 0 || size_t(t) / 8 >= vector_size || (bits[size_t(t) / 8] >> (t % 8)) & 1) continue;
    bits[size_t(t) / 8] |= uint8_t(1u << (t % 8));
    first = first < 0 ? t : std::min(first, t);
    last = std::max(last, t);
    ++count;
  }
  std::vector<uint8_t> file;
  base::ByteWriter w(file);
  w.u16(engine::kGroupMagic);
  w.u16(engine::kGroupVersion);
  w.u32(uint32_t(vector_size));
  w.i32(last);
  w.i32(first);
  w.i32(count);
  w.i32(capacity);
  w.u16(0);  // a plain vector
  w.zeros(14);
  if (bits.empty()) w.u8(0);
  else w.bytes(bits.data(), bits.size());
  return file;
}

}  // namespace titlebuild
