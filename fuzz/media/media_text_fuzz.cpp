// Media window texts and mark lists as titles give them: the parser with a full keyword table, then
// the name's resolution against a title.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/media/media_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const media::MediaWords words = [] {
    media::MediaWords w;
    const char* keywords[media::kKeywordCount] = {"e", "d", "s", "b", "m", "t", "sc", "r", "tr", "mk", "sz",
                                                  "x", "a", "rp", "nf", "l", "so", "lb", "mf", "g", "n"};
    for (int i = 0; i < media::kKeywordCount; ++i) w.keywords[i] = keywords[i];
    for (int i = 0; i < 13; ++i) w.buttons[i] = "b" + std::to_string(i + 1);
    return w;
  }();
  const std::string text(reinterpret_cast<const char*>(data), size);
  media::MediaOptions options;
  if (media::MediaParseWindowText(text, words, options).error == 0) {
    media::MediaResolveName(options.name, "/tytuly/du.m14");
  }
  std::vector<media::MarkSpec> marks;
  media::MediaParseMarks(text, marks);
  return 0;
}
