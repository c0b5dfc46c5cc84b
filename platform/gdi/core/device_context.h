// A device context: the drawing state over one device.
//
// The state is what the platform keeps per context: colours, background and raster modes, the
// selected pen, brush, font, bitmap and palette, the mapping, the current position, the clip
// region and the text alignment. SaveDC pushes a copy (which keeps its selected objects alive),
// RestoreDC brings one back. The clip region is kept in device coordinates, as the platform keeps
// it, so changing the mapping afterwards does not move it. A system clip (the part of a window
// being painted) set by the window layer limits every drawing on top of the context's own clip.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/core/device.h"
#include "platform/gdi/core/gdi_objects.h"
#include "platform/gdi/core/mapping.h"

namespace gdi {

struct DcState {
  COLORREF text_color = RGB(0, 0, 0);
  COLORREF bk_color = RGB(255, 255, 255);
  int bk_mode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int poly_fill_mode = ALTERNATE;
  int stretch_mode = BLACKONWHITE;
  UINT text_align = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  int char_extra = 0;  // logical units
  Mapping mapping;
  POINT position{0, 0};  // logical
  POINT brush_origin{0, 0};
  ObjectRef pen, brush, font, bitmap, palette;
  std::optional<Region> clip;  // device coordinates
};

class DeviceContext {
 public:
  DeviceContext(std::unique_ptr<Device> device, bool memory);
  ~DeviceContext();
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  Device& device() { return *device_; }
  bool is_memory() const { return memory_; }
  DcState& state() { return state_; }
  const DcState& state() const { return state_; }
  int dpi_x() const { return device_->caps(LOGPIXELSX); }
  int dpi_y() const { return device_->caps(LOGPIXELSY); }

  // Returns the new depth (>= 1).
  int save();
  // A positive level restores that saved state; a negative one counts back from the newest.
  bool restore(int level);

  // Selects a pen, brush, font or bitmap and returns the one it replaces; a region sets the clip
  // and returns its kind. Null for a wrong or stale handle (the state is unchanged).
  void* select(void* object);

  // Clip in device coordinates; the effective clip is the context's clip within the system clip.
  void set_system_clip(std::optional<Region> clip);
  const Region* effective_clip();
  // The region drawing is limited to (effective clip or the whole device) and its kind.
  Region visible_region();

  // The state as the device wants it for a primitive.
  DrawState draw_state();
  // The realized current font (device units).
  const FontMetrics& font();

  POINT to_device(POINT p) const {
    return device_->keeps_logical() ? p : state_.mapping.to_device(p);
  }
  RECT to_device(const RECT& r) const {
    return normalized(device_->keeps_logical() ? r : state_.mapping.to_device(r));
  }

 private:
  std::unique_ptr<Device> device_;
  bool memory_;
  DcState state_;
  std::vector<DcState> saved_;
  std::optional<Region> system_clip_;
  Region effective_;
  std::shared_ptr<const FontMetrics> realized_;
  LOGFONT realized_for_{};
};

// A brush object as the device wants it, or nothing for a stale handle.
std::optional<BrushSpec> brush_spec_of(const void* brush);

// Transfers part of a bitmap (`src` in its pixels, top row 0) onto a logical rectangle of the
// context with a ternary raster operation.
bool draw_bitmap(HDC hdc, const RECT& dst_logical, const Bitmap& bitmap, const RECT& src, DWORD rop);

// The system colours come from the window layer's table: it installs the lookup (by the
// platform's colour index). Until then the classic colours drawing needs are used.
void set_system_colour_source(COLORREF (*lookup)(int index));
COLORREF system_colour(int index, COLORREF classic);
// A brush handle that is a colour index plus one (as window classes give their background)
// names that system colour; nothing for other values.
std::optional<BrushSpec> system_colour_brush(const void* brush);

// The context behind a handle, or null.
DeviceContext* context_of(HDC hdc);
// Makes a context over a device and returns its handle.
HDC create_context(std::unique_ptr<Device> device, bool memory = false);
// The device that memory contexts made from no context (CreateCompatibleDC(NULL)) copy: the
// Qt layer installs the screen; until then the recording device serves.
void set_screen_device_factory(std::unique_ptr<Device> (*factory)());
std::unique_ptr<Device> make_screen_device();

}  // namespace gdi
