// Baggage files and the background reader.
#include "engine/title/baggage.h"

#include <algorithm>
#include <limits>
#include <new>
#include <string>

#include "platform/base/cp1250.h"

namespace title {
namespace {

uint16_t report(uint16_t* code, uint16_t value) {
  if (code) *code = value;
  return value;
}

// The largest block a baggage load or a background read makes (the reader's counts are 32-bit).
constexpr int64_t kMaxLoad = std::numeric_limits<int32_t>::max();

}  // namespace

BaggagePtr BagOpen(mvfs::TitleFileSystem* fs, std::string_view name, bool in_title, uint16_t* code) {
  if (name.empty() || (in_title && (!fs || name.size() > kBagMaxInternalName))) {
    report(code, kBagInvalid);
    return nullptr;
  }
  auto handle = std::unique_ptr<BaggageHandle>(new (std::nothrow) BaggageHandle);
  if (!handle) {
    report(code, kBagNoMemory);
    return nullptr;
  }
  handle->inTitle = in_title;
  if (in_title) {
    const std::string exact(name);
    handle->internal = mvfs::FsOpenFile(fs, exact.c_str(), mvfs::kFsOpenReadOnly);
    if (!handle->internal) {
      const std::string upper = base::cp1250::to_upper(exact);
      if (upper != exact) handle->internal = mvfs::FsOpenFile(fs, upper.c_str(), mvfs::kFsOpenReadOnly);
    }
    if (!handle->internal) {
      report(code, kBagNotFound);
      return nullptr;
    }
  } else if (handle->disk.open(std::string(name), base::OpenMode::Read) != base::OsError::None) {
    report(code, kBagNotFound);
    return nullptr;
  }
  report(code, kBagOk);
  return handle;
}

void BagClose(BaggagePtr handle, uint16_t* code) {
  if (!handle) {
    report(code, kBagInvalid);
    return;
  }
  if (handle->internal) mvfs::FsCloseFile(std::move(handle->internal));
  handle->disk.close();
  report(code, kBagOk);
}

int64_t BagGetSize(BaggageHandle* handle, uint16_t* code) {
  if (!handle) return report(code, kBagInvalid), -1;
  if (handle->inTitle) {
    const int64_t size = mvfs::FsGetFileSize(handle->internal.get());
    if (size < 0) return report(code, kBagInvalid), -1;
    return report(code, kBagOk), size;
  }
  uint64_t size = 0;
  if (handle->disk.size(size) != base::OsError::None) return report(code, kBagInvalid), -1;
  return report(code, kBagOk), int64_t(size);
}

int64_t BagSeek(BaggageHandle* handle, int64_t offset, int origin, uint16_t* code) {
  if (!handle || origin < 0 || origin > 2) return report(code, kBagInvalid), -1;
  if (handle->inTitle) {
    const int64_t pos = mvfs::FsSeekFile(handle->internal.get(), offset, origin);
    if (pos < 0) return report(code, kBagInvalid), -1;
    return report(code, kBagOk), pos;
  }
  static constexpr base::OsFile::Whence kWhence[] = {base::OsFile::Whence::Begin, base::OsFile::Whence::Current,
                                                     base::OsFile::Whence::End};
  uint64_t pos = 0;
  if (handle->disk.seek(offset, kWhence[origin], &pos) != base::OsError::None) return report(code, kBagInvalid), -1;
  return report(code, kBagOk), int64_t(pos);
}

int64_t BagRead(BaggageHandle* handle, void* buffer, int64_t count, uint16_t* code) {
  if (!handle || !buffer || count < 0) return report(code, kBagInvalid), -1;
  if (handle->inTitle) {
    const int64_t done = mvfs::FsReadFile(handle->internal.get(), buffer, count);
    if (done < 0) return report(code, kBagInvalid), -1;
    return report(code, kBagOk), done;
  }
  size_t done = 0;
  if (handle->disk.read(buffer, size_t(count), done) != base::OsError::None) return report(code, kBagInvalid), -1;
  return report(code, kBagOk), int64_t(done);
}

int64_t BagReadAt(BaggageHandle* handle, int64_t offset, int origin, void* buffer, int64_t count, uint16_t* code) {
  if (BagSeek(handle, offset, origin, code) < 0) return -1;
  return BagRead(handle, buffer, count, code);
}

std::vector<uint8_t> BagLoad(mvfs::TitleFileSystem* fs, std::string_view name, bool in_title, int64_t start,
                             int64_t length, int64_t* size, uint16_t* code) {
  if (size) *size = 0;
  if (start < 0 || length < 0) return report(code, kBagInvalid), std::vector<uint8_t>();
  BaggagePtr handle = BagOpen(fs, name, in_title, code);
  if (!handle) return {};
  const int64_t file_size = BagGetSize(handle.get(), code);
  if (file_size < 0 || start > file_size) return report(code, kBagInvalid), std::vector<uint8_t>();
  // A length reaching past the end is cut to what the file holds after start.
  const int64_t available = file_size - start;
  const int64_t wanted = std::min(length == 0 ? available : std::min(length, available), kMaxLoad);
  std::vector<uint8_t> bytes;
  if (wanted == 0) return report(code, kBagOk), bytes;
  try {
    bytes.resize(size_t(wanted));
  } catch (const std::bad_alloc&) {
    return report(code, kBagNoMemory), std::vector<uint8_t>();
  }
  const int64_t done = BagReadAt(handle.get(), start, 0, bytes.data(), wanted, code);
  if (done < 0) return {};
  bytes.resize(size_t(done));
  if (size) *size = done;
  return bytes;
}

AsyncReader::~AsyncReader() {
  {
    std::lock_guard guard(lock_);
    stop_ = true;
    callback_ = nullptr;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  if (baggage_) BagClose(std::move(baggage_), nullptr);
}

void AsyncReader::run() {
  for (;;) {
    AsyncCallback callback = nullptr;
    {
      std::unique_lock guard(lock_);
      // The only place the thread waits: between chunks, holding nothing but its own lock.
      wake_.wait(guard, [this] { return stop_ || !suspended_; });
      if (stop_) break;
      callback = callback_;
    }
    const uint32_t done = bytesRead_.load(std::memory_order_relaxed);
    const uint32_t total = total_.load(std::memory_order_relaxed);
    if (!baggage_ || done >= total || error_.load()) break;
    const uint32_t want = std::min(total - done, chunk_);
    uint16_t code = 0;
    const int64_t got = BagRead(baggage_.get(), buffer_.data() + done, want, &code);
    if (got > 0) {
      bytesRead_.store(done + uint32_t(got), std::memory_order_release);
    } else if (got == 0) {
      total_.store(done, std::memory_order_release);  // the file was shorter
    } else {
      error_.store(code ? code : kBagInvalid);
    }
    if (callback) callback(user_);
  }
}

AsyncReaderPtr AsyncOpen(mvfs::TitleFileSystem* fs, intptr_t user, AsyncCallback callback, uint32_t first_part,
                         uint32_t chunk_size, std::string_view name, bool in_title, int64_t start, int64_t length,
                         uint16_t* code) {
  if (start < 0 || length < 0) return report(code, kBagInvalid), nullptr;
  BaggagePtr baggage = BagOpen(fs, name, in_title, code);
  if (!baggage) return nullptr;
  const int64_t file_size = BagGetSize(baggage.get(), code);
  if (file_size < 0 || start > file_size) return report(code, kBagInvalid), nullptr;
  const int64_t available = file_size - start;
  const int64_t total = std::min(length == 0 ? available : std::min(length, available), kMaxLoad);
  auto reader = std::unique_ptr<AsyncReader>(new (std::nothrow) AsyncReader);
  if (!reader) return report(code, kBagNoMemory), nullptr;
  try {
    reader->buffer_.resize(size_t(total));
  } catch (const std::bad_alloc&) {
    return report(code, kBagNoMemory), nullptr;
  }
  reader->user_ = user;
  reader->callback_ = callback;
  reader->chunk_ = chunk_size ? chunk_size : kAsyncDefaultChunk;
  reader->total_ = uint32_t(total);
  if (BagSeek(baggage.get(), start, 0, code) < 0) return nullptr;
  if (first_part) {
    const int64_t want = std::min<int64_t>(first_part, total);
    const int64_t got = BagRead(baggage.get(), reader->buffer_.data(), want, code);
    reader->bytesRead_ = uint32_t(std::max<int64_t>(got, 0));
    // A short first read means the file holds no more: no thread will run.
    if (got < want) BagClose(std::move(baggage), nullptr);
  }
  reader->baggage_ = std::move(baggage);
  if (reader->baggage_) {
    try {
      reader->thread_ = std::thread(&AsyncReader::run, reader.get());
    } catch (const std::system_error&) {
      return report(code, kAsyncNoThread), nullptr;
    }
  }
  report(code, kBagOk);
  return reader;
}

uint16_t AsyncClose(AsyncReaderPtr reader) {
  if (!reader) return kBagInvalid;
  reader.reset();
  return kBagOk;
}

uint16_t AsyncSuspend(AsyncReader* reader, bool resume) {
  if (!reader) return kBagInvalid;
  {
    std::lock_guard guard(reader->lock_);
    reader->suspended_ = !resume;
  }
  reader->wake_.notify_all();
  return kBagOk;
}

uint16_t AsyncGetProgress(const AsyncReader* reader, uint32_t* bytes_read, uint32_t* total, const uint8_t** buffer) {
  if (!reader) return kBagInvalid;
  if (bytes_read) *bytes_read = reader->bytesRead_.load(std::memory_order_acquire);
  if (total) *total = reader->total_.load(std::memory_order_acquire);
  if (buffer) *buffer = reader->buffer_.data();
  return reader->error_.load();
}

}  // namespace title
