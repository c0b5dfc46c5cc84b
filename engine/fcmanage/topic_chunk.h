// The topic chunk: the record shown at a text position and the header of its topic.
//
// A topic header record (type 2 or 0x21) carries the topic's length in its `length` field; its format
// data starts with nine i32 values: previous topic, next topic (TopicAddress), topic number,
// non-scrolling start, scrolling start (TextPosition, -1 none), end of the topic, and three further
// values carried along unchanged. Its text holds the topic's title, a NUL, and the header text.
#pragma once

#include <cstdint>
#include <string>

#include "engine/fcmanage/topic_record.h"

namespace fcmanage {

struct TopicChunk {
  int32_t topicLength = 0;  // the header's length minus the header record's stored size
  int32_t values[9] = {};
  std::string title;         // empty when none
  std::string headerText;   // empty when none
  int32_t recordPosition = -1;
};

// The record holding `position` (never a topic header) with the chunk filled; null on failure (with
// the code) or when the chain ends before it (code 0).
TopicRecordPtr FcGetChunk(title::TitleHandle* title, int32_t position, TopicChunk& chunk, int32_t& code);
// Fills the chunk's title and header text from a topic header record's text.
void FcSplitTitles(const TopicRecord& header, TopicChunk& chunk);

}  // namespace fcmanage
