// Whole-tree images: a tree's header and pages copied to a disk file and read back into one block.
//
// Image file: the 38-byte B-tree header (flags byte 0) followed by every page of the tree. Images are
// limited to one block of under 65,535 bytes.
#include <cstring>

#include "engine/mvfs/btree.h"
#include "engine/mvfs/btree_pages.h"
#include "engine/mvfs/os_file_layer.h"

namespace mvfs {
namespace {

constexpr int64_t kLargestImage = 65534;

}  // namespace

FsErrorCode BtSaveImage(BtreeHandle* tree, const FileMoniker* diskFile) {
  if (!tree || !diskFile) return FS_SET_ERROR(kFsBadArgument);
  const int64_t pagesSize = int64_t(tree->header.pageCount) * tree->header.pageSize;
  if (pagesSize > kLargestImage) return FS_SET_ERROR(kFsFailure);
  if (!tree->read_only()) {
    if (FsErrorCode e = WriteCachedPages(tree, false)) return e;
  }
  std::vector<uint8_t> image(size_t(kBtreeHeaderSize + pagesSize));
  BtreeHeader header = tree->header;
  header.flags = 0;
  WriteBtreeHeader(header, std::span<uint8_t, kBtreeHeaderSize>(image.data(), kBtreeHeaderSize));
  if (FsSeekFile(tree->file.get(), kBtreeHeaderSize, kFsSeekSet) < 0) return FS_SET_ERROR(kFsSeekFailed);
  if (FsReadFile(tree->file.get(), image.data() + kBtreeHeaderSize, pagesSize) != pagesSize)
    return FS_SET_ERROR(kFsFailure);
  base::OsFile out = FidCreate(diskFile, 2);
  if (!out.is_open()) return FS_SET_ERROR(kFsCannotCreate);
  if (FidWrite(out, image.data(), int64_t(image.size())) != int64_t(image.size())) return FS_SET_ERROR(kFsWriteFailed);
  if (!FidClose(out)) return FsGetLastError();
  return FS_SET_ERROR(kFsOk);
}

BtImagePtr BtLoadImage(const FileMoniker* diskFile) {
  base::OsFile in = FidOpen(diskFile, kFidRead);
  if (!in.is_open()) {
    FS_SET_ERROR(kFsNotFound);
    return nullptr;
  }
  uint64_t size = 0;
  if (in.size(size) != base::OsError::None || size < uint64_t(kBtreeHeaderSize)) {
    FS_SET_ERROR(kFsBadFormat);
    return nullptr;
  }
  uint8_t bytes[kBtreeHeaderSize];
  if (FidRead(in, bytes, kBtreeHeaderSize) != kBtreeHeaderSize) {
    FS_SET_ERROR(kFsReadFailed);
    return nullptr;
  }
  const BtreeHeader header = ReadBtreeHeader(std::span<const uint8_t, kBtreeHeaderSize>(bytes));
  if (const FsErrorCode identity = CheckBtreeIdentity(header)) {
    FS_SET_ERROR(identity);
    return nullptr;
  }
  const int64_t pagesSize = int64_t(std::max<int16_t>(header.pageCount, 0)) * header.pageSize;
  if (size > uint64_t(kLargestImage) || kBtreeHeaderSize + pagesSize > kLargestImage) {
    FS_SET_ERROR(kFsUnavailable);
    return nullptr;
  }
  auto image = std::make_unique<BtImage>();
  image->bytes.resize(size_t(kBtreeHeaderSize + pagesSize));
  std::memcpy(image->bytes.data(), bytes, kBtreeHeaderSize);
  if (FidRead(in, image->bytes.data() + kBtreeHeaderSize, pagesSize) != pagesSize) {
    FS_SET_ERROR(kFsReadFailed);
    return nullptr;
  }
  FS_SET_ERROR(kFsOk);
  return image;
}

void BtFreeImage(BtImagePtr) {}

}  // namespace mvfs
