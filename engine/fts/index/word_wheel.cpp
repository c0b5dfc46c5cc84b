#include "engine/fts/index/word_wheel.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/mvfs/btree_authoring.h"
#include "engine/mvfs/btree_keys.h"
#include "engine/title/title.h"
#include "engine/title/title_text_tables.h"
#include "platform/base/byte_io.h"

namespace fts {
namespace {

bool valid(WordWheelHandle handle) { return handle && handle->magic == kWordWheelMagic && handle->tree; }

bool decode_record(const std::vector<uint8_t>& bytes, KeywordRecord* out) {
  base::ByteReader r(bytes.data(), bytes.size());
  KeywordRecord record;
  if (!r.u16(record.count) || !r.u32(record.offset)) return false;
  if (out) *out = record;
  return true;
}

// A caller's text can stand for a key: a 32-bit key ('L') takes four bytes, the NUL included.
bool usable_key(const WordWheel& handle, const char* text) {
  return text && (handle.keyType != 'L' || std::strlen(text) >= 3);
}

}  // namespace

KeywordIndexNames WwFileNames(const std::string& name) {
  if (!name.empty() && name[0] == '|') return {name + "KWBTREE", name + "KWMAP", name + "KWDATA", name + "KWINDEX"};
  return {name + ".WWT", name + ".WWM", "", name + ".WWI"};
}

WordWheelHandle WwOpen(title::TitleHandle* title, const char* name, bool read_only) {
  if (!title::TtlIsValid(title) || !name || !*name) return nullptr;
  mvfs::TitleFileSystem* fs = title::TtlGetFileSystem(title);
  if (!fs) return nullptr;
  // The fonts supply the per-face character maps that 'P' keys compare with.
  title::TtlGetStyleSheet(title);
  const KeywordIndexNames names = WwFileNames(name);
  for (const std::string* n : {&names.btree, &names.map, &names.data, &names.index})
    if (n->size() > kWwMaxFileName) return nullptr;

  auto handle = std::make_unique<WordWheel>();
  handle->title = title;
  const uint16_t flags = read_only ? mvfs::kFsOpenReadOnly : 0;
  handle->map = mvfs::BtMapOpen(fs, names.map.c_str());
  if (!handle->map) return nullptr;
  handle->tree = mvfs::BtOpen(names.btree.c_str(), fs, flags, title::TtlGetCharMaps(title));
  if (!handle->tree) return nullptr;
  if (!names.data.empty()) {
    handle->data = mvfs::FsOpenFile(fs, names.data.c_str(), flags);
    if (!handle->data) return nullptr;
    handle->dataSize = std::max<int64_t>(0, mvfs::FsGetFileSize(handle->data.get()));
  }
  // A keyword index without its own full-text index answers everything but queries.
  if (mvfs::FsFileExists(fs, names.index.c_str()))
    handle->index = FtsOpenIndex(fs, names.index, nullptr, 0, &handle->error);
  std::string format;
  if (mvfs::BtGetInfo(handle->tree.get(), &format, &handle->count, nullptr) != mvfs::kFsOk || handle->count < 0)
    return nullptr;
  if (!format.empty()) handle->keyType = format[0];
  return handle.release();
}

void WwClose(WordWheelHandle handle) {
  if (!valid(handle)) return;
  std::unique_ptr<WordWheel> owned(handle);
  mvfs::BtMapClose(std::move(owned->map));
  mvfs::BtClose(std::move(owned->tree));
  if (owned->data) mvfs::FsCloseFile(std::move(owned->data));
  if (owned->index) FtsCloseIndex(std::move(owned->index));
  owned->magic = 0;
}

int32_t WwGetCount(WordWheelHandle handle) { return valid(handle) ? handle->count : -1; }

int32_t WwGetString(WordWheelHandle handle, int32_t ordinal, char* buffer, size_t buffer_size) {
  if (!valid(handle)) return kWwBadHandle;
  if (ordinal < 0 || ordinal >= handle->count) return kWwOrdinalOutOfRange;
  std::vector<uint8_t> key;
  if (const mvfs::FsErrorCode code = mvfs::BtMapOrdinalToKey(handle->tree.get(), handle->map.get(), &key, ordinal))
    return code;
  if (buffer && buffer_size) {
    const size_t n = std::min(key.size(), buffer_size);
    std::memcpy(buffer, key.data(), n);
    if (n == buffer_size || n == 0 || key[n - 1] != 0) buffer[std::min(n, buffer_size - 1)] = 0;
  }
  return 0;
}

int32_t WwFindPosition(WordWheelHandle handle, const char* text) {
  if (!valid(handle) || !usable_key(*handle, text)) return -1;
  mvfs::BtPosition position;
  const mvfs::FsErrorCode found = mvfs::BtLookup(handle->tree.get(), text, &position, nullptr, false);
  if (found != mvfs::kFsOk && found != mvfs::kFsNotFound) return -1;
  if (position.page < 0) {
    // Past the last keyword: the last one.
    if (mvfs::BtLast(handle->tree.get(), nullptr, nullptr, nullptr) != mvfs::kFsOk) return -1;
    return handle->count - 1;
  }
  std::vector<uint8_t> key;
  int32_t ordinal = -1;
  if (mvfs::BtGetAt(handle->tree.get(), position, &key, nullptr) != mvfs::kFsOk || key.empty() ||
      mvfs::BtMapPositionToOrdinal(handle->tree.get(), handle->map.get(), &ordinal, key.data()) != mvfs::kFsOk)
    return -1;
  // A damaged map can name any ordinal; only the keyword index's own are answers.
  if (ordinal < 0 || ordinal >= handle->count) return -1;
  const mvfs::BtKeyType type{handle->keyType, mvfs::BtGetCharMaps(handle->tree.get())};
  if (!mvfs::BtKeyMatches(type, mvfs::BtCallerKey(text, type.type), key, nullptr) && ordinal > 0) return ordinal - 1;
  return ordinal;
}

int32_t WwLookup(WordWheelHandle handle, const char* keyword, KeywordRecord* out) {
  if (!valid(handle)) return 1;
  if (!usable_key(*handle, keyword)) return mvfs::kFsBadArgument;
  std::vector<uint8_t> record;
  const mvfs::FsErrorCode code = mvfs::BtLookup(handle->tree.get(), keyword, nullptr, &record, false);
  if (code != mvfs::kFsOk) return code;
  return decode_record(record, out) ? 0 : mvfs::kFsBadFormat;
}

uint16_t WwGetKeywordTopicCount(WordWheelHandle handle, const char* keyword) {
  KeywordRecord record;
  return WwLookup(handle, keyword, &record) == 0 ? record.count : kWwKeywordAbsent;
}

int64_t WwGetKeywordTopics(WordWheelHandle handle, const char* keyword, uint32_t first, uint32_t count,
                           uint32_t* out) {
  if (!valid(handle) || !handle->data || (count && !out)) return -1;
  KeywordRecord record;
  if (WwLookup(handle, keyword, &record) != 0 || first > record.count) return -1;
  // Only the keyword's own addresses, and only what the keyword data holds.
  const uint32_t n = std::min<uint32_t>(count, record.count - first);
  const int64_t offset = int64_t(record.offset) + 4 * int64_t(first);
  if (n == 0) return 0;
  if (offset >= handle->dataSize) return -1;
  const int64_t bytes = std::min<int64_t>(4 * int64_t(n), handle->dataSize - offset);
  if (mvfs::FsSeekFile(handle->data.get(), offset, mvfs::kFsSeekSet) != offset) return -1;
  std::vector<uint8_t> raw(size_t(bytes - bytes % 4));
  const int64_t got = mvfs::FsReadFile(handle->data.get(), raw.data(), int64_t(raw.size()));
  if (got < 0) return -1;
  for (int64_t i = 0; i + 4 <= got; i += 4) out[i / 4] = base::load_le32(raw.data() + i);
  return got - got % 4;
}

bool WwInsertKeyword(WordWheelHandle handle, const char* keyword, uint16_t count) {
  KeywordRecord record;
  if (WwLookup(handle, keyword, &record) != 0) return false;
  uint8_t bytes[kWwRecordSize];
  base::store_le16(bytes, count);
  base::store_le32(bytes + 2, record.offset);
  return mvfs::BtUpdate(handle->tree.get(), keyword, bytes) == mvfs::kFsOk;
}

}  // namespace fts
