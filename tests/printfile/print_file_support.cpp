#include "tests/printfile/print_file_support.h"

#include <QPageSize>
#include <QProcess>
#include <cstdlib>

#include "platform/gdi/paged_device.h"

namespace lumo::test {

PrinterContext::PrinterContext() : printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  printer->setResolution(300);
  printer->setPageSize(QPageSize(QPageSize::A4));
  dc = gdi::create_paged_dc(printer.get(), [p = printer.get()] { p->abort(); });
}

PrinterContext::~PrinterContext() {
  if (dc) DeleteDC(dc);
}

int print_page(HDC dc, int number) {
  int started = StartPage(dc);
  if (started <= 0) return started;
  std::string text = "Strona " + std::to_string(number);
  TextOut(dc, 300, 300, text.c_str(), int(text.size()));
  return EndPage(dc);
}

std::string pdf_text(const std::string& path) {
  QProcess p;
  p.start("pdftotext", {QString::fromStdString(path), "-"});
  if (!p.waitForFinished(30000)) return {};
  return p.readAllStandardOutput().toStdString();
}

bool have_pdftotext() { return std::system("command -v pdftotext > /dev/null 2>&1") == 0; }

}  // namespace lumo::test
