// Result codes of the title layer and the per-thread last-error record.
//
// Every operation of the container, B-tree and moniker code leaves its outcome in the calling thread's
// record (0 on success), so that the code read after a call always describes that call. Records live in
// one process-wide list, so a background thread can report its own errors.
#pragma once

#include <cstdint>

#include "platform/base/os_file.h"

namespace mvfs {

// The 16-bit result codes; 0 is success.
enum FsErrorCode : uint16_t {
  kFsOk = 0,
  kFsFailure = 1,        // size out of range, path cannot be formed, name in use, entry too large
  kFsKeyExists = 2,      // B-tree insertion of a present key
  kFsNotFound = 3,       // no such internal file, key or disk file
  kFsBadFormat = 4,      // a header or offset fails validation, unsupported key type, incomplete read
  kFsNoMapHandle = 5,    // missing handle given to an ordinal-map call
  kFsBadArgument = 6,    // missing handle, negative count, directory file opened twice
  kFsUnavailable = 7,    // operation not available for this key type; image too large
  kFsNoMemory = 8,
  kFsReadOnly = 9,       // writing to a read-only container, file or tree
  kFsBadVersion = 10,
  kFsDiskFull = 11,
  kFsStopped = 18,       // copying stopped by the caller's callback
  kFsCannotCreate = 20,
  kFsSeekFailed = 21,    // also a B-tree page that cannot be reached
  kFsWriteFailed = 22,
  kFsReadFailed = 23,
  kFsNoPosition = 24,    // page index beyond the page count, empty tree, position of -1
  kFsCannotDelete = 25,
  kFsTellFailed = 26,
  kFsCloseFailed = 28,
};

// Stores code, source file and line in the calling thread's record and returns the code (8 when no
// record can be made).
FsErrorCode FsSetError(const char* sourceFile, int32_t line, FsErrorCode code);
// The calling thread's last code; 0 for a thread that never touched the title layer.
FsErrorCode FsGetLastError();
// Frees every record; the list is then empty.
void FsFreeErrorRecords();
// Frees the records whose code is 0, or all of them when `all` is set.
void FsFreeErrorRecordsEx(bool all);

// Where the calling thread's last code was set (diagnosis only); null/0 when none.
const char* FsGetLastErrorFile();
int32_t FsGetLastErrorLine();

// Keeps the calling thread's code across clean-up that must not change it (dropping a handle).
class FsErrorKeeper {
 public:
  FsErrorKeeper();
  ~FsErrorKeeper();
  FsErrorKeeper(const FsErrorKeeper&) = delete;
  FsErrorKeeper& operator=(const FsErrorKeeper&) = delete;

 private:
  FsErrorCode code_;
  const char* sourceFile_;
  int32_t line_;
};

// Operating-system errors in one place: none 0, access denied 9, invalid handle 6, disk full 11,
// everything else `otherwise` (4 unless the caller knows better).
FsErrorCode FsMapOsError(base::OsError error, FsErrorCode otherwise = kFsBadFormat);

}  // namespace mvfs

// Sets the calling thread's code with the current source location; evaluates to the code.
#define FS_SET_ERROR(code) ::mvfs::FsSetError(__FILE__, __LINE__, (code))
