// Printing to a PDF file, read back with pdftotext.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <cstdio>

#include "platform/base/temp_folder.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/paged_device.h"
#include "tests/gdi/gui_app.h"

namespace {

std::string pdf_text(const std::string& path) {
  QProcess p;
  p.start("pdftotext", {"-layout", QString::fromStdString(path), "-"});
  if (!p.waitForFinished(30000)) return {};
  return p.readAllStandardOutput().toStdString();
}

TEST(Pdf, PagesAreExplicitAndTextReadsBack) {
  gui_app();
  std::string path = base::temp_folder() + "/gdi_pdf_test.pdf";
  std::remove(path.c_str());
  HDC dc = gdi::create_pdf_dc(path, 300);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 300);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_NEAR(GetDeviceCaps(dc, HORZRES), 2480, 2);  // A4 at 300 dots per inch

  // Drawing before the document starts is dropped.
  TextOut(dc, 100, 100, "Nothing", 7);
  DOCINFO info{sizeof(DOCINFO), "Dziennik Ustaw", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  HFONT font = CreateFont(-MulDiv(12, 300, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0, 0,
                          "Times New Roman CE");
  SelectObject(dc, font);
  ASSERT_GT(StartPage(dc), 0);
  TextOut(dc, 300, 300, "Pierwsza strona \xA3\xF3\x64\x9F", 20);
  Rectangle(dc, 300, 500, 1200, 800);
  EXPECT_GT(EndPage(dc), 0);
  ASSERT_GT(StartPage(dc), 0);
  SetMapMode(dc, MM_TWIPS);
  TextOut(dc, 1440, -1440, "Druga strona", 12);
  EXPECT_GT(EndPage(dc), 0);
  EXPECT_GT(EndDoc(dc), 0);
  EXPECT_EQ(StartPage(dc), SP_ERROR);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  DeleteDC(dc);

  std::string text = pdf_text(path);
  EXPECT_NE(text.find("Pierwsza strona \xC5\x81\xC3\xB3\x64\xC5\xBA"), std::string::npos) << text;
  EXPECT_NE(text.find("Druga strona"), std::string::npos) << text;
  EXPECT_EQ(text.find("Nothing"), std::string::npos);
  // Two pages: pdftotext separates them with a form feed.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2) << text;
  std::remove(path.c_str());
}

}  // namespace
