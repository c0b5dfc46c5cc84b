// A "|Phrases" file from the input, then expansion of the input itself as stored text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/title/phrase_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<title::PhraseTable> table;
  title::PhrParse({data, size}, table);
  std::vector<uint8_t> out(size * 4 + 16);
  const size_t n = title::PhrExpandText(data, size, out.data(), table.get(), out.size());
  if (n > out.size()) __builtin_trap();
  return 0;
}
