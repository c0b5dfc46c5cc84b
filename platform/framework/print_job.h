// One print job on a printer or into a PDF file (print to file), with explicit document and page
// brackets and abort. The printer is described by device names and mode (print_dialogs.h).
#pragma once

#include <memory>

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/gdi/core/afx_gdi.h"

class QPrinter;
struct DEVMODE;
struct DEVNAMES;

namespace framework {

class PrintJob {
 public:
  // On the printer `names.device` (empty: the system's default) with the paper, orientation and
  // resolution of `mode`. When `names.output` is given, StartDoc sends the document into that PDF
  // file instead (on a context made for the file when there is no usable printer).
  PrintJob(const DEVNAMES& names, const DEVMODE& mode);
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
