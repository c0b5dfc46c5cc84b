// Baggage: files a title carries besides its own tables (pictures, media, stored topic groups), either
// internal files of the title's file system or disk files, read the same way through one handle; and
// the background reader that reads a baggage file into memory on a thread of its own.
//
// Every call reports through a 16-bit code: 0 success, 1012 missing or invalid handle or argument,
// 1004 file not found, 1001 memory. A read or seek that fails answers -1 with 1012; a read never hands
// back bytes from any place but the one asked for. Handles and readers of a title's internal files are
// closed before the title.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/mvfs/title_file_system.h"
#include "platform/base/os_file.h"

namespace title {

inline constexpr uint16_t kBagOk = 0;
inline constexpr uint16_t kBagNoMemory = 1001;
inline constexpr uint16_t kBagNotFound = 1004;
inline constexpr uint16_t kBagInvalid = 1012;
inline constexpr uint16_t kAsyncNoThread = 2001;  // the reader's thread cannot be made
inline constexpr size_t kBagMaxInternalName = 258;
inline constexpr uint32_t kAsyncDefaultChunk = 1024;

struct BaggageHandle {
  mvfs::InternalFilePtr internal;  // an internal file of the title
  base::OsFile disk;               // or a disk file
  bool inTitle = false;
};

using BaggagePtr = std::unique_ptr<BaggageHandle>;

// Opens an internal file of the title `fs` (read-only; tried again upper-cased when the name is not
// found) or, when `in_title` is false, the disk file of that path. In-title without a file system, or
// an internal name longer than 258 characters, gives 1012.
BaggagePtr BagOpen(mvfs::TitleFileSystem* fs, std::string_view name, bool in_title, uint16_t* code);
void BagClose(BaggagePtr handle, uint16_t* code);
// The file's size, -1 on failure.
int64_t BagGetSize(BaggageHandle* handle, uint16_t* code);
// The new position (origin 0 start, 1 current, 2 end), -1 on failure.
int64_t BagSeek(BaggageHandle* handle, int64_t offset, int origin, uint16_t* code);
// Bytes read at the current position (short at the end), -1 on failure.
int64_t BagRead(BaggageHandle* handle, void* buffer, int64_t count, uint16_t* code);
// Seeks, then reads; -1 without reading when the seek fails.
int64_t BagReadAt(BaggageHandle* handle, int64_t offset, int origin, void* buffer, int64_t count, uint16_t* code);
// Bytes start .. start + length - 1 of the file (length 0: up to the end), the length cut to what the
// file holds after start. The file is opened and closed by the call. `size` receives the bytes read.
std::vector<uint8_t> BagLoad(mvfs::TitleFileSystem* fs, std::string_view name, bool in_title, int64_t start,
                             int64_t length, int64_t* size, uint16_t* code);

// Called on the reader's thread after each chunk with the reader's user value.
using AsyncCallback = void (*)(intptr_t user);

// A baggage file read into memory by a thread of its own, chunk by chunk. The thread starts
// suspended; it pauses only between chunks, so it never stops while it holds the title's lock.
// Progress is read without a lock; the buffer holds `bytes_read` finished bytes.
class AsyncReader {
 public:
  ~AsyncReader();

 private:
  friend std::unique_ptr<AsyncReader> AsyncOpen(mvfs::TitleFileSystem*, intptr_t, AsyncCallback, uint32_t, uint32_t,
                                                std::string_view, bool, int64_t, int64_t, uint16_t*);
  friend uint16_t AsyncSuspend(AsyncReader*, bool);
  friend uint16_t AsyncGetProgress(const AsyncReader*, uint32_t*, uint32_t*, const uint8_t**);
  void run();

  intptr_t user_ = 0;
  AsyncCallback callback_ = nullptr;  // guarded by lock_
  uint32_t chunk_ = kAsyncDefaultChunk;
  std::vector<uint8_t> buffer_;
  BaggagePtr baggage_;  // used by the thread only, once it runs
  std::atomic<uint32_t> bytesRead_{0};
  std::atomic<uint32_t> total_{0};
  std::atomic<uint16_t> error_{0};
  std::mutex lock_;
  std::condition_variable wake_;
  bool stop_ = false;       // guarded by lock_
  bool suspended_ = true;   // guarded by lock_
  std::thread thread_;
};

using AsyncReaderPtr = std::unique_ptr<AsyncReader>;

// Opens the file (as BagOpen), reads `first_part` bytes at once when asked, and makes the reader with
// its thread suspended; AsyncSuspend(reader, true) starts the reading. Length 0 reads up to the end;
// a chunk size of 0 reads 1,024 bytes at a time.
AsyncReaderPtr AsyncOpen(mvfs::TitleFileSystem* fs, intptr_t user, AsyncCallback callback, uint32_t first_part,
                         uint32_t chunk_size, std::string_view name, bool in_title, int64_t start, int64_t length,
                         uint16_t* code);
// Stops the thread (waking it when it is suspended), waits for it and frees everything; 1012 for a
// missing reader. Must not be called from the reader's own callback.
uint16_t AsyncClose(AsyncReaderPtr reader);
// Resume true lets a suspended thread go on; false holds a running one before its next chunk.
uint16_t AsyncSuspend(AsyncReader* reader, bool resume);
// The bytes read so far, the total and the buffer; answers the reader's last read error (1012 for a
// missing reader).
uint16_t AsyncGetProgress(const AsyncReader* reader, uint32_t* bytes_read, uint32_t* total, const uint8_t** buffer);

}  // namespace title
