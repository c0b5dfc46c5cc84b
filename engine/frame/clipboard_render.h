// Copying: the selection or the whole shown region rendered as RTF and plain text. The records are
// laid out again one at a time on a clone of the viewer in clipboard mode (nothing measured or
// drawn, text-flow markers kept) and their objects walked.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/datapres/rtf_writer.h"
#include "engine/datapres/text_writer.h"
#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"
#include "engine/medview/viewer_clipboard.h"

namespace frame {

// Writes the objects of a frame laid out for copying whose characters lie in [from, to) to the two
// streams (either may be null). With flag 0x20 embedded windows are asked (0x7076) for their items
// in the `wanted` format: RTF and text items join the streams, a device-independent bitmap also
// goes into the RTF as a picture, and every other item is added to `others` (when given).
void FrRenderFrame(medview::Viewer& viewer, const LayoutFrame& frame, int32_t from, int32_t to,
                   datapres::RtfWriter* rtf, datapres::TextWriter* text, uint32_t wanted = 0,
                   medview::ClipFormatTable* others = nullptr);

}  // namespace frame
