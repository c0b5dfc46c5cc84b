// A "|Phrases" file and stored text from the input, the text expanded with the table and compared
// with an expansion written here from the table's own phrases, into a buffer of the exact expanded
// size and into one half as long (which must hold the same bytes, cut).
//
// Input: u16 length n of the phrase file, n bytes of it (cut at the input's end), then the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/title/phrase_table.h"
#include "platform/base/byte_io.h"

namespace {

// Phrase code c with base <= c < base + 2n stands for phrase (c - base) >> 1, with a space after
// it when c - base is odd; the scan reads a big-endian code at each byte.
std::vector<uint8_t> Reference(std::span<const uint8_t> text, const title::PhraseTable* table) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < text.size();) {
    if (table && i + 1 < text.size()) {
      const uint32_t code = uint32_t(text[i] << 8 | text[i + 1]);
      if (code >= table->base && code < uint32_t(table->base) + 2u * table->count) {
        const std::span<const uint8_t> phrase = table->phrase((code - table->base) >> 1);
        out.insert(out.end(), phrase.begin(), phrase.end());
        if ((code - table->base) & 1) out.push_back(' ');
        i += 2;
        continue;
      }
    }
    out.push_back(text[i++]);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> input(data, size);
  if (input.size() < 2) return 0;
  const size_t fileSize = std::min<size_t>(base::load_le16(data), input.size() - 2);
  const std::span<const uint8_t> text = input.subspan(2 + fileSize);
  std::unique_ptr<title::PhraseTable> table;
  title::PhrParse(input.subspan(2, fileSize), table);

  const std::vector<uint8_t> expected = Reference(text, table.get());
  if (title::PhrExpandedLength(text.data(), text.size(), table.get()) != expected.size()) __builtin_trap();
  for (size_t room : {expected.size(), expected.size() / 2}) {
    std::vector<uint8_t> out(room);
    const size_t n = title::PhrExpandText(text.data(), text.size(), out.data(), table.get(), out.size());
    if (n > room || (room == expected.size() && n != room) || !std::equal(out.begin(), out.begin() + n, expected.begin()))
      __builtin_trap();
  }
  return 0;
}
