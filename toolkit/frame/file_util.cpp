#include "toolkit/frame/file_util.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"

IMPLEMENT_DYNAMIC(SECFileUtil, CObject)

namespace {

bool is_separator(char c) { return c == '/' || c == '\\'; }

// The operating system's form of a path: UTF-8 with '/' separators.
std::string os_path(const CString& path) {
  std::string p = path.str();
  std::replace(p.begin(), p.end(), '\\', '/');
  return base::cp1250::to_utf8(p);
}

CString from_os(const std::string& utf8) { return CString(base::cp1250::from_utf8(utf8)); }

int last_separator(const std::string& p) {
  for (size_t i = p.size(); i > 0; --i)
    if (is_separator(p[i - 1])) return int(i - 1);
  return -1;
}

DWORD attributes_of(const struct stat& st, const std::string& name) {
  DWORD a = 0;
  if (S_ISDIR(st.st_mode)) {
    a |= FILE_ATTRIBUTE_DIRECTORY;
  } else if (S_ISREG(st.st_mode)) {
    a |= FILE_ATTRIBUTE_ARCHIVE;
  } else {
    a |= FILE_ATTRIBUTE_SYSTEM;
  }
  if (!(st.st_mode & S_IWUSR)) a |= FILE_ATTRIBUTE_READONLY;
  if (!name.empty() && name[0] == '.') a |= FILE_ATTRIBUTE_HIDDEN;
  return a;
}

}  // namespace

SECFileUtil::SECFileUtil() = default;

SECFileUtil::~SECFileUtil() = default;

bool SECFileUtil::GetAttributes(const CString& path, DWORD& attributes) {
  struct stat st;
  std::string p = os_path(path);
  if (::stat(p.c_str(), &st) != 0 && ::lstat(p.c_str(), &st) != 0) return false;
  std::string name = p.substr(size_t(last_separator(p) + 1));
  attributes = attributes_of(st, name);
  return true;
}

bool SECFileUtil::MatchesFilter(DWORD entry, DWORD filter) {
  if (filter == SEC_FILE_ATTRIBUTE_ANY) return true;
  if (filter == 0 || filter == FILE_ATTRIBUTE_NORMAL) {
    const DWORD not_normal = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_VOLUME_LABEL |
                             FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    return (entry & not_normal) == 0;
  }
  return (entry & filter) != 0;
}

bool SECFileUtil::MatchesWildcard(const CString& pattern, const CString& name) {
  return base::file_name_matches(pattern.view(), name.view());
}

void SECFileUtil::CloseSearch() {
  m_entries.clear();
  m_next = 0;
  m_searching = FALSE;
}

std::optional<CString> SECFileUtil::FindFile(const CString& pattern, DWORD attributes) {
  if (!pattern.IsEmpty()) {
    CloseSearch();
    CString folder = GetPath(pattern);
    std::string dir = folder.IsEmpty() ? std::string(".") : os_path(folder);
    m_namePattern = GetFileName(pattern);
    m_attributes = attributes;
    if (DIR* d = ::opendir(dir.c_str())) {
      while (const dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        CString cp_name = from_os(name);
        if (!MatchesWildcard(m_namePattern, cp_name)) continue;
        struct stat st;
        std::string full = dir + "/" + name;
        if (::stat(full.c_str(), &st) != 0 && ::lstat(full.c_str(), &st) != 0) continue;
        m_entries.push_back(Entry{cp_name, attributes_of(st, name)});
      }
      ::closedir(d);
      // The order of a folder's entries on disk is arbitrary: names give a stable one.
      std::sort(m_entries.begin(), m_entries.end(),
                [](const Entry& a, const Entry& b) { return a.name.str() < b.name.str(); });
      m_searching = TRUE;
    }
  }
  if (!m_searching) return std::nullopt;
  while (m_next < m_entries.size()) {
    const Entry& e = m_entries[m_next++];
    if (MatchesFilter(e.attributes, m_attributes)) return e.name;
  }
  CloseSearch();
  return std::nullopt;
}

std::unique_ptr<CStringList> SECFileUtil::ListFiles(const CString& pattern, DWORD attributes) {
  auto list = std::make_unique<CStringList>(10);
  CString folder = GetPath(pattern);
  for (auto name = FindFile(pattern, attributes); name; name = FindFile(CString(), attributes))
    list->AddTail(folder + *name);
  CloseSearch();
  return list;
}

std::unique_ptr<CStringList> SECFileUtil::ListSubdirectories(const CString& directory, BOOL full_paths) {
  auto list = std::make_unique<CStringList>(10);
  CString pattern = JoinPath(directory, "*.*");
  CString folder = GetPath(pattern);
  for (auto name = FindFile(pattern, FILE_ATTRIBUTE_DIRECTORY); name;
       name = FindFile(CString(), FILE_ATTRIBUTE_DIRECTORY)) {
    CString path = folder + *name;
    DWORD attributes = 0;
    if (GetAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      list->AddTail(full_paths ? path : *name);
  }
  CloseSearch();
  return list;
}

void SECFileUtil::CollectFiles(const CString& pattern, DWORD attributes, BOOL recursive, CStringList& list,
                               std::set<std::pair<uint64_t, uint64_t>>& visited) {
  CString folder = GetPath(pattern);
  struct stat st;
  std::string dir = folder.IsEmpty() ? std::string(".") : os_path(folder);
  // A folder met again (a symbolic link back up the tree) is not searched a second time.
  if (::stat(dir.c_str(), &st) != 0 || !visited.emplace(uint64_t(st.st_dev), uint64_t(st.st_ino)).second)
    return;
  std::unique_ptr<CStringList> found = ListFiles(pattern, attributes);
  list.AddTail(*found);
  if (!recursive) return;
  CString file_part = GetFileName(pattern);
  std::unique_ptr<CStringList> subs = ListSubdirectories(folder.IsEmpty() ? CString(".") : folder, TRUE);
  for (POSITION p = subs->GetHeadPosition(); p;)
    CollectFiles(JoinPath(subs->GetNext(p), file_part), attributes, recursive, list, visited);
}

CStringList& SECFileUtil::GetFileList(const CString& pattern, DWORD attributes, BOOL recursive,
                                      CStringList& list) {
  std::set<std::pair<uint64_t, uint64_t>> visited;
  CollectFiles(pattern, attributes, recursive, list, visited);
  return list;
}

std::unique_ptr<CStringList> SECFileUtil::GetFileList(const CString& pattern, DWORD attributes, BOOL recursive) {
  auto list = std::make_unique<CStringList>(10);
  GetFileList(pattern, attributes, recursive, *list);
  return list;
}

BOOL SECFileUtil::DeleteFiles(const CString& pattern, DWORD attributes) {
  std::unique_ptr<CStringList> matches = ListFiles(pattern, attributes);
  BOOL all = TRUE;
  for (POSITION p = matches->GetHeadPosition(); p;)
    if (!DeleteFile(matches->GetNext(p))) all = FALSE;
  return all;
}

BOOL SECFileUtil::DeleteFile(const CString& path) {
  return base::remove_file(os_path(path)) == base::OsError::None;
}

BOOL SECFileUtil::CopyFile(const CString& source, const CString& destination, UINT buffer_size) {
  std::string from = os_path(source), to = os_path(destination);
  if (buffer_size == 0) buffer_size = 4096;
  struct stat st;
  if (::lstat(to.c_str(), &st) == 0) return FALSE;
  base::OsFile in, out;
  if (in.open(from, base::OpenMode::Read) != base::OsError::None) return FALSE;
  // Created exclusively: a name that appeared meanwhile (or a link planted there) is not written
  // through.
  if (out.open(to, base::OpenMode::CreateExclusive) != base::OsError::None) return FALSE;
  std::vector<uint8_t> buffer(buffer_size);
  bool ok = true;
  for (;;) {
    size_t done = 0;
    if (in.read(buffer.data(), buffer.size(), done) != base::OsError::None) {
      ok = false;
      break;
    }
    if (done == 0) break;
    if (out.write(buffer.data(), done) != base::OsError::None) {
      ok = false;
      break;
    }
  }
  if (ok && ::fstat(in.fd(), &st) == 0) ::fchmod(out.fd(), st.st_mode & 0777);
  if (out.close() != base::OsError::None) ok = false;
  // A copy that did not complete is not left behind looking like a good one.
  if (!ok) base::remove_file(to);
  return ok;
}

BOOL SECFileUtil::FileExists(const CString& path) {
  struct stat st;
  return ::stat(os_path(path).c_str(), &st) == 0;
}

BOOL SECFileUtil::DirectoryExists(const CString& path) {
  struct stat st;
  return ::stat(os_path(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

BOOL SECFileUtil::ChangeDirectory(const CString& path) { return ::chdir(os_path(path).c_str()) == 0; }

BOOL SECFileUtil::MakeDirectory(const CString& path) { return ::mkdir(os_path(path).c_str(), 0777) == 0; }

CString SECFileUtil::GetFullDirectoryPath(const CString& directory) {
  std::string dir = directory.IsEmpty() ? std::string(".") : os_path(directory);
  struct stat st;
  // "Can be entered": a folder the process may search.
  if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || ::access(dir.c_str(), X_OK) != 0) return CString();
  std::unique_ptr<char, decltype(&::free)> full(::realpath(dir.c_str(), nullptr), &::free);
  return full ? from_os(full.get()) : CString();
}

CString SECFileUtil::GetCurrentDriveRoot() { return CString("/"); }

CString SECFileUtil::GetPath(const CString& path, BOOL keep_drive) {
  const std::string& p = path.str();
  std::string head = p.substr(0, size_t(last_separator(p) + 1));
  if (!keep_drive) {
    size_t colon = head.find(':');
    if (colon != std::string::npos) head.erase(0, colon + 1);
  }
  return CString(head);
}

CString SECFileUtil::GetFileName(const CString& path) {
  const std::string& p = path.str();
  return CString(p.substr(size_t(last_separator(p) + 1)));
}

CString SECFileUtil::JoinPath(const CString& directory, const CString& name) {
  const std::string& d = directory.str();
  if (d.empty()) return name;
  if (is_separator(d.back())) return directory + name;
  return directory + "/" + name;
}
