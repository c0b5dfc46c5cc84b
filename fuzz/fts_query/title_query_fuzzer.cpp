// Title queries on damaged titles: the full-text index, the character, operator and stop-word tables
// or the system records overwritten; a query text and a scope group from the input. The hits, their
// topics and every topic's found words are read back; nothing may crash, hang or read out of bounds.
// The hit list names each topic once and only topics the index counts, however the damaged index
// brought them (entries that decode to the same key come in any order and are merged), and the topic
// list made over it maps the hits onto its items and group.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "engine/fts/search/title_query.h"
#include "engine/medview/topic_list.h"
#include "fuzz/fts_query/fuzz_query_title.h"

namespace {

const std::vector<std::string> kTargets = {"|MVINDEX", "|MVCHARTAB", "|MVOPTAB", "|STOPPL", "|SYSTEM"};

// The hits as the application holds them, a topic list over the hit handle (which the list takes):
// the list answers the hits in order and -1 past them, and its group holds exactly the hit topics,
// ascending.
void check_topic_list(fts::HitHighlightHandle hl, int32_t total) {
  std::vector<int32_t> topics;
  for (int32_t h = 0; h < fts::HlGetHitCount(hl); ++h) topics.push_back(fts::HlGetHitTopic(hl, uint32_t(h)));
  medview::TopicListHandle list = medview::MvAllocTopicList();
  list->count = int32_t(topics.size());
  list->topicCount = total;
  list->hits.reset(hl);
  for (size_t n = 0; n < topics.size(); ++n)
    if (medview::MvGetTopicListItem(list, int32_t(n)) != topics[n]) std::abort();
  if (medview::MvGetTopicListItem(list, int32_t(topics.size())) != -1) std::abort();
  if (engine::TopicGroup* group = medview::MvGetListGroup(list)) {
    std::set<int32_t> expected(topics.begin(), topics.end()), found;
    expected.erase(-1);
    for (int32_t n = 0; n < medview::MvGetGroupCount(group); ++n) {
      const int32_t item = medview::MvGetGroupItem(group, n);
      if (item < 0 || (!found.empty() && item <= *found.rbegin())) std::abort();
      found.insert(item);
    }
    if (found != expected) std::abort();
  }
  medview::MvFreeTopicList(list);
}

}  // namespace

// Input: target file, query length n, n query bytes, flags, scope byte (0: none, else its bits are
// the scope), then the damage.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const size_t target = data[0] % kTargets.size();
  const size_t n = std::min<size_t>(data[1], size - 2);
  const std::string text(reinterpret_cast<const char*>(data + 2), n);
  size_t at = 2 + n;
  // Low nibble: the search flags 0x100 to 0x800; the top bit: the default operator.
  const uint8_t flag_byte = at < size ? data[at++] : 0;
  const uint16_t flags = uint16_t((flag_byte & 0x0F) << 8 | flag_byte >> 7);
  const uint8_t scope_bits = at < size ? data[at++] : 0;
  fts_query_test::QueryTitle t;
  if (!fts_query_fuzz::write_damaged(t, kTargets, target, data + at, size - at)) return 0;
  title::TitleHandle* title = title::TtlOpen(t.path.c_str(), nullptr, 0, true);
  if (!title) return 0;
  engine::GroupPtr scope;
  if (scope_bits) scope = engine::GrpFromBytes(std::span<const uint8_t>(&scope_bits, 1), 0);
  engine::GroupPtr hits = engine::GrpCreate(64, nullptr);
  int32_t count = 0, total = 0;
  fts::FtsError error;
  fts::HitHighlightHandle hl =
      fts::TtlQuery(title, flags, text.c_str(), scope.get(), 0, 0, hits.get(), &count, &total, &error);
  if (hl) {
    std::vector<int32_t> seen;
    for (int32_t h = 0; h < fts::HlGetHitCount(hl); ++h) {
      const int32_t topic = fts::HlGetHitTopic(hl, uint32_t(h));
      if (topic >= 0) {
        if (total >= 0 && topic >= total) std::abort();
        seen.push_back(topic);
      }
      int32_t code = 0;
      const int32_t occurrences = fts::HlGetOccurrenceCount(hl, uint32_t(h), &code);
      fts::TopicHitListPtr list = fts::HlCopyTopicOccurrences(hl, uint32_t(topic));
      if (list && (list->entries.size() != size_t(occurrences) ||
                   !std::is_sorted(list->entries.begin(), list->entries.end(),
                                   [](auto& a, auto& b) { return a.address < b.address; })))
        std::abort();
      fts::HlGetOccurrence(hl, uint32_t(h), 0);
    }
    fts::HlAddHitsToGroup(hl, hits.get());
    check_topic_list(hl, total);
    std::sort(seen.begin(), seen.end());
    if (std::adjacent_find(seen.begin(), seen.end()) != seen.end()) std::abort();
  }
  title::TtlClose(title);
  return 0;
}
