#include "platform/base/file_calls.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"

namespace {

std::string os(const char* path) { return path ? base::os_path(CString(path)) : std::string(); }

bool is_separator(char c) { return c == '/' || c == '\\'; }

// Case-insensitive wildcard match of CP1250 bytes, iterative so that no pattern can make it
// recurse deeply: a '*' remembers where it stood and is widened by one byte on each mismatch.
bool wildcard_match(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || base::cp1250::to_upper(uint8_t(pattern[p])) ==
                                         base::cp1250::to_upper(uint8_t(name[n])))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

namespace base {

// A trailing ".*" also takes names without any dot ("*.*" is every name, "read.*" finds "read").
bool file_name_matches(std::string_view pattern, std::string_view name) {
  if (wildcard_match(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return wildcard_match(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

}  // namespace base

namespace {

FILETIME file_time(const CTime& t) {
  constexpr int64_t kUnixEpochSeconds = 11644473600;  // 1601-01-01 to 1970-01-01
  uint64_t ticks = uint64_t(std::max<int64_t>(t.GetTime() + kUnixEpochSeconds, 0)) * 10000000u;
  return {uint32_t(ticks), uint32_t(ticks >> 32)};
}

// A running search: the CP1250 folder prefix and the matching names, read when it started.
struct Search {
  std::string folder;
  std::vector<std::string> names;
  size_t next = 0;
};

// Search handles are numbers that are never reused, so a closed handle finds nothing.
struct Searches {
  std::map<std::uintptr_t, Search> running;
  std::uintptr_t last = 0;
};

Searches& searches() {
  static Searches s;
  return s;
}

bool fill(const Search& search, const std::string& name, WIN32_FIND_DATA* data) {
  CFileStatus status;
  if (!CFile::GetStatus((search.folder + name).c_str(), status)) return false;
  *data = WIN32_FIND_DATA{};
  data->dwFileAttributes = status.m_attribute;
  data->ftCreationTime = file_time(status.m_ctime);
  data->ftLastAccessTime = file_time(status.m_atime);
  data->ftLastWriteTime = file_time(status.m_mtime);
  data->nFileSizeHigh = DWORD(status.m_size >> 32);
  data->nFileSizeLow = DWORD(status.m_size);
  std::strncpy(data->cFileName, name.c_str(), sizeof data->cFileName - 1);
  return true;
}

// Hands out the next name that still exists (an entry removed since the search began is passed).
bool next_match(Search& search, WIN32_FIND_DATA* data) {
  while (search.next < search.names.size()) {
    if (fill(search, search.names[search.next++], data)) return true;
  }
  return false;
}

DWORD answer_path(const std::string& cp1250, DWORD size, char* buffer) {
  if (cp1250.size() + 1 > size || !buffer) return DWORD(cp1250.size() + 1);
  std::memcpy(buffer, cp1250.c_str(), cp1250.size() + 1);
  return DWORD(cp1250.size());
}

BOOL copy_bytes(base::OsFile& from, base::OsFile& to) {
  std::vector<uint8_t> chunk(64 * 1024);
  for (;;) {
    size_t done = 0;
    if (from.read(chunk.data(), chunk.size(), done) != base::OsError::None) return FALSE;
    if (done == 0) return to.sync() == base::OsError::None;
    if (to.write(chunk.data(), done) != base::OsError::None) return FALSE;
  }
}

}  // namespace

BOOL CopyFile(const char* existing, const char* destination, BOOL fail_if_exists) {
  std::string from_path = os(existing), to_path = os(destination);
  if (from_path.empty() || to_path.empty()) return FALSE;
  base::OsFile from;
  if (from.open(from_path, base::OpenMode::Read) != base::OsError::None) return FALSE;
  struct stat st {};
  if (::fstat(from.fd(), &st) != 0 || !S_ISREG(st.st_mode)) return FALSE;
  if (fail_if_exists && base::file_exists(to_path)) return FALSE;

  std::string folder = to_path.substr(0, to_path.find_last_of('/') + 1);
  std::string temporary = folder + ".copy-" + std::to_string(::getpid()) + "-XXXXXX";
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) return FALSE;
  ::close(fd);
  base::OsFile to;
  bool done = to.open(temporary, base::OpenMode::Create) == base::OsError::None &&
              copy_bytes(from, to) && to.close() == base::OsError::None;
  ::chmod(temporary.c_str(), st.st_mode & 0777);
  // Without overwriting, the name is taken by a link, which fails when the destination appeared
  // meanwhile (a file system without links gets a last look instead); otherwise the copy
  // replaces the destination in one step.
  if (done && fail_if_exists && ::link(temporary.c_str(), to_path.c_str()) != 0) {
    done = errno != EEXIST && !base::file_exists(to_path) && ::rename(temporary.c_str(), to_path.c_str()) == 0;
  } else if (done && !fail_if_exists) {
    done = ::rename(temporary.c_str(), to_path.c_str()) == 0;
  }
  ::unlink(temporary.c_str());
  return done ? TRUE : FALSE;
}

BOOL DeleteFile(const char* path) {
  std::string p = os(path);
  struct stat st {};
  if (p.empty() || ::lstat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return FALSE;
  return base::remove_file(p) == base::OsError::None;
}

DWORD GetFileAttributes(const char* path) {
  CFileStatus status;
  if (!path || !CFile::GetStatus(path, status)) return INVALID_FILE_ATTRIBUTES;
  return status.m_attribute ? status.m_attribute : FILE_ATTRIBUTE_NORMAL;
}

BOOL CreateDirectory(const char* path, const SECURITY_ATTRIBUTES*) {
  std::string p = os(path);
  return !p.empty() && ::mkdir(p.c_str(), 0777) == 0;
}

HANDLE FindFirstFile(const char* pattern, WIN32_FIND_DATA* data) {
  if (!pattern || !data) return INVALID_HANDLE_VALUE;
  std::string text = pattern;
  auto cut = std::find_if(text.rbegin(), text.rend(), is_separator).base();
  Search search;
  search.folder = std::string(text.begin(), cut);
  std::string name_pattern(cut, text.end());
  if (name_pattern.empty()) return INVALID_HANDLE_VALUE;

  std::string folder = search.folder.empty() ? "." : os(search.folder.c_str());
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return INVALID_HANDLE_VALUE;
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = base::cp1250::from_utf8(entry->d_name);
    if (name == "." || name == ".." || !base::file_name_matches(name_pattern, name)) continue;
    search.names.push_back(std::move(name));
  }
  ::closedir(dir);
  std::sort(search.names.begin(), search.names.end());

  if (!next_match(search, data)) return INVALID_HANDLE_VALUE;
  Searches& all = searches();
  std::uintptr_t id = ++all.last;
  all.running.emplace(id, std::move(search));
  return reinterpret_cast<HANDLE>(id);
}

BOOL FindNextFile(HANDLE search, WIN32_FIND_DATA* data) {
  auto it = searches().running.find(reinterpret_cast<std::uintptr_t>(search));
  if (it == searches().running.end() || !data) return FALSE;
  return next_match(it->second, data);
}

BOOL FindClose(HANDLE search) {
  return searches().running.erase(reinterpret_cast<std::uintptr_t>(search)) ? TRUE : FALSE;
}

DWORD GetTempPath(DWORD size, char* buffer) {
  const std::string& folder = base::temp_folder();
  if (folder.empty()) return 0;
  return answer_path(base::cp1250::from_utf8(folder) + "/", size, buffer);
}

DWORD GetCurrentDirectory(DWORD size, char* buffer) {
  std::string cwd(PATH_MAX, '\0');
  if (!::getcwd(cwd.data(), cwd.size())) return 0;
  cwd.resize(std::strlen(cwd.c_str()));
  return answer_path(base::cp1250::from_utf8(cwd), size, buffer);
}

BOOL SetCurrentDirectory(const char* path) {
  std::string p = os(path);
  return !p.empty() && ::chdir(p.c_str()) == 0;
}

UINT SetErrorMode(UINT mode) {
  static UINT current = 0;
  return std::exchange(current, mode);
}
