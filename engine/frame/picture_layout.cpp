// Picture records: the picture object and one object per hotspot drawn on it.
#include "engine/bitmap/picture.h"
#include "engine/frame/record_layout.h"

namespace frame {

namespace {

// Hotspot type byte of an area that shows search hits inverted.
constexpr uint8_t kHitArea = 0x8A;

}  // namespace

bool FrLayoutPicture(medview::Viewer& viewer, std::span<const uint8_t> format, const RecordPlacement& at,
                     ObjectList& out, RecordExtent& extent) {
  bitmap::PictureInfoPtr picture = bitmap::BmLoadPicture(viewer, format);
  std::unique_ptr<bitmap::PictureHotspots> hotspots = bitmap::BmScaleHotspots(*picture);
  size_t hotspotCount = hotspots ? hotspots->entries.size() : 0;
  extent.chars = int32_t(1 + hotspotCount);
  if (viewer.flags & medview::kViewClipboard) return true;
  extent.width = picture->width;
  extent.height = picture->height;
  size_t pictureIndex = out.size();
  LayoutObject o;
  o.kind = kObjPicture;
  o.flags = kObjInLine;
  o.baseline = picture->height;
  o.width = picture->width;
  o.height = picture->height;
  o.anchor = o.firstChar = o.lastChar = at.firstChar;
  o.recordOffset = at.recordOffset;
  o.font = at.depth > 0 ? at.font : 0;
  o.picture = std::move(picture);
  out.push_back(std::move(o));
  if (hotspotCount == 0) return true;
  out[pictureIndex].firstHotspot = int32_t(out.size());
  auto shared = std::make_shared<HotspotExtra>();
  shared->bytes = hotspots->extra;
  int32_t charNo = at.firstChar + 1;
  for (const bitmap::PictureHotspot& entry : hotspots->entries) {
    LayoutObject h;
    h.x = entry.x;
    h.y = entry.y;
    h.width = entry.width;
    h.height = entry.height;
    h.baseline = entry.height;
    h.anchor = h.firstChar = h.lastChar = charNo++;
    if (entry.type == kHitArea) {
      h.kind = kObjInvertArea;
      h.flags = kObjInLine;
    } else {
      h.kind = kObjHotspotFrame;
      h.flags = kObjInLine | kObjInHotspot;
      h.hotspotType = entry.type;
      h.hotspotType2 = entry.type2;
      h.hotspotNumber = ++viewer.hotspotCount;
      h.hotspotData = entry.data;
      h.hotspotExtra = shared;
    }
    out.push_back(std::move(h));
  }
  out[pictureIndex].endHotspot = int32_t(out.size());
  return true;
}

}  // namespace frame
