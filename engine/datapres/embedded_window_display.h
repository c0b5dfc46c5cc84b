// Sizing and drawing embedded objects: a window sizes itself on request and is placed, shown and
// hidden as the layout scrolls (or draws itself into the printer's context); a callback object is
// drawn by the application's callback; an object that failed shows a framed box with its error text.
// The viewer's font 0 is expected to be selected into the context handed in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// The program's strings: the application installs, once at start-up, a reader of its string
// resources (false when it has no such string).
using ProgramStringProc = bool (*)(uint32_t id, std::string* text);
void FrSetProgramStrings(ProgramStringProc proc);
// The program's string 1023, "cannot be shown", which error boxes without a text of their own show;
// the engine's own copy of it when no reader is installed or the program has no such string.
std::string FrCannotShowText();

// The error box of `text`: its width plus twice the widest character, and twice the ascent plus the
// height of the font.
SIZE FrErrorBoxSize(HDC hdc, std::string_view text);
// Fills the rectangle with `back`, frames it with `text_colour` and centres the text (or the "cannot
// be shown" text when there is none) when it fits.
void FrDrawErrorBox(HDC hdc, const RECT& rect, std::string_view text, COLORREF text_colour, COLORREF back);

// Draws the object whose rectangle is `rect` (its left and top only for callback objects) against the
// layout rectangle `layout`: it is visible when the two meet vertically.
void FrDrawWindow(EmbedState& state, const EmbedObject& object, const RECT& rect, const RECT& layout, HDC hdc,
                  bool printing);

}  // namespace datapres
