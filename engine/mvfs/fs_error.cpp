// The per-thread last-error record: one record per thread, in a process-wide list, newest first.
#include "engine/mvfs/fs_error.h"

#include <memory>
#include <mutex>
#include <new>
#include <thread>

namespace mvfs {
namespace {

struct ErrorRecord {
  std::unique_ptr<ErrorRecord> next;
  std::thread::id thread;
  FsErrorCode code = kFsOk;
  const char* sourceFile = nullptr;
  int32_t line = 0;
};

std::mutex& listLock() {
  static std::mutex lock;
  return lock;
}
std::unique_ptr<ErrorRecord>& listHead() {
  static std::unique_ptr<ErrorRecord> head;
  return head;
}

// The calling thread's record, made zero-filled and pushed at the head when missing; null when no
// memory is left. Called with the list lock held.
ErrorRecord* recordOfThisThread(bool create) {
  const std::thread::id self = std::this_thread::get_id();
  for (ErrorRecord* r = listHead().get(); r; r = r->next.get())
    if (r->thread == self) return r;
  if (!create) return nullptr;
  std::unique_ptr<ErrorRecord> record;
  try {
    record = std::make_unique<ErrorRecord>();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  record->thread = self;
  record->next = std::move(listHead());
  listHead() = std::move(record);
  return listHead().get();
}

}  // namespace

FsErrorCode FsSetError(const char* sourceFile, int32_t line, FsErrorCode code) {
  std::lock_guard guard(listLock());
  ErrorRecord* r = recordOfThisThread(true);
  if (!r) return kFsNoMemory;
  r->code = code;
  r->sourceFile = sourceFile;
  r->line = line;
  return code;
}

FsErrorCode FsGetLastError() {
  std::lock_guard guard(listLock());
  ErrorRecord* r = recordOfThisThread(true);
  return r ? r->code : kFsNoMemory;
}

const char* FsGetLastErrorFile() {
  std::lock_guard guard(listLock());
  ErrorRecord* r = recordOfThisThread(false);
  return r ? r->sourceFile : nullptr;
}

int32_t FsGetLastErrorLine() {
  std::lock_guard guard(listLock());
  ErrorRecord* r = recordOfThisThread(false);
  return r ? r->line : 0;
}

void FsFreeErrorRecordsEx(bool all) {
  std::lock_guard guard(listLock());
  std::unique_ptr<ErrorRecord>* link = &listHead();
  while (*link) {
    if (all || (*link)->code == kFsOk) {
      std::unique_ptr<ErrorRecord> freed = std::move(*link);
      *link = std::move(freed->next);
    } else {
      link = &(*link)->next;
    }
  }
}

void FsFreeErrorRecords() { FsFreeErrorRecordsEx(true); }

FsErrorKeeper::FsErrorKeeper()
    : code_(FsGetLastError()), sourceFile_(FsGetLastErrorFile()), line_(FsGetLastErrorLine()) {}

FsErrorKeeper::~FsErrorKeeper() { FsSetError(sourceFile_, line_, code_); }

FsErrorCode FsMapOsError(base::OsError error, FsErrorCode otherwise) {
  switch (error) {
    case base::OsError::None: return kFsOk;
    case base::OsError::Access: return kFsReadOnly;
    case base::OsError::Invalid: return kFsBadArgument;
    case base::OsError::NoSpace: return kFsDiskFull;
    default: return otherwise;
  }
}

}  // namespace mvfs
