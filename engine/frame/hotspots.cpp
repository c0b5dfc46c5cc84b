#include "engine/frame/hotspots.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "engine/datapres/embedded_window.h"
#include "engine/frame/region_walk.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/frame/view_marks.h"
#include "engine/frame/viewer_scope.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/viewer_fonts.h"
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

// The embedded window that holds the keyboard focus, or null.
const LayoutObject* FocusedWindow(const Viewer& viewer) {
  if (viewer.focusHotspot != 0 || viewer.focusFrame < 0 || size_t(viewer.focusFrame) >= viewer.frames.size())
    return nullptr;
  const frame::ObjectList& objects = viewer.frames[size_t(viewer.focusFrame)].objects;
  if (viewer.focusObject < 0 || size_t(viewer.focusObject) >= objects.size()) return nullptr;
  const LayoutObject& o = objects[size_t(viewer.focusObject)];
  return o.kind == frame::kObjWindow ? &o : nullptr;
}

void ClearFocus(Viewer& viewer) {
  viewer.focusFrame = -1;
  viewer.focusHotspot = -1;
  viewer.focusObject = -1;
}

// Toggles every visible hotspot object of every frame; visible embedded windows are told to show
// (0x7074 with 2) or hide (3) their own.
void ToggleAll(Viewer& viewer, bool show) {
  for (size_t f = 0; f < viewer.frames.size(); ++f) {
    for (size_t i = 0; i < viewer.frames[f].objects.size(); ++i) {
      const LayoutObject& o = viewer.frames[f].objects[i];
      if (!frame::FrHotspotVisible(viewer, f, i)) continue;
      if (o.kind == frame::kObjWindow) frame::FrSendToObject(viewer, o, datapres::kEwFocus, show ? 2 : 3, 0);
      if (IsHotspot(o)) frame::FrToggleHotspot(viewer, f, i, false, show);
    }
  }
}

// Walks the hotspots of the shown region on a clone, numbering them from 0 where the hotspot number
// changes between objects; an embedded window adds the hotspots it counts (0x7075). `visit` gets the
// clone, the object's index in the clone's only frame, the hotspot's number and its index within a
// window (-1 for the object's own), and returns false to stop.
using HotspotVisit = std::function<bool(Viewer&, size_t, int32_t, int32_t)>;
TitleErrorCode WalkHotspots(Viewer& viewer, const HotspotVisit& visit) {
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
      if (o.kind == frame::kObjWindow) {
        const LRESULT inWindow = frame::FrSendToObject(*clone, o, datapres::kEwHotspotCount, 0, 0);
        for (int32_t k = 0; k < inWindow; ++k) {
          if (!visit(*clone, i, count++, k)) {
            stopped = true;
            return false;
          }
        }
      }
      if (!IsHotspot(o) || o.hotspotNumber == previous) continue;
      previous = o.hotspotNumber;
      if (!visit(*clone, i, count++, -1)) {
        stopped = true;
        return false;
      }
    }
    return true;
  });
  MvReleaseDC(clone.get());
  return code ? code : stopped ? kViewOk : kViewNoHotspot;
}

// Asks the window of an object whose client origin is (ox, oy) for a hotspot at the point (x, y)
// inside it (0x7073 with -1); the rectangle it fills comes back in client coordinates.
bool WindowHotspotAt(Viewer& viewer, const LayoutObject& o, int32_t ox, int32_t oy, int32_t x, int32_t y,
                     HotspotTarget* target) {
  HotspotTarget asked;
  if (target) asked = *target;
  asked.rect = RECT{x, y, x, y};
  asked.dataLength = 0;
  asked.type = -1;
  if (!frame::FrSendToObject(viewer, o, datapres::kEwHotspot, WPARAM(-1), reinterpret_cast<LPARAM>(&asked)))
    return false;
  asked.rect = RECT{asked.rect.left + ox, asked.rect.top + oy, asked.rect.right + ox, asked.rect.bottom + oy};
  if (target) *target = asked;
  return true;
}

}  // namespace

int32_t MvCountHotspots(ViewerHandle viewer) {
  if (!viewer) return 0;
  ViewerBusy busy(viewer);
  if (!busy.entered()) return 0;
  int32_t count = 0;
  WalkHotspots(*viewer, [&](Viewer&, size_t, int32_t, int32_t) { return ++count, true; });
  return count;
}

BOOL MvGetNthHotspot(ViewerHandle viewer, int32_t n, HotspotTarget* target, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return FALSE;
  bool found = false;
  TitleErrorCode code = WalkHotspots(*viewer, [&](Viewer& clone, size_t index, int32_t number, int32_t inWindow) {
    if (number != n) return true;
    if (inWindow < 0) {
      found = frame::FrHotspotTarget(clone, 0, index, target);
    } else {
      HotspotTarget asked;
      found = frame::FrSendToObject(clone, clone.frames[0].objects[index], datapres::kEwHotspot, WPARAM(inWindow),
                                    reinterpret_cast<LPARAM>(&asked)) != 0;
      if (found && target) *target = asked;
    }
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
  if (!busy.entered(error)) return FALSE;
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
    case frame::kObjWindow: {
      if (info) {
        info->flags |= kHotspotOverWindow;
        info->kind = kHotspotWindow;
        info->window = frame::FrObjectWindow(*viewer, o);
      }
      const int32_t ox = viewer->layoutRect.left - viewer->hOffset + fr.x + o.x;
      const int32_t oy = viewer->layoutRect.top + fr.y + o.y;
      if (inside && WindowHotspotAt(*viewer, o, ox, oy, px - o.x, py - o.y, target)) {
        if (info) info->flags |= kHotspotHit;
        return TRUE;
      }
      hit = inside && IsHotspot(o);
      break;
    }
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
  if (!busy.entered(error)) return FALSE;
  if (viewer->layoutRect.right <= viewer->layoutRect.left || viewer->layoutRect.bottom <= viewer->layoutRect.top) {
    return FALSE;
  }
  HeldDC dc(*viewer);
  if (viewer->showHotspots) {
    ToggleAll(*viewer, false);
    viewer->showHotspots = 0;
  }
  const WPARAM direction = forward ? 1 : 0;
  size_t startFrame = 0, startObject = 0;
  int32_t remembered = -1;
  bool hasFocus = false;
  if (const LayoutObject* window = FocusedWindow(*viewer)) {
    // The window moves its own focus first; it keeps the focus while it can.
    if (frame::FrSendToObject(*viewer, *window, datapres::kEwFocus, direction, 0)) return TRUE;
    hasFocus = true;
    startFrame = size_t(viewer->focusFrame);
    startObject = size_t(viewer->focusObject);
  } else if (Focused(*viewer, &startFrame, &startObject)) {
    hasFocus = true;
    remembered = viewer->focusHotspot;
    frame::FrToggleHotspot(*viewer, startFrame, startObject, true, false);
  }
  ClearFocus(*viewer);
  // A visible window that takes the focus (0x7074) holds it with hotspot number 0.
  auto windowTakes = [&](size_t f, size_t i) {
    const LayoutObject& o = viewer->frames[f].objects[i];
    if (o.kind != frame::kObjWindow || !frame::FrHotspotVisible(*viewer, f, i) ||
        !frame::FrSendToObject(*viewer, o, datapres::kEwFocus, direction, 0)) {
      return false;
    }
    viewer->focusFrame = int32_t(f);
    viewer->focusObject = int32_t(i);
    viewer->focusHotspot = 0;
    return true;
  };
  size_t frames = viewer->frames.size();
  if (forward) {
    for (size_t f = hasFocus ? startFrame : 0; f < frames; ++f) {
      const auto& objects = viewer->frames[f].objects;
      for (size_t i = (hasFocus && f == startFrame) ? startObject + 1 : 0; i < objects.size(); ++i) {
        const LayoutObject& o = objects[i];
        if (windowTakes(f, i)) return TRUE;
        if (!IsHotspot(o) || o.hotspotNumber == remembered || !frame::FrHotspotVisible(*viewer, f, i)) continue;
        viewer->focusFrame = int32_t(f);
        viewer->focusObject = int32_t(i);
        viewer->focusHotspot = o.hotspotNumber;
        frame::FrToggleHotspot(*viewer, f, i, true, true);
        return TRUE;
      }
    }
  } else {
    for (size_t f = hasFocus ? startFrame + 1 : frames; f-- > 0;) {
      const auto& objects = viewer->frames[f].objects;
      size_t end = (hasFocus && f == startFrame) ? startObject : objects.size();
      for (size_t i = end; i-- > 0;) {
        const LayoutObject& o = objects[i];
        if (windowTakes(f, i)) return TRUE;
        if (!IsHotspot(o) || o.hotspotNumber == remembered || !frame::FrHotspotVisible(*viewer, f, i)) continue;
        // The hotspot takes the focus at its first object in this frame.
        size_t first = i;
        while (first > 0 && IsHotspot(objects[first - 1]) && objects[first - 1].hotspotNumber == o.hotspotNumber) {
          --first;
        }
        viewer->focusFrame = int32_t(f);
        viewer->focusObject = int32_t(first);
        viewer->focusHotspot = o.hotspotNumber;
        frame::FrToggleHotspot(*viewer, f, first, true, true);
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
  if (!busy.entered(error)) return FALSE;
  size_t f = 0, index = 0;
  const bool empty = viewer->layoutRect.right <= viewer->layoutRect.left;
  if (const LayoutObject* window = empty ? nullptr : FocusedWindow(*viewer)) {
    HotspotTarget asked;
    if (target) asked = *target;
    if (frame::FrSendToObject(*viewer, *window, datapres::kEwHotspot, WPARAM(-2), reinterpret_cast<LPARAM>(&asked))) {
      if (target) *target = asked;
      return TRUE;
    }
    SetErrorCode(error, kViewNoHotspot);
    return FALSE;
  }
  if (empty || !Focused(*viewer, &f, &index) || !frame::FrHotspotTarget(*viewer, f, index, target)) {
    SetErrorCode(error, kViewNoHotspot);
    return FALSE;
  }
  return TRUE;
}

BOOL MvShowHotspots(ViewerHandle viewer, BOOL show, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return FALSE;
  HeldDC dc(*viewer);
  size_t f = 0, index = 0;
  if (const LayoutObject* window = FocusedWindow(*viewer)) {
    frame::FrSendToObject(*viewer, *window, datapres::kEwFocus, datapres::kEwFocusLose, 0);
  } else if (Focused(*viewer, &f, &index)) {
    frame::FrToggleHotspot(*viewer, f, index, true, false);
  }
  ClearFocus(*viewer);
  if ((viewer->showHotspots != 0) == (show != 0)) return FALSE;
  if (!show) ToggleAll(*viewer, false);  // hides what is shown before the state changes
  viewer->showHotspots = show ? 1 : 0;
  if (show) ToggleAll(*viewer, true);
  return TRUE;
}

}  // namespace medview
