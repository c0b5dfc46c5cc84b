// Plain stop-word files (the user's word lists) through each word breaker with the title's Polish
// character table. The first byte picks the breaker; the rest is the file. The list never passes its
// capacity, holds every word it answers, and its stored form reads back to the same list.
#include <cstdint>
#include <string>

#include "engine/fts/breakers/word_breakers.h"
#include "engine/fts/common/char_table.h"
#include "engine/fts/common/stop_list.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/polish_fts_tables.h"

using namespace fts;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const StopWordBreaker kBreakers[] = {FBreakWords, FBreakAndStemWords, FBreakNumber,
                                              FBreakDate,  FBreakTime,         FBreakEpoch};
  static const CharTablePtr table = FtsParseCharTable(titlebuild::polish_char_table_file(), nullptr);
  static std::string path;
  if (size == 0 || !table) return 0;
  if (path.empty()) {
    base::OsFile file;
    if (base::create_temp_file("stopwords", ".txt", file, path) != base::OsError::None) __builtin_trap();
  }
  {
    base::OsFile file;
    if (file.open(path, base::OpenMode::Create) != base::OsError::None ||
        (size > 1 && file.write(data + 1, size - 1) != base::OsError::None))
      return 0;
  }
  StopListPtr list = FtsCreateStopList(nullptr);
  FtsReadStopWordFile(list.get(), path, kBreakers[data[0] % 6], table.get());
  if (list->total > kStopListCapacity) __builtin_trap();
  uint32_t stored = 0;
  for (const auto& chain : list->buckets)
    for (const std::vector<uint8_t>& word : chain) {
      if (word.empty() || word[0] + 1u != word.size() || !FtsIsStopWord(list.get(), word.data())) __builtin_trap();
      stored += uint32_t(word.size());
    }
  if (stored != list->total) __builtin_trap();
  StopListPtr again = FtsCreateStopList(nullptr);
  FtsError error;
  if (!list->empty() &&
      (FtsParseStopList(FtsStopListBytes(*list), again.get(), &error) != kFtsOk || again->total != list->total))
    __builtin_trap();
  return 0;
}
