// Reading B-trees: open and close, lookup, first and last entry, access by position, moving a position.
//
// Leaves emptied by deletions stay in the leaf chain, so every walk along the chain steps over empty
// leaves, and every such walk is bounded by the page count so that a cyclic chain cannot hang it.
#include "engine/mvfs/btree.h"

#include <algorithm>
#include <cstring>

#include "engine/mvfs/btree_pages.h"
#include "engine/mvfs/fs_authoring.h"
#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"

namespace mvfs {
namespace {

bool openableKeyType(char type) {
  return type == 'z' || type == 'i' || type == 'S' || type == 'P' || type == 'L';
}

// The stored header describes a tree that fits its file: page numbers in range, a level count that
// a page cache can be made for, and pages that lie inside the file.
bool headerConsistent(const BtreeHeader& h, int64_t fileSize) {
  if (h.pageSize < kMinPageSize || h.pageCount < 0 || h.levels < 0 || h.levels > kMaxLevels ||
      h.levels > h.pageCount || h.entryCount < 0)
    return false;
  auto pageOrNone = [&h](int16_t p) { return p >= -1 && p < h.pageCount; };
  if (!pageOrNone(h.firstLeaf) || !pageOrNone(h.lastLeaf) || !pageOrNone(h.root) || !pageOrNone(h.freePage))
    return false;
  if (h.levels > 0 && h.root < 0) return false;
  return kBtreeHeaderSize + int64_t(h.pageCount) * h.pageSize <= fileSize;
}

void copyOut(std::vector<uint8_t>* out, std::span<const uint8_t> bytes) {
  if (out) out->assign(bytes.begin(), bytes.end());
}

bool equalIgnoringCase(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](uint8_t x, uint8_t y) {
    return base::cp1250::to_lower(x) == base::cp1250::to_lower(y);
  });
}

int leafLevel(const BtreeHandle* tree) { return tree->header.levels - 1; }

// Loads a leaf and checks its entry count.
FsErrorCode loadLeaf(BtreeHandle* tree, int16_t page, std::span<uint8_t>& bytes, PageHead& head) {
  if (FsErrorCode e = LoadPage(tree, page, leafLevel(tree), bytes)) return e;
  if (!PageCountValid(bytes, true)) return FS_SET_ERROR(kFsBadFormat);
  head = ReadPageHead(bytes);
  return kFsOk;
}

// The leaf a position names, with its head; 24 when the position names no entry of a leaf.
FsErrorCode loadPositionLeaf(BtreeHandle* tree, const BtPosition& position, std::span<uint8_t>& bytes, PageHead& head) {
  if (position.page < 0 || tree->header.levels == 0) return FS_SET_ERROR(kFsNoPosition);
  if (FsErrorCode e = loadLeaf(tree, position.page, bytes, head)) return e;
  if (position.index < 0 || position.index >= head.count) return FS_SET_ERROR(kFsNoPosition);
  return kFsOk;
}

// Walks from the first entry of a leaf to entry `index`; false when the page is damaged.
bool entryAt(const BtreeHandle* tree, std::span<const uint8_t> page, int32_t index, PageEntry& entry) {
  int32_t at = kLeafHeaderSize;
  for (int32_t i = 0;; ++i) {
    if (!ReadLeafEntry(tree, page, at, entry)) return false;
    if (i == index) return true;
    at += entry.size;
  }
}

// From `page`, follows the chain (next or previous) to the nearest leaf that holds entries, the page
// itself included when `includeSelf`. -1 when the chain ends first. Every page visited spends one unit
// of `budget`; a chain that outruns it (a cycle) is a format error (4 in `code`).
int16_t nonEmptyLeaf(BtreeHandle* tree, int16_t page, bool forward, bool includeSelf, FsErrorCode& code,
                     int32_t& budget) {
  code = kFsOk;
  bool self = includeSelf;
  while (page >= 0) {
    if (--budget < 0) {
      code = FS_SET_ERROR(kFsBadFormat);
      return -1;
    }
    std::span<uint8_t> bytes;
    PageHead head;
    if ((code = loadLeaf(tree, page, bytes, head))) return -1;
    if (self && head.count > 0) return page;
    self = true;
    page = forward ? head.link2 : head.link1;
  }
  return -1;
}

// The walk budget of one call: every leaf twice (a move revisits the leaf it stands on).
int32_t walkBudget(const BtreeHandle* tree) { return 2 * int32_t(tree->header.pageCount) + 2; }

// The entry starting at page byte `at` of a page already measured by PageStarts.
PageEntry entryStartingAt(const BtreeHandle* tree, std::span<const uint8_t> page, int32_t at, bool leaf) {
  PageEntry entry;
  if (leaf)
    ReadLeafEntry(tree, page, at, entry);
  else
    ReadInternalEntry(tree, page, at, entry);
  return entry;
}

// The number of leading entries of a page whose keys sort before `key` (or, with `orEqual`, not after
// it). Pages are sorted, so this bisects.
size_t entriesBelow(const BtreeHandle* tree, std::span<const uint8_t> page, std::span<const int32_t> starts,
                    bool leaf, std::span<const uint8_t> key, bool orEqual) {
  size_t low = 0, high = starts.size() - 1;
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    const int cmp = BtCompareKeys(entryStartingAt(tree, page, starts[middle], leaf).key, key, tree->keyType);
    if (cmp < 0 || (orEqual && cmp == 0))
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

// Descends from the root to the leaf whose range holds `key`; -1 when a page cannot be read. Keys equal
// to an internal key descend to its right.
int16_t descend(BtreeHandle* tree, std::span<const uint8_t> key) {
  int16_t page = tree->header.root;
  for (int level = 0; level < leafLevel(tree); ++level) {
    std::span<uint8_t> bytes;
    std::span<const int32_t> starts;
    if (LoadPage(tree, page, level, bytes) || PageStarts(tree, level, false, starts)) return -1;
    const size_t below = entriesBelow(tree, bytes, starts, false, key, true);
    page = below == 0 ? ReadPageHead(bytes).link1
                      : InternalEntryChild(bytes, entryStartingAt(tree, bytes, starts[below - 1], false));
  }
  return page;
}

// Scans a leaf for `key`: the position of the first entry not below it, 0 when equal. 'P' keys prefer
// among collation-equal entries the one equal ignoring case, else the first collation-equal one.
FsErrorCode scanLeaf(BtreeHandle* tree, int16_t page, std::span<const uint8_t> key, BtPosition& position,
                     std::vector<uint8_t>* record) {
  std::span<uint8_t> bytes;
  std::span<const int32_t> starts;
  if (FsErrorCode e = LoadPage(tree, page, leafLevel(tree), bytes)) return e;
  if (FsErrorCode e = PageStarts(tree, leafLevel(tree), true, starts)) return e;
  const size_t count = starts.size() - 1;
  size_t index = entriesBelow(tree, bytes, starts, true, key, false);
  PageEntry entry;
  bool found = index < count &&
               BtCompareKeys((entry = entryStartingAt(tree, bytes, starts[index], true)).key, key, tree->keyType) == 0;
  if (found && tree->keyType.type == 'P' && !equalIgnoringCase(entry.key, key)) {
    // Among the collation-equal entries that follow, one equal ignoring case is the answer.
    for (size_t i = index + 1; i < count; ++i) {
      const PageEntry next = entryStartingAt(tree, bytes, starts[i], true);
      if (BtCompareKeys(next.key, key, tree->keyType) != 0) break;
      if (equalIgnoringCase(next.key, key)) {
        entry = next;
        index = i;
        break;
      }
    }
  }
  position = {page, int32_t(index), starts[index] - kPositionBase};
  if (found) copyOut(record, entry.record);
  return found ? kFsOk : kFsNotFound;
}

}  // namespace

BtreePtr BtOpen(const char* name, TitleFileSystem* fs, uint16_t flags, const BtCharMaps* charMaps) {
  if (!fs) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  BtreePtr tree = NewTreeHandle();
  if (!tree) return nullptr;
  tree->file = FsOpenFile(fs, name, flags);
  if (!tree->file) return nullptr;
  uint8_t bytes[kBtreeHeaderSize];
  if (FsReadFile(tree->file.get(), bytes, kBtreeHeaderSize) != kBtreeHeaderSize) {
    FS_SET_ERROR(kFsBadFormat);
    return nullptr;
  }
  BtreeHeader header = ReadBtreeHeader(std::span<const uint8_t, kBtreeHeaderSize>(bytes));
  if (const FsErrorCode identity = CheckBtreeIdentity(header)) {
    FS_SET_ERROR(identity);
    return nullptr;
  }
  if (!headerConsistent(header, FsGetFileSize(tree->file.get())) || !openableKeyType(header.format[0])) {
    FS_SET_ERROR(kFsBadFormat);
    return nullptr;
  }
  header.flags &= uint8_t(~(kBtreeOpen | kBtreeChanged));
  if ((flags | header.flags) & 3) header.flags |= kBtreeReadOnly;
  tree->header = header;
  tree->keyType = {header.format[0], charMaps};
  tree->fixedRecords = std::strpbrk(header.format + 1, "Ttz") == nullptr;
  tree->recordSize = BtFixedRecordSize(header.format);
  try {
    tree->cache.resize(size_t(header.levels));
  } catch (const std::bad_alloc&) {
    tree->header.flags |= kBtreeReadOnly;
    FS_SET_ERROR(kFsNoMemory);
    return nullptr;
  }
  FS_SET_ERROR(kFsOk);
  return tree;
}

FsErrorCode BtGetInfo(const BtreeHandle* tree, std::string* format, int32_t* entryCount, int32_t* pageSize) {
  if (!tree) return FS_SET_ERROR(kFsBadArgument);
  if (format) *format = tree->header.format;
  if (entryCount) *entryCount = tree->header.entryCount;
  if (pageSize) *pageSize = tree->header.pageSize;
  return FS_SET_ERROR(kFsOk);
}

FsErrorCode BtLookup(BtreeHandle* tree, const void* key, BtPosition* position, std::vector<uint8_t>* record,
                     bool insertMode) {
  if (!tree || !key) return FS_SET_ERROR(kFsBadArgument);
  if (tree->header.levels == 0) {
    if (position) *position = {};
    return FS_SET_ERROR(kFsNotFound);
  }
  const std::span<const uint8_t> wanted = BtCallerKey(key, tree->keyType.type);
  const int16_t leaf = descend(tree, wanted);
  if (leaf < 0) {
    if (position) *position = {};
    return kFsNotFound;  // the error record keeps the reason the page could not be read
  }
  BtPosition found;
  FsErrorCode code = scanLeaf(tree, leaf, wanted, found, record);
  if (code != kFsOk && code != kFsNotFound) {
    if (position) *position = {};
    return kFsNotFound;
  }
  if (code == kFsNotFound && position && !insertMode) {
    std::span<uint8_t> bytes;
    PageHead head;
    if (loadLeaf(tree, leaf, bytes, head) == kFsOk && found.index >= head.count) {
      FsErrorCode walk;
      int32_t budget = walkBudget(tree);
      const int16_t next = nonEmptyLeaf(tree, head.link2, true, true, walk, budget);
      found = next < 0 ? BtPosition{} : BtPosition{next, 0, kLeafHeaderSize - kPositionBase};
    }
  }
  if (position) *position = found;
  return FS_SET_ERROR(code);
}

FsErrorCode BtGetAt(BtreeHandle* tree, const BtPosition& position, std::vector<uint8_t>* key,
                    std::vector<uint8_t>* record) {
  if (!tree) return FS_SET_ERROR(kFsBadArgument);
  std::span<uint8_t> bytes;
  PageHead head;
  if (FsErrorCode e = loadPositionLeaf(tree, position, bytes, head)) return e;
  PageEntry entry;
  if (!ReadLeafEntry(tree, bytes, position.offset + kPositionBase, entry)) return FS_SET_ERROR(kFsNoPosition);
  copyOut(key, entry.key);
  copyOut(record, entry.record);
  return FS_SET_ERROR(kFsOk);
}

namespace {

// The first or last entry of the tree, stepping over empty leaves.
FsErrorCode endEntry(BtreeHandle* tree, bool first, std::vector<uint8_t>* key, std::vector<uint8_t>* record,
                     BtPosition* position) {
  if (!tree) return FS_SET_ERROR(kFsBadArgument);
  if (tree->header.levels == 0) return FS_SET_ERROR(kFsNotFound);
  const int16_t start = first ? tree->header.firstLeaf : tree->header.lastLeaf;
  if (start < 0) return FS_SET_ERROR(kFsNoPosition);
  FsErrorCode code;
  int32_t budget = walkBudget(tree);
  const int16_t leaf = nonEmptyLeaf(tree, start, first, true, code, budget);
  if (code) return code;
  if (leaf < 0) return FS_SET_ERROR(kFsNotFound);
  std::span<uint8_t> bytes;
  PageHead head;
  if (FsErrorCode e = loadLeaf(tree, leaf, bytes, head)) return e;
  const int32_t index = first ? 0 : head.count - 1;
  PageEntry entry;
  if (!entryAt(tree, bytes, index, entry)) return FS_SET_ERROR(kFsBadFormat);
  copyOut(key, entry.key);
  copyOut(record, entry.record);
  if (position) *position = {leaf, index, entry.at - kPositionBase};
  return FS_SET_ERROR(kFsOk);
}

}  // namespace

FsErrorCode BtFirst(BtreeHandle* tree, std::vector<uint8_t>* key, std::vector<uint8_t>* record,
                    BtPosition* position) {
  return endEntry(tree, true, key, record, position);
}

FsErrorCode BtLast(BtreeHandle* tree, std::vector<uint8_t>* key, std::vector<uint8_t>* record,
                   BtPosition* position) {
  return endEntry(tree, false, key, record, position);
}

FsErrorCode BtMovePosition(BtreeHandle* tree, const BtPosition& position, int32_t count, int32_t* moved,
                           BtPosition* newPosition) {
  if (!tree) return FS_SET_ERROR(kFsBadArgument);
  std::span<uint8_t> bytes;
  PageHead head;
  if (FsErrorCode e = loadPositionLeaf(tree, position, bytes, head)) return e;
  int16_t page = position.page;
  int64_t n = int64_t(position.index) + count;
  int64_t cut = 0;  // the shortfall (negative) or overshoot (positive) of a move cut short
  FsErrorCode code = kFsOk;
  int32_t budget = walkBudget(tree);
  int32_t entries = head.count;
  while (n < 0) {
    const int16_t previous = nonEmptyLeaf(tree, page, false, false, code, budget);
    if (code) return code;
    if (previous < 0) {
      cut = n;
      n = 0;
      break;
    }
    if ((code = loadLeaf(tree, previous, bytes, head))) return code;
    page = previous;
    entries = head.count;
    n += entries;
  }
  while (n >= entries) {
    const int16_t next = nonEmptyLeaf(tree, page, true, false, code, budget);
    if (code) return code;
    if (next < 0) {
      cut = n - entries + 1;
      n = entries - 1;
      break;
    }
    if ((code = loadLeaf(tree, next, bytes, head))) return code;
    n -= entries;
    page = next;
    entries = head.count;
  }
  if ((code = loadLeaf(tree, page, bytes, head))) return code;
  // Walk from the given position when it lies on this leaf at or before the target.
  int32_t index = 0;
  int32_t at = kLeafHeaderSize;
  if (page == position.page && position.index <= n) {
    index = position.index;
    at = position.offset + kPositionBase;
  }
  PageEntry entry;
  for (; index < n; ++index) {
    if (!ReadLeafEntry(tree, bytes, at, entry)) return FS_SET_ERROR(kFsBadFormat);
    at += entry.size;
  }
  if (!ReadLeafEntry(tree, bytes, at, entry)) return FS_SET_ERROR(kFsBadFormat);
  if (newPosition) *newPosition = {page, int32_t(n), at - kPositionBase};
  if (moved) *moved = int32_t(int64_t(count) - cut);
  return FS_SET_ERROR(cut ? kFsNotFound : kFsOk);
}

namespace {

// Writes back changed pages and a changed header, then ends the file (committing a written one with
// the alignment hint that puts the pages on 2048-byte boundaries).
FsErrorCode finishTree(BtreeHandle* tree) {
  FsErrorCode code = kFsOk;
  if (!tree->read_only() && tree->file) {
    code = WriteCachedPages(tree, true);
    if (!code) code = WriteTreeHeader(tree);
  }
  if (tree->file) {
    const int32_t hint = (tree->header.flags & kBtreeAligned) ? kBtreeHeaderSize : 0;
    const FsErrorCode closed = FsCloseFileEx(std::move(tree->file), hint);
    if (!code) code = closed;
  }
  return code;
}

}  // namespace

void BtreeCloser::operator()(BtreeHandle* tree) const {
  const FsErrorKeeper keep;
  finishTree(tree);
  std::default_delete<BtreeHandle>()(tree);
}

FsErrorCode BtClose(BtreePtr tree) {
  if (!tree) return FS_SET_ERROR(kFsBadArgument);
  const FsErrorCode code = finishTree(tree.get());
  tree.reset();
  return FS_SET_ERROR(code);
}

FsErrorCode BtFlush(BtreeHandle* tree) {
  if (!tree) return FS_SET_ERROR(kFsBadArgument);
  FsErrorCode code = WriteCachedPages(tree, true);
  if (!code && !tree->read_only()) code = WriteTreeHeader(tree);
  return FS_SET_ERROR(code);
}

void BtSetCharMaps(BtreeHandle* tree, const BtCharMaps* charMaps) {
  if (tree) tree->keyType.charMaps = charMaps;
}
const BtCharMaps* BtGetCharMaps(const BtreeHandle* tree) { return tree ? tree->keyType.charMaps : nullptr; }
void BtSetUserValue(BtreeHandle* tree, uint16_t value) {
  if (tree) tree->userValue = value;
}
uint16_t BtGetUserValue(const BtreeHandle* tree) { return tree ? tree->userValue : 0; }

}  // namespace mvfs
