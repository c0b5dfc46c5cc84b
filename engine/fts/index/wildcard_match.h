// Matching index keys against wildcard patterns ('*' any run of bytes, '?' one byte).
#pragma once

#include <cstdint>
#include <string_view>

namespace fts {

inline bool IsWildcardByte(uint8_t b) { return b == '*' || b == '?'; }

// True when the whole key matches the pattern. Runs in time bounded by key length x pattern length:
// the pattern is cut at its stars and each piece takes the leftmost place that fits, which is never
// worse than any later place, so nothing is retried.
bool WildcardMatch(std::string_view pattern, std::string_view key);

}  // namespace fts
