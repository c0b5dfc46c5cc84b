// The device interface: what a device context hands its output device.
//
// The context (device_context.h) keeps the drawing state, maps logical to device coordinates and
// resolves the selected objects; a device only draws, in device pixels, with the state it is
// given. Devices: raster surfaces (memory bitmaps and window surfaces, raster_device.h), printers
// and PDF files (over Qt), and the recording device (recording_device.h) that writes every call
// as a line of text for tests.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gdi/core/bitmap.h"
#include "platform/gdi/core/gdi_types.h"
#include "platform/gdi/core/region.h"

namespace gdi {

// A font as the device made it: metrics and the advance of every CP1250 byte in device pixels,
// and the kerning pairs it reports (first and second character as CP1250 bytes).
struct FontMetrics {
  LOGFONT font{};  // the logical font at device size
  TEXTMETRIC tm{};
  std::array<int, 256> widths{};
  std::vector<KERNINGPAIR> kerning;
};

struct PenSpec {
  UINT style = PS_SOLID;
  int width = 1;  // device pixels; 0 draws one pixel wide
  COLORREF color = RGB(0, 0, 0);
};

struct BrushSpec {
  UINT style = BS_SOLID;
  COLORREF color = RGB(255, 255, 255);
  int hatch = 0;
  std::shared_ptr<const Bitmap> pattern;  // BS_PATTERN: tiled from the brush origin
};

BrushSpec solid_brush(COLORREF color);

// The text-metric fields every device sets alike: those the logical font decides, the CP1250
// character range, the digitizing resolution `dpi`, and the pitch bits (where set, the
// TMPF_FIXED_PITCH bit means a variable pitch).
void set_font_traits(TEXTMETRIC& tm, const LOGFONT& lf, int dpi, bool fixed_pitch);

// Everything a primitive needs, already in device terms.
struct DrawState {
  int rop2 = R2_COPYPEN;
  COLORREF text_color = RGB(0, 0, 0);
  COLORREF bk_color = RGB(255, 255, 255);
  int bk_mode = OPAQUE;
  int poly_fill_mode = ALTERNATE;
  int stretch_mode = BLACKONWHITE;
  PenSpec pen;
  BrushSpec brush;
  POINT brush_origin{0, 0};
  const Region* clip = nullptr;  // device coordinates; null: the whole device
  // Transfers from a colour source to a monochrome target make this colour (the source
  // context's background) white; CLR_INVALID makes light colours white.
  COLORREF source_bk_color = CLR_INVALID;
};

class Device {
 public:
  virtual ~Device() = default;

  virtual int caps(int index) const = 0;
  // The surface's pixels for raster devices, null for others.
  virtual PixelBuffer* pixels() { return nullptr; }

  // A device for a memory context compatible with this one (no bitmap selected yet).
  virtual std::unique_ptr<Device> create_compatible() const = 0;
  // Memory devices draw into the bitmap selected into their context; others refuse.
  virtual bool select_bitmap(std::shared_ptr<Bitmap>) { return false; }

  // Recording devices take logical coordinates unchanged (they record the mapping instead).
  virtual bool keeps_logical() const { return false; }

  // Whether the device has the face (the font-family enumeration), and its description.
  virtual bool find_face(const char* face, LOGFONT& out);

  // The device's rendering of a logical font given at device size.
  virtual std::shared_ptr<const FontMetrics> realize_font(const LOGFONT& device_font) = 0;

  // Fills a rectangle combining the brush (pattern), nothing as source, and the destination
  // with a ternary raster operation.
  virtual void fill(const RECT& r, DWORD rop3, const DrawState& s) = 0;
  // Lines through the points with the pen and the binary raster operation; the last point is
  // not drawn.
  virtual void polyline(std::span<const POINT> points, const DrawState& s) = 0;
  // Polygons (each closed) filled with the brush under the fill mode and outlined with the pen.
  virtual void polygons(std::span<const std::vector<POINT>> polys, const DrawState& s) = 0;
  // The platform's shapes: a rectangle covers left..right-1 and top..bottom-1 with its outline;
  // with the null pen the interior is one pixel smaller on the right and bottom.
  virtual void rectangle(const RECT& r, const DrawState& s);
  virtual void ellipse(const RECT& r, const DrawState& s);
  virtual void arc(const RECT& r, POINT start, POINT end, const DrawState& s);
  // Draws the glyphs of CP1250 text with the cell's top-left corner at `origin`, each character
  // advancing by its entry of `advances`, in the text colour (background is painted by the
  // context beforehand). `clip` further limits the drawing when not null. A font with an
  // escapement (font.font.lfEscapement, see TextTurn) turns the whole line about `origin`.
  virtual void glyphs(POINT origin, std::string_view text, std::span<const int> advances,
                      const FontMetrics& font, const DrawState& s, const RECT* clip) = 0;
  // Transfers `src_rect` of the source pixels (null: the source has no pixels, such as a
  // printer) onto `dst`, stretching when the sizes differ, with a ternary raster operation.
  virtual void transfer(const RECT& dst, const PixelBuffer* src, const RECT& src_rect, DWORD rop3,
                        const DrawState& s) = 0;
  virtual void set_pixel(POINT p, COLORREF c, const DrawState& s) = 0;
  virtual COLORREF get_pixel(POINT) { return CLR_INVALID; }
  // Fills with the brush the pixels connected to `p` (through their four neighbours) that are
  // not `colour` (FLOODFILLBORDER) or that are `colour` (FLOODFILLSURFACE), within the clip. False
  // when `p` itself is not such a pixel or the device cannot read its pixels back.
  virtual bool flood_fill(POINT /*p*/, COLORREF /*colour*/, UINT /*type*/, const DrawState& /*s*/) { return false; }
  // The palette selected into the context is realized (RealizePalette): true-colour devices have
  // nothing to do; recording devices record it.
  virtual void realize_palette(std::span<const PALETTEENTRY> /*entries*/) {}

  // Documents and pages, for printers; other devices accept and ignore them.
  virtual int start_doc(std::string_view /*name*/, const char* /*output*/) { return 1; }
  virtual int end_doc() { return 1; }
  virtual int abort_doc() { return 1; }
  virtual int start_page() { return 1; }
  virtual int end_page() { return 1; }
  // The procedure a printer asks between pages whether to go on; `hdc` is the context it is given.
  virtual int set_abort_proc(HDC /*hdc*/, ABORTPROC /*proc*/) { return 1; }
};

// The turn of a line of text whose font has an escapement: tenths of a degree counter-clockwise
// as seen on the device, the glyphs turned with the baseline (as the platform draws text in its
// compatible graphics mode, where the orientation follows the escapement). `at` maps a point of
// the unturned line, given relative to the point turned about, into the device.
struct TextTurn {
  explicit TextTurn(LONG escapement);
  bool turned() const { return tenths != 0; }
  double degrees() const { return tenths / 10.0; }
  POINT at(POINT about, double along, double down) const;

  int tenths = 0;  // 0 to 3599
  double cos = 1;
  double sin = 0;
};

// The points of an ellipse inscribed in r (right and bottom excluded), clockwise from the right.
std::vector<POINT> ellipse_points(const RECT& r);
// The points of the arc of that ellipse from the ray to `start` counter-clockwise to the ray to
// `end`, as the platform draws arcs.
std::vector<POINT> arc_points(const RECT& r, POINT start, POINT end);
// The ternary operation that does what binary operation `rop2` does with the brush as pen.
DWORD rop3_of_rop2(int rop2);

}  // namespace gdi
