#include "engine/title/title_tables.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/title/context_hash.h"
#include "engine/title/title.h"
#include "platform/base/byte_io.h"

namespace title {
namespace {

FtsCatalog* catalog_of(TitleHandle* t) {
  if (!t->catalog) t->catalog = FtsOpenCatalog(t->fs.get(), "|CATALOG", &t->error);
  return t->catalog.get();
}

mvfs::BtreeHandle* tree_of(TitleHandle* t, mvfs::BtreePtr& tree, const char* name) {
  if (!tree) tree = mvfs::BtOpen(name, t->fs.get(), mvfs::kFsOpenReadOnly, &t->charMaps);
  return tree.get();
}

// Looks up the tree entry keyed by the 4-byte little-endian `number`.
mvfs::FsErrorCode lookup_number(mvfs::BtreeHandle* tree, uint32_t number, std::vector<uint8_t>& record,
                                mvfs::BtPosition& position) {
  uint8_t key[4];
  base::store_le32(key, number);
  return mvfs::BtLookup(tree, key, &position, &record, false);
}

// Copies a stored title string (its bytes up to the first NUL) into the buffer; returns its length.
int32_t copy_title(const std::vector<uint8_t>& record, char* buffer, size_t buffer_size) {
  const size_t length = size_t(std::find(record.begin(), record.end(), 0) - record.begin());
  if (!buffer || buffer_size == 0) return int32_t(length);
  const size_t n = std::min(length, buffer_size - 1);
  std::memcpy(buffer, record.data(), n);
  buffer[n] = '\0';
  return int32_t(length);
}

}  // namespace

int32_t TtlGetCatalogAddress(TitleHandle* title, int32_t n) {
  if (!TtlIsValid(title)) return -1;
  FtsCatalog* catalog = catalog_of(title);
  if (!catalog) return -1;
  std::vector<uint8_t> record(catalog->recordSize);
  if (FtsReadCatalog(catalog, record.data(), record.size(), n) != fts::kFtsOk) return -1;
  return int32_t(base::load_le32(record.data()));
}

int32_t TtlLookupContextHash(TitleHandle* title, uint32_t hash) {
  if (!TtlIsValid(title)) return -1;
  mvfs::BtreeHandle* tree = tree_of(title, title->contexts, "|CONTEXT");
  if (!tree) return -1;
  std::vector<uint8_t> record;
  mvfs::BtPosition position;
  if (lookup_number(tree, hash, record, position) != mvfs::kFsOk || record.size() < 4) return -1;
  return int32_t(base::load_le32(record.data()));
}

int32_t TtlLookupContextString(TitleHandle* title, const char* context) {
  if (!context) return -1;
  return TtlLookupContextHash(title, HashContextString(context));
}

int32_t TtlGetStartAddress(TitleHandle* title) {
  if (!TtlIsValid(title)) return -1;
  if (const std::optional<int32_t> start = TtlSystemValue(title->system.body, kTagStartTopic)) return *start;
  return TtlGetCatalogAddress(title, 0);
}

int32_t TtlTopicTitle(TitleHandle* title, int32_t n, char* buffer, size_t buffer_size) {
  if (!TtlIsValid(title) || n == -1 || !buffer || buffer_size == 0) return -1;
  const int32_t address = TtlGetCatalogAddress(title, n);
  mvfs::BtreeHandle* tree = tree_of(title, title->titleStrings, "|TTLBTREE");
  if (address == -1 || !tree) return -1;
  std::vector<uint8_t> record;
  mvfs::BtPosition position;
  if (lookup_number(tree, uint32_t(address), record, position) != mvfs::kFsOk) return -1;
  return copy_title(record, buffer, buffer_size);
}

int32_t TtlTitleAtAddress(TitleHandle* title, int32_t address, char* buffer, size_t buffer_size) {
  if (!TtlIsValid(title)) return -1;
  mvfs::BtreeHandle* tree = tree_of(title, title->titleStrings, "|TTLBTREE");
  if (!tree) return -1;
  std::vector<uint8_t> record;
  mvfs::BtPosition position;
  const mvfs::FsErrorCode found = lookup_number(tree, uint32_t(address), record, position);
  if (found == mvfs::kFsNotFound) {
    // Not present: the entry just before the place where it would be, or the first entry when none
    // lies before it. A place past the last entry has the last entry before it.
    std::vector<uint8_t> key_bytes;
    mvfs::BtPosition before;
    int32_t moved = 0;
    record.clear();
    if (position.page < 0) {
      if (mvfs::BtLast(tree, &key_bytes, &record, &before) != mvfs::kFsOk) return -1;
    } else if (mvfs::BtMovePosition(tree, position, -1, &moved, &before) == mvfs::kFsOk && moved == -1) {
      if (mvfs::BtGetAt(tree, before, &key_bytes, &record) != mvfs::kFsOk) return -1;
    } else if (mvfs::BtFirst(tree, &key_bytes, &record, &before) != mvfs::kFsOk) {
      return -1;
    }
  } else if (found != mvfs::kFsOk) {
    return -1;
  }
  copy_title(record, buffer, buffer_size);
  return 0;
}

}  // namespace title
