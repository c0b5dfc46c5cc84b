#include "tools/titlebuild/baggage_fixtures.h"

namespace titlebuild {

std::vector<uint8_t> baggage_pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = uint8_t(i * 7 + i / 251);
  return bytes;
}

void add_sample_baggage(TitleBuilder& builder) {
  builder.add_file("PICTURE.BMP", baggage_pattern(300));
  builder.add_file("notes.txt", baggage_pattern(1000));
  builder.add_file("big.bin", baggage_pattern(70000));
  builder.add_file("empty.bin", {});
}

}  // namespace titlebuild
