// Stored topic groups ("NAME.GRP" internal files, binder files): the 40-byte header (magic 0x3333,
// version 10, vector size, last item, first item, item count, capacity, form, 14 zero bytes), then
// the bit vector (topic t is bit t mod 8 of byte t / 8), or one zero byte when it is empty.
#pragma once

#include <cstdint>
#include <vector>

namespace titlebuild {

// A plain-vector group of the given topics (each below `capacity`, at most 524,279).
std::vector<uint8_t> GroupFileBytes(const std::vector<int32_t>& topics, int32_t capacity);

}  // namespace titlebuild
