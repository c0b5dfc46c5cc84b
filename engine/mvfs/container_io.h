// Container-level services shared by the reading and writing code: positional I/O on the title file,
// directory lookups, ending internal files and writing the container back.
#pragma once

#include <cstdint>

#include "engine/mvfs/handles.h"

namespace mvfs {

// Opens the title file when the handle holds none (4 for a file shorter than its header).
FsErrorCode EnsureOsFile(TitleFileSystem* fs);
// Reads or writes bytes of the title file at an absolute offset; a failed read is retried once after
// reopening the file. Codes are left in the error record too.
FsErrorCode ContainerRead(TitleFileSystem* fs, int64_t offset, void* out, size_t size);
FsErrorCode ContainerWrite(TitleFileSystem* fs, int64_t offset, const void* data, size_t size);
// The offset of an internal file's header, from the directory.
FsErrorCode DirectoryLookup(TitleFileSystem* fs, const char* name, int32_t& offset);
// Reads and validates the internal-file header at `offset`.
FsErrorCode ReadInternalFileHeader(TitleFileSystem* fs, int64_t offset, FileHeader& header);

// Commits a written file (authoring); a no-op for a file that was only read.
FsErrorCode CommitInternalFile(InternalFileHandle* file, int32_t alignHint);
// Deletes the temporary file of a written file and forgets its new contents.
void DropTemporaryFile(InternalFileHandle* file);
// Writes back the directory (its pages and its file) and a changed header.
FsErrorCode WriteBackContainer(TitleFileSystem* fs);

}  // namespace mvfs
