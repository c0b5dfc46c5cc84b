#include "engine/fts/common/counted_string.h"

#include <algorithm>
#include <cstring>

namespace fts {

bool PstrEqual(const uint8_t* a, const uint8_t* b) {
  return a[0] == b[0] && std::memcmp(a + 1, b + 1, a[0]) == 0;
}

int PstrCompare(const uint8_t* a, const uint8_t* b) {
  const size_t shorter = std::min(a[0], b[0]);
  if (const int c = std::memcmp(a + 1, b + 1, shorter)) return c;
  return int(a[0]) - int(b[0]);
}

int AsciiCompareNoCase(const uint8_t* a, const uint8_t* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const int d = int(a[i] | 0x20) - int(b[i] | 0x20);
    if (d) return d;
  }
  return 0;
}

}  // namespace fts
