// Reads arbitrary bytes as the main window's stored placement ("MainWndPos"): a text that reads
// must format back to an equal placement, and a usable one must have a real rectangle on a screen.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "shell/frame_placement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<win::ScreenArea> screens = {{{0, 0, 1024, 768}, {0, 0, 1024, 740}, true},
                                                {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1000}, false}};
  if (const std::optional<WINDOWPLACEMENT> wp = frame_placement::Parse(text)) {
    const std::optional<WINDOWPLACEMENT> again = frame_placement::Parse(frame_placement::Format(*wp));
    if (!again || frame_placement::Format(*again) != frame_placement::Format(*wp)) std::abort();
  }
  if (const std::optional<WINDOWPLACEMENT> wp = frame_placement::Usable(text, screens)) {
    const RECT& r = wp->rcNormalPosition;
    if (r.right <= r.left || r.bottom <= r.top || wp->showCmd != 0) std::abort();
    if (!frame_placement::MeetsAScreen(r, screens)) std::abort();
  }
  return 0;
}
