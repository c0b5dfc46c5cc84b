// Page cache and page entries of an open B-tree.
#include "engine/mvfs/btree_pages.h"

#include <cstring>
#include <memory>
#include <new>

#include "engine/mvfs/fs_authoring.h"
#include "platform/base/byte_io.h"

namespace mvfs {
namespace {

int64_t pageOffset(const BtreeHandle* tree, int16_t page) {
  return kBtreeHeaderSize + int64_t(page) * tree->header.pageSize;
}

// Read-only trees up to this many bytes of pages keep the pages they read.
constexpr int64_t kKeptPagesLimit = 4 << 20;

bool keepsPages(const BtreeHandle* tree) {
  return tree->read_only() && int64_t(tree->header.pageCount) * tree->header.pageSize <= kKeptPagesLimit;
}

}  // namespace

BtreePtr NewTreeHandle() {
  BtreePtr tree;
  try {
    tree.reset(std::make_unique<BtreeHandle>().release());
  } catch (const std::bad_alloc&) {
    FS_SET_ERROR(kFsNoMemory);
    return nullptr;
  }
  tree->header.flags = kBtreeReadOnly;
  return tree;
}

FsErrorCode ReadPageFromFile(BtreeHandle* tree, int16_t page, uint8_t* out) {
  if (page < 0 || page >= tree->header.pageCount) return FS_SET_ERROR(kFsNoPosition);
  if (FsSeekFile(tree->file.get(), pageOffset(tree, page), kFsSeekSet) < 0) return FS_SET_ERROR(kFsSeekFailed);
  if (FsReadFile(tree->file.get(), out, tree->header.pageSize) != tree->header.pageSize)
    return FS_SET_ERROR(FsGetLastError() ? FsGetLastError() : kFsBadFormat);
  return kFsOk;
}

FsErrorCode WritePageToFile(BtreeHandle* tree, int16_t page, std::span<const uint8_t> bytes) {
  if (FsSeekFile(tree->file.get(), pageOffset(tree, page), kFsSeekSet) < 0) return FS_SET_ERROR(kFsSeekFailed);
  if (FsWriteFile(tree->file.get(), bytes.data(), int64_t(bytes.size())) != int64_t(bytes.size()))
    return FsGetLastError() ? FsGetLastError() : FS_SET_ERROR(kFsWriteFailed);
  return kFsOk;
}

FsErrorCode LoadPage(BtreeHandle* tree, int16_t page, int level, std::span<uint8_t>& bytes) {
  if (level < 0 || size_t(level) >= tree->cache.size()) return FS_SET_ERROR(kFsNoPosition);
  PageSlot& slot = tree->cache[size_t(level)];
  if (slot.page == page && page >= 0) {
    bytes = slot.bytes;
    return kFsOk;
  }
  if (page < 0 || page >= tree->header.pageCount) return FS_SET_ERROR(kFsNoPosition);
  if (slot.changed) {
    if (FsErrorCode e = WritePageToFile(tree, slot.page, slot.bytes)) return e;
    slot.changed = false;
  }
  slot.page = -1;
  slot.indexed = false;
  slot.bytes.resize(tree->header.pageSize);
  if (keepsPages(tree)) {
    if (tree->pageRead.empty()) {
      tree->readPages.resize(size_t(tree->header.pageCount) * tree->header.pageSize);
      tree->pageRead.resize(size_t(tree->header.pageCount));
      tree->readStarts.resize(size_t(tree->header.pageCount));
      tree->readStartsOfLeaf.resize(size_t(tree->header.pageCount));
    }
    uint8_t* kept = tree->readPages.data() + size_t(page) * tree->header.pageSize;
    if (!tree->pageRead[size_t(page)]) {
      if (FsErrorCode e = ReadPageFromFile(tree, page, kept)) return e;
      tree->pageRead[size_t(page)] = true;
    }
    std::memcpy(slot.bytes.data(), kept, slot.bytes.size());
    const std::vector<int32_t>& starts = tree->readStarts[size_t(page)];
    if (!starts.empty()) {
      slot.starts = starts;
      slot.indexed = true;
      slot.indexedAsLeaf = tree->readStartsOfLeaf[size_t(page)];
    }
  } else if (FsErrorCode e = ReadPageFromFile(tree, page, slot.bytes.data())) {
    return e;
  }
  slot.page = page;
  bytes = slot.bytes;
  return kFsOk;
}

void MarkPageChanged(BtreeHandle* tree, int level) {
  PageSlot& slot = tree->cache[size_t(level)];
  slot.changed = true;
  slot.indexed = false;
}

FsErrorCode PageStarts(BtreeHandle* tree, int level, bool leaf, std::span<const int32_t>& starts) {
  PageSlot& slot = tree->cache[size_t(level)];
  if (!slot.indexed || slot.indexedAsLeaf != leaf) {
    slot.indexed = false;
    if (!PageCountValid(slot.bytes, leaf)) return FS_SET_ERROR(kFsBadFormat);
    const int16_t count = ReadPageHead(slot.bytes).count;
    slot.starts.resize(size_t(count) + 1);
    int32_t at = FirstEntryByte(leaf);
    for (int16_t i = 0; i < count; ++i) {
      PageEntry entry;
      if (!(leaf ? ReadLeafEntry(tree, slot.bytes, at, entry) : ReadInternalEntry(tree, slot.bytes, at, entry)))
        return FS_SET_ERROR(kFsBadFormat);
      slot.starts[size_t(i)] = at;
      at += entry.size;
    }
    slot.starts[size_t(count)] = at;
    slot.indexed = true;
    slot.indexedAsLeaf = leaf;
    if (!tree->readStarts.empty()) {
      tree->readStarts[size_t(slot.page)] = slot.starts;
      tree->readStartsOfLeaf[size_t(slot.page)] = leaf;
    }
  }
  starts = slot.starts;
  return kFsOk;
}

FsErrorCode WriteCachedPages(BtreeHandle* tree, bool drop) {
  for (PageSlot& slot : tree->cache) {
    if (slot.changed && slot.page >= 0) {
      if (FsErrorCode e = WritePageToFile(tree, slot.page, slot.bytes)) return e;
    }
    slot.changed = false;
    if (drop) {
      slot.page = -1;
      slot.indexed = false;
    }
  }
  return kFsOk;
}

FsErrorCode WriteTreeHeader(BtreeHandle* tree) {
  if (!tree->headerChanged) return kFsOk;
  uint8_t bytes[kBtreeHeaderSize];
  WriteBtreeHeader(tree->header, std::span<uint8_t, kBtreeHeaderSize>(bytes));
  if (FsSeekFile(tree->file.get(), 0, kFsSeekSet) < 0) return FS_SET_ERROR(kFsSeekFailed);
  if (FsWriteFile(tree->file.get(), bytes, kBtreeHeaderSize) != kBtreeHeaderSize)
    return FsGetLastError() ? FsGetLastError() : FS_SET_ERROR(kFsWriteFailed);
  tree->headerChanged = false;
  return kFsOk;
}

int32_t FirstEntryByte(bool leaf) { return leaf ? kLeafHeaderSize : kInternalHeaderSize; }

bool PageCountValid(std::span<const uint8_t> page, bool leaf) {
  const int16_t count = ReadPageHead(page).count;
  // Every entry takes at least one byte.
  return count >= 0 && count <= int32_t(page.size()) - FirstEntryByte(leaf);
}

bool ReadLeafEntry(const BtreeHandle* tree, std::span<const uint8_t> page, int32_t at, PageEntry& entry) {
  if (at < kLeafHeaderSize || size_t(at) >= page.size()) return false;
  const std::span<const uint8_t> rest = page.subspan(size_t(at));
  const int32_t keySize = BtKeySize(rest, tree->keyType, true);
  if (keySize <= 0) return false;
  const std::span<const uint8_t> afterKey = rest.subspan(size_t(keySize));
  const int32_t recordSize =
      tree->fixedRecords ? tree->recordSize : BtRecordSize(afterKey, tree->header.format);
  if (recordSize < 0 || size_t(recordSize) > afterKey.size()) return false;
  entry.at = at;
  entry.key = rest.first(size_t(keySize));
  entry.record = afterKey.first(size_t(recordSize));
  entry.size = keySize + recordSize;
  return true;
}

bool ReadInternalEntry(const BtreeHandle* tree, std::span<const uint8_t> page, int32_t at, PageEntry& entry) {
  if (at < kInternalHeaderSize || size_t(at) >= page.size()) return false;
  const std::span<const uint8_t> rest = page.subspan(size_t(at));
  const int32_t keySize = BtKeySize(rest, tree->keyType, true);
  if (keySize <= 0 || size_t(keySize) + 2 > rest.size()) return false;
  entry.at = at;
  entry.key = rest.first(size_t(keySize));
  entry.record = {};
  entry.size = keySize + 2;
  return true;
}

int16_t InternalEntryChild(std::span<const uint8_t> page, const PageEntry& entry) {
  return int16_t(base::load_le16(page.data() + entry.at + entry.key.size()));
}

}  // namespace mvfs
