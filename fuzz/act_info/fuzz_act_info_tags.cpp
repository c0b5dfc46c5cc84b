// Reads arbitrary bytes as a topic's header text for the act information window: the exception
// bullets and the related keywords. Every exception is a closed tag's value, the bullets' text
// holds each of them whole, and every keyword is a trimmed, non-empty piece of the keyword tag.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "navigation/act_dlg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The window reads header texts as C strings: they end at the first zero byte.
  std::string text(reinterpret_cast<const char*>(data), size);
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  const std::vector<std::string> items = actinfo::ExceptionItems(text);
  if (items.empty()) std::abort();
  const controls::RichText rich = actinfo::ExceptionText(items);
  if (rich.paragraphs().size() != 2 * items.size() + 3) std::abort();
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].empty()) std::abort();
    const std::string shown = static_cast<LPCTSTR>(rich.paragraphs()[3 + 2 * i].runs.at(0).text);
    if (shown != "\x95    " + items[i]) std::abort();
  }
  for (const std::string& keyword : actinfo::RelatedKeywords(text)) {
    if (keyword.empty() || keyword.front() == ' ' || keyword.back() == ' ' || keyword.find(';') != std::string::npos ||
        text.find(keyword) == std::string::npos) {
      std::abort();
    }
  }
  return 0;
}
