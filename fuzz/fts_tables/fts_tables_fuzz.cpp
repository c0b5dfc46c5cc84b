// The full-text table readers over hostile bytes. The first byte picks the reader: 0 the character
// table, 1 the operator table, 2 the stop list, 3 a breaker-table record; the rest is the file.
#include <cstdint>
#include <string_view>

#include "engine/fts/common/breaker_table.h"
#include "engine/fts/common/char_table.h"
#include "engine/fts/common/operator_table.h"
#include "engine/fts/common/stop_list.h"

using namespace fts;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> file(data + 1, size - 1);
  FtsError err;
  switch (data[0] % 4) {
    case 0:
      if (CharTablePtr t = FtsParseCharTable(file, &err)) {
        for (size_t c = 0; c < 256; ++c) {
          const uint8_t expected = c < t->entries.size() ? t->entries[c].charClass : uint8_t(kClassSeparator);
          if (t->char_class(uint8_t(c)) != expected) __builtin_trap();
        }
        if (FtsParseCharTable(FtsCharTableBytes(*t), &err) == nullptr) __builtin_trap();
      }
      break;
    case 1:
      if (OperatorTablePtr t = FtsParseOperatorTable(file, &err)) {
        for (const OperatorEntry& e : t->entries)
          if (e.word.empty() || e.text().size() != e.word[0]) __builtin_trap();
      }
      break;
    case 2: {
      StopListPtr list = FtsCreateStopList(&err);
      FtsParseStopList(file, list.get(), &err);
      if (list->total > kStopListCapacity) __builtin_trap();
      StopListPtr again = FtsCreateStopList(&err);
      if (FtsParseStopList(FtsStopListBytes(*list), again.get(), &err) != kFtsOk || again->total != list->total)
        __builtin_trap();
      break;
    }
    default:
      if (auto line = ParseBreakerLine(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()))) {
        if (line->slot < 0 || line->slot >= int(kBreakerSlots)) __builtin_trap();
        FindBreaker(line->breakerName);
      }
  }
  return 0;
}
