// Topic blocks of "|TOPIC" and the three-slot cache of decoded blocks.
//
// "|TOPIC" is read in blocks of 4,096 stored bytes; block n starts at byte n x 4,096 and the last one
// may be shorter. Each block starts with a 12-byte header of three i32 values:
//   0  a record from which a walk starts when the wanted position lies in this block before the
//      record of offset 4: the record that began in an earlier block and runs into this one; -1 none
//   4  the first record to walk in this block (the first one that begins in it)
//   8  the topic header record of the topic in progress at that first record
// followed by the block's data: as stored, or LZ-compressed when the title's compressed flag is set,
// decoding to at most 16,384 bytes. The decoded block is the header followed by the decoded data.
//
// TextPosition = (block << 14) | byte offset in the decoded block, counted from the block's start
// (data starts at 12). Offsets at or past 16,384 cannot be addressed.
//
// A cached block is never changed after it has been decoded, and callers hold it through a shared
// reference: a block stays valid while it is held even when the cache has moved on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace title {
struct TitleHandle;
}  // namespace title

namespace fcmanage {

inline constexpr size_t kTopicBlockSize = 4096;
inline constexpr size_t kTopicBlockHeaderSize = 12;
inline constexpr size_t kTopicDecodedLimit = 16384;
inline constexpr int kTopicOffsetBits = 14;
inline constexpr int32_t kTopicOffsetMask = (1 << kTopicOffsetBits) - 1;

// Title and viewer codes of the topic reader.
enum TopicCode : int32_t {
  kTopicOk = 0,
  kTopicNoMemory = 1001,  // also a record that is not where its position says, or damaged
  kTopicDiskFull = 1009,
  kTopicReadFailed = 1010,
  kTopicOutOfTopic = 1011,
};

struct TopicBlockHeader {
  int32_t earlierRecord = -1;
  int32_t firstRecord = -1;
  int32_t topicHeader = -1;
};

struct TopicBlock {
  int32_t number = -1;
  std::vector<uint8_t> bytes;  // the 12-byte header and the decoded data

  size_t size() const { return bytes.size(); }
  TopicBlockHeader header() const;
};
using TopicBlockRef = std::shared_ptr<const TopicBlock>;

struct TopicBlockCache {
  std::array<TopicBlockRef, 3> slots;
  size_t next = 0;         // the slot to fill next
  uint64_t decoded = 0;    // blocks read and decoded so far (misses)
};

inline int32_t PositionBlock(int32_t position) { return position >> kTopicOffsetBits; }
inline int32_t PositionOffset(int32_t position) { return position & kTopicOffsetMask; }
inline int32_t MakePosition(int32_t block, int32_t offset) { return (block << kTopicOffsetBits) | offset; }

// Decodes one stored block (the header copied, the data decompressed or taken as stored).
TopicBlock FcDecodeBlock(int32_t number, const uint8_t* stored, size_t stored_size, bool compressed);
// Block n of the title through its cache; null with 1001, 1009 or 1010.
TopicBlockRef FcLoadBlock(title::TitleHandle* title, int32_t block, int32_t& code);
// Empties the cache (all three slots, next slot 0).
void FcInitCache(title::TitleHandle* title);
void FcFreeCache(title::TitleHandle* title);

}  // namespace fcmanage
