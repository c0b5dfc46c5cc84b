// Helpers of the print-to-file tests: a printer context, a two-page document and reading a PDF back.
#pragma once

#include <QPrinter>
#include <memory>
#include <string>

#include "platform/gdi/core/afx_gdi.h"

namespace lumo::test {

// A context over a printer of A4 paper at 300 dots per inch; the context is deleted before the
// printer.
struct PrinterContext {
  PrinterContext();
  ~PrinterContext();
  std::unique_ptr<QPrinter> printer;
  HDC dc = nullptr;
};

// Draws page `number` with the text "Strona <number>" between StartPage and EndPage; returns
// EndPage's answer (or StartPage's when it fails).
int print_page(HDC dc, int number);

// The text of `path` by pdftotext; empty when the file cannot be read.
std::string pdf_text(const std::string& path);
bool have_pdftotext();

}  // namespace lumo::test
