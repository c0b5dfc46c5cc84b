// The button images of a toolbar: one strip of equally wide images side by side, read from a
// bitmap resource (a DIB without file header), and drawn onto a button in its looks.
//
// The artwork's four grey-scale colours stand for the system's button colours and are mapped to
// them when the strip is read: black the button text, dark grey the shadow, light grey
// (0xC0C0C0) the face, white the highlight. Face pixels are transparent: the button shows
// through them (a checked button's dither, a raised or sunken face). Two masks are made once:
// the transparent pixels, and the dark pixels (neither face nor highlight) that a disabled image
// is embossed from.
#pragma once

#include <cstdint>
#include <span>

#include "platform/gdi/core/afx_gdi.h"

namespace framework::toolbar {

class ImageStrip {
 public:
  enum class Look { normal, disabled, indeterminate };

  // Reads the strip; false (and the strip unchanged) when the bytes are not a picture.
  bool load(std::span<const uint8_t> dib);
  bool loaded() const { return width_ > 0; }
  // The number of whole images of `image` size in the strip.
  int count(CSize image) const;
  // Draws image `index` of `image` size with its top-left corner at `at`; nothing for an image
  // the strip does not hold.
  void draw(CDC* pDC, int index, CSize image, CPoint at, Look look) const;

 private:
  int width_ = 0;
  int height_ = 0;
  CBitmap colour_;       // the images, transparent pixels black
  CBitmap transparent_;  // white where transparent
  CBitmap dark_;         // black where dark
};

}  // namespace framework::toolbar
