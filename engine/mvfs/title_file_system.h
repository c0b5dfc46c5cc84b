// Reading a title container: the container handle, its internal files and their reads.
//
// A title is one disk file holding a small file system: a 16-byte header, a directory B-tree mapping
// names to internal files, the internal files (a 9-byte header and their bytes) and a chain of free
// blocks. Handles are owned through the *Ptr types; dropping a handle does what its close call does.
// Internal files and B-trees of a container must be closed before the container.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/mvfs/file_moniker.h"
#include "engine/mvfs/fs_error.h"

namespace mvfs {

struct TitleFileSystem;
struct InternalFileHandle;

struct TitleFileSystemCloser {
  void operator()(TitleFileSystem* fs) const;
};
struct InternalFileCloser {
  void operator()(InternalFileHandle* file) const;
};
using TitleFileSystemPtr = std::unique_ptr<TitleFileSystem, TitleFileSystemCloser>;
using InternalFilePtr = std::unique_ptr<InternalFileHandle, InternalFileCloser>;

// Open flags of containers, internal files and B-trees.
enum FsOpenFlags : uint16_t {
  kFsOpenReadOnly = 2,
  kFsOpenDirectory = 4,  // the directory file itself (the name is then ignored)
  kFsOpenAligned = 32,   // written data starts on a 2048-byte boundary (authoring)
  kFsOpenNoWriteBack = 64,  // a commit does not write back the container (authoring)
};

// Seek origins of FsSeekFile.
enum FsSeekOrigin : int { kFsSeekSet = 0, kFsSeekCurrent = 1, kFsSeekEnd = 2 };

TitleFileSystemPtr FsOpen(const FileMoniker* moniker, uint16_t flags);
// Writes back what changed, closes the OS file and frees the handle.
FsErrorCode FsClose(TitleFileSystemPtr fs);
// Flag 2 also writes the directory's changed pages and drops its cache; flag 1 also closes the OS file
// (reopened by the next access).
FsErrorCode FsFlush(TitleFileSystem* fs, uint16_t flags);
bool FsFileExists(TitleFileSystem* fs, const char* name);
// The title file's moniker.
const FileMoniker* FsGetMoniker(const TitleFileSystem* fs);

InternalFilePtr FsOpenFile(TitleFileSystem* fs, const char* name, uint16_t flags);
// Ends the file (commits a written file) and frees its handle.
FsErrorCode FsCloseFile(InternalFilePtr file);
// As FsCloseFile, committing a written file with the given alignment hint.
FsErrorCode FsCloseFileEx(InternalFilePtr file, int32_t alignHint);
// Commits a written file and keeps the handle open.
FsErrorCode FsFlushFile(InternalFileHandle* file);

// Bytes read, 0 at the end of the file, -1 on failure.
int64_t FsReadFile(InternalFileHandle* file, void* buffer, int64_t count);
// New position or -1.
int64_t FsSeekFile(InternalFileHandle* file, int64_t offset, int origin);
int64_t FsTellFile(const InternalFileHandle* file);
bool FsAtEndOfFile(const InternalFileHandle* file);
int64_t FsGetFileSize(const InternalFileHandle* file);

// What FsReadWholeFile found.
enum class FsWholeFile { kRead, kNotOpened, kTooLarge, kFailed };
// Reads all of the internal file `name`, opened read-only, into `bytes` when it holds no more than
// `maxSize` bytes, and closes it again. After kNotOpened, FsGetLastError tells why.
FsWholeFile FsReadWholeFile(TitleFileSystem* fs, const char* name, int64_t maxSize, std::vector<uint8_t>& bytes);

}  // namespace mvfs
