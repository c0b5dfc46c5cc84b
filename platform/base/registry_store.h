// The per-user registry store: keys with sub-keys and typed values, kept in one file per user and
// reached through key handles with the registry's own result codes.
//
// Key names are compared without regard to case (CP1250 case mapping) and keep the case they
// were created with. Sub-keys enumerate in that case-insensitive name order; values enumerate in
// the order they were first set. Every change is written to the file at once (atomically), so a
// crash loses nothing that a call reported as done. The file is read once, when the store is
// made: one running program owns it (the program runs as a single instance).
//
// File: registry.dat in the per-user settings folder (config_folder.h).
//   bytes 0-3   "LKRG"
//   bytes 4-5   version, 1
//   bytes 6-7   0
//   then the top key (nameless; its sub-keys are the root keys by their names) as a key record:
//     WORD name length, the name (CP1250)
//     WORD class length, the class
//     QWORD last write time (100 ns units since 1601-01-01, UTC)
//     DWORD value count, then per value: WORD name length, name, DWORD type, DWORD data length, data
//     DWORD sub-key count, then each sub-key as a key record (nesting at most kMaxKeyDepth deep)
//   DWORD checksum: FNV-1a (32-bit) of every byte before it; the file ends there.
// A file that does not read back exactly (bad magic, counts beyond the bytes, extra bytes, wrong
// checksum, two sub-keys of one name) is corrupt: it is reported once on stderr and in
// load_problem(), renamed aside to a new name (registry.dat.corrupt-N, never replacing a file) and
// replaced by an empty store. A file that cannot be read at all is left alone and never
// overwritten: changes then fail with ERROR_ACCESS_DENIED.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// A key handle: one of the predefined roots or a handle returned by create_key / open_key.
using HKEY = uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

// Value types.
inline constexpr uint32_t REG_NONE = 0;
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_EXPAND_SZ = 2;
inline constexpr uint32_t REG_BINARY = 3;
inline constexpr uint32_t REG_DWORD = 4;
inline constexpr uint32_t REG_MULTI_SZ = 7;

// Result codes (the registry's own numbers).
using RegResult = int32_t;
inline constexpr RegResult ERROR_SUCCESS = 0;
inline constexpr RegResult ERROR_FILE_NOT_FOUND = 2;
inline constexpr RegResult ERROR_ACCESS_DENIED = 5;
inline constexpr RegResult ERROR_INVALID_HANDLE = 6;
inline constexpr RegResult ERROR_NOT_SUPPORTED = 50;
inline constexpr RegResult ERROR_BAD_NETPATH = 53;
inline constexpr RegResult ERROR_INVALID_PARAMETER = 87;
inline constexpr RegResult ERROR_CALL_NOT_IMPLEMENTED = 120;
inline constexpr RegResult ERROR_MORE_DATA = 234;
inline constexpr RegResult ERROR_NO_MORE_ITEMS = 259;
inline constexpr RegResult ERROR_KEY_DELETED = 1018;

// Dispositions of create_key.
inline constexpr uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr uint32_t REG_OPENED_EXISTING_KEY = 2;

// Limits of names and nesting.
inline constexpr size_t kMaxKeyNameLength = 255;
inline constexpr size_t kMaxValueNameLength = 16383;
inline constexpr size_t kMaxKeyDepth = 512;

// What query_info reports of a key (lengths in bytes, names without terminating zero).
struct RegKeyInfo {
  std::string class_name;
  uint32_t sub_keys = 0;
  uint32_t max_sub_key_len = 0;
  uint32_t max_class_len = 0;
  uint32_t values = 0;
  uint32_t max_value_name_len = 0;
  uint32_t max_value_len = 0;
  uint32_t security_descriptor = 0;
  uint64_t last_write = 0;  // 100 ns units since 1601-01-01, UTC
};

class RegistryStore {
 public:
  // Loads the store of `file_path` (an empty store when the file does not exist).
  explicit RegistryStore(std::string file_path);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // The process's store of the current user, loaded on first use from default_path().
  static RegistryStore& user();
  // Makes the process's user store the one of `file_path` (tests, another settings folder).
  static void set_user_path(const std::string& file_path);
  static std::string default_path();

  const std::string& path() const { return path_; }
  // Empty, or what went wrong with the file when it was loaded.
  const std::string& load_problem() const { return load_problem_; }
  // Where a corrupt file was set aside, or empty.
  const std::string& set_aside_path() const { return set_aside_path_; }

  // Paths are sub-key names separated by backslashes; empty parts are skipped, so an empty path
  // names `parent` itself (and gives a new handle to it).
  RegResult create_key(HKEY parent, std::string_view path, std::string_view class_name, HKEY& out,
                       uint32_t* disposition = nullptr);
  RegResult open_key(HKEY parent, std::string_view path, HKEY& out);
  // Closing a root is a no-op that succeeds.
  RegResult close_key(HKEY key);
  // Deletes the key at `path` below `parent`; a key that has sub-keys is deleted only with
  // `with_sub_keys` (else ERROR_ACCESS_DENIED). Handles still open on deleted keys answer
  // ERROR_KEY_DELETED.
  RegResult delete_key(HKEY parent, std::string_view path, bool with_sub_keys = false);

  // Stores the bytes as given (a string value carries its terminating zero, as callers write it).
  RegResult set_value(HKEY key, std::string_view name, uint32_t type, std::span<const uint8_t> data);
  // Copies the value into `data` (may be null to ask the size). `size` is the buffer size in and
  // the data size out; a buffer too small gives ERROR_MORE_DATA with the size needed.
  RegResult query_value(HKEY key, std::string_view name, uint32_t* type, uint8_t* data, uint32_t* size);
  RegResult delete_value(HKEY key, std::string_view name);

  // The index-th sub-key (ERROR_NO_MORE_ITEMS past the last).
  RegResult enum_key(HKEY key, uint32_t index, std::string& name, std::string* class_name = nullptr,
                     uint64_t* last_write = nullptr);
  // The index-th value; data and size as for query_value.
  RegResult enum_value(HKEY key, uint32_t index, std::string& name, uint32_t* type = nullptr,
                       uint8_t* data = nullptr, uint32_t* size = nullptr);
  RegResult query_info(HKEY key, RegKeyInfo& info);
  // Writes the file when an earlier write failed; ERROR_SUCCESS when the file is up to date.
  RegResult flush();

  // The file form of the whole store, and its reader (false for bytes that are not a store).
  std::vector<uint8_t> encode() const;
  bool decode(std::span<const uint8_t> bytes);
  // The checksum that ends the file form, over the bytes before it.
  static uint32_t checksum(std::span<const uint8_t> bytes);

  struct Key;

 private:
  std::shared_ptr<Key> key_of(HKEY key, RegResult& result) const;
  std::shared_ptr<Key> find(const std::shared_ptr<Key>& from, std::string_view path) const;
  HKEY new_handle(std::shared_ptr<Key> key);
  RegResult changed();
  void load();

  mutable std::mutex mutex_;
  std::string path_;
  std::string load_problem_;
  std::string set_aside_path_;
  std::shared_ptr<Key> top_;
  std::map<HKEY, std::shared_ptr<Key>> handles_;
  HKEY next_handle_ = 1;
  bool dirty_ = false;
  bool writable_ = true;
};

}  // namespace base
