#include "engine/title/title_text_tables.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/title/title.h"

namespace title {

const StyleSheet* TtlGetStyleSheet(TitleHandle* title) {
  if (!TtlIsValid(title)) return nullptr;
  if (!title->styleSheet) {
    title->styleSheet = FontLoad(title->fs.get(), &title->error);
    if (title->styleSheet) title->charMaps = FontCharMaps(*title->styleSheet);
  }
  return title->styleSheet.get();
}

const fts::WordBreakerTable* TtlGetBreakerTable(TitleHandle* title) {
  if (!TtlIsValid(title)) return nullptr;
  if (!title->breakers) {
    std::vector<std::string_view> lines;
    SystemRecord record;
    size_t from = 0;
    while (const std::optional<size_t> after = TtlSystemRecord(title->system.body, kTagBreakers, from, record)) {
      lines.emplace_back(reinterpret_cast<const char*>(record.data.data()), record.data.size());
      from = *after;
    }
    title->breakers = fts::TtlBuildBreakerTable(lines, title->fs.get(), &title->error);
  }
  return title->breakers.get();
}

fts::FtsIndex* TtlGetFtsIndex(TitleHandle* title) {
  if (!TtlIsValid(title)) return nullptr;
  if (!title->index)
    title->index = fts::FtsOpenIndex(title->fs.get(), fts::kFtsIndexFileName, title->poll, title->document, &title->error);
  return title->index.get();
}

const fts::OperatorTable* TtlGetOperatorTable(TitleHandle* title) {
  if (!TtlIsValid(title)) return nullptr;
  if (!title->operators) title->operators = fts::TtlLoadOperatorTable(title->fs.get());
  return title->operators.get();
}

int32_t TtlTextTableInfo(TitleHandle* title, int32_t code, int32_t value, char* buffer, size_t buffer_size) {
  if (!TtlIsValid(title)) return -1;
  switch (code) {
    case kInfoIndexOpen:
      if (value != 0) return -1;
      return TtlGetFtsIndex(title) ? 1 : 0;
    case kInfoIndexHandle:
      return TtlGetFtsIndex(title) ? 1 : 0;
    case kInfoBreakers:
      return TtlGetBreakerTable(title) ? 1 : 0;
    case kInfoOperators:
      return TtlGetOperatorTable(title) ? 1 : 0;
    case kInfoStyleSheet:
      return TtlGetStyleSheet(title) ? 1 : 0;
    case kInfoOperatorCount: {
      const fts::OperatorTable* table = TtlGetOperatorTable(title);
      return table ? int32_t(table->entries.size()) : -1;
    }
    case kInfoOperatorWord: {
      const fts::OperatorTable* table = TtlGetOperatorTable(title);
      const size_t n = uint32_t(value) >> 16;
      if (!table || !buffer || buffer_size == 0 || n >= table->entries.size()) return -1;
      const fts::OperatorEntry& entry = table->entries[n];
      const std::string text = std::to_string(entry.code) + " " + std::string(entry.text());
      std::snprintf(buffer, buffer_size, "%s", text.c_str());
      return int32_t(text.size());
    }
    default:
      return -1;
  }
}

}  // namespace title
