#include "engine/fts/search/hit_highlight.h"

#include <algorithm>

#include "engine/fts/search/hit_list_access.h"

namespace fts {
namespace {

bool valid(HitHighlightHandle handle) { return handle && handle->references > 0 && handle->hits; }

// The found words of hit `hit_index` in address order; null when the hit has none, too many, or they
// do not read back.
TopicHitListPtr build_topic_list(FtsHitList& hits, uint32_t hit_index) {
  FtsHitRef hit;
  if (FtsGetHit(&hits, hit_index, &hit) || hit.count == 0 || hit.count > kMaxTopicOccurrences) return nullptr;
  auto list = std::make_unique<TopicHitList>();
  list->entries.resize(hit.count);
  for (uint32_t k = 0; k < hit.count; ++k) {
    FtsOccurrenceRef occurrence;
    if (FtsGetHitOccurrence(&hits, hit, k, &occurrence)) return nullptr;
    list->entries[k] = {occurrence.address, occurrence.length};
  }
  // Stable, so words at the same address keep the order the index gave them.
  std::stable_sort(list->entries.begin(), list->entries.end(),
                   [](const TopicHitEntry& a, const TopicHitEntry& b) { return a.address < b.address; });
  list->topic = hit.topic;
  list->hitIndex = hit_index;
  return list;
}

// Makes the cache hold hit `hit_index`'s list; false when it cannot be built (the cache is then empty).
bool cache_hit(HitHighlight& handle, uint32_t hit_index) {
  if (handle.cache && handle.cache->hitIndex == hit_index) return true;
  handle.cache = build_topic_list(*handle.hits, hit_index);
  return handle.cache != nullptr;
}

}  // namespace

HitHighlightHandle HlCreate(FtsHitListPtr hits) {
  if (!hits) return nullptr;
  auto handle = std::make_unique<HitHighlight>();
  handle->hits = std::move(hits);
  return handle.release();
}

void HlRelease(HitHighlightHandle handle) {
  if (!valid(handle) || --handle->references > 0) return;
  std::unique_ptr<HitHighlight> owned(handle);
  FtsFreeHitList(std::move(owned->hits));
}

int32_t HlGetHitCount(HitHighlightHandle handle) {
  return valid(handle) ? int32_t(FtsGetHitCount(handle->hits.get())) : -1;
}

int32_t HlGetHitTopic(HitHighlightHandle handle, uint32_t n) {
  FtsHitRef hit;
  if (!valid(handle) || FtsGetHit(handle->hits.get(), n, &hit) || hit.topic > INT32_MAX) return -1;
  return int32_t(hit.topic);
}

int32_t HlFindTopic(FtsHitList* hits, uint32_t topic) {
  const uint32_t count = FtsGetHitCount(hits);
  for (uint32_t n = 0; n < count; ++n) {
    FtsHitRef hit;
    if (FtsGetHit(hits, n, &hit)) return -1;
    if (hit.topic == topic) return int32_t(n);
  }
  return -1;
}

uint32_t HlSelectTopic(HitHighlightHandle handle, uint32_t topic) {
  if (!valid(handle)) return 0;
  if (handle->cache && handle->cache->topic == topic) return uint32_t(handle->cache->entries.size());
  const int32_t hit_index = HlFindTopic(handle->hits.get(), topic);
  if (hit_index < 0) return 0;
  handle->cache.reset();
  return cache_hit(*handle, uint32_t(hit_index)) ? uint32_t(handle->cache->entries.size()) : 0;
}

int64_t HlGetOccurrence(HitHighlightHandle handle, uint32_t hit_index, uint32_t k) {
  if (!valid(handle) || !cache_hit(*handle, hit_index) || k >= handle->cache->entries.size()) return -1;
  return handle->cache->entries[k].address;
}

int32_t HlGetOccurrenceCount(HitHighlightHandle handle, uint32_t hit_index, int32_t* code) {
  int32_t failure = kHlBadHandle;
  if (valid(handle)) {
    FtsHitRef hit;
    failure = FtsGetHit(handle->hits.get(), hit_index, &hit);
    if (!failure) return int32_t(std::min<uint32_t>(hit.count, INT32_MAX));
  }
  if (code) *code = failure;
  return -1;
}

TopicHitListPtr HlCopyTopicOccurrences(HitHighlightHandle handle, uint32_t topic) {
  if (HlSelectTopic(handle, topic) == 0) return nullptr;
  return std::make_unique<TopicHitList>(*handle->cache);
}

int32_t HlAddHitsToGroup(HitHighlightHandle handle, engine::TopicGroup* group) {
  if (!valid(handle)) return kHlBadHandle;
  return FtsHitsToGroup(group, handle->hits.get());
}

bool HlGetEntry(const TopicHitList* list, uint32_t k, uint32_t* address, uint8_t* length) {
  if (!list || k >= list->entries.size()) return false;
  if (address) *address = list->entries[k].address;
  if (length) *length = list->entries[k].length;
  return true;
}

}  // namespace fts
