// One act of the journal read from its plain UTF-8 text file.
//
// The file holds, in this order: the journal address line ("Dz.U. z 1997 r. Nr 89, poz. 555"), the
// kind of act ("USTAWA"), the date ("z dnia 6 czerwca 1997 r."), the title (one or more lines up to a
// blank line), then the body: division headings ("CZĘŚĆ", "KSIĘGA", "TYTUŁ", "DZIAŁ", "Rozdział",
// "Oddział", each with an optional name on the next line), articles ("Art. 1.", or "Art. 1" alone on
// its line), paragraphs ("§ 1.", "1."), points ("1)", "a)"), attachments ("Załącznik nr 1" with an
// optional name) and figure lines ("Rysunek: karta.png" names a PNG beside the act file).
//
// Real journal texts vary: editorial note lines may stand before the kind ("Tekst ustawy przyjęty
// przez Senat...", "Wpłynął wniosek...": kept as the act's first text, never the kind, nor is a division
// heading); the kind may be letter-spaced ("U S T A W A"), in any case, or carry its date on the same
// line; the date may have irregular blanks or run over up to three lines; the title ends at a blank
// line or at the first line opening an article, division, attachment, paragraph or preamble ("Na
// podstawie ..."), while a line opening with "- " continues it; a division's name may run over up to
// three lines (the next line continues it when it starts in lower case, or when both are upper-case).
//
// Text is normalised to NFC (a base letter and its combining marks become the composed letter) and
// converted to CP1250. A character the code page lacks is written as its closest CP1250
// form when it has one (typographic quotes, dashes, spaces and the minus sign become their plain
// forms), otherwise as '?'.
//
// Without an address line the file name "YEAR_POSITION.txt" gives year and position; the journal
// number is then unknown and the act is filed under issue number 0, a journal issue of its own at
// the end of the year ("Nr 0" is never a real issue number).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace compiler {

// Division levels as the contents index numbers them: 1 "Oddział" up to 6 "CZĘŚĆ"; 7 is the act.
enum class DivisionLevel : int { kSubchapter = 1, kChapter = 2, kDivision = 3, kTitle = 4, kBook = 5, kPart = 6 };

enum class BlockKind { kText, kArticle, kTableLine, kFigure };

// One paragraph of the body (CP1250): a text paragraph (its continuation lines joined by blanks), the
// heading line of an article (number in `article`), one line of a drawn table, or a figure (the file
// name in `text`).
struct ActBlock {
  BlockKind kind = BlockKind::kText;
  std::string text;
  int article = 0;
};

// A stretch of the body under one heading: the act's own text before its first division (level 7),
// a division (levels 1-6) or an attachment (`attachment` > 0).
struct ActSection {
  int level = 7;
  int attachment = 0;       // the attachment's number (1 for one without a number)
  std::string label;        // "DZIAŁ I", "Rozdział 2", "Załącznik nr 1"
  std::string name;         // the heading's name line ("Przepisy ogólne"), may be empty
  std::vector<ActBlock> blocks;
};

// A journal address found in the text ("Dz.U. z 1983 r. Nr 13, poz. 68"); `offset` and `length` give
// its place in the block's CP1250 text.
struct ActReference {
  int year = 0;
  int number = 0;
  int position = 0;
  size_t offset = 0;
  size_t length = 0;
};

struct Act {
  std::string file_name;
  int year = 0;
  int number = 0;       // 0: unknown (no address line)
  int position = 0;
  std::string kind;     // "USTAWA"
  int day = 0, month = 0;  // of the act's date; 0 when the text gives none
  int date_year = 0;
  std::string date_line;   // "z dnia 14 stycznia 1998 r."
  std::string title;       // "o bibliotekach gminnych i czytelniach"
  std::vector<ActSection> sections;  // the act's own section first
  int copy = 0;  // acts of the same address before this one (set when the library is planned)
};

struct ActParseResult {
  bool ok = false;
  std::string message;  // why the file was refused, naming the file
  Act act;
};

// Converts UTF-8 to CP1250 with the replacements above; false for bytes that are not UTF-8 text (a
// malformed sequence or a control character other than tab, CR, LF and form feed).
bool Utf8ToCp1250(std::string_view utf8, std::string& out);

// Parses the UTF-8 text of `file_name` (the name alone, used for the fallback address and messages).
ActParseResult ParseAct(std::string_view utf8, const std::string& file_name);

// Reads and parses one file; files over 16 MB and lines over 64 KB are refused.
ActParseResult ReadAct(const std::string& path);

// Journal addresses in a CP1250 text, in order.
std::vector<ActReference> FindReferences(std::string_view text);

}  // namespace compiler
