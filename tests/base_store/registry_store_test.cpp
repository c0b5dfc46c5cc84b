#include "platform/base/registry_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/base/byte_io.h"
#include "platform/base/config_folder.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

namespace {

using namespace base;
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    folder_ = temp_folder() + "/reg" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    fs::create_directories(folder_);
    path_ = folder_ + "/LumoKAL/registry.dat";
  }
  void TearDown() override { fs::remove_all(folder_); }

  static Bytes file_bytes(const std::string& path) {
    Bytes b;
    read_file(path, b);
    return b;
  }
  static void put_file(const std::string& path, const Bytes& b) {
    fs::create_directories(fs::path(path).parent_path());
    ASSERT_EQ(write_file_atomic(path, b), OsError::None);
  }
  static Bytes value_of(RegistryStore& s, HKEY key, std::string_view name, uint32_t& type) {
    uint32_t size = 0;
    if (s.query_value(key, name, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    Bytes b(size);
    EXPECT_EQ(s.query_value(key, name, &type, b.data(), &size), ERROR_SUCCESS);
    return b;
  }

  std::string folder_;
  std::string path_;
};

TEST_F(RegistryStoreTest, EveryValueTypeSurvivesReopening) {
  struct Case {
    const char* name;
    uint32_t type;
    Bytes data;
  } cases[] = {
      {"UserData", REG_SZ, {'1', ',', '2', 0}},
      {"\x8C" "cie\xBFka", REG_EXPAND_SZ, {'%', 'H', '%', 0}},
      {"Mouse", REG_BINARY, {0x00, 0xFF, 0x00, 0x80, 0x0D, 0x0A}},
      {"Count", REG_DWORD, {0x78, 0x56, 0x34, 0x12}},
      {"List", REG_MULTI_SZ, {'a', 'b', 0, 'c', 0, 0}},
      {"", REG_SZ, {'d', 'e', 'f', 0}},
      {"Empty", REG_BINARY, {}},
  };
  {
    RegistryStore s(path_);
    HKEY key;
    uint32_t disposition = 0;
    ASSERT_EQ(s.create_key(HKEY_LOCAL_MACHINE, "Software\\Fenwar\\LumoKAL", "", key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    for (const auto& c : cases) ASSERT_EQ(s.set_value(key, c.name, c.type, c.data), ERROR_SUCCESS);
    EXPECT_EQ(s.close_key(key), ERROR_SUCCESS);
  }
  RegistryStore s(path_);
  EXPECT_TRUE(s.load_problem().empty());
  HKEY key;
  ASSERT_EQ(s.open_key(HKEY_LOCAL_MACHINE, "software\\FENWAR\\lumokal", key), ERROR_SUCCESS);
  for (const auto& c : cases) {
    uint32_t type = 0;
    EXPECT_EQ(value_of(s, key, c.name, type), c.data) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
  }
  // The same key under another root is a different key.
  HKEY other;
  EXPECT_EQ(s.open_key(HKEY_CURRENT_USER, "Software\\Fenwar\\LumoKAL", other), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryStoreTest, NamesKeepTheirCaseAndEnumerateInAStableOrder) {
  RegistryStore s(path_);
  HKEY key;
  ASSERT_EQ(s.create_key(HKEY_CURRENT_USER, "App", "", key), ERROR_SUCCESS);
  for (const char* name : {"Zeta", "alfa", "\xA3\xF3" "d\x9F", "Beta", "ALFA", "\xB3\xF3" "D\x9F"}) {
    HKEY sub;
    ASSERT_EQ(s.create_key(key, name, "", sub), ERROR_SUCCESS);
    s.close_key(sub);
  }
  for (const char* name : {"b", "A", "c", "a"}) {
    uint8_t one = 1;
    ASSERT_EQ(s.set_value(key, name, REG_BINARY, {&one, 1}), ERROR_SUCCESS);
  }
  std::vector<std::string> keys, values;
  std::string name;
  for (uint32_t i = 0; s.enum_key(key, i, name) == ERROR_SUCCESS; ++i) keys.push_back(name);
  for (uint32_t i = 0; s.enum_value(key, i, name) == ERROR_SUCCESS; ++i) values.push_back(name);
  EXPECT_EQ(keys, (std::vector<std::string>{"alfa", "Beta", "Zeta", "\xA3\xF3" "d\x9F"}))
      << "sub-keys by name without case, the first spelling kept";
  EXPECT_EQ(values, (std::vector<std::string>{"b", "A", "c"})) << "values in the order first set";
  EXPECT_EQ(s.enum_key(key, 4, name), ERROR_NO_MORE_ITEMS);
  // Creating an existing key opens it.
  HKEY again;
  uint32_t disposition = 0;
  ASSERT_EQ(s.create_key(HKEY_CURRENT_USER, "app", "", again, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
}

TEST_F(RegistryStoreTest, ValueReadsReportSizesAndShortBuffers) {
  RegistryStore s(path_);
  HKEY key;
  ASSERT_EQ(s.create_key(HKEY_LOCAL_MACHINE, "K", "klasa", key), ERROR_SUCCESS);
  Bytes data(10, 0x41);
  ASSERT_EQ(s.set_value(key, "V", REG_BINARY, data), ERROR_SUCCESS);
  ASSERT_EQ(s.set_value(key, "LongerName", REG_DWORD, Bytes{1, 0, 0, 0}), ERROR_SUCCESS);
  uint8_t buf[4];
  uint32_t size = sizeof buf, type = 0;
  EXPECT_EQ(s.query_value(key, "V", &type, buf, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(s.query_value(key, "missing", &type, buf, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(s.query_value(key, "V", &type, buf, nullptr), ERROR_INVALID_PARAMETER);

  HKEY root_view;
  ASSERT_EQ(s.open_key(HKEY_LOCAL_MACHINE, "", root_view), ERROR_SUCCESS);
  RegKeyInfo info;
  ASSERT_EQ(s.query_info(key, info), ERROR_SUCCESS);
  EXPECT_EQ(info.values, 2u);
  EXPECT_EQ(info.max_value_name_len, 10u);
  EXPECT_EQ(info.max_value_len, 10u);
  EXPECT_EQ(info.class_name, "klasa");
  EXPECT_GT(info.last_write, 116444736000000000ull);
  ASSERT_EQ(s.query_info(root_view, info), ERROR_SUCCESS);
  EXPECT_EQ(info.sub_keys, 1u);
  EXPECT_EQ(info.max_sub_key_len, 1u);
  EXPECT_EQ(info.max_class_len, 5u);

  EXPECT_EQ(s.delete_value(key, "v"), ERROR_SUCCESS);
  EXPECT_EQ(s.delete_value(key, "V"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(s.query_info(key, info), ERROR_SUCCESS);
  EXPECT_EQ(info.values, 1u);
  EXPECT_EQ(s.set_value(12345, "V", REG_SZ, {}), ERROR_INVALID_HANDLE);
  EXPECT_EQ(s.open_key(HKEY_PERFORMANCE_DATA, "", root_view), ERROR_INVALID_HANDLE);
  EXPECT_EQ(s.create_key(key, std::string(256, 'n'), "", root_view), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryStoreTest, DeletingKeys) {
  RegistryStore s(path_);
  HKEY leaf, top;
  ASSERT_EQ(s.create_key(HKEY_LOCAL_MACHINE, "A\\B\\C", "", leaf), ERROR_SUCCESS);
  ASSERT_EQ(s.open_key(HKEY_LOCAL_MACHINE, "A", top), ERROR_SUCCESS);
  EXPECT_EQ(s.delete_key(HKEY_LOCAL_MACHINE, "A"), ERROR_ACCESS_DENIED) << "has sub-keys";
  EXPECT_EQ(s.delete_key(top, "B\\C"), ERROR_SUCCESS);
  EXPECT_EQ(s.set_value(leaf, "x", REG_SZ, {}), ERROR_KEY_DELETED) << "handle on a deleted key";
  ASSERT_EQ(s.create_key(top, "B\\D\\E", "", leaf), ERROR_SUCCESS);
  EXPECT_EQ(s.delete_key(HKEY_LOCAL_MACHINE, "A", true), ERROR_SUCCESS);
  EXPECT_EQ(s.enum_value(top, 0, *std::make_unique<std::string>()), ERROR_KEY_DELETED);
  EXPECT_EQ(s.delete_key(HKEY_LOCAL_MACHINE, "A"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(s.delete_key(HKEY_LOCAL_MACHINE, ""), ERROR_ACCESS_DENIED) << "a root stays";
  RegistryStore reopened(path_);
  HKEY gone;
  EXPECT_EQ(reopened.open_key(HKEY_LOCAL_MACHINE, "A", gone), ERROR_FILE_NOT_FOUND);
}

// A valid store file with one value, for the corruption cases.
Bytes sample_file(const std::string& path) {
  {
    RegistryStore s(path);
    HKEY key;
    s.create_key(HKEY_LOCAL_MACHINE, "Software\\Fenwar", "", key);
    s.set_value(key, "UserData", REG_SZ, Bytes{'x', 0});
  }
  Bytes b;
  read_file(path, b);
  return b;
}

TEST_F(RegistryStoreTest, EveryDamagedFormIsRefused) {
  Bytes good = sample_file(path_);
  RegistryStore s(folder_ + "/other.dat");
  ASSERT_TRUE(s.decode(good));
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_FALSE(s.decode(Bytes(good.begin(), good.begin() + n))) << "cut at " << n;
  for (size_t i = 0; i < good.size(); ++i) {
    Bytes flipped = good;
    flipped[i] ^= 0x20;
    EXPECT_FALSE(s.decode(flipped)) << "byte " << i;
  }
  Bytes longer = good;
  longer.push_back(0);
  EXPECT_FALSE(s.decode(longer));
}

TEST_F(RegistryStoreTest, InflatedCountsAreRefusedEvenWithAMatchingChecksum) {
  // A store whose top key claims four billion values, with the checksum made to fit.
  RegistryStore s(folder_ + "/x.dat");
  Bytes b = s.encode();
  size_t value_count_at = 8 + 2 + 2 + 8;
  store_le32(b.data() + value_count_at, 0xFFFFFFFFu);
  store_le32(b.data() + b.size() - 4, RegistryStore::checksum({b.data(), b.size() - 4}));
  EXPECT_FALSE(s.decode(b));
}

TEST_F(RegistryStoreTest, ACorruptFileIsSetAsideOnceAndNeverOverwritten) {
  Bytes garbage = {'L', 'K', 'R', 'G', 1, 0, 0, 0, 0xDE, 0xAD};
  put_file(path_, garbage);
  put_file(path_ + ".corrupt-1", Bytes{'o', 'l', 'd'});  // an earlier one stays
  RegistryStore s(path_);
  EXPECT_FALSE(s.load_problem().empty());
  EXPECT_EQ(s.set_aside_path(), path_ + ".corrupt-2");
  EXPECT_EQ(file_bytes(path_ + ".corrupt-2"), garbage);
  EXPECT_EQ(file_bytes(path_ + ".corrupt-1"), (Bytes{'o', 'l', 'd'}));
  // The store starts empty and works.
  HKEY key;
  EXPECT_EQ(s.open_key(HKEY_LOCAL_MACHINE, "Software", key), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(s.create_key(HKEY_LOCAL_MACHINE, "Software", "", key), ERROR_SUCCESS);
  RegistryStore reopened(path_);
  EXPECT_TRUE(reopened.load_problem().empty());
  EXPECT_EQ(reopened.open_key(HKEY_LOCAL_MACHINE, "Software", key), ERROR_SUCCESS);
}

TEST_F(RegistryStoreTest, AnUnreadableFileIsLeftAlone) {
  // A folder where the file belongs cannot be read even by root; it is neither set aside nor replaced.
  put_file(path_ + "/inside", Bytes{'k', 'e', 'e', 'p'});
  RegistryStore s(path_);
  EXPECT_FALSE(s.load_problem().empty());
  EXPECT_TRUE(s.set_aside_path().empty());
  HKEY key;
  EXPECT_EQ(s.create_key(HKEY_LOCAL_MACHINE, "New", "", key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(file_bytes(path_ + "/inside"), (Bytes{'k', 'e', 'e', 'p'}));
  EXPECT_FALSE(std::filesystem::exists(path_ + ".corrupt-1"));
}

TEST_F(RegistryStoreTest, AWriterKilledMidSaveLeavesAReadableStore) {
  sample_file(path_);
  for (int round = 0; round < 5; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RegistryStore s(path_);
      HKEY key;
      s.create_key(HKEY_LOCAL_MACHINE, "Software\\Fenwar", "", key);
      Bytes big(20000, uint8_t(round));
      for (uint32_t i = 0;; ++i) {
        big[0] = uint8_t(i);
        s.set_value(key, "Big" + std::to_string(i % 7), REG_BINARY, big);
      }
    }
    usleep(20000 + round * 7000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    RegistryStore s(path_);
    EXPECT_TRUE(s.load_problem().empty()) << s.load_problem();
    HKEY key;
    ASSERT_EQ(s.open_key(HKEY_LOCAL_MACHINE, "Software\\Fenwar", key), ERROR_SUCCESS);
    uint32_t type = 0;
    EXPECT_EQ(value_of(s, key, "UserData", type), (Bytes{'x', 0}));
  }
}

TEST_F(RegistryStoreTest, TheUserStoreFollowsTheConfigFolder) {
  set_config_folder(folder_ + "/LumoKAL");
  EXPECT_EQ(RegistryStore::default_path(), path_);
  set_config_folder("");
  RegistryStore::set_user_path(path_);
  EXPECT_EQ(RegistryStore::user().path(), path_);
}

}  // namespace
