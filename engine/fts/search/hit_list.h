// The result of a full-text search: hit topics, each with its occurrences.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/fts/index/term_scan.h"

namespace fts {

struct FtsHit {
  uint32_t topic = 0;
  uint32_t count = 0;    // occurrences (set by the final pass)
  uint16_t weight = 0;   // sum of occurrence weights, at most 65,535 (set by the final pass)
  std::vector<FtsOccurrence> occurrences;  // by (word position, address) while evaluating
};

using FtsHits = std::vector<FtsHit>;  // ascending topic order while evaluating

// The spill files of a hit list written out of memory (hit_spill.h); closing deletes them.
struct FtsHitSpill;
struct FtsHitSpillCloser {
  void operator()(FtsHitSpill* spill) const;
};

struct FtsHitList {
  FtsHits hits;        // final order: descending count, or weight when ranked; empty once spilled
  uint32_t total = 0;  // the index header's count
  std::unique_ptr<FtsHitSpill, FtsHitSpillCloser> spill;
};

using FtsHitListPtr = std::unique_ptr<FtsHitList>;

}  // namespace fts
