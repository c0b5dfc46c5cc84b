#include "platform/base/registry_store.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/base/byte_io.h"
#include "platform/base/config_folder.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"

namespace base {

namespace {

constexpr uint8_t kMagic[4] = {'L', 'K', 'R', 'G'};
constexpr uint16_t kVersion = 1;
// A registry file larger than this is not ours.
constexpr uint64_t kMaxFileSize = 64u << 20;
constexpr RegResult ERROR_WRITE_FAULT = 29;

struct RootName {
  HKEY key;
  const char* name;
};
constexpr RootName kRoots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},   {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}, {HKEY_USERS, "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}, {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
};

uint64_t now_filetime() {
  using namespace std::chrono;
  // 100 ns steps between 1601-01-01 and 1970-01-01.
  constexpr uint64_t kUnixEpoch = 116444736000000000ull;
  auto since_unix = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
  return kUnixEpoch + uint64_t(since_unix / 100);
}

// The parts of a backslash-separated path, empty parts left out.
std::vector<std::string_view> split_path(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// Renames `from` to `to` only when `to` does not exist yet.
bool rename_no_replace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without the exclusive rename: a hard link fails when the name is taken.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

}  // namespace

struct RegistryStore::Key {
  struct Value {
    std::string name;
    uint32_t type = REG_NONE;
    std::vector<uint8_t> data;
  };

  std::string name;
  std::string class_name;
  uint64_t last_write = 0;
  std::vector<Value> values;                  // in the order first set
  std::vector<std::shared_ptr<Key>> sub_keys;  // in case-insensitive name order
  Key* parent = nullptr;
  bool deleted = false;

  // Position of the sub-key `n` or where it would go.
  std::vector<std::shared_ptr<Key>>::iterator lower_bound(std::string_view n) {
    return std::lower_bound(sub_keys.begin(), sub_keys.end(), n, [](const auto& k, std::string_view x) {
      return cp1250::compare_no_case(k->name, x) < 0;
    });
  }
  std::shared_ptr<Key> sub_key(std::string_view n) {
    auto it = lower_bound(n);
    return it != sub_keys.end() && cp1250::equal_no_case((*it)->name, n) ? *it : nullptr;
  }
  Value* value(std::string_view n) {
    for (auto& v : values)
      if (cp1250::equal_no_case(v.name, n)) return &v;
    return nullptr;
  }
  size_t depth() const {
    size_t d = 0;
    for (const Key* k = parent; k; k = k->parent) ++d;
    return d;
  }
  void mark_deleted() {
    deleted = true;
    for (auto& k : sub_keys) k->mark_deleted();
  }
};

namespace {

using Key = RegistryStore::Key;

void encode_key(const Key& key, ByteWriter& w) {
  w.u16(uint16_t(key.name.size()));
  w.bytes(key.name.data(), key.name.size());
  w.u16(uint16_t(key.class_name.size()));
  w.bytes(key.class_name.data(), key.class_name.size());
  w.u64(key.last_write);
  w.u32(uint32_t(key.values.size()));
  for (const auto& v : key.values) {
    w.u16(uint16_t(v.name.size()));
    w.bytes(v.name.data(), v.name.size());
    w.u32(v.type);
    w.u32(uint32_t(v.data.size()));
    w.bytes(v.data);
  }
  w.u32(uint32_t(key.sub_keys.size()));
  for (const auto& k : key.sub_keys) encode_key(*k, w);
}

bool read_text(ByteReader& r, std::string& out) {
  uint16_t n = r.u16();
  std::span<const uint8_t> bytes;
  if (!r.view(n, bytes)) return false;
  out.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return true;
}

// Reads one key record into `key`; false for anything that is not a well-formed record.
bool decode_key(ByteReader& r, Key& key, size_t depth) {
  if (depth > kMaxKeyDepth) return false;
  if (!read_text(r, key.name) || !read_text(r, key.class_name) || !r.u64(key.last_write)) return false;
  if (depth > 0 && (key.name.empty() || key.name.size() > kMaxKeyNameLength ||
                    key.name.find('\\') != std::string::npos))
    return false;
  uint32_t value_count = r.u32();
  if (!r.ok() || value_count > r.remaining()) return false;
  for (uint32_t i = 0; i < value_count; ++i) {
    Key::Value v;
    if (!read_text(r, v.name) || !r.u32(v.type)) return false;
    uint32_t size = r.u32();
    std::span<const uint8_t> data;
    if (!r.view(size, data) || key.value(v.name)) return false;
    v.data.assign(data.begin(), data.end());
    key.values.push_back(std::move(v));
  }
  uint32_t sub_count = r.u32();
  if (!r.ok() || sub_count > r.remaining()) return false;
  for (uint32_t i = 0; i < sub_count; ++i) {
    auto sub = std::make_shared<Key>();
    sub->parent = &key;
    if (!decode_key(r, *sub, depth + 1)) return false;
    auto at = key.lower_bound(sub->name);
    if (at != key.sub_keys.end() && cp1250::equal_no_case((*at)->name, sub->name)) return false;
    key.sub_keys.insert(at, std::move(sub));
  }
  return true;
}

// Adds the root keys that a store's top key lacks.
void add_roots(Key& top) {
  for (const auto& root : kRoots) {
    auto at = top.lower_bound(root.name);
    if (at == top.sub_keys.end() || !cp1250::equal_no_case((*at)->name, root.name)) {
      auto key = std::make_shared<Key>();
      key->name = root.name;
      key->parent = &top;
      top.sub_keys.insert(at, std::move(key));
    }
  }
}

std::unique_ptr<RegistryStore>& user_store() {
  static std::unique_ptr<RegistryStore> store;
  return store;
}

std::mutex& user_store_mutex() {
  static std::mutex m;
  return m;
}

}  // namespace

RegistryStore::RegistryStore(std::string file_path) : path_(std::move(file_path)) { load(); }

RegistryStore::~RegistryStore() { flush(); }

RegistryStore& RegistryStore::user() {
  std::lock_guard lock(user_store_mutex());
  auto& store = user_store();
  if (!store) store = std::make_unique<RegistryStore>(default_path());
  return *store;
}

void RegistryStore::set_user_path(const std::string& file_path) {
  std::lock_guard lock(user_store_mutex());
  user_store() = std::make_unique<RegistryStore>(file_path);
}

std::string RegistryStore::default_path() { return config_folder() + "/registry.dat"; }

// FNV-1a, 32 bits.
uint32_t RegistryStore::checksum(std::span<const uint8_t> bytes) {
  uint32_t h = 2166136261u;
  for (uint8_t b : bytes) {
    h ^= b;
    h *= 16777619u;
  }
  return h;
}

std::vector<uint8_t> RegistryStore::encode() const {
  std::vector<uint8_t> out;
  ByteWriter w(out);
  w.bytes(kMagic, sizeof kMagic);
  w.u16(kVersion);
  w.u16(0);
  encode_key(*top_, w);
  w.u32(RegistryStore::checksum(out));
  return out;
}

bool RegistryStore::decode(std::span<const uint8_t> bytes) {
  if (bytes.size() < 12) return false;
  ByteReader r(bytes.first(bytes.size() - 4));
  uint8_t magic[4];
  r.bytes(magic, 4);
  if (std::memcmp(magic, kMagic, 4) != 0 || r.u16() != kVersion || r.u16() != 0) return false;
  if (load_le32(bytes.data() + bytes.size() - 4) != RegistryStore::checksum(bytes.first(bytes.size() - 4))) return false;
  auto top = std::make_shared<Key>();
  if (!decode_key(r, *top, 0) || !r.ok() || !r.at_end()) return false;
  add_roots(*top);
  std::lock_guard lock(mutex_);
  for (auto& [handle, key] : handles_) key->mark_deleted();
  handles_.clear();
  top_ = std::move(top);
  return true;
}

void RegistryStore::load() {
  std::vector<uint8_t> bytes;
  OsError err = read_file(path_, bytes, kMaxFileSize);
  if (err == OsError::None && decode(bytes)) return;
  // An empty store: the roots only.
  top_ = std::make_shared<Key>();
  add_roots(*top_);
  if (err == OsError::NotFound) return;
  // Only a regular file that reads but does not decode is damaged; anything else in its place (a
  // folder, a special file) is not ours to move.
  const bool damaged = err == OsError::None || (err == OsError::Invalid && file_exists(path_));
  if (!damaged) {
    load_problem_ = std::string("the registry file cannot be read (") + os_error_text(err) +
                    "); settings will not be saved";
    writable_ = false;
  } else {
    for (int n = 1; n <= 1000 && set_aside_path_.empty(); ++n) {
      std::string aside = path_ + ".corrupt-" + std::to_string(n);
      if (rename_no_replace(path_, aside)) set_aside_path_ = aside;
      else if (errno != EEXIST) break;
    }
    if (set_aside_path_.empty()) {
      load_problem_ = "the registry file is damaged and cannot be set aside; settings will not be saved";
      writable_ = false;
    } else {
      load_problem_ = "the registry file was damaged; it was kept as " + set_aside_path_ +
                      " and settings start empty";
    }
  }
  std::fprintf(stderr, "LumoKAL: %s: %s\n", path_.c_str(), load_problem_.c_str());
}

std::shared_ptr<Key> RegistryStore::key_of(HKEY key, RegResult& result) const {
  std::shared_ptr<Key> found;
  for (const auto& root : kRoots)
    if (root.key == key) found = top_->sub_key(root.name);
  if (!found) {
    auto it = handles_.find(key);
    if (it != handles_.end()) found = it->second;
  }
  result = !found ? ERROR_INVALID_HANDLE : found->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
  return result == ERROR_SUCCESS ? found : nullptr;
}

std::shared_ptr<Key> RegistryStore::find(const std::shared_ptr<Key>& from, std::string_view path) const {
  std::shared_ptr<Key> key = from;
  for (std::string_view part : split_path(path)) {
    key = key->sub_key(part);
    if (!key) return nullptr;
  }
  return key;
}

HKEY RegistryStore::new_handle(std::shared_ptr<Key> key) {
  HKEY h = next_handle_++;
  if (next_handle_ >= HKEY_CLASSES_ROOT) next_handle_ = 1;
  handles_[h] = std::move(key);
  return h;
}

RegResult RegistryStore::changed() {
  dirty_ = true;
  std::vector<uint8_t> bytes = encode();
  size_t slash = path_.rfind('/');
  if (slash != std::string::npos && slash > 0) make_folders(path_.substr(0, slash));
  if (write_file_atomic(path_, bytes) != OsError::None) return ERROR_WRITE_FAULT;
  dirty_ = false;
  return ERROR_SUCCESS;
}

RegResult RegistryStore::create_key(HKEY parent, std::string_view path, std::string_view class_name,
                                    HKEY& out, uint32_t* disposition) {
  std::lock_guard lock(mutex_);
  out = 0;
  RegResult r;
  std::shared_ptr<Key> key = key_of(parent, r);
  if (!key) return r;
  auto parts = split_path(path);
  if (key->depth() + parts.size() > kMaxKeyDepth) return ERROR_INVALID_PARAMETER;
  if (class_name.size() > kMaxKeyNameLength) return ERROR_INVALID_PARAMETER;
  for (auto part : parts)
    if (part.size() > kMaxKeyNameLength) return ERROR_INVALID_PARAMETER;
  bool created = false;
  for (auto part : parts) {
    auto at = key->lower_bound(part);
    if (at != key->sub_keys.end() && cp1250::equal_no_case((*at)->name, part)) {
      key = *at;
      continue;
    }
    if (!writable_) return ERROR_ACCESS_DENIED;
    auto sub = std::make_shared<Key>();
    sub->name = std::string(part);
    sub->class_name = std::string(class_name);
    sub->last_write = now_filetime();
    sub->parent = key.get();
    key->last_write = sub->last_write;
    key->sub_keys.insert(at, sub);
    key = std::move(sub);
    created = true;
  }
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  out = new_handle(key);
  return created ? changed() : ERROR_SUCCESS;
}

RegResult RegistryStore::open_key(HKEY parent, std::string_view path, HKEY& out) {
  std::lock_guard lock(mutex_);
  out = 0;
  RegResult r;
  std::shared_ptr<Key> from = key_of(parent, r);
  if (!from) return r;
  std::shared_ptr<Key> key = find(from, path);
  if (!key) return ERROR_FILE_NOT_FOUND;
  out = new_handle(std::move(key));
  return ERROR_SUCCESS;
}

RegResult RegistryStore::close_key(HKEY key) {
  std::lock_guard lock(mutex_);
  for (const auto& root : kRoots)
    if (root.key == key) return ERROR_SUCCESS;
  return handles_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

RegResult RegistryStore::delete_key(HKEY parent, std::string_view path, bool with_sub_keys) {
  std::lock_guard lock(mutex_);
  RegResult r;
  std::shared_ptr<Key> from = key_of(parent, r);
  if (!from) return r;
  std::shared_ptr<Key> key = find(from, path);
  if (!key) return ERROR_FILE_NOT_FOUND;
  if (!key->parent || !key->parent->parent) return ERROR_ACCESS_DENIED;  // the top or a root
  if (!key->sub_keys.empty() && !with_sub_keys) return ERROR_ACCESS_DENIED;
  if (!writable_) return ERROR_ACCESS_DENIED;
  Key* owner = key->parent;
  owner->sub_keys.erase(owner->lower_bound(key->name));
  owner->last_write = now_filetime();
  key->mark_deleted();
  return changed();
}

RegResult RegistryStore::set_value(HKEY handle, std::string_view name, uint32_t type,
                                   std::span<const uint8_t> data) {
  std::lock_guard lock(mutex_);
  RegResult r;
  std::shared_ptr<Key> key = key_of(handle, r);
  if (!key) return r;
  if (name.size() > kMaxValueNameLength || data.size() > UINT32_MAX) return ERROR_INVALID_PARAMETER;
  if (!writable_) return ERROR_ACCESS_DENIED;
  Key::Value* v = key->value(name);
  if (!v) {
    key->values.push_back(Key::Value{std::string(name), type, {}});
    v = &key->values.back();
  }
  v->type = type;
  v->data.assign(data.begin(), data.end());
  key->last_write = now_filetime();
  return changed();
}

namespace {

// Hands out value data the way both value reads do: the size alone, or the bytes when they fit.
RegResult copy_out(const std::vector<uint8_t>& value, uint8_t* data, uint32_t* size) {
  if (data && !size) return ERROR_INVALID_PARAMETER;
  if (!size) return ERROR_SUCCESS;
  uint32_t room = *size;
  *size = uint32_t(value.size());
  if (!data) return ERROR_SUCCESS;
  if (room < value.size()) return ERROR_MORE_DATA;
  std::copy(value.begin(), value.end(), data);
  return ERROR_SUCCESS;
}

}  // namespace

RegResult RegistryStore::query_value(HKEY handle, std::string_view name, uint32_t* type, uint8_t* data,
                                     uint32_t* size) {
  std::lock_guard lock(mutex_);
  RegResult r;
  std::shared_ptr<Key> key = key_of(handle, r);
  if (!key) return r;
  const Key::Value* v = key->value(name);
  if (!v) return ERROR_FILE_NOT_FOUND;
  if (type) *type = v->type;
  return copy_out(v->data, data, size);
}

RegResult RegistryStore::delete_value(HKEY handle, std::string_view name) {
  std::lock_guard lock(mutex_);
  RegResult r;
  std::shared_ptr<Key> key = key_of(handle, r);
  if (!key) return r;
  auto it = std::find_if(key->values.begin(), key->values.end(),
                         [&](const Key::Value& v) { return cp1250::equal_no_case(v.name, name); });
  if (it == key->values.end()) return ERROR_FILE_NOT_FOUND;
  if (!writable_) return ERROR_ACCESS_DENIED;
  key->values.erase(it);
  key->last_write = now_filetime();
  return changed();
}

RegResult RegistryStore::enum_key(HKEY handle, uint32_t index, std::string& name, std::string* class_name,
                                  uint64_t* last_write) {
  std::lock_guard lock(mutex_);
  RegResult r;
  std::shared_ptr<Key> key = key_of(handle, r);
  if (!key) return r;
  if (index >= key->sub_keys.size()) return ERROR_NO_MORE_ITEMS;
  const Key& sub = *key->sub_keys[index];
  name = sub.name;
  if (class_name) *class_name = sub.class_name;
  if (last_write) *last_write = sub.last_write;
  return ERROR_SUCCESS;
}

RegResult RegistryStore::enum_value(HKEY handle, uint32_t index, std::string& name, uint32_t* type,
                                    uint8_t* data, uint32_t* size) {
  std::lock_guard lock(mutex_);
  RegResult r;
  std::shared_ptr<Key> key = key_of(handle, r);
  if (!key) return r;
  if (index >= key->values.size()) return ERROR_NO_MORE_ITEMS;
  const Key::Value& v = key->values[index];
  name = v.name;
  if (type) *type = v.type;
  return copy_out(v.data, data, size);
}

RegResult RegistryStore::query_info(HKEY handle, RegKeyInfo& info) {
  std::lock_guard lock(mutex_);
  RegResult r;
  std::shared_ptr<Key> key = key_of(handle, r);
  if (!key) return r;
  info = RegKeyInfo{};
  info.class_name = key->class_name;
  info.sub_keys = uint32_t(key->sub_keys.size());
  info.values = uint32_t(key->values.size());
  info.last_write = key->last_write;
  for (const auto& k : key->sub_keys) {
    info.max_sub_key_len = std::max(info.max_sub_key_len, uint32_t(k->name.size()));
    info.max_class_len = std::max(info.max_class_len, uint32_t(k->class_name.size()));
  }
  for (const auto& v : key->values) {
    info.max_value_name_len = std::max(info.max_value_name_len, uint32_t(v.name.size()));
    info.max_value_len = std::max(info.max_value_len, uint32_t(v.data.size()));
  }
  return ERROR_SUCCESS;
}

RegResult RegistryStore::flush() {
  std::lock_guard lock(mutex_);
  if (!dirty_ || !writable_) return ERROR_SUCCESS;
  return changed();
}

}  // namespace base
