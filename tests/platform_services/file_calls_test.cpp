// The platform's file calls by name: copies that never leave half a file, deletion, finding by a
// wildcard over a folder, attributes, folders, and the current and temporary folders.
#include "platform/base/file_calls.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"

namespace {

namespace fs = std::filesystem;

class FileCallsTest : public ::testing::Test {
 protected:
  std::string folder;  // UTF-8, which is also its CP1250 form (ASCII)
  void SetUp() override {
    folder = (fs::temp_directory_path() / ("file_calls_" + std::to_string(::getpid()))).string();
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override {
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder);
  }
  std::string path(const std::string& utf8_name) const { return folder + "/" + utf8_name; }
  // The name as callers pass it: CP1250, with Windows separators.
  std::string cp(const std::string& utf8_name) const {
    return folder + "\\" + base::cp1250::from_utf8(utf8_name);
  }
  void write(const std::string& utf8_name, const std::string& bytes) const {
    std::ofstream(path(utf8_name), std::ios::binary) << bytes;
  }
  std::string read(const std::string& utf8_name) const {
    std::ifstream in(path(utf8_name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> find_all(const std::string& cp1250_pattern) const {
    std::vector<std::string> names;
    WIN32_FIND_DATA data;
    HANDLE search = FindFirstFile(cp1250_pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFile(search, &data));
    EXPECT_TRUE(FindClose(search));
    return names;
  }
};

TEST_F(FileCallsTest, CopiesBytesAndKeepsOrReplacesTheDestination) {
  std::string big(200 * 1024, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
  write("Prawo.seg", big);
  write("stary.seg", "old");

  EXPECT_TRUE(CopyFile(cp("Prawo.seg").c_str(), cp("Kopia.seg").c_str(), TRUE));
  EXPECT_EQ(read("Kopia.seg"), big);
  // An existing destination stays as it was when the caller forbids overwriting.
  EXPECT_FALSE(CopyFile(cp("Prawo.seg").c_str(), cp("stary.seg").c_str(), TRUE));
  EXPECT_EQ(read("stary.seg"), "old");
  EXPECT_TRUE(CopyFile(cp("Prawo.seg").c_str(), cp("stary.seg").c_str(), FALSE));
  EXPECT_EQ(read("stary.seg"), big);
  // A missing source or a folder as source copies nothing and creates nothing.
  EXPECT_FALSE(CopyFile(cp("brak.seg").c_str(), cp("nowy.seg").c_str(), FALSE));
  EXPECT_FALSE(CopyFile(folder.c_str(), cp("nowy.seg").c_str(), FALSE));
  EXPECT_FALSE(fs::exists(path("nowy.seg")));
  // No temporary copy is left beside the destinations.
  for (const auto& entry : fs::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().filename().string().find(".copy-"), std::string::npos);
  }
}

TEST_F(FileCallsTest, DeletesFilesButNotFolders) {
  write("Zażółć.lkg", "x");
  fs::create_directory(path("Segregatory"));
  EXPECT_TRUE(DeleteFile(cp("Zażółć.lkg").c_str()));
  EXPECT_FALSE(fs::exists(path("Zażółć.lkg")));
  EXPECT_FALSE(DeleteFile(cp("Zażółć.lkg").c_str()));
  EXPECT_FALSE(DeleteFile(cp("Segregatory").c_str()));
  EXPECT_TRUE(fs::exists(path("Segregatory")));
  EXPECT_FALSE(DeleteFile(nullptr));
}

TEST_F(FileCallsTest, FindsTheMatchesOfAPatternInOneFolder) {
  for (const char* name : {"2100001.png", "2100002.PNG", "210.png", "2200001.png", "pr.lkg",
                           "README", "Źródło.txt", ".ukryty"}) {
    write(name, "data");
  }
  fs::create_directory(path("2100009.png.d"));
  fs::create_directory(path("sub"));
  write("sub/2100003.png", "deeper");

  struct Case {
    std::string pattern_utf8;
    std::set<std::string> expected_utf8;
  };
  const Case cases[] = {
      {"210*.png", {"2100001.png", "2100002.PNG", "210.png"}},
      {"210????.png", {"2100001.png", "2100002.PNG"}},
      {"*.lkg", {"pr.lkg"}},
      {"PR.LKG", {"pr.lkg"}},
      {"źRÓDŁO.*", {"Źródło.txt"}},
      {"README.*", {"README"}},
      {"*.*", {"2100001.png", "2100002.PNG", "210.png", "2200001.png", "pr.lkg", "README",
               "Źródło.txt", ".ukryty", "2100009.png.d", "sub"}},
      {"brak*", {}},
  };
  for (const Case& c : cases) {
    std::set<std::string> found;
    for (const std::string& name : find_all(cp(c.pattern_utf8))) found.insert(base::cp1250::to_utf8(name));
    EXPECT_EQ(found, c.expected_utf8) << c.pattern_utf8;
  }
}

TEST_F(FileCallsTest, FindDataCarriesAttributesSizesAndTimes) {
  write("akt.txt", std::string(1234, 'a'));
  write(".ukryty", "");
  fs::create_directory(path("Segregatory"));
  write("tylko.txt", "r");
  fs::permissions(path("tylko.txt"), fs::perms::owner_write, fs::perm_options::remove);

  struct Case {
    const char* name;
    DWORD attributes;
  };
  for (const Case& c : {Case{"akt.txt", FILE_ATTRIBUTE_ARCHIVE},
                        Case{".ukryty", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN},
                        Case{"Segregatory", FILE_ATTRIBUTE_DIRECTORY},
                        Case{"tylko.txt", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY}}) {
    WIN32_FIND_DATA data;
    HANDLE search = FindFirstFile(cp(c.name).c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << c.name;
    EXPECT_EQ(data.dwFileAttributes, c.attributes) << c.name;
    EXPECT_EQ(GetFileAttributes(cp(c.name).c_str()), c.attributes) << c.name;
    EXPECT_STREQ(data.cFileName, c.name);
    EXPECT_FALSE(FindNextFile(search, &data));
    FindClose(search);
  }
  WIN32_FIND_DATA data;
  HANDLE search = FindFirstFile(cp("akt.txt").c_str(), &data);
  EXPECT_EQ(data.nFileSizeLow, 1234u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  // Write times count 100-nanosecond steps from 1601: a file made now is past 2020.
  uint64_t ticks = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  EXPECT_GT(ticks, 132223104000000000ull);
  FindClose(search);
  EXPECT_EQ(GetFileAttributes(cp("brak").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileCallsTest, ClosedAndUnknownSearchesFindNothing) {
  write("a.txt", "");
  write("b.txt", "");
  WIN32_FIND_DATA data;
  HANDLE search = FindFirstFile(cp("*.txt").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(FindClose(search));
  EXPECT_FALSE(FindNextFile(search, &data));
  EXPECT_FALSE(FindClose(search));
  EXPECT_FALSE(FindNextFile(INVALID_HANDLE_VALUE, &data));
  EXPECT_EQ(FindFirstFile(cp("brak\\*.*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFile((folder + "\\").c_str(), &data), INVALID_HANDLE_VALUE);
  // A file removed after the search began is passed over.
  search = FindFirstFile(cp("*.txt").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "a.txt");
  fs::remove(path("b.txt"));
  EXPECT_FALSE(FindNextFile(search, &data));
  FindClose(search);
}

TEST_F(FileCallsTest, FoldersAndTheCurrentFolder) {
  std::string binders = cp("Segregatory");
  EXPECT_TRUE(CreateDirectory(binders.c_str(), nullptr));
  EXPECT_FALSE(CreateDirectory(binders.c_str(), nullptr));
  EXPECT_FALSE(CreateDirectory(cp("brak\\nowy").c_str(), nullptr));
  EXPECT_EQ(GetFileAttributes(binders.c_str()), FILE_ATTRIBUTE_DIRECTORY);

  std::string before = fs::current_path().string();
  ASSERT_TRUE(SetCurrentDirectory(binders.c_str()));
  // Relative names now resolve in the folder: the binder code relies on it.
  write("Segregatory/Moje.seg", "g");
  EXPECT_EQ(find_all("*.seg"), std::vector<std::string>{"Moje.seg"});
  EXPECT_NE(GetFileAttributes("Moje.seg"), INVALID_FILE_ATTRIBUTES);

  char small[4];
  DWORD needed = GetCurrentDirectory(sizeof small, small);
  EXPECT_EQ(needed, path("Segregatory").size() + 1);
  std::vector<char> buffer(needed);
  EXPECT_EQ(GetCurrentDirectory(needed, buffer.data()), needed - 1);
  EXPECT_EQ(std::string(buffer.data()), path("Segregatory"));
  EXPECT_FALSE(SetCurrentDirectory(cp("brak").c_str()));
  ASSERT_TRUE(SetCurrentDirectory(before.c_str()));
}

TEST_F(FileCallsTest, TemporaryPathEndsInASeparatorAndNamesAWritableFolder) {
  DWORD needed = GetTempPath(0, nullptr);
  ASSERT_GT(needed, 1u);
  std::vector<char> buffer(needed);
  ASSERT_EQ(GetTempPath(needed, buffer.data()), needed - 1);
  std::string temp(buffer.data());
  EXPECT_EQ(temp.back(), '/');
  // Extracted pictures are named by appending a number to it.
  std::string picture = temp + "2100001.png";
  std::ofstream(picture) << "png";
  EXPECT_EQ(GetFileAttributes(picture.c_str()), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_TRUE(DeleteFile(picture.c_str()));
}

TEST_F(FileCallsTest, ErrorModeGivesBackTheModeBefore) {
  UINT first = SetErrorMode(SEM_FAILCRITICALERRORS);
  EXPECT_EQ(SetErrorMode(first), SEM_FAILCRITICALERRORS);
}

}  // namespace
