// Resource and command ids of pictures, sounds and media (picture sheets, image and media windows): the ids the picture sheets, sounds and media windows are given. Included by resource_ids.h; each area keeps its
// ids here so that work on one area never touches another's.
#pragma once

#include "platform/base/win_types.h"

namespace resources {

// --- Sounds ("WAVE" resources) ---------------------------------------------------------------------
constexpr UINT IDR_WAVE_STARTUP = 175;  // played at start when sounds are on
constexpr UINT IDR_WAVE_WARNING = 292;  // before a failed search or go-to is reported

}  // namespace resources
