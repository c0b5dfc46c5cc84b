// A document started with an output file goes to that file, whatever the context was made for.
#include <filesystem>

#include "platform/base/cp1250.h"
#include "platform/framework/print_dialogs.h"
#include "platform/framework/print_job.h"
#include "platform/gdi/paged_device.h"
#include "tests/framework/framework_fixture.h"
#include "tests/printfile/print_file_support.h"

namespace lumo::test {
namespace {

class PrintToFileTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    if (!have_pdftotext()) GTEST_SKIP() << "pdftotext is not installed";
  }
};

// Prints two pages into `output` (CP1250) and checks the document reports success.
void print_two_pages(HDC dc, const std::string& output_cp1250) {
  DOCINFO info{sizeof(DOCINFO), "Dziennik Ustaw", output_cp1250.c_str(), nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  EXPECT_GT(print_page(dc, 1), 0);
  EXPECT_GT(print_page(dc, 2), 0);
  EXPECT_GT(EndDoc(dc), 0);
}

void expect_two_pages(const std::string& path) {
  ASSERT_TRUE(std::filesystem::exists(path)) << path;
  std::string text = pdf_text(path);
  size_t first = text.find("Strona 1"), second = text.find("Strona 2");
  EXPECT_NE(first, std::string::npos) << text;
  EXPECT_NE(second, std::string::npos) << text;
  EXPECT_LT(first, text.find('\f'));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2) << text;
}

TEST_F(PrintToFileTest, PrinterContextWritesTheNamedFile) {
  PrinterContext printer;
  ASSERT_NE(printer.dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(printer.dc, TECHNOLOGY), DT_RASPRINTER);
  // A CP1250 name reaches the disk as UTF-8.
  std::string path = temp_path("wydruk \xC5\x82.pdf");
  print_two_pages(printer.dc, base::cp1250::from_utf8(path));
  expect_two_pages(path);

  // The context serves a next document into another file.
  std::string next = temp_path("drugi.pdf");
  print_two_pages(printer.dc, next);
  expect_two_pages(next);
}

TEST_F(PrintToFileTest, FileContextFollowsTheNamedFileAndElseItsOwn) {
  std::string own = temp_path("wlasny.pdf"), named = temp_path("wskazany.pdf");
  HDC dc = gdi::create_pdf_dc(own, 300);
  ASSERT_NE(dc, nullptr);
  print_two_pages(dc, named);
  expect_two_pages(named);
  EXPECT_FALSE(std::filesystem::exists(own));

  // An empty name is no name: the context's own file.
  print_two_pages(dc, "");
  expect_two_pages(own);
  DeleteDC(dc);
}

TEST_F(PrintToFileTest, FileThatCannotBeWrittenFailsTheDocument) {
  PrinterContext printer;
  std::string path = temp_path("brak/wydruk.pdf");
  DOCINFO info{sizeof(DOCINFO), "Dziennik Ustaw", path.c_str(), nullptr, 0};
  ASSERT_GT(StartDoc(printer.dc, &info), 0);
  EXPECT_GT(print_page(printer.dc, 1), 0);
  EXPECT_EQ(EndDoc(printer.dc), SP_ERROR);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(PrintToFileTest, PrintJobSendsItsFileThroughStartDoc) {
  DEVNAMES names;
  std::string path = temp_path("zadanie.pdf");
  names.output = CString(base::cp1250::from_utf8(path));
  framework::PrintJob job(names, DEVMODE{});
  ASSERT_NE(job.dc(), nullptr) << utf8(job.error_text());
  EXPECT_EQ(job.dc()->GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
  ASSERT_TRUE(job.StartDoc(cp("Ustawa")));
  EXPECT_GT(print_page(job.dc()->GetSafeHdc(), 1), 0);
  EXPECT_GT(print_page(job.dc()->GetSafeHdc(), 2), 0);
  EXPECT_TRUE(job.EndDoc());
  expect_two_pages(path);
}

}  // namespace
}  // namespace lumo::test
