#include "platform/base/ini_document.h"

#include <algorithm>
#include <utility>

#include "platform/base/cp1250.h"

namespace base {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

bool has_line_break_or_nul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool enclosed_in_quotes(std::string_view s) {
  return s.size() >= 2 && s.front() == '"' && s.back() == '"';
}

std::string decode_value(std::string_view stored) {
  stored = trim_blanks(stored);
  if (enclosed_in_quotes(stored)) stored = stored.substr(1, stored.size() - 2);
  return std::string(stored);
}

std::string encode_value(std::string_view value) {
  bool quote = !value.empty() &&
               (is_blank(value.front()) || is_blank(value.back()) || enclosed_in_quotes(value));
  return quote ? '"' + std::string(value) + '"' : std::string(value);
}

bool same_name(std::string_view a, std::string_view b) { return cp1250::equal_no_case(a, b); }

}  // namespace

IniDocument IniDocument::parse(std::string_view text) {
  IniDocument doc;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    std::string_view t = trim_blanks(line);
    if (!t.empty() && t.front() == '[') {
      size_t close = t.find(']');
      if (close != std::string_view::npos) {
        Section s;
        s.header = true;
        s.name = trim_blanks(t.substr(1, close - 1));
        s.raw_header = line;
        doc.sections_.push_back(std::move(s));
        continue;
      }
    }
    Line l;
    l.raw = line;
    size_t eq = t.find('=');
    if (!t.empty() && t.front() != ';' && t.front() != '[' && eq != std::string_view::npos) {
      l.entry = true;
      l.key = trim_blanks(t.substr(0, eq));
      l.value = decode_value(t.substr(eq + 1));
    }
    doc.sections_.back().lines.push_back(std::move(l));
  }
  return doc;
}

std::string IniDocument::serialize() const {
  std::string out;
  for (const Section& s : sections_) {
    if (s.header) out.append(s.raw_header).append("\n");
    for (const Line& l : s.lines) out.append(l.raw).append("\n");
  }
  return out;
}

const IniDocument::Section* IniDocument::find_section(std::string_view name) const {
  name = trim_blanks(name);
  for (const Section& s : sections_)
    if (s.header && same_name(s.name, name)) return &s;
  return nullptr;
}

IniDocument::Section* IniDocument::find_section(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).find_section(name));
}

const std::string* IniDocument::find(std::string_view section, std::string_view key) const {
  const Section* s = find_section(section);
  if (!s) return nullptr;
  key = trim_blanks(key);
  for (const Line& l : s->lines)
    if (l.entry && same_name(l.key, key)) return &l.value;
  return nullptr;
}

bool IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  if (!valid_section_name(section) || !valid_key_name(key) || !valid_value(value)) return false;
  section = trim_blanks(section);
  key = trim_blanks(key);
  Section* s = find_section(section);
  if (!s) {
    if (!sections_.back().lines.empty() && !trim_blanks(sections_.back().lines.back().raw).empty())
      sections_.back().lines.push_back(Line{});  // a blank line before the new section
    Section added;
    added.header = true;
    added.name = section;
    added.raw_header.append("[").append(section).append("]");
    sections_.push_back(std::move(added));
    s = &sections_.back();
  }
  auto it = std::find_if(s->lines.begin(), s->lines.end(),
                         [&](const Line& l) { return l.entry && same_name(l.key, key); });
  if (it == s->lines.end()) {
    // After the section's last entry, so comments and blank lines that lead into the next
    // section stay with it.
    auto last =
        std::find_if(s->lines.rbegin(), s->lines.rend(), [](const Line& l) { return l.entry; });
    it = s->lines.insert(last.base(), Line{});
    it->entry = true;
    it->key = key;
  }
  it->value = value;
  it->raw = it->key + "=" + encode_value(value);
  return true;
}

bool IniDocument::remove_key(std::string_view section, std::string_view key) {
  Section* s = find_section(section);
  if (!s) return false;
  key = trim_blanks(key);
  auto end = std::remove_if(s->lines.begin(), s->lines.end(),
                            [&](const Line& l) { return l.entry && same_name(l.key, key); });
  bool found = end != s->lines.end();
  s->lines.erase(end, s->lines.end());
  return found;
}

bool IniDocument::remove_section(std::string_view section) {
  section = trim_blanks(section);
  auto end = std::remove_if(sections_.begin(), sections_.end(), [&](const Section& s) {
    return s.header && same_name(s.name, section);
  });
  bool found = end != sections_.end();
  sections_.erase(end, sections_.end());
  return found;
}

bool IniDocument::valid_section_name(std::string_view name) {
  name = trim_blanks(name);
  return !name.empty() && !has_line_break_or_nul(name) && name.find(']') == name.npos;
}

bool IniDocument::valid_key_name(std::string_view name) {
  name = trim_blanks(name);
  return !name.empty() && !has_line_break_or_nul(name) && name.find('=') == name.npos &&
         name.front() != '[' && name.front() != ';';
}

bool IniDocument::valid_value(std::string_view value) { return !has_line_break_or_nul(value); }

}  // namespace base
