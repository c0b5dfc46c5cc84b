// JPEG through libjpeg.
//
// Reading asks the library for 150 quantised colours (colour files) or 8-bit grey, and copies
// each scan line into the picture from the top row down. CMYK files are refused. The library's
// error exit jumps back to the routine that set the jump, whose frame holds no C++ objects; its
// messages are neither formatted nor shown. Decoding is limited in memory and in the number of
// progressive scans a file may ask for.
#include <csetjmp>
#include <algorithm>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "pictures/image/image_codecs.h"

namespace {

constexpr long kMaxJpegMemory = 256L << 20;
constexpr int kMaxJpegScans = 1000;

struct JpegError {
  jpeg_error_mgr base;
  jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}
void OutputMessage(j_common_ptr) {}
void EmitMessage(j_common_ptr, int) {}

void SetUpErrors(JpegError& error) {
  jpeg_std_error(&error.base);
  error.base.error_exit = ErrorExit;
  error.base.output_message = OutputMessage;
  error.base.emit_message = EmitMessage;
}

// Stops files whose progressive scans never end.
void LimitScans(j_common_ptr cinfo) {
  if (cinfo->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
    ErrorExit(cinfo);
}

bool ReadJpegFrame(CImageCodecJPG& image, FILE* file, jpeg_decompress_struct& cinfo,
                   jpeg_progress_mgr* progress) {
  if (setjmp(reinterpret_cast<JpegError*>(cinfo.err)->jump)) return false;
  jpeg_create_decompress(&cinfo);
  cinfo.progress = progress;
  cinfo.mem->max_memory_to_use = kMaxJpegMemory;
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) return false;
  if (cinfo.image_width == 0 || cinfo.image_height == 0 ||
      cinfo.image_width > JDIMENSION(kMaxImageSide) || cinfo.image_height > JDIMENSION(kMaxImageSide))
    return false;
  bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
  if (grey) {
    cinfo.out_color_space = JCS_GRAYSCALE;
  } else {
    cinfo.out_color_space = JCS_RGB;
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = 150;
  }
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != 1) return false;
  int w = int(cinfo.output_width), h = int(cinfo.output_height);
  if (image.Create(w, h, cinfo.output_components * 8, -1) == 0) return false;
  if (grey) {
    BYTE levels[256];
    for (int i = 0; i < 256; ++i) levels[i] = BYTE(i);
    image.SetPalette(256, levels);
  } else {
    int count = cinfo.actual_number_of_colors;
    if (count < 1 || count > 256 || cinfo.out_color_components != 3) return false;
    image.SetPalette(count, cinfo.colormap[0], cinfo.colormap[1], cinfo.colormap[2]);
  }
  JSAMPARRAY line = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                               JDIMENSION(w) * JDIMENSION(cinfo.output_components), 1);
  while (cinfo.output_scanline < cinfo.output_height) {
    int row = int(cinfo.output_scanline);
    if (jpeg_read_scanlines(&cinfo, line, 1) != 1) return false;
    std::copy(line[0], line[0] + w, image.TopRow(row));
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

bool WriteJpegFrame(CImageCodecJPG& image, FILE* file, jpeg_compress_struct& cinfo, JSAMPROW line) {
  if (setjmp(reinterpret_cast<JpegError*>(cinfo.err)->jump)) return false;
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = JDIMENSION(image.width);
  cinfo.image_height = JDIMENSION(image.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, image.quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  for (int y = 0; y < image.height; ++y) {
    // Rows are stored bottom-up; the pixel accessors count from the bottom.
    int stored = image.height - 1 - y;
    for (int x = 0; x < image.width; ++x) {
      BYTE* p = line + 3 * size_t(x);
      image.PixelColour(x, stored, p[0], p[1], p[2]);
    }
    jpeg_write_scanlines(&cinfo, &line, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

}  // namespace

bool CImageCodecJPG::ReadStream(FILE* file) {
  jpeg_decompress_struct cinfo{};
  JpegError error{};
  SetUpErrors(error);
  jpeg_progress_mgr progress{};
  progress.progress_monitor = LimitScans;
  cinfo.err = &error.base;
  bool ok = ReadJpegFrame(*this, file, cinfo, &progress);
  cinfo.progress = nullptr;
  jpeg_destroy_decompress(&cinfo);
  if (!ok) FreeDib();
  return ok;
}

BOOL CImageCodecJPG::Read(const char* name) {
  TakeName(name);
  return ReadImageFile(fileName, [this](FILE* file) { return ReadStream(file); });
}

bool CImageCodecJPG::WriteStream(FILE* file) {
  if (!HasDib() || (bitsPerPixel > 8 && bitsPerPixel < 24)) return false;
  jpeg_compress_struct cinfo{};
  JpegError error{};
  SetUpErrors(error);
  cinfo.err = &error.base;
  std::vector<JSAMPLE> line(size_t(width) * 3);
  bool ok = WriteJpegFrame(*this, file, cinfo, line.data());
  jpeg_destroy_compress(&cinfo);
  return ok;
}

BOOL CImageCodecJPG::Write(const char* name) {
  TakeName(name);
  return WriteImageFile(fileName, [this](FILE* file) { return WriteStream(file); });
}
