// The texts a row of the navigator lists (history, bookmarks) and the "Nowa zakładka" dialog show
// for a catalogue record, from its act description: the address ("ROK/POZ"), the kind of act
// ("RANGA"), the date ("DATA") and the title ("TYTUŁ"). Years are shown in full. Texts are CP1250.
#pragma once

#include <cstdint>
#include <string>

#include "shell/core/contents_reader.h"

namespace navtext {

struct EntryTexts {
  std::string address;  // "2001/poz 12", "2001/Nr 3", "2001 rok", "2001/ "
  std::string rank;     // the kind of act, "D. U." or "ROCZNIK"
  std::string date;     // "%y-%m-%d", or empty
  std::string title;    // the name after the first "#", a blank and the unit's own text
};

// The part of a text before its first "#" (empty when it has none or it is first) and the part
// after it (the whole text when it has none).
std::string TextBeforeHash(const std::string& text);
std::string TextAfterHash(const std::string& text);

// The text of the act (levels up to 7), issue (8) or yearbook (9) of a description.
const std::string& OwnerText(const shell::ActDescription& d);
// The proposed name of a bookmark: OwnerText after its first "#".
std::string BookmarkName(const shell::ActDescription& d);
// The title column: the bookmark name, a blank and the level-0 text.
std::string TitleText(const shell::ActDescription& d);
// A day count from 1900-01-01 as "%y-%m-%d"; empty for none.
std::string ShortDate(uint16_t days);
// A day count from 1900-01-01 formatted by a date pattern ("%#x r."); empty for none.
std::string DateText(uint16_t days, const char* pattern);

// The row texts of description `d`; `act` is the record of the act of a part or attachment
// (d.records[7]), used for its year and position.
EntryTexts DescribeEntry(const shell::ActDescription& d, const shell::ContentsRecord& act);

// The three read-only fields of the "Nowa zakładka" dialog: the address, the kind and the date.
struct BookmarkFields {
  std::string reference;
  std::string kind;
  std::string date;
};
BookmarkFields DescribeBookmark(const shell::ActDescription& d, const shell::ContentsRecord& act);

}  // namespace navtext
