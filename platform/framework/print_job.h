// Printing: the printer and page set-up the application keeps, and one print job on a printer or
// into a PDF file (print to file), with explicit document and page brackets and abort.
#pragma once

#include <memory>

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/gdi/core/afx_gdi.h"

class QPrinter;

namespace framework {

// The application's printer choice, kept between jobs (page set-up and print set-up change it).
struct PrinterSetup {
  CString printer;          // empty: the system's default printer
  bool landscape = false;
  double paper_width_mm = 210;
  double paper_height_mm = 297;
  int dpi = 300;            // resolution of print-to-file pages
};
PrinterSetup& printer_setup();

class PrintJob {
 public:
  // On `printer` (empty: the set-up's printer), or into the PDF file `output_file` when given.
  PrintJob(const CString& printer, const CString& output_file);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  // The job's context, or null when the device could not be opened (error_text says why).
  CDC* dc() { return dc_.GetSafeHdc() ? &dc_ : nullptr; }
  const CString& error_text() const { return error_; }

  bool StartDoc(const CString& title);
  bool StartPage();
  bool EndPage();
  bool EndDoc();
  void AbortDoc();
  // Asks the job to stop after the current page (the abort procedure's answer).
  void Abort() { aborted_ = true; }
  bool aborted() const { return aborted_; }
  // The printable area of a page in device units.
  CRect printable_rect() const;

 private:
  std::unique_ptr<QPrinter> printer_;
  CDC dc_;
  CString output_;
  CString error_;
  bool in_doc_ = false;
  bool aborted_ = false;
};

}  // namespace framework
