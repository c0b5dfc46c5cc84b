// Rich Text Format output of copied text. The body is written as the records are walked; the
// document is assembled at the end with a font table of the faces the runs used.
//
// The document declares code page 1250 (\ansicpg1250) and every face the Central European
// character set (\fcharset238), so that Polish letters, written as \'xx escapes, read back right.
// Paragraph measurements are written in twips: stored values in 1/144 inch are multiplied by 10.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "engine/adt/paragraph_info.h"

namespace datapres {

struct RtfFace {
  int32_t number = 0;
  std::string name;
  uint8_t pitchAndFamily = 0;
};

struct RtfRunFormat {
  int32_t points = 10;  // absolute size
  int32_t weight = 400;
  bool underline = false;
  bool italic = false;
  bool smallCaps = false;
  int32_t raise = 0;  // half-points; negative lowers
};

class RtfWriter {
 public:
  // Paragraph properties of a text record: alignment, indents and spacing in twips.
  void text_paragraph(const adt::ParagraphInfo& info);
  // Paragraph properties of any other record.
  void plain_paragraph();
  void run(const RtfFace& face, const RtfRunFormat& format, std::span<const uint8_t> text);
  void tab();
  void paragraph_break();
  void line_break();
  void non_breaking_space();
  // RTF supplied by an embedded window, appended as it is.
  void append_item(std::string_view rtf);
  // A picture: a metafile's bytes with the bitmap size it was recorded from.
  void picture(int32_t width, int32_t height, std::span<const uint8_t> metafile);

  // Whether a run or an item was written: only then is there a document.
  bool has_content() const { return content_; }
  std::string document() const;
  const std::string& body() const { return body_; }

 private:
  std::string body_;
  std::map<int32_t, RtfFace> faces_;  // by face number, each listed once
  bool content_ = false;
};

// The RTF family word of a pitch-and-family byte.
std::string_view RtfFamilyWord(uint8_t pitchAndFamily);
// Stored 1/144-inch values (or twips, with `twips`) in twips.
int32_t RtfTwips(int32_t value, bool twips);

}  // namespace datapres
