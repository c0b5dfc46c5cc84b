#include "platform/controls/rtf_reader.h"

#include <QTextCursor>
#include <QTextDocument>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/cp1250.h"

namespace controls {
namespace {

struct State {
  bool bold = false, italic = false, underline = false;
  int half_points = 24;
  int colour = 0;
  bool skip = false;      // a destination that is not shown
  int unicode_skip = 1;   // characters after \uN that stand in for it
};

class Reader {
 public:
  Reader(std::string_view in, QTextDocument& doc) : in_(in), cursor_(&doc) {}

  RtfResult run() {
    // A whole document starts "{\rtf1"; pieces pasted into a document start with any group.
    if (in_.substr(0, 2) != "{\\") return RtfResult::not_rtf;
    std::vector<State> stack;
    State state;
    while (pos_ < in_.size()) {
      char c = in_[pos_];
      if (c == '{') {
        if (stack.size() >= size_t(kMaxRtfDepth)) return flush(RtfResult::too_deep);
        stack.push_back(state);
        ++pos_;
      } else if (c == '}') {
        flush_text(state);
        if (stack.empty()) return flush(RtfResult::unbalanced);
        state = stack.back();
        stack.pop_back();
        ++pos_;
        if (stack.empty()) return flush(RtfResult::ok);
      } else if (c == '\\') {
        control(state);
      } else if (c == '\r' || c == '\n') {
        ++pos_;
      } else {
        if (!state.skip) text_ += c;
        ++pos_;
      }
    }
    return flush(stack.empty() ? RtfResult::ok : RtfResult::unbalanced);
  }

 private:
  RtfResult flush(RtfResult r) {
    flush_text(last_);
    return r;
  }

  void flush_text(const State& s) {
    if (text_.empty()) return;
    QTextCharFormat f;
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setFontPointSize(std::max(1, s.half_points) / 2.0);
    if (s.colour > 0 && size_t(s.colour) < colours_.size()) f.setForeground(colours_[size_t(s.colour)]);
    cursor_.insertText(QString::fromStdString(base::cp1250::to_utf8(text_)), f);
    text_.clear();
  }

  // Reads "\word[-]digits" with at most 10 digits (longer numbers are cut there).
  void control(State& state) {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return;
    char c = in_[pos_];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++pos_;
      symbol(state, c);
      return;
    }
    size_t start = pos_;
    while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])) && pos_ - start < 32) ++pos_;
    std::string_view word = in_.substr(start, pos_ - start);
    bool has_number = false, negative = false;
    long long number = 0;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    int digits = 0;
    while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
      if (digits++ < 10) number = number * 10 + (in_[pos_] - '0');
      has_number = true;
      ++pos_;
    }
    if (negative) number = -number;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    word_(state, word, has_number, number);
  }

  void symbol(State& state, char c) {
    if (c == '\'') {
      // A CP1250 byte as two hex digits.
      if (pos_ + 2 <= in_.size() && std::isxdigit(static_cast<unsigned char>(in_[pos_])) &&
          std::isxdigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
        int value = std::stoi(std::string(in_.substr(pos_, 2)), nullptr, 16);
        pos_ += 2;
        if (!state.skip) text_ += char(value);
      }
      return;
    }
    if (c == '*') {
      state.skip = true;
      return;
    }
    if (state.skip) return;
    if (c == '\\' || c == '{' || c == '}') text_ += c;
    if (c == '~') text_ += char(0xA0);
    if (c == '-' || c == '_') text_ += '-';
  }

  void word_(State& state, std::string_view w, bool has_number, long long n) {
    auto on = [&] { return !has_number || n != 0; };
    if (w == "fonttbl" || w == "stylesheet" || w == "info" || w == "pict" || w == "object" || w == "header" ||
        w == "footer") {
      state.skip = true;
    } else if (w == "colortbl") {
      colour_table();
      state.skip = true;
    } else if (state.skip) {
      return;
    } else if (w == "par" || w == "line") {
      flush_text(state);
      if (w == "par") {
        cursor_.insertBlock();
      } else {
        cursor_.insertText(QString(QChar(0x2028)));
      }
    } else if (w == "tab") {
      text_ += '\t';
    } else if (char c = special_character(w)) {
      text_ += c;
    } else if (w == "b" || w == "i" || w == "ul" || w == "ulnone" || w == "fs" || w == "cf" || w == "plain") {
      flush_text(state);
      if (w == "b") state.bold = on();
      if (w == "i") state.italic = on();
      if (w == "ul") state.underline = on();
      if (w == "ulnone") state.underline = false;
      if (w == "fs" && has_number && n > 0 && n <= 3276) state.half_points = int(n);
      if (w == "cf" && has_number && n >= 0 && n < 1024) state.colour = int(n);
      if (w == "plain") state = State{.skip = state.skip, .unicode_skip = state.unicode_skip};
    } else if (w == "uc" && has_number && n >= 0 && n <= 8) {
      state.unicode_skip = int(n);
    } else if (w == "u" && has_number) {
      // A UTF-16 unit (negative values wrap) shown through CP1250 when it has the letter.
      unsigned unit = unsigned(n < 0 ? n + 65536 : n) & 0xFFFF;
      QString letter{QChar(char16_t(unit))};
      std::string cp = base::cp1250::from_utf8(letter.toStdString());
      text_ += cp.empty() ? std::string("?") : cp;
      skip_fallback(state.unicode_skip);
    }
    last_ = state;
  }

  // The CP1250 byte of a symbol word (bullet, dashes, quotes), 0 for other words.
  static char special_character(std::string_view w) {
    static const std::pair<std::string_view, unsigned char> kSymbols[] = {
        {"bullet", 0x95}, {"endash", 0x96}, {"emdash", 0x97}, {"lquote", 0x91},
        {"rquote", 0x92}, {"ldblquote", 0x93}, {"rdblquote", 0x94}};
    for (const auto& [name, byte] : kSymbols) {
      if (w == name) return char(byte);
    }
    return 0;
  }

  // Skips the stand-in characters after \uN (a control word or \'hh counts as one).
  void skip_fallback(int count) {
    for (int i = 0; i < count && pos_ < in_.size(); ++i) {
      if (in_[pos_] == '{' || in_[pos_] == '}') return;
      if (in_[pos_] == '\\' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '\'') {
        pos_ = std::min(in_.size(), pos_ + 4);
      } else {
        ++pos_;
      }
    }
  }

  // "\red255\green0\blue0;" entries; the first (empty) entry is the default colour.
  void colour_table() {
    QColor current(0, 0, 0);
    while (pos_ < in_.size() && in_[pos_] != '}') {
      char c = in_[pos_];
      if (c == ';') {
        colours_.push_back(current);
        current = QColor(0, 0, 0);
        ++pos_;
      } else if (c == '\\') {
        ++pos_;
        size_t start = pos_;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])) && pos_ - start < 16) ++pos_;
        std::string_view w = in_.substr(start, pos_ - start);
        int v = 0, digits = 0;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
          if (digits++ < 4) v = v * 10 + (in_[pos_] - '0');
          ++pos_;
        }
        v = std::min(v, 255);
        if (w == "red") current.setRed(v);
        if (w == "green") current.setGreen(v);
        if (w == "blue") current.setBlue(v);
        if (w.empty()) ++pos_;
      } else {
        ++pos_;
      }
      if (colours_.size() >= 1024) break;
    }
  }

  std::string_view in_;
  size_t pos_ = 0;
  QTextCursor cursor_;
  std::string text_;
  State last_;
  std::vector<QColor> colours_;
};

}  // namespace

RtfResult read_rtf(std::string_view rtf, QTextDocument& document) {
  document.clear();
  return Reader(rtf, document).run();
}

}  // namespace controls
