// The framework's file object over the operating-system file layer: open with the framework's
// mode flags, read, write, seek, length, and the status of a file or folder by name. Failures of
// open come back as FALSE with the cause in an optional CFileException; failures of the other
// operations throw CFileException, caught at the file boundary as with archives.
//
// Names are CP1250 paths in which '/' and '\' both separate folders; on disk they are UTF-8.
#pragma once

#include <cstdint>
#include <exception>

#include "platform/base/cstring.h"
#include "platform/base/ctime.h"
#include "platform/base/os_file.h"

namespace base {
// The disk name of a CP1250 path: separators made '/', text made UTF-8.
std::string os_path(const CString& path);
}  // namespace base

class CFileException : public std::exception {
 public:
  enum Cause {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };
  CFileException() = default;
  CFileException(int cause, const CString& fileName) : m_cause(cause), m_strFileName(fileName) {}
  const char* what() const noexcept override;
  static int CauseOf(base::OsError error);

  int m_cause = none;
  CString m_strFileName;
};

struct CFileStatus {
  CTime m_ctime;  // the last change of the file's status
  CTime m_mtime;
  CTime m_atime;
  uint64_t m_size = 0;
  uint8_t m_attribute = 0;  // CFile::Attribute bits
  char m_szFullName[260] = {};
};

class CFile {
 public:
  enum OpenFlags : unsigned {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum Attribute : uint8_t {
    normal = 0x00,
    readOnly = 0x01,
    hidden = 0x02,
    system = 0x04,
    volume = 0x08,
    directory = 0x10,
    archive = 0x20,
  };
  enum SeekPosition : unsigned { begin = 0, current = 1, end = 2 };

  CFile() = default;
  // Opens or throws CFileException.
  CFile(const char* lpszFileName, unsigned nOpenFlags);
  virtual ~CFile() = default;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Sharing and text/binary flags have no meaning here and are ignored.
  virtual bool Open(const char* lpszFileName, unsigned nOpenFlags, CFileException* pError = nullptr);
  bool IsOpen() const { return m_file.is_open(); }
  // The bytes read (fewer at the end of the file).
  virtual unsigned Read(void* lpBuf, unsigned nCount);
  virtual void Write(const void* lpBuf, unsigned nCount);
  // The new position; a position before the start throws badSeek.
  virtual uint64_t Seek(int64_t lOff, unsigned nFrom);
  void SeekToBegin() { Seek(0, begin); }
  uint64_t SeekToEnd() { return Seek(0, end); }
  virtual uint64_t GetPosition() const;
  virtual uint64_t GetLength() const;
  virtual void SetLength(uint64_t dwNewLen);
  virtual void Flush();
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();

  CString GetFilePath() const { return m_strFileName; }
  CString GetFileName() const;
  CString GetFileTitle() const;
  bool GetStatus(CFileStatus& rStatus) const;
  // FALSE when nothing is found by that name.
  static bool GetStatus(const char* lpszFileName, CFileStatus& rStatus);
  static void Rename(const char* lpszOldName, const char* lpszNewName);
  static void Remove(const char* lpszFileName);

 private:
  [[noreturn]] void Fail(base::OsError error) const;

  base::OsFile m_file;
  CString m_strFileName;
};
