// Stop lists: words that are never indexed or searched. A title names its stop-list files in its
// system records; they are internal files ("|MVSTOP" when a path without a name is given).
//
// Stop-list file (little-endian; the first 40 bytes are a header area, unread bytes are zero):
//    0  u16  magic 0x2222
//    2  u16  version: 7 or 8 read, 8 written
//    4  u32  total size of the stored words (written; ignored when reading)
//   40       the words as consecutive counted strings, to the end of the file
//
// Words hash into 23 buckets: h starts at 0 and for each byte b becomes ((h >> 15) | (h << 1)) ^ b
// in unsigned 32-bit arithmetic; the bucket is h mod 23. A list holds at most 5,120 bytes of words,
// each word counting its length plus one.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fts/common/fts_error.h"
#include "engine/fts/common/table_file.h"

namespace mvfs {
struct TitleFileSystem;
}

namespace fts {

inline constexpr std::string_view kStopListFileName = "|MVSTOP";
inline constexpr uint16_t kStopListMagic = 0x2222;
inline constexpr uint16_t kStopListVersion = 8;
inline constexpr uint16_t kStopListOldestVersion = 7;
inline constexpr uint32_t kStopListCapacity = 5120;
inline constexpr size_t kStopListBuckets = 23;

struct StopList;
// How the breakers ask a stop list about a counted word.
using StopWordLookup = bool (*)(const StopList* list, const uint8_t* word);

struct StopList {
  uint16_t total = 0;  // stored bytes: each word's length plus one
  StopWordLookup lookup = nullptr;
  // Each bucket's chain, oldest word first (the head of the chain is the last one).
  std::array<std::vector<std::vector<uint8_t>>, kStopListBuckets> buckets;

  bool empty() const { return total == 0; }
};

using StopListPtr = std::unique_ptr<StopList>;

uint32_t StopWordBucket(const uint8_t* word);

// An empty list; null with 2004 when memory fails.
StopListPtr FtsCreateStopList(FtsError* error);
// 0 when added or already present, 2009 when the list is full, 1 when memory fails.
int32_t FtsAddStopWord(StopList* list, const uint8_t* word);
// True when the counted word is in the list (exact bytes, no case folding).
bool FtsIsStopWord(const StopList* list, const uint8_t* word);
// Adds the words of a whole stop-list file. 2007 (result 1) for a wrong magic or version; a refused
// word ends the load with 1; a word cut by the end of the file is dropped.
int32_t FtsParseStopList(std::span<const uint8_t> file, StopList* list, FtsError* error);
// Loads the named internal file of `fs`; with a null `fs`, `name` is "container!internal" (the
// internal name "|MVSTOP" when it has none). 2015 for a null list, 1 when the file does not open,
// 2013 for a read failure.
int32_t FtsLoadStopList(mvfs::TitleFileSystem* fs, StopList* list, std::string_view name, FtsError* error);
// Writes the list as a stop-list file (1 at once for an empty list).
int32_t FtsSaveStopList(mvfs::TitleFileSystem* fs, const StopList* list, std::string_view name, FtsError* error);
void FtsFreeStopList(StopListPtr list);

struct BreakerCall;
struct CharTable;
// A word breaker as the breakers define it (engine/fts/breakers).
using StopWordBreaker = int32_t (*)(const BreakerCall& call);
// Adds the words of a plain text file, one or more per line: each non-empty line goes through the
// breaker with the character table, then the breaker's end call, and every term it yields is added.
// 2015 for a missing argument, 2030 when the file cannot be read; otherwise the first non-zero code of
// the breaker or of adding a word (0 when all went in).
int32_t FtsReadStopWordFile(StopList* list, const std::string& path, StopWordBreaker breaker, const CharTable* table);

// The bytes of a stop-list file holding `list`: buckets from 22 down to 0, each chain from its head.
std::vector<uint8_t> FtsStopListBytes(const StopList& list);

}  // namespace fts
