// Sizing and drawing embedded objects: a window sizes itself on request and is placed, shown and
// hidden as the layout scrolls (or draws itself into the printer's context); a callback object is
// drawn by the application's callback; an object that failed shows a framed box with its error text.
// The viewer's font 0 is expected to be selected into the context handed in.
#pragma once

#include "engine/datapres/embedded_window.h"

namespace datapres {

// What 0x706D and 0x706F carry in their lParam.
struct EmbedDrawParams {
  RECT rect{};
  HDC hdc = nullptr;
};

// The size an object takes in the layout: callback objects and every object while printing 0 x 0; a
// window answers 0x706B (the context and the size to fill) or keeps its own rectangle's size; a failed
// object the size of its error box.
SIZE FrWindowSize(EmbedState& state, const EmbedObject& object, HDC hdc, bool printing);

// The error box of `text`: its width plus twice the widest character, and twice the ascent plus the
// height of the font.
SIZE FrErrorBoxSize(HDC hdc, std::string_view text);
// Fills the rectangle with the background colour, frames it with the text colour and centres the text
// (or the "cannot be shown" text when there is none) when it fits.
void FrDrawErrorBox(const EmbedState& state, HDC hdc, const RECT& rect, std::string_view text);

// Draws the object whose rectangle is `rect` (its left and top only for callback objects) against the
// layout rectangle `layout`: it is visible when the two meet vertically.
void FrDrawWindow(EmbedState& state, const EmbedObject& object, const RECT& rect, const RECT& layout, HDC hdc,
                  bool printing);

}  // namespace datapres
