// Child processes in the shape of the platform's calls: CreateProcess starts a program from a
// command line in a working folder, WaitForSingleObject waits for its end (with a time limit), and
// GetExitCodeProcess reads its exit status. Handles are numbers into a table of this layer, never
// pointers; a stale or closed handle fails the calls instead of reaching freed memory.
//
// A command line is split at blanks and tabs; text in double quotes stays together (the quotes
// are dropped). The first word is the program, looked up along PATH when it holds no slash,
// unless an application name is given. Text is CP1250 and reaches the program as UTF-8.
//
// A program that ends by a signal has exit status 128 + the signal's number, as shells report it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/file_calls.h"
#include "platform/base/win_types.h"

constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;

struct STARTUPINFO {
  DWORD cb = sizeof(STARTUPINFO);
  DWORD dwFlags = 0;
  // With STARTF_USESHOWWINDOW, how the program's first window should be shown (SW_ values). The
  // desktop lets each program place and show its own windows, so the value is kept with the
  // process (process_show_command) and the program is not told.
  WORD wShowWindow = 0;
};

struct PROCESS_INFORMATION {
  HANDLE hProcess = nullptr;
  HANDLE hThread = nullptr;
  DWORD dwProcessId = 0;
  DWORD dwThreadId = 0;
};

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD STILL_ACTIVE = 259;

// Starts the program. `application` (may be null) names the program outright; `command_line`
// (may be null when `application` is given) holds the program and its arguments. A null or empty
// `current_directory` keeps this process's folder; a folder that does not exist fails the start.
// The security records, handle inheritance (the child gets none of the program's files), creation
// flags and environment (null: this process's) are taken as the platform takes them; a non-null
// environment is refused. FALSE, with nothing started, when the program cannot be run.
BOOL CreateProcess(const char* application, char* command_line, void* process_attributes,
                   void* thread_attributes, BOOL inherit_handles, DWORD creation_flags, void* environment,
                   const char* current_directory, STARTUPINFO* startup, PROCESS_INFORMATION* info);
// WAIT_OBJECT_0 when the process has ended (at once when it already had), WAIT_TIMEOUT when
// `milliseconds` passed first, WAIT_FAILED for a handle that is not a live process or thread
// handle. A thread handle stands for its process.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// STILL_ACTIVE while the process runs, then its exit status. FALSE for a bad handle.
BOOL GetExitCodeProcess(HANDLE process, DWORD* exit_code);
// Closes a process or thread handle. A process still running goes on without the program; it is
// collected when it ends. FALSE for a bad or closed handle.
BOOL CloseHandle(HANDLE handle);

namespace base {

// The words of a command line.
std::vector<std::string> split_command_line(std::string_view line);
// The show command the process was started with (0 when none was asked for).
WORD process_show_command(HANDLE process);

}  // namespace base
