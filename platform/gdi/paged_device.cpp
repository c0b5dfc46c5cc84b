#include "platform/gdi/paged_device.h"

#include <QPageSize>
#include <QPainterPath>

#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/font_mapping.h"
#include "platform/gdi/qt_raster_device.h"

namespace gdi {

namespace {

QColor qcolour(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QBrush qbrush(const BrushSpec& b) {
  switch (b.style) {
    case BS_SOLID: return QBrush(qcolour(b.color));
    case BS_HATCHED: {
      static const Qt::BrushStyle styles[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                              Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
      return QBrush(qcolour(b.color), styles[std::clamp(b.hatch, 0, 5)]);
    }
    case BS_PATTERN:
      if (b.pattern) {
        const Bitmap& p = *b.pattern;
        QImage image(reinterpret_cast<const uchar*>(p.row(0)), p.width(), p.height(),
                     qsizetype(p.width()) * 4, QImage::Format_RGB32);
        return QBrush(image.copy());
      }
      return QBrush();
    default: return QBrush();
  }
}

// Only operations that put down the pen or brush as it is (or black or white) reach paper.
bool paints(unsigned code) { return code == 0xF0 || code == 0x00 || code == 0xFF || code == 0xCC; }

}  // namespace

PagedDevice::PagedDevice(QPagedPaintDevice* device, std::function<void()> withdraw)
    : device_(device), withdraw_(std::move(withdraw)) {}

PagedDevice::PagedDevice(const std::string& path, int dpi, double width_mm, double height_mm)
    : owned_(std::make_unique<QPdfWriter>(QString())), device_(owned_.get()), own_file_(path) {
  owned_->setResolution(dpi);
  owned_->setPageSize(QPageSize(QSizeF(width_mm, height_mm), QPageSize::Millimeter));
  owned_->setPageMargins(QMarginsF(0, 0, 0, 0));
}

// A document never ended is abandoned, as the platform drops an unfinished job with its context.
PagedDevice::~PagedDevice() { close_doc(); }

int PagedDevice::caps(int index) const {
  switch (index) {
    case TECHNOLOGY: return DT_RASPRINTER;
    case HORZRES:
    case PHYSICALWIDTH: return device_->width();
    case VERTRES:
    case PHYSICALHEIGHT: return device_->height();
    case HORZSIZE: return device_->widthMM();
    case VERTSIZE: return device_->heightMM();
    case LOGPIXELSX: return device_->logicalDpiX();
    case LOGPIXELSY: return device_->logicalDpiY();
    case BITSPIXEL: return 24;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    default: return 0;
  }
}

std::unique_ptr<Device> PagedDevice::create_compatible() const {
  return std::make_unique<QtRasterDevice>(device_->logicalDpiX());
}

std::shared_ptr<const FontMetrics> PagedDevice::realize_font(const LOGFONT& lf) {
  return with_kerning(qt_font(lf, device_->logicalDpiY()));
}

QPainter* PagedDevice::page(const DrawState& s) {
  if (!in_page_ || !painter_.isActive()) return nullptr;
  if (s.clip) {
    QRegion region;
    for (const RECT& r : s.clip->rects()) region += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    painter_.setClipRegion(region);
  } else {
    painter_.setClipping(false);
  }
  return &painter_;
}

void PagedDevice::fill(const RECT& r, DWORD rop3, const DrawState& s) {
  unsigned code = (rop3 >> 16) & 0xFF;
  QPainter* p = page(s);
  if (!p || !paints(code)) return;
  QRect rect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (code == 0x00) p->fillRect(rect, Qt::black);
  else if (code == 0xFF) p->fillRect(rect, Qt::white);
  else p->fillRect(rect, qbrush(s.brush));
}

void PagedDevice::polyline(std::span<const POINT> points, const DrawState& s) {
  QPainter* p = page(s);
  if (!p || s.pen.style == PS_NULL || s.rop2 != R2_COPYPEN) return;
  static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                        Qt::DashDotDotLine, Qt::NoPen, Qt::SolidLine};
  QPen pen(qcolour(s.pen.color), std::max(1, s.pen.width), styles[std::min<UINT>(s.pen.style, 6)]);
  p->setPen(pen);
  QPolygon poly;
  for (const POINT& pt : points) poly << QPoint(pt.x, pt.y);
  p->drawPolyline(poly);
}

void PagedDevice::polygons(std::span<const std::vector<POINT>> polys, const DrawState& s) {
  QPainter* p = page(s);
  if (!p || s.rop2 != R2_COPYPEN) return;
  QPainterPath path;
  path.setFillRule(s.poly_fill_mode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  for (const auto& poly : polys) {
    QPolygon q;
    for (const POINT& pt : poly) q << QPoint(pt.x, pt.y);
    path.addPolygon(q);
    path.closeSubpath();
  }
  if (s.brush.style != BS_NULL) p->fillPath(path, qbrush(s.brush));
  for (const auto& poly : polys) {
    std::vector<POINT> closed(poly);
    if (!closed.empty()) closed.push_back(poly.front());
    polyline(closed, s);
  }
}

void PagedDevice::glyphs(POINT origin, std::string_view text, std::span<const int> advances,
                         const FontMetrics& metrics, const DrawState& s, const RECT* clip) {
  QPainter* p = page(s);
  if (!p) return;
  if (clip) p->setClipRect(QRect(clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top),
                           s.clip ? Qt::IntersectClip : Qt::ReplaceClip);
  std::shared_ptr<QtFont> font = qt_font(metrics.font, device_->logicalDpiY());
  p->setFont(font->font);
  p->setPen(qcolour(s.text_color));
  // One glyph run at the context's advances, so the layout matches the measuring and the text stays
  // text; the line is laid out from (0, 0) and turned about the origin.
  int width = 0;
  const QGlyphRun run = glyph_run(*font, text, advances, metrics.tm.tmAscent, width);
  p->save();
  p->translate(origin.x, origin.y);
  if (TextTurn turn(metrics.font.lfEscapement); turn.turned()) p->rotate(-turn.degrees());
  p->drawGlyphRun(QPointF(0, 0), run);
  p->restore();
}

void PagedDevice::transfer(const RECT& dst, const PixelBuffer* src, const RECT& src_rect, DWORD rop3,
                           const DrawState& s) {
  QPainter* p = page(s);
  unsigned code = (rop3 >> 16) & 0xFF;
  if (!p || !src || !paints(code)) return;
  if (code != 0xCC) {
    fill(dst, rop3, s);
    return;
  }
  QImage image(reinterpret_cast<const uchar*>(src->bits), src->width, src->height,
               qsizetype(src->stride) * 4, QImage::Format_RGB32);
  QImage part = image.copy(QRect(src_rect.left, src_rect.top, src_rect.right - src_rect.left,
                                 src_rect.bottom - src_rect.top));
  if (src->monochrome) {
    // Black takes the text colour, white the background colour.
    QImage coloured(part.size(), QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y)
      for (int x = 0; x < part.width(); ++x)
        coloured.setPixel(x, y, pixel_of((part.pixel(x, y) & 0xFFFFFF) ? s.bk_color : s.text_color));
    part = coloured;
  }
  p->drawImage(QRect(dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top), part);
}

void PagedDevice::set_pixel(POINT pt, COLORREF c, const DrawState& s) {
  if (QPainter* p = page(s)) p->fillRect(QRect(pt.x, pt.y, 1, 1), qcolour(c));
}

int PagedDevice::start_doc(std::string_view name, const char* output) {
  if (in_doc_) return SP_ERROR;
  file_ = output && *output ? base::cp1250::to_utf8(output) : own_file_;
  if (!file_.empty()) {
    // A PDF of the device's own pages, layout and resolution, so what was measured on the
    // device fits the file's pages.
    file_bytes_.setData(QByteArray());
    if (!file_bytes_.open(QIODevice::WriteOnly)) {
      file_.clear();
      return SP_ERROR;
    }
    file_writer_ = std::make_unique<QPdfWriter>(&file_bytes_);
    file_writer_->setResolution(device_->logicalDpiX());
    file_writer_->setPageLayout(device_->pageLayout());
    file_writer_->setTitle(QString::fromStdString(base::cp1250::to_utf8(name)));
  }
  in_doc_ = true;
  pages_ = 0;
  return 1;
}

int PagedDevice::start_page() {
  if (!in_doc_ || in_page_) return SP_ERROR;
  // The painter opens the first page; each later page is a new page of the device.
  if (pages_ == 0) {
    if (!painter_.begin(target())) return SP_ERROR;
  } else if (!target()->newPage()) {
    return SP_ERROR;
  }
  ++pages_;
  in_page_ = true;
  return 1;
}

int PagedDevice::end_page() {
  if (!in_page_) return SP_ERROR;
  in_page_ = false;
  if (abort_proc_ && !abort_proc_(abort_hdc_, 0)) {
    close_doc();
    return SP_APPABORT;
  }
  return 1;
}

int PagedDevice::end_doc() {
  if (!in_doc_) return SP_ERROR;
  // A document without pages still makes a file of one empty page, as a printer feeds a sheet.
  if (pages_ == 0 && file_writer_ && !painter_.begin(target())) {
    close_doc();
    return SP_ERROR;
  }
  if (painter_.isActive() && !painter_.end()) {
    close_doc();
    return SP_ERROR;
  }
  std::string file = file_;
  QByteArray bytes = file_bytes_.data();
  close_doc();
  if (file.empty()) return 1;
  auto data = std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
  return base::write_file_atomic(file, data) == base::OsError::None ? 1 : SP_ERROR;
}

int PagedDevice::abort_doc() {
  if (!in_doc_) return SP_ERROR;
  close_doc();
  return 1;
}

void PagedDevice::close_doc() {
  if (!file_writer_ && withdraw_ && painter_.isActive()) withdraw_();
  if (painter_.isActive()) painter_.end();
  file_writer_.reset();
  file_bytes_.close();
  file_bytes_.setData(QByteArray());
  file_.clear();
  in_page_ = false;
  in_doc_ = false;
}

int PagedDevice::set_abort_proc(HDC hdc, ABORTPROC proc) {
  abort_hdc_ = hdc;
  abort_proc_ = proc;
  return 1;
}

HDC create_paged_dc(QPagedPaintDevice* device, std::function<void()> withdraw) {
  if (!device) return nullptr;
  install_qt_devices();
  return create_context(std::make_unique<PagedDevice>(device, std::move(withdraw)));
}

HDC create_pdf_dc(const std::string& path, int dpi, double width_mm, double height_mm) {
  install_qt_devices();
  return create_context(std::make_unique<PagedDevice>(path, dpi, width_mm, height_mm));
}

}  // namespace gdi
