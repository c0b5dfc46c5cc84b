#include "toolkit/frame/registry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Every test runs on its own store file in the temporary folder.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    path_ = base::temp_folder() + "/secreg" + std::to_string(++counter) + ".dat";
    base::RegistryStore::set_user_path(path_);
  }
  void TearDown() override {
    base::RegistryStore::set_user_path(base::temp_folder() + "/secreg-idle.dat");
    fs::remove(path_);
  }
  std::string path_;
};

const char kProgramKey[] = "Software\\Fenwar\\LumoKAL";

TEST_F(RegistryTest, SettingsWriterAndReaderPattern) {
  {
    SECRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(reg.GetRootKeyName(), "HKEY_LOCAL_MACHINE");
    EXPECT_FALSE(reg.GetComputerName().IsEmpty());
    EXPECT_FALSE(reg.Open(kProgramKey, KEY_ALL_ACCESS)) << "Open does not create";
    EXPECT_EQ(reg.GetErrorCode(), base::ERROR_FILE_NOT_FOUND);
    DWORD disposition = 0;
    ASSERT_TRUE(reg.Create(kProgramKey, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &disposition));
    EXPECT_EQ(disposition, base::REG_CREATED_NEW_KEY);
    ASSERT_TRUE(reg.SetStringValue("UserData", CString("1,2,3")));
    CByteArray mouse;
    for (BYTE b : {0x00, 0xFF, 0x10}) mouse.Add(b);
    ASSERT_TRUE(reg.SetBinaryValue("Mouse", mouse));
    ASSERT_TRUE(reg.SetDWordValue("Count", 0xDEADBEEF));
    CStringArray list;
    list.Add(CString("ab"));
    list.Add(CString("c"));
    ASSERT_TRUE(reg.SetMultiStringValue("List", list));
    // After Create the key information is not cached, yet the binary read still works.
    CByteArray back;
    EXPECT_TRUE(reg.QueryBinaryValue("Mouse", back));
    EXPECT_EQ(back.GetSize(), 3);
    EXPECT_TRUE(reg.Close());
  }
  base::RegistryStore::set_user_path(path_);  // read back from the file
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_LOCAL_MACHINE));
  ASSERT_TRUE(reg.Open(kProgramKey, KEY_ALL_ACCESS));
  EXPECT_EQ(reg.GetNumberOfValues(), 4u);
  EXPECT_EQ(reg.GetLongestValueDataLength(), 6u);
  CString text;
  EXPECT_TRUE(reg.QueryStringValue("UserData", text));
  EXPECT_EQ(text, "1,2,3");
  CByteArray mouse;
  ASSERT_TRUE(reg.QueryValue("Mouse", mouse));
  ASSERT_EQ(mouse.GetSize(), 3);
  EXPECT_EQ(mouse[1], 0xFF);
  DWORD count = 0;
  EXPECT_TRUE(reg.QueryDWordValue("Count", count));
  EXPECT_EQ(count, 0xDEADBEEFu);
  CStringArray list;
  ASSERT_TRUE(reg.QueryMultiStringValue("List", list));
  ASSERT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list[0], "ab");
  EXPECT_EQ(list[1], "c");
  // The multi-string's bytes: the two letters, zero, the letter, zero, zero.
  BYTE raw[16];
  DWORD size = sizeof raw, type = 0;
  ASSERT_TRUE(reg.QueryValue("List", &type, raw, &size));
  EXPECT_EQ(type, REG_MULTI_SZ);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), size), std::string("ab\0c\0\0", 6));
  // A missing value: false, the string emptied.
  text = "left over";
  EXPECT_FALSE(reg.QueryStringValue("Missing", text));
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_FALSE(reg.QueryStringValue(nullptr, text));
  EXPECT_EQ(reg.GetErrorCode(), base::ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(reg.SetValue("x", REG_BINARY, nullptr, 0));
  EXPECT_EQ(reg.GetErrorCode(), base::ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, ConnectOpenAndClose) {
  SECRegistry reg;
  EXPECT_FALSE(reg.Connect(HKEY_CURRENT_USER, "server"));
  EXPECT_EQ(reg.GetErrorCode(), base::ERROR_INVALID_HANDLE);
  EXPECT_EQ(reg.GetRootKey(), 0u) << "left unconnected";
  EXPECT_FALSE(reg.Connect(HKEY_LOCAL_MACHINE, "server")) << "only the local store exists";
  ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER, ""));
  EXPECT_EQ(reg.GetCurrentKey(), reg.GetRootKey());
  EXPECT_TRUE(reg.Close());
  EXPECT_EQ(reg.GetErrorCode(), 0);
  EXPECT_EQ(reg.GetRootKey(), 0u);

  // Without Connect, Open works under HKEY_CLASSES_ROOT.
  {
    SECRegistry setup;
    ASSERT_TRUE(setup.Connect(HKEY_CLASSES_ROOT));
    ASSERT_TRUE(setup.Create(".lkl"));
  }
  SECRegistry fresh;
  EXPECT_TRUE(fresh.Open(".lkl"));
  EXPECT_EQ(fresh.GetRootKey(), HKEY_CLASSES_ROOT);
  EXPECT_EQ(fresh.GetKeyName(), ".lkl");
  SECRegistry no_root;
  EXPECT_FALSE(no_root.Create("Software")) << "Create has no default root";
}

TEST_F(RegistryTest, EnumerationAndKeyInfo) {
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_LOCAL_MACHINE));
  for (const char* key : {"Root\\Zeta", "Root\\alfa", "Root\\Beta"}) {
    ASSERT_TRUE(reg.Create(key, "klasa"));
  }
  ASSERT_TRUE(reg.Open("Root"));
  ASSERT_TRUE(reg.SetValue("b", CString("1")));
  ASSERT_TRUE(reg.SetValue("a", DWORD(2)));
  ASSERT_TRUE(reg.QueryKeyInfo());
  EXPECT_EQ(reg.GetNumberOfSubkeys(), 3u);
  EXPECT_EQ(reg.GetLongestSubkeyNameLength(), 4u);
  EXPECT_EQ(reg.GetLongestClassNameLength(), 5u);
  EXPECT_GT(reg.GetLastWriteTime().GetTime(), 0);
  std::vector<std::string> names;
  CString name, cls;
  for (DWORD i = 0; reg.EnumKeyNameAndClass(i, name, cls); ++i) names.push_back(name.str() + "/" + cls.str());
  EXPECT_EQ(names, (std::vector<std::string>{"alfa/klasa", "Beta/klasa", "Zeta/klasa"}));
  EXPECT_EQ(reg.GetErrorCode(), base::ERROR_NO_MORE_ITEMS);
  names.clear();
  DWORD type = 0;
  for (DWORD i = 0; reg.EnumValueName(i, name, type); ++i) names.push_back(name.str() + "/" + std::to_string(type));
  EXPECT_EQ(names, (std::vector<std::string>{"b/1", "a/4"}));
  // A short name buffer gives the cut name and ERROR_MORE_DATA.
  char small[3];
  DWORD small_size = sizeof small;
  EXPECT_EQ(reg.EnumKey(0, small, &small_size), base::ERROR_MORE_DATA);
  EXPECT_STREQ(small, "al");
}

TEST_F(RegistryTest, DeletingKeysAndValues) {
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_LOCAL_MACHINE));
  ASSERT_TRUE(reg.Create("Software\\Fenwar\\LumoKAL\\A\\B"));
  ASSERT_TRUE(reg.Create("Software\\Fenwar\\LumoKAL\\A\\C\\D"));
  ASSERT_TRUE(reg.Open("Software\\Fenwar\\LumoKAL"));
  ASSERT_TRUE(reg.SetValue("v", CString("x")));
  EXPECT_TRUE(reg.DeleteValue("v"));
  EXPECT_FALSE(reg.DeleteValue("v"));
  EXPECT_EQ(reg.GetErrorCode(), base::ERROR_FILE_NOT_FOUND);

  EXPECT_FALSE(reg.DeleteKey("A", FALSE)) << "a key with sub-keys needs the recursive delete";
  EXPECT_EQ(reg.GetErrorCode(), base::ERROR_ACCESS_DENIED);
  EXPECT_FALSE(reg.DeleteKey("", TRUE));
  EXPECT_EQ(reg.GetErrorCode(), base::ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(reg.DeleteKey("A", TRUE)) << "relative to the open key, bottom-up";
  SECRegistry check;
  ASSERT_TRUE(check.Connect(HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(check.Open("Software\\Fenwar\\LumoKAL\\A"));
  EXPECT_TRUE(check.Open("Software\\Fenwar\\LumoKAL"));

  // A path from the root, deleting the tree the object stands in: it moves to the parent.
  ASSERT_TRUE(reg.Open("Software\\Fenwar\\LumoKAL"));
  EXPECT_TRUE(reg.DeleteKey("\\Software\\Fenwar", TRUE));
  EXPECT_FALSE(check.Open("Software\\Fenwar"));
  EXPECT_EQ(reg.GetKeyName(), "\\Software");
  EXPECT_TRUE(reg.SetValue("still", CString("works")));
}

TEST_F(RegistryTest, TrimJoinAndRootNames) {
  EXPECT_EQ(SECRegistryTrimKeyPath(CString("Software\\Fenwar\\"), false), "Software\\Fenwar");
  EXPECT_EQ(SECRegistryTrimKeyPath(CString("\\Software"), false), "\\Software");
  EXPECT_EQ(SECRegistryTrimKeyPath(CString("\\Software"), true), "Software");
  EXPECT_EQ(SECRegistryTrimKeyPath(CString(""), false), "\\");
  EXPECT_EQ(SECRegistryTrimKeyPath(CString(""), true), "");
  EXPECT_EQ(SECRegistryJoinKeyPath(CString("A\\"), CString("\\B")), "A\\B");
  CString name("unchanged");
  EXPECT_FALSE(SECRegistryRootKeyName(HKEY_PERFORMANCE_DATA, name));
  EXPECT_EQ(name, "unchanged");
  EXPECT_TRUE(SECRegistryRootKeyName(HKEY_DYN_DATA, name));
  EXPECT_EQ(name, "HKEY_DYN_DATA");
}

TEST_F(RegistryTest, OperationsWithoutMeaningHereFailClearly) {
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_LOCAL_MACHINE));
  int descriptor = 0;
  struct Case {
    const char* what;
    BOOL result;
    LONG code;
  } cases[] = {
      {"load", reg.LoadKey("k", "f"), base::ERROR_CALL_NOT_IMPLEMENTED},
      {"load without file", reg.LoadKey("k", nullptr), base::ERROR_INVALID_PARAMETER},
      {"unload", reg.UnLoadKey("k"), base::ERROR_CALL_NOT_IMPLEMENTED},
      {"save", reg.SaveKey("f"), base::ERROR_CALL_NOT_IMPLEMENTED},
      {"restore", reg.RestoreKey("f", 0), base::ERROR_CALL_NOT_IMPLEMENTED},
      {"replace", reg.ReplaceKey("k", "n", "o"), base::ERROR_CALL_NOT_IMPLEMENTED},
      {"get security", reg.GetKeySecurity(0, &descriptor, nullptr), base::ERROR_CALL_NOT_IMPLEMENTED},
      {"set security", reg.SetKeySecurity(0, nullptr), base::ERROR_INVALID_PARAMETER},
      {"notify", reg.NotifyChange(nullptr, 0, FALSE, FALSE), base::ERROR_CALL_NOT_IMPLEMENTED},
  };
  for (const auto& c : cases) EXPECT_FALSE(c.result) << c.what;
  // Each call kept its own code; check them again one by one.
  EXPECT_FALSE(reg.LoadKey("k", nullptr));
  EXPECT_EQ(reg.GetErrorCode(), base::ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(reg.NotifyChange(nullptr, 0, FALSE, FALSE));
  EXPECT_EQ(reg.GetErrorCode(), base::ERROR_CALL_NOT_IMPLEMENTED);
}

TEST_F(RegistryTest, ACorruptStoreFileStartsEmpty) {
  std::vector<uint8_t> junk = {'n', 'o', 't', ' ', 'a', ' ', 's', 't', 'o', 'r', 'e', '!', '!'};
  ASSERT_EQ(base::write_file_atomic(path_, junk), base::OsError::None);
  base::RegistryStore::set_user_path(path_);
  EXPECT_FALSE(base::RegistryStore::user().set_aside_path().empty());
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(reg.Open(kProgramKey));
  EXPECT_TRUE(reg.Create(kProgramKey));
  EXPECT_TRUE(reg.SetStringValue("UserData", CString("x")));
  fs::remove(base::RegistryStore::user().set_aside_path());
}

}  // namespace
