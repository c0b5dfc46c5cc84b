// The word-breaker table: taking apart the "|SYSTEM" lines that bind its slots, and building it.
#include "engine/fts/common/breaker_table.h"

#include <algorithm>
#include <cctype>

namespace fts {
namespace {

struct NamedBreaker {
  std::string_view name;
  BreakerKind kind;
};
constexpr NamedBreaker kBreakers[] = {
    {"FBreakWords", BreakerKind::kWords}, {"FBreakAndStemWords", BreakerKind::kWordsAndStem},
    {"FBreakNumber", BreakerKind::kNumber}, {"FBreakDate", BreakerKind::kDate},
    {"FBreakTime", BreakerKind::kTime},   {"FBreakEpoch", BreakerKind::kEpoch},
};

bool equal_ascii_no_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The text up to the next single space (or the end), and the rest after that space.
std::string_view next_field(std::string_view& rest) {
  const size_t space = rest.find(' ');
  const std::string_view field = rest.substr(0, space);
  rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
  return field;
}

}  // namespace

std::optional<BreakerKind> FindBreaker(std::string_view name) {
  for (const NamedBreaker& b : kBreakers)
    if (equal_ascii_no_case(b.name, name)) return b.kind;
  return std::nullopt;
}

std::optional<BreakerLine> ParseBreakerLine(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::string_view rest = text;
  const std::string_view slot = next_field(rest);
  if (slot.empty() || slot.size() > 2 || !std::all_of(slot.begin(), slot.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  BreakerLine line;
  line.slot = slot.size() == 1 ? slot[0] - '0' : (slot[0] - '0') * 10 + (slot[1] - '0');
  if (line.slot >= int(kBreakerSlots)) return std::nullopt;
  next_field(rest);  // not used
  line.breakerName = next_field(rest);
  if (line.breakerName.empty()) return std::nullopt;
  line.stopListName = next_field(rest);
  return line;
}

WordBreakerTablePtr TtlBuildBreakerTable(std::span<const std::string_view> breaker_records,
                                         mvfs::TitleFileSystem* fs, FtsError* error) {
  auto table = std::make_unique<WordBreakerTable>();
  // The title's own character table, read once; each bound slot gets a copy of it.
  FtsError ignored;
  CharTablePtr title_table = FtsLoadCharTable(fs, kCharTableFileName, &ignored);
  if (!title_table) title_table = FtsDefaultCharTable(error);
  if (!title_table) return nullptr;
  for (std::string_view record : breaker_records) {
    const std::optional<BreakerLine> line = ParseBreakerLine(record);
    const std::optional<BreakerKind> breaker = line ? FindBreaker(line->breakerName) : std::nullopt;
    if (!breaker) {
      FtsSetError(error, kFtsDamaged);
      return nullptr;
    }
    BreakerSlot slot;
    slot.breaker = breaker;
    if (!line->stopListName.empty()) {
      slot.stopList = FtsCreateStopList(error);
      if (!slot.stopList || FtsLoadStopList(fs, slot.stopList.get(), line->stopListName, error) != kFtsOk) {
        if (error && !error->code) FtsSetError(error, kFtsFailed);
        return nullptr;
      }
    }
    slot.charTable = std::make_unique<CharTable>(*title_table);
    table->slots[size_t(line->slot)] = std::move(slot);
  }
  return table;
}

}  // namespace fts
