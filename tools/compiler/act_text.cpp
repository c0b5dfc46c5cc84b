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

// "Art. 12a." at the start of a line: the article number and the heading's length, or 0.
int ArticleOf(std::string_view line, size_t& heading_length) {
  Cursor c(line);
  int value = 0;
  if (!c.literal("Art.")) return 0;
  c.blanks();
  if (!c.number(value, 4)) return 0;
  c.lower_letters();
  if (!c.literal(".")) return 0;
  heading_length = c.at();
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

// "USTAWA", "Ustawa", "ROZPORZĄDZENIE RADY MINISTRÓW": letters and blanks, the first one upper-case,
// at most four words.
bool IsKindLine(std::string_view line) {
  if (line.size() < 3 || line.size() > 80 || !base::cp1250::is_upper(uint8_t(line.front()))) return false;
  int words = 1;
  for (char ch : line) {
    if (ch == ' ') ++words;
    else if (!base::cp1250::is_letter(uint8_t(ch))) return false;
  }
  return words <= 4;
}

// "z dnia 6 czerwca 1997 r.".
void ParseDate(std::string_view line, Act& act) {
  Cursor c(line);
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
      return;
    }
    if (expect_name_) {
      expect_name_ = false;
      size_t unused = 0;
      if (!DivisionOf(text) && !AttachmentOf(text, 0) && !ArticleOf(text, unused) && text.size() <= 300 &&
          !StartsWith(text, Words().figure)) {
        section().name = std::string(text);
        return;
      }
    }
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
  if (address.year < 1900 || address.year > 2099 || address.position <= 0 || address.position > 2047 ||
      address.number > 2047)
    return Refuse(file_name, "the journal address is out of range");
  act.year = address.year;
  act.number = address.number;
  act.position = address.position;

  // A note may stand before the kind line ("Wpłynął wniosek..."); it is kept as the act's first text.
  std::vector<std::string_view> notes;
  for (int tries = 0; next_nonblank() && !IsKindLine(Trim(lines[i])) && tries < 3; ++tries) notes.push_back(Trim(lines[i++]));
  if (!next_nonblank() || !IsKindLine(Trim(lines[i]))) return Refuse(file_name, "no kind of act line (such as USTAWA)");
  act.kind = base::cp1250::to_upper(Trim(lines[i++]));
  if (next_nonblank() && StartsWith(Trim(lines[i]), "z dnia")) {
    act.date_line = std::string(Trim(lines[i++]));
    ParseDate(act.date_line, act);
  }
  size_t unused = 0;
  if (!next_nonblank() || ArticleOf(Trim(lines[i]), unused) || DivisionOf(Trim(lines[i])))
    return Refuse(file_name, "no title line");
  // The title runs to the first blank line, or to the first heading, article or paragraph.
  for (; i < lines.size() && !Trim(lines[i]).empty(); ++i) {
    const std::string_view line = Trim(lines[i]);
    if (!act.title.empty() && (ArticleOf(line, unused) || DivisionOf(line) || AttachmentOf(line, 0) || StartsParagraph(line)))
      break;
    if (!act.title.empty()) act.title += ' ';
    act.title += line;
  }

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
