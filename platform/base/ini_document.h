// The text of an INI profile file, read into sections of lines and written back.
//
// Format (CP1250 bytes, lines ended by "\n"; carriage returns before it are dropped):
//   [Section]          a section header; text after the closing bracket is ignored
//   Key=Value          an entry of the section above it
//   ; comment          comments, blank lines and any other line are kept as they are
// Blanks (spaces, tabs) around names and values are not part of them. A value that begins or
// ends with a blank, or that is itself enclosed in double quotes, is written enclosed in one more
// pair of double quotes, which reading removes: every value without a line break or NUL comes
// back byte for byte. Section and key names compare without case (CP1250 case mapping). Entries
// before the first section belong to no section and are never found. When a section or key
// name occurs twice, the first one counts.
//
// Reading never fails: a line that is neither a header nor an entry (garbage, a header without
// its bracket, binary bytes) is kept as an unnamed line and otherwise ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace base {

class IniDocument {
 public:
  IniDocument() : sections_(1) {}
  static IniDocument parse(std::string_view text);
  std::string serialize() const;

  // The value of `key` in `section`, or null.
  const std::string* find(std::string_view section, std::string_view key) const;

  // Sets a value, adding the key (at the end of its section) or the section (at the end of the
  // file) when missing. False, with nothing changed, when a name or the value cannot be stored.
  bool set(std::string_view section, std::string_view key, std::string_view value);
  // Removes the key from its section; false when it was not there.
  bool remove_key(std::string_view section, std::string_view key);
  // Removes every section of that name with all its lines; false when there was none.
  bool remove_section(std::string_view section);

  // A section name may not hold ']' or a line break or NUL and may not be blank. A key name may
  // not hold '=', a line break or NUL, may not be blank and may not begin with '[' or ';'. A
  // value may not hold a line break or NUL. Surrounding blanks of names are dropped.
  static bool valid_section_name(std::string_view name);
  static bool valid_key_name(std::string_view name);
  static bool valid_value(std::string_view value);

 private:
  struct Line {
    std::string raw;    // the line as it reads in the file, without its line break
    bool entry = false;
    std::string key;    // entries only: the name without surrounding blanks
    std::string value;  // entries only: the decoded value
  };
  struct Section {
    bool header = false;  // false only for the lines before the first header
    std::string name;
    std::string raw_header;
    std::vector<Line> lines;
  };

  Section* find_section(std::string_view name);
  const Section* find_section(std::string_view name) const;

  std::vector<Section> sections_;  // the first holds the lines before the first header
};

}  // namespace base
