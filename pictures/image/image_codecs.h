// The four picture codecs. Each reads a whole file into the pixel store and writes it back out;
// a reader refuses what it cannot show (a malformed or unsupported file, a picture above the size
// caps) by returning false, and never trusts a size or offset it has not checked.
//
// The stream forms (ReadStream / WriteStream) work on any stdio stream, so the same code serves
// files and bytes in memory.
#pragma once

#include <cstdio>
#include <functional>

#include "pictures/image/image_impl.h"

// Opens a file named in CP1250 with a stdio mode; null when it cannot be opened.
FILE* OpenImageFile(const CString& fileName, const char* mode);

// Opens the named file and hands it to a codec's stream reader or writer; a written file counts
// only when it also closes cleanly.
bool ReadImageFile(const CString& fileName, const std::function<bool(FILE*)>& read);
bool WriteImageFile(const CString& fileName, const std::function<bool(FILE*)>& write);

// Windows bitmap files (and bare bitmaps without the file header).
class CImageCodecBMP : public CImageCodec {
 public:
  using CImageCodec::CImageCodec;
  BOOL Read(const char* fileName) override;
  BOOL Write(const char* fileName) override;
  bool ReadStream(FILE* file);
  bool WriteStream(FILE* file);
};

// JPEG through libjpeg: colour pictures are quantised to 150 colours, greyscale ones get a grey
// palette; writing gives a baseline RGB file.
class CImageCodecJPG : public CImageCodec {
 public:
  using CImageCodec::CImageCodec;
  BOOL Read(const char* fileName) override;
  BOOL Write(const char* fileName) override;
  bool ReadStream(FILE* file);
  bool WriteStream(FILE* file);
  int quality = 30;
};

// GIF with our own LZW decoder; the last image of a file is kept. No writer.
class CImageCodecGIF : public CImageCodec {
 public:
  using CImageCodec::CImageCodec;
  BOOL Read(const char* fileName) override;
  BOOL Write(const char* fileName) override;
  bool ReadStream(FILE* file);
};

// PNG through libpng: alpha is composed onto a fixed background, 16-bit channels become 8.
class CImageCodecPNG : public CImageCodec {
 public:
  using CImageCodec::CImageCodec;
  BOOL Read(const char* fileName) override;
  BOOL Write(const char* fileName) override;
  bool ReadStream(FILE* file);
  bool WriteStream(FILE* file);
};
