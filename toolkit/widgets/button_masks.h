// The masks behind the embossed (disabled), checked and indeterminate looks of self-drawn buttons:
// a one-bit mask that is 1 where a composed button shows its face or highlight colour, and a brush
// painted through such a mask.
#pragma once

#include "platform/gdi/core/afx_gdi.h"

namespace button_masks {

// Ternary raster operations: the brush where the mask is 0 (the image), the destination where it
// is 1; and the brush where the mask is 1 (the face).
constexpr DWORD kBrushWhereImage = 0x00B8074A;
constexpr DWORD kBrushWhereFace = 0x00E20746;

// Whitens `mask` over `cx` x `cy` at `at`, then sets to 1 the pixels of `source`'s `from` rectangle
// that show the face or the highlight colour.
void MakeFaceMask(CDC& mask, CPoint at, CDC& source, const CRect& from, COLORREF face, COLORREF hilite);
// Paints `brush` over `to` of `target` through the mask's pixels starting at `maskAt`, with `rop`.
void PaintThroughMask(CDC& target, const CRect& to, CDC& mask, CPoint maskAt, CBrush* brush, DWORD rop);

}  // namespace button_masks
