// File monikers: path parts, names, searching folders, temporary names.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "engine/mvfs/file_moniker.h"
#include "tests/mvfs/title_fixture.h"

namespace mvfs {
namespace {

using testing::ScratchFolder;
using testing::WriteBytes;

std::string name(const FileMoniker* m, uint16_t parts, int32_t size = 260) {
  std::vector<char> buffer(size_t(size), 'X');
  return FmGetName(m, buffer.data(), size, parts);
}

// Runs in a scratch folder as the current folder; restores the old one.
class MonikerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    std::filesystem::create_directories(folder_.file("cur"));
    std::filesystem::create_directories(folder_.file("data"));
    std::filesystem::current_path(folder_.file("cur"));
    FmSetDataFolder(folder_.file("data"));
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    FmSetDataFolder("");
  }
  ScratchFolder folder_;
  std::filesystem::path old_;
};

TEST(FmParts, PartsPresent) {
  struct Case {
    const char* path;
    uint16_t parts;
  };
  const Case cases[] = {
      {"c:\\a.b\\name", kFmDrive | kFmFolder | kFmBaseName},
      {"name.ext", kFmBaseName | kFmExtension},
      {"/x/y/", kFmFolder},
      {".profile", kFmBaseName},
      {"dir.d/file", kFmFolder | kFmBaseName},
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(FmPartsPresent(c.path), c.parts) << c.path;
}

TEST_F(MonikerTest, NamesOfParts) {
  FileMonikerPtr m = FmNewFromPath("/x/NAME.EXT", kFmCurrentFolder);
  ASSERT_TRUE(m);
  EXPECT_EQ(name(m.get(), kFmBaseName | kFmExtension), "NAME.EXT");
  EXPECT_EQ(name(m.get(), kFmBaseName | kFmExtension, 5), "NAME");
  EXPECT_EQ(name(m.get(), kFmFolder), "/x/");
  EXPECT_EQ(name(m.get(), kFmWholePath, 4), "/x/");
  EXPECT_EQ(FmGetLength(m.get(), kFmExtension), 5);
  EXPECT_EQ(FmGetLength(m.get(), kFmWholePath), 12);
  EXPECT_EQ(FmGetLength(nullptr, kFmWholePath), -1);
}

TEST_F(MonikerTest, RelativePathsAndEquality) {
  WriteBytes("lib.dat", {1});
  FileMonikerPtr a = FmNewFromPath("lib.dat", kFmCurrentFolder);
  FileMonikerPtr b = FmNewFromPath(".\\LIB.DAT", kFmCurrentFolder);
  ASSERT_TRUE(a && b);
  EXPECT_TRUE(FmEqual(a.get(), b.get()));
  EXPECT_EQ(a->path(), folder_.file("cur/lib.dat"));
  // The upper-case name found the file on a case-sensitive file system.
  EXPECT_EQ(b->path(), a->path());
  EXPECT_TRUE(FmExists(b.get()));
  EXPECT_FALSE(FmEqual(a.get(), nullptr));
  FileMonikerPtr folderOnly = FmNewFromPath("sub\\", kFmCurrentFolder);
  ASSERT_TRUE(folderOnly);
  EXPECT_EQ(folderOnly->path(), folder_.file("cur") + "/");
  FileMonikerPtr inData = FmNewFromPath("x\\y.dat", kFmDataFolder);
  ASSERT_TRUE(inData);
  EXPECT_EQ(inData->path(), folder_.file("data/x/y.dat"));
  EXPECT_FALSE(FmNewFromPath("", kFmCurrentFolder));
  EXPECT_EQ(FsGetLastError(), kFsBadArgument);

  FileMonikerPtr rel = FmNewRelative(a.get(), "sub\\x.bin");
  ASSERT_TRUE(rel);
  EXPECT_EQ(rel->path(), folder_.file("cur/sub/x.bin"));
  FileMonikerPtr copy = FmCopy(rel.get());
  EXPECT_TRUE(FmEqual(copy.get(), rel.get()));
  EXPECT_TRUE(FmSameFile("lib.dat", (folder_.file("cur") + "/LIB.DAT").c_str()));
  EXPECT_FALSE(FmSameFile("lib.dat", "other.dat"));
}

TEST_F(MonikerTest, LocateTitleSearchesCurrentThenDataFolderThenRetriesWithM14) {
  WriteBytes(folder_.file("data/Lib.dat"), {1});
  FileMonikerPtr found = FmLocateTitle("lib.dat");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->path(), folder_.file("data/Lib.dat"));

  WriteBytes(folder_.file("cur/lib.dat"), {1});
  found = FmLocateTitle("LIB.DAT");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->path(), folder_.file("cur/lib.dat"));

  WriteBytes(folder_.file("data/only.M14"), {1});
  found = FmLocateTitle("only");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->path(), folder_.file("data/only.M14"));

  EXPECT_FALSE(FmLocateTitle("nowhere.dat"));
  EXPECT_EQ(FsGetLastError(), kFsNotFound);
}

TEST_F(MonikerTest, AbsolutePathsAreOnlyTested) {
  WriteBytes(folder_.file("data/abs.dat"), {1});
  EXPECT_TRUE(FmSearch(folder_.file("data/abs.dat").c_str(), kFmCurrentFolder));
  EXPECT_FALSE(FmSearch(folder_.file("cur/abs.dat").c_str(), kFmDataFolder));
  EXPECT_EQ(FsGetLastError(), kFsNotFound);
}

TEST_F(MonikerTest, NewTempKeepsItsFile) {
  FileMonikerPtr a = FmNewTemp("|Topic");
  FileMonikerPtr b = FmNewTemp("|Topic");
  ASSERT_TRUE(a && b);
  EXPECT_NE(a->path(), b->path());
  EXPECT_TRUE(FmExists(a.get()));  // the name stays taken until the caller deletes the file
  EXPECT_NE(name(a.get(), kFmBaseName).find("Topic"), std::string::npos);
  struct stat st;
  ASSERT_EQ(::stat(a->path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u);
  FileMonikerPtr random = FmNewTemp(nullptr);
  ASSERT_TRUE(random);
  const std::string base = name(random.get(), kFmBaseName);
  EXPECT_TRUE(base[0] >= 'A' && base[0] <= 'Z');
  for (auto* m : {a.get(), b.get(), random.get()}) ::unlink(m->path().c_str());
}

TEST_F(MonikerTest, LibrariesLoadOnlyFromTheProgramFolder) {
  FsErrorCode code = kFsOk;
  // A name with a folder does not leave the program folder, and a system library name is not
  // looked up through the search path.
  EXPECT_FALSE(FmLoadLibrary("/usr/lib/x86_64-linux-gnu/libm.so.6", &code));
  EXPECT_EQ(code, kFsNotFound);
  EXPECT_FALSE(FmLoadLibrary("libm.so.6", &code));
  EXPECT_EQ(code, kFsNotFound);
}

}  // namespace
}  // namespace mvfs
