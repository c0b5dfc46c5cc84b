// Printing an act into a real PDF file with real fonts, read back with pdftotext: every line once,
// in order, with its Polish letters, over the expected pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "engine/frame/printing.h"
#include "engine/medview/viewer_fonts.h"
#include "platform/base/temp_folder.h"
#include "platform/gdi/core/dc_api.h"
#include "tests/display/display_topic.h"

// Qt's keyword macros would rename engine members: Qt headers come last.
#include "platform/gdi/paged_device.h"
#include "tests/support/gui_fixture.h"

namespace display_test {
namespace {

std::string ReadText(const std::string& pdf) {
  std::string out = pdf + ".txt";
  std::string command = "pdftotext -enc UTF-8 " + pdf + " " + out + " 2>/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream in(out, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

TEST(PrintPdf, EveryLineOnceInOrderWithPolishLetters) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
  lumo::test::application();
  constexpr int kLines = 120;
  std::vector<Bytes> records;
  // "Wiersz N: zażółć gęślą jaźń" in code page 1250.
  for (int i = 0; i < kLines; ++i) {
    records.push_back(Paragraph("Wiersz " + std::to_string(i) + ": za\xBF\xF3\xB3\xE6 g\xEA\x9C l\xB9 ja\x9F\xF1|"));
  }
  DisplayTopic topic(records, RECT{0, 0, 700, 300});
  auto sheet = layout_test::TestStyleSheet();
  sheet->faces = {"DejaVu Sans"};
  medview::MvSetStyleSheet(&topic.viewer(), sheet.get());
  std::string path = base::temp_folder() + "/act.pdf";
  HDC printer = gdi::create_pdf_dc(path, 96);
  ASSERT_NE(printer, nullptr);
  DOCINFO info{sizeof(DOCINFO), "Akt", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(printer, &info), 0);
  RECT page{48, 48, 746, 1075};
  RECT layout = page;
  medview::TitleErrorCode error = 99;
  EXPECT_TRUE(medview::MvPrint(&topic.viewer(), printer, FALSE, &page, &layout, nullptr, nullptr, nullptr, &error));
  EXPECT_EQ(error, 0);
  EXPECT_GT(layout.top, page.top);  // the last page is left open below the text
  EndPage(printer);
  EndDoc(printer);
  DeleteDC(printer);
  std::string text = ReadText(path);
  ASSERT_FALSE(text.empty());
  size_t at = 0;
  for (int i = 0; i < kLines; ++i) {
    std::string line = "Wiersz " + std::to_string(i) + ": za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87";
    size_t found = text.find(line, at);
    ASSERT_NE(found, std::string::npos) << line;
    EXPECT_EQ(text.find(line, found + line.size()), std::string::npos) << "twice: " << line;
    at = found + line.size();
  }
  size_t pages = size_t(std::count(text.begin(), text.end(), '\f'));
  EXPECT_GE(pages, 2u);
}

}  // namespace
}  // namespace display_test
