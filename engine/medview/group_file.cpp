#include "engine/medview/group_file.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/medview/engine_titles.h"
#include "platform/base/byte_io.h"

namespace medview {
namespace {

using engine::GroupPtr;
using engine::TopicGroup;

uint16_t report(uint16_t* code, uint16_t value) {
  if (code) *code = value;
  return value;
}

GroupFileHeader decode_header(std::span<const uint8_t, kGroupRecordBytes> bytes) {
  base::ByteReader r(bytes.data(), bytes.size());
  GroupFileHeader h;
  h.magic = r.u16();
  h.version = r.u16();
  h.size = r.u32();
  h.last = r.i32();
  h.first = r.i32();
  h.count = r.i32();
  h.capacity = r.i32();
  h.form = r.u16();
  return h;
}

// The header checks shared by both readers, after each reader's own version fix-ups: the magic and
// version, items within the group limit, and a vector size of zero standing for last / 8 + 1.
// Returns the vector size to allocate (its low 16 bits), or -1 for a header to refuse.
int32_t checked_vector_size(GroupFileHeader& h) {
  if (MvCheckGroupHeader(h)) return -1;
  if (h.capacity < 0 || h.capacity > engine::kGroupMaxItem + 1) return -1;
  if (h.last < 0 || h.last > engine::kGroupMaxItem || h.first < 0) return -1;
  if (h.form == kGroupFormRange && h.first > h.last) return -1;
  if (h.size == 0) h.size = uint32_t(h.last) / 8 + 1;
  return int32_t(h.size & kGroupFileMaxVector);
}

// A group carrying the header's record with room for `vector_bytes` bytes.
GroupPtr allocate(const GroupFileHeader& h, int32_t vector_bytes, uint16_t* code) {
  uint16_t error = 0;
  GroupPtr group = engine::GrpAlloc(vector_bytes, h.capacity, &error);
  if (!group) {
    report(code, kListNoMemory);
    return nullptr;
  }
  group->error = nullptr;
  group->version = h.version;
  group->last = h.last;
  group->first = h.first;
  group->count = h.count;
  group->state = h.form;
  return group;
}

// Form 1: every item from first to last, no vector stored; the group is then a trimmed one.
GroupPtr range_group(const GroupFileHeader& h, int32_t vector_bytes, uint16_t* code) {
  GroupPtr group = allocate(h, std::max(vector_bytes, h.last / 8 + 1), code);
  if (!group) return nullptr;
  for (int32_t item = h.first; item <= h.last; ++item) group->bits[size_t(item) >> 3] |= uint8_t(1u << (item & 7));
  group->state = kGroupFormTrimmed;
  engine::GrpNormalize(group.get());
  return group;
}

// What both readers do with a header once their own version fix-ups are made: refuse it, make the
// range group it describes (handed back in `range`), or return the vector size still to be read.
// Returns -1 in the first two cases, with the code reported.
int32_t settle_header(GroupFileHeader& h, GroupPtr& range, uint16_t* code) {
  const int32_t vector_bytes = checked_vector_size(h);
  if (vector_bytes < 0) {
    report(code, kGroupFileBad);
    return -1;
  }
  if (h.form != kGroupFormRange) return vector_bytes;
  range = range_group(h, vector_bytes, code);
  if (range) report(code, 0);
  return -1;
}

// The vector read: versions 7 and 8 are trimmed, the count must match the header's.
GroupPtr finish_vector_group(GroupPtr group, uint16_t mismatch_code, uint16_t* code) {
  if (engine::GrpCountBits(group->bits) != group->count) {
    report(code, mismatch_code);
    return nullptr;
  }
  if (group->version < 9) engine::GrpTrim(group.get());
  if (engine::GrpNormalize(group.get()) != engine::kGroupOk) {
    report(code, kGroupFileBad);
    return nullptr;
  }
  report(code, 0);
  return group;
}

}  // namespace

int MvCheckGroupHeader(const GroupFileHeader& header) {
  const bool good = header.magic == engine::kGroupMagic && header.version >= engine::kGroupOldestVersion &&
                    header.version <= engine::kGroupVersion;
  return good ? 0 : 1;
}

uint16_t MvEncodeGroupBytes(const TopicGroup* group, std::vector<uint8_t>& bytes) {
  bytes.clear();
  if (!group) return kGroupBadArgument;
  // The size field is read back as 16 bits: a longer vector would come back cut and corrupt.
  if (group->bits.size() > kGroupFileMaxVector) return kGroupTooLarge;
  const bool old = group->version < 9;
  bytes.reserve(kGroupHeaderBytes + std::max<size_t>(group->bits.size(), 1));
  base::ByteWriter w(bytes);
  w.u16(group->magic);
  w.u16(engine::kGroupVersion);
  w.u32(uint32_t(group->bits.size()));
  w.i32(group->last);
  w.i32(group->first);
  w.i32(group->count);
  w.i32(old ? int32_t(group->bits.size() * 8) : group->capacity);
  w.u16(old ? kGroupFormPlain : group->state);
  w.zeros(kGroupHeaderBytes - kGroupRecordBytes);
  if (group->bits.empty()) {
    w.u8(0);
  } else {
    w.bytes(group->bits);
  }
  return 0;
}

uint16_t MvWriteGroupFile(base::OsFile* file, const TopicGroup* group) {
  if (!file || !file->is_open() || !group) return kGroupBadArgument;
  std::vector<uint8_t> bytes;
  if (const uint16_t code = MvEncodeGroupBytes(group, bytes)) return code;
  // The file layer writes everything or fails; a full disk is the short write.
  const base::OsError error = file->write(bytes.data(), bytes.size());
  if (error == base::OsError::NoSpace) return kGroupShortWrite;
  return error == base::OsError::None ? 0 : kGroupWriteFailed;
}

GroupPtr MvReadGroupFile(base::OsFile* file, uint16_t* code) {
  if (!file || !file->is_open()) {
    report(code, kListBadHandle);
    return nullptr;
  }
  uint64_t position = 0, file_size = 0;
  if (file->tell(position) != base::OsError::None || file->size(file_size) != base::OsError::None) {
    report(code, kListBadHandle);
    return nullptr;
  }
  std::array<uint8_t, kGroupRecordBytes> record{};
  size_t done = 0;
  if (file->read(record.data(), record.size(), done) != base::OsError::None || done != record.size()) {
    report(code, kGroupFileBad);
    return nullptr;
  }
  GroupFileHeader h = decode_header(record);
  if (h.version < 9) h.form = kGroupFormPlain;
  GroupPtr range;
  const int32_t vector_bytes = settle_header(h, range, code);
  if (vector_bytes < 0) return range;
  const size_t skip = h.version == engine::kGroupVersion ? kGroupHeaderBytes - kGroupRecordBytes : 0;
  // The header must not promise more than the file holds: refuse before allocating.
  if (position + kGroupRecordBytes + skip + size_t(vector_bytes) > file_size) {
    report(code, kGroupShortRead);
    return nullptr;
  }
  if (skip && file->seek(int64_t(skip), base::OsFile::Whence::Current) != base::OsError::None) {
    report(code, kGroupShortRead);
    return nullptr;
  }
  GroupPtr group = allocate(h, vector_bytes, code);
  if (!group) return nullptr;
  if (vector_bytes) {
    if (file->read(group->bits.data(), group->bits.size(), done) != base::OsError::None ||
        done != group->bits.size()) {
      report(code, kGroupShortRead);
      return nullptr;
    }
  }
  return finish_vector_group(std::move(group), kGroupCountMismatch, code);
}

GroupPtr MvDecodeGroupBytes(std::span<const uint8_t> bytes, uint16_t* code) {
  if (bytes.size() < kGroupRecordBytes) {
    report(code, kGroupFileBad);
    return nullptr;
  }
  GroupFileHeader h = decode_header(bytes.first<kGroupRecordBytes>());
  if (h.version < 9) {
    h.capacity = int32_t(std::min<uint64_t>(uint64_t(h.size) * 8, uint64_t(engine::kGroupMaxItem) + 1));
    h.form = kGroupFormPlain;
  }
  GroupPtr range;
  const int32_t vector_bytes = settle_header(h, range, code);
  if (vector_bytes < 0) return range;
  if (bytes.size() < kGroupHeaderBytes + size_t(vector_bytes)) {
    report(code, kGroupFileBad);
    return nullptr;
  }
  GroupPtr group = allocate(h, vector_bytes, code);
  if (!group) return nullptr;
  std::copy_n(bytes.begin() + kGroupHeaderBytes, vector_bytes, group->bits.begin());
  return finish_vector_group(std::move(group), kGroupFileBad, code);
}

GroupPtr MvReadBaggageGroup(title::TitleHandle* title, const char* name, uint16_t* code) {
  if (!name || (title && !MvIsTitleValid(title))) {
    report(code, kListBadHandle);
    return nullptr;
  }
  // Nothing past the largest group file matters, so no more than that is read.
  constexpr int64_t kMaxFileBytes = int64_t(kGroupHeaderBytes) + kGroupFileMaxVector;
  int64_t size = 0;
  uint16_t bag_code = 0;
  const std::vector<uint8_t> bytes = MvLoadBaggage(title, name, title != nullptr, 0, kMaxFileBytes, &size, &bag_code);
  if (bag_code) {
    report(code, bag_code);
    return nullptr;
  }
  return MvDecodeGroupBytes(bytes, code);
}

}  // namespace medview
