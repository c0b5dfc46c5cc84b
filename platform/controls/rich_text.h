// The text of a rich-edit control as plain data: paragraphs of runs, each run CP1250 text in one
// character format, and its layout into lines for a given width. Character positions count every
// byte of text and one position for each paragraph break, as the platform's rich edit counts them.
// Layout breaks lines after spaces (a word longer than the line is broken between letters) and
// measures through a Measurer, so it can be tested without a device.
#pragma once

#include <vector>

#include "platform/base/cstring.h"
#include "platform/gdi/core/gdi_types.h"

namespace controls {

constexpr COLORREF kAutoColour = 0xFFFFFFFF;  // the control's text colour
constexpr int kRichTabWidth = 48;              // default tab stops (half an inch at 96 dpi)

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int half_points = 20;
  COLORREF colour = kAutoColour;
  bool operator==(const CharFormat&) const = default;
};

struct TextRun {
  CString text;
  CharFormat format;
};

struct Paragraph {
  std::vector<TextRun> runs;
  // The format an empty paragraph (or text typed at its start) takes.
  CharFormat format;
  int length() const;
};

class RichText {
 public:
  RichText() : paragraphs_(1) {}
  // At least one paragraph is kept.
  explicit RichText(std::vector<Paragraph> paragraphs);
  // Plain text in one format; "\r\n", "\n" and "\r" each end a paragraph.
  static RichText from_plain(const CString& text, const CharFormat& format = {});

  int length() const;
  const std::vector<Paragraph>& paragraphs() const { return paragraphs_; }
  void clear() { paragraphs_.assign(1, Paragraph{}); }
  // Inserts `piece` at `at` (clamped into the text); returns the position just after it.
  int insert(int at, const RichText& piece);
  // Removes the characters [from, to) (clamped and ordered).
  void erase(int from, int to);
  // The plain text, paragraphs separated by `paragraph_break`.
  CString plain_text(const char* paragraph_break = "\r\n") const;
  // The format text typed at `at` takes: that of the character before it in its paragraph, else
  // the paragraph's.
  CharFormat format_at(int at) const;
  // The paragraph and offset of a position (clamped).
  void locate(int at, size_t& paragraph, int& offset) const;

 private:
  // Splits paragraph `p` at `offset`, leaving the part after it as paragraph p + 1.
  void split(size_t p, int offset);
  // Joins paragraph p + 1 to paragraph p.
  void join(size_t p);

  std::vector<Paragraph> paragraphs_;
};

class Measurer {
 public:
  virtual ~Measurer() = default;
  virtual int text_width(const CharFormat& format, const char* text, int count) = 0;
  virtual void font_metrics(const CharFormat& format, int& height, int& ascent) = 0;
};

struct LineRun {
  int x = 0;
  int first = 0;  // character position of the run's first byte
  CString text;   // tabs are kept; they move x to the next stop
  CharFormat format;
};

struct TextLine {
  int y = 0;
  int height = 0;
  int ascent = 0;
  int first = 0;  // character position of the line's start
  std::vector<LineRun> runs;
};

// Lines of the text for `width` pixels (0 or less: one line per paragraph).
std::vector<TextLine> layout_rich_text(const RichText& text, int width, Measurer& measure);

}  // namespace controls
