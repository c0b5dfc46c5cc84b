// The operating-system file layer: a file descriptor with 64-bit offsets, and errors as values.
//
// Callers map OsError onto their own codes (the container maps them onto its file-system codes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace base {

enum class OsError : uint8_t {
  None = 0,
  NotFound,     // no such file or folder
  Access,       // permission denied, read-only file system
  Exists,       // exclusive create found the name taken
  NoSpace,      // disk full, quota
  TooManyOpen,  // out of descriptors
  Invalid,      // bad argument, a folder where a file was expected, bad seek
  Io,           // any other failure of the device
};

OsError os_error_from_errno(int err);
const char* os_error_text(OsError e);

enum class OpenMode : uint8_t {
  Read,            // existing file, read only
  ReadWrite,       // existing file, read and write
  Create,          // create or truncate, read and write
  CreateExclusive  // create a new file (fails with Exists), read and write, mode 0600
};

class OsFile {
 public:
  OsFile() = default;
  ~OsFile() { close(); }
  OsFile(OsFile&& other) noexcept;
  OsFile& operator=(OsFile&& other) noexcept;
  OsFile(const OsFile&) = delete;
  OsFile& operator=(const OsFile&) = delete;

  OsError open(const std::string& path, OpenMode mode);
  // A new file without a name in `folder`, read and write, mode 0600: nothing is left behind when it
  // closes, however the process ends. Invalid where the file system cannot make one.
  OsError open_unnamed(const std::string& folder);
  bool is_open() const { return fd_ >= 0; }
  OsError close();

  // Reads up to `size` bytes at the current position; `done` is what was read (short at the end).
  OsError read(void* out, size_t size, size_t& done);
  // Reads exactly `size` bytes at `offset` without moving the position; short reads are Io errors.
  OsError read_at(uint64_t offset, void* out, size_t size);
  OsError write(const void* data, size_t size);
  OsError write_at(uint64_t offset, const void* data, size_t size);
  enum class Whence : uint8_t { Begin, Current, End };
  OsError seek(int64_t offset, Whence whence, uint64_t* new_pos = nullptr);
  OsError tell(uint64_t& pos) const;
  OsError size(uint64_t& size) const;
  OsError set_size(uint64_t size);
  OsError sync();
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

OsError remove_file(const std::string& path);
OsError rename_file(const std::string& from, const std::string& to);
bool file_exists(const std::string& path);

// Whole-file helpers; read_file refuses files larger than `limit` bytes.
OsError read_file(const std::string& path, std::vector<uint8_t>& out, uint64_t limit = UINT64_MAX);
// Writes through a temporary name in the same folder, syncs, then renames over `path`: a crash
// leaves either the old file or the new one, never a half-written file. Temporaries that killed
// writers left beside `path` are removed after a successful save.
OsError write_file_atomic(const std::string& path, std::span<const uint8_t> data);

}  // namespace base
