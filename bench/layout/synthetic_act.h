// A synthetic act of many paragraphs for layout benchmarks: articles, numbered points and long
// clauses, in the shapes the library's acts take.
#pragma once

#include <string>
#include <vector>

namespace layout_bench {

inline constexpr int kActParagraphs = 20000;

// The plain text of each paragraph.
inline std::vector<std::string> SyntheticActText(int paragraphs = kActParagraphs) {
  static const char* const kClauses[] = {
      "Przepisy ustawy stosuje sie odpowiednio do postepowan wszczetych przed dniem jej wejscia w zycie",
      "organ wlasciwy w sprawie wydaje decyzje w terminie trzydziestu dni od dnia zlozenia wniosku",
      "z zastrzezeniem art. 12 ust. 3 oraz przepisow wydanych na podstawie art. 45",
      "minister wlasciwy do spraw finansow publicznych okresli, w drodze rozporzadzenia, szczegolowy tryb",
      "w przypadku gdy wniosek nie spelnia wymagan formalnych, wzywa sie wnioskodawce do jego uzupelnienia",
  };
  std::vector<std::string> text;
  text.reserve(size_t(paragraphs));
  for (int i = 0; i < paragraphs; ++i) {
    std::string p = i % 10 == 0 ? "Art. " + std::to_string(i / 10 + 1) + ". " : std::to_string(i % 10) + ") ";
    for (int k = 0; k <= i % 4; ++k) {
      p += kClauses[(i + k) % 5];
      p += k == i % 4 ? "." : ", ";
    }
    text.push_back(std::move(p));
  }
  return text;
}

}  // namespace layout_bench
