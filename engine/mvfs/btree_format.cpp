// Reader and writer of the B-tree header and page heads.
#include "engine/mvfs/btree_format.h"

#include <cstring>

#include "platform/base/byte_io.h"

namespace mvfs {

BtreeHeader ReadBtreeHeader(std::span<const uint8_t, kBtreeHeaderSize> bytes) {
  base::ByteReader r(bytes);
  BtreeHeader h;
  h.magic = r.u16();
  h.version = r.u8();
  h.flags = r.u8();
  h.pageSize = r.u16();
  r.bytes(h.format, kBtreeFormatSize);
  h.format[kBtreeFormatSize - 1] = 0;
  h.firstLeaf = r.i16();
  h.lastLeaf = r.i16();
  h.root = r.i16();
  h.freePage = r.i16();
  h.pageCount = r.i16();
  h.levels = r.i16();
  h.entryCount = r.i32();
  return h;
}

void WriteBtreeHeader(const BtreeHeader& h, std::span<uint8_t, kBtreeHeaderSize> out) {
  std::vector<uint8_t> bytes;
  base::ByteWriter w(bytes);
  w.u16(h.magic);
  w.u8(h.version);
  w.u8(uint8_t(h.flags & ~(kBtreeOpen | kBtreeChanged)));
  w.u16(h.pageSize);
  w.bytes(h.format, kBtreeFormatSize);
  w.i16(h.firstLeaf);
  w.i16(h.lastLeaf);
  w.i16(h.root);
  w.i16(h.freePage);
  w.i16(h.pageCount);
  w.i16(h.levels);
  w.i32(h.entryCount);
  std::memcpy(out.data(), bytes.data(), kBtreeHeaderSize);
}

FsErrorCode CheckBtreeIdentity(const BtreeHeader& h) {
  if (h.magic != kBtreeMagic) return kFsBadFormat;
  return h.version == kBtreeVersion ? kFsOk : kFsBadVersion;
}

PageHead ReadPageHead(std::span<const uint8_t> page) {
  base::ByteReader r(page);
  PageHead h;
  h.freeBytes = r.i16();
  h.count = r.i16();
  h.link1 = r.i16();
  h.link2 = r.i16();
  return h;
}

void WritePageHead(const PageHead& head, std::span<uint8_t> page, bool leaf) {
  base::store_le16(page.data(), uint16_t(head.freeBytes));
  base::store_le16(page.data() + 2, uint16_t(head.count));
  base::store_le16(page.data() + 4, uint16_t(head.link1));
  if (leaf) base::store_le16(page.data() + 6, uint16_t(head.link2));
}

}  // namespace mvfs
