#include "engine/medview/viewer_hotspots.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "engine/datapres/embedded_window.h"
#include "engine/frame/hotspots.h"
#include "engine/frame/region_walk.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/view_marks.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"
#include "platform/base/byte_io.h"
#include "platform/gdi/core/draw_api.h"

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
      viewer->marks->selection.ordered(first, last);
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
