#include "engine/fcmanage/topic_record.h"

#include <algorithm>

#include "engine/fcmanage/topic_stream.h"
#include "engine/title/title.h"

namespace fcmanage {
namespace {

// The character offset of the record at `position`: the counts of the records before it in its
// block's walk. Fails with 1001 when the walk does not meet the position.
int32_t character_offset(title::TitleHandle* title, int32_t position, int32_t& code) {
  const TopicBlockRef block = FcLoadBlock(title, PositionBlock(position), code);
  if (!block) return -1;
  const TopicBlockHeader h = block->header();
  int32_t current = h.firstRecord;
  if (current != -1 && PositionBlock(current) < block->number) {
    RecordHead head;
    if ((code = FcReadRecordHead(title, current, head))) return -1;
    current = head.envelope.next;
  }
  int32_t total = 0;
  for (uint32_t steps = 0; steps < kMaxWalkSteps; ++steps) {
    if (current == position) return total;
    if (current < 0 || PositionBlock(current) != block->number || current > position) break;
    RecordHead head;
    if ((code = FcReadRecordHead(title, current, head))) return -1;
    total += head.header.count;
    if (head.envelope.next <= current && head.envelope.next != -1) break;
    current = head.envelope.next;
  }
  code = kTopicNoMemory;
  return -1;
}

// Loads the record at `position` whose character offset is already known.
TopicRecordPtr load_record(title::TitleHandle* title, int32_t position, int32_t char_offset, int32_t& code) {
  RecordHead head;
  if ((code = FcReadRecordHead(title, position, head))) return nullptr;
  const RecordEnvelope& e = head.envelope;
  auto record = std::make_unique<TopicRecord>();
  record->previous = e.previous;
  record->position = position;
  record->next = e.next;
  record->storedSize = e.size;
  record->charOffset = char_offset;
  record->phrases = title->phrases.get();
  record->header = head.header;
  record->headerSize = head.headerSize;
  record->textOffset = e.textOffset - int32_t(kEnvelopeSize);

  std::vector<uint8_t> stored(static_cast<size_t>(e.size));
  if ((code = FcReadStream(title, position, stored.data(), stored.size()))) return nullptr;
  const size_t text_start = size_t(e.textOffset);
  const size_t stored_text = stored.size() - text_start;
  if (e.expandedLength > 0 && size_t(e.expandedLength) > stored_text) {
    record->bytes.assign(stored.begin() + kEnvelopeSize, stored.begin() + int64_t(text_start));
    // Never more room than the text really expands to, whatever the envelope claims.
    const size_t room = std::min(size_t(e.expandedLength),
                                 PhrExpandedLength(stored.data() + text_start, stored_text, title->phrases.get()));
    record->bytes.resize(record->bytes.size() + room);
    const size_t expanded = PhrExpandText(stored.data() + text_start, stored_text,
                                          record->bytes.data() + record->textOffset, title->phrases.get(), room);
    // The real expanded length counts, not the stored claim.
    record->bytes.resize(size_t(record->textOffset) + expanded);
    record->textLength = int32_t(expanded);
  } else {
    record->bytes.assign(stored.begin() + kEnvelopeSize, stored.end());
    record->textLength = int32_t(stored_text);
  }
  return record;
}

}  // namespace

TopicRecordPtr FcLoadRecord(title::TitleHandle* title, int32_t position, int32_t& code) {
  if (position == -1) return nullptr;
  if (!TtlIsValid(title) || position < 0 || PositionOffset(position) < int32_t(kTopicBlockHeaderSize)) {
    code = kTopicNoMemory;
    return nullptr;
  }
  const int32_t char_offset = character_offset(title, position, code);
  if (char_offset < 0) return nullptr;
  return load_record(title, position, char_offset, code);
}

TopicRecordPtr FcGetNeighbour(const TopicRecord& record, bool forward, title::TitleHandle* title, int32_t& code,
                              int32_t first_position, int32_t stop_position) {
  code = kTopicOk;
  if (record.position == first_position && !forward) {
    code = kTopicOutOfTopic;
    return nullptr;
  }
  const int32_t neighbour = forward ? record.next : record.previous;
  if (forward && neighbour == stop_position) {
    code = kTopicOutOfTopic;
    return nullptr;
  }
  if (neighbour == -1) return nullptr;
  // Moving forward within a block continues the character count without walking the block again; a
  // record that is its block's first record to walk starts it at 0.
  int32_t char_offset = -1;
  if (forward && neighbour > record.position) {
    if (PositionBlock(neighbour) == PositionBlock(record.position)) {
      char_offset = record.charOffset + record.header.count;
    } else {
      const TopicBlockRef block = FcLoadBlock(title, PositionBlock(neighbour), code);
      if (!block) return nullptr;
      if (block->header().firstRecord == neighbour) char_offset = 0;
    }
  } else if (!forward && neighbour < record.position && PositionBlock(neighbour) == PositionBlock(record.position)) {
    RecordHead head;
    if ((code = FcReadRecordHead(title, neighbour, head))) return nullptr;
    if (head.envelope.next == record.position) char_offset = record.charOffset - head.header.count;
  }
  if (char_offset < 0 && (char_offset = character_offset(title, neighbour, code)) < 0) return nullptr;
  TopicRecordPtr result = load_record(title, neighbour, char_offset, code);
  if (result && result->is_topic_header()) {
    code = kTopicOutOfTopic;
    return nullptr;
  }
  return result;
}

}  // namespace fcmanage
