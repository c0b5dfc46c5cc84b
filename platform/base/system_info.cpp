#include "platform/base/system_info.h"

#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/base/cp1250.h"

namespace {

void fill_time(SYSTEMTIME* out, bool local) {
  if (!out) return;
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t seconds = system_clock::to_time_t(now);
  auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm tm{};
  if (local) localtime_r(&seconds, &tm);
  else gmtime_r(&seconds, &tm);
  out->wYear = uint16_t(tm.tm_year + 1900);
  out->wMonth = uint16_t(tm.tm_mon + 1);
  out->wDayOfWeek = uint16_t(tm.tm_wday);
  out->wDay = uint16_t(tm.tm_mday);
  out->wHour = uint16_t(tm.tm_hour);
  out->wMinute = uint16_t(tm.tm_min);
  out->wSecond = uint16_t(std::min(tm.tm_sec, 59));  // a leap second reads as :59
  out->wMilliseconds = uint16_t(millis < 0 ? 0 : millis);
}

DWORD clamp32(uint64_t v) { return v > 0xFFFFFFFFu ? 0xFFFFFFFFu : DWORD(v); }

bool stat_folder(const char* root, struct statvfs& st) {
  const char* path = root && *root ? root : ".";
  return ::statvfs(path, &st) == 0;
}

// The leading decimal number of `text` from `at`, moving past it and one following dot.
DWORD take_number(const std::string& text, size_t& at) {
  uint64_t v = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    v = std::min<uint64_t>(v * 10 + uint64_t(text[at] - '0'), 0xFFFFFFFFu);
    ++at;
  }
  if (at < text.size() && text[at] == '.') ++at;
  return DWORD(v);
}

std::string unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) {
    if (v[i] == '\\' && i + 1 < v.size()) ++i;
    out += v[i];
  }
  return out;
}

}  // namespace

void GetLocalTime(SYSTEMTIME* time) { fill_time(time, true); }
void GetSystemTime(SYSTEMTIME* time) { fill_time(time, false); }

void GlobalMemoryStatus(MEMORYSTATUS* status) {
  if (!status) return;
  *status = MEMORYSTATUS{};
  struct sysinfo info {};
  if (::sysinfo(&info) != 0) return;
  uint64_t unit = info.mem_unit ? info.mem_unit : 1;
  uint64_t total = uint64_t(info.totalram) * unit;
  uint64_t available = (uint64_t(info.freeram) + info.bufferram) * unit;
  // MemAvailable counts the reclaimable page cache too, which is what "free" means to a user.
  std::ifstream meminfo("/proc/meminfo");
  for (std::string line; std::getline(meminfo, line);) {
    if (line.rfind("MemAvailable:", 0) != 0) continue;
    std::istringstream in(line.substr(13));
    uint64_t kb = 0;
    if (in >> kb) available = std::min(kb * 1024, total);
    break;
  }
  status->dwTotalPhys = size_t(total);
  status->dwAvailPhys = size_t(available);
  status->dwMemoryLoad = total ? DWORD((total - available) * 100 / total) : 0;
  status->dwTotalPageFile = size_t(total + uint64_t(info.totalswap) * unit);
  status->dwAvailPageFile = size_t(available + uint64_t(info.freeswap) * unit);
  struct rlimit limit {};
  uint64_t space = uint64_t(1) << 47;  // the user half of the x86-64 address space
  if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    space = std::min<uint64_t>(space, limit.rlim_cur);
  }
  status->dwTotalVirtual = size_t(space);
  status->dwAvailVirtual = size_t(space);
}

BOOL GetDiskFreeSpace(const char* root, DWORD* sectors_per_cluster, DWORD* bytes_per_sector,
                      DWORD* free_clusters, DWORD* total_clusters) {
  struct statvfs st {};
  if (!stat_folder(root, st)) return FALSE;
  uint64_t block = st.f_frsize ? st.f_frsize : st.f_bsize;
  // A cluster is one block, or one sector where blocks are not whole sectors.
  uint64_t cluster = block && block % 512 == 0 ? block : 512;
  if (sectors_per_cluster) *sectors_per_cluster = clamp32(cluster / 512);
  if (bytes_per_sector) *bytes_per_sector = 512;
  if (free_clusters) *free_clusters = clamp32(uint64_t(st.f_bavail) * block / cluster);
  if (total_clusters) *total_clusters = clamp32(uint64_t(st.f_blocks) * block / cluster);
  return TRUE;
}

BOOL GetDiskFreeSpaceEx(const char* root, uint64_t* free_to_caller, uint64_t* total, uint64_t* free_total) {
  struct statvfs st {};
  if (!stat_folder(root, st)) return FALSE;
  uint64_t block = st.f_frsize ? st.f_frsize : st.f_bsize;
  if (free_to_caller) *free_to_caller = uint64_t(st.f_bavail) * block;
  if (total) *total = uint64_t(st.f_blocks) * block;
  if (free_total) *free_total = uint64_t(st.f_bfree) * block;
  return TRUE;
}

BOOL GetVersionEx(OSVERSIONINFO* info) {
  if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO)) return FALSE;
  struct utsname names {};
  if (::uname(&names) != 0) return FALSE;
  std::string release = names.release;
  size_t at = 0;
  info->dwMajorVersion = take_number(release, at);
  info->dwMinorVersion = take_number(release, at);
  info->dwBuildNumber = take_number(release, at);
  info->dwPlatformId = VER_PLATFORM_LINUX;
  std::string distribution = base::cp1250::from_utf8(base::distribution_name());
  size_t n = std::min(distribution.size(), sizeof(info->szCSDVersion) - 1);
  std::memcpy(info->szCSDVersion, distribution.data(), n);
  info->szCSDVersion[n] = '\0';
  return TRUE;
}

namespace base {

std::string kernel_name() {
  struct utsname names {};
  if (::uname(&names) != 0) return "Linux";
  return std::string(names.sysname) + " " + names.release;
}

std::string distribution_name_from(std::string_view os_release) {
  std::string pretty, name, version;
  while (!os_release.empty()) {
    size_t end = os_release.find('\n');
    std::string_view line = os_release.substr(0, end);
    os_release = end == std::string_view::npos ? std::string_view() : os_release.substr(end + 1);
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string_view key = line.substr(0, eq);
    std::string value = unquote(line.substr(eq + 1));
    if (key == "PRETTY_NAME") pretty = value;
    else if (key == "NAME") name = value;
    else if (key == "VERSION") version = value;
  }
  if (!pretty.empty()) return pretty;
  if (!name.empty() && !version.empty()) return name + " " + version;
  return name;
}

std::string distribution_name() {
  for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
    std::ifstream in(path, std::ios::binary);
    if (!in) continue;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return distribution_name_from(text.substr(0, 64 * 1024));
  }
  return std::string();
}

}  // namespace base
