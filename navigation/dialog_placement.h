// A dialog's place kept in the settings key as the shared placement text (frame_placement.h):
// restored only when the text is usable, saved with the maximised flag.
#pragma once

#include "platform/win/cwnd.h"

namespace navdlg {

// Moves the dialog to the stored place (keeping its size); false when nothing usable is stored.
bool RestorePlacement(CWnd* dialog, const char* value_name);
void SavePlacement(CWnd* dialog, const char* value_name);

}  // namespace navdlg
