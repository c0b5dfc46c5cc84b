// Reads arbitrary bytes as a tips file from a position the input's first bytes give; the walk
// through the tips ends, every tip is a tip line of bounded length, and the walk goes round.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "navigation/tip_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint64_t start = uint64_t(data[0]) | uint64_t(data[1]) << 8;
  const std::string_view content(reinterpret_cast<const char*>(data) + 2, size - 2);
  uint64_t position = start;
  for (int i = 0; i < 64; ++i) {
    const tips::TipRead read = tips::NextTip(content, position);
    if (!read.found) {
      if (i > 0) std::abort();  // a file that gave a tip always gives one
      return 0;
    }
    if (read.text.empty() || read.text.size() > tips::kMaxTipLength || read.next > content.size()) std::abort();
    const char c = read.text.front();
    if (c == '\t' || c == ' ' || c == ';' || c == '\n' || c == '\r') std::abort();
    position = read.next;
  }
  return 0;
}
