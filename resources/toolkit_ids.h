// Resource and command ids of the toolkit (workbook frame, docking, toolbars, customization, menus, widgets): 20495-23100 and 43040-45142, as the toolkit's own ids are. Included by resource_ids.h; each area keeps its
// ids here so that work on one area never touches another's.
#pragma once

#include "platform/base/win_types.h"

namespace resources {

}  // namespace resources
