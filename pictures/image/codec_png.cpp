// PNG through libpng.
//
// Reading lets libpng do every conversion, so that each row arrives in a form the pixel store
// keeps: 16-bit channels are stripped to 8, alpha (and a transparent colour) is composed onto the
// background (31, 127, 255), 2-bit pixels are unpacked to a byte each, and colour rows come blue
// first. The store then holds 1, 4 or 8 bits per pixel (palette or grey, with a grey palette
// installed for grey files) or 24 bits. libpng reports errors by a long jump back to the reading
// routine, so the frame that sets the jump holds no C++ objects.
#include <png.h>

#include <algorithm>
#include <vector>

#include "pictures/image/image_codecs.h"

namespace {

// Larger chunks than this (other than image data) are refused.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

[[noreturn]] void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

// What the reading routine hands to the frame that holds the jump.
struct PngRead {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<png_bytep>* rows = nullptr;
};

// Sets the conversions; returns the file's own bit depth (before conversion).
int SetConversions(png_structp png, png_infop info) {
  int depth = png_get_bit_depth(png, info);
  int type = png_get_color_type(png, info);
  bool transparentColour = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  // The background is given in the output's form (8-bit steps; grey 0 for grey files).
  png_color_16 background{};
  background.red = 31;
  background.green = 127;
  background.blue = 255;
  // A transparent colour becomes alpha, which needs full samples (and full colour for palettes).
  if (transparentColour) png_set_expand(png);
  if (transparentColour || (type & PNG_COLOR_MASK_ALPHA))
    png_set_background(png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  if (depth == 16) png_set_strip_16(png);
  if (depth == 2 && !transparentColour) png_set_packing(png);
  if (type & PNG_COLOR_MASK_COLOR) png_set_bgr(png);
  return depth;
}

// The part of reading that libpng may jump out of. Returns false after an error.
bool ReadPngFrame(CImageCodecPNG& image, FILE* file, PngRead& state) {
  png_structp png = state.png;
  png_infop info = state.info;
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_read_info(png, info);
  int fileType = png_get_color_type(png, info);
  int fileDepth = SetConversions(png, info);
  int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);

  int channels = png_get_channels(png, info);
  int depth = png_get_bit_depth(png, info);
  int bpp = channels * depth;
  int type = png_get_color_type(png, info);
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) return false;
  int w = int(png_get_image_width(png, info)), h = int(png_get_image_height(png, info));
  // The file's colour type, except that a palette expanded to full colour no longer is one.
  if (image.Create(w, h, bpp, bpp == 24 ? fileType & ~PNG_COLOR_MASK_PALETTE : fileType) == 0)
    return false;
  if (png_get_rowbytes(png, info) > size_t(image.rowBytes)) return false;

  if (type == PNG_COLOR_TYPE_PALETTE) {
    png_colorp colours = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &colours, &count) && count > 0) {
      PaletteTriplet rgb[256];
      count = count > 256 ? 256 : count;
      for (int i = 0; i < count; ++i) rgb[i] = PaletteTriplet{colours[i].red, colours[i].green, colours[i].blue};
      image.SetPalette(count, rgb);
    }
  } else if (channels == 1) {
    // Grey levels of the file's depth: 2, 4, 16 or 256 steps.
    int levels = 1 << (fileDepth > 8 ? 8 : fileDepth);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) levels = 256;
    BYTE grey[256];
    for (int i = 0; i < levels; ++i) grey[i] = BYTE(i * 255 / (levels - 1));
    image.SetPalette(levels, grey);
  }

  std::vector<png_bytep>& rows = *state.rows;
  rows.resize(size_t(h));
  for (int r = 0; r < h; ++r) rows[size_t(r)] = image.TopRow(r);
  (void)passes;  // png_read_image runs every pass of an interlaced file
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

struct PngWrite {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<png_color>* palette = nullptr;
  std::vector<png_bytep>* rows = nullptr;
};

bool WritePngFrame(CImageCodecPNG& image, FILE* file, PngWrite& state) {
  png_structp png = state.png;
  png_infop info = state.info;
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  int bpp = image.bitsPerPixel;
  bool paletted = bpp <= 8;
  png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), paletted ? bpp : 8,
               paletted ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (paletted) {
    std::vector<png_color>& colours = *state.palette;
    png_set_PLTE(png, info, colours.data(), int(colours.size()));
  }
  png_write_info(png, info);
  if (!paletted) png_set_bgr(png);
  std::vector<png_bytep>& rows = *state.rows;
  rows.resize(size_t(image.height));
  for (int r = 0; r < image.height; ++r) rows[size_t(r)] = image.TopRow(r);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool CImageCodecPNG::ReadStream(FILE* file) {
  PngRead state;
  std::vector<png_bytep> rows;
  state.rows = &rows;
  state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (!state.png) return false;
  state.info = png_create_info_struct(state.png);
  if (!state.info) {
    png_destroy_read_struct(&state.png, nullptr, nullptr);
    return false;
  }
  bool ok = ReadPngFrame(*this, file, state);
  png_destroy_read_struct(&state.png, &state.info, nullptr);
  return ok;
}

BOOL CImageCodecPNG::Read(const char* name) {
  TakeName(name);
  return ReadImageFile(fileName, [this](FILE* file) { return ReadStream(file); });
}

bool CImageCodecPNG::WriteStream(FILE* file) {
  if (!HasDib() || (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24))
    return false;
  // The palette written holds the picture's real colours: the installed palette's entries, or
  // the stored colour table when there is none.
  std::vector<png_color> colours;
  if (bitsPerPixel <= 8) {
    int most = 1 << bitsPerPixel;
    int count = imagePalette ? std::min(imagePalette->GetEntryCount(), most) : most;
    for (int i = 0; i < count; ++i) {
      BYTE r = 0, g = 0, b = 0;
      if (imagePalette) {
        PALETTEENTRY e{};
        imagePalette->GetPaletteEntries(UINT(i), 1, &e);
        r = e.peRed, g = e.peGreen, b = e.peBlue;
      } else {
        const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(Header()) + 40);
        r = table[i].rgbRed, g = table[i].rgbGreen, b = table[i].rgbBlue;
      }
      colours.push_back(png_color{r, g, b});
    }
  }
  std::vector<png_bytep> rows;
  PngWrite state;
  state.palette = &colours;
  state.rows = &rows;
  state.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (!state.png) return false;
  state.info = png_create_info_struct(state.png);
  if (!state.info) {
    png_destroy_write_struct(&state.png, nullptr);
    return false;
  }
  bool ok = WritePngFrame(*this, file, state);
  png_destroy_write_struct(&state.png, &state.info);
  return ok;
}

BOOL CImageCodecPNG::Write(const char* name) {
  TakeName(name);
  return WriteImageFile(fileName, [this](FILE* file) { return WriteStream(file); });
}
