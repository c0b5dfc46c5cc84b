// A title whose "|SYSTEM" is the input: open it and ask every information code.
#include <cstddef>
#include <cstdint>

#include "engine/fcmanage/topic_address.h"
#include "engine/title/title.h"
#include "engine/title/title_tables.h"
#include "fuzz/title/fuzz_title_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz_title::write_with("|SYSTEM", data, size);
  if (path.empty()) return 0;
  title::TitleHandle* t = title::TtlOpen(path.c_str(), nullptr, 0, true);
  if (!t) return 0;
  char buffer[300];
  for (int32_t code = 0; code <= 120; ++code)
    for (int32_t value : {0, 1, 255, (1 << 16) + 300, (2 << 16) + 2, -1})
      title::TtlGetInfo(t, code, value, buffer, sizeof buffer);
  fcmanage::TtlStartPosition(t);
  title::TtlGetStartAddress(t);
  title::TtlClose(t);
  return 0;
}
