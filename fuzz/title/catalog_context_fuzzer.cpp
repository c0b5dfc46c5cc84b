// A title whose "|CATALOG" is the input: catalogue reads, topic numbers to positions, context and
// title-string lookups.
#include <cstddef>
#include <cstdint>

#include "engine/fcmanage/topic_address.h"
#include "engine/title/title.h"
#include "engine/title/title_tables.h"
#include "fuzz/title/fuzz_title_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz_title::write_with("|CATALOG", data, size);
  if (path.empty()) return 0;
  title::TitleHandle* t = title::TtlOpen(path.c_str(), nullptr, 0, true);
  if (!t) return 0;
  char buffer[64];
  for (int32_t n : {0, 1, 2, 99, 100, 101, -1, 0x7FFFFFFF, int32_t(0x80000000)}) {
    title::TtlGetCatalogAddress(t, n);
    title::TtlTopicNumberToPosition(t, n);
    title::TtlTopicTitle(t, n, buffer, sizeof buffer);
  }
  title::TtlStartPosition(t);
  title::TtlContextStringToPosition(t, "USTAWA");
  title::TtlContextStringToPosition(t, "ROZP.1");
  title::TtlContextStringToPosition(t, "0x12345678");
  title::TtlClose(t);
  return 0;
}
