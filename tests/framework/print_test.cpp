// Printing a view's two pages into a PDF file, read back with pdftotext.
#include <cstdio>
#include <filesystem>

#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

class PrintTest : public FrameworkTest {};

std::string run(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

TEST_F(PrintTest, ViewPrintsTwoPagesToPdf) {
  if (std::system("command -v pdftotext > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
  CMDIFrameWnd* frame = make_main_frame();
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  std::string pdf = temp_path("wydruk.pdf");
  prompter.print_file = pdf;
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  ASSERT_TRUE(std::filesystem::exists(pdf));
  std::string pages = run("pdfinfo '" + pdf + "' 2>/dev/null | grep Pages");
  EXPECT_NE(pages.find("2"), std::string::npos) << pages;
  EXPECT_NE(run("pdftotext -f 1 -l 1 '" + pdf + "' -").find("Strona 1"), std::string::npos);
  EXPECT_NE(run("pdftotext -f 2 -l 2 '" + pdf + "' -").find("Strona 2"), std::string::npos);
}

TEST_F(PrintTest, CancelledPrinterQuestionPrintsNothing) {
  CMDIFrameWnd* frame = make_main_frame();
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);  // the prompter has no printer answer
  EXPECT_TRUE(std::filesystem::is_empty(folder) || !std::filesystem::exists(temp_path("wydruk.pdf")));
}

}  // namespace
}  // namespace lumo::test
