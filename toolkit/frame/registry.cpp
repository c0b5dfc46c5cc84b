#include "toolkit/frame/registry.h"

#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/base/byte_io.h"

IMPLEMENT_DYNAMIC(SECRegistry, CObject)

namespace {

using namespace base;

// Buffer sizes of the enumerations and string reads.
constexpr DWORD kNameBuffer = 2048;

struct RootKeyName {
  HKEY key;
  const char* name;
};
constexpr RootKeyName kRootKeyNames[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},   {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}, {HKEY_USERS, "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}, {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
};

bool is_predefined(HKEY key) { return key >= HKEY_CLASSES_ROOT && key <= HKEY_DYN_DATA; }

// Copies `text` into a caller's character buffer of `*size` characters (room for the zero
// included); cut to fit with ERROR_MORE_DATA. `*size` receives the characters copied.
LONG copy_name(const std::string& text, char* buffer, DWORD* size) {
  if (!buffer || !size || *size == 0) return ERROR_INVALID_PARAMETER;
  DWORD n = DWORD(std::min<size_t>(text.size(), *size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = 0;
  *size = n;
  return n < text.size() ? ERROR_MORE_DATA : ERROR_SUCCESS;
}

}  // namespace

bool SECRegistryRootKeyName(HKEY key, CString& name) {
  for (const auto& root : kRootKeyNames) {
    if (root.key == key) {
      name = root.name;
      return true;
    }
  }
  return false;
}

CString SECRegistryTrimKeyPath(const CString& path, bool strip_leading) {
  std::string p = path.str();
  if (p.empty()) return CString(strip_leading ? "" : "\\");
  if (p.back() == '\\') p.pop_back();
  if (strip_leading && !p.empty() && p.front() == '\\') p.erase(0, 1);
  return CString(p);
}

CString SECRegistryJoinKeyPath(const CString& first, const CString& second) {
  return SECRegistryTrimKeyPath(first, false) + "\\" + SECRegistryTrimKeyPath(second, true);
}

SECRegistry::SECRegistry() { Reset(); }

SECRegistry::~SECRegistry() {
  if (m_hKey || m_hRegistry) SECRegistry::Close();
  SECRegistry::Reset();
}

BOOL SECRegistry::Result(LONG code) {
  m_lErrorCode = code;
  return code == ERROR_SUCCESS;
}

void SECRegistry::Reset() {
  m_strClassName = "";
  m_strComputerName = "";
  m_strKeyName = "";
  m_strRegistryName = "";
  m_hKey = 0;
  m_hRegistry = 0;
  m_lErrorCode = 0;
  m_bRemote = FALSE;
  m_dwLongestSubkeyNameLength = 0;
  m_dwLongestClassNameLength = 0;
  m_dwLongestValueNameLength = 0;
  m_dwLongestValueDataLength = 0;
  m_dwSecurityDescriptorLength = 0;
  m_dwNumberOfSubkeys = 0;
  m_dwNumberOfValues = 0;
  m_fileTimeLastWrite = FILETIME{};
}

BOOL SECRegistry::Create(const char* key_path, const char* class_name, DWORD, REGSAM, void*,
                         DWORD* disposition) {
  if (!key_path) return Result(ERROR_INVALID_PARAMETER);
  CString trimmed = SECRegistryTrimKeyPath(CString(key_path), true);
  if (m_hKey && m_hKey != m_hRegistry) store().close_key(m_hKey);
  m_hKey = 0;
  HKEY created = 0;
  uint32_t how = 0;
  if (!Result(store().create_key(m_hRegistry, trimmed.view(), class_name ? class_name : "", created, &how)))
    return FALSE;
  m_hKey = created;
  if (disposition) *disposition = how;
  m_strKeyName = key_path;
  return TRUE;
}

BOOL SECRegistry::Close() {
  LONG current = ERROR_SUCCESS;
  LONG root = ERROR_SUCCESS;
  if (m_hKey) current = store().close_key(m_hKey);
  if (m_hRegistry && m_hRegistry != m_hKey) root = store().close_key(m_hRegistry);
  Reset();
  return current == ERROR_SUCCESS && root == ERROR_SUCCESS;
}

BOOL SECRegistry::Connect(HKEY root, const char* machine) {
  if (m_hRegistry || m_hKey) Close();
  bool remote = machine && *machine;
  m_bRemote = remote;
  if (!is_predefined(root) || root == HKEY_PERFORMANCE_DATA) return Result(ERROR_INVALID_HANDLE);
  if (remote) {
    // The store is this user's own: the current-user and classes roots exist only locally, and
    // no other machine's store can be reached.
    bool local_only = root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER;
    m_bRemote = FALSE;
    return Result(local_only ? ERROR_INVALID_HANDLE : ERROR_BAD_NETPATH);
  }
  m_hRegistry = root;
  m_hKey = root;
  Result(ERROR_SUCCESS);
  char host[260] = {};
  m_strComputerName = ::gethostname(host, sizeof host - 1) == 0 ? host : "";
  SECRegistryRootKeyName(root, m_strRegistryName);
  return TRUE;
}

BOOL SECRegistry::Open(const char* key_path, REGSAM) {
  if (!key_path) return Result(ERROR_INVALID_PARAMETER);
  if (!m_hRegistry) m_hRegistry = HKEY_CLASSES_ROOT;
  if (m_hKey && m_hKey != m_hRegistry) Result(store().close_key(m_hKey));
  m_hKey = 0;
  CString trimmed = SECRegistryTrimKeyPath(CString(key_path), false);
  HKEY opened = 0;
  if (!Result(store().open_key(m_hRegistry, trimmed.view(), opened))) return FALSE;
  m_hKey = opened;
  QueryKeyInfo();
  m_strKeyName = key_path;
  return Result(ERROR_SUCCESS);
}

BOOL SECRegistry::DeleteKey(const char* key_path, BOOL recursive) {
  if (!key_path || (recursive && !*key_path)) return Result(ERROR_INVALID_PARAMETER);
  CString path(key_path);
  SECRegistry inner;
  if (!inner.Connect(m_hRegistry, m_bRemote ? m_strComputerName.GetString() : nullptr))
    return Result(inner.GetErrorCode());
  bool relative = path.GetAt(0) != '\\' && inner.Open(SECRegistryJoinKeyPath(m_strKeyName, path), KEY_ALL_ACCESS);
  if (!relative && !inner.Open(path, KEY_ALL_ACCESS)) return Result(inner.GetErrorCode());

  if (recursive) {
    CString child;
    while (inner.EnumKeyName(0, child)) {
      BOOL deleted = inner.DeleteKey(child, TRUE);
      Result(inner.GetErrorCode());
      if (!deleted) return m_lErrorCode == ERROR_SUCCESS;
    }
  }
  if (relative) {
    inner.Close();
    return Result(store().delete_key(m_hKey, path.view()));
  }
  int split = path.ReverseFind('\\');
  if (split < 0) return Result(ERROR_INVALID_PARAMETER);
  CString parent = path.Left(split);
  CString leaf = path.Mid(split + 1);
  if (!inner.Open(parent, KEY_ALL_ACCESS)) return Result(inner.GetErrorCode());
  Result(store().delete_key(inner.GetCurrentKey(), leaf.view()));
  LONG deleted = m_lErrorCode;
  if (!inner.Open(m_strKeyName, KEY_ALL_ACCESS)) Open(parent, KEY_ALL_ACCESS);
  return Result(deleted);
}

BOOL SECRegistry::DeleteValue(const char* value_name) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  return Result(store().delete_value(m_hKey, value_name));
}

LONG SECRegistry::EnumKey(DWORD index, char* name, DWORD* name_size, char* class_name, DWORD* class_size) {
  std::string key_name, key_class;
  uint64_t last_write = 0;
  LONG r = store().enum_key(m_hKey, index, key_name, &key_class, &last_write);
  if (r == ERROR_SUCCESS) {
    m_fileTimeLastWrite = FILETIME{uint32_t(last_write), uint32_t(last_write >> 32)};
    r = copy_name(key_name, name, name_size);
    if (class_name && class_size) {
      LONG c = copy_name(key_class, class_name, class_size);
      if (r == ERROR_SUCCESS) r = c;
    }
  }
  m_lErrorCode = r;
  return r;
}

BOOL SECRegistry::EnumKeyNameAndClass(DWORD index, CString& name, CString& class_name) {
  std::vector<char> name_buffer(kNameBuffer), class_buffer(kNameBuffer);
  DWORD name_size = kNameBuffer - 1, class_size = kNameBuffer - 1;
  LONG r = EnumKey(index, name_buffer.data(), &name_size, class_buffer.data(), &class_size);
  if (r != ERROR_SUCCESS && r != ERROR_MORE_DATA) return FALSE;
  name = name_buffer.data();
  class_name = class_buffer.data();
  return TRUE;
}

BOOL SECRegistry::EnumKeyName(DWORD index, CString& name) {
  std::vector<char> name_buffer(kNameBuffer);
  DWORD name_size = kNameBuffer - 1;
  LONG r = EnumKey(index, name_buffer.data(), &name_size);
  if (r != ERROR_SUCCESS && r != ERROR_MORE_DATA) return FALSE;
  name = name_buffer.data();
  return TRUE;
}

BOOL SECRegistry::EnumValueData(DWORD index, CString& name, DWORD& type, BYTE* data, DWORD& size) {
  return EnumValue(index, name, &type, data, &size);
}

BOOL SECRegistry::EnumValueName(DWORD index, CString& name, DWORD& type) {
  return EnumValue(index, name, &type);
}

BOOL SECRegistry::EnumValue(DWORD index, CString& name, DWORD* type, BYTE* data, DWORD* size) {
  std::string value_name;
  uint32_t value_type = 0;
  LONG r = store().enum_value(m_hKey, index, value_name, &value_type, data, size);
  m_lErrorCode = r;
  if (r != ERROR_SUCCESS && r != ERROR_MORE_DATA) return FALSE;
  if (type) *type = value_type;
  name = CString(value_name.substr(0, kNameBuffer - 1));
  return TRUE;
}

BOOL SECRegistry::Flush() { return Result(store().flush()); }

BOOL SECRegistry::QueryValue(const char* value_name, DWORD* type, BYTE* data, DWORD* size) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  uint32_t value_type = 0;
  if (!Result(store().query_value(m_hKey, value_name, &value_type, data, size))) return FALSE;
  if (type) *type = value_type;
  return TRUE;
}

BOOL SECRegistry::QueryStringValue(const char* value_name, CString& value) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  std::vector<char> buffer(kNameBuffer, 0);
  DWORD type = REG_SZ;
  DWORD size = kNameBuffer;
  if (!QueryValue(value_name, &type, reinterpret_cast<BYTE*>(buffer.data()), &size)) {
    value = "";
    return FALSE;
  }
  // The stored text may lack its zero; the text ends at the first zero or at the data's end.
  value = CString(std::string(buffer.data(), strnlen(buffer.data(), size)));
  return TRUE;
}

// Reads a whole value of any length into `out`: the buffer is sized from the value itself, so a
// value written after the key information was cached still reads.
namespace {

BOOL read_whole_value(SECRegistry& reg, const char* value_name, DWORD type, std::vector<BYTE>& out) {
  DWORD size = 0;
  if (!reg.QueryValue(value_name, &type, nullptr, &size)) return FALSE;
  out.assign(std::max<DWORD>(size, 1), 0);
  if (!reg.QueryValue(value_name, &type, out.data(), &size)) return FALSE;
  out.resize(size);
  return TRUE;
}

}  // namespace

BOOL SECRegistry::QueryBinaryValue(const char* value_name, CByteArray& bytes) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  std::vector<BYTE> data;
  if (!read_whole_value(*this, value_name, REG_BINARY, data)) return FALSE;
  bytes.RemoveAll();
  for (BYTE b : data) bytes.Add(b);
  return TRUE;
}

BOOL SECRegistry::QueryDWordValue(const char* value_name, DWORD& value) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  BYTE data[4] = {};
  DWORD type = REG_DWORD;
  DWORD size = sizeof data;
  if (!QueryValue(value_name, &type, data, &size)) return FALSE;
  value = DWORD(base::load_le32(data));
  return TRUE;
}

BOOL SECRegistry::QueryMultiStringValue(const char* value_name, CStringArray& values) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  std::vector<BYTE> data;
  if (!read_whole_value(*this, value_name, REG_MULTI_SZ, data)) return FALSE;
  values.RemoveAll();
  // Each string ends in a zero; the list ends with one more zero (or with the data).
  size_t at = 0;
  while (data.size() && at < data.size() - 1) {
    const char* text = reinterpret_cast<const char*>(data.data() + at);
    size_t n = strnlen(text, data.size() - at);
    values.Add(CString(std::string(text, n)));
    at += n + 1;
  }
  return TRUE;
}

BOOL SECRegistry::QueryValue(const char* value_name, CString& value) { return QueryStringValue(value_name, value); }
BOOL SECRegistry::QueryValue(const char* value_name, CStringArray& values) {
  return QueryMultiStringValue(value_name, values);
}
BOOL SECRegistry::QueryValue(const char* value_name, DWORD& value) { return QueryDWordValue(value_name, value); }
BOOL SECRegistry::QueryValue(const char* value_name, CByteArray& bytes) {
  return QueryBinaryValue(value_name, bytes);
}

BOOL SECRegistry::QueryKeyInfo() {
  RegKeyInfo info;
  if (!Result(store().query_info(m_hKey, info))) return FALSE;
  m_strClassName = CString(info.class_name);
  m_dwNumberOfSubkeys = info.sub_keys;
  m_dwLongestSubkeyNameLength = info.max_sub_key_len;
  m_dwLongestClassNameLength = info.max_class_len;
  m_dwNumberOfValues = info.values;
  m_dwLongestValueNameLength = info.max_value_name_len;
  m_dwLongestValueDataLength = info.max_value_len;
  m_dwSecurityDescriptorLength = info.security_descriptor;
  m_fileTimeLastWrite = FILETIME{uint32_t(info.last_write), uint32_t(info.last_write >> 32)};
  m_timeLastWrite = CTime(m_fileTimeLastWrite);
  return TRUE;
}

BOOL SECRegistry::SetValue(const char* value_name, DWORD type, const BYTE* data, DWORD size) {
  if (!value_name || !data) return Result(ERROR_INVALID_PARAMETER);
  return Result(store().set_value(m_hKey, value_name, type, {data, size}));
}

BOOL SECRegistry::SetStringValue(const char* value_name, const CString& value) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  return SetValue(value_name, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                  DWORD(value.GetLength() + 1));
}

BOOL SECRegistry::SetDWordValue(const char* value_name, DWORD value) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  BYTE data[4];
  base::store_le32(data, value);
  return SetValue(value_name, REG_DWORD, data, sizeof data);
}

BOOL SECRegistry::SetBinaryValue(const char* value_name, const CByteArray& bytes) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  // One byte more than needed, so that an empty array still hands over a buffer.
  std::vector<BYTE> data(size_t(bytes.GetSize()) + 1);
  for (int i = 0; i < bytes.GetSize(); ++i) data[size_t(i)] = bytes[i];
  return SetValue(value_name, REG_BINARY, data.data(), DWORD(bytes.GetSize()));
}

BOOL SECRegistry::SetMultiStringValue(const char* value_name, const CStringArray& values) {
  if (!value_name) return Result(ERROR_INVALID_PARAMETER);
  std::vector<BYTE> data;
  for (int i = 0; i < values.GetSize(); ++i) {
    const CString& s = values[i];
    data.insert(data.end(), s.view().begin(), s.view().end());
    data.push_back(0);
  }
  data.push_back(0);
  return SetValue(value_name, REG_MULTI_SZ, data.data(), DWORD(data.size())) == TRUE;
}

BOOL SECRegistry::SetValue(const char* value_name, const CString& value) { return SetStringValue(value_name, value); }
BOOL SECRegistry::SetValue(const char* value_name, const CStringArray& values) {
  return SetMultiStringValue(value_name, values);
}
BOOL SECRegistry::SetValue(const char* value_name, DWORD value) { return SetDWordValue(value_name, value); }
BOOL SECRegistry::SetValue(const char* value_name, const CByteArray& bytes) {
  return SetBinaryValue(value_name, bytes);
}

// Hive files, key security and change notification do not exist for this store.
BOOL SECRegistry::GetKeySecurity(DWORD, void* descriptor, DWORD*) {
  return Result(descriptor ? ERROR_CALL_NOT_IMPLEMENTED : ERROR_INVALID_PARAMETER);
}
BOOL SECRegistry::SetKeySecurity(const DWORD&, void* descriptor) {
  return Result(descriptor ? ERROR_CALL_NOT_IMPLEMENTED : ERROR_INVALID_PARAMETER);
}
BOOL SECRegistry::LoadKey(const char* sub_key, const char* file) {
  return Result(sub_key && file ? ERROR_CALL_NOT_IMPLEMENTED : ERROR_INVALID_PARAMETER);
}
BOOL SECRegistry::UnLoadKey(const char* sub_key) {
  return Result(sub_key ? ERROR_CALL_NOT_IMPLEMENTED : ERROR_INVALID_PARAMETER);
}
BOOL SECRegistry::SaveKey(const char* file, void*) {
  return Result(file ? ERROR_CALL_NOT_IMPLEMENTED : ERROR_INVALID_PARAMETER);
}
BOOL SECRegistry::RestoreKey(const char* file, DWORD) {
  return Result(file ? ERROR_CALL_NOT_IMPLEMENTED : ERROR_INVALID_PARAMETER);
}
BOOL SECRegistry::ReplaceKey(const char* sub_key, const char* new_file, const char* old_file) {
  return Result(sub_key && new_file && old_file ? ERROR_CALL_NOT_IMPLEMENTED : ERROR_INVALID_PARAMETER);
}
BOOL SECRegistry::NotifyChange(void*, DWORD, BOOL, BOOL) { return Result(ERROR_CALL_NOT_IMPLEMENTED); }
