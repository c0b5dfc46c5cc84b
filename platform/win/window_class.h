// Registered window classes: a name with its window procedure, class styles, cursor and background.
#pragma once

#include <string>

#include "platform/win/window_api.h"

namespace win {

struct WindowClass {
  std::string name;
  WNDPROC proc = nullptr;
  UINT style = 0;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;  // a brush or a system colour index + 1; null for none
};

// The class of that name (case-insensitive), or null.
const WindowClass* find_class(const char* name);

}  // namespace win
