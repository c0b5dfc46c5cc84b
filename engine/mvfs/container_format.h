// The stored layout of a title container, read and written only here.
//
// All integers are little-endian.
//
// Container header, at offset 0 (16 bytes):
//   0  u16  magic 0x5F3F
//   2  u8   version, 3
//   3  u8   flags (in memory: bit 1 read-only, bit 2 directory file open, bit 3 header changed; bits 2
//           and 3 are cleared before the header is written)
//   4  i32  offset of the directory's internal-file header (at least 16)
//   8  i32  offset of the first free block, -1 for none (else between 16 and the size)
//   12 i32  size of the container: the end of the last allocated block (not below the directory offset)
//
// Internal-file header, at the file's offset (9 bytes), followed by the file's bytes:
//   0  i32  allocated size of the block, header included (at least used size + 9)
//   4  i32  used size: the number of data bytes (not negative)
//   8  u8   flags: bit 0 the file is read-only
// The block must end within the container. Data byte k lies at offset + 9 + k.
//
// Free block, the first 8 bytes of a free block: {i32 size of the block, i32 offset of the next free
// block or -1}; the chain runs in ascending offset order.
#pragma once

#include <cstdint>
#include <span>

#include "engine/mvfs/fs_error.h"

namespace mvfs {

constexpr uint16_t kContainerMagic = 0x5F3F;
constexpr uint8_t kContainerVersion = 3;
constexpr int32_t kContainerHeaderSize = 16;
constexpr int32_t kFileHeaderSize = 9;
constexpr int32_t kFreeBlockHeaderSize = 8;

// In-memory bits of the container flags byte.
constexpr uint8_t kContainerReadOnly = 2;
constexpr uint8_t kContainerDirectoryOpen = 4;
constexpr uint8_t kContainerChanged = 8;

struct ContainerHeader {
  uint16_t magic = kContainerMagic;
  uint8_t version = kContainerVersion;
  uint8_t flags = 0;
  int32_t directory = 0;
  int32_t freeList = -1;
  int32_t size = kContainerHeaderSize;
};

struct FileHeader {
  int32_t allocated = kFileHeaderSize;
  int32_t used = 0;
  uint8_t flags = 0;
};

struct FreeBlockHeader {
  int32_t size = 0;
  int32_t next = -1;
};

ContainerHeader ReadContainerHeader(std::span<const uint8_t, kContainerHeaderSize> bytes);
// Writes the header with the in-memory flag bits 2 and 3 cleared.
void WriteContainerHeader(const ContainerHeader& header, std::span<uint8_t, kContainerHeaderSize> out);
// 0, 4 for a header that fails validation, 10 for a valid header of another version.
FsErrorCode ValidateContainerHeader(const ContainerHeader& header);

FileHeader ReadFileHeader(std::span<const uint8_t, kFileHeaderSize> bytes);
void WriteFileHeader(const FileHeader& header, std::span<uint8_t, kFileHeaderSize> out);
// Whether the header at `offset` describes a block inside a container of `containerSize` bytes; sums
// are taken in 64 bits.
bool FileHeaderValid(const FileHeader& header, int64_t offset, int64_t containerSize);

FreeBlockHeader ReadFreeBlock(std::span<const uint8_t, kFreeBlockHeaderSize> bytes);
void WriteFreeBlock(const FreeBlockHeader& block, std::span<uint8_t, kFreeBlockHeaderSize> out);

}  // namespace mvfs
