// Finding the postings of one query term in the index and decoding them into occurrences.
#pragma once

#include <cstdint>
#include <span>

#include "engine/fts/index/fts_index.h"

namespace fts {

// Flags of an occurrence (set by the evaluation).
inline constexpr uint8_t kOccMatched = 0x01;
inline constexpr uint8_t kOccPhraseFirst = 0x02;
inline constexpr uint8_t kOccFollower = 0x04;
inline constexpr uint8_t kOccNearSecond = 0x08;  // NEAR: of the second operand, until the group is finished

// One occurrence of a term in a topic.
struct FtsOccurrence {
  uint32_t wordPosition = 0;
  uint32_t address = 0;  // TopicAddress of the word's first character
  uint16_t weight = 0;
  uint8_t length = 0;    // in characters
  uint8_t flags = 0;

  friend bool operator==(const FtsOccurrence&, const FtsOccurrence&) = default;
};

enum class TermMode : uint8_t { kPlain = 1, kWildcard = 2, kRange = 3 };

// What to look up: counted strings for the word and (ranges) the upper word.
struct FtsTermSpec {
  const uint8_t* word = nullptr;
  const uint8_t* upper = nullptr;
  TermMode mode = TermMode::kPlain;
  uint32_t field = 0;  // 0 matches every field
};

// Receives the decoded topics of matching entries, in ascending topic order per entry.
class FtsPostingSink {
 public:
  virtual ~FtsPostingSink() = default;
  // False drops the topic: its occurrences are read and thrown away.
  virtual bool wants(uint32_t topic) = 0;
  // One topic with its topic weight (0 when the index has none) and occurrences; 0 or a code that
  // ends the scan.
  virtual int32_t add(uint32_t topic, uint16_t weight, std::span<const FtsOccurrence> occurrences) = 0;
};

// Bounds on what one posting may make the reader hold: a topic's occurrences (more is damage, since
// a topic cannot hold more words than this) and the occurrences of one scan.
inline constexpr uint32_t kMaxOccurrencesPerTopic = 1u << 20;

// Scans the term's entries and hands every matching topic to the sink. 0 or a code (2022 damaged
// data, read and poll codes, or the sink's code), recorded in the index's record.
int32_t FtsScanTerm(FtsIndex& index, const FtsTermSpec& term, FtsPostingSink& sink);

}  // namespace fts
