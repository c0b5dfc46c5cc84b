#include "tests/pictures_image/picture_makers.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include <jpeglib.h>

#include <QImage>

#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/raster_device.h"

namespace picture_test {

std::string TempPath(const std::string& name) {
  // Kept past the static destructors, for the clean-up at exit.
  static const std::string* folder = [] {
    auto path = std::filesystem::temp_directory_path() / ("picture_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(*folder, ignored);
    });
    return new std::string(path.string());
  }();
  return *folder + "/" + name;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WritePng(const std::string& path, int width, int height, int colorType, int depth,
              const std::vector<uint16_t>& samples, const std::vector<Rgb>& palette, bool interlaced,
              const std::vector<uint8_t>& transparency) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  int channels = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
  // Rows packed by hand in the file's depth.
  size_t rowBytes = (size_t(width) * channels * depth + 7) / 8;
  std::vector<std::vector<png_byte>> rows(static_cast<size_t>(height), std::vector<png_byte>(rowBytes));
  for (int y = 0; y < height; ++y) {
    for (int i = 0; i < width * channels; ++i) {
      uint16_t v = samples[size_t(y * width * channels + i)];
      auto& row = rows[size_t(y)];
      if (depth == 16) {
        row[size_t(2 * i)] = png_byte(v >> 8);
        row[size_t(2 * i + 1)] = png_byte(v);
      } else if (depth == 8) {
        row[size_t(i)] = png_byte(v);
      } else {
        size_t bit = size_t(i) * size_t(depth);
        row[bit / 8] |= png_byte(v << (8 - depth - bit % 8));
      }
    }
  }
  if (setjmp(png_jmpbuf(png))) {
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), depth, colorType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> colours;
  for (const Rgb& c : palette) colours.push_back(png_color{c.r, c.g, c.b});
  if (colorType == 3) png_set_PLTE(png, info, colours.data(), int(colours.size()));
  // Palette files: one alpha per entry; grey files: the transparent grey level as first byte.
  if (!transparency.empty()) {
    png_color_16 grey{};
    grey.gray = transparency[0];
    if (colorType == 3)
      png_set_tRNS(png, info, transparency.data(), int(transparency.size()), nullptr);
    else
      png_set_tRNS(png, info, nullptr, 0, &grey);
  }
  png_write_info(png, info);
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  return true;
}

namespace {

// Packs codes LSB first into data sub-blocks.
class CodeWriter {
 public:
  void Put(int code, int size) {
    buffer_ |= uint32_t(code) << count_;
    count_ += size;
    while (count_ >= 8) {
      bytes_.push_back(uint8_t(buffer_));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  std::vector<uint8_t> Finish() {
    if (count_ > 0) bytes_.push_back(uint8_t(buffer_));
    std::vector<uint8_t> out;
    for (size_t i = 0; i < bytes_.size(); i += 255) {
      size_t n = std::min<size_t>(255, bytes_.size() - i);
      out.push_back(uint8_t(n));
      out.insert(out.end(), bytes_.begin() + long(i), bytes_.begin() + long(i + n));
    }
    out.push_back(0);
    return out;
  }

 private:
  std::vector<uint8_t> bytes_;
  uint32_t buffer_ = 0;
  int count_ = 0;
};

std::vector<uint8_t> Lzw(const std::vector<uint8_t>& values, int minSize) {
  const int clear = 1 << minSize, end = clear + 1;
  int size = minSize + 1, next = end;
  std::map<std::pair<int, int>, int> table;
  CodeWriter out;
  out.Put(clear, size);
  int current = -1;
  for (uint8_t v : values) {
    if (current < 0) {
      current = v;
      continue;
    }
    auto found = table.find({current, v});
    if (found != table.end()) {
      current = found->second;
      continue;
    }
    out.Put(current, size);
    table[{current, v}] = ++next;
    if (next >= (1 << size) && size < 12) ++size;
    if (next == 4095) {
      out.Put(clear, size);
      table.clear();
      size = minSize + 1;
      next = end;
    }
    current = v;
  }
  if (current >= 0) out.Put(current, size);
  out.Put(end, size);
  return out.Finish();
}

}  // namespace

std::vector<uint8_t> MakeGif(int width, int height, const std::vector<uint8_t>& indices,
                             const std::vector<Rgb>& table, int transparent, bool interlaced,
                             int minCodeSize) {
  int bits = 1;
  while ((1 << bits) < int(table.size())) ++bits;
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a', uint8_t(width), uint8_t(width >> 8),
                              uint8_t(height), uint8_t(height >> 8), uint8_t(0x80 | (bits - 1)), 0, 0};
  for (const Rgb& c : table) out.insert(out.end(), {c.r, c.g, c.b});
  for (int i = int(table.size()); i < (1 << bits); ++i) out.insert(out.end(), {0, 0, 0});
  if (transparent >= 0) out.insert(out.end(), {'!', 0xF9, 4, 1, 0, 0, uint8_t(transparent), 0});
  out.insert(out.end(), {',', 0, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                         uint8_t(height >> 8), uint8_t(interlaced ? 0x40 : 0)});
  // The rows in the order the file stores them.
  std::vector<int> order;
  if (interlaced) {
    for (int pass = 0; pass < 4; ++pass) {
      static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
      for (int y = start[pass]; y < height; y += step[pass]) order.push_back(y);
    }
  } else {
    for (int y = 0; y < height; ++y) order.push_back(y);
  }
  std::vector<uint8_t> stream;
  for (int y : order)
    stream.insert(stream.end(), indices.begin() + long(y) * width, indices.begin() + long(y + 1) * width);
  int minSize = std::max(2, bits);
  out.push_back(uint8_t(minCodeSize >= 0 ? minCodeSize : minSize));
  std::vector<uint8_t> data = Lzw(stream, minSize);
  out.insert(out.end(), data.begin(), data.end());
  out.push_back(';');
  return out;
}

bool WriteJpeg(const std::string& path, int width, int height, int components,
               const std::vector<uint8_t>& samples, int quality) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  for (int y = 0; y < height; ++y) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + size_t(y) * size_t(width * components));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::fclose(file);
  return true;
}

std::vector<uint8_t> MakeBmp(int width, int height, int bpp, const std::vector<uint32_t>& values,
                             const std::vector<Rgb>& table) {
  int rows = height < 0 ? -height : height;
  size_t rowBytes = (size_t(width) * size_t(bpp) + 31) / 32 * 4;
  uint32_t offset = uint32_t(14 + 40 + 4 * table.size());
  std::vector<uint8_t> out;
  auto put16 = [&](uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  put16(0x4D42);
  put32(uint32_t(offset + rowBytes * size_t(rows)));
  put32(0);
  put32(offset);
  put32(40);
  put32(uint32_t(width));
  put32(uint32_t(height));
  put16(1);
  put16(uint32_t(bpp));
  put32(0);
  put32(uint32_t(rowBytes * size_t(rows)));
  put32(2835);
  put32(2835);
  put32(uint32_t(table.size()));
  put32(0);
  for (const Rgb& c : table) out.insert(out.end(), {c.b, c.g, c.r, 0});
  for (int i = 0; i < rows; ++i) {
    // Bottom-up files store the bottom row first.
    int y = height < 0 ? i : rows - 1 - i;
    std::vector<uint8_t> row(rowBytes);
    for (int x = 0; x < width; ++x) {
      uint32_t v = values[size_t(y * width + x)];
      if (bpp == 24) {
        row[size_t(3 * x)] = uint8_t(v);
        row[size_t(3 * x + 1)] = uint8_t(v >> 8);
        row[size_t(3 * x + 2)] = uint8_t(v >> 16);
      } else {
        size_t bit = size_t(x) * size_t(bpp);
        row[bit / 8] |= uint8_t(v << (8 - bpp - bit % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

Canvas::Canvas(int width, int height, uint32_t fill)
    : width_(width), height_(height), pixels_(size_t(width * height), fill) {
  hdc_ = gdi::create_context(
      std::make_unique<gdi::RasterDevice>(gdi::PixelBuffer{pixels_.data(), width, height, width, false}, 96));
  dc_.Attach(hdc_);
}

Canvas::~Canvas() {
  dc_.Detach();
  DeleteDC(hdc_);
}

Rgb Canvas::At(int x, int y) const {
  uint32_t p = pixels_[size_t(y * width_ + x)];
  return Rgb{uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)};
}

void Canvas::Save(const std::string& name) const {
  QImage image(reinterpret_cast<const uchar*>(pixels_.data()), width_, height_, QImage::Format_RGB32);
  image.save(QString::fromStdString(TempPath(name)));
  if (const char* folder = std::getenv("LUMO_PICTURE_OUT"))
    image.scaled(width_ * 6, height_ * 6).save(QString::fromStdString(std::string(folder) + "/" + name));
}

}  // namespace picture_test
