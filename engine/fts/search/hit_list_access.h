// Reading a search's hit list back: hits by index, the occurrences of a hit, the hit topics as a
// group; and spilling a finished list to two temporary files so that its memory can be given back.
//
// Spill files (files without a name in the process's private temporary folder, each written in one
// go and gone when closed), little-endian, 20-byte records:
//   "Doc" file, one record per hit in hit-list order:
//      0  u32  0 (unused)
//      4  u32  byte offset of the hit's first occurrence record in the "occ" file
//      8  u16  flags (0)
//     10  u32  topic number
//     14  u16  weight
//     16  u32  occurrence count
//   "occ" file, the occurrences of every hit one after the other, each hit's in its own order:
//      0  5 bytes 0
//      5  u8   length in characters
//      6  u16  weight
//      8  u32  word position
//     12  u32  character address
//     16  u32  0
// Records are read back 100 at a time; every offset and count read from the files is checked against
// what was written before it is used.
#pragma once

#include <cstdint>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/search/hit_list.h"

namespace fts {

inline constexpr uint32_t kSpillRecordSize = 20;
inline constexpr uint32_t kSpillBufferRecords = 100;
inline constexpr uint32_t kMaxSpilledHits = 65535;

// A hit as handed to callers: its topic, its occurrence count and where its record is.
struct FtsHitRef {
  uint32_t topic = 0;
  uint32_t count = 0;
  uint32_t index = 0;              // in the hit list
  uint32_t occurrenceOffset = 0;  // spilled: byte offset of its first record in the "occ" file
};

// An occurrence as handed to callers.
struct FtsOccurrenceRef {
  uint32_t address = 0;  // TopicAddress of the found word
  uint8_t length = 0;    // in characters
};

// Number of hits (0 for null) and the index's total.
uint32_t FtsGetHitCount(const FtsHitList* list);
uint32_t FtsGetTotal(const FtsHitList* list);

// Hit n: 0; 2015 bad argument or n not below the count; 2013 a spill file does not read back.
int32_t FtsGetHit(FtsHitList* list, uint32_t n, FtsHitRef* out);
// The in-memory hit of `topic`: 0, or 2015 when it is not there.
int32_t FtsGetHitByTopic(const FtsHitList* list, uint32_t topic, FtsHitRef* out);
// Occurrence k of a hit read by FtsGetHit: 0; 2015 bad argument or k not below the hit's count; 2022
// a hit without occurrences; 2013 a spill file does not read back.
int32_t FtsGetHitOccurrence(FtsHitList* list, const FtsHitRef& hit, uint32_t k, FtsOccurrenceRef* out);

// Sets the item count of `group` to the hit count and the bit of every hit topic the vector covers;
// the caller recomputes the bounds. 0, 2015 for a missing list or group, or FtsGetHit's code.
int32_t FtsHitsToGroup(engine::TopicGroup* group, FtsHitList* list);

// Writes the first `count` hits and their occurrences to the spill files and frees the in-memory
// hits; 0 or a code (2015 null list or count above 65,535). On failure the files are deleted and the
// list stays in memory, fully usable.
int32_t FtsSpillHitList(FtsHitList* list, uint32_t count);

// Final ordering of an in-memory list. Mode 1: each hit's occurrences ascending by character address,
// repeated addresses dropped. Mode 2: hits descending by occurrence count; mode 3: descending by
// weight; hits with equal keys keep their order. 0, or 2015 for a null or spilled list or another mode.
inline constexpr int kSortOccurrences = 1;
inline constexpr int kSortByCount = 2;
inline constexpr int kSortByWeight = 3;
int32_t FtsSortHits(FtsHitList* list, int mode);

// Frees the list; spill files are closed and deleted.
void FtsFreeHitList(FtsHitListPtr list);

}  // namespace fts
