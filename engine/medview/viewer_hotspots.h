// Hotspots of a viewer: hit tests of client points, focus stepping, showing them, their targets.
#pragma once

#include <cstdint>
#include <span>

#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"

namespace medview {

inline constexpr TitleErrorCode kViewNoHotspot = 1014;

// Flags of HotspotInfo.
inline constexpr uint32_t kHotspotHit = 0x01;
inline constexpr uint32_t kHotspotInSelection = 0x02;
inline constexpr uint32_t kHotspotOverText = 0x04;
inline constexpr uint32_t kHotspotOverWindow = 0x08;

// Object kinds of HotspotInfo.
enum HotspotObjectKind : int32_t { kHotspotText = 0, kHotspotOther = 1, kHotspotWindow = 2, kHotspotNothing = 3 };

struct HotspotInfo {
  int32_t size = 28;
  uint32_t flags = 0;
  int32_t kind = kHotspotNothing;
  int32_t style = -1;
  int32_t position = -1;
  int32_t offset = 0;
  HWND window = nullptr;
};

struct HotspotTarget {
  int32_t size = 40;
  RECT rect{};
  uint32_t target = 0;
  int32_t bufferSize = 0;
  int32_t dataLength = 0;
  uint8_t* buffer = nullptr;
  int32_t type = 3;
};

BOOL MvHotspotFromPoint(ViewerHandle viewer, int32_t x, int32_t y, HotspotInfo* info, HotspotTarget* target,
                        TitleErrorCode* error);
BOOL MvSelectNextHotspot(ViewerHandle viewer, BOOL forward, TitleErrorCode* error);
BOOL MvGetCurrentHotspot(ViewerHandle viewer, HotspotTarget* target, TitleErrorCode* error);
BOOL MvShowHotspots(ViewerHandle viewer, BOOL show, TitleErrorCode* error);
// Hotspots of the whole shown region, each record laid out in turn on a clone of the viewer: their
// number, and the target of hotspot n (from 0; 1014 past the end).
int32_t MvCountHotspots(ViewerHandle viewer);
BOOL MvGetNthHotspot(ViewerHandle viewer, int32_t n, HotspotTarget* target, TitleErrorCode* error);

}  // namespace medview
