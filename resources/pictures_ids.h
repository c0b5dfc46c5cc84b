// Resource and command ids of pictures, sounds and media (picture sheets, image and media windows): the ids the picture sheets, sounds and media windows are given. Included by resource_ids.h; each area keeps its
// ids here so that work on one area never touches another's.
#pragma once

#include "platform/base/win_types.h"

namespace resources {

}  // namespace resources
