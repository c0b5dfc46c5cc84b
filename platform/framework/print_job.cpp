#include "platform/framework/print_job.h"

#include <QPrinter>

#include "platform/base/cp1250.h"
#include "platform/gdi/paged_device.h"

namespace framework {

PrinterSetup& printer_setup() {
  static PrinterSetup setup;
  return setup;
}

PrintJob::PrintJob(const CString& printer, const CString& output_file) : output_(output_file) {
  const PrinterSetup& setup = printer_setup();
  HDC hdc = nullptr;
  if (!output_file.IsEmpty()) {
    double w = setup.landscape ? setup.paper_height_mm : setup.paper_width_mm;
    double h = setup.landscape ? setup.paper_width_mm : setup.paper_height_mm;
    hdc = gdi::create_pdf_dc(base::cp1250::to_utf8(output_file.view()), setup.dpi, w, h);
  } else {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    CString name = printer.IsEmpty() ? setup.printer : printer;
    if (!name.IsEmpty()) printer_->setPrinterName(QString::fromStdString(base::cp1250::to_utf8(name.view())));
    printer_->setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (printer_->isValid()) hdc = gdi::create_paged_dc(printer_.get());
  }
  if (hdc) {
    dc_.Attach(hdc);
    dc_.m_bPrinting = TRUE;
  } else {
    error_ = CString(base::cp1250::from_utf8("Nie można otworzyć drukarki."));
  }
}

PrintJob::~PrintJob() {
  if (in_doc_) AbortDoc();
  if (dc_.GetSafeHdc()) ::DeleteDC(dc_.Detach());
}

bool PrintJob::StartDoc(const CString& title) {
  if (!dc_.GetSafeHdc() || in_doc_) return false;
  DOCINFO info{sizeof(DOCINFO), title.GetString(), output_.IsEmpty() ? nullptr : output_.GetString(),
               nullptr, 0};
  in_doc_ = ::StartDoc(dc_, &info) > 0;
  return in_doc_;
}

bool PrintJob::StartPage() { return in_doc_ && ::StartPage(dc_) > 0; }
bool PrintJob::EndPage() { return in_doc_ && ::EndPage(dc_) > 0; }

bool PrintJob::EndDoc() {
  if (!in_doc_) return false;
  in_doc_ = false;
  return ::EndDoc(dc_) > 0;
}

void PrintJob::AbortDoc() {
  if (!in_doc_) return;
  in_doc_ = false;
  ::AbortDoc(dc_);
}

CRect PrintJob::printable_rect() const {
  if (!dc_.GetSafeHdc()) return CRect();
  return CRect(0, 0, dc_.GetDeviceCaps(HORZRES), dc_.GetDeviceCaps(VERTRES));
}

}  // namespace framework
