// Writing containers: block placement, the free-block chain, commits, renames, imports; checked
// against the stored bytes and read back through the reader.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/mvfs/btree_authoring.h"
#include "engine/mvfs/fs_authoring.h"
#include "engine/mvfs/handles.h"
#include "platform/base/byte_io.h"
#include "tests/mvfs/title_fixture.h"

namespace mvfs {
namespace {

using testing::Moniker;
using testing::ReadBytes;
using testing::ReadInternal;
using testing::ScratchFolder;

struct StoredHeader {
  int32_t directory, freeList, size;
};

class ContainerWrite : public ::testing::Test {
 protected:
  TitleFileSystemPtr create(uint16_t pageSize = 0) {
    FsCreateParams params{pageSize};
    return FsCreate(Moniker(path_).get(), &params);
  }
  TitleFileSystemPtr reopen(uint16_t flags = 0) { return FsOpen(Moniker(path_).get(), flags); }
  // Creates and commits a file without writing back the container; answers the file's offset.
  void add(TitleFileSystem* fs, const char* name, const std::string& data, uint16_t flags = kFsOpenNoWriteBack,
           int32_t hint = 0) {
    InternalFilePtr file = FsCreateFile(fs, name, flags);
    ASSERT_TRUE(file);
    ASSERT_EQ(FsWriteFile(file.get(), data.data(), int64_t(data.size())), int64_t(data.size()));
    ASSERT_TRUE(FsCommitFile(file.get(), hint)) << FsGetLastError();
  }
  StoredHeader header() {
    const std::vector<uint8_t> b = ReadBytes(path_);
    return {int32_t(base::load_le32(&b[4])), int32_t(base::load_le32(&b[8])), int32_t(base::load_le32(&b[12]))};
  }
  int32_t at(size_t offset) { return int32_t(base::load_le32(&ReadBytes(path_)[offset])); }

  ScratchFolder folder_;
  std::string path_ = folder_.file("t.m14");
};

TEST_F(ContainerWrite, FirstFileGoesAtSixteen) {
  TitleFileSystemPtr fs = create();
  ASSERT_TRUE(fs);
  add(fs.get(), "a", std::string(100, 'a'));
  ASSERT_EQ(FsClose(std::move(fs)), kFsOk);
  EXPECT_EQ(at(16), 109);  // allocated
  EXPECT_EQ(at(20), 100);  // used
  const StoredHeader h = header();
  EXPECT_EQ(h.directory, 125);  // the directory follows the file, at the old end 125
  EXPECT_EQ(h.freeList, -1);
  EXPECT_EQ(h.size, 125 + 9 + 38 + 1024);
  TitleFileSystemPtr again = reopen(kFsOpenReadOnly);
  ASSERT_TRUE(again);
  EXPECT_EQ(ReadInternal(again.get(), "a"), std::string(100, 'a'));
}

TEST_F(ContainerWrite, DeletingTheLastBlockShrinksTheContainer) {
  TitleFileSystemPtr fs = create();
  add(fs.get(), "a", std::string(100, 'a'));
  ASSERT_EQ(FsFlush(fs.get(), 0), kFsOk);
  const int32_t sizeBefore = header().size;
  add(fs.get(), "b", std::string(50, 'b'));
  ASSERT_EQ(FsDeleteFile(fs.get(), "b"), kFsOk);
  EXPECT_EQ(header().size, sizeBefore);
  EXPECT_EQ(header().freeList, -1);
}

TEST_F(ContainerWrite, AdjacentFreeBlocksMerge) {
  TitleFileSystemPtr fs = create();
  add(fs.get(), "a", std::string(91, 'a'));   // block of 100 at 16
  add(fs.get(), "b", std::string(191, 'b'));  // block of 200 at 116
  add(fs.get(), "c", std::string(10, 'c'));
  ASSERT_EQ(FsDeleteFile(fs.get(), "a"), kFsOk);
  ASSERT_EQ(FsDeleteFile(fs.get(), "b"), kFsOk);
  EXPECT_EQ(header().freeList, 16);
  EXPECT_EQ(at(16), 300);
  EXPECT_EQ(at(20), -1);
  // A file that fits takes the merged block whole.
  add(fs.get(), "d", std::string(250, 'd'));
  ASSERT_EQ(FsFlush(fs.get(), 0), kFsOk);
  EXPECT_EQ(header().freeList, -1);
  EXPECT_EQ(at(16), 300);
  ASSERT_EQ(FsClose(std::move(fs)), kFsOk);
  TitleFileSystemPtr again = reopen(kFsOpenReadOnly);
  EXPECT_EQ(ReadInternal(again.get(), "d"), std::string(250, 'd'));
  EXPECT_EQ(ReadInternal(again.get(), "c"), std::string(10, 'c'));
}

TEST_F(ContainerWrite, AlignedTreePagesStartOn2048) {
  TitleFileSystemPtr fs = create();
  BtCreateParams params;
  params.fs = fs.get();
  params.flags = kFsOpenAligned | kFsOpenNoWriteBack;
  BtreePtr tree = BtCreate("|KWBTREE", params);
  ASSERT_TRUE(tree);
  const uint8_t record[4] = {1, 2, 3, 4};
  ASSERT_EQ(BtInsert(tree.get(), "key", record), kFsOk);
  ASSERT_EQ(BtClose(std::move(tree)), kFsOk);
  ASSERT_EQ(FsClose(std::move(fs)), kFsOk);
  const std::vector<uint8_t> b = ReadBytes(path_);
  // 16 + 9 + 38 = 63, so 2048 - 63 = 1985 bytes of padding put the file at 2001.
  EXPECT_EQ(base::load_le16(&b[2001 + 9]), 0x293B);
  EXPECT_EQ(base::load_le16(&b[2048 + 2]), 1);       // the leaf's entry count
  EXPECT_EQ(base::load_le16(&b[2048 + 4]), 0xFFFF);  // no previous leaf
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[2048 + 8])), "key");
}

// An aligned file placed in a free block starts after the padding: the block it owns ends where the
// free block ended, so growing it later cannot run into the file after it.
TEST_F(ContainerWrite, AlignedFileInAFreeBlockStaysInsideIt) {
  TitleFileSystemPtr fs = create();
  add(fs.get(), "first", std::string(3000, 'f'));  // block [16, 3025)
  add(fs.get(), "neighbour", std::string(500, 'n'));
  ASSERT_EQ(FsFlush(fs.get(), 0), kFsOk);  // the directory goes to the end, after the neighbour
  ASSERT_EQ(FsDeleteFile(fs.get(), "first"), kFsOk);
  add(fs.get(), "aligned", std::string(100, 'a'), kFsOpenAligned | kFsOpenNoWriteBack, 0);
  const int32_t offset = 16 + 2048 - 25;
  EXPECT_EQ(at(size_t(offset)), 3025 - offset);
  EXPECT_EQ((offset + 9) % 2048, 0);

  InternalFilePtr file = FsOpenFile(fs.get(), "aligned", kFsOpenAligned);
  ASSERT_TRUE(file);
  const std::string grown(2000, 'g');
  ASSERT_EQ(FsWriteFile(file.get(), grown.data(), int64_t(grown.size())), 2000);
  ASSERT_EQ(FsCloseFile(std::move(file)), kFsOk);
  EXPECT_EQ(ReadInternal(fs.get(), "neighbour"), std::string(500, 'n'));
  EXPECT_EQ(ReadInternal(fs.get(), "aligned"), grown);
}

TEST_F(ContainerWrite, ManyFilesAndAMultiLevelDirectory) {
  std::map<std::string, std::string> files;
  for (int i = 0; i < 400; ++i) {
    const std::string name = (i % 3 ? "|F" : "pic") + std::to_string(i * 7919 % 1000);
    files[name] = std::string(size_t(i % 37), char('a' + i % 26)) + name;
  }
  testing::BuildTitle(path_, files, 64);
  TitleFileSystemPtr fs = reopen(kFsOpenReadOnly);
  ASSERT_TRUE(fs);
  for (const auto& [name, data] : files) ASSERT_EQ(ReadInternal(fs.get(), name.c_str()), data) << name;
  EXPECT_FALSE(FsFileExists(fs.get(), "|F1001"));
}

TEST_F(ContainerWrite, DeletionsAndReuse) {
  std::map<std::string, std::string> files;
  for (int i = 0; i < 60; ++i) files["f" + std::to_string(i)] = std::string(size_t(100 + i), char('A' + i % 26));
  testing::BuildTitle(path_, files);
  const int32_t sizeBuilt = header().size;
  {
    TitleFileSystemPtr fs = reopen();
    ASSERT_TRUE(fs);
    for (int i = 0; i < 60; i += 2) ASSERT_EQ(FsDeleteFile(fs.get(), ("f" + std::to_string(i)).c_str()), kFsOk);
    for (int i = 0; i < 30; ++i) add(fs.get(), ("g" + std::to_string(i)).c_str(), std::string(90, 'g'));
    EXPECT_EQ(FsDeleteFile(fs.get(), "f0"), kFsNotFound);
    ASSERT_EQ(FsClose(std::move(fs)), kFsOk);
  }
  // Nearly all new files went into freed blocks (each takes a free block whole, so merged neighbours
  // hold one file where two were).
  EXPECT_LE(header().size, sizeBuilt + 5 * 99);
  TitleFileSystemPtr fs = reopen(kFsOpenReadOnly);
  for (int i = 1; i < 60; i += 2) {
    const std::string name = "f" + std::to_string(i);
    EXPECT_EQ(ReadInternal(fs.get(), name.c_str()), files[name]);
  }
  for (int i = 0; i < 30; ++i) EXPECT_EQ(ReadInternal(fs.get(), ("g" + std::to_string(i)).c_str()), std::string(90, 'g'));
}

TEST_F(ContainerWrite, RewritingAFileKeepsOrMovesIt) {
  testing::BuildTitle(path_, {{"a", std::string(100, 'a')}, {"b", std::string(100, 'b')}});
  TitleFileSystemPtr fs = reopen();
  ASSERT_TRUE(fs);
  InternalFilePtr file = FsOpenFile(fs.get(), "a", 0);
  ASSERT_TRUE(file);
  // Reads see the written contents before the commit.
  ASSERT_EQ(FsSeekFile(file.get(), 10, kFsSeekSet), 10);
  ASSERT_EQ(FsWriteFile(file.get(), "XY", 2), 2);
  ASSERT_EQ(FsSeekFile(file.get(), 9, kFsSeekSet), 9);
  char three[3];
  ASSERT_EQ(FsReadFile(file.get(), three, 3), 3);
  EXPECT_EQ(std::string(three, 3), "aXY");
  ASSERT_EQ(FsFlushFile(file.get()), kFsOk);
  ASSERT_EQ(FsSeekFile(file.get(), 0, kFsSeekEnd), 100);
  ASSERT_EQ(FsWriteFile(file.get(), std::string(500, 'z').data(), 500), 500);
  ASSERT_EQ(FsCloseFile(std::move(file)), kFsOk);
  std::string expected = std::string(100, 'a') + std::string(500, 'z');
  expected.replace(10, 2, "XY");
  EXPECT_EQ(ReadInternal(fs.get(), "a"), expected);
  EXPECT_EQ(ReadInternal(fs.get(), "b"), std::string(100, 'b'));
  InternalFilePtr shrink = FsOpenFile(fs.get(), "b", 0);
  ASSERT_TRUE(FsSetFileSize(shrink.get(), 10));
  ASSERT_EQ(FsCloseFile(std::move(shrink)), kFsOk);
  EXPECT_EQ(ReadInternal(fs.get(), "b"), std::string(10, 'b'));
}

TEST_F(ContainerWrite, RenameAbandonAndReadOnly) {
  testing::BuildTitle(path_, {{"old", "data"}, {"other", "x"}});
  {
    TitleFileSystemPtr fs = reopen();
    ASSERT_EQ(FsRenameFile(fs.get(), "old", "new"), kFsOk);
    EXPECT_EQ(FsRenameFile(fs.get(), "new", "other"), kFsKeyExists);
    EXPECT_EQ(FsRenameFile(fs.get(), "gone", "x"), kFsNotFound);
    InternalFilePtr file = FsCreateFile(fs.get(), "draft", 0);
    ASSERT_EQ(FsWriteFile(file.get(), "abc", 3), 3);
    EXPECT_EQ(FsAbandonFile(std::move(file)), kFsOk);
    InternalFilePtr locked = FsCreateFile(fs.get(), "locked", 1);
    ASSERT_EQ(FsWriteFile(locked.get(), "abc", 3), 3);
    ASSERT_EQ(FsCloseFile(std::move(locked)), kFsOk);
    EXPECT_FALSE(FsOpenFile(fs.get(), "locked", 0));
    EXPECT_EQ(FsGetLastError(), kFsReadOnly);
  }
  TitleFileSystemPtr fs = reopen(kFsOpenReadOnly);
  EXPECT_EQ(ReadInternal(fs.get(), "new"), "data");
  EXPECT_FALSE(FsFileExists(fs.get(), "old"));
  EXPECT_FALSE(FsFileExists(fs.get(), "draft"));
  EXPECT_EQ(ReadInternal(fs.get(), "locked"), "abc");
  EXPECT_FALSE(FsCreateFile(fs.get(), "x", 0));
  EXPECT_EQ(FsGetLastError(), kFsReadOnly);
  EXPECT_EQ(FsDeleteFile(fs.get(), "new"), kFsReadOnly);
}

TEST_F(ContainerWrite, AddDiskFile) {
  const std::string disk = folder_.file("picture.bmp");
  testing::WriteBytes(disk, std::vector<uint8_t>(3000, 0x42));
  testing::BuildTitle(path_, {{"keep", "k"}});
  TitleFileSystemPtr fs = reopen();
  ASSERT_TRUE(fs);
  const int32_t sizeBefore = header().size;
  int pieces = 0;
  FsCopyCallback stopAtThird = [&pieces](int) { return ++pieces == 3 ? 1 : 0; };
  EXPECT_EQ(FsAddDiskFile(fs.get(), "pic", Moniker(disk).get(), 0, 0, stopAtThird, false), kFsStopped);
  EXPECT_FALSE(FsFileExists(fs.get(), "pic"));
  EXPECT_EQ(FsFlush(fs.get(), 0), kFsOk);
  EXPECT_EQ(header().size, sizeBefore);

  ASSERT_EQ(FsAddDiskFile(fs.get(), "pic", Moniker(disk).get(), 0, 0, nullptr, false), kFsOk);
  EXPECT_EQ(ReadInternal(fs.get(), "pic"), std::string(3000, 0x42));
  EXPECT_EQ(FsAddDiskFile(fs.get(), "pic", Moniker(disk).get(), 0, 0, nullptr, false), kFsKeyExists);
  testing::WriteBytes(disk, std::vector<uint8_t>(10, 0x43));
  ASSERT_EQ(FsAddDiskFile(fs.get(), "pic", Moniker(disk).get(), 0, 0, nullptr, true), kFsOk);
  EXPECT_EQ(ReadInternal(fs.get(), "pic"), std::string(10, 0x43));
  EXPECT_EQ(FsAddDiskFile(fs.get(), "x", Moniker(folder_.file("absent")).get(), 0, 0, nullptr, false), kFsReadOnly);
}

TEST_F(ContainerWrite, Destroy) {
  testing::BuildTitle(path_, {{"a", "b"}});
  const std::string other = folder_.file("plain.txt");
  testing::WriteBytes(other, {'h', 'i', 0, 0});
  EXPECT_EQ(FsDestroy(Moniker(other).get()), kFsBadFormat);
  EXPECT_EQ(FsDestroy(Moniker(path_).get()), kFsOk);
  EXPECT_FALSE(FmExists(Moniker(path_).get()));
}

}  // namespace
}  // namespace mvfs

namespace mvfs {
namespace {

// A commit whose copy fails leaves the file as it was: its old block is neither freed nor left behind.
TEST_F(ContainerWrite, FailedCommitKeepsTheOldContents) {
  testing::BuildTitle(path_, {{"a", std::string(100, 'a')}, {"b", "b"}});
  TitleFileSystemPtr fs = reopen();
  ASSERT_TRUE(fs);
  const StoredHeader before = header();
  InternalFilePtr file = FsOpenFile(fs.get(), "a", 0);
  ASSERT_TRUE(file);
  const std::string grown(500, 'z');
  ASSERT_EQ(FsWriteFile(file.get(), grown.data(), 500), 500);
  // The temporary file loses its data behind the writer's back, so the copy into the container fails.
  base::OsFile temp;
  ASSERT_EQ(temp.open(file->tempName->path(), base::OpenMode::ReadWrite), base::OsError::None);
  ASSERT_EQ(temp.set_size(9), base::OsError::None);
  EXPECT_NE(FsCloseFile(std::move(file)), kFsOk);
  EXPECT_EQ(ReadInternal(fs.get(), "a"), std::string(100, 'a'));
  ASSERT_EQ(FsClose(std::move(fs)), kFsOk);
  const StoredHeader after = header();
  EXPECT_EQ(after.freeList, before.freeList);
  EXPECT_EQ(after.size, before.size);
}

// A free chain that loops or runs backwards is a format error for the writer, not a hang.
TEST_F(ContainerWrite, DamagedFreeChains) {
  testing::BuildTitle(path_, {{"a", std::string(100, 'a')}, {"b", std::string(100, 'b')}});
  {
    TitleFileSystemPtr fs = reopen();
    ASSERT_EQ(FsDeleteFile(fs.get(), "a"), kFsOk);  // a free block at 16
  }
  std::vector<uint8_t> image = ReadBytes(path_);
  ASSERT_EQ(base::load_le32(&image[8]), 16u);
  for (int32_t next : {16, 8, 0x7FFFFFF0}) {
    base::store_le32(&image[16 + 4], uint32_t(next));
    testing::WriteBytes(path_, image);
    TitleFileSystemPtr fs = reopen();
    ASSERT_TRUE(fs);
    InternalFilePtr file = FsCreateFile(fs.get(), "c", 0);
    ASSERT_TRUE(file);
    const std::string big(500, 'c');
    ASSERT_EQ(FsWriteFile(file.get(), big.data(), 500), 500);
    EXPECT_EQ(FsCloseFile(std::move(file)), kFsBadFormat) << next;
    EXPECT_EQ(ReadInternal(fs.get(), "b"), std::string(100, 'b'));
  }
}

// A container declaring more bytes than its file holds is not opened to write (new files would go at
// the declared end, growing the file to it); it still opens to read what is there.
TEST_F(ContainerWrite, DeclaredSizeBeyondTheFileIsNotOpenedToWrite) {
  testing::BuildTitle(path_, {{"a", std::string(100, 'a')}});
  std::vector<uint8_t> image = ReadBytes(path_);
  base::store_le32(&image[12], 0x70000000u);
  testing::WriteBytes(path_, image);
  EXPECT_FALSE(reopen());
  EXPECT_EQ(FsGetLastError(), kFsBadFormat);
  TitleFileSystemPtr fs = reopen(kFsOpenReadOnly);
  ASSERT_TRUE(fs);
  EXPECT_EQ(ReadInternal(fs.get(), "a"), std::string(100, 'a'));
  EXPECT_EQ(ReadBytes(path_).size(), image.size());
}

TEST_F(ContainerWrite, ThreadsReadOneContainer) {
  std::map<std::string, std::string> files;
  for (int i = 0; i < 8; ++i) files["f" + std::to_string(i)] = std::string(size_t(20000 + i), char('a' + i));
  testing::BuildTitle(path_, files);
  TitleFileSystemPtr fs = reopen(kFsOpenReadOnly);
  std::vector<std::thread> readers;
  std::atomic<int> mismatches{0};
  for (int t = 0; t < 4; ++t) {
    readers.emplace_back([&, t] {
      for (int round = 0; round < 20; ++round) {
        const std::string name = "f" + std::to_string((t + round) % 8);
        InternalFilePtr file = FsOpenFile(fs.get(), name.c_str(), kFsOpenReadOnly);
        std::string data(files[name].size(), '\0');
        for (size_t at = 0; at < data.size(); at += 1000)
          FsReadFile(file.get(), data.data() + at, int64_t(std::min<size_t>(1000, data.size() - at)));
        if (data != files[name]) ++mismatches;
      }
    });
  }
  for (auto& r : readers) r.join();
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace mvfs
