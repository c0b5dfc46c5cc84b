// The reading view's rules as plain functions over plain data: typed journal addresses, the sheet
// title and status texts of an act, picture-link macros, the selected text handed to searches,
// where pop-ups and tool tips open on their screen, the scroll-bar page of a text pane and the
// direction and cursor of wheel auto-scrolling. The windows in shell/view call these.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"
#include "shell/core/contents_reader.h"

namespace shell::view {

// --- Journal addresses ------------------------------------------------------------------------
// What the address is completed from when the user types only a part of it.
struct AddressDefaults {
  int full_year = 0;     // the current act's year (a calendar year); 0 when none is shown
  int issue_number = 0;  // the current act's journal issue number
};

// Turns a typed address ("97 123 456", "123", "2004 104 1") into the context string of the
// title ("DU.1997.0123.0456"). Blanks and the go-to fields' two separators (0xBE, 0xBF) part
// year, issue number and position. A text that already holds "DU." is taken as it stands. Years
// of one or two digits are of the 1900s; longer ones stand as typed. Issue numbers and positions
// of more than four digits are left out; with `issue_only` the position is "0000".
std::string MakeAddressContext(std::string_view text, bool issue_only, const AddressDefaults& defaults);

// --- Sheet title and status bar ---------------------------------------------------------------
// The journal number part of an issue's text: from the first blank after the "#" up to and
// including the blank after it. Empty when there is no "#", no blank after it, or no second blank.
std::string JournalNumberText(std::string_view issue_text);

struct SheetTexts {
  std::string short_text;  // the sheet's title and tab label
  std::string long_text;   // status-bar pane 1
  bool changed = false;    // false: the record is of level 0 and nothing is to change
};

// The texts of the topic described by `shown`; `act` describes the enclosing act record (used for
// parts of acts, levels 1 to 6). Years are shown in full.
SheetTexts MakeSheetTexts(const ActDescription& shown, const ContentsRecord& act);

// --- Picture links ----------------------------------------------------------------------------
// A picture link's macro is "%name@rest": the name (at most 127 characters) is everything after the
// per-cent sign up to the first at sign. False when the macro does not begin with "%" or the name
// is empty or longer than 127 characters.
bool ParsePictureMacro(std::string_view macro, std::string* name);
// The name with blanks at both ends removed (the title's pictures are named without them).
std::string TrimBlanks(std::string_view text);

// --- Selected text ----------------------------------------------------------------------------
inline constexpr size_t kMaxSelectedText = 255;
// The plain text of a selection as handed to searches: leading characters below 32 dropped and
// trailing line ends; empty when the selection's text is longer than 255 characters.
std::string SelectedTextForSearch(std::string_view plain);

// --- Pop-up placement -------------------------------------------------------------------------
// Where a window of `size` opens whose natural top-left corner is `origin`, on the screen whose
// rectangle is `screen`: when it would pass the screen's right edge it moves left by its width
// (less `right_margin` of slack), when it then starts left of the screen it is centred; the same
// downwards.
POINT PlaceOnScreen(POINT origin, SIZE size, const RECT& screen, int right_margin);

// --- Text pane scroll bar -----------------------------------------------------------------------
// The page of a scroll bar whose range is `range` for a text of `extent` pixels shown in `client`
// pixels; 0 when the extent is unknown.
int ScrollPage(int client, int range, int extent);
// Lines a wheel turn of `delta` scrolls (positive up): one per full 120 units.
int WheelLines(int delta);

// --- Wheel auto-scrolling -----------------------------------------------------------------------
enum class WheelDirection { none, up, down, left, right };
struct WheelStep {
  WheelDirection direction = WheelDirection::none;
  int amount = 0;
};
// The direction and speed for the mouse at (dx, dy) from the origin, for a target that can scroll
// horizontally / vertically.
WheelStep WheelStepFor(int dx, int dy, bool can_scroll_h, bool can_scroll_v);
// The cursor resource for a step.
UINT WheelCursorFor(WheelDirection direction, bool can_scroll_h, bool can_scroll_v);
// The picture in the indicator strip: 26 for horizontal only, 52 for vertical only, 0 for both.
int WheelImageOffset(bool can_scroll_h, bool can_scroll_v);

// The pop-up of the panes' context menu for what lies under the mouse: -1 none (nothing there),
// 3 a link whose target has a place, 4 another object, else 0 with a selection and 1 without.
int PaneMenuPopup(bool on_hotspot, bool nothing, bool over_text, bool target_has_place, bool has_selection);
// A style's underline byte after a style setter's underline choice: 1 gives 0xFF, 3 gives 0, any
// other non-zero choice 1, and 0 keeps `current`.
uint8_t StyleUnderline(int choice, uint8_t current);
// The description of an annotation object inserted into a topic.
std::string AnnotationDescription(int32_t topic, int32_t position, int32_t offset);

}  // namespace shell::view
