// Printers and PDF files: a device over a Qt paged paint device.
//
// Pages are explicit, as on the platform: StartDoc begins the document, StartPage each page,
// EndPage and EndDoc finish them; drawing outside a page is dropped. A document goes to the file
// StartDoc names, else to the device's own output (the printer, or the PDF file the context was
// made for). Files are built in memory and written whole at EndDoc, so an aborted document leaves
// any earlier file as it was. The abort procedure is asked after each page; its FALSE aborts the
// document. Shapes, text and bitmaps become vector drawing at the device's resolution; text is
// drawn as text (a PDF reads back with its words). Paper cannot be inverted, so raster operations other than plain copies and the
// black and white fills draw nothing.
#pragma once

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <functional>
#include <memory>
#include <string>

#include "platform/gdi/core/device.h"
#include "platform/gdi/font_mapping.h"

namespace gdi {

class PagedDevice : public Device {
 public:
  // Over a device owned by the caller (a QPrinter set up by the print job); `withdraw`, when
  // given, takes back the pages of an aborted document while its painting is still open.
  explicit PagedDevice(QPagedPaintDevice* device, std::function<void()> withdraw = {});
  // Over a PDF file of A4 (or the given) pages at `dpi`.
  PagedDevice(const std::string& pdf_path_utf8, int dpi, double width_mm, double height_mm);
  ~PagedDevice() override;

  int caps(int index) const override;
  std::unique_ptr<Device> create_compatible() const override;
  std::shared_ptr<const FontMetrics> realize_font(const LOGFONT& device_font) override;
  bool find_face(const char* face, LOGFONT& out) override { return find_qt_face(face, out); }
  void fill(const RECT& r, DWORD rop3, const DrawState& s) override;
  void polyline(std::span<const POINT> points, const DrawState& s) override;
  void polygons(std::span<const std::vector<POINT>> polys, const DrawState& s) override;
  void glyphs(POINT origin, std::string_view text, std::span<const int> advances,
              const FontMetrics& font, const DrawState& s, const RECT* clip) override;
  void transfer(const RECT& dst, const PixelBuffer* src, const RECT& src_rect, DWORD rop3,
                const DrawState& s) override;
  void set_pixel(POINT p, COLORREF c, const DrawState& s) override;
  int start_doc(std::string_view name, const char* output) override;
  int end_doc() override;
  int abort_doc() override;
  int start_page() override;
  int end_page() override;
  int set_abort_proc(HDC hdc, ABORTPROC proc) override;

 private:
  // The painter while a page is open, clipped to the state's clip; null outside pages.
  QPainter* page(const DrawState& s);
  // Where the open document paints: its file's writer, else the device itself.
  QPagedPaintDevice* target() {
    return file_writer_ ? static_cast<QPagedPaintDevice*>(file_writer_.get()) : device_;
  }
  // Leaves the open document: a file's bytes not yet written are dropped, pages not yet handed to
  // the printer are withdrawn.
  void close_doc();

  // The page layout and resolution holder of a PDF context (never painted on).
  std::unique_ptr<QPdfWriter> owned_;
  QPagedPaintDevice* device_;
  std::function<void()> withdraw_;
  std::string own_file_;  // UTF-8 path of a PDF context's file; empty for a printer
  // The open document's file: its path, the bytes built so far and the writer making them.
  std::string file_;
  QBuffer file_bytes_;
  std::unique_ptr<QPdfWriter> file_writer_;
  QPainter painter_;
  HDC abort_hdc_ = nullptr;
  ABORTPROC abort_proc_ = nullptr;
  bool in_doc_ = false;
  bool in_page_ = false;
  int pages_ = 0;
};

// A context that prints on a paged device owned by the caller (see PagedDevice for `withdraw`).
HDC create_paged_dc(QPagedPaintDevice* device, std::function<void()> withdraw = {});
// A context that writes a PDF file (A4 by default).
HDC create_pdf_dc(const std::string& path_utf8, int dpi = 300, double width_mm = 210,
                  double height_mm = 297);

}  // namespace gdi
