// A title whose catalogue "|CATALOG", context table "|CONTEXT" or title strings "|TTLBTREE" is the
// input (the first byte picks which): catalogue reads, topic numbers to positions, context look-ups by
// string and hash, title strings by topic number and by address. Every answer is -1 or a value the
// call promises: titles are cut to fit the buffer with their terminator and report their whole
// length.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/fcmanage/topic_address.h"
#include "engine/title/title.h"
#include "engine/title/title_tables.h"
#include "fuzz/title/fuzz_title_file.h"
#include "platform/base/byte_io.h"

namespace {

void check_title(int32_t length, const char* buffer, size_t size) {
  if (length < -1) __builtin_trap();
  if (length >= 0 && std::strlen(buffer) != std::min(size_t(length), size - 1)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const char* const kFiles[] = {"|CATALOG", "|CONTEXT", "|TTLBTREE"};
  if (size < 1) return 0;
  const std::string path = fuzz_title::write_with(kFiles[data[0] % 3], data + 1, size - 1);
  if (path.empty()) return 0;
  title::TitleHandle* t = title::TtlOpen(path.c_str(), nullptr, 0, true);
  if (!t) return 0;
  char buffer[64], small[4];
  for (int32_t n : {0, 1, 2, 99, 100, 101, -1, 0x7FFFFFFF, int32_t(0x80000000)}) {
    title::TtlGetCatalogAddress(t, n);
    fcmanage::TtlTopicNumberToPosition(t, n);
    std::memset(buffer, 0x55, sizeof buffer);
    check_title(title::TtlTopicTitle(t, n, buffer, sizeof buffer), buffer, sizeof buffer);
    check_title(title::TtlTopicTitle(t, n, small, sizeof small), small, sizeof small);
  }
  // Addresses: the stored topics', the ones the input names, and the edges.
  std::vector<int32_t> addresses = {0, 12, (1 << 14) | 12, -1, 0x7FFFFFFF};
  for (size_t i = 1; i + 4 <= size && addresses.size() < 16; i += 4) addresses.push_back(int32_t(base::load_le32(data + i)));
  for (int32_t address : addresses) {
    const int32_t code = title::TtlTitleAtAddress(t, address, buffer, sizeof buffer);
    if (code != 0 && code != -1) __builtin_trap();
    if (code == 0 && std::memchr(buffer, 0, sizeof buffer) == nullptr) __builtin_trap();
    title::TtlLookupContextHash(t, uint32_t(address));
  }
  fcmanage::TtlStartPosition(t);
  title::TtlGetStartAddress(t);
  fcmanage::TtlContextStringToPosition(t, "USTAWA");
  fcmanage::TtlContextStringToPosition(t, "ROZP.1");
  fcmanage::TtlContextStringToPosition(t, "0x12345678");
  title::TtlLookupContextString(t, "");
  title::TtlClose(t);
  return 0;
}
