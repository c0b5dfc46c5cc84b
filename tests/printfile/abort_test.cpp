// The abort procedure and AbortDoc: an aborted document reports failure and writes no file.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/base/cp1250.h"
#include "platform/framework/print_dialogs.h"
#include "platform/framework/print_job.h"
#include "platform/gdi/paged_device.h"
#include "tests/framework/framework_fixture.h"
#include "tests/printfile/print_file_support.h"

namespace lumo::test {
namespace {

// The abort procedure's record: the contexts it was asked with, and after how many questions it
// answers stop (0: never).
std::vector<HDC> asked;
size_t stop_at = 0;

BOOL abort_proc(HDC hdc, int error) {
  EXPECT_EQ(error, 0);
  asked.push_back(hdc);
  return stop_at == 0 || asked.size() < stop_at;
}

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class AbortTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    asked.clear();
    stop_at = 0;
  }
};

// The same document on a printer context (named file) and on a PDF context (its own file).
struct Context {
  const char* what;
  bool printer;
};

class AbortOnContext : public AbortTest, public ::testing::WithParamInterface<Context> {
 protected:
  // Makes the context and returns where its document goes; `output` is what StartDoc names.
  HDC make(const std::string& path, std::string& output) {
    if (GetParam().printer) {
      output = path;
      return printer.dc;
    }
    own_ = gdi::create_pdf_dc(path, 300);
    return own_;
  }
  void TearDown() override {
    if (own_) DeleteDC(own_);
    AbortTest::TearDown();
  }
  PrinterContext printer;
  HDC own_ = nullptr;
};

TEST_P(AbortOnContext, ProcedureIsAskedAfterEachPage) {
  std::string path = temp_path("pelny.pdf"), output;
  HDC dc = make(path, output);
  ASSERT_EQ(SetAbortProc(dc, abort_proc), 1);
  DOCINFO info{sizeof(DOCINFO), "Dziennik", output.empty() ? nullptr : output.c_str(), nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  for (int page = 1; page <= 3; ++page) EXPECT_GT(print_page(dc, page), 0);
  EXPECT_GT(EndDoc(dc), 0);
  EXPECT_EQ(asked, std::vector<HDC>(3, dc));
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_P(AbortOnContext, FalseAnswerAbortsAndKeepsTheEarlierFile) {
  std::string path = temp_path("przerwany.pdf"), output;
  std::ofstream(path) << "earlier";
  HDC dc = make(path, output);
  stop_at = 2;
  SetAbortProc(dc, abort_proc);
  DOCINFO info{sizeof(DOCINFO), "Dziennik", output.empty() ? nullptr : output.c_str(), nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  EXPECT_GT(print_page(dc, 1), 0);
  EXPECT_EQ(print_page(dc, 2), SP_APPABORT);
  // The document is over: no more pages, and its end reports the failure.
  EXPECT_EQ(StartPage(dc), SP_ERROR);
  EXPECT_EQ(EndDoc(dc), SP_ERROR);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(read_all(path), "earlier");

  // Without the procedure the context prints again.
  SetAbortProc(dc, nullptr);
  ASSERT_GT(StartDoc(dc, &info), 0);
  EXPECT_GT(print_page(dc, 1), 0);
  EXPECT_GT(EndDoc(dc), 0);
  EXPECT_EQ(read_all(path).rfind("%PDF", 0), 0u);
}

TEST_P(AbortOnContext, AbortDocLeavesNoFile) {
  std::string path = temp_path("porzucony.pdf"), output;
  HDC dc = make(path, output);
  EXPECT_EQ(AbortDoc(dc), SP_ERROR);  // no document
  DOCINFO info{sizeof(DOCINFO), "Dziennik", output.empty() ? nullptr : output.c_str(), nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  EXPECT_GT(print_page(dc, 1), 0);
  ASSERT_GT(StartPage(dc), 0);  // aborted with a page open
  EXPECT_GT(AbortDoc(dc), 0);
  EXPECT_EQ(EndPage(dc), SP_ERROR);
  EXPECT_EQ(EndDoc(dc), SP_ERROR);
  EXPECT_FALSE(std::filesystem::exists(path));
}

INSTANTIATE_TEST_SUITE_P(Contexts, AbortOnContext,
                         ::testing::Values(Context{"Printer", true}, Context{"PdfFile", false}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(AbortTest, ContextDeletedWithOpenDocumentWritesNothing) {
  std::string path = temp_path("niedokonczony.pdf");
  HDC dc = gdi::create_pdf_dc(path, 300);
  DOCINFO info{sizeof(DOCINFO), "Dziennik", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  EXPECT_GT(print_page(dc, 1), 0);
  DeleteDC(dc);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(AbortTest, PrintJobAbortDocLeavesNoFile) {
  DEVNAMES names;
  std::string path = temp_path("zadanie.pdf");
  names.output = CString(base::cp1250::from_utf8(path));
  framework::PrintJob job(names, DEVMODE{});
  ASSERT_NE(job.dc(), nullptr);
  ASSERT_TRUE(job.StartDoc(cp("Ustawa")));
  ASSERT_TRUE(job.StartPage());
  EXPECT_TRUE(job.EndPage());
  job.AbortDoc();
  EXPECT_FALSE(job.EndDoc());
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace lumo::test
