// The catalogue "|CATALOG": one fixed-size record per topic, whose first four bytes are the topic's
// TopicAddress.
//
// File layout (little-endian):
//   0   u16  magic 0x1111
//   2   u16  version, 7 or 8
//   4   u16  record size in bytes (at least 4)
//   6   i32  number of records
//   10  i32  number of the first record
//   14  26 bytes, not read
//   40  the records: record n (first <= n < first + count) at 40 + size x (n - first)
// Records are read 100 at a time into a cache; consecutive numbers are served from memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/fts/common/fts_error.h"
#include "engine/fts/common/fts_file.h"
#include "engine/mvfs/title_file_system.h"

namespace title {

inline constexpr uint16_t kCatalogMagic = 0x1111;
inline constexpr size_t kCatalogHeaderSize = 40;
inline constexpr int32_t kCatalogCacheRecords = 100;
// The most bytes one read of the cache takes (never less than one record): the header's record size
// and count size the read before the file shows how much it holds.
inline constexpr size_t kCatalogCacheBytes = 4096;

struct FtsCatalog {
  uint16_t magic = kCatalogMagic;
  uint16_t version = 0;
  uint16_t recordSize = 0;
  int32_t count = 0;
  int32_t first = 0;
  int32_t cacheStart = -1;  // record number of the first cached record, -1 while empty
  int32_t cached = 0;        // records in the cache
  std::vector<uint8_t> cache;
  fts::FtsFilePtr wrapper;   // the file system the catalogue is read through
  fts::FtsFilePtr file;
  fts::FtsError* error = nullptr;
  uint32_t fileReads = 0;   // reads of the file so far (the cache's effect can be measured)
};

// Opens the catalogue in `fs` (or in the title file named by `name` with a '!' when fs is null).
// Null with 2007 for a wrong magic or version or a record size below 4, 2004 for memory, 2023 when
// the file is missing.
std::unique_ptr<FtsCatalog> FtsOpenCatalog(mvfs::TitleFileSystem* fs, std::string_view name, fts::FtsError* error);
// Copies record n into `buffer` of `capacity` bytes (at most the record size is copied). 0; 2015 for a
// missing catalogue or buffer or a buffer smaller than a record; 2025 when n is out of range; 1 when
// the records cannot be read.
int32_t FtsReadCatalog(FtsCatalog* catalog, void* buffer, size_t capacity, int32_t n);
void FtsCloseCatalog(std::unique_ptr<FtsCatalog> catalog);
int32_t FtsCatalogFirst(const FtsCatalog* catalog);
int32_t FtsCatalogCount(const FtsCatalog* catalog);
int32_t FtsCatalogRecordSize(const FtsCatalog* catalog);

}  // namespace title
