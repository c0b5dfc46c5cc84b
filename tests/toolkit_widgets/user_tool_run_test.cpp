#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/gui_fixture.h"
#include "toolkit/widgets/user_tool.h"

namespace lumo::test {
namespace {

using UserToolRunTest = GuiTest;

std::string read_all(const std::filesystem::path& p) {
  std::ifstream in(p);
  std::string text;
  std::getline(in, text);
  return text;
}

TEST_F(UserToolRunTest, ARealChildRunsInItsFolderAndIsWaitedFor) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("lumo_tool_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path before = std::filesystem::current_path();
  SECUserTool tool;
  tool.m_strCommand = "/bin/sh";
  tool.m_strArgs = "-c \"sleep 0.3; pwd > $OUT\"";
  tool.m_strDirectory = "$DIR";
  tool.m_bWait = 1;
  const std::vector<CString> macros = {"$OUT=wynik.txt", CString(("$DIR=" + dir.string()).c_str())};
  EXPECT_TRUE(tool.Execute(&macros));
  // The wait returned only after the program ended: its file is there.
  EXPECT_EQ(read_all(dir / "wynik.txt"), dir.string());
  EXPECT_EQ(std::filesystem::current_path(), before);
  EXPECT_FALSE(SECUserTool::IsWaiting());
  std::filesystem::remove_all(dir);
}

TEST_F(UserToolRunTest, FailuresToStartAreReported) {
  EXPECT_FALSE(SECUserTool::StartProcess("", "/nonexistent/program", 1, true));
  EXPECT_FALSE(SECUserTool::StartProcess("/nonexistent/folder", "/bin/true", 1, false));
  EXPECT_FALSE(SECUserTool::StartProcess("", "", 1, false));
  EXPECT_TRUE(SECUserTool::StartProcess("", "/bin/true", 1, false));
}

}  // namespace
}  // namespace lumo::test
