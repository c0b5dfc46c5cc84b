// Keyword indexes with a damaged part (B-tree, ordinal map, keyword data or keyword full-text index):
// open, count, every keyword by ordinal, incremental search, look-up, topic addresses and a query on
// the keywords. Nothing may crash, hang or read out of bounds; answers stay within their bounds.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/fts/search/word_wheel_query.h"
#include "fuzz/fts_query/fuzz_query_title.h"

namespace {

const std::vector<std::string> kTargets = {"|aKWBTREE", "|aKWMAP", "|aKWDATA", "|aKWINDEX"};

}  // namespace

// Input: target file, text length n, n text bytes, then the damage.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t target = data[0] % kTargets.size();
  const size_t n = std::min<size_t>(data[1], size - 2);
  const std::string text(reinterpret_cast<const char*>(data + 2), n);
  fts_query_test::QueryTitle t;
  if (!fts_query_fuzz::write_damaged(t, kTargets, target, data + 2 + n, size - 2 - n)) return 0;
  title::TitleHandle* title = title::TtlOpen(t.path.c_str(), nullptr, 0, true);
  if (!title) return 0;
  if (fts::WordWheelHandle wheel = fts::WwOpen(title, "|a", true)) {
    const int32_t count = fts::WwGetCount(wheel);
    for (int32_t ordinal = -1; ordinal <= std::min(count, 64); ++ordinal) {
      char buffer[300];
      if (fts::WwGetString(wheel, ordinal, buffer, sizeof buffer) == 0) {
        buffer[sizeof buffer - 1] = 0;
        const uint16_t topics = fts::WwGetKeywordTopicCount(wheel, buffer);
        std::vector<uint32_t> out(16);
        const int64_t got = fts::WwGetKeywordTopics(wheel, buffer, 0, uint32_t(out.size()), out.data());
        if (got > int64_t(4 * std::min<size_t>(topics, out.size()))) std::abort();
      }
    }
    const int32_t position = fts::WwFindPosition(wheel, text.c_str());
    if (position < -1 || position >= std::max(count, 1)) std::abort();
    fts::KeywordRecord record;
    fts::WwLookup(wheel, text.c_str(), &record);
    engine::GroupPtr group = engine::GrpCreate(64, nullptr);
    fts::WwQuery(wheel, 0, text.c_str(), nullptr, group.get());
    fts::WwClose(wheel);
  }
  title::TtlClose(title);
  return 0;
}
