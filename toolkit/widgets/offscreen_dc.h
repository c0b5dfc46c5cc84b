// OffscreenDC: a memory context over a bitmap compatible with a target context, covering one
// rectangle of it with the same mapping, so that drawing meant for the target lands in the bitmap.
// Destruction copies the rectangle back to the target in one step, which keeps painting free of
// flicker.
#pragma once

#include "platform/gdi/core/afx_gdi.h"

class OffscreenDC : public CDC {
 public:
  OffscreenDC(CDC* target, const CRect& rect);
  ~OffscreenDC() override;
  OffscreenDC(const OffscreenDC&) = delete;
  OffscreenDC& operator=(const OffscreenDC&) = delete;

  // False when the bitmap could not be made; draw to the target then.
  bool IsValid() const { return valid_; }

 private:
  CDC* target_;
  CRect rect_;
  CBitmap bitmap_;
  CBitmap* old_ = nullptr;
  bool valid_ = false;
};
