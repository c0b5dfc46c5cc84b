#include "toolkit/widgets/dib.h"

#include <algorithm>
#include <cstring>

#include "platform/base/archive.h"
#include "platform/base/cfile.h"
#include "platform/base/os_file.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/window_api.h"
#include "toolkit/widgets/dib_file.h"

IMPLEMENT_DYNAMIC(SECDibBase, CObject)
IMPLEMENT_SERIAL(SECDib, SECDibBase, 1)

namespace {

// The largest BMP file read: a 16,384-pixel square at 24 bits is 768 MB, far beyond any picture
// the program shows; 256 MB is ample.
constexpr uint64_t kFileLimit = 256u << 20;
// The most bytes between the file header and the pixels that a stored image may announce.
constexpr size_t kPrefixLimit = 64u << 10;

int colour_count_for(int bit_count, int planes) {
  switch (bit_count) {
    case 1: return planes > 1 ? 1 << planes : 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

}  // namespace

SECDibBase::SECDibBase() {
  if (HDC screen = ::GetDC(nullptr)) {
    screen_planes_ = ::GetDeviceCaps(screen, PLANES);
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL);
    screen_bit_count_ = (bits == 1 || bits == 2 || bits == 4 || bits == 8) ? bits : 0;
    ::ReleaseDC(nullptr, screen);
  }
  switch (screen_bit_count_) {
    case 1: screen_colour_count_ = static_cast<uint16_t>(1 << screen_planes_); break;
    case 2: screen_colour_count_ = 4; break;
    case 4: screen_colour_count_ = 16; break;
    case 8: screen_colour_count_ = 256; break;
    default: screen_colour_count_ = 0; break;
  }
}

SECDibBase::~SECDibBase() = default;

const BITMAPINFO* SECDibBase::GetInfo() const {
  return info_.empty() ? nullptr : reinterpret_cast<const BITMAPINFO*>(info_.data());
}

BITMAPINFOHEADER* SECDibBase::header() {
  return info_.empty() ? nullptr : reinterpret_cast<BITMAPINFOHEADER*>(info_.data());
}

RGBQUAD* SECDibBase::colour_table() {
  return info_.size() > sizeof(BITMAPINFOHEADER) ? reinterpret_cast<RGBQUAD*>(info_.data() + sizeof(BITMAPINFOHEADER))
                                                 : nullptr;
}

size_t SECDibBase::RowBytes() const { return bmp_file::RowBytes(width_, bit_count_); }

BOOL SECDibBase::CreatePalette() {
  if (bit_count_ == 24 || bit_count_ == 0 || !header()) {
    palette_.reset();
    return TRUE;
  }
  const DWORD used = header()->biClrUsed;
  const size_t entries = std::max<size_t>(colour_count_, used);
  const size_t copied = std::min<size_t>(used ? used : colour_count_, colour_count_);
  std::vector<uint8_t> block(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY), 0);
  auto* log = reinterpret_cast<LOGPALETTE*>(block.data());
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(entries);
  const RGBQUAD* table = colour_table();
  for (size_t i = 0; i < copied && table; ++i) {
    log->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  }
  auto palette = std::make_unique<CPalette>();
  if (!palette->CreatePalette(log)) return FALSE;
  palette_ = std::move(palette);
  return TRUE;
}

void SECDibBase::set_image(const BITMAPINFOHEADER& h, const std::vector<RGBQUAD>& colours, std::vector<uint8_t> bits) {
  info_.assign(sizeof(BITMAPINFOHEADER) + colours.size() * sizeof(RGBQUAD), 0);
  std::memcpy(info_.data(), &h, sizeof h);
  if (!colours.empty()) std::memcpy(info_.data() + sizeof h, colours.data(), colours.size() * sizeof(RGBQUAD));
  bits_ = std::move(bits);
  aligned_ = true;
  width_ = h.biWidth;
  height_ = h.biHeight;
  bit_count_ = h.biBitCount;
  stride8_ = (width_ + 3) & ~3;
  colour_count_ = static_cast<uint16_t>(colours.size());
}

BOOL SECDibBase::Clear() {
  info_.clear();
  bits_.clear();
  palette_.reset();
  bit_count_ = 0;
  aligned_ = false;
  stride8_ = 0;
  width_ = 0;
  height_ = 0;
  colour_count_ = 0;
  halftone_ = false;
  return TRUE;
}

void SECDibBase::TakeOver(SECDibBase& other) {
  if (&other == this) return;
  bit_count_ = other.bit_count_;
  aligned_ = other.aligned_;
  stride8_ = other.stride8_;
  width_ = other.width_;
  height_ = other.height_;
  colour_count_ = other.colour_count_;
  palette_ = std::move(other.palette_);
  bits_ = std::move(other.bits_);
  info_ = std::move(other.info_);
  halftone_ = other.halftone_;
  other.Clear();
}

void SECDibBase::AlignRows() {
  if (aligned_ || height_ <= 0) return;
  const size_t packed = (static_cast<size_t>(width_) * bit_count_ + 7) / 8;
  const size_t padded = RowBytes();
  if (packed == padded) {
    aligned_ = true;
    return;
  }
  bits_.resize(padded * height_, 0);
  for (int row = height_ - 1; row >= 1; --row) {
    std::memmove(bits_.data() + row * padded, bits_.data() + row * packed, packed);
    std::memset(bits_.data() + row * padded + packed, 0, padded - packed);
  }
  aligned_ = true;
}

BOOL SECDibBase::FinishRead() {
  CreatePalette();
  stride8_ = (width_ + 3) & ~3;
  AlignRows();
  halftone_ = screen_bit_count_ != 0 && screen_bit_count_ != bit_count_;
  if (info_.empty()) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width_;
    h.biHeight = height_;
    h.biPlanes = static_cast<WORD>(screen_planes_);
    h.biBitCount = static_cast<WORD>(bit_count_);
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(height_ * stride8_);
    set_image(h, std::vector<RGBQUAD>(colour_count_, RGBQUAD{0, 0, 0, 0}), std::move(bits_));
  }
  return TRUE;
}

BOOL SECDibBase::Load(std::span<const uint8_t> bytes) {
  SECDib kept;
  kept.TakeOver(*this);
  Clear();
  if (ReadImage(bytes) && FinishRead()) return TRUE;
  TakeOver(kept);
  return FALSE;
}

BOOL SECDibBase::LoadFile(const CString& name) {
  std::vector<uint8_t> bytes;
  if (base::read_file(base::os_path(name), bytes, kFileLimit) != base::OsError::None) return FALSE;
  return Load(bytes);
}

BOOL SECDibBase::Save(std::vector<uint8_t>& out) {
  return PrepareWrite() && WriteImage(out) && FinishWrite();
}

BOOL SECDibBase::SaveFile(const CString& name) {
  std::vector<uint8_t> bytes;
  if (!Save(bytes)) return FALSE;
  return base::write_file_atomic(base::os_path(name), bytes) == base::OsError::None;
}

BOOL SECDibBase::CreateFromBitmap(CDC* dc, CBitmap* bitmap) {
  if (!dc || !bitmap) return FALSE;
  BITMAP bm{};
  if (!bitmap->GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return FALSE;
  if (bm.bmWidth > bmp_file::kMaxSide || bm.bmHeight > bmp_file::kMaxSide) return FALSE;
  const int depth = bm.bmPlanes * bm.bmBitsPixel;
  int bit_count = depth <= 8 ? depth : 24;
  if (bit_count != 1 && bit_count != 4 && bit_count != 8) bit_count = 24;
  for (;;) {
    const int colours = bit_count <= 8 ? colour_count_for(bit_count, 1) : 0;
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = bm.bmWidth;
    h.biHeight = bm.bmHeight;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bit_count);
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(bmp_file::RowBytes(bm.bmWidth, bit_count) * bm.bmHeight);
    std::vector<uint8_t> info(sizeof h + colours * sizeof(RGBQUAD), 0);
    std::memcpy(info.data(), &h, sizeof h);
    std::vector<uint8_t> bits(h.biSizeImage, 0);
    const int lines = ::GetDIBits(dc->m_hDC, *bitmap, 0, static_cast<UINT>(bm.bmHeight), bits.data(),
                                  reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    if (lines > 0) {
      Clear();
      // GetDIBits may fill the header in; keep the depth asked for.
      std::memcpy(info.data(), &h, sizeof h);
      info_ = std::move(info);
      bits_ = std::move(bits);
      width_ = bm.bmWidth;
      height_ = bm.bmHeight;
      bit_count_ = bit_count;
      colour_count_ = static_cast<uint16_t>(colours);
      stride8_ = (width_ + 3) & ~3;
      aligned_ = true;
      CreatePalette();
      return TRUE;
    }
    // The device gives its bits at some depths only; 24 bits it always gives.
    if (bit_count == 24) return FALSE;
    bit_count = 24;
  }
}

int SECDibBase::Draw(CDC* dc, const RECT& dest, const RECT& src, DWORD rop) {
  if (!dc || info_.empty()) return 0;
  const int wd = dest.right - dest.left;
  const int hd = dest.bottom - dest.top;
  const int ws = src.right - src.left;
  const int hs = src.bottom - src.top;
  if (!halftone_ || !palette_) {
    return ::StretchDIBits(dc->m_hDC, dest.left, dest.top, wd, hd, src.left, src.top, ws, hs, bits_.data(),
                           GetInfo(), DIB_RGB_COLORS, rop);
  }
  HPALETTE old = ::SelectPalette(dc->m_hDC, static_cast<HPALETTE>(palette_->m_hObject), FALSE);
  ::RealizePalette(dc->m_hDC);
  const int mode = ::SetStretchBltMode(dc->m_hDC, HALFTONE);
  const int lines = ::StretchDIBits(dc->m_hDC, dest.left, dest.top, wd, hd, src.left, src.top, ws, hs, bits_.data(),
                                    GetInfo(), DIB_RGB_COLORS, rop);
  ::SetStretchBltMode(dc->m_hDC, mode);
  ::SelectPalette(dc->m_hDC, old, FALSE);
  return lines;
}

BOOL SECDib::WriteImage(std::vector<uint8_t>& out) {
  if (info_.empty()) return FALSE;
  AlignRows();
  bmp_file::Image image;
  image.header = *header();
  const RGBQUAD* table = colour_table();
  image.colours.assign(table, table + colour_count_);
  image.bits = bits_;
  out = bmp_file::Encode(image);
  return TRUE;
}

BOOL SECDib::ReadImage(std::span<const uint8_t> bytes) {
  bmp_file::Image image;
  if (!bmp_file::Decode(bytes, image)) {
    info_.clear();
    CreatePalette();
    return FALSE;
  }
  set_image(image.header, image.colours, std::move(image.bits));
  return CreatePalette();
}

void SECDib::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    std::vector<uint8_t> bytes;
    if (!WriteImage(bytes)) throw CArchiveException(CArchiveException::generic);
    ar.Write(bytes.data(), bytes.size());
    return;
  }
  std::vector<uint8_t> bytes(bmp_file::kFileHeaderSize);
  ar.ReadExact(bytes.data(), bytes.size());
  const size_t offset = uint32_t{bytes[10]} | (uint32_t{bytes[11]} << 8) | (uint32_t{bytes[12]} << 16) |
                        (uint32_t{bytes[13]} << 24);
  if (offset < bmp_file::kFileHeaderSize + bmp_file::kInfoHeaderSize || offset > kPrefixLimit ||
      offset - bytes.size() > ar.Remaining()) {
    throw CArchiveException(CArchiveException::endOfFile);
  }
  bytes.resize(offset);
  ar.ReadExact(bytes.data() + bmp_file::kFileHeaderSize, offset - bmp_file::kFileHeaderSize);
  size_t pixel_offset = 0;
  size_t needed = 0;
  if (!bmp_file::ReadPrefix(bytes, pixel_offset, needed) || needed - offset > ar.Remaining()) {
    throw CArchiveException(CArchiveException::endOfFile);
  }
  bytes.resize(needed);
  ar.ReadExact(bytes.data() + offset, needed - offset);
  if (!Load(bytes)) throw CArchiveException(CArchiveException::badSchema);
}
