// Evaluation of a query tree against an index: hit topics with the occurrences of their words.
#pragma once

#include <cstdint>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/index/fts_index.h"
#include "engine/fts/search/hit_list.h"
#include "engine/fts/search/query_tree.h"

namespace fts {

// Search flags (bit 0, the default operator, belongs to the parser).
inline constexpr uint16_t kSearchRankByWeight = 0x100;
inline constexpr uint16_t kSearchSkipFinalPass = 0x200;
inline constexpr uint16_t kSearchKeepInMemory = 0x400;
inline constexpr uint16_t kSearchMarkGroup = 0x800;

// Evaluates the tree. Null on failure with the code in the index's record; a search that ran out of
// occurrence room returns what it found with 2008 in the record. With kSearchMarkGroup the bit of
// every hit topic that the group's vector covers is set.
FtsHitListPtr FtsSearch(FtsIndex* index, const QueryTree* tree, int32_t reserved, uint16_t flags,
                        engine::TopicGroup* group);

// The operators on two evaluated operands (the first is the accumulator). Both lists are ascending by
// topic, each hit's occurrences ascending by (word position, address); so are the results.
FtsHits FtsCombineAnd(FtsHits first, FtsHits second);
FtsHits FtsCombineOr(FtsHits first, FtsHits second);
FtsHits FtsCombineNot(FtsHits first, const FtsHits& second);
// The second operand's words right after the first operand's last words; chains of earlier phrase
// steps are kept whole.
FtsHits FtsCombinePhrase(FtsHits first, FtsHits second);
// Occurrences of either operand within `distance` words (at least 1) of one of the other's. The
// second operand's occurrences stay marked as such (a NEAR group) until FtsFinishNearGroups: a further
// NEAR on the group compares its words with the group's first operand and keeps the whole group.
FtsHits FtsCombineNear(FtsHits first, FtsHits second, uint16_t distance);
void FtsFinishNearGroups(FtsHits& hits);

// Sorts occurrences by (word position, address) and drops repeated ones.
void SortOccurrences(std::vector<FtsOccurrence>& occurrences);

}  // namespace fts
