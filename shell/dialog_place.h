// Where a small dialog stood last time, kept under the program's settings key as a window
// placement string: restored as a position only (the dialog keeps its own size), saved with the
// maximised flag.
#pragma once

#include "platform/win/window_api.h"

namespace dialog_place {

void Restore(HWND dialog, const char* value_name);
void Save(HWND dialog, const char* value_name);

}  // namespace dialog_place
