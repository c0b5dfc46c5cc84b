// The image window ("MVIMAGE"): one picture inside a laid-out topic, made by the engine's layout for
// an embedded-window object of that class. It reads its options from the window text, loads the
// picture once (from a file in the title "!name", a bitmap resource "+name" or a file beside the
// title), draws it with an optional caption below it, carries hotspots that the engine hit-tests
// and steps through, shows search marks and a selected (inverted) state, copies itself to the
// clipboard and prints. A picture that cannot be had leaves a 100 x 50 box with its name and the
// window text "MVIMAGE:NOT FOUND".
#pragma once

#include <cstdint>

#include "engine/datapres/embedded_window.h"
#include "platform/base/win_types.h"

namespace imagewnd {

inline constexpr const char* kImageClass = "MVIMAGE";
inline constexpr const char* kNotFoundText = "MVIMAGE:NOT FOUND";
inline constexpr UINT kImageClassNameString = 6000;
inline constexpr int32_t kNotFoundWidth = 100;
inline constexpr int32_t kNotFoundHeight = 50;

// Messages of the image window besides the embedded-window protocol.
inline constexpr UINT kImgPaletteQuery = 0x706C;

// State bits.
inline constexpr uint32_t kImgInverted = 0x02;
inline constexpr uint32_t kImgShowAll = 0x04;
inline constexpr uint32_t kImgInvertStyle = 0x08;
inline constexpr uint32_t kImgLoadTried = 0x10;

// Start-up: registers the window class, enters it among the engine's embedded-window classes for
// `instance`, and (once per process) the built-in picture types for the calling thread. 1.
int ImgInit(HINSTANCE instance);
// Exit: 0 while windows of the class live (everything kept); else the class and the calling
// thread's types and cache are released, 1.
int ImgTerm(HINSTANCE instance);

// Makes an image window as a child of `parent`, as the engine's layout does (datapres::EmbedCreateProc).
HWND ImgCreateWindow(HWND parent, const char* window_text, const datapres::EmbeddedWindowParams& params);

LRESULT ImageWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The window's name (the picture file, after the hotspot file and a tab when one is named), state
// bits, focus and total size, for tests.
struct ImageWindowFacts {
  uint32_t state = 0;
  int32_t focus = 0;
  int32_t pictureWidth = 0, pictureHeight = 0;
  int32_t totalWidth = 0, totalHeight = 0;
  bool hasPicture = false;
  bool hasHotspots = false;
};
bool ImgWindowFacts(HWND window, ImageWindowFacts& facts);

}  // namespace imagewnd
