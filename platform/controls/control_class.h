// Registers a control's window class once: arrow cursor, a system-colour background and the given
// class styles. A second call for the same name does nothing.
#pragma once

#include "platform/win/window_api.h"

namespace controls {

void register_control_class(const char* name, WNDPROC proc, UINT style, int background_colour);

}  // namespace controls
