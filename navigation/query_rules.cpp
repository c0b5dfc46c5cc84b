#include "navigation/query_rules.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>

#include "navigation/polish_plural.h"
#include "platform/base/cp1250.h"
#include "resources/resource_ids.h"

namespace findrules {
namespace {

std::string Trim(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && base::cp1250::is_space(static_cast<uint8_t>(text[first]))) ++first;
  while (last > first && base::cp1250::is_space(static_cast<uint8_t>(text[last - 1]))) --last;
  return text.substr(first, last - first);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The place of each byte, lower-cased, in the Polish alphabetical order of single characters: runs
// of text compare character by character on these places, which keeps the comparison transitive.
const std::array<uint16_t, 256>& CharacterRanks() {
  static const std::array<uint16_t, 256> ranks = [] {
    std::array<int, 256> bytes;
    std::iota(bytes.begin(), bytes.end(), 0);
    std::stable_sort(bytes.begin(), bytes.end(), [](int a, int b) {
      return base::cp1250::collate(std::string(1, char(a)), std::string(1, char(b))) < 0;
    });
    std::array<uint16_t, 256> out{};
    for (size_t i = 0; i < bytes.size(); ++i) out[size_t(bytes[i])] = uint16_t(i);
    std::array<uint16_t, 256> lowered{};
    for (int b = 0; b < 256; ++b) lowered[size_t(b)] = out[base::cp1250::to_lower(uint8_t(b))];
    return lowered;
  }();
  return ranks;
}

}  // namespace

std::string InsertOperator(const std::string& text, unsigned command) {
  const std::string t = Trim(text);
  switch (command) {
    case resources::ID_OPERATOR_AND: return t + " ORAZ";
    case resources::ID_OPERATOR_OR: return t + " LUB";
    case resources::ID_OPERATOR_NOT: return t + " NIE";
    case resources::ID_OPERATOR_NEAR: return t + " PRZY";
    case resources::ID_OPERATOR_QUOTE: return "\"" + t + "\"";
    case resources::ID_OPERATOR_BRACKETS: return "(" + t + ")";
    case resources::ID_OPERATOR_ANY_CHARACTERS: return t + "*";
    case resources::ID_OPERATOR_ANY_CHARACTER: return t + "?";
    default: return text;
  }
}

std::string EngineQueryText(const std::string& text, bool titles_only) {
  return titles_only ? "VFLD 1 " + text : text;
}

uint16_t QueryFlags(bool default_and, bool sort_hits) {
  return uint16_t((default_and ? 0 : 1) | (sort_hits ? 0 : 512));
}

bool AddToHistory(std::vector<CString>& history, const CString& text) {
  if (text.IsEmpty()) return false;
  if (std::any_of(history.begin(), history.end(), [&](const CString& s) { return s.str() == text.str(); })) return false;
  history.insert(history.begin(), text);
  if (history.size() > kHistorySize) history.resize(kHistorySize);
  return true;
}

Outcome ClassifyResult(bool has_list, int32_t count, bool aborted) {
  if (!has_list) return Outcome::kEngineError;
  if (count > 0) return Outcome::kHits;
  return aborted ? Outcome::kAborted : Outcome::kNothingFound;
}

std::string EngineErrorText(const std::string& table_text, int code) {
  if (!table_text.empty()) return table_text;
  return base::cp1250::from_utf8("Przeszukiwanie nie powiodło się (kod błędu ") + std::to_string(code) + ").";
}

std::string PaddedPart(const std::string& digits, int width) {
  if (int(digits.size()) > width) return digits;
  return "." + std::string(size_t(width) - digits.size(), '0') + digits;
}

std::string GotoAddress(int entry, const std::string& year, const std::string& position_or_number,
                        const std::string& article) {
  std::string article_part = PaddedPart(article, 4);
  std::string position_part = PaddedPart(position_or_number, entry == kGotoIssue ? 3 : 4);
  switch (entry) {
    case kGotoAct: article_part = ".0000"; break;
    case kGotoIssue: article_part.clear(); break;
    case kGotoYearbook: article_part = ".0000"; position_part = ".0000"; break;
    case kGotoYearbookIndex: article_part.clear(); position_part = ".SK_"; break;
    default: break;
  }
  return "DU.199" + year + position_part + article_part;
}

std::string GotoActAddress(const std::string& year, const std::string& position) {
  return GotoAddress(kGotoAct, year, position, std::string());
}

int GotoEntryForLevel(int level) {
  switch (level) {
    case 7: return kGotoAct;
    case 8: return kGotoIssue;
    case 9: return kGotoYearbook;
    default: return kGotoArticle;
  }
}

std::string NearHintText(int distance) {
  const polish::Plural form = polish::PluralOf(distance);
  const char* noun = form == polish::Plural::kOne ? "słowo" : form == polish::Plural::kFew ? "słowa" : "słów";
  char buffer[200];
  std::snprintf(buffer, sizeof buffer, "Wszystkie opisy w których słowa x i y nie są oddalone od siebie dalej niż o %d %s",
                distance, noun);
  return base::cp1250::from_utf8(buffer);
}

std::string ListScopeText(int code) {
  switch (code) {
    case kScopeLibrary: return base::cp1250::from_utf8("Cała biblioteka (wszystkie akty)");
    case kScopeBinder: return "Segregator";
    case kScopeSeparator: return std::string(27, char(150));
    case kScopeHistory: return "Lista - historia pracy";
    case kScopeBookmarks: return base::cp1250::from_utf8("Lista - zakładki użytkownika");
    case kScopeIndexes: return "Lista - indeksy";
    case kScopeResults: return "Lista - rezultaty przeszukiwania";
    case kScopePrintList: return "Lista - do wydruku";
    default: return std::string();
  }
}

std::string ScopeFilePath(const std::string& folder, const std::string& name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + name + ".lkg";
}

int CompareNatural(const std::string& a, const std::string& b) {
  size_t i = a.find_first_not_of(' '), j = b.find_first_not_of(' ');
  if (i == std::string::npos) i = a.size();
  if (j == std::string::npos) j = b.size();
  if (i == a.size() || j == b.size()) {
    if (i == a.size() && j == b.size()) return 0;
    return i == a.size() ? -1 : 1;
  }
  while (i < a.size() && j < b.size()) {
    const bool da = IsDigit(a[i]), db = IsDigit(b[j]);
    if (da && db) {
      size_t ei = i, ej = j;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      size_t si = i, sj = j;
      while (si + 1 < ei && a[si] == '0') ++si;
      while (sj + 1 < ej && b[sj] == '0') ++sj;
      if (ei - si != ej - sj) return ei - si < ej - sj ? -1 : 1;
      if (const int c = a.compare(si, ei - si, b, sj, ej - sj)) return c < 0 ? -1 : 1;
      i = ei;
      j = ej;
      continue;
    }
    if (da != db) return da ? -1 : 1;
    // Two runs of text: character by character without case, a run that begins the other first
    // (what follows it, a digit or the end, sorts before any character of text).
    const std::array<uint16_t, 256>& rank = CharacterRanks();
    size_t ei = i, ej = j;
    while (ei < a.size() && ej < b.size() && !IsDigit(a[ei]) && !IsDigit(b[ej])) {
      const uint16_t ra = rank[uint8_t(a[ei])], rb = rank[uint8_t(b[ej])];
      if (ra != rb) return ra < rb ? -1 : 1;
      ++ei;
      ++ej;
    }
    const bool a_text = ei < a.size() && !IsDigit(a[ei]);
    const bool b_text = ej < b.size() && !IsDigit(b[ej]);
    if (a_text != b_text) return a_text ? 1 : -1;
    i = ei;
    j = ej;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  // Equal in the natural order: case, accents and leading zeros decide (leading blanks do not).
  const int c = base::cp1250::collate(std::string_view(a).substr(std::min(a.find_first_not_of(' '), a.size())),
                                      std::string_view(b).substr(std::min(b.find_first_not_of(' '), b.size())));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::vector<size_t> NaturalOrder(const std::vector<std::string>& keys) {
  std::vector<size_t> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return CompareNatural(keys[a], keys[b]) < 0; });
  return order;
}

}  // namespace findrules
