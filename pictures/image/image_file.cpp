#include "pictures/image/image_file.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

IMPLEMENT_DYNAMIC(CImageFile, CObject)

namespace {

struct ExtensionRow {
  const char* extension;
  ImageType type;
};
// Sorted by extension for the search by bisection.
constexpr ExtensionRow kExtensions[] = {
    {"BMP", IMAGE_BMP}, {"GIF", IMAGE_GIF}, {"JPG", IMAGE_JPG}, {"PNG", IMAGE_PNG}, {"XPM", IMAGE_XPM}};

}  // namespace

ImageType ImageTypeFromFileName(const char* fileName) {
  if (!fileName) return IMAGE_NONE;
  const char* dot = std::strrchr(fileName, '.');
  if (!dot || dot[1] == '\0') return IMAGE_NONE;
  const char* extension = dot + 1;
  auto row = std::lower_bound(std::begin(kExtensions), std::end(kExtensions), extension,
                              [](const ExtensionRow& r, const char* e) { return strcasecmp(r.extension, e) < 0; });
  if (row == std::end(kExtensions) || strcasecmp(row->extension, extension) != 0) return IMAGE_NONE;
  return row->type;
}

CImageFile::CImageFile(const char* name, ImageType imageType) {
  ImageType previous = type;
  fileName = name ? name : "";
  if (imageType == IMAGE_NONE) imageType = ImageTypeFromFileName(fileName);
  type = imageType;
  if (!impl || type != previous) CreateImpl(fileName, type);
  if (impl) impl->Read(fileName);
}

CImageFile::~CImageFile() = default;

BOOL CImageFile::CreateImpl(const char* name, ImageType imageType) {
  impl.reset();
  switch (imageType) {
    case IMAGE_BMP: impl = std::make_unique<CImageCodecBMP>(name); break;
    case IMAGE_JPG: impl = std::make_unique<CImageCodecJPG>(name); break;
    case IMAGE_GIF: impl = std::make_unique<CImageCodecGIF>(name); break;
    case IMAGE_PNG: impl = std::make_unique<CImageCodecPNG>(name); break;
    default: return FALSE;
  }
  return TRUE;
}

int CImageFile::Create(int width, int height, int bitsPerPixel, int colorType) {
  if (!impl) {
    impl = std::make_unique<CImageCodecBMP>("");
    type = IMAGE_BMP;
  }
  return impl->Create(width, height, bitsPerPixel, colorType);
}

BOOL CImageFile::Write(const char* name) { return impl ? impl->Write(name) : FALSE; }

int CImageFile::GetRowBytes() const { return impl ? impl->rowBytes : 0; }
int CImageFile::GetWidth() const { return impl ? impl->width : 0; }
int CImageFile::GetHeight() const { return impl ? impl->height : 0; }
int CImageFile::GetBitsPerPixel() const { return impl ? impl->bitsPerPixel : 0; }
int CImageFile::GetColorType() const { return impl ? impl->colorType : 0; }
BOOL CImageFile::Inside(int x, int y) const { return impl ? impl->Inside(x, y) : FALSE; }

BOOL CImageFile::Draw(CDC* dc, int x, int y, int w, int h, int xSrc, int ySrc) {
  return impl ? impl->Draw(dc, x, y, w, h, xSrc, ySrc) : FALSE;
}

BOOL CImageFile::Stretch(CDC* dc, int x, int y, int w, int h, int xSrc, int ySrc, int wSrc, int hSrc) {
  return impl ? impl->Stretch(dc, x, y, w, h, xSrc, ySrc, wSrc, hSrc) : FALSE;
}

int CImageFile::GetIndex(int x, int y) const { return impl ? impl->GetIndex(x, y) : -1; }
BOOL CImageFile::GetRGB(int x, int y, BYTE* r, BYTE* g, BYTE* b) const {
  return impl ? impl->GetRGB(x, y, r, g, b) : FALSE;
}
BOOL CImageFile::SetIndex(int x, int y, int index) { return impl ? impl->SetIndex(x, y, index) : FALSE; }
BOOL CImageFile::SetRGB(int x, int y, BYTE r, BYTE g, BYTE b) {
  return impl ? impl->SetRGB(x, y, r, g, b) : FALSE;
}
BOOL CImageFile::SetPalette(int count, const BYTE* r, const BYTE* g, const BYTE* b) {
  return impl ? impl->SetPalette(count, r, g, b) : FALSE;
}
BOOL CImageFile::SetPalette(int count, const PaletteTriplet* rgb) { return impl ? impl->SetPalette(count, rgb) : FALSE; }
BOOL CImageFile::SetPalette(std::unique_ptr<CPalette> palette) {
  return impl ? impl->SetPalette(std::move(palette)) : FALSE;
}
CPalette* CImageFile::GetPalette() const { return impl ? impl->GetPalette() : nullptr; }
BOOL CImageFile::IsValid() const { return impl && impl->HasDib(); }
BYTE* CImageFile::GetBits() const { return impl ? impl->bits : nullptr; }
