#include "tools/compiler/library_plan.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <tuple>

#include "engine/title/context_hash.h"
#include "platform/base/cp1250.h"
#include "tools/compiler/paragraph_record.h"

namespace compiler {
namespace {

constexpr size_t kMaxRun = 30000;
constexpr size_t kMaxTitle = 255;  // below a counted record's 32,767 text bytes, with room for NULs

std::string Format(const char* pattern, int a, int b = 0, int c = 0) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
  return buffer;
}

std::string YearContext(int year) { return Format("DU.%04d.0000.0000", year); }
std::string IssueContext(int year, int number) { return Format("DU.%04d.%03d", year, number); }

std::string TwoDigitDate(int year, int month, int day) { return Format("%02d.%02d.%02d", year % 100, month, day); }

// Tag values never hold the markers themselves.
std::string TagValue(std::string_view value) {
  std::string clean(value);
  std::replace(clean.begin(), clean.end(), '<', '(');
  std::replace(clean.begin(), clean.end(), '>', ')');
  return clean;
}

std::string Tag(const char* marker, std::string_view value) { return std::string(marker) + TagValue(value) + ">"; }

char DivisionLetter(int level) { return "?ORDTKC"[std::clamp(level, 0, 6)]; }

// Pieces of at most kMaxRun bytes, cut at blanks where there are any.
std::vector<std::string_view> Pieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  while (text.size() > kMaxRun) {
    size_t cut = text.rfind(' ', kMaxRun);
    if (cut == std::string_view::npos || cut == 0) cut = kMaxRun;
    pieces.push_back(text.substr(0, cut));
    text.remove_prefix(cut);
  }
  pieces.push_back(text);
  return pieces;
}

// Topic titles are list entries: long ones are cut at a blank and end in "...".
std::string ShortTitle(std::string_view title) {
  if (title.size() <= kMaxTitle) return std::string(title);
  size_t cut = title.rfind(' ', kMaxTitle - 3);
  if (cut == std::string_view::npos || cut == 0) cut = kMaxTitle - 3;
  return std::string(title.substr(0, cut)) + "...";
}

// The subject of an act from its title: the title without a leading "o zmianie ustawy o ",
// "w sprawie " or "o ", starting with a capital ("o targach i jarmarkach" -> "Targach i jarmarkach").
std::string Subject(std::string_view title) {
  for (std::string_view lead : {"o zmianie ustawy o ", "w sprawie ", "o "}) {
    if (title.substr(0, lead.size()) == lead) {
      title.remove_prefix(lead.size());
      break;
    }
  }
  std::string subject(title);
  if (!subject.empty()) subject[0] = char(base::cp1250::to_upper(uint8_t(subject[0])));
  return subject;
}

// Acts of one journal address after the first keep contexts of their own: the address's names
// followed by ".2", ".3", ... in file order.
std::string OwnSuffix(const Act& act) { return act.copy ? "." + std::to_string(act.copy + 1) : std::string(); }

// Body text sits a little off the left edge; numbered paragraphs ("1.", "§ 1."), points ("1)"),
// letters ("a)") and dashes hang their marker at one step deeper each (all in 1/144 inch).
constexpr int16_t kBodyMargin = 18;
constexpr int16_t kDepthStep = 36;
constexpr int16_t kHang = 36;

// The depth of a paragraph's marker: 0 "1." or "§ 1.", 1 "1)", 2 "a)", 3 "-"; -1 for plain text.
int MarkerDepth(std::string_view text) {
  if (text.starts_with("\xA7")) return 0;  // the section mark in CP1250
  size_t i = 0;
  while (i < text.size() && i < 4 && text[i] >= '0' && text[i] <= '9') ++i;
  if (i > 0) {
    size_t k = i;
    while (k < text.size() && k < i + 2 && text[k] >= 'a' && text[k] <= 'z') ++k;
    if (k < text.size() && text[k] == '.') return 0;
    if (k < text.size() && text[k] == ')') return 1;
    return -1;
  }
  if (text.starts_with("- ") || text == "-") return 3;
  while (i < text.size() && i < 2 && text[i] >= 'a' && text[i] <= 'z') ++i;
  return i > 0 && i < text.size() && text[i] == ')' && (i + 1 == text.size() || text[i + 1] == ' ') ? 2 : -1;
}

// The style of a body paragraph: a hanging indent at its marker's depth, else the body margin.
ParagraphStyle BodyStyle(std::string_view text) {
  const int depth = MarkerDepth(text);
  if (depth < 0) return {0, 4, kBodyMargin, false, 0};
  return {0, 4, int16_t(kBodyMargin + depth * kDepthStep + kHang), false, int16_t(-kHang)};
}

struct ActKey {
  int year, position;
  bool operator<(const ActKey& o) const { return std::tie(year, position) < std::tie(o.year, o.position); }
};

class Planner {
 public:
  Planner(LibraryPlan& plan, const std::map<ActKey, int>& numbers, const std::function<bool(const std::string&)>& figure_exists)
      : plan_(plan), numbers_(numbers), figure_exists_(figure_exists) {}

  void topic(int level, std::string title, std::string header) {
    plan_.topics.push_back({});
    plan_.topics.back().title = ShortTitle(title);
    plan_.topics.back().header_text = std::move(header);
    plan_.texts.emplace_back();
    plan_.levels.push_back(level);
  }

  size_t topic_index() const { return plan_.topics.size() - 1; }
  size_t record_index() const { return plan_.topics.back().records.size(); }

  void keyword(const std::string& index, std::string_view keyword) {
    if (!keyword.empty()) plan_.keywords[index].emplace_back(ShortTitle(keyword), topic_index());
  }

  void context(std::string name) { plan_.contexts.push_back({std::move(name), topic_index(), record_index()}); }

  void add(ParagraphRecord& record, std::string_view visible) {
    plan_.topics.back().records.push_back(record.finish());
    std::string& text = plan_.texts.back();
    if (!text.empty()) text += '\n';
    text += visible;
  }

  // One paragraph in one font (cut into several records when long).
  void plain(LibraryFont font, std::string_view text, const ParagraphStyle& style) {
    for (std::string_view piece : Pieces(text)) {
      ParagraphRecord record(style);
      record.text(font, piece);
      add(record, piece);
    }
  }

  // A paragraph whose citations of acts in the library jump to them. A `heading` ("Art. 5.") opens
  // its first record in the heading font, run into the text.
  void body(std::string_view text, const ParagraphStyle& style, std::string_view heading = {}) {
    for (std::string_view piece : Pieces(text)) {
      ParagraphRecord record(style);
      std::string visible;
      if (!heading.empty()) {
        visible = std::string(heading) + " ";
        record.text(LibraryFont::kHeading, visible);
        heading = {};
      }
      size_t done = 0;
      for (const ActReference& ref : FindReferences(piece)) {
        const auto found = numbers_.find({ref.year, ref.position});
        if (found == numbers_.end() || (found->second != 0 && found->second != ref.number)) continue;
        if (ref.offset > done) record.text(LibraryFont::kBody, piece.substr(done, ref.offset - done));
        record.jump(piece.substr(ref.offset, ref.length), title::HashContextString(ActContext(ref.year, ref.position)));
        done = ref.offset + ref.length;
      }
      record.text(LibraryFont::kBody, piece.substr(done));
      visible += piece;
      add(record, visible);
    }
  }

  void link(std::string_view text, uint32_t hash, const ParagraphStyle& style) {
    ParagraphRecord record(style);
    record.jump(text, hash);
    add(record, text);
  }

  void blocks(const Act& act, const ActSection& section) {
    const std::vector<ActBlock>& all = section.blocks;
    for (auto it = all.begin(); it != all.end(); ++it) {
      const ActBlock& block = *it;
      switch (block.kind) {
        case BlockKind::kArticle:
          if (articles_.insert(block.article).second) context(ActContext(act.year, act.position, block.article) + OwnSuffix(act));
          // The heading stays with its text: it opens the article's first paragraph ("Art. 5. § 1.
          // Zbiory ..."), whose marker then runs in rather than hangs. It stands alone only when no
          // text follows it (a table, a figure or the end of its division).
          if (std::next(it) != all.end() && std::next(it)->kind == BlockKind::kText) {
            ++it;
            body(it->text, {0, 12, kBodyMargin, false}, block.text);
          } else {
            plain(LibraryFont::kHeading, block.text, {0, 12, kBodyMargin, false});
          }
          break;
        case BlockKind::kText:
          body(block.text, BodyStyle(block.text));
          break;
        case BlockKind::kTableLine:
          // Table lines are never wrapped: the view scrolls sideways over wide tables.
          plain(LibraryFont::kTable, block.text, {0, 0, kBodyMargin, true});
          break;
        case BlockKind::kFigure: {
          const std::string line = base::cp1250::from_utf8("Rysunek: ") + block.text;
          if (!figure_exists_(block.text)) {
            plain(LibraryFont::kBody, line, {0, 8, 0, false});
            break;
          }
          plan_.figures.insert(block.text);
          ParagraphRecord record({2, 8, 0, false});
          record.text(LibraryFont::kBody, base::cp1250::from_utf8("Rysunek: "));
          record.macro(block.text, "%" + block.text + "@" + block.text);
          add(record, line);
          break;
        }
      }
    }
  }

  void act(const Act& act) {
    articles_.clear();
    const std::string yy = std::to_string(act.year);
    const std::string address = "<D:" + yy + "." + std::to_string(act.position) + ">";
    const std::string own = OwnSuffix(act);
    const std::string date = act.day ? TwoDigitDate(act.date_year, act.month, act.day) : std::string();
    std::string long_title = act.kind;
    if (!act.date_line.empty()) long_title += " " + act.date_line;
    long_title += " " + act.title;

    // "<I:" lists the act's subjects, each ended by ';', as the "|i" index holds them.
    std::string subject = Subject(act.title);
    std::replace(subject.begin(), subject.end(), ';', ',');
    topic(7, long_title,
          "<Q:A>" + address + Tag("<X:", act.kind) + Tag("<T:", act.title) + (date.empty() ? "" : Tag("<U:", date)) +
              Tag("<I:", ShortTitle(subject) + ";"));
    plan_.act_topics.push_back(int32_t(topic_index()));
    // Act titles carry the act's rank after a '#' ("title#rank"), which the titles list shows apart.
    keyword("|a", act.title + "#" + act.kind);
    keyword("|i", subject);
    if (act.day) keyword("|u", Format("%02d-%02d-%02d", act.date_year % 100, act.month, act.day));
    if (!plan_.start_topic) plan_.start_topic = topic_index();
    context(ActContext(act.year, act.position) + own);
    const std::string journal = act.number ? Format("Dz.U. z %d r. Nr %d, poz. %d", act.year, act.number, act.position)
                                           : Format("Dz.U. z %d r. poz. %d", act.year, act.position);
    plain(LibraryFont::kBody, journal, {0, 0, 0, false});
    plain(LibraryFont::kActTitle, act.kind, {2, 12, 0, false});
    if (!act.date_line.empty()) plain(LibraryFont::kHeading, act.date_line, {2, 4, 0, false});
    plain(LibraryFont::kHeading, act.title, {2, 8, 0, false});
    blocks(act, act.sections.front());

    for (size_t s = 1; s < act.sections.size(); ++s) {
      const ActSection& section = act.sections[s];
      const std::string title = section.name.empty() ? section.label : section.label + " " + section.name;
      if (section.attachment) {
        const auto has = [&](BlockKind kind) {
          return std::any_of(section.blocks.begin(), section.blocks.end(), [&](const ActBlock& b) { return b.kind == kind; });
        };
        topic(7, title,
              "<Q:Z><D:" + yy + "." + std::to_string(act.position) + ".Z" + std::to_string(section.attachment) + ">" +
                  Tag("<X:", section.label) + Tag("<T:", section.name.empty() ? section.label : section.name) +
                  (date.empty() ? "" : Tag("<U:", date)));
        keyword("|z", title);
        if (has(BlockKind::kFigure)) keyword("|f", title);
        if (has(BlockKind::kTableLine)) keyword("|e", title);
      } else {
        topic(section.level, title,
              std::string("<Q:") + DivisionLetter(section.level) + ">" + address + Tag("<X:", section.label) +
                  Tag("<T:", section.name) + (date.empty() ? "" : Tag("<W:", date)));
        keyword(std::string("|") + char(std::tolower(DivisionLetter(section.level))), section.name.empty() ? section.label : section.name);
      }
      plain(LibraryFont::kHeading, section.label, {2, 12, 0, false});
      if (!section.name.empty()) plain(LibraryFont::kHeading, section.name, {2, 4, 0, false});
      blocks(act, section);
    }
  }

 private:
  LibraryPlan& plan_;
  const std::map<ActKey, int>& numbers_;
  const std::function<bool(const std::string&)>& figure_exists_;
  std::set<int> articles_;
};

}  // namespace

std::string ActContext(int year, int position, int article) {
  return Format("DU.%04d.%04d.%04d", year, position, std::min(article, 9999));
}

LibraryPlan PlanLibrary(std::vector<Act> acts, const std::function<bool(const std::string&)>& figure_exists) {
  // Unknown issue numbers (0) sort after the year's numbered issues.
  const auto issue_order = [](const Act& a) { return a.number == 0 ? 1 << 20 : a.number; };
  std::stable_sort(acts.begin(), acts.end(), [&](const Act& a, const Act& b) {
    return std::make_tuple(a.year, issue_order(a), a.position) < std::make_tuple(b.year, issue_order(b), b.position);
  });
  std::map<ActKey, int> numbers;
  std::map<ActKey, int> copies;
  for (Act& act : acts) {
    numbers.emplace(ActKey{act.year, act.position}, act.number);
    act.copy = copies[ActKey{act.year, act.position}]++;
  }

  LibraryPlan plan;
  Planner planner(plan, numbers, figure_exists);
  for (size_t i = 0; i < acts.size(); ++i) {
    const Act& act = acts[i];
    const bool new_year = i == 0 || acts[i - 1].year != act.year;
    if (new_year) {
      const std::string title = Format("Dziennik Ustaw z %d r.", act.year);
      // Contents index texts: "ROCZNIK#1998" for a yearbook, "DZIENNIK USTAW#Nr 12 z 1998 r." for an
      // issue. The trees show the part after the '#'; the status bar reads an act's issue number as
      // the word after the first blank there.
      planner.topic(9, title, "<Q:Y><D:" + std::to_string(act.year) + ".0>" + Tag("<X:", "ROCZNIK") +
                                  Tag("<T:", std::to_string(act.year)));
      planner.context(YearContext(act.year));
      planner.plain(LibraryFont::kActTitle, title, {2, 0, 0, false});
      for (size_t k = i; k < acts.size() && acts[k].year == act.year; ++k) {
        if (k > i && acts[k - 1].number == acts[k].number) continue;
        planner.link(acts[k].number ? Format("Nr %d", acts[k].number) : base::cp1250::from_utf8("Akty bez numeru dziennika"),
                     title::HashContextString(IssueContext(act.year, acts[k].number)), {0, 4, 0, false});
      }
    }
    if (new_year || acts[i - 1].number != act.number) {
      const std::string title = act.number ? Format("Dz.U. z %d r. Nr %d", act.year, act.number)
                                           : Format("Dz.U. z %d r.", act.year) + base::cp1250::from_utf8(" - akty bez numeru dziennika");
      const std::string issue = act.number ? Format("Nr %d z %d r.", act.number, act.year)
                                           : Format("Nr - (akty bez numeru dziennika z %d r.)", act.year);
      planner.topic(8, title, "<Q:P><D:" + std::to_string(act.year) + "." + std::to_string(act.number) + ">" +
                                  Tag("<X:", "DZIENNIK USTAW") + Tag("<T:", issue));
      planner.context(IssueContext(act.year, act.number));
      planner.plain(LibraryFont::kActTitle, title, {2, 0, 0, false});
      for (size_t k = i; k < acts.size() && acts[k].year == act.year && acts[k].number == act.number; ++k)
        planner.link(Format("poz. %d ", acts[k].position) + acts[k].kind + " " + acts[k].title,
                     title::HashContextString(ActContext(acts[k].year, acts[k].position) + OwnSuffix(acts[k])),
                     {0, 4, 0, false});
    }
    planner.act(act);
  }
  // The first of equal context names wins (two files of one act, repeated article numbers).
  std::set<std::string> names;
  std::erase_if(plan.contexts, [&](const PlannedContext& c) { return !names.insert(c.name).second; });
  return plan;
}

}  // namespace compiler
