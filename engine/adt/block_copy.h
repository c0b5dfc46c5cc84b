// The byte copier shared by the title layer and the display side, and block duplication.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace adt {

// Copies `count` bytes; overlapping ranges are handled, so arrays can shift their entries with it.
inline void QvCopy(void* destination, const void* source, size_t count) {
  if (count) std::memmove(destination, source, count);
}

// A copy of a block of the same size.
inline std::vector<uint8_t> MvDuplicateBlock(const std::vector<uint8_t>& block) { return block; }

// A new block holding a copy of the string.
inline std::string MvStringToBlock(std::string_view text) { return std::string(text); }

}  // namespace adt
