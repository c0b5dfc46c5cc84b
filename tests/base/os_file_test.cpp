#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

#include <filesystem>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(OsFile, CreateWriteSeekReadAndSize) {
  base::OsFile f;
  std::string path;
  ASSERT_EQ(base::create_temp_file("t", ".bin", f, path), base::OsError::None);
  ASSERT_EQ(f.write("hello world", 11), base::OsError::None);
  uint64_t size = 0;
  ASSERT_EQ(f.size(size), base::OsError::None);
  EXPECT_EQ(size, 11u);
  char buf[5];
  ASSERT_EQ(f.read_at(6, buf, 5), base::OsError::None);
  EXPECT_EQ(std::string(buf, 5), "world");
  EXPECT_EQ(f.read_at(8, buf, 5), base::OsError::Io);  // short read
  ASSERT_EQ(f.set_size(5), base::OsError::None);
  ASSERT_EQ(f.size(size), base::OsError::None);
  EXPECT_EQ(size, 5u);
  f.close();
  EXPECT_EQ(base::remove_file(path), base::OsError::None);
  EXPECT_EQ(base::remove_file(path), base::OsError::NotFound);
}

TEST(OsFile, ExclusiveCreateRefusesAnExistingName) {
  base::OsFile a, b;
  std::string path;
  ASSERT_EQ(base::create_temp_file("x", "", a, path), base::OsError::None);
  EXPECT_EQ(b.open(path, base::OpenMode::CreateExclusive), base::OsError::Exists);
  EXPECT_EQ(b.open(path + ".missing", base::OpenMode::Read), base::OsError::NotFound);
}

// An unnamed file reads back what was written and leaves nothing in the folder; a folder that does not
// exist is refused.
TEST(TempFolder, UnnamedFilesLeaveNoName) {
  const auto names = [] {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(base::temp_folder())) ++n;
    return n;
  };
  const size_t before = names();
  base::OsFile f;
  ASSERT_EQ(base::create_unnamed_temp_file(f), base::OsError::None);
  ASSERT_EQ(f.write_at(0, "abc", 3), base::OsError::None);
  char back[3] = {};
  ASSERT_EQ(f.read_at(0, back, 3), base::OsError::None);
  EXPECT_EQ(std::string(back, 3), "abc");
  EXPECT_EQ(names(), before);
  EXPECT_NE(f.open_unnamed(base::temp_folder() + "/missing"), base::OsError::None);
}

TEST(TempFolder, IsPrivate) {
  struct stat st;
  ASSERT_EQ(::stat(base::temp_folder().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(OsFile, AtomicWriteReplacesWholeFile) {
  std::string path = base::temp_folder() + "/atomic.txt";
  const uint8_t a[] = {1, 2, 3}, b[] = {4, 5};
  ASSERT_EQ(base::write_file_atomic(path, a), base::OsError::None);
  ASSERT_EQ(base::write_file_atomic(path, b), base::OsError::None);
  std::vector<uint8_t> back;
  ASSERT_EQ(base::read_file(path, back), base::OsError::None);
  EXPECT_EQ(back, std::vector<uint8_t>({4, 5}));
  EXPECT_EQ(base::read_file(path, back, 1), base::OsError::Invalid);
}

TEST(OsFile, AtomicWriteRemovesTemporariesOfDeadWritersOnly) {
  std::string path = base::temp_folder() + "/stale.ini";
  // A process id that is not running (above the kernel's limit) and our own, which is live.
  const std::string dead = path + ".tmp4194305_0";
  const std::string live = path + ".tmp" + std::to_string(::getpid()) + "_7";
  const std::string other = path + ".tmpx_1";
  for (const std::string& name : {dead, live, other}) {
    base::OsFile f;
    ASSERT_EQ(f.open(name, base::OpenMode::Create), base::OsError::None);
  }
  const uint8_t bytes[] = {1};
  ASSERT_EQ(base::write_file_atomic(path, bytes), base::OsError::None);
  EXPECT_FALSE(base::file_exists(dead));
  EXPECT_TRUE(base::file_exists(live));
  EXPECT_TRUE(base::file_exists(other));
}

}  // namespace
