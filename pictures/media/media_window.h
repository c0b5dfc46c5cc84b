// The media window ("MVMCI"): an embedded window of a topic that plays a sound or a video, with its
// video window ("MVMCI14_Video"), its play bar ("MVMCI14_Control") and the play bar's push buttons
// ("AnimSButton") and track bar ("AnimSTrackBar").
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"
#include "platform/gdi/core/gdi_types.h"

namespace media {

// Starts the media layer: registers the five window classes and the "MVMCI" embedded-window class
// of the program instance (the one call the application makes at start-up). 1, or 0 when the
// track-bar class cannot be registered.
int MciInit(HINSTANCE instance);
// Ends it: unregisters the classes and unloads the movie-player library. 1.
int MciTerm(HINSTANCE instance);

struct MediaWords;
// Replaces the option keywords and button words MciInit loaded (for a module that holds them).
void MediaSetWords(const MediaWords& words);

inline constexpr const char* kMediaClass = "MVMCI";
inline constexpr const char* kVideoClass = "MVMCI14_Video";
inline constexpr const char* kPlayBarClass = "MVMCI14_Control";
inline constexpr const char* kButtonClass = "AnimSButton";
inline constexpr const char* kTrackBarClass = "AnimSTrackBar";

// The media window of this process whose window text is `text`, among the screen windows or
// those of printing viewers; null for none.
HWND MediaFindInstance(std::string_view text, bool printing);

// Track-bar messages.
inline constexpr UINT kTbGetPos = 0x400, kTbGetMin = 0x401, kTbGetMax = 0x402, kTbAddTick = 0x404,
                      kTbSetPos = 0x405, kTbSetMin = 0x406, kTbSetMax = 0x407, kTbClearTicks = 0x408;
// The play bar's own change of a button's pressed state (no notification).
inline constexpr UINT kBtnSetPressedQuiet = 0x420;

// Push-button styles (in the window style).
inline constexpr DWORD kButtonRepeat = 0x400, kButtonSticky = 0x800, kButtonNotifyOnPress = 0x1000,
                       kButtonNoFace = 0x2000;
// The shortest auto-repeat period of a held button.
inline constexpr UINT kButtonRepeatMs = 50;

// Window procedures of the play bar's controls.
LRESULT ButtonProc(HWND h, UINT message, WPARAM wp, LPARAM lp);
LRESULT TrackBarProc(HWND h, UINT message, WPARAM wp, LPARAM lp);

// Track-bar geometry: the rounded a * b / c in 64 bits (0 when c is 0).
int32_t MediaScale(int64_t a, int64_t b, int64_t c);

// What a press on the track bar hits.
enum class TrackHit { none = -1, pageLeft = 2, pageRight = 3, thumb = 5 };
inline constexpr int kThumbHeight = 18;
// The thumb stands at (thumb_left, 1), thumb_width wide and 18 rows high, its bottom four rows
// narrowing by a pixel a side each; the groove answers from row 5 to row 12.
TrackHit TrackBarHitTest(POINT point, int thumb_left, int thumb_width, int client_width);
// The position of a thumb whose left edge stands at thumb_left (1 to channel + 1).
int32_t TrackBarPositionAt(int thumb_left, int channel, int32_t minimum, int32_t maximum);

// The play bar's pictures from the module's bitmaps (none in this program's resources): the
// track-bar thumbs "thumb0" (normal), "thumb1" (disabled), "thumb2" (dragged) and three faces
// (normal, disabled, pressed) for each of the button names "#eject" to "#menu". Each is a
// 16-colour bitmap whose colours 0, 7, 8, 10, 11 and 15 take the button colours of the system.
struct MediaControlPictures {
  HBITMAP thumbs[3] = {};
  int thumbWidth = 0;  // the width of "thumb0", 0 without it
  HBITMAP faces[14][3] = {};
};
// The picture name's entry (0 to 13) of a button text such as "#play" (any case); -1 for others.
int MediaButtonFaceIndex(const char* text);
const MediaControlPictures& MediaPictures();
void MediaLoadControlPictures(HINSTANCE instance);
void MediaFreeControlPictures();
// A mapped 16-colour bitmap resource; null when there is none or it is not a 4-bit DIB.
HBITMAP MediaMappedBitmap(HINSTANCE instance, const char* name);

}  // namespace media
