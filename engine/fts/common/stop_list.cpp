// Stop lists in memory, and the stop-list file reader and writer.
#include "engine/fts/common/stop_list.h"

#include <algorithm>
#include <new>

#include "engine/fts/common/counted_string.h"
#include "platform/base/byte_io.h"

namespace fts {
namespace {

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

}  // namespace fts
