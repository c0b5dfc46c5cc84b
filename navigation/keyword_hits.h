// The keyword hits: the topic addresses of the keyword last chosen in an index dialog (or on the
// act window's related-keywords page), which the "Indeksy" tab of "Nawigator" lists one act per
// row. One array serves the whole process; whoever refills it drops the old addresses first.
//
// Also the plain rules the index dialogs share: the nearest keyword to a typed prefix and the list
// title a printout of the hits starts with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/fts/index/word_wheel.h"

namespace keywords {

// A keyword text is read into this many bytes (at most one less characters).
inline constexpr size_t kKeywordBuffer = 261;
// The result of LoadKeywordTopics when the address block cannot be had.
inline constexpr int kNoMemory = 1001;

struct KeywordHitArray {
  int32_t count = 0;                // addresses held; 0 when none
  std::vector<uint32_t> addresses;  // as the index gives them

  bool HoldsBlock() const { return !addresses.empty(); }
  // Drops the addresses; the count becomes 0.
  void Clear();
};

// The process-wide array.
KeywordHitArray& KeywordHits();

// Refills `hits` with the topic addresses of `keyword` in index `index`: the old block is dropped,
// an unknown keyword counts as 0. Returns 0, or kNoMemory (the count then 0) when the block cannot
// be allocated. `listed` is set when the index gave at least one address.
int LoadKeywordTopics(fts::WordWheelHandle index, const char* keyword, KeywordHitArray& hits, bool* listed);

// The ordinal of the keyword that `text` selects: the keyword it matches or the one before where it
// would sort (the first for text before every keyword, the last for text after them all); -1 for
// an index that is not open or has no keywords.
int32_t NearestKeyword(fts::WordWheelHandle index, const char* text);
// The text of keyword `ordinal` (empty when there is none).
std::string KeywordText(fts::WordWheelHandle index, int32_t ordinal);

// The list title of a printout of the hits: "Lista indeksu\r\n" and the heading, a heading longer
// than 80 characters cut after the first blank from position 70 on (at 78 without one) and
// followed by "...".
std::string IndexListTitle(const std::string& heading);

}  // namespace keywords
