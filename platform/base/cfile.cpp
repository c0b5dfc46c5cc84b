#include "platform/base/cfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/base/cp1250.h"

namespace base {
std::string os_path(const CString& path) {
  std::string p = cp1250::to_utf8(std::string_view(path.GetString(), size_t(path.GetLength())));
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}
}  // namespace base

namespace {

CString file_part(const CString& path) {
  int cut = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  return path.Mid(cut + 1);
}

base::OpenMode open_mode(unsigned flags) {
  bool writes = (flags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
  if (flags & CFile::modeCreate) return base::OpenMode::Create;
  return writes ? base::OpenMode::ReadWrite : base::OpenMode::Read;
}

}  // namespace

const char* CFileException::what() const noexcept {
  switch (m_cause) {
    case fileNotFound: return "file not found";
    case badPath: return "bad path";
    case tooManyOpenFiles: return "too many open files";
    case accessDenied: return "access denied";
    case badSeek: return "bad seek";
    case diskFull: return "disk full";
    case endOfFile: return "end of file";
    case hardIO: return "input/output error";
    default: return "file error";
  }
}

int CFileException::CauseOf(base::OsError error) {
  switch (error) {
    case base::OsError::None: return none;
    case base::OsError::NotFound: return fileNotFound;
    case base::OsError::Access: return accessDenied;
    case base::OsError::Exists: return accessDenied;
    case base::OsError::NoSpace: return diskFull;
    case base::OsError::TooManyOpen: return tooManyOpenFiles;
    case base::OsError::Invalid: return badPath;
    case base::OsError::Io: return hardIO;
  }
  return genericException;
}

CFile::CFile(const char* lpszFileName, unsigned nOpenFlags) {
  CFileException error;
  if (!Open(lpszFileName, nOpenFlags, &error)) throw error;
}

bool CFile::Open(const char* lpszFileName, unsigned nOpenFlags, CFileException* pError) {
  Abort();
  CString name = lpszFileName ? lpszFileName : "";
  std::string path = base::os_path(name);
  base::OsError e = base::OsError::Invalid;
  if (!name.IsEmpty()) {
    // Keeping what is there: open the existing file, and create it only when it is missing.
    if ((nOpenFlags & modeCreate) && (nOpenFlags & modeNoTruncate)) {
      e = m_file.open(path, base::OpenMode::ReadWrite);
      if (e == base::OsError::NotFound) e = m_file.open(path, base::OpenMode::Create);
    } else {
      e = m_file.open(path, open_mode(nOpenFlags));
    }
  }
  if (e != base::OsError::None) {
    if (pError) *pError = CFileException(CFileException::CauseOf(e), name);
    return false;
  }
  m_strFileName = name;
  return true;
}

void CFile::Fail(base::OsError error) const {
  throw CFileException(CFileException::CauseOf(error), m_strFileName);
}

unsigned CFile::Read(void* lpBuf, unsigned nCount) {
  if (!m_file.is_open()) Fail(base::OsError::Invalid);
  size_t done = 0;
  if (base::OsError e = m_file.read(lpBuf, nCount, done); e != base::OsError::None) Fail(e);
  return unsigned(done);
}

void CFile::Write(const void* lpBuf, unsigned nCount) {
  if (!m_file.is_open()) Fail(base::OsError::Invalid);
  if (base::OsError e = m_file.write(lpBuf, nCount); e != base::OsError::None) Fail(e);
}

uint64_t CFile::Seek(int64_t lOff, unsigned nFrom) {
  if (!m_file.is_open()) Fail(base::OsError::Invalid);
  auto whence = nFrom == current ? base::OsFile::Whence::Current
                : nFrom == end   ? base::OsFile::Whence::End
                                 : base::OsFile::Whence::Begin;
  uint64_t pos = 0;
  if (m_file.seek(lOff, whence, &pos) != base::OsError::None) {
    throw CFileException(CFileException::badSeek, m_strFileName);
  }
  return pos;
}

uint64_t CFile::GetPosition() const {
  if (!m_file.is_open()) Fail(base::OsError::Invalid);
  uint64_t pos = 0;
  if (base::OsError e = m_file.tell(pos); e != base::OsError::None) Fail(e);
  return pos;
}

uint64_t CFile::GetLength() const {
  if (!m_file.is_open()) Fail(base::OsError::Invalid);
  uint64_t size = 0;
  if (base::OsError e = m_file.size(size); e != base::OsError::None) Fail(e);
  return size;
}

void CFile::SetLength(uint64_t dwNewLen) {
  if (!m_file.is_open()) Fail(base::OsError::Invalid);
  if (base::OsError e = m_file.set_size(dwNewLen); e != base::OsError::None) Fail(e);
}

void CFile::Flush() {
  if (!m_file.is_open()) return;
  if (base::OsError e = m_file.sync(); e != base::OsError::None) Fail(e);
}

void CFile::Close() {
  if (!m_file.is_open()) return;
  base::OsError e = m_file.close();
  if (e != base::OsError::None) Fail(e);
}

void CFile::Abort() {
  m_file.close();
  m_strFileName.Empty();
}

CString CFile::GetFileName() const { return file_part(m_strFileName); }

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}

bool CFile::GetStatus(CFileStatus& rStatus) const {
  return m_file.is_open() && GetStatus(m_strFileName, rStatus);
}

bool CFile::GetStatus(const char* lpszFileName, CFileStatus& rStatus) {
  CString name = lpszFileName ? lpszFileName : "";
  if (name.IsEmpty()) return false;
  std::string path = base::os_path(name);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  rStatus = CFileStatus{};
  rStatus.m_ctime = CTime(int64_t(st.st_ctime));
  rStatus.m_mtime = CTime(int64_t(st.st_mtime));
  rStatus.m_atime = CTime(int64_t(st.st_atime));
  rStatus.m_size = S_ISREG(st.st_mode) ? uint64_t(st.st_size) : 0;
  uint8_t attributes = 0;
  if (!(st.st_mode & S_IWUSR)) attributes |= readOnly;
  std::string leaf = std::filesystem::path(path).filename().string();
  if (!leaf.empty() && leaf[0] == '.' && leaf != "." && leaf != "..") attributes |= hidden;
  if (S_ISDIR(st.st_mode)) {
    attributes |= directory;
  } else if (S_ISREG(st.st_mode)) {
    attributes |= archive;
  } else {
    attributes |= system;
  }
  rStatus.m_attribute = attributes;
  std::error_code ec;
  std::string full = std::filesystem::absolute(path, ec).lexically_normal().string();
  std::string cp = base::cp1250::from_utf8(ec ? path : full);
  std::strncpy(rStatus.m_szFullName, cp.c_str(), sizeof rStatus.m_szFullName - 1);
  return true;
}

void CFile::Rename(const char* lpszOldName, const char* lpszNewName) {
  base::OsError e = base::rename_file(base::os_path(lpszOldName), base::os_path(lpszNewName));
  if (e != base::OsError::None) throw CFileException(CFileException::CauseOf(e), lpszOldName);
}

void CFile::Remove(const char* lpszFileName) {
  base::OsError e = base::remove_file(base::os_path(lpszFileName));
  if (e != base::OsError::None) throw CFileException(CFileException::CauseOf(e), lpszFileName);
}
