// The main window's stored placement and full-screen rectangle as plain functions.
//
// The placement is the text "flags,show,minX,minY,maxX,maxY,left,top,right,bottom": flags 2 when
// the window is to come back maximised (else 0), the show command, the minimised and maximised
// positions and the normal rectangle, all decimal. A stored text is used only when all ten
// numbers read and its normal rectangle is a real rectangle that meets one of the screens.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/monitors.h"
#include "platform/win/window_api.h"

namespace frame_placement {

// The ten numbers, or nothing when the text holds fewer, more, or one that does not read.
std::optional<WINDOWPLACEMENT> Parse(std::string_view text);
std::string Format(const WINDOWPLACEMENT& placement);
// Whether the rectangle has an area and shares some of it with one of the screens.
bool MeetsAScreen(const RECT& rect, const std::vector<win::ScreenArea>& screens);
// The stored text made ready to apply: parsed, the show command cleared, and only when its normal
// rectangle meets a screen.
std::optional<WINDOWPLACEMENT> Usable(std::string_view text, const std::vector<win::ScreenArea>& screens);

// The full-screen rectangle of a window on a screen `screen`: its top moved down by 2 pixels, then
// enlarged by `frame` (the window's borders, caption and menu: the amounts the window's outer
// rectangle exceeds its client area on each side, as positive numbers).
RECT FullScreenRect(const RECT& screen, const RECT& frame);

// The program's settings key the placements are stored under.
inline constexpr const char* kSettingsKey = "Software\\Fenwar\\LumoKAL";
// Stores the placement of `window` as value `name` of the settings key, with the maximised flag
// while the window is maximised.
void Store(HWND window, const char* name);
// The placement stored as value `name` when it is usable (see Usable).
std::optional<WINDOWPLACEMENT> Load(const char* name);
// Moves `window` to the place stored as value `name`, keeping its own size (dialogs); false when
// nothing usable is stored.
bool RestorePosition(HWND window, const char* name);

}  // namespace frame_placement
