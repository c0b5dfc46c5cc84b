// Word breakers over any text, any character classes and either wildcard setting. Input: byte 0 the
// breaker (low 3 bits) and the wildcard flag (bit 3); byte 1 a count k of class changes, then k pairs
// (character, class); the rest is the text, cut into pieces at 0xFF bytes. Every term must fit its
// counted string and lie inside the text.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/fts/breakers/word_breakers.h"

namespace {

struct Bounds {
  int32_t text_length;
};

int32_t check_term(const uint8_t* raw, const uint8_t* term, int32_t position, intptr_t value) {
  const auto* bounds = reinterpret_cast<const Bounds*>(value);
  if (raw[0] > 254 || term[0] == 0 || position < 0 || position >= bounds->text_length) std::abort();
  return 0;
}

constexpr fts::WordBreaker kBreakers[] = {fts::FBreakWords, fts::FBreakAndStemWords, fts::FBreakNumber,
                                          fts::FBreakDate,  fts::FBreakTime,         fts::FBreakEpoch};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static fts::CharTablePtr base_table = fts::FtsDefaultCharTable(nullptr);
  fts::CharTable table = *base_table;
  const fts::WordBreaker breaker = kBreakers[(data[0] & 7) % 6];
  const uint16_t flags = (data[0] & 8) ? fts::kBreakWildcards : 0;
  size_t k = data[1];
  size_t at = 2;
  for (; k > 0 && at + 1 < size; --k, at += 2) table.classMap[data[at]].charClass = uint8_t(data[at + 1] % 10);
  const uint8_t* text = data + at;
  const size_t length = std::min<size_t>(size - at, 60000);

  Bounds bounds{int32_t(length)};
  fts::BreakerState state;
  fts::BreakerCall call;
  call.state = &state;
  call.charTable = &table;
  call.callback = check_term;
  call.callbackValue = intptr_t(&bounds);
  call.flags = flags;
  size_t start = 0;
  for (size_t i = 0; i <= length; ++i) {
    if (i < length && text[i] != 0xFF) continue;
    call.text = text + start;
    call.length = uint16_t(i - start);
    call.position = int32_t(start);
    if (breaker(call)) state = fts::BreakerState{};
    start = i + 1;
  }
  call.text = nullptr;
  call.length = 0;
  breaker(call);
  return 0;
}
