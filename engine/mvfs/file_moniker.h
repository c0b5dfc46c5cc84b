// File monikers: every disk file of the title layer is named through one.
//
// A moniker holds one absolute path. Paths are accepted with '/' or '\' as separators and kept with '/'.
// The file systems here are case-sensitive while titles name their files in any case, so a path is opened
// as given and, when that name does not exist, the final name is matched case-insensitively in its folder;
// two monikers compare equal when their paths agree ignoring ASCII case.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/mvfs/fs_error.h"

namespace mvfs {

class FileMoniker {
 public:
  explicit FileMoniker(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};
using FileMonikerPtr = std::unique_ptr<FileMoniker>;

// Folder kinds for searching and for completing relative paths. Kind 2 is not defined and is skipped.
enum FmFolderKind : uint16_t {
  kFmCurrentFolder = 1,
  kFmProgramFolder = 4,
  kFmDataFolder = 8,     // the configured data folder (see FmSetDataFolder)
  kFmSystemSearch = 16,  // an existing file in the current, program or data folder, in that order
};

// Parts of a path for FmGetName, FmGetLength and FmPartsPresent.
enum FmPart : uint16_t {
  kFmDrive = 1,
  kFmFolder = 2,
  kFmBaseName = 4,
  kFmExtension = 8,
  kFmWholePath = 0xFFFF,
};

// The process-wide data folder that kind 8 names; the application sets it from its profile. Empty
// means none (kind 8 is then skipped with error 1).
void FmSetDataFolder(const std::string& folder);
std::string FmGetDataFolder();

FileMonikerPtr FmNewFromPath(const char* path, uint16_t folderKind);
FileMonikerPtr FmSearch(const char* path, uint16_t folderKinds);
// Searches kinds 1, 8 and 16, then the same with ".M14" appended.
FileMonikerPtr FmLocateTitle(const char* fileName);
bool FmExists(const FileMoniker* moniker);
FileMonikerPtr FmCopy(const FileMoniker* moniker);
void FmFree(FileMonikerPtr moniker);
// Creates a new empty file in the private temporary folder and names it; the file is kept (the name
// stays taken) until the caller deletes it.
FileMonikerPtr FmNewTemp(const char* prefix);
FileMonikerPtr FmNewRelative(const FileMoniker* moniker, const char* path);
// Copies the selected parts into `buffer` (at most bufferSize - 1 characters, NUL-terminated).
char* FmGetName(const FileMoniker* moniker, char* buffer, int32_t bufferSize, uint16_t parts);
int32_t FmGetLength(const FileMoniker* moniker, uint16_t parts);
bool FmEqual(const FileMoniker* a, const FileMoniker* b);
uint16_t FmPartsPresent(const char* path);
bool FmSameFile(const char* pathA, const char* pathB);

// A shared library loaded from the program folder only (never through the search path).
class LoadedLibrary {
 public:
  explicit LoadedLibrary(void* handle) : handle_(handle) {}
  ~LoadedLibrary();
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  void* symbol(const char* name) const;

 private:
  void* handle_;
};
std::unique_ptr<LoadedLibrary> FmLoadLibrary(const char* fileName, FsErrorCode* code);

}  // namespace mvfs
