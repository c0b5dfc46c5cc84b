// Reads arbitrary bytes as a contents index and walks the library tree over it: the yearbooks,
// every item's children, descendant counts and the way down to each record. Children must lie
// after their item and inside its range, counts never below 0 nor past the index, and every walk
// must end.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "shell/core/library_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  shell::ContentsIndexReader reader;
  reader.OpenBytes(std::span<const uint8_t>(data, size));
  const int32_t count = reader.RecordCount();
  for (int32_t y : shell::ListYearbooks(reader, count)) {
    if (y < 0 || y >= count) std::abort();
  }
  for (int32_t n = -1; n <= count && n < 2048; ++n) {
    const int32_t d = shell::CountDescendants(reader, n, count);
    if (d < 0 || (d > 0 && n + d >= count)) std::abort();
    int32_t last = n;
    for (const shell::TreeChild& c : shell::ListChildren(reader, n, count)) {
      if (c.record <= last || c.record > n + d || c.descendants < 0 || c.record + c.descendants > n + d) std::abort();
      last = c.record;
    }
    const auto path = shell::TreePathTo(reader, n);
    if (path.size() > size_t(shell::kContentsLevels) + 1) std::abort();
    for (size_t k = 1; k < path.size(); ++k) {
      if (path[k] <= path[k - 1]) std::abort();
    }
  }
  return 0;
}
