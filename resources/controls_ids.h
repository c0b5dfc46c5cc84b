// Resource and command ids of the in-house controls (dialog bases, print dialogs, status bar, lists, edits, skinning): the ids the controls' dialogs and strings are given. Included by resource_ids.h; each area keeps its
// ids here so that work on one area never touches another's.
#pragma once

#include "platform/base/win_types.h"

namespace resources {

}  // namespace resources
