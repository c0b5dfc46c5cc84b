// The title layer's operating-system file calls over base::OsFile.
#include "engine/mvfs/os_file_layer.h"

#include <sys/stat.h>

#include <algorithm>

namespace mvfs {
namespace {

// Each system call moves at most this many bytes; the loops go on until the count is done.
constexpr int64_t kPieceSize = 65534;

base::OsFile openWith(const FileMoniker* moniker, base::OpenMode mode) {
  base::OsFile file;
  if (!moniker) {
    FS_SET_ERROR(kFsBadArgument);
    return file;
  }
  base::OsError e = file.open(moniker->path(), mode);
  if (e == base::OsError::None) {
    FS_SET_ERROR(kFsOk);
  } else if (e == base::OsError::NotFound) {
    FS_SET_ERROR(kFsNotFound);
  } else {
    FS_SET_ERROR(FsMapOsError(e));
  }
  return file;
}

}  // namespace

base::OsFile FidOpen(const FileMoniker* moniker, uint16_t mode) {
  const base::OpenMode access = (mode & 3) == kFidRead ? base::OpenMode::Read : base::OpenMode::ReadWrite;
  return openWith(moniker, access);
}

base::OsFile FidCreate(const FileMoniker* moniker, uint16_t mode) {
  base::OsFile file = openWith(moniker, base::OpenMode::Create);
  if (!file.is_open()) {
    if (moniker) FS_SET_ERROR(kFsCannotCreate);
    return file;
  }
  if (mode == 1) ::fchmod(file.fd(), 0444);
  return file;
}

int64_t FidRead(base::OsFile& file, void* buffer, int64_t count) {
  if (count < 0) {
    FS_SET_ERROR(kFsBadArgument);
    return -1;
  }
  auto* out = static_cast<uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const size_t piece = size_t(std::min(kPieceSize, count - done));
    size_t got = 0;
    if (file.read(out + done, piece, got) != base::OsError::None) {
      FS_SET_ERROR(kFsReadFailed);
      return done ? done : -1;
    }
    done += int64_t(got);
    if (got < piece) break;
  }
  FS_SET_ERROR(kFsOk);
  return done;
}

int64_t FidWrite(base::OsFile& file, const void* buffer, int64_t count) {
  if (count < 0) {
    FS_SET_ERROR(kFsBadArgument);
    return -1;
  }
  const auto* in = static_cast<const uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    const size_t piece = size_t(std::min(kPieceSize, count - done));
    base::OsError e = file.write(in + done, piece);
    if (e != base::OsError::None) {
      FS_SET_ERROR(FsMapOsError(e, kFsDiskFull));
      return done ? done : -1;
    }
    done += int64_t(piece);
  }
  FS_SET_ERROR(kFsOk);
  return done;
}

int64_t FidSeek(base::OsFile& file, int64_t offset, int origin) {
  using W = base::OsFile::Whence;
  const W whence = origin == 0 ? W::Begin : origin == 1 ? W::Current : W::End;
  uint64_t pos = 0;
  if (origin < 0 || origin > 2 || file.seek(offset, whence, &pos) != base::OsError::None) {
    FS_SET_ERROR(kFsSeekFailed);
    return -1;
  }
  FS_SET_ERROR(kFsOk);
  return int64_t(pos);
}

int64_t FidTell(base::OsFile& file) {
  uint64_t pos = 0;
  if (file.tell(pos) != base::OsError::None) {
    FS_SET_ERROR(kFsTellFailed);
    return -1;
  }
  FS_SET_ERROR(kFsOk);
  return int64_t(pos);
}

bool FidClose(base::OsFile& file) {
  if (file.close() != base::OsError::None) {
    FS_SET_ERROR(kFsCloseFailed);
    return false;
  }
  FS_SET_ERROR(kFsOk);
  return true;
}

bool FidDelete(const FileMoniker* moniker) {
  if (!moniker || base::remove_file(moniker->path()) != base::OsError::None) {
    FS_SET_ERROR(kFsCannotDelete);
    return false;
  }
  FS_SET_ERROR(kFsOk);
  return true;
}

bool FidSetSize(base::OsFile&, int64_t) {
  FS_SET_ERROR(kFsOk);
  return true;
}

}  // namespace mvfs
