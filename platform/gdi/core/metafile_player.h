// Plays metafile bytes into a device context.
#pragma once

#include <cstdint>
#include <span>

#include "platform/gdi/core/gdi_types.h"

namespace gdi {

// Plays the records (see metafile_format.h) between a SaveDC and a RestoreDC of the context;
// objects the picture creates are deleted at the end. Unknown records and records too short for
// their function are skipped; a record whose size runs past the end stops playback. False when
// the bytes are not a metafile.
bool play_metafile(HDC hdc, std::span<const uint8_t> bytes);

}  // namespace gdi
