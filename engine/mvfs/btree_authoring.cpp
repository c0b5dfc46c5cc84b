// Writing B-trees: creation, insertion with page splits, update and deletion.
//
// A split works on whole page images: the cache is written back and emptied first, the pages are
// rebuilt from the list of entries with the new one in place, and each side is checked to fit before
// anything is written. Pages are never merged; a leaf emptied by deletions stays in the leaf chain.
#include "engine/mvfs/btree_authoring.h"

#include <algorithm>
#include <cstring>

#include "engine/mvfs/btree_pages.h"
#include "engine/mvfs/fs_authoring.h"
#include "platform/base/byte_io.h"

namespace mvfs {
namespace {

bool creatableKeyType(char type) {
  return type == 'L' || type == 'P' || type == 'S' || type == 'i' || type == 'z';
}

// Direct page reads and writes, used while the cache is empty (splits).
FsErrorCode readPage(BtreeHandle* tree, int16_t page, std::vector<uint8_t>& bytes) {
  bytes.assign(tree->header.pageSize, 0);
  return ReadPageFromFile(tree, page, bytes.data());
}

FsErrorCode writePage(BtreeHandle* tree, int16_t page, const std::vector<uint8_t>& bytes) {
  return WritePageToFile(tree, page, bytes);
}

// How many more pages the tree can get: the free-page chain plus the page numbers still unused.
int32_t pagesAvailable(BtreeHandle* tree) {
  int32_t available = kMaxPages - tree->header.pageCount;
  int16_t page = tree->header.freePage;
  std::vector<uint8_t> bytes;
  for (int32_t steps = 0; page >= 0 && steps < tree->header.pageCount; ++steps) {
    if (readPage(tree, page, bytes)) break;
    ++available;
    page = int16_t(base::load_le16(bytes.data()));
  }
  return available;
}

// A page number for a new page: the head of the free chain, else the next number.
FsErrorCode newPage(BtreeHandle* tree, int16_t& page) {
  if (tree->header.freePage >= 0) {
    std::vector<uint8_t> bytes;
    if (FsErrorCode e = readPage(tree, tree->header.freePage, bytes)) return e;
    page = tree->header.freePage;
    tree->header.freePage = int16_t(base::load_le16(bytes.data()));
  } else {
    if (tree->header.pageCount >= kMaxPages) return FS_SET_ERROR(kFsFailure);
    page = tree->header.pageCount++;
  }
  tree->headerChanged = true;
  return kFsOk;
}

// One entry of a page being rebuilt: its bytes (key then record, or key then child) and its key size.
struct Entry {
  std::vector<uint8_t> bytes;
  size_t keySize = 0;
  std::span<const uint8_t> key() const { return std::span<const uint8_t>(bytes).first(keySize); }
};

// The entries of a page in order; false for a damaged page.
bool pageEntries(const BtreeHandle* tree, std::span<const uint8_t> page, bool leaf, std::vector<Entry>& out) {
  if (!PageCountValid(page, leaf)) return false;
  const PageHead head = ReadPageHead(page);
  int32_t at = FirstEntryByte(leaf);
  out.clear();
  for (int32_t i = 0; i < head.count; ++i) {
    PageEntry entry;
    if (!(leaf ? ReadLeafEntry(tree, page, at, entry) : ReadInternalEntry(tree, page, at, entry))) return false;
    out.push_back({std::vector<uint8_t>(page.begin() + at, page.begin() + at + entry.size), entry.key.size()});
    at += entry.size;
  }
  return true;
}

int32_t totalSize(const std::vector<Entry>& entries, size_t from, size_t to) {
  int32_t total = 0;
  for (size_t i = from; i < to; ++i) total += int32_t(entries[i].bytes.size());
  return total;
}

// Loads leaf `page` into its cache slot and lists its entries; `used` gets the bytes the page fills.
FsErrorCode loadLeafEntries(BtreeHandle* tree, int16_t page, std::span<uint8_t>& bytes, std::vector<Entry>& entries,
                            int32_t& used) {
  if (FsErrorCode e = LoadPage(tree, page, tree->header.levels - 1, bytes)) return e;
  if (!pageEntries(tree, bytes, true, entries)) return FS_SET_ERROR(kFsBadFormat);
  used = kLeafHeaderSize + totalSize(entries, 0, entries.size());
  return kFsOk;
}

// Builds a page image from entries [from, to).
std::vector<uint8_t> buildPage(const BtreeHandle* tree, const std::vector<Entry>& entries, size_t from, size_t to,
                               bool leaf, PageHead head) {
  std::vector<uint8_t> page(tree->header.pageSize, 0);
  int32_t at = FirstEntryByte(leaf);
  for (size_t i = from; i < to; ++i) {
    std::memcpy(page.data() + at, entries[i].bytes.data(), entries[i].bytes.size());
    at += int32_t(entries[i].bytes.size());
  }
  head.count = int16_t(to - from);
  head.freeBytes = int16_t(tree->header.pageSize - at);
  WritePageHead(head, page, leaf);
  return page;
}

// Where a page of `entries` splits: the first entry at which the running size of the entries kept
// would exceed half a page, moved so that both sides fit. For leaves both sides keep an entry; for
// internal pages the entry at the split moves up. -1 when no split fits.
int32_t splitPoint(const BtreeHandle* tree, const std::vector<Entry>& entries, bool leaf) {
  const int32_t room = tree->header.pageSize - FirstEntryByte(leaf);
  const size_t n = entries.size();
  const size_t first = leaf ? 1 : 0;
  if (n < first + 1) return -1;
  const size_t last = n - 1;
  auto fits = [&](size_t s) {
    const size_t rightFrom = leaf ? s : s + 1;
    return totalSize(entries, 0, s) <= room && totalSize(entries, rightFrom, n) <= room;
  };
  size_t s = 0;
  for (int32_t running = 0; s < n; ++s) {
    running += int32_t(entries[s].bytes.size());
    if (running > tree->header.pageSize / 2 - 2) break;
  }
  s = std::clamp(s, first, last);
  for (size_t d = 0; d <= n; ++d) {
    if (s >= first + d && fits(s - d)) return int32_t(s - d);
    if (s + d <= last && fits(s + d)) return int32_t(s + d);
  }
  return -1;
}

// The position in `entries` where `key` goes: after every entry whose key is not above it.
size_t insertionIndex(const BtreeHandle* tree, const std::vector<Entry>& entries, std::span<const uint8_t> key) {
  size_t i = 0;
  while (i < entries.size() && BtCompareKeys(entries[i].key(), key, tree->keyType) <= 0) ++i;
  return i;
}

// The pages from the root to the leaf whose range holds `key`.
FsErrorCode pathTo(BtreeHandle* tree, std::span<const uint8_t> key, std::vector<int16_t>& path) {
  path.clear();
  int16_t page = tree->header.root;
  std::vector<uint8_t> bytes;
  std::vector<Entry> entries;
  for (int level = 0; level < tree->header.levels; ++level) {
    path.push_back(page);
    if (level == tree->header.levels - 1) break;
    if (FsErrorCode e = readPage(tree, page, bytes)) return e;
    if (!pageEntries(tree, bytes, false, entries)) return FS_SET_ERROR(kFsBadFormat);
    const size_t i = insertionIndex(tree, entries, key);
    page = i == 0 ? ReadPageHead(bytes).link1
                  : int16_t(base::load_le16(entries[i - 1].bytes.data() + entries[i - 1].keySize));
  }
  return kFsOk;
}

Entry makeEntry(std::span<const uint8_t> key, std::span<const uint8_t> tail) {
  Entry e;
  e.bytes.assign(key.begin(), key.end());
  e.bytes.insert(e.bytes.end(), tail.begin(), tail.end());
  e.keySize = key.size();
  return e;
}

Entry makeInternalEntry(std::span<const uint8_t> key, int16_t child) {
  uint8_t childBytes[2];
  base::store_le16(childBytes, uint16_t(child));
  return makeEntry(key, childBytes);
}

// Inserts an entry into a full leaf by splitting it, then the separators into the levels above.
FsErrorCode splitInsert(BtreeHandle* tree, std::span<const uint8_t> key, std::span<const uint8_t> record) {
  if (pagesAvailable(tree) < tree->header.levels + 1) return FS_SET_ERROR(kFsFailure);
  if (FsErrorCode e = WriteCachedPages(tree, true)) return e;
  std::vector<int16_t> path;
  if (FsErrorCode e = pathTo(tree, key, path)) return e;
  std::vector<uint8_t> bytes;
  std::vector<Entry> entries;
  int level = tree->header.levels - 1;
  if (FsErrorCode e = readPage(tree, path[size_t(level)], bytes)) return e;
  if (!pageEntries(tree, bytes, true, entries)) return FS_SET_ERROR(kFsBadFormat);
  entries.insert(entries.begin() + std::ptrdiff_t(insertionIndex(tree, entries, key)), makeEntry(key, record));
  const int32_t s = splitPoint(tree, entries, true);
  if (s < 0) return FS_SET_ERROR(kFsFailure);

  // The leaf: the left half stays, the right half goes to a new page linked after it.
  const PageHead leafHead = ReadPageHead(bytes);
  int16_t right;
  if (FsErrorCode e = newPage(tree, right)) return e;
  const int16_t left = path[size_t(level)];
  if (leafHead.link2 >= 0) {
    std::vector<uint8_t> next;
    if (FsErrorCode e = readPage(tree, leafHead.link2, next)) return e;
    PageHead nextHead = ReadPageHead(next);
    nextHead.link1 = right;
    WritePageHead(nextHead, next, true);
    if (FsErrorCode e = writePage(tree, leafHead.link2, next)) return e;
  } else {
    tree->header.lastLeaf = right;
  }
  if (FsErrorCode e = writePage(tree, left, buildPage(tree, entries, 0, size_t(s), true,
                                                      {0, 0, leafHead.link1, right})))
    return e;
  if (FsErrorCode e = writePage(tree, right, buildPage(tree, entries, size_t(s), entries.size(), true,
                                                       {0, 0, left, leafHead.link2})))
    return e;
  Entry up = makeInternalEntry(entries[size_t(s)].key(), right);

  // Each level above takes the separator, splitting in turn when full; the middle key moves up.
  for (--level; level >= 0; --level) {
    const int16_t page = path[size_t(level)];
    if (FsErrorCode e = readPage(tree, page, bytes)) return e;
    if (!pageEntries(tree, bytes, false, entries)) return FS_SET_ERROR(kFsBadFormat);
    const PageHead head = ReadPageHead(bytes);
    entries.insert(entries.begin() + std::ptrdiff_t(insertionIndex(tree, entries, up.key())), up);
    if (totalSize(entries, 0, entries.size()) <= tree->header.pageSize - kInternalHeaderSize)
      return writePage(tree, page, buildPage(tree, entries, 0, entries.size(), false, {0, 0, head.link1, -1}));
    const int32_t m = splitPoint(tree, entries, false);
    if (m < 0) return FS_SET_ERROR(kFsFailure);
    int16_t sibling;
    if (FsErrorCode e = newPage(tree, sibling)) return e;
    const int16_t middleChild = int16_t(base::load_le16(entries[size_t(m)].bytes.data() + entries[size_t(m)].keySize));
    if (FsErrorCode e = writePage(tree, page, buildPage(tree, entries, 0, size_t(m), false, {0, 0, head.link1, -1})))
      return e;
    if (FsErrorCode e = writePage(tree, sibling, buildPage(tree, entries, size_t(m) + 1, entries.size(), false,
                                                           {0, 0, middleChild, -1})))
      return e;
    up = makeInternalEntry(entries[size_t(m)].key(), sibling);
  }

  // The root split: a new root with one key, and the tree gains a level.
  int16_t root;
  if (FsErrorCode e = newPage(tree, root)) return e;
  if (FsErrorCode e = writePage(tree, root, buildPage(tree, {up}, 0, 1, false, {0, 0, tree->header.root, -1})))
    return e;
  tree->header.root = root;
  ++tree->header.levels;
  tree->cache.resize(size_t(tree->header.levels));
  tree->headerChanged = true;
  return kFsOk;
}

// The record must be exactly one record of the tree's format.
bool recordMatchesFormat(const BtreeHandle* tree, std::span<const uint8_t> record) {
  const int32_t size = tree->fixedRecords ? tree->recordSize : BtRecordSize(record, tree->header.format);
  return size >= 0 && size_t(size) == record.size();
}

// Inserts a key that is not in the tree yet.
FsErrorCode insertEntry(BtreeHandle* tree, std::span<const uint8_t> key, std::span<const uint8_t> record) {
  const int32_t entrySize = int32_t(key.size() + record.size());
  if (entrySize > tree->header.pageSize / 2) return FS_SET_ERROR(kFsFailure);
  if (tree->header.levels == 0) {
    if (pagesAvailable(tree) < 1) return FS_SET_ERROR(kFsFailure);
    int16_t page;
    if (FsErrorCode e = newPage(tree, page)) return e;
    const std::vector<Entry> none;
    if (FsErrorCode e = writePage(tree, page, buildPage(tree, none, 0, 0, true, {0, 0, -1, -1}))) return e;
    tree->header.firstLeaf = tree->header.lastLeaf = tree->header.root = page;
    tree->header.levels = 1;
    tree->cache.resize(1);
  }
  BtPosition position;
  const FsErrorCode found = BtLookup(tree, key.data(), &position, nullptr, true);
  if (found == kFsOk) return FS_SET_ERROR(kFsKeyExists);
  if (position.page < 0) return FsGetLastError() ? FsGetLastError() : FS_SET_ERROR(kFsBadFormat);
  std::span<uint8_t> bytes;
  std::vector<Entry> entries;
  int32_t used = 0;
  if (FsErrorCode e = loadLeafEntries(tree, position.page, bytes, entries, used)) return e;
  if (used + entrySize <= tree->header.pageSize) {
    const int32_t at = position.offset + kPositionBase;
    std::memmove(bytes.data() + at + entrySize, bytes.data() + at, size_t(used - at));
    std::memcpy(bytes.data() + at, key.data(), key.size());
    std::memcpy(bytes.data() + at + key.size(), record.data(), record.size());
    PageHead head = ReadPageHead(bytes);
    ++head.count;
    head.freeBytes = int16_t(tree->header.pageSize - used - entrySize);
    WritePageHead(head, bytes, true);
    MarkPageChanged(tree, tree->header.levels - 1);
  } else if (FsErrorCode e = splitInsert(tree, key, record)) {
    return e;
  }
  ++tree->header.entryCount;
  tree->headerChanged = true;
  return kFsOk;
}

// Removes the entry at a found position from its leaf.
FsErrorCode removeEntry(BtreeHandle* tree, const BtPosition& position) {
  std::span<uint8_t> bytes;
  std::vector<Entry> entries;
  int32_t used = 0;
  if (FsErrorCode e = loadLeafEntries(tree, position.page, bytes, entries, used)) return e;
  if (position.index < 0 || size_t(position.index) >= entries.size()) return FS_SET_ERROR(kFsNoPosition);
  const int32_t at = position.offset + kPositionBase;
  const int32_t size = int32_t(entries[size_t(position.index)].bytes.size());
  std::memmove(bytes.data() + at, bytes.data() + at + size, size_t(used - at - size));
  std::memset(bytes.data() + used - size, 0, size_t(size));
  PageHead head = ReadPageHead(bytes);
  --head.count;
  head.freeBytes = int16_t(tree->header.pageSize - used + size);
  WritePageHead(head, bytes, true);
  MarkPageChanged(tree, tree->header.levels - 1);
  --tree->header.entryCount;
  tree->headerChanged = true;
  return kFsOk;
}

FsErrorCode checkWritable(const BtreeHandle* tree, const void* key) {
  if (!tree || !key) return kFsBadArgument;
  if (tree->read_only()) return kFsReadOnly;
  return kFsOk;
}

}  // namespace

BtreePtr BtCreate(const char* name, const BtCreateParams& params) {
  const std::string format = params.format.empty() ? std::string("z4") : params.format;
  const uint16_t pageSize = params.pageSize ? params.pageSize : kDefaultPageSize;
  if (!params.fs || !creatableKeyType(format[0]) || format.size() >= size_t(kBtreeFormatSize) ||
      pageSize < kMinPageSize || pageSize > 0x7FFF) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  BtreePtr tree = NewTreeHandle();
  if (!tree) return nullptr;
  tree->file = FsCreateFile(params.fs, name, params.flags);
  if (!tree->file) return nullptr;
  BtreeHeader& h = tree->header;
  h = BtreeHeader{};
  h.flags = (params.flags & kFsOpenAligned) ? kBtreeAligned : 0;
  h.pageSize = pageSize;
  std::memset(h.format, 0, sizeof h.format);
  std::memcpy(h.format, format.data(), format.size());
  tree->keyType = {format[0], params.charMaps};
  tree->fixedRecords = format.find_first_of("Ttz", 1) == std::string::npos;
  tree->recordSize = BtFixedRecordSize(h.format);
  tree->headerChanged = true;
  if (FsErrorCode e = WriteTreeHeader(tree.get())) {
    FS_SET_ERROR(e);
    return nullptr;
  }
  FS_SET_ERROR(kFsOk);
  return tree;
}

FsErrorCode BtInsert(BtreeHandle* tree, const void* key, std::span<const uint8_t> record) {
  if (FsErrorCode e = checkWritable(tree, key)) return FS_SET_ERROR(e);
  if (!recordMatchesFormat(tree, record)) return FS_SET_ERROR(kFsFailure);
  return FS_SET_ERROR(insertEntry(tree, BtCallerKey(key, tree->keyType.type), record));
}

FsErrorCode BtUpdate(BtreeHandle* tree, const void* key, std::span<const uint8_t> record) {
  if (FsErrorCode e = checkWritable(tree, key)) return FS_SET_ERROR(e);
  if (!recordMatchesFormat(tree, record)) return FS_SET_ERROR(kFsFailure);
  BtPosition position;
  std::vector<uint8_t> old;
  if (FsErrorCode e = BtLookup(tree, key, &position, &old, false)) return e;
  std::vector<uint8_t> storedKey;
  if (FsErrorCode e = BtGetAt(tree, position, &storedKey, nullptr)) return e;
  if (old.size() == record.size()) {
    std::span<uint8_t> bytes;
    if (FsErrorCode e = LoadPage(tree, position.page, tree->header.levels - 1, bytes)) return e;
    std::memcpy(bytes.data() + position.offset + kPositionBase + storedKey.size(), record.data(), record.size());
    MarkPageChanged(tree, tree->header.levels - 1);
    return FS_SET_ERROR(kFsOk);
  }
  // Deleting first is safe only when the new entry is known to fit: it must not exceed half a page and
  // the tree must have the pages a split could take. A failure after that puts the old entry back.
  if (int32_t(storedKey.size() + record.size()) > tree->header.pageSize / 2 ||
      pagesAvailable(tree) < tree->header.levels + 1)
    return FS_SET_ERROR(kFsFailure);
  if (FsErrorCode e = removeEntry(tree, position)) return FS_SET_ERROR(e);
  if (FsErrorCode e = insertEntry(tree, storedKey, record)) {
    insertEntry(tree, storedKey, old);
    return FS_SET_ERROR(e);
  }
  return FS_SET_ERROR(kFsOk);
}

FsErrorCode BtDelete(BtreeHandle* tree, const void* key) {
  if (FsErrorCode e = checkWritable(tree, key)) return FS_SET_ERROR(e);
  BtPosition position;
  if (FsErrorCode e = BtLookup(tree, key, &position, nullptr, false)) return e;
  return FS_SET_ERROR(removeEntry(tree, position));
}

FsErrorCode BtDestroy(const char* name, TitleFileSystem* fs) { return FsDeleteFile(fs, name); }

FsErrorCode BtAbandon(BtreePtr tree) {
  if (!tree) return FS_SET_ERROR(kFsBadArgument);
  for (PageSlot& slot : tree->cache) slot = PageSlot{};
  tree->headerChanged = false;
  tree->header.flags |= kBtreeReadOnly;
  const FsErrorCode code = FsAbandonFile(std::move(tree->file));
  tree.reset();
  return FS_SET_ERROR(code);
}

}  // namespace mvfs
