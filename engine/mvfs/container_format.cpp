// Reader and writer of the container header, internal-file header and free-block header.
#include "engine/mvfs/container_format.h"

#include "platform/base/byte_io.h"

namespace mvfs {

ContainerHeader ReadContainerHeader(std::span<const uint8_t, kContainerHeaderSize> bytes) {
  base::ByteReader r(bytes);
  ContainerHeader h;
  h.magic = r.u16();
  h.version = r.u8();
  h.flags = r.u8();
  h.directory = r.i32();
  h.freeList = r.i32();
  h.size = r.i32();
  return h;
}

void WriteContainerHeader(const ContainerHeader& header, std::span<uint8_t, kContainerHeaderSize> out) {
  base::store_le16(out.data(), header.magic);
  out[2] = header.version;
  out[3] = uint8_t(header.flags & ~(kContainerDirectoryOpen | kContainerChanged));
  base::store_le32(out.data() + 4, uint32_t(header.directory));
  base::store_le32(out.data() + 8, uint32_t(header.freeList));
  base::store_le32(out.data() + 12, uint32_t(header.size));
}

FsErrorCode ValidateContainerHeader(const ContainerHeader& h) {
  const bool valid = h.magic == kContainerMagic && h.directory >= kContainerHeaderSize && h.size >= h.directory &&
                     (h.freeList == -1 || (h.freeList >= kContainerHeaderSize && h.freeList <= h.size));
  if (!valid) return kFsBadFormat;
  return h.version == kContainerVersion ? kFsOk : kFsBadVersion;
}

FileHeader ReadFileHeader(std::span<const uint8_t, kFileHeaderSize> bytes) {
  base::ByteReader r(bytes);
  FileHeader h;
  h.allocated = r.i32();
  h.used = r.i32();
  h.flags = r.u8();
  return h;
}

void WriteFileHeader(const FileHeader& header, std::span<uint8_t, kFileHeaderSize> out) {
  base::store_le32(out.data(), uint32_t(header.allocated));
  base::store_le32(out.data() + 4, uint32_t(header.used));
  out[8] = header.flags;
}

bool FileHeaderValid(const FileHeader& h, int64_t offset, int64_t containerSize) {
  return h.used >= 0 && int64_t(h.allocated) >= int64_t(h.used) + kFileHeaderSize &&
         offset + int64_t(h.allocated) <= containerSize;
}

FreeBlockHeader ReadFreeBlock(std::span<const uint8_t, kFreeBlockHeaderSize> bytes) {
  return {int32_t(base::load_le32(bytes.data())), int32_t(base::load_le32(bytes.data() + 4))};
}

void WriteFreeBlock(const FreeBlockHeader& block, std::span<uint8_t, kFreeBlockHeaderSize> out) {
  base::store_le32(out.data(), uint32_t(block.size));
  base::store_le32(out.data() + 4, uint32_t(block.next));
}

}  // namespace mvfs
