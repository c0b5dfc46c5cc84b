// The title's word-breaker table: 16 slots, each with a breaker routine, an optional stop list and a
// character table. Slot 0 breaks ordinary query text; the query operator DTYPE selects another slot.
//
// A slot is bound by a "|SYSTEM" record of tag 12 whose text is one line of fields separated by single
// spaces: the slot number (decimal, 0 to 15), a field not used, the breaker name, the stop-list name
// (empty gives two spaces in a row), then a space; text after that is ignored. Breaker names compare
// without case. A later line for the same slot replaces the earlier one.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "engine/fts/common/char_table.h"
#include "engine/fts/common/fts_error.h"
#include "engine/fts/common/stop_list.h"

namespace mvfs {
struct TitleFileSystem;
}

namespace fts {

inline constexpr size_t kBreakerSlots = 16;
inline constexpr uint16_t kBreakerRecordTag = 12;

// The breaker routines a slot can be bound to; the breakers map each onto their routine.
enum class BreakerKind : uint8_t {
  kWords,          // "FBreakWords"
  kWordsAndStem,   // "FBreakAndStemWords"
  kNumber,         // "FBreakNumber"
  kDate,           // "FBreakDate"
  kTime,           // "FBreakTime"
  kEpoch,          // "FBreakEpoch"
};

struct BreakerSlot {
  std::optional<BreakerKind> breaker;  // empty: the slot is not bound
  StopListPtr stopList;               // may be null
  CharTablePtr charTable;
};

struct WordBreakerTable {
  std::array<BreakerSlot, kBreakerSlots> slots;
};

using WordBreakerTablePtr = std::unique_ptr<WordBreakerTable>;

// One tag-12 line taken apart.
struct BreakerLine {
  int slot = 0;
  std::string_view breakerName;
  std::string_view stopListName;  // empty when the slot has no stop list
};

// The breaker routine of that name (case ignored), if any.
std::optional<BreakerKind> FindBreaker(std::string_view name);
// Takes a tag-12 record's text apart (the text ends at its first NUL); nothing when the slot number is
// not a decimal from 0 to 15 or the breaker field is missing.
std::optional<BreakerLine> ParseBreakerLine(std::string_view text);

// Builds the table from the texts of the title's tag-12 records in stored order. Every bound slot gets
// its own copy of the title's "|MVCHARTAB" (the built-in table when that cannot be loaded) and its stop
// list loaded from the internal file it names. A malformed line, an unknown breaker or a stop list that
// does not load fails the whole table: null, with the code in `error` (2022 for a bad line or breaker).
WordBreakerTablePtr TtlBuildBreakerTable(std::span<const std::string_view> breaker_records,
                                         mvfs::TitleFileSystem* fs, FtsError* error);

}  // namespace fts
