#include "platform/gdi/core/dib.h"

#include <algorithm>
#include <bit>

#include "platform/base/byte_io.h"

namespace gdi {

namespace {

constexpr uint32_t rgb_pixel(uint8_t r, uint8_t g, uint8_t b) {
  return kOpaque | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

bool supported_depth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// One colour channel under a bit mask, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (!m) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  uint8_t operator()(uint32_t v) const {
    if (!mask) return 0;
    uint32_t x = (v & mask) >> shift;
    return uint8_t(max == 255 ? x : (uint64_t(x) * 255 + max / 2) / max);
  }
};

uint32_t colour_at(const std::vector<uint32_t>& table, uint32_t index) {
  return index < table.size() ? table[index] : kBlackPixel;
}

// Decodes a row of packed pixels of any supported depth.
void decode_row(const uint8_t* src, int width, int bits, const std::vector<uint32_t>& table,
                const Channel* channels, uint32_t* out) {
  switch (bits) {
    case 1:
      for (int x = 0; x < width; ++x) out[x] = colour_at(table, (src[x >> 3] >> (7 - (x & 7))) & 1);
      break;
    case 4:
      for (int x = 0; x < width; ++x)
        out[x] = colour_at(table, (x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4);
      break;
    case 8:
      for (int x = 0; x < width; ++x) out[x] = colour_at(table, src[x]);
      break;
    case 16:
      for (int x = 0; x < width; ++x) {
        uint32_t v = base::load_le16(src + 2 * x);
        out[x] = rgb_pixel(channels[0](v), channels[1](v), channels[2](v));
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x)
        out[x] = rgb_pixel(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
      break;
    default:
      for (int x = 0; x < width; ++x) {
        uint32_t v = base::load_le32(src + 4 * x);
        out[x] = rgb_pixel(channels[0](v), channels[1](v), channels[2](v));
      }
      break;
  }
}

uint64_t row_bytes(int width, int bits, int align_bits) {
  return (uint64_t(width) * bits + align_bits - 1) / align_bits * (align_bits / 8);
}

}  // namespace

namespace {

// Walks run-length bits (rows bottom-up) and hands every index that lands inside the picture to
// put(x, y, index). Runs past a row's end or the last row are dropped without being walked, so the
// work follows the bytes given, not the size the header declares. False when a run is cut short.
template <class Put>
bool walk_rle(std::span<const uint8_t> bits, int width, int height, bool four, Put put) {
  base::ByteReader r(bits);
  int64_t x = 0, y = 0;
  // Indices of a run from `first` on (RLE4 alternates the nibbles), clipped to the row.
  auto run = [&](int count, auto index_at) {
    if (y < height) {
      for (int64_t i = 0, shown = std::clamp<int64_t>(width - x, 0, count); i < shown; ++i)
        put(int(x + i), int(y), index_at(int(i)));
    }
    x += count;
  };
  while (r.remaining() >= 2 && y < height) {
    uint8_t count = r.u8(), value = r.u8();
    if (count) {
      run(count, [&](int i) { return four ? uint8_t((i & 1) ? value & 0x0F : value >> 4) : value; });
    } else if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      uint8_t dx = r.u8(), dy = r.u8();
      if (!r.ok()) return false;
      x += dx, y += dy;
    } else {
      size_t bytes = four ? (value + 1u) / 2 : value;
      std::span<const uint8_t> literal;
      if (!r.view(bytes, literal)) return false;
      run(value, [&](int i) {
        return four ? uint8_t((i & 1) ? literal[size_t(i / 2)] & 0x0F : literal[size_t(i / 2)] >> 4)
                    : literal[size_t(i)];
      });
      if (bytes & 1) r.skip(1);
    }
  }
  return true;
}

}  // namespace

bool decode_rle_indices(std::span<const uint8_t> bits, int width, int height, bool four,
                        std::vector<uint8_t>& indices) {
  indices.assign(size_t(width) * size_t(height), 0);
  return walk_rle(bits, width, height, four,
                  [&](int x, int y, uint8_t index) { indices[size_t(y) * size_t(width) + size_t(x)] = index; });
}

const std::vector<uint32_t>& standard_palette(int bits_pixel) {
  static const std::vector<uint32_t> sixteen = {
      rgb_pixel(0, 0, 0),       rgb_pixel(128, 0, 0),   rgb_pixel(0, 128, 0),
      rgb_pixel(128, 128, 0),   rgb_pixel(0, 0, 128),   rgb_pixel(128, 0, 128),
      rgb_pixel(0, 128, 128),   rgb_pixel(192, 192, 192), rgb_pixel(128, 128, 128),
      rgb_pixel(255, 0, 0),     rgb_pixel(0, 255, 0),   rgb_pixel(255, 255, 0),
      rgb_pixel(0, 0, 255),     rgb_pixel(255, 0, 255), rgb_pixel(0, 255, 255),
      rgb_pixel(255, 255, 255)};
  // The twenty static colours at both ends; between them a 6 x 6 x 6 colour cube and a grey ramp.
  static const std::vector<uint32_t> full = [] {
    std::vector<uint32_t> p = {rgb_pixel(0, 0, 0),       rgb_pixel(128, 0, 0),
                               rgb_pixel(0, 128, 0),     rgb_pixel(128, 128, 0),
                               rgb_pixel(0, 0, 128),     rgb_pixel(128, 0, 128),
                               rgb_pixel(0, 128, 128),   rgb_pixel(192, 192, 192),
                               rgb_pixel(192, 220, 192), rgb_pixel(166, 202, 240)};
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) p.push_back(rgb_pixel(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)));
    for (int i = 1; i <= 20; ++i) p.push_back(rgb_pixel(uint8_t(i * 12), uint8_t(i * 12), uint8_t(i * 12)));
    for (uint32_t c : {rgb_pixel(255, 251, 240), rgb_pixel(160, 160, 164), rgb_pixel(128, 128, 128),
                       rgb_pixel(255, 0, 0), rgb_pixel(0, 255, 0), rgb_pixel(255, 255, 0),
                       rgb_pixel(0, 0, 255), rgb_pixel(255, 0, 255), rgb_pixel(0, 255, 255),
                       rgb_pixel(255, 255, 255)})
      p.push_back(c);
    return p;
  }();
  static const std::vector<uint32_t> mono = {kBlackPixel, kWhitePixel};
  return bits_pixel == 4 ? sixteen : bits_pixel == 8 ? full : mono;
}

bool read_dib_info(std::span<const uint8_t> info, UINT usage, std::span<const PALETTEENTRY> palette,
                   DibInfo& out) {
  base::ByteReader r(info);
  BITMAPINFOHEADER& h = out.header;
  h.biSize = r.u32();
  h.biWidth = r.i32();
  h.biHeight = r.i32();
  h.biPlanes = r.u16();
  h.biBitCount = r.u16();
  h.biCompression = r.u32();
  h.biSizeImage = r.u32();
  h.biXPelsPerMeter = r.i32();
  h.biYPelsPerMeter = r.i32();
  h.biClrUsed = r.u32();
  h.biClrImportant = r.u32();
  if (!r.ok() || h.biSize < 40 || h.biSize > info.size()) return false;
  int bits = h.biBitCount;
  if (!supported_depth(bits) || h.biHeight == INT32_MIN) return false;
  switch (h.biCompression) {
    case BI_RGB: break;
    case BI_RLE8: if (bits != 8 || h.biHeight < 0) return false; break;
    case BI_RLE4: if (bits != 4 || h.biHeight < 0) return false; break;
    case BI_BITFIELDS: if (bits != 16 && bits != 32) return false; break;
    default: return false;
  }
  out.width = h.biWidth;
  out.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  out.top_down = h.biHeight < 0;
  if (!bitmap_size_allowed(out.width, out.height)) return false;

  if (h.biCompression == BI_BITFIELDS) {
    // Newer, longer headers carry the masks themselves; the short header is followed by them.
    r.seek(h.biSize >= 52 ? 40 : h.biSize);
    for (uint32_t& m : out.masks) m = r.u32();
    if (h.biSize < 52 && !r.ok()) return false;
  } else if (bits == 16) {
    out.masks[0] = 0x7C00, out.masks[1] = 0x03E0, out.masks[2] = 0x001F;
  } else if (bits == 32) {
    out.masks[0] = 0xFF0000, out.masks[1] = 0x00FF00, out.masks[2] = 0x0000FF;
  }
  if (h.biSize >= 52 || h.biCompression != BI_BITFIELDS) r.seek(h.biSize);

  uint64_t count = h.biClrUsed ? h.biClrUsed : (bits <= 8 ? 1u << bits : 0);
  size_t entry = usage == DIB_PAL_COLORS ? 2 : 4;
  if (count > r.remaining() / entry) return false;
  out.colours.clear();
  for (uint64_t i = 0; i < count; ++i) {
    if (usage == DIB_PAL_COLORS) {
      uint16_t index = r.u16();
      const std::vector<uint32_t>& fallback = standard_palette(8);
      if (!palette.empty()) {
        const PALETTEENTRY& e = palette[index % palette.size()];
        out.colours.push_back(rgb_pixel(e.peRed, e.peGreen, e.peBlue));
      } else {
        out.colours.push_back(fallback[index % fallback.size()]);
      }
    } else {
      uint8_t b = r.u8(), g = r.u8(), red = r.u8();
      r.u8();
      out.colours.push_back(rgb_pixel(red, g, b));
    }
  }
  // A table longer than the depth can index keeps only the entries that can be used.
  if (bits <= 8 && out.colours.size() > (1u << bits)) out.colours.resize(1u << bits);
  out.info_size = r.pos();
  return r.ok();
}

size_t dib_bits_size(const BITMAPINFOHEADER& h) {
  int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  if (!bitmap_size_allowed(h.biWidth, height) || !supported_depth(h.biBitCount)) return 0;
  return size_t(row_bytes(h.biWidth, h.biBitCount, 32) * uint64_t(height));
}

std::shared_ptr<Bitmap> decode_dib(const DibInfo& info, std::span<const uint8_t> bits) {
  const BITMAPINFOHEADER& h = info.header;
  bool compressed = h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
  uint64_t stride = row_bytes(info.width, h.biBitCount, 32);
  // Rows shorter than the header says are refused before anything is allocated.
  if (!compressed && bits.size() < stride * uint64_t(info.height)) return nullptr;
  // Pixels the runs skip show colour 0; the runs paint straight into the rows.
  auto bitmap = Bitmap::create(info.width, info.height, false, compressed ? colour_at(info.colours, 0) : kBlackPixel);
  if (!bitmap) return nullptr;
  if (compressed) {
    bool whole = walk_rle(bits, info.width, info.height, h.biCompression == BI_RLE4,
                          [&](int x, int y, uint8_t index) {
                            bitmap->row(info.height - 1 - y)[x] = colour_at(info.colours, index);
                          });
    return whole ? bitmap : nullptr;
  }
  Channel channels[3] = {Channel(info.masks[0]), Channel(info.masks[1]), Channel(info.masks[2])};
  for (int y = 0; y < info.height; ++y) {
    int dest = info.top_down ? y : info.height - 1 - y;
    decode_row(bits.data() + stride * uint64_t(y), info.width, h.biBitCount, info.colours, channels,
               bitmap->row(dest));
  }
  return bitmap;
}

std::shared_ptr<Bitmap> decode_packed_dib(std::span<const uint8_t> packed) {
  DibInfo info;
  if (!read_dib_info(packed, DIB_RGB_COLORS, {}, info)) return nullptr;
  return decode_dib(info, packed.subspan(info.info_size));
}

bool encode_dib(const Bitmap& bitmap, int bits_pixel, BITMAPINFOHEADER& header,
                std::vector<RGBQUAD>& colours, std::vector<uint8_t>& rows) {
  if (bits_pixel != 1 && bits_pixel != 24 && bits_pixel != 32) return false;
  int w = bitmap.width(), h = bitmap.height();
  size_t stride = size_t(row_bytes(w, bits_pixel, 32));
  header = BITMAPINFOHEADER{40, w, h, 1, WORD(bits_pixel), BI_RGB, DWORD(stride * size_t(h)),
                            3780, 3780, 0, 0};
  colours.clear();
  if (bits_pixel == 1) {
    colours = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
    header.biClrUsed = 2;
  }
  rows.assign(stride * size_t(h), 0);
  for (int y = 0; y < h; ++y) {
    const uint32_t* src = bitmap.row(h - 1 - y);
    uint8_t* out = rows.data() + stride * size_t(y);
    for (int x = 0; x < w; ++x) {
      uint32_t p = src[x];
      if (bits_pixel == 1) {
        if (is_light(colour_of(p))) out[x >> 3] |= uint8_t(0x80 >> (x & 7));
      } else {
        uint8_t* d = out + size_t(x) * (bits_pixel / 8);
        d[0] = uint8_t(p), d[1] = uint8_t(p >> 8), d[2] = uint8_t(p >> 16);
      }
    }
  }
  return true;
}

std::vector<uint8_t> encode_packed_dib(const Bitmap& bitmap) {
  BITMAPINFOHEADER header;
  std::vector<RGBQUAD> colours;
  std::vector<uint8_t> rows;
  encode_dib(bitmap, 24, header, colours, rows);
  std::vector<uint8_t> out(40 + rows.size());
  uint8_t* p = out.data();
  base::store_le32(p, header.biSize);
  base::store_le32(p + 4, uint32_t(header.biWidth));
  base::store_le32(p + 8, uint32_t(header.biHeight));
  base::store_le16(p + 12, header.biPlanes);
  base::store_le16(p + 14, header.biBitCount);
  base::store_le32(p + 16, header.biCompression);
  base::store_le32(p + 20, header.biSizeImage);
  base::store_le32(p + 24, uint32_t(header.biXPelsPerMeter));
  base::store_le32(p + 28, uint32_t(header.biYPelsPerMeter));
  base::store_le32(p + 32, header.biClrUsed);
  base::store_le32(p + 36, header.biClrImportant);
  std::copy(rows.begin(), rows.end(), out.begin() + 40);
  return out;
}

size_t device_bits_size(int width, int height, int planes, int bits_pixel) {
  if (!bitmap_size_allowed(width, height) || planes < 1 || planes > 8) return 0;
  if (planes > 1 && bits_pixel != 1) return 0;
  if (!supported_depth(bits_pixel)) return 0;
  return size_t(row_bytes(width, bits_pixel, 16) * uint64_t(planes) * uint64_t(height));
}

std::shared_ptr<Bitmap> decode_device_bits(int width, int height, int planes, int bits_pixel,
                                           std::span<const uint8_t> bits) {
  size_t need = device_bits_size(width, height, planes, bits_pixel);
  if (!need || bits.size() < need) return nullptr;
  auto bitmap = Bitmap::create(width, height, planes * bits_pixel == 1);
  if (!bitmap) return nullptr;
  size_t plane_stride = size_t(row_bytes(width, bits_pixel, 16));
  if (planes > 1) {
    // Planar: pixel value bit i comes from plane i; values index the standard palette.
    const std::vector<uint32_t>& table = standard_palette(planes <= 4 ? 4 : 8);
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = bits.data() + plane_stride * size_t(planes) * size_t(y);
      for (int x = 0; x < width; ++x) {
        uint32_t value = 0;
        for (int p = 0; p < planes; ++p)
          value |= uint32_t((row[plane_stride * size_t(p) + size_t(x >> 3)] >> (7 - (x & 7))) & 1) << p;
        bitmap->at(x, y) = colour_at(table, value);
      }
    }
    return bitmap;
  }
  Channel channels[3] = {Channel(bits_pixel == 16 ? 0x7C00 : 0xFF0000),
                         Channel(bits_pixel == 16 ? 0x03E0 : 0x00FF00),
                         Channel(bits_pixel == 16 ? 0x001F : 0x0000FF)};
  for (int y = 0; y < height; ++y)
    decode_row(bits.data() + plane_stride * size_t(y), width, bits_pixel,
               standard_palette(bits_pixel), channels, bitmap->row(y));
  return bitmap;
}

}  // namespace gdi
