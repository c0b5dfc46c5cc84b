// Reads arbitrary bytes as a contents index: every record, its text, the walks up to its act, issue
// and yearbook, and descriptions made one after another with one shared description (as lists
// make them). Nothing may read outside the bytes or loop; what is found must be a real record.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "shell/core/contents_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  shell::ContentsIndexReader reader;
  reader.OpenBytes(std::span<const uint8_t>(data, size));
  const int32_t count = reader.RecordCount();
  if (int64_t(count) * 32 > int64_t(size)) std::abort();
  shell::ActDescription description;
  for (int32_t n = -1; n <= count && n < 4096; ++n) {
    shell::ContentsRecord record;
    if (reader.ReadRecord(n, record)) {
      std::string text;
      if (reader.ReadText(record, text) && text.size() != record.text_length) std::abort();
    }
    for (int level : {7, 8, 9}) {
      shell::ContentsRecord found;
      const int32_t ancestor = reader.FindAncestor(n, found, level);
      if (ancestor != 0 && (ancestor < -1 || ancestor >= count)) std::abort();
    }
    reader.Describe(n, description);
    for (int32_t r : description.records) {
      if (r < -1 || r >= count) std::abort();
    }
  }
  return 0;
}
