// One device-independent bitmap in memory, and a palette built from it (the about box's picture).
//
// The bitmap is held as `info` (a 1,064-byte block: the 40-byte BITMAPINFOHEADER and a colour
// table of up to 256 RGBQUAD entries) and `bits` (the rows, bottom-up, each padded to 4 bytes),
// which the object owns or borrows. A bitmap file is a 14-byte file header ("BM", file size, two
// reserved words, offset of the rows), an info header (40 bytes, or the 12-byte core form with
// 16-bit sizes and 3-byte colour entries), the colour table and the rows.
//
// Loading checks every header field and that the rows are all there; a failed load or create
// keeps the previous picture.
#pragma once

#include <cstdint>
#include <span>

#include "platform/base/archive.h"
#include "platform/base/cfile.h"
#include "platform/base/geometry.h"
#include "platform/base/global_memory.h"
#include "platform/base/object.h"
#include "platform/gdi/core/afx_gdi.h"

inline constexpr size_t kDibInfoBytes = 40 + 256 * 4;

class CDIB : public CObject, public CGdiObject {
  DECLARE_SERIAL(CDIB)

 public:
  CDIB();
  ~CDIB() override;

  // Loading reads a bitmap file from the archive's bytes; storing writes one.
  void Serialize(CArchive& ar) override;
  virtual BOOL LoadResource(UINT id);
  // An empty name asks for a file.
  virtual BOOL Load(const char* fileName);
  virtual BOOL Load(CFile& file);
  // The element read through the media I/O as "<file>+<element>": a file stored in a title when
  // the file's extension has an I/O procedure (".M14"), else the plain file of that name.
  virtual BOOL Load(const char* fileName, const char* element);
  virtual BOOL Save(CFile& file);
  // An empty name asks for a file; failures are told to the user.
  virtual BOOL Save(const char* fileName);
  virtual BOOL Draw(CDC* dc, int x, int y, DWORD rop);
  virtual BOOL Draw(CDC* dc, int x, int y);
  // Draws the n-th quarter of the picture's width.
  virtual BOOL DrawStrip(HDC dc, int x, int y, int strip);
  virtual BOOL DrawStrip(CDC* dc, int x, int y, int strip);
  virtual int GetWidth() const;
  virtual int GetHeight() const;
  virtual CSize GetSize() const;
  // Maps the colour table to the palette's nearest entries, rewrites every pixel and takes the
  // palette's colours as the table.
  virtual BOOL MapColorsToPalette(CPalette* palette);

  // A zeroed 8-bit picture with a grey colour table.
  BOOL Create(int width, int height);
  // Copies the header and colour table; borrows `bits` (which must hold the header's rows).
  BOOL Create(const BITMAPINFOHEADER* header, BYTE* bits);
  // Reads a whole bitmap file from memory; the rows are copied into the object's own memory.
  BOOL LoadBytes(std::span<const uint8_t> file);
  // Bytes of the bitmap file that Save writes.
  std::vector<uint8_t> FileBytes() const;

  // The byte of pixel (x, y) of an 8-bit picture, rows counted from the top; null outside.
  BYTE* GetPixelAddress(int x, int y) const;
  // Copies a block of 8-bit pixels into `target` at (x, y); source bytes equal to a transparent
  // value other than -1 are skipped. Both rectangles are clipped.
  BOOL CopyBits(CDIB* target, int x, int y, int width, int height, int xSrc, int ySrc,
                int transparent = -1);

  // Colours of the table: 2, 16 or 256 by the depth (0 above 8 bits), lowered by colours used.
  int GetColorCount() const;
  BITMAPINFOHEADER* GetHeader() const { return header; }
  RGBQUAD* GetColors() const;
  BYTE* GetBits() const { return bits; }
  int GetRowBytes() const;

  HGLOBAL info = nullptr;
  BYTE* bits = nullptr;
  bool ownsBits = true;
  HGLOBAL extra = nullptr;

 private:
  // Takes a new info block and rows in place of the old ones.
  void Replace(HGLOBAL newInfo, HGLOBAL newBits, BYTE* borrowed);
  void Free();

  BITMAPINFOHEADER* header = nullptr;
  HGLOBAL bitsBlock = nullptr;
};

class CPicturePalette : public CPalette {
 public:
  // One entry per colour of the bitmap's table; false when it has none.
  BOOL Create(CDIB* dib);
};
