#include "tools/compiler/phrase_choice.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "engine/compress/phrase_builder.h"
#include "platform/base/cp1250.h"

namespace compiler {
namespace {

// Phrases with the default code base; the table's offsets and texts stay well inside its 64 KB.
constexpr size_t kMaxChosen = 1024;
constexpr size_t kMaxTableBytes = 60000;

bool SignedLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return static_cast<signed char>(x) < static_cast<signed char>(y); });
}

}  // namespace

std::vector<std::string> ChoosePhrases(const std::vector<std::string>& texts) {
  std::unordered_map<std::string_view, size_t> counts;
  for (const std::string& text : texts) {
    size_t i = 0;
    while (i < text.size()) {
      while (i < text.size() && !base::cp1250::is_letter(uint8_t(text[i]))) ++i;
      const size_t start = i;
      while (i < text.size() && base::cp1250::is_letter(uint8_t(text[i]))) ++i;
      if (i - start >= 4 && i - start <= 40) ++counts[std::string_view(text).substr(start, i - start)];
    }
  }
  std::vector<std::pair<size_t, std::string_view>> ranked;
  for (const auto& [word, count] : counts)
    if (count > 1) ranked.emplace_back(count * (word.size() - 2), word);
  std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  std::vector<std::string> phrases;
  size_t bytes = 0;
  for (const auto& [saving, word] : ranked) {
    if (phrases.size() == kMaxChosen || bytes + word.size() + 2 > kMaxTableBytes) break;
    phrases.emplace_back(word);
    bytes += word.size() + 2;
  }
  std::sort(phrases.begin(), phrases.end(), SignedLess);
  return phrases;
}

}  // namespace compiler
