// Reads arbitrary bytes as a dropped "Topic Info" record (the first 16 bytes) over a contents index
// (the rest): a record the check takes is one the catalogue holds at the level it claims, and the
// citation and row texts made for it are bounded and show full years.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "navigation/topic_citation.h"
#include "navigation/topic_drag.h"
#include "shell/core/contents_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < topicdrag::kTopicInfoBytes) return 0;
  const std::span<const uint8_t> bytes(data, size);
  shell::ContentsIndexReader catalog;
  catalog.OpenBytes(bytes.subspan(topicdrag::kTopicInfoBytes));
  topicdrag::TopicInfoBlock block;
  if (!topicdrag::ReadDroppedTopic(bytes.first(topicdrag::kTopicInfoBytes), catalog, block)) return 0;
  shell::ContentsRecord record;
  if (!catalog.ReadRecord(block.record, record) || record.level != block.level) std::abort();
  shell::ActDescription d;
  catalog.Describe(block.record, d);
  const std::string year = std::to_string(d.FullYear());
  for (int format = 0; format <= 5; ++format) {
    const std::string text = topicdrag::CitationText(d, record.level, format);
    // Three title texts at most, dates and numbers.
    if (text.size() > 3 * shell::kContentsMaxText + 200) std::abort();
    if ((format == 1 || format == 2) && !text.empty() && text.find(year) == std::string::npos) std::abort();
    if (format != 1 && format != 2 && !text.empty()) std::abort();
  }
  return 0;
}
