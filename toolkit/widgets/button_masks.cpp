#include "toolkit/widgets/button_masks.h"

namespace button_masks {

void MakeFaceMask(CDC& mask, CPoint at, CDC& source, const CRect& from, COLORREF face, COLORREF hilite) {
  mask.PatBlt(at.x, at.y, from.Width(), from.Height(), WHITENESS);
  // A colour source copied into one bit gives 1 where it shows the background colour.
  const COLORREF old = source.SetBkColor(face);
  mask.BitBlt(at.x, at.y, from.Width(), from.Height(), &source, from.left, from.top, SRCCOPY);
  source.SetBkColor(hilite);
  mask.BitBlt(at.x, at.y, from.Width(), from.Height(), &source, from.left, from.top, SRCPAINT);
  source.SetBkColor(old);
}

void PaintThroughMask(CDC& target, const CRect& to, CDC& mask, CPoint maskAt, CBrush* brush, DWORD rop) {
  // A one-bit source takes the target's colours: 0 the text colour, 1 the background colour.
  const COLORREF oldText = target.SetTextColor(RGB(0, 0, 0));
  const COLORREF oldBk = target.SetBkColor(RGB(255, 255, 255));
  CBrush* old = target.SelectObject(brush);
  target.BitBlt(to.left, to.top, to.Width(), to.Height(), &mask, maskAt.x, maskAt.y, rop);
  target.SelectObject(old);
  target.SetTextColor(oldText);
  target.SetBkColor(oldBk);
}

}  // namespace button_masks
