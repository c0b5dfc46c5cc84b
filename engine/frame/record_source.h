// Where the layout reads topic records from: the bound title, or any other store of records (tests
// and tools lay out records that no title holds).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/fcmanage/topic_chunk.h"

namespace frame {

struct SourceRecord {
  int32_t position = -1;  // TextPosition of the record
  int32_t previous = -1;  // of the record before it in the chain, -1 none
  int32_t next = -1;      // of the record after it, -1 none
  int32_t charBase = 0;   // character number of its first character in its block
  int32_t storedSize = 0;
  bool topicHeader = false;
  std::vector<uint8_t> bytes;  // header, format data and text
};

class RecordSource {
 public:
  virtual ~RecordSource() = default;
  // The record at `position`; 0 or the read's code.
  virtual uint16_t load(int32_t position, SourceRecord& out) = 0;
  // The chunk of the topic that holds `position`; 0 or the read's code.
  virtual uint16_t chunk(int32_t position, fcmanage::TopicChunk& chunk) = 0;
};

// Records of an open title.
std::shared_ptr<RecordSource> FrTitleRecordSource(title::TitleHandle* title);

}  // namespace frame
