// Cursors: the standard shapes by id, the program's own cursors from the resource store, and the
// one cursor shown over the program's windows.
#pragma once

#include <QCursor>

#include "platform/win/window_api.h"

namespace win {

// The Qt cursor of a cursor handle (the arrow for an unknown handle).
QCursor cursor_of(HCURSOR cursor);

}  // namespace win
