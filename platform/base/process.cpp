#include "platform/base/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

#include "platform/base/cp1250.h"

extern char** environ;

namespace {

// Handles are numbers well away from small integers and pointers the program might hold.
constexpr std::uintptr_t kFirstHandle = 0x7A000001;

struct ProcessRecord {
  pid_t pid = 0;
  bool ended = false;
  DWORD exit_code = STILL_ACTIVE;
  WORD show = 0;
  int handles = 0;  // the process handle and the thread handle that stand for it
};

struct Table {
  std::mutex mutex;
  std::uintptr_t next = kFirstHandle;
  // Handle number → pid of the process the handle stands for.
  std::map<std::uintptr_t, pid_t> handles;
  std::map<pid_t, ProcessRecord> processes;
};

Table& table() {
  static Table t;
  return t;
}

DWORD status_code(int status) {
  if (WIFEXITED(status)) return DWORD(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return DWORD(128 + WTERMSIG(status));
  return 0;
}

// Collects the process when it has ended; true when it has. Call with the table locked.
bool reap(ProcessRecord& p, bool block) {
  if (p.ended) return true;
  int status = 0;
  pid_t r;
  do {
    r = ::waitpid(p.pid, &status, block ? 0 : WNOHANG);
  } while (r < 0 && errno == EINTR);
  if (r == 0) return false;
  p.ended = true;
  // Someone else collected it (a handler of another library); its status is lost.
  p.exit_code = r == p.pid ? status_code(status) : 0;
  return true;
}

// Drops processes that no handle refers to once they have ended. Call with the table locked.
void collect_orphans(Table& t) {
  for (auto it = t.processes.begin(); it != t.processes.end();) {
    if (it->second.handles == 0 && reap(it->second, false)) it = t.processes.erase(it);
    else ++it;
  }
}

HANDLE new_handle(Table& t, pid_t pid) {
  std::uintptr_t number = t.next++;
  t.handles[number] = pid;
  ++t.processes[pid].handles;
  return reinterpret_cast<HANDLE>(number);
}

// The pid a handle stands for, or 0. Call with the table locked.
pid_t pid_of(Table& t, HANDLE h) {
  auto it = t.handles.find(reinterpret_cast<std::uintptr_t>(h));
  return it == t.handles.end() ? 0 : it->second;
}

// Waits for the process to end without collecting it; false when the time ran out.
bool wait_for_end(pid_t pid, DWORD milliseconds) {
  using clock = std::chrono::steady_clock;
  auto deadline = clock::now() + std::chrono::milliseconds(milliseconds);
  int fd = int(::syscall(SYS_pidfd_open, pid, 0));
  if (fd >= 0) {
    for (;;) {
      int timeout = -1;
      if (milliseconds != INFINITE) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count();
        timeout = int(std::max<long long>(left, 0));
      }
      pollfd p{fd, POLLIN, 0};
      int r = ::poll(&p, 1, timeout);
      if (r < 0 && errno == EINTR) continue;
      ::close(fd);
      return r != 0;
    }
  }
  // Kernels without process descriptors: look every few milliseconds.
  for (;;) {
    siginfo_t info{};
    if (::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == pid) return true;
    if (milliseconds != INFINITE && clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace

BOOL CreateProcess(const char* application, char* command_line, void*, void*, BOOL, DWORD, void* environment,
                   const char* current_directory, STARTUPINFO* startup, PROCESS_INFORMATION* info) {
  if (environment) return FALSE;
  std::vector<std::string> words = base::split_command_line(command_line ? command_line : "");
  std::string program = application && *application ? application : (words.empty() ? "" : words.front());
  if (program.empty()) return FALSE;
  if (words.empty()) words.push_back(program);
  std::vector<std::string> argv_text;
  for (const std::string& w : words) argv_text.push_back(base::cp1250::to_utf8(w));
  std::vector<char*> argv;
  for (std::string& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::string path = base::cp1250::to_utf8(program);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  std::string folder;
  if (current_directory && *current_directory) {
    folder = base::cp1250::to_utf8(current_directory);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  }
  // The child keeps only its standard streams.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // The child starts with the default signal handling and an empty signal mask.
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  Table& t = table();
  std::lock_guard lock(t.mutex);
  collect_orphans(t);
  pid_t pid = 0;
  bool search = path.find('/') == std::string::npos;
  int r = search ? posix_spawnp(&pid, path.c_str(), &actions, &attributes, argv.data(), environ)
                 : posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (r != 0) {
    errno = r;
    return FALSE;
  }
  ProcessRecord& record = t.processes[pid];
  record.pid = pid;
  record.show = startup && (startup->dwFlags & STARTF_USESHOWWINDOW) ? startup->wShowWindow : 0;
  HANDLE process = new_handle(t, pid);
  HANDLE thread = new_handle(t, pid);
  if (info) {
    *info = PROCESS_INFORMATION{process, thread, DWORD(pid), DWORD(pid)};
  } else {
    t.handles.erase(reinterpret_cast<std::uintptr_t>(process));
    t.handles.erase(reinterpret_cast<std::uintptr_t>(thread));
    record.handles = 0;
  }
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  Table& t = table();
  pid_t pid;
  {
    std::lock_guard lock(t.mutex);
    pid = pid_of(t, handle);
    if (!pid) return WAIT_FAILED;
    if (reap(t.processes[pid], false)) return WAIT_OBJECT_0;
  }
  // The table stays usable by other threads while this one waits.
  if (!wait_for_end(pid, milliseconds)) return WAIT_TIMEOUT;
  std::lock_guard lock(t.mutex);
  auto it = t.processes.find(pid);
  if (it == t.processes.end()) return WAIT_OBJECT_0;
  return reap(it->second, true) ? WAIT_OBJECT_0 : WAIT_FAILED;
}

BOOL GetExitCodeProcess(HANDLE process, DWORD* exit_code) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  pid_t pid = pid_of(t, process);
  if (!pid || !exit_code) return FALSE;
  ProcessRecord& p = t.processes[pid];
  reap(p, false);
  *exit_code = p.exit_code;
  return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  auto it = t.handles.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == t.handles.end()) return FALSE;
  --t.processes[it->second].handles;
  t.handles.erase(it);
  collect_orphans(t);
  return TRUE;
}

namespace base {

std::vector<std::string> split_command_line(std::string_view line) {
  std::vector<std::string> out;
  std::string current;
  bool quoted = false, any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (any) out.push_back(current);
      current.clear();
      any = false;
    } else {
      current += c;
      any = true;
    }
  }
  if (any) out.push_back(current);
  return out;
}

WORD process_show_command(HANDLE process) {
  Table& t = table();
  std::lock_guard lock(t.mutex);
  pid_t pid = pid_of(t, process);
  return pid ? t.processes[pid].show : WORD(0);
}

}  // namespace base
