// Opening programs through the shell, what it refuses, and the library versions the layer gives.
#include "platform/shell/shell_execute.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "tests/support/gui_fixture.h"

namespace lumo::test {
namespace {

int code(HINSTANCE h) { return int(reinterpret_cast<std::intptr_t>(h)); }

class ShellExecuteTest : public GuiTest {
 protected:
  std::string folder;
  void SetUp() override {
    GuiTest::SetUp();
    folder = (std::filesystem::temp_directory_path() / ("shell_exec_" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(folder);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    GuiTest::TearDown();
  }
};

TEST_F(ShellExecuteTest, ProgramsStartWithTheirParametersAndTheRestIsRefused) {
  // A program that writes its two arguments into a file named by the first.
  std::string program = folder + "/Setup";
  std::ofstream(program) << "#!/bin/sh\nprintf '%s|%s' \"$1\" \"$2\" > \"$1\"\n";
  ::chmod(program.c_str(), 0755);
  std::string out = folder + "/wynik.txt";
  std::string parameters = out + " \"dwa slowa\"";
  EXPECT_GT(code(ShellExecute(nullptr, "open", program.c_str(), parameters.c_str(), nullptr, 1)), 32);
  // The program runs on its own; its output is waited for (at most four seconds).
  std::string written;
  for (int i = 0; i < 200 && written.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::ifstream in(out);
    written.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  EXPECT_EQ(written, out + "|dwa slowa");

  EXPECT_EQ(code(ShellExecute(nullptr, "open", (folder + "/brak.exe").c_str(), nullptr, nullptr, 1)),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(code(ShellExecute(nullptr, nullptr, "", nullptr, nullptr, 1)), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(code(ShellExecute(nullptr, "print", program.c_str(), nullptr, nullptr, 1)), SE_ERR_NOASSOC);
}

TEST(DllVersion, TheCommonControlsReportAVersionTheProgramAccepts) {
  DLLVERSIONINFO info;
  ASSERT_TRUE(GetDllVersionInfo("C:\\WINDOWS\\SYSTEM\\COMCTL32.DLL", &info));
  // The program starts with 4.72 or later.
  EXPECT_TRUE(info.dwMajorVersion > 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion > 71));
  EXPECT_FALSE(GetDllVersionInfo("mfc42.dll", &info));
  EXPECT_FALSE(GetDllVersionInfo(nullptr, &info));
}

}  // namespace
}  // namespace lumo::test
