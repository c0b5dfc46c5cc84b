#include "engine/fts/common/fts_file.h"

#include <string>
#include <variant>

#include "engine/fts/common/fts_path.h"
#include "engine/mvfs/fs_authoring.h"

namespace fts {

// A container opened here, shared by the kind-1 file and every internal file opened through it.
struct OwnedFileSystem {
  mvfs::TitleFileSystemPtr fs;
  ~OwnedFileSystem() {
    if (fs) mvfs::FsClose(std::move(fs));
  }
};

class FtsFile {
 public:
  FtsFileKind kind = FtsFileKind::kWrapper;
  FtsFileMode mode = FtsFileMode::kRead;
  FtsPollCallback poll = nullptr;
  intptr_t pollValue = 0;
  mvfs::TitleFileSystem* fs = nullptr;         // kinds 0 and 1
  std::shared_ptr<OwnedFileSystem> ownedFs;   // kind 1, and kind 2 opened through a kind-1 file
  mvfs::InternalFilePtr internal;              // kind 2
  base::OsFile os;                             // kind 3
};

void FtsFileCloser::operator()(FtsFile* file) const {
  // Internal files are closed before the container that the shared pointer may release after them.
  std::unique_ptr<FtsFile> owned(file);
  if (owned && owned->internal) mvfs::FsCloseFile(std::move(owned->internal));
}

namespace {

FtsFilePtr new_file(FtsFileKind kind, FtsFileMode mode) {
  FtsFilePtr file(new FtsFile);
  file->kind = kind;
  file->mode = mode;
  return file;
}

// Opens (or creates) a container as a kind-1 file.
FtsFilePtr open_container(const std::string& path, uint16_t flags, bool create, FtsError* error) {
  const mvfs::FileMoniker moniker(path);
  auto owned = std::make_shared<OwnedFileSystem>();
  owned->fs = create ? mvfs::FsCreate(&moniker, nullptr) : mvfs::FsOpen(&moniker, flags);
  if (!owned->fs) {
    FtsSetError(error, FtsMapFsError(mvfs::FsGetLastError()));
    return nullptr;
  }
  FtsFilePtr file = new_file(FtsFileKind::kFileSystem, create ? FtsFileMode::kWrite : FtsFileMode::kRead);
  file->fs = owned->fs.get();
  file->ownedFs = std::move(owned);
  return file;
}

// Opens or creates the internal file `name` inside the container of `wrapper` (kind 0 or 1).
FtsFilePtr open_internal(FtsFile* wrapper, const std::string& name, bool write, bool create,
                         FtsError* error) {
  const int32_t failure = write || create ? kFtsCannotCreate : kFtsNotFound;
  if (!wrapper->fs) {
    FtsSetError(error, failure);
    return nullptr;
  }
  mvfs::InternalFilePtr internal =
      create ? mvfs::FsCreateFile(wrapper->fs, name.c_str(), 0)
             : mvfs::FsOpenFile(wrapper->fs, name.c_str(), write ? 0 : mvfs::kFsOpenReadOnly);
  if (!internal) {
    FtsSetError(error, failure);
    return nullptr;
  }
  FtsFilePtr file = new_file(FtsFileKind::kInternal, write || create ? FtsFileMode::kWrite : FtsFileMode::kRead);
  file->internal = std::move(internal);
  file->ownedFs = wrapper->ownedFs;
  return file;
}

FtsFilePtr open_any(FtsFilePtr* wrapper, std::string_view path, std::string_view default_internal,
                    FtsFileKind kind, uint16_t flags, bool create, FtsError* error) {
  const bool write = create || (kind != FtsFileKind::kFileSystem && flags != 0);
  switch (kind) {
    case FtsFileKind::kFileSystem:
      if (path.empty()) break;
      return open_container(std::string(path), flags, create, error);
    case FtsFileKind::kInternal: {
      if (wrapper && *wrapper) {
        std::string container;
        const std::string name = FtsHasSubfileMark(path) ? FtsSplitPath(path, default_internal, container)
                                 : path.empty()          ? std::string(default_internal)
                                                         : std::string(path);
        return open_internal(wrapper->get(), name, write, create, error);
      }
      if (path.empty()) break;
      std::string container;
      const std::string name = FtsSplitPath(path, default_internal, container);
      FtsFilePtr fs_file = open_container(container, write ? 0 : mvfs::kFsOpenReadOnly, false, error);
      if (!fs_file && create) fs_file = open_container(container, 0, true, error);
      if (!fs_file) return nullptr;
      FtsFilePtr file = open_internal(fs_file.get(), name, write, create, error);
      if (file && wrapper) *wrapper = std::move(fs_file);
      return file;
    }
    case FtsFileKind::kOsFile: {
      if (path.empty()) break;
      FtsFilePtr file = new_file(kind, write ? FtsFileMode::kWrite : FtsFileMode::kRead);
      if (file->os.open(std::string(path), write ? base::OpenMode::Create : base::OpenMode::Read) !=
          base::OsError::None) {
        FtsSetError(error, write ? kFtsCannotCreate : kFtsNotFound);
        return nullptr;
      }
      return file;
    }
    case FtsFileKind::kWrapper:
      break;
  }
  FtsSetError(error, kFtsBadArgument);
  return nullptr;
}

// Runs the poll callback before a transfer; its non-zero answer becomes the record's code.
int32_t poll_before_transfer(const FtsFile* file, FtsError* error) {
  if (!file->poll) return kFtsOk;
  if (const int32_t code = file->poll(file->pollValue, error)) return FtsSetError(error, code);
  return kFtsOk;
}

// Moves an internal or OS file to `offset`; false where it cannot be reached.
bool seek_to(FtsFile* file, uint64_t offset) {
  if (offset > uint64_t(INT64_MAX)) return false;
  if (file->kind == FtsFileKind::kInternal)
    return mvfs::FsSeekFile(file->internal.get(), int64_t(offset), mvfs::kFsSeekSet) >= 0;
  return file->os.seek(int64_t(offset), base::OsFile::Whence::Begin) == base::OsError::None;
}

bool has_position(const FtsFile* file) {
  return file->kind == FtsFileKind::kInternal || file->kind == FtsFileKind::kOsFile;
}

// Reads at the current position of a file whose poll has already been run.
int64_t read_here(FtsFile* file, void* buffer, size_t count, FtsError* error) {
  switch (file->kind) {
    case FtsFileKind::kWrapper:
      FtsSetErrorCode(error, kFtsOk);
      return 0;
    case FtsFileKind::kFileSystem:
      FtsSetError(error, kFtsDamaged);
      return kFtsTransferFailed;
    case FtsFileKind::kInternal: {
      const int64_t done = mvfs::FsReadFile(file->internal.get(), buffer, int64_t(count));
      if (done < 0) {
        FtsSetError(error, kFtsReadFailed);
        return kFtsTransferFailed;
      }
      FtsSetErrorCode(error, kFtsOk);
      return done;
    }
    case FtsFileKind::kOsFile: {
      size_t total = 0;
      auto* out = static_cast<uint8_t*>(buffer);
      while (total < count) {
        size_t done = 0;
        if (file->os.read(out + total, count - total, done) != base::OsError::None) {
          FtsSetError(error, kFtsReadFailed);
          return kFtsTransferFailed;
        }
        if (done == 0) break;
        total += done;
      }
      FtsSetErrorCode(error, kFtsOk);
      return int64_t(total);
    }
  }
  return kFtsTransferFailed;
}

// Writes at the current position of a file whose poll has already been run.
int32_t write_here(FtsFile* file, const void* buffer, size_t count) {
  switch (file->kind) {
    case FtsFileKind::kWrapper:
      return kFtsOk;
    case FtsFileKind::kInternal:
      return mvfs::FsWriteFile(file->internal.get(), buffer, int64_t(count)) == int64_t(count)
                 ? kFtsOk
                 : kFtsShortWrite;
    case FtsFileKind::kOsFile:
      return file->os.write(buffer, count) == base::OsError::None ? kFtsOk : kFtsShortWrite;
    case FtsFileKind::kFileSystem:
      break;
  }
  return kFtsDamaged;
}

}  // namespace

FtsFilePtr FtsWrapFileSystem(mvfs::TitleFileSystem* fs, FtsError* error) {
  if (!fs) {
    FtsSetError(error, kFtsBadArgument);
    return nullptr;
  }
  FtsFilePtr file = new_file(FtsFileKind::kWrapper, FtsFileMode::kRead);
  file->fs = fs;
  return file;
}

FtsFilePtr FtsFileOpen(FtsFilePtr* wrapper, std::string_view path, std::string_view default_internal,
                       FtsFileKind kind, uint16_t flags, FtsError* error) {
  return open_any(wrapper, path, default_internal, kind, flags, false, error);
}

FtsFilePtr FtsFileAdopt(base::OsFile os) {
  FtsFilePtr file = new_file(FtsFileKind::kOsFile, FtsFileMode::kWrite);
  file->os = std::move(os);
  return file;
}

FtsFilePtr FtsFileCreate(FtsFilePtr* wrapper, std::string_view path, std::string_view default_internal,
                         FtsFileKind kind, FtsError* error) {
  return open_any(wrapper, path, default_internal, kind, 1, true, error);
}

int64_t FtsFileReadAt(FtsFile* file, void* buffer, uint64_t offset, size_t count, FtsError* error) {
  if (!file) return FtsSetError(error, kFtsNullFile), kFtsTransferFailed;
  if (poll_before_transfer(file, error)) return kFtsTransferFailed;
  if (has_position(file) && !seek_to(file, offset)) {
    FtsSetError(error, kFtsSeekFailed);
    return kFtsTransferFailed;
  }
  return read_here(file, buffer, count, error);
}

int64_t FtsFileRead(FtsFile* file, void* buffer, size_t count, FtsError* error) {
  if (!file) return FtsSetError(error, kFtsNullFile), kFtsTransferFailed;
  if (poll_before_transfer(file, error)) return kFtsTransferFailed;
  return read_here(file, buffer, count, error);
}

int64_t FtsFileSeek(FtsFile* file, uint64_t offset, FtsError* error) {
  if (!file) return FtsSetError(error, kFtsNullFile), kFtsTransferFailed;
  if (poll_before_transfer(file, error)) return kFtsTransferFailed;
  switch (file->kind) {
    case FtsFileKind::kWrapper:
      return 0;
    case FtsFileKind::kOsFile:
      if (seek_to(file, offset)) return 0;
      FtsSetError(error, kFtsSeekFailed);
      return kFtsTransferFailed;
    default:
      FtsSetError(error, kFtsDamaged);
      return kFtsTransferFailed;
  }
}

int32_t FtsFileWriteAt(FtsFile* file, const void* buffer, uint64_t offset, size_t count) {
  if (!file) return kFtsBadArgument;
  if (const int32_t code = poll_before_transfer(file, nullptr)) return code;
  if (has_position(file) && !seek_to(file, offset)) return kFtsSeekFailed;
  return write_here(file, buffer, count);
}

int32_t FtsFileWrite(FtsFile* file, const void* buffer, size_t count) {
  if (!file) return kFtsBadArgument;
  if (const int32_t code = poll_before_transfer(file, nullptr)) return code;
  return write_here(file, buffer, count);
}

void FtsFileSetPoll(FtsFile* file, FtsPollCallback poll, intptr_t poll_value) {
  if (!file) return;
  file->poll = poll;
  file->pollValue = poll_value;
}

int32_t FtsFileClose(FtsFilePtr file) {
  if (!file) return kFtsNullFile;
  int32_t code = kFtsOk;
  switch (file->kind) {
    case FtsFileKind::kInternal:
      code = FtsMapFsError(mvfs::FsCloseFile(std::move(file->internal)));
      break;
    case FtsFileKind::kFileSystem:
      // The container closes now unless an internal file opened through it still holds it.
      if (file->ownedFs.use_count() == 1 && file->ownedFs->fs)
        code = FtsMapFsError(mvfs::FsClose(std::move(file->ownedFs->fs)));
      break;
    case FtsFileKind::kOsFile:
      code = file->os.close() == base::OsError::None ? kFtsOk : kFtsDamaged;
      break;
    case FtsFileKind::kWrapper:
      break;
  }
  return code;
}

void FtsFreeWrapper(FtsFilePtr wrapper) { wrapper.reset(); }

bool FtsDeleteFile(std::string_view path) {
  return base::remove_file(std::string(path)) != base::OsError::None;
}

FtsFileKind FtsFileGetKind(const FtsFile* file) { return file ? file->kind : FtsFileKind::kWrapper; }

mvfs::TitleFileSystem* FtsFileSystemOf(const FtsFile* file) {
  return file && (file->kind == FtsFileKind::kWrapper || file->kind == FtsFileKind::kFileSystem) ? file->fs
                                                                                                 : nullptr;
}

}  // namespace fts
