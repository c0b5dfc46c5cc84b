// Selecting the entries of a keyword index by the words they contain, through the keyword index's own
// full-text index (whose "topics" are the entry ordinals).
#pragma once

#include <cstdint>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/index/word_wheel.h"

namespace fts {

inline constexpr int32_t kWwNoIndex = 1034;

// Sets in `result` the bit of every entry that matches `text` (CP1250, NUL-terminated) within the
// optional scope group. The query is parsed with the title's operator words and its slot-0 breaker
// table as a plain word breaker without its stop list, NEAR distance 1; the title's table is left as
// it was. 0 or a code: 1012 bad handle, 1034 no keyword full-text index, 2001 no breaker or operator
// table, the parser's code, or the search's (also in the handle's error record).
int32_t WwQuery(WordWheelHandle handle, uint16_t flags, const char* text, const engine::TopicGroup* scope,
                engine::TopicGroup* result);

}  // namespace fts
