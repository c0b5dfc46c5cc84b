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
#include "engine/medview/viewer_hotspots.h"

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
