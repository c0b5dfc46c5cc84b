#include "engine/frame/hotspots.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "engine/datapres/embedded_window.h"
#include "engine/frame/region_walk.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/view_marks.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"
#include "platform/base/byte_io.h"
#include "platform/gdi/core/draw_api.h"

namespace frame {

namespace {

using medview::HotspotTarget;

// Command bytes whose data is a zero-terminated string rather than a 32-bit word.
bool IsStringCommand(uint8_t command) { return (command & 0xD8) == 0xC8; }
// Picture hotspots of types 6 and 7 hold a byte, a 32-bit word and then the string.
constexpr size_t kNamedTargetHead = 5;

// Length of the zero-terminated string at the start of `bytes`, or -1 without a NUL in them.
int64_t TerminatedLength(std::span<const uint8_t> bytes) {
  const void* nul = std::memchr(bytes.data(), 0, bytes.size());
  return nul ? static_cast<const uint8_t*>(nul) - bytes.data() : -1;
}

// Hands `data` to the caller's buffer when it fits; the length always tells what is needed.
void PutData(HotspotTarget& target, std::span<const uint8_t> data) {
  target.dataLength = int32_t(data.size());
  if (target.buffer && target.bufferSize >= target.dataLength) {
    std::memcpy(target.buffer, data.data(), data.size());
  }
}

bool IsHotspotObject(const LayoutObject& o) { return (o.flags & kObjInHotspot) && o.hotspotData != -1; }

}  // namespace

int32_t FrHotspotType(uint8_t command) {
  switch (command) {
    case 0xC8: case 0xCC: return 0;
    case 0xE3: case 0xE7: return 1;
    case 0xE2: case 0xE6: return 2;
    case 0xE1: return 4;
    case 0xE0: return 5;
    case 0xEB: case 0xEF: return 6;
    case 0xEA: case 0xEE: return 7;
    default: return 3;
  }
}

bool FrDecodeTextHotspot(std::span<const uint8_t> record, int32_t offset, HotspotTarget& target) {
  target.dataLength = 0;
  target.target = 0;
  if (offset < 0 || size_t(offset) >= record.size()) return false;
  base::ByteReader in(record.subspan(size_t(offset)));
  uint8_t command = in.u8();
  target.type = FrHotspotType(command);
  if (!IsStringCommand(command)) {
    uint32_t word = in.u32();
    if (!in.ok()) return false;
    target.target = word;
    return true;
  }
  uint16_t length = in.u16();
  if (!in.ok() || length > in.remaining()) return false;
  std::span<const uint8_t> bytes = record.subspan(size_t(offset) + 3, length);
  int64_t text = TerminatedLength(bytes);
  if (text < 0) return false;
  if (text >= 4) std::memcpy(&target.target, bytes.data(), 4);
  PutData(target, bytes.first(size_t(text) + 1));
  return true;
}

bool FrDecodePictureHotspot(uint8_t command, uint32_t data, std::span<const uint8_t> extra, HotspotTarget& target) {
  target.dataLength = 0;
  target.type = FrHotspotType(command);
  if (!IsStringCommand(command)) {
    target.target = data;
    return true;
  }
  target.target = 0;
  if (data >= extra.size()) return false;
  std::span<const uint8_t> bytes = extra.subspan(data);
  if (target.type == 6 || target.type == 7) {
    if (bytes.size() < kNamedTargetHead) return false;
    int64_t text = TerminatedLength(bytes.subspan(kNamedTargetHead));
    if (text < 0) return false;
    base::ByteReader word(bytes.subspan(1, 4));
    target.target = word.u32();
    PutData(target, bytes.first(kNamedTargetHead + size_t(text) + 1));
    return true;
  }
  int64_t text = TerminatedLength(bytes);
  if (text < 0) return false;
  PutData(target, bytes.first(size_t(text) + 1));
  return true;
}

bool FrHotspotTarget(medview::Viewer& viewer, size_t f, size_t index, HotspotTarget* target) {
  if (f >= viewer.frames.size() || index >= viewer.frames[f].objects.size()) return false;
  const LayoutFrame& frame = viewer.frames[f];
  const LayoutObject& o = frame.objects[index];
  if (!IsHotspotObject(o)) return false;
  if (!target) return true;
  target->rect = RECT{frame.x + o.x - viewer.hOffset, frame.y + o.y, frame.x + o.right() - viewer.hOffset,
                      frame.y + o.bottom()};
  if (o.kind == kObjHotspotFrame) {
    std::span<const uint8_t> extra;
    if (o.hotspotExtra) extra = o.hotspotExtra->bytes;
    return FrDecodePictureHotspot(o.hotspotType, uint32_t(o.hotspotData), extra, *target);
  }
  return FrDecodeTextHotspot(frame.record, o.hotspotData, *target);
}

bool FrHotspotVisible(const medview::Viewer& viewer, size_t f, size_t index) {
  const LayoutFrame& frame = viewer.frames[f];
  const LayoutObject& o = frame.objects[index];
  int32_t height = viewer.layoutRect.bottom - viewer.layoutRect.top;
  int32_t width = viewer.layoutRect.right - viewer.layoutRect.left;
  int32_t top = frame.y + o.y, bottom = frame.y + o.bottom();
  int32_t left = frame.x + o.x - viewer.hOffset;
  if (viewer.flags & medview::kViewReportCutLines) {
    if (top < 0 || bottom > height) return false;
  }
  return bottom > 0 && top < height && left < width && left + o.width > 0;
}

void FrToggleHotspot(medview::Viewer& viewer, size_t f, size_t index, bool whole, bool highlighted) {
  if (!viewer.hdc || f >= viewer.frames.size()) return;
  LayoutFrame& frame = viewer.frames[f];
  int32_t x = viewer.layoutRect.left - viewer.hOffset + frame.x, y = viewer.layoutRect.top + frame.y;
  int32_t number = frame.objects[index].hotspotNumber;
  std::span<const uint8_t> text = FrFrameText(frame);
  for (size_t i = index; i < frame.objects.size(); ++i) {
    const LayoutObject& o = frame.objects[i];
    if (i > index && (!whole || !IsHotspotObject(o) || o.hotspotNumber != number)) {
      if (IsMarkerKind(o.kind) || !IsHotspotObject(o)) continue;
      break;
    }
    if (o.kind == kObjText) FrDrawText(viewer, text, o, x, y, nullptr, true);
    if (o.kind == kObjHotspotFrame) FrDrawHotspotFrame(viewer, o, x, y, true);
    if (o.kind == kObjPicture) {
      RECT area{x + o.x, y + o.y, x + o.right(), y + o.bottom()};
      InvertRect(viewer.hdc, &area);
    }
    // A window highlights itself.
    if (o.kind == kObjWindow) FrSendToObject(viewer, o, datapres::kEwHighlight, highlighted ? 1 : 0, 0);
    if (!whole) break;
  }
}

}  // namespace frame

