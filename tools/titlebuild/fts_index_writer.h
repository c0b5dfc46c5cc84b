// Writes full-text index files ("|MVINDEX") for the library compiler, tests and benchmarks, in every
// shape the reader takes, so that it can be checked against them all: versions 7, 8 and 9, every
// occurrence field, weights, every code scheme, any leaf and internal block fill (to
// force many leaves, several levels and postings that run across leaves).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/fts/index/index_format.h"
#include "tools/titlebuild/title_builder.h"

namespace titlebuild {

struct FtsWriterOccurrence {
  uint32_t word_position = 0;
  uint32_t address = 0;
  uint8_t length = 0;
};

struct FtsWriterTopic {
  uint32_t topic = 0;
  uint16_t weight = 0;
  std::vector<FtsWriterOccurrence> occurrences;  // ascending word positions and addresses
};

struct FtsWriterTerm {
  std::string key;  // the term's bytes (CP1250), at most 255
  uint32_t field = 0;
  std::vector<FtsWriterTopic> topics;  // ascending topic numbers
  // The posting's own topic code (fixed or gamma with p < 32, or unary); the one taking the fewest
  // bits for the deltas when not given. Version 9 also chooses the posting's word-position and
  // address codes that way.
  std::optional<fts::PostingCode> topic_code;
};

struct FtsIndexWriterOptions {
  uint16_t version = 8;
  uint32_t topic_count = 0;  // header count; every topic must lie below it
  uint8_t occurrence_fields = fts::kIndexHasWordPosition | fts::kIndexHasAddress | fts::kIndexHasLength;
  bool weights = false;
  fts::PostingCode topic_count_code{fts::CodeScheme::Gamma, 0};
  fts::PostingCode occurrence_count_code{fts::CodeScheme::Gamma, 0};
  fts::PostingCode word_position_code{fts::CodeScheme::Gamma, 2};  // versions 7 and 8
  fts::PostingCode address_code{fts::CodeScheme::Gamma, 4};        // versions 7 and 8
  fts::PostingCode length_code{fts::CodeScheme::Fixed, 7};
  fts::PostingCode run_count_code{fts::CodeScheme::Gamma, 0};
  // Set the first posting bit when every topic has one occurrence.
  bool mark_single_occurrences = true;
  // Versions 8 and 9: write entry lengths (0 when false, or when a length exceeds 4,095).
  bool entry_lengths = true;
  // Usable bytes of a leaf after its first-entry offset (at most 4,096 - 2 - trailer) and of an
  // internal block (at most 4,094); smaller values force more leaves and levels.
  uint32_t leaf_bytes = 4096;
  uint32_t internal_bytes = 4096;
};

// The whole index file. Terms are sorted by (key, field) here. Throws std::invalid_argument for
// input the format cannot hold (a value too large for a fixed code, topics out of order).
std::vector<uint8_t> WriteFtsIndex(std::vector<FtsWriterTerm> terms, const FtsIndexWriterOptions& options);

// Adds the index to a title as the internal file `name` ("|MVINDEX", the title's full-text index).
void AddFtsIndex(TitleBuilder& builder, std::vector<FtsWriterTerm> terms, const FtsIndexWriterOptions& options,
                 const std::string& name = "|MVINDEX");

}  // namespace titlebuild
