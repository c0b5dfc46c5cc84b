#include "engine/datapres/text_writer.h"

namespace datapres {

void TextWriter::run(std::span<const uint8_t> text, const fts::CharTable* map) {
  for (uint8_t c : text) {
    // A NUL (only a damaged record holds one) would end the copied text there for every reader.
    if (c == 0) continue;
    // Byte 5 of a character entry is what plain text gets for the code; 0 keeps the code.
    uint8_t out = c;
    if (map && c < map->entries.size() && map->entries[c].extra[0] != 0) out = map->entries[c].extra[0];
    bytes_.push_back(out);
  }
}

void TextWriter::append_item(std::span<const uint8_t> text) {
  // A window's text item ends at its terminating NUL, if it carries one.
  for (size_t n = 0; n < text.size(); ++n) {
    if (text[n] == 0) {
      text = text.first(n);
      break;
    }
  }
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

std::vector<uint8_t> TextWriter::finish() const {
  if (bytes_.empty()) return {};
  std::vector<uint8_t> out = bytes_;
  out.push_back(0);
  return out;
}

}  // namespace datapres
