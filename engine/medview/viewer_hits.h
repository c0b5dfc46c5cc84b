// Search-hit marks of a viewer: installing a hit list, counting and showing its hits.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/frame/layout_object.h"
#include "engine/fts/search/hit_highlight.h"
#include "engine/medview/view_marks.h"
#include "engine/medview/viewer.h"

namespace medview {

inline constexpr TitleErrorCode kViewHitNotFound = 1030;

// Installs `list` (null removes the marks); returns the list installed before, or null when the same
// list is given again. The caller keeps both lists.
const fts::TopicHitList* MvSetHitList(ViewerHandle viewer, const fts::TopicHitList* list, BOOL draw,
                                      TitleErrorCode* error);
// Sets the mark brush and raster operation; returns the old brush (null when the pair is unchanged).
HBRUSH MvSetHitMarkMode(ViewerHandle viewer, HBRUSH brush, int32_t rop, TitleErrorCode* error);
const fts::TopicHitList* MvGetHitList(ViewerHandle viewer);
int32_t MvGetHitCount(const fts::TopicHitList* list);
// TopicAddress of entry n; -1 out of range or for a null list.
int64_t MvGetHitPosition(const fts::TopicHitList* list, int32_t n);
// Client rectangle of hit n when it is laid out; a zero rectangle and false otherwise.
BOOL MvGetHitRect(ViewerHandle viewer, int32_t n, RECT* rect);
// Scrolls so that hit n is centred in the directions that can scroll.
BOOL MvScrollToHit(ViewerHandle viewer, int32_t n, TitleErrorCode* error);

}  // namespace medview
