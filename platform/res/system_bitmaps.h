// The system's own bitmaps that programs load by their OBM_ ids with no module
// (LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECK))): drawn for this project in the classic look,
// black on white, the size of a menu check mark. The resource store hands them out as bitmap
// resources of those ids unless the program adds its own.
#pragma once

#include <cstdint>
#include <span>

#include "platform/base/win_types.h"

constexpr UINT OBM_MNARROW = 32739;  // the arrow of a menu item that opens a submenu
constexpr UINT OBM_CHECK = 32760;    // the check mark of a menu item

namespace res {

// The packed DIB of a system bitmap, empty for an id that is not one.
std::span<const uint8_t> system_bitmap(UINT id);

}  // namespace res
