#include "engine/fts/breakers/stemmer.h"

#include <string_view>

namespace fts {

namespace {

// One rule: in step `step`, a word ending in `suffix` whose stem meets `condition` gets the suffix
// replaced by `replacement` and goes on at step `next`.
//
// Conditions are read left to right over a stack of truth values; the rule holds when the bottom
// value is true (an empty condition holds). '1', '2' and 'p' push m = 1, m > 1 and m > 0 (m being the
// stem's measure) and fail the rule at once when false; 'v' pushes "the stem holds a vowel"; 'd'
// "longer than 2 and ends in a doubled consonant"; 'o' "at least 3 long and ends consonant, vowel,
// consonant, the last not w, x or y"; '*' and a letter "ends with that letter"; '!' negates the top;
// '&' and '|' combine the top two; 's' removes the stem's last letter when the bottom value is true.
struct Rule {
  int step;
  std::string_view suffix;
  std::string_view replacement;
  std::string_view condition;
  int next;
};

constexpr int kLastStep = 9;

constexpr Rule kRules[] = {
    {0, "sses", "ss", "", 1}, {0, "ies", "i", "", 1}, {0, "ss", "ss", "", 1}, {0, "s", "", "", 1},
    {1, "eed", "ee", "p", 3}, {1, "ed", "", "v", 2}, {1, "ing", "", "v", 2},
    {2, "at", "ate", "", 3}, {2, "bl", "ble", "", 3}, {2, "iz", "ize", "", 3},
    {2, "", "", "*l*s|*z|!d&s", 3}, {2, "", "e", "1o&", 3},
    {3, "y", "i", "v", 4},
    {4, "ational", "ate", "p", 5}, {4, "tional", "tion", "p", 5}, {4, "enci", "ence", "p", 5},
    {4, "anci", "ance", "p", 5}, {4, "izer", "ize", "p", 5}, {4, "abli", "able", "p", 5},
    {4, "alli", "al", "p", 5}, {4, "entli", "ent", "p", 5}, {4, "eli", "e", "p", 5},
    {4, "ousli", "ous", "p", 5}, {4, "ization", "ize", "p", 5}, {4, "ation", "ate", "p", 5},
    {4, "ator", "ate", "p", 5}, {4, "alism", "al", "p", 5}, {4, "iveness", "ive", "p", 5},
    {4, "fulness", "ful", "p", 5}, {4, "ousness", "ous", "p", 5}, {4, "aliti", "al", "p", 5},
    {4, "iviti", "ive", "p", 5}, {4, "biliti", "ble", "p", 5},
    {5, "icate", "ic", "p", 6}, {5, "ative", "", "p", 6}, {5, "alize", "al", "p", 6},
    {5, "iciti", "ic", "p", 6}, {5, "ical", "ic", "p", 6}, {5, "ful", "", "p", 6}, {5, "ness", "", "p", 6},
    {6, "al", "", "2", 7}, {6, "ance", "", "2", 7}, {6, "ence", "", "2", 7}, {6, "er", "", "2", 7},
    {6, "ic", "", "2", 7}, {6, "able", "", "2", 7}, {6, "ible", "", "2", 7}, {6, "ant", "", "2", 7},
    {6, "ement", "", "2", 7}, {6, "ment", "", "2", 7}, {6, "ent", "", "2", 7},
    {6, "ion", "", "2*s*t|&", 7},
    {6, "ou", "", "2", 7}, {6, "ism", "", "2", 7}, {6, "ate", "", "2", 7}, {6, "iti", "", "2", 7},
    {6, "ous", "", "2", 7}, {6, "ive", "", "2", 7}, {6, "ize", "", "2", 7},
    {7, "e", "", "2", 8}, {7, "e", "", "1o!&", 8},
    {8, "ll", "l", "2", 9}, {8, "", "", "2*l&d&s", 9},
};

// The step to go on at when no rule of a step applies.
constexpr int kStepNext[] = {1, 3, 3, 4, 5, 6, 7, 8, 9};

// a, e, i, o, u are vowels; y is a vowel after a consonant; everything else is a consonant.
bool is_consonant(std::string_view w, size_t i) {
  switch (w[i]) {
    case 'a': case 'e': case 'i': case 'o': case 'u':
      return false;
    case 'y':
      return i == 0 || !is_consonant(w, i - 1);
    default:
      return true;
  }
}

// The number of vowel runs followed by a consonant, after any leading consonants.
int measure(std::string_view stem) {
  int m = 0;
  size_t i = 0;
  while (i < stem.size() && is_consonant(stem, i)) ++i;
  while (i < stem.size()) {
    while (i < stem.size() && !is_consonant(stem, i)) ++i;
    if (i == stem.size()) break;
    ++m;
    while (i < stem.size() && is_consonant(stem, i)) ++i;
  }
  return m;
}

bool has_vowel(std::string_view stem) {
  for (size_t i = 0; i < stem.size(); ++i)
    if (!is_consonant(stem, i)) return true;
  return false;
}

bool ends_double_consonant(std::string_view s) {
  const size_t n = s.size();
  return n > 2 && s[n - 1] == s[n - 2] && is_consonant(s, n - 1);
}

bool ends_cvc(std::string_view s) {
  const size_t n = s.size();
  if (n < 3 || !is_consonant(s, n - 1) || is_consonant(s, n - 2) || !is_consonant(s, n - 3)) return false;
  const char last = s[n - 1];
  return last != 'w' && last != 'x' && last != 'y';
}

// Evaluates a condition on the stem (which 's' may shorten). False also for a malformed condition.
bool condition_holds(std::string_view condition, std::string& stem) {
  bool stack[16];
  int top = 0;
  auto push = [&](bool v) {
    if (top == 16) return false;
    stack[top++] = v;
    return true;
  };
  for (size_t i = 0; i < condition.size(); ++i) {
    const int m = measure(stem);
    bool ok = true;
    switch (condition[i]) {
      case '1':
        if (m != 1) return false;
        ok = push(true);
        break;
      case '2':
        if (m <= 1) return false;
        ok = push(true);
        break;
      case 'p':
        if (m <= 0) return false;
        ok = push(true);
        break;
      case 'v':
        ok = push(has_vowel(stem));
        break;
      case 'd':
        ok = push(ends_double_consonant(stem));
        break;
      case 'o':
        ok = push(ends_cvc(stem));
        break;
      case '*':
        if (++i == condition.size()) return false;
        ok = push(!stem.empty() && stem.back() == condition[i]);
        break;
      case '!':
        if (top < 1) return false;
        stack[top - 1] = !stack[top - 1];
        break;
      case '&':
      case '|':
        if (top < 2) return false;
        --top;
        stack[top - 1] = condition[i] == '&' ? stack[top - 1] && stack[top] : stack[top - 1] || stack[top];
        break;
      case 's':
        if (top < 1) return false;
        if (stack[0] && !stem.empty()) stem.pop_back();
        break;
      default:
        return false;
    }
    if (!ok) return false;
  }
  return top == 0 || stack[0];
}

bool stemmable(std::string_view w) {
  if (w.size() < 4) return false;
  for (char c : w)
    if ((c < 'a' || c > 'z') && c != '*' && c != '?') return false;
  return true;
}

}  // namespace

void FtsStem(std::string& word) {
  if (!stemmable(word)) return;
  int step = 0;
  while (step < kLastStep) {
    int next = kStepNext[step];
    for (const Rule& rule : kRules) {
      if (rule.step != step || word.size() < rule.suffix.size() || !word.ends_with(rule.suffix)) continue;
      std::string stem = word.substr(0, word.size() - rule.suffix.size());
      if (!condition_holds(rule.condition, stem)) continue;
      word = stem;
      word += rule.replacement;
      next = rule.next;
      break;
    }
    step = next;
  }
}

}  // namespace fts
