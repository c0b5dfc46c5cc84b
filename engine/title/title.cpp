#include "engine/title/title.h"

#include <algorithm>
#include <cstring>
#include <list>
#include <mutex>

#include <sys/stat.h>

#include "engine/title/title_tables.h"
#include "engine/title/title_text_tables.h"

namespace title {
namespace {

// Open titles, newest first. Adding and removing entries is serialised by the lock.
struct Registry {
  std::mutex lock;
  std::list<std::unique_ptr<TitleHandle>> titles;
};

Registry& registry() {
  static Registry r;
  return r;
}

// Closes everything the handle holds, in the order the container requires: every internal file and
// tree before the file system.
void close_parts(TitleHandle* t) {
  fts::FtsCloseIndex(std::move(t->index));
  t->phrases.reset();
  if (t->contexts) mvfs::BtClose(std::move(t->contexts));
  if (t->topicFile) mvfs::FsCloseFile(std::move(t->topicFile));
  FtsCloseCatalog(std::move(t->catalog));
  if (t->titleStrings) mvfs::BtClose(std::move(t->titleStrings));
  if (t->fs) mvfs::FsClose(std::move(t->fs));
  t->fileName.reset();
  t->system = {};
  fcmanage::FcFreeCache(t);
  t->magic = kTitleClosedMagic;
  t->charMaps.clear();
  t->styleSheet.reset();
  t->breakers.reset();
  t->operators.reset();
}

void unregister(TitleHandle* t) {
  std::lock_guard guard(registry().lock);
  registry().titles.remove_if([t](const std::unique_ptr<TitleHandle>& p) { return p.get() == t; });
}

// Copies `data` as a NUL-terminated text into a buffer of `capacity` bytes; returns the bytes copied.
size_t copy_text(std::span<const uint8_t> data, char* buffer, size_t capacity) {
  if (!buffer || capacity == 0) return 0;
  const size_t n = std::min(data.size(), capacity - 1);
  if (n) std::memcpy(buffer, data.data(), n);
  buffer[n] = '\0';
  return n;
}

bool open_parts(TitleHandle* t, bool read_only) {
  const uint16_t flags = read_only ? mvfs::kFsOpenReadOnly : 0;
  t->fs = mvfs::FsOpen(t->fileName.get(), flags);
  if (!t->fs) return false;
  if (TtlReadSystem(t->fs.get(), t->system) != SystemReadStatus::kOk) return false;
  t->compressed = t->system.compressed();
  t->topicCount = TtlSystemValue(t->system.body, kTagTopicCount).value_or(0);
  t->topicFile = mvfs::FsOpenFile(t->fs.get(), "|TOPIC", flags);
  if (!t->topicFile) return false;
  return PhrLoad(t->fs.get(), t->phrases) != PhrLoadStatus::kFailed;
}

}  // namespace

TitleHandle* TtlOpen(const char* file_name, fts::FtsPollCallback poll, intptr_t document, bool read_only) {
  if (!file_name) return nullptr;
  mvfs::FileMonikerPtr moniker = mvfs::FmLocateTitle(file_name);
  if (!moniker) return nullptr;
  const std::thread::id self = std::this_thread::get_id();
  {
    std::lock_guard guard(registry().lock);
    for (const auto& t : registry().titles) {
      if (t->thread == self && t->magic == kTitleOpenMagic && mvfs::FmEqual(t->fileName.get(), moniker.get())) {
        ++t->references;
        return t.get();
      }
    }
  }
  auto handle = std::make_unique<TitleHandle>();
  handle->fileName = std::move(moniker);
  handle->thread = self;
  handle->poll = poll;
  handle->document = document;
  fcmanage::FcInitCache(handle.get());
  if (!open_parts(handle.get(), read_only)) {
    close_parts(handle.get());
    return nullptr;
  }
  TitleHandle* result = handle.get();
  std::lock_guard guard(registry().lock);
  registry().titles.push_front(std::move(handle));
  return result;
}

bool TtlIsValid(const TitleHandle* title) {
  if (!title) return false;
  std::lock_guard guard(registry().lock);
  for (const auto& t : registry().titles)
    if (t.get() == title) return t->magic == kTitleOpenMagic;
  return false;
}

void TtlClose(TitleHandle* title) {
  if (!TtlIsValid(title)) return;
  if (--title->references > 0) return;
  title->magic = 0;
  close_parts(title);
  unregister(title);
}

mvfs::TitleFileSystem* TtlGetFileSystem(TitleHandle* title) { return TtlIsValid(title) ? title->fs.get() : nullptr; }

std::span<const uint8_t> TtlSystemBody(const TitleHandle* title) {
  return TtlIsValid(title) ? std::span<const uint8_t>(title->system.body) : std::span<const uint8_t>();
}

std::optional<std::time_t> TtlGetFileTime(const TitleHandle* title) {
  if (!TtlIsValid(title)) return std::nullopt;
  struct stat info {};
  if (stat(title->fileName->path().c_str(), &info) != 0) return std::nullopt;
  return info.st_mtime;
}

int32_t TtlReleaseErrorRecords(int32_t flag) {
  if (flag == 0) mvfs::FsFreeErrorRecords();
  return 0;
}

const mvfs::BtCharMaps* TtlGetCharMaps(const TitleHandle* title) {
  return TtlIsValid(title) ? &title->charMaps : nullptr;
}

// Information codes:
//   11  the topic count (value must be 0, else -1)
//   14  record n = value >> 16 of tag 14: its text at offset 28 copied (at most value & 0xFFFF bytes
//       with the NUL), result the byte at offset 1 as a signed value; 0 when there is no such record
//       or it is too short to hold both
//   101 the TopicAddress in catalogue record `value`; -1 out of range
//   102 the title string of topic `value`; result its length; -1 for value -1, no buffer or a failed
//       lookup
//   106 the title file's path: result its length + 1; copied only when value (at most 65,535) is at
//       least that
//   110 the title string at or before TopicAddress `value`; 0, or -1 when the tree cannot be read
//   104, 107, 108, 109, 111 the full-text tables and the fonts (title_text_tables.h)
//   100, 103 belong to the full-text index; they answer "absent" (0) until it is wired in
//   other: record n = value >> 16 of tag `code`: its data copied as text (at most (value & 0xFFFF) - 1
//       bytes and a NUL); result the record's full data length; -1 when there is no such record, and
//       for tags 1 and 2 also when the copied text is empty
int32_t TtlGetInfo(TitleHandle* title, int32_t code, int32_t value, char* buffer, size_t buffer_size) {
  if (!TtlIsValid(title)) return -1;
  const std::span<const uint8_t> body = title->system.body;
  const uint32_t n = uint32_t(value) >> 16;
  const size_t value_size = uint32_t(value) & 0xFFFF;
  switch (code) {
    case kInfoTopicCount:
      return value == 0 ? title->topicCount : -1;
    case kInfoNumberedText: {
      const std::optional<SystemRecord> record = TtlSystemRecordAt(body, kTagNumberedText, n);
      if (!record || record->data.size() < 29) return 0;
      const std::span<const uint8_t> text = record->data.subspan(28);
      const auto nul = std::find(text.begin(), text.end(), 0);
      copy_text(text.first(size_t(nul - text.begin())), buffer, std::min(value_size, buffer_size));
      return int8_t(record->data[1]);
    }
    case kInfoCatalogAddress:
      return TtlGetCatalogAddress(title, value);
    case kInfoTopicTitle:
      return TtlTopicTitle(title, value, buffer, buffer_size);
    case kInfoFilePath: {
      const std::string& path = title->fileName->path();
      const int64_t needed = int64_t(path.size()) + 1;
      if (needed > 0xFFFF) return -1;
      if (buffer && value >= needed && buffer_size >= size_t(needed)) std::memcpy(buffer, path.c_str(), size_t(needed));
      return int32_t(needed);
    }
    case kInfoTitleAtAddress:
      return TtlTitleAtAddress(title, value, buffer, buffer_size);
    case kInfoIndexOpen:
    case kInfoIndexHandle:
    case kInfoBreakers:
    case kInfoOperators:
    case kInfoStyleSheet:
    case kInfoOperatorWord:
    case kInfoOperatorCount:
      return TtlTextTableInfo(title, code, value, buffer, buffer_size);
    case kInfoFileSystem:
      return title->fs ? 1 : 0;
    default: {
      if (code < 0 || code > 0xFFFF) return -1;
      const std::optional<SystemRecord> record = TtlSystemRecordAt(body, uint16_t(code), n);
      if (!record) return -1;
      const size_t copied = copy_text(record->data, buffer, std::min(value_size, buffer_size));
      if ((code == kTagTitle || code == kTagCopyright) &&
          (record->data.empty() || record->data[0] == 0 || (buffer && copied == 0)))
        return -1;
      return int32_t(record->data.size());
    }
  }
}

}  // namespace title
