#include "platform/framework/print_job.h"

#include <QPrinter>

#include <algorithm>

#include "platform/base/cp1250.h"
#include "platform/framework/print_dialogs.h"
#include "platform/gdi/paged_device.h"

namespace framework {

PrintJob::PrintJob(const DEVNAMES& names, const DEVMODE& mode) : output_(names.output) {
  bool landscape = mode.dmOrientation == DMORIENT_LANDSCAPE;
  // Paper sizes are kept in tenths of a millimetre, portrait.
  double width_mm = (mode.dmPaperWidth > 0 ? mode.dmPaperWidth : 2100) / 10.0;
  double height_mm = (mode.dmPaperLength > 0 ? mode.dmPaperLength : 2970) / 10.0;
  if (landscape) std::swap(width_mm, height_mm);
  // The context is the printer's; a file chosen for this print is named only at StartDoc. Without
  // a usable printer a file still gets the pages, on a context made for that file.
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (!names.device.IsEmpty()) {
    printer_->setPrinterName(QString::fromStdString(base::cp1250::to_utf8(names.device.view())));
  }
  printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer_->setPageSize(QPageSize(QSizeF(landscape ? height_mm : width_mm, landscape ? width_mm : height_mm),
                                  QPageSize::Millimeter));
  printer_->setCopyCount(std::max<int>(1, mode.dmCopies));
  HDC hdc = nullptr;
  if (printer_->isValid()) {
    hdc = gdi::create_paged_dc(printer_.get(), [printer = printer_.get()] { printer->abort(); });
  } else if (!output_.IsEmpty()) {
    int dpi = mode.dmPrintQuality > 0 ? mode.dmPrintQuality : 300;
    hdc = gdi::create_pdf_dc(base::cp1250::to_utf8(output_.view()), dpi, width_mm, height_mm);
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
