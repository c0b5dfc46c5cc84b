// Writing title containers: creating containers and internal files, writing, committing, abandoning,
// deleting and renaming files, and copying disk files in.
//
// An internal file being written keeps its whole new contents (9-byte header and data) in a temporary
// disk file until it is committed; the container only changes at the commit.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/mvfs/title_file_system.h"

namespace mvfs {

struct FsCreateParams {
  uint16_t directoryPageSize = 0;  // 0 means 1024
};

// Creates the disk file; the header and directory are written when the container is flushed or closed.
TitleFileSystemPtr FsCreate(const FileMoniker* moniker, const FsCreateParams* params);
// Deletes a container file after checking its magic (4 when it is not a container).
FsErrorCode FsDestroy(const FileMoniker* moniker);

// Flag bit 0 of `flags` marks the new file read-only; kFsOpenDirectory creates the directory file;
// kFsOpenAligned places its data on a 2048-byte boundary; kFsOpenNoWriteBack skips writing back the
// container at the commit.
InternalFilePtr FsCreateFile(TitleFileSystem* fs, const char* name, uint16_t flags);
// Bytes written or -1.
int64_t FsWriteFile(InternalFileHandle* file, const void* buffer, int64_t count);
bool FsSetFileSize(InternalFileHandle* file, int64_t size);
// Moves the written contents into the container; the handle stays open as a committed file.
bool FsCommitFile(InternalFileHandle* file, int32_t alignHint);
// Drops the written contents and frees the handle.
FsErrorCode FsAbandonFile(InternalFilePtr file);
FsErrorCode FsDeleteFile(TitleFileSystem* fs, const char* name);
FsErrorCode FsRenameFile(TitleFileSystem* fs, const char* oldName, const char* newName);

// Called with 0 before each piece of a copy; a non-zero answer stops the copy with 18.
using FsCopyCallback = std::function<int(int)>;
FsErrorCode FsAddDiskFile(TitleFileSystem* fs, const char* name, const FileMoniker* diskFile,
                          int32_t alignHint, uint8_t fileFlags, const FsCopyCallback& callback,
                          bool replace);

}  // namespace mvfs
