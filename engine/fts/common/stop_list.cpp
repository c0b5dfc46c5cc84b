// Stop lists in memory, and the stop-list file reader and writer.
#include "engine/fts/common/stop_list.h"

#include <algorithm>
#include <new>

#include "engine/fts/common/counted_string.h"
#include "engine/fts/common/fts_file.h"
#include "platform/base/byte_io.h"

namespace fts {
namespace {

// A stop list holds at most 5,120 bytes of words; a file may repeat words, so allow far more.
constexpr size_t kStopListFileLimit = 1 << 20;

constexpr int32_t kRefused = 1;

bool lookup(const StopList* list, const uint8_t* word) { return FtsIsStopWord(list, word); }

}  // namespace

uint32_t StopWordBucket(const uint8_t* word) {
  uint32_t h = 0;
  for (uint8_t i = 0; i < word[0]; ++i) h = ((h >> 15) | (h << 1)) ^ word[1 + i];
  return h % kStopListBuckets;
}

StopListPtr FtsCreateStopList(FtsError* error) {
  auto list = std::unique_ptr<StopList>(new (std::nothrow) StopList);
  if (!list) {
    FtsSetError(error, kFtsNoMemory);
    return nullptr;
  }
  list->lookup = lookup;
  return list;
}

bool FtsIsStopWord(const StopList* list, const uint8_t* word) {
  if (!list || !word) return false;
  const auto& chain = list->buckets[StopWordBucket(word)];
  return std::any_of(chain.begin(), chain.end(), [word](const std::vector<uint8_t>& w) { return PstrEqual(w.data(), word); });
}

int32_t FtsAddStopWord(StopList* list, const uint8_t* word) {
  if (!list || !word) return kRefused;
  if (FtsIsStopWord(list, word)) return kFtsOk;
  const uint32_t grown = uint32_t(list->total) + word[0] + 1;
  if (grown > kStopListCapacity) return kFtsStopListFull;
  try {
    list->buckets[StopWordBucket(word)].emplace_back(word, word + word[0] + 1);
  } catch (const std::bad_alloc&) {
    return kRefused;
  }
  list->total = uint16_t(grown);
  return kFtsOk;
}

int32_t FtsParseStopList(std::span<const uint8_t> file, StopList* list, FtsError* error) {
  if (!list) return FtsSetError(error, kFtsBadArgument);
  base::ByteReader r(file);
  const uint16_t magic = r.u16();
  const uint16_t version = r.u16();
  if (!r.ok() || magic != kStopListMagic || version < kStopListOldestVersion || version > kStopListVersion) {
    FtsSetError(error, kFtsBadType);
    return kRefused;
  }
  if (!r.seek(kFtsHeaderArea)) return kFtsOk;
  // A word cut by the end of the file is not a word.
  while (r.remaining() > 0 && size_t(r.data()[r.pos()]) + 1 <= r.remaining()) {
    std::span<const uint8_t> word;
    r.view(size_t(r.data()[r.pos()]) + 1, word);
    if (FtsAddStopWord(list, word.data()) != kFtsOk) return kRefused;
  }
  return kFtsOk;
}

void FtsFreeStopList(StopListPtr) {}

std::vector<uint8_t> FtsStopListBytes(const StopList& list) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.u16(kStopListMagic);
  w.u16(kStopListVersion);
  w.u32(list.total);
  w.pad_to(kFtsHeaderArea);
  for (size_t b = kStopListBuckets; b-- > 0;)
    for (auto word = list.buckets[b].rbegin(); word != list.buckets[b].rend(); ++word) w.bytes(*word);
  return out;
}

int32_t FtsLoadStopList(mvfs::TitleFileSystem* fs, StopList* list, std::string_view name, FtsError* error) {
  if (!list) return FtsSetError(error, kFtsBadArgument);
  std::vector<uint8_t> bytes;
  const int32_t code = FtsReadTableFile(fs, name, kStopListFileName, kStopListFileLimit, bytes, error);
  if (code == kFtsReadFailed) return code;
  if (code != kFtsOk) return kFtsFailed;
  return FtsParseStopList(bytes, list, error);
}

int32_t FtsSaveStopList(mvfs::TitleFileSystem* fs, const StopList* list, std::string_view name, FtsError* error) {
  if (!list) return FtsSetError(error, kFtsBadArgument);
  if (list->empty()) return kFtsFailed;
  FtsFilePtr wrapper;
  if (fs && !(wrapper = FtsWrapFileSystem(fs, error))) return error ? error->code : kFtsNoMemory;
  FtsFilePtr file = FtsFileCreate(&wrapper, name, kStopListFileName, FtsFileKind::kInternal, error);
  if (!file) return error && error->code ? error->code : kFtsCannotCreate;
  const std::vector<uint8_t> bytes = FtsStopListBytes(*list);
  int32_t code = FtsFileWriteAt(file.get(), bytes.data(), 0, bytes.size());
  const int32_t closed = FtsFileClose(std::move(file));
  if (code == kFtsOk) code = closed;
  return code == kFtsOk ? kFtsOk : FtsSetError(error, code);
}

}  // namespace fts
