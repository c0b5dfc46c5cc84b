// "|TOPIC" for built titles: lays the records of every topic out as one chain cut into blocks, fills
// the envelopes, block headers and topic headers, and compresses the blocks when asked.
//
// Each topic is a topic header record (type 2: the nine header values, then its title, a NUL and its
// header text) followed by the topic's records. Records run on across block boundaries.
//
// Block size rules. A record that runs past its block continues right after the next block's header,
// so the reader takes a block's decoded size as the place where its last record breaks off: every
// block but the last must decode to exactly the record bytes written into it.
//   - Plain blocks are stored as decoded and hold 4,084 bytes of records after their header.
//   - Compressed blocks hold `block_data_size` bytes of records each when it is given. By default each
//     block holds as many record bytes as compress into its 4,084 stored bytes (at most 16,372, so
//     that offsets stay below 16,384; never below 3,630, which always fits), so blocks differ in size.
//   - Compressed streams are parsed for the fewest bytes (each position takes a literal or a
//     reference of any length up to its longest match, whichever path costs fewest bits), not
//     greedily.
//   Padding of a short compressed block: the stored block is filled instead of padded. When a block's
//   stream is shorter than 4,084 bytes, back references are written out as literals (or shortened by
//   one leading literal) until the stream takes 4,084 bytes, which decode to the same data. When that
//   leaves exactly one byte free, the free byte is one the decoder never turns into data: a flag byte
//   that is the last input byte when the stream's last group is complete, otherwise the first half of
//   a reference announced by the last group's next flag bit, whose second byte would lie past the
//   input. The last block of the file is stored as it compresses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/adt/topic_record_header.h"
#include "engine/compress/phrase_builder.h"

namespace titlebuild {

struct TopicRecordSource {
  uint8_t type = adt::kRecordTextCounted;
  std::vector<uint8_t> format;  // format data (paragraph information and commands)
  std::string text;             // CP1250, at most 32,767 bytes for counted types
};

struct TopicSource {
  std::string title;
  std::string header_text;
  std::vector<TopicRecordSource> records;
  int32_t further[3] = {};  // the three further header values, carried as given
};

struct TopicFileOptions {
  bool compressed = false;
  size_t block_data_size = 0;               // compressed blocks only; 0: the default
  const compress::PhraseList* phrases = nullptr;  // phrase-compress the record texts
};

struct TopicFileLayout {
  std::vector<uint8_t> file;
  size_t blocks = 0;
  std::vector<int32_t> topic_addresses;   // TopicAddress of each topic's header record
  std::vector<int32_t> header_positions;  // TextPosition of each topic's header record
  std::vector<std::vector<int32_t>> record_positions;  // TextPosition of each record of each topic
  std::vector<std::vector<int32_t>> record_addresses;  // TopicAddress of each record's first character
};

// 0, or 1 when the topics cannot be laid out (a text too long, a block whose character count passes
// 32,767, or blocks that do not compress into their stored size).
int BuildTopicFile(const std::vector<TopicSource>& topics, const TopicFileOptions& options, TopicFileLayout& layout);

}  // namespace titlebuild
