// Hit highlights: a search's hit list as handed to the application and the viewer. It answers the
// hit count and the n-th hit topic, and for a topic its found words sorted by position (the topic's
// hit list that the viewer highlights), keeping the last topic's list cached.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/search/hit_list.h"

namespace fts {

// Code for a missing or released handle.
inline constexpr int32_t kHlBadHandle = 1012;
// A topic with more occurrences than this gets no list (12 + 13 x n bytes must fit in 65,535).
inline constexpr uint32_t kMaxTopicOccurrences = 5040;

// One found word of a topic.
struct TopicHitEntry {
  uint32_t address = 0;  // TopicAddress of its first character
  uint8_t length = 0;    // in characters
};

// One topic's found words, ascending by address.
struct TopicHitList {
  uint32_t topic = 0;
  uint32_t hitIndex = 0;  // of the topic's hit in the hit list
  std::vector<TopicHitEntry> entries;
};
using TopicHitListPtr = std::unique_ptr<TopicHitList>;

struct HitHighlight {
  int16_t references = 1;
  FtsHitListPtr hits;
  TopicHitListPtr cache;  // the occurrences of the last topic asked for
};
using HitHighlightHandle = HitHighlight*;

// A new handle owning `hits` (references 1); null for a null list.
HitHighlightHandle HlCreate(FtsHitListPtr hits);
// Drops a reference; the last one frees the cache, the hit list (and its spill files) and the handle.
void HlRelease(HitHighlightHandle handle);

// Number of hits, -1 for a bad handle.
int32_t HlGetHitCount(HitHighlightHandle handle);
// Topic of hit n, -1 on error.
int32_t HlGetHitTopic(HitHighlightHandle handle, uint32_t n);
// Index of the topic's hit, -1 when it is not among the hits.
int32_t HlFindTopic(FtsHitList* hits, uint32_t topic);
// Occurrence count of the topic, building and caching its list; 0 when it has no hits.
uint32_t HlSelectTopic(HitHighlightHandle handle, uint32_t topic);
// Address of occurrence k of hit `hit_index` in address order, -1 out of range.
int64_t HlGetOccurrence(HitHighlightHandle handle, uint32_t hit_index, uint32_t k);
// Occurrence count of a hit; -1 with `code` set (1012 bad handle, or the hit list's code).
int32_t HlGetOccurrenceCount(HitHighlightHandle handle, uint32_t hit_index, int32_t* code);
// A copy of the topic's list that belongs to the caller; null when the topic has no hits.
TopicHitListPtr HlCopyTopicOccurrences(HitHighlightHandle handle, uint32_t topic);
// Sets the group bit of every hit topic: 0, 1012 for a bad handle, or the hit list's code.
int32_t HlAddHitsToGroup(HitHighlightHandle handle, engine::TopicGroup* group);
// Entry k of a topic's list: true when it exists.
bool HlGetEntry(const TopicHitList* list, uint32_t k, uint32_t* address, uint8_t* length);

}  // namespace fts
