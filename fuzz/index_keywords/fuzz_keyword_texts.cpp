// Reads arbitrary bytes as a keyword text (cut at the first NUL, as the index hands texts out):
// the rank and title put back together give the text, headings and remembered titles hold no
// more than the text and a blank, the highlight text is the typed text in upper case, the list
// title never grows past the text and its "...", and every count has a sentence.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "navigation/calendar_dlg.h"
#include "navigation/keyword_hits.h"
#include "navigation/title_dlg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.substr(0, text.find('\0'));

  const keywords::RankedTitle split = keywords::SplitRankedTitle(text);
  if (text.find('#') == std::string::npos) {
    if (split.rank != text || !split.title.empty()) std::abort();
  } else {
    if (text.compare(0, split.title.size(), split.title) != 0 || text[split.title.size()] != '#') std::abort();
    if (!split.rank.empty() && split.rank.front() == ' ') std::abort();
  }
  if (keywords::TitleHeading(text).size() > text.size() + 1) std::abort();
  if (keywords::TitleBeforeRank(text).size() > text.size()) std::abort();
  const std::string highlight = keywords::TitleHighlight(text);
  if (!highlight.empty() && highlight.size() != text.size()) std::abort();
  if (keywords::IndexListTitle(text).size() > 15 + text.size() + 3) std::abort();

  const int count = size >= 2 ? int(data[0]) << 8 | data[1] : int(size);
  if (keywords::DateCountSentence(keywords::DateEvent::kAdopted, count).empty()) std::abort();
  if (keywords::DateCountSentence(keywords::DateEvent::kPublished, count).back() != '\n') std::abort();
  if (keywords::DateKey(1900 + count % 100, 1 + count % 12, 1 + count % 28).size() != 8) std::abort();
  return 0;
}
