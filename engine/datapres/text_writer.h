// Plain-text output of copied text: code page 1250 bytes, tabs, CR LF line ends and a closing NUL.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/fts/common/char_table.h"

namespace datapres {

class TextWriter {
 public:
  // Appends a run, each byte translated through the face's character map when there is one; NUL
  // bytes are left out, so the text ends only at its terminating NUL.
  void run(std::span<const uint8_t> text, const fts::CharTable* map);
  void tab() { bytes_.push_back('\t'); }
  void line_end() { bytes_.insert(bytes_.end(), {'\r', '\n'}); }
  void space() { bytes_.push_back(' '); }
  // Appends an embedded window's text item up to its first NUL.
  void append_item(std::span<const uint8_t> text);
  bool empty() const { return bytes_.empty(); }
  // The text with its terminating NUL; empty when nothing was written.
  std::vector<uint8_t> finish() const;

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace datapres
