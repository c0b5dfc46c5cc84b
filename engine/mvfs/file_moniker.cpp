// File monikers: building absolute paths, splitting them into parts, searching folders, temporary
// names, and loading libraries from the program folder.
#include "engine/mvfs/file_moniker.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <random>
#include <string_view>
#include <vector>

#include "platform/base/temp_folder.h"

namespace mvfs {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }
char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }
bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiUpper(x) == asciiUpper(y); });
}

// Where each part of a path starts, found in one left-to-right scan. The drive is [0, folder), the
// folder [folder, base), the base name [base, extension), the extension [extension, size).
struct PathParts {
  size_t folder = 0;
  size_t base = 0;
  size_t extension = 0;
  size_t size = 0;
  size_t begin(uint16_t part) const {
    switch (part) {
      case kFmDrive: return 0;
      case kFmFolder: return folder;
      case kFmBaseName: return base;
      default: return extension;
    }
  }
  size_t end(uint16_t part) const {
    switch (part) {
      case kFmDrive: return folder;
      case kFmFolder: return base;
      case kFmBaseName: return extension;
      default: return size;
    }
  }
};

PathParts splitPath(std::string_view path) {
  PathParts p;
  p.size = path.size();
  size_t lastDot = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (c == ':') {
      p.folder = p.base = i + 1;
      lastDot = std::string_view::npos;
    } else if (isSeparator(c)) {
      p.base = i + 1;
      lastDot = std::string_view::npos;
    } else if (c == '.' && i > p.base) {
      lastDot = i;
    }
  }
  p.extension = lastDot == std::string_view::npos ? p.size : lastDot;
  return p;
}

constexpr uint16_t kAllParts[] = {kFmDrive, kFmFolder, kFmBaseName, kFmExtension};

std::string_view partOf(std::string_view path, const PathParts& parts, uint16_t part) {
  return path.substr(parts.begin(part), parts.end(part) - parts.begin(part));
}

bool hasDriveOrRoot(std::string_view path) {
  return splitPath(path).folder > 0 || (!path.empty() && isSeparator(path[0]));
}

std::string withForwardSlashes(std::string_view path) {
  std::string s(path);
  std::replace(s.begin(), s.end(), '\\', '/');
  return s;
}

std::string currentFolder() {
  std::vector<char> buffer(4096);
  if (!::getcwd(buffer.data(), buffer.size())) return {};
  std::string s(buffer.data());
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

std::string programFolder() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return {};
  std::string s(buffer.data(), size_t(n));
  return s.substr(0, s.rfind('/') + 1);
}

std::mutex& dataFolderLock() {
  static std::mutex lock;
  return lock;
}
std::string& dataFolderSetting() {
  static std::string folder;
  return folder;
}

// Resolves "." and ".." and doubled separators of an absolute path (a drive path is left as it is).
std::string normalised(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::vector<std::string_view> kept;
  std::string_view rest(path);
  while (!rest.empty()) {
    const size_t slash = rest.find('/');
    std::string_view piece = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (piece.empty() || piece == ".") continue;
    if (piece == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(piece);
  }
  std::string out;
  for (std::string_view piece : kept) {
    out += '/';
    out += piece;
  }
  if (out.empty() || path.back() == '/') out += '/';
  return out;
}

bool isRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The path as given when it names a file; otherwise the same folder with the final name matched
// ignoring case (the alphabetically first such entry, so the answer does not depend on folder order).
std::string resolveCase(const std::string& path) {
  if (isRegularFile(path)) return path;
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash + 1 == path.size()) return path;
  const std::string folder = path.substr(0, slash + 1);
  const std::string_view name = std::string_view(path).substr(slash + 1);
  std::string best;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view candidate(entry->d_name);
      if (equalIgnoringCase(candidate, name) && (best.empty() || candidate < best) &&
          isRegularFile(folder + std::string(candidate)))
        best = candidate;
    }
    ::closedir(dir);
  }
  return best.empty() ? path : folder + best;
}

// The full form of a path: separators made '/', relative paths completed against the current folder,
// dots resolved and the final name's case matched to an existing file.
std::string fullForm(std::string_view path) {
  std::string s = withForwardSlashes(path);
  if (!hasDriveOrRoot(s)) s = currentFolder() + s;
  return resolveCase(normalised(s));
}

// The folder of one kind, ending with '/'; empty (error 1) when it cannot be determined.
std::string folderOfKind(uint16_t kind) {
  switch (kind) {
    case kFmCurrentFolder: return currentFolder();
    case kFmProgramFolder: return programFolder();
    case kFmDataFolder: {
      std::string folder = FmGetDataFolder();
      if (!folder.empty() && folder.back() != '/') folder += '/';
      return folder;
    }
    default: return {};
  }
}

FileMonikerPtr makeMoniker(std::string path) {
  try {
    return std::make_unique<FileMoniker>(std::move(path));
  } catch (const std::bad_alloc&) {
    FS_SET_ERROR(kFsNoMemory);
    return nullptr;
  }
}

// The first existing candidate of folder + relative path among the kinds searched by the system search.
std::string systemSearch(const std::string& relative) {
  for (uint16_t kind : {kFmCurrentFolder, kFmProgramFolder, kFmDataFolder}) {
    const std::string folder = folderOfKind(kind);
    if (folder.empty()) continue;
    std::string candidate = fullForm(folder + relative);
    if (isRegularFile(candidate)) return candidate;
  }
  return {};
}

}  // namespace

void FmSetDataFolder(const std::string& folder) {
  std::lock_guard guard(dataFolderLock());
  dataFolderSetting() = withForwardSlashes(folder);
}

std::string FmGetDataFolder() {
  std::lock_guard guard(dataFolderLock());
  return dataFolderSetting();
}

FileMonikerPtr FmNewFromPath(const char* path, uint16_t folderKind) {
  if (!path || !*path) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  const std::string given = withForwardSlashes(path);
  const PathParts parts = splitPath(given);
  std::string full;
  if (parts.base < parts.size && !hasDriveOrRoot(given)) {
    const uint16_t kind = folderKind & uint16_t(-folderKind);  // the lowest kind named
    if (kind == kFmSystemSearch) {
      full = systemSearch(given);
      if (full.empty()) full = fullForm(given);
    } else {
      const std::string folder = kind ? folderOfKind(kind) : currentFolder();
      if (folder.empty()) {
        FS_SET_ERROR(kFsFailure);
        return nullptr;
      }
      full = fullForm(folder + given);
    }
  } else if (parts.base == parts.size) {
    full = currentFolder();  // a path without a base name names the current folder
  } else {
    full = fullForm(given);
  }
  FileMonikerPtr moniker = makeMoniker(std::move(full));
  if (moniker) FS_SET_ERROR(kFsOk);
  return moniker;
}

FileMonikerPtr FmSearch(const char* path, uint16_t folderKinds) {
  if (!path || !*path) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  const std::string given = withForwardSlashes(path);
  std::string found;
  if (hasDriveOrRoot(given)) {
    std::string full = fullForm(given);
    if (isRegularFile(full)) found = std::move(full);
  } else {
    for (uint16_t kind = 1; kind <= kFmSystemSearch && found.empty(); kind <<= 1) {
      if (!(folderKinds & kind) || kind == 2) continue;
      if (kind == kFmSystemSearch) {
        found = systemSearch(given);
        continue;
      }
      const std::string folder = folderOfKind(kind);
      if (folder.empty()) continue;
      std::string candidate = fullForm(folder + given);
      if (isRegularFile(candidate)) found = std::move(candidate);
    }
  }
  if (found.empty()) {
    FS_SET_ERROR(kFsNotFound);
    return nullptr;
  }
  FileMonikerPtr moniker = makeMoniker(std::move(found));
  if (moniker) FS_SET_ERROR(kFsOk);
  return moniker;
}

FileMonikerPtr FmLocateTitle(const char* fileName) {
  constexpr uint16_t kKinds = kFmCurrentFolder | kFmDataFolder | kFmSystemSearch;
  if (FileMonikerPtr found = FmSearch(fileName, kKinds)) return found;
  if (!fileName || !*fileName) return nullptr;
  return FmSearch((std::string(fileName) + ".M14").c_str(), kKinds);
}

bool FmExists(const FileMoniker* moniker) {
  if (!moniker) {
    FS_SET_ERROR(kFsBadArgument);
    return false;
  }
  struct stat st;
  if (::stat(moniker->path().c_str(), &st) == 0) {
    FS_SET_ERROR(kFsOk);
    return S_ISREG(st.st_mode);
  }
  FS_SET_ERROR(errno == ENOENT || errno == ENOTDIR ? kFsOk : FsMapOsError(base::os_error_from_errno(errno)));
  return false;
}

FileMonikerPtr FmCopy(const FileMoniker* moniker) {
  if (!moniker) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  FileMonikerPtr copy = makeMoniker(moniker->path());
  if (copy) FS_SET_ERROR(kFsOk);
  return copy;
}

void FmFree(FileMonikerPtr) {}

FileMonikerPtr FmNewTemp(const char* prefix) {
  std::string letters;
  for (const char* p = prefix; p && *p && letters.size() < 5; ++p)
    if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z')) letters += *p;
  if (letters.empty()) {
    std::random_device device;
    std::uniform_int_distribution<int> letter('A', 'Z');
    for (int i = 0; i < 3; ++i) letters += char(letter(device));
  }
  // The name is taken by creating the file exclusively in the private temporary folder; the file stays,
  // so no other process can take the name between here and its use.
  base::OsFile file;
  std::string path;
  if (base::create_temp_file(letters, "", file, path) != base::OsError::None) {
    FS_SET_ERROR(kFsFailure);
    return nullptr;
  }
  FileMonikerPtr moniker = makeMoniker(path);
  if (!moniker) {
    base::remove_file(path);
    return nullptr;
  }
  FS_SET_ERROR(kFsOk);
  return moniker;
}

FileMonikerPtr FmNewRelative(const FileMoniker* moniker, const char* path) {
  if (!moniker || !path || !*path) {
    FS_SET_ERROR(kFsBadArgument);
    return nullptr;
  }
  const std::string given = withForwardSlashes(path);
  std::string full;
  if (hasDriveOrRoot(given)) {
    full = fullForm(given);
  } else {
    const std::string& base = moniker->path();
    full = fullForm(base.substr(0, splitPath(base).base) + given);
  }
  FileMonikerPtr relative = makeMoniker(std::move(full));
  if (relative) FS_SET_ERROR(kFsOk);
  return relative;
}

char* FmGetName(const FileMoniker* moniker, char* buffer, int32_t bufferSize, uint16_t parts) {
  if (!buffer || bufferSize <= 0) return buffer;
  buffer[0] = 0;
  if (!moniker) {
    FS_SET_ERROR(kFsBadArgument);
    return buffer;
  }
  const std::string& path = moniker->path();
  std::string text;
  if (parts == kFmWholePath) {
    text = path;
  } else {
    const PathParts split = splitPath(path);
    for (uint16_t part : kAllParts)
      if (parts & part) text += partOf(path, split, part);
  }
  const size_t n = std::min(text.size(), size_t(bufferSize - 1));
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  FS_SET_ERROR(kFsOk);
  return buffer;
}

int32_t FmGetLength(const FileMoniker* moniker, uint16_t parts) {
  if (!moniker) return -1;
  const std::string& path = moniker->path();
  if (parts == kFmWholePath) return int32_t(path.size() + 1);
  const PathParts split = splitPath(path);
  size_t length = 0;
  for (uint16_t part : kAllParts)
    if (parts & part) length += split.end(part) - split.begin(part);
  return int32_t(length + 1);
}

bool FmEqual(const FileMoniker* a, const FileMoniker* b) {
  if (!a || !b) return false;
  return a == b || equalIgnoringCase(a->path(), b->path());
}

uint16_t FmPartsPresent(const char* path) {
  if (!path) return 0;
  const std::string_view s(path);
  const PathParts split = splitPath(s);
  uint16_t present = 0;
  for (uint16_t part : kAllParts)
    if (split.end(part) > split.begin(part)) present |= part;
  return present;
}

bool FmSameFile(const char* pathA, const char* pathB) {
  if (!pathA || !pathB) return false;
  const uint16_t both = FmPartsPresent(pathA) & FmPartsPresent(pathB);
  const std::string a = fullForm(pathA), b = fullForm(pathB);
  const PathParts sa = splitPath(a), sb = splitPath(b);
  for (uint16_t part : kAllParts)
    if ((both & part) && !equalIgnoringCase(partOf(a, sa, part), partOf(b, sb, part))) return false;
  return true;
}

LoadedLibrary::~LoadedLibrary() {
  if (handle_) ::dlclose(handle_);
}

void* LoadedLibrary::symbol(const char* name) const { return ::dlsym(handle_, name); }

std::unique_ptr<LoadedLibrary> FmLoadLibrary(const char* fileName, FsErrorCode* code) {
  auto finish = [&](FsErrorCode result) {
    if (code) *code = result;
    FS_SET_ERROR(result);
  };
  if (!fileName || !*fileName) {
    finish(kFsNotFound);
    return nullptr;
  }
  // Only the name and extension count: a library named by title data is loaded from the program
  // folder and nowhere else, never through the loader's search path.
  const std::string given = withForwardSlashes(fileName);
  const std::string folder = programFolder();
  const std::string path = folder.empty() ? std::string() : resolveCase(folder + given.substr(splitPath(given).base));
  if (path.empty() || !isRegularFile(path)) {
    finish(kFsNotFound);
    return nullptr;
  }
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    finish(kFsBadVersion);
    return nullptr;
  }
  try {
    auto library = std::make_unique<LoadedLibrary>(handle);
    finish(kFsOk);
    return library;
  } catch (const std::bad_alloc&) {
    ::dlclose(handle);
    finish(kFsNoMemory);
    return nullptr;
  }
}

}  // namespace mvfs
