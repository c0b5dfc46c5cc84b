#include "platform/base/os_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>
#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace base {

OsError os_error_from_errno(int err) {
  switch (err) {
    case 0: return OsError::None;
    case ENOENT: case ENOTDIR: return OsError::NotFound;
    case EACCES: case EPERM: case EROFS: case ETXTBSY: return OsError::Access;
    case EEXIST: return OsError::Exists;
    case ENOSPC: case EDQUOT: case EFBIG: return OsError::NoSpace;
    case EMFILE: case ENFILE: return OsError::TooManyOpen;
    case EINVAL: case EISDIR: case ESPIPE: case EBADF: case ENAMETOOLONG: case EOVERFLOW:
      return OsError::Invalid;
    default: return OsError::Io;
  }
}

const char* os_error_text(OsError e) {
  switch (e) {
    case OsError::None: return "no error";
    case OsError::NotFound: return "file not found";
    case OsError::Access: return "access denied";
    case OsError::Exists: return "file exists";
    case OsError::NoSpace: return "disk full";
    case OsError::TooManyOpen: return "too many open files";
    case OsError::Invalid: return "invalid request";
    case OsError::Io: return "input/output error";
  }
  return "unknown error";
}

static OsError last_error() { return os_error_from_errno(errno); }

OsFile::OsFile(OsFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

OsFile& OsFile::operator=(OsFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

OsError OsFile::open(const std::string& path, OpenMode mode) {
  close();
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::Read: flags |= O_RDONLY; break;
    case OpenMode::ReadWrite: flags |= O_RDWR; break;
    case OpenMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case OpenMode::CreateExclusive: flags |= O_RDWR | O_CREAT | O_EXCL; break;
  }
  mode_t perms = mode == OpenMode::CreateExclusive ? 0600 : 0644;
  int fd;
  do fd = ::open(path.c_str(), flags, perms);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return last_error();
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return OsError::Invalid;
  }
  fd_ = fd;
  return OsError::None;
}

OsError OsFile::open_unnamed(const std::string& folder) {
  close();
  int fd;
  do fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno == EOPNOTSUPP || errno == EISDIR ? OsError::Invalid : last_error();
  fd_ = fd;
  return OsError::None;
}

OsError OsFile::close() {
  if (fd_ < 0) return OsError::None;
  int r = ::close(std::exchange(fd_, -1));
  return r == 0 ? OsError::None : last_error();
}

OsError OsFile::read(void* out, size_t size, size_t& done) {
  done = 0;
  auto p = static_cast<uint8_t*>(out);
  while (done < size) {
    ssize_t n = ::read(fd_, p + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return last_error();
    }
    if (n == 0) break;
    done += size_t(n);
  }
  return OsError::None;
}

OsError OsFile::read_at(uint64_t offset, void* out, size_t size) {
  auto p = static_cast<uint8_t*>(out);
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::pread(fd_, p + done, size - done, off_t(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return last_error();
    }
    if (n == 0) return OsError::Io;
    done += size_t(n);
  }
  return OsError::None;
}

OsError OsFile::write(const void* data, size_t size) {
  auto p = static_cast<const uint8_t*>(data);
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::write(fd_, p + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return last_error();
    }
    done += size_t(n);
  }
  return OsError::None;
}

OsError OsFile::write_at(uint64_t offset, const void* data, size_t size) {
  auto p = static_cast<const uint8_t*>(data);
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::pwrite(fd_, p + done, size - done, off_t(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return last_error();
    }
    done += size_t(n);
  }
  return OsError::None;
}

OsError OsFile::seek(int64_t offset, Whence whence, uint64_t* new_pos) {
  int w = whence == Whence::Begin ? SEEK_SET : whence == Whence::Current ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(fd_, off_t(offset), w);
  if (r < 0) return last_error();
  if (new_pos) *new_pos = uint64_t(r);
  return OsError::None;
}

OsError OsFile::tell(uint64_t& pos) const {
  off_t r = ::lseek(fd_, 0, SEEK_CUR);
  if (r < 0) return last_error();
  pos = uint64_t(r);
  return OsError::None;
}

OsError OsFile::size(uint64_t& size) const {
  struct stat st;
  if (::fstat(fd_, &st) != 0) return last_error();
  size = uint64_t(st.st_size);
  return OsError::None;
}

OsError OsFile::set_size(uint64_t size) {
  return ::ftruncate(fd_, off_t(size)) == 0 ? OsError::None : last_error();
}

OsError OsFile::sync() { return ::fsync(fd_) == 0 ? OsError::None : last_error(); }

OsError remove_file(const std::string& path) {
  return ::unlink(path.c_str()) == 0 ? OsError::None : last_error();
}

OsError rename_file(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? OsError::None : last_error();
}

bool file_exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

OsError read_file(const std::string& path, std::vector<uint8_t>& out, uint64_t limit) {
  out.clear();
  OsFile f;
  if (OsError e = f.open(path, OpenMode::Read); e != OsError::None) return e;
  uint64_t size = 0;
  if (OsError e = f.size(size); e != OsError::None) return e;
  if (size > limit) return OsError::Invalid;
  out.resize(size_t(size));
  size_t done = 0;
  if (OsError e = f.read(out.data(), out.size(), done); e != OsError::None) return e;
  out.resize(done);
  return OsError::None;
}

namespace {

// Removes "<name>.tmp<pid>_<n>" files beside `path` that a writer killed mid-save left behind: those
// whose process no longer runs. Files of live writers (this process or another) stay.
void remove_stale_temporaries(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
  std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".tmp";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    std::string_view name(entry->d_name);
    if (name.substr(0, prefix.size()) != prefix) continue;
    std::string_view rest = name.substr(prefix.size());
    size_t underscore = rest.find('_');
    if (underscore == 0 || underscore == std::string_view::npos) continue;
    if (rest.substr(0, underscore).find_first_not_of("0123456789") != std::string_view::npos) continue;
    if (rest.substr(underscore + 1).empty() ||
        rest.substr(underscore + 1).find_first_not_of("0123456789") != std::string_view::npos) {
      continue;
    }
    long pid = std::strtol(std::string(rest.substr(0, underscore)).c_str(), nullptr, 10);
    if (pid <= 0 || pid == ::getpid() || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;
    ::unlink((folder + "/" + std::string(name)).c_str());
  }
  ::closedir(dir);
}

}  // namespace

OsError write_file_atomic(const std::string& path, std::span<const uint8_t> data) {
  std::string tmp;
  OsFile f;
  for (int attempt = 0;; ++attempt) {
    tmp = path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(attempt);
    OsError e = f.open(tmp, OpenMode::CreateExclusive);
    if (e == OsError::None) break;
    if (e != OsError::Exists || attempt > 100) return e;
  }
  OsError e = f.write(data.data(), data.size());
  if (e == OsError::None) e = f.sync();
  OsError c = f.close();
  if (e == OsError::None) e = c;
  if (e == OsError::None) e = rename_file(tmp, path);
  if (e != OsError::None) remove_file(tmp);
  if (e == OsError::None) remove_stale_temporaries(path);
  return e;
}

}  // namespace base
