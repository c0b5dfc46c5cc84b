#include "engine/frame/hotspots.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "engine/frame/region_walk.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/frame/view_marks.h"
#include "engine/frame/viewer_scope.h"
#include "engine/medview/viewer_fonts.h"
#include "platform/base/byte_io.h"

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

void FrToggleHotspot(medview::Viewer& viewer, size_t f, size_t index, bool whole) {
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
    if (!whole) break;
  }
}

}  // namespace frame

namespace medview {

namespace {

using frame::LayoutFrame;
using frame::LayoutObject;

bool IsHotspot(const LayoutObject& o) { return (o.flags & frame::kObjInHotspot) && o.hotspotData != -1; }

// The focused object, or null.
const LayoutObject* Focused(const Viewer& viewer, size_t* f, size_t* index) {
  if (viewer.focusFrame < 0 || size_t(viewer.focusFrame) >= viewer.frames.size()) return nullptr;
  const LayoutFrame& frame = viewer.frames[size_t(viewer.focusFrame)];
  for (size_t i = 0; i < frame.objects.size(); ++i) {
    if (IsHotspot(frame.objects[i]) && frame.objects[i].hotspotNumber == viewer.focusHotspot) {
      *f = size_t(viewer.focusFrame);
      *index = i;
      return &frame.objects[i];
    }
  }
  return nullptr;
}

// Toggles every visible hotspot object of every frame.
void ToggleAll(Viewer& viewer) {
  for (size_t f = 0; f < viewer.frames.size(); ++f) {
    for (size_t i = 0; i < viewer.frames[f].objects.size(); ++i) {
      if (IsHotspot(viewer.frames[f].objects[i]) && frame::FrHotspotVisible(viewer, f, i)) {
        frame::FrToggleHotspot(viewer, f, i, false);
      }
    }
  }
}

// Walks the hotspots of the shown region on a clone, numbering them from 0 where the hotspot number
// changes between objects; `visit` gets the clone, the object's index in the clone's only frame and
// the hotspot's number, and returns false to stop.
TitleErrorCode WalkHotspots(Viewer& viewer, const std::function<bool(Viewer&, size_t, int32_t)>& visit) {
  TitleErrorCode code = 0;
  ClonePtr clone(MvCloneViewer(&viewer, &code));
  if (!clone) return kViewNoMemory;
  if (MvAcquireDC(clone.get()) != 0) return kViewNoDC;
  int32_t count = 0;
  bool stopped = false;
  code = frame::FrWalkRegion(*clone, frame::FrRegionStart(*clone), INT32_MAX, [&](LayoutFrame& current) {
    int32_t previous = 0;
    for (size_t i = 0; i < current.objects.size(); ++i) {
      const LayoutObject& o = current.objects[i];
      if (!IsHotspot(o) || o.hotspotNumber == previous) continue;
      previous = o.hotspotNumber;
      if (!visit(*clone, i, count++)) {
        stopped = true;
        return false;
      }
    }
    return true;
  });
  MvReleaseDC(clone.get());
  return code ? code : stopped ? kViewOk : kViewNoHotspot;
}

}  // namespace

int32_t MvCountHotspots(ViewerHandle viewer) {
  if (!viewer) return 0;
  ViewerBusy busy(viewer);
  if (!busy.entered()) return 0;
  int32_t count = 0;
  WalkHotspots(*viewer, [&](Viewer&, size_t, int32_t) { return ++count, true; });
  return count;
}

BOOL MvGetNthHotspot(ViewerHandle viewer, int32_t n, HotspotTarget* target, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  ViewerBusy busy(viewer);
  if (!busy.entered()) {
    SetErrorCode(error, kViewBusy);
    return FALSE;
  }
  bool found = false;
  TitleErrorCode code = WalkHotspots(*viewer, [&](Viewer& clone, size_t index, int32_t number) {
    if (number != n) return true;
    found = frame::FrHotspotTarget(clone, 0, index, target);
    return false;
  });
  if (!found) {
    SetErrorCode(error, code ? code : kViewNoHotspot);
    return FALSE;
  }
  return TRUE;
}

BOOL MvHotspotFromPoint(ViewerHandle viewer, int32_t x, int32_t y, HotspotInfo* info, HotspotTarget* target,
                        TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (info) *info = HotspotInfo{info->size};
  if (target) target->dataLength = 0;
  if (!viewer) return FALSE;
  ViewerBusy busy(viewer);
  if (!busy.entered()) {
    SetErrorCode(error, kViewBusy);
    return FALSE;
  }
  if (!MvLaidOut(*viewer)) {
    SetErrorCode(error, kViewNoLayout);
    return FALSE;
  }
  int32_t offset = 0, index = -1;
  int16_t side = 0;
  int32_t f = frame::FrPointToObject(*viewer, x, y, &offset, &index, &side);
  if (f < 0 || index < 0) return FALSE;
  const LayoutFrame& fr = viewer->frames[size_t(f)];
  const LayoutObject& o = fr.objects[size_t(index)];
  if (info) info->position = fr.position;
  int32_t px = x - viewer->layoutRect.left + viewer->hOffset - fr.x;
  int32_t py = y - viewer->layoutRect.top - fr.y;
  bool inside = px >= o.x && px < o.right() && py >= o.y && py < o.bottom();
  if (info) {
    info->offset = offset;
    if (MvHasSelection(viewer)) {
      TextPoint first, last;
      viewer->marks->selection.Ordered(first, last);
      TextPoint here{fr.position, offset};
      if (!(here < first) && here < last) info->flags |= kHotspotInSelection;
    }
  }
  bool hit = false;
  switch (o.kind) {
    case frame::kObjText:
    case frame::kObjBorder:
      if (info) {
        info->flags |= kHotspotOverText;
        info->kind = kHotspotText;
        title::FontDescriptor descriptor;
        if (o.kind == frame::kObjText && MvGetFontDescriptor(viewer->styleSheet, o.font, nullptr, &descriptor)) {
          info->style = int32_t(descriptor.style) - 1;
        }
      }
      hit = inside && IsHotspot(o);
      break;
    case frame::kObjWindow:
      if (info) {
        info->flags |= kHotspotOverWindow;
        info->kind = kHotspotWindow;
      }
      hit = inside && IsHotspot(o);
      break;
    default:
      if (info) info->kind = kHotspotOther;
      hit = inside && IsHotspot(o);
      break;
  }
  if (hit) hit = frame::FrHotspotTarget(*viewer, size_t(f), size_t(index), target);
  if (hit && info) info->flags |= kHotspotHit;
  return hit ? TRUE : FALSE;
}

BOOL MvSelectNextHotspot(ViewerHandle viewer, BOOL forward, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  ViewerBusy busy(viewer);
  if (!busy.entered()) {
    SetErrorCode(error, kViewBusy);
    return FALSE;
  }
  if (viewer->layoutRect.right <= viewer->layoutRect.left || viewer->layoutRect.bottom <= viewer->layoutRect.top) {
    return FALSE;
  }
  HeldDC dc(*viewer);
  if (viewer->showHotspots) {
    ToggleAll(*viewer);
    viewer->showHotspots = 0;
  }
  size_t startFrame = 0, startObject = 0;
  int32_t remembered = -1;
  bool hasFocus = Focused(*viewer, &startFrame, &startObject) != nullptr;
  if (hasFocus) {
    remembered = viewer->focusHotspot;
    frame::FrToggleHotspot(*viewer, startFrame, startObject, true);
  }
  viewer->focusFrame = -1;
  viewer->focusHotspot = -1;
  size_t frames = viewer->frames.size();
  if (forward) {
    for (size_t f = hasFocus ? startFrame : 0; f < frames; ++f) {
      const auto& objects = viewer->frames[f].objects;
      for (size_t i = (hasFocus && f == startFrame) ? startObject + 1 : 0; i < objects.size(); ++i) {
        const LayoutObject& o = objects[i];
        if (!IsHotspot(o) || o.hotspotNumber == remembered || !frame::FrHotspotVisible(*viewer, f, i)) continue;
        viewer->focusFrame = int32_t(f);
        viewer->focusHotspot = o.hotspotNumber;
        frame::FrToggleHotspot(*viewer, f, i, true);
        return TRUE;
      }
    }
  } else {
    for (size_t f = hasFocus ? startFrame + 1 : frames; f-- > 0;) {
      const auto& objects = viewer->frames[f].objects;
      size_t end = (hasFocus && f == startFrame) ? startObject : objects.size();
      for (size_t i = end; i-- > 0;) {
        const LayoutObject& o = objects[i];
        if (!IsHotspot(o) || o.hotspotNumber == remembered || !frame::FrHotspotVisible(*viewer, f, i)) continue;
        // The hotspot takes the focus at its first object in this frame.
        size_t first = i;
        while (first > 0 && IsHotspot(objects[first - 1]) && objects[first - 1].hotspotNumber == o.hotspotNumber) {
          --first;
        }
        viewer->focusFrame = int32_t(f);
        viewer->focusHotspot = o.hotspotNumber;
        frame::FrToggleHotspot(*viewer, f, first, true);
        return TRUE;
      }
    }
  }
  SetErrorCode(error, kViewNoHotspot);
  return FALSE;
}

BOOL MvGetCurrentHotspot(ViewerHandle viewer, HotspotTarget* target, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  ViewerBusy busy(viewer);
  if (!busy.entered()) {
    SetErrorCode(error, kViewBusy);
    return FALSE;
  }
  size_t f = 0, index = 0;
  if (viewer->layoutRect.right <= viewer->layoutRect.left || !Focused(*viewer, &f, &index) ||
      !frame::FrHotspotTarget(*viewer, f, index, target)) {
    SetErrorCode(error, kViewNoHotspot);
    return FALSE;
  }
  return TRUE;
}

BOOL MvShowHotspots(ViewerHandle viewer, BOOL show, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  ViewerBusy busy(viewer);
  if (!busy.entered()) {
    SetErrorCode(error, kViewBusy);
    return FALSE;
  }
  HeldDC dc(*viewer);
  size_t f = 0, index = 0;
  if (Focused(*viewer, &f, &index)) frame::FrToggleHotspot(*viewer, f, index, true);
  viewer->focusFrame = -1;
  viewer->focusHotspot = -1;
  if ((viewer->showHotspots != 0) == (show != 0)) return FALSE;
  if (!show) ToggleAll(*viewer);  // hides what is shown before the state changes
  viewer->showHotspots = show ? 1 : 0;
  if (show) ToggleAll(*viewer);
  return TRUE;
}

}  // namespace medview
