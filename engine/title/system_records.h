// The system records "|SYSTEM" of a title.
//
// File layout (little-endian):
//   0   u16  magic 0x036C
//   2   u16  version, 27
//   4   6 bytes, not read
//   10  u16  flags: bit 2 (value 4) = topic blocks are LZ-compressed
//   12  records to the end of the file, each {u16 tag, u16 data length n, n bytes of data}
// A file larger than 65,545 bytes is refused. The body (everything after the 12-byte header) is kept
// in memory; every walk over it is bounded by its size, and a record whose data would run past the
// body ends the walk. A tag of 0 ends the records.
//
// Tags: 1, 2 texts; 3 start topic (i32 TopicAddress); 11 number of topics (i32); 12 word-breaker
// lines; 13 numbered text lines; 14 records of up to 110 bytes (a byte at offset 1, a NUL-terminated
// text at offset 28); 19 library aliases (four NUL-terminated strings).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/mvfs/title_file_system.h"

namespace title {

inline constexpr uint16_t kSystemMagic = 0x036C;
inline constexpr uint16_t kSystemVersion = 27;
inline constexpr size_t kSystemHeaderSize = 12;
inline constexpr size_t kSystemMaxFileSize = 65545;
inline constexpr uint16_t kSystemFlagCompressed = 4;

enum SystemTag : uint16_t {
  kTagTitle = 1,
  kTagCopyright = 2,
  kTagStartTopic = 3,
  kTagTopicCount = 11,
  kTagBreakers = 12,
  kTagTextLines = 13,
  kTagNumberedText = 14,
  kTagLibraryAlias = 19,
};

struct SystemRecord {
  uint16_t tag = 0;
  std::span<const uint8_t> data;
};

struct SystemRecords {
  uint16_t flags = 0;
  std::vector<uint8_t> body;

  bool compressed() const { return flags & kSystemFlagCompressed; }
};

enum class SystemReadStatus { kOk, kMissing, kBadFormat, kTooLarge, kReadFailed };

// Checks the header and keeps the body.
SystemReadStatus TtlParseSystem(std::span<const uint8_t> file, SystemRecords& records);
// Reads "|SYSTEM" from the title's file system.
SystemReadStatus TtlReadSystem(mvfs::TitleFileSystem* fs, SystemRecords& records);

// Finds the next record with `tag` at or after byte `from` of the body; returns the offset of the
// record after it (where the next search starts), or nothing when no such record follows.
std::optional<size_t> TtlSystemRecord(std::span<const uint8_t> body, uint16_t tag, size_t from, SystemRecord& found);
// Record n (from 0) with `tag`, or nothing.
std::optional<SystemRecord> TtlSystemRecordAt(std::span<const uint8_t> body, uint16_t tag, uint32_t n);
// The 32-bit value of the first record with `tag`; nothing when it is absent or shorter than 4 bytes.
std::optional<int32_t> TtlSystemValue(std::span<const uint8_t> body, uint16_t tag);

}  // namespace title
