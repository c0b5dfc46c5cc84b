// Topic pictures: choosing the stored variant that suits the device, the picture as layout keeps it,
// its hotspots scaled to the size shown, the viewer's five-slot picture cache, and drawing.
//
// Picture directory (a picture file "|bm%d", or in place in a picture reference): u16 not read,
// u16 number of variants k, k x i32 offsets of the variants' stored records from the directory's
// start. Variant i runs to the next variant's offset, the last to the end.
//
// Hotspot data of a stored picture: u8, u16 number of hotspots h, i32 size of the extra data e, h
// entries of 15 bytes {u8 type, u8 second byte, u8, u16 x, u16 y, u16 width, u16 height, i32 data},
// then e bytes of extra data.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/bitmap/expanded_picture.h"
#include "platform/gdi/core/gdi_types.h"

namespace medview {
struct Viewer;
}

namespace bitmap {

inline constexpr int kPictureCacheSlots = 5;

struct PictureHotspot {
  uint8_t type = 0;
  uint8_t type2 = 0;
  uint8_t extra = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t data = 0;
};

// The hotspots of a picture at the size shown.
struct PictureHotspots {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<PictureHotspot> entries;
  std::vector<uint8_t> extra;
};

// Owns its device bitmap and metafile.
struct PictureInfo {
  int32_t number = -1;  // picture number of a cached title picture, -1 otherwise
  HBITMAP bitmap = nullptr;
  HMETAFILE metafile = nullptr;
  int32_t width = 0;  // size shown, device pixels
  int32_t height = 0;
  int32_t storedWidth = 0;
  int32_t storedHeight = 0;
  int32_t mappingMode = 0;
  std::vector<uint8_t> hotspotData;  // copy of the stored hotspot data
  uint8_t type = 0;
  ~PictureInfo();
};

using PictureInfoPtr = std::shared_ptr<PictureInfo>;

struct PictureSlot {
  int32_t number = -1;
  uint16_t stamp = 0;
  ExpandedPicturePtr picture;
  int32_t width = 0, height = 0, storedWidth = 0, storedHeight = 0, mappingMode = 0;
  HBITMAP deviceBitmap = nullptr;  // the picture as last drawn
  COLORREF background = 0;         // the background that device bitmap was drawn on
};

struct PictureCache {
  uint16_t counter = 1;
  std::array<PictureSlot, kPictureCacheSlots> slots;
  ~PictureCache();
};

// Device properties that choose a variant and size a picture.
struct DeviceTraits {
  int dpiX = 96;
  int dpiY = 96;
  int planes = 1;
  int bitsPerPixel = 32;
};
DeviceTraits BmDeviceTraits(HDC hdc);

// Offsets and sizes of the variants of a directory; empty when it is damaged.
struct VariantSpan {
  size_t offset = 0;
  size_t size = 0;
};
std::vector<VariantSpan> BmReadDirectory(std::span<const uint8_t> directory);
int BmScoreVariant(std::span<const uint8_t> stored, const DeviceTraits& device);
int BmChooseVariant(std::span<const uint8_t> directory, const DeviceTraits& device);

// Size shown of an expanded picture on the device.
SIZE BmShownSize(const ExpandedPicture& picture, const DeviceTraits& device, HDC hdc);
SIZE BmMetafileSize(HDC hdc, int mapping_mode, int x_extent, int y_extent, int dpi_x, int dpi_y);

std::unique_ptr<PictureCache> BmCacheCreate();
void BmCacheFree(std::unique_ptr<PictureCache> cache);

// Loads a picture reference {i16 kind, then kind 0: i16 picture number; else a directory in place}.
// Never null: a picture that cannot be loaded has no handles and the error box's size.
PictureInfoPtr BmLoadPicture(medview::Viewer& viewer, std::span<const uint8_t> reference);
// Null when the picture has no hotspot data or it is damaged.
std::unique_ptr<PictureHotspots> BmScaleHotspots(const PictureInfo& picture);
// 1 when the picture was drawn, 0 when the error box was drawn instead.
int BmDrawPicture(PictureInfo& picture, medview::Viewer& viewer, int x, int y, bool invert);
// The size of the box drawn for a picture that cannot be shown.
SIZE BmErrorBoxSize(medview::Viewer& viewer);

}  // namespace bitmap
