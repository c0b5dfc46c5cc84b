// Full-text queries on a title: the query text is parsed with the title's word breakers and operator
// words, evaluated against the title's index inside an optional scope group, and the sorted hit list
// is handed out wrapped in a hit-highlight handle.
#pragma once

#include <cstdint>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/common/fts_error.h"
#include "engine/fts/search/hit_highlight.h"

namespace title {
struct TitleHandle;
}

namespace fts {

// Runs `text` (CP1250, NUL-terminated) on the title. `flags`: bit 0 the default operator (OR when
// set), 0x100 rank by weight, 0x200 no final ordering, 0x400 keep the hits in memory, 0x800 set the
// bit of every hit topic in `hits_group`. `near_distance` 0 means 8; `reserved` is not used.
// Returns null for an invalid title or a null text (nothing written), or on failure with the code in
// `error` (2001 when the search did not run; the title's own error record then tells why, 2009 when
// the poll callback cancelled it); the parser's code and position for a query it rejects.
HitHighlightHandle TtlQuery(title::TitleHandle* title, uint16_t flags, const char* text,
                            const engine::TopicGroup* scope, int32_t reserved, uint16_t near_distance,
                            engine::TopicGroup* hits_group, int32_t* hit_count, int32_t* total, FtsError* error);

}  // namespace fts
