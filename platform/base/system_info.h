// What the program may tell the user about the machine: the local time, memory, free disk space
// and the names of the kernel and of the distribution, in the shape of the platform's calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/ctime.h"
#include "platform/base/win_types.h"

// The local date and time now, to the millisecond.
void GetLocalTime(SYSTEMTIME* time);
// The same in UTC.
void GetSystemTime(SYSTEMTIME* time);

struct MEMORYSTATUS {
  DWORD dwLength = sizeof(MEMORYSTATUS);
  DWORD dwMemoryLoad = 0;  // percent of physical memory in use
  size_t dwTotalPhys = 0;  // bytes
  size_t dwAvailPhys = 0;
  size_t dwTotalPageFile = 0;  // physical memory and swap together
  size_t dwAvailPageFile = 0;
  size_t dwTotalVirtual = 0;  // the process's address space
  size_t dwAvailVirtual = 0;
};
// Fills every field; a machine that cannot be asked leaves zeros.
void GlobalMemoryStatus(MEMORYSTATUS* status);

// The space of the file system that holds `root` (a folder or file; null or empty: the current
// folder), described as clusters of 512-byte sectors the size of the file system's blocks. Cluster
// counts above 32 bits are given as 0xFFFFFFFF; GetDiskFreeSpaceEx has the exact bytes. FALSE when
// the path cannot be asked (errno tells why).
BOOL GetDiskFreeSpace(const char* root, DWORD* sectors_per_cluster, DWORD* bytes_per_sector,
                      DWORD* free_clusters, DWORD* total_clusters);
// Bytes free to this user, bytes in all and bytes free in all; any pointer may be null.
BOOL GetDiskFreeSpaceEx(const char* root, uint64_t* free_to_caller, uint64_t* total, uint64_t* free_total);

// This system's family in dwPlatformId (the platform's own families are 0 to 2).
constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
constexpr DWORD VER_PLATFORM_LINUX = 0x100;

struct OSVERSIONINFO {
  DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
  DWORD dwMajorVersion = 0;  // the kernel release, "6.1.0-18-amd64" giving 6, 1 and 0
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  char szCSDVersion[128] = {};  // the distribution's name (CP1250, zero-terminated), or empty
};
// FALSE for a null record or one whose size field is wrong.
BOOL GetVersionEx(OSVERSIONINFO* info);

namespace base {

// The kernel's name and release ("Linux 6.1.0-18-amd64").
std::string kernel_name();
// The distribution's name from os-release ("Debian GNU/Linux 12 (bookworm)"), UTF-8; empty when
// the system does not say.
std::string distribution_name();
// The name line of an os-release file's text: PRETTY_NAME, else NAME with VERSION, unquoted.
std::string distribution_name_from(std::string_view os_release);

}  // namespace base
