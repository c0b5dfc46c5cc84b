#include "platform/controls/rich_text.h"

#include <algorithm>

namespace controls {

int Paragraph::length() const {
  int n = 0;
  for (const TextRun& r : runs) n += r.text.GetLength();
  return n;
}

RichText::RichText(std::vector<Paragraph> paragraphs) : paragraphs_(std::move(paragraphs)) {
  if (paragraphs_.empty()) paragraphs_.resize(1);
}

RichText RichText::from_plain(const CString& text, const CharFormat& format) {
  std::vector<Paragraph> out(1);
  out.back().format = format;
  CString line;
  auto end_line = [&] {
    if (!line.IsEmpty()) out.back().runs.push_back({line, format});
    line.Empty();
  };
  for (int i = 0; i < text.GetLength(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      end_line();
      if (c == '\r' && i + 1 < text.GetLength() && text[i + 1] == '\n') ++i;
      out.push_back(Paragraph{{}, format});
    } else {
      line += c;
    }
  }
  end_line();
  return RichText(std::move(out));
}

int RichText::length() const {
  int n = int(paragraphs_.size()) - 1;
  for (const Paragraph& p : paragraphs_) n += p.length();
  return n;
}

void RichText::locate(int at, size_t& paragraph, int& offset) const {
  at = std::clamp(at, 0, length());
  for (size_t p = 0; p < paragraphs_.size(); ++p) {
    int len = paragraphs_[p].length();
    if (at <= len) {
      paragraph = p;
      offset = at;
      return;
    }
    at -= len + 1;
  }
  paragraph = paragraphs_.size() - 1;
  offset = paragraphs_.back().length();
}

CharFormat RichText::format_at(int at) const {
  size_t p = 0;
  int offset = 0;
  locate(at, p, offset);
  const Paragraph& paragraph = paragraphs_[p];
  CharFormat format = paragraph.runs.empty() ? paragraph.format : paragraph.runs.front().format;
  int start = 0;
  for (const TextRun& run : paragraph.runs) {
    if (start >= offset) break;
    format = run.format;
    start += run.text.GetLength();
  }
  return format;
}

void RichText::split(size_t p, int offset) {
  Paragraph& left = paragraphs_[p];
  Paragraph right{{}, left.format};
  std::vector<TextRun> kept;
  int at = 0;
  for (TextRun& run : left.runs) {
    int len = run.text.GetLength();
    if (at + len <= offset) {
      kept.push_back(std::move(run));
    } else if (at >= offset) {
      right.runs.push_back(std::move(run));
    } else {
      int cut = offset - at;
      kept.push_back({run.text.Left(cut), run.format});
      right.runs.push_back({run.text.Mid(cut), run.format});
    }
    at += len;
  }
  if (!right.runs.empty()) right.format = right.runs.front().format;
  left.runs = std::move(kept);
  paragraphs_.insert(paragraphs_.begin() + std::ptrdiff_t(p) + 1, std::move(right));
}

void RichText::join(size_t p) {
  Paragraph& next = paragraphs_[p + 1];
  if (paragraphs_[p].runs.empty() && !next.runs.empty()) paragraphs_[p].format = next.format;
  for (TextRun& run : next.runs) paragraphs_[p].runs.push_back(std::move(run));
  paragraphs_.erase(paragraphs_.begin() + std::ptrdiff_t(p) + 1);
}

int RichText::insert(int at, const RichText& piece) {
  size_t p = 0;
  int offset = 0;
  locate(at, p, offset);
  at = std::clamp(at, 0, length());
  split(p, offset);
  const std::vector<Paragraph>& added = piece.paragraphs_;
  for (const TextRun& run : added.front().runs) paragraphs_[p].runs.push_back(run);
  if (paragraphs_[p].runs.empty()) paragraphs_[p].format = added.front().format;
  paragraphs_.insert(paragraphs_.begin() + std::ptrdiff_t(p) + 1, added.begin() + 1, added.end());
  join(p + added.size() - 1);
  return at + piece.length();
}

void RichText::erase(int from, int to) {
  int total = length();
  from = std::clamp(from, 0, total);
  to = std::clamp(to, 0, total);
  if (from > to) std::swap(from, to);
  if (from == to) return;
  size_t p1 = 0, p2 = 0;
  int o1 = 0, o2 = 0;
  locate(from, p1, o1);
  locate(to, p2, o2);
  split(p2, o2);
  split(p1, o1);
  // Paragraphs p1 + 1 .. p2 + 1 now hold exactly the erased characters.
  paragraphs_.erase(paragraphs_.begin() + std::ptrdiff_t(p1) + 1, paragraphs_.begin() + std::ptrdiff_t(p2) + 2);
  join(p1);
}

CString RichText::plain_text(const char* paragraph_break) const {
  CString out;
  for (size_t p = 0; p < paragraphs_.size(); ++p) {
    if (p > 0) out += paragraph_break;
    for (const TextRun& run : paragraphs_[p].runs) out += run.text;
  }
  return out;
}

// --- Layout ----------------------------------------------------------------------------------------------

namespace {

// One piece of a run that is placed whole: a word part, a stretch of spaces, or one tab.
struct Token {
  const TextRun* run;
  int start;  // within the run
  int count;
  int first;  // character position
  enum Kind { word, space, tab } kind;
};

std::vector<Token> tokens_of(const Paragraph& paragraph, int first) {
  std::vector<Token> out;
  for (const TextRun& run : paragraph.runs) {
    const CString& t = run.text;
    for (int i = 0; i < t.GetLength();) {
      Token::Kind kind = t[i] == '\t' ? Token::tab : t[i] == ' ' ? Token::space : Token::word;
      int j = i + 1;
      if (kind != Token::tab) {
        while (j < t.GetLength() && t[j] != '\t' && (t[j] == ' ') == (kind == Token::space)) ++j;
      }
      out.push_back({&run, i, j - i, first + i, kind});
      i = j;
    }
    first += t.GetLength();
  }
  return out;
}

class LineBuilder {
 public:
  LineBuilder(std::vector<TextLine>& lines, Measurer& measure, const CharFormat& empty_format)
      : lines_(lines), measure_(measure), empty_format_(empty_format) {}

  void start(int first) {
    line_ = TextLine{};
    line_.first = first;
    x_ = 0;
  }
  bool empty() const { return line_.runs.empty(); }
  int x() const { return x_; }
  void place(const Token& t, int start, int count, int width) {
    line_.runs.push_back({x_, t.first + (start - t.start), t.run->text.Mid(start, count), t.run->format});
    x_ += width;
  }
  void finish() {
    int height = 0, ascent = 0;
    auto take = [&](const CharFormat& f) {
      int h = 0, a = 0;
      measure_.font_metrics(f, h, a);
      height = std::max(height, h - a);
      ascent = std::max(ascent, a);
    };
    if (line_.runs.empty()) take(empty_format_);
    for (const LineRun& r : line_.runs) take(r.format);
    line_.ascent = ascent;
    line_.height = ascent + height;
    line_.y = lines_.empty() ? 0 : lines_.back().y + lines_.back().height;
    lines_.push_back(std::move(line_));
  }

 private:
  std::vector<TextLine>& lines_;
  Measurer& measure_;
  CharFormat empty_format_;
  TextLine line_;
  int x_ = 0;
};

}  // namespace

std::vector<TextLine> layout_rich_text(const RichText& text, int width, Measurer& measure) {
  std::vector<TextLine> lines;
  bool wrap = width > 0;
  int first = 0;
  for (const Paragraph& paragraph : text.paragraphs()) {
    CharFormat empty_format = paragraph.runs.empty() ? paragraph.format : paragraph.runs.front().format;
    LineBuilder line(lines, measure, empty_format);
    line.start(first);
    std::vector<Token> tokens = tokens_of(paragraph, first);
    auto width_of = [&](const Token& t, int start, int count) {
      return measure.text_width(t.run->format, static_cast<const char*>(t.run->text) + start, count);
    };
    for (size_t i = 0; i < tokens.size();) {
      const Token& t = tokens[i];
      if (t.kind != Token::word) {
        int w = t.kind == Token::tab ? kRichTabWidth - line.x() % kRichTabWidth : width_of(t, t.start, t.count);
        line.place(t, t.start, t.count, w);
        ++i;
        continue;
      }
      // A word may run over several runs: it moves to the next line whole when it does not fit.
      size_t end = i;
      int word_width = 0;
      while (end < tokens.size() && tokens[end].kind == Token::word) {
        word_width += width_of(tokens[end], tokens[end].start, tokens[end].count);
        ++end;
      }
      if (wrap && !line.empty() && line.x() + word_width > width) {
        line.finish();
        line.start(t.first);
      }
      for (; i < end; ++i) {
        const Token& piece = tokens[i];
        int w = width_of(piece, piece.start, piece.count);
        if (!wrap || line.x() + w <= width) {
          line.place(piece, piece.start, piece.count, w);
          continue;
        }
        // Longer than a whole line: as many letters per line as fit, at least one.
        int start = piece.start, stop = piece.start + piece.count, taken = 0;
        for (int k = start; k < stop;) {
          int letter = width_of(piece, k, 1);
          if (line.x() + taken + letter > width && (k > start || !line.empty())) {
            if (k > start) line.place(piece, start, k - start, taken);
            line.finish();
            line.start(piece.first + (k - piece.start));
            start = k;
            taken = 0;
            continue;
          }
          taken += letter;
          ++k;
        }
        if (stop > start) line.place(piece, start, stop - start, taken);
      }
    }
    line.finish();
    first += paragraph.length() + 1;
  }
  return lines;
}

}  // namespace controls
