// MulDiv: a * b / c in 64-bit arithmetic, rounded half away from zero, as the platform computes
// it. -1 when c is 0 or the result does not fit in an int.
#pragma once

#include <climits>
#include <cstdint>

inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t num = int64_t(a) * b;
  bool negative = (num < 0) != (c < 0);
  uint64_t n = num < 0 ? uint64_t(-num) : uint64_t(num);
  uint64_t d = c < 0 ? uint64_t(-int64_t(c)) : uint64_t(c);
  uint64_t q = (n + d / 2) / d;
  if (q > uint64_t(INT_MAX)) return -1;
  return negative ? -int(q) : int(q);
}
