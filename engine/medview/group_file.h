// Group files: the stored form of a topic group. The title's stored groups (internal files
// "NAME.GRP"), the user's binder files and the application's temporary scope files all use it.
//
// Bytes, little-endian; the first 26 are the group record's own first 26 bytes:
//    0  u16  magic 0x3333
//    2  u16  version: 10 written, 7 to 10 read
//    4  u32  vector size in bytes (only its low 16 bits count: at most 65,535 vector bytes)
//    8  i32  last item
//   12  i32  first item
//   16  i32  item count (set bits)
//   20  i32  capacity in items
//   24  u16  form: 0 plain vector, 1 range (every item first .. last, no vector), 2 trimmed vector
//   26  14 zero bytes (version 10 only, as far as the open-file reader is concerned)
//   40  the vector of `size` bytes, or one zero byte when the size is 0
//
// Two readers exist because stored files rely on both: the open-file reader takes the vector of a
// version 7 to 9 file right after the 26 bytes, the baggage reader always at offset 40, and only the
// baggage reader recomputes the capacity of versions below 9. Both refuse items above 524,288 and a
// header that promises more bytes than the file holds; every group they make is normalised.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/COMMON/topic_group.h"
#include "platform/base/os_file.h"

namespace title {
struct TitleHandle;
}

namespace medview {

inline constexpr size_t kGroupRecordBytes = 26;
inline constexpr size_t kGroupHeaderBytes = 40;
inline constexpr uint32_t kGroupFileMaxVector = 0xFFFF;
inline constexpr uint16_t kGroupFormPlain = 0;
inline constexpr uint16_t kGroupFormRange = 1;
inline constexpr uint16_t kGroupFormTrimmed = 2;

// Codes of the group-file and topic-list calls.
inline constexpr uint16_t kListNoMemory = 1001;
inline constexpr uint16_t kGroupFileBad = 1007;      // magic, version, length or (baggage) count
inline constexpr uint16_t kListBadHandle = 1012;     // bad handle or file
inline constexpr uint16_t kGroupShortWrite = 2005;
inline constexpr uint16_t kGroupShortRead = 2013;
inline constexpr uint16_t kGroupBadArgument = 2015;
inline constexpr uint16_t kGroupTooLarge = 2017;     // a vector a group file cannot carry
inline constexpr uint16_t kGroupCountMismatch = 2022;
inline constexpr uint16_t kGroupWriteFailed = 2028;

// The first 26 bytes of a group file.
struct GroupFileHeader {
  uint16_t magic = 0;
  uint16_t version = 0;
  uint32_t size = 0;
  int32_t last = 0;
  int32_t first = 0;
  int32_t count = 0;
  int32_t capacity = 0;
  uint16_t form = 0;
};

// 0 when the magic and version are acceptable, else 1.
int MvCheckGroupHeader(const GroupFileHeader& header);

// Writes the group at the file's position: 0, 2015 for no file or group, 2017 for a vector over
// 65,535 bytes (nothing written), 2005 when the disk is full, 2028 when the write fails otherwise.
uint16_t MvWriteGroupFile(base::OsFile* file, const engine::TopicGroup* group);
// The bytes MvWriteGroupFile writes, for callers that store them another way: 0, 2015 for no
// group, 2017 for a vector over 65,535 bytes (`bytes` left empty).
uint16_t MvEncodeGroupBytes(const engine::TopicGroup* group, std::vector<uint8_t>& bytes);
// Reads a group from a file positioned at its header: codes 1012 no file, 1007 bad header, 2013
// short read, 2022 count mismatch, 1001 no memory.
engine::GroupPtr MvReadGroupFile(base::OsFile* file, uint16_t* code);
// Reads a group file through the baggage: the title's internal file, or a disk file when `title` is
// null. Codes 1007 (bad header, length or count), 1001, or the baggage's open codes.
engine::GroupPtr MvReadBaggageGroup(title::TitleHandle* title, const char* name, uint16_t* code);
// The baggage reader's decoding of a whole file's bytes.
engine::GroupPtr MvDecodeGroupBytes(std::span<const uint8_t> bytes, uint16_t* code);

}  // namespace medview
