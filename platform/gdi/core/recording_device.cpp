#include "platform/gdi/core/recording_device.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/core/device_context.h"

namespace gdi {

namespace {

std::string hex_colour(COLORREF c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

std::string rect_text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

std::string points_text(std::span<const POINT> points) {
  std::string out;
  for (const POINT& p : points) {
    if (!out.empty()) out += ' ';
    out += std::to_string(p.x) + "," + std::to_string(p.y);
  }
  return out;
}

std::string pen_text(const PenSpec& p) {
  static const char* const styles[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "null",
                                       "insideframe"};
  if (p.style == PS_NULL) return "pen=null";
  return std::string("pen=") + (p.style <= PS_INSIDEFRAME ? styles[p.style] : "?") + "/" +
         std::to_string(p.width) + "/" + hex_colour(p.color);
}

std::string brush_text(const BrushSpec& b) {
  switch (b.style) {
    case BS_NULL: return "brush=null";
    case BS_SOLID: return "brush=solid/" + hex_colour(b.color);
    case BS_HATCHED: return "brush=hatch" + std::to_string(b.hatch) + "/" + hex_colour(b.color);
    case BS_PATTERN:
      return "brush=pattern" +
             (b.pattern ? std::to_string(b.pattern->width()) + "x" +
                              std::to_string(b.pattern->height())
                        : std::string("?"));
    default: return "brush=?";
  }
}

std::string rop3_text(DWORD rop) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "rop=%02X", unsigned((rop >> 16) & 0xFF));
  return buf;
}

std::string clip_text(const DrawState& s) {
  if (!s.clip) return "";
  std::string out = " clip=";
  bool first = true;
  for (const RECT& r : s.clip->rects()) {
    if (!first) out += ';';
    out += rect_text(r);
    first = false;
  }
  return first ? out + "empty" : out;
}

// Narrow, wide and control characters of the fixed width rule.
int width_class(unsigned char c) {
  if (c < 0x20) return 0;
  if (std::strchr(" !'(),.:;I[]fijlrt|", c)) return 2;
  if (std::strchr("%@MWmw", c)) return 6;
  return 4;
}

}  // namespace

FontMetrics fixed_font_metrics(const LOGFONT& lf) {
  FontMetrics m;
  m.font = lf;
  int h = lf.lfHeight == 0 ? 16 : std::abs(lf.lfHeight);
  int cell = lf.lfHeight < 0 ? h + h / 8 : h;
  TEXTMETRIC& tm = m.tm;
  tm.tmHeight = cell;
  tm.tmInternalLeading = lf.lfHeight < 0 ? cell - h : cell / 8;
  tm.tmAscent = (4 * cell + 2) / 5;
  tm.tmDescent = cell - tm.tmAscent;
  tm.tmExternalLeading = cell / 10;
  set_font_traits(tm, lf, 96, (lf.lfPitchAndFamily & 3) == FIXED_PITCH);
  bool bold = tm.tmWeight >= FW_SEMIBOLD;
  for (int c = 0; c < 256; ++c) {
    int k = width_class((unsigned char)c);
    m.widths[c] = k ? std::max(1, (cell * k + 4) / 8) + (bold ? 1 : 0) : 0;
  }
  tm.tmAveCharWidth = m.widths['x'];
  tm.tmMaxCharWidth = m.widths['W'];
  int kern = -std::max(1, cell / 10);
  for (const char* pair : {"AV", "VA", "To", "LT"})
    m.kerning.push_back({WORD((unsigned char)pair[0]), WORD((unsigned char)pair[1]), kern});
  return m;
}

RecordingDevice::RecordingDevice() : RecordingDevice(std::make_shared<RecordingLog>()) {}
RecordingDevice::RecordingDevice(std::shared_ptr<RecordingLog> log)
    : RecordingDevice(std::move(log), Options{}) {}
RecordingDevice::RecordingDevice(std::shared_ptr<RecordingLog> log, const Options& options)
    : log_(std::move(log)), options_(options) {}

void RecordingDevice::write(std::string line, const DrawState* s) {
  if (memory_) line = "mem " + line;
  if (s) line += clip_text(*s);
  log_->push_back(std::move(line));
}

int RecordingDevice::caps(int index) const {
  switch (index) {
    case TECHNOLOGY: return options_.technology;
    case HORZRES: return options_.width;
    case VERTRES: return options_.height;
    case HORZSIZE: return options_.width * 254 / (options_.dpi_x * 10);
    case VERTSIZE: return options_.height * 254 / (options_.dpi_y * 10);
    case LOGPIXELSX: return options_.dpi_x;
    case LOGPIXELSY: return options_.dpi_y;
    case BITSPIXEL: return memory_ && memory_bits_ ? memory_bits_ : options_.bits_pixel;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case SIZEPALETTE: return 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case PHYSICALWIDTH: return options_.width;
    case PHYSICALHEIGHT: return options_.height;
    default: return 0;
  }
}

std::unique_ptr<Device> RecordingDevice::create_compatible() const {
  auto device = std::make_unique<RecordingDevice>(log_, options_);
  device->memory_ = true;
  return device;
}

bool RecordingDevice::select_bitmap(std::shared_ptr<Bitmap> bitmap) {
  if (!memory_ || !bitmap) return false;
  options_.width = bitmap->width();
  options_.height = bitmap->height();
  memory_bits_ = bitmap->bits_pixel();
  write("bitmap " + std::to_string(bitmap->width()) + "x" + std::to_string(bitmap->height()) +
        "x" + std::to_string(bitmap->bits_pixel()));
  return true;
}

std::shared_ptr<const FontMetrics> RecordingDevice::realize_font(const LOGFONT& lf) {
  return std::make_shared<const FontMetrics>(fixed_font_metrics(lf));
}

void RecordingDevice::fill(const RECT& r, DWORD rop3, const DrawState& s) {
  write("fill " + rect_text(r) + " " + rop3_text(rop3) + " " + brush_text(s.brush), &s);
}

void RecordingDevice::polyline(std::span<const POINT> points, const DrawState& s) {
  write("polyline " + points_text(points) + " " + pen_text(s.pen) + " rop2=" +
            std::to_string(s.rop2),
        &s);
}

void RecordingDevice::polygons(std::span<const std::vector<POINT>> polys, const DrawState& s) {
  std::string line = "polygons";
  for (const auto& poly : polys) line += " [" + points_text(poly) + "]";
  write(line + " " + pen_text(s.pen) + " " + brush_text(s.brush) + " mode=" +
            std::to_string(s.poly_fill_mode) + " rop2=" + std::to_string(s.rop2),
        &s);
}

void RecordingDevice::rectangle(const RECT& r, const DrawState& s) {
  write("rectangle " + rect_text(r) + " " + pen_text(s.pen) + " " + brush_text(s.brush) +
            " rop2=" + std::to_string(s.rop2),
        &s);
}

void RecordingDevice::ellipse(const RECT& r, const DrawState& s) {
  write("ellipse " + rect_text(r) + " " + pen_text(s.pen) + " " + brush_text(s.brush), &s);
}

void RecordingDevice::arc(const RECT& r, POINT start, POINT end, const DrawState& s) {
  write("arc " + rect_text(r) + " from " + points_text({&start, 1}) + " to " +
            points_text({&end, 1}) + " " + pen_text(s.pen),
        &s);
}

void RecordingDevice::glyphs(POINT origin, std::string_view text, std::span<const int> advances,
                             const FontMetrics& font, const DrawState& s, const RECT* clip) {
  std::string line = "text " + points_text({&origin, 1}) + " \"" + std::string(text) + "\" dx=";
  for (size_t i = 0; i < advances.size(); ++i) {
    if (i) line += ',';
    line += std::to_string(advances[i]);
  }
  line += std::string(" font=") + font.font.lfFaceName + "/" + std::to_string(font.font.lfHeight) +
          "/" + std::to_string(font.tm.tmWeight) + " color=" + hex_colour(s.text_color);
  if (clip) line += " rect=" + rect_text(*clip);
  if (TextTurn turn(font.font.lfEscapement); turn.turned()) line += " angle=" + std::to_string(turn.tenths);
  write(line, &s);
}

void RecordingDevice::transfer(const RECT& dst, const PixelBuffer* src, const RECT& src_rect,
                               DWORD rop3, const DrawState& s) {
  std::string source = src ? std::to_string(src->width) + "x" + std::to_string(src->height) +
                                 (src->monochrome ? "x1" : "x24")
                           : std::string("none");
  write("transfer " + rect_text(dst) + " from " + rect_text(src_rect) + " of " + source + " " +
            rop3_text(rop3),
        &s);
}

void RecordingDevice::set_pixel(POINT p, COLORREF c, const DrawState& s) {
  write("pixel " + points_text({&p, 1}) + " " + hex_colour(c), &s);
}

bool RecordingDevice::flood_fill(POINT p, COLORREF colour, UINT type, const DrawState& s) {
  write(std::string(type == FLOODFILLSURFACE ? "flood_surface " : "flood_border ") + points_text({&p, 1}) + " " +
            hex_colour(colour),
        &s);
  return true;
}

int RecordingDevice::start_doc(std::string_view name, const char*) {
  write("start_doc " + std::string(name));
  return 1;
}
int RecordingDevice::end_doc() { return write("end_doc"), 1; }
int RecordingDevice::abort_doc() { return write("abort_doc"), 1; }
int RecordingDevice::start_page() { return write("start_page"), 1; }
int RecordingDevice::end_page() { return write("end_page"), 1; }

HDC create_recording_dc(std::shared_ptr<RecordingLog> log, const RecordingDevice::Options& options) {
  return create_context(std::make_unique<RecordingDevice>(std::move(log), options));
}

}  // namespace gdi
