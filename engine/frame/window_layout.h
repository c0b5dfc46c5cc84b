// Window records (types 5 and 0x24) in a viewer's layout: each becomes one kind-6 object whose `data`
// is its entry in the viewer's embedded-window list, keyed by the TopicAddress of its character so
// that laying the same topic out again finds the window it made before.
#pragma once

#include <cstdint>
#include <span>

#include "engine/frame/record_layout.h"

namespace frame {

// Lays the window record out as one character at the placement. False when the record is damaged.
bool FrLayoutWindowRecord(medview::Viewer& viewer, std::span<const uint8_t> record, const RecordPlacement& at,
                          ObjectList& out, RecordExtent& extent);

// Draws a kind-6 object of a frame drawn at x, y: the window is placed and shown (or prints itself),
// a callback object is handed to the application's callback, a failed one shows its error box.
void FrDrawEmbeddedObject(medview::Viewer& viewer, const LayoutObject& object, int32_t x, int32_t y);

// The live window of a kind-6 object, null for callback objects, failed ones and gone windows.
HWND FrObjectWindow(medview::Viewer& viewer, const LayoutObject& object);
// Sends a message to the object's live window; 0 when it has none.
LRESULT FrSendToObject(medview::Viewer& viewer, const LayoutObject& object, UINT message, WPARAM wparam,
                       LPARAM lparam);

// Releases the embedded objects of a frame that leaves the layout: a callback object's callback hears
// of it; a window is told to drop its hits and focus and is hidden while the viewer holds a context.
void FrReleaseEmbeddedObjects(medview::Viewer& viewer, const LayoutFrame& frame);

}  // namespace frame
