// Logical to device coordinate mapping: the mapping mode with its window and viewport origins and
// extents.
//
// device = (logical - window origin) * viewport extent / window extent + viewport origin, in
// integer arithmetic rounded half away from zero (MulDiv), and the inverse for device to logical.
// The fixed modes take their extents from the device resolution: twips are 1440 per inch,
// hundredths of a millimetre 2540 per inch and so on, with y growing upwards. In the isotropic
// mode the viewport extent is shrunk on one axis so that both axes have the same scale.
#pragma once

#include "platform/gdi/core/gdi_types.h"

namespace gdi {

// Device coordinates are kept within this magnitude so that later arithmetic on them (widths,
// offsets) cannot overflow.
inline constexpr int kCoordinateLimit = 1 << 27;

struct Mapping {
  int mode = MM_TEXT;
  POINT window_org{0, 0};
  SIZE window_ext{1, 1};
  POINT viewport_org{0, 0};
  SIZE viewport_ext{1, 1};

  // Sets the mode; the fixed modes take their extents from the resolution. False for an unknown
  // mode (the mapping is then unchanged).
  bool set_mode(int new_mode, int dpi_x, int dpi_y);
  // Extents are changed only in the isotropic and anisotropic modes; a zero extent is refused.
  bool set_window_ext(int cx, int cy);
  bool set_viewport_ext(int cx, int cy);
  bool scalable() const { return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC; }

  POINT to_device(POINT logical) const;
  POINT to_logical(POINT device) const;
  // Converts a logical rectangle's corners (the result may have left > right when an axis is
  // flipped; callers normalise where the operation needs it).
  RECT to_device(const RECT& logical) const;
  RECT to_logical(const RECT& device) const;
  // Converts a length (no origin) along x or y; the sign is kept.
  int width_to_device(int w) const;
  int height_to_device(int h) const;
  int width_to_logical(int w) const;
  int height_to_logical(int h) const;

 private:
  void fit_isotropic();
};

RECT normalized(RECT r);

}  // namespace gdi
