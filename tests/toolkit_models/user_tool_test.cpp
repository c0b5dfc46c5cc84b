#include "toolkit/widgets/user_tool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "toolkit/widgets/user_files.h"

namespace {

std::unique_ptr<SECUserTool> tool(const char* menu, const char* command, const char* args = "",
                                  const char* dir = "", int wait = 1, int show = 1) {
  auto t = std::make_unique<SECUserTool>();
  t->m_strMenuText = menu;
  t->m_strCommand = command;
  t->m_strArgs = args;
  t->m_strDirectory = dir;
  t->m_bWait = wait;
  t->m_nShowCmd = show;
  return t;
}

SECUserToolList two_tools() {
  SECUserToolList list;
  list.push_back(tool("Notatnik", "gedit", "$FILE", "/tmp", 0, 3));
  list.push_back(tool("Kalkulator \xB9", "bc"));
  return list;
}

void expect_same(const SECUserToolList& a, const SECUserToolList& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i]->m_bWait, b[i]->m_bWait);
    EXPECT_EQ(a[i]->m_strMenuText, b[i]->m_strMenuText);
    EXPECT_EQ(a[i]->m_strCommand, b[i]->m_strCommand);
    EXPECT_EQ(a[i]->m_strArgs, b[i]->m_strArgs);
    EXPECT_EQ(a[i]->m_strDirectory, b[i]->m_strDirectory);
    EXPECT_EQ(a[i]->m_nShowCmd, b[i]->m_nShowCmd);
  }
}

TEST(ToolListFile, StoresTheArrayWithClassTagsByteForByte) {
  const std::vector<uint8_t> bytes = StoreToolList(two_tools());
  std::vector<uint8_t> expected = {2, 0,                          // count
                                   0xFF, 0xFF, 1, 0, 11, 0};      // new class, schema 1, name
  for (char c : std::string("SECUserTool")) expected.push_back(static_cast<uint8_t>(c));
  const uint8_t first[] = {0, 0, 0, 0,                            // no wait
                           8, 'N', 'o', 't', 'a', 't', 'n', 'i', 'k', 5, 'g', 'e', 'd', 'i', 't',
                           5, '$', 'F', 'I', 'L', 'E', 4, '/', 't', 'm', 'p', 3, 0, 0, 0};
  expected.insert(expected.end(), std::begin(first), std::end(first));
  const uint8_t second[] = {0x01, 0x80,  // the class stored first, by its index
                            1, 0, 0, 0, 12, 'K', 'a', 'l', 'k', 'u', 'l', 'a', 't', 'o', 'r', ' ', 0xB9,
                            2, 'b', 'c', 0, 0, 1, 0, 0, 0};
  expected.insert(expected.end(), std::begin(second), std::end(second));
  EXPECT_EQ(bytes, expected);

  SECUserToolList back;
  ASSERT_TRUE(LoadToolListFrom(bytes, back));
  expect_same(back, two_tools());
}

TEST(ToolListFile, CorruptAndTruncatedFilesLeaveTheListAsItWas) {
  const std::vector<uint8_t> good = StoreToolList(two_tools());
  std::vector<std::vector<uint8_t>> bad = {
      {},
      {good.begin(), good.begin() + 1},
      {good.begin(), good.end() - 1},
      {good.begin(), good.begin() + 20},
      good,  // an unknown class name
      good,  // a schema this program does not read
      {0, 0},     // no tools
      {1, 0, 0, 0},  // a null object
  };
  bad[4][9] = 'X';
  bad[5][4] = 2;
  for (size_t i = 0; i < bad.size(); ++i) {
    SECUserToolList list;
    list.push_back(tool("Stary", "old"));
    EXPECT_FALSE(LoadToolListFrom(bad[i], list)) << i;
    ASSERT_EQ(list.size(), 1u) << i;
    EXPECT_EQ(list[0]->m_strMenuText, CString("Stary")) << i;
  }
}

TEST(ToolListFile, KeepsAtMostNineTools) {
  SECUserToolList many;
  for (int i = 0; i < 12; ++i) many.push_back(tool(("T" + std::to_string(i)).c_str(), "true"));
  SECUserToolList back;
  ASSERT_TRUE(LoadToolListFrom(StoreToolList(many), back));
  ASSERT_EQ(back.size(), 9u);
  EXPECT_EQ(back[8]->m_strMenuText, CString("T8"));
}

TEST(ToolListFile, SavesAndLoadsThroughTheUserDataFolder) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lumo_tools_test";
  std::filesystem::remove_all(dir);
  SECSetUserDataFolder(dir.string());
  const CString name = SECToolListFileName();
  EXPECT_EQ(name, CString((dir / "Tools.dat").string().c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(dir));
  SECUserToolList list;
  EXPECT_FALSE(LoadToolList(name, list));  // no file yet
  ASSERT_TRUE(SaveToolList(name, two_tools()));
  ASSERT_TRUE(LoadToolList(name, list));
  expect_same(list, two_tools());
  DeleteToolList(list);
  EXPECT_TRUE(list.empty());
  SECSetUserDataFolder("");
  std::filesystem::remove_all(dir);
}

TEST(UserTool, ReplaceAllCountsAndReplaces) {
  struct Case {
    const char* text;
    const char* find;
    const char* replace;
    bool no_case;
    int count;
    const char* result;
  };
  const Case cases[] = {
      {"a$Xb$X", "$X", "1", false, 2, "a1b1"},
      {"a$xb$X", "$X", "1", false, 1, "a$xb1"},
      {"a$xb$X", "$X", "1", true, 2, "a1b1"},
      {"\xA5\xB9", "\xB9", "a", true, 2, "aa"},  // Ą and ą are one letter without case
      {"ab", "", "x", false, -1, "ab"},
      {"a", "abc", "x", false, 0, "a"},
      {"aaa", "aa", "b", false, 1, "ba"},
  };
  for (const Case& c : cases) {
    CString text(c.text);
    EXPECT_EQ(SECUserTool::ReplaceAll(text, c.find, c.replace, c.no_case), c.count) << c.text;
    EXPECT_EQ(text, CString(c.result)) << c.text;
  }
}

TEST(UserTool, ParseMacroNeedsBothSides) {
  struct Case {
    const char* text;
    bool ok;
    const char* key;
    const char* value;
  };
  const Case cases[] = {{"$FILE=/a/b.txt", true, "$FILE", "/a/b.txt"}, {"a=b=c", true, "a", "b=c"},
                        {"=b", false, "", ""}, {"a=", false, "", ""}, {"ab", false, "", ""}};
  for (const Case& c : cases) {
    CString key;
    CString value;
    EXPECT_EQ(SECUserTool::ParseMacro(c.text, key, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(key, CString(c.key));
      EXPECT_EQ(value, CString(c.value));
    }
  }
}

TEST(UserTool, MacrosExpandInCommandArgumentsAndDirectory) {
  auto t = tool("x", "$DIR/run", "--file $FILE --file $file", "$DIR");
  const std::vector<CString> macros = {"$FILE=akt.txt", "$DIR=/opt/lumo", "bad", "=x"};
  CString dir;
  EXPECT_EQ(t->BuildCommandLine(&macros, dir), CString("/opt/lumo/run --file akt.txt --file $file"));
  EXPECT_EQ(dir, CString("/opt/lumo"));
  auto bare = tool("x", "ls");
  EXPECT_EQ(bare->BuildCommandLine(nullptr, dir), CString("ls"));
  EXPECT_EQ(dir, CString(""));
}

TEST(UserTool, CloneCopiesEveryField) {
  auto t = tool("a", "b", "c", "d", 0, 7);
  SECUserToolList one;
  one.push_back(t->Clone());
  SECUserToolList orig;
  orig.push_back(std::move(t));
  expect_same(one, orig);
}

}  // namespace
