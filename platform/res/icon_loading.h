// Icons from the resource store: icon resources hold an icon image (platform/gdi/core/icon_image.h).
#pragma once

#include "platform/gdi/core/icons.h"
#include "platform/base/win_types.h"

// The icon resource `name` (MAKEINTRESOURCE id or a name) at its own size; null when there is none
// or its bytes are not an icon image.
HICON LoadIcon(HINSTANCE instance, const char* name);

namespace res {
// The icon resource scaled to `cx` x `cy` when both are given, else at its own size.
HICON load_icon(const char* name, int cx, int cy);
}  // namespace res
