// The outline a mouse drag shows on the desktop (a control bar being dragged or a floating frame
// being sized). The desktop cannot be drawn on directly, so the outline is four thin topmost
// windows laid along the rectangle's edges: they take no clicks and no activation and cover
// nothing but the outline itself. A thick outline is drawn in the halftone pattern (the bar would
// float), a thin one solid (the bar would dock).
#pragma once

#include <array>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

namespace framework {

class DragOutline {
 public:
  DragOutline() = default;
  ~DragOutline();
  DragOutline(const DragOutline&) = delete;
  DragOutline& operator=(const DragOutline&) = delete;

  // Shows the outline of `rect` (screen coordinates) with edges `size` thick, in place of the
  // last one; a zero size removes it.
  void Draw(const CRect& rect, CSize size, bool halftone);
  void Remove();

  bool visible() const { return m_edges[0] != nullptr; }
  const CRect& rect() const { return m_rect; }
  CSize size() const { return m_size; }
  bool halftone() const { return m_halftone; }
  // The four edge windows (top, bottom, left, right), null while nothing is shown.
  const std::array<HWND, 4>& edges() const { return m_edges; }

 private:
  std::array<HWND, 4> m_edges{};
  CRect m_rect;
  CSize m_size;
  bool m_halftone = false;
};

}  // namespace framework
