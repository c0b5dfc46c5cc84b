// Resource and command ids of the application (shell, reading view, navigation, binders, search, notes): the program's own ids below 20000 and its commands from 32768. Included by resource_ids.h; each area keeps its
// ids here so that work on one area never touches another's.
#pragma once

#include "platform/base/win_types.h"

namespace resources {

}  // namespace resources
