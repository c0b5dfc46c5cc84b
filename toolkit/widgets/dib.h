// A device-independent bitmap held in memory: the BITMAPINFO (header and colour table) and the
// bottom-up pixel rows, with a palette made from the colour table. It reads and writes BMP files
// (dib_file.h), is filled from a device-dependent bitmap, and draws itself with StretchDIBits,
// halftoning when a palette screen shows an image of another depth.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/object.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/gdi_types.h"

class SECDibBase : public CObject {
  DECLARE_DYNAMIC(SECDibBase)

 public:
  SECDibBase();
  ~SECDibBase() override;

  // The palette of the colour table; none for 24 bits (then TRUE as well).
  virtual BOOL CreatePalette();
  // Reads a BMP file; a file that cannot be read leaves the current image as it was.
  virtual BOOL LoadFile(const CString& name);
  // Reads a BMP file's bytes; on failure the current image stays.
  virtual BOOL Load(std::span<const uint8_t> bytes);
  virtual BOOL SaveFile(const CString& name);
  virtual BOOL Save(std::vector<uint8_t>& out);
  virtual BOOL Clear();
  virtual BOOL FinishRead();
  virtual BOOL PrepareWrite() { return TRUE; }
  virtual BOOL FinishWrite() { return TRUE; }
  virtual BOOL WriteImage(std::vector<uint8_t>& out) = 0;
  virtual BOOL ReadImage(std::span<const uint8_t> bytes) = 0;

  // Takes the image of `dc`'s bitmap: 1, 4 or 8 bits as they are, deeper ones as 24 bits.
  BOOL CreateFromBitmap(CDC* dc, CBitmap* bitmap);
  // Draws `src` of the image into `dest`.
  int Draw(CDC* dc, const RECT& dest, const RECT& src, DWORD rop = SRCCOPY);
  // Moves the data, palette and sizes of `other` into this image and leaves `other` empty.
  void TakeOver(SECDibBase& other);
  // Spreads packed rows to 4-byte alignment in place.
  void AlignRows();

  int GetBitCount() const { return bit_count_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  int GetColourCount() const { return colour_count_; }
  bool IsEmpty() const { return info_.empty(); }
  const BITMAPINFO* GetInfo() const;
  const std::vector<uint8_t>& GetBits() const { return bits_; }
  CPalette* GetPalette() const { return palette_.get(); }
  bool GetHalftone() const { return halftone_; }
  size_t RowBytes() const;

 protected:
  // Sets the image from a decoded file.
  void set_image(const BITMAPINFOHEADER& header, const std::vector<RGBQUAD>& colours, std::vector<uint8_t> bits);
  BITMAPINFOHEADER* header();
  RGBQUAD* colour_table();

  int bit_count_ = 0;
  int screen_bit_count_ = 0;
  int screen_planes_ = 1;
  bool aligned_ = false;
  int stride8_ = 0;
  int width_ = 0;
  int height_ = 0;
  uint16_t colour_count_ = 0;
  uint16_t screen_colour_count_ = 0;
  std::unique_ptr<CPalette> palette_;
  std::vector<uint8_t> bits_;
  std::vector<uint8_t> info_;  // BITMAPINFOHEADER, then the colour table
  bool halftone_ = false;
};

class SECDib : public SECDibBase {
  DECLARE_SERIAL(SECDib)

 public:
  SECDib() = default;
  // Storing writes the BMP file's bytes; loading reads them back.
  void Serialize(CArchive& ar) override;
  BOOL WriteImage(std::vector<uint8_t>& out) override;
  BOOL ReadImage(std::span<const uint8_t> bytes) override;
};
