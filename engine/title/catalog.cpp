#include "engine/title/catalog.h"

#include <algorithm>
#include <cstring>

#include "platform/base/byte_io.h"

namespace title {

std::unique_ptr<FtsCatalog> FtsOpenCatalog(mvfs::TitleFileSystem* fs, std::string_view name, fts::FtsError* error) {
  auto catalog = std::make_unique<FtsCatalog>();
  catalog->error = error;
  if (fs) {
    catalog->wrapper = fts::FtsWrapFileSystem(fs, error);
    if (!catalog->wrapper) return nullptr;
  }
  catalog->file = fts::FtsFileOpen(&catalog->wrapper, name, "|CATALOG", fts::FtsFileKind::kInternal, 0, error);
  if (!catalog->file) return nullptr;
  uint8_t header[kCatalogHeaderSize];
  if (fts::FtsFileReadAt(catalog->file.get(), header, 0, sizeof header, error) != int64_t(sizeof header)) {
    fts::FtsSetError(error, fts::kFtsBadType);
    return nullptr;
  }
  base::ByteReader in(header, sizeof header);
  const uint16_t magic = in.u16();
  catalog->version = in.u16();
  catalog->recordSize = in.u16();
  catalog->count = in.i32();
  catalog->first = in.i32();
  if (magic != kCatalogMagic || (catalog->version != 7 && catalog->version != 8) || catalog->recordSize < 4 ||
      catalog->count < 0) {
    fts::FtsSetError(error, fts::kFtsBadType);
    return nullptr;
  }
  return catalog;
}

int32_t FtsReadCatalog(FtsCatalog* catalog, void* buffer, size_t capacity, int32_t n) {
  if (!catalog || !buffer) return fts::kFtsBadArgument;
  fts::FtsError* error = catalog->error;
  if (capacity < catalog->recordSize) return fts::FtsSetError(error, fts::kFtsBadArgument);
  const int64_t index = int64_t(n) - catalog->first;
  if (index < 0 || index >= catalog->count) return fts::FtsSetError(error, fts::kFtsOutOfRange);
  const size_t size = catalog->recordSize;
  if (catalog->cacheStart < 0 || n < catalog->cacheStart || int64_t(n) >= int64_t(catalog->cacheStart) + catalog->cached) {
    const int64_t wanted = std::clamp<int64_t>(int64_t(kCatalogCacheBytes / size), 1,
                                               std::min<int64_t>(kCatalogCacheRecords, catalog->count - index));
    std::vector<uint8_t> cache(size_t(wanted) * size);
    const uint64_t offset = kCatalogHeaderSize + uint64_t(index) * size;
    ++catalog->fileReads;
    const int64_t read = fts::FtsFileReadAt(catalog->file.get(), cache.data(), offset, cache.size(), error);
    if (read < int64_t(size)) return fts::FtsSetError(error, fts::kFtsFailed);
    catalog->cache = std::move(cache);
    catalog->cacheStart = n;
    catalog->cached = int32_t(read / int64_t(size));
  }
  std::memcpy(buffer, catalog->cache.data() + size_t(n - catalog->cacheStart) * size, size);
  return fts::kFtsOk;
}

void FtsCloseCatalog(std::unique_ptr<FtsCatalog> catalog) {
  if (!catalog) return;
  fts::FtsFileClose(std::move(catalog->file));
  fts::FtsFreeWrapper(std::move(catalog->wrapper));
}

int32_t FtsCatalogFirst(const FtsCatalog* catalog) { return catalog ? catalog->first : -1; }
int32_t FtsCatalogCount(const FtsCatalog* catalog) { return catalog ? catalog->count : -1; }
int32_t FtsCatalogRecordSize(const FtsCatalog* catalog) { return catalog ? catalog->recordSize : -1; }

}  // namespace title
