#include "tools/titlebuild/polish_fts_tables.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "engine/fts/common/breaker_table.h"
#include "engine/fts/common/stop_list.h"
#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"

namespace titlebuild {

namespace cp = base::cp1250;

fts::CharTable polish_char_table() {
  fts::CharTable table;
  table.entries.resize(256);
  std::vector<int> order(256);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [](int a, int b) {
    return cp::collate(std::string(1, char(a)), std::string(1, char(b))) < 0;
  });
  for (size_t rank = 0; rank < order.size(); ++rank) table.entries[size_t(order[rank])].sortWeight = uint16_t(rank + 1);
  for (int c = 0; c < 256; ++c) {
    fts::CharEntry& e = table.entries[size_t(c)];
    const uint8_t b = uint8_t(c);
    e.normalized = b;
    e.extra[0] = b;
    if (cp::is_letter(b)) {
      e.charClass = fts::kClassNormalized;
      e.normalized = cp::to_lower(b);
    } else if (cp::is_digit(b)) {
      e.charClass = fts::kClassDigit;
    }
  }
  table.entries[','].charClass = fts::kClassGroupSep;
  table.entries['.'].charClass = fts::kClassDecimal;
  table.entries['\''].charClass = fts::kClassApostrophe;
  table.entries[0x01].charClass = fts::kClassJoiner;
  table.entries['*'].charClass = fts::kClassWildcard;
  table.entries['?'].charClass = fts::kClassWildcard;
  table.ligatureMode = fts::kLigaturesNone;
  table.build_class_map();
  return table;
}

std::vector<uint8_t> polish_char_table_file() { return fts::FtsCharTableBytes(polish_char_table()); }

std::vector<uint8_t> operator_table_file(const std::vector<std::pair<std::string_view, uint16_t>>& entries) {
  fts::OperatorTable table;
  for (const auto& [word, code] : entries) {
    fts::OperatorEntry entry;
    entry.word.push_back(uint8_t(word.size()));
    entry.word.insert(entry.word.end(), word.begin(), word.end());
    entry.code = code;
    table.entries.push_back(std::move(entry));
  }
  return fts::FtsOperatorTableBytes(table);
}

std::vector<uint8_t> stop_list_file(const std::vector<std::string_view>& words) {
  fts::StopList list;
  for (std::string_view w : words) {
    std::vector<uint8_t> counted{uint8_t(w.size())};
    counted.insert(counted.end(), w.begin(), w.end());
    fts::FtsAddStopWord(&list, counted.data());
  }
  return fts::FtsStopListBytes(list);
}

void add_polish_fts_tables(TitleBuilder& builder) {
  builder.add_file(std::string(fts::kCharTableFileName), polish_char_table_file());
  builder.add_file(std::string(fts::kOperatorTableFileName),
                   operator_table_file({{"AND", fts::kOpAnd}, {"I", fts::kOpAnd}, {"OR", fts::kOpOr}, {"LUB", fts::kOpOr},
                                        {"NOT", fts::kOpNot}, {"NIE", fts::kOpNot}, {"NEAR", fts::kOpNear},
                                        {"BLISKO", fts::kOpNear}, {"THRU", fts::kOpThru}, {"VFLD", fts::kOpVfld},
                                        {"DTYPE", fts::kOpDtype}}));
  builder.add_file("|STOPPL", stop_list_file({"i", "w", "z", "na", "do", "oraz", "si\xEA", "przez", "lub"}));
}

bool add_breaker_lines(TitleBuilder& builder, const std::vector<std::string_view>& lines) {
  if (!builder.has_file("|SYSTEM")) return false;
  std::vector<uint8_t> system = builder.file("|SYSTEM");
  base::ByteWriter w(system);
  for (std::string_view line : lines) {
    w.u16(fts::kBreakerRecordTag);
    w.u16(uint16_t(line.size() + 1));
    w.cstring(line);
  }
  builder.add_file("|SYSTEM", std::move(system));
  return true;
}

}  // namespace titlebuild
