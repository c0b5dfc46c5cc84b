#include "toolkit/widgets/offscreen_dc.h"

OffscreenDC::OffscreenDC(CDC* target, const CRect& rect) : target_(target), rect_(rect) {
  if (!target || rect.IsRectEmpty()) return;
  if (!CreateCompatibleDC(target)) return;
  if (!bitmap_.CreateCompatibleBitmap(target, rect.Width(), rect.Height())) {
    DeleteDC();
    return;
  }
  old_ = SelectObject(&bitmap_);
  SetMapMode(target->GetMapMode());
  SetWindowExt(target->GetWindowExt());
  SetViewportExt(target->GetViewportExt());
  SetWindowOrg(target->GetWindowOrg());
  CPoint origin = target->GetViewportOrg();
  SetViewportOrg(origin.x - rect.left, origin.y - rect.top);
  valid_ = true;
}

OffscreenDC::~OffscreenDC() {
  if (!valid_) return;
  SetViewportOrg(0, 0);
  CPoint origin = target_->GetViewportOrg();
  target_->SetViewportOrg(0, 0);
  target_->BitBlt(rect_.left + origin.x, rect_.top + origin.y, rect_.Width(), rect_.Height(), this, 0, 0, SRCCOPY);
  target_->SetViewportOrg(origin);
  SelectObject(old_);
}
