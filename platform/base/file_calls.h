// The platform's file calls by their own names, over the operating-system file layer: copying,
// deleting, finding files by a wildcard pattern, attributes, folders, the current folder and the
// temporary folder.
//
// Paths are CP1250 strings in which '/' and '\' both separate folders; on disk they are UTF-8.
// Wildcards are '*' (any run of characters) and '?' (one character), matched without regard to
// case; "*.*" matches every name, also names without a dot. A search never reports "." and "..",
// so a walk over folders cannot climb back up. Attributes follow CFile's status: read-only when
// the owner may not write, hidden for names starting with '.', a folder, archive for a regular
// file, system for anything else.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/base/ctime.h"
#include "platform/base/win_types.h"

using HANDLE = void*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~std::uintptr_t(0));

inline constexpr DWORD MAX_PATH = 260;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
inline constexpr DWORD FILE_ATTRIBUTE_VOLUME_LABEL = 0x08;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_DEVICE = 0x40;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// Error modes; they change nothing here, as no call ever puts up a box of its own.
inline constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
inline constexpr UINT SEM_NOGPFAULTERRORBOX = 0x0002;
inline constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  void* lpSecurityDescriptor;
  BOOL bInheritHandle;
};

struct WIN32_FIND_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;  // the last change of the entry's status
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  char cFileName[MAX_PATH];  // CP1250, the name without its folder
  char cAlternateFileName[14];
};

// Copies the bytes of a file. With `fail_if_exists` an existing destination is left alone and the
// call fails. The copy is written under a temporary name beside the destination and renamed over
// it only when complete, so a failed copy leaves the destination as it was.
BOOL CopyFile(const char* existing, const char* destination, BOOL fail_if_exists);
// Removes one file (not a folder).
BOOL DeleteFile(const char* path);
// The attributes of a file or folder, INVALID_FILE_ATTRIBUTES when there is none.
DWORD GetFileAttributes(const char* path);
// Creates one folder (not its parents); fails when the name is taken.
BOOL CreateDirectory(const char* path, const SECURITY_ATTRIBUTES* security);

// Starts a search of the pattern's folder (the current folder when the pattern names none) and
// fills `data` with the first match; INVALID_HANDLE_VALUE when nothing matches. The folder's names
// are read once, when the search starts.
HANDLE FindFirstFile(const char* pattern, WIN32_FIND_DATA* data);
// The next match; FALSE at the end or for a handle that is not a running search.
BOOL FindNextFile(HANDLE search, WIN32_FIND_DATA* data);
BOOL FindClose(HANDLE search);

// Path answers: with room for the text and its terminating zero they copy both and return the
// length of the text; otherwise they copy nothing and return the size needed, zero included.
// 0 on failure.
//
// The process's private temporary folder, ending in a separator so that a name can follow.
DWORD GetTempPath(DWORD size, char* buffer);
DWORD GetCurrentDirectory(DWORD size, char* buffer);
BOOL SetCurrentDirectory(const char* path);

// Returns the mode set before.
UINT SetErrorMode(UINT mode);

namespace base {
// Whether a CP1250 file name matches a wildcard pattern, as the searches above match them.
bool file_name_matches(std::string_view pattern, std::string_view name);
}  // namespace base
