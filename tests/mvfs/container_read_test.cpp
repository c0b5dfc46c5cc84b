// Reading containers: header validation, directory lookups, reads and seeks, with hand-made images.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/mvfs/title_file_system.h"
#include "platform/base/byte_io.h"
#include "tests/mvfs/title_fixture.h"

namespace mvfs {
namespace {

using testing::Bytes;
using testing::Moniker;
using testing::RawContainer;
using testing::ScratchFolder;
using testing::WriteBytes;

class ContainerRead : public ::testing::Test {
 protected:
  // Opens a hand-made image read-only.
  TitleFileSystemPtr open(const std::vector<uint8_t>& image) {
    WriteBytes(path_, image);
    return FsOpen(Moniker(path_).get(), kFsOpenReadOnly);
  }
  std::vector<uint8_t> sample() {
    std::string hundred(100, 'x');
    for (int i = 0; i < 100; ++i) hundred[size_t(i)] = char('0' + i % 10);
    return RawContainer({{"|SYSTEM", Bytes("sys")}, {"|TOPIC", Bytes(hundred)}, {"pic.bmp", Bytes("BM")}});
  }
  ScratchFolder folder_;
  std::string path_ = folder_.file("title.m14");
};

TEST_F(ContainerRead, ReadsFilesOfAHandMadeImage) {
  TitleFileSystemPtr fs = open(sample());
  ASSERT_TRUE(fs) << FsGetLastError();
  EXPECT_EQ(testing::ReadInternal(fs.get(), "|SYSTEM"), "sys");
  EXPECT_EQ(testing::ReadInternal(fs.get(), "pic.bmp"), "BM");
  EXPECT_TRUE(FsFileExists(fs.get(), "|TOPIC"));
  EXPECT_FALSE(FsFileExists(fs.get(), "|topic"));  // names compare as bytes
  EXPECT_FALSE(FsOpenFile(fs.get(), "|NOPE", kFsOpenReadOnly));
  EXPECT_EQ(FsGetLastError(), kFsNotFound);
  EXPECT_EQ(FsClose(std::move(fs)), kFsOk);
}

TEST_F(ContainerRead, HeaderValidation) {
  struct Case {
    const char* what;
    size_t at;
    std::vector<uint8_t> bytes;
    FsErrorCode expected;
  };
  const Case cases[] = {
      {"version 2", 2, {2}, kFsBadVersion},
      {"swapped magic", 0, {0x5F, 0x3F}, kFsBadFormat},
      {"free offset 8", 8, {8, 0, 0, 0}, kFsBadFormat},
      {"free offset -1", 8, {0xFF, 0xFF, 0xFF, 0xFF}, kFsOk},
      {"directory below 16", 4, {15, 0, 0, 0}, kFsBadFormat},
      {"size below directory", 12, {15, 0, 0, 0}, kFsBadFormat},
      {"negative size", 12, {0, 0, 0, 0x80}, kFsBadFormat},
      {"directory past the end", 4, {0xF0, 0xFF, 0xFF, 0x7F}, kFsBadFormat},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> image = sample();
    std::copy(c.bytes.begin(), c.bytes.end(), image.begin() + std::ptrdiff_t(c.at));
    TitleFileSystemPtr fs = open(image);
    EXPECT_EQ(FsGetLastError(), c.expected) << c.what;
    EXPECT_EQ(bool(fs), c.expected == kFsOk) << c.what;
  }
}

TEST_F(ContainerRead, ShortFilesAndMissingFiles) {
  EXPECT_FALSE(open({0x3F, 0x5F, 3}));
  EXPECT_EQ(FsGetLastError(), kFsBadFormat);
  EXPECT_FALSE(FsOpen(Moniker(folder_.file("absent")).get(), kFsOpenReadOnly));
  EXPECT_EQ(FsGetLastError(), kFsNotFound);
  EXPECT_FALSE(FsOpen(nullptr, kFsOpenReadOnly));
  EXPECT_EQ(FsGetLastError(), kFsBadArgument);
}

TEST_F(ContainerRead, ReadsAndSeeks) {
  TitleFileSystemPtr fs = open(sample());
  ASSERT_TRUE(fs);
  InternalFilePtr file = FsOpenFile(fs.get(), "|TOPIC", kFsOpenReadOnly);
  ASSERT_TRUE(file);
  EXPECT_EQ(FsGetFileSize(file.get()), 100);
  char buffer[100];
  EXPECT_EQ(FsSeekFile(file.get(), 90, kFsSeekSet), 90);
  EXPECT_EQ(FsReadFile(file.get(), buffer, 100), 10);
  EXPECT_EQ(buffer[0], '0');
  EXPECT_TRUE(FsAtEndOfFile(file.get()));
  EXPECT_EQ(FsReadFile(file.get(), buffer, 100), 0);
  EXPECT_EQ(FsGetLastError(), kFsOk);

  EXPECT_EQ(FsSeekFile(file.get(), -1, kFsSeekEnd), 99);
  EXPECT_EQ(FsSeekFile(file.get(), -1, kFsSeekSet), -1);
  EXPECT_EQ(FsGetLastError(), kFsBadFormat);
  EXPECT_EQ(FsTellFile(file.get()), 99);
  EXPECT_EQ(FsSeekFile(file.get(), 0, 3), -1);
  EXPECT_EQ(FsSeekFile(file.get(), 500, kFsSeekSet), 500);  // accepted; reads there give 0
  EXPECT_EQ(FsReadFile(file.get(), buffer, 10), 0);
  EXPECT_EQ(FsSeekFile(file.get(), INT64_MAX, kFsSeekCurrent), -1);
  EXPECT_EQ(FsReadFile(file.get(), buffer, -1), -1);
  EXPECT_EQ(FsGetLastError(), kFsBadArgument);
}

TEST_F(ContainerRead, DirectoryFileOpensOnce) {
  TitleFileSystemPtr fs = open(sample());
  ASSERT_TRUE(fs);
  // The open directory tree holds the directory file already.
  EXPECT_FALSE(FsOpenFile(fs.get(), nullptr, kFsOpenReadOnly | kFsOpenDirectory));
  EXPECT_EQ(FsGetLastError(), kFsBadArgument);
}

TEST_F(ContainerRead, ReadOnlyContainerRefusesWriteAccess) {
  TitleFileSystemPtr fs = open(sample());
  ASSERT_TRUE(fs);
  EXPECT_FALSE(FsOpenFile(fs.get(), "|SYSTEM", 0));
  EXPECT_EQ(FsGetLastError(), kFsReadOnly);
}

TEST_F(ContainerRead, ReadOnlyFileRefusesWriteAccessInAWritableContainer) {
  std::vector<uint8_t> image = sample();
  // Files follow the directory in name order: "pic.bmp" (2 bytes), "|SYSTEM", "|TOPIC".
  const size_t systemAt = 16 + 9 + 38 + 64 + 9 + 2;
  image[systemAt + 8] = 1;
  WriteBytes(path_, image);
  TitleFileSystemPtr fs = FsOpen(Moniker(path_).get(), 0);
  ASSERT_TRUE(fs) << FsGetLastError();
  EXPECT_FALSE(FsOpenFile(fs.get(), "|SYSTEM", 0));
  EXPECT_EQ(FsGetLastError(), kFsReadOnly);
  EXPECT_TRUE(FsOpenFile(fs.get(), "|SYSTEM", kFsOpenReadOnly));
}

// File headers whose offsets pass the container, including sums that overflow 32 bits.
TEST_F(ContainerRead, DamagedFileHeadersAreFormatErrors) {
  const size_t topicAt = 16 + 9 + 38 + 64 + 9 + 2 + 9 + 3;
  struct Case {
    const char* what;
    int32_t allocated, used;
  };
  const Case cases[] = {
      {"negative used size", 200, -1},
      {"allocated below used + 9", 100, 100},
      {"block past the container", 100000, 100},
      {"offset + allocated overflows", 0x7FFFFFF0, 100},
      {"used + 9 overflows", 0x7FFFFFFF, 0x7FFFFFFF},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> image = sample();
    base::store_le32(image.data() + topicAt, uint32_t(c.allocated));
    base::store_le32(image.data() + topicAt + 4, uint32_t(c.used));
    TitleFileSystemPtr fs = open(image);
    ASSERT_TRUE(fs);
    EXPECT_FALSE(FsOpenFile(fs.get(), "|TOPIC", kFsOpenReadOnly)) << c.what;
    EXPECT_EQ(FsGetLastError(), kFsBadFormat) << c.what;
  }
}

TEST_F(ContainerRead, DirectoryOffsetPastTheContainer) {
  std::vector<uint8_t> image = sample();
  // The "|SYSTEM" record (leaf entries: "pic.bmp\0" + 4 bytes, then "|SYSTEM\0") points far outside.
  const size_t record = 16 + 9 + 38 + 8 + 12 + 8;
  base::store_le32(image.data() + record, 0x7FFFFFFF);
  TitleFileSystemPtr fs = open(image);
  ASSERT_TRUE(fs);
  EXPECT_FALSE(FsOpenFile(fs.get(), "|SYSTEM", kFsOpenReadOnly));
  EXPECT_EQ(FsGetLastError(), kFsBadFormat);
}

TEST_F(ContainerRead, DirectoryOfAnotherFormatIsRefused) {
  std::vector<uint8_t> image = sample();
  image[16 + 9 + 6] = 'L';  // key type of the directory tree
  EXPECT_FALSE(open(image));
  EXPECT_EQ(FsGetLastError(), kFsBadFormat);
}

TEST_F(ContainerRead, TruncatedTitleFailsReadsCleanly) {
  std::vector<uint8_t> image = sample();
  image.resize(image.size() - 50);  // the header still claims the old size
  TitleFileSystemPtr fs = open(image);
  ASSERT_TRUE(fs);
  InternalFilePtr file = FsOpenFile(fs.get(), "|TOPIC", kFsOpenReadOnly);
  ASSERT_TRUE(file);
  char buffer[100];
  EXPECT_EQ(FsReadFile(file.get(), buffer, 100), -1);
  EXPECT_EQ(FsGetLastError(), kFsBadFormat);
}

}  // namespace
}  // namespace mvfs

namespace mvfs {
namespace {

// The title file may be closed between accesses; the next access opens it again, and a title file
// that went away answers cleanly.
TEST(ContainerReopen, AccessAfterTheFileWasClosed) {
  testing::ScratchFolder folder;
  const std::string path = folder.file("t.m14");
  testing::WriteBytes(path, testing::RawContainer({{"a", testing::Bytes("abc")}}));
  TitleFileSystemPtr fs = FsOpen(testing::Moniker(path).get(), kFsOpenReadOnly);
  ASSERT_TRUE(fs);
  ASSERT_EQ(FsFlush(fs.get(), 1), kFsOk);
  EXPECT_EQ(testing::ReadInternal(fs.get(), "a"), "abc");
  ASSERT_EQ(FsFlush(fs.get(), 1), kFsOk);
  std::filesystem::remove(path);
  EXPECT_FALSE(FsFileExists(fs.get(), "a"));
  EXPECT_EQ(FsGetLastError(), kFsNotFound);
  EXPECT_FALSE(FsOpenFile(fs.get(), "a", kFsOpenReadOnly));
}

}  // namespace
}  // namespace mvfs
