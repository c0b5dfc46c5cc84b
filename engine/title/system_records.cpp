#include "engine/title/system_records.h"

#include "platform/base/byte_io.h"

namespace title {

SystemReadStatus TtlParseSystem(std::span<const uint8_t> file, SystemRecords& records) {
  records = {};
  if (file.size() > kSystemMaxFileSize) return SystemReadStatus::kTooLarge;
  base::ByteReader in(file);
  const uint16_t magic = in.u16();
  const uint16_t version = in.u16();
  in.skip(6);
  const uint16_t flags = in.u16();
  if (!in.ok() || magic != kSystemMagic || version != kSystemVersion) return SystemReadStatus::kBadFormat;
  records.flags = flags;
  records.body.assign(file.begin() + kSystemHeaderSize, file.end());
  return SystemReadStatus::kOk;
}

SystemReadStatus TtlReadSystem(mvfs::TitleFileSystem* fs, SystemRecords& records) {
  records = {};
  std::vector<uint8_t> bytes;
  switch (mvfs::FsReadWholeFile(fs, "|SYSTEM", int64_t(kSystemMaxFileSize), bytes)) {
    case mvfs::FsWholeFile::kRead:
      return TtlParseSystem(bytes, records);
    case mvfs::FsWholeFile::kNotOpened:
      return SystemReadStatus::kMissing;
    case mvfs::FsWholeFile::kTooLarge:
      return SystemReadStatus::kTooLarge;
    case mvfs::FsWholeFile::kFailed:
      break;
  }
  return SystemReadStatus::kReadFailed;
}

std::optional<size_t> TtlSystemRecord(std::span<const uint8_t> body, uint16_t tag, size_t from, SystemRecord& found) {
  base::ByteReader in(body);
  if (!in.seek(from)) return std::nullopt;
  while (in.remaining() >= 4) {
    const uint16_t record_tag = in.u16();
    const uint16_t length = in.u16();
    std::span<const uint8_t> data;
    if (record_tag == 0 || !in.view(length, data)) return std::nullopt;
    if (record_tag == tag) {
      found = {record_tag, data};
      return in.pos();
    }
  }
  return std::nullopt;
}

std::optional<SystemRecord> TtlSystemRecordAt(std::span<const uint8_t> body, uint16_t tag, uint32_t n) {
  SystemRecord found;
  size_t at = 0;
  for (uint32_t i = 0;; ++i) {
    const std::optional<size_t> next = TtlSystemRecord(body, tag, at, found);
    if (!next) return std::nullopt;
    if (i == n) return found;
    at = *next;
  }
}

std::optional<int32_t> TtlSystemValue(std::span<const uint8_t> body, uint16_t tag) {
  const std::optional<SystemRecord> record = TtlSystemRecordAt(body, tag, 0);
  if (!record || record->data.size() < 4) return std::nullopt;
  return int32_t(base::load_le32(record->data.data()));
}

}  // namespace title
