// Image lists: equally sized images kept with a mask, filled from bitmap strips (one image per
// cx pixels, the pixels of the mask colour transparent) or icons, and drawn with the ILD_ styles.
// Overlay images are ordinary images registered under an overlay index (1 to 15) and drawn over
// another.
//
// A list lives in the layer under a handle (HIMAGELIST), as a window does: several CImageList
// objects may refer to one list (Attach, Detach, FromHandle), and destroying it through any of
// them leaves the others with a stale handle that every call refuses. A CImageList destroys the
// list it holds when it goes; Detach hands the list on instead.
//
// One drag image exists per process (BeginDrag to EndDrag): a copy of an image that follows the
// mouse over a locked window. It is drawn over that window's pixels, which are kept and put back
// whenever it moves, hides or ends. As with a locked window, code that draws into the window
// while the image shows hides it first (DragShowNolock(FALSE)). There is no desktop to lock:
// DragEnter needs a window.
#pragma once

#include "platform/gdi/core/afx_gdi.h"

class CArchive;
class CWnd;

struct IMAGELIST_;
using HIMAGELIST = IMAGELIST_*;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_ROP = 0x0040;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_OVERLAYMASK = 0x0F00;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND = ILD_BLEND50;
constexpr UINT INDEXTOOVERLAYMASK(UINT i) { return i << 8; }

// Copy: the source image replaces the destination, or the two change places.
constexpr UINT ILCF_MOVE = 0x0000;
constexpr UINT ILCF_SWAP = 0x0001;

constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// One drawing of an image with everything said: the part of the image (from xBitmap, yBitmap;
// cx or cy 0 for the image's own size), the background under transparent pixels (rgbBk:
// CLR_DEFAULT the list's, CLR_NONE none) and the colour blended in by ILD_BLEND25/50 (rgbFg:
// CLR_DEFAULT the highlight colour, CLR_NONE what lies under the image). With ILD_ROP the image
// is transferred whole with dwRop.
struct IMAGELISTDRAWPARAMS {
  DWORD cbSize = sizeof(IMAGELISTDRAWPARAMS);
  HIMAGELIST himl = nullptr;
  int i = 0;
  HDC hdcDst = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  int xBitmap = 0;
  int yBitmap = 0;
  COLORREF rgbBk = CLR_DEFAULT;
  COLORREF rgbFg = CLR_DEFAULT;
  UINT fStyle = ILD_NORMAL;
  DWORD dwRop = SRCCOPY;
};

// Destroys the list behind the handle; FALSE for a stale or null handle.
BOOL ImageList_Destroy(HIMAGELIST himl);
BOOL ImageList_DrawIndirect(const IMAGELISTDRAWPARAMS* params);

class CImageList {
 public:
  CImageList() = default;
  ~CImageList();
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // `nInitial` and `nGrow` only reserve room; the list grows as needed. A list already held is
  // destroyed first.
  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // A masked list of the bitmap resource's images, `cx` wide and as high as the bitmap.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  // One image: image `nImage2` of the second list drawn over image `nImage1` of the first,
  // moved by (dx, dy); the list is as large as both together and transparent where both are.
  BOOL Create(CImageList* pImageList1, int nImage1, CImageList* pImageList2, int nImage2, int dx, int dy);
  // A new list with copies of every image, the overlays and the background colour.
  BOOL Create(CImageList* pImageList);
  BOOL DeleteImageList();
  BOOL IsCreated() const;

  HIMAGELIST m_hImageList = nullptr;
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  operator HIMAGELIST() const { return m_hImageList; }
  // Takes the list behind the handle (a stale handle is refused); the object must hold none.
  BOOL Attach(HIMAGELIST hImageList);
  // Lets the list go without destroying it.
  HIMAGELIST Detach();
  // The object attached to a live handle, else one the layer keeps for it (until the list is
  // destroyed); null for a stale handle.
  static CImageList* FromHandle(HIMAGELIST hImageList);

  // Appends every image of the strip (its width divided by cx, at least one); the pixels of
  // `crMask` become transparent when the list has a mask. Returns the first new index or -1.
  int Add(CBitmap* pbmImage, COLORREF crMask);
  // As above, the transparent pixels given by a monochrome bitmap (set bits are transparent).
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  // Appends the icon, scaled to the list's size; its mask makes the transparent pixels.
  int Add(HICON hIcon);
  // Replaces one image by the first image of the bitmap (and mask); FALSE for a bad index.
  BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
  // Replaces one image by the icon; -1 appends it. Returns the image's index or -1.
  int Replace(int nImage, HICON hIcon);
  // A new icon of the image (the caller destroys it); null for a bad index.
  HICON ExtractIcon(int nImage) const;
  BOOL Remove(int nImage);
  // Copies image `iSrc` of `pSrc` (this list when null) over `iDst`, or swaps them with
  // ILCF_SWAP; both lists must have one size.
  BOOL Copy(int iDst, int iSrc, UINT uFlags = ILCF_MOVE);
  BOOL Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags = ILCF_MOVE);
  int GetImageCount() const;
  // Grows the list with transparent images or cuts it.
  BOOL SetImageCount(UINT uNewCount);
  BOOL GetIconSize(int& cx, int& cy) const;

  // The colour under transparent pixels in ILD_NORMAL drawing; CLR_NONE keeps them transparent.
  COLORREF SetBkColor(COLORREF cr);
  COLORREF GetBkColor() const;
  BOOL SetOverlayImage(int nImage, int nOverlay);

  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) const;
  BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp) const;
  BOOL DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle = ILD_NORMAL,
                    DWORD dwRop = SRCCOPY, COLORREF rgbBack = CLR_DEFAULT, COLORREF rgbFore = CLR_DEFAULT) const;

  // The list in an archive and back (see image_list.cpp for the bytes). Read replaces what the
  // object holds; a malformed archive throws CArchiveException and leaves the object empty.
  BOOL Write(CArchive* pArchive) const;
  BOOL Read(CArchive* pArchive);

  // The drag image: a copy of image `nImage` whose point `ptHotSpot` follows the mouse.
  BOOL BeginDrag(int nImage, CPoint ptHotSpot);
  static void EndDrag();
  // Locks `pWndLock` and shows the image with its hot spot at `point`, relative to the window's
  // top-left corner (non-client area included); FALSE without a drag or a window.
  static BOOL DragEnter(CWnd* pWndLock, CPoint point);
  static BOOL DragLeave(CWnd* pWndLock);
  static BOOL DragMove(CPoint pt);
  static BOOL DragShowNolock(BOOL bShow);
  // The drag image's list, and where it is and its hot spot.
  static CImageList* GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot);
};
