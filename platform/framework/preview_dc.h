// The device context of a print preview: it answers as the printer does (resolution, page size,
// printer technology, so views lay pages out exactly as they will print) while its drawing lands,
// scaled down, on a page drawn inside another context (the preview window or a test recording).
//
// Device units of the preview context are printer pixels; a point (x, y) of the page shows at
// on_target.left + x * on_target.width / page.width (rounded as MulDiv rounds), and the same for
// y. Text keeps the printer's layout: the font is measured at printer size, and every character
// is placed at its scaled printer position in a font scaled to the page shown. Nothing is drawn
// outside `on_target` or outside the target context's own clip.
#pragma once

#include "platform/gdi/core/gdi_types.h"

namespace framework {

// The printed page: its size in printer pixels and the printer's resolution.
struct PreviewPage {
  int width = 2480;  // A4 at 300 dots per inch
  int height = 3508;
  int dpi_x = 300;
  int dpi_y = 300;
};

// A context drawing the page `page` onto `on_target` (target device pixels) of `target`, or null
// for a stale target or an empty page. The target must outlive it; delete it with DeleteDC.
HDC create_preview_dc(HDC target, const PreviewPage& page, const RECT& on_target);

}  // namespace framework
