#include "tools/compiler/act_text.h"

#include <algorithm>
#include <array>

#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"

namespace compiler {
namespace {

constexpr uint64_t kMaxFileBytes = 16u << 20;
constexpr size_t kMaxLineBytes = 64u << 10;

// Characters the code page lacks, written as their plain forms.
bool ClosestForm(char32_t c, char& out) {
  switch (c) {
    case U'\u2010': case U'\u2011': case U'\u2012': case U'\u2212': case U'\u2043': out = '-'; return true;
    case U'\u2032': case U'\u02B9': out = '\''; return true;
    case U'\u2033': case U'\u02BA': case U'\u201F': out = '"'; return true;
    case U'\u2002': case U'\u2003': case U'\u2007': case U'\u2009': case U'\u200A': case U'\u202F': out = ' '; return true;
    case U'\u2044': case U'\u2215': out = '/'; return true;
    case U'\u2219': case U'\u2027': out = '.'; return true;
    default: return false;
  }
}

// Canonical compositions of a base letter and a combining mark whose result the code page holds,
// sorted by base and mark: decomposed text is normalised to NFC before conversion.
struct Composition {
  char32_t base, mark, composed;
};
constexpr Composition kCompositions[] = {
    {0x41, 0x0301, 0x00C1}, {0x41, 0x0302, 0x00C2}, {0x41, 0x0306, 0x0102}, {0x41, 0x0308, 0x00C4},
    {0x41, 0x0328, 0x0104}, {0x43, 0x0301, 0x0106}, {0x43, 0x030C, 0x010C}, {0x43, 0x0327, 0x00C7},
    {0x44, 0x030C, 0x010E}, {0x45, 0x0301, 0x00C9}, {0x45, 0x0308, 0x00CB}, {0x45, 0x030C, 0x011A},
    {0x45, 0x0328, 0x0118}, {0x49, 0x0301, 0x00CD}, {0x49, 0x0302, 0x00CE}, {0x4C, 0x0301, 0x0139},
    {0x4C, 0x030C, 0x013D}, {0x4E, 0x0301, 0x0143}, {0x4E, 0x030C, 0x0147}, {0x4F, 0x0301, 0x00D3},
    {0x4F, 0x0302, 0x00D4}, {0x4F, 0x0308, 0x00D6}, {0x4F, 0x030B, 0x0150}, {0x52, 0x0301, 0x0154},
    {0x52, 0x030C, 0x0158}, {0x53, 0x0301, 0x015A}, {0x53, 0x030C, 0x0160}, {0x53, 0x0327, 0x015E},
    {0x54, 0x030C, 0x0164}, {0x54, 0x0327, 0x0162}, {0x55, 0x0301, 0x00DA}, {0x55, 0x0308, 0x00DC},
    {0x55, 0x030A, 0x016E}, {0x55, 0x030B, 0x0170}, {0x59, 0x0301, 0x00DD}, {0x5A, 0x0301, 0x0179},
    {0x5A, 0x0307, 0x017B}, {0x5A, 0x030C, 0x017D}, {0x61, 0x0301, 0x00E1}, {0x61, 0x0302, 0x00E2},
    {0x61, 0x0306, 0x0103}, {0x61, 0x0308, 0x00E4}, {0x61, 0x0328, 0x0105}, {0x63, 0x0301, 0x0107},
    {0x63, 0x030C, 0x010D}, {0x63, 0x0327, 0x00E7}, {0x64, 0x030C, 0x010F}, {0x65, 0x0301, 0x00E9},
    {0x65, 0x0308, 0x00EB}, {0x65, 0x030C, 0x011B}, {0x65, 0x0328, 0x0119}, {0x69, 0x0301, 0x00ED},
    {0x69, 0x0302, 0x00EE}, {0x6C, 0x0301, 0x013A}, {0x6C, 0x030C, 0x013E}, {0x6E, 0x0301, 0x0144},
    {0x6E, 0x030C, 0x0148}, {0x6F, 0x0301, 0x00F3}, {0x6F, 0x0302, 0x00F4}, {0x6F, 0x0308, 0x00F6},
    {0x6F, 0x030B, 0x0151}, {0x72, 0x0301, 0x0155}, {0x72, 0x030C, 0x0159}, {0x73, 0x0301, 0x015B},
    {0x73, 0x030C, 0x0161}, {0x73, 0x0327, 0x015F}, {0x74, 0x030C, 0x0165}, {0x74, 0x0327, 0x0163},
    {0x75, 0x0301, 0x00FA}, {0x75, 0x0308, 0x00FC}, {0x75, 0x030A, 0x016F}, {0x75, 0x030B, 0x0171},
    {0x79, 0x0301, 0x00FD}, {0x7A, 0x0301, 0x017A}, {0x7A, 0x0307, 0x017C}, {0x7A, 0x030C, 0x017E},
};

// The composed form of `base` followed by `mark`, or 0.
char32_t Compose(char32_t base, char32_t mark) {
  const auto* end = std::end(kCompositions);
  const auto* found = std::lower_bound(std::begin(kCompositions), end, Composition{base, mark, 0}, [](const Composition& a, const Composition& b) {
    return a.base != b.base ? a.base < b.base : a.mark < b.mark;
  });
  return found != end && found->base == base && found->mark == mark ? found->composed : 0;
}

// Decodes one UTF-8 sequence at `i`; 0 when malformed.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& c) {
  const auto b = [&](size_t k) { return uint8_t(s[k]); };
  const uint8_t lead = b(i);
  if (lead < 0x80) { c = lead; return 1; }
  size_t len = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
  if (lead >= 0xF5) len = 0;
  if (!len || i + len > s.size()) return 0;
  c = lead & (0x7F >> len);
  for (size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b(i + k) & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMin[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return len;
}

std::string Cp(std::string_view utf8) { return base::cp1250::from_utf8(utf8); }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && base::cp1250::is_space(uint8_t(s.front()))) s.remove_prefix(1);
  while (!s.empty() && base::cp1250::is_space(uint8_t(s.back()))) s.remove_suffix(1);
  return s;
}

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

struct Headings {
  std::vector<std::pair<std::string, int>> divisions;  // CP1250 word, level
  std::string attachment_lower, attachment_upper, section_mark, figure = "Rysunek:";
  std::array<std::string, 12> months;
  Headings() {
    const std::pair<const char*, int> words[] = {
        {"CZĘŚĆ", 6}, {"Część", 6}, {"KSIĘGA", 5}, {"Księga", 5}, {"TYTUŁ", 4}, {"Tytuł", 4}, {"DZIAŁ", 3},
        {"Dział", 3}, {"ROZDZIAŁ", 2}, {"Rozdział", 2}, {"ODDZIAŁ", 1}, {"Oddział", 1}};
    for (const auto& [word, level] : words) divisions.emplace_back(Cp(word), level);
    attachment_lower = Cp("Załącznik");
    attachment_upper = Cp("ZAŁĄCZNIK");
    section_mark = Cp("§");
    const char* names[] = {"stycznia", "lutego", "marca", "kwietnia", "maja", "czerwca", "lipca", "sierpnia",
                           "września", "października", "listopada", "grudnia"};
    for (size_t m = 0; m < 12; ++m) months[m] = Cp(names[m]);
  }
};

const Headings& Words() {
  static const Headings words;
  return words;
}

// A cursor over one CP1250 line for the small fixed forms of the act texts.
class Cursor {
 public:
  explicit Cursor(std::string_view s) : s_(s) {}
  size_t at() const { return i_; }
  bool end() const { return i_ >= s_.size(); }
  std::string_view rest() const { return s_.substr(std::min(i_, s_.size())); }
  // Skips blanks; true when there was at least one.
  bool blanks() {
    const size_t from = i_;
    while (!end() && base::cp1250::is_space(uint8_t(s_[i_]))) ++i_;
    return i_ > from;
  }
  bool literal(std::string_view text) {
    if (s_.substr(i_, text.size()) != text) return false;
    i_ += text.size();
    return true;
  }
  bool one_of(std::string_view set) {
    if (end() || set.find(s_[i_]) == std::string_view::npos) return false;
    ++i_;
    return true;
  }
  // A decimal number of 1 to `digits` digits.
  bool number(int& value, size_t digits) {
    size_t n = 0;
    value = 0;
    for (; !end() && base::cp1250::is_digit(uint8_t(s_[i_])) && n < digits; ++n) value = value * 10 + (s_[i_++] - '0');
    return n > 0 && (end() || !base::cp1250::is_digit(uint8_t(s_[i_])));
  }
  // Any run of the characters in `set`; true when not empty.
  bool run(std::string_view set) {
    const size_t from = i_;
    while (one_of(set)) {}
    return i_ > from;
  }
  bool lower_letters() {
    const size_t from = i_;
    while (!end() && s_[i_] >= 'a' && s_[i_] <= 'z') ++i_;
    return i_ > from;
  }

 private:
  std::string_view s_;
  size_t i_ = 0;
};

// "DZIAŁ IV", "Rozdział 2a", "CZĘŚĆ OGÓLNA": the division's level, or 0. Upper-case headings may be
// named by an upper-case word instead of a number.
int DivisionOf(std::string_view line) {
  if (line.size() > 40) return 0;
  for (const auto& [word, level] : Words().divisions) {
    Cursor c(line);
    if (!c.literal(word) || !c.blanks()) continue;
    Cursor numbered = c;
    int value = 0;
    if (numbered.run("IVXLC") || numbered.number(value, 4)) {
      numbered.lower_letters();
      numbered.literal(".");
      if (numbered.end()) return level;
    }
    const std::string_view name = c.rest();
    const bool upper_heading = base::cp1250::is_upper(uint8_t(word.back()));
    if (upper_heading && std::all_of(name.begin(), name.end(), [](char ch) {
          return ch == ' ' || base::cp1250::is_upper(uint8_t(ch));
        }))
      return level;
  }
  return 0;
}

// "Załącznik nr 2", "ZAŁĄCZNIK Nr 1 do ustawy": the attachment number (the next one without a
// number), or 0.
int AttachmentOf(std::string_view line, int seen) {
  if (line.size() > 80) return 0;
  Cursor c(line);
  if (!c.literal(Words().attachment_lower) && !c.literal(Words().attachment_upper)) return 0;
  if (!c.end() && !c.blanks()) return 0;
  if (c.one_of("Nn") && c.one_of("Rr")) {
    c.literal(".");
    c.blanks();
    int value = 0;
    if (c.number(value, 3)) return std::clamp(value, 1, 63);
  }
  return std::min(seen + 1, 63);
}

// "Art. 12a." at the start of a line: the article number and the heading's length, or 0. A heading
// alone on its line may lack its period ("Art. 40", as some journal files write it).
int ArticleOf(std::string_view line, size_t& heading_length) {
  Cursor c(line);
  int value = 0;
  if (!c.literal("Art.")) return 0;
  c.blanks();
  if (!c.number(value, 4)) return 0;
  c.lower_letters();
  const bool period = c.literal(".");
  const size_t length = c.at();
  if (!period && (c.blanks(), !c.end())) return 0;
  heading_length = length;
  return value;
}

// "§ 2.", "3.", "4)", "1a)", "b)", "-" followed by a blank start a new paragraph.
bool StartsParagraph(std::string_view line) {
  if (StartsWith(line, Words().section_mark)) return true;
  Cursor c(line);
  int value = 0;
  bool marker = false;
  if (c.number(value, 4)) {
    c.lower_letters();
    marker = c.one_of(".)");
  } else if (c.literal("-")) {
    marker = true;
  } else {
    marker = c.lower_letters() && c.at() <= 2 && c.literal(")");
  }
  return marker && (c.end() || c.blanks());
}

struct Address {
  int year = 0, number = 0, position = 0;
};

// A punctuation mark: exactly `mark` when strict, otherwise any of `loose` or none.
bool optional_mark(Cursor& c, std::string_view mark, std::string_view loose, bool strict) {
  if (strict) return c.literal(mark);
  c.one_of(loose);
  return true;
}

// "Dz.U. z 1997 r. Nr 89, poz. 555" with the looser spacing and punctuation the texts use; `strict`
// asks for the exact punctuation of citations inside the text.
bool ReadAddress(Cursor& c, Address& address, bool strict) {
  if (!c.literal("Dz.")) return false;
  c.blanks();
  if (!c.literal("U.")) return false;
  c.blanks();
  if (!c.literal("z") || !c.blanks() || !c.number(address.year, 4)) return false;
  c.blanks();
  if (!c.literal("r")) return false;
  if (!c.literal(".") && strict) return false;
  c.blanks();
  if (!(strict ? c.literal("Nr") : (c.one_of("Nn") && c.literal("r")))) return false;
  if (!strict) c.literal(".");
  c.blanks();
  if (!c.number(address.number, 4)) return false;
  if (!optional_mark(c, ",", ",.", strict)) return false;
  c.blanks();
  if (!c.literal("poz")) return false;
  if (!optional_mark(c, ".", ".,", strict)) return false;
  c.blanks();
  return c.number(address.position, 5);
}

bool AddressOf(std::string_view line, Address& address) {
  Cursor c(line);
  return ReadAddress(c, address, false);
}

// "YEAR_POSITION.txt".
bool AddressFromName(const std::string& file_name, Address& address) {
  Cursor c(file_name);
  return c.number(address.year, 4) && c.literal("_") && c.number(address.position, 5) && c.literal(".txt") && c.end();
}

// Blanks collapsed to one, and letter-spaced words closed up: "U S T A W A" -> "USTAWA",
// "R A D Y  M I N I S T R Ó W" -> "RADY MINISTRÓW" (words apart by two or more blanks).
std::string Unspaced(std::string_view line) {
  std::vector<std::pair<std::string_view, size_t>> tokens;  // token, blanks before it
  const auto blank = [&](size_t k) { return base::cp1250::is_space(uint8_t(line[k])); };
  for (size_t k = 0; k < line.size();) {
    const size_t gap_start = k;
    while (k < line.size() && blank(k)) ++k;
    const size_t from = k;
    while (k < line.size() && !blank(k)) ++k;
    if (k > from) tokens.emplace_back(line.substr(from, k - from), from - gap_start);
  }
  const bool spaced = tokens.size() >= 3 && std::all_of(tokens.begin(), tokens.end(), [](const auto& t) {
    return t.first.size() == 1 && base::cp1250::is_letter(uint8_t(t.first.front()));
  });
  std::string out;
  for (const auto& [token, blanks] : tokens) {
    if (!out.empty() && (!spaced || blanks >= 2)) out += ' ';
    out += token;
  }
  return out;
}

// The words that name a kind of act, upper-case CP1250.
const std::vector<std::string>& KindWords() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> list;
    for (const char* word : {"USTAWA", "ROZPORZĄDZENIE", "OBWIESZCZENIE", "UCHWAŁA", "POSTANOWIENIE", "ZARZĄDZENIE",
                             "ORZECZENIE", "KONSTYTUCJA", "UMOWA", "KONWENCJA", "PROTOKÓŁ", "OŚWIADCZENIE", "DEKRET",
                             "WYROK", "POROZUMIENIE", "UKŁAD", "TRAKTAT", "REGULAMIN", "STATUT", "KOMUNIKAT", "DECYZJA"})
      list.push_back(Cp(word));
    return list;
  }();
  return words;
}

// Lines that stand before the kind as editorial notes ("Tekst ustawy przyjęty przez Senat...",
// "Wpłynął wniosek..."), never the kind themselves.
bool IsNoteLine(std::string_view line) {
  const std::string upper = base::cp1250::to_upper(Unspaced(line));
  for (const char* lead : {"TEKST ", "WPŁYNĄŁ", "WPŁYNĘŁA", "PROJEKT", "SENAT", "SEJM "})
    if (StartsWith(upper, Cp(lead))) return true;
  return false;
}

// Where " z dnia" starts in an unspaced line (any case), or npos.
size_t DatePart(std::string_view unspaced) {
  const std::string lower = base::cp1250::to_lower(unspaced);
  if (StartsWith(lower, "z dnia")) return 0;
  const size_t at = lower.find(" z dnia");
  return at == std::string::npos ? at : at + 1;
}

// The kind of act on `line` ("USTAWA", "u s t a w a", "Rozporządzenie Rady Ministrów", possibly
// followed by its date): upper-case, letter-spacing closed up; empty when the line is no kind.
// `date` receives a date that follows the kind on the same line.
std::string KindOf(std::string_view line, std::string& date) {
  if (line.size() > 160 || IsNoteLine(line)) return {};
  std::string unspaced = Unspaced(line);
  date.clear();
  if (const size_t at = DatePart(unspaced); at != std::string::npos && at > 0) {
    date = unspaced.substr(at);
    unspaced.resize(at - 1);
  }
  if (unspaced.size() < 3 || DivisionOf(unspaced)) return {};
  const std::string upper = base::cp1250::to_upper(unspaced);
  const size_t first_end = std::min(upper.find(' '), upper.size());
  const std::string_view first(upper.data(), first_end);
  const bool known = std::find(KindWords().begin(), KindWords().end(), first) != KindWords().end();
  int words = 0;
  for (size_t at = 0; at < unspaced.size(); ++words) {
    size_t end = std::min(unspaced.find(' ', at), unspaced.size());
    const std::string_view word(unspaced.data() + at, end - at);
    if (!std::all_of(word.begin(), word.end(), [](char ch) { return base::cp1250::is_letter(uint8_t(ch)); })) return {};
    // After a known kind word, the issuer's words are capitalised ("Rady Ministrów") but for the
    // small joining words ("i", "do", "spraw").
    const bool joining = word.size() <= 2 || word == "oraz" || word == "spraw";
    if (words > 0 && known && !joining && !base::cp1250::is_upper(uint8_t(word.front()))) return {};
    at = end + 1;
  }
  if (known) return words <= 10 ? upper : std::string();
  // Another kind: letters and blanks, the first one upper-case, at most four words.
  return base::cp1250::is_upper(uint8_t(unspaced.front())) && words <= 4 && unspaced.size() <= 80 ? upper : std::string();
}

// A line that is only the tail of a date split over lines: "2001 r.", "r.", "czerwca 2001 r.".
bool IsDateTail(std::string_view line) {
  Cursor c(line);
  int value = 0;
  const auto& months = Words().months;
  for (const std::string& month : months)
    if (c.literal(month)) {
      c.blanks();
      break;
    }
  if (c.number(value, 4)) c.blanks();
  if (c.literal("r")) c.literal(".");
  return c.end() && c.at() > 0;
}

// Whether a date text already ends with its year ("... 2001 r." or "... 2001").
bool DateComplete(std::string_view date) {
  const std::string lower = base::cp1250::to_lower(Trim(date));
  const std::string_view t = lower;
  if (t.ends_with("r.")) return true;
  return t.size() >= 4 && std::all_of(t.end() - 4, t.end(), [](char ch) { return base::cp1250::is_digit(uint8_t(ch)); });
}

// "z dnia 6 czerwca 1997 r." in any case and spacing.
void ParseDate(std::string_view line, Act& act) {
  const std::string lower = base::cp1250::to_lower(Unspaced(line));
  Cursor c(lower);
  int day = 0, year = 0;
  if (!c.literal("z") || !c.blanks() || !c.literal("dnia") || !c.blanks() || !c.number(day, 2) || !c.blanks()) return;
  const auto& months = Words().months;
  for (size_t k = 0; k < months.size(); ++k) {
    Cursor m = c;
    if (m.literal(months[k]) && m.blanks() && m.number(year, 4)) {
      act.day = day;
      act.month = int(k) + 1;
      act.date_year = year;
    }
  }
}

// Lines that open a preamble and so end the title.
bool StartsPreamble(std::string_view line) {
  for (const char* lead : {"Na podstawie", "W celu", "Uznając", "Mając na", "Kierując się", "Zważywszy", "W trosce",
                           "Dążąc", "Biorąc pod", "Stwierdzając", "W imię", "My, Naród", "W związku z"})
    if (StartsWith(line, Cp(lead))) return true;
  return false;
}

ActParseResult Refuse(const std::string& file_name, const std::string& why) {
  ActParseResult result;
  result.message = file_name + ": " + why + "; the act is skipped";
  return result;
}

// Builds the body's sections from its lines.
class BodyReader {
 public:
  explicit BodyReader(Act& act) : act_(act) { act_.sections.emplace_back(); }

  void line(std::string_view raw) {
    const std::string_view text = Trim(raw);
    if (text.empty()) {
      end_paragraph();
      name_lines_ = 0;
      return;
    }
    size_t unused = 0;
    const bool plain_line = !DivisionOf(text) && !AttachmentOf(text, 0) && !ArticleOf(text, unused) &&
                            !StartsParagraph(text) && !StartsWith(text, Words().figure) && text.front() != '+' &&
                            text.front() != '|';
    if (expect_name_) {
      expect_name_ = false;
      if (plain_line && text.size() <= 300) {
        section().name = std::string(text);
        name_lines_ = 1;
        return;
      }
    }
    // A division's name over more lines: the next line continues it when it starts in lower case,
    // or, for an upper-case name, is upper-case too.
    if (name_lines_ > 0 && name_lines_ < 3 && plain_line && section().blocks.empty() && section().attachment == 0 &&
        section().name.size() + text.size() <= 300 && section().name.back() != '.') {
      const auto upper = [](std::string_view t) {
        return std::none_of(t.begin(), t.end(), [](char ch) { return base::cp1250::is_lower(uint8_t(ch)); });
      };
      if (base::cp1250::is_lower(uint8_t(text.front())) || (upper(section().name) && upper(text))) {
        section().name += ' ';
        section().name += text;
        ++name_lines_;
        return;
      }
    }
    name_lines_ = 0;
    if (const int level = DivisionOf(text)) {
      start_section(level, 0, text);
      return;
    }
    if (const int number = AttachmentOf(text, attachments_)) {
      ++attachments_;
      start_section(7, number, text);
      return;
    }
    if (StartsWith(text, Words().figure)) {
      end_paragraph();
      section().blocks.push_back({BlockKind::kFigure, std::string(Trim(text.substr(Words().figure.size()))), 0});
      return;
    }
    if (text.front() == '+' || text.front() == '|') {
      end_paragraph();
      section().blocks.push_back({BlockKind::kTableLine, std::string(text), 0});
      return;
    }
    size_t heading = 0;
    if (const int article = ArticleOf(text, heading)) {
      end_paragraph();
      section().blocks.push_back({BlockKind::kArticle, std::string(text.substr(0, heading)), article});
      const std::string_view rest = Trim(text.substr(heading));
      if (!rest.empty()) append(rest);
      return;
    }
    if (StartsParagraph(text)) end_paragraph();
    append(text);
  }

  void finish() { end_paragraph(); }

 private:
  ActSection& section() { return act_.sections.back(); }

  void start_section(int level, int attachment, std::string_view label) {
    end_paragraph();
    ActSection next;
    next.level = level;
    next.attachment = attachment;
    next.label = std::string(label);
    act_.sections.push_back(std::move(next));
    expect_name_ = true;
    name_lines_ = 0;
  }

  void append(std::string_view text) {
    if (!open_) {
      section().blocks.push_back({BlockKind::kText, {}, 0});
      open_ = true;
    } else {
      section().blocks.back().text += ' ';
    }
    section().blocks.back().text += text;
  }

  void end_paragraph() { open_ = false; }

  Act& act_;
  bool open_ = false;
  bool expect_name_ = false;
  int name_lines_ = 0;  // lines of the open division's name so far (0: the name is complete)
  int attachments_ = 0;
};

}  // namespace

bool Utf8ToCp1250(std::string_view utf8, std::string& out) {
  out.clear();
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const size_t len = DecodeUtf8(utf8, i, c);
    if (!len) return false;
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') return false;
    i += len;
    if (c == U'\uFEFF' && out.empty()) continue;  // byte-order mark
    // A base letter followed by combining marks: composed as far as the code page allows.
    for (char32_t mark = 0, composed = 0;
         i < utf8.size() && DecodeUtf8(utf8, i, mark) && (composed = Compose(c, mark)) != 0;) {
      i += DecodeUtf8(utf8, i, mark);
      c = composed;
    }
    uint8_t byte = 0;
    char plain = 0;
    if (ClosestForm(c, plain)) out += plain;
    else if (base::cp1250::from_unicode(c, byte)) out += char(byte);
    else out += base::cp1250::kReplacementByte;
  }
  return true;
}

ActParseResult ParseAct(std::string_view utf8, const std::string& file_name) {
  std::string text;
  if (!Utf8ToCp1250(utf8, text)) return Refuse(file_name, "not a UTF-8 text file");
  std::vector<std::string_view> lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxLineBytes) return Refuse(file_name, "a line is longer than 64 KB");
    lines.push_back(line);
    start = end + 1;
  }
  size_t i = 0;
  const auto next_nonblank = [&] {
    while (i < lines.size() && Trim(lines[i]).empty()) ++i;
    return i < lines.size();
  };

  ActParseResult result;
  Act& act = result.act;
  act.file_name = file_name;
  Address address;
  if (next_nonblank() && AddressOf(Trim(lines[i]), address)) {
    ++i;
  } else if (!AddressFromName(file_name, address)) {
    return Refuse(file_name, "no journal address line and the file name is not YEAR_POSITION.txt");
  }
  // The contents index holds years 1900-2027 and numbers of 24 bits; positions run to five digits.
  if (address.year < 1900 || address.year > 2027 || address.position <= 0)
    return Refuse(file_name, "the journal address is out of range");
  act.year = address.year;
  act.number = address.number;
  act.position = address.position;

  // Notes may stand before the kind line ("Wpłynął wniosek..."); they are kept as the act's first text.
  std::vector<std::string_view> notes;
  std::string inline_date;
  for (int tries = 0; next_nonblank() && act.kind.empty() && tries < 6; ++tries) {
    act.kind = KindOf(Trim(lines[i]), inline_date);
    if (act.kind.empty()) notes.push_back(Trim(lines[i]));
    ++i;
  }
  if (act.kind.empty()) {
    const bool no_text = !notes.empty() && StartsWith(notes.front(), "Brak tekstu");
    return Refuse(file_name, no_text ? "the file holds no text of the act" : "no kind of act line (such as USTAWA)");
  }
  // The date, possibly over up to three lines ("z dnia 15" / "czerwca 2001 r.").
  act.date_line = inline_date;
  if (act.date_line.empty() && next_nonblank() && DatePart(Unspaced(Trim(lines[i]))) == 0) act.date_line = Unspaced(Trim(lines[i++]));
  for (int more = 0; !act.date_line.empty() && !DateComplete(act.date_line) && more < 2 && next_nonblank(); ++more) {
    const std::string next = Unspaced(Trim(lines[i]));
    size_t unused = 0;
    if (next.size() > 40 || ArticleOf(next, unused) || DivisionOf(next)) break;
    act.date_line += ' ' + next;
    ++i;
  }
  if (!act.date_line.empty()) ParseDate(act.date_line, act);
  size_t unused = 0;
  if (!next_nonblank() || ArticleOf(Trim(lines[i]), unused) || DivisionOf(Trim(lines[i])) || StartsParagraph(Trim(lines[i])))
    return Refuse(file_name, "no title line");
  // The title runs to the first blank line, or to the first heading, article, paragraph or preamble;
  // a line opening with a dash continues it.
  for (; i < lines.size() && !Trim(lines[i]).empty(); ++i) {
    const std::string_view line = Trim(lines[i]);
    if (act.title.empty() && IsDateTail(line)) {
      if (!act.date_line.empty()) act.date_line += ' ' + Unspaced(line);
      continue;
    }
    if (!act.title.empty() && (ArticleOf(line, unused) || DivisionOf(line) || AttachmentOf(line, 0) || StartsPreamble(line) ||
                               (StartsParagraph(line) && line.front() != '-')))
      break;
    if (!act.title.empty()) act.title += ' ';
    act.title += Unspaced(line);
  }
  if (act.title.empty()) return Refuse(file_name, "no title line");
  if (!act.date_line.empty() && !act.day) ParseDate(act.date_line, act);

  BodyReader body(act);
  for (std::string_view note : notes) {
    body.line(note);
    body.line({});
  }
  for (; i < lines.size(); ++i) body.line(lines[i]);
  body.finish();
  result.ok = true;
  return result;
}

ActParseResult ReadAct(const std::string& path) {
  const std::string name = path.substr(path.find_last_of('/') + 1);
  std::vector<uint8_t> bytes;
  const base::OsError error = base::read_file(path, bytes, kMaxFileBytes);
  if (error != base::OsError::None) return Refuse(name, std::string("cannot be read (") + base::os_error_text(error) + ")");
  if (bytes.empty()) return Refuse(name, "the file is empty");
  return ParseAct(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), name);
}

std::vector<ActReference> FindReferences(std::string_view text) {
  std::vector<ActReference> found;
  for (size_t at = text.find("Dz."); at != std::string_view::npos; at = text.find("Dz.", at + 1)) {
    Cursor c(text.substr(at));
    Address address;
    if (ReadAddress(c, address, true))
      found.push_back({address.year, address.number, address.position, at, c.at()});
  }
  return found;
}

}  // namespace compiler
