// SECFileUtil: file-system operations over the operating system's files: finding files with an
// attribute filter, listing the matches of a wildcard pattern or the sub-folders of a folder
// (optionally descending), deleting the files that match a pattern, copying a file, testing and
// creating folders, and splitting and joining paths.
//
// Paths are CP1250 strings; '/' and '\' both separate folders on input, results use '/'. Names
// on disk are UTF-8 and are converted at this boundary. Wildcards are '*' (any run of
// characters) and '?' (one character), matched without regard to case; "*.*" matches every
// name. Entries "." and ".." are never reported. Attributes of an entry: 0x01 read-only (the
// owner may not write it), 0x02 hidden (name starts with '.'), 0x04 system (neither a regular
// file nor a folder), 0x10 folder, 0x20 archive (a regular file).
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/base/file_calls.h"
#include "platform/base/object.h"
#include "platform/base/win_types.h"

// The filter that lets every entry through.
inline constexpr DWORD SEC_FILE_ATTRIBUTE_ANY = 0xFFFFFFFF;

class SECFileUtil : public CObject {
  DECLARE_DYNAMIC(SECFileUtil)

 public:
  SECFileUtil();
  ~SECFileUtil() override;

  // The next matching name (file name only), or nothing when the search is exhausted; a
  // non-empty pattern starts a new search, an empty one continues the running search.
  std::optional<CString> FindFile(const CString& pattern, DWORD attributes);
  // Appends the full paths of the matches to `list`; with `recursive` the same file pattern is
  // searched in every sub-folder below the pattern's folder, after the upper levels' matches.
  // Folders reached twice (through symbolic links) are searched once.
  CStringList& GetFileList(const CString& pattern, DWORD attributes, BOOL recursive, CStringList& list);
  std::unique_ptr<CStringList> GetFileList(const CString& pattern, DWORD attributes, BOOL recursive);
  // Deletes every matching file of the pattern's folder (not below); TRUE when all went.
  BOOL DeleteFiles(const CString& pattern, DWORD attributes);
  BOOL DeleteFile(const CString& path);
  // Copies in chunks of `buffer_size` bytes into a new file; FALSE when the destination exists
  // or anything fails, and then no partial copy is left behind.
  BOOL CopyFile(const CString& source, const CString& destination, UINT buffer_size = 4096);
  BOOL FileExists(const CString& path);
  BOOL DirectoryExists(const CString& path);
  BOOL ChangeDirectory(const CString& path);
  BOOL MakeDirectory(const CString& path);
  // The folder's full path (the current folder for an empty name); empty when it cannot be
  // entered. The process's current folder is left as it was.
  CString GetFullDirectoryPath(const CString& directory);
  // The root of the file system: "/".
  CString GetCurrentDriveRoot();
  // Everything up to and including the last separator; without `keep_drive` also everything up
  // to and including the first colon goes.
  CString GetPath(const CString& path, BOOL keep_drive = TRUE);
  CString GetFileName(const CString& path);
  CString JoinPath(const CString& directory, const CString& name);
  std::unique_ptr<CStringList> ListFiles(const CString& pattern, DWORD attributes);
  std::unique_ptr<CStringList> ListSubdirectories(const CString& directory, BOOL full_paths);

  // The attributes of the entry at `path` (see above); false when it cannot be read.
  static bool GetAttributes(const CString& path, DWORD& attributes);
  static bool MatchesFilter(DWORD entry_attributes, DWORD filter);
  static bool MatchesWildcard(const CString& pattern, const CString& name);

 private:
  void CloseSearch();
  void CollectFiles(const CString& pattern, DWORD attributes, BOOL recursive, CStringList& list,
                    std::set<std::pair<uint64_t, uint64_t>>& visited);

  // The running search: the folder's entries (name and attributes) and the next one to look at.
  struct Entry {
    CString name;
    DWORD attributes;
  };
  std::vector<Entry> m_entries;
  size_t m_next = 0;
  BOOL m_searching = FALSE;
  CString m_namePattern;
  DWORD m_attributes = 0;
};
