// An image list: equally sized images kept with a mask, filled from bitmap strips (one image per
// cx pixels, the pixels of the mask colour transparent) and drawn with the ILD_ styles. Overlay
// images are ordinary images registered under an overlay index (1 to 15) and drawn over another.
#pragma once

#include <array>
#include <vector>

#include "platform/gdi/core/afx_gdi.h"

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR24 = 0x0018;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_OVERLAYMASK = 0x0F00;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT INDEXTOOVERLAYMASK(UINT i) { return i << 8; }

constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

class CImageList {
 public:
  // `nInitial` and `nGrow` only reserve room; the list grows as needed.
  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  BOOL DeleteImageList();
  BOOL IsCreated() const { return m_cx > 0; }

  // Appends every image of the strip (its width divided by cx, at least one); the pixels of
  // `crMask` become transparent when the list has a mask. Returns the first new index or -1.
  int Add(CBitmap* pbmImage, COLORREF crMask);
  // As above, the transparent pixels given by a monochrome bitmap (set bits are transparent).
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  BOOL Remove(int nImage);
  int GetImageCount() const { return int(m_images.size()); }
  BOOL GetIconSize(int& cx, int& cy) const;

  // The colour under transparent pixels in ILD_NORMAL drawing; CLR_NONE keeps them transparent.
  COLORREF SetBkColor(COLORREF cr);
  COLORREF GetBkColor() const { return m_background; }
  BOOL SetOverlayImage(int nImage, int nOverlay);

  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) const;

 private:
  struct Image {
    std::vector<COLORREF> pixels;  // row by row, cx by cy
    std::vector<bool> clear;       // transparent pixels
  };
  int add_strip(CBitmap* image, CBitmap* mask, COLORREF mask_colour);
  void draw_one(HDC hdc, const Image& image, POINT pt, UINT style, bool overlay) const;

  int m_cx = 0;
  int m_cy = 0;
  bool m_masked = false;
  COLORREF m_background = CLR_NONE;
  std::vector<Image> m_images;
  std::array<int, 16> m_overlays{};  // overlay index → image + 1; 0 for none
};
