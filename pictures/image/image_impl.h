// The pixel store of a picture and the base of its codecs.
//
// A picture lives once, as one packed device-independent bitmap in a locked global block:
//   - a 40-byte BITMAPINFOHEADER (bit count, size, colours used),
//   - a 1,024-byte colour table (RGBQUAD colours; once a palette is installed, 16-bit indices
//     0..n-1 into `imagePalette`, drawn with DIB_PAL_COLORS),
//   - the pixel rows, bottom-up, each `rowBytes` long (padded to 4 bytes).
// With BI_BITFIELDS (16 and 32 bits) the three colour masks follow the header and the rows follow
// the masks. `bits` points at the bottom row.
//
// Sizes are checked before anything is allocated: at most kMaxImageSide pixels a side and a
// block of at most kMaxGlobalBlock bytes, counted in 64 bits.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/base/global_memory.h"
#include "platform/gdi/core/afx_gdi.h"

inline constexpr int kMaxImageSide = 16384;
// Header and colour table in front of the rows.
inline constexpr size_t kImageInfoBytes = 40 + 256 * 4;

// One palette colour as files store it: red, green, blue.
struct PaletteTriplet {
  BYTE red, green, blue;
};

class CImageImpl {
 public:
  CImageImpl();
  CImageImpl(const CImageImpl&) = delete;
  CImageImpl& operator=(const CImageImpl&) = delete;
  virtual ~CImageImpl();

  virtual BOOL Inside(int x, int y) const;
  // Makes a new, zeroed picture; a negative colour type becomes 0 (grey or no palette) for 8 bits
  // per pixel or fewer and 2 (true colour) above. Returns the row byte count, 0 when the size or
  // depth is refused or the memory is not available (the old picture is then gone).
  virtual int Create(int width, int height, int bitsPerPixel, int colorType);
  // The byte that holds the pixel (for 1 and 4 bits per pixel the whole byte); -1 outside or
  // above 8 bits per pixel. Rows count from the bottom of the picture.
  virtual int GetIndex(int x, int y) const;
  virtual BOOL GetRGB(int x, int y, BYTE* red, BYTE* green, BYTE* blue) const;
  virtual BOOL SetIndex(int x, int y, int index);
  virtual BOOL SetRGB(int x, int y, BYTE red, BYTE green, BYTE blue);
  virtual BOOL Read(const char* fileName);
  virtual BOOL Write(const char* fileName);

  // A palette of `count` entries (at most 256); a missing green array takes the red one and a
  // missing blue array the green one.
  BOOL SetPalette(int count, const BYTE* red, const BYTE* green = nullptr, const BYTE* blue = nullptr);
  // A palette from `count` red-green-blue triplets; replaces any palette there is.
  BOOL SetPalette(int count, const PaletteTriplet* rgb);
  // Takes `palette` itself; false for none.
  BOOL SetPalette(std::unique_ptr<CPalette> palette);
  CPalette* GetPalette() const { return imagePalette.get(); }

  // Copies the picture unscaled; -1 for the size means the picture's own. False without a
  // picture, true without a context.
  BOOL Draw(CDC* dc, int x, int y, int w = -1, int h = -1, int xSrc = 0, int ySrc = 0);
  // Stretches a part of the picture (source rectangle counted from the top-left corner); -1 for
  // the destination size means the picture's size, for the source size the rest of the picture.
  // With a transparent index, pixels of that index leave the destination as it was.
  BOOL Stretch(CDC* dc, int x, int y, int w = -1, int h = -1, int xSrc = 0, int ySrc = 0,
               int wSrc = -1, int hSrc = -1);

  BOOL HasDib() const { return dib != nullptr; }
  BITMAPINFOHEADER* Header() const { return header; }
  // The palette index of one pixel of a picture of 8 bits per pixel or fewer; -1 outside.
  int PixelIndex(int x, int y) const;
  // The colour of a pixel: through the palette, the colour table or the stored bytes.
  bool PixelColour(int x, int y, BYTE& red, BYTE& green, BYTE& blue) const;
  // Row `y` counted from the top of the picture.
  BYTE* TopRow(int y) const { return bits + size_t(height - 1 - y) * size_t(rowBytes); }

  BYTE* bits = nullptr;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int colorType = 0;
  int rowBytes = 0;
  HGLOBAL dib = nullptr;
  int transparentIndex = -1;
  std::unique_ptr<CPalette> imagePalette;

 protected:
  // Row bytes for a width and depth; 0 when refused.
  static int RowBytesFor(int width, int bitsPerPixel);
  // Installs `palette` and turns the colour table into indices.
  void InstallPalette(std::unique_ptr<CPalette> palette);
  // Writes the palette's colours back into the colour table (RGBQUAD form); returns their count.
  int ColourTableFromPalette();
  void FreeDib();

 private:
  // Draws with the picture's palette selected in `dc` (and the old one put back afterwards).
  BOOL StretchPass(CDC* dc, int x, int y, int w, int h, int xSrc, int ySrc, int wSrc, int hSrc,
                   DWORD rop);
  UINT Usage() const;

  BITMAPINFOHEADER* header = nullptr;
};

// A codec: the pixel store with the file it was last read from or written to.
class CImageCodec : public CImageImpl {
 public:
  explicit CImageCodec(const char* fileName = "") : fileName(fileName ? fileName : "") {}
  CString fileName;

 protected:
  // A non-empty argument replaces `fileName`.
  void TakeName(const char* name) {
    if (name && *name) fileName = name;
  }
};
