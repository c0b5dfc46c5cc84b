// Text records of the library's topics: one paragraph each, its paragraph information, the command
// bytes (font changes, hotspot starts and ends, the end mark) and the text as runs ended by NULs, each
// NUL handing over to the next command.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/titlebuild/topic_writer.h"

namespace compiler {

// Font numbers of the library's style sheet (see library_fonts.h).
enum class LibraryFont : uint16_t { kBody = 0, kHeading = 1, kActTitle = 2, kLink = 3, kTable = 4 };

struct ParagraphStyle {
  int16_t alignment = 0;     // 0 left, 1 right, 2 centred
  int16_t space_before = 0;  // in 1/144 inch
  int16_t left_indent = 0;
  bool no_wrap = false;
  int16_t first_indent = 0;  // of the first line against the others (negative: a hanging indent)
};

class ParagraphRecord {
 public:
  explicit ParagraphRecord(const ParagraphStyle& style);
  // A run of text in `font`.
  void text(LibraryFont font, std::string_view run);
  // A run that jumps to the topic of the context whose hash is given.
  void jump(std::string_view run, uint32_t context_hash);
  // A run whose hotspot runs `macro` (a picture link "%name@file").
  void macro(std::string_view run, std::string_view macro);
  // The finished record (type 0x20).
  titlebuild::TopicRecordSource finish();

 private:
  void font(LibraryFont font);

  ParagraphStyle style_;
  std::vector<uint8_t> commands_;
  std::string text_;
};

// The record text as a reader shows it: the runs without the NULs between them.
std::string PlainText(std::string_view stored);

}  // namespace compiler
