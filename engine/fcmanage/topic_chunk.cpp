#include "engine/fcmanage/topic_chunk.h"

#include <algorithm>

#include "engine/fcmanage/topic_stream.h"
#include "engine/title/title.h"
#include "platform/base/byte_io.h"

namespace fcmanage {

void FcSplitTitles(const TopicRecord& header, TopicChunk& chunk) {
  const std::span<const uint8_t> text = header.text();
  const auto nul = std::find(text.begin(), text.end(), 0);
  chunk.title.assign(text.begin(), nul);
  chunk.headerText.clear();
  if (text.size() - chunk.title.size() > 1) {
    const auto rest = text.subspan(chunk.title.size() + 1);
    chunk.headerText.assign(rest.begin(), std::find(rest.begin(), rest.end(), 0));
  }
}

TopicRecordPtr FcGetChunk(title::TitleHandle* title, int32_t position, TopicChunk& chunk, int32_t& code) {
  code = kTopicOk;
  if (!TtlIsValid(title) || position < 0) {
    code = kTopicNoMemory;
    return nullptr;
  }
  const TopicBlockRef block = FcLoadBlock(title, PositionBlock(position), code);
  if (!block) return nullptr;
  int32_t current_header = block->header().topicHeader;
  int32_t header_size = -1;
  int32_t current = FcWalkStart(title, *block, position, code);
  if (code) return nullptr;
  int32_t answer = -1;
  for (uint32_t steps = 0; current != -1 && steps < kMaxWalkSteps; ++steps) {
    RecordHead head;
    if ((code = FcReadRecordHead(title, current, head))) return nullptr;
    if (adt::IsTopicHeaderType(head.header.type)) {
      current_header = current;
      header_size = head.envelope.size;
    }
    const int32_t next = head.envelope.next;
    // The last record of the chain holds every position after it.
    if ((next > position || next == -1) && current != current_header) {
      answer = current;
      break;
    }
    if (next != -1 && next <= current) {
      code = kTopicNoMemory;
      return nullptr;
    }
    current = next;
  }
  if (answer == -1) return nullptr;
  if (current_header == -1) {
    code = kTopicNoMemory;
    return nullptr;
  }

  const TopicRecordPtr header = FcLoadRecord(title, current_header, code);
  if (!header) return nullptr;
  const std::span<const uint8_t> format = header->format();
  if (!header->is_topic_header() || format.size() < sizeof chunk.values) {
    code = kTopicNoMemory;
    return nullptr;
  }
  TopicRecordPtr record = FcLoadRecord(title, answer, code);
  if (!record) return nullptr;
  base::ByteReader in(format.data(), format.size());
  for (int32_t& v : chunk.values) v = in.i32();
  FcSplitTitles(*header, chunk);
  if (header_size < 0) header_size = header->storedSize;
  chunk.topicLength = header->header.length - header_size;
  chunk.recordPosition = answer;
  return record;
}

}  // namespace fcmanage
