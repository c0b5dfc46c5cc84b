// Writing title containers: new containers and internal files, writes through temporary files,
// commits, deletes, renames and disk-file imports.
//
// A commit writes the new contents to their block before the directory or the header points at it,
// and frees a block the file leaves only after that, so a failed commit leaves the container as it was.
#include "engine/mvfs/fs_authoring.h"

#include <algorithm>
#include <limits>

#include "engine/mvfs/btree_authoring.h"
#include "engine/mvfs/container_io.h"
#include "engine/mvfs/free_chain.h"
#include "engine/mvfs/os_file_layer.h"
#include "platform/base/byte_io.h"

namespace mvfs {
namespace {

// Copies move this many bytes at a time; the caller's callback is asked before each piece.
constexpr size_t kCopyPiece = 1024;
constexpr int64_t kMaxUsedSize = std::numeric_limits<int32_t>::max() - kFileHeaderSize;

// Moves `size` bytes from one place to another, piece by piece.
template <typename Read, typename Write>
FsErrorCode copyBytes(Read read, Write write, int64_t size, const FsCopyCallback* callback) {
  uint8_t piece[kCopyPiece];
  for (int64_t done = 0; done < size;) {
    if (callback && *callback && (*callback)(0)) return FS_SET_ERROR(kFsStopped);
    const size_t n = size_t(std::min<int64_t>(int64_t(kCopyPiece), size - done));
    if (FsErrorCode e = read(done, piece, n)) return e;
    if (FsErrorCode e = write(done, piece, n)) return e;
    done += int64_t(n);
  }
  return kFsOk;
}

// Creates the temporary disk file that holds a file's new contents.
FsErrorCode openTemporaryFile(InternalFileHandle* file) {
  file->tempName = FmNewTemp(file->name.empty() ? "dir" : file->name.c_str());
  if (!file->tempName) return FsGetLastError();
  if (base::OsError e = file->temp.open(file->tempName->path(), base::OpenMode::ReadWrite); e != base::OsError::None) {
    DropTemporaryFile(file);
    return FS_SET_ERROR(FsMapOsError(e, kFsCannotCreate));
  }
  uint8_t header[kFileHeaderSize];
  WriteFileHeader(file->header, std::span<uint8_t, kFileHeaderSize>(header));
  if (base::OsError e = file->temp.write_at(0, header, sizeof header); e != base::OsError::None) {
    DropTemporaryFile(file);
    return FS_SET_ERROR(FsMapOsError(e, kFsDiskFull));
  }
  file->flags |= kFileInTemp;
  return kFsOk;
}

// The first write to a committed file copies its header and data into a temporary file.
FsErrorCode beginWriting(InternalFileHandle* file) {
  if (file->flags & kFileInTemp) return kFsOk;
  if (FsErrorCode e = openTemporaryFile(file)) return e;
  TitleFileSystem* fs = file->fs;
  const int64_t data = int64_t(file->offset) + kFileHeaderSize;
  const FsErrorCode code = copyBytes(
      [&](int64_t at, uint8_t* out, size_t n) { return ContainerRead(fs, data + at, out, n); },
      [&](int64_t at, const uint8_t* in, size_t n) {
        const base::OsError e = file->temp.write_at(uint64_t(kFileHeaderSize + at), in, n);
        return e == base::OsError::None ? kFsOk : FS_SET_ERROR(FsMapOsError(e, kFsDiskFull));
      },
      file->header.used, nullptr);
  if (code) DropTemporaryFile(file);
  return code;
}

// Writes `header` at the start of `block`, then its used size of data bytes taken from `source`
// from byte `sourceAt` on.
FsErrorCode fillBlock(TitleFileSystem* fs, const PlacedBlock& block, const FileHeader& header,
                      base::OsFile& source, uint64_t sourceAt, const FsCopyCallback* callback) {
  uint8_t headerBytes[kFileHeaderSize];
  WriteFileHeader(header, std::span<uint8_t, kFileHeaderSize>(headerBytes));
  if (FsErrorCode code = ContainerWrite(fs, block.offset, headerBytes, sizeof headerBytes)) return code;
  const int64_t data = int64_t(block.offset) + kFileHeaderSize;
  return copyBytes(
      [&](int64_t at, uint8_t* out, size_t n) {
        const base::OsError e = source.read_at(sourceAt + uint64_t(at), out, n);
        return e == base::OsError::None ? kFsOk : FS_SET_ERROR(kFsReadFailed);
      },
      [&](int64_t at, const uint8_t* in, size_t n) { return ContainerWrite(fs, data + at, in, n); },
      header.used, callback);
}

std::vector<uint8_t> offsetRecord(int32_t offset) {
  std::vector<uint8_t> record(4);
  base::store_le32(record.data(), uint32_t(offset));
  return record;
}

// The block a directory name holds, when the name is there and its header is sound.
bool blockOfName(TitleFileSystem* fs, const char* name, PlacedBlock& block) {
  int32_t offset = 0;
  FileHeader header;
  if (DirectoryLookup(fs, name, offset) || ReadInternalFileHeader(fs, offset, header)) return false;
  block = {offset, header.allocated};
  return true;
}

// Points `name` at `offset` in the directory; `replaced` gets the block the name held before.
FsErrorCode setDirectoryEntry(TitleFileSystem* fs, const char* name, int32_t offset, bool replace,
                              bool& hadOld, PlacedBlock& replaced) {
  const std::vector<uint8_t> record = offsetRecord(offset);
  hadOld = false;
  FsErrorCode code = BtInsert(fs->directory.get(), name, record);
  if (code == kFsKeyExists && replace) {
    hadOld = blockOfName(fs, name, replaced);
    code = BtUpdate(fs->directory.get(), name, record);
  }
  return code;
}

}  // namespace

void DropTemporaryFile(InternalFileHandle* file) {
  file->temp.close();
  if (file->tempName) base::remove_file(file->tempName->path());
  file->tempName.reset();
  file->flags &= uint16_t(~kFileInTemp);
}

FsErrorCode CommitInternalFile(InternalFileHandle* file, int32_t alignHint) {
  if (!(file->flags & kFileInTemp)) return kFsOk;
  TitleFileSystem* fs = file->fs;
  const bool isNew = file->flags & kFileNew;
  const bool isDirectory = file->flags & kFileIsDirectory;
  const int64_t needed = int64_t(file->header.used) + kFileHeaderSize;
  const bool moves = isNew || file->header.allocated < needed;
  PlacedBlock target{file->offset, file->header.allocated};
  if (moves) {
    if (FsErrorCode e = AllocateBlock(fs, needed, file->flags & kFileAligned, alignHint, target)) {
      DropTemporaryFile(file);
      return e;
    }
  }
  const FileHeader header{target.allocated, file->header.used, file->header.flags};
  FsErrorCode code = fillBlock(fs, target, header, file->temp, kFileHeaderSize, nullptr);
  // Only now that the new block holds the data does anything point at it.
  bool freeOld = moves && !isNew;
  PlacedBlock old{file->offset, file->header.allocated};
  if (!code) {
    if (isDirectory) {
      fs->header.directory = target.offset;
      fs->header.flags |= kContainerChanged;
    } else if (isNew) {
      code = setDirectoryEntry(fs, file->name.c_str(), target.offset, true, freeOld, old);
    } else if (moves) {
      code = BtUpdate(fs->directory.get(), file->name.c_str(), offsetRecord(target.offset));
    }
  }
  if (code) {
    if (moves) FreeBlock(fs, target.offset, target.allocated);
    DropTemporaryFile(file);
    return FS_SET_ERROR(code);
  }
  if (freeOld) code = FreeBlock(fs, old.offset, old.allocated);
  file->offset = target.offset;
  file->header = header;
  file->flags &= uint16_t(~kFileNew);
  DropTemporaryFile(file);
  if (!code && !isDirectory && !(file->flags & kFileNoWriteBack)) code = WriteBackContainer(fs);
  return code;
}

FsErrorCode WriteBackContainer(TitleFileSystem* fs) {
  if (fs->read_only()) return kFsOk;
  if (fs->directory) {
    if (FsErrorCode e = BtFlush(fs->directory.get())) return e;
    if (FsErrorCode e = FsFlushFile(fs->directory->file.get())) return e;
  }
  if (!(fs->header.flags & kContainerChanged)) return kFsOk;
  uint8_t bytes[kContainerHeaderSize];
  WriteContainerHeader(fs->header, std::span<uint8_t, kContainerHeaderSize>(bytes));
  if (FsErrorCode e = ContainerWrite(fs, 0, bytes, sizeof bytes)) return e;
  fs->header.flags &= uint8_t(~kContainerChanged);
  return kFsOk;
}

TitleFileSystemPtr FsCreate(const FileMoniker* moniker, const FsCreateParams* params) {
  if (!moniker) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  TitleFileSystemPtr fs;
  try {
    fs.reset(std::make_unique<TitleFileSystem>().release());
    fs->name = FmCopy(moniker);
  } catch (const std::bad_alloc&) {
    FS_SET_ERROR(kFsNoMemory);
    return nullptr;
  }
  fs->header.flags = kContainerReadOnly;  // nothing is written back until the container exists
  if (!fs->name) return nullptr;
  fs->os = FidCreate(moniker, 2);
  if (!fs->os.is_open()) return nullptr;
  fs->header = ContainerHeader{};
  fs->header.flags = kContainerChanged;
  BtCreateParams directory;
  directory.fs = fs.get();
  directory.pageSize = params ? params->directoryPageSize : 0;
  directory.flags = kFsOpenDirectory;
  directory.format = "z4";
  fs->directory = BtCreate(nullptr, directory);
  if (!fs->directory) {
    const FsErrorCode e = FsGetLastError();
    fs->header.flags |= kContainerReadOnly;
    FS_SET_ERROR(e);
    return nullptr;
  }
  FS_SET_ERROR(kFsOk);
  return fs;
}

FsErrorCode FsDestroy(const FileMoniker* moniker) {
  if (!moniker) return FS_SET_ERROR(kFsBadArgument);
  base::OsFile file = FidOpen(moniker, kFidRead);
  if (!file.is_open()) return FsGetLastError();
  uint8_t magic[2] = {0, 0};
  const bool container = file.read_at(0, magic, 2) == base::OsError::None && base::load_le16(magic) == kContainerMagic;
  file.close();
  if (!container) return FS_SET_ERROR(kFsBadFormat);
  return FidDelete(moniker) ? FS_SET_ERROR(kFsOk) : FsGetLastError();
}

InternalFilePtr FsCreateFile(TitleFileSystem* fs, const char* name, uint16_t flags) {
  const bool directory = flags & kFsOpenDirectory;
  if (!fs || (!directory && (!name || !*name))) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  std::lock_guard guard(fs->lock);
  if (fs->read_only()) {
    FS_SET_ERROR(kFsReadOnly);
    return nullptr;
  }
  if (directory && (fs->header.flags & kContainerDirectoryOpen)) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  InternalFilePtr file;
  try {
    file.reset(std::make_unique<InternalFileHandle>().release());
    if (!directory) file->name = name;
  } catch (const std::bad_alloc&) {
    FS_SET_ERROR(kFsNoMemory);
    return nullptr;
  }
  file->fs = fs;
  file->header = {kFileHeaderSize, 0, uint8_t(flags & 0xFF)};
  file->flags = uint16_t((flags & ~kFsOpenReadOnly) | kFileNew);
  if (FsErrorCode e = openTemporaryFile(file.get())) {
    file->ended = true;
    FS_SET_ERROR(e);
    return nullptr;
  }
  if (directory) fs->header.flags |= kContainerDirectoryOpen;
  FS_SET_ERROR(kFsOk);
  return file;
}

int64_t FsWriteFile(InternalFileHandle* file, const void* buffer, int64_t count) {
  if (!file || file->ended || count < 0 || (!buffer && count)) {
    FS_SET_ERROR(kFsBadArgument);
    return -1;
  }
  if ((file->flags & kFileReadOnly) || file->fs->read_only()) {
    FS_SET_ERROR(kFsReadOnly);
    return -1;
  }
  if (file->position + count > kMaxUsedSize) {
    FS_SET_ERROR(kFsFailure);
    return -1;
  }
  std::lock_guard guard(file->fs->lock);
  if (FsErrorCode e = beginWriting(file)) {
    FS_SET_ERROR(e);
    return -1;
  }
  if (count) {
    const base::OsError e = file->temp.write_at(uint64_t(kFileHeaderSize + file->position), buffer, size_t(count));
    if (e != base::OsError::None) {
      FS_SET_ERROR(FsMapOsError(e, kFsDiskFull));
      return -1;
    }
  }
  file->position += count;
  file->header.used = int32_t(std::max<int64_t>(file->header.used, file->position));
  FS_SET_ERROR(kFsOk);
  return count;
}

bool FsSetFileSize(InternalFileHandle* file, int64_t size) {
  if (!file || file->ended || size < 0 || size > kMaxUsedSize) {
    FS_SET_ERROR(file && !file->ended ? kFsFailure : kFsBadArgument);
    return false;
  }
  if ((file->flags & kFileReadOnly) || file->fs->read_only()) {
    FS_SET_ERROR(kFsReadOnly);
    return false;
  }
  std::lock_guard guard(file->fs->lock);
  if (FsErrorCode e = beginWriting(file)) {
    FS_SET_ERROR(e);
    return false;
  }
  // Bytes past the old end read as zeros.
  if (base::OsError e = file->temp.set_size(uint64_t(kFileHeaderSize + size)); e != base::OsError::None) {
    FS_SET_ERROR(FsMapOsError(e, kFsDiskFull));
    return false;
  }
  file->header.used = int32_t(size);
  file->position = std::min(file->position, size);
  FS_SET_ERROR(kFsOk);
  return true;
}

bool FsCommitFile(InternalFileHandle* file, int32_t alignHint) {
  if (!file || file->ended) {
    FS_SET_ERROR(kFsBadArgument);
    return false;
  }
  std::lock_guard guard(file->fs->lock);
  return FS_SET_ERROR(CommitInternalFile(file, alignHint)) == kFsOk;
}

FsErrorCode FsAbandonFile(InternalFilePtr file) {
  if (!file) return FS_SET_ERROR(kFsBadArgument);
  std::lock_guard guard(file->fs->lock);
  const bool removable = !file->tempName || base::remove_file(file->tempName->path()) == base::OsError::None;
  DropTemporaryFile(file.get());
  if (file->flags & kFileIsDirectory) file->fs->header.flags &= uint8_t(~kContainerDirectoryOpen);
  file->ended = true;
  return FS_SET_ERROR(removable ? kFsOk : kFsFailure);
}

FsErrorCode FsDeleteFile(TitleFileSystem* fs, const char* name) {
  if (!fs || !name) return FS_SET_ERROR(kFsBadArgument);
  std::lock_guard guard(fs->lock);
  if (fs->read_only()) return FS_SET_ERROR(kFsReadOnly);
  int32_t offset = 0;
  if (FsErrorCode e = DirectoryLookup(fs, name, offset)) return FS_SET_ERROR(e);
  FileHeader header;
  const bool sound = ReadInternalFileHeader(fs, offset, header) == kFsOk;
  if (FsErrorCode e = BtDelete(fs->directory.get(), name)) return FS_SET_ERROR(e);
  // A damaged block is left out of the chain rather than merged into it.
  FsErrorCode code = sound ? FreeBlock(fs, offset, header.allocated) : kFsOk;
  if (!code) code = WriteBackContainer(fs);
  return FS_SET_ERROR(code);
}

FsErrorCode FsRenameFile(TitleFileSystem* fs, const char* oldName, const char* newName) {
  if (!fs || !oldName || !newName || !*newName) return FS_SET_ERROR(kFsBadArgument);
  std::lock_guard guard(fs->lock);
  if (fs->read_only()) return FS_SET_ERROR(kFsReadOnly);
  int32_t offset = 0;
  if (FsErrorCode e = DirectoryLookup(fs, oldName, offset)) return FS_SET_ERROR(e);
  if (FsErrorCode e = BtInsert(fs->directory.get(), newName, offsetRecord(offset))) return FS_SET_ERROR(e);
  if (BtDelete(fs->directory.get(), oldName)) {
    BtDelete(fs->directory.get(), newName);
    return FS_SET_ERROR(kFsFailure);
  }
  return FS_SET_ERROR(WriteBackContainer(fs));
}

FsErrorCode FsAddDiskFile(TitleFileSystem* fs, const char* name, const FileMoniker* diskFile, int32_t alignHint,
                          uint8_t fileFlags, const FsCopyCallback& callback, bool replace) {
  if (!fs || !name || !*name || !diskFile) return FS_SET_ERROR(kFsBadArgument);
  if (fs->read_only()) return FS_SET_ERROR(kFsReadOnly);
  base::OsFile source;
  if (source.open(diskFile->path(), base::OpenMode::Read) != base::OsError::None) return FS_SET_ERROR(kFsReadOnly);
  uint64_t size = 0;
  if (source.size(size) != base::OsError::None) return FS_SET_ERROR(kFsReadOnly);
  if (size > uint64_t(kMaxUsedSize)) return FS_SET_ERROR(kFsDiskFull);
  std::lock_guard guard(fs->lock);
  int32_t existing = 0;
  if (!replace && DirectoryLookup(fs, name, existing) == kFsOk) return FS_SET_ERROR(kFsKeyExists);
  PlacedBlock block;
  const bool aligned = alignHint != 0;
  if (FsErrorCode e = AllocateBlock(fs, int64_t(size) + kFileHeaderSize, aligned, alignHint, block)) return FS_SET_ERROR(e);
  const FileHeader header{block.allocated, int32_t(size), fileFlags};
  FsErrorCode code = fillBlock(fs, block, header, source, 0, &callback);
  bool hadOld = false;
  PlacedBlock old;
  if (!code) code = setDirectoryEntry(fs, name, block.offset, replace, hadOld, old);
  if (code) {
    FreeBlock(fs, block.offset, block.allocated);
    return FS_SET_ERROR(code);
  }
  if (hadOld) code = FreeBlock(fs, old.offset, old.allocated);
  if (!code) code = WriteBackContainer(fs);
  return FS_SET_ERROR(code);
}

}  // namespace mvfs
