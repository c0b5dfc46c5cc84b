// Reads arbitrary bytes as query texts (split at the first NUL into two texts): every operator
// insertion keeps the trimmed text inside the result, the history never grows past its size or
// holds a text twice, go-to addresses start with "DU.199", and the natural order is antisymmetric,
// reflexive and transitive over the texts and their operator forms.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "navigation/query_rules.h"
#include "resources/resource_ids.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\0');
  const std::string a = input.substr(0, split);
  const std::string b = split == std::string::npos ? std::string() : input.substr(split + 1);

  std::vector<std::string> texts = {a, b};
  for (unsigned command = resources::ID_OPERATOR_AND; command <= resources::ID_OPERATOR_ANY_CHARACTER; ++command) {
    const std::string changed = findrules::InsertOperator(a, command);
    if (changed.size() > a.size() + 6) std::abort();
    texts.push_back(changed);
  }
  if (findrules::EngineQueryText(a, true).compare(0, 7, "VFLD 1 ") != 0) std::abort();

  std::vector<CString> history;
  for (const std::string& t : texts) findrules::AddToHistory(history, CString(t));
  if (history.size() > findrules::kHistorySize) std::abort();
  for (size_t i = 0; i < history.size(); ++i) {
    for (size_t j = i + 1; j < history.size(); ++j) {
      if (history[i].str() == history[j].str()) std::abort();
    }
  }

  for (int entry = 0; entry <= findrules::kGotoYearbookIndex; ++entry) {
    if (findrules::GotoAddress(entry, a.substr(0, 1), a, b).compare(0, 6, "DU.199") != 0) std::abort();
  }

  for (const std::string& x : texts) {
    if (findrules::CompareNatural(x, x) != 0) std::abort();
    for (const std::string& y : texts) {
      const int xy = findrules::CompareNatural(x, y);
      if (xy != -findrules::CompareNatural(y, x)) std::abort();
      for (const std::string& z : texts) {
        if (xy < 0 && findrules::CompareNatural(y, z) < 0 && findrules::CompareNatural(x, z) >= 0) std::abort();
      }
    }
  }
  return 0;
}
