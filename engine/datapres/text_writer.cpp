#include "engine/datapres/text_writer.h"

namespace datapres {

void TextWriter::Run(std::span<const uint8_t> text, const fts::CharTable* map) {
  for (uint8_t c : text) {
    // Byte 5 of a character entry is what plain text gets for the code; 0 keeps the code.
    uint8_t out = c;
    if (map && c < map->entries.size() && map->entries[c].extra[0] != 0) out = map->entries[c].extra[0];
    bytes_.push_back(out);
  }
}

void TextWriter::AppendItem(std::span<const uint8_t> text) {
  // A window's text item may carry its own terminating NUL.
  while (!text.empty() && text.back() == 0) text = text.first(text.size() - 1);
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

std::vector<uint8_t> TextWriter::Finish() const {
  if (bytes_.empty()) return {};
  std::vector<uint8_t> out = bytes_;
  out.push_back(0);
  return out;
}

}  // namespace datapres
