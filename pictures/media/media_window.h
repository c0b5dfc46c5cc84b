// The media window ("MVMCI"): an embedded window of a topic that plays a sound or a video, with its
// video window ("MVMCI14_Video"), its play bar ("MVMCI14_Control") and the play bar's push buttons
// ("AnimSButton") and track bar ("AnimSTrackBar").
#pragma once

#include <cstdint>

#include "platform/base/win_types.h"

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

}  // namespace media
