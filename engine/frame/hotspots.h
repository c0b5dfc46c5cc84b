// Hotspots: the links of a laid-out topic. Hit tests of client points, keyboard focus stepping,
// showing all of them, and reading the target of one.
//
// Target data lives in the title: a text hotspot's command in its record (the command byte, then
// four bytes of data, or a 16-bit length and that many bytes holding a zero-terminated string), a
// picture hotspot's data word in its entry, pointing into the hotspot table's extra bytes for
// string targets. Every offset and length is checked against the bytes that hold it and a string
// must end with its NUL inside them; anything else is no target.
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

namespace frame {

// The target type of a hotspot command byte.
int32_t FrHotspotType(uint8_t command);

// Decodes a text hotspot's command at `offset` of `record`. False when it does not fit.
bool FrDecodeTextHotspot(std::span<const uint8_t> record, int32_t offset, medview::HotspotTarget& target);
// Decodes a picture hotspot of command byte `command` and data word `data`; string targets are read
// from `extra` at offset `data`. False when it does not fit.
bool FrDecodePictureHotspot(uint8_t command, uint32_t data, std::span<const uint8_t> extra,
                            medview::HotspotTarget& target);

// Fills `target` (may be null) from a laid-out hotspot object of frame `f`; false when it is none.
bool FrHotspotTarget(medview::Viewer& viewer, size_t f, size_t object, medview::HotspotTarget* target);
// Whether the hotspot at `object` of frame `f` is shown in the layout rectangle (with flag 0x08 not
// cut by its top or bottom edge).
bool FrHotspotVisible(const medview::Viewer& viewer, size_t f, size_t object);
// Inverts the hotspot's highlight: the object, or with `whole` every following object of the same
// hotspot in the frame. Embedded windows among them are told (0x7077) whether the hotspot is
// `highlighted` (focused or shown) once the toggle is done.
void FrToggleHotspot(medview::Viewer& viewer, size_t f, size_t object, bool whole, bool highlighted);

}  // namespace frame
