#include "toolkit/frame/file_util.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/base/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class FileUtilTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    root_ = base::temp_folder() + "/files" + std::to_string(++counter);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  void put(const std::string& relative, const std::string& text = "x") {
    fs::create_directories(fs::path(root_ + "/" + relative).parent_path());
    std::ofstream(root_ + "/" + relative, std::ios::binary) << text;
  }
  static std::vector<std::string> strings(const CStringList& list) {
    std::vector<std::string> out;
    for (POSITION p = list.GetHeadPosition(); p;) out.push_back(list.GetNext(p).str());
    return out;
  }
  CString at(const std::string& relative) const { return CString(root_ + "/" + relative); }

  std::string root_;
  SECFileUtil util_;
};

TEST_F(FileUtilTest, FindWithWildcardsAndAttributes) {
  put("2100001.png");
  put("2100002.PNG");
  put("pr.lkg");
  put(".hidden.png");
  fs::create_directories(root_ + "/dir.png");
  struct Case {
    const char* pattern;
    DWORD filter;
    std::vector<std::string> names;
  } cases[] = {
      {"*.png", 0, {"2100001.png", "2100002.PNG"}},
      {"*.png", FILE_ATTRIBUTE_NORMAL, {"2100001.png", "2100002.PNG"}},
      {"*.png", SEC_FILE_ATTRIBUTE_ANY, {".hidden.png", "2100001.png", "2100002.PNG", "dir.png"}},
      {"*.png", FILE_ATTRIBUTE_HIDDEN, {".hidden.png"}},
      {"*.png", FILE_ATTRIBUTE_DIRECTORY, {"dir.png"}},
      {"210000?.png", 0, {"2100001.png", "2100002.PNG"}},
      {"*.*", 0, {"2100001.png", "2100002.PNG", "pr.lkg"}},
      {"dir.png", 0, {}},  // only a folder matches: none with the normal filter
  };
  for (const auto& c : cases) {
    std::vector<std::string> found;
    for (auto name = util_.FindFile(at(c.pattern), c.filter); name; name = util_.FindFile(CString(), c.filter))
      found.push_back(name->str());
    EXPECT_EQ(found, c.names) << c.pattern << " " << c.filter;
  }
  // Backslashes separate folders too.
  std::string windows_style = root_ + "\\*.lkg";
  auto found = util_.FindFile(CString(windows_style), 0);
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, "pr.lkg");
  EXPECT_FALSE(util_.FindFile(at("missing-folder/*.*"), 0));
}

TEST_F(FileUtilTest, RecursiveListsAndDeletion) {
  put("a.lkg");
  put("one/b.lkg");
  put("one/two/c.lkg");
  put("one/two/c.txt");
  auto list = util_.GetFileList(at("*.lkg"), 0, TRUE);
  EXPECT_EQ(strings(*list), (std::vector<std::string>{root_ + "/a.lkg", root_ + "/one/b.lkg", root_ + "/one/two/c.lkg"}))
      << "upper levels first";
  auto flat = util_.GetFileList(at("*.lkg"), 0, FALSE);
  EXPECT_EQ(flat->GetCount(), 1);
  auto subs = util_.ListSubdirectories(CString(root_), FALSE);
  EXPECT_EQ(strings(*subs), (std::vector<std::string>{"one"}));

  EXPECT_TRUE(util_.DeleteFiles(at("*.nothing"), FILE_ATTRIBUTE_NORMAL)) << "no match is success";
  EXPECT_TRUE(util_.DeleteFiles(at("one/two/*.lkg"), FILE_ATTRIBUTE_NORMAL));
  EXPECT_FALSE(util_.FileExists(at("one/two/c.lkg")));
  EXPECT_TRUE(util_.FileExists(at("one/two/c.txt")));
  EXPECT_TRUE(util_.FileExists(at("one/b.lkg"))) << "not recursive";
}

TEST_F(FileUtilTest, SymbolicLinkLoopsAreListedOnce) {
  put("a/f.lkg");
  fs::create_directory_symlink(root_ + "/a", root_ + "/a/again");
  fs::create_directory_symlink(root_, root_ + "/a/up");
  auto list = util_.GetFileList(at("*.lkg"), 0, TRUE);
  EXPECT_EQ(strings(*list), (std::vector<std::string>{root_ + "/a/f.lkg"}));
}

TEST_F(FileUtilTest, CopyFile) {
  std::string content(10000, 'q');
  content[5000] = '\0';
  put("src.bin", content);
  EXPECT_TRUE(util_.CopyFile(at("src.bin"), at("dst.bin"), 777));
  std::ifstream in(root_ + "/dst.bin", std::ios::binary);
  std::string copied((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(copied, content);

  put("existing.bin", "keep");
  EXPECT_FALSE(util_.CopyFile(at("src.bin"), at("existing.bin")));
  std::ifstream kept(root_ + "/existing.bin");
  std::string kept_text;
  kept >> kept_text;
  EXPECT_EQ(kept_text, "keep");
  EXPECT_FALSE(util_.CopyFile(at("missing.bin"), at("new.bin")));
  EXPECT_FALSE(util_.FileExists(at("new.bin")));
}

TEST_F(FileUtilTest, AFailedCopyLeavesNoPartialFile) {
  // Reading a folder fails after the destination was created.
  fs::create_directories(root_ + "/folder");
  EXPECT_FALSE(util_.CopyFile(at("folder"), at("partial.bin")));
  EXPECT_FALSE(util_.FileExists(at("partial.bin")));
  // A write that fails half-way (the file size limit of a child process) removes the copy.
  put("big.bin", std::string(100000, 'z'));
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{5000, 5000};
    setrlimit(RLIMIT_FSIZE, &limit);
    bool copied = util_.CopyFile(at("big.bin"), at("cut.bin"), 1024);
    _exit(!copied && !util_.FileExists(at("cut.bin")) ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(util_.FileExists(at("cut.bin")));
}

TEST_F(FileUtilTest, FoldersAndTheCurrentFolder) {
  std::string before = fs::current_path().string();
  EXPECT_TRUE(util_.MakeDirectory(at("new")));
  EXPECT_FALSE(util_.MakeDirectory(at("x/y"))) << "parents are not made";
  EXPECT_TRUE(util_.DirectoryExists(at("new")));
  EXPECT_FALSE(util_.DirectoryExists(at("missing")));
  std::string real_root = fs::canonical(root_).string();
  EXPECT_EQ(util_.GetFullDirectoryPath(at("new/../new")), CString(real_root + "/new"));
  EXPECT_EQ(util_.GetFullDirectoryPath(at("missing")), "");
  EXPECT_EQ(util_.GetFullDirectoryPath(CString()), CString(before));
  EXPECT_EQ(fs::current_path().string(), before) << "the current folder stays where it was";
  EXPECT_TRUE(util_.ChangeDirectory(CString(root_)));
  EXPECT_EQ(fs::current_path().string(), real_root);
  fs::current_path(before);
}

TEST_F(FileUtilTest, SplittingAndJoiningPaths) {
  struct Case {
    const char* path;
    const char* dir;
    const char* dir_no_drive;
    const char* name;
  } cases[] = {
      {"/tmp/a/b.png", "/tmp/a/", "/tmp/a/", "b.png"},
      {"C:\\Lumo\\Segregatory\\x.seg", "C:\\Lumo\\Segregatory\\", "\\Lumo\\Segregatory\\", "x.seg"},
      {"plain.txt", "", "", "plain.txt"},
      {"folder/", "folder/", "folder/", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(util_.GetPath(CString(c.path)), c.dir) << c.path;
    EXPECT_EQ(util_.GetPath(CString(c.path), FALSE), c.dir_no_drive) << c.path;
    EXPECT_EQ(util_.GetFileName(CString(c.path)), c.name) << c.path;
  }
  EXPECT_EQ(util_.JoinPath(CString("/tmp/"), CString("a")), "/tmp/a");
  EXPECT_EQ(util_.JoinPath(CString("C:\\x\\"), CString("a")), "C:\\x\\a");
  EXPECT_EQ(util_.JoinPath(CString("/tmp"), CString("a")), "/tmp/a");
  EXPECT_EQ(util_.JoinPath(CString(""), CString("a")), "a");
  EXPECT_EQ(util_.GetCurrentDriveRoot(), "/");
}

}  // namespace
