// Measuring and drawing text runs, borders, hotspot frames and pictures of laid-out frames.
#pragma once

#include <cstdint>
#include <span>

#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"

namespace frame {

// Width of `length` bytes in the viewer's current font: the width table plus the font's character
// spacing, less the overhang, plus the kerning of each pair (added to the first character of the
// pair). `widths`, when given, receives each character's advance; the drawn advances are exactly
// these, so what is measured is what is drawn.
int32_t FrMeasureText(const medview::Viewer& viewer, const uint8_t* text, size_t length, int32_t* widths);

// Draws a text object of a frame at (x, y) (the frame's origin). `text` is the frame record's text.
// `toggle` only inverts a hotspot's highlight, without drawing the text again.
void FrDrawText(medview::Viewer& viewer, std::span<const uint8_t> text, const LayoutObject& object, int32_t x,
                int32_t y, const RECT* clip, bool toggle);
void FrDrawBorder(medview::Viewer& viewer, const LayoutObject& object, int32_t x, int32_t y);
void FrDrawHotspotFrame(medview::Viewer& viewer, const LayoutObject& object, int32_t x, int32_t y, bool toggle);
void FrDrawPicture(medview::Viewer& viewer, const LayoutObject& object, int32_t x, int32_t y);
// Draws every object of a frame whose origin is at (x, y).
void FrDrawFrame(medview::Viewer& viewer, const LayoutFrame& frame, int32_t x, int32_t y);

}  // namespace frame
