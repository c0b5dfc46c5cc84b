#include "platform/gdi/core/device_context.h"

#include <cstdlib>
#include <cstring>

#include "platform/gdi/core/recording_device.h"

namespace gdi {

DeviceContext::DeviceContext(std::unique_ptr<Device> device, bool memory)
    : device_(std::move(device)), memory_(memory) {
  state_.pen = ObjectRef(stock_object(BLACK_PEN));
  state_.brush = ObjectRef(stock_object(WHITE_BRUSH));
  state_.font = ObjectRef(stock_object(SYSTEM_FONT));
  state_.palette = ObjectRef(stock_object(DEFAULT_PALETTE));
  if (memory_) {
    state_.bitmap = ObjectRef(default_bitmap());
    if (auto* b = object_as<BitmapObject>(state_.bitmap.get())) device_->select_bitmap(b->bitmap);
  }
}

DeviceContext::~DeviceContext() = default;

int DeviceContext::save() {
  saved_.push_back(state_);
  return int(saved_.size());
}

bool DeviceContext::restore(int level) {
  long index = level < 0 ? long(saved_.size()) + level : long(level) - 1;
  if (level == 0 || index < 0 || index >= long(saved_.size())) return false;
  void* bitmap_before = state_.bitmap.get();
  state_ = saved_[size_t(index)];
  saved_.resize(size_t(index));
  if (memory_ && state_.bitmap.get() != bitmap_before) {
    if (auto* b = object_as<BitmapObject>(state_.bitmap.get())) device_->select_bitmap(b->bitmap);
  }
  return true;
}

void* DeviceContext::select(void* object) {
  ObjectRef* slot = nullptr;
  switch (object_type(object)) {
    case OBJ_PEN: slot = &state_.pen; break;
    case OBJ_BRUSH: slot = &state_.brush; break;
    case OBJ_FONT: slot = &state_.font; break;
    case OBJ_BITMAP: {
      auto* b = object_as<BitmapObject>(object);
      if (!memory_ || !b || !device_->select_bitmap(b->bitmap)) return nullptr;
      slot = &state_.bitmap;
      break;
    }
    case OBJ_REGION: {
      auto* r = object_as<RegionObject>(object);
      state_.clip = r->region;
      return reinterpret_cast<void*>(uintptr_t(r->region.kind()));
    }
    default: return nullptr;
  }
  void* previous = slot->get();
  *slot = ObjectRef(object);
  return previous;
}

void DeviceContext::set_system_clip(std::optional<Region> clip) { system_clip_ = std::move(clip); }

const Region* DeviceContext::effective_clip() {
  if (!state_.clip && !system_clip_) return nullptr;
  if (state_.clip && system_clip_) {
    effective_ = *state_.clip;
    effective_.intersect(*system_clip_);
  } else {
    effective_ = state_.clip ? *state_.clip : *system_clip_;
  }
  return &effective_;
}

Region DeviceContext::visible_region() {
  Region whole(RECT{0, 0, device_->caps(HORZRES), device_->caps(VERTRES)});
  if (const Region* clip = effective_clip()) whole.intersect(*clip);
  return whole;
}

DrawState DeviceContext::draw_state() {
  DrawState s;
  s.rop2 = state_.rop2;
  s.text_color = state_.text_color;
  s.bk_color = state_.bk_color;
  s.bk_mode = state_.bk_mode;
  s.poly_fill_mode = state_.poly_fill_mode;
  s.stretch_mode = state_.stretch_mode;
  s.brush_origin = state_.brush_origin;
  if (auto* p = object_as<PenObject>(state_.pen.get())) {
    s.pen.style = p->pen.lopnStyle & PS_STYLE_MASK;
    s.pen.width = std::max(1, std::abs(state_.mapping.width_to_device(p->pen.lopnWidth.x)));
    s.pen.color = p->pen.lopnColor;
  }
  if (auto b = brush_spec_of(state_.brush.get())) s.brush = *b;
  s.clip = effective_clip();
  return s;
}

const FontMetrics& DeviceContext::font() {
  LOGFONT lf{};
  if (auto* f = object_as<FontObject>(state_.font.get())) lf = f->font;
  // Heights and widths scale with the mapping; the sign of the height (cell or character height)
  // is kept.
  auto scaled = [](LONG v, int device) { return v < 0 ? -std::abs(device) : std::abs(device); };
  lf.lfHeight = scaled(lf.lfHeight, state_.mapping.height_to_device(lf.lfHeight));
  lf.lfWidth = scaled(lf.lfWidth, state_.mapping.width_to_device(lf.lfWidth));
  if (!realized_ || std::memcmp(&lf, &realized_for_, sizeof lf) != 0) {
    realized_ = device_->realize_font(lf);
    realized_for_ = lf;
  }
  return *realized_;
}

std::optional<BrushSpec> brush_spec_of(const void* brush) {
  auto* b = object_as<BrushObject>(brush);
  if (!b) return system_colour_brush(brush);
  BrushSpec wanted;
  wanted.style = b->brush.lbStyle;
  wanted.color = b->brush.lbColor;
  wanted.hatch = b->brush.lbStyle == BS_HATCHED ? int(b->brush.lbHatch) : 0;
  wanted.pattern = b->pattern;
  return wanted;
}

DeviceContext* context_of(HDC hdc) {
  auto* dc = object_as<DcObject>(hdc);
  return dc ? dc->dc.get() : nullptr;
}

HDC create_context(std::unique_ptr<Device> device, bool memory) {
  return static_cast<HDC>(
      create_object(DcObject{std::make_unique<DeviceContext>(std::move(device), memory)}));
}

namespace {
std::unique_ptr<Device> (*g_screen_factory)() = nullptr;
COLORREF (*g_system_colours)(int) = nullptr;
// The platform's colour indexes run from 0 to 30.
constexpr uintptr_t kLastColourIndex = 30;
}  // namespace

void set_system_colour_source(COLORREF (*lookup)(int index)) { g_system_colours = lookup; }

COLORREF system_colour(int index, COLORREF classic) {
  return g_system_colours ? g_system_colours(index) : classic;
}

std::optional<BrushSpec> system_colour_brush(const void* brush) {
  uintptr_t v = reinterpret_cast<uintptr_t>(brush);
  if (v == 0 || v > kLastColourIndex + 1 || !g_system_colours) return std::nullopt;
  return solid_brush(g_system_colours(int(v - 1)));
}

void set_screen_device_factory(std::unique_ptr<Device> (*factory)()) { g_screen_factory = factory; }

std::unique_ptr<Device> make_screen_device() {
  if (g_screen_factory) return g_screen_factory();
  return std::make_unique<RecordingDevice>();
}

}  // namespace gdi
