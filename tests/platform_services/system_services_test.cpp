// Services of the system that need no windows: child processes, the user data folder, the local
// time, memory, disk and version information.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/data_folder.h"
#include "platform/base/process.h"
#include "platform/base/system_info.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
class Scratch {
 public:
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "lumo-services-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~Scratch() { fs::remove_all(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string read_file(const std::string& path) {
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// Starts a shell command line; the process handle, or null.
HANDLE start(std::string command, const char* folder = nullptr, WORD show = 0) {
  STARTUPINFO startup;
  if (show) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
  }
  PROCESS_INFORMATION info;
  if (!CreateProcess(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &info)) {
    return nullptr;
  }
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_GT(info.dwProcessId, 0u);
  return info.hProcess;
}

TEST(ChildProcesses, RunInTheirWorkingFolderAndReportTheirExitStatus) {
  Scratch scratch;
  std::string before = fs::current_path().string();
  HANDLE p = start("/bin/sh -c \"pwd > where.txt; exit 7\"", scratch.path().c_str());
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(WaitForSingleObject(p, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeProcess(p, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_EQ(fs::canonical(read_file(scratch.path() + "/where.txt")), fs::canonical(scratch.path()));
  EXPECT_EQ(fs::current_path().string(), before);
  // Waiting again answers at once.
  EXPECT_EQ(WaitForSingleObject(p, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(p));
}

TEST(ChildProcesses, WaitingCanTimeOut) {
  HANDLE p = start("sleep 0.4");
  ASSERT_NE(p, nullptr);
  auto begun = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForSingleObject(p, 50), WAIT_TIMEOUT);
  EXPECT_GE(std::chrono::steady_clock::now() - begun, std::chrono::milliseconds(45));
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeProcess(p, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(p, INFINITE), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeProcess(p, &code));
  EXPECT_EQ(code, 0u);
  CloseHandle(p);
}

TEST(ChildProcesses, ArgumentsInQuotesStayTogetherAndTextBecomesUtf8) {
  Scratch scratch;
  // "żółw" in CP1250.
  std::ofstream(scratch.path() + "/args.sh") << "printf '%s|%s' \"$1\" \"$2\" > args.txt\n";
  HANDLE p = start("/bin/sh args.sh \"a b\" \xBF\xF3\xB3w", scratch.path().c_str());
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(WaitForSingleObject(p, INFINITE), WAIT_OBJECT_0);
  CloseHandle(p);
  EXPECT_EQ(read_file(scratch.path() + "/args.txt"), "a b|\xC5\xBC\xC3\xB3\xC5\x82w");
}

TEST(ChildProcesses, AProgramEndedByASignalReportsItAsShellsDo) {
  HANDLE p = start("/bin/sh -c \"kill -9 $$\"");
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(WaitForSingleObject(p, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeProcess(p, &code));
  EXPECT_EQ(code, 128u + 9u);
  CloseHandle(p);
}

TEST(ChildProcesses, TheShowCommandIsKeptWithTheProcess) {
  HANDLE p = start("true", nullptr, 7);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(base::process_show_command(p), 7);
  WaitForSingleObject(p, INFINITE);
  CloseHandle(p);
}

TEST(ChildProcesses, WhatCannotStartFailsAndBadHandlesAreRefused) {
  Scratch scratch;
  EXPECT_EQ(start("no-such-program-of-lumo"), nullptr);
  EXPECT_EQ(start("/bin/true", (scratch.path() + "/missing").c_str()), nullptr);
  EXPECT_EQ(start(""), nullptr);
  char environment[] = "A=1\0";
  char line[] = "/bin/true";
  EXPECT_FALSE(CreateProcess(nullptr, line, nullptr, nullptr, FALSE, 0, environment, nullptr, nullptr, nullptr));
  HANDLE p = start("true");
  ASSERT_NE(p, nullptr);
  ASSERT_TRUE(CloseHandle(p));
  // A closed handle, and one that never was.
  DWORD code = 0;
  EXPECT_EQ(WaitForSingleObject(p, 0), WAIT_FAILED);
  EXPECT_FALSE(GetExitCodeProcess(p, &code));
  EXPECT_FALSE(CloseHandle(p));
  EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(std::uintptr_t(42)), 0), WAIT_FAILED);
}

TEST(ChildProcesses, TheApplicationNameNamesTheProgram) {
  Scratch scratch;
  std::string out = scratch.path() + "/named.txt";
  std::string line = "sh -c \"echo named > " + out + "\"";
  PROCESS_INFORMATION info;
  ASSERT_TRUE(CreateProcess("/bin/sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info));
  ASSERT_EQ(WaitForSingleObject(info.hThread, INFINITE), WAIT_OBJECT_0);  // the thread stands for it
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  EXPECT_EQ(read_file(out), "named");
}

TEST(CommandLines, SplitAtBlanksOutsideQuotes) {
  struct Case {
    const char* line;
    std::vector<std::string> words;
  } cases[] = {
      {"", {}},
      {"  prog  a\tb ", {"prog", "a", "b"}},
      {"\"C:\\Program Files\\x.exe\" -p", {"C:\\Program Files\\x.exe", "-p"}},
      {"a\"b c\"d", {"ab cd"}},
      {"\"\"", {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(base::split_command_line(c.line), c.words) << c.line;
}

TEST(DataFolder, LivesUnderTheDataHomeAndIsMadePrivateOnFirstUse) {
  Scratch scratch;
  std::string home = scratch.path() + "/share";
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
  base::OsError error = base::OsError::Io;
  std::string folder = base::data_folder(&error);
  EXPECT_EQ(error, base::OsError::None);
  EXPECT_EQ(folder, home + "/LumoKAL");
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // A relative data home is not trusted: the folder goes under the home folder instead.
  ::setenv("XDG_DATA_HOME", "relative", 1);
  std::string old_home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", scratch.path().c_str(), 1);
  EXPECT_EQ(base::data_folder(), scratch.path() + "/.local/share/LumoKAL");
  ::setenv("HOME", old_home.c_str(), 1);
  ::unsetenv("XDG_DATA_HOME");
}

TEST(DataFolder, AnOverrideWinsAndAFileInTheWayIsReported) {
  Scratch scratch;
  base::set_data_folder(scratch.path() + "/mine/");
  EXPECT_EQ(base::data_folder(), scratch.path() + "/mine");
  std::ofstream(scratch.path() + "/file") << "x";
  base::set_data_folder(scratch.path() + "/file");
  base::OsError error = base::OsError::None;
  base::data_folder(&error);
  EXPECT_NE(error, base::OsError::None);
  base::set_data_folder("");
}

TEST(SystemInformation, LocalTimeIsNow) {
  SYSTEMTIME t{};
  std::time_t now = std::time(nullptr);
  GetLocalTime(&t);
  std::tm tm{};
  localtime_r(&now, &tm);
  EXPECT_EQ(t.wYear, tm.tm_year + 1900);
  EXPECT_EQ(t.wMonth, tm.tm_mon + 1);
  EXPECT_EQ(t.wDayOfWeek, tm.tm_wday);
  EXPECT_LT(t.wMilliseconds, 1000);
  SYSTEMTIME u{};
  GetSystemTime(&u);
  EXPECT_GE(u.wYear, 2024);
}

TEST(SystemInformation, MemoryAndDisk) {
  MEMORYSTATUS m;
  GlobalMemoryStatus(&m);
  EXPECT_GT(m.dwTotalPhys, size_t(16) << 20);
  EXPECT_LE(m.dwAvailPhys, m.dwTotalPhys);
  EXPECT_LE(m.dwMemoryLoad, 100u);
  EXPECT_GE(m.dwTotalPageFile, m.dwTotalPhys);

  DWORD sectors = 0, bytes = 0, free_clusters = 0, clusters = 0;
  ASSERT_TRUE(GetDiskFreeSpace(nullptr, &sectors, &bytes, &free_clusters, &clusters));
  EXPECT_EQ(bytes, 512u);
  EXPECT_GE(sectors, 1u);
  EXPECT_GT(clusters, 0u);
  EXPECT_LE(free_clusters, clusters);
  uint64_t mine = 0, total = 0, free_total = 0;
  ASSERT_TRUE(GetDiskFreeSpaceEx("/", &mine, &total, &free_total));
  EXPECT_LE(mine, free_total);
  EXPECT_LE(free_total, total);
  EXPECT_FALSE(GetDiskFreeSpace("/no/such/folder", &sectors, &bytes, &free_clusters, &clusters));
}

TEST(SystemInformation, VersionNamesTheKernelAndDistribution) {
  OSVERSIONINFO v;
  ASSERT_TRUE(GetVersionEx(&v));
  EXPECT_EQ(v.dwPlatformId, VER_PLATFORM_LINUX);
  EXPECT_GE(v.dwMajorVersion, 3u);
  EXPECT_EQ(base::kernel_name().rfind("Linux " + std::to_string(v.dwMajorVersion) + ".", 0), 0u);
  OSVERSIONINFO wrong;
  wrong.dwOSVersionInfoSize = 12;
  EXPECT_FALSE(GetVersionEx(&wrong));
  EXPECT_FALSE(GetVersionEx(nullptr));
}

TEST(SystemInformation, DistributionNameFromOsRelease) {
  struct Case {
    const char* text;
    const char* name;
  } cases[] = {
      {"NAME=\"Debian GNU/Linux\"\nVERSION=\"12 (bookworm)\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
       "Debian GNU/Linux 12 (bookworm)"},
      {"NAME='Alpine'\nVERSION=3.19\n", "Alpine 3.19"},
      {"NAME=Plain\n", "Plain"},
      {"PRETTY_NAME=\"Quote \\\" inside\"", "Quote \" inside"},
      {"garbage without equals\n\n", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(base::distribution_name_from(c.text), c.name) << c.text;
}

}  // namespace
