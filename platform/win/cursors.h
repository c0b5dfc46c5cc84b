// Cursors: the standard shapes by id and the one cursor shown over the program's windows.
#pragma once

#include <QCursor>

#include "platform/win/window_api.h"

namespace win {

// The Qt shape of a cursor handle (the arrow for an unknown handle).
Qt::CursorShape shape_of(HCURSOR cursor);

}  // namespace win
