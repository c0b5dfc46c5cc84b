#include "pictures/imagewnd/picture_types.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "engine/bitmap/expanded_picture.h"
#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/metafile_api.h"
#include "platform/gdi/core/object_api.h"

namespace imagewnd {
namespace {

struct CacheEntry {
  std::string key;
  std::shared_ptr<const std::vector<uint8_t>> bytes;
};

struct PictureCache {
  size_t capacity = 0;
  std::list<CacheEntry> used;  // in insertion order
};

struct ThreadRecord {
  std::thread::id thread;  // the default id: the process-wide record
  std::list<PictureType> types;
  std::unique_ptr<PictureCache> cache;
};

std::list<ThreadRecord>& thread_records() {
  static std::list<ThreadRecord> records;
  return records;
}

ThreadRecord* find_record(std::thread::id id) {
  for (ThreadRecord& r : thread_records())
    if (r.thread == id) return &r;
  return nullptr;
}

ThreadRecord& record_for(std::thread::id id) {
  if (ThreadRecord* r = find_record(id)) return *r;
  ThreadRecord& made = thread_records().emplace_back();
  made.thread = id;
  made.types.emplace_back();  // one empty record, used by the first registration
  return made;
}

bool matches(const PictureType& type, std::span<const uint8_t> bytes, bool allow_self_loading) {
  const size_t length = std::strlen(type.name);
  if (!length || bytes.size() < length) return false;
  if ((type.flags & kSelfLoading) && !allow_self_loading) return false;
  return std::memcmp(bytes.data(), type.name, length) == 0;
}

HPALETTE select_background(HDC dc, HPALETTE palette) {
  if (!palette) return nullptr;
  HPALETTE old = SelectPalette(dc, palette, TRUE);
  RealizePalette(dc);
  return old;
}

void draw_packed(HDC dc, const PackedDib& dib, HPALETTE palette, int left, int top, int right, int bottom) {
  HPALETTE old = select_background(dc, palette);
  StretchDIBits(dc, left, top, right - left, bottom - top, 0, 0, dib.width, dib.height, dib.bits(), dib.info(),
                DIB_RGB_COLORS, SRCCOPY);
  if (old) SelectPalette(dc, old, TRUE);
}

bool large_bitmaps(HDC dc) { return dc && (GetDeviceCaps(dc, RASTERCAPS) & RC_BITMAP64) != 0; }

SIZE device_size(HDC dc, int32_t width, int32_t height) {
  return ScaleToDevice(width, height, dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96, dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96);
}

}  // namespace

BOOL ImgRegisterPictureType(bool thread_scope, const char* name, uint8_t flags, PictureLoader loader,
                            PictureDrawer drawer, PictureFreer freer, PictureHook hook) {
  if (!name) return FALSE;
  ThreadRecord& record = record_for(thread_scope ? std::this_thread::get_id() : std::thread::id());
  PictureType wanted;
  std::strncpy(wanted.name, name, 4);
  wanted.flags = flags;
  wanted.loader = loader ? loader : DibLoad;
  wanted.drawer = drawer ? drawer : DibDraw;
  wanted.freer = freer ? freer : DibFree;
  wanted.hook = hook;
  for (PictureType& type : record.types) {
    if (std::strcmp(type.name, wanted.name) == 0 && type.flags == flags && type.loader) {
      type = wanted;
      return TRUE;
    }
  }
  if (record.types.size() == 1 && !record.types.front().loader) {
    record.types.front() = wanted;
  } else {
    record.types.push_back(wanted);
  }
  return TRUE;
}

const PictureType* ImgMatchPictureType(std::span<const uint8_t> bytes, bool allow_self_loading) {
  if (bytes.empty() || bytes[0] == 0) return nullptr;
  for (std::thread::id id : {std::this_thread::get_id(), std::thread::id()}) {
    if (const ThreadRecord* record = find_record(id))
      for (const PictureType& type : record->types)
        if (matches(type, bytes, allow_self_loading)) return &type;
  }
  return nullptr;
}

bool ImgHasThreadRecords() { return !thread_records().empty(); }

void ImgReleaseThread() {
  thread_records().remove_if([](const ThreadRecord& r) { return r.thread == std::this_thread::get_id(); });
}

void ImgRegisterBuiltInTypes() {
  ImgRegisterPictureType(true, "BM", 0, DibLoad, DibDraw, DibFree, nullptr);
  ImgRegisterPictureType(true, "lp", 0, HyperLoad, HyperDraw, HyperFree, nullptr);
  ImgRegisterPictureType(true, "lP", 0, HyperLoad, HyperDraw, HyperFree, nullptr);
}

BOOL ImgCreatePictureCache(int count) {
  if (count <= 0) return FALSE;
  ThreadRecord& record = record_for(std::this_thread::get_id());
  record.cache = std::make_unique<PictureCache>();
  record.cache->capacity = size_t(count);
  return TRUE;
}

void ImgFlushPictureCache() {
  if (ThreadRecord* record = find_record(std::this_thread::get_id()))
    if (record->cache) record->cache->used.clear();
}

void ImgReleaseAllThreads() { thread_records().clear(); }

std::shared_ptr<const std::vector<uint8_t>> ImgCachedPicture(const std::string& key) {
  ThreadRecord* record = find_record(std::this_thread::get_id());
  if (!record || !record->cache) return nullptr;
  for (const CacheEntry& entry : record->cache->used)
    if (base::cp1250::equal_no_case(entry.key, key)) return entry.bytes;
  return nullptr;
}

bool ImgCachePicture(const std::string& key, std::shared_ptr<const std::vector<uint8_t>> bytes) {
  ThreadRecord* record = find_record(std::this_thread::get_id());
  if (!record || !record->cache) return false;
  PictureCache& cache = *record->cache;
  if (cache.used.size() >= cache.capacity) cache.used.pop_front();
  cache.used.push_back({key, std::move(bytes)});
  return true;
}

HPALETTE PaletteFromDib(const PackedDib& dib) {
  if (dib.colours == 0) return nullptr;
  const uint32_t count = std::min<uint32_t>(dib.colours, 256);
  std::vector<uint8_t> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = WORD(count);
  const uint8_t* table = dib.bytes.data() + dib.bitsOffset - size_t(dib.colours) * 4;
  for (uint32_t i = 0; i < count; ++i)
    palette->palPalEntry[i] = {table[4 * i + 2], table[4 * i + 1], table[4 * i], 0};
  return CreatePalette(palette);
}

BOOL DibLoad(PictureLoadRequest& request) {
  auto dib = PackedDibFromFile(request.bytes, large_bitmaps(request.dc));
  if (!dib) return FALSE;
  *request.pictureSize = device_size(request.dc, dib->width, dib->height);
  *request.palette = PaletteFromDib(*dib);
  auto picture = std::make_unique<DibPicture>();
  picture->dib = std::move(*dib);
  *request.picture = std::move(picture);
  return TRUE;
}

void DibDraw(HDC dc, PictureData* picture, HPALETTE palette, int left, int top, int right, int bottom) {
  if (auto* dib = dynamic_cast<DibPicture*>(picture)) draw_packed(dc, dib->dib, palette, left, top, right, bottom);
}

void DibFree(std::unique_ptr<PictureData>, HPALETTE palette) {
  if (palette) DeleteObject(palette);
}

std::span<const uint8_t> FirstStoredPicture(std::span<const uint8_t> file) {
  if (file.size() < 8 || file[0] != 'l' || (file[1] != 'p' && file[1] != 'P')) return {};
  if (base::load_le16(file.data() + 2) == 0) return {};
  const uint32_t first = base::load_le32(file.data() + 4);
  if (first >= file.size()) return {};
  return file.subspan(first);
}

SIZE MetafileSize(HDC dc, int32_t map_mode, int32_t x_extent, int32_t y_extent) {
  if (map_mode == MM_ISOTROPIC || map_mode == MM_ANISOTROPIC) {
    if (x_extent <= 0 || y_extent <= 0) return {100, 100};
    return {int32_t(int64_t(x_extent) * GetDeviceCaps(dc, LOGPIXELSX) / 2540),
            int32_t(int64_t(y_extent) * GetDeviceCaps(dc, LOGPIXELSY) / 2540)};
  }
  const int saved = SaveDC(dc);
  SetMapMode(dc, map_mode);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  POINT corner{x_extent, y_extent};
  LPtoDP(dc, &corner, 1);
  RestoreDC(dc, saved);
  return {corner.x, map_mode == MM_TEXT ? corner.y : -corner.y};
}

BOOL HyperLoad(PictureLoadRequest& request) {
  int status = 0;
  bitmap::ExpandedPicturePtr expanded = bitmap::ExpLoadBitmapRecord(FirstStoredPicture(request.bytes), &status);
  if (!expanded) return FALSE;
  std::vector<PictureHotspot> hotspots;
  if (!(request.createFlags & 1) && !expanded->hotspot_data().empty())
    hotspots = ReadPictureHotspots(expanded->hotspot_data()).value_or(std::vector<PictureHotspot>());

  auto picture = std::make_unique<HyperPicture>();
  SIZE size{};
  if (expanded->type() == bitmap::kPictureMetafile) {
    const std::vector<uint8_t>& bits = expanded->metafileBits;
    picture->kind = 8;
    picture->metafile = SetMetaFileBitsEx(UINT(bits.size()), bits.data());
    if (!picture->metafile) return FALSE;
    picture->mapMode = expanded->field(18);
    picture->xExtent = expanded->field(22);
    picture->yExtent = expanded->field(26);
    size = MetafileSize(request.dc, picture->mapMode, picture->xExtent, picture->yExtent);
    ScalePictureHotspots(hotspots, size.cx, size.cy, picture->xExtent, picture->yExtent);
  } else {
    const std::vector<uint8_t>& block = expanded->block;
    const int32_t bits_at = expanded->field(6);
    if (bits_at < int32_t(bitmap::kBitmapHeadSize) || size_t(bits_at) > block.size()) return FALSE;
    const std::span<const uint8_t> info(block.data() + 18, size_t(bits_at) - 18);
    auto dib = MakePackedDib(info, expanded->bits(), large_bitmaps(request.dc));
    if (!dib) return FALSE;
    picture->kind = 6;
    size = device_size(request.dc, dib->width, dib->height);
    *request.palette = PaletteFromDib(*dib);
    picture->dib = std::move(*dib);
  }
  bitmap::ExpFreeBitmapRecord(std::move(expanded));

  if (!hotspots.empty() && request.hotspots) {
    HotspotsForPicture(*request.hotspots, size.cx, size.cy, hotspots.size());
    AddPictureHotspots(**request.hotspots, hotspots);
  }
  *request.pictureSize = size;
  *request.picture = std::move(picture);
  return TRUE;
}

void HyperDraw(HDC dc, PictureData* data, HPALETTE palette, int left, int top, int right, int bottom) {
  auto* picture = dynamic_cast<HyperPicture*>(data);
  if (!picture) return;
  if (picture->kind == 6) {
    draw_packed(dc, picture->dib, palette, left, top, right, bottom);
    return;
  }
  const int saved = SaveDC(dc);
  SetMapMode(dc, picture->mapMode);
  SetViewportOrgEx(dc, left, top, nullptr);
  if (picture->mapMode == MM_ISOTROPIC) SetWindowExtEx(dc, picture->xExtent, picture->yExtent, nullptr);
  if (picture->mapMode == MM_ISOTROPIC || picture->mapMode == MM_ANISOTROPIC)
    SetViewportExtEx(dc, right - left, bottom - top, nullptr);
  PlayMetaFile(dc, picture->metafile);
  RestoreDC(dc, saved);
}

void HyperFree(std::unique_ptr<PictureData> data, HPALETTE palette) {
  if (palette) DeleteObject(palette);
  if (auto* picture = dynamic_cast<HyperPicture*>(data.get()); picture && picture->metafile)
    DeleteMetaFile(picture->metafile);
}

}  // namespace imagewnd
