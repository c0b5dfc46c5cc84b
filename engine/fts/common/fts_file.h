// The full-text file layer: one handle type over three kinds of file, with reads and writes at an
// offset and the cooperative poll callback called before every transfer.
//
// Kinds:
//   0 a wrapper around a caller's title file system (not owned); it transfers nothing and is the
//     "wrapper" through which internal files of that title are opened;
//   1 a title file system opened here (owned); it is not read as a stream;
//   2 an internal file of a title file system;
//   3 an operating-system file.
// An internal file opened through a kind-1 wrapper keeps that container alive until both are closed,
// so closing them in either order is safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/fts/common/fts_error.h"
#include "engine/mvfs/title_file_system.h"
#include "platform/base/os_file.h"

namespace fts {

// The application's routine, called with its poll value and the operation's error record before every
// transfer: 0 lets the transfer proceed; any other value fails it and becomes the record's code.
using FtsPollCallback = int32_t (*)(intptr_t poll_value, FtsError* record);

enum class FtsFileKind : uint8_t { kWrapper = 0, kFileSystem = 1, kInternal = 2, kOsFile = 3 };
enum class FtsFileMode : uint8_t { kRead = 0, kWrite = 2 };

// Result of the byte-count transfers on failure (the record tells why).
inline constexpr int64_t kFtsTransferFailed = -1;

class FtsFile;
struct FtsFileCloser {
  void operator()(FtsFile* file) const;
};
using FtsFilePtr = std::unique_ptr<FtsFile, FtsFileCloser>;

// A kind-0 wrapper around `fs`, which stays the caller's; null with 2004 when memory fails (2015 for a
// null file system).
FtsFilePtr FtsWrapFileSystem(mvfs::TitleFileSystem* fs, FtsError* error);

// Opens a file of the given kind. `wrapper` (may be null) is the in/out slot of a kind-0 or kind-1 file
// through which a kind-2 file is opened; when it is empty, a kind-2 name "container!internal" (or the
// container and `default_internal`) opens the container as a kind-1 file into the slot. For kind 1,
// `flags` are the file-system open flags; for the other kinds a non-zero `flags` opens for writing.
// Codes: 2015 null path, 2004 memory, 2023 (reading) or 2027 (writing) when the file does not open,
// the mapped file-system code when a container does not open.
FtsFilePtr FtsFileOpen(FtsFilePtr* wrapper, std::string_view path, std::string_view default_internal,
                       FtsFileKind kind, uint16_t flags, FtsError* error);
// As FtsFileOpen, creating the file for writing (kind 1 a new container, kind 2 a new internal file,
// kind 3 a new operating-system file).
FtsFilePtr FtsFileCreate(FtsFilePtr* wrapper, std::string_view path, std::string_view default_internal,
                         FtsFileKind kind, FtsError* error);

// Takes an open operating-system file (read and write) as a kind-3 file.
FtsFilePtr FtsFileAdopt(base::OsFile os);

// Bytes read (short at the end of the file) or kFtsTransferFailed. A successful read clears the
// record's code. Kind 0 reads nothing and succeeds; kind 1 fails with 2022.
int64_t FtsFileReadAt(FtsFile* file, void* buffer, uint64_t offset, size_t count, FtsError* error);
int64_t FtsFileRead(FtsFile* file, void* buffer, size_t count, FtsError* error);
// 0 or kFtsTransferFailed. Works for kind 3, is a no-op success for kind 0 and fails with 2022 for the
// other kinds (they are read at an offset).
int64_t FtsFileSeek(FtsFile* file, uint64_t offset, FtsError* error);
// 0 or a code: 2005 short write, 2026 seek, 2022 wrong kind, 2015 null file, or the poll callback's.
int32_t FtsFileWriteAt(FtsFile* file, const void* buffer, uint64_t offset, size_t count);
int32_t FtsFileWrite(FtsFile* file, const void* buffer, size_t count);
void FtsFileSetPoll(FtsFile* file, FtsPollCallback poll, intptr_t poll_value);
// Closes by kind and frees the handle; the mapped close code, 2031 for a null file.
int32_t FtsFileClose(FtsFilePtr file);
// Frees a kind-0 wrapper without touching the caller's file system.
void FtsFreeWrapper(FtsFilePtr wrapper);
// Deletes an operating-system file; true when the deletion failed.
bool FtsDeleteFile(std::string_view path);

FtsFileKind FtsFileGetKind(const FtsFile* file);
// The title file system of a kind-0 or kind-1 file, else null.
mvfs::TitleFileSystem* FtsFileSystemOf(const FtsFile* file);

}  // namespace fts
