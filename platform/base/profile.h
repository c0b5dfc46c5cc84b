// The program's INI profile: settings read and written by section and key, kept in
// <config folder>/<name>.ini (config_folder.h).
//
// The calls keep the framework's profile semantics: integers are signed decimal text; a missing
// key reads as the caller's default; a null key deletes the whole section and a null value
// deletes the key; binary values are text with two letters per byte ('A' + low nibble, then
// 'A' + high nibble); section and key names compare without case; values are CP1250 bytes kept
// byte for byte (ini_document.h says how blanks and quotes survive).
//
// Every write saves the whole file at once through a temporary file and a rename, so a crash
// leaves the old profile or the new one, never a mix. A DeferSaves scope holds the saves back and
// saves once when it ends (for callers that write many keys together). A file that exists but
// cannot be read (no permission, larger than kMaxFileSize) is never overwritten: reads give the
// defaults and writes fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/ini_document.h"
#include "platform/base/os_file.h"

namespace base {

class Profile {
 public:
  static constexpr uint64_t kMaxFileSize = 16u << 20;

  // Reads the profile at `path`; a missing file is an empty profile.
  explicit Profile(std::string path);
  Profile(const Profile&) = delete;
  Profile& operator=(const Profile&) = delete;
  ~Profile();

  // <config folder>/<name>.ini
  static std::string path_for(std::string_view name);
  // The program's own profile, path_for("LumoKAL"), read on first use. One object per process,
  // so no two copies of the file's contents can overwrite each other's changes.
  static Profile& app();
  // Makes app() the profile at `path` (tests, the headless fixture). The previous object saves
  // its pending changes and ends: references to it must not be kept across this call.
  static void set_app_path(const std::string& path);
  const std::string& path() const { return path_; }
  // Why the existing file could not be read; None when it was read or did not exist.
  OsError load_error() const { return load_error_; }
  // The error of the last save; None when it succeeded or none was needed.
  OsError last_save_error() const { return save_error_; }

  int GetProfileInt(const char* section, const char* entry, int default_value) const;
  bool WriteProfileInt(const char* section, const char* entry, int value);
  // A null default reads as empty.
  CString GetProfileString(const char* section, const char* entry,
                           const char* default_value = nullptr) const;
  // `entry` null: deletes the section; `value` null: deletes the key. False when a name or the
  // value cannot be stored (line breaks, see IniDocument) or the file could not be saved.
  bool WriteProfileString(const char* section, const char* entry, const char* value);
  // False when the key is missing or its text is not a binary value; a present empty value
  // gives true and no bytes.
  bool GetProfileBinary(const char* section, const char* entry, std::vector<uint8_t>& data) const;
  bool WriteProfileBinary(const char* section, const char* entry, const void* data, size_t size);

  // Saves the profile when it has unsaved changes.
  OsError Save();

  class DeferSaves {
   public:
    explicit DeferSaves(Profile& p) : p_(p) { ++p_.defer_depth_; }
    ~DeferSaves() {
      if (--p_.defer_depth_ == 0) p_.Save();
    }
    DeferSaves(const DeferSaves&) = delete;
    DeferSaves& operator=(const DeferSaves&) = delete;

   private:
    Profile& p_;
  };

 private:
  // Marks the document changed and saves unless saves are deferred.
  bool changed();

  std::string path_;
  IniDocument doc_;
  OsError load_error_ = OsError::None;
  OsError save_error_ = OsError::None;
  bool dirty_ = false;
  int defer_depth_ = 0;
};

// Parses the integer text of a profile value: optional blanks, an optional sign, decimal digits
// up to the first other character; no digits give 0; values beyond the 32-bit range clamp.
int parse_profile_int(std::string_view text);

}  // namespace base
