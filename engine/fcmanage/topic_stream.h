// The record chain of "|TOPIC" as a stream of bytes across blocks.
//
// Every record starts with a 20-byte envelope (i32 values):
//   0   record size in bytes, envelope included
//   4   length of the text after phrase expansion (0 for records without text)
//   8   TextPosition of the previous record in the chain, -1 at the start
//   12  TextPosition of the next record, -1 at the end
//   16  offset of the text from the start of the record
// followed by the packed record header, the format data and the text. A record may run past the end
// of its block: its bytes continue in the next block right after that block's 12-byte header.
//
// Every walk along the chain moves strictly forward and is bounded in steps, so damaged positions end
// it with an error instead of looping.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/adt/topic_record_header.h"
#include "engine/fcmanage/topic_block.h"

namespace fcmanage {

inline constexpr size_t kEnvelopeSize = 20;
// Upper bound on chain steps of one walk; no title holds this many records in a walk.
inline constexpr uint32_t kMaxWalkSteps = 1u << 22;

struct RecordEnvelope {
  int32_t size = 0;
  int32_t expandedLength = 0;
  int32_t previous = -1;
  int32_t next = -1;
  int32_t textOffset = 0;
};

// A record's envelope and decoded packed header.
struct RecordHead {
  RecordEnvelope envelope;
  adt::TopicRecordHeader header;
  size_t headerSize = 0;
};

// Copies `count` bytes of the stream that start at TextPosition `position`; 0 or a topic code.
int32_t FcReadStream(title::TitleHandle* title, int32_t position, uint8_t* out, size_t count);
// Reads and checks the envelope and packed header of the record at `position`; 0 or 1001 for a record
// that cannot be what its envelope says, or the read codes.
int32_t FcReadRecordHead(title::TitleHandle* title, int32_t position, RecordHead& head);
// The first record of `block`'s walk for a wanted position: the block's first record to walk, or
// the record that began in an earlier block when the wanted position lies before that first record.
// A first record that lies in an earlier block is stepped past to its next record (computed here; the
// cached block is never changed). -1 when the block holds no record to walk.
int32_t FcWalkStart(title::TitleHandle* title, const TopicBlock& block, int32_t wanted, int32_t& code);
// Largest stream length that the topic file can hold from `position` on.
uint64_t FcStreamLimit(title::TitleHandle* title, int32_t position);

}  // namespace fcmanage
