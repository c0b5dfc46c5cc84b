// Topic records loaded into memory: joined across blocks, with their text's phrases expanded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "engine/adt/topic_record_header.h"
#include "engine/title/phrase_table.h"

namespace title {
struct TitleHandle;
}  // namespace title

namespace fcmanage {

struct TopicRecord {
  int32_t previous = -1;     // TextPosition of the record before it in the chain
  int32_t position = -1;     // its own TextPosition
  int32_t next = -1;         // TextPosition of the record after it
  int32_t textOffset = 0;   // where the text starts in `bytes`
  int32_t textLength = 0;   // length of the text after expansion
  int32_t storedSize = 0;   // size of the record as stored, envelope included
  int32_t charOffset = 0;   // character offset of the record in its block (for TopicAddress)
  const title::PhraseTable* phrases = nullptr;
  adt::TopicRecordHeader header;
  size_t headerSize = 0;
  std::vector<uint8_t> bytes;  // the packed header, the format data and the (expanded) text

  std::span<const uint8_t> format() const { return {bytes.data() + headerSize, size_t(textOffset) - headerSize}; }
  std::span<const uint8_t> text() const { return {bytes.data() + textOffset, size_t(textLength)}; }
  bool is_topic_header() const { return adt::IsTopicHeaderType(header.type); }
};
using TopicRecordPtr = std::unique_ptr<TopicRecord>;

// The record at `position`; null with 1001 or the read codes (null with the code unchanged for -1).
TopicRecordPtr FcLoadRecord(title::TitleHandle* title, int32_t position, int32_t& code);
// The next (forward) or previous record of the same topic. Null with 1011 when stepping backwards
// from `first_position`, forwards onto `stop_position`, or onto a topic header; null with 0 at either
// end of the chain.
TopicRecordPtr FcGetNeighbour(const TopicRecord& record, bool forward, title::TitleHandle* title, int32_t& code,
                              int32_t first_position, int32_t stop_position);

}  // namespace fcmanage
