// Page access of an open B-tree, shared by the reading and writing code.
//
// Invariants the readers rely on: every page number handed to LoadPage is checked against the page
// count; every entry is measured against the end of its page before it is read, so a key without its
// terminator or a record running past the page is a format error (4), never a read outside the page.
#pragma once

#include <cstdint>
#include <span>

#include "engine/mvfs/handles.h"

namespace mvfs {

// A new tree handle, read-only until its header is set so that closing it early writes nothing; null
// with error 8 when memory runs out.
BtreePtr NewTreeHandle();

// Reads page `page` into the cache slot of `level` (writing back a changed page the slot held).
// 24 for a page outside the tree, 21 when it cannot be reached, 4 for a short read.
FsErrorCode LoadPage(BtreeHandle* tree, int16_t page, int level, std::span<uint8_t>& bytes);
// Marks the page of a cache slot changed after its bytes were edited in place.
void MarkPageChanged(BtreeHandle* tree, int level);
// The start of every entry of the page in a cache slot, then the end of the last entry (count + 1
// values), so that pages can be searched by bisection. 4 for a damaged page.
FsErrorCode PageStarts(BtreeHandle* tree, int level, bool leaf, std::span<const int32_t>& starts);
// Reads or writes one whole page directly in the tree's file, past the cache.
FsErrorCode ReadPageFromFile(BtreeHandle* tree, int16_t page, uint8_t* out);
FsErrorCode WritePageToFile(BtreeHandle* tree, int16_t page, std::span<const uint8_t> bytes);
// Writes every changed cache slot; with `drop` the cache is emptied.
FsErrorCode WriteCachedPages(BtreeHandle* tree, bool drop);
// Writes a changed header.
FsErrorCode WriteTreeHeader(BtreeHandle* tree);

// One entry of a page: where it starts (page byte), its key and its total size.
struct PageEntry {
  int32_t at = 0;
  std::span<const uint8_t> key;
  std::span<const uint8_t> record;  // leaf entries only
  int32_t size = 0;
};
// Measures the entry at page byte `at`; false when it does not lie inside the page.
bool ReadLeafEntry(const BtreeHandle* tree, std::span<const uint8_t> page, int32_t at, PageEntry& entry);
bool ReadInternalEntry(const BtreeHandle* tree, std::span<const uint8_t> page, int32_t at, PageEntry& entry);
// The child page stored after an internal entry's key.
int16_t InternalEntryChild(std::span<const uint8_t> page, const PageEntry& entry);

// The first byte of the entries and the entry count of a page, checked against the page size.
int32_t FirstEntryByte(bool leaf);
bool PageCountValid(std::span<const uint8_t> page, bool leaf);

}  // namespace mvfs
