// Laying out a window record (types 5 and 0x24): the window of the same topic and character is
// reused from the viewer's list, else the record's description makes a new object that joins the
// list; the result is one kind-6 display object of the object's size.
//
// Window record bytes: the record header, then its format data: six bytes the display does not use
// and the zero-terminated description "library, class, window text".
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "engine/datapres/embedded_window.h"
#include "engine/frame/layout_object.h"

namespace datapres {

// The description of a stored window record; none when the record is short, not a window record,
// or its description has no terminating zero inside the format data.
std::optional<WindowDescription> FrDecodeWindowRecord(std::span<const uint8_t> record);

// Lays out the window record whose object character has TopicAddress `key` in topic `topic`, as
// character `char_number` of its frame. The object is in line, at 0, 0, with its baseline at its
// bottom; it advances the running hotspot count and carries the new count, no hotspot data, and as
// `data` the object's index in the window list. False when the record is damaged (no object is made).
bool FrLayoutWindow(EmbedState& state, std::span<const uint8_t> record, int32_t topic, int32_t key,
                    int32_t char_number, HDC hdc, bool printing, int32_t& hotspot_count,
                    frame::LayoutObject& object);

}  // namespace datapres
