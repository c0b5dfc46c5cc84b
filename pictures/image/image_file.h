// The image object: a picture file read into a device-independent bitmap and drawn from it.
//
// CImageFile owns the file name, the picture type and one codec; every size, pixel, palette and
// drawing call goes to the codec. A type of IMAGE_NONE chooses the codec by the file's extension.
// Whether a read succeeded shows in the size: a picture that could not be read has no positive
// width and height (and IsValid is false when no picture was made at all).
#pragma once

#include <memory>

#include "pictures/image/image_codecs.h"
#include "platform/base/object.h"

enum ImageType : int {
  IMAGE_NONE = -1,
  IMAGE_BMP = 0,
  IMAGE_JPG = 1,
  IMAGE_GIF = 2,
  IMAGE_XPM = 3,  // known by its extension, without a codec
  IMAGE_PNG = 4,
};

// The type named by the text after the last '.' of a file name (any case); IMAGE_NONE when there
// is no such text or no such type.
ImageType ImageTypeFromFileName(const char* fileName);

class CImageFile : public CObject {
  DECLARE_DYNAMIC(CImageFile)

 public:
  explicit CImageFile(const char* fileName = "", ImageType type = IMAGE_NONE);
  ~CImageFile() override;

  // Without a codec: 0 for sizes and depth, -1 for indices, false for the rest.
  virtual int GetRowBytes() const;
  virtual int GetWidth() const;
  virtual int GetHeight() const;
  virtual int GetBitsPerPixel() const;
  virtual int GetColorType() const;
  virtual BOOL Inside(int x, int y) const;
  // Makes an empty picture (with a BMP codec when there is none yet); the row byte count or 0.
  virtual int Create(int width, int height, int bitsPerPixel, int colorType);
  // Replaces the codec by the one of `type`; false (and no codec) for a type without one.
  virtual BOOL CreateImpl(const char* fileName, ImageType type);
  virtual BOOL Draw(CDC* dc, int x, int y, int w = -1, int h = -1, int xSrc = 0, int ySrc = 0);
  virtual BOOL Stretch(CDC* dc, int x, int y, int w = -1, int h = -1, int xSrc = 0, int ySrc = 0,
                       int wSrc = -1, int hSrc = -1);
  virtual int GetIndex(int x, int y) const;
  virtual BOOL GetRGB(int x, int y, BYTE* red, BYTE* green, BYTE* blue) const;
  virtual BOOL SetIndex(int x, int y, int index);
  virtual BOOL SetRGB(int x, int y, BYTE red, BYTE green, BYTE blue);
  virtual BOOL SetPalette(int count, const BYTE* red, const BYTE* green = nullptr,
                          const BYTE* blue = nullptr);
  virtual BOOL SetPalette(int count, const PaletteTriplet* rgb);
  virtual BOOL SetPalette(std::unique_ptr<CPalette> palette);
  virtual CPalette* GetPalette() const;
  virtual BOOL IsValid() const;
  virtual CImageImpl* GetImpl() const { return impl.get(); }
  virtual BYTE* GetBits() const;

  // Writes the picture with the codec of its type; false without one or when writing fails.
  BOOL Write(const char* fileName = "");
  ImageType GetType() const { return type; }
  const CString& GetFileName() const { return fileName; }

 private:
  ImageType type = IMAGE_NONE;
  CString fileName;
  std::unique_ptr<CImageImpl> impl;
};
