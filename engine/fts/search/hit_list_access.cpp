#include "engine/fts/search/hit_list_access.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/fts/common/fts_file.h"
#include "platform/base/byte_io.h"
#include "platform/base/temp_folder.h"

namespace fts {

// One spill file with its 100-record read buffer. The file has no name: it goes when it closes.
struct SpillFile {
  FtsFilePtr file;
  uint64_t size = 0;            // bytes written, the bound of every read
  std::vector<uint8_t> buffer;  // the records while they are written, then the read buffer
  uint64_t bufferOffset = 0;   // file offset of the buffered bytes
  size_t bufferBytes = 0;      // 0: nothing buffered

  // Makes the record at `offset` buffered; false (2013) when it does not read back whole.
  bool load(uint64_t offset, FtsError* error) {
    if (bufferBytes && offset >= bufferOffset && offset + kSpillRecordSize <= bufferOffset + bufferBytes)
      return true;
    if (offset + kSpillRecordSize > size) return false;
    // Read beside the buffer, so that a failed read leaves the buffered records as they were.
    std::vector<uint8_t> fresh(size_t(std::min<uint64_t>(kSpillRecordSize * kSpillBufferRecords, size - offset)));
    const int64_t got = FtsFileReadAt(file.get(), fresh.data(), offset, fresh.size(), error);
    if (got < int64_t(kSpillRecordSize)) return false;
    buffer = std::move(fresh);
    bufferOffset = offset;
    bufferBytes = size_t(got) - size_t(got) % kSpillRecordSize;
    return true;
  }
  const uint8_t* record(uint64_t offset) const { return buffer.data() + (offset - bufferOffset); }

  ~SpillFile() {
    if (file) FtsFileClose(std::move(file));
  }
};

struct FtsHitSpill {
  uint32_t hitCount = 0;
  SpillFile hits;
  SpillFile occurrences;
  FtsError error;
};

void FtsHitSpillCloser::operator()(FtsHitSpill* spill) const { std::unique_ptr<FtsHitSpill> owned(spill); }

namespace {

// Creates an empty spill file in the private temporary folder.
int32_t create_spill_file(SpillFile& out) {
  base::OsFile os;
  if (base::create_unnamed_temp_file(os) != base::OsError::None) return kFtsCannotCreate;
  out.file = FtsFileAdopt(std::move(os));
  return kFtsOk;
}

void put_record(SpillFile& f, const uint8_t* record) { f.buffer.insert(f.buffer.end(), record, record + kSpillRecordSize); }

// Writes a spill file's records in one go.
int32_t write_out(SpillFile& f) {
  if (const int32_t code = FtsFileWriteAt(f.file.get(), f.buffer.data(), 0, f.buffer.size())) return code;
  f.size = f.buffer.size();
  f.buffer = {};
  return kFtsOk;
}

int32_t write_spill(const FtsHits& hits, uint32_t count, FtsHitSpill& spill) {
  size_t occurrences = 0;
  for (uint32_t n = 0; n < count; ++n) occurrences += hits[n].occurrences.size();
  if (uint64_t(occurrences) * kSpillRecordSize > UINT32_MAX) return kFtsShortWrite;
  spill.occurrences.buffer.reserve(occurrences * kSpillRecordSize);
  spill.hits.buffer.reserve(size_t(count) * kSpillRecordSize);
  uint8_t record[kSpillRecordSize];
  for (uint32_t n = 0; n < count; ++n) {
    const FtsHit& hit = hits[n];
    const uint64_t first = spill.occurrences.buffer.size();
    for (const FtsOccurrence& o : hit.occurrences) {
      std::fill(std::begin(record), std::end(record), uint8_t(0));
      record[5] = o.length;
      base::store_le16(record + 6, o.weight);
      base::store_le32(record + 8, o.wordPosition);
      base::store_le32(record + 12, o.address);
      put_record(spill.occurrences, record);
    }
    std::fill(std::begin(record), std::end(record), uint8_t(0));
    base::store_le32(record + 4, uint32_t(first));
    base::store_le32(record + 10, hit.topic);
    base::store_le16(record + 14, hit.weight);
    base::store_le32(record + 16, uint32_t(hit.occurrences.size()));
    put_record(spill.hits, record);
  }
  if (const int32_t code = write_out(spill.occurrences)) return code;
  return write_out(spill.hits);
}

}  // namespace

uint32_t FtsGetHitCount(const FtsHitList* list) {
  if (!list) return 0;
  return list->spill ? list->spill->hitCount : uint32_t(list->hits.size());
}

uint32_t FtsGetTotal(const FtsHitList* list) { return list ? list->total : 0; }

int32_t FtsGetHit(FtsHitList* list, uint32_t n, FtsHitRef* out) {
  if (!list || !out || n >= FtsGetHitCount(list)) return kFtsBadArgument;
  if (!list->spill) {
    const FtsHit& hit = list->hits[n];
    *out = {hit.topic, uint32_t(hit.occurrences.size()), n, 0};
    return kFtsOk;
  }
  FtsHitSpill& spill = *list->spill;
  const uint64_t offset = uint64_t(n) * kSpillRecordSize;
  if (!spill.hits.load(offset, &spill.error)) return kFtsReadFailed;
  const uint8_t* r = spill.hits.record(offset);
  FtsHitRef hit{base::load_le32(r + 10), base::load_le32(r + 16), n, base::load_le32(r + 4)};
  // The occurrence run must be whole records inside what was written.
  if (hit.occurrenceOffset % kSpillRecordSize ||
      uint64_t(hit.occurrenceOffset) + uint64_t(hit.count) * kSpillRecordSize > spill.occurrences.size)
    return kFtsReadFailed;
  *out = hit;
  return kFtsOk;
}

int32_t FtsGetHitByTopic(const FtsHitList* list, uint32_t topic, FtsHitRef* out) {
  if (!list || !out) return kFtsBadArgument;
  for (uint32_t n = 0; n < list->hits.size(); ++n) {
    const FtsHit& hit = list->hits[n];
    if (hit.topic != topic) continue;
    *out = {hit.topic, uint32_t(hit.occurrences.size()), n, 0};
    return kFtsOk;
  }
  return kFtsBadArgument;
}

int32_t FtsGetHitOccurrence(FtsHitList* list, const FtsHitRef& hit, uint32_t k, FtsOccurrenceRef* out) {
  if (!list || !out || hit.index >= FtsGetHitCount(list) || k >= hit.count) return kFtsBadArgument;
  if (!list->spill) {
    const std::vector<FtsOccurrence>& occurrences = list->hits[hit.index].occurrences;
    if (occurrences.empty()) return kFtsDamaged;
    if (k >= occurrences.size()) return kFtsBadArgument;
    *out = {occurrences[k].address, occurrences[k].length};
    return kFtsOk;
  }
  FtsHitSpill& spill = *list->spill;
  const uint64_t offset = uint64_t(hit.occurrenceOffset) + uint64_t(k) * kSpillRecordSize;
  if (hit.occurrenceOffset % kSpillRecordSize || offset + kSpillRecordSize > spill.occurrences.size)
    return kFtsBadArgument;
  if (!spill.occurrences.load(offset, &spill.error)) return kFtsReadFailed;
  const uint8_t* r = spill.occurrences.record(offset);
  *out = {base::load_le32(r + 12), r[5]};
  return kFtsOk;
}

int32_t FtsHitsToGroup(engine::TopicGroup* group, FtsHitList* list) {
  if (!group || !list) return kFtsBadArgument;
  const uint32_t count = FtsGetHitCount(list);
  group->count = int32_t(std::min<uint32_t>(count, INT32_MAX));
  for (uint32_t n = 0; n < count; ++n) {
    FtsHitRef hit;
    if (const int32_t code = FtsGetHit(list, n, &hit)) return code;
    if (hit.topic / 8 < group->bits.size()) group->bits[hit.topic / 8] |= uint8_t(1u << (hit.topic % 8));
  }
  return kFtsOk;
}

int32_t FtsSpillHitList(FtsHitList* list, uint32_t count) {
  if (!list || count > kMaxSpilledHits || list->spill) return kFtsBadArgument;
  if (list->hits.empty()) return kFtsOk;
  count = std::min<uint32_t>(count, uint32_t(list->hits.size()));
  std::unique_ptr<FtsHitSpill, FtsHitSpillCloser> spill(std::make_unique<FtsHitSpill>().release());
  int32_t code = create_spill_file(spill->occurrences);
  if (!code) code = create_spill_file(spill->hits);
  if (!code) code = write_spill(list->hits, count, *spill);
  if (code) return code;  // the closer deletes whatever was created
  spill->hitCount = count;
  list->hits = {};
  list->spill = std::move(spill);
  return kFtsOk;
}

int32_t FtsSortHits(FtsHitList* list, int mode) {
  if (!list || list->spill) return kFtsBadArgument;
  switch (mode) {
    case kSortOccurrences:
      for (FtsHit& hit : list->hits) {
        auto by_address = [](const FtsOccurrence& a, const FtsOccurrence& b) { return a.address < b.address; };
        std::stable_sort(hit.occurrences.begin(), hit.occurrences.end(), by_address);
        hit.occurrences.erase(std::unique(hit.occurrences.begin(), hit.occurrences.end(),
                                          [](const FtsOccurrence& a, const FtsOccurrence& b) { return a.address == b.address; }),
                              hit.occurrences.end());
        hit.count = uint32_t(hit.occurrences.size());
      }
      return kFtsOk;
    case kSortByCount:
      std::stable_sort(list->hits.begin(), list->hits.end(), [](const FtsHit& a, const FtsHit& b) { return a.count > b.count; });
      return kFtsOk;
    case kSortByWeight:
      std::stable_sort(list->hits.begin(), list->hits.end(), [](const FtsHit& a, const FtsHit& b) { return a.weight > b.weight; });
      return kFtsOk;
    default:
      return kFtsBadArgument;
  }
}

void FtsFreeHitList(FtsHitListPtr list) { list.reset(); }

}  // namespace fts
