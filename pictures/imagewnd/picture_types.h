// Picture types of the image window: a signature of up to four characters with a loader, a drawer,
// a freer and a message hook. Types are kept per thread (with one process-wide record searched
// after the thread's own); nothing is locked, so a thread registers and releases its own types.
// Two types are built in: the bitmap file ("BM") and the segmented picture file ("lp", "lP"),
// whose first picture the engine expands and which may bring its own hotspot table.
//
// Segmented picture file: "lp" or "lP", u16 picture count, then u32 offsets of the pictures from
// the file's start; only the first picture (a stored picture record) is shown.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/title/title.h"
#include "pictures/imagewnd/image_hotspots.h"
#include "pictures/imagewnd/packed_dib.h"
#include "platform/base/win_types.h"
#include "platform/gdi/core/gdi_types.h"

namespace imagewnd {

// What a loader produced; each type knows its own kind.
struct PictureData {
  virtual ~PictureData() = default;
};

struct PictureLoadRequest {
  uint32_t size = 44;
  HWND window = nullptr;
  HDC dc = nullptr;  // the context the picture is measured for
  const char* options = "";
  uint32_t createFlags = 0;
  title::TitleHandle* title = nullptr;
  std::span<const uint8_t> bytes;  // the picture's bytes
  const char* name = "";           // the picture's name, for a self-loading type
  std::unique_ptr<PictureData>* picture = nullptr;
  HPALETTE* palette = nullptr;
  SIZE* pictureSize = nullptr;
  // The window's hotspots, which a picture's own hotspot table makes or extends.
  std::unique_ptr<HotspotSet>* hotspots = nullptr;
};

using PictureLoader = BOOL (*)(PictureLoadRequest& request);
using PictureDrawer = void (*)(HDC dc, PictureData* picture, HPALETTE palette, int left, int top, int right,
                               int bottom);
using PictureFreer = void (*)(std::unique_ptr<PictureData> picture, HPALETTE palette);
using PictureHook = LRESULT (*)(PictureData* picture, UINT message, WPARAM wparam, LPARAM lparam);

inline constexpr uint8_t kSelfLoading = 0x01;

struct PictureType {
  PictureLoader loader = nullptr;
  PictureDrawer drawer = nullptr;
  PictureFreer freer = nullptr;
  PictureHook hook = nullptr;
  uint8_t flags = 0;
  char name[5] = {};
};

// Registers for the calling thread (`thread_scope`) or process-wide. A type of the same name and
// flags is updated in place; a missing loader, drawer or freer is the bitmap type's.
BOOL ImgRegisterPictureType(bool thread_scope, const char* name, uint8_t flags, PictureLoader loader,
                            PictureDrawer drawer, PictureFreer freer, PictureHook hook);
// The first type whose whole name starts `bytes` (case-sensitive), the thread's types before the
// process-wide ones; self-loading types only when allowed. Bytes starting with 0 match nothing.
const PictureType* ImgMatchPictureType(std::span<const uint8_t> bytes, bool allow_self_loading);
// Whether any thread record exists in the process.
bool ImgHasThreadRecords();
// Releases the calling thread's record with its types and cache.
void ImgReleaseThread();
// Registers "BM", "lp" and "lP" for the calling thread.
void ImgRegisterBuiltInTypes();

// The picture cache of the calling thread: a fixed number of entries, the oldest replaced when full.
// Keys are the picture's name followed by the title's file name, compared without regard to case.
BOOL ImgCreatePictureCache(int count);
void ImgFlushPictureCache();
void ImgReleaseAllThreads();
std::shared_ptr<const std::vector<uint8_t>> ImgCachedPicture(const std::string& key);
// Enters bytes when the thread has a cache; false when it has none.
bool ImgCachePicture(const std::string& key, std::shared_ptr<const std::vector<uint8_t>> bytes);

// The built-in types.
BOOL DibLoad(PictureLoadRequest& request);
void DibDraw(HDC dc, PictureData* picture, HPALETTE palette, int left, int top, int right, int bottom);
void DibFree(std::unique_ptr<PictureData> picture, HPALETTE palette);
BOOL HyperLoad(PictureLoadRequest& request);
void HyperDraw(HDC dc, PictureData* picture, HPALETTE palette, int left, int top, int right, int bottom);
void HyperFree(std::unique_ptr<PictureData> picture, HPALETTE palette);

// The bitmap type's picture.
struct DibPicture : PictureData {
  PackedDib dib;
};
// A segmented picture: a bitmap or a metafile with its mapping.
struct HyperPicture : PictureData {
  int32_t kind = 6;  // 6 bitmap, 8 metafile
  PackedDib dib;
  HMETAFILE metafile = nullptr;
  int32_t mapMode = 0;
  int32_t xExtent = 0;
  int32_t yExtent = 0;
};

// The first stored picture of a segmented picture file; empty when the file is malformed.
std::span<const uint8_t> FirstStoredPicture(std::span<const uint8_t> file);
// A logical palette with one entry per colour of the table; null without colours.
HPALETTE PaletteFromDib(const PackedDib& dib);
// The device size of a metafile picture on `dc`.
SIZE MetafileSize(HDC dc, int32_t map_mode, int32_t x_extent, int32_t y_extent);

}  // namespace imagewnd
