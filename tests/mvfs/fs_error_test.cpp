// The per-thread last-error record.
#include <gtest/gtest.h>

#include <thread>

#include "engine/mvfs/fs_error.h"

namespace mvfs {
namespace {

TEST(FsError, EachThreadHasItsOwnRecord) {
  EXPECT_EQ(FS_SET_ERROR(kFsNotFound), kFsNotFound);
  EXPECT_EQ(FsGetLastError(), kFsNotFound);
  FsErrorCode seen = kFsFailure;
  std::thread([&seen] {
    seen = FsGetLastError();  // a thread that never touched the layer reads 0
    FS_SET_ERROR(kFsDiskFull);
  }).join();
  EXPECT_EQ(seen, kFsOk);
  EXPECT_EQ(FsGetLastError(), kFsNotFound);
  EXPECT_NE(FsGetLastErrorFile(), nullptr);
  EXPECT_GT(FsGetLastErrorLine(), 0);
}

TEST(FsError, FreeingRecords) {
  FS_SET_ERROR(kFsBadFormat);
  FsFreeErrorRecordsEx(false);  // keeps records with a code
  EXPECT_EQ(FsGetLastError(), kFsBadFormat);
  FsFreeErrorRecords();
  EXPECT_EQ(FsGetLastError(), kFsOk);
}

TEST(FsError, OsErrorsMapInOnePlace) {
  EXPECT_EQ(FsMapOsError(base::OsError::None), kFsOk);
  EXPECT_EQ(FsMapOsError(base::OsError::Access), kFsReadOnly);
  EXPECT_EQ(FsMapOsError(base::OsError::Invalid), kFsBadArgument);
  EXPECT_EQ(FsMapOsError(base::OsError::NoSpace), kFsDiskFull);
  EXPECT_EQ(FsMapOsError(base::OsError::Io), kFsBadFormat);
}

}  // namespace
}  // namespace mvfs
