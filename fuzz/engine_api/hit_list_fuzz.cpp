// Mapping a hit list onto a topic list and its group from hostile numbers. Input: u32 topic count,
// then u32 topic numbers of hits (duplicates and numbers past the count included). The list answers
// the hits in order; its group holds exactly the hit topics below its capacity, ascending.
#include <algorithm>
#include <cstdint>
#include <set>

#include "engine/fts/search/hit_highlight.h"
#include "engine/medview/topic_list.h"
#include "platform/base/byte_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  base::ByteReader r(data, size);
  const int32_t topic_count = int32_t(r.u32() % 600000);
  auto hits = std::make_unique<fts::FtsHitList>();
  while (r.remaining() >= 4 && hits->hits.size() < 4096) {
    fts::FtsHit hit;
    hit.topic = r.u32() % 700000;
    hit.count = 1;
    hit.occurrences.push_back({0, hit.topic, 1, 3, 0});
    hits->hits.push_back(std::move(hit));
  }
  const std::vector<fts::FtsHit> given = hits->hits;
  medview::TopicListHandle list = medview::MvAllocTopicList();
  list->count = int32_t(given.size());
  list->topicCount = topic_count;
  list->hits.reset(fts::HlCreate(std::move(hits)));
  for (size_t n = 0; n < given.size(); ++n)
    if (medview::MvGetTopicListItem(list, int32_t(n)) != int32_t(given[n].topic)) __builtin_trap();
  if (medview::MvGetTopicListItem(list, int32_t(given.size())) != -1) __builtin_trap();
  if (engine::TopicGroup* group = medview::MvGetListGroup(list)) {
    std::set<int32_t> expected;
    const int32_t capacity = 8 * ((std::max(topic_count, 1) + 7) / 8);
    for (const fts::FtsHit& hit : given)
      if (int32_t(hit.topic) < capacity) expected.insert(int32_t(hit.topic));
    std::set<int32_t> found;
    for (int32_t n = 0; n < medview::MvGetGroupCount(group); ++n) {
      const int32_t item = medview::MvGetGroupItem(group, n);
      if (item < 0 || (!found.empty() && item <= *found.rbegin())) __builtin_trap();
      found.insert(item);
    }
    if (found != expected) __builtin_trap();
  }
  medview::MvFreeTopicList(list);
  return 0;
}
