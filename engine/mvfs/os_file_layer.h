// The title layer's operating-system file calls, over base::OsFile, reporting through the per-thread
// error record. Sharing modes of the mode bits are accepted and not enforced.
#pragma once

#include <cstdint>

#include "engine/mvfs/file_moniker.h"
#include "platform/base/os_file.h"

namespace mvfs {

// Mode bits 0-1: 1 read, 2 write, 3 read and write; bits 2-3: sharing (ignored).
enum FidMode : uint16_t { kFidRead = 1, kFidWrite = 2, kFidReadWrite = 3, kFidDenyWrite = 4 };

// An open file, or a closed one (is_open() false) on failure.
base::OsFile FidOpen(const FileMoniker* moniker, uint16_t mode);
// Creates or truncates; mode 1 makes the file read-only for its owner, modes 2 and 3 a normal file.
base::OsFile FidCreate(const FileMoniker* moniker, uint16_t mode);
// Bytes moved, or -1 when the first piece fails.
int64_t FidRead(base::OsFile& file, void* buffer, int64_t count);
int64_t FidWrite(base::OsFile& file, const void* buffer, int64_t count);
// New offset or -1 (21); origin 0 start, 1 current, 2 end.
int64_t FidSeek(base::OsFile& file, int64_t offset, int origin);
int64_t FidTell(base::OsFile& file);
bool FidClose(base::OsFile& file);
bool FidDelete(const FileMoniker* moniker);
// Accepted and does nothing.
bool FidSetSize(base::OsFile& file, int64_t size);

}  // namespace mvfs
