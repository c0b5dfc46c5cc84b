// Reading a title container: opening, the directory, internal files and their reads.
#include "engine/mvfs/title_file_system.h"

#include <algorithm>
#include <limits>

#include "engine/mvfs/container_io.h"
#include "engine/mvfs/os_file_layer.h"
#include "platform/base/byte_io.h"

namespace mvfs {
namespace {

template <typename T>
std::unique_ptr<T> allocate() {
  try {
    return std::make_unique<T>();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// Ends an internal file: commits a written one, releases the directory-open mark.
FsErrorCode endFile(InternalFileHandle* file, int32_t alignHint) {
  if (file->ended) return kFsOk;
  std::lock_guard guard(file->fs->lock);
  const FsErrorCode code = CommitInternalFile(file, alignHint);
  DropTemporaryFile(file);
  if (file->flags & kFileIsDirectory) file->fs->header.flags &= uint8_t(~kContainerDirectoryOpen);
  file->ended = true;
  return code;
}

}  // namespace

FsErrorCode EnsureOsFile(TitleFileSystem* fs) {
  if (fs->os.is_open()) return kFsOk;
  fs->os = FidOpen(fs->name.get(), fs->read_only() ? kFidRead | kFidDenyWrite : kFidReadWrite | kFidDenyWrite);
  if (!fs->os.is_open()) return FsGetLastError();
  uint64_t size = 0;
  if (fs->os.size(size) != base::OsError::None || size < uint64_t(kContainerHeaderSize)) {
    fs->os.close();
    return FS_SET_ERROR(kFsBadFormat);
  }
  return kFsOk;
}

FsErrorCode ContainerRead(TitleFileSystem* fs, int64_t offset, void* out, size_t size) {
  if (offset < 0) return FS_SET_ERROR(kFsBadFormat);
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (FsErrorCode e = EnsureOsFile(fs)) return e;
    const base::OsError e = fs->os.read_at(uint64_t(offset), out, size);
    if (e == base::OsError::None) return kFsOk;
    if (e == base::OsError::Io) return FS_SET_ERROR(kFsBadFormat);  // the file ends before these bytes
    // Recover once: reopen the title file and try again. Everything written so far went straight to
    // the file, so closing it loses nothing.
    if (attempt == 0) {
      fs->os.close();
    } else {
      const FsErrorCode mapped = FsMapOsError(e);
      return FS_SET_ERROR(mapped ? mapped : kFsBadFormat);
    }
  }
  return FS_SET_ERROR(kFsBadFormat);
}

FsErrorCode ContainerWrite(TitleFileSystem* fs, int64_t offset, const void* data, size_t size) {
  if (offset < 0) return FS_SET_ERROR(kFsBadFormat);
  if (FsErrorCode e = EnsureOsFile(fs)) return e;
  const base::OsError e = fs->os.write_at(uint64_t(offset), data, size);
  if (e == base::OsError::None) return kFsOk;
  return FS_SET_ERROR(FsMapOsError(e, kFsWriteFailed));
}

FsErrorCode DirectoryLookup(TitleFileSystem* fs, const char* name, int32_t& offset) {
  if (!fs->directory) return FS_SET_ERROR(kFsBadArgument);
  std::vector<uint8_t> record;
  const FsErrorCode code = BtLookup(fs->directory.get(), name, nullptr, &record, false);
  if (code) return code;
  if (record.size() != 4) return FS_SET_ERROR(kFsBadFormat);
  offset = int32_t(base::load_le32(record.data()));
  return kFsOk;
}

FsErrorCode ReadInternalFileHeader(TitleFileSystem* fs, int64_t offset, FileHeader& header) {
  if (offset < kContainerHeaderSize || offset + kFileHeaderSize > fs->header.size)
    return FS_SET_ERROR(kFsBadFormat);
  uint8_t bytes[kFileHeaderSize];
  if (ContainerRead(fs, offset, bytes, sizeof bytes)) return FS_SET_ERROR(kFsBadFormat);
  header = ReadFileHeader(std::span<const uint8_t, kFileHeaderSize>(bytes));
  if (!FileHeaderValid(header, offset, fs->header.size)) return FS_SET_ERROR(kFsBadFormat);
  return kFsOk;
}

TitleFileSystemPtr FsOpen(const FileMoniker* moniker, uint16_t flags) {
  if (!moniker) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  TitleFileSystemPtr fs(allocate<TitleFileSystem>().release());
  if (!fs || !(fs->name = FmCopy(moniker))) {
    FS_SET_ERROR(kFsNoMemory);
    return nullptr;
  }
  const bool readOnly = flags & kFsOpenReadOnly;
  fs->header.flags = readOnly ? kContainerReadOnly : 0;
  uint8_t bytes[kContainerHeaderSize];
  if (FsErrorCode e = ContainerRead(fs.get(), 0, bytes, sizeof bytes)) {
    FS_SET_ERROR(e);
    fs->header.flags |= kContainerReadOnly;  // nothing of this file is written back
    return nullptr;
  }
  fs->header = ReadContainerHeader(std::span<const uint8_t, kContainerHeaderSize>(bytes));
  fs->header.flags = uint8_t((fs->header.flags & ~(kContainerDirectoryOpen | kContainerChanged)) |
                             (readOnly ? kContainerReadOnly : 0));
  if (FsErrorCode e = ValidateContainerHeader(fs->header)) {
    fs->header.flags |= kContainerReadOnly;
    FS_SET_ERROR(e);
    return nullptr;
  }
  // A container that declares more bytes than its file holds was cut short or has a damaged header.
  // What the file holds can still be read, but a writer would place new files at the declared end
  // and grow the file to it (gigabytes from a few damaged bytes), so it is not opened to write.
  uint64_t fileSize = 0;
  if (!readOnly && (fs->os.size(fileSize) != base::OsError::None || uint64_t(fs->header.size) > fileSize)) {
    fs->header.flags |= kContainerReadOnly;
    FS_SET_ERROR(kFsBadFormat);
    return nullptr;
  }
  fs->directory = BtOpen(nullptr, fs.get(), uint16_t((readOnly ? kFsOpenReadOnly : 0) | kFsOpenDirectory), nullptr);
  if (!fs->directory) {
    const FsErrorCode e = FsGetLastError();
    fs->header.flags |= kContainerReadOnly;
    FS_SET_ERROR(e ? e : kFsBadFormat);
    return nullptr;
  }
  std::string format;
  BtGetInfo(fs->directory.get(), &format, nullptr, nullptr);
  if (format != "z4") {
    fs->header.flags |= kContainerReadOnly;
    FS_SET_ERROR(kFsBadFormat);
    return nullptr;
  }
  FS_SET_ERROR(kFsOk);
  return fs;
}

FsErrorCode FsFlush(TitleFileSystem* fs, uint16_t flags) {
  if (!fs) return FS_SET_ERROR(kFsBadArgument);
  std::lock_guard guard(fs->lock);
  FsErrorCode code = fs->read_only() ? kFsOk : WriteBackContainer(fs);
  if (!code && (flags & 2) && fs->directory) code = BtFlush(fs->directory.get());
  if (flags & 1) fs->os.close();
  return FS_SET_ERROR(code);
}

void TitleFileSystemCloser::operator()(TitleFileSystem* fs) const {
  const FsErrorKeeper keep;
  {
    std::lock_guard guard(fs->lock);
    if (!fs->read_only() && WriteBackContainer(fs)) {
      // A directory that could not be written leaves the container unopenable rather than wrong.
      ContainerHeader damaged = fs->header;
      damaged.magic = 0;
      uint8_t bytes[kContainerHeaderSize];
      WriteContainerHeader(damaged, std::span<uint8_t, kContainerHeaderSize>(bytes));
      ContainerWrite(fs, 0, bytes, sizeof bytes);
    }
    fs->header.flags |= kContainerReadOnly;  // the directory's close writes nothing more
    fs->directory.reset();
    fs->os.close();
  }
  std::default_delete<TitleFileSystem>()(fs);
}

FsErrorCode FsClose(TitleFileSystemPtr fs) {
  if (!fs) return FS_SET_ERROR(kFsBadArgument);
  FsErrorCode code = kFsOk;
  {
    std::lock_guard guard(fs->lock);
    if (!fs->read_only()) code = WriteBackContainer(fs.get());
  }
  fs.reset();
  return FS_SET_ERROR(code);
}

bool FsFileExists(TitleFileSystem* fs, const char* name) {
  if (!fs || !name) {
    FS_SET_ERROR(kFsBadArgument);
    return false;
  }
  std::lock_guard guard(fs->lock);
  if (FsErrorCode e = EnsureOsFile(fs)) {
    FS_SET_ERROR(e);
    return false;
  }
  int32_t offset = 0;
  const FsErrorCode code = DirectoryLookup(fs, name, offset);
  FS_SET_ERROR(code);
  return code == kFsOk;
}

const FileMoniker* FsGetMoniker(const TitleFileSystem* fs) { return fs ? fs->name.get() : nullptr; }

InternalFilePtr FsOpenFile(TitleFileSystem* fs, const char* name, uint16_t flags) {
  if (!fs || (!name && !(flags & kFsOpenDirectory))) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  std::lock_guard guard(fs->lock);
  if (fs->read_only() && !(flags & kFsOpenReadOnly)) {
    FS_SET_ERROR(kFsReadOnly);
    return nullptr;
  }
  if (FsErrorCode e = EnsureOsFile(fs)) {
    FS_SET_ERROR(e);
    return nullptr;
  }
  const bool directory = flags & kFsOpenDirectory;
  int32_t offset = 0;
  if (directory) {
    if (fs->header.flags & kContainerDirectoryOpen) {
      FS_SET_ERROR(kFsBadArgument);
      return nullptr;
    }
    offset = fs->header.directory;
  } else if (FsErrorCode e = DirectoryLookup(fs, name, offset)) {
    FS_SET_ERROR(e);
    return nullptr;
  }
  FileHeader header;
  if (FsErrorCode e = ReadInternalFileHeader(fs, offset, header)) {
    FS_SET_ERROR(e);
    return nullptr;
  }
  if ((header.flags & 1) && !(flags & kFsOpenReadOnly)) {
    FS_SET_ERROR(kFsReadOnly);
    return nullptr;
  }
  InternalFilePtr file(allocate<InternalFileHandle>().release());
  if (!file) {
    FS_SET_ERROR(kFsNoMemory);
    return nullptr;
  }
  file->fs = fs;
  file->offset = offset;
  file->header = header;
  file->flags = uint16_t(flags & ~(kFileInTemp | kFileNew));
  if (!directory) file->name = name;
  if (directory) fs->header.flags |= kContainerDirectoryOpen;
  FS_SET_ERROR(kFsOk);
  return file;
}

void InternalFileCloser::operator()(InternalFileHandle* file) const {
  const FsErrorKeeper keep;
  endFile(file, 0);
  std::default_delete<InternalFileHandle>()(file);
}

FsErrorCode FsCloseFileEx(InternalFilePtr file, int32_t alignHint) {
  if (!file) return FS_SET_ERROR(kFsBadArgument);
  const FsErrorCode code = endFile(file.get(), alignHint);
  file.reset();
  return FS_SET_ERROR(code);
}

FsErrorCode FsCloseFile(InternalFilePtr file) { return FsCloseFileEx(std::move(file), 0); }

FsErrorCode FsFlushFile(InternalFileHandle* file) {
  if (!file || file->ended) return FS_SET_ERROR(kFsBadArgument);
  std::lock_guard guard(file->fs->lock);
  return FS_SET_ERROR(CommitInternalFile(file, 0));
}

int64_t FsReadFile(InternalFileHandle* file, void* buffer, int64_t count) {
  if (!file || file->ended || count < 0 || (!buffer && count)) {
    FS_SET_ERROR(kFsBadArgument);
    return -1;
  }
  const int64_t left = int64_t(file->header.used) - file->position;
  const int64_t n = std::min(count, std::max<int64_t>(left, 0));
  if (n == 0) {
    FS_SET_ERROR(kFsOk);
    return 0;
  }
  TitleFileSystem* fs = file->fs;
  std::lock_guard guard(fs->lock);
  FsErrorCode code;
  if (file->flags & kFileInTemp) {
    const base::OsError e = file->temp.read_at(uint64_t(kFileHeaderSize + file->position), buffer, size_t(n));
    code = e == base::OsError::None ? kFsOk : kFsReadFailed;
  } else {
    // Offsets are summed in 64 bits and must stay inside the container.
    const int64_t at = int64_t(file->offset) + kFileHeaderSize + file->position;
    code = at + n > fs->header.size ? kFsBadFormat : ContainerRead(fs, at, buffer, size_t(n));
  }
  if (code) {
    FS_SET_ERROR(code);
    return -1;
  }
  file->position += n;
  FS_SET_ERROR(kFsOk);
  return n;
}

int64_t FsSeekFile(InternalFileHandle* file, int64_t offset, int origin) {
  if (!file) {
    FS_SET_ERROR(kFsBadArgument);
    return -1;
  }
  int64_t base;
  switch (origin) {
    case kFsSeekSet: base = 0; break;
    case kFsSeekCurrent: base = file->position; break;
    case kFsSeekEnd: base = file->header.used; break;
    default: FS_SET_ERROR(kFsBadFormat); return -1;
  }
  if ((offset > 0 && base > std::numeric_limits<int32_t>::max() - offset) || base + offset < 0 ||
      base + offset > std::numeric_limits<int32_t>::max()) {
    FS_SET_ERROR(kFsBadFormat);
    return -1;
  }
  file->position = base + offset;
  FS_SET_ERROR(kFsOk);
  return file->position;
}

int64_t FsTellFile(const InternalFileHandle* file) {
  if (!file) {
    FS_SET_ERROR(kFsBadArgument);
    return -1;
  }
  FS_SET_ERROR(kFsOk);
  return file->position;
}

bool FsAtEndOfFile(const InternalFileHandle* file) {
  return file && file->position == file->header.used;
}

int64_t FsGetFileSize(const InternalFileHandle* file) {
  if (!file) {
    FS_SET_ERROR(kFsBadArgument);
    return -1;
  }
  FS_SET_ERROR(kFsOk);
  return file->header.used;
}

FsWholeFile FsReadWholeFile(TitleFileSystem* fs, const char* name, int64_t maxSize, std::vector<uint8_t>& bytes) {
  bytes.clear();
  InternalFilePtr file = FsOpenFile(fs, name, kFsOpenReadOnly);
  if (!file) return FsWholeFile::kNotOpened;
  const int64_t size = FsGetFileSize(file.get());
  if (size < 0) return FsWholeFile::kFailed;
  if (size > maxSize) return FsWholeFile::kTooLarge;
  bytes.resize(size_t(size));
  const int64_t read = FsReadFile(file.get(), bytes.data(), size);
  FsCloseFile(std::move(file));
  return read == size ? FsWholeFile::kRead : FsWholeFile::kFailed;
}

}  // namespace mvfs
