#include "engine/bitmap/picture.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/datapres/embedded_window_display.h"
#include "engine/medview/viewer.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/title/baggage.h"
#include "platform/base/byte_io.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/metafile_api.h"
#include "platform/gdi/core/object_api.h"

namespace bitmap {

namespace {

constexpr int kScoreMetafile = 50;
constexpr int kScoreNone = 0xFFFF;
constexpr int32_t kBitmapResolution = 96;
constexpr int32_t kErrorBoxSide = 32;
constexpr size_t kHotspotEntrySize = 15;

int32_t Clamp32(int64_t value) { return int32_t(std::clamp<int64_t>(value, 0, INT32_MAX / 4)); }

// Planes and bits per pixel of a stored bitmap record: after the type, compression and the two
// packed resolutions.
bool StoredDepth(std::span<const uint8_t> stored, int& planes, int& bits) {
  base::ByteReader in(stored);
  in.skip(2);
  for (int i = 0; i < 2; ++i) {
    uint8_t first = in.u8();
    in.skip((first & 1) ? 3 : 1);
  }
  auto packed_ushort = [&in]() -> int {
    uint8_t first = in.u8();
    if (!(first & 1)) return first >> 1;
    return (first | (in.u8() << 8)) >> 1;
  };
  planes = packed_ushort();
  bits = packed_ushort();
  return in.ok();
}

std::vector<uint8_t> ReadPictureFile(medview::Viewer& viewer, int32_t number, int64_t start, int64_t length) {
  if (!viewer.fileSystem) return {};
  std::string name = "|bm" + std::to_string(number);
  int64_t size = 0;
  uint16_t code = 0;
  auto bytes = title::BagLoad(viewer.fileSystem, name, true, start, length, &size, &code);
  if (code == title::kBagNotFound) bytes = title::BagLoad(viewer.fileSystem, name.substr(1), true, start, length, &size, &code);
  if (code != 0) return {};
  return bytes;
}

// The chosen variant of a directory, expanded; `span` receives where it lay.
ExpandedPicturePtr ExpandChosen(std::span<const uint8_t> directory, const DeviceTraits& device, VariantSpan* span) {
  int index = BmChooseVariant(directory, device);
  if (index < 0) return nullptr;
  VariantSpan chosen = BmReadDirectory(directory)[size_t(index)];
  if (span) *span = chosen;
  int status = 0;
  return ExpLoadBitmapRecord(directory.subspan(chosen.offset, chosen.size), &status);
}

// The picture's bitmap information header and palette, copied to aligned memory.
// Room is left for the full colour table of a depth up to 8 bits, which the platform reads when the
// header counts no colours; colours the picture does not store stay black.
std::vector<uint32_t> InfoHeader(const ExpandedPicture& picture) {
  size_t stored = 40 + size_t(std::clamp(picture.colours_used(), 0, 256)) * 4;
  size_t room = 40 + 256 * 4;
  std::vector<uint32_t> info(room / 4, 0);
  std::memcpy(info.data(), picture.block.data() + 18, std::min(stored, picture.block.size() - 18));
  return info;
}

// Device objects of an expanded picture.
void MakeDeviceObjects(const ExpandedPicture& picture, HDC hdc, PictureInfo& info) {
  auto bits = picture.bits();
  if (picture.type() == kPictureMetafile) {
    info.metafile = SetMetaFileBitsEx(UINT(bits.size()), bits.data());
    return;
  }
  if (picture.type() == kPictureDdb) {
    info.bitmap = CreateBitmap(picture.width(), picture.height(), UINT(picture.planes()),
                               UINT(picture.bits_per_pixel()), bits.data());
    return;
  }
  std::vector<uint32_t> header = InfoHeader(picture);
  auto* bmi = reinterpret_cast<const BITMAPINFO*>(header.data());
  const uint8_t* palette = picture.block.data() + kBitmapHeadSize;
  static constexpr uint8_t kBlackWhite[8] = {0, 0, 0, 0, 255, 255, 255, 0};
  if (picture.bits_per_pixel() == 1 && picture.planes() == 1 && picture.colours_used() == 2 &&
      std::memcmp(palette, kBlackWhite, 8) == 0) {
    info.bitmap = CreateBitmap(picture.width(), picture.height(), 1, 1, nullptr);
    if (info.bitmap) SetDIBits(hdc, info.bitmap, 0, UINT(picture.height()), bits.data(), bmi, DIB_RGB_COLORS);
    return;
  }
  info.bitmap = CreateDIBitmap(hdc, &bmi->bmiHeader, CBM_INIT, bits.data(), bmi, DIB_RGB_COLORS);
}

void SizeFromPicture(const ExpandedPicture& picture, const DeviceTraits& device, HDC hdc, int32_t& width,
                     int32_t& height, int32_t& storedWidth, int32_t& storedHeight, int32_t& mappingMode) {
  SIZE shown = BmShownSize(picture, device, hdc);
  width = shown.cx;
  height = shown.cy;
  if (picture.type() == kPictureMetafile) {
    storedWidth = picture.field(22);
    storedHeight = picture.field(26);
    mappingMode = picture.field(18);
  } else {
    storedWidth = picture.width();
    storedHeight = picture.height();
    mappingMode = 0;
  }
}

void FillInfo(PictureInfo& info, const ExpandedPicture& picture, const DeviceTraits& device, HDC hdc) {
  SizeFromPicture(picture, device, hdc, info.width, info.height, info.storedWidth, info.storedHeight,
                  info.mappingMode);
  auto hotspots = picture.hotspot_data();
  info.hotspotData.assign(hotspots.begin(), hotspots.end());
  info.type = picture.type();
  MakeDeviceObjects(picture, hdc, info);
}

// Selects the viewer's font 0 for the error box and puts the font in use back afterwards.
class FontZero {
 public:
  explicit FontZero(medview::Viewer& viewer) : viewer_(viewer), previous_(viewer.currentFont) {
    if (viewer_.hdc && !(viewer_.flags & medview::kViewClipboard)) selected_ = medview::MvSelectFont(&viewer_, 0);
  }
  ~FontZero() {
    if (selected_ && previous_ >= 0 && previous_ != 0) medview::MvSelectFont(&viewer_, previous_);
  }
  FontZero(const FontZero&) = delete;
  FontZero& operator=(const FontZero&) = delete;

 private:
  medview::Viewer& viewer_;
  int32_t previous_;
  bool selected_ = false;
};

void ErrorBox(PictureInfo& info, medview::Viewer& viewer) {
  SIZE box = BmErrorBoxSize(viewer);
  info.width = box.cx;
  info.height = box.cy;
}

PictureSlot* FindSlot(PictureCache& cache, int32_t number) {
  for (auto& slot : cache.slots) {
    if (slot.number == number) return &slot;
  }
  return nullptr;
}

void EmptySlot(PictureSlot& slot) {
  if (slot.deviceBitmap) DeleteObject(slot.deviceBitmap);
  slot = PictureSlot{};
}

void MarkUsed(PictureCache& cache, PictureSlot& slot) {
  slot.stamp = cache.counter;
  if (cache.counter == 0xFFFE) {
    for (auto& s : cache.slots) s.stamp = 0;
    cache.counter = 1;
  } else {
    ++cache.counter;
  }
}

// The cache slot of picture `number`, filled when it is not cached; null when it cannot be read.
PictureSlot* CachedPicture(medview::Viewer& viewer, int32_t number, const DeviceTraits& device) {
  PictureCache& cache = *viewer.bitmapCache;
  PictureSlot* slot = FindSlot(cache, number);
  if (!slot) {
    slot = &cache.slots[0];
    for (auto& s : cache.slots) {
      if (s.stamp < slot->stamp) slot = &s;
    }
    EmptySlot(*slot);
    std::vector<uint8_t> file = ReadPictureFile(viewer, number, 0, 0);
    ExpandedPicturePtr picture = ExpandChosen(file, device, nullptr);
    if (!picture) return nullptr;
    slot->number = number;
    slot->background = viewer.backColor;
    SizeFromPicture(*picture, device, viewer.hdc, slot->width, slot->height, slot->storedWidth,
                    slot->storedHeight, slot->mappingMode);
    slot->picture = std::move(picture);
  }
  MarkUsed(cache, *slot);
  return slot;
}

}  // namespace

PictureInfo::~PictureInfo() {
  if (bitmap) DeleteObject(bitmap);
  if (metafile) DeleteMetaFile(metafile);
}

PictureCache::~PictureCache() {
  for (auto& slot : slots) EmptySlot(slot);
}

DeviceTraits BmDeviceTraits(HDC hdc) {
  DeviceTraits traits;
  if (!hdc) return traits;
  traits.dpiX = std::max(1, GetDeviceCaps(hdc, LOGPIXELSX));
  traits.dpiY = std::max(1, GetDeviceCaps(hdc, LOGPIXELSY));
  traits.planes = std::max(1, GetDeviceCaps(hdc, PLANES));
  traits.bitsPerPixel = std::max(1, GetDeviceCaps(hdc, BITSPIXEL));
  return traits;
}

std::vector<VariantSpan> BmReadDirectory(std::span<const uint8_t> directory) {
  base::ByteReader in(directory);
  in.u16();
  uint16_t count = in.u16();
  std::vector<int64_t> offsets;
  for (uint16_t i = 0; i < count && in.ok(); ++i) offsets.push_back(in.i32());
  if (!in.ok() || count == 0) return {};
  std::vector<VariantSpan> spans;
  for (size_t i = 0; i < offsets.size(); ++i) {
    int64_t begin = offsets[i];
    int64_t end = i + 1 < offsets.size() ? offsets[i + 1] : int64_t(directory.size());
    if (begin < int64_t(in.pos()) || begin > int64_t(directory.size()) || end < begin ||
        end > int64_t(directory.size())) {
      return {};
    }
    spans.push_back({size_t(begin), size_t(end - begin)});
  }
  return spans;
}

int BmScoreVariant(std::span<const uint8_t> stored, const DeviceTraits& device) {
  if (stored.empty()) return kScoreNone;
  uint8_t type = stored[0];
  if (type == kPictureMetafile) return kScoreMetafile;
  if (type != kPictureDdb && type != kPictureDib) return kScoreNone;
  int planes = 0, bits = 0;
  if (!StoredDepth(stored, planes, bits)) return kScoreNone;
  int score = (device.dpiX == 96 && device.dpiY == 96) ? 0 : device.dpiX == device.dpiY ? 100 : 200;
  if (device.planes == planes && device.bitsPerPixel == bits) return score;
  return score + (device.bitsPerPixel * device.planes < bits * planes ? 75 : 25);
}

int BmChooseVariant(std::span<const uint8_t> directory, const DeviceTraits& device) {
  std::vector<VariantSpan> spans = BmReadDirectory(directory);
  if (spans.empty()) return -1;
  int best = -1;
  int bestScore = kScoreNone;
  for (size_t i = 0; i < spans.size(); ++i) {
    int score = BmScoreVariant(directory.subspan(spans[i].offset, spans[i].size), device);
    if (score < bestScore) {
      best = int(i);
      bestScore = score;
    }
  }
  return best;
}

SIZE BmMetafileSize(HDC hdc, int mapping_mode, int x_extent, int y_extent, int dpi_x, int dpi_y) {
  if (mapping_mode == MM_ISOTROPIC || mapping_mode == MM_ANISOTROPIC) {
    if (x_extent <= 0 || y_extent <= 0) return {100, 100};
    return {Clamp32(int64_t(x_extent) * dpi_x / 2540), Clamp32(int64_t(y_extent) * dpi_y / 2540)};
  }
  // A stored extent whose sign runs against the mapping mode's axes still gives the picture's size:
  // a shown size is never negative.
  auto magnitude = [](int64_t value) { return Clamp32(value < 0 ? -value : value); };
  if (!hdc) return {magnitude(x_extent), magnitude(y_extent)};
  int saved = SaveDC(hdc);
  SetMapMode(hdc, mapping_mode);
  SetWindowOrgEx(hdc, 0, 0, nullptr);
  POINT points[2] = {{0, 0}, {x_extent, y_extent}};
  LPtoDP(hdc, points, 2);
  RestoreDC(hdc, saved);
  return {magnitude(int64_t(points[1].x) - points[0].x), magnitude(int64_t(points[1].y) - points[0].y)};
}

SIZE BmShownSize(const ExpandedPicture& picture, const DeviceTraits& device, HDC hdc) {
  if (picture.type() == kPictureMetafile) {
    return BmMetafileSize(hdc, picture.field(18), picture.field(22), picture.field(26), device.dpiX, device.dpiY);
  }
  int64_t ratio = device.dpiX / kBitmapResolution;
  int64_t w = picture.width(), h = picture.height();
  if (ratio >= 1) return {Clamp32(w * ratio), Clamp32(h * ratio)};
  int64_t divisor = std::max<int64_t>(1, kBitmapResolution / device.dpiX);
  return {Clamp32(w / divisor), Clamp32(h / divisor)};
}

std::unique_ptr<PictureCache> BmCacheCreate() { return std::make_unique<PictureCache>(); }

void BmCacheFree(std::unique_ptr<PictureCache> cache) { cache.reset(); }

SIZE BmErrorBoxSize(medview::Viewer& viewer) {
  FontZero font(viewer);
  SIZE box = viewer.hdc ? datapres::FrErrorBoxSize(viewer.hdc, datapres::FrCannotShowText()) : SIZE{0, 0};
  if (box.cx > 0 && box.cy > 0) return box;
  // Nothing to measure with: a square that still shows where the picture belongs.
  int32_t side = Clamp32(int64_t(kErrorBoxSide) * viewer.zoom / 100);
  return {side, side};
}

PictureInfoPtr BmLoadPicture(medview::Viewer& viewer, std::span<const uint8_t> reference) {
  auto info = std::make_shared<PictureInfo>();
  base::ByteReader in(reference);
  int16_t kind = in.i16();
  DeviceTraits device = BmDeviceTraits(viewer.hdc);
  bool printing = (viewer.flags & medview::kViewPrinting) != 0;
  if (!in.ok()) {
    ErrorBox(*info, viewer);
    return info;
  }
  if (kind == 0) {
    int16_t number = in.i16();
    if (!in.ok() || number < 0) {
      ErrorBox(*info, viewer);
      return info;
    }
    if (viewer.bitmapCache && !printing) {
      PictureSlot* slot = CachedPicture(viewer, number, device);
      if (!slot) {
        ErrorBox(*info, viewer);
        return info;
      }
      FillInfo(*info, *slot->picture, device, viewer.hdc);
      info->number = number;
      info->width = slot->width;
      info->height = slot->height;
      return info;
    }
    std::vector<uint8_t> file = ReadPictureFile(viewer, number, 0, 0);
    ExpandedPicturePtr picture = ExpandChosen(file, device, nullptr);
    if (!picture) {
      ErrorBox(*info, viewer);
      return info;
    }
    FillInfo(*info, *picture, device, viewer.hdc);
    return info;
  }
  ExpandedPicturePtr picture = ExpandChosen(reference.subspan(2), device, nullptr);
  if (!picture) {
    ErrorBox(*info, viewer);
    return info;
  }
  FillInfo(*info, *picture, device, viewer.hdc);
  return info;
}

std::unique_ptr<PictureHotspots> BmScaleHotspots(const PictureInfo& picture) {
  if (picture.hotspotData.empty()) return nullptr;
  base::ByteReader in(picture.hotspotData);
  in.u8();
  uint16_t count = in.u16();
  int32_t extraSize = in.i32();
  if (!in.ok() || extraSize < 0 || uint64_t(count) * kHotspotEntrySize + uint64_t(extraSize) > in.remaining()) {
    return nullptr;
  }
  auto result = std::make_unique<PictureHotspots>();
  result->width = picture.width;
  result->height = picture.height;
  // A stored size of 0 leaves the rectangles unscaled instead of dividing by it.
  auto scale = [](int64_t value, int64_t shown, int64_t stored) {
    return stored > 0 ? int32_t(std::clamp<int64_t>(value * shown / stored, 0, INT32_MAX / 4)) : int32_t(value);
  };
  for (uint16_t i = 0; i < count; ++i) {
    PictureHotspot h;
    h.type = in.u8();
    h.type2 = in.u8();
    h.extra = in.u8();
    h.x = scale(in.u16(), picture.width, picture.storedWidth);
    h.y = scale(in.u16(), picture.height, picture.storedHeight);
    h.width = scale(in.u16(), picture.width, picture.storedWidth);
    h.height = scale(in.u16(), picture.height, picture.storedHeight);
    h.data = in.i32();
    result->entries.push_back(h);
  }
  result->extra.resize(size_t(extraSize));
  in.bytes(result->extra.data(), result->extra.size());
  return result;
}

namespace {

void DrawErrorBox(PictureInfo& picture, medview::Viewer& viewer, int x, int y) {
  FontZero font(viewer);
  RECT box{x, y, x + picture.width, y + picture.height};
  datapres::FrDrawErrorBox(viewer.hdc, box, {}, viewer.textColor, viewer.backColor);
}

// Draws the picture's bitmap or metafile into `hdc` at (x, y), `to_target` telling whether `hdc` is
// the viewer's context (a metafile then gets its viewport origin there).
bool DrawInto(const PictureInfo& picture, HDC hdc, int x, int y) {
  if (picture.bitmap) {
    HDC source = CreateCompatibleDC(hdc);
    if (!source) return false;
    HGDIOBJ old = SelectObject(source, picture.bitmap);
    BOOL ok;
    if (picture.width == picture.storedWidth && picture.height == picture.storedHeight) {
      ok = BitBlt(hdc, x, y, picture.width, picture.height, source, 0, 0, SRCCOPY);
    } else {
      SetStretchBltMode(hdc, STRETCH_DELETESCANS);
      ok = StretchBlt(hdc, x, y, picture.width, picture.height, source, 0, 0, picture.storedWidth,
                      picture.storedHeight, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
    return ok;
  }
  if (!picture.metafile) return false;
  int saved = SaveDC(hdc);
  SetMapMode(hdc, picture.mappingMode);
  SetViewportOrgEx(hdc, x, y, nullptr);
  if (picture.mappingMode == MM_ISOTROPIC) {
    SetWindowExtEx(hdc, picture.storedWidth, picture.storedHeight, nullptr);
  }
  if (picture.mappingMode == MM_ISOTROPIC || picture.mappingMode == MM_ANISOTROPIC) {
    SetViewportExtEx(hdc, picture.width, picture.height, nullptr);
  }
  BOOL ok = PlayMetaFile(hdc, picture.metafile);
  RestoreDC(hdc, saved);
  return ok;
}

}  // namespace

int BmDrawPicture(PictureInfo& picture, medview::Viewer& viewer, int x, int y, bool invert) {
  HDC hdc = viewer.hdc;
  if (!hdc) return 0;
  PictureSlot* slot = picture.number >= 0 && viewer.bitmapCache ? FindSlot(*viewer.bitmapCache, picture.number) : nullptr;
  bool printing = (viewer.flags & medview::kViewPrinting) != 0;
  RECT area{x, y, x + picture.width, y + picture.height};
  auto finish = [&](int result) {
    if (invert) InvertRect(hdc, &area);
    return result;
  };
  if (picture.number < 0 && !picture.bitmap && !picture.metafile) {
    DrawErrorBox(picture, viewer, x, y);
    return 0;
  }
  if (slot && slot->deviceBitmap && !printing) {
    if (slot->background == viewer.backColor) {
      HDC source = CreateCompatibleDC(hdc);
      HGDIOBJ old = SelectObject(source, slot->deviceBitmap);
      BitBlt(hdc, x, y, picture.width, picture.height, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
      return finish(1);
    }
    DeleteObject(slot->deviceBitmap);
    slot->deviceBitmap = nullptr;
  }
  if (!picture.bitmap && !picture.metafile && slot && slot->picture) {
    MakeDeviceObjects(*slot->picture, hdc, picture);
  }
  if (!picture.bitmap && !picture.metafile) {
    DrawErrorBox(picture, viewer, x, y);
    return 0;
  }
  SetTextColor(hdc, viewer.textColor);
  SetBkColor(hdc, viewer.backColor);
  bool drawn;
  if (slot && !printing) {
    HDC memory = CreateCompatibleDC(hdc);
    HBITMAP cached = CreateCompatibleBitmap(hdc, picture.width, picture.height);
    HGDIOBJ old = SelectObject(memory, cached);
    HBRUSH background = CreateSolidBrush(viewer.backColor);
    RECT all{0, 0, picture.width, picture.height};
    FillRect(memory, &all, background);
    DeleteObject(background);
    drawn = DrawInto(picture, memory, 0, 0);
    if (drawn) BitBlt(hdc, x, y, picture.width, picture.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    if (drawn) {
      slot->deviceBitmap = cached;
      slot->background = viewer.backColor;
    } else {
      DeleteObject(cached);
    }
  } else {
    drawn = DrawInto(picture, hdc, x, y);
  }
  if (!drawn) {
    DrawErrorBox(picture, viewer, x, y);
    return 0;
  }
  return finish(1);
}

}  // namespace bitmap
