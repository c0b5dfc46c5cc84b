#include "platform/framework/preview_dc.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/mul_div.h"
#include "platform/gdi/core/recording_device.h"

namespace framework {
namespace {

// Draws printer pixels onto the page shown in the target context.
class PreviewDevice : public gdi::Device {
 public:
  PreviewDevice(HDC target, const PreviewPage& page, const RECT& on_target)
      : target_(target), page_(page), shown_(on_target) {}

  int caps(int index) const override {
    switch (index) {
      case TECHNOLOGY: return DT_RASPRINTER;
      case HORZRES:
      case PHYSICALWIDTH: return page_.width;
      case VERTRES:
      case PHYSICALHEIGHT: return page_.height;
      case HORZSIZE: return MulDiv(page_.width, 254, page_.dpi_x * 10);
      case VERTSIZE: return MulDiv(page_.height, 254, page_.dpi_y * 10);
      case LOGPIXELSX: return page_.dpi_x;
      case LOGPIXELSY: return page_.dpi_y;
      case PHYSICALOFFSETX:
      case PHYSICALOFFSETY: return 0;
      default: return device() ? device()->caps(index) : 0;
    }
  }

  std::unique_ptr<gdi::Device> create_compatible() const override {
    return device() ? device()->create_compatible() : nullptr;
  }

  bool find_face(const char* face, LOGFONT& out) override {
    return device() ? device()->find_face(face, out) : gdi::Device::find_face(face, out);
  }

  // Fonts are measured at printer size by the target's own font machinery, so the page is laid
  // out as the printer lays it out.
  std::shared_ptr<const gdi::FontMetrics> realize_font(const LOGFONT& device_font) override {
    if (gdi::Device* d = device()) return d->realize_font(device_font);
    return std::make_shared<gdi::FontMetrics>(gdi::fixed_font_metrics(device_font));
  }

  void fill(const RECT& r, DWORD rop3, const gdi::DrawState& s) override {
    Scaled scaled(*this, s);
    if (scaled.device) scaled.device->fill(to_target(r), rop3, scaled.state);
  }

  void polyline(std::span<const POINT> points, const gdi::DrawState& s) override {
    Scaled scaled(*this, s);
    if (scaled.device) scaled.device->polyline(to_target(points), scaled.state);
  }

  void polygons(std::span<const std::vector<POINT>> polys, const gdi::DrawState& s) override {
    Scaled scaled(*this, s);
    if (!scaled.device) return;
    std::vector<std::vector<POINT>> out;
    out.reserve(polys.size());
    for (const std::vector<POINT>& p : polys) out.push_back(to_target(p));
    scaled.device->polygons(out, scaled.state);
  }

  void rectangle(const RECT& r, const gdi::DrawState& s) override {
    Scaled scaled(*this, s);
    if (scaled.device) scaled.device->rectangle(to_target(r), scaled.state);
  }

  void ellipse(const RECT& r, const gdi::DrawState& s) override {
    Scaled scaled(*this, s);
    if (scaled.device) scaled.device->ellipse(to_target(r), scaled.state);
  }

  void arc(const RECT& r, POINT start, POINT end, const gdi::DrawState& s) override {
    Scaled scaled(*this, s);
    if (scaled.device) scaled.device->arc(to_target(r), to_target(start), to_target(end), scaled.state);
  }

  void glyphs(POINT origin, std::string_view text, std::span<const int> advances,
              const gdi::FontMetrics& font, const gdi::DrawState& s, const RECT* clip) override {
    Scaled scaled(*this, s);
    if (!scaled.device || text.empty()) return;
    // Each character starts where it starts on paper; the advances between the scaled starts
    // keep rounding from piling up along a line.
    std::vector<int> shown(advances.size());
    long long x = origin.x;
    int previous = to_target_x(int(x));
    for (size_t i = 0; i < advances.size(); ++i) {
      x += advances[i];
      int next = to_target_x(int(std::clamp<long long>(x, -gdi::kCoordinateLimit, gdi::kCoordinateLimit)));
      shown[i] = next - previous;
      previous = next;
    }
    std::optional<RECT> shown_clip;
    if (clip) shown_clip = to_target(*clip);
    scaled.device->glyphs(to_target(origin), text, shown, shown_font(font), scaled.state,
                          shown_clip ? &*shown_clip : nullptr);
  }

  void transfer(const RECT& dst, const gdi::PixelBuffer* src, const RECT& src_rect, DWORD rop3,
                const gdi::DrawState& s) override {
    Scaled scaled(*this, s);
    if (scaled.device) scaled.device->transfer(to_target(dst), src, src_rect, rop3, scaled.state);
  }

  void set_pixel(POINT p, COLORREF c, const gdi::DrawState& s) override {
    Scaled scaled(*this, s);
    if (scaled.device) scaled.device->set_pixel(to_target(p), c, scaled.state);
  }

 private:
  // The drawing state of one call as the target wants it: pen width, brush origin and clip in
  // target pixels, the clip limited to the shown page and to the target context's own clip.
  struct Scaled {
    Scaled(PreviewDevice& preview, const gdi::DrawState& s) : state(s) {
      gdi::DeviceContext* dc = gdi::context_of(preview.target_);
      if (!dc) return;
      device = &dc->device();
      if (state.pen.width > 1) {
        state.pen.width = std::max(1, MulDiv(state.pen.width, preview.width(), preview.page_.width));
      }
      state.brush_origin = preview.to_target(state.brush_origin);
      clip = gdi::Region(preview.shown_);
      if (s.clip) {
        gdi::Region from_page;
        for (const RECT& r : s.clip->rects()) from_page.unite(gdi::Region(preview.to_target(r)));
        clip.intersect(from_page);
      }
      if (const gdi::Region* own = dc->effective_clip()) clip.intersect(*own);
      state.clip = &clip;
    }
    gdi::Device* device = nullptr;
    gdi::DrawState state;
    gdi::Region clip;
  };

  gdi::Device* device() const {
    gdi::DeviceContext* dc = gdi::context_of(target_);
    return dc ? &dc->device() : nullptr;
  }

  int width() const { return shown_.right - shown_.left; }
  int height() const { return shown_.bottom - shown_.top; }
  int to_target_x(int x) const { return shown_.left + MulDiv(x, width(), page_.width); }
  int to_target_y(int y) const { return shown_.top + MulDiv(y, height(), page_.height); }
  POINT to_target(POINT p) const { return POINT{to_target_x(p.x), to_target_y(p.y)}; }
  RECT to_target(const RECT& r) const {
    return RECT{to_target_x(r.left), to_target_y(r.top), to_target_x(r.right), to_target_y(r.bottom)};
  }
  std::vector<POINT> to_target(std::span<const POINT> points) const {
    std::vector<POINT> out;
    out.reserve(points.size());
    for (const POINT& p : points) out.push_back(to_target(p));
    return out;
  }

  // The printer font made at the shown page's scale (at least one pixel high), remembered for
  // the next run of text in the same font.
  const gdi::FontMetrics& shown_font(const gdi::FontMetrics& printer_font) {
    LOGFONT lf = printer_font.font;
    auto scale = [&](LONG v) {
      if (v == 0) return v;
      LONG s = MulDiv(v, height(), page_.height);
      return s != 0 ? s : (v < 0 ? -1 : 1);
    };
    lf.lfHeight = scale(lf.lfHeight == 0 ? printer_font.tm.tmHeight : lf.lfHeight);
    lf.lfWidth = scale(lf.lfWidth);
    if (!shown_font_ || std::memcmp(&lf, &shown_for_, sizeof lf) != 0) {
      shown_for_ = lf;
      gdi::Device* d = device();
      shown_font_ = d ? d->realize_font(lf)
                      : std::make_shared<gdi::FontMetrics>(gdi::fixed_font_metrics(lf));
    }
    return *shown_font_;
  }

  HDC target_;
  PreviewPage page_;
  RECT shown_;
  std::shared_ptr<const gdi::FontMetrics> shown_font_;
  LOGFONT shown_for_{};
};

}  // namespace

HDC create_preview_dc(HDC target, const PreviewPage& page, const RECT& on_target) {
  if (!gdi::context_of(target) || page.width <= 0 || page.height <= 0 || page.dpi_x <= 0 ||
      page.dpi_y <= 0 || on_target.right <= on_target.left || on_target.bottom <= on_target.top) {
    return nullptr;
  }
  return gdi::create_context(std::make_unique<PreviewDevice>(target, page, on_target));
}

}  // namespace framework
