// SECRegistry: the toolkit's object over one registry key of the per-user registry store.
//
// Connect to a root key (local only), Open or Create one sub-key at a time, read and write typed
// values, enumerate, delete keys (recursively when asked). Every operation keeps the registry's
// result code in the object (GetLastError-style, 0 success, 87 for a refused argument). The hive
// and security operations (load, unload, save, restore, replace, key security, change
// notification) have no meaning for this store and fail with ERROR_CALL_NOT_IMPLEMENTED (120).
#pragma once

#include <cstdint>

#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/base/ctime.h"
#include "platform/base/object.h"
#include "platform/base/registry_store.h"
#include "platform/base/win_types.h"

using base::HKEY;
using base::HKEY_CLASSES_ROOT;
using base::HKEY_CURRENT_CONFIG;
using base::HKEY_CURRENT_USER;
using base::HKEY_DYN_DATA;
using base::HKEY_LOCAL_MACHINE;
using base::HKEY_PERFORMANCE_DATA;
using base::HKEY_USERS;
using base::REG_BINARY;
using base::REG_DWORD;
using base::REG_EXPAND_SZ;
using base::REG_MULTI_SZ;
using base::REG_NONE;
using base::REG_SZ;

using REGSAM = DWORD;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;

// The text name of a predefined root; false (and `name` unchanged) for any other handle.
bool SECRegistryRootKeyName(HKEY key, CString& name);
// Drops one trailing backslash; a leading one only with `strip_leading`. An empty path becomes
// a single backslash without `strip_leading` and stays empty with it.
CString SECRegistryTrimKeyPath(const CString& path, bool strip_leading);
// The first path (trimmed, leading backslash kept) and the second (trimmed, leading backslash
// dropped) joined with one backslash.
CString SECRegistryJoinKeyPath(const CString& first, const CString& second);

class SECRegistry : public CObject {
  DECLARE_DYNAMIC(SECRegistry)

 public:
  SECRegistry();
  ~SECRegistry() override;
  SECRegistry(const SECRegistry&) = delete;
  SECRegistry& operator=(const SECRegistry&) = delete;

  virtual void Reset();
  virtual BOOL Create(const char* key_path, const char* class_name = nullptr,
                      DWORD options = REG_OPTION_NON_VOLATILE, REGSAM access = KEY_ALL_ACCESS,
                      void* security = nullptr, DWORD* disposition = nullptr);
  virtual BOOL Close();
  virtual BOOL Connect(HKEY root, const char* machine = nullptr);
  virtual BOOL DeleteKey(const char* key_path, BOOL recursive = FALSE);
  virtual BOOL DeleteValue(const char* value_name);
  // The index-th sub-key of the current key: name (and class) into the caller's buffers, sizes
  // in characters with room for the zero in, characters copied out. Returns the registry code.
  virtual LONG EnumKey(DWORD index, char* name, DWORD* name_size, char* class_name = nullptr,
                       DWORD* class_size = nullptr);
  virtual BOOL EnumKeyNameAndClass(DWORD index, CString& name, CString& class_name);
  virtual BOOL EnumKeyName(DWORD index, CString& name);
  virtual BOOL EnumValueData(DWORD index, CString& name, DWORD& type, BYTE* data, DWORD& size);
  virtual BOOL EnumValueName(DWORD index, CString& name, DWORD& type);
  virtual BOOL EnumValue(DWORD index, CString& name, DWORD* type = nullptr, BYTE* data = nullptr,
                         DWORD* size = nullptr);
  virtual BOOL Flush();
  virtual BOOL QueryBinaryValue(const char* value_name, CByteArray& bytes);
  virtual BOOL QueryDWordValue(const char* value_name, DWORD& value);
  virtual BOOL GetKeySecurity(DWORD information, void* descriptor, DWORD* size);
  virtual BOOL QueryStringValue(const char* value_name, CString& value);
  virtual BOOL QueryMultiStringValue(const char* value_name, CStringArray& values);
  virtual BOOL QueryValue(const char* value_name, CString& value);
  virtual BOOL QueryValue(const char* value_name, CStringArray& values);
  virtual BOOL QueryValue(const char* value_name, DWORD& value);
  virtual BOOL QueryValue(const char* value_name, CByteArray& bytes);
  virtual BOOL LoadKey(const char* sub_key, const char* file);
  virtual BOOL NotifyChange(void* event, DWORD filter, BOOL watch_sub_tree, BOOL asynchronous);
  virtual BOOL Open(const char* key_path, REGSAM access = KEY_ALL_ACCESS);
  virtual BOOL QueryKeyInfo();
  // Reads a value into the caller's buffer: `type` receives its type, `size` is the buffer size
  // in and the data size out.
  virtual BOOL QueryValue(const char* value_name, DWORD* type, BYTE* data, DWORD* size);
  virtual BOOL ReplaceKey(const char* sub_key, const char* new_file, const char* old_file);
  virtual BOOL RestoreKey(const char* file, DWORD flags);
  virtual BOOL SaveKey(const char* file, void* security = nullptr);
  virtual BOOL SetBinaryValue(const char* value_name, const CByteArray& bytes);
  virtual BOOL SetDWordValue(const char* value_name, DWORD value);
  virtual BOOL SetKeySecurity(const DWORD& information, void* descriptor);
  virtual BOOL SetStringValue(const char* value_name, const CString& value);
  virtual BOOL SetMultiStringValue(const char* value_name, const CStringArray& values);
  virtual BOOL SetValue(const char* value_name, DWORD type, const BYTE* data, DWORD size);
  virtual BOOL SetValue(const char* value_name, const CString& value);
  virtual BOOL SetValue(const char* value_name, const CStringArray& values);
  virtual BOOL SetValue(const char* value_name, DWORD value);
  virtual BOOL SetValue(const char* value_name, const CByteArray& bytes);
  virtual BOOL UnLoadKey(const char* sub_key);

  LONG GetErrorCode() const { return m_lErrorCode; }
  HKEY GetCurrentKey() const { return m_hKey; }
  HKEY GetRootKey() const { return m_hRegistry; }
  const CString& GetKeyName() const { return m_strKeyName; }
  const CString& GetRootKeyName() const { return m_strRegistryName; }
  const CString& GetComputerName() const { return m_strComputerName; }
  const CString& GetClassName() const { return m_strClassName; }
  DWORD GetNumberOfSubkeys() const { return m_dwNumberOfSubkeys; }
  DWORD GetNumberOfValues() const { return m_dwNumberOfValues; }
  DWORD GetLongestSubkeyNameLength() const { return m_dwLongestSubkeyNameLength; }
  DWORD GetLongestClassNameLength() const { return m_dwLongestClassNameLength; }
  DWORD GetLongestValueNameLength() const { return m_dwLongestValueNameLength; }
  DWORD GetLongestValueDataLength() const { return m_dwLongestValueDataLength; }
  const FILETIME& GetLastWriteFileTime() const { return m_fileTimeLastWrite; }
  const CTime& GetLastWriteTime() const { return m_timeLastWrite; }
  BOOL IsRemote() const { return m_bRemote; }

 protected:
  // Stores `code` as the last error; true when it is 0.
  BOOL Result(LONG code);
  base::RegistryStore& store() const { return base::RegistryStore::user(); }

  LONG m_lErrorCode = 0;
  HKEY m_hKey = 0;
  HKEY m_hRegistry = 0;
  DWORD m_dwLongestSubkeyNameLength = 0;
  DWORD m_dwLongestClassNameLength = 0;
  DWORD m_dwLongestValueNameLength = 0;
  DWORD m_dwLongestValueDataLength = 0;
  DWORD m_dwSecurityDescriptorLength = 0;
  FILETIME m_fileTimeLastWrite{};
  CString m_strClassName;
  CString m_strComputerName;
  CString m_strKeyName;
  CString m_strRegistryName;
  DWORD m_dwNumberOfSubkeys = 0;
  DWORD m_dwNumberOfValues = 0;
  CTime m_timeLastWrite;
  BOOL m_bRemote = FALSE;
};
